// BMP decoding into terminal pixel words, and the bitmap object's forms,
// geometry, drawing and registry hook.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "objects/binary.h"
#include "objects/bitmap/bmpfile.h"
#include "objects/bitmap/tqvxbitmap.h"
#include "objects/bitmap_fixture.h"
#include "objects/gruppe.h"
#include "objects/objectkinds.h"
#include "objects/recording_canvas.h"
#include "objects/shapes/shapes.h"
#include "project/objectlines.h"
#include "project/projectfile.h"
#include "project/runwriter.h"
#include "support/filesizelimit.h"

namespace tavo {
namespace {

using ::testing::ElementsAre;
using testing::MakeBmp;

constexpr std::uint16_t kRed = 0xF800;    // 255, 0, 0
constexpr std::uint16_t kGreen = 0x07C0;  // 0, 255, 0
constexpr std::uint16_t kBlue = 0x001F;   // 0, 0, 255
constexpr std::uint16_t kWhite = 0xFFDF;
constexpr std::uint16_t kBlack = 0;

// --- decoding -------------------------------------------------------------------------

struct DepthCase {
  const char* what;
  std::vector<std::uint8_t> file;
  int width, height;
  std::vector<std::uint16_t> pixels;  // top row first
};

std::vector<DepthCase> DepthCases() {
  using testing::MakeBmp;
  return {
      // 1 bit: rows bottom-up, leftmost pixel in the top bit, rows padded to 4 bytes.
      {"1 bit",
       MakeBmp(3, 2, 1, {0x000000, 0xFFFFFF}, {0b01000000, 0, 0, 0, 0b10100000, 0, 0, 0}),
       3,
       2,
       {kWhite, kBlack, kWhite, kBlack, kWhite, kBlack}},
      // 4 bits: two pixels per byte, high nibble first.
      {"4 bits",
       MakeBmp(3, 1, 4, {0, 0xFF0000, 0x00FF00, 0x0000FF}, {0x12, 0x30, 0, 0}),
       3,
       1,
       {kRed, kGreen, kBlue}},
      {"8 bits",
       MakeBmp(2, 2, 8, {0, 0xFF0000, 0x00FF00, 0x0000FF}, {1, 2, 0, 0, 3, 0, 0, 0}),
       2,
       2,
       {kBlue, kBlack, kRed, kGreen}},
      // 8 bits, the palette of a core header has three bytes per entry.
      {"8 bits core header",
       MakeBmp(2, 1, 8, {0x000000, 0x0000FF}, {1, 0, 0, 0}, 0, {}, true),
       2,
       1,
       {kBlue, kBlack}},
      // 24 bits: B, G, R per pixel; a top-down file (negative height).
      {"24 bits top-down",
       MakeBmp(1, -2, 24, {}, {0, 0, 255, 0, 0, 0xFF, 0, 0}),
       1,
       2,
       {kRed, kGreen}},
      {"32 bits", MakeBmp(2, 1, 32, {}, {255, 0, 0, 0, 255, 255, 255, 0}), 2, 1, {kBlue, kWhite}},
      // 16 bits without masks: 5-5-5.
      {"16 bits 555", MakeBmp(2, 1, 16, {}, {0x00, 0x7C, 0x1F, 0x00}), 2, 1, {kRed, kBlue}},
      // 16 bits with 5-6-5 masks: full green.
      {"16 bits 565",
       MakeBmp(1, 1, 16, {}, {0xE0, 0x07, 0, 0}, 3, {0xF800, 0x07E0, 0x001F}),
       1,
       1,
       {kGreen}},
      // 8-bit run-length coding: 2 x index 1, end of line, then absolute run 2, 3 (padded).
      {"RLE8",
       MakeBmp(2, 2, 8, {0, 0xFF0000, 0x00FF00, 0x0000FF}, {2, 1, 0, 0, 0, 3, 2, 3, 1, 0, 0, 1}, 1),
       2,
       2,
       {kGreen, kBlue, kRed, kRed}},
  };
}

TEST(BmpDecode, EveryDepthGivesPackedPixelsTopRowFirst) {
  for (const DepthCase& c : DepthCases()) {
    SCOPED_TRACE(c.what);
    Image16 image;
    std::string error;
    ASSERT_TRUE(DecodeBmp16(c.file, image, &error)) << error;
    EXPECT_EQ(image.width, c.width);
    EXPECT_EQ(image.height, c.height);
    EXPECT_EQ(image.pixels, c.pixels);
  }
}

TEST(BmpDecode, PackingDropsTheLowBitsOfEachChannel) {
  EXPECT_EQ(Pack16(255, 255, 255), 0xFFDF);  // bit 5 never set
  EXPECT_EQ(Pack16(8, 8, 8), 2048 + 64 + 1);
  EXPECT_EQ(Pack16(7, 7, 7), 0);
  EXPECT_EQ(Pack16(std::int32_t{0x00FF00}), 1984);  // Windows colour: green in the middle byte
}

TEST(BmpDecode, DamagedFilesAreRefusedWithAReason) {
  const std::vector<std::uint8_t> good = MakeBmp(2, 2, 8, {0, 0xFF0000}, {1, 0, 0, 0, 0, 1, 0, 0});
  std::vector<std::vector<std::uint8_t>> bad = {
      {},
      {'B', 'M'},
      {'X', 'Y', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 40, 0, 0, 0},
      MakeBmp(0, 5, 24, {}, {}),
      MakeBmp(5, 0, 24, {}, {}),
      MakeBmp(1, 1, 7, {}, {0, 0, 0, 0}),
      MakeBmp(100000, 100000, 24, {}, {0, 0, 0, 0}),  // far beyond any display
      MakeBmp(1, 1, 24, {}, {0, 0, 0, 0}, 4),         // JPEG inside a BMP
  };
  for (std::size_t cut = 1; cut < 54; cut += 7) bad.emplace_back(good.begin(), good.begin() + cut);
  for (const auto& file : bad) {
    Image16 image;
    std::string error;
    EXPECT_FALSE(DecodeBmp16(file, image, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(image.pixels.empty());
  }
}

TEST(BmpDecode, PixelDataCutShortLeavesTheMissingRowsBlackAndSaysSo) {
  const std::vector<std::uint8_t> whole = MakeBmp(1, 2, 8, {0, 0xFF0000}, {1, 0, 0, 0, 1, 0, 0, 0});
  std::vector<std::uint8_t> file = whole;
  file.resize(file.size() - 4);  // the top row (stored last) is gone
  Image16 image;
  std::string damage;
  ASSERT_TRUE(DecodeBmp16(file, image, nullptr, &damage));
  EXPECT_THAT(image.pixels, ElementsAre(kBlack, kRed));
  EXPECT_EQ(damage, "pixel data cut short; the missing part is black");

  // Run-length data that ends before the image does: the same.
  const std::vector<std::uint8_t> rle = {2, 1, 0, 0, 2, 1, 0, 1};  // two rows, end mark
  ASSERT_TRUE(DecodeBmp16(MakeBmp(2, 2, 8, {0, 0xFF0000}, rle, 1), image, nullptr, &damage));
  EXPECT_EQ(damage, "");
  ASSERT_TRUE(DecodeBmp16(MakeBmp(2, 2, 8, {0, 0xFF0000}, {2, 1}, 1), image, nullptr, &damage));
  EXPECT_EQ(damage, "pixel data cut short; the missing part is black");

  ASSERT_TRUE(DecodeBmp16(whole, image, nullptr, &damage));
  EXPECT_EQ(damage, "");
}

TEST(BmpDecode, PaletteIndexBeyondTheUsedColoursIsBlack) {
  // Two palette entries, index 200 used: the rest of the palette is black.
  Image16 image;
  ASSERT_TRUE(DecodeBmp16(MakeBmp(1, 1, 8, {0xFFFFFF, 0xFFFFFF}, {200, 0, 0, 0}), image));
  EXPECT_THAT(image.pixels, ElementsAre(kBlack));
}

// --- the object -----------------------------------------------------------------------

std::vector<std::string> RunLines(const t_objekt& object) {
  std::vector<std::string> lines;
  UsedFileTable used;
  RunWriter out([&](const std::string& line) { lines.push_back(line); }, used);
  object.WriteRunLines(out);
  return lines;
}

TEST(Bitmap, KindTableCreatesIt) {
  ObjectPtr object = CreateObjectOfKind(kKindBitmap);
  ASSERT_NE(dynamic_cast<tqvxbitmap*>(object.get()), nullptr);
  EXPECT_EQ(object->TerminalSize(), 70);
  EXPECT_EQ(object->TreeIcon(), 19);
}

TEST(Bitmap, RunLineCarriesRoundedCornersAndSixteenBitTransparentColour) {
  tqvxbitmap b;
  b.SetCorners(10, 10, 110.5, 60);
  b.SetSwitching({3, 1.5, 7});
  b.transparent = true;
  b.transparentColour = 0x00FF00;  // pure green
  b.identifier = 4;
  b.file = "C:\\Bilder\\pumpe.bmp";
  EXPECT_THAT(RunLines(b), ElementsAre("-(OBitmap;3;7;2;10;10;110;60;TRUE;4;1984)"));
}

TEST(Bitmap, ProjectLineHasNoAttributesAndReadsBack) {
  auto factory = MakeObjectFactory();
  tqvxbitmap b;
  b.name = "Pumpe \"A\"";
  b.SetCorners(110, 10, 10.25, 60);
  b.file = "Demo\\pumpe.bmp";
  b.SetFixedSize(true);
  b.identifier = 12;
  b.transparentColour = 0x123456;
  b.SetSwitching({8, 4, 2});
  const std::string line = "-Object" + b.FormatFields();
  EXPECT_EQ(
      line,
      "-Object(20;8;2;4;\"Pumpe \"\"A\"\"\";110;10;10.25;60;\"Demo\\pumpe.bmp\";TRUE;FALSE;12;"
      "1193046)");
  ListPtr read = ReadObjectLines(*factory, {line});
  auto* copy = dynamic_cast<tqvxbitmap*>(read.get());
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ("-Object" + copy->FormatFields(), line);
  EXPECT_DOUBLE_EQ(copy->GetExtent().left, 10.25);  // the extent follows reading
}

TEST(Bitmap, BinaryFormWritesNothingAndReadsTheOlderRecord) {
  tqvxbitmap b;
  b.SetCorners(1, 2, 3, 4);
  ByteSink out;
  b.WriteBinary(out);
  EXPECT_TRUE(out.empty());

  std::vector<std::uint8_t> record = {5, 0, 6, 0, 0xFF, 0xFF, 8, 0};  // x1 5, y1 6, x2 -1, y2 8
  record.insert(record.end(), 13, 0xAA);
  record.insert(record.end(), {0, 0});  // no switching
  tqvxbitmap r;
  ASSERT_TRUE(r.ReadBinary(MemoryReader(record.data(), record.size())));
  EXPECT_EQ(r.x1, 5);
  EXPECT_EQ(r.x2, -1);
  EXPECT_EQ(r.y2, 8);
  EXPECT_FALSE(r.ReadBinary(MemoryReader(record.data(), 10)));
}

TEST(Bitmap, MirroringSwapsTheCornersInPlace) {
  tqvxbitmap b;
  b.SetCorners(10, 10, 110, 60);
  b.SetSelected(true);
  b.Mirror(false, true);
  EXPECT_EQ(b.x1, 110);
  EXPECT_EQ(b.x2, 10);
  EXPECT_EQ(b.y1, 10);
  EXPECT_EQ(b.y2, 60);
  EXPECT_DOUBLE_EQ(b.GetExtent().left, 10);
  EXPECT_DOUBLE_EQ(b.GetExtent().right, 110);
}

TEST(Bitmap, HitInsideItsRectangleEvenWithoutFile) {
  tqvxbitmap b;
  b.SetCorners(110, 60, 10, 10);
  b.file = "/no/such/file.bmp";
  EXPECT_TRUE(b.HitTest(10, 10));
  EXPECT_TRUE(b.HitTest(110, 60));
  EXPECT_FALSE(b.HitTest(111, 60));
  EXPECT_FALSE(b.HitTest(50, 9));
}

// Records where and how the image was stretched.
class ImageCanvas : public testing::RecordingCanvas {
 public:
  struct Call {
    int left, top, right, bottom;
    bool transparent;
    std::uint16_t colour;
    int width, height;
  };
  std::vector<Call> images;
  void DrawImage(const Image16& image, int l, int t, int r, int b, bool tr,
                 std::uint16_t c) override {
    images.push_back({l, t, r, b, tr, c, image.width, image.height});
  }
};

TEST(Bitmap, DrawsStretchedAndMirroredOnTheSamePixels) {
  testing::ScratchFolder dir;
  const auto file = dir.path() / "pumpe.bmp";
  testing::WriteFile(file, testing::GradientBmp(4, 2));
  ImageCanvas canvas;
  tview view(&canvas);
  view.SetZoom(1);
  tqvxbitmap b;
  b.file = file.string();
  b.transparent = true;
  b.transparentColour = 0x0000FF;
  b.SetCorners(10, 10, 110, 60);
  b.Draw(view, kDrawNormal);
  b.SetCorners(110, 10, 10, 60);
  b.Draw(view, kDrawNormal);
  b.file = (dir.path() / "missing.bmp").string();
  b.Draw(view, kDrawNormal);
  ASSERT_EQ(canvas.images.size(), 3u);
  const auto& plain = canvas.images[0];
  EXPECT_EQ(std::vector<int>({plain.left, plain.top, plain.right, plain.bottom}),
            std::vector<int>({10, 10, 110, 60}));
  EXPECT_TRUE(plain.transparent);
  EXPECT_EQ(plain.colour, kRed);
  EXPECT_EQ(plain.width, 4);
  const auto& mirrored = canvas.images[1];
  EXPECT_EQ(std::vector<int>({mirrored.left, mirrored.top, mirrored.right, mirrored.bottom}),
            std::vector<int>({109, 10, 9, 60}));
  EXPECT_EQ(canvas.images[2].width, 0);  // missing file: an empty image, nothing drawn
}

TEST(Bitmap, DrawingTellsWhyAFileGaveNoImageOrOnlyPartOfOne) {
  testing::ScratchFolder dir;
  testing::WriteFile(dir.path() / "junk.bmp", {'M', 'Z', 1, 2});
  std::vector<std::uint8_t> cut = testing::GradientBmp(4, 4);
  cut.resize(cut.size() - 20);
  testing::WriteFile(dir.path() / "cut.bmp", cut);
  testing::WriteFile(dir.path() / "good.bmp", testing::GradientBmp(4, 4));
  ImageCanvas canvas;
  tview view(&canvas);
  std::vector<std::string> told;
  view.SetProblemSink([&](const std::string& file, const std::string& problem) {
    told.push_back(std::filesystem::path(file).filename().string() + ": " + problem);
  });
  for (const char* name : {"missing.bmp", "junk.bmp", "cut.bmp", "good.bmp"}) {
    tqvxbitmap b;
    b.file = (dir.path() / name).string();
    b.SetCorners(0, 0, 10, 10);
    b.Draw(view, kDrawNormal);
    b.Draw(view, kDrawNormal);  // the image is kept: told once
  }
  EXPECT_THAT(told, ElementsAre("missing.bmp: not found; nothing is drawn",
                                "junk.bmp: not a BMP file; nothing is drawn",
                                "cut.bmp: pixel data cut short; the missing part is black"));
}

TEST(Bitmap, FactoryCollectsBitmapsAtAnyGroupDepth) {
  auto factory = MakeObjectFactory();
  t_gruppe outer;
  auto inner = std::make_unique<t_gruppe>();
  auto deep = std::make_unique<tqvxbitmap>();
  deep->file = "a.bmp";
  deep->SetCorners(0, 0, 30, 20);
  inner->AppendMember(std::move(deep));
  outer.AppendMember(std::move(inner));
  outer.AppendMember(std::make_unique<t_linie>());
  auto top = std::make_unique<tqvxbitmap>();
  top->file = "b.bmp";
  outer.AppendMember(std::move(top));
  std::vector<BitmapUse> uses;
  factory->CollectBitmaps(outer, uses);
  ASSERT_EQ(uses.size(), 2u);
  EXPECT_EQ(uses[0].fileName, "a.bmp");
  EXPECT_EQ(uses[0].width, 30);
  EXPECT_EQ(uses[0].height, 20);
  EXPECT_EQ(uses[1].fileName, "b.bmp");
}

TEST(Bitmap, RegistryRebuildKeepsStoredIdentifiersAndSharesEqualPlacements) {
  auto factory = MakeObjectFactory();
  t_projekt project;
  auto picture = std::make_unique<t_bild>();
  const auto add = [&](t_liste* into, double w, std::int32_t id) {
    auto b = std::make_unique<tqvxbitmap>();
    b->file = "pumpe.bmp";
    b->SetCorners(0, 0, w, 10);
    b->identifier = id;
    tqvxbitmap* raw = b.get();
    if (into)
      static_cast<t_gruppe*>(into)->AppendMember(std::move(b));
    else
      AppendNode(picture->objects, std::move(b));
    return raw;
  };
  tqvxbitmap* a = add(nullptr, 20, 0);
  auto group = std::make_unique<t_gruppe>();
  tqvxbitmap* stored = add(group.get(), 20, 7);
  tqvxbitmap* other = add(group.get(), 40, 0);
  AppendNode(picture->objects, std::move(group));
  AppendNode(project.pictures, std::move(picture));
  RebuildBitmapRegistry(project, *factory);
  EXPECT_EQ(stored->identifier, 7);
  EXPECT_EQ(a->identifier, 7);      // same file, same size
  EXPECT_EQ(other->identifier, 1);  // another size: the lowest free identifier
}

TEST(Bitmap, AdoptingCopiesIntoTheProjectFolderOnce) {
  testing::ScratchFolder dir;
  const auto source = dir.path() / "lib" / "pumpe.bmp";
  testing::WriteFile(source, testing::GradientBmp(2, 2));
  t_projekt project;
  project.path = (dir.path() / "Anlage.qvx").string();
  project.folderName = "Anlage";
  auto picture = std::make_unique<t_bild>();
  auto b = std::make_unique<tqvxbitmap>();
  b->file = source.string();
  tqvxbitmap* raw = b.get();
  AppendNode(picture->objects, std::move(b));
  AppendNode(project.pictures, std::move(picture));

  EXPECT_TRUE(AdoptBitmapFiles(project).empty());
  const auto copy = dir.path() / "Anlage" / "pumpe.bmp";
  EXPECT_EQ(raw->file, copy.string());
  EXPECT_EQ(testing::ReadFile(copy), testing::ReadFile(source));
  // A second save finds the copy and leaves it as it is.
  testing::WriteFile(source, testing::GradientBmp(3, 3));
  EXPECT_TRUE(AdoptBitmapFiles(project).empty());
  EXPECT_EQ(raw->file, copy.string());
  EXPECT_NE(testing::ReadFile(copy), testing::ReadFile(source));

  raw->file = (dir.path() / "gone.bmp").string();
  EXPECT_THAT(AdoptBitmapFiles(project), ElementsAre((dir.path() / "gone.bmp").string()));
}

TEST(Bitmap, SavingAsBringsTheBitmapsBesideTheNewFile) {
  testing::ScratchFolder dir;
  const auto source = dir.path() / "lib" / "pumpe.bmp";
  testing::WriteFile(source, testing::GradientBmp(2, 2));
  t_projekt project;
  project.head = std::make_unique<t_kopf>();
  project.terminal = std::make_unique<t_terminal>();
  auto picture = std::make_unique<t_bild>();
  auto b = std::make_unique<tqvxbitmap>();
  b->file = source.string();
  tqvxbitmap* raw = b.get();
  AppendNode(picture->objects, std::move(b));
  AppendNode(project.pictures, std::move(picture));

  // Into a folder that does not exist: nothing is created or written, the
  // project keeps its path and its bitmap.
  std::string error;
  const auto missing = dir.path() / "missing" / "Anlage.qvx";
  EXPECT_FALSE(SaveProject(project, missing.string(), &error, nullptr));
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "missing"));
  EXPECT_TRUE(project.path.empty());
  EXPECT_EQ(raw->file, source.string());

  std::vector<std::string> notCopied{"stale"};
  const auto target = dir.path() / "Anlage.qvx";
  ASSERT_TRUE(SaveProject(project, target.string(), &error, &notCopied)) << error;
  EXPECT_TRUE(notCopied.empty());
  const auto copy = dir.path() / "Anlage" / "pumpe.bmp";
  EXPECT_EQ(raw->file, copy.string());
  EXPECT_EQ(project.path, target.string());
  const std::vector<std::uint8_t> written = testing::ReadFile(target);
  EXPECT_NE(std::string(written.begin(), written.end()).find(copy.string()), std::string::npos);
}

// A save that fails after the bitmaps were brought over leaves the objects
// pointing where they pointed and takes back the copies and the folder it
// made.
TEST(Bitmap, AFailedSaveLeavesTheBitmapFieldsAndNoFolderBehind) {
  testing::ScratchFolder dir;
  const auto source = dir.path() / "lib" / "pumpe.bmp";
  testing::WriteFile(source, testing::GradientBmp(1, 1));
  t_projekt project;
  project.head = std::make_unique<t_kopf>();
  project.head->name = std::string(4000, 'x');  // far more than the bitmap's bytes
  project.terminal = std::make_unique<t_terminal>();
  project.path = source.string();
  auto picture = std::make_unique<t_bild>();
  auto b = std::make_unique<tqvxbitmap>();
  b->file = source.string();
  tqvxbitmap* raw = b.get();
  AppendNode(picture->objects, std::move(b));
  AppendNode(project.pictures, std::move(picture));

  const auto target = dir.path() / "Anlage.qvx";
  std::string error;
  {
    testing::FileSizeLimit full(1000);
    EXPECT_FALSE(SaveProject(project, target.string(), &error, nullptr));
  }
  EXPECT_NE(error.find("File too large"), std::string::npos) << error;
  EXPECT_EQ(raw->file, source.string());
  EXPECT_EQ(project.path, source.string());
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "Anlage"));
  EXPECT_FALSE(std::filesystem::exists(target));

  // A name without an extension would give the project folder the file's
  // own name: refused before anything is made.
  EXPECT_FALSE(SaveProject(project, (dir.path() / "Anlage").string(), &error, nullptr));
  EXPECT_NE(error.find("needs an extension"), std::string::npos) << error;
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "Anlage"));
  EXPECT_EQ(raw->file, source.string());
}

}  // namespace
}  // namespace tavo
