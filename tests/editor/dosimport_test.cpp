// The DOS import command and its progress window on the offscreen platform,
// with the file dialog replaced by a scripted choice.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "app/workspace.h"
#include "editor/import/dosimportcommand.h"
#include "editor/import/tfortschritt1.h"
#include "editor/uitext.h"
#include "legacy/dosimport.h"
#include "legacy/importprogress.h"
#include "project/projekt.h"
#include "shell/codepage.h"
#include "shell/language.h"
#include "shell/messageboxes.h"
#include "shell/settings.h"
#include "support/qtapplication.h"
#include "support/tempfolder.h"

namespace tavo {
namespace {

namespace fs = std::filesystem;

QString U(const char* utf8) {
  return QString::fromUtf8(utf8);
}

// A base folder populated from the installation, in German.
class DosImportCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    home_ = temp_.path();
    setenv("XDG_DATA_HOME", (home_ / "data").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (home_ / "config").c_str(), 1);
    testing::TestApplication();
    workspace_ = std::make_unique<Workspace>(
        WorkspaceStart{{"--base", (home_ / "base").string(), "--populate"}, home_});
    ASSERT_TRUE(workspace_->ok()) << workspace_->error;
    workspace_->SetLanguage("049");
  }
  void TearDown() override { workspace_.reset(); }

  fs::path Demos() const { return workspace_->install().Resolve("Projects\\demos\\"); }

  testing::TempFolder temp_;
  fs::path home_;
  std::unique_ptr<Workspace> workspace_;
};

TEST_F(DosImportCommandTest, WindowStartsWithTheProjectLabelsAndFullPercentages) {
  TFortschritt1 window(workspace_->translator());
  EXPECT_EQ(window.objectName(), "TFortschritt1");
  EXPECT_EQ(window.windowTitle(), "Projekt importieren");
  EXPECT_FALSE(window.isVisible());
  for (QLabel* label : {window.Label1(), window.Label2()}) EXPECT_EQ(label->text(), "Projekt");
  for (QLabel* percent : {window.ProjektProzent(), window.TeilProzent()})
    EXPECT_EQ(percent->text(), "100 %");
  EXPECT_EQ(window.ProjektBar()->objectName(), "ProjektBar");
  EXPECT_EQ(window.TeilProzent()->objectName(), "Teil_Prozent");
  EXPECT_EQ(window.ProjektBar()->toolTip(), U("Anzeige des gesammten Übertragungsfortschritts"));
  EXPECT_EQ(window.TeilBar()->toolTip(), U("Anzeige des Übertragungsfortschritts"));
}

TEST_F(DosImportCommandTest, RowsChangeOnlyWhenTheWholePercentageChanges) {
  TFortschritt1 window(workspace_->translator());
  ImportBar part(&window.Teil());
  part.Show("Kopf ", 0, 100);  // 0 %: the bar already stands there
  EXPECT_EQ(window.Label2()->text(), "Projekt");
  EXPECT_EQ(window.TeilProzent()->text(), "100 %");
  part.Show("Alarme", 1, 3);
  EXPECT_EQ(window.Label2()->text(), "Alarme");
  EXPECT_EQ(window.TeilProzent()->text(), "33 %");
  EXPECT_EQ(window.TeilBar()->value(), 33);
  part.Show("Variablen", 100, 300);  // still 33 %
  EXPECT_EQ(window.Label2()->text(), "Alarme");
  EXPECT_EQ(window.Label1()->text(), "Projekt");  // the other row is untouched

  window.Projekt().SetCaption("Projekt importieren");
  EXPECT_TRUE(window.isVisible());
}

TEST_F(DosImportCommandTest, ImportsTheShippedDemoAndRemembersItsFolder) {
  ScriptedMessageBox box;
  QString askedTitle, askedFolder, askedFilter;
  int closed = 0;
  DosImportHooks hooks;
  hooks.closeOpenProject = [&] {
    ++closed;
    return true;
  };
  const fs::path chosen = Demos() / "Felder" / "Felder.prj";
  hooks.chooseFile = [&](const QString& title, const QString& folder, const QString& filter) {
    askedTitle = title;
    askedFolder = folder;
    askedFilter = filter;
    EXPECT_EQ(closed, 0);  // nothing is closed before a file was chosen
    return QString::fromStdString(chosen.string());
  };
  workspace_->settings().Folder(FolderKey::Import) = (home_ / "gone").string();

  std::unique_ptr<t_projekt> project = RunDosImportCommand(nullptr, *workspace_, box, hooks);

  ASSERT_TRUE(project);
  EXPECT_EQ(closed, 1);
  // It ends by saying what it imported, as the command line does.
  ASSERT_EQ(box.Calls().size(), 1u);
  EXPECT_EQ(box.Calls()[0].kind, MsgKind::Information);
  int objects = 0;
  for (const t_liste* b = project->pictures.get(); b; b = b->next())
    objects += CountNodes(static_cast<const t_bild*>(b)->objects.get());
  EXPECT_EQ(box.Calls()[0].text,
            "Import abgeschlossen: " + std::to_string(CountNodes(project->alarms.get())) +
                " Alarme, " + std::to_string(CountNodes(project->variables.get())) +
                " Variablen, " + std::to_string(CountNodes(project->textLists.get())) +
                " Textlisten, 1 Bilder mit " + std::to_string(objects) + " Objekten.");
  EXPECT_EQ(askedTitle, "Import von 2.xx Projekt");
  EXPECT_EQ(askedFilter, "QVX-Tavo 2.x File (*.prj)");
  // A remembered folder that is gone falls back to the demos.
  EXPECT_EQ(fs::path(askedFolder.toStdString()), fs::path(FolderText(Demos())));
  EXPECT_EQ(workspace_->settings().Folder(FolderKey::Import), FolderText(chosen.parent_path()));
  EXPECT_EQ(project->head->name, "Felder");
  EXPECT_EQ(CountNodes(project->pictures.get()), 1);
  EXPECT_FALSE(project->modified);
}

// Damaged pictures and messages on the way are counted in the summary.
TEST_F(DosImportCommandTest, SummaryCountsDamageAndMessages) {
  GermanTranslator german;
  DosImportResult result;
  result.alarms = 2;
  result.variables = 5;
  result.textLists = 1;
  result.pictures = 3;
  result.objects = 40;
  EXPECT_EQ(ImportSummary(german, result),
            "Import abgeschlossen: 2 Alarme, 5 Variablen, 1 Textlisten, 3 Bilder mit 40 Objekten.");
  result.damagedPictures = 1;
  result.messages = 4;
  EXPECT_EQ(ImportSummary(german, result),
            "Import abgeschlossen: 2 Alarme, 5 Variablen, 1 Textlisten, 3 Bilder mit 40 "
            "Objekten.\nBesch\xE4"
            "digte Bilder: 1\nMeldungen: 4");
}

TEST_F(DosImportCommandTest, CancellingTheDialogChangesNothing) {
  ScriptedMessageBox box;
  int closed = 0;
  DosImportHooks hooks;
  hooks.closeOpenProject = [&] {
    ++closed;
    return true;
  };
  hooks.chooseFile = [](const QString&, const QString&, const QString&) { return QString(); };
  const std::string before = workspace_->settings().Folder(FolderKey::Import);
  EXPECT_EQ(RunDosImportCommand(nullptr, *workspace_, box, hooks), nullptr);
  EXPECT_EQ(closed, 0);
  EXPECT_EQ(workspace_->settings().Folder(FolderKey::Import), before);
}

TEST_F(DosImportCommandTest, FileThatCannotBeOpenedIsReportedAndLeavesNoProject) {
  ScriptedMessageBox box;
  int closed = 0;
  DosImportHooks hooks;
  hooks.closeOpenProject = [&] {
    ++closed;
    return true;
  };
  hooks.chooseFile = [&](const QString&, const QString&, const QString&) {
    return QString::fromStdString((Demos() / "fehlt.prj").string());
  };
  EXPECT_EQ(RunDosImportCommand(nullptr, *workspace_, box, hooks), nullptr);
  EXPECT_EQ(closed, 1);  // the open project was closed before the file was tried
  ASSERT_EQ(box.Calls().size(), 1u);
  EXPECT_EQ(box.Calls()[0].kind, MsgKind::Fehler);
  EXPECT_EQ(box.Calls()[0].buttons, ButtonSet::Weiter);
  EXPECT_EQ(box.Calls()[0].text, "OS-Error : File not found !");
}

TEST(QtFileFilter, TurnsPipeSeparatedPairsIntoQtFilters) {
  EXPECT_EQ(QtFileFilter("QVX-Tavo 2.x File|*.prj"), "QVX-Tavo 2.x File (*.prj)");
  EXPECT_EQ(QtFileFilter("A|*.a;*.b|Alle|*.*"), "A (*.a *.b);;Alle (*.*)");
}

}  // namespace
}  // namespace tavo
