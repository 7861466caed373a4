#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "editor/dialogs/attributepickers.h"
#include "editor/dialogs/keydialogs.h"
#include "editor/dialogs/pictureinfo.h"
#include "editor/sheet/edittoolbar.h"
#include "editor/sheet/picturepage.h"
#include "objects/gruppe.h"
#include "sheet_testing.h"
#include "shell/messageboxes.h"

namespace tavo {
namespace {

std::unique_ptr<t_rechteck> Rect(const std::string& name, int x, int fill) {
  auto r = std::make_unique<t_rechteck>();
  r->name = name;
  r->SetCorners(x, 5, x + 8, 12);
  r->SetFillColour(static_cast<std::uint8_t>(fill));
  r->UpdateExtent();
  return r;
}

// --- the pickers -------------------------------------------------------------------------

TEST(AttributePickers, ShowTheValueOrNoneAndTakeAClick) {
  testing::TestApplication();
  GermanTranslator translator;
  struct Case {
    std::function<std::unique_ptr<AttributePicker>()> make;
    int buttons;
    int value;           // a value with a button
    const char* button;  // its button
    const char* other;   // another button and its value
    int otherValue;
  };
  const Case cases[] = {
      {[&] { return std::make_unique<TDia_farbe>(translator); }, 17, 3, "SpeedButton5",
       "SpeedButton1", 255},
      {[&] { return std::make_unique<Tdia_muster>(translator); }, 12, 0, "SpeedButton1",
       "SpeedButton12", 11},
      {[&] { return std::make_unique<Tdia_stiftbreite>(translator); }, 2, 2, "SpeedButton2",
       "SpeedButton1", 1},
      {[&] { return std::make_unique<Tdia_Stiftstyle>(translator); }, 4, 3, "SpeedButton4",
       "SpeedButton1", 0},
  };
  for (const Case& c : cases) {
    std::unique_ptr<AttributePicker> picker = c.make();
    SCOPED_TRACE(picker->objectName().toStdString());
    auto checked = [&] {
      int n = 0;
      for (QToolButton* b : picker->findChildren<QToolButton*>())
        if (b->isChecked() && b != picker->NeutralButton()) ++n;
      return n;
    };
    EXPECT_EQ(static_cast<int>(picker->findChildren<QToolButton*>().size()), c.buttons + 1);
    picker->SetValue(c.value);
    EXPECT_TRUE(picker->findChild<QToolButton*>(c.button)->isChecked());
    EXPECT_EQ(checked(), 1);
    picker->SetValue(kMixedAttribute);  // a mixed selection: no value button down
    EXPECT_EQ(checked(), 0);
    EXPECT_TRUE(picker->NeutralButton()->isChecked());
    EXPECT_FALSE(picker->NeutralButton()->isVisible());
    EXPECT_FALSE(picker->Chosen());

    picker->show();
    QTest::mouseClick(picker->findChild<QToolButton*>(c.other), Qt::LeftButton);
    EXPECT_TRUE(picker->Chosen());
    EXPECT_EQ(picker->Value(), c.otherValue);
    EXPECT_EQ(picker->result(), QDialog::Accepted);
  }
}

// --- the action bar on the picture page ---------------------------------------------------

class ActionBar : public testing::SheetTesting {
 protected:
  void SetUp() override {
    SheetTesting::SetUp();
    page_ = std::make_unique<PicturePage>(workspace());
    page_->resize(900, 640);
    page_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(page_.get()));
    auto project = SmallProject();
    t_bild& picture = FirstPicture(*project);
    AppendNode(picture.objects, Rect("A", 2, 3));
    AppendNode(picture.objects, Rect("B", 14, 5));
    document_ = std::make_unique<Document>(std::move(project));
    picture_ = &FirstPicture(document_->Project());
    page_->SetDocument(document_.get());
    page_->OpenPictureInEditor(picture_);
    bar_ = page_->ActionBar();
  }
  void TearDown() override {
    page_.reset();
    document_.reset();
  }
  t_objekt* At(int position) {
    t_liste* n = picture_->objects.get();
    for (int i = 1; i < position && n; ++i) n = n->next();
    return static_cast<t_objekt*>(n);
  }
  void Select(std::initializer_list<int> positions) {
    std::vector<t_objekt*> chosen;
    for (int p : positions) chosen.push_back(At(p));
    document_->SetSelection(chosen);
  }

  std::unique_ptr<PicturePage> page_;
  std::unique_ptr<Document> document_;
  t_bild* picture_ = nullptr;
  EditToolBar* bar_ = nullptr;
};

// A mixed selection opens the picker with no value; closing it changes
// nothing, a choice goes to every selected object and becomes current.
TEST_F(ActionBar, PickerOpensOnTheSelectionBelowItsButton) {
  Select({2, 3});  // fill colours 3 and 5
  std::vector<int> starts;
  QPoint where;
  std::optional<int> answer;
  bar_->prompts().pickAttribute = [&](ObjectAttribute, int start, QPoint topLeft) {
    starts.push_back(start);
    where = topLeft;
    return answer;
  };
  const std::uint8_t before = bar_->Current(ObjectAttribute::FillColour);
  bar_->Action("ToolButton13")->trigger();
  EXPECT_EQ(starts.back(), kMixedAttribute);
  EXPECT_FALSE(document_->CanUndo());
  EXPECT_EQ(bar_->Current(ObjectAttribute::FillColour), before);
  QWidget* button = bar_->widgetForAction(bar_->Action("ToolButton13"));
  EXPECT_EQ(where, button->mapToGlobal(QPoint(0, button->height())));

  answer = 4;
  bar_->Action("ToolButton13")->trigger();
  EXPECT_EQ(At(2)->fillColour(), 4);
  EXPECT_EQ(At(3)->fillColour(), 4);
  EXPECT_EQ(At(1)->fillColour(), 2);
  EXPECT_EQ(bar_->Current(ObjectAttribute::FillColour), 4);
  EXPECT_EQ(document_->History().Size(), 1u);
  bar_->Action("ToolButton13")->trigger();
  EXPECT_EQ(starts.back(), 4);

  // Nothing selected: the picker shows the current attribute and changes only it.
  document_->DeselectAll();
  answer = 2;
  bar_->Action("ToolButton17")->trigger();
  EXPECT_EQ(starts.back(), 1);
  EXPECT_EQ(bar_->Current(ObjectAttribute::PenWidth), 2);
  EXPECT_EQ(document_->History().Size(), 1u);
}

TEST_F(ActionBar, DeleteAsksFirstAndTheDeleteKeyAsksToo) {
  int asked = 0;
  bool yes = false;
  bar_->prompts().confirmDelete = [&] {
    ++asked;
    return yes;
  };
  page_->DeleteSelectedObjects();  // nothing selected: no question
  EXPECT_EQ(asked, 0);
  Select({1, 3});
  bar_->Action("ToolButton6")->trigger();
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(CountNodes(picture_->objects.get()), 3);
  yes = true;
  page_->DeleteSelectedObjects();
  EXPECT_EQ(asked, 2);
  EXPECT_EQ(CountNodes(picture_->objects.get()), 1);
  EXPECT_EQ(At(1)->name, "A");
}

// The buttons are there exactly when they would do something, and the
// shortcuts act on the sheet.
TEST_F(ActionBar, ButtonsFollowTheSelectionAndShortcutsWork) {
  QAction* group = bar_->Action("ToolButmakegruppe");
  Select({2});
  EXPECT_FALSE(group->isEnabled());
  EXPECT_FALSE(bar_->Action("ToolButbreakegruppe")->isEnabled());
  EXPECT_TRUE(bar_->Action("ToolButcopy")->isEnabled());
  EXPECT_TRUE(group->toolTip().endsWith("(Ctrl+G)")) << group->toolTip().toStdString();
  Select({2, 3});
  EXPECT_TRUE(group->isEnabled());

  page_->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(page_.get()));
  page_->SheetWidget()->setFocus();
  QTest::keyClick(page_->SheetWidget(), Qt::Key_G, Qt::ControlModifier);
  ASSERT_EQ(CountNodes(picture_->objects.get()), 2);
  EXPECT_TRUE(At(2)->IsGroup());
  Select({2});
  EXPECT_TRUE(bar_->Action("ToolButbreakegruppe")->isEnabled());
  // To front: already there, no step; an order step leaves nothing selected.
  QTest::keyClick(page_->SheetWidget(), Qt::Key_Home, Qt::ControlModifier);
  EXPECT_TRUE(document_->SelectedObjects().empty());
  Select({2});
  QTest::keyClick(page_->SheetWidget(), Qt::Key_End, Qt::ControlModifier);  // to back
  EXPECT_TRUE(At(1)->IsGroup());
  EXPECT_EQ(document_->History().Size(), 2u);
  document_->Undo();
  document_->Undo();
  EXPECT_EQ(CountNodes(picture_->objects.get()), 3);
}

// The editing options sit in the sheet's context menu after the display
// options; either way the page returns to the selection tool.
TEST_F(ActionBar, EditingOptionsFromTheContextMenu) {
  const QList<QAction*> entries = page_->ContextMenu()->actions();
  int display = -1, editing = -1;
  for (int i = 0; i < entries.size(); ++i) {
    if (entries[i]->objectName() == "Darstellungsoptinen1") display = i;
    if (entries[i]->objectName() == "Edidieroptonen1") editing = i;
  }
  ASSERT_GE(display, 0);
  EXPECT_EQ(editing, display + 1);

  bar_->prompts().editOptions = [](EditingOptions& options) {
    options.angle = 90;
    return true;
  };
  page_->SetToolNumber(kToolAfterContextMenu);
  entries[editing]->trigger();
  EXPECT_EQ(settings().angle, 90);
  EXPECT_EQ(page_->Tool(), kToolSelect);
}

// The clipboard image is the picture at terminal size in the colour
// palette, whatever the display shows.
TEST_F(ActionBar, PictureToClipboard) {
  settings().grayscale = true;
  Select({1});
  page_->CopyPictureToClipboard();
  const QImage image = QGuiApplication::clipboard()->image();
  ASSERT_EQ(image.size(), QSize(64, 48));
  auto at = [&](int x, int y) { return QColor(image.pixel(x, y)); };
  auto palette = [](int index) {
    const Rgb c = ColourPalette(index);
    return QColor(RedOf(c), GreenOf(c), BlueOf(c));
  };
  EXPECT_EQ(at(1, 1), palette(1));
  EXPECT_EQ(at(30, 30), palette(2));  // inside the rectangle
  EXPECT_EQ(at(20, 19), palette(1));  // where the selection marks would be
}

// --- the key dialogs -----------------------------------------------------------------------

TEST(KeyDialogs, OfferTheTerminalsRowsAndStoreListPositions) {
  testing::TestApplication();
  GermanTranslator translator;
  t_projekt project;
  project.terminal = std::make_unique<t_terminal>();
  project.terminal->typeNumber = "VT-0A05-0001";
  for (const char* name : {"Eins", "Zwei", "Drei"}) {
    auto p = std::make_unique<t_bild>();
    p->name = name;
    AppendNode(project.pictures, std::move(p));
  }
  t_bild& picture = static_cast<t_bild&>(*project.pictures);
  picture.Key(FunctionKeyNumber(3, 2))->value = 2;  // Ctrl-F3
  picture.Key(SoftKeyNumber(4, 0))->value = 9;      // a picture that is gone

  TDialog_FTasten f(translator, project, picture);
  for (int row = 1; row <= 16; ++row)
    for (int level = 0; level < 4; ++level)
      EXPECT_EQ(f.List(row, level)->isEnabled(), row <= 10) << row;
  EXPECT_EQ(f.findChild<QComboBox*>("CBC3")->currentIndex(), 2);
  QComboBox* shiftF2 = f.findChild<QComboBox*>("CBS2");
  ASSERT_EQ(shiftF2->count(), 4);
  EXPECT_EQ(shiftF2->itemText(0), "nichts");
  EXPECT_EQ(shiftF2->itemText(3), "Drei");
  shiftF2->setCurrentIndex(3);
  f.Confirm();
  ASSERT_EQ(f.result(), QDialog::Accepted);
  auto value = [](const KeyAssignmentDialog& d, int key) -> std::optional<int> {
    for (const auto& [k, v] : d.Values())
      if (k == key) return v;
    return std::nullopt;
  };
  EXPECT_EQ(value(f, 14), 3);
  EXPECT_EQ(value(f, 27), 2);

  TDialog_Stasten s(translator, project, picture);
  for (int row = 1; row <= 12; ++row) EXPECT_EQ(s.List(row, 0)->isEnabled(), row <= 6) << row;
  EXPECT_EQ(s.findChild<QComboBox*>("CBN4")->currentIndex(), -1);
  s.Confirm();
  EXPECT_FALSE(value(s, 132));  // keeps its value
  EXPECT_EQ(value(s, 129), 0);
}

// --- the picture's base data -----------------------------------------------------------------

TEST(PictureInfo, NumberMustLieIn1To65535) {
  testing::TestApplication();
  GermanTranslator translator;
  ScriptedMessageBox box;
  const struct {
    int number;
    bool accepted;
  } cases[] = {{0, false}, {65536, false}, {1, true}, {65535, true}};
  for (const auto& c : cases) {
    TDialog_BildInfo dialog(translator, &box, "Bild", 7, 3);
    dialog.findChild<QSpinBox*>("Bildnummer")->setValue(c.number);
    dialog.Confirm();
    EXPECT_EQ(dialog.result() == QDialog::Accepted, c.accepted) << c.number;
    if (!c.accepted)
      EXPECT_EQ(box.Calls().back().text, "Eingabebereit verlassen ! [1..65535]");
    else
      EXPECT_EQ(dialog.Number(), c.number);
  }
  TDialog_BildInfo dialog(translator, &box, "Bild", 7, 3);
  int offered = -1;
  dialog.SetColourChoice([&](int colour, QPoint) {
    offered = colour;
    return 255;
  });
  dialog.findChild<QToolButton*>("SpeedButton1")->click();
  dialog.Confirm();
  EXPECT_EQ(offered, 3);
  EXPECT_EQ(dialog.Colour(), 255);
}

TEST(PictureInfo, AnotherPicturesNameInOtherLettersIsRefused) {
  testing::TestApplication();
  GermanTranslator translator;
  ScriptedMessageBox box;
  auto project = std::make_unique<t_projekt>();
  for (const char* name : {"Start", "Zweites"}) {
    auto p = std::make_unique<t_bild>();
    p->name = name;
    p->pictureNumber = static_cast<std::uint16_t>(CountNodes(project->pictures.get()) + 1);
    AppendNode(project->pictures, std::move(p));
  }
  Document document(std::move(project));
  t_bild& picture = static_cast<t_bild&>(*document.Project().pictures);
  auto answer = [](const char* name) {
    QTimer::singleShot(0, [name] {
      auto* dialog = qobject_cast<TDialog_BildInfo*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      dialog->findChild<QLineEdit*>("bildname")->setText(name);
      dialog->Confirm();
    });
  };
  answer("ZWEITES");
  EXPECT_FALSE(EditPictureBaseData(nullptr, translator, box, document, picture));
  ASSERT_EQ(box.Calls().size(), 1u);
  EXPECT_EQ(box.Calls()[0].kind, MsgKind::Warnung);
  EXPECT_EQ(box.Calls()[0].text, "Bildname [ZWEITES] bereits vorhanden !");
  EXPECT_EQ(picture.name, "Start");

  answer("START");
  EXPECT_TRUE(EditPictureBaseData(nullptr, translator, box, document, picture));
  EXPECT_EQ(picture.name, "START");
  EXPECT_EQ(document.History().Size(), 1u);
}

}  // namespace
}  // namespace tavo
