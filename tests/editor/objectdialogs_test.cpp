// The object property dialogs and the switching behaviour dialog in the
// picture editor page, driven as a user drives them: every kind's dialog
// from every entry point, confirmed and cancelled, as undoable steps; the
// creation tools' dialogs and their edit buffers; the checks of the fields.

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <fstream>
#include <functional>

#include "document/editbuffers.h"
#include "document/edits.h"
#include "editor/dialogs/objects/bitmapdialog.h"
#include "editor/dialogs/objects/graphdialogs.h"
#include "editor/dialogs/objects/objectdialogs.h"
#include "editor/dialogs/objects/switchingdialog.h"
#include "editor/dialogs/objects/textdialog.h"
#include "editor/sheet/objecttree.h"
#include "editor/sheet/picturepage.h"
#include "editor/sheet/tools/sheettoolbox.h"
#include "objects/bitmap/bmpfile.h"
#include "objects/bitmap/tqvxbitmap.h"
#include "objects/fields/fields.h"
#include "project/projectfile.h"
#include "resources/fontcatalog.h"
#include "sheet_testing.h"
#include "shell/messageboxes.h"

namespace tavo {
namespace {

std::string TankFile() {
  return (std::filesystem::path(TAVO_DATA_DIR) / "Lib" / "Graphics" / "TANK.BMP").string();
}

// One object of every kind with a dialog, each alone at the top level,
// then a rectangle.
std::string ProjectText() {
  std::string text =
      "[Head]\r\n-Name = \"Dialoge\"\r\n-Startpicture = \"1\"\r\n"
      "[Terminal]\r\n-DOSVersion = \"VTA_640C.TRM\"\r\n"
      "[PLC]\r\n-DOSVersion = \"SPS_DBW.KOP\"\r\n"
      "[Variables]\r\n"
      "-Variable(1;010,000;3;2;1;\"Temperatur\")\r\n"
      "-Variable(2;010,002;3;2;1;\"Druck\")\r\n"
      "-Variable(5;010,008;6;8;1;\"Chargen-Text\")\r\n"
      "-Variable(6;010,016;1;2;1;\"Status\")\r\n"
      "[TextList]\r\n"
      "-TextList(\"Betriebsart\";1;Wert)\r\n-Text(\"Aus\";0)\r\n-Text(\"Hand\";1)\r\n"
      "-TextListEnd\r\n"
      "-TextList(\"Meldungen\";2;Bit)\r\n-Text(\"Offen\";1)\r\n-TextListEnd\r\n"
      "[Pictures]\r\n-Picture(1;1;\"Felder\";15)\r\n"
      "-Object(5;0;0;0;0;1;0;14;1;\"Titel\";20;8;\"Hallo\";\"S008X016.FON\")\r\n"
      "-Object(7;0;0;0;1;1;0;255;0;\"Temperatur\";20;40;\"S008X016.FON\";0.1;1;\"###.#\")\r\n"
      "-Object(6;0;0;0;4;1;0;255;0;\"Sollwert\";20;64;\"S008X016.FON\";1;3;\"#####\")\r\n"
      "-Object(10;0;0;0;2;1;0;255;0;\"Charge\";20;88;\"S008X016.FON\";1;5;\"$$$$$$$$$$$$\")\r\n"
      "-Object(12;0;0;0;0;1;0;11;1;\"Druck bar\";20;120;\"S008X016.FON\";\"##.##\";0.01;-1.5;2)"
      "\r\n"
      "-Object(11;0;0;0;0;1;0;15;1;\"Druck Soll\";20;144;\"S008X016.FON\";\"###\";2.5;10;3)\r\n"
      "-Object(14;0;0;0;0;1;0;15;1;\"Uhr\";400;8;\"S008X016.FON\";0;\" AM\";\" PM\";\":\")\r\n"
      "-Object(13;0;0;0;0;1;0;15;1;\"Datum\";520;8;\"S008X016.FON\";58;\".\")\r\n"
      "-Object(15;0;0;0;1;1;0;255;0;\"Betriebsart\";20;180;\"S008X016.FON\";4;1)\r\n"
      "-Object(16;0;0;0;1;1;0;7;1;\"Meldung\";20;204;\"S008X016.FON\";6;2)\r\n"
      "-Object(8;0;0;0;0;2;0;10;1;\"Tank\";300;100;360;300;3;0;99.6;1)\r\n"
      "-Object(9;0;0;0;0;1;0;15;1;\"Verlauf\";100;300;260;420;0;200;0;2;2;4;1;6)\r\n"
      "-Object(20;0;0;0;\"Bild\";400;100;440;140;\"" +
      TankFile() +
      "\";FALSE;FALSE;0;0)\r\n"
      "-Object(2;0;0;0;0;1;0;2;1;\"Kasten\";500;300;560;300;560;340;500;340)\r\n"
      "-PictureEnd\r\n";
  return text;
}

enum class Entry { ContextMenu, SheetDoubleClick, TreeButton, TreeDoubleClick };

const char* EntryName(Entry e) {
  switch (e) {
    case Entry::ContextMenu:
      return "context menu";
    case Entry::SheetDoubleClick:
      return "double click on the sheet";
    case Entry::TreeButton:
      return "tree button";
    case Entry::TreeDoubleClick:
      return "double click in the tree";
  }
  return "";
}

template <class T>
T* Child(QWidget& d, const char* name) {
  T* w = d.findChild<T*>(name);
  EXPECT_NE(w, nullptr) << name;
  return w;
}
QString Text(QWidget& d, const char* name) {
  QLineEdit* edit = Child<QLineEdit>(d, name);
  return edit ? edit->text() : QString();
}
void Type(QWidget& d, const char* name, const QString& text) {
  if (QLineEdit* edit = Child<QLineEdit>(d, name)) edit->setText(text);
}
void Press(QWidget& d, const char* name) {
  if (QAbstractButton* button = Child<QAbstractButton>(d, name)) button->click();
}
bool Checked(QWidget& d, const char* name) {
  QAbstractButton* button = Child<QAbstractButton>(d, name);
  return button && button->isChecked();
}
// Chooses the entry of a drop-down list that stands for `number`.
void ChooseNumber(QWidget& d, const char* name, int number) {
  if (QComboBox* box = Child<QComboBox>(d, name)) box->setCurrentIndex(box->findData(number));
}
// What the platform sends for a double click: a click, then the second
// press, the double click and its release.
void DoubleClick(QWidget* widget, QPoint p) {
  QTest::mouseClick(widget, Qt::LeftButton, {}, p);
  QTest::mousePress(widget, Qt::LeftButton, {}, p);
  QTest::mouseDClick(widget, Qt::LeftButton, {}, p);
  QTest::mouseRelease(widget, Qt::LeftButton, {}, p);
}
void Confirm(QWidget& d) {
  if (auto* dialog = qobject_cast<ToolDialog*>(&d)) dialog->OkButton()->click();
}
void Dismiss(QWidget& d) {
  if (auto* dialog = qobject_cast<ToolDialog*>(&d)) dialog->CancelButton()->click();
}

class ObjectDialogsUi : public testing::SheetTesting {
 protected:
  void SetUp() override {
    SheetTesting::SetUp();
    settings().fangStyle = 0;
    settings().panel = false;  // the object tree is shown
    // Opened as the editor opens a file.
    const std::string file = folder_.File("Dialoge.qvx");
    std::ofstream(file, std::ios::binary) << ProjectText();
    ProjectReadContext context = workspace().ReadContext(&box_);
    auto project = workspace().OpenProject(file, context).project;
    ASSERT_NE(project, nullptr);
    // A text list input field keeps the length its record gave it; a
    // project line has none, and a field without one cannot be hit.
    auto& input = static_cast<tTeLiObj&>(ObjectIn(FirstPicture(*project), 10));
    input.SetTextLength(5);
    input.UpdateExtent();
    document_ = std::make_unique<Document>(std::move(project));
    picture_ = &FirstPicture(document_->Project());
    picture_->zoom = 1;
    picture_->originX = 10;
    picture_->originY = 10;
    page_ = std::make_unique<PicturePage>(workspace());
    page_->resize(1200, 800);
    page_->SetMessageBox(&box_);
    dialogs_ = InstallObjectDialogs(*page_);
    dialogs_->dialogMade = [this](QDialog& dialog) { Shown(dialog); };
    page_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(page_.get()));
    page_->ApplySettings();
    page_->SetDocument(document_.get());
    page_->OpenPictureInEditor(picture_);
    // A dialog a failed test leaves open must not hang the suite.
    QTimer::singleShot(20000, &guard_, [] {
      while (QWidget* modal = QApplication::activeModalWidget()) modal->close();
    });
  }
  void TearDown() override {
    page_.reset();
    document_.reset();
  }

  // What happens with the next dialog, once it is shown; a dialog nobody
  // waits for is cancelled.
  void WhenShown(std::function<void(QDialog&)> action) { pending_ = std::move(action); }
  void Shown(QDialog& dialog) {
    shown_ = dialog.objectName();
    std::function<void(QDialog&)> run = std::move(pending_);
    pending_ = nullptr;
    if (!run) run = [](QDialog& d) { Dismiss(d); };
    QTimer::singleShot(0, &dialog, [&dialog, run] { run(dialog); });
  }

  static t_objekt& ObjectIn(t_bild& picture, int position) {
    t_liste* n = picture.objects.get();
    for (int i = 1; i < position; ++i) n = n->next();
    return static_cast<t_objekt&>(*n);
  }
  Sheet& sheet() { return *page_->SheetWidget(); }
  ObjListe& tree() { return *page_->ObjectTree()->Tree(); }
  t_objekt& Object(int position) { return ObjectIn(*picture_, position); }
  // A message of the language table with `value` in place of "%s" or "%d".
  std::string Said(const TextId& id, const std::string& value) {
    std::string text = workspace().translator().Tr(id);
    for (const char* mark : {"%s", "%d"})
      if (const std::size_t at = text.find(mark); at != std::string::npos)
        text.replace(at, 2, value);
    return text;
  }
  t_objekt& Last() { return static_cast<t_objekt&>(*LastNode(picture_->objects.get())); }
  std::string Line(int position) { return Object(position).FormatFields(); }
  QPoint W(double x, double y) {
    return {page_->View().TermToWinX(x), page_->View().TermToWinY(y)};
  }
  QPoint Centre(const t_objekt& o) {
    const TermRect e = o.GetExtent();
    return W((e.left + e.right) / 2, (e.top + e.bottom) / 2);
  }
  void ClickAt(QPoint p) {
    QTest::mouseMove(&sheet(), p);
    QTest::mouseClick(&sheet(), Qt::LeftButton, {}, p);
  }
  void ArmTool(int tool) {
    QTest::mouseClick(page_->findChild<QToolButton*>(FindTool(tool)->button), Qt::LeftButton);
  }

  // Opens the property dialog of the object at `position` the way `entry` does.
  void Open(Entry entry, int position, bool switching = false) {
    t_objekt& object = Object(position);
    switch (entry) {
      case Entry::ContextMenu: {
        document_->SetSelection(std::vector<t_objekt*>{&object});
        QMenu* menu = page_->ContextMenu();
        emit menu->aboutToShow();
        QAction* action =
            menu->findChild<QAction*>(switching ? "Schaltverhalten" : "Objekteigenschaften");
        ASSERT_TRUE(action->isEnabled());
        action->trigger();
        break;
      }
      case Entry::SheetDoubleClick: {
        const QPoint p = Centre(object);
        QTest::mouseMove(&sheet(), p);
        DoubleClick(&sheet(), p);
        break;
      }
      case Entry::TreeButton:
      case Entry::TreeDoubleClick: {
        QTreeWidgetItem* node = tree().NodeOf(&object);
        ASSERT_NE(node, nullptr);
        tree().setCurrentItem(node);
        if (entry == Entry::TreeButton) {
          page_->ObjectTree()
              ->findChild<QToolButton*>(switching ? "ToolButton19" : "ToolButton5")
              ->click();
        } else {
          tree().scrollToItem(node);
          DoubleClick(tree().viewport(), tree().visualItemRect(node).center());
        }
        break;
      }
    }
  }

  testing::TempFolder folder_;
  ScriptedMessageBox box_;
  QObject guard_;
  std::unique_ptr<Document> document_;
  t_bild* picture_ = nullptr;
  std::unique_ptr<PicturePage> page_;
  ObjectPropertyDialogs* dialogs_ = nullptr;
  std::function<void(QDialog&)> pending_;
  QString shown_;
};

// --- every kind from every entry point ------------------------------------------------------

struct KindCase {
  const char* dialog;
  int position;
  std::function<void(QDialog&)> checkShown;  // the object's values are shown
  std::function<void(QDialog&)> change;      // one field changed
  std::string changed;                       // what the project line says then
};

const KindCase kKinds[] = {
    {"Tdialog_textedit", 1, [](QDialog& d) { EXPECT_EQ(Text(d, "Edit1"), "Hallo"); },
     [](QDialog& d) { Type(d, "Edit1", "Welt"); }, "\"Welt\""},
    {"Tdialog_ausgabe_obj", 2,
     [](QDialog& d) {
       EXPECT_TRUE(Checked(d, "ArtWert"));
       EXPECT_EQ(Text(d, "Edit1"), "3");
       EXPECT_EQ(Text(d, "Edit2"), "1");
       EXPECT_TRUE(Checked(d, "faktor2"));  // *0.1
     },
     [](QDialog& d) { Type(d, "Edit2", "2"); }, "\"###.##\""},
    {"Tdialog_eingabe_obj", 3, [](QDialog& d) { EXPECT_EQ(Text(d, "Edit1"), "5"); },
     [](QDialog& d) { Type(d, "Edit1", "6"); }, "\"######\""},
    {"Tdialog_barcode_obj", 4,
     [](QDialog& d) {
       EXPECT_TRUE(Checked(d, "ArtText"));
       EXPECT_EQ(Text(d, "Edit3"), "12");
     },
     [](QDialog& d) { Type(d, "Edit3", "8"); }, ";\"$$$$$$$$\")"},
    {"Tdialog_Skalausgabe_obj", 5, [](QDialog& d) { EXPECT_EQ(Text(d, "Edit3"), "0.01000000"); },
     [](QDialog& d) { Type(d, "Edit4", "-2"); }, ";0.01;-2;2)"},
    {"Tdialog_SkalEingabe_Obj", 6, [](QDialog& d) { EXPECT_EQ(Text(d, "Edit1"), "3"); },
     [](QDialog& d) { Type(d, "Edit2", "1"); }, "\"###.#\""},
    {"Tdialog_zeitausgabe_obj", 7,
     [](QDialog& d) {
       EXPECT_TRUE(Checked(d, "std12"));
       EXPECT_EQ(Text(d, "AM_str"), " AM");
     },
     [](QDialog& d) { Press(d, "std24"); }, ";1;\" AM\";\" PM\";\":\")"},
    {"Tdialog_datumausgabe_obj", 8,
     [](QDialog& d) {
       EXPECT_TRUE(Checked(d, "TMJ"));
       EXPECT_TRUE(Checked(d, "JHA"));
     },
     [](QDialog& d) { Type(d, "TZ_Str", "/"); }, ";58;\"/\")"},
    {"Tdialog_TextListe_obj", 9,
     [](QDialog& d) { EXPECT_EQ(Child<QComboBox>(d, "TextBox")->currentData().toInt(), 1); },
     [](QDialog& d) { ChooseNumber(d, "TextBox", 2); }, ";4;2)"},
    {"Tdialog_editlisteeingabe_obj", 10,
     [](QDialog& d) { EXPECT_EQ(Child<QComboBox>(d, "Varibox")->currentData().toInt(), 6); },
     [](QDialog& d) { ChooseNumber(d, "Varibox", 5); }, ";5;2)"},
    {"Tdialog_bargraf_obj", 11,
     [](QDialog& d) {
       EXPECT_EQ(Text(d, "Edit1"), "100");  // 99.6 shown rounded
       EXPECT_TRUE(Checked(d, "LRBut4"));
     },
     [](QDialog& d) { Press(d, "LRBut1"); }, ";0;0;100;1)"},
    {"Tdialog_plotgraf_obj", 12,
     [](QDialog& d) {
       EXPECT_EQ(Text(d, "Edit1"), "200");
       EXPECT_TRUE(Checked(d, "RBZ2"));
       EXPECT_TRUE(Checked(d, "Zeit_pro_Pixel1"));  // 10 s
     },
     [](QDialog& d) { Press(d, "RBZ3"); }, ";0;200;0;2;3;4;1;6)"},
    {"TDialog_Bitmap_Obj", 13, [](QDialog& d) { EXPECT_FALSE(Checked(d, "CheckBox2")); },
     [](QDialog& d) { Press(d, "CheckBox2"); }, ";FALSE;TRUE;"},
};

class EveryKindAndEntry : public ObjectDialogsUi,
                          public ::testing::WithParamInterface<std::tuple<int, Entry>> {};

// The dialog shows the object; Cancel changes nothing; OK changes the one
// field as one step, and undo gives the line back.
TEST_P(EveryKindAndEntry, OpensShowsAndAppliesOrCancelsExactly) {
  const KindCase& c = kKinds[std::get<0>(GetParam())];
  const Entry entry = std::get<1>(GetParam());
  SCOPED_TRACE(std::string(c.dialog) + " from the " + EntryName(entry));
  const std::string before = Line(c.position);

  WhenShown([&](QDialog& d) {
    c.change(d);
    Dismiss(d);
  });
  Open(entry, c.position);
  EXPECT_EQ(shown_, c.dialog);
  EXPECT_EQ(Line(c.position), before);
  EXPECT_FALSE(document_->CanUndo());

  shown_.clear();
  WhenShown([&](QDialog& d) {
    c.checkShown(d);
    c.change(d);
    Confirm(d);
  });
  Open(entry, c.position);
  ASSERT_EQ(shown_, c.dialog);
  const std::string after = Line(c.position);
  EXPECT_NE(after.find(c.changed), std::string::npos) << after;
  ASSERT_TRUE(document_->CanUndo());
  EXPECT_TRUE(document_->IsModified());
  document_->Undo();
  EXPECT_EQ(Line(c.position), before);
  EXPECT_TRUE(box_.Calls().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, EveryKindAndEntry,
    ::testing::Combine(::testing::Range(0, static_cast<int>(std::size(kKinds))),
                       ::testing::Values(Entry::ContextMenu, Entry::SheetDoubleClick,
                                         Entry::TreeButton, Entry::TreeDoubleClick)));

// Shapes have no dialog: the menu entry is off, a double click opens nothing.
TEST_F(ObjectDialogsUi, ShapesHaveNoDialog) {
  document_->SetSelection(std::vector<t_objekt*>{&Last()});
  QMenu* menu = page_->ContextMenu();
  emit menu->aboutToShow();
  EXPECT_FALSE(menu->findChild<QAction*>("Objekteigenschaften")->isEnabled());
  Open(Entry::SheetDoubleClick, CountNodes(picture_->objects.get()));
  EXPECT_TRUE(shown_.isEmpty());
}

// Several selected objects get one dialog each, in list order.
TEST_F(ObjectDialogsUi, TheContextMenuGoesThroughTheSelection) {
  document_->SetSelection(std::vector<t_objekt*>{&Object(3), &Object(2)});
  QStringList seen;
  std::function<void(QDialog&)> next = [&](QDialog& d) {
    seen << d.objectName();
    Type(d, "Edit1", "7");
    Confirm(d);
  };
  dialogs_->dialogMade = [&](QDialog& d) { QTimer::singleShot(0, &d, [&d, &next] { next(d); }); };
  QMenu* menu = page_->ContextMenu();
  emit menu->aboutToShow();
  menu->findChild<QAction*>("Objekteigenschaften")->trigger();
  EXPECT_EQ(seen, (QStringList{"Tdialog_ausgabe_obj", "Tdialog_eingabe_obj"}));
  EXPECT_NE(Line(2).find("\"#######.#\""), std::string::npos);
  EXPECT_NE(Line(3).find("\"#######\""), std::string::npos);
  EXPECT_EQ(document_->History().Size(), 2u);
}

// --- switching --------------------------------------------------------------------------

TEST_F(ObjectDialogsUi, SwitchingBitNineTestedForOne) {
  const std::string before = Line(2);
  WhenShown([](QDialog& d) {
    EXPECT_TRUE(Checked(d, "Aktion0"));  // "keine"
    EXPECT_FALSE(Child<QWidget>(d, "Bitorientiert")->isVisibleTo(&d));
    Press(d, "Aktion1");
    EXPECT_TRUE(Child<QWidget>(d, "Bitorientiert")->isVisibleTo(&d));
    EXPECT_TRUE(Checked(d, "Bitmaske0"));  // bit 0 to start with
    Press(d, "Bitmaske3");                 // "9"
    Press(d, "BPruefung1");
    ChooseNumber(d, "Varibox", 6);
    Confirm(d);
  });
  Open(Entry::ContextMenu, 2, true);
  EXPECT_EQ(shown_, "TSwitch_dia");
  EXPECT_EQ(Object(2).GetSwitching(), (t_schaltung{8, 512, 6}));

  // Reopened it shows what it stored; a comparison "=>" 100 from the tree.
  WhenShown([](QDialog& d) {
    EXPECT_TRUE(Checked(d, "Aktion1"));
    EXPECT_TRUE(Checked(d, "Bitmaske3"));
    EXPECT_EQ(Child<QAbstractButton>(d, "Bitmaske3")->text(), "9");
    EXPECT_TRUE(Checked(d, "BPruefung1"));
    Press(d, "Aktion2");
    EXPECT_EQ(Text(d, "Edit1"), "512");
    Press(d, "WPruefung3");
    Type(d, "Edit1", "100");
    Confirm(d);
  });
  Open(Entry::TreeButton, 2, true);
  EXPECT_EQ(Object(2).GetSwitching(), (t_schaltung{4, 100, 6}));
  document_->Undo();
  document_->Undo();
  EXPECT_EQ(Line(2), before);

  // A comparison value that is no integer keeps the dialog open.
  WhenShown([this](QDialog& d) {
    Press(d, "Aktion2");
    Type(d, "Edit1", "1.5");
    Confirm(d);
    EXPECT_TRUE(d.isVisible());
    ASSERT_EQ(box_.Calls().size(), 1u);
    EXPECT_EQ(box_.Calls()[0].text, Said(txt::kKeinIntegerwert, "1.5"));
    Dismiss(d);
  });
  Open(Entry::ContextMenu, 2, true);
  EXPECT_EQ(Line(2), before);
}

// --- checks -------------------------------------------------------------------------------

// A field that fails its check keeps the dialog open and takes nothing
// over: the object and the kind's buffer stay as they were, even for the
// fields stored before the failing one.
TEST_F(ObjectDialogsUi, AFailedCheckLeavesObjectAndBufferAlone) {
  const std::string before = Line(2);
  WhenShown([this](QDialog& d) {
    ChooseNumber(d, "Varibox", 2);
    Type(d, "Edit1", "300");  // digits are a byte
    Confirm(d);
    EXPECT_TRUE(d.isVisible());
    ASSERT_EQ(box_.Calls().size(), 1u);
    EXPECT_EQ(box_.Calls()[0].text, Said(txt::kKeinIntegerwert, "300"));
    Dismiss(d);
  });
  Open(Entry::TreeButton, 2);
  EXPECT_EQ(Line(2), before);
  const t_objekt* buffer = page_->Toolbox().Buffers().Buffer(kKindAusgabe);
  EXPECT_EQ(buffer->FormatFields(), before);
}

TEST_F(ObjectDialogsUi, FactorAndOffsetAreDecimalsWithAPoint) {
  struct Case {
    const char* typed;
    bool taken;
  };
  const Case cases[] = {{"0,5", false}, {"0.5", true},        {"-12.25", true},
                        {"1e3", false}, {" 7 ", true},        {"0.000000001", false},
                        {"abc", false}, {"2.100000000", true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    const std::size_t calls = box_.Calls().size();
    bool visible = false;
    WhenShown([&](QDialog& d) {
      Type(d, "Edit3", c.typed);
      Confirm(d);
      visible = d.isVisible();
      if (visible) Dismiss(d);
    });
    Open(Entry::ContextMenu, 5);
    EXPECT_EQ(visible, !c.taken);
    if (!c.taken) {
      ASSERT_EQ(box_.Calls().size(), calls + 1);
      EXPECT_EQ(box_.Calls().back().text, Said(txt::kObjKeinGleitkommawert, c.typed));
    }
  }
  EXPECT_DOUBLE_EQ(static_cast<tSkalAus&>(Object(5)).m(), 2.1);
}

// A plain font list without a chosen entry refuses OK while the catalogue
// has fonts.
TEST_F(ObjectDialogsUi, AFontOutsideTheCatalogueMustBeChosen) {
  t_objekt* one[] = {&Object(2)};
  ASSERT_TRUE(EditObjects(*document_, *picture_, one, txt::kEditMove,
                          [](t_objekt& o) { static_cast<tausobj&>(o).SetFont("NICHTDA.FON"); }));
  WhenShown([this](QDialog& d) {
    auto* list = Child<QListWidget>(d, "fontbox");
    EXPECT_EQ(list->currentRow(), -1);
    Confirm(d);
    ASSERT_TRUE(d.isVisible());
    ASSERT_EQ(box_.Calls().size(), 1u);
    EXPECT_EQ(box_.Calls()[0].text, Said(txt::kObjListenindex, "-1"));
    list->setCurrentRow(0);
    Confirm(d);
  });
  Open(Entry::ContextMenu, 2);
  const auto& field = static_cast<tausobj&>(Object(2));
  const auto* first = static_cast<const t_fonteintrag*>(workspace().catalog().fonts.get());
  EXPECT_EQ(field.font(), first->fileName);
  EXPECT_EQ(field.cellHeight(), first->height);
}

// The text takes what its record holds; the result shows it in the font.
TEST_F(ObjectDialogsUi, TheTextDialogDrawsTheResultAndKeepsTheTextWithinItsRecord) {
  WhenShown([](QDialog& d) {
    auto& dialog = static_cast<Tdialog_textedit&>(d);
    const QImage empty = dialog.ResultImage();
    // A line break pasted in would break the project file's line.
    Type(d, "Edit1", "A\nB");
    EXPECT_EQ(static_cast<const ttext*>(dialog.PreviewObject())->text(), "A B");
    Type(d, "Edit1", QString(300, 'W'));
    EXPECT_EQ(Text(d, "Edit1").size(), 255);
    EXPECT_NE(dialog.ResultImage(), empty);
    EXPECT_EQ(dialog.ResultImage().pixelColor(0, 0), QColor(Qt::black));
    Confirm(d);
  });
  Open(Entry::ContextMenu, 1);
  EXPECT_EQ(static_cast<ttext&>(Object(1)).text(), std::string(255, 'W'));
}

// The preview draws the object as the sheet does, and follows the controls.
TEST_F(ObjectDialogsUi, ThePreviewFollowsTheControls) {
  WhenShown([](QDialog& d) {
    auto& dialog = static_cast<ObjectDialog&>(d);
    const QImage before = dialog.Preview()->Image();
    ASSERT_FALSE(before.isNull());
    Type(d, "Edit1", "8");
    EXPECT_NE(dialog.Preview()->Image(), before);
    ASSERT_NE(dialog.PreviewObject(), nullptr);
    EXPECT_EQ(static_cast<const tausobj*>(dialog.PreviewObject())->digits(), 8);
    // What is no number yet leaves the preview at the last number.
    Type(d, "Edit1", "8x");
    EXPECT_EQ(static_cast<const tausobj*>(dialog.PreviewObject())->digits(), 5);
    Dismiss(d);
  });
  Open(Entry::ContextMenu, 3);
}

// --- the graphs -----------------------------------------------------------------------------

TEST_F(ObjectDialogsUi, BarGraphRangeIsShownRoundedAndStoredWhole) {
  WhenShown([](QDialog& d) {
    EXPECT_EQ(Text(d, "Edit1"), "100");
    EXPECT_EQ(Text(d, "Edit2"), "0");
    Confirm(d);
  });
  Open(Entry::ContextMenu, 11);
  EXPECT_EQ(static_cast<t_bargraf&>(Object(11)).upper(), 100);
}

// The scale colour is the picker's colour + 1; the picker's no-colour
// button stores 0, and the picker opens on it again.
TEST_F(ObjectDialogsUi, PlotGraphScaleColour) {
  std::vector<int> opened;
  auto run = [&](std::optional<int> choice) {
    WhenShown([&opened, choice](QDialog& d) {
      static_cast<Tdialog_plotgraf_obj&>(d).SetColourChoice([&opened, choice](int start, QPoint) {
        opened.push_back(start);
        return choice;
      });
      Press(d, "SpeedButton1");
      Confirm(d);
    });
    Open(Entry::ContextMenu, 12);
  };
  run(255);
  EXPECT_EQ(static_cast<t_plotgraf&>(Object(12)).scaleColour(), 0);
  run(std::nullopt);  // closed without a choice
  EXPECT_EQ(static_cast<t_plotgraf&>(Object(12)).scaleColour(), 0);
  run(4);
  EXPECT_EQ(static_cast<t_plotgraf&>(Object(12)).scaleColour(), 5);
  EXPECT_EQ(opened, (std::vector<int>{3, 255, 255}));  // scale 4, then none twice
}

// --- creation -------------------------------------------------------------------------------

// Each creation tool with a dialog shows it on its buffer; Cancel arms
// nothing, OK arms the tool.
TEST_F(ObjectDialogsUi, ArmingShowsTheKindsDialog) {
  const std::pair<int, const char*> tools[] = {
      {5, "Tdialog_textedit"},         {6, "Tdialog_bargraf_obj"},
      {7, "Tdialog_plotgraf_obj"},     {8, "Tdialog_editlisteeingabe_obj"},
      {9, "Tdialog_TextListe_obj"},    {10, "Tdialog_ausgabe_obj"},
      {11, "Tdialog_eingabe_obj"},     {12, "Tdialog_Skalausgabe_obj"},
      {13, "Tdialog_SkalEingabe_Obj"}, {14, "Tdialog_barcode_obj"},
      {15, "Tdialog_zeitausgabe_obj"}, {16, "Tdialog_datumausgabe_obj"},
      {17, "TDialog_Bitmap_Obj"},
  };
  for (const auto& [tool, dialog] : tools) {
    SCOPED_TRACE(dialog);
    WhenShown([](QDialog& d) { Dismiss(d); });
    ArmTool(tool);
    EXPECT_EQ(shown_, dialog);
    EXPECT_EQ(page_->Tool(), kToolSelect);
    WhenShown([](QDialog& d) { Confirm(d); });
    ArmTool(tool);
    EXPECT_EQ(page_->Tool(), tool);
    ArmTool(kToolSelect);
  }
  EXPECT_TRUE(box_.Calls().empty());
}

// A new field starts from the start values, not from the field edited
// last; what the dialog sets on arming is what the new field gets.
TEST_F(ObjectDialogsUi, ANewFieldHasTheStartValuesAndWhatTheDialogSet) {
  WhenShown([](QDialog& d) {
    Type(d, "Edit1", "9");
    Confirm(d);
  });
  Open(Entry::ContextMenu, 3);  // "Sollwert", now nine digits
  WhenShown([](QDialog& d) {
    EXPECT_TRUE(Checked(d, "ArtWert"));
    EXPECT_EQ(Text(d, "Edit1"), "4");
    EXPECT_EQ(Text(d, "Edit2"), "0");
    EXPECT_TRUE(Checked(d, "faktor3"));  // *1
    EXPECT_GE(Child<QListWidget>(d, "fontbox")->currentRow(), 0);
    Type(d, "Edit2", "2");
    Confirm(d);
  });
  ArmTool(11);
  ClickAt(W(300, 20));
  const std::string line = Last().FormatFields();
  EXPECT_EQ(Last().Kind(), kKindEingabe);
  // The variable is none of the start values: the field edited last left it.
  EXPECT_NE(line.find(";\"\";300;20;\"S008X016.FON\";1;3;\"####.##\")"), std::string::npos) << line;
}

// The text keeps the name and switching rule of the text edited last; the
// plot graph never does.
TEST_F(ObjectDialogsUi, WhatTheTextAndThePlotGraphKeep) {
  t_objekt* text[] = {&Object(1)};
  ASSERT_TRUE(EditObjects(*document_, *picture_, text, txt::kEditMove, [](t_objekt& o) {
    o.SetSwitching({3, 1, 2});
  }));
  t_objekt* plot[] = {&Object(12)};
  ASSERT_TRUE(EditObjects(*document_, *picture_, plot, txt::kEditMove, [](t_objekt& o) {
    o.SetSwitching({3, 1, 2});
  }));
  for (int position : {1, 12}) {
    WhenShown([](QDialog& d) { Confirm(d); });
    Open(Entry::ContextMenu, position);
  }
  WhenShown([this](QDialog& d) {
    EXPECT_EQ(Text(d, "Edit1"), Tr(workspace().translator(), txt::kNeuerText));
    Confirm(d);
  });
  ArmTool(5);
  ClickAt(W(300, 40));
  EXPECT_EQ(Last().name, "Titel");
  EXPECT_EQ(Last().GetSwitching(), (t_schaltung{3, 1, 2}));

  WhenShown([](QDialog& d) {
    // The start orientation 3 is none the dialog offers: it shows and
    // stores left to right; one second per pixel.
    EXPECT_TRUE(Checked(d, "RB1"));
    EXPECT_TRUE(Checked(d, "Zeit_pro_Pixel0"));
    EXPECT_EQ(Child<QAbstractButton>(d, "Zeit_pro_Pixel0")->text(), "  1 s");
    Confirm(d);
  });
  ArmTool(7);
  ClickAt(W(300, 60));
  ClickAt(W(380, 90));
  const auto& graph = static_cast<t_plotgraf&>(Last());
  EXPECT_EQ(graph.Kind(), kKindPlotgraf);
  EXPECT_EQ(graph.name, "");
  EXPECT_EQ(graph.GetSwitching(), t_schaltung{});
  EXPECT_EQ(graph.orientation(), 0);
}

// A bitmap keeping its natural size is placed by one click: its box is the
// image's size, 10 pixels below the click.
TEST_F(ObjectDialogsUi, ABitmapOfNaturalSizeIsPlacedByOneClick) {
  int width = 0, height = 0;
  ASSERT_TRUE(ReadBmpSize(TankFile(), width, height));
  WhenShown([](QDialog& d) {
    auto& dialog = static_cast<TDialog_Bitmap_Obj&>(d);
    EXPECT_TRUE(dialog.PreviewImage().isNull());  // no file yet
    // Natural size without a file cannot be confirmed.
    Press(d, "CheckBox1");
    Confirm(d);
    EXPECT_TRUE(d.isVisible());
    // Enter does not confirm this dialog.
    QTest::keyClick(&d, Qt::Key_Return);
    EXPECT_TRUE(d.isVisible());
    dialog.SetFileChoice(
        [](const QString&, const QString&) { return QString::fromStdString(TankFile()); });
    Press(d, "ToolButton1");
    EXPECT_FALSE(dialog.PreviewImage().isNull());
    Confirm(d);
  });
  ArmTool(kToolBitmap);
  ASSERT_EQ(page_->Tool(), kToolBitmap);
  const std::size_t before = CountNodes(picture_->objects.get());
  ClickAt(W(200, 30));
  ASSERT_EQ(CountNodes(picture_->objects.get()), before + 1);
  const auto& bitmap = static_cast<tqvxbitmap&>(Last());
  EXPECT_EQ(bitmap.x1, 200);
  EXPECT_EQ(bitmap.y1, 40);
  EXPECT_EQ(bitmap.x2, 200 + width);
  EXPECT_EQ(bitmap.y2, 40 + height);
  EXPECT_TRUE(bitmap.fixedSize());
  EXPECT_NE(bitmap.identifier, 0);
}

// A colour picked in the preview becomes the transparent colour.
TEST_F(ObjectDialogsUi, TheTransparentColourIsPickedInThePreview) {
  WhenShown([](QDialog& d) {
    auto& dialog = static_cast<TDialog_Bitmap_Obj&>(d);
    Press(d, "CheckBox2");
    const QImage image = dialog.PreviewImage();
    ASSERT_FALSE(image.isNull());
    const QPoint at(image.width() / 2, image.height() / 2);
    const QColor pixel = image.pixelColor(at);
    auto* preview = Child<QWidget>(d, "bmpvorschau");
    QTest::mouseMove(preview, at);
    QTest::mousePress(preview, Qt::LeftButton, {}, at);
    const auto expected = static_cast<std::int32_t>(
        MakeRgb(static_cast<std::uint8_t>(pixel.red()), static_cast<std::uint8_t>(pixel.green()),
                static_cast<std::uint8_t>(pixel.blue())));
    EXPECT_EQ(dialog.TransparentColour(), expected);
    Confirm(d);
  });
  Open(Entry::ContextMenu, 13);
  const auto& bitmap = static_cast<tqvxbitmap&>(Object(13));
  EXPECT_TRUE(bitmap.transparent);
}

}  // namespace
}  // namespace tavo
