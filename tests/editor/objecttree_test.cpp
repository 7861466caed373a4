#include <QLineEdit>
#include <QTest>
#include <QToolButton>
#include <algorithm>
#include <vector>

#include "document/edits.h"
#include "editor/sheet/objecticons.h"
#include "editor/sheet/objecttree.h"
#include "editor/sheet/picturepage.h"
#include "editor/uitext.h"
#include "objects/gruppe.h"
#include "objects/objectkinds.h"
#include "project/projectfile.h"
#include "sheet_testing.h"
#include "shell/messageboxes.h"

namespace tavo {
namespace {

// The demo project's first picture: "Rahmen", "Becken 1", "Becken 2",
// "Zulauf", an unnamed line, "Pumpe" (with switching) and the group
// "Ventil" of two unnamed polygons.
class ObjectTree : public testing::SheetTesting {
 protected:
  void SetUp() override {
    SheetTesting::SetUp();
    ScriptedMessageBox box;
    ProjectReadContext context = workspace().ReadContext(&box);
    auto demo =
        ReadProjectFile(workspace().install().Resolve("Projects\\Demo.qvx").string(), context)
            .project;
    ASSERT_NE(demo, nullptr);
    document_ = std::make_unique<Document>(std::move(demo));
    page_ = std::make_unique<PicturePage>(workspace());
    page_->resize(900, 640);
    page_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(page_.get()));
    page_->SetDocument(document_.get());
    page_->OpenPictureInEditor(&picture());
  }
  void TearDown() override {
    page_.reset();
    document_.reset();
  }

  t_bild& picture() { return FirstPicture(document_->Project()); }
  t_objekt& Object(int position) {
    t_liste* n = picture().objects.get();
    for (int i = 1; i < position; ++i) n = n->next();
    return static_cast<t_objekt&>(*n);
  }
  // The group, the last object of the picture.
  t_gruppe& Ventil() { return static_cast<t_gruppe&>(*LastNode(picture().objects.get())); }
  ObjListe& tree() { return *page_->ObjectTree()->Tree(); }
  QTreeWidgetItem* root() { return tree().topLevelItem(0); }
  QToolButton* Button(const char* name) { return page_->findChild<QToolButton*>(name); }
  std::string Name(const t_objekt& object) { return object.DisplayName(workspace().translator()); }

  // What a user does: a click on the node.
  void Click(QTreeWidgetItem* node) {
    tree().scrollToItem(node);
    QTest::mouseClick(tree().viewport(), Qt::LeftButton, {}, tree().visualItemRect(node).center());
  }
  // Edits the node's text in place and confirms it with Enter.
  void Rename(QTreeWidgetItem* node, const QString& text) {
    tree().setCurrentItem(node);
    tree().editItem(node);
    auto* editor = tree().viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->setText(text);
    QTest::keyClick(editor, Qt::Key_Return);
    // The delegate commits after the key, and the closed editor goes, so
    // that the next rename finds its own.
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  // The tree mirrors the open picture: one node per object in list order,
  // members below their group, each carrying its object, showing its display
  // name and its image.
  void ExpectMirrors(QTreeWidgetItem* parent, t_liste* first) {
    int i = 0;
    for (t_liste* n = first; n; n = n->next(), ++i) {
      auto& object = static_cast<t_objekt&>(*n);
      ASSERT_LT(i, parent->childCount()) << Name(object);
      QTreeWidgetItem* node = parent->child(i);
      EXPECT_EQ(tree().ObjectOf(node), &object) << Name(object);
      EXPECT_EQ(node->text(0), Q(Name(object)));
      EXPECT_EQ(Pixels(node->icon(0)), Pixels(ObjectIcon(ObjectImageIndex(object))))
          << Name(object);
      if (object.IsGroup()) ExpectMirrors(node, static_cast<t_gruppe&>(object).FirstMember());
    }
    EXPECT_EQ(parent->childCount(), i);
  }
  void ExpectMirrors() {
    ASSERT_NE(root(), nullptr);
    ExpectMirrors(root(), picture().objects.get());
  }
  static QImage Pixels(const QIcon& icon) {
    return icon.pixmap(QSize(kObjectIconWidth, kObjectIconHeight)).toImage();
  }

  std::unique_ptr<Document> document_;
  std::unique_ptr<PicturePage> page_;
};

TEST_F(ObjectTree, ShowsTheOpenPictureWithGroupMembersAsChildren) {
  ASSERT_EQ(tree().topLevelItemCount(), 1);
  EXPECT_EQ(root()->text(0), Tr(workspace().translator(), txt::kObjektliste));
  EXPECT_EQ(tree().ObjectOf(root()), nullptr);
  EXPECT_TRUE(root()->isExpanded());
  ExpectMirrors();
  // Unnamed objects show their kind's name; the group's node holds its members.
  EXPECT_EQ(root()->child(4)->text(0), Q(Object(5).TypeName(workspace().translator())));
  EXPECT_EQ(root()->child(6)->text(0), "Ventil");
  EXPECT_EQ(root()->child(6)->childCount(), 2);
  // The pump switches: its image is the circle's second one.
  EXPECT_EQ(ObjectImageIndex(Object(6)), 2 * 4 + 1);
  EXPECT_NE(Pixels(ObjectIcon(8)), Pixels(ObjectIcon(9)));
  EXPECT_EQ(ObjectImageIndex(Ventil()), 2 * 1);

  // Another picture rebuilds the tree; closing the project empties it.
  page_->OpenPictureInEditor(static_cast<t_bild*>(document_->Project().pictures->next()));
  EXPECT_EQ(root()->childCount(), 13);
  page_->SetDocument(nullptr);
  EXPECT_EQ(tree().topLevelItemCount(), 0);
}

TEST_F(ObjectTree, ChoosingANodeSelectsItsObjectAloneAndTheSheetMovesTheNode) {
  // Selected on the sheet: the first selected top-level object's node.
  t_objekt* two[] = {&Object(6), &Object(3)};
  document_->SetSelection(two);
  EXPECT_EQ(tree().CurrentObject(), &Object(3));
  EXPECT_EQ(document_->SelectedObjects().size(), 2u);  // moving the node selects nothing

  // A node chosen: its object alone, a group member without its group.
  Click(root()->child(1));
  EXPECT_EQ(document_->SelectedObjects(), std::vector<t_objekt*>{&Object(2)});
  tree().expandItem(root()->child(6));
  QTreeWidgetItem* member = root()->child(6)->child(1);
  Click(member);
  EXPECT_EQ(document_->SelectedObjects(), std::vector<t_objekt*>{tree().ObjectOf(member)});
  EXPECT_FALSE(Ventil().IsSelected());
  EXPECT_EQ(tree().currentItem(), member);

  // A click on the current node selects it again after the sheet chose others.
  t_objekt* rahmen[] = {&Object(1)};
  document_->SetSelection(rahmen);
  EXPECT_EQ(tree().CurrentObject(), &Object(1));
  document_->DeselectAll();
  EXPECT_EQ(tree().CurrentObject(), &Object(1));  // nothing selected: the node stays
  Click(root()->child(0));
  EXPECT_EQ(document_->SelectedObjects(), std::vector<t_objekt*>{&Object(1)});

  // The root and a node chosen during a rubber band select nothing.
  Click(root());
  EXPECT_EQ(document_->SelectedObjects(), std::vector<t_objekt*>{&Object(1)});
  tree().rubberBandDragged = [] { return true; };
  Click(root()->child(3));
  EXPECT_EQ(document_->SelectedObjects(), std::vector<t_objekt*>{&Object(1)});
}

TEST_F(ObjectTree, RenamingANodeRenamesItsObjectAsOneUndoableStep) {
  ASSERT_FALSE(document_->IsModified());
  Rename(root()->child(3), "Ablauf");
  EXPECT_EQ(Object(4).name, "Ablauf");
  EXPECT_EQ(root()->child(3)->text(0), "Ablauf");
  EXPECT_TRUE(document_->IsModified());
  ASSERT_NE(document_->UndoName(), nullptr);
  EXPECT_STREQ(document_->UndoName()->german, "Umbenennen");
  document_->Undo();
  EXPECT_EQ(Object(4).name, "Zulauf");
  EXPECT_FALSE(document_->IsModified());
  ExpectMirrors();

  // A member is renamed in its group; an empty name shows the kind's name at once.
  Rename(root()->child(6)->child(0), "Klappe");
  EXPECT_EQ(Ventil().FirstMember()->name, "Klappe");
  Rename(root()->child(6), "");
  EXPECT_EQ(Ventil().name, "");
  EXPECT_EQ(root()->child(6)->text(0), Q(Ventil().TypeName(workspace().translator())));
  ExpectMirrors();
  // Unchanged (the unnamed line keeps no name): no step, the text is mended.
  const std::size_t steps = document_->History().Size();
  Rename(root()->child(4), "");
  EXPECT_EQ(document_->History().Size(), steps);
  EXPECT_EQ(root()->child(4)->text(0), Q(Name(Object(5))));
}

// The tree keeps no pointer to an object that left the picture: every step
// forth and back leaves nodes carrying exactly the picture's objects
// (ASan catches a node read after its object was freed).
TEST_F(ObjectTree, FollowsEditsUndoAndRedoKeepingExpansionAndCurrentNode) {
  QTreeWidgetItem* group = root()->child(6);
  tree().expandItem(group);
  Click(group->child(0));
  t_objekt* member = tree().CurrentObject();

  // A switching rule on the group: members' and group's images follow, the
  // chosen member's node stays current with the member's copy.
  t_objekt* ventil[] = {&Ventil()};
  ASSERT_TRUE(EditObjects(*document_, picture(), ventil, txt::kSchaltverhalten, [](t_objekt& o) {
    o.SetSwitching({8, 4, 1});
  }));
  EXPECT_EQ(root()->child(6), group);
  EXPECT_EQ(ObjectImageIndex(Ventil()), 2 * 1 + 1);
  ExpectMirrors();
  EXPECT_EQ(tree().CurrentObject(), Ventil().FirstMember());
  EXPECT_NE(tree().CurrentObject(), member);

  t_objekt* becken[] = {&Object(2), &Object(3)};
  ASSERT_TRUE(MoveObjects(*document_, picture(), becken, 5, 0));
  ExpectMirrors();
  t_objekt* going[] = {&Object(3), &Object(4)};
  ASSERT_TRUE(DeleteObjects(*document_, picture(), going));
  ExpectMirrors();
  EXPECT_EQ(root()->childCount(), 5);
  EXPECT_TRUE(root()->child(4)->isExpanded());  // the group, rebuilt
  EXPECT_EQ(tree().CurrentObject(), Ventil().FirstMember());

  // Undo selects what the step touched: the node follows.
  document_->Undo();
  ExpectMirrors();
  EXPECT_EQ(tree().CurrentObject(), &Object(3));
  for (int i = 0; i < 2; ++i) {
    document_->Undo();
    ExpectMirrors();
  }
  EXPECT_EQ(root()->childCount(), 7);
  for (int i = 0; i < 3; ++i) {
    document_->Redo();
    ExpectMirrors();
  }
}

TEST_F(ObjectTree, PropertyButtonShowsTheKindsImageOrHides) {
  // One object of every kind in a picture of its own.
  auto extra = std::make_unique<t_bild>();
  extra->name = "Arten";
  std::vector<std::uint8_t> kinds;
  for (int kind = 0; kind <= 20; ++kind)
    if (ObjectPtr object = CreateObjectOfKind(kind)) {
      kinds.push_back(std::uint8_t(kind));
      AppendNode(extra->objects, std::move(object));
    }
  ASSERT_EQ(kinds.size(), 18u);
  t_bild* arten = extra.get();
  AppendNode(document_->Project().pictures, std::move(extra));
  page_->OpenPictureInEditor(arten);

  QToolButton* properties = Button("ToolButton5");
  QToolButton* switching = Button("ToolButton19");
  ASSERT_NE(properties, nullptr);
  ASSERT_NE(switching, nullptr);
  EXPECT_TRUE(properties->isHidden());  // no node yet
  EXPECT_FALSE(switching->isEnabled());
  const std::vector<std::uint8_t> withoutDialog{kKindGruppe, kKindLinie, kKindRechteck, kKindKreis,
                                                kKindPolygon};
  for (std::size_t i = 0; i < kinds.size(); ++i) {
    Click(root()->child(int(i)));
    const bool shown = std::count(withoutDialog.begin(), withoutDialog.end(), kinds[i]) == 0;
    EXPECT_EQ(properties->isHidden(), !shown) << int(kinds[i]);
    EXPECT_TRUE(switching->isEnabled());
    if (shown) {
      EXPECT_EQ(properties->icon().pixmap(16, 16).toImage(),
                PropertyImage(PropertyImageIndex(kinds[i])).pixmap(16, 16).toImage())
          << int(kinds[i]);
    }
  }
  // Distinct images for the kinds with a dialog.
  EXPECT_NE(PropertyImage(4).pixmap(16, 16).toImage(), PropertyImage(5).pixmap(16, 16).toImage());

  // The buttons hand the current node's object to their hooks.
  std::vector<std::pair<char, t_objekt*>> calls;
  page_->ObjectTree()->editProperties = [&](Document&, t_bild& p, t_objekt& o) {
    EXPECT_EQ(&p, arten);
    calls.emplace_back('p', &o);
  };
  page_->ObjectTree()->editSwitching = [&](Document&, t_bild&, t_objekt& o) {
    calls.emplace_back('s', &o);
  };
  t_objekt* last = tree().CurrentObject();
  QTest::mouseClick(properties, Qt::LeftButton);
  QTest::mouseClick(switching, Qt::LeftButton);
  EXPECT_EQ(calls, (std::vector<std::pair<char, t_objekt*>>{{'p', last}, {'s', last}}));
}

}  // namespace
}  // namespace tavo
