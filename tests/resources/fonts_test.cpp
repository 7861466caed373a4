#include "resources/fonts.h"

#include <gtest/gtest.h>

#include <cmath>

#include "project/liste.h"
#include "resources/fontfixture.h"
#include "resources/testcanvas.h"
#include "shell/folders.h"

namespace tavo {
namespace {

using testing::FontFixture;
using testing::PixelCanvas;
using testing::TempDir;

constexpr Rgb kPaper = 0xFFFFFF;
constexpr Rgb kInk = 0x0000FF;
constexpr Rgb kBack = 0x00FF00;

// An installation folder with a "fonts" folder holding the given fixtures.
struct FontFolder {
  TempDir dir;
  Installation install{dir.path()};
  FontFolder() { std::filesystem::create_directories(dir.path() / "fonts"); }
  void Add(const std::string& name, const FontFixture& f) {
    testing::WriteFont((dir.path() / "fonts" / name).string(), f);
  }
  void AddRaw(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    testing::WriteBytes((dir.path() / "fonts" / name).string(), bytes);
  }
};

FontFixture SixByEight() {
  FontFixture f;
  f.width = 6;
  f.height = 8;
  f.glyphs['A'] = {0x21, 0x00, 0x01};  // row 0: pixels 0 and 5; row 2: pixel 0
  f.glyphs['B'] = {0x3F, 0x3F};
  return f;
}

// The rule written out literally: one pixel or one square per ink pixel.
void ReferenceDraw(PixelCanvas& canvas, const tfnttyp& font, int x, int y, Rgb ink,
                   const std::string& text, double z) {
  const int w = font.width, h = font.height, b = (w + 7) / 8;
  for (std::size_t k = 0; k < text.size(); ++k) {
    const std::uint8_t* g = font.Glyph(std::uint8_t(text[k]));
    for (int r = 0; r < h; ++r) {
      for (int j = 0; j < b; ++j) {
        int c = int(k) * w + 8 * j;
        const std::uint8_t bits = g[r * b + j];
        for (int bit = 0; bit < 8; ++bit, ++c) {
          if (!(bits & (1 << bit))) continue;
          if (z > 1) {
            const int left = int(std::trunc(c * z)) + x, top = int(std::trunc(r * z)) + y;
            const int s = int(std::nearbyint(z));
            canvas.FillRectColour(left, top, left + s, top + s, ink);
          } else {
            canvas.SetPixel(int(std::trunc(c * z)) + x, int(std::trunc(r * z)) + y, ink);
          }
        }
      }
    }
  }
}

TEST(Fonts, SixByEightGlyphsUseBitZeroAsLeftmostPixel) {
  FontFolder folder;
  folder.Add("S006X008.FON", SixByEight());
  FontCache cache(folder.install);
  PixelCanvas canvas(40, 20, kPaper);
  cache.DrawTerminalText(canvas, 3, 2, kInk, "A", "S006X008.FON", false, kBack, 1.0);
  EXPECT_EQ(cache.FontWidth(), 6);
  EXPECT_EQ(cache.FontHeight(), 8);
  for (int x = 0; x < 12; ++x) {
    const bool ink = x == 3 || x == 8;
    EXPECT_EQ(canvas.Pixel(x, 2), ink ? kInk : kPaper) << x;
  }
  EXPECT_EQ(canvas.Pixel(3, 4), kInk);
  EXPECT_EQ(canvas.Pixel(3, 3), kPaper);
}

TEST(Fonts, ZoomDrawsSquaresAtTruncatedPositions) {
  FontFolder folder;
  folder.Add("S006X008.FON", SixByEight());
  FontCache cache(folder.install);
  struct Case {
    double zoom;
    std::vector<int> inkColumnsOfRow0;  // relative to x
    int squareSide;
  };
  // Row 0 of 'A' has pixels 0 and 5.
  const Case cases[] = {{2.0, {0, 1, 10, 11}, 2}, {1.5, {0, 1, 7, 8}, 2}, {0.5, {0, 2}, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.zoom);
    PixelCanvas canvas(40, 30, kPaper);
    cache.DrawTerminalText(canvas, 0, 0, kInk, "A", "S006X008.FON", false, kBack, c.zoom);
    for (int x = 0; x < 14; ++x) {
      const bool ink = std::find(c.inkColumnsOfRow0.begin(), c.inkColumnsOfRow0.end(), x) !=
                       c.inkColumnsOfRow0.end();
      EXPECT_EQ(canvas.Pixel(x, 0), ink ? kInk : kPaper) << "x " << x;
      EXPECT_EQ(canvas.Pixel(x, c.squareSide - 1), ink ? kInk : kPaper) << "x " << x;
    }
  }
}

// Runs of ink pixels are drawn as merged rectangles; whatever the zoom, the
// pixels must equal one square per ink pixel, including the gaps that
// appear where round(z) is smaller than the step between squares.
TEST(Fonts, MergedDrawingEqualsOneSquarePerPixel) {
  FontFixture f;
  f.width = 12;
  f.height = 5;
  for (int code = 0; code < 256; ++code) {
    std::vector<std::uint8_t> g(10);
    for (int i = 0; i < 10; ++i) g[i] = std::uint8_t((code * 37 + i * 91) ^ (i * 13));
    f.glyphs[code] = g;
  }
  FontFolder folder;
  folder.Add("MIX.FON", f);
  FontCache cache(folder.install);
  ASSERT_TRUE(cache.SelectFont("MIX.FON"));
  const std::string text = "Ab\x8E\xE1\xC5z";
  for (double zoom : {0.5, 0.75, 1.0, 1.5, 2.0, 2.4, 2.5, 3.0, 4.0, 5.6}) {
    SCOPED_TRACE(zoom);
    PixelCanvas drawn(260, 40), expected(260, 40);
    cache.DrawTerminalText(drawn, 1, 2, kInk, text, "MIX.FON", false, kBack, zoom);
    ReferenceDraw(expected, *cache.Current(), 1, 2, kInk, text, zoom);
    EXPECT_EQ(drawn.Pixels(), expected.Pixels());
  }
}

TEST(Fonts, OpaqueBackgroundLeavesTheCellsLastRowOut) {
  FontFolder folder;
  FontFixture f;  // 8 x 16, blank glyphs
  folder.Add("S008X016.FON", f);
  FontCache cache(folder.install);
  PixelCanvas canvas(40, 40, kPaper);
  cache.DrawTerminalText(canvas, 5, 4, kInk, "AB", "S008X016.FON", true, kBack, 1.0);
  EXPECT_EQ(canvas.Pixel(5, 4), kBack);
  EXPECT_EQ(canvas.Pixel(20, 18), kBack);  // x + 15, y + 14
  EXPECT_EQ(canvas.Pixel(21, 4), kPaper);
  EXPECT_EQ(canvas.Pixel(5, 19), kPaper);  // y + 15
  // At zoom 2 the width is n * trunc(8 * 2).
  PixelCanvas zoomed(60, 60, kPaper);
  cache.DrawTerminalText(zoomed, 0, 0, kInk, "AB", "S008X016.FON", true, kBack, 2.0);
  EXPECT_EQ(zoomed.Pixel(31, 30), kBack);
  EXPECT_EQ(zoomed.Pixel(32, 0), kPaper);
  EXPECT_EQ(zoomed.Pixel(0, 31), kPaper);
}

TEST(Fonts, CacheMatchesByBaseNameAndLoadsOnce) {
  FontFolder folder;
  FontFixture narrow = SixByEight();
  folder.Add("SYS08X16.FON", FontFixture{});
  folder.Add("S006X008.FON", narrow);
  FontCache cache(folder.install);
  ASSERT_TRUE(cache.SelectFont("SYS08X16.FON"));
  const tfnttyp* first = cache.Current();
  EXPECT_EQ(first->name, "SYS08X16.FON");
  ASSERT_TRUE(cache.SelectFont("S006X008.FON"));
  EXPECT_TRUE(cache.SelectFont(" sys08x16.xyz"));
  EXPECT_EQ(cache.Current(), first);
  EXPECT_EQ(first->next.get() ? first->next->next.get() : nullptr, nullptr);
  // The file is not read again: removing it does not matter any more.
  std::filesystem::remove(folder.dir.path() / "fonts" / "SYS08X16.FON");
  EXPECT_TRUE(cache.SelectFont("sys08x16.fon"));
}

TEST(Fonts, MissingFontFallsBackToFirstFontAndBuiltInGlyphs) {
  FontFolder folder;
  folder.Add("S006X008.FON", SixByEight());
  FontCache cache(folder.install);
  // With nothing loaded the built-in cell is reported.
  EXPECT_EQ(cache.FontWidth(), 8);
  EXPECT_EQ(cache.FontHeight(), 16);
  EXPECT_FALSE(cache.SelectFont("NOPE.FON"));
  EXPECT_EQ(cache.Current(), nullptr);
  ASSERT_TRUE(cache.SelectFont("S006X008.FON"));
  EXPECT_FALSE(cache.SelectFont("NOPE.FON"));
  EXPECT_EQ(cache.Current(), cache.First());

  // The fallback ignores the zoom and draws the row bytes, high bit first.
  PixelCanvas canvas(40, 40, kPaper);
  cache.DrawTerminalText(canvas, 2, 3, kInk, "A", "NOPE.FON", true, kBack, 3.0);
  for (int r = 0; r < 16; ++r) {
    for (int c = 0; c < 8; ++c) {
      const bool ink = kFallbackFont['A' * 16 + r] & (0x80 >> c);
      const Rgb paperOrBack = r < 15 ? kBack : kPaper;
      EXPECT_EQ(canvas.Pixel(2 + c, 3 + r), ink ? kInk : paperOrBack) << r << "," << c;
    }
  }
  EXPECT_EQ(canvas.Pixel(10, 3), kPaper);
  // An empty font name draws in the fallback font as well.
  PixelCanvas plain(40, 40, kPaper);
  cache.DrawTerminalText(plain, 2, 3, kInk, "A", "", false, kBack, 3.0);
  PixelCanvas viaMissing(40, 40, kPaper);
  cache.DrawTerminalText(viaMissing, 2, 3, kInk, "A", "NOPE.FON", false, kBack, 3.0);
  EXPECT_EQ(plain.Pixels(), viaMissing.Pixels());
}

TEST(Fonts, FallbackFontHasPcShapes) {
  auto inkCount = [](int code) {
    int n = 0;
    for (int r = 0; r < 16; ++r) n += std::popcount(unsigned(kFallbackFont[code * 16 + r]));
    return n;
  };
  EXPECT_EQ(inkCount(' '), 0);
  EXPECT_EQ(inkCount(0xDB), 128);  // full block
  // Umlauts carry more ink than their base letters; "ß" has a PC position.
  EXPECT_GT(inkCount(0x8E), inkCount('A'));
  EXPECT_GT(inkCount(0x9A), inkCount('U'));
  EXPECT_GT(inkCount(0xE1), 10);
  EXPECT_EQ(std::uint8_t(ToTerminalCharset("\xDF")[0]), 0xE1);
  // GlyphOf without a font gives the same shape in the font files' bit order.
  TempDir dir;
  Installation none(dir.path());
  FontCache cache(none);
  const GlyphSlot a = cache.GlyphOf('A');
  for (int r = 0; r < 16; ++r)
    for (int c = 0; c < 8; ++c)
      EXPECT_EQ(bool(a[r] & (1 << c)), bool(kFallbackFont['A' * 16 + r] & (0x80 >> c)));
}

// Damaged font files must give the fallback, never a read past a glyph slot.
TEST(Fonts, UnusableFontFilesAreRefused) {
  struct Case {
    const char* label;
    FontFixture font;
    FontLoadError expected;
  };
  FontFixture zeroWidth;
  zeroWidth.width = 0;
  FontFixture hugeCell;
  hugeCell.width = 512;
  hugeCell.height = 32;
  hugeCell.glyphSize = 16;
  FontFixture zeroGlyph;
  zeroGlyph.glyphSize = 0;
  zeroGlyph.glyphRecords = 0;
  zeroGlyph.height = 0;
  FontFixture bigGlyph;
  bigGlyph.glyphSize = 1025;
  bigGlyph.glyphRecords = 2;
  const Case cases[] = {{"zero width", zeroWidth, FontLoadError::BadCellSize},
                        {"cell over 1024 bytes", hugeCell, FontLoadError::BadCellSize},
                        {"zero height", zeroGlyph, FontLoadError::BadCellSize},
                        {"glyph over 1024 bytes", bigGlyph, FontLoadError::BadGlyphSize}};
  FontFolder folder;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    const std::string path = (folder.dir.path() / "fonts" / "BAD.FON").string();
    testing::WriteFont(path, c.font);
    FontLoadError error;
    EXPECT_EQ(LoadFontFile(path, &error), nullptr);
    EXPECT_EQ(error, c.expected);
  }
  folder.AddRaw("JUNK.FON", {'M', 'Z', 0, 1});
  FontCache cache(folder.install);
  EXPECT_FALSE(cache.SelectFont("JUNK.FON"));
  EXPECT_FALSE(cache.SelectFont("BAD.FON"));
  // A name is a file in the fonts folder, never a path.
  folder.Add("..\\OUT.FON", FontFixture{});
  testing::WriteFont((folder.dir.path() / "OUT.FON").string(), FontFixture{});
  EXPECT_FALSE(cache.SelectFont("..\\OUT.FON"));
  EXPECT_FALSE(cache.SelectFont("../OUT.FON"));
  EXPECT_EQ(cache.First(), nullptr);
}

TEST(Fonts, FewerGlyphRecordsThanCodesStillLoad) {
  FontFolder folder;
  FontFixture f = SixByEight();
  f.glyphRecords = 66;  // up to 'A'
  folder.Add("PART.FON", f);
  FontCache cache(folder.install);
  ASSERT_TRUE(cache.SelectFont("PART.FON"));
  EXPECT_EQ(cache.GlyphOf('A')[0], 0x21);
  EXPECT_EQ(cache.GlyphOf(255)[0], 0);  // read past the end of the file
}

// Such fonts still draw, but those who show or send them are told.
TEST(Fonts, GlyphDataCutShortIsToldOnce) {
  FontFolder folder;
  FontFixture part = SixByEight();
  part.glyphRecords = 66;
  folder.Add("PART.FON", part);
  std::vector<std::uint8_t> cut = testing::FontBytes(SixByEight());
  cut.resize(cut.size() - 8 * 10 - 3);  // the last ten glyphs and a bit of one more
  folder.AddRaw("CUT.FON", cut);
  folder.Add("GOOD.FON", SixByEight());
  folder.AddRaw("JUNK.FON", {'M', 'Z', 0, 1});

  const auto fonts = folder.dir.path() / "fonts";
  std::string problem;
  auto font = LoadFontFile((fonts / "CUT.FON").string(), nullptr, &problem);
  ASSERT_NE(font, nullptr);
  EXPECT_EQ(font->glyphsPresent, 245);
  EXPECT_EQ(problem, "glyph data cut short: 245 of 256 characters in the file");
  EXPECT_EQ(FontFileDamage((fonts / "PART.FON").string()),
            "glyph data cut short: 66 of 256 characters in the file");
  EXPECT_EQ(FontFileDamage((fonts / "GOOD.FON").string()), "");
  EXPECT_EQ(FontFileDamage((fonts / "MISSING.FON").string()), "");  // the caller's to report
  EXPECT_EQ(FontFileDamage((fonts / "JUNK.FON").string()), "not a font file");

  FontCache cache(folder.install);
  std::vector<std::string> told;
  cache.SetProblemSink([&](const std::string& name, const std::string& text) {
    told.push_back(name + ": " + text);
  });
  PixelCanvas canvas(40, 20, kPaper);
  for (int round = 0; round < 2; ++round)
    for (const char* name : {"CUT.FON", "GOOD.FON", "MISSING.FON", "JUNK.FON"})
      cache.DrawTerminalText(canvas, 0, 0, kInk, "A", name, false, kBack, 1.0);
  EXPECT_EQ(told, (std::vector<std::string>{
                      "CUT.FON: glyph data cut short: 245 of 256 characters in the file",
                      "MISSING.FON: cannot be loaded (not found)",
                      "JUNK.FON: cannot be loaded (not a font file)",
                  }));
}

TEST(Fonts, ShippedFontsOpenWithTheSizeTheirNameSays) {
  struct Shipped {
    const char* file;
    int width;
    int height;
  };
  const Shipped fonts[] = {
      {"SYST_008.FON", 8, 8},   {"S008X016.FON", 8, 16}, {"S016x032.fon", 16, 32},
      {"S006x008.fon", 6, 8},   {"SYS_0816.FON", 8, 16}, {"3_______.FON", 6, 8},
      {"sys08x16.fon", 8, 16},  {"S008X014.FON", 8, 14}, {"S006X012.FON", 6, 12},
      {"S010X020.FON", 10, 20}, {"S012X024.FON", 12, 24}};
  const std::filesystem::path folder = std::filesystem::path(TAVO_DATA_DIR) / "fonts";
  const std::string umlautA = ToTerminalCharset("\xC4");
  for (const Shipped& s : fonts) {
    SCOPED_TRACE(s.file);
    // Exact names: the program and its projects refer to them as written.
    ASSERT_TRUE(std::filesystem::exists(folder / s.file));
    auto font = LoadFontFile((folder / s.file).string());
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->width, s.width);
    EXPECT_EQ(font->height, s.height);
    const std::uint8_t* a = font->Glyph('A');
    const std::uint8_t* ae = font->Glyph(std::uint8_t(umlautA[0]));
    EXPECT_NE(std::vector<std::uint8_t>(a, a + font->glyphSize),
              std::vector<std::uint8_t>(ae, ae + font->glyphSize));
    EXPECT_TRUE(std::any_of(ae, ae + font->glyphSize, [](std::uint8_t b) { return b != 0; }));
  }
}

}  // namespace
}  // namespace tavo
