#include "editor/simulator/simulatecommand.h"

#include <QApplication>
#include <QWidget>
#include <system_error>

#include "app/workspace.h"
#include "download/image/imagebuilder.h"
#include "editor/simulator/simulatorwindow.h"
#include "project/projekt.h"
#include "shell/basefolder.h"
#include "shell/messagebox.h"
#include "shell/texts.h"

namespace tavo {

namespace fs = std::filesystem;

fs::path SimulatorWorkFolder() {
  const fs::path data = UserDataHome(SystemEnvironment());
  if (!data.empty()) return data / kUserBaseFolderName / "simulator";
  std::error_code ec;
  return fs::temp_directory_path(ec) / "tavodex-simulator";
}

SimulatorWindow* RunSimulateCommand(QWidget* parent, Workspace& workspace, const t_projekt& project,
                                    MessageBox& messages, const SimulateCommandOptions& options) {
  Translator& translator = workspace.translator();
  ImageBuildOptions build;
  build.install = &workspace.install();
  build.translator = &translator;
  build.workFolder = options.workFolder.empty() ? SimulatorWorkFolder() : options.workFolder;
  std::error_code ec;
  fs::create_directories(build.workFolder, ec);

  QApplication::setOverrideCursor(Qt::WaitCursor);
  const DownloadImage image = BuildDownloadImage(project, build);
  QApplication::restoreOverrideCursor();
  if (image.status == ImageStatus::NoResourceFolder) {
    messages.Show(MsgKind::Fehler, ButtonSet::Weiter, translator.Tr(txt::kSimKeinResourceOrdner));
    return nullptr;
  }
  if (!image.ok()) {
    messages.Show(MsgKind::Fehler, ButtonSet::Weiter,
                  translator.Tr(txt::kSimNichtGebaut) + "\n" + image.error);
    return nullptr;
  }

  SimulatorWindow* window = parent ? parent->findChild<SimulatorWindow*>() : nullptr;
  const bool fresh = window == nullptr;
  if (fresh) {
    window = new SimulatorWindow(translator, messages, &workspace.catalog(), parent);
    window->setAttribute(Qt::WA_DeleteOnClose);
  }
  window->SetVariableNames(project.variables.get());
  window->SetPictureNames(project.pictures.get());
  if (!window->Open(image.driveD)) {
    if (fresh) delete window;
    return nullptr;
  }
  window->show();
  window->raise();
  window->activateWindow();
  return window;
}

}  // namespace tavo
