#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <utility>

#include "editor/sheet/sheetgeometry.h"
#include "objects/tview.h"

namespace tavo::sheet {
namespace {

tview View(double zoom, int offsetX, int offsetY) {
  tview view;
  view.SetZoom(zoom);
  view.SetOffsetX(std::int16_t(offsetX));
  view.SetOffsetY(std::int16_t(offsetY));
  return view;
}

TEST(SheetZoom, StaysBetweenAQuarterAndEight) {
  EXPECT_TRUE(CanDouble(4));
  EXPECT_FALSE(CanDouble(8));
  EXPECT_TRUE(CanHalve(0.5));
  EXPECT_FALSE(CanHalve(0.25));
}

// Zooming about a point keeps the terminal point under the mouse there, up
// to the rounding of the transforms.
TEST(SheetZoom, KeepsTheTerminalPointUnderTheMouse) {
  struct Case {
    double zoom;
    int offsetX, offsetY, x, y;
    bool doubling;
  };
  const Case cases[] = {
      {1, 0, 0, 101, 51, true},     {2, 35, -20, 300, 200, true}, {8, 100, 100, 5, 399, false},
      {0.5, -40, 12, 640, 3, true}, {1, 0, 0, 333, 77, false},    {0.25, 7, 9, 250, 250, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "zoom " << c.zoom << " at " << c.x << "," << c.y);
    const tview before = View(c.zoom, c.offsetX, c.offsetY);
    const ZoomResult step = ZoomAbout(before, c.x, c.y, c.doubling);
    EXPECT_DOUBLE_EQ(step.zoom, c.doubling ? c.zoom * 2 : c.zoom / 2);
    const tview after = View(step.zoom, step.offsetX, step.offsetY);
    // One window pixel covers 1 / zoom terminal pixels.
    const double tolerance = std::max(1.0, 1 / step.zoom);
    EXPECT_LE(std::abs(after.WinToTermX(c.x) - before.WinToTermX(c.x)), tolerance);
    EXPECT_LE(std::abs(after.WinToTermY(c.y) - before.WinToTermY(c.y)), tolerance);
  }
  // Doubling at 1 about (100, 50): terminal (100, 50) stays exactly there.
  const ZoomResult step = ZoomAbout(View(1, 0, 0), 100, 50, true);
  EXPECT_EQ(step.offsetX, -100);
  EXPECT_EQ(step.offsetY, -50);
}

TEST(SheetZoom, ClampsOffsetsToTheScrollRange) {
  // Terminal x 2748 under window x 1000 at zoom 8 would need offset -20982.
  const ZoomResult step = ZoomAbout(View(4, -9990, 9990), 1000, -9000, true);
  EXPECT_EQ(step.offsetX, -10000);
  EXPECT_EQ(step.offsetY, 10000);
  EXPECT_EQ(ClampScroll(12345), 10000);
  EXPECT_EQ(ClampScroll(-10001), -10000);
  EXPECT_EQ(ClampScroll(-37), -37);
}

TEST(SheetCentre, CentresTheTerminalWithTruncatedHalves) {
  struct Case {
    int sheetW, sheetH, termW, termH;
    double zoom;
    Offsets expected;
  };
  const Case cases[] = {
      {800, 600, 640, 480, 1, {80, 60}},      {800, 600, 640, 480, 2, {-240, -180}},
      {801, 599, 320, 240, 0.25, {360, 269}}, {100, 100, 641, 481, 1, {-270, -190}},
      {101, 51, 3, 3, 0.5, {49, 24}},  // round(1.5) = 2 (ties to even), 2 / 2 = 1
  };
  for (const Case& c : cases) {
    const Offsets o = CentreOffsets(c.sheetW, c.sheetH, c.termW, c.termH, c.zoom);
    EXPECT_EQ(std::make_pair(o.x, o.y), std::make_pair(c.expected.x, c.expected.y))
        << c.sheetW << "x" << c.sheetH << " " << c.termW << "x" << c.termH << " @" << c.zoom;
  }
}

TEST(SheetSnap, SnapsToMultiplesOfTheSnapDistance) {
  struct Case {
    double zoom;
    int offsetX, offsetY, x, y;
    bool on;
    int size;
    WinPoint expected;
  };
  const Case cases[] = {
      // Window 27 at zoom 2 is terminal 14 (13.5 to even), round(1.4) = 1 -> 20.
      {2, 0, 0, 27, 27, true, 10, {20, 20}},
      {1, 0, 0, 27, 34, true, 10, {30, 30}},
      {1, 5, -5, 27, 34, true, 10, {25, 35}},
      {0.5, 0, 0, 14, 16, true, 10, {15, 15}},  // terminal 28 -> 30, 32 -> 30
      {1, 0, 0, -14, -16, true, 10, {-10, -20}},
      {1, 0, 0, 27, 34, false, 10, {27, 34}},  // snap off
      {1, 0, 0, 27, 34, true, 0, {27, 34}},    // no distance to snap to
      {1, 0, 0, 27, 34, true, -10, {27, 34}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SnapPoint(View(c.zoom, c.offsetX, c.offsetY), c.x, c.y, c.on, c.size), c.expected)
        << "zoom " << c.zoom << " point " << c.x << "," << c.y << " size " << c.size;
  }
}

std::vector<std::pair<int, int>> Dots(const tview& view, int w, int h, int gx, int gy) {
  std::vector<std::pair<int, int>> dots;
  ForEachGridDot(view, w, h, gx, gy, [&](int x, int y) { dots.emplace_back(x, y); });
  return dots;
}

TEST(SheetGrid, DotsAtTerminalMultiplesRowByRow) {
  using Dots_ = std::vector<std::pair<int, int>>;
  EXPECT_EQ(Dots(View(1, 0, 0), 25, 15, 10, 10),
            (Dots_{{0, 0}, {10, 0}, {20, 0}, {0, 10}, {10, 10}, {20, 10}}));
  // Offsets move the dots with the picture; the first ones may lie left
  // of or above the sheet.
  EXPECT_EQ(
      Dots(View(2, 3, -4), 25, 15, 5, 5),
      (Dots_{{3, -4}, {13, -4}, {23, -4}, {3, 6}, {13, 6}, {23, 6}, {3, 16}, {13, 16}, {23, 16}}));
  // Distances 0 and 1 draw a 4-pixel grid.
  EXPECT_EQ(Dots(View(1, 0, 0), 9, 5, 0, 1),
            (Dots_{{0, 0}, {4, 0}, {8, 0}, {0, 4}, {4, 4}, {8, 4}}));
  EXPECT_EQ(GridDistance(1), 4);
  EXPECT_EQ(GridDistance(2), 2);
}

// Inverting a pixel twice would erase it: at small zooms the terminal
// points that share a window pixel are reported once.
TEST(SheetGrid, ReportsEveryWindowPixelOnce) {
  const auto dots = Dots(View(0.25, 0, 0), 200, 120, 2, 3);
  const std::set<std::pair<int, int>> distinct(dots.begin(), dots.end());
  EXPECT_EQ(distinct.size(), dots.size());
  EXPECT_TRUE(distinct.count({0, 0}));
  EXPECT_TRUE(distinct.count({199, 119}) || distinct.count({200, 120}));
}

TEST(SheetRuler, LabelledTicksOnRoundValuesAtReadableDistances) {
  const auto ticks = RulerTicks(-26, 640, 666);  // zoom 1
  ASSERT_FALSE(ticks.empty());
  std::vector<int> labels;
  for (const RulerTick& t : ticks) {
    EXPECT_EQ(t.pixel, t.value + 26);
    if (t.major) labels.push_back(t.value);
  }
  EXPECT_EQ(labels.front(), 0);
  EXPECT_EQ(labels[1] - labels[0], 50);  // 1, 2, 5 times a power of ten, >= 50 pixels apart
  EXPECT_EQ(labels.back(), 600);
  // At zoom 8 each terminal pixel is 8 window pixels: labels every 10.
  const auto fine = RulerTicks(0, 100, 800);
  int majors = 0;
  for (const RulerTick& t : fine) majors += t.major;
  EXPECT_EQ(majors, 11);
  EXPECT_TRUE(RulerTicks(5, 5, 100).empty());
  EXPECT_TRUE(RulerTicks(0, 100, 0).empty());
}

TEST(SheetCrossHair, DrawsOnlyAtTheOutermostHideAndShow) {
  CrossHairNesting nesting;
  EXPECT_TRUE(nesting.Hide());   // removes the visible cross
  EXPECT_FALSE(nesting.Hide());  // nested: nothing
  EXPECT_FALSE(nesting.Show());
  EXPECT_TRUE(nesting.Show());  // back at the outermost level: draw it again
  EXPECT_EQ(nesting.Depth(), 0);
  EXPECT_TRUE(nesting.Show());  // an unbalanced Show stays at 0 and still draws
  EXPECT_EQ(nesting.Depth(), 0);
}

}  // namespace
}  // namespace tavo::sheet
