// The download image reader on foreign input. The input holds up to three
// parts separated by NUL bytes: a run file, a picture file and a pixel
// file. Reading must end with messages, never a crash or a hang; the
// objects read must write run lines that read back to the same lines (after
// one pass, which settles clamped numbers and characters the terminal's code
// page cannot carry); they must draw with values without harm.
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "objects/fields/fields.h"
#include "objects/picturedraw.h"
#include "project/runwriter.h"
#include "resources/testcanvas.h"
#include "simulator/imagereader.h"

namespace {

using namespace tavo;

std::string_view NextPart(std::string_view& rest) {
  const std::size_t cut = rest.find('\0');
  const std::string_view part = rest.substr(0, cut);
  rest.remove_prefix(cut == std::string_view::npos ? rest.size() : cut + 1);
  return part;
}

std::string PictureText(const t_bild& picture) {
  std::string text;
  UsedFileTable used;
  RunWriter out([&](const std::string& line) { text += line + "\r\n"; }, used);
  for (const t_liste* o = picture.objects.get(); o; o = o->next()) o->WriteRunLines(out);
  return text;
}

std::string ReadAndWrite(std::string_view text, t_bild& picture) {
  std::vector<std::string> messages;
  {
    ImageMessages sink(messages);
    ReadPictureText(text, "1.pic", picture, nullptr, sink);
  }
  if (messages.size() > ImageMessages::kMaxMessages + 1) std::abort();
  return PictureText(picture);
}

// Values at the edges of what variables hold.
class EdgeValues : public FieldValues {
 public:
  std::int64_t Value(std::uint16_t variable) const override {
    return variable % 2 ? std::numeric_limits<std::int32_t>::min() : 65535;
  }
  std::string Text(std::uint16_t variable) const override {
    return std::string(variable % 300, 'x');
  }
  std::vector<double> Samples(const t_plotgraf&) const override {
    return {0, 1e300, -1e300, std::numeric_limits<double>::quiet_NaN(), 5};
  }
  const Image16* PlacedImage(std::int32_t) const override { return &image; }
  Image16 image{2, 2, {1, 2, 3, 4}};
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view rest(reinterpret_cast<const char*>(data), size);
  const std::string_view run = NextPart(rest);
  const std::string_view pictureFile = NextPart(rest);
  const std::string_view pixels = rest;

  std::vector<std::string> messages;
  std::unique_ptr<t_projekt> project;
  {
    ImageMessages sink(messages);
    project = ReadRunText(run, "Project.run", nullptr, sink);
  }
  if (!project || !project->terminal || messages.size() > ImageMessages::kMaxMessages + 1)
    std::abort();

  t_bild first, second, third;
  ReadAndWrite(pictureFile, first);
  const std::string written = PictureText(first);
  const std::string again = ReadAndWrite(written, second);
  if (ReadAndWrite(again, third) != again) std::abort();

  testing::PixelCanvas canvas(64, 48);
  tview view(&canvas);
  view.SetZoom(1);
  EdgeValues values;
  FieldContext context;
  context.textLists = project->textLists.get();
  context.now = LocalTime{};
  context.values = &values;
  DrawPictureObjects(first, view, kDrawNormal, context);

  Image16 image;
  std::string why;
  const std::vector<std::uint8_t> bytes(pixels.begin(), pixels.end());
  if (DecodePixelFile(bytes, image, &why) &&
      image.pixels.size() != std::size_t(image.width) * std::size_t(image.height))
    std::abort();
  return 0;
}
