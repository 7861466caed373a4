// New, open, save, save as, close and exit: the questions and what they
// keep or discard.

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <fstream>
#include <sstream>

#include "mainwindow_fixture.h"
#include "project/katalog.h"
#include "project/records.h"

namespace tavo::testing {
namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

using ProjectCommandTest = MainWindowTest;

TEST_F(ProjectCommandTest, NewProjectTakesTheFirstCatalogueEntries) {
  TmainForm& w = MakeWindow();
  Action("ToolButton2")->trigger();
  ASSERT_NE(w.Project(), nullptr);
  const t_projekt& p = *w.Project();
  const auto& first = static_cast<const t_terminal&>(*workspace_->catalog().terminals);
  EXPECT_EQ(p.terminal->dosVersion, first.dosVersion);
  EXPECT_EQ(p.terminal->width, first.width);
  EXPECT_EQ(CountNodes(p.terminal->keyAreas.get()), CountNodes(first.keyAreas.get()));
  EXPECT_NE(p.terminal->keyAreas.get(), first.keyAreas.get());  // a copy, not shared
  ASSERT_NE(p.coupling, nullptr);
  EXPECT_EQ(p.coupling->dosVersion,
            static_cast<const t_steuerung&>(*workspace_->catalog().couplings).dosVersion);
  EXPECT_FALSE(p.modified);
  EXPECT_EQ(p.head->created, TodayText());
  EXPECT_EQ(w.CurrentView(), TmainForm::kViewInfo);
  EXPECT_EQ(Find<QTreeWidget>("baum")->topLevelItem(0)->childCount(), 4);
  EXPECT_TRUE(box_.Calls().empty());
}

TEST_F(ProjectCommandTest, InfoPageEditsGoIntoTheHeadAndTheStatusBarFollowsWithinASecond) {
  TmainForm& w = WindowWith(ProjectCopy("Demo.qvx"));
  w.Project()->head->changed = "01.01.2000";
  w.Timer1Timer();
  EXPECT_EQ(w.StatusPanelText(2).toStdString(), "im Speicher");

  Find<QLineEdit>("PrjNameStr")->setText(QString::fromUtf8("Neues Becken"));
  Find<QPlainTextEdit>("PrjInfoStr")->setPlainText("eins\nzwei");
  EXPECT_EQ(w.Project()->head->name, "Neues Becken");
  EXPECT_EQ(w.Project()->head->info1, "eins");
  EXPECT_EQ(w.Project()->head->info2, "zwei");
  EXPECT_EQ(w.Project()->head->info3, "");
  EXPECT_TRUE(w.Project()->modified);
  EXPECT_EQ(Find<QTreeWidget>("baum")->topLevelItem(0)->text(0).toStdString(), "Neues Becken");
  // Timer1 runs once a second.
  QTRY_COMPARE_WITH_TIMEOUT(w.StatusPanelText(2), QString::fromUtf8("Verändert"), 1500);
  // The page shows the date the next save writes; the head keeps its own
  // until then, so that undoing every edit leaves the project as saved.
  EXPECT_EQ(Find<QLabel>("PrjChangedStr")->text().toStdString(), TodayText());
  EXPECT_EQ(w.Project()->head->changed, "01.01.2000");
  while (w.CurrentDocument()->CanUndo()) w.CurrentDocument()->Undo();
  EXPECT_FALSE(w.Project()->modified);
  EXPECT_EQ(w.Project()->head->name, "Demo Kl\xE4ranlage");
  EXPECT_EQ(Find<QLabel>("PrjChangedStr")->text().toStdString(), "01.01.2000");
  EXPECT_EQ(w.StatusPanelText(2).toStdString(), "im Speicher");
}

// The answers to "Projekt noch nicht gesichert, nun sichern ?" when a
// modified project is closed by "Schließen", opened over or replaced by a
// new one: "Abbruch" (and Escape) takes the command back and loses nothing.
struct CloseCase {
  const char* name;
  const char* command;
  int answer;
  bool written;
  bool closed;
};
// Readable test names and failure messages.
void PrintTo(const CloseCase& c, std::ostream* os) {
  *os << c.name;
}

class CloseQuestionTest : public MainWindowTest, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(CloseQuestionTest, ModifiedProjectIsSavedOnJaAndKeptOnAbbruch) {
  const CloseCase& c = GetParam();
  const fs::path file = ProjectCopy("Demo.qvx");
  const std::string before = ReadFile(file);
  TmainForm& w = WindowWith(file);
  w.ShowView(TmainForm::kViewAlarms);
  Find<QLineEdit>("PrjAutorStr")->setText("Anna");
  box_.QueueAnswer(c.answer);
  openAnswers_.push_back(QString::fromStdString(ProjectCopy("Felder.qvx").string()));
  Action(c.command)->trigger();
  ASSERT_EQ(box_.Calls().size(), 1u);
  EXPECT_EQ(box_.Calls()[0].kind, MsgKind::Abfrage);
  EXPECT_EQ(box_.Calls()[0].buttons, ButtonSet::JaNeinAbbruch);
  EXPECT_EQ(box_.Calls()[0].text, Tr(txt::kProjektNichtGesichert));
  const std::string after = ReadFile(file);
  EXPECT_EQ(after.find("\"Anna\"") != std::string::npos, c.written);
  if (!c.written) {
    EXPECT_EQ(after, before);
  }
  EXPECT_EQ(fs::exists(BackupPath(file.string())), c.written);
  if (c.closed) {
    EXPECT_TRUE(w.Project() == nullptr || w.Project()->path != file.string());
    return;
  }
  // Taken back: the same project, still modified, on the page it was on.
  ASSERT_NE(w.Project(), nullptr);
  EXPECT_EQ(w.Project()->path, file.string());
  EXPECT_EQ(w.Project()->head->author, "Anna");
  EXPECT_TRUE(w.Project()->modified);
  EXPECT_EQ(w.CurrentView(), TmainForm::kViewAlarms);
  EXPECT_EQ(w.CurrentPage(), TmainForm::kPageAlarms);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, CloseQuestionTest,
    ::testing::Values(CloseCase{"CloseJa", "schliessen", kAnswerJa, true, true},
                      CloseCase{"CloseNein", "schliessen", kAnswerNein, false, true},
                      CloseCase{"CloseAbbruch", "schliessen", kAnswerAbbruch, false, false},
                      CloseCase{"NewAbbruch", "Neu2", kAnswerAbbruch, false, false},
                      CloseCase{"OpenAbbruch", "oeffnen2", kAnswerAbbruch, false, false},
                      CloseCase{"OpenNein", "oeffnen2", kAnswerNein, false, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProjectCommandTest, UnmodifiedProjectClosesWithoutAQuestion) {
  TmainForm& w = WindowWith(ProjectCopy("Demo.qvx"));
  Action("schliessen")->trigger();
  EXPECT_TRUE(box_.Calls().empty());
  EXPECT_EQ(w.Project(), nullptr);
}

// Saving was wanted but did not happen (dialog cancelled): the project must
// not be thrown away.
TEST_F(ProjectCommandTest, ProjectStaysOpenWhenTheWantedSaveIsCancelled) {
  TmainForm& w = MakeWindow();
  Action("ToolButton2")->trigger();
  w.MarkModified();
  box_.QueueAnswer(kAnswerJa);
  Action("Neu2")->trigger();  // asks, the save dialog is cancelled
  ASSERT_EQ(saveRequests_.size(), 1u);
  ASSERT_NE(w.Project(), nullptr);
  EXPECT_TRUE(w.Project()->modified);
  EXPECT_EQ(w.CurrentView(), TmainForm::kViewInfo);
}

TEST_F(ProjectCommandTest, SaveOfANewProjectProposesTheHeadNameWithoutPathCharacters) {
  MakeWindow();
  Action("ToolButton2")->trigger();
  Find<QLineEdit>("PrjNameStr")->setText("a/b:c");
  Action("ToolButton33")->trigger();
  ASSERT_EQ(saveRequests_.size(), 1u);
  EXPECT_EQ(saveRequests_[0].proposedName.toStdString(), "a b c");
}

TEST_F(ProjectCommandTest, SaveAsProposesTheFilesOwnNameBesideIt) {
  TmainForm& w = WindowWith(ProjectCopy("Demo.qvx"));
  const std::string oldPath = w.Project()->path;
  Find<QLineEdit>("PrjNameStr")->setText("a/b:c");
  // Cancelled: nothing is written and the project keeps its file.
  Action("ToolButton21")->trigger();
  ASSERT_EQ(saveRequests_.size(), 1u);
  const FileDialogRequest& request = saveRequests_[0];
  EXPECT_EQ(request.proposedName.toStdString(), "Demo.qvx");
  EXPECT_EQ(request.title.toStdString(), "Projekt speichern unter ...");
  EXPECT_EQ(request.filter.toStdString(), "QVX-Tavo-Dex Datei|*.qvx|Alle Dateien|*.*");
  EXPECT_EQ(fs::path(request.folder.toStdString()), fs::path(oldPath).parent_path() / "");
  EXPECT_EQ(w.Project()->path, oldPath);
  EXPECT_TRUE(w.Project()->modified);

  // Confirmed: written there, remembered as the project folder.
  fs::create_directories(files_.path() / "elsewhere");
  const fs::path target = files_.path() / "elsewhere" / "a b c.qvx";
  saveAnswers_.push_back(QString::fromStdString(target.string()));
  Action("Speichernunter2")->trigger();
  EXPECT_EQ(w.Project()->path, target.string());
  EXPECT_FALSE(w.Project()->modified);
  EXPECT_NE(ReadFile(target).find("\"a/b:c\""), std::string::npos);
  EXPECT_TRUE(fs::is_directory(files_.path() / "elsewhere" / "a b c"));
  EXPECT_EQ(fs::path(workspace_->settings().folders.project), target.parent_path() / "");
  w.Timer1Timer();
  EXPECT_EQ(w.StatusPanelText(2).toStdString(), "im Speicher");

  // Plain save writes to the file without asking.
  w.MarkModified();
  Action("ToolButton33")->trigger();
  EXPECT_EQ(saveRequests_.size(), 2u);
  EXPECT_FALSE(w.Project()->modified);
}

// The title says which file is open and whether it has unsaved changes.
TEST_F(ProjectCommandTest, TitleShowsTheFileNameAndAStarWhileModified) {
  TmainForm& w = MakeWindow();
  EXPECT_EQ(w.windowTitle().toStdString(), "QVX Tavo Dex");
  ASSERT_TRUE(w.OpenProjectFile(QString::fromStdString(ProjectCopy("Demo.qvx").string())));
  auto shown = [&w] {
    // What the window system shows: "[*]" becomes "*" while modified.
    return w.windowTitle().replace("[*]", w.isWindowModified() ? "*" : "").toStdString();
  };
  EXPECT_EQ(shown(), "Demo.qvx - QVX Tavo Dex");
  Find<QLineEdit>("PrjAutorStr")->setText("Anna");
  EXPECT_EQ(shown(), "Demo.qvx* - QVX Tavo Dex");
  w.CurrentDocument()->Undo();
  EXPECT_EQ(shown(), "Demo.qvx - QVX Tavo Dex");
  Find<QLineEdit>("PrjAutorStr")->setText("Berta");
  const fs::path other = files_.path() / "Anderes.qvx";
  saveAnswers_.push_back(QString::fromStdString(other.string()));
  Action("Speichernunter2")->trigger();
  EXPECT_EQ(shown(), "Anderes.qvx - QVX Tavo Dex");
  Action("schliessen")->trigger();
  EXPECT_EQ(shown(), "QVX Tavo Dex");
}

// A file that cannot be written is reported; the project keeps its file and
// stays modified.
TEST_F(ProjectCommandTest, FailedWriteIsReportedAndLosesNothing) {
  TmainForm& w = WindowWith(ProjectCopy("Demo.qvx"));
  const std::string oldPath = w.Project()->path;
  w.MarkModified();
  // A plain file where the folder should be: not even root can write there.
  std::ofstream(files_.File("blocker")) << "x";
  saveAnswers_.push_back(QString::fromStdString(files_.File("blocker/x.qvx")));
  Action("ToolButton21")->trigger();
  ASSERT_EQ(box_.Calls().size(), 1u);
  EXPECT_EQ(box_.Calls()[0].kind, MsgKind::Fehler);
  EXPECT_EQ(box_.Calls()[0].text.rfind(Tr(txt::kFehlerBeiDateizugriff), 0), 0u);
  EXPECT_EQ(w.Project()->path, oldPath);
  EXPECT_TRUE(w.Project()->modified);
}

TEST_F(ProjectCommandTest, OpenRefusesNamesWithoutQvxAndReportsUnreadableFiles) {
  TmainForm& w = WindowWith(ProjectCopy("Demo.qvx"));
  openAnswers_.push_back(QString::fromStdString(files_.File("notes.txt")));
  Action("oeffnen2")->trigger();
  ASSERT_EQ(openRequests_.size(), 1u);
  EXPECT_EQ(openRequests_[0].title.toStdString(), "Öffnen eines Projekts");
  ASSERT_EQ(box_.Calls().size(), 1u);
  EXPECT_EQ(box_.Calls()[0].kind, MsgKind::Fehler);
  EXPECT_EQ(box_.Calls()[0].text, "Cannot open - no QVX-Projekt-File !");
  EXPECT_NE(w.Project(), nullptr);  // still open

  EXPECT_FALSE(w.OpenProjectFile(QString::fromStdString(files_.File("missing.QVX"))));
  ASSERT_EQ(box_.Calls().size(), 2u);
  EXPECT_EQ(box_.Calls()[1].text.rfind(Tr(txt::kProjektNichtLesbar), 0), 0u);
  EXPECT_EQ(w.Project(), nullptr);
  EXPECT_EQ(w.CurrentView(), TmainForm::kViewStart);
}

// An empty file must not open as an empty project that a save would then
// write over the real one.
TEST_F(ProjectCommandTest, OpenRefusesAFileThatIsNoProject) {
  TmainForm& w = WindowWith(ProjectCopy("Demo.qvx"));
  const std::string empty = files_.File("leer.qvx");
  std::ofstream(empty, std::ios::binary) << std::string(64, '\0');
  EXPECT_FALSE(w.OpenProjectFile(QString::fromStdString(empty)));
  ASSERT_EQ(box_.Calls().size(), 1u);
  EXPECT_EQ(box_.Calls()[0].kind, MsgKind::Fehler);
  EXPECT_EQ(box_.Calls()[0].text, Tr(txt::kKeineProjektdatei) + "\n" + empty);
  EXPECT_EQ(w.Project(), nullptr);
  EXPECT_EQ(w.CurrentView(), TmainForm::kViewStart);
}

// Pictures read before the editor page was ever shown are centred on the
// sheet they are shown on, not on the size of a page never laid out.
TEST_F(ProjectCommandTest, PicturesReadAtStartAreCentredOnTheSheet) {
  EditorHooks hooks = Hooks();
  hooks.pictureEditor = DefaultEditorHooks().pictureEditor;
  TmainForm& w = MakeWindow(std::move(hooks));
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  ASSERT_TRUE(w.OpenProjectFile(QString::fromStdString(ProjectCopy("Demo.qvx").string())));
  const auto* first = static_cast<const t_bild*>(w.Project()->pictures.get());
  ASSERT_NE(first, nullptr);
  w.ShowView(TmainForm::kViewEditor);
  QApplication::processEvents();
  const QSize sheet = w.findChild<QWidget*>("blatt")->size();
  ASSERT_GT(sheet.width(), 640);
  EXPECT_EQ(first->originX, sheet.width() / 2 - 640 / 2);
  EXPECT_EQ(first->originY, sheet.height() / 2 - 480 / 2);
}

TEST_F(ProjectCommandTest, DosImportOpensTheImportedProjectsFirstPicture) {
  EditorHooks hooks = Hooks();
  hooks.dosImport = [](QWidget*, Workspace&, MessageBox&, std::function<bool()> closeProject) {
    if (!closeProject()) return std::unique_ptr<t_projekt>();
    auto project = std::make_unique<t_projekt>();
    project->head = std::make_unique<t_kopf>();
    project->head->name = "Alt";
    project->terminal = std::make_unique<t_terminal>();
    AppendNode(project->pictures, t_bild::NewInEditor(nullptr));
    return project;
  };
  TmainForm& w = MakeWindow(std::move(hooks));
  ASSERT_TRUE(Action("ToolButton36")->isEnabled());
  Action("ToolButton36")->trigger();
  ASSERT_NE(w.Project(), nullptr);
  EXPECT_EQ(w.Project()->head->name, "Alt");
  EXPECT_EQ(w.CurrentView(), TmainForm::kViewEditor);
  EXPECT_EQ(w.Editor().OpenPicture(), w.Project()->pictures.get());
  // Never saved: exiting asks to save it.
  EXPECT_TRUE(w.Project()->modified);
  EXPECT_EQ(Find<QTreeWidget>("baum")->topLevelItem(0)->child(3)->childCount(), 1);
}

// The DOS import is in the file menu too, with a project open; the save
// question comes once a file was chosen, and "Abbruch" keeps the project.
TEST_F(ProjectCommandTest, DosImportFromTheFileMenuAsksToSaveFirst) {
  EditorHooks hooks = Hooks();
  int imports = 0;
  hooks.dosImport = [&](QWidget*, Workspace&, MessageBox&, std::function<bool()> closeProject) {
    ++imports;
    if (!closeProject()) return std::unique_ptr<t_projekt>();
    auto project = std::make_unique<t_projekt>();
    project->head = std::make_unique<t_kopf>();
    project->head->name = "Alt";
    project->terminal = std::make_unique<t_terminal>();
    return project;
  };
  TmainForm& w = MakeWindow(std::move(hooks));
  EXPECT_TRUE(Action("ImportDos1")->isEnabled());
  ASSERT_TRUE(w.OpenProjectFile(QString::fromStdString(ProjectCopy("Demo.qvx").string())));
  ASSERT_TRUE(Action("ImportDos2")->isEnabled());
  w.MarkModified();
  box_.QueueAnswer(kAnswerAbbruch);
  Action("ImportDos2")->trigger();
  EXPECT_EQ(imports, 1);
  ASSERT_EQ(box_.Calls().size(), 1u);
  EXPECT_EQ(box_.Calls()[0].buttons, ButtonSet::JaNeinAbbruch);
  EXPECT_EQ(w.Project()->head->name, "Demo Kl\xE4ranlage");
  EXPECT_TRUE(w.Project()->modified);

  box_.QueueAnswer(kAnswerNein);
  Action("ImportDos2")->trigger();
  EXPECT_EQ(w.Project()->head->name, "Alt");
}

// Exit asks whether to exit, then (modified project) whether to save.
struct ExitCase {
  const char* name;
  std::vector<int> answers;
  bool modified;
  bool closes;
  bool written;
  std::size_t questions;
};
// Readable test names and failure messages.
void PrintTo(const ExitCase& c, std::ostream* os) {
  *os << c.name;
}

class ExitTest : public MainWindowTest, public ::testing::WithParamInterface<ExitCase> {};

TEST_P(ExitTest, AsksToExitThenToSave) {
  const ExitCase& c = GetParam();
  const fs::path file = ProjectCopy("Demo.qvx");
  TmainForm& w = WindowWith(file);
  if (c.modified) Find<QLineEdit>("PrjAutorStr")->setText("Berta");
  for (int answer : c.answers) box_.QueueAnswer(answer);
  EXPECT_EQ(w.close(), c.closes);
  ASSERT_EQ(box_.Calls().size(), c.questions);
  EXPECT_EQ(box_.Calls()[0].text, "QVX-Tavo Dex wirklich beenden?");
  if (c.questions > 1) {
    EXPECT_EQ(box_.Calls()[1].text, Tr(txt::kProjektNichtGesichert));
  }
  EXPECT_EQ(ReadFile(file).find("\"Berta\"") != std::string::npos, c.written);
  EXPECT_EQ(w.Project() == nullptr, c.closes);
  // Closing writes the settings.
  EXPECT_EQ(fs::exists(home_->path() / "config" / "QVXTavoDex.ini"), c.closes);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, ExitTest,
    ::testing::Values(ExitCase{"NoExit", {kAnswerNein}, true, false, false, 1},
                      ExitCase{"ExitUnmodified", {kAnswerJa}, false, true, false, 1},
                      ExitCase{"ExitAndSave", {kAnswerJa, kAnswerJa}, true, true, true, 2},
                      ExitCase{"ExitAndDiscard", {kAnswerJa, kAnswerNein}, true, true, false, 2},
                      ExitCase{
                          "ExitThenCancel", {kAnswerJa, kAnswerAbbruch}, true, false, false, 2}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tavo::testing
