// The project reader on arbitrary bytes: it must never crash or hang, and
// what it writes back must read and write again unchanged (once settled).
#include <cstdint>
#include <cstdlib>
#include <string>

#include "objects/objectkinds.h"
#include "project/katalog.h"
#include "project/projectfile.h"
#include "shell/codepage.h"
#include "shell/messageboxes.h"

namespace {

std::string Write(const tavo::t_projekt& p) {
  std::string text;
  tavo::WriteProjectLines(p, [&](const std::string& l) { text += l + "\r\n"; });
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static tavo::t_katalog catalog;
  static const bool filled = [](tavo::t_katalog* c) {
    auto t = std::make_unique<tavo::t_terminal>();
    t->dosVersion = "VTA_640C.TRM";
    tavo::AppendNode(c->terminals, std::move(t));
    auto k = std::make_unique<tavo::t_steuerung>();
    k->dosVersion = "SPS_DBW.KOP";
    k->addressFormat = 1;
    tavo::AppendNode(c->couplings, std::move(k));
    return true;
  }(&catalog);
  (void)filled;
  auto factory = tavo::MakeObjectFactory();
  tavo::ScriptedMessageBox box;
  tavo::ProjectReadContext context;
  context.catalog = &catalog;
  context.objects = factory.get();
  context.messages = &box;
  context.sheetWidth = 800;
  context.sheetHeight = 600;

  tavo::ProjectRead first =
      tavo::ReadProjectText(std::string_view(reinterpret_cast<const char*>(data), size), context);
  if (!first.project) return 0;  // refused as no project file
  // Reading normalises once; from then on only a text that still reads as
  // UTF-8 changes on reading (it was converted more than once), and each
  // such round shortens it, so the text settles.
  std::string text = Write(*first.project);
  bool normalised = false;
  for (;;) {
    tavo::ProjectRead again = tavo::ReadProjectText(text, context);
    if (!again.project) std::abort();  // what the writer writes is a project
    std::string next = Write(*again.project);
    if (next == text) break;
    if (normalised && !(tavo::LooksLikeUtf8(text) && next.size() < text.size())) std::abort();
    normalised = true;
    text = std::move(next);
  }
  return 0;
}
