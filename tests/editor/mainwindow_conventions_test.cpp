// What users expect of a desktop program's window: the usual keys of the
// file commands, shown in the menus; the projects opened last; a project
// file dropped on the window opens.

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QUrl>

#include "mainwindow_fixture.h"

namespace tavo::testing {
namespace {

namespace fs = std::filesystem;

using ConventionsTest = MainWindowTest;

TEST_F(ConventionsTest, FileCommandsHaveTheirUsualKeysInBothMenus) {
  TmainForm& w = MakeWindow();
  w.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
  const std::pair<const char*, const char*> keys[] = {
      {"Neu1", "Ctrl+N"},       {"Neu2", "Ctrl+N"},       {"oeffnen1", "Ctrl+O"},
      {"oeffnen2", "Ctrl+O"},   {"Speichern2", "Ctrl+S"}, {"Speichernunter2", "Ctrl+Shift+S"},
      {"schliessen", "Ctrl+W"}, {"Drucken2", "Ctrl+P"},   {"Beenden1", "Ctrl+Q"},
      {"Beenden2", "Ctrl+Q"},   {"Handbuch1", "F1"},      {"Handbuch2", "F1"}};
  for (const auto& [name, key] : keys)
    EXPECT_EQ(Action(name)->shortcut().toString().toStdString(), key) << name;

  // Only the shown menu bar's entry takes the key: Ctrl+N makes one project
  // in the start view and, in the project view, closes it for a new one.
  QTest::keyClick(&w, Qt::Key_N, Qt::ControlModifier);
  ASSERT_NE(w.Project(), nullptr);
  EXPECT_EQ(w.CurrentView(), TmainForm::kViewInfo);
  QTest::keyClick(&w, Qt::Key_W, Qt::ControlModifier);
  EXPECT_EQ(w.Project(), nullptr);
  EXPECT_TRUE(box_.Calls().empty());
}

TEST_F(ConventionsTest, RecentProjectsAreOfferedLatestFirstAndKeptInTheSettings) {
  const fs::path demo = ProjectCopy("Demo.qvx");
  const fs::path felder = ProjectCopy("Felder.qvx");
  TmainForm& w = MakeWindow();
  auto* recent = Find<QMenu>("Zuletzt1");
  EXPECT_FALSE(recent->isEnabled());  // nothing opened yet

  ASSERT_TRUE(w.OpenProjectFile(QString::fromStdString(demo.string())));
  ASSERT_TRUE(w.OpenProjectFile(QString::fromStdString(felder.string())));
  EXPECT_EQ(workspace_->settings().recentProjects,
            (std::vector<std::string>{felder.string(), demo.string()}));
  // Saved under another name: that file is the latest.
  const fs::path copy = files_.path() / "Kopie.qvx";
  saveAnswers_.push_back(QString::fromStdString(copy.string()));
  Action("Speichernunter2")->trigger();
  EXPECT_EQ(workspace_->settings().recentProjects.front(), copy.string());

  // The project view's menu lists them by name, the path as hint; an entry
  // opens its file.
  auto* menu = Find<QMenu>("Zuletzt2");
  ASSERT_TRUE(menu->isEnabled());
  emit menu->aboutToShow();
  ASSERT_EQ(menu->actions().size(), 3);
  EXPECT_EQ(menu->actions()[0]->text().toStdString(), "&1 Kopie.qvx");
  EXPECT_EQ(menu->actions()[2]->text().toStdString(), "&3 Demo.qvx");
  EXPECT_EQ(menu->actions()[2]->toolTip().toStdString(), demo.string());
  menu->actions()[2]->trigger();
  EXPECT_EQ(w.Project()->path, demo.string());
  EXPECT_EQ(workspace_->settings().recentProjects.front(), demo.string());

  // A file that is gone is said and offered no more.
  fs::remove(felder);
  emit menu->aboutToShow();
  ASSERT_EQ(menu->actions().size(), 3);
  menu->actions()[2]->trigger();
  ASSERT_EQ(box_.Calls().size(), 1u);
  EXPECT_EQ(box_.Calls()[0].kind, MsgKind::Fehler);
  EXPECT_EQ(workspace_->settings().recentProjects,
            (std::vector<std::string>{demo.string(), copy.string()}));

  // Closing the window writes them into the settings.
  box_.QueueAnswer(kAnswerJa);
  ASSERT_TRUE(w.close());
  Workspace again(WorkspaceStart{{"--base", Base().string()}, home_->path()});
  EXPECT_EQ(again.settings().recentProjects,
            (std::vector<std::string>{demo.string(), copy.string()}));
}

// The window as the target of a drag: it takes project files only.
bool Drop(QWidget& target, const std::vector<fs::path>& files) {
  auto data = std::make_unique<QMimeData>();
  QList<QUrl> urls;
  for (const fs::path& file : files)
    urls << QUrl::fromLocalFile(QString::fromStdString(file.string()));
  data->setUrls(urls);
  const QPoint centre = target.rect().center();
  QDragEnterEvent enter(centre, Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&target, &enter);
  if (!enter.isAccepted()) return false;
  QDropEvent drop(QPointF(centre), Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&target, &drop);
  QApplication::processEvents();
  return drop.isAccepted();
}

TEST_F(ConventionsTest, AProjectFileDroppedOnTheWindowOpens) {
  TmainForm& w = MakeWindow();
  EXPECT_FALSE(Drop(w, {files_.File("notes.txt")}));
  EXPECT_EQ(w.Project(), nullptr);

  const fs::path demo = ProjectCopy("Demo.qvx");
  EXPECT_TRUE(Drop(w, {files_.File("notes.txt"), demo}));
  ASSERT_NE(w.Project(), nullptr);
  EXPECT_EQ(w.Project()->path, demo.string());

  // Over a modified project the save question comes first; "Abbruch"
  // keeps it.
  w.MarkModified();
  box_.QueueAnswer(kAnswerAbbruch);
  EXPECT_TRUE(Drop(w, {ProjectCopy("Felder.qvx")}));
  EXPECT_EQ(w.Project()->path, demo.string());
  EXPECT_EQ(box_.Calls().size(), 1u);
}

// F1 opens the manual shipped with the program, in the window's language
// (German where a language has none); a manual that is not there is said.
TEST_F(ConventionsTest, F1ShowsTheManualInTheWindowsLanguage) {
  std::vector<QString> shown;
  EditorHooks hooks = Hooks();
  hooks.showDocument = [&shown](const QString& file) {
    shown.push_back(file);
    return true;
  };
  TmainForm& w = MakeWindow(std::move(hooks));
  w.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
  QTest::keyClick(&w, Qt::Key_F1);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(fs::path(shown[0].toStdString()), Base() / "doc" / "handbuch_049.html");
  EXPECT_TRUE(fs::is_regular_file(shown[0].toStdString()));

  struct Case {
    const char* code;
    const char* manual;
  };
  for (const Case& c : {Case{"044", "handbuch_044.html"}, Case{"033", "handbuch_049.html"}}) {
    workspace_->settings().code = c.code;
    Action("Handbuch1")->trigger();
    EXPECT_EQ(fs::path(shown.back().toStdString()).filename(), c.manual) << c.code;
  }
  EXPECT_TRUE(box_.Calls().empty());

  // Without the manual in the installation the user is told where it
  // should be.
  const fs::path moved = files_.path() / "doc";
  fs::rename(Base() / "doc", moved);
  Action("Handbuch1")->trigger();
  fs::rename(moved, Base() / "doc");
  ASSERT_EQ(box_.Calls().size(), 1u);
  EXPECT_EQ(box_.Calls()[0].kind, MsgKind::Fehler);
  EXPECT_EQ(box_.Calls()[0].text.rfind(Tr(txt::kHandbuchFehlt), 0), 0u);
  EXPECT_EQ(shown.size(), 3u);
}

}  // namespace
}  // namespace tavo::testing
