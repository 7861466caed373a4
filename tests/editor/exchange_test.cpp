// The list pages' export and import: file dialogs with their titles and
// folders, the overwrite and conflict questions, one step per import.

#include <QAction>

#include "editor/pages/listpages.h"
#include "editor/pages/picturelist.h"
#include "editor/pages/recordtable.h"
#include "mainwindow_fixture.h"
#include "shell/settings.h"

namespace tavo::testing {
namespace {

const char* const kProject =
    "[Head]\r\n-Name         = \"Anlage\"\r\n"
    "[Terminal]\r\n-DOSVersion    = \"VTA_640C.TRM\"\r\n"
    "[PLC]\r\n-DOSVersion    = \"SPS_DBW.KOP\"\r\n"
    "[Variables]\r\n-Variable(1;010,000;3;2;1;\"Motor\")\r\n-Variable(2;010,002;3;2;1;\"Pumpe\")"
    "\r\n"
    "[Alarms]\r\n-Alarm(0;\"S008X016.FON\";1;5;\"Motor, links\")\r\n"
    "-Alarm(3;\"S008X016.FON\";8;0;\"Pumpe\")\r\n"
    "[TextList]\r\n-TextList(\"Zustand\";1;Wert)\r\n-Text(\"Aus\";0)\r\n-TextListEnd\r\n"
    "[Pictures]\r\n-Picture(1;1;\"Start\";15)\r\n"
    "-Object(15;0;0;0;1;1;0;255;0;\"Modus\";20;180;\"S008X016.FON\";2;1)\r\n-PictureEnd\r\n";

std::string Bytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class ExchangePageTest : public MainWindowTest {
 protected:
  void Trigger(const char* name) {
    QAction* action = Action(name);
    ASSERT_NE(action, nullptr) << name;
    action->trigger();
  }
};

TEST_F(ExchangePageTest, AlarmExportWritesTheSelectedAlarmsAfterAskingToOverwrite) {
  WindowWith(ProjectFile("anlage.qvx", kProject));
  auto* page = Find<AlarmPage>("TabAlarme");
  page->Table()->SelectRecords({window_->Project()->alarms.get()});
  const auto target = files_.path() / "alarme.txt";
  std::ofstream(target) << "alt";

  saveAnswers_ = {QString::fromStdString(target.string())};
  box_.QueueAnswer(kAnswerNein);
  Trigger("TabAlarme_Export");
  ASSERT_EQ(saveRequests_.size(), 1u);
  EXPECT_EQ(saveRequests_[0].title, "Alarmmeldungen Export");
  EXPECT_EQ(saveRequests_[0].proposedName, "Anlage Alarme");
  EXPECT_EQ(saveRequests_[0].defaultSuffix, "txt");
  EXPECT_EQ(saveRequests_[0].filter, "Text Datei|*.txt|Alle Dateien|*.*");
  EXPECT_EQ(Bytes(target), "alt");  // "Nein": nothing written
  ASSERT_EQ(box_.Calls().size(), 1u);
  EXPECT_EQ(box_.Calls()[0].text,
            "File bereits vorhanden !\r\xDC"
            "berschreiben ?");

  saveAnswers_ = {QString::fromStdString(target.string())};
  box_.QueueAnswer(kAnswerJa);
  box_.QueueAnswer(kAnswerWeiter);
  Trigger("TabAlarme_Export");
  EXPECT_EQ(Bytes(target),
            "Index,Alarmtext,Zeichensatz,Dynamisch,Unterbrechend,History Kommen,History Gehen\r\n"
            "0,\"Motor, links\",S008X016.FON,X,,X,,\r\n");
  EXPECT_EQ(box_.Calls().back().text, "Alarm(e) erfolgreich Exportiert");
  // The chosen folder becomes the alarm folder setting.
  EXPECT_EQ(std::filesystem::path(workspace_->settings().Folder(FolderKey::Alarme)),
            std::filesystem::path(FolderText(files_.path())));
}

TEST_F(ExchangePageTest, AlarmImportAsksOnConflictsAndIsOneStep) {
  WindowWith(ProjectFile("anlage.qvx", kProject));
  const auto file = ProjectFile("import.txt", "Index\r\n3,neu,S008X016.FON,X\r\n9,Neun,F.FON\r\n");
  openAnswers_ = {QString::fromStdString(file.string())};
  box_.QueueAnswer(kAnswerJa);
  Trigger("TabAlarme_Import");
  ASSERT_EQ(openRequests_.size(), 1u);
  EXPECT_EQ(openRequests_[0].title, "Alarmmeldungen Import");
  EXPECT_EQ(openRequests_[0].defaultSuffix, "TXT");
  ASSERT_EQ(box_.Calls().size(), 1u);
  EXPECT_EQ(box_.Calls()[0].buttons, ButtonSet::JaJaAlleNeinNeinAlleAbbruch);
  const t_projekt& project = *window_->Project();
  EXPECT_EQ(CountNodes(project.alarms.get()), 3);
  EXPECT_EQ(project.alarms->next()->name, "neu");
  EXPECT_TRUE(project.modified);
  auto* page = Find<AlarmPage>("TabAlarme");
  EXPECT_EQ(page->Table()->SelectedRecords().size(), 2u);
  Trigger("Rueckgaengig1");
  EXPECT_EQ(CountNodes(window_->Project()->alarms.get()), 2);
  EXPECT_EQ(window_->Project()->alarms->next()->name, "Pumpe");
}

TEST_F(ExchangePageTest, PictureExportAndImportCarryTheirVariables) {
  WindowWith(ProjectFile("anlage.qvx", kProject));
  auto* page = Find<PictureListPage>("TabBilder");
  page->Table()->SelectRecords({window_->Project()->pictures.get()});
  const auto file = files_.path() / "bild.txt";
  saveAnswers_ = {QString::fromStdString(file.string())};
  box_.QueueAnswer(kAnswerWeiter);
  Trigger("TabBilder_Export");
  EXPECT_EQ(saveRequests_.at(0).title, "Bild Export");
  EXPECT_EQ(saveRequests_.at(0).proposedName, "Anlage - Start");
  EXPECT_EQ(box_.Calls().back().text, "Bild erfolgreich exportiert");
  EXPECT_NE(Bytes(file).find("-Variable(2;010,002;3;2;1;\"Pumpe\")"), std::string::npos);

  openAnswers_ = {QString::fromStdString(file.string())};
  Trigger("TabBilder_Import");
  const t_projekt& project = *window_->Project();
  ASSERT_EQ(CountNodes(project.pictures.get()), 2);
  EXPECT_EQ(project.pictures->next()->number, 2);
  EXPECT_EQ(CountNodes(project.variables.get()), 2);  // «Pumpe» is reused
}

}  // namespace
}  // namespace tavo::testing
