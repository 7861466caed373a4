// The editor: splash window, workspace, main window, then the event loop.
//
//   tavodex [--base DIR] [--populate] [start] [PROJECT.qvx | DOS.prj] [--measure-startup]
//
// A project file is opened; a DOS project (.prj) is imported as if it had been
// chosen in the import dialog (the desktop opens both kinds with the editor).
// --measure-startup prints the milliseconds from the program's start until
// the main window (with the given project open) is on the screen, and ends.

#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QWindow>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <utility>

#include "app/workspace.h"
#include "editor/dialogs/infomsg.h"
#include "editor/import/dosimportcommand.h"
#include "editor/mainwindow.h"
#include "editor/mainwindow_splash.h"
#include "project/projekt.h"
#include "shell/codepage.h"
#include "shell/textcase.h"

int main(int argc, char** argv) {
  QElapsedTimer clock;
  clock.start();
  QApplication app(argc, argv);

  QPointer<tavo::TFirstQVXWin> splash = new tavo::TFirstQVXWin(nullptr);
  splash->Present();
  QApplication::processEvents();
  QApplication::setApplicationName("QVX Tavo Dex");

  std::vector<std::string> args;
  for (const QString& a : QApplication::arguments().mid(1)) args.push_back(a.toStdString());
  const auto measure = std::find(args.begin(), args.end(), "--measure-startup");
  const bool measureStartup = measure != args.end();
  if (measureStartup) args.erase(measure);

  tavo::Workspace workspace({args, std::filesystem::current_path()});
  if (!workspace.ok()) {
    delete splash;
    // Without a base folder there is no language table: the box is German.
    tavo::GermanTranslator german;
    tavo::TInfo_MSG(german).Show(tavo::MsgKind::Fehler, tavo::ButtonSet::Weiter,
                                 tavo::Utf8ToCp1252(workspace.error));
    return 2;
  }
  if (splash) splash->SetTranslator(&workspace.translator());
  // The import command asks for its file; a DOS project named on the
  // command line is that answer, once.
  auto givenDosProject = std::make_shared<QString>();
  tavo::EditorHooks hooks = tavo::DefaultEditorHooks();
  hooks.dosImport = [givenDosProject](QWidget* parent, tavo::Workspace& ws,
                                      tavo::MessageBox& messages,
                                      std::function<bool()> closeProject) {
    tavo::DosImportHooks importHooks;
    importHooks.closeOpenProject = std::move(closeProject);
    if (!givenDosProject->isEmpty())
      importHooks.chooseFile = [givenDosProject](const QString&, const QString&, const QString&) {
        return std::exchange(*givenDosProject, QString());
      };
    return tavo::RunDosImportCommand(parent, ws, messages, importHooks);
  };
  tavo::TmainForm window(workspace, std::move(hooks));
  window.show();
  for (const std::string& arg : workspace.remaining) {
    if (arg.rfind("-", 0) == 0) continue;
    std::filesystem::path path(arg);
    // A relative project path names a file below the base folder when the
    // current folder has none.
    if (path.is_relative() && !std::filesystem::exists(path))
      path = workspace.install().Resolve(arg);
    const QString file = QString::fromStdString(path.string());
    if (tavo::EqualsIgnoreCase(path.extension().string(), ".prj")) {
      *givenDosProject = file;
      window.ToolButton36Click();
    } else {
      window.OpenProjectFile(file);
    }
  }
  if (splash) splash->raise();

  if (measureStartup) {
    while ((!window.windowHandle() || !window.windowHandle()->isExposed()) &&
           clock.elapsed() < 30000)
      QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    QApplication::processEvents();
    const tavo::t_projekt* project = window.Project();
    std::printf("start-up to shown window: %lld ms (project: %s)\n",
                static_cast<long long>(clock.elapsed()),
                project ? tavo::Cp1252ToUtf8(project->head->name).c_str() : "none");
    delete splash;
    return 0;
  }
  const int result = QApplication::exec();
  delete splash;  // still open when the program ended within its four seconds
  return result;
}
