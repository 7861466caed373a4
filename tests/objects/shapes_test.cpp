// Line, rectangle, circle and polygon: geometry, hit tests and the three
// written forms.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <ostream>

#include "objects/binary.h"
#include "objects/objectkinds.h"
#include "objects/recording_canvas.h"
#include "objects/shapes/shapes.h"
#include "project/objectlines.h"
#include "project/runwriter.h"

namespace tavo {
namespace {

using ::testing::ElementsAre;
using testing::RecordingCanvas;

std::vector<std::string> RunLines(const t_objekt& object) {
  std::vector<std::string> lines;
  UsedFileTable used;
  RunWriter out([&](const std::string& line) { lines.push_back(line); }, used);
  object.WriteRunLines(out);
  return lines;
}

// --- hit tests ----------------------------------------------------------------------

struct LineHitCase {
  double x1, y1, x2, y2;
  std::int16_t x, y;
  bool hit;
};
// Readable test names and failure messages.
void PrintTo(const LineHitCase& c, std::ostream* os) {
  *os << "(" << c.x1 << "," << c.y1 << ")-(" << c.x2 << "," << c.y2 << ") at " << c.x << "," << c.y;
}

class LineHitTest : public ::testing::TestWithParam<LineHitCase> {};

TEST_P(LineHitTest, BoxThenTwoUnitTolerance) {
  const LineHitCase& c = GetParam();
  t_linie line;
  line.SetEnds(c.x1, c.y1, c.x2, c.y2);
  EXPECT_EQ(line.HitTest(c.x, c.y), c.hit);
}

INSTANTIATE_TEST_SUITE_P(Cases, LineHitTest,
                         ::testing::Values(LineHitCase{10, 20, 110, 20, 60, 20, true},
                                           LineHitCase{10, 20, 110, 20, 60, 21, false},
                                           LineHitCase{10, 20, 110, 20, 111, 20, false},
                                           LineHitCase{50, 0, 50, 100, 50, 40, true},
                                           LineHitCase{50, 0, 50, 100, 51, 40, false},
                                           LineHitCase{0, 0, 100, 50, 50, 26, true},
                                           LineHitCase{0, 0, 100, 50, 50, 30, false},
                                           LineHitCase{0, 0, 100, 50, 50, 23, true},
                                           LineHitCase{0, 0, 100, 50, 50, 22, false},
                                           // End points given in reverse order.
                                           LineHitCase{100, 50, 0, 0, 50, 26, true}));

struct AreaHitCase {
  const char* what;
  std::vector<TermPoint> points;
  std::int16_t x, y;
  bool hit;
};
// Readable test names and failure messages.
void PrintTo(const AreaHitCase& c, std::ostream* os) {
  *os << c.what << " at " << c.x << "," << c.y;
}

class AreaHitTest : public ::testing::TestWithParam<AreaHitCase> {};

TEST_P(AreaHitTest, EvenOddOnTheScanLine) {
  const AreaHitCase& c = GetParam();
  t_polygon poly;
  poly.SetPoints(c.points);
  EXPECT_EQ(poly.HitTest(c.x, c.y), c.hit) << c.what;
}

const std::vector<TermPoint> kSquare = {{10, 10}, {50, 10}, {50, 40}, {10, 40}, {10, 10}};
const std::vector<TermPoint> kTriangle = {{0, 20}, {20, 0}, {40, 20}, {0, 20}};
// A U: two prongs from y 0 to 30 joined below y 30 .. 40.
const std::vector<TermPoint> kU = {{0, 0},  {10, 0},  {10, 30}, {30, 30}, {30, 0},
                                   {40, 0}, {40, 40}, {0, 40},  {0, 0}};

INSTANTIATE_TEST_SUITE_P(Cases, AreaHitTest,
                         ::testing::Values(AreaHitCase{"inside", kSquare, 30, 25, true},
                                           AreaHitCase{"left edge", kSquare, 10, 25, true},
                                           AreaHitCase{"top edge", kSquare, 30, 10, true},
                                           AreaHitCase{"corner", kSquare, 50, 40, true},
                                           AreaHitCase{"outside", kSquare, 51, 25, false},
                                           AreaHitCase{"apex touches scan line", kTriangle, 20, 0,
                                                       true},
                                           AreaHitCase{"beside apex", kTriangle, 21, 0, false},
                                           AreaHitCase{"inside triangle", kTriangle, 20, 10, true},
                                           AreaHitCase{"in the notch", kU, 20, 15, false},
                                           AreaHitCase{"in a prong", kU, 5, 15, true},
                                           AreaHitCase{"right prong", kU, 35, 15, true},
                                           AreaHitCase{"notch floor", kU, 20, 30, true},
                                           AreaHitCase{"through a vertex", kU, 20, 35, true},
                                           AreaHitCase{"empty polygon", {}, 0, 0, false}));

TEST(AreaHitShapeTest, RectangleAndCircleUseTheirRings) {
  t_rechteck rect;
  rect.SetCorners(50, 40, 10, 10);
  EXPECT_TRUE(rect.HitTest(30, 25));
  EXPECT_FALSE(rect.HitTest(9, 25));
  t_kreis circle;
  circle.SetFromCentre(100, 100, 150, 130);
  EXPECT_TRUE(circle.HitTest(100, 100));
  EXPECT_TRUE(circle.HitTest(149, 100));
  EXPECT_FALSE(circle.HitTest(145, 128));  // inside the extent, outside the ellipse
}

// --- geometry -------------------------------------------------------------------------

TEST(GeometryTest, RectangleFromTwoCorners) {
  t_rechteck rect;
  rect.SetCorners(50, 40, 10, 10);
  EXPECT_THAT(rect.Points(), ElementsAre(TermPoint{50, 40}, TermPoint{10, 40}, TermPoint{10, 10},
                                         TermPoint{50, 10}, TermPoint{50, 40}));
  const TermRect e = rect.GetExtent();
  EXPECT_EQ(e.left, 10);
  EXPECT_EQ(e.top, 10);
  EXPECT_EQ(e.right, 50);
  EXPECT_EQ(e.bottom, 40);
}

TEST(GeometryTest, RotatedRectangleStaysClosedAndGrowsItsExtent) {
  t_rechteck rect;
  rect.SetCorners(0, 0, 20, 20);
  rect.Rotate(10, 10, 45);
  ASSERT_EQ(rect.Points().size(), 5u);
  EXPECT_EQ(rect.Points()[4], rect.Points()[0]);
  EXPECT_NEAR(rect.GetExtent().left, 10 - 14.1421, 1e-3);
  EXPECT_NEAR(rect.GetExtent().bottom, 10 + 14.1421, 1e-3);
  // Positive angles turn clockwise on the screen (y down): (0,0) goes up.
  EXPECT_NEAR(rect.Points()[0].x, 10, 1e-9);
  EXPECT_NEAR(rect.Points()[0].y, 10 - 14.1421, 1e-3);
}

TEST(GeometryTest, CircleIsAClosed45Gon) {
  t_kreis circle;
  circle.SetFromCentre(100, 100, 150, 130);
  const auto& p = circle.Points();
  ASSERT_EQ(p.size(), 47u);
  EXPECT_EQ(p[0], (TermPoint{150, 100}));
  EXPECT_EQ(p[45], p[0]);
  EXPECT_EQ(p[46], p[0]);
  EXPECT_NEAR(circle.GetExtent().left, 50, 0.5);
  EXPECT_NEAR(circle.GetExtent().right, 150, 1e-9);
  EXPECT_NEAR(circle.GetExtent().top, 70, 0.5);
  EXPECT_NEAR(circle.GetExtent().bottom, 130, 0.5);
}

TEST(GeometryTest, MoveByAndFitToFrameMapEveryPoint) {
  t_polygon poly;
  poly.SetPoints({{0, 0}, {10, 0}, {10, 20}, {0, 0}});
  poly.MoveBy(5, -3);
  poly.UpdateExtent();
  EXPECT_EQ(poly.Points()[2], (TermPoint{15, 17}));
  poly.SetHandle(kSlotTopLeft, {100, 100});
  poly.SetHandle(kSlotBottomRight, {120, 110});
  poly.FitToFrame();
  EXPECT_EQ(poly.Points()[2], (TermPoint{120, 110}));
  EXPECT_EQ(poly.Points()[0], (TermPoint{100, 100}));
}

TEST(DrawTest, ShapesDrawThroughTheViewWithRoundedPoints) {
  RecordingCanvas canvas;
  tview view(&canvas);
  view.SetZoom(1);
  t_linie line;
  line.SetEnds(1.5, 2.5, 10.4, 2.5);
  line.Draw(view, kDrawNormal);
  EXPECT_THAT(canvas.Only("MoveTo"), ElementsAre("MoveTo(2,2)"));
  EXPECT_THAT(canvas.Only("LineTo"), ElementsAre("LineTo(10,2)"));
  EXPECT_TRUE(canvas.Only("Brush").empty());  // a line has no fill

  canvas.calls.clear();
  t_rechteck rect;
  rect.SetCorners(0.5, 1.5, 4, 4);
  rect.SetFillColour(14);
  rect.Draw(view, kDrawNormal);
  EXPECT_THAT(canvas.Only("Brush"), ElementsAre("BrushSolid(00FCFC)"));
  EXPECT_THAT(canvas.Only("Polygon"), ElementsAre("Polygon((0,2)(4,2)(4,4)(0,4)(0,2))"));
}

// --- run form -------------------------------------------------------------------------

TEST(RunFormTest, LinesCarryWholeNumbersAndTheirKindsFields) {
  t_linie line;
  line.SetEnds(1.5, 2.5, 10.4, -3.6);
  line.SetSwitching({3, 12.5, 7});
  EXPECT_THAT(RunLines(line), ElementsAre("-(OLine;3;7;12;15;1;1;2;2;10;-4)"));

  t_rechteck rect;
  rect.SetCorners(10, 20, 30, 40);
  rect.SetFillColour(4);
  rect.SetFillPattern(3);
  EXPECT_THAT(RunLines(rect), ElementsAre("-(OBar;0;0;0;15;1;1;4;3;10;20;30;20;30;40;10;40)"));

  t_polygon poly;
  poly.SetPoints({{1, 2}, {3, 4}, {1, 2}});
  EXPECT_THAT(RunLines(poly), ElementsAre("-(OPoly;0;0;0;15;1;1;0;1;3;1;2;3;4;1;2)"));
}

TEST(RunFormTest, FieldCountsAfterTheKeyword) {
  const auto fields = [](const std::string& line) {
    return std::count(line.begin(), line.end(), ';');
  };
  t_linie line;
  t_rechteck rect;
  t_kreis circle;
  EXPECT_EQ(fields(RunLines(line)[0]), 10);
  EXPECT_EQ(fields(RunLines(rect)[0]), 16);
  EXPECT_EQ(fields(RunLines(circle)[0]), 8 + 94);
  EXPECT_EQ(RunLines(circle)[0].rfind("-(OKreis;", 0), 0u);
}

// --- project-file form ----------------------------------------------------------------

class ProjectRoundTripTest : public ::testing::TestWithParam<std::string> {};

TEST_P(ProjectRoundTripTest, WriteParseWriteGivesTheSameLine) {
  auto factory = MakeObjectFactory();
  ListPtr list = ReadObjectLines(*factory, {GetParam()});
  ASSERT_NE(list, nullptr);
  EXPECT_THAT(WriteObjectLines(list.get()), ElementsAre(GetParam()));
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, ProjectRoundTripTest,
    ::testing::Values(
        "-Object(1;0;0;0;15;1;1;0;1;\"\";1.5;2.25;110;-20)",
        "-Object(1;8;3;1024;4;2;0;255;0;\"Rohr \"\"A\"\"\";0.33333333;0;7;7)",
        "-Object(2;3;7;12;15;1;1;2;5;\"Tank\";10;10;50;10;50;40;10;40)",
        "-Object(4;0;0;0;1;1;3;14;11;\"\";3;0;0;10;5;0;0)",
        "-Object(4;0;0;0;1;1;3;14;11;\"leer\";0)",
        "-Object(3;0;0;0;15;1;1;0;1;\"\";"
        "150;100;149.24038765;104.17584964;146.984631;108.2635182;0;0;0;0;0;0;0;0;0;0;0;0;0;0;"
        "0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;"
        "0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;150;100)"));

TEST(ProjectFieldsTest, PolygonOf51PointsKeepsThemAll) {
  t_polygon poly;
  std::vector<TermPoint> points;
  for (int i = 0; i < 50; ++i) points.push_back({double(i), double(i % 7)});
  points.push_back(points.front());
  poly.SetPoints(points);
  const std::string line = poly.FormatFields();
  EXPECT_NE(line.find(";\"\";51;0;0;1;1;"), std::string::npos);

  t_polygon back;
  std::string rest = line.substr(1);
  t_liste::NextToken(rest);
  back.ParseFields(rest);
  EXPECT_EQ(back.Points(), poly.Points());
}

struct BadLineCase {
  const char* line;
  int points;     // expected polygon count
  double firstX;  // expected x of the first point, when there is one
};
// Readable test names and failure messages.
void PrintTo(const BadLineCase& c, std::ostream* os) {
  *os << c.line;
}

class BadPolygonLineTest : public ::testing::TestWithParam<BadLineCase> {};

TEST_P(BadPolygonLineTest, CountsAndCoordinatesStayWithinTheShape) {
  auto factory = MakeObjectFactory();
  ListPtr list = ReadObjectLines(*factory, {GetParam().line});
  ASSERT_NE(list, nullptr);
  const auto& poly = static_cast<const t_polygon&>(*list);
  EXPECT_EQ(poly.Count(), GetParam().points);
  if (poly.Count() > 0) {
    EXPECT_EQ(poly.Points()[0].x, GetParam().firstX);
  }
  // Writing it back never produces a count the points do not carry.
  ListPtr again = ReadObjectLines(*factory, WriteObjectLines(list.get()));
  EXPECT_EQ(WriteObjectLines(again.get()), WriteObjectLines(list.get()));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BadPolygonLineTest,
    ::testing::Values(BadLineCase{"-Object(4;0;0;0;1;1;1;1;1;\"\";0)", 0, 0},
                      BadLineCase{"-Object(4;0;0;0;1;1;1;1;1;\"\";-5;1;2)", 0, 0},
                      // More points announced than the shape holds: 51 are read.
                      BadLineCase{"-Object(4;0;0;0;1;1;1;1;1;\"\";99999;4;5)", 51, 4},
                      // Announced more than present: the missing ones read as 0.
                      BadLineCase{"-Object(4;0;0;0;1;1;1;1;1;\"\";3;4;5)", 3, 4},
                      // Not-a-number and huge coordinates.
                      BadLineCase{"-Object(4;0;0;0;1;1;1;1;1;\"\";2;nan;5;1e300;2)", 2, 0},
                      BadLineCase{"-Object(4;0;0;0;1;1;1;1;1;\"\";1;-1e300;5)", 1, -32768},
                      BadLineCase{"-Object(4;0;0;0;1;1;1;1;1;\"\";1;70000;5)", 1, 32767}));

// --- binary form ----------------------------------------------------------------------

TEST(BinaryFormTest, LineRecordBytes) {
  t_linie line;
  line.SetEnds(1.5, 2.5, -300, 1000);
  line.SetPenColour(4);
  line.SetSwitching({8, 4, 2});
  std::vector<std::uint8_t> out;
  line.WriteBinary(out);
  EXPECT_THAT(out, ElementsAre(1,                                   // kind
                               4, 1, 1, 0, 1,                       // attributes
                               2, 0, 2, 0, 0xD4, 0xFE, 0xE8, 0x03,  // points
                               8, 0, 0x83, 0, 0, 0, 0, 0, 2, 0));   // switching
}

class BinaryRoundTripTest : public ::testing::TestWithParam<int> {};

TEST_P(BinaryRoundTripTest, WriteReadWriteGivesTheSameBytes) {
  ObjectPtr original = CreateObjectOfKind(GetParam());
  auto* shape = dynamic_cast<t_punktobjekt*>(original.get());
  ASSERT_NE(shape, nullptr);
  if (auto* l = dynamic_cast<t_linie*>(shape)) l->SetEnds(3, 4, 200, 100);
  if (auto* r = dynamic_cast<t_rechteck*>(shape)) r->SetCorners(3, 4, 200, 100);
  if (auto* c = dynamic_cast<t_kreis*>(shape)) c->SetFromCentre(100, 100, 130, 120);
  if (auto* p = dynamic_cast<t_polygon*>(shape)) {
    std::vector<TermPoint> pts;
    for (int i = 0; i < 50; ++i) pts.push_back({double(3 * i), double(i % 5)});
    pts.push_back(pts.front());
    p->SetPoints(pts);  // the full 51 points of a finished polygon
  }
  original->SetPenWidth(2);
  original->SetFillColour(9);
  original->SetSwitching({7, 16, 3});
  std::vector<std::uint8_t> first;
  original->WriteBinary(first);

  RecordRead read = ReadObjectRecord(MemoryReader(first.data(), first.size()));
  ASSERT_NE(read.object, nullptr);
  EXPECT_TRUE(read.complete);
  std::vector<std::uint8_t> second;
  read.object->WriteBinary(second);
  EXPECT_EQ(second, first);
  EXPECT_EQ(read.object->penWidth(), 2);
  EXPECT_EQ(read.object->GetSwitching(), (t_schaltung{7, 16, 3}));
}

INSTANTIATE_TEST_SUITE_P(Kinds, BinaryRoundTripTest, ::testing::Values(1, 2, 3, 4));

TEST(BinaryFormTest, PolygonCountsBeyondTheShapeAreLimited) {
  // count 1000: 51 points are read, the rest of the record is out of step
  // but nothing reads past the data.
  std::vector<std::uint8_t> record = {15, 1, 1, 0, 1, 0xE8, 0x03};
  for (int i = 0; i < 60; ++i) record.insert(record.end(), {1, 0, 2, 0});
  t_polygon poly;
  poly.ReadBinary(MemoryReader(record.data(), record.size()));
  EXPECT_EQ(poly.Count(), 51);

  const std::vector<std::uint8_t> negative = {15, 1, 1, 0, 1, 0xFF, 0xFF, 0, 0};
  t_polygon none;
  EXPECT_TRUE(none.ReadBinary(MemoryReader(negative.data(), negative.size())));
  EXPECT_EQ(none.Count(), 0);
}

TEST(BinaryFormTest, TruncatedRecordKeepsWhatWasWhole) {
  // Polygon announcing 3 points, data ends inside the second.
  const std::vector<std::uint8_t> record = {15, 1, 1, 0, 1, 3, 0, 7, 0, 8, 0, 9};
  t_polygon poly;
  EXPECT_FALSE(poly.ReadBinary(MemoryReader(record.data(), record.size())));
  EXPECT_THAT(poly.Points(), ElementsAre(TermPoint{7, 8}));
}

TEST(CloneTest, CopiesGeometryAndAttributesButNotSelection) {
  t_kreis circle;
  circle.SetFromCentre(10, 10, 20, 20);
  circle.name = "Lampe";
  circle.SetFillPattern(7);
  circle.SetSelected(true);
  ObjectPtr copy = circle.Clone();
  auto* c = dynamic_cast<t_kreis*>(copy.get());
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c->Points(), circle.Points());
  EXPECT_EQ(c->name, "Lampe");
  EXPECT_EQ(c->fillPattern(), 7);
  EXPECT_FALSE(c->IsSelected());
  EXPECT_EQ(c->next(), nullptr);
}

}  // namespace
}  // namespace tavo
