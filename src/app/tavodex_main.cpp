// The editor: sets up the workspace, then shows the main window.

#include <QApplication>
#include <QDir>
#include <filesystem>

#include "app/workspace.h"
#include "editor/dialogs/infomsg.h"
#include "editor/projectwindow.h"
#include "shell/codepage.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Tavo Dex");
  std::vector<std::string> args;
  for (const QString& a : QApplication::arguments().mid(1)) args.push_back(a.toStdString());
  tavo::Workspace workspace({args, std::filesystem::current_path()});
  if (!workspace.ok()) {
    // Without a base folder there is no language table: the box is German.
    tavo::GermanTranslator german;
    tavo::TInfo_MSG(german).Show(tavo::MsgKind::Fehler, tavo::ButtonSet::Weiter,
                                 tavo::Utf8ToCp1252(workspace.error));
    return 2;
  }
  // The one message box of the run.
  tavo::TInfo_MSG messages(workspace.translator());
  tavo::ProjectWindow window(workspace);
  window.SetMessageBox(&messages);
  window.show();
  for (const std::string& arg : workspace.remaining) {
    if (arg.rfind("-", 0) == 0) continue;
    std::filesystem::path path(arg);
    // A relative project path names a file below the base folder when the
    // current folder has none.
    if (path.is_relative() && !std::filesystem::exists(path))
      path = workspace.install().Resolve(arg);
    window.OpenProject(QString::fromStdString(path.string()));
  }
  const int result = QApplication::exec();
  workspace.SaveSettings();  // errors while writing the settings are not reported
  return result;
}
