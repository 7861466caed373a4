#include "objects/tview.h"

#include <cmath>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <ostream>

#include "objects/recording_canvas.h"

namespace tavo {
namespace {

using ::testing::ElementsAre;
using testing::RecordingCanvas;

struct TransformCase {
  double zoom;
  std::int16_t offset;
  double term;
  std::int16_t window;  // TermToWinX(term)
  double windowIn;
  std::int16_t termOut;  // WinToTermX(windowIn)
};
// Readable test names and failure messages.
void PrintTo(const TransformCase& c, std::ostream* os) {
  *os << "zoom " << c.zoom << " offset " << c.offset << " term " << c.term;
}

class TransformTest : public ::testing::TestWithParam<TransformCase> {};

TEST_P(TransformTest, RoundsHalvesToEven) {
  const TransformCase& c = GetParam();
  tview view;
  view.SetZoom(c.zoom);
  view.SetOffsetX(c.offset);
  view.SetOffsetY(c.offset);
  EXPECT_EQ(view.TermToWinX(c.term), c.window);
  EXPECT_EQ(view.TermToWinY(c.term), c.window);
  EXPECT_EQ(view.WinToTermX(c.windowIn), c.termOut);
  EXPECT_EQ(view.WinToTermY(c.windowIn), c.termOut);
}

INSTANTIATE_TEST_SUITE_P(Cases, TransformTest,
                         ::testing::Values(
                             // zoom 2, offset 10: terminal 7 -> window 24; window 25 -> 7.5 -> 8.
                             TransformCase{2, 10, 7, 24, 25, 8},
                             // window 23 -> 6.5 -> 6 (even neighbour).
                             TransformCase{2, 10, 23, 56, 23, 6},
                             // zoom 1.5: 3 x 1.5 = 4.5 -> 4 (even); 5 x 1.5 = 7.5 -> 8 (even).
                             TransformCase{1.5, 0, 3, 4, 5, 3}, TransformCase{1.5, 0, 5, 8, 3, 2},
                             // Far outside the 16-bit range saturates instead of wrapping.
                             TransformCase{100, 0, 1000, 32767, 1000, 10},
                             TransformCase{100, 0, -1000, -32768, -1050, -10}));

TEST(TviewTest, RefusesZoomThatIsNotPositive) {
  tview view;
  view.SetZoom(3);
  for (double bad : {0.0, -1.0, std::nan(""), double(INFINITY)}) view.SetZoom(bad);
  EXPECT_EQ(view.Zoom(), 3);
}

TEST(TviewTest, StartsWithTheDocumentedState) {
  tview view;
  EXPECT_EQ(view.Zoom(), 200.0);
  EXPECT_EQ(view.fontName(), "sys08x16.fon");
  EXPECT_EQ(view.brushColour(), 0xFFFFFFu);
  EXPECT_EQ(view.penColour(), 0u);
  EXPECT_EQ(view.fillPattern(), 0);
}

TEST(PaletteTest, EntriesAndNames) {
  EXPECT_EQ(ColourPalette(0), 0x000000u);
  EXPECT_EQ(ColourPalette(1), 0xA40000u);
  EXPECT_EQ(ColourPalette(12), 0x0000FCu);
  EXPECT_EQ(ColourPalette(15), 0xFCFCFCu);
  EXPECT_EQ(GreyPalette(6), 0x8C8C8Cu);
  EXPECT_EQ(GreyPalette(14), 0xE8E8E8u);
  for (int i = 0; i < kPaletteSize; ++i) EXPECT_EQ(PaletteName(i).size(), 11u) << i;
  EXPECT_EQ(PaletteName(2), "Gr\xFCn       ");
  EXPECT_EQ(PaletteName(6), "Olivgr\xFCn   ");
  EXPECT_EQ(PaletteName(15), "Wei\xDF       ");
  EXPECT_EQ(PaletteName(16), "");
}

TEST(PaletteTest, IndexOutsidePaletteGivesTheInvalidColourInBoth) {
  for (int index : {16, 200, 255, -1}) {
    EXPECT_EQ(ColourPalette(index), 0x281414u) << index;
    EXPECT_EQ(GreyPalette(index), 0x281414u) << index;
  }
}

TEST(PatternTest, TilesAndTheirLimits) {
  ASSERT_NE(PatternTile(1), nullptr);
  EXPECT_EQ(PatternTile(1)[0], 0xFF);
  EXPECT_EQ(PatternTile(4)[4], 0xC1);
  EXPECT_EQ(PatternTile(11)[7], 0x88);
  EXPECT_EQ(PatternTile(0), nullptr);
  EXPECT_EQ(PatternTile(12), nullptr);
}

struct FillCase {
  std::int16_t pattern;
  const char* brush;
};
// Readable test names and failure messages.
void PrintTo(const FillCase& c, std::ostream* os) {
  *os << "pattern " << c.pattern;
}

class FillPatternTest : public ::testing::TestWithParam<FillCase> {};

TEST_P(FillPatternTest, RectangleBrushFollowsThePattern) {
  RecordingCanvas canvas;
  tview view(&canvas);
  view.SetZoom(1);
  view.SetBrushColour(0x00A400);
  view.SetFillPattern(GetParam().pattern);
  view.Rectangle(1, 2, 30, 40);
  EXPECT_THAT(canvas.calls, ElementsAre(GetParam().brush, "Rectangle(1,2,30,40)"));
}

INSTANTIATE_TEST_SUITE_P(Patterns, FillPatternTest,
                         ::testing::Values(FillCase{0, "BrushHollow"}, FillCase{12, "BrushHollow"},
                                           FillCase{-3, "BrushHollow"},
                                           FillCase{1, "BrushSolid(00A400)"},
                                           FillCase{2, "BrushPattern(00FFFF0000FFFF00,00A400)"},
                                           FillCase{9, "BrushPattern(CC33CC33CC33CC33,00A400)"}));

TEST(TviewDrawTest, LineRoundsEndPointsToEvenPixels) {
  RecordingCanvas canvas;
  tview view(&canvas);
  view.SetZoom(1);
  view.Line(1.5, 2.5, 10.4, 2.5);
  EXPECT_THAT(canvas.calls, ElementsAre("MoveTo(2,2)", "LineTo(10,2)"));
}

TEST(TviewDrawTest, OperationsTransformToWindowPixels) {
  RecordingCanvas canvas;
  tview view(&canvas);
  view.SetZoom(2);
  view.SetOffsetX(10);
  view.SetOffsetY(-4);
  view.SetFillPattern(0);
  const TermPixel triangle[] = {{0, 0}, {5, 0}, {5, 5}};
  view.Polygon(triangle);
  view.Pixel(3, 4, 0x123456);
  view.FillRectangle(1, 1, 2, 2);
  EXPECT_THAT(canvas.calls,
              ElementsAre("BrushHollow", "Polygon((10,-4)(20,-4)(20,6))", "SetPixel(16,4)123456",
                          "BrushHollow", "FillRect(12,-2,14,0)"));
}

TEST(TviewDrawTest, PenWidthScalesWithZoomAndNeverVanishes) {
  RecordingCanvas canvas;
  tview view(&canvas);
  view.SetZoom(2.5);
  view.SetPenWidth(3, true);   // 7.5 -> 8
  view.SetPenWidth(3, false);  // 3 window pixels
  view.SetZoom(0.25);
  view.SetPenWidth(1, true);  // 0.25 -> 0, kept at 1
  EXPECT_THAT(canvas.Only("PenWidth"), ElementsAre("PenWidth(8)", "PenWidth(3)", "PenWidth(1)"));
}

TEST(TviewDrawTest, TextGoesThroughThePluggedRenderer) {
  RecordingCanvas canvas;
  tview view(&canvas);
  view.SetZoom(2);
  view.SetOffsetX(5);
  view.SetPenColour(0x0000FC);
  view.SetBrushColour(0xFCFCFC);
  view.SetFontName("S008X016.FON");
  std::string seen;
  view.SetTextRenderer([&](Canvas& c, int x, int y, Rgb ink, const std::string& text,
                           const std::string& font, bool opaque, Rgb background, double zoom) {
    EXPECT_EQ(&c, &canvas);
    seen = std::to_string(x) + "," + std::to_string(y) + "," + std::to_string(ink) + "," + text +
           "," + font + "," + (opaque ? "opaque" : "clear") + "," + std::to_string(background) +
           "," + std::to_string(zoom);
  });
  view.Text(10, 3, true, "Tank");
  EXPECT_EQ(seen, "25,6,252,Tank,S008X016.FON,opaque,16579836,2.000000");
}

TEST(TviewDrawTest, WithoutCanvasNothingHappens) {
  tview view;
  view.Line(0, 0, 10, 10);
  view.Rectangle(0, 0, 1, 1);
  view.Text(0, 0, false, "x");
  SUCCEED();
}

TEST(ViewBorrowTest, RestoresCanvasZoomAndOffsets) {
  RecordingCanvas sheet, thumbnail;
  tview view(&sheet);
  view.SetZoom(4);
  view.SetOffsetX(12);
  view.SetOffsetY(34);
  {
    ViewBorrow borrow(view, &thumbnail, 0.5, 1, 2);
    EXPECT_EQ(view.canvas(), &thumbnail);
    EXPECT_EQ(view.Zoom(), 0.5);
    EXPECT_EQ(view.OffsetX(), 1);
    view.Line(0, 0, 10, 10);
  }
  EXPECT_EQ(view.canvas(), &sheet);
  EXPECT_EQ(view.Zoom(), 4);
  EXPECT_EQ(view.OffsetX(), 12);
  EXPECT_EQ(view.OffsetY(), 34);
  EXPECT_TRUE(sheet.calls.empty());
  EXPECT_THAT(thumbnail.calls, ElementsAre("MoveTo(1,2)", "LineTo(6,7)"));
}

}  // namespace
}  // namespace tavo
