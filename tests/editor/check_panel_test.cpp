// The editor's project check: the command (menu, tool bar, F7), its result
// list below the pages and where a row leads, and the check before every
// download.

#include <QHeaderView>
#include <QLabel>
#include <QTabWidget>

#include "document/operations.h"
#include "editor/mainwindow_fixture.h"
#include "editor/pages/checkpanel.h"
#include "editor/pages/listpages.h"
#include "objects/objekt.h"

namespace tavo::testing {
namespace {

class CheckPanelTest : public MainWindowTest {
 protected:
  // The demo with the pump bound to a variable it lacks and its frame moved
  // off the display: two errors, and notes for its unused records.
  std::filesystem::path DamagedDemo() {
    std::ifstream in(ProjectCopy("Demo.qvx"), std::ios::binary);
    std::string text{std::istreambuf_iterator<char>(in), {}};
    for (const auto& [from, to] :
         {std::pair<std::string, std::string>{"-Object(3;8;3;", "-Object(3;8;99;"},
          {"\"Rahmen\";10;10;630;10;630;470;10;470", "\"Rahmen\";700;10;730;10;730;470;700;470"}}) {
      EXPECT_NE(text.find(from), std::string::npos) << from;
      text.replace(text.find(from), from.size(), to);
    }
    return ProjectFile("Kaputt.qvx", text);
  }

  TmainForm& EditorWith(const std::filesystem::path& project, EditorHooks hooks) {
    hooks.pictureEditor = DefaultEditorHooks().pictureEditor;
    TmainForm& w = MakeWindow(std::move(hooks));
    EXPECT_TRUE(w.OpenProjectFile(QString::fromStdString(project.string())));
    // Shortcuts reach only the active window.
    w.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
    return w;
  }

  QTreeWidget* List() { return window_->Checks()->List(); }
  int RowOf(const std::string& code, const std::string& place) {
    for (int row = 0; row < List()->topLevelItemCount(); ++row) {
      const QTreeWidgetItem* item = List()->topLevelItem(row);
      if (item->text(0).toStdString() == code && item->text(2) == QString::fromUtf8(place.c_str()))
        return row;
    }
    ADD_FAILURE() << code << " at " << place << " not listed";
    return -1;
  }
  void DoubleClick(int row) {
    QTreeWidgetItem* item = List()->topLevelItem(row);
    ASSERT_TRUE(item);
    // The list is laid out before anyone can click it.
    QApplication::processEvents();
    List()->scrollToItem(item);
    // A double click follows a click on the same row.
    const QPoint at = List()->visualItemRect(item).center();
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(List()->viewport(), Qt::LeftButton, {}, at);
  }
  QString Caption() { return window_->Checks()->findChild<QLabel*>("PruefKopf")->text(); }
};

TEST_F(CheckPanelTest, F7MenuAndToolButtonListTheFindingsBelowThePages) {
  TmainForm& w = EditorWith(DamagedDemo(), Hooks());
  CheckPanel* panel = w.Checks();
  EXPECT_FALSE(panel->isVisible());
  EXPECT_EQ(Action("Pruefen1")->text().toStdString(), "Projekt prüfen");
  EXPECT_EQ(Action("ToolButPruefen")->toolTip().toStdString(), "Projekt prüfen");

  QTest::keyClick(&w, Qt::Key_F7);
  ASSERT_TRUE(panel->isVisible());
  EXPECT_EQ(panel->parentWidget(), Find<QTabWidget>("pagecontrol1")->parentWidget());
  ASSERT_EQ(List()->topLevelItemCount(), 10);
  const QTreeWidgetItem* first = List()->topLevelItem(0);
  EXPECT_EQ(first->text(0).toStdString(), "E201");
  EXPECT_EQ(first->text(1).toStdString(), "Fehler");
  EXPECT_EQ(first->text(2).toStdString(), "Bild 1 \"Übersicht\", Rechteck \"Rahmen\"");
  EXPECT_EQ(first->text(3).toStdString(), "Objekt liegt ganz außerhalb des Displays (640 x 480)");
  EXPECT_EQ(Caption().toStdString(), "Prüfergebnis: 2 Fehler, 0 Warnungen, 8 Hinweise");

  // The menu entry and the tool button run the same check again.
  panel->Clear();
  Action("ToolButPruefen")->trigger();
  EXPECT_TRUE(panel->isVisible());
  EXPECT_EQ(List()->topLevelItemCount(), 10);
  panel->Clear();
  Action("Pruefen1")->trigger();
  EXPECT_EQ(List()->topLevelItemCount(), 10);

  // Closing the project takes the list along.
  w.schliessenClick();
  EXPECT_FALSE(panel->isVisible());
  EXPECT_EQ(List()->topLevelItemCount(), 0);
}

TEST_F(CheckPanelTest, ADoubleClickShowsTheObjectSelectedOrTheRecordInItsList) {
  TmainForm& w = EditorWith(DamagedDemo(), Hooks());
  Action("Pruefen1")->trigger();
  Document& document = *w.CurrentDocument();

  DoubleClick(RowOf("E101", "Bild 1 \"Übersicht\", Kreis \"Pumpe\""));
  EXPECT_EQ(w.CurrentView(), TmainForm::kViewEditor);
  ASSERT_TRUE(document.OpenPicture());
  EXPECT_EQ(document.OpenPicture()->name, "\334bersicht");
  ASSERT_EQ(document.SelectedObjects().size(), 1u);
  EXPECT_EQ(document.SelectedObjects()[0]->name, "Pumpe");

  DoubleClick(RowOf("N502", "Variable 4 \"Durchfluss\""));
  EXPECT_EQ(w.CurrentPage(), TmainForm::kPageVariables);
  auto* variables = Find<VariablePage>("TabVariablen");
  ASSERT_EQ(variables->Table()->SelectedRecords().size(), 1u);
  EXPECT_EQ(variables->Table()->SelectedRecords()[0]->name, "Durchfluss");

  DoubleClick(RowOf("N503", "Textliste 2 \"Ventile\""));
  EXPECT_EQ(w.CurrentPage(), TmainForm::kPageTexts);
  auto* texts = Find<TextListPage>("TabTexte");
  ASSERT_EQ(texts->Table()->SelectedRecords().size(), 1u);
  EXPECT_EQ(texts->Table()->SelectedRecords()[0]->name, "Ventile");
}

TEST_F(CheckPanelTest, AnEditMakesTheListOutOfDateUntilTheNextCheck) {
  TmainForm& w = EditorWith(DamagedDemo(), Hooks());
  QTest::keyClick(&w, Qt::Key_F7);
  const QString fresh = Caption();
  // Deleting the pump (selected through the list) removes one error.
  DoubleClick(RowOf("E101", "Bild 1 \"Übersicht\", Kreis \"Pumpe\""));
  ASSERT_TRUE(DeleteSelection(*w.CurrentDocument(), *w.CurrentDocument()->OpenPicture()));
  EXPECT_TRUE(w.Checks()->IsStale());
  EXPECT_EQ(Caption(), fresh + " (nicht mehr aktuell, F7 prüft erneut)");
  // A row of the old list whose object is gone leads to its picture only.
  DoubleClick(RowOf("E101", "Bild 1 \"Übersicht\", Kreis \"Pumpe\""));
  EXPECT_TRUE(w.CurrentDocument()->SelectedObjects().empty());

  QTest::keyClick(&w, Qt::Key_F7);
  EXPECT_FALSE(w.Checks()->IsStale());
  EXPECT_EQ(Caption().toStdString(), "Prüfergebnis: 1 Fehler, 0 Warnungen, 8 Hinweise");
}

TEST_F(CheckPanelTest, DownloadAsksFirstWhenTheCheckFindsErrors) {
  int downloads = 0;
  EditorHooks hooks = Hooks();
  hooks.download = [&](QWidget*, Workspace&, t_projekt&, MessageBox&) { ++downloads; };
  TmainForm& w = EditorWith(DamagedDemo(), std::move(hooks));

  box_.QueueAnswer(kAnswerNein);
  Action("But_Uebertragen")->trigger();
  EXPECT_EQ(downloads, 0);
  ASSERT_EQ(box_.Calls().size(), 1u);
  const ScriptedMessageBox::Call& question = box_.Calls()[0];
  EXPECT_EQ(question.kind, MsgKind::Abfrage);
  EXPECT_EQ(question.buttons, ButtonSet::JaNein);
  EXPECT_EQ(question.text,
            "Die Projektpr\374fung hat Fehler gefunden:\n"
            "\nE201 Fehler: Bild 1 \"\334bersicht\", Rechteck \"Rahmen\": Objekt liegt ganz "
            "au\337erhalb des Displays (640 x 480)"
            "\nE101 Fehler: Bild 1 \"\334bersicht\", Kreis \"Pumpe\": Variable 99 gibt es nicht"
            "\n\nTrotzdem \374bertragen?");
  // The findings are in the list as well.
  EXPECT_TRUE(w.Checks()->isVisible());
  EXPECT_EQ(List()->topLevelItemCount(), 10);

  box_.QueueAnswer(kAnswerJa);
  Action("But_Uebertragen")->trigger();
  EXPECT_EQ(downloads, 1);
  EXPECT_EQ(box_.Calls().size(), 2u);
}

TEST_F(CheckPanelTest, DownloadOfAProjectWithoutErrorsAsksNothing) {
  int downloads = 0;
  EditorHooks hooks = Hooks();
  hooks.download = [&](QWidget*, Workspace&, t_projekt&, MessageBox&) { ++downloads; };
  // Notes only: the unused variables and text lists of the demo.
  TmainForm& w = EditorWith(ProjectCopy("Demo.qvx"), std::move(hooks));
  Action("But_Uebertragen")->trigger();
  EXPECT_EQ(downloads, 1);
  EXPECT_TRUE(box_.Calls().empty());
  EXPECT_TRUE(w.Checks()->isVisible());
  EXPECT_EQ(Caption().toStdString(), "Prüfergebnis: 0 Fehler, 0 Warnungen, 7 Hinweise");
}

}  // namespace
}  // namespace tavo::testing
