// The project reader on arbitrary bytes: it must never crash or hang, and
// what it writes back must read and write again unchanged.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "objects/objectkinds.h"
#include "project/katalog.h"
#include "project/projectfile.h"
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

  auto first = tavo::ReadProjectText(
      std::string_view(reinterpret_cast<const char*>(data), size), context);
  const std::string once = Write(*first);
  auto second = tavo::ReadProjectText(once, context);
  const std::string twice = Write(*second);
  auto third = tavo::ReadProjectText(twice, context);
  if (Write(*third) != twice) std::abort();
  return 0;
}
