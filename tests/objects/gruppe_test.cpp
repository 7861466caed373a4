// Groups: member order for drawing and hits, the three written forms with
// nesting, propagation of attributes and rules, and damaged binary records.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <ostream>

#include "objects/gruppe.h"
#include "objects/objectkinds.h"
#include "objects/shapes/shapes.h"
#include "project/objectlines.h"
#include "project/runwriter.h"

namespace tavo {
namespace {

using ::testing::ElementsAre;

ObjectPtr Line(double x1, double y1, double x2, double y2, const char* name = "") {
  auto line = std::make_unique<t_linie>();
  line->SetEnds(x1, y1, x2, y2);
  line->name = name;
  return line;
}

ObjectPtr Rect(double x1, double y1, double x2, double y2, const char* name = "") {
  auto rect = std::make_unique<t_rechteck>();
  rect->SetCorners(x1, y1, x2, y2);
  rect->name = name;
  return rect;
}

// An object that logs which operations reach it.
class Probe : public t_objekt {
 public:
  Probe(std::string id, std::vector<std::string>& log) : t_objekt(kKindLinie), id_(id), log_(log) {}
  bool HitTest(std::int16_t, std::int16_t) const override {
    log_.push_back("hit " + id_);
    return id_ != "A";
  }
  void Draw(tview&, int mode) const override {
    log_.push_back("draw " + id_ + " " + std::to_string(mode));
  }

 private:
  std::string id_;
  std::vector<std::string>& log_;
};

TEST(GroupOrderTest, DrawsFirstToLastAndHitsLastFirst) {
  std::vector<std::string> log;
  t_gruppe group;
  for (const char* id : {"A", "B", "C"}) group.AppendMember(std::make_unique<Probe>(id, log));
  tview view;
  group.Draw(view, kDrawOutline);
  EXPECT_THAT(log, ElementsAre("draw A 2", "draw B 2", "draw C 2"));
  log.clear();
  EXPECT_TRUE(group.HitTest(0, 0));
  EXPECT_THAT(log, ElementsAre("hit C"));
}

std::unique_ptr<t_gruppe> NestedGroup() {
  // outer: line L1, inner(rect R1, line L2), rect R2
  auto inner = std::make_unique<t_gruppe>();
  inner->name = "innen";
  inner->AppendMember(Rect(10, 10, 20, 20, "R1"));
  inner->AppendMember(Line(0, 0, 5, 5, "L2"));
  auto outer = std::make_unique<t_gruppe>();
  outer->AppendMember(Line(1, 2, 3, 4, "L1"));
  outer->AppendMember(std::move(inner));
  outer->AppendMember(Rect(30, 5, 40, 50, "R2"));
  return outer;
}

TEST(GroupTest, SizeCountAndExtent) {
  auto group = NestedGroup();
  EXPECT_EQ(group->TerminalSize(), 58 + 70 + 58 + 70);
  EXPECT_EQ(group->ObjectCount(), 6);
  const TermRect e = group->GetExtent();
  EXPECT_EQ(e.left, 0);
  EXPECT_EQ(e.top, 0);
  EXPECT_EQ(e.right, 40);
  EXPECT_EQ(e.bottom, 50);
  EXPECT_TRUE(group->IsGroup());
  GermanTranslator german;
  EXPECT_EQ(group->DisplayName(german), "Gruppe");
}

TEST(GroupTest, RunFormHoldsOnlyLeavesDepthFirst) {
  auto group = NestedGroup();
  std::vector<std::string> lines;
  UsedFileTable used;
  RunWriter out([&](const std::string& line) { lines.push_back(line); }, used);
  group->WriteRunLines(out);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], "-(OLine;0;0;0;15;1;1;1;2;3;4)");
  EXPECT_EQ(lines[1].rfind("-(OBar;", 0), 0u);
  EXPECT_NE(lines[1].find(";10;10;20;10;20;20;10;20)"), std::string::npos);
  EXPECT_EQ(lines[2], "-(OLine;0;0;0;15;1;1;0;0;5;5)");
  EXPECT_NE(lines[3].find(";30;5;40;5;40;50;30;50)"), std::string::npos);
}

TEST(GroupTest, ProjectLinesNestAndRoundTrip) {
  auto group = NestedGroup();
  group->SetSwitching({7, 8, 3});
  group->name = "Pumpe";
  ListPtr list(std::move(group));
  const std::vector<std::string> first = WriteObjectLines(list.get());
  EXPECT_THAT(first,
              ElementsAre("-Group(7;3;8;\"Pumpe\")", "-Object(1;7;3;8;15;1;1;0;1;\"L1\";1;2;3;4)",
                          "-Group(7;3;8;\"innen\")",
                          "-Object(2;7;3;8;15;1;1;0;1;\"R1\";10;10;20;10;20;20;10;20)",
                          "-Object(1;7;3;8;15;1;1;0;1;\"L2\";0;0;5;5)", "-GroupEnd",
                          "-Object(2;7;3;8;15;1;1;0;1;\"R2\";30;5;40;5;40;50;30;50)", "-GroupEnd"));
  auto factory = MakeObjectFactory();
  ListPtr back = ReadObjectLines(*factory, first);
  EXPECT_EQ(WriteObjectLines(back.get()), first);
  const auto& g = static_cast<const t_gruppe&>(*back);
  EXPECT_EQ(g.ObjectCount(), 6);
  EXPECT_EQ(g.GetExtent().right, 40);
}

TEST(GroupTest, BinaryRecordNestsAndRoundTrips) {
  auto group = NestedGroup();
  std::vector<std::uint8_t> first;
  group->WriteBinary(first);
  EXPECT_EQ(first.front(), 0);
  EXPECT_EQ(first.back(), 255);
  // outer 0, L1 (1+5+8+2), inner 0, R1 (1+5+20+2), L2 16, 255, R2 28, 255
  EXPECT_EQ(first.size(), 1 + 16 + 1 + 28 + 16 + 1 + 28 + 1u);

  RecordRead read = ReadObjectRecord(MemoryReader(first.data(), first.size()));
  ASSERT_NE(read.object, nullptr);
  EXPECT_TRUE(read.complete);
  EXPECT_EQ(read.object->ObjectCount(), 6);
  std::vector<std::uint8_t> second;
  read.object->WriteBinary(second);
  EXPECT_EQ(second, first);
}

struct DamagedCase {
  const char* what;
  std::vector<std::uint8_t> body;  // after the group's kind byte
  int members;
  bool complete;
};
// Readable test names and failure messages.
void PrintTo(const DamagedCase& c, std::ostream* os) {
  *os << c.what;
}

class DamagedGroupTest : public ::testing::TestWithParam<DamagedCase> {};

TEST_P(DamagedGroupTest, EndsWithADefinedMemberList) {
  const DamagedCase& c = GetParam();
  t_gruppe group;
  EXPECT_EQ(group.ReadBinary(MemoryReader(c.body.data(), c.body.size())), c.complete) << c.what;
  EXPECT_EQ(group.MemberCount(), c.members) << c.what;
}

const std::vector<std::uint8_t> kLineBody = {15, 1, 1, 0, 1, 1, 0, 2, 0, 3, 0, 4, 0, 0, 0};

std::vector<std::uint8_t> Join(std::initializer_list<std::vector<std::uint8_t>> parts) {
  std::vector<std::uint8_t> out;
  for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DamagedGroupTest,
    ::testing::Values(DamagedCase{"empty", {}, 0, false}, DamagedCase{"terminated", {255}, 0, true},
                      DamagedCase{"never ends", Join({{1}, kLineBody, {1}, kLineBody}), 2, false},
                      // Bitmaps (20) and unknown kinds have no body: only the byte is used.
                      DamagedCase{"skipped kinds", Join({{20, 17, 200, 1}, kLineBody, {255}}), 1,
                                  true},
                      DamagedCase{"member cut short", {1, 15, 1, 1}, 1, false},
                      DamagedCase{"nested never ends", Join({{0, 1}, kLineBody}), 1, false}));

TEST(DamagedGroupTest, NestingBeyondTheLimitStopsTheRead) {
  // Guards the stack: a run of group bytes must not recurse without bound.
  std::vector<std::uint8_t> body(100000, 0);
  t_gruppe group;
  EXPECT_FALSE(group.ReadBinary(MemoryReader(body.data(), body.size())));
  int depth = 1;
  for (const t_objekt* g = group.FirstMember(); g && g->IsGroup();
       g = static_cast<const t_gruppe*>(g)->FirstMember())
    ++depth;
  EXPECT_EQ(depth, kMaxGroupDepth);
}

TEST(GroupTest, AttributesAndRulesReachEveryMember) {
  auto group = NestedGroup();
  group->SetPenColour(4);
  group->SetFillPattern(9);
  group->SetSwitching({3, 1, 12});
  const auto& inner = static_cast<const t_gruppe&>(*group->FirstMember()->next());
  const t_objekt& deep = *static_cast<const t_objekt*>(inner.FirstMember()->next());
  EXPECT_EQ(deep.penColour(), 4);
  EXPECT_EQ(deep.fillPattern(), 9);
  EXPECT_EQ(deep.GetSwitching().variable, 12);
  EXPECT_TRUE(group->UsesVariable(12));
  group->RenumberVariable(12, 40);
  EXPECT_EQ(deep.GetSwitching().variable, 40);
  EXPECT_FALSE(group->UsesVariable(12));
}

TEST(GroupTest, SwitchingOfOneMemberMakesTheGroupSwitching) {
  auto group = NestedGroup();
  EXPECT_FALSE(group->HasSwitching());
  auto member = Line(0, 0, 1, 1);
  member->SetSwitching({8, 2, 5});
  group->AppendMember(std::move(member));
  EXPECT_TRUE(group->HasSwitching());
  EXPECT_TRUE(group->UsesVariable(5));
}

TEST(GroupTest, FitToFrameScalesMembersIntoTheFrame) {
  t_gruppe group;
  group.AppendMember(Rect(0, 0, 10, 10));
  group.AppendMember(Rect(10, 10, 20, 20));
  group.SetSelected(true);
  tview view;
  group.DragHandle(20, 20, kHandleBottomRight, view);
  group.FitToFrame();
  const TermRect e = group.GetExtent();
  EXPECT_EQ(e.right, 40);
  EXPECT_EQ(e.bottom, 40);
  const auto& second = static_cast<const t_rechteck&>(*group.FirstMember()->next());
  EXPECT_EQ(second.Points()[0], (TermPoint{20, 20}));
  EXPECT_EQ(second.Points()[2], (TermPoint{40, 40}));
}

TEST(GroupTest, MoveRotateAndMirrorApplyToMembers) {
  t_gruppe group;
  group.AppendMember(Line(0, 0, 10, 0));
  group.AppendMember(Line(10, 0, 10, 20));
  group.MoveBy(5, 5);
  group.UpdateExtent();
  EXPECT_EQ(group.GetExtent().left, 5);
  group.Rotate(5, 5, 90);
  EXPECT_NEAR(group.GetExtent().left, -15, 1e-9);
  EXPECT_NEAR(group.GetExtent().bottom, 15, 1e-9);
  group.SetSelected(true);
  group.Mirror(false, true);
  const auto& first = static_cast<const t_linie&>(*group.FirstMember());
  EXPECT_NEAR(first.Points()[0].x, -15, 1e-9);  // (5,5) mirrored in -15..5
}

TEST(GroupTest, CloneIsDeep) {
  auto group = NestedGroup();
  ObjectPtr copy = group->Clone();
  group->Done();
  EXPECT_EQ(group->ObjectCount(), 1);
  EXPECT_EQ(copy->ObjectCount(), 6);
  std::vector<std::uint8_t> bytes;
  copy->WriteBinary(bytes);
  EXPECT_EQ(bytes.size(), 92u);
}

TEST(FactoryTest, CreatesKnownKindsAndRefusesOthers) {
  auto factory = MakeObjectFactory();
  for (int kind : {1, 2, 3, 4, 5, 16, 20}) EXPECT_NE(factory->CreateObject(kind), nullptr) << kind;
  // Groups come from their own lines; 17..19 and 21 are no kinds.
  for (int kind : {0, 17, 19, 21, -1}) EXPECT_EQ(factory->CreateObject(kind), nullptr) << kind;
  ListPtr group = factory->CreateGroup();
  factory->AppendMember(*group, factory->CreateObject(1));
  factory->AppendMember(*group, std::make_unique<t_liste>());  // no object: dropped
  EXPECT_EQ(static_cast<t_gruppe&>(*group).MemberCount(), 1);
}

}  // namespace
}  // namespace tavo
