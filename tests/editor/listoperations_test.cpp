// The operations of the list pages as the user reaches them: the dialogs
// and their checks, the questions and messages of deleting, renaming in
// place, the filter and the where-used list.

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <functional>

#include "editor/dialogs/alarmdialog.h"
#include "editor/dialogs/alarmpreview.h"
#include "editor/dialogs/textlistdialog.h"
#include "editor/dialogs/variabledialog.h"
#include "editor/pages/listpages.h"
#include "editor/pages/picturelist.h"
#include "mainwindow_fixture.h"
#include "objects/fields/fields.h"

namespace tavo::testing {
namespace {

// A data block coupling; text list 1 and variables 1 and 2 are used by
// "Start", picture "Haupt" has a key that calls "Start".
const char* const kProject =
    "[Head]\r\n"
    "-Name         = \"Listen\"\r\n"
    "[Terminal]\r\n"
    "-DOSVersion    = \"VTA_640C.TRM\"\r\n"
    "[PLC]\r\n"
    "-DOSVersion    = \"SPS_DBW.KOP\"\r\n"
    "[Variables]\r\n"
    "-Variable(1;010,000;3;2;1;\"Motor\")\r\n"
    "-Variable(2;010,002;3;2;1;\"Pumpe\")\r\n"
    "-Variable(4;010,004;6;8;1;\"Text\")\r\n"
    "[Alarms]\r\n"
    "-Alarm(0;\"S008X016.FON\";1;5;\"Pumpe gest\366rt\")\r\n"
    "-Alarm(1;\"S008X016.FON\";2;0;\"Netz\")\r\n"
    "[TextList]\r\n"
    "-TextList(\"Zustand\";1;Wert)\r\n"
    "-Text(\"Aus\";0)\r\n"
    "-Text(\"Ein\";1)\r\n"
    "-Text(\"Hand\";3)\r\n"
    "-TextListEnd\r\n"
    "-TextList(\"Meldung\";2;Bit)\r\n"
    "-Text(\"a\";1)\r\n"
    "-Text(\"b\";2)\r\n"
    "-Text(\"c\";8)\r\n"
    "-TextListEnd\r\n"
    "[Pictures]\r\n"
    "-Picture(1;1;\"Start\";15)\r\n"
    "-Object(15;0;0;0;15;1;0;255;0;\"Zustand\";20;60;\"S008X016.FON\";1;1)\r\n"
    "-Object(7;3;2;5;15;1;0;255;0;\"Anzeige\";20;40;\"S008X016.FON\";1;1;\"###\")\r\n"
    "-PictureEnd\r\n"
    "-Picture(2;2;\"Haupt\";15)\r\n"
    "-Key(1;1;\"\")\r\n"
    "-PictureEnd\r\n"
    "-Picture(3;3;\"haupt\";15)\r\n"
    "-PictureEnd\r\n";

class ListOperationsUi : public MainWindowTest {
 protected:
  TmainForm& Window() {
    TmainForm& w = WindowWith(ProjectFile("listen.qvx", kProject));
    document_ = w.CurrentDocument();
    return w;
  }
  std::string Bytes() {
    std::string text;
    WriteProjectLines(*window_->Project(), [&](const std::string& l) { text += l + "\r\n"; });
    return text;
  }
  // Shows the page and selects the rows (view order) in its table.
  RecordTable* Select(TmainForm::View view, const char* table, std::vector<int> rows) {
    window_->ShowView(view);
    auto* t = Find<RecordTable>(table);
    t->selectionModel()->clearSelection();
    for (int row : rows)
      t->selectionModel()->select(t->model()->index(row, 0),
                                  QItemSelectionModel::Select | QItemSelectionModel::Rows);
    if (!rows.empty())
      t->selectionModel()->setCurrentIndex(t->model()->index(rows.front(), 0),
                                           QItemSelectionModel::NoUpdate);
    t->setFocus();
    return t;
  }
  // Runs `action` on the modal dialog once it is shown; a watchdog closes
  // whatever is still open so that a test fails instead of hanging.
  template <class Dialog>
  void WhenShown(std::function<void(Dialog&)> action) {
    QTimer::singleShot(0, &guard_, [action] {
      auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      action(*dialog);
    });
    QTimer::singleShot(10000, &guard_, [] {
      while (QWidget* modal = QApplication::activeModalWidget()) modal->close();
    });
  }
  std::string LastMessage() {
    return box_.Calls().empty() ? "" : Cp1252ToUtf8(box_.Calls().back().text);
  }
  std::string UndoName() {
    return document_->UndoName() ? Cp1252ToUtf8(Tr(*document_->UndoName())) : std::string();
  }

  Document* document_ = nullptr;
  QObject guard_;
};

TEST_F(ListOperationsUi, VariableDialogTakesItsFieldsAndRefusesWhatIsNoNumber) {
  Window();
  Select(TmainForm::kViewVariables, "TabVariablen_Liste", {});
  WhenShown<TVariableDialog>([this](TVariableDialog& d) {
    EXPECT_EQ(d.windowTitle(), "Variable");
    EXPECT_TRUE(d.AddressField()->isHidden());  // a data block coupling
    EXPECT_FALSE(d.DataBlockField()->isHidden());
    ASSERT_EQ(d.TypeList()->count(), 10);
    EXPECT_EQ(d.TypeList()->itemText(6), "KC       ");
    EXPECT_TRUE(d.LengthField()->isReadOnly());  // type 1
    d.TypeList()->setCurrentIndex(6);
    emit d.TypeList()->activated(6);
    EXPECT_FALSE(d.LengthField()->isReadOnly());
    EXPECT_EQ(d.LengthField()->text(), "2");  // the type's length
    d.NameField()->setText("Neu");
    d.DataBlockField()->setText("10");
    d.DataWordField()->setText("x");
    d.LengthField()->setText("12");
    d.Confirm();
    EXPECT_EQ(LastMessage(), "'x' ist kein gültiger Integerwert");
    EXPECT_TRUE(d.isVisible());
    d.DataWordField()->setText("5");
    d.Confirm();
  });
  Action("TabVariablen_Neu")->trigger();
  // Variables 1, 2 and 4: the new one is 3.
  const auto* added =
      static_cast<const t_variable*>(FindByNumber(window_->Project()->variables.get(), 3));
  ASSERT_NE(added, nullptr);
  EXPECT_EQ(added->name, "Neu");
  EXPECT_EQ(added->address, 10 * 256 + 5);
  EXPECT_EQ(added->type, 6);
  EXPECT_EQ(added->length, 12);
  EXPECT_EQ(UndoName(), "Variable anlegen");
  EXPECT_EQ(Find<RecordTable>("TabVariablen_Liste")->CurrentRecord(), added);
}

TEST_F(ListOperationsUi, AlarmDialogChecksTheNumberAndRedrawsThePreview) {
  Window();
  RecordTable* table = Select(TmainForm::kViewAlarms, "TabAlarme_Liste", {0});
  WhenShown<TAlarmDialog>([this](TAlarmDialog& d) {
    const QImage before = d.Preview()->Image();
    EXPECT_FALSE(before.isNull());
    EXPECT_TRUE(d.FlagBox(t_alarme::kDynamic)->isChecked());
    EXPECT_TRUE(d.FlagBox(t_alarme::kHistoryComes)->isChecked());
    EXPECT_FALSE(d.FlagBox(t_alarme::kInterrupting)->isChecked());
    d.FontList()->setCurrentRow(d.FontList()->currentRow() == 0 ? 1 : 0);
    EXPECT_NE(d.Preview()->Image(), before);
    const QImage font = d.Preview()->Image();
    d.TextField()->setText("Pumpe steht");
    EXPECT_NE(d.Preview()->Image(), font);
    d.FlagBox(t_alarme::kInterrupting)->setChecked(true);
    for (const char* refused : {"240", "1"}) {
      d.NumberField()->setText(refused);
      d.Confirm();
      EXPECT_TRUE(d.isVisible()) << refused;
    }
    d.NumberField()->setText("17");
    d.Confirm();
  });
  QTest::keyClick(table, Qt::Key_Return);
  const std::vector<ScriptedMessageBox::Call>& calls = box_.Calls();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].kind, MsgKind::Warnung);
  EXPECT_EQ(calls[0].text, "Range Error ! [0..239]");
  EXPECT_EQ(calls[1].text, "Die Nummer 1 ist bereits vergeben");
  const auto& alarm = static_cast<const t_alarme&>(*window_->Project()->alarms);
  EXPECT_EQ(alarm.number, 17);
  EXPECT_EQ(alarm.bitMask, 2);  // 1 << (17 mod 16)
  EXPECT_EQ(alarm.name, "Pumpe steht");
  EXPECT_EQ(alarm.flags, 7);
  EXPECT_NE(alarm.font, "S008X016.FON");
  EXPECT_EQ(UndoName(), "Alarm ändern");
}

TEST_F(ListOperationsUi, AlarmPreviewBreaksTheTextAsTheTerminalDoes) {
  EXPECT_EQ(AlarmLineLength(0, 8), 67);
  EXPECT_EQ(AlarmLineLength(640, 8), 67);
  EXPECT_EQ(AlarmLineLength(320, 8), 27);
  FontCache fonts(workspace_->install());
  // Without a terminal the line frame is 541 pixels wide: its right edge is
  // white, the field beside it dark blue.
  const QImage image = DrawAlarmPreview(std::string(70, 'x'), "S008X016.FON", 0, fonts);
  EXPECT_EQ(image.pixel(4 + 541 - 1, 10), qRgb(255, 255, 255));
  EXPECT_EQ(image.pixel(4 + 541 + 2, 10), qRgb(0, 0, 128));
  EXPECT_EQ(image.pixel(7, 7), qRgb(128, 128, 128));  // the text's grey
  // 70 characters make two lines of 16 pixels.
  EXPECT_EQ(image.height(), 4 + 2 * 16 + 2 * 2 + 1 + 4);
}

TEST_F(ListOperationsUi, CopyingAlarmsStopsAtTheLastNumber) {
  std::string text = kProject;
  std::string alarms = "[Alarms]\r\n";
  for (int i = 0; i < 240; ++i)
    alarms += "-Alarm(" + std::to_string(i) + ";\"S008X016.FON\";1;0;\"A\")\r\n";
  text.replace(text.find("[Alarms]"), text.find("[TextList]") - text.find("[Alarms]"), alarms);
  TmainForm& w = WindowWith(ProjectFile("voll.qvx", text));
  Select(TmainForm::kViewAlarms, "TabAlarme_Liste", {0, 1});
  Action("TabAlarme_Kopieren")->trigger();
  EXPECT_EQ(LastMessage(), "Range Error ! [0..239]");
  EXPECT_EQ(CountNodes(w.Project()->alarms.get()), 240);
  EXPECT_FALSE(w.CurrentDocument()->CanUndo());
}

// A new text gets the first free value of its list: the mask 4 ("Bit  2")
// beside 1, 2 and 8; the value 2 beside 0, 1 and 3.
TEST_F(ListOperationsUi, TextListEditorGivesANewTextTheFirstFreeValue) {
  const std::pair<int, const char*> cases[] = {{1, "Bit  2"}, {0, "2"}};
  for (const auto& [row, caption] : cases) {
    SCOPED_TRACE(caption);
    Window();
    Select(TmainForm::kViewInfo, "TabTexte_Liste", {row});
    window_->findChild<QTabWidget*>("pagecontrol1")->setCurrentIndex(TmainForm::kPageTexts);
    WhenShown<TTextListEditor>([this, caption = caption](TTextListEditor& e) {
      EXPECT_EQ(e.windowTitle(), "TextListe");
      EXPECT_FALSE(e.KindChoice()->isEnabled());  // the list has texts
      WhenShown<ToolDialog>([](ToolDialog& d) { d.Confirm(); });
      e.NewText();
      QTreeWidget* texts = e.TextTable();
      ASSERT_EQ(texts->topLevelItemCount(), 4);
      EXPECT_EQ(texts->topLevelItem(3)->text(0), caption);
      EXPECT_EQ(texts->topLevelItem(3)->text(1), "neuer Text");
      // Deleting texts asks nothing; a list without texts may change its kind.
      texts->selectAll();
      e.DeleteTexts();
      EXPECT_EQ(texts->topLevelItemCount(), 0);
      EXPECT_TRUE(e.KindChoice()->isEnabled());
      e.NameField()->setText("Leer");
      e.Confirm();
    });
    Action("TabTexte_Aendern")->trigger();
    const t_liste* list = Find<RecordTable>("TabTexte_Liste")->CurrentRecord();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->name, "Leer");
    EXPECT_EQ(CountNodes(static_cast<const t_textliste*>(list)->texts.get()), 0);
    EXPECT_EQ(UndoName(), "Textliste ändern");
    EXPECT_TRUE(box_.Calls().empty());
    window_.reset();
  }
}

// Deleting asks first; what an object uses stays, and the messages say
// where it is used.
TEST_F(ListOperationsUi, DeletingKeepsWhatPicturesUseAndSaysWhere) {
  struct Case {
    TmainForm::View view;
    int page;
    const char* table;
    std::vector<std::string> messages;
    std::vector<std::string> left;
  };
  const Case cases[] = {
      {TmainForm::kViewInfo,
       TmainForm::kPageTexts,
       "TabTexte_Liste",
       {"Selektierte Textlisten wirklich löschen ?",
        "Die Texliste \"Zustand\" kann nicht gelöcht werden, da sie in Bild \"Start\" verwendet "
        "wird",
        "Eine oder mehrere selektierte Texlisten konnten\rnicht gelöcht werden, da sie in Bildern "
        "verwendet\rwerden\r\r\"Zustand\":\rBild \"Start\": Textlistenausgabe \"Zustand\""},
       {"Zustand"}},
      {TmainForm::kViewVariables,
       TmainForm::kPageVariables,
       "TabVariablen_Liste",
       {"Selektierte Variablen wirklich löschen ?",
        "Eine oder mehrere selektierte Variablen konnten\rnicht gelöcht werden, da sie in Bildern "
        "verwendet\rwerden\r\r\"Motor\":\rBild \"Start\": Textlistenausgabe \"Zustand\"\rBild "
        "\"Start\": Ausgabefeld \"Anzeige\"\r\r\"Pumpe\":\rBild \"Start\": Ausgabefeld \"Anzeige\" "
        "(Schaltverhalten)"},
       {"Motor", "Pumpe"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.table);
    box_ = ScriptedMessageBox();
    Window();
    RecordTable* table = Select(c.view, c.table, {});
    window_->findChild<QTabWidget*>("pagecontrol1")->setCurrentIndex(c.page);
    table->selectAll();
    table->setFocus();
    box_.QueueAnswer(kAnswerJa);
    QTest::keyClick(table, Qt::Key_Delete);
    std::vector<std::string> texts;
    for (const auto& call : box_.Calls()) texts.push_back(Cp1252ToUtf8(call.text));
    EXPECT_EQ(texts, c.messages);
    std::vector<std::string> left;
    for (int row = 0; row < table->RowCount(); ++row)
      left.push_back(table->TextAt(row, c.page == TmainForm::kPageTexts ? 1 : 0).toStdString());
    EXPECT_EQ(left, c.left);
    EXPECT_EQ(document_->History().Size(), 1u);
    window_.reset();
  }
}

// The used variable goes as well when the user asks for it; its references
// go in the same step, and one Undo gives the file back.
TEST_F(ListOperationsUi, DeleteWithReferencesIsOneStep) {
  Window();
  const std::string before = Bytes();
  Select(TmainForm::kViewVariables, "TabVariablen_Liste", {0});
  box_.QueueAnswer(kAnswerJa);
  Action("TabVariablen_MitVerweisenLoeschen")->trigger();
  EXPECT_EQ(Cp1252ToUtf8(box_.Calls().at(0).text),
            "Variable \"Motor\" mit allen Verweisen löschen ?\r\r\"Motor\":\rBild \"Start\": "
            "Textlistenausgabe \"Zustand\"\rBild \"Start\": Ausgabefeld \"Anzeige\"");
  EXPECT_EQ(FindByNumber(window_->Project()->variables.get(), 1), nullptr);
  EXPECT_EQ(UndoName(), "Mit allen Verweisen löschen");
  window_->UndoClick();
  EXPECT_EQ(Bytes(), before);
}

// «Haupt» cannot become «HAUPT» while another picture is «haupt»; any other
// name goes to the picture and its node in the tree.
TEST_F(ListOperationsUi, PictureNamesStayUniqueWhenRenamedInPlace) {
  Window();
  RecordTable* table = Select(TmainForm::kViewPictures, "bild_liste_Bericht", {1});
  auto rename = [&](const QString& name) {
    table->SourceModel().item(1, 0)->setText(name);
    QCoreApplication::processEvents();  // the rename arrives after the edit
  };
  rename("HAUPT");
  EXPECT_EQ(box_.Calls().at(0).kind, MsgKind::Warnung);
  EXPECT_EQ(LastMessage(), "Bildname [HAUPT] bereits vorhanden !");
  EXPECT_EQ(window_->Project()->pictures->next()->name, "Haupt");
  EXPECT_EQ(table->TextAt(1, 0), "Haupt");
  EXPECT_FALSE(document_->CanUndo());

  rename("Übersicht");
  EXPECT_EQ(window_->Project()->pictures->next()->name,
            "\xDC"
            "bersicht");
  QTreeWidgetItem* pictures = Find<QTreeWidget>("baum")->topLevelItem(0)->child(3);
  EXPECT_EQ(pictures->child(1)->text(0), "Übersicht");
  EXPECT_EQ(UndoName(), "Umbenennen");
}

TEST_F(ListOperationsUi, FilterShowsMatchingRowsAndStaysAcrossChanges) {
  Window();
  RecordTable* table = Select(TmainForm::kViewVariables, "TabVariablen_Liste", {});
  QLineEdit* filter = Find<QLineEdit>("TabVariablen_Filter");
  QTest::keyClicks(filter, "DW2");  // the address "DB10 DW2", case aside
  ASSERT_EQ(table->ShownRowCount(), 1);
  EXPECT_EQ(table->TextAt(0, 0), "Pumpe");
  // Enter belongs to the field: no dialog opens.
  bool opened = false;
  QTimer::singleShot(0, &guard_, [&] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      opened = true;
      modal->close();
    }
  });
  QTest::keyClick(filter, Qt::Key_Return);
  QTest::qWait(1);
  EXPECT_FALSE(opened);
  // The page fills again after a step: the filter stays.
  table->selectAll();
  Action("TabVariablen_Kopieren")->trigger();
  EXPECT_EQ(table->RowCount(), 4);
  EXPECT_EQ(table->ShownRowCount(), 2);
  EXPECT_EQ(filter->text(), "DW2");
}

// The filter searches what identifies a record (number, name, address,
// alarm text), not the type, length, flags, kind, colour or statistics,
// whose few values would match most rows.
TEST_F(ListOperationsUi, FilterSearchesNumberNameAddressAndText) {
  struct Case {
    TmainForm::View view;
    int page;
    const char* table;
    const char* filter;
    const char* typed;
    int shown;
  };
  const Case cases[] = {
      {TmainForm::kViewVariables, TmainForm::kPageVariables, "TabVariablen_Liste",
       "TabVariablen_Filter", "8", 0},  // the length of "Text"
      {TmainForm::kViewVariables, TmainForm::kPageVariables, "TabVariablen_Liste",
       "TabVariablen_Filter", "4", 1},  // its number and address
      {TmainForm::kViewAlarms, TmainForm::kPageAlarms, "TabAlarme_Liste", "TabAlarme_Filter", "ja",
       0},  // the flags
      {TmainForm::kViewAlarms, TmainForm::kPageAlarms, "TabAlarme_Liste", "TabAlarme_Filter",
       "netz", 1},
      {TmainForm::kViewInfo, TmainForm::kPageTexts, "TabTexte_Liste", "TabTexte_Filter", "bit",
       0},  // the kind
      {TmainForm::kViewInfo, TmainForm::kPageTexts, "TabTexte_Liste", "TabTexte_Filter", "2", 1},
      {TmainForm::kViewPictures, TmainForm::kPagePictures, "bild_liste_Bericht", "TabBilder_Filter",
       "wei", 0},  // the background colour
      {TmainForm::kViewPictures, TmainForm::kPagePictures, "bild_liste_Bericht", "TabBilder_Filter",
       "haupt", 2},
  };
  Window();
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.filter) + " " + c.typed);
    RecordTable* table = Select(c.view, c.table, {});
    window_->findChild<QTabWidget*>("pagecontrol1")->setCurrentIndex(c.page);
    QLineEdit* filter = Find<QLineEdit>(c.filter);
    filter->clear();
    QTest::keyClicks(filter, c.typed);
    EXPECT_EQ(table->ShownRowCount(), c.shown);
    filter->clear();
  }
}

// In the where-used list Enter opens the reference; neither Enter nor
// Delete reaches the page's commands (Delete would delete the variable).
// The editor stays shown although the focus leaves the hidden page by way
// of the navigation tree, which has no current node.
TEST_F(ListOperationsUi, WhereUsedListKeepsEnterAndDelete) {
  TmainForm& w = Window();
  Select(TmainForm::kViewVariables, "TabVariablen_Liste", {1});
  QListWidget* usage = Find<QListWidget>("TabVariablen_Verwendung");
  ASSERT_EQ(usage->count(), 1);
  usage->setCurrentRow(0);
  QApplication::setActiveWindow(&w);  // the keys go where the focus is
  usage->setFocus();
  ASSERT_EQ(QApplication::focusWidget(), usage);
  QTest::keyClick(usage, Qt::Key_Delete);
  EXPECT_TRUE(box_.Calls().empty()) << LastMessage();
  EXPECT_EQ(CountNodes(w.Project()->variables.get()), 3);
  bool dialog = false;
  QTimer::singleShot(0, &guard_, [&] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      dialog = true;
      modal->close();
    }
  });
  QTest::keyClick(usage, Qt::Key_Return);
  QTest::qWait(1);
  EXPECT_FALSE(dialog);
  EXPECT_EQ(w.CurrentView(), TmainForm::kViewEditor);
  EXPECT_EQ(Find<QTabWidget>("pagecontrol1")->currentIndex(), TmainForm::kPageEditor);
  ASSERT_EQ(document_->SelectedObjects().size(), 1u);
  EXPECT_EQ(document_->SelectedObjects()[0]->name, "Anzeige");
}

// A text list field shows the first text of its list, in the thumbnails as
// well: they are drawn again after the list changed.
TEST_F(ListOperationsUi, ThumbnailsFollowATextListEdit) {
  std::string text = kProject;
  // The text list field in black: white on the white background shows nothing.
  text.replace(text.find("-Object(15;0;0;0;15;"), 20, "-Object(15;0;0;0;0;");
  TmainForm& w = WindowWith(ProjectFile("schwarz.qvx", text));
  document_ = w.CurrentDocument();
  RecordTable* pictures = Select(TmainForm::kViewPictures, "bild_liste_Bericht", {});
  auto thumbnail = [&] {
    return pictures->SourceModel()
        .item(0, 0)
        ->icon()
        .pixmap(kThumbnailWidth, kThumbnailHeight)
        .toImage();
  };
  const QImage before = thumbnail();
  auto& zustand = static_cast<t_textliste&>(*FindByNumber(w.Project()->textLists.get(), 1));
  auto edited = CloneRecord(zustand);
  edited->texts->name = "Ausgeschaltet und verriegelt";
  Select(TmainForm::kViewInfo, "TabTexte_Liste", {});
  window_->findChild<QTabWidget*>("pagecontrol1")->setCurrentIndex(TmainForm::kPageTexts);
  ASSERT_TRUE(ReplaceRecord(*document_, RecordList::TextLists, zustand, std::move(edited),
                            txt::kStepTextlisteAendern));
  Select(TmainForm::kViewPictures, "bild_liste_Bericht", {});
  EXPECT_NE(thumbnail(), before);
}

TEST_F(ListOperationsUi, WhereUsedRowOpensThePictureWithTheObjectSelected) {
  TmainForm& w = Window();
  Select(TmainForm::kViewVariables, "TabVariablen_Liste", {1});
  QListWidget* usage = Find<QListWidget>("TabVariablen_Verwendung");
  ASSERT_EQ(usage->count(), 1);
  EXPECT_EQ(usage->item(0)->text(), "Bild \"Start\": Ausgabefeld \"Anzeige\" (Schaltverhalten)");
  emit usage->itemActivated(usage->item(0));
  EXPECT_EQ(w.CurrentView(), TmainForm::kViewEditor);
  t_bild* start = static_cast<t_bild*>(w.Project()->pictures.get());
  EXPECT_EQ(document_->OpenPicture(), start);
  ASSERT_EQ(document_->SelectedObjects().size(), 1u);
  EXPECT_EQ(document_->SelectedObjects()[0]->name, "Anzeige");

  // A picture's where-used list names the keys that call it.
  Select(TmainForm::kViewPictures, "bild_liste_Bericht", {0});
  QListWidget* calls = Find<QListWidget>("TabBilder_Verwendung");
  ASSERT_EQ(calls->count(), 1);
  EXPECT_EQ(calls->item(0)->text(), "Bild \"Haupt\": Taste F1");
}

TEST_F(ListOperationsUi, NewPictureOpensInTheEditorAndDeletedPicturesLeaveTheKeys) {
  TmainForm& w = Window();
  Select(TmainForm::kViewPictures, "bild_liste_Bericht", {});
  Action("TBBildNeu")->trigger();
  EXPECT_EQ(w.CurrentView(), TmainForm::kViewEditor);
  ASSERT_NE(document_->OpenPicture(), nullptr);
  EXPECT_EQ(document_->OpenPicture()->name, "neues Bild");
  EXPECT_EQ(document_->OpenPicture()->pictureNumber, 4);

  // "Start" goes: the question names the key that calls it, which is
  // cleared in the same step.
  RecordTable* table = Select(TmainForm::kViewPictures, "bild_liste_Bericht", {0});
  box_.QueueAnswer(kAnswerJa);
  QTest::keyClick(table, Qt::Key_Delete);
  EXPECT_EQ(Cp1252ToUtf8(box_.Calls().at(0).text),
            "Selektierte Bilder wirklich löschen ?\r\rBild \"Haupt\": Taste F1");
  const auto& haupt = static_cast<const t_bild&>(*w.Project()->pictures);
  EXPECT_EQ(haupt.name, "Haupt");
  EXPECT_EQ(haupt.Key(1)->value, 0);
  EXPECT_EQ(UndoName(), "Bilder löschen");
}

}  // namespace
}  // namespace tavo::testing
