#include "document/document.h"

#include <gtest/gtest.h>

#include "demo.h"
#include "document/edits.h"
#include "document/objectedit.h"
#include "document/recordedit.h"
#include "objects/bitmap/tqvxbitmap.h"
#include "objects/gruppe.h"

namespace tavo {
namespace {

using testing::FileBytes;
using testing::ObjectAt;
using testing::PictureAt;

class DocumentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    doc = std::make_unique<Document>(installed.Read("Projects\\Demo.qvx"));
    original = FileBytes(doc->Project());
    picture = &PictureAt(doc->Project(), 1);
    doc->SetOpenPicture(picture);
  }
  std::string Bytes() const { return FileBytes(doc->Project()); }

  testing::Installed installed;
  std::unique_ptr<Document> doc;
  std::string original;
  t_bild* picture = nullptr;
};

ObjectPtr Bitmap(const std::string& file, double x1, double y1, double x2, double y2) {
  auto bitmap = std::make_unique<tqvxbitmap>();
  bitmap->file = file;
  bitmap->SetCorners(x1, y1, x2, y2);
  bitmap->UpdateExtent();
  return bitmap;
}

// Undoing every step gives the project back byte for byte; redoing gives
// the edited project byte for byte.
TEST_F(DocumentTest, UndoAllAndRedoAllGiveTheBytesBack) {
  t_objekt* becken = ObjectAt(*picture, 2);
  t_objekt* ventil = ObjectAt(*picture, 7);
  t_objekt* one[] = {becken};
  ASSERT_TRUE(MoveObjects(*doc, *picture, one, 5, -3));
  t_objekt* both[] = {ObjectAt(*picture, 2), ventil};
  ASSERT_TRUE(EditObjects(*doc, *picture, both, txt::kEditMove,
                          [](t_objekt& o) { o.Rotate(300, 300, 90); }));
  ASSERT_TRUE(RenameObject(*doc, *picture, *ObjectAt(*picture, 1), "Außen"));
  t_objekt* gone[] = {ObjectAt(*picture, 4)};
  ASSERT_TRUE(DeleteObjects(*doc, *picture, gone));
  const std::string edited = Bytes();
  EXPECT_NE(edited, original);
  EXPECT_EQ(doc->History().Size(), 4u);

  while (doc->CanUndo()) doc->Undo();
  EXPECT_EQ(Bytes(), original);
  EXPECT_FALSE(doc->IsModified());
  EXPECT_FALSE(doc->Project().modified);
  while (doc->CanRedo()) doc->Redo();
  EXPECT_EQ(Bytes(), edited);
  EXPECT_TRUE(doc->Project().modified);
}

// A value the file form does not keep exactly survives undo: nothing is
// written and read back.
TEST_F(DocumentTest, UndoKeepsValuesTheFileFormRounds) {
  t_objekt* first = ObjectAt(*picture, 1);
  t_objekt* one[] = {first};
  ASSERT_TRUE(EditObjects(*doc, *picture, one, txt::kEditMove, [](t_objekt& o) {
    o.SetSwitching({3, 2.5, 1});
  }));
  EXPECT_DOUBLE_EQ(ObjectAt(*picture, 1)->GetSwitching().value, 2.5);
  t_objekt* again[] = {ObjectAt(*picture, 1)};
  ASSERT_TRUE(MoveObjects(*doc, *picture, again, 1, 1));
  doc->Undo();
  EXPECT_DOUBLE_EQ(ObjectAt(*picture, 1)->GetSwitching().value, 2.5);
  doc->Undo();
  EXPECT_EQ(ObjectAt(*picture, 1), first);  // the very node, relinked
}

TEST_F(DocumentTest, ModifiedFollowsTheCleanMark) {
  t_objekt* one[] = {ObjectAt(*picture, 3)};
  ASSERT_TRUE(MoveObjects(*doc, *picture, one, 1, 0));
  EXPECT_TRUE(doc->IsModified());
  doc->MarkSaved();
  EXPECT_FALSE(doc->IsModified());
  doc->Undo();
  EXPECT_TRUE(doc->IsModified());  // before the saved state
  doc->Redo();
  EXPECT_FALSE(doc->IsModified());
  doc->Undo();
  t_objekt* other[] = {ObjectAt(*picture, 2)};
  ASSERT_TRUE(MoveObjects(*doc, *picture, other, 0, 1));  // the saved state is unreachable now
  EXPECT_TRUE(doc->IsModified());
  doc->Undo();
  EXPECT_TRUE(doc->IsModified());

  doc->MarkChangedOutsideHistory();
  doc->MarkSaved();
  EXPECT_FALSE(doc->IsModified());
}

// Repeated nudges of the same objects are one step; letting go of the key,
// another object or the clean mark starts a new one.
TEST_F(DocumentTest, NudgesMerge) {
  auto nudge = [&](int position) {
    t_objekt* one[] = {ObjectAt(*picture, position)};
    ASSERT_TRUE(MoveObjects(*doc, *picture, one, 1, 0, kMergeNudge));
  };
  for (int i = 0; i < 10; ++i) nudge(2);
  EXPECT_EQ(doc->History().Size(), 1u);
  EXPECT_DOUBLE_EQ(ObjectAt(*picture, 2)->ExtentLeft(), 70);
  nudge(3);
  EXPECT_EQ(doc->History().Size(), 2u);
  doc->BreakMerge();
  nudge(3);
  EXPECT_EQ(doc->History().Size(), 3u);
  doc->MarkSaved();
  nudge(3);
  EXPECT_EQ(doc->History().Size(), 4u);
  while (doc->CanUndo()) doc->Undo();
  EXPECT_EQ(Bytes(), original);
}

TEST_F(DocumentTest, MacroIsOneStepAndAbortTakesItBack) {
  doc->BeginMacro(txt::kEditMove);
  t_objekt* a[] = {ObjectAt(*picture, 1)};
  ASSERT_TRUE(MoveObjects(*doc, *picture, a, 3, 3));
  t_objekt* b[] = {ObjectAt(*picture, 2)};
  ASSERT_TRUE(MoveObjects(*doc, *picture, b, 3, 3));
  EXPECT_TRUE(doc->IsModified());
  EXPECT_FALSE(doc->CanUndo());  // not while the macro is open
  doc->EndMacro();
  EXPECT_EQ(doc->History().Size(), 1u);
  doc->Undo();
  EXPECT_EQ(Bytes(), original);

  doc->BeginMacro(txt::kEditMove);
  ASSERT_TRUE(MoveObjects(*doc, *picture, a, 3, 3));
  doc->AbortMacro();
  EXPECT_EQ(Bytes(), original);
  EXPECT_EQ(doc->History().Position(), 0u);
  EXPECT_FALSE(doc->IsModified());
}

// A replacement takes over its object's selection; after undo the objects
// the step touched are selected and nothing else.
TEST_F(DocumentTest, SelectionFollowsReplacementsAndUndo) {
  t_objekt* a = ObjectAt(*picture, 2);
  t_objekt* b = ObjectAt(*picture, 3);
  doc->Select(*a, true);
  doc->Select(*b, true);
  t_objekt* one[] = {a};
  ASSERT_TRUE(MoveObjects(*doc, *picture, one, 10, 0));
  t_objekt* moved = ObjectAt(*picture, 2);
  EXPECT_NE(moved, a);
  EXPECT_TRUE(moved->IsSelected());
  EXPECT_FALSE(a->IsSelected());
  EXPECT_TRUE(b->IsSelected());
  EXPECT_EQ(doc->SelectedTopLevel().size(), 2u);

  doc->Undo();
  ASSERT_EQ(doc->SelectedTopLevel().size(), 1u);
  EXPECT_EQ(doc->SelectedTopLevel()[0], a);
  EXPECT_EQ(a->Frame().left, 60);  // marks placed where the object is
}

// Editing a group member leaves the group's extent that of its members;
// undo gives the old extent back.
TEST_F(DocumentTest, MemberEditUpdatesTheGroup) {
  auto* ventil = static_cast<t_gruppe*>(ObjectAt(*picture, 7));
  ASSERT_TRUE(ventil->IsGroup());
  const TermRect before = ventil->GetExtent();
  t_objekt* member[] = {ventil->FirstMember()};
  ASSERT_TRUE(MoveObjects(*doc, *picture, member, 100, 0));
  EXPECT_EQ(ObjectAt(*picture, 7), ventil);  // the group stays the same node
  EXPECT_DOUBLE_EQ(ventil->GetExtent().right, before.right + 100);
  EXPECT_EQ(ventil->MemberCount(), 2);
  doc->Undo();
  EXPECT_DOUBLE_EQ(ventil->GetExtent().right, before.right);
  EXPECT_EQ(Bytes(), original);
}

// A group's extent is its members' after every edit and undo, also when
// the same edit changes its members and moves it to or from the top level.
TEST_F(DocumentTest, GroupExtentsFollowGroupsMovedInTheSameEdit) {
  auto* ventil = static_cast<t_gruppe*>(ObjectAt(*picture, 7));
  const TermRect before = ventil->GetExtent();
  auto outer = std::make_unique<t_gruppe>();
  outer->AppendMember(Bitmap("logo.bmp", 500, 400, 540, 420));
  std::vector<ObjectPtr> one;
  one.push_back(std::move(outer));
  ASSERT_TRUE(AddObjects(*doc, *picture, std::move(one), txt::kEditCreate, false));
  auto* holder = static_cast<t_gruppe*>(ObjectAt(*picture, 8));
  auto extentIs = [](const t_objekt& o, const TermRect& r) {
    const TermRect e = o.GetExtent();
    return e.left == r.left && e.top == r.top && e.right == r.right && e.bottom == r.bottom;
  };

  // Into the other group, and a member out of it.
  t_objekt* member = ventil->FirstMember();
  const TermRect rest = static_cast<t_objekt*>(member->next())->GetExtent();
  auto in = std::make_unique<ObjectEdit>(txt::kEditMove, doc->Project(), *picture);
  in->Move({}, *ventil, {holder, holder}, nullptr, true);
  in->Remove({ventil, holder}, *member);
  ASSERT_TRUE(doc->Execute(std::move(in)));
  EXPECT_TRUE(extentIs(*ventil, rest));
  doc->Undo();
  EXPECT_TRUE(extentIs(*ventil, before));
  doc->Redo();

  // A member into it, and out to the top level again.
  std::vector<ObjectPtr> far;
  far.push_back(Bitmap("pumpe.bmp", 0, 0, 20, 20));
  auto out = std::make_unique<ObjectEdit>(txt::kEditMove, doc->Project(), *picture);
  out->Append({ventil, holder}, std::move(far.front()));
  out->Move({holder, holder}, *ventil, {}, nullptr, true);
  ASSERT_TRUE(doc->Execute(std::move(out)));
  EXPECT_DOUBLE_EQ(ventil->GetExtent().left, 0);
  doc->Undo();
  EXPECT_TRUE(extentIs(*ventil, rest));
}

// A member edited together with its group is left to the group's copy.
TEST_F(DocumentTest, ObjectsInsideAnEditedGroupAreNotEditedTwice) {
  auto* ventil = static_cast<t_gruppe*>(ObjectAt(*picture, 7));
  t_objekt* both[] = {ventil->FirstMember(), ventil};
  ASSERT_TRUE(MoveObjects(*doc, *picture, both, 10, 0));
  auto* moved = static_cast<t_gruppe*>(ObjectAt(*picture, 7));
  EXPECT_DOUBLE_EQ(moved->GetExtent().left, ventil->GetExtent().left + 10);
}

TEST_F(DocumentTest, DeletingEveryMemberTakesTheGroup) {
  auto* ventil = static_cast<t_gruppe*>(ObjectAt(*picture, 7));
  t_objekt* members[] = {ventil->FirstMember(),
                         static_cast<t_objekt*>(ventil->FirstMember()->next())};
  ASSERT_TRUE(DeleteObjects(*doc, *picture, members));
  EXPECT_EQ(CountNodes(picture->objects.get()), 6);
  doc->Undo();
  EXPECT_EQ(Bytes(), original);
  EXPECT_EQ(ventil->MemberCount(), 2);

  t_objekt* one[] = {ventil->FirstMember()};
  ASSERT_TRUE(DeleteObjects(*doc, *picture, one));
  EXPECT_EQ(ventil->MemberCount(), 1);
  doc->Undo();
  EXPECT_EQ(Bytes(), original);
}

// The registry's use counts follow creation, copies and deletion, and every
// undo gives the registry back as it was.
TEST_F(DocumentTest, BitmapRegistryFollowsEditsAndUndo) {
  const t_bmpliste empty = doc->Project().bitmaps;
  std::vector<ObjectPtr> two;
  two.push_back(Bitmap("C:\\bilder\\logo.bmp", 10, 10, 50, 30));
  two.push_back(Bitmap("C:\\bilder\\logo.bmp", 100, 10, 140, 30));
  ASSERT_TRUE(AddObjects(*doc, *picture, std::move(two), txt::kEditCreate, false));
  ASSERT_EQ(doc->Project().bitmaps.Entries().size(), 1u);
  EXPECT_EQ(doc->Project().bitmaps.Entries()[0].useCount, 2);
  const t_bmpliste afterAdd = doc->Project().bitmaps;

  auto* first = static_cast<tqvxbitmap*>(ObjectAt(*picture, 8));
  EXPECT_EQ(first->identifier, 1);
  ASSERT_TRUE(ResizeObject(*doc, *picture, *first, {10, 10}, {90, 50}));  // another size
  ASSERT_EQ(doc->Project().bitmaps.Entries().size(), 2u);
  EXPECT_EQ(doc->Project().bitmaps.Entries()[0].useCount, 1);

  t_objekt* gone[] = {ObjectAt(*picture, 8), ObjectAt(*picture, 9)};
  ASSERT_TRUE(DeleteObjects(*doc, *picture, gone));
  EXPECT_TRUE(doc->Project().bitmaps.Entries().empty());

  doc->Undo();
  doc->Undo();
  EXPECT_TRUE(doc->Project().bitmaps == afterAdd);
  doc->Undo();
  EXPECT_TRUE(doc->Project().bitmaps == empty);
  EXPECT_EQ(Bytes(), original);
}

// The registry counts the bitmaps as they are when each step of an edit
// runs: ungrouping (members moved out, then the empty group removed) keeps
// the members' uses; a group removed after a bitmap moved into it takes it.
TEST_F(DocumentTest, RegistryFollowsTheStepsOfOneEdit) {
  auto group = std::make_unique<t_gruppe>();
  group->AppendMember(Bitmap("logo.bmp", 10, 10, 50, 30));
  group->AppendMember(Bitmap("pumpe.bmp", 60, 10, 100, 30));
  std::vector<ObjectPtr> one;
  one.push_back(std::move(group));
  ASSERT_TRUE(AddObjects(*doc, *picture, std::move(one), txt::kEditCreate, false));
  auto* added = static_cast<t_gruppe*>(ObjectAt(*picture, 8));
  const t_bmpliste withGroup = doc->Project().bitmaps;
  ASSERT_EQ(withGroup.Entries().size(), 2u);

  t_objekt* first = added->FirstMember();
  auto* second = static_cast<t_objekt*>(first->next());
  const ObjectPlace inGroup{added, added};
  auto ungroup = std::make_unique<ObjectEdit>(txt::kEditMove, doc->Project(), *picture);
  ungroup->Move(inGroup, *second, {}, added);
  ungroup->Move(inGroup, *first, {}, added);
  ungroup->Remove({}, *added);
  ASSERT_TRUE(doc->Execute(std::move(ungroup)));
  EXPECT_TRUE(doc->Project().bitmaps == withGroup);
  EXPECT_EQ(ObjectAt(*picture, 8), first);
  EXPECT_EQ(ObjectAt(*picture, 9), second);

  // Into another group, and away with it.
  auto* ventil = static_cast<t_gruppe*>(ObjectAt(*picture, 7));
  auto regroup = std::make_unique<ObjectEdit>(txt::kEditDelete, doc->Project(), *picture);
  regroup->Move({}, *first, {ventil, ventil}, nullptr, true);
  regroup->Move({}, *second, {ventil, ventil}, nullptr, true);
  regroup->Remove({}, *ventil);
  ASSERT_TRUE(doc->Execute(std::move(regroup)));
  EXPECT_TRUE(doc->Project().bitmaps.Entries().empty());

  doc->Undo();
  EXPECT_TRUE(doc->Project().bitmaps == withGroup);
  while (doc->CanUndo()) doc->Undo();
  EXPECT_EQ(Bytes(), original);
}

// A bitmap brought in and replaced (or taken out) by the same edit never
// counts: only what the picture holds afterwards is registered, at its size.
TEST_F(DocumentTest, RegistryDropsWhatOneEditBringsAndTakes) {
  const t_bmpliste empty = doc->Project().bitmaps;
  for (const bool sameSize : {true, false}) {
    auto edit = std::make_unique<ObjectEdit>(txt::kEditCreate, doc->Project(), *picture);
    ObjectPtr node = Bitmap("logo.bmp", 10, 10, 50, 30);
    t_objekt& inserted = *node;
    edit->Append({}, std::move(node));
    ObjectPtr copy = inserted.Clone();
    if (!sameSize) static_cast<tqvxbitmap&>(*copy).SetCorners(10, 10, 30, 20);
    copy->UpdateExtent();
    auto* replacement = static_cast<tqvxbitmap*>(copy.get());
    edit->Replace({}, inserted, std::move(copy));
    ASSERT_TRUE(doc->Execute(std::move(edit)));
    const std::vector<bmprectype>& entries = doc->Project().bitmaps.Entries();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].identifier, replacement->identifier);
    EXPECT_EQ(entries[0].useCount, 1);
    EXPECT_EQ(entries[0].width, sameSize ? 40 : 20);
    doc->Undo();
    EXPECT_TRUE(doc->Project().bitmaps == empty);
  }
  auto edit = std::make_unique<ObjectEdit>(txt::kEditCreate, doc->Project(), *picture);
  ObjectPtr node = Bitmap("logo.bmp", 10, 10, 50, 30);
  t_objekt& inserted = *node;
  edit->Append({}, std::move(node));
  edit->Remove({}, inserted);
  ASSERT_TRUE(doc->Execute(std::move(edit)));
  EXPECT_TRUE(doc->Project().bitmaps == empty);
}

// No command leaves the model half changed: a step that cannot get its
// bitmap identifiers changes nothing and says why.
TEST_F(DocumentTest, FullRegistryRefusesTheStep) {
  std::vector<bmprectype> full;
  for (int i = 1; i <= t_bmpliste::kMaxIdentifier; ++i) full.push_back({"x.bmp", i, 1, i, 1});
  doc->Project().bitmaps.Swap(full);
  std::vector<ObjectPtr> one;
  one.push_back(Bitmap("neu.bmp", 0, 0, 10, 10));
  const EditResult result = AddObjects(*doc, *picture, std::move(one), txt::kEditCreate, false);
  EXPECT_FALSE(result);
  EXPECT_EQ(result.error.entry, txt::kEditBitmapRegistryFull.entry);
  EXPECT_EQ(Bytes(), original);
  EXPECT_EQ(doc->History().Size(), 0u);
  EXPECT_FALSE(doc->IsModified());
}

// Views learn what changed: the objects with old and new nodes, and the
// area whose drawing differs.
TEST_F(DocumentTest, ListenersLearnEachChange) {
  std::vector<Change> seen;
  std::vector<ObjectChange> entries;
  const TextId* undoNameThen = nullptr;
  const int id = doc->Subscribe([&](const Change& c) {
    seen.push_back(c);
    if (c.kind == ChangeKind::Objects) entries.assign(c.objects.begin(), c.objects.end());
    if (c.kind == ChangeKind::History) undoNameThen = doc->UndoName();
  });
  t_objekt* becken = ObjectAt(*picture, 2);
  t_objekt* one[] = {becken};
  ASSERT_TRUE(MoveObjects(*doc, *picture, one, 100, 0));
  ASSERT_GE(seen.size(), 2u);
  EXPECT_EQ(seen[0].kind, ChangeKind::Objects);
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].op, ObjectChange::Replaced);
  EXPECT_EQ(entries[0].previous, becken);
  EXPECT_EQ(entries[0].object, ObjectAt(*picture, 2));
  EXPECT_TRUE(seen[0].hasArea);
  EXPECT_DOUBLE_EQ(seen[0].area.left, 60);
  EXPECT_DOUBLE_EQ(seen[0].area.right, 360);
  // Last of all the history, which by then names the step (menus follow it).
  ASSERT_GE(seen.size(), 3u);
  EXPECT_EQ(seen[seen.size() - 2].kind, ChangeKind::Modified);
  EXPECT_EQ(seen.back().kind, ChangeKind::History);
  ASSERT_NE(undoNameThen, nullptr);
  EXPECT_EQ(undoNameThen, doc->UndoName());

  // A listener that leaves while being told, and one that joins.
  int late = 0;
  int selfId = 0;
  selfId = doc->Subscribe([&](const Change&) {
    doc->Unsubscribe(selfId);
    doc->Subscribe([&](const Change&) { ++late; });
  });
  doc->Unsubscribe(id);
  doc->Undo();
  EXPECT_GE(late, 1);
}

TEST_F(DocumentTest, RecordsHeadPicturesAndListsUndo) {
  t_projekt& p = doc->Project();
  auto head = CloneRecord(*p.head);
  head->author = "Müller";
  ASSERT_TRUE(doc->Execute(MakeHeadEdit(txt::kEditHead, p, std::move(head))));
  EXPECT_EQ(p.head->author, "Müller");

  PictureFields fields = PictureFields::Of(*picture);
  fields.name = "Übersicht";
  fields.backgroundColour = 3;
  fields.keys[4] = {"F5", 2};
  ASSERT_TRUE(doc->Execute(std::make_unique<PictureHeadEdit>(txt::kEditRename, *picture, fields)));
  EXPECT_EQ(picture->name, "Übersicht");
  EXPECT_EQ(picture->Key(5)->value, 2);

  auto edit = std::make_unique<RecordListEdit>(txt::kEditDelete, p, RecordList::Variables);
  edit->Remove(*p.variables->next());
  auto variable = CloneRecord(static_cast<t_variable&>(*p.variables));
  variable->name = "Neu";
  edit->Append(std::move(variable));
  ASSERT_TRUE(doc->Execute(std::move(edit)));
  EXPECT_EQ(CountNodes(p.variables.get()), 6);

  // The open picture leaves with the picture list step, and comes back.
  auto drop = std::make_unique<RecordListEdit>(txt::kEditDelete, p, RecordList::Pictures);
  drop->Remove(*picture);
  ASSERT_TRUE(doc->Execute(std::move(drop)));
  EXPECT_EQ(doc->OpenPicture(), nullptr);

  while (doc->CanUndo()) doc->Undo();
  EXPECT_EQ(Bytes(), original);
}

bool AnySelectedIn(t_bild& picture) {
  bool any = false;
  for (t_liste* n = picture.objects.get(); n; n = n->next()) {
    auto* o = static_cast<t_objekt*>(n);
    any = any || o->IsSelected();
    if (o->IsGroup())
      for (t_liste* m = static_cast<t_gruppe*>(o)->FirstMember(); m; m = m->next())
        any = any || static_cast<t_objekt*>(m)->IsSelected();
  }
  return any;
}

// Only objects of the open picture are ever selected: not objects added to
// another picture, not those of a picture that left and came back, not
// those a compound step touched in another picture.
TEST_F(DocumentTest, NothingOutsideTheOpenPictureIsSelected) {
  t_bild& second = PictureAt(doc->Project(), 2);
  std::vector<ObjectPtr> one;
  one.push_back(Bitmap("logo.bmp", 0, 0, 10, 10));
  ASSERT_TRUE(AddObjects(*doc, second, std::move(one), txt::kEditCreate, true));
  EXPECT_FALSE(AnySelectedIn(second));

  doc->Select(*ObjectAt(*picture, 2), true);
  auto drop =
      std::make_unique<RecordListEdit>(txt::kEditDelete, doc->Project(), RecordList::Pictures);
  drop->Remove(*picture);
  ASSERT_TRUE(doc->Execute(std::move(drop)));
  doc->Undo();
  EXPECT_EQ(doc->OpenPicture(), nullptr);
  EXPECT_FALSE(AnySelectedIn(*picture));

  doc->SetOpenPicture(picture);
  doc->BeginMacro(txt::kEditMove);
  t_objekt* here[] = {ObjectAt(*picture, 3)};
  ASSERT_TRUE(MoveObjects(*doc, *picture, here, 1, 0));
  t_objekt* there[] = {ObjectAt(second, 1)};
  ASSERT_TRUE(MoveObjects(*doc, second, there, 1, 0));
  doc->EndMacro();
  doc->Undo();
  doc->Redo();
  EXPECT_EQ(doc->OpenPicture(), picture);
  EXPECT_TRUE(ObjectAt(*picture, 3)->IsSelected());
  EXPECT_FALSE(AnySelectedIn(second));
}

// Undoing a step shows the picture it changed.
TEST_F(DocumentTest, UndoOpensThePictureOfTheStep) {
  t_bild& second = PictureAt(doc->Project(), 2);
  doc->SetOpenPicture(&second);
  t_objekt* one[] = {ObjectAt(second, 1)};
  ASSERT_TRUE(MoveObjects(*doc, second, one, 1, 1));
  doc->SetOpenPicture(picture);
  doc->Undo();
  EXPECT_EQ(doc->OpenPicture(), &second);
  EXPECT_TRUE(ObjectAt(second, 1)->IsSelected());
}

}  // namespace
}  // namespace tavo
