// Compiling pictures for second-generation terminals: the .pic files, the
// pixel files and the needed-file table.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "objects/bitmap/tqvxbitmap.h"
#include "objects/bitmap_fixture.h"
#include "objects/compile/picturecompiler.h"
#include "objects/gruppe.h"
#include "objects/shapes/shapes.h"
#include "project/records.h"

namespace tavo {
namespace {

using ::testing::ElementsAre;
namespace fs = std::filesystem;

std::vector<std::string> Lines(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  std::vector<std::string> lines;
  std::string all = text.str();
  std::size_t start = 0;
  while (start < all.size()) {
    const std::size_t end = all.find("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(all.substr(start) + "<no CR LF>");
      break;
    }
    lines.push_back(all.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

std::uint16_t Word(const std::vector<std::uint8_t>& bytes, std::size_t index) {
  return static_cast<std::uint16_t>(bytes[2 * index] | (bytes[2 * index + 1] << 8));
}

// A line that names a font, as text objects do.
class FontLine : public t_linie {
 public:
  std::string font;
  std::string FontFile() const override { return font; }
};

std::unique_ptr<tqvxbitmap> Bitmap(const fs::path& file, double x1, double y1, double x2, double y2,
                                   std::int32_t id) {
  auto b = std::make_unique<tqvxbitmap>();
  b->file = file.string();
  b->SetCorners(x1, y1, x2, y2);
  b->identifier = id;
  return b;
}

TEST(CompilePicture, WritesPictureLineKeysLeafObjectsAndEnd) {
  testing::ScratchFolder dir;
  t_bild picture;
  picture.pictureNumber = 7;
  picture.backgroundColour = 1;
  picture.Key(1)->value = 3;
  picture.Key(2)->value = 0;
  auto group = std::make_unique<t_gruppe>();
  auto line = std::make_unique<FontLine>();
  line->SetEnds(1, 2, 3, 4);
  line->font = "s008x016.fon;SYS_0816.FON";
  group->AppendMember(std::move(line));
  auto bar = std::make_unique<t_rechteck>();
  bar->SetCorners(0, 0, 5, 5);
  group->AppendMember(std::move(bar));
  AppendNode(picture.objects, std::move(group));

  CompileContext ctx;
  ctx.targetFolder = dir.path();
  UsedFileTable used;
  ASSERT_TRUE(CompilePicture(picture, picture.RunLine(), used, ctx));
  const auto lines = Lines(dir.path() / "7.pic");
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[0], "-(Picture;7;1)");
  EXPECT_EQ(lines[1].rfind("-(Key;", 0), 0u);
  EXPECT_EQ(lines[2].rfind("-(OLine;0;0;0;", 0), 0u);
  EXPECT_EQ(lines[3].rfind("-(OBar;", 0), 0u);
  EXPECT_EQ(lines[4], "-(PictureEnd)");
  EXPECT_TRUE(used.Contains("S008X016.FON"));
  EXPECT_TRUE(used.Contains("SYS_0816.FON"));
}

TEST(CompilePicture, RunWriterHookSendsThePictureLineAndCompiles) {
  testing::ScratchFolder dir;
  t_bild picture;
  picture.pictureNumber = 12;
  CompileContext ctx;
  ctx.targetFolder = dir.path();
  UsedFileTable used;
  std::vector<std::string> run;
  CompilingRunWriter writer([&](const std::string& l) { run.push_back(l); }, used, ctx);
  picture.WriteRunLines(writer);
  EXPECT_THAT(run, ElementsAre("-(Picture;12;15)"));
  EXPECT_THAT(Lines(dir.path() / "12.pic"), ElementsAre("-(Picture;12;15)", "-(PictureEnd)"));
}

TEST(CompilePicture, PictureFileThatCannotBeCreatedIsReported) {
  testing::ScratchFolder dir;
  t_bild picture;
  picture.pictureNumber = 3;
  CompileContext ctx;
  ctx.targetFolder = dir.path() / "no" / "such" / "folder";
  UsedFileTable used;
  EXPECT_FALSE(CompilePicture(picture, picture.RunLine(), used, ctx));
  EXPECT_THAT(ctx.failedFiles, ElementsAre("3.pic"));
}

TEST(PixelFile, HundredByFiftyAtOriginalSize) {
  testing::ScratchFolder dir;
  testing::WriteFile(dir.path() / "g.bmp", testing::GradientBmp(100, 50));
  auto b = Bitmap(dir.path() / "g.bmp", 10, 20, 110, 70, 4);
  CompileContext ctx;
  ctx.targetFolder = dir.path();
  ASSERT_TRUE(ConvertBitmaps(b.get(), ctx));
  const auto bytes = testing::ReadFile(dir.path() / "PIC4.HCD");
  ASSERT_EQ(bytes.size(), 2u * (3 + 51 * 100));
  EXPECT_EQ(bytes[0], 0x44);  // "DH"
  EXPECT_EQ(bytes[1], 0x48);
  EXPECT_EQ(Word(bytes, 1), 99);
  EXPECT_EQ(Word(bytes, 2), 50);
  // Pixel (x, y) of the gradient is red 8x, green 8y, blue 8: x*2048 + y*64 + 1.
  EXPECT_EQ(Word(bytes, 3), 1);
  EXPECT_EQ(Word(bytes, 3 + 5), 5 * 2048 + 1);
  EXPECT_EQ(Word(bytes, 3 + 7 * 100 + 2), 2 * 2048 + 7 * 64 + 1);
  for (int x = 0; x < 100; ++x) EXPECT_EQ(Word(bytes, 3 + 50 * 100 + x), 0xFFDF);
}

TEST(PixelFile, StretchedAndMirroredPlacements) {
  testing::ScratchFolder dir;
  testing::WriteFile(dir.path() / "g.bmp", testing::GradientBmp(4, 2));
  CompileContext ctx;
  ctx.targetFolder = dir.path();
  auto plain = Bitmap(dir.path() / "g.bmp", 0, 0, 8, 2, 1);
  auto mirrored = Bitmap(dir.path() / "g.bmp", 8, 0, 0, 2, 2);
  auto flipped = Bitmap(dir.path() / "g.bmp", 0, 2, 8, 0, 3);
  ASSERT_TRUE(ConvertBitmaps(plain.get(), ctx));
  ASSERT_TRUE(ConvertBitmaps(mirrored.get(), ctx));
  ASSERT_TRUE(ConvertBitmaps(flipped.get(), ctx));
  const auto p = testing::ReadFile(dir.path() / "PIC1.HCD");
  const auto m = testing::ReadFile(dir.path() / "PIC2.HCD");
  const auto f = testing::ReadFile(dir.path() / "PIC3.HCD");
  ASSERT_EQ(p.size(), 2u * (3 + 3 * 8));
  ASSERT_EQ(m.size(), p.size());
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 8; ++x) {
      EXPECT_EQ(Word(p, 3 + y * 8 + x), (x / 2) * 2048 + y * 64 + 1);  // each column twice
      EXPECT_EQ(Word(m, 3 + y * 8 + x), Word(p, 3 + y * 8 + (7 - x)));
      EXPECT_EQ(Word(f, 3 + y * 8 + x), Word(p, 3 + (1 - y) * 8 + x));
    }
}

TEST(PixelFile, OneFilePerIdentifierAndAnExistingFileIsKept) {
  testing::ScratchFolder dir;
  testing::WriteFile(dir.path() / "g.bmp", testing::GradientBmp(4, 4));
  t_gruppe group;
  group.AppendMember(Bitmap(dir.path() / "g.bmp", 0, 0, 4, 4, 9));
  group.AppendMember(Bitmap(dir.path() / "g.bmp", 50, 50, 54, 54, 9));
  CompileContext ctx;
  ctx.targetFolder = dir.path();
  ASSERT_TRUE(ConvertBitmaps(&group, ctx));
  int files = 0;
  for (const auto& e : fs::directory_iterator(dir.path())) files += e.path().extension() == ".HCD";
  EXPECT_EQ(files, 1);
  testing::WriteFile(dir.path() / "PIC9.HCD", {1, 2, 3});
  ASSERT_TRUE(ConvertBitmaps(&group, ctx));
  EXPECT_THAT(testing::ReadFile(dir.path() / "PIC9.HCD"), ElementsAre(1, 2, 3));
}

TEST(PixelFile, MissingSourceIsBlackAndNoted) {
  testing::ScratchFolder dir;
  auto b = Bitmap(dir.path() / "missing.bmp", 0, 0, 2, 1, 5);
  CompileContext ctx;
  ctx.targetFolder = dir.path();
  ASSERT_TRUE(ConvertBitmaps(b.get(), ctx));
  EXPECT_THAT(testing::ReadFile(dir.path() / "PIC5.HCD"),
              ElementsAre(0x44, 0x48, 1, 0, 1, 0, 0, 0, 0, 0, 0xDF, 0xFF, 0xDF, 0xFF));
  EXPECT_EQ(ctx.missingBitmaps.size(), 1u);
}

TEST(PixelFile, DamagedSourceIsNotedWithWhatIsWrong) {
  testing::ScratchFolder dir;
  testing::WriteFile(dir.path() / "junk.bmp", {'B', 'M', 0});
  std::vector<std::uint8_t> cut = testing::GradientBmp(2, 2);
  cut.resize(cut.size() - 8);
  testing::WriteFile(dir.path() / "cut.bmp", cut);
  t_gruppe group;
  group.AppendMember(Bitmap(dir.path() / "junk.bmp", 0, 0, 2, 2, 1));
  group.AppendMember(Bitmap(dir.path() / "cut.bmp", 0, 0, 2, 2, 2));
  CompileContext ctx;
  ctx.targetFolder = dir.path();
  ASSERT_TRUE(ConvertBitmaps(&group, ctx));
  EXPECT_TRUE(ctx.missingBitmaps.empty());
  EXPECT_THAT(
      ctx.damagedBitmaps,
      ElementsAre(
          (dir.path() / "junk.bmp").string() + ": not a BMP file; converted as a black image",
          (dir.path() / "cut.bmp").string() + ": pixel data cut short; the missing part is black"));
}

TEST(PixelFile, RelativeNamesResolveAgainstTheProjectFolderThenTheLibrary) {
  testing::ScratchFolder dir;
  testing::WriteFile(dir.path() / "lib" / "lib.bmp", testing::GradientBmp(1, 1));
  testing::WriteFile(dir.path() / "Anlage" / "own.bmp", testing::GradientBmp(1, 1));
  EXPECT_EQ(ResolveBitmapFile("own.bmp", dir.path() / "Anlage"), dir.path() / "Anlage" / "own.bmp");
  EXPECT_EQ(ResolveBitmapFile("C:\\Old\\Anlage\\own.bmp", dir.path() / "Anlage"),
            dir.path() / "Anlage" / "own.bmp");
  EXPECT_EQ(ResolveBitmapFile("lib.bmp", dir.path() / "Anlage", {dir.path() / "lib"}),
            dir.path() / "lib" / "lib.bmp");
  EXPECT_EQ(ResolveBitmapFile("none.bmp", dir.path() / "Anlage", {dir.path() / "lib"}), fs::path());
}

TEST(PixelFile, PlacementTooLargeForAnyDisplayIsRefused) {
  testing::ScratchFolder dir;
  auto b = Bitmap(dir.path() / "missing.bmp", -30000, -30000, 30000, 30000, 6);
  CompileContext ctx;
  ctx.targetFolder = dir.path();
  EXPECT_FALSE(ConvertBitmaps(b.get(), ctx));
  ASSERT_EQ(ctx.failedFiles.size(), 1u);
  EXPECT_FALSE(fs::exists(dir.path() / "PIC6.HCD"));
}

TEST(PixelFile, UnwritableTargetLeavesNoPartialFile) {
  testing::ScratchFolder dir;
  auto b = Bitmap(dir.path() / "missing.bmp", 0, 0, 2, 2, 8);
  CompileContext ctx;
  ctx.targetFolder = dir.path() / "absent";
  EXPECT_FALSE(ConvertBitmaps(b.get(), ctx));
  EXPECT_THAT(ctx.failedFiles, ElementsAre("PIC8.HCD"));
}

}  // namespace
}  // namespace tavo
