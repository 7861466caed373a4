// The window's keys and the picture editor page's routing: a page with the
// optional operations gets them, Enter and Delete reach the page they are
// meant for, and typing in a field keeps its keys.

#include <QLineEdit>
#include <QVBoxLayout>

#include "mainwindow_fixture.h"

namespace tavo::testing {
namespace {

class FakeEditorPage : public QWidget {
  Q_OBJECT
 public:
  explicit FakeEditorPage(QWidget* parent) : QWidget(parent), field(new QLineEdit(this)) {
    field->setObjectName("FakeField");
    (new QVBoxLayout(this))->addWidget(field);
  }
  void SetDocument(Document*) { picture = nullptr; }
  void OpenPictureInEditor(t_bild* p) { picture = p; }
  const t_bild* OpenPicture() const { return picture; }
  void ApplySettings() { ++applied; }
  void Retranslate() {}
  void ShowDisplaySettings() { ++displayDialogs; }
  void DeleteSelectedObjects() { ++deletes; }

  QLineEdit* field;
  t_bild* picture = nullptr;
  int applied = 0;
  int displayDialogs = 0;
  int deletes = 0;
};

using KeyTest = MainWindowTest;

TEST_F(KeyTest, EditorPageGetsItsCommandsAndTheDeleteKey) {
  EditorHooks hooks = Hooks();
  FakeEditorPage* page = nullptr;
  hooks.pictureEditor = [&](QWidget* parent, Workspace&, tview&) {
    page = new FakeEditorPage(parent);
    return MakePageLink(page);
  };
  TmainForm& w = MakeWindow(std::move(hooks));
  ASSERT_NE(page, nullptr);
  EXPECT_FALSE(Action("PicToClipBut")->isEnabled());  // the page cannot copy pictures
  ASSERT_TRUE(w.OpenProjectFile(QString::fromStdString(ProjectCopy("Demo.qvx").string())));
  ASSERT_TRUE(Action("Grid1")->isEnabled());
  Action("Grid1")->trigger();
  EXPECT_EQ(page->displayDialogs, 1);
  const int applied = page->applied;
  w.FormActivate();
  EXPECT_EQ(page->applied, applied + 1);

  // Without an open picture Delete does nothing on the editor page.
  w.ShowView(TmainForm::kViewEditor);
  auto* pages = Find<QWidget>("pagecontrol1");
  pages->setFocus();
  QTest::keyClick(pages, Qt::Key_Delete);
  EXPECT_EQ(page->deletes, 0);
  page->OpenPictureInEditor(static_cast<t_bild*>(w.Project()->pictures.get()));
  QTest::keyClick(pages, Qt::Key_Delete);
  EXPECT_EQ(page->deletes, 1);
  // A field being typed in keeps its Delete.
  page->field->setText("abc");
  page->field->setFocus();
  page->field->setCursorPosition(0);
  QTest::keyClick(page->field, Qt::Key_Delete);
  EXPECT_EQ(page->deletes, 1);
  EXPECT_EQ(page->field->text(), "bc");
}

TEST_F(KeyTest, DeleteOnTheInfoPageStaysInTheField) {
  TmainForm& w = WindowWith(ProjectCopy("Demo.qvx"));
  auto* name = Find<QLineEdit>("PrjNameStr");
  name->setFocus();
  name->setCursorPosition(0);
  QTest::keyClick(name, Qt::Key_Delete);
  EXPECT_EQ(w.Project()->head->name, "emo Kl\xE4ranlage");
  EXPECT_EQ(w.CurrentView(), TmainForm::kViewInfo);
}

// The real picture editor page: "Alles markieren" (Ctrl+A) selects every
// object of the open picture and Delete takes them out as one step.
TEST_F(KeyTest, SelectAllAndDeleteReachTheEditorPage) {
  EditorHooks hooks = Hooks();
  hooks.pictureEditor = DefaultEditorHooks().pictureEditor;
  TmainForm& w = MakeWindow(std::move(hooks));
  ASSERT_TRUE(w.OpenProjectFile(QString::fromStdString(ProjectCopy("Demo.qvx").string())));
  w.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
  auto* picture = static_cast<t_bild*>(w.Project()->pictures.get());
  const int objects = CountNodes(picture->objects.get());
  ASSERT_GT(objects, 0);
  w.Editor().OpenPictureInEditor(picture);
  w.ShowView(TmainForm::kViewEditor);
  EXPECT_TRUE(Action("AllesMarkieren1")->isEnabled());
  auto* sheet = Find<QWidget>("blatt");
  sheet->setFocus();
  QTest::keyClick(sheet, Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(int(w.CurrentDocument()->SelectedTopLevel().size()), objects);
  box_.QueueAnswer(kAnswerJa);
  QTest::keyClick(sheet, Qt::Key_Delete);
  EXPECT_EQ(picture->objects, nullptr);
  w.CurrentDocument()->Undo();
  EXPECT_EQ(CountNodes(picture->objects.get()), objects);
  ASSERT_EQ(box_.Calls().size(), 1u);  // the question before deleting
  EXPECT_EQ(box_.Calls()[0].kind, MsgKind::Abfrage);

  // A step that leaves the selection as it was still renames the menu's
  // undo entry.
  QTest::keyClick(sheet, Qt::Key_A, Qt::ControlModifier);
  Find<QAction>("ToolButAlignLeft")->trigger();
  const QString undo = Action("Rueckgaengig1")->text();
  EXPECT_TRUE(undo.contains(QString::fromLatin1(Tr(txt::kAlignLeft)))) << undo.toStdString();
  EXPECT_FALSE(Action("Wiederholen1")->isEnabled());
}

}  // namespace
}  // namespace tavo::testing

#include "mainwindow_keys_test.moc"
