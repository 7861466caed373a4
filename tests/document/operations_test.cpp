#include "document/operations.h"

#include <gtest/gtest.h>

#include <cmath>

#include "demo.h"
#include "objects/bitmap/tqvxbitmap.h"
#include "objects/gruppe.h"
#include "objects/shapes/shapes.h"

namespace tavo {
namespace {

using testing::FileBytes;
using testing::ObjectAt;
using testing::PictureAt;

// Rectangles named by one letter, 20 pixels wide, side by side.
ObjectPtr Box(const std::string& name, double x = 0, double y = 0, double w = 20, double h = 10) {
  auto box = std::make_unique<t_rechteck>();
  box->name = name;
  box->SetCorners(x, y, x + w, y + h);
  box->UpdateExtent();
  return box;
}

ObjectPtr Bitmap(const std::string& file, double x, double y, double w, double h) {
  auto bitmap = std::make_unique<tqvxbitmap>();
  bitmap->file = file;
  bitmap->SetCorners(x, y, x + w, y + h);
  bitmap->UpdateExtent();
  return bitmap;
}

ObjectPtr Group(std::initializer_list<ObjectPtr*> members, const std::string& name = "") {
  auto group = std::make_unique<t_gruppe>();
  group->name = name;
  for (ObjectPtr* m : members) group->AppendMember(std::move(*m));
  return group;
}

// The names of a list, blank-separated; a group as "name(members)".
std::string Names(const t_liste* first) {
  std::string text;
  for (const t_liste* n = first; n; n = n->next()) {
    if (!text.empty()) text += ' ';
    text += n->name;
    if (const auto* g = dynamic_cast<const t_gruppe*>(n))
      text += "(" + Names(g->FirstMember()) + ")";
  }
  return text;
}

class Operations : public ::testing::Test {
 protected:
  // One picture "P" holding the given objects, open in the editor, and a
  // second picture "Zweites" with picture number 2.
  void Make(std::vector<ObjectPtr> objects) {
    auto project = std::make_unique<t_projekt>();
    auto picture = std::make_unique<t_bild>();
    picture->name = "P";
    picture->number = 1;
    for (ObjectPtr& o : objects) AppendNode(picture->objects, std::move(o));
    AppendNode(project->pictures, std::move(picture));
    auto second = std::make_unique<t_bild>();
    second->name = "Zweites";
    second->number = 2;
    second->pictureNumber = 2;
    AppendNode(project->pictures, std::move(second));
    doc = std::make_unique<Document>(std::move(project));
    // The registry as a project read from a file has it.
    for (t_liste* o = PictureAt(doc->Project(), 1).objects.get(); o; o = o->next()) {
      std::vector<BitmapUse> uses;
      CollectBitmapUses(static_cast<t_objekt&>(*o), uses);
      for (const BitmapUse& u : uses)
        *u.identifier = doc->Project().bitmaps.Register(u.fileName, u.width, u.height, 0);
    }
    picture_ = &PictureAt(doc->Project(), 1);
    doc->SetOpenPicture(picture_);
    original = Bytes();
  }
  void MakeABCD() {
    std::vector<ObjectPtr> objects;
    for (const char* n : {"A", "B", "C", "D"}) objects.push_back(Box(n, 30.0 * objects.size()));
    Make(std::move(objects));
  }
  t_objekt* Named(const std::string& name, t_liste* first = nullptr) {
    for (t_liste* n = first ? first : picture_->objects.get(); n; n = n->next()) {
      if (n->name == name) return static_cast<t_objekt*>(n);
      if (auto* g = dynamic_cast<t_gruppe*>(n))
        if (t_objekt* inner = Named(name, g->FirstMember())) return inner;
    }
    return nullptr;
  }
  void Select(std::initializer_list<const char*> names) {
    std::vector<t_objekt*> chosen;
    for (const char* n : names) chosen.push_back(Named(n));
    doc->SetSelection(chosen);
  }
  std::string Order() const { return Names(picture_->objects.get()); }
  std::string Selected() const {
    std::string text;
    for (t_objekt* o : doc->SelectedObjects()) text += (text.empty() ? "" : " ") + o->name;
    return text;
  }
  std::string Bytes() const { return FileBytes(doc->Project()); }
  // Undoing everything gives the project back byte for byte.
  void ExpectUndoAllGivesOriginal() {
    while (doc->CanUndo()) doc->Undo();
    EXPECT_EQ(Bytes(), original);
  }
  const std::vector<bmprectype>& Registry() const { return doc->Project().bitmaps.Entries(); }

  std::unique_ptr<Document> doc;
  t_bild* picture_ = nullptr;
  std::string original;
};

// --- drawing order --------------------------------------------------------------------

TEST(DrawingOrderRules, EachOperationOnItsList) {
  struct Case {
    const char* list;  // selected entries in capitals
    DrawingOrder order;
    const char* expected;
  };
  const Case cases[] = {
      {"aBCd", DrawingOrder::ToFront, "adBC"},    {"aBCd", DrawingOrder::ToBack, "BCad"},
      {"aBCd", DrawingOrder::OneForward, "adBC"}, {"aBCd", DrawingOrder::OneBack, "BCad"},
      {"aBc", DrawingOrder::OneBack, "Bac"},      {"ABc", DrawingOrder::OneBack, "BAc"},
      {"abC", DrawingOrder::OneForward, "abC"},   {"Abc", DrawingOrder::ToBack, "Abc"},
      {"aBcD", DrawingOrder::ToFront, "acBD"},    {"aBcD", DrawingOrder::OneForward, "acBD"},
      {"AbCd", DrawingOrder::OneBack, "ACbd"},    {"", DrawingOrder::ToFront, ""},
  };
  for (const Case& c : cases) {
    const std::string list = c.list;
    SCOPED_TRACE(list + " " + std::to_string(static_cast<int>(c.order)));
    std::vector<bool> selected;
    for (char ch : list) selected.push_back(std::isupper(static_cast<unsigned char>(ch)) != 0);
    std::string result;
    for (std::size_t p : ReorderedPositions(selected, c.order)) result += list[p];
    EXPECT_EQ(result, c.expected);
  }
}

// The order reaches every group's member list; the step leaves nothing
// selected and undo gives the order back.
TEST_F(Operations, DrawingOrderReachesGroupMembersAndUndoes) {
  ObjectPtr x = Box("X"), y = Box("Y"), z = Box("Z");
  ObjectPtr inner = Group({&y, &z}, "I");
  std::vector<ObjectPtr> objects;
  objects.push_back(Box("A"));
  objects.push_back(Group({&x, &inner}, "G"));
  objects.push_back(Box("B"));
  Make(std::move(objects));
  Select({"A", "Y", "X"});
  ASSERT_TRUE(ChangeDrawingOrder(*doc, *picture_, DrawingOrder::ToFront));
  EXPECT_EQ(Order(), "G(I(Z Y) X) B A");
  EXPECT_EQ(Selected(), "");
  EXPECT_EQ(doc->History().Size(), 1u);
  ExpectUndoAllGivesOriginal();

  // Nothing to move: no step, but the selection goes as after any order step.
  Select({"B"});
  ASSERT_TRUE(ChangeDrawingOrder(*doc, *picture_, DrawingOrder::ToFront));
  EXPECT_FALSE(doc->CanUndo());
  EXPECT_EQ(Selected(), "");
}

// --- group and ungroup ------------------------------------------------------------------

TEST_F(Operations, GroupTakesTheSelectionInItsOrderAndGoesInFront) {
  MakeABCD();
  Select({"D", "B"});
  ASSERT_TRUE(GroupSelection(*doc, *picture_));
  EXPECT_EQ(Order(), "A C (B D)");
  EXPECT_EQ(Selected(), "");
  const auto* group = static_cast<t_gruppe*>(ObjectAt(*picture_, 3));
  EXPECT_DOUBLE_EQ(group->GetExtent().left, 30);
  EXPECT_DOUBLE_EQ(group->GetExtent().right, 110);
  EXPECT_EQ(doc->History().Size(), 1u);

  doc->SetSelection(std::vector<t_objekt*>{ObjectAt(*picture_, 3), Named("A")});
  ASSERT_TRUE(UngroupSelection(*doc, *picture_));
  EXPECT_EQ(Order(), "A C B D");
  EXPECT_EQ(Selected(), "");
  ExpectUndoAllGivesOriginal();

  // One object, or no group among the selection: nothing happens.
  Select({"A"});
  ASSERT_TRUE(GroupSelection(*doc, *picture_));
  Select({"A", "B"});
  ASSERT_TRUE(UngroupSelection(*doc, *picture_));
  EXPECT_FALSE(doc->CanUndo());
}

TEST_F(Operations, UngroupChainsTheMembersOfEveryGroup) {
  ObjectPtr a = Box("a"), b = Box("b"), c = Box("c");
  std::vector<ObjectPtr> objects;
  objects.push_back(Group({&a, &b}, "G1"));
  objects.push_back(Box("X"));
  objects.push_back(Group({&c}, "G2"));
  Make(std::move(objects));
  Select({"G1", "G2", "X"});
  ASSERT_TRUE(UngroupSelection(*doc, *picture_));
  EXPECT_EQ(Order(), "X a b c");
  ExpectUndoAllGivesOriginal();
}

// A project file keeps at most kMaxGroupDepth nested groups; grouping
// beyond would come back changed from the file.
TEST_F(Operations, GroupRefusesToNestDeeperThanAFileKeeps) {
  ObjectPtr deep = Box("x");
  for (int i = 0; i < kMaxGroupDepth; ++i) deep = Group({&deep});
  deep->name = "Tief";
  std::vector<ObjectPtr> objects;
  objects.push_back(std::move(deep));
  objects.push_back(Box("B"));
  Make(std::move(objects));
  Select({"Tief", "B"});
  const EditResult result = GroupSelection(*doc, *picture_);
  EXPECT_FALSE(result);
  EXPECT_EQ(result.error.entry, txt::kEditGroupTooDeep.entry);
  EXPECT_EQ(Bytes(), original);
}

// --- copy, mirror, rotate ---------------------------------------------------------------

TEST_F(Operations, CopiesGoInFrontInReverseOrderAndAreTheSelection) {
  MakeABCD();
  Select({"B", "C"});
  EditingOptions options;
  ASSERT_TRUE(CopySelection(*doc, *picture_, options));
  EXPECT_EQ(Order(), "A B C D C B");
  EXPECT_EQ(doc->SelectedObjects(),
            (std::vector<t_objekt*>{ObjectAt(*picture_, 5), ObjectAt(*picture_, 6)}));
  EXPECT_DOUBLE_EQ(ObjectAt(*picture_, 6)->GetExtent().left, 40);
  EXPECT_DOUBLE_EQ(ObjectAt(*picture_, 6)->GetExtent().top, 10);
  EXPECT_EQ(doc->History().Size(), 1u);
  ExpectUndoAllGivesOriginal();
}

TEST_F(Operations, MirrorInPlaceOrAsShiftedCopy) {
  std::vector<ObjectPtr> objects;
  auto line = std::make_unique<t_linie>();
  line->name = "L";
  line->SetEnds(10, 20, 110, 60);
  objects.push_back(std::move(line));
  auto mark = std::make_unique<t_linie>();
  mark->name = "M";
  mark->SetEnds(30, 20, 30, 40);
  objects.push_back(std::move(mark));
  Make(std::move(objects));
  auto points = [&](const char* name) {
    return static_cast<t_punktobjekt*>(Named(name))->Points();
  };

  // Without a direction: nothing changes and no step is recorded.
  Select({"L"});
  EditingOptions none;
  none.mirrorX = none.mirrorY = false;
  ASSERT_TRUE(MirrorSelection(*doc, *picture_, none));
  EXPECT_EQ(doc->History().Size(), 0u);

  // Left and right change places inside the extent 10..110.
  EditingOptions horizontal = none;
  horizontal.mirrorY = true;
  Select({"L"});
  ASSERT_TRUE(MirrorSelection(*doc, *picture_, horizontal));
  EXPECT_DOUBLE_EQ(points("L")[0].x, 110);
  EXPECT_DOUBLE_EQ(points("L")[0].y, 20);
  EXPECT_EQ(Selected(), "L");  // the mirrored object stays selected

  // A copy is still made when no direction is set.
  none.mirrorCopy = true;
  ASSERT_TRUE(MirrorSelection(*doc, *picture_, none));
  EXPECT_EQ(Order(), "L M L");
  EXPECT_DOUBLE_EQ(points("L")[0].x, 110);
  const auto& copy = static_cast<t_punktobjekt*>(ObjectAt(*picture_, 3))->Points();
  EXPECT_DOUBLE_EQ(copy[0].x, 120);
  EXPECT_DOUBLE_EQ(copy[0].y, 30);
  ExpectUndoAllGivesOriginal();
}

TEST_F(Operations, FourQuarterTurnsGiveTheStartBack) {
  std::vector<ObjectPtr> objects;
  objects.push_back(Box("A", 13, 7, 40, 11));
  Make(std::move(objects));
  const PointList start = static_cast<t_punktobjekt*>(Named("A"))->Points();
  EditingOptions options;
  options.angle = 90;
  for (int i = 0; i < 4; ++i) {
    Select({"A"});
    ASSERT_TRUE(RotateSelection(*doc, *picture_, options));
  }
  const PointList& end = static_cast<t_punktobjekt*>(Named("A"))->Points();
  ASSERT_EQ(end.size(), start.size());
  for (std::size_t i = 0; i < end.size(); ++i) {
    EXPECT_NEAR(end[i].x, start[i].x, 1e-9);
    EXPECT_NEAR(end[i].y, start[i].y, 1e-9);
  }
  EXPECT_EQ(doc->History().Size(), 4u);
}

// A bitmap does not rotate: turning it alone is no step, turning a copy
// still makes the shifted copy, which counts as one more use of the image.
TEST_F(Operations, RotatingWhatCannotRotate) {
  std::vector<ObjectPtr> objects;
  objects.push_back(Bitmap("logo.bmp", 10, 10, 40, 20));
  objects.back()->name = "Logo";
  Make(std::move(objects));
  Select({"Logo"});
  EditingOptions options;
  ASSERT_TRUE(RotateSelection(*doc, *picture_, options));
  EXPECT_EQ(doc->History().Size(), 0u);
  options.rotateCopy = true;
  ASSERT_TRUE(RotateSelection(*doc, *picture_, options));
  ASSERT_EQ(Order(), "Logo Logo");
  EXPECT_DOUBLE_EQ(ObjectAt(*picture_, 2)->GetExtent().left, 20);
  ASSERT_EQ(Registry().size(), 1u);
  EXPECT_EQ(Registry()[0].useCount, 2);
  ExpectUndoAllGivesOriginal();
  EXPECT_EQ(Registry()[0].useCount, 1);
}

// --- delete -----------------------------------------------------------------------------

TEST_F(Operations, DeleteRemovesEmptiedInnerGroupsAndKeepsEmptiedTopGroups) {
  ObjectPtr a = Box("a"), b = Box("b"), c = Box("c"), d = Box("d");
  ObjectPtr inner = Group({&a, &b}, "I");
  std::vector<ObjectPtr> objects;
  objects.push_back(Group({&inner, &c}, "G"));
  objects.push_back(Group({&d}, "H"));
  objects.push_back(Box("X"));
  Make(std::move(objects));

  Select({"a", "b"});
  ASSERT_TRUE(DeleteSelection(*doc, *picture_));
  EXPECT_EQ(Order(), "G(c) H(d) X");
  Select({"d", "X"});
  ASSERT_TRUE(DeleteSelection(*doc, *picture_));
  EXPECT_EQ(Order(), "G(c) H()");
  EXPECT_EQ(doc->History().Size(), 2u);

  EXPECT_FALSE(SelectionDeletes(*picture_));
  ASSERT_TRUE(DeleteSelection(*doc, *picture_));
  EXPECT_EQ(doc->History().Size(), 2u);
  ExpectUndoAllGivesOriginal();
}

// --- the bitmap registry ---------------------------------------------------------------

// The registry's use counts follow copies, deletions, grouping and
// ungrouping, and undo and redo give them back.
TEST_F(Operations, RegistryFollowsEveryOperation) {
  ObjectPtr inGroup = Bitmap("logo.bmp", 50, 10, 30, 20);
  inGroup->name = "b2";
  ObjectPtr box = Box("x");
  std::vector<ObjectPtr> objects;
  objects.push_back(Bitmap("logo.bmp", 10, 10, 30, 20));
  objects.back()->name = "b1";
  objects.push_back(Group({&inGroup, &box}, "G"));
  Make(std::move(objects));
  auto uses = [&] { return Registry().size() == 1 ? Registry()[0].useCount : -1; };
  ASSERT_EQ(uses(), 2);

  Select({"G"});
  ASSERT_TRUE(UngroupSelection(*doc, *picture_));  // the members stay in the picture
  EXPECT_EQ(Order(), "b1 b2 x");
  EXPECT_EQ(uses(), 2);
  Select({"b1", "b2"});
  ASSERT_TRUE(GroupSelection(*doc, *picture_));
  EXPECT_EQ(uses(), 2);
  doc->SetSelection(std::vector<t_objekt*>{ObjectAt(*picture_, 2)});
  ASSERT_TRUE(CopySelection(*doc, *picture_, EditingOptions{}));  // two bitmaps in the copy
  EXPECT_EQ(Order(), "x (b1 b2) (b1 b2)");
  EXPECT_EQ(uses(), 4);
  Select({"b2", "x"});  // b2 of the first group
  ASSERT_TRUE(DeleteSelection(*doc, *picture_));
  EXPECT_EQ(Order(), "(b1) (b1 b2)");
  EXPECT_EQ(uses(), 3);
  const std::vector<bmprectype> after = Registry();

  doc->Undo();
  EXPECT_EQ(uses(), 4);
  doc->Undo();
  EXPECT_EQ(uses(), 2);
  ExpectUndoAllGivesOriginal();
  EXPECT_EQ(uses(), 2);
  while (doc->CanRedo()) doc->Redo();
  EXPECT_EQ(Registry(), after);
}

// --- drawing attributes ----------------------------------------------------------------

TEST_F(Operations, PickerStartValues) {
  MakeABCD();
  Named("B")->SetFillColour(3);
  Named("C")->SetFillColour(5);
  Named("D")->SetFillColour(3);
  const std::uint8_t current = 9;
  struct Case {
    std::vector<const char*> selected;
    int expected;
  };
  const Case cases[] = {
      {{"B", "C"}, kMixedAttribute},
      {{"B", "D"}, 3},
      {{"C"}, 5},
      {{}, 9},
  };
  for (const Case& c : cases) {
    std::vector<t_objekt*> chosen;
    for (const char* n : c.selected) chosen.push_back(Named(n));
    doc->SetSelection(chosen);
    EXPECT_EQ(PickerStartValue(picture_, ObjectAttribute::FillColour, current), c.expected);
  }
  EXPECT_EQ(PickerStartValue(nullptr, ObjectAttribute::FillColour, current), 9);
}

// A value reaches every selected object at any depth, and a group's own
// setter its members; closing without a choice changes nothing.
TEST_F(Operations, PickedAttributeReachesEverySelectedObject) {
  ObjectPtr a = Box("a"), b = Box("b"), c = Box("c");
  std::vector<ObjectPtr> objects;
  objects.push_back(Group({&a, &b}, "G"));
  objects.push_back(Group({&c}, "H"));
  objects.push_back(Box("X"));
  Make(std::move(objects));
  Select({"G", "c"});
  std::uint8_t current = 15;

  ASSERT_TRUE(ApplyPickedAttribute(doc.get(), picture_, ObjectAttribute::FillColour,
                                   kMixedAttribute, current));
  EXPECT_EQ(current, 15);
  EXPECT_EQ(doc->History().Size(), 0u);

  ASSERT_TRUE(ApplyPickedAttribute(doc.get(), picture_, ObjectAttribute::FillColour, 255, current));
  EXPECT_EQ(current, 255);
  for (const char* name : {"G", "a", "b", "c"}) EXPECT_EQ(Named(name)->fillColour(), 255) << name;
  EXPECT_NE(Named("H")->fillColour(), 255);
  EXPECT_NE(Named("X")->fillColour(), 255);
  EXPECT_EQ(doc->History().Size(), 1u);
  EXPECT_EQ(Selected(), "G c");

  // The same value again changes nothing and records nothing.
  ASSERT_TRUE(ApplyPickedAttribute(doc.get(), picture_, ObjectAttribute::FillColour, 255, current));
  EXPECT_EQ(doc->History().Size(), 1u);
  // Without a picture the value only becomes the current attribute.
  ASSERT_TRUE(ApplyPickedAttribute(nullptr, nullptr, ObjectAttribute::PenWidth, 2, current));
  EXPECT_EQ(current, 2);
  ExpectUndoAllGivesOriginal();
}

// --- alignment and spacing ------------------------------------------------------------

TEST_F(Operations, AlignDistributeAndMatchSize) {
  struct Case {
    std::function<EditResult(Document&, t_bild&)> run;
    // Left and top of A, B, C afterwards.
    double expected[3][2];
  };
  auto align = [](Alignment a) {
    return [a](Document& d, t_bild& p) { return AlignSelection(d, p, a); };
  };
  const Case cases[] = {
      {align(Alignment::Left), {{10, 0}, {10, 30}, {10, 50}}},
      {align(Alignment::Right), {{120, 0}, {90, 30}, {100, 50}}},
      {align(Alignment::Top), {{10, 0}, {60, 0}, {100, 0}}},
      {align(Alignment::Bottom), {{10, 50}, {60, 40}, {100, 50}}},
      {align(Alignment::HorizontalCentre), {{65, 0}, {50, 30}, {55, 50}}},
      {[](Document& d, t_bild& p) { return DistributeSelection(d, p, Distribution::Horizontal); },
       {{10, 0}, {40, 30}, {100, 50}}},
  };
  for (const Case& c : cases) {
    std::vector<ObjectPtr> objects;
    objects.push_back(Box("A", 10, 0, 20, 10));
    objects.push_back(Box("B", 60, 30, 50, 20));
    objects.push_back(Box("C", 100, 50, 40, 10));
    Make(std::move(objects));
    Select({"A", "B", "C"});
    ASSERT_TRUE(c.run(*doc, *picture_));
    int i = 0;
    for (const char* name : {"A", "B", "C"}) {
      SCOPED_TRACE(name);
      EXPECT_DOUBLE_EQ(Named(name)->GetExtent().left, c.expected[i][0]);
      EXPECT_DOUBLE_EQ(Named(name)->GetExtent().top, c.expected[i][1]);
      ++i;
    }
    EXPECT_LE(doc->History().Size(), 1u);
    ExpectUndoAllGivesOriginal();
  }

  // The widths of the backmost selected object; a group is stretched as one.
  ObjectPtr m = Box("m", 50, 0, 10, 10), n = Box("n", 70, 0, 10, 10);
  std::vector<ObjectPtr> objects;
  objects.push_back(Box("A", 10, 0, 20, 10));
  objects.push_back(Group({&m, &n}, "G"));
  Make(std::move(objects));
  Select({"A", "G"});
  ASSERT_TRUE(MatchSelectionSize(*doc, *picture_, SizeMatch::Width));
  EXPECT_DOUBLE_EQ(Named("G")->GetExtent().left, 50);
  EXPECT_DOUBLE_EQ(Named("G")->GetExtent().right, 70);
  EXPECT_DOUBLE_EQ(Named("n")->GetExtent().right, 70);
  ExpectUndoAllGivesOriginal();
}

// --- keys and base data --------------------------------------------------------------------

TEST_F(Operations, KeyValuesAreOneStepAndWriteTheirLines) {
  MakeABCD();
  const std::pair<int, std::uint16_t> shiftF2[] = {{FunctionKeyNumber(2, 1), 3}};
  ASSERT_EQ(shiftF2[0].first, 14);
  ASSERT_TRUE(SetPictureKeys(*doc, *picture_, shiftF2));
  EXPECT_EQ(picture_->Key(14)->value, 3);
  EXPECT_NE(Bytes().find("-Key(14;3;\"\")\r\n"), std::string::npos);
  const std::pair<int, std::uint16_t> nothing[] = {{14, 0}};
  ASSERT_TRUE(SetPictureKeys(*doc, *picture_, nothing));
  EXPECT_EQ(Bytes().find("-Key("), std::string::npos);
  ASSERT_TRUE(SetPictureKeys(*doc, *picture_, nothing));  // no change, no step
  EXPECT_EQ(doc->History().Size(), 2u);
  ExpectUndoAllGivesOriginal();
}

TEST_F(Operations, BaseDataChecksTheOtherPictures) {
  MakeABCD();
  struct Case {
    const char* name;
    std::uint16_t number;
    BaseDataCheck expected;
  };
  const Case cases[] = {
      {"p", 1, BaseDataCheck::Ok},  // its own name in other letters
      {"ZWEITES", 1, BaseDataCheck::NameTaken},
      {"Neu", 2, BaseDataCheck::NumberTaken},
      {"Neu", 7, BaseDataCheck::Ok},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EditResult result;
    EXPECT_EQ(SetPictureBaseData(*doc, *picture_, c.name, c.number, 4, &result), c.expected);
    if (c.expected == BaseDataCheck::Ok) {
      EXPECT_EQ(picture_->name, c.name);
      EXPECT_EQ(picture_->pictureNumber, c.number);
      EXPECT_EQ(picture_->backgroundColour, 4);
    } else {
      EXPECT_NE(picture_->name, c.name);
    }
  }
  EXPECT_EQ(doc->History().Size(), 2u);
  ExpectUndoAllGivesOriginal();
}

// Every operation on a shipped project is undone byte for byte.
TEST(OperationsOnDemo, UndoAllGivesTheFileBack) {
  testing::Installed installed;
  Document doc(installed.Read("Projects\\Demo.qvx"));
  const std::string original = FileBytes(doc.Project());
  t_bild& picture = PictureAt(doc.Project(), 1);
  doc.SetOpenPicture(&picture);
  auto select = [&](std::initializer_list<int> positions) {
    std::vector<t_objekt*> chosen;
    for (int p : positions) chosen.push_back(ObjectAt(picture, p));
    doc.SetSelection(chosen);
  };
  EditingOptions options;
  options.mirrorCopy = options.rotateCopy = true;
  select({2, 7});
  ASSERT_TRUE(GroupSelection(doc, picture));
  select({1, 3});
  ASSERT_TRUE(ChangeDrawingOrder(doc, picture, DrawingOrder::OneForward));
  select({6});  // the new group
  ASSERT_TRUE(RotateSelection(doc, picture, options));
  ASSERT_TRUE(MirrorSelection(doc, picture, options));
  ASSERT_TRUE(SetSelectionAttribute(doc, picture, ObjectAttribute::PenWidth, 2));
  select({1, 2, 3});
  ASSERT_TRUE(AlignSelection(doc, picture, Alignment::Top));
  select({6});
  ASSERT_TRUE(UngroupSelection(doc, picture));
  select({1, 4});
  ASSERT_TRUE(DeleteSelection(doc, picture));
  const std::string edited = FileBytes(doc.Project());
  EXPECT_NE(edited, original);
  while (doc.CanUndo()) doc.Undo();
  EXPECT_EQ(FileBytes(doc.Project()), original);
  while (doc.CanRedo()) doc.Redo();
  EXPECT_EQ(FileBytes(doc.Project()), edited);
}

}  // namespace
}  // namespace tavo
