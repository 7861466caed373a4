// The common object: Real48, attribute and switching bytes, selection
// handles, handle drags, mirroring and the drawing styles.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <ostream>

#include <cmath>

#include "objects/binary.h"
#include "objects/objectkinds.h"
#include "objects/real48.h"
#include "objects/recording_canvas.h"
#include "objects/shapes/shapes.h"

namespace tavo {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using testing::RecordingCanvas;

using Bytes = std::vector<std::uint8_t>;

struct Real48Case {
  double value;
  Real48 bytes;
};
// Readable test names and failure messages.
void PrintTo(const Real48Case& c, std::ostream* os) {
  *os << c.value;
}

class Real48Test : public ::testing::TestWithParam<Real48Case> {};

TEST_P(Real48Test, EncodesAndDecodesExactBytes) {
  EXPECT_EQ(EncodeReal48(GetParam().value), GetParam().bytes);
  EXPECT_EQ(DecodeReal48(GetParam().bytes), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Values, Real48Test,
    ::testing::Values(Real48Case{0, {0, 0, 0, 0, 0, 0}}, Real48Case{1, {0x81, 0, 0, 0, 0, 0}},
                      Real48Case{-1, {0x81, 0, 0, 0, 0, 0x80}},
                      // Bit masks 2^b: exponent 129 + b, no fraction.
                      Real48Case{32768, {0x90, 0, 0, 0, 0, 0}},
                      Real48Case{0.5, {0x80, 0, 0, 0, 0, 0}},
                      // 1.5 = (1 + 2^38 / 2^39): top fraction bit in byte 5, bit 6.
                      Real48Case{1.5, {0x81, 0, 0, 0, 0, 0x40}},
                      Real48Case{-12.5, {0x84, 0, 0, 0, 0, 0xC8}},
                      Real48Case{100, {0x87, 0, 0, 0, 0, 0x48}}));

TEST(Real48EdgeTest, OutOfRangeValuesHaveDefinedBytes) {
  EXPECT_EQ(EncodeReal48(std::nan("")), (Real48{0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(EncodeReal48(1e-60), (Real48{0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(EncodeReal48(1e300), (Real48{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}));
  EXPECT_EQ(EncodeReal48(-INFINITY), (Real48{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
}

std::unique_ptr<t_linie> MakeLine(double x1, double y1, double x2, double y2) {
  auto line = std::make_unique<t_linie>();
  line->SetEnds(x1, y1, x2, y2);
  return line;
}

TEST(BinaryCommonTest, ThickPenIsWrittenAsThreeAndReadBackAsTwo) {
  auto line = MakeLine(1, 2, 3, 4);
  line->SetPenWidth(2);
  Bytes out;
  line->WriteBinary(out);
  ASSERT_GE(out.size(), 3u);
  EXPECT_EQ(out[2], 3);

  t_linie back;
  EXPECT_TRUE(back.ReadBinary(MemoryReader(out.data() + 1, out.size() - 1)));
  EXPECT_EQ(back.penWidth(), 2);
}

TEST(BinaryCommonTest, PenWidthZeroReadsAsThin) {
  const Bytes record = {15, 0, 1, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  t_linie line;
  EXPECT_TRUE(line.ReadBinary(MemoryReader(record.data(), record.size())));
  EXPECT_EQ(line.penWidth(), 1);
}

TEST(BinaryCommonTest, SwitchingTakesTwoOrTenBytes) {
  t_linie line;
  Bytes none;
  line.WriteSwitching(none);
  EXPECT_THAT(none, ElementsAre(0, 0));

  line.SetSwitching({3, 1, 7});
  Bytes rule;
  line.WriteSwitching(rule);
  EXPECT_THAT(rule, ElementsAre(0x03, 0x00, 0x81, 0, 0, 0, 0, 0, 0x07, 0x00));
}

TEST(BinaryCommonTest, ReadingActionZeroLeavesValueAndVariable) {
  t_linie line;
  line.SetSwitching({5, 42, 9});
  const Bytes zero = {0, 0};
  ByteReader read = MemoryReader(zero.data(), zero.size());
  BinaryIn in(read);
  EXPECT_TRUE(line.ReadSwitching(in));
  EXPECT_EQ(line.GetSwitching(), (t_schaltung{0, 42, 9}));
}

TEST(ProjectFieldsTest, SwitchingValueComesBackRounded) {
  // Halves go to the even neighbour: 12.5 -> 12, 13.5 -> 14.
  for (auto [written, expected] : {std::pair{12.5, 12.0}, {13.5, 14.0}, {-2.5, -2.0}}) {
    t_linie line;
    line.SetSwitching({3, written, 1});
    std::string fields = line.FormatFields();
    EXPECT_NE(fields.find(t_liste::RealToText(written)), std::string::npos);
    t_linie back;
    std::string rest = fields.substr(1);
    t_liste::NextToken(rest);  // the kind field
    back.ParseFields(rest);
    EXPECT_EQ(back.GetSwitching().value, expected) << written;
  }
}

// --- handles ----------------------------------------------------------------

std::unique_ptr<t_rechteck> SelectedRectangle(double l, double t, double r, double b) {
  auto rect = std::make_unique<t_rechteck>();
  rect->SetCorners(l, t, r, b);
  rect->SetSelected(true);
  return rect;
}

TEST(HandleTest, SetFramePlacesEightHandlesWithTruncatedHalves) {
  auto rectOwner = SelectedRectangle(10, 20, 15, 27);
  auto& rect = *rectOwner;
  EXPECT_EQ(rect.Frame(), (FrameRect{10, 20, 15, 27}));
  const HandlePoint expected[] = {{10, 20}, {12, 20}, {15, 20}, {10, 23},
                                  {15, 23}, {10, 27}, {12, 27}, {15, 27}};
  for (int slot = 0; slot < 8; ++slot) EXPECT_EQ(rect.Handle(slot), expected[slot]) << slot;
}

TEST(HandleTest, HandleAtToleranceShrinksWithZoom) {
  auto rectOwner = SelectedRectangle(100, 50, 300, 150);
  auto& rect = *rectOwner;
  for (int x = 92; x <= 100; ++x)
    for (int y = 42; y <= 50; ++y)
      EXPECT_EQ(rect.HandleAt(x, y, 1), kHandleTopLeft) << x << "," << y;
  EXPECT_EQ(rect.HandleAt(91, 46, 1), kHandleNone);
  EXPECT_EQ(rect.HandleAt(101, 46, 1), kHandleNone);
  EXPECT_EQ(rect.HandleAt(100, 50, 8), kHandleTopLeft);
  EXPECT_EQ(rect.HandleAt(99, 50, 8), kHandleNone);
  EXPECT_EQ(rect.HandleAt(304, 154, 1), kHandleBottomRight);
  EXPECT_EQ(rect.HandleAt(200, 154, 1), kHandleBottomMiddle);
  EXPECT_EQ(rect.HandleAt(304, 100, 1), kHandleMiddleRight);
}

TEST(HandleTest, UnselectedObjectHasNoHandles) {
  t_rechteck rect;
  rect.SetCorners(100, 50, 300, 150);
  rect.SetFrame(100, 50, 300, 150);
  EXPECT_EQ(rect.HandleAt(100, 50, 1), kHandleNone);
}

struct DragCase {
  std::int16_t code;
  std::int16_t dx, dy;
  FrameRect frame;
};
// Readable test names and failure messages.
void PrintTo(const DragCase& c, std::ostream* os) {
  *os << "code " << c.code << " by " << c.dx << "," << c.dy;
}

class DragTest : public ::testing::TestWithParam<DragCase> {};

TEST_P(DragTest, ResizesTheFrameOnly) {
  // Extent 200 x 100 at (100, 50).
  auto rectOwner = SelectedRectangle(100, 50, 300, 150);
  auto& rect = *rectOwner;
  tview view;
  view.SetZoom(1);
  rect.DragHandle(GetParam().dx, GetParam().dy, GetParam().code, view);
  EXPECT_EQ(rect.Frame(), GetParam().frame);
  EXPECT_FALSE(rect.edgeHandlesShown());
  EXPECT_FALSE(rect.cornerHandlesShown());
  EXPECT_EQ(rect.ExtentRight(), 300);  // the geometry waits for FitToFrame
}

INSTANTIATE_TEST_SUITE_P(Codes, DragTest,
                         ::testing::Values(
                             // Corners keep the proportions; the wider dimension follows the mouse.
                             DragCase{kHandleBottomRight, 50, 5, {100, 50, 350, 175}},
                             DragCase{kHandleTopLeft, -50, 0, {50, 25, 300, 150}},
                             DragCase{kHandleTopRight, 20, 99, {100, 40, 320, 150}},
                             DragCase{kHandleBottomLeft, 10, 0, {110, 50, 300, 145}},
                             // Middles move one edge.
                             DragCase{kHandleMiddleRight, 50, 5, {100, 50, 350, 150}},
                             DragCase{kHandleMiddleLeft, -7, 9, {93, 50, 300, 150}},
                             DragCase{kHandleTopMiddle, 9, -8, {100, 42, 300, 150}},
                             DragCase{kHandleBottomMiddle, 9, 8, {100, 50, 300, 158}}));

TEST(DragEdgeTest, TallExtentDerivesTheWidth) {
  auto rectOwner = SelectedRectangle(0, 0, 50, 100);
  auto& rect = *rectOwner;
  tview view;
  rect.DragHandle(0, 20, kHandleBottomRight, view);
  EXPECT_EQ(rect.Frame(), (FrameRect{0, 0, 60, 120}));
}

TEST(DragEdgeTest, PointSizedExtentFollowsTheMouseWithoutDividing) {
  auto rectOwner = SelectedRectangle(40, 40, 40, 40);
  auto& rect = *rectOwner;
  tview view;
  rect.DragHandle(10, 6, kHandleBottomRight, view);
  EXPECT_EQ(rect.Frame(), (FrameRect{40, 40, 50, 46}));
}

TEST(DragEdgeTest, FixedSizeOrUnselectedIgnoresDrags) {
  auto fixedOwner = SelectedRectangle(0, 0, 10, 10);
  auto& fixed = *fixedOwner;
  fixed.SetFixedSize(true);
  t_rechteck loose;
  loose.SetCorners(0, 0, 10, 10);
  tview view;
  fixed.DragHandle(5, 5, kHandleBottomRight, view);
  loose.DragHandle(5, 5, kHandleBottomRight, view);
  EXPECT_EQ(fixed.Frame(), (FrameRect{0, 0, 10, 10}));
  EXPECT_EQ(loose.Frame(), (FrameRect{}));
}

TEST(FitTest, DragThenFitMovesTheGeometryIntoTheFrame) {
  auto rectOwner = SelectedRectangle(100, 50, 300, 150);
  auto& rect = *rectOwner;
  tview view;
  rect.DragHandle(50, 5, kHandleBottomRight, view);
  rect.FitToFrame();
  EXPECT_EQ(rect.GetExtent().left, 100);
  EXPECT_EQ(rect.GetExtent().right, 350);
  EXPECT_EQ(rect.GetExtent().bottom, 175);
}

TEST(DrawFrameTest, InvertsOutlineAndShownHandleSquares) {
  RecordingCanvas canvas;
  tview view(&canvas);
  view.SetZoom(1);
  auto rectOwner = SelectedRectangle(10, 10, 20, 20);
  auto& rect = *rectOwner;
  rect.SetHandleFlags(false, true);  // corners only
  rect.DrawFrame(view);
  EXPECT_EQ(canvas.calls.front(), "PenMode(invert)");
  EXPECT_THAT(canvas.Only("LineTo"),
              ElementsAre("LineTo(20,10)", "LineTo(20,20)", "LineTo(10,20)", "LineTo(10,10)"));
  // Inclusive squares, written to the canvas right/bottom exclusive.
  EXPECT_THAT(canvas.Only("FillRect"),
              ElementsAre("FillRect(3,3,11,11)", "FillRect(21,3,29,11)", "FillRect(3,21,11,29)",
                          "FillRect(21,21,29,29)"));
}

// --- mirror, InsideRect, names --------------------------------------------------

TEST(MirrorTest, HorizontalMapsInsideTheOwnExtent) {
  auto lineOwner = MakeLine(10, 5, 110, 25);
  auto& line = *lineOwner;
  line.SetSelected(true);
  line.Mirror(false, true);
  EXPECT_EQ(line.Points()[0], (TermPoint{110, 5}));
  EXPECT_EQ(line.Points()[1], (TermPoint{10, 25}));
  // Handles are restored after the mirror.
  EXPECT_EQ(line.Handle(kSlotTopLeft), (HandlePoint{10, 5}));

  t_polygon poly;
  poly.SetPoints({{10, 0}, {30, 7}, {110, 9}});
  poly.Mirror(true, true);
  // Extent 10..110 x 0..9: x 30 -> 90, y 7 -> 2.
  EXPECT_EQ(poly.Points()[1], (TermPoint{90, 2}));
}

TEST(InsideRectTest, StrictlyInsideWithCornersInAnyOrder) {
  t_rechteck rect;
  rect.SetCorners(10, 10, 20, 20);
  EXPECT_TRUE(rect.InsideRect(9, 9, 21, 21));
  EXPECT_TRUE(rect.InsideRect(21, 21, 9, 9));
  EXPECT_FALSE(rect.InsideRect(10, 9, 21, 21));
  EXPECT_FALSE(rect.InsideRect(9, 9, 20, 21));
}

TEST(NameTest, DisplayNameFallsBackToTheTranslatedTypeName) {
  GermanTranslator german;
  t_rechteck rect;
  EXPECT_EQ(rect.DisplayName(german), "Rechteck");
  rect.name = "Tank";
  EXPECT_EQ(rect.DisplayName(german), "Tank");
}

TEST(KindTableTest, EveryKindDispatchesThroughTheTable) {
  struct Row {
    int kind;
    std::int16_t icon;
    int size;
    const char* typeName;
  };
  const Row rows[] = {
      {1, 2, 58, "Linie"}, {2, 3, 70, "Rechteck"}, {3, 4, 238, "Kreis"}, {4, 5, 256, "Polygon"}};
  GermanTranslator german;
  for (const Row& row : rows) {
    ObjectPtr o = CreateObjectOfKind(row.kind);
    ASSERT_NE(o, nullptr) << row.kind;
    EXPECT_EQ(o->Kind(), row.kind);
    EXPECT_EQ(o->TreeIcon(), row.icon);
    EXPECT_EQ(o->TerminalSize(), row.size);
    EXPECT_EQ(o->TypeName(german), row.typeName);
  }
  EXPECT_EQ(FindKind(20)->treeIcon, 19);
  EXPECT_EQ(FindKind(17), nullptr);
  EXPECT_EQ(CreateObjectOfKind(17), nullptr);
  EXPECT_EQ(CreateObjectOfKind(99), nullptr);
}

// --- styles -----------------------------------------------------------------------

TEST(StyleTest, NormalStyleUsesPaletteLowBitsAndScaledPen) {
  RecordingCanvas canvas;
  tview view(&canvas);
  view.SetZoom(2);
  t_rechteck rect;
  rect.SetPenColour(0x1C);  // low bits 12
  rect.SetPenWidth(2);
  rect.SetPenStyle(2);
  rect.SetFillColour(2);
  rect.SetFillPattern(5);
  rect.UseNormalStyle(view);
  EXPECT_THAT(canvas.calls,
              ElementsAre("PenMode(copy)", "PenWidth(6)", "PenStyle(2)", "PenColour(0000FC)"));
  EXPECT_EQ(view.fillPattern(), 5);
  EXPECT_EQ(view.brushColour(), 0x00A400u);

  view.SetGrayscale(true);
  rect.UseNormalStyle(view);
  EXPECT_EQ(view.brushColour(), 0x505050u);
}

TEST(StyleTest, NoneColoursHideThePenAndTheFill) {
  RecordingCanvas canvas;
  tview view(&canvas);
  view.SetZoom(1);
  t_rechteck rect;
  rect.SetCorners(0, 0, 4, 4);
  rect.SetPenColour(255);
  rect.SetFillColour(255);
  rect.Draw(view, kDrawNormal);
  EXPECT_THAT(canvas.Only("PenStyle"), ElementsAre("PenStyle(5)"));
  EXPECT_THAT(canvas.Only("Brush"), ElementsAre("BrushHollow"));
}

TEST(StyleTest, OutlineAndDragStyles) {
  RecordingCanvas canvas;
  tview view(&canvas);
  view.SetZoom(3);
  t_rechteck rect;
  rect.SetCorners(0, 0, 4, 4);
  rect.Draw(view, kDrawOutline);
  EXPECT_THAT(canvas.Only("Brush"), ElementsAre("BrushHollow"));
  EXPECT_THAT(canvas.Only("PenWidth"), ElementsAre("PenWidth(1)"));
  canvas.calls.clear();
  rect.Draw(view, kDrawDrag);
  EXPECT_EQ(canvas.calls.front(), "PenMode(invert)");
  EXPECT_THAT(canvas.Only("Brush"), ElementsAre("BrushSolid(A4A4A4)"));
  EXPECT_THAT(canvas.Only("PenWidth"), ElementsAre("PenWidth(3)"));
}

}  // namespace
}  // namespace tavo
