#include "editor/download/downloadcommand.h"

#include <QApplication>
#include <QDialog>
#include <memory>

#include "app/workspace.h"
#include "download/progress.h"
#include "editor/download/downloaddialog.h"
#include "editor/download/transferwindow.h"
#include "project/projekt.h"
#include "qt/eventclock.h"
#include "qt/serialport.h"
#include "shell/basefolder.h"
#include "shell/inifile.h"
#include "shell/messagebox.h"
#include "shell/settings.h"
#include "shell/texts.h"

namespace tavo {

namespace {

// One transfer at a time: the event loop runs while a transfer waits, so a
// second command could otherwise start on the same line.
bool g_transferRunning = false;

class RunningGuard {
 public:
  RunningGuard() { g_transferRunning = true; }
  ~RunningGuard() { g_transferRunning = false; }
  RunningGuard(const RunningGuard&) = delete;
  RunningGuard& operator=(const RunningGuard&) = delete;
};

// The busy cursor from the confirmed dialog to the end of the command.
class BusyCursor {
 public:
  void Set() {
    if (active_) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    active_ = true;
  }
  ~BusyCursor() {
    if (active_) QApplication::restoreOverrideCursor();
  }

 private:
  bool active_ = false;
};

// Messages and questions during the transfer want the normal cursor.
class ArrowCursorMessages : public MessageBox {
 public:
  explicit ArrowCursorMessages(MessageBox& inner) : inner_(inner) {}
  int Show(MsgKind kind, ButtonSet buttons, const std::string& text) override {
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    const int answer = inner_.Show(kind, buttons, text);
    QApplication::restoreOverrideCursor();
    return answer;
  }

 private:
  MessageBox& inner_;
};

// Hides the progress window at the end of the command, whatever the end.
class WindowCloser {
 public:
  explicit WindowCloser(TransferProgressWindow& window) : window_(window) {}
  ~WindowCloser() {
    window_.SetClosable(true);
    window_.hide();
  }
  WindowCloser(const WindowCloser&) = delete;
  WindowCloser& operator=(const WindowCloser&) = delete;

 private:
  TransferProgressWindow& window_;
};

}  // namespace

std::vector<int> OpenablePorts(const PortDeviceTable& ports) {
  std::vector<int> numbers;
  QtSerialDevice device;
  for (int port = 1; port <= PortDeviceTable::kPorts; ++port) {
    const std::string name = ports.DeviceOf(port);
    if (name.empty() || !device.Open(name)) continue;
    device.Close();
    numbers.push_back(port);
  }
  return numbers;
}

PortDeviceTable UserPortDevices() {
  const std::filesystem::path config = UserConfigHome(SystemEnvironment());
  if (config.empty()) return PortDeviceTable();
  IniFile ini;
  ini.Load(SettingsFilePath(config));
  return PortDeviceTable::FromSettings(ini);
}

DownloadCommandResult RunDownloadCommand(QWidget* parent, Workspace& workspace,
                                         const t_projekt& project, MessageBox& messages,
                                         const DownloadCommandOptions& options) {
  DownloadCommandResult result;
  if (g_transferRunning) {
    result.busy = true;
    return result;
  }
  RunningGuard running;
  const PortDeviceTable ports = options.ports ? *options.ports : UserPortDevices();
  Translator& translator = workspace.translator();

  TransferProgressWindow window(translator, parent);
  WindowCloser closer(window);
  BusyCursor cursor;
  ArrowCursorMessages boxes(messages);
  PortSettings chosen = workspace.settings().port;

  ImageBuildOptions build;
  build.install = &workspace.install();
  build.translator = &translator;
  build.progress = &window;
  build.workFolder = options.workFolder;
  build.confirm = [&] {
    TDialog_Projekt_download dialog(workspace.settings().port, OpenablePorts(ports), translator,
                                    boxes, parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    chosen = dialog.Values();
    cursor.Set();
    window.SetClosable(false);
    window.Start();
    return true;
  };
  const DownloadImage image = BuildDownloadImage(project, build);
  result.image = image.status;
  if (image.status == ImageStatus::Failed) {
    boxes.Show(MsgKind::Fehler, ButtonSet::Weiter, image.error);
    return result;
  }
  if (!image.ok()) return result;

  // "Abbruch" while the image was built: nothing has gone out yet.
  if (window.CancelRequested()) {
    boxes.Show(MsgKind::Information, ButtonSet::Weiter, translator.Tr(txt::kDownloadAbgebrochen));
    result.outcome = DownloadOutcome::Cancelled;
    return result;
  }

  DownloadOptions download;
  download.rateIndex = chosen.baudrate;
  download.station = chosen.station;
  download.scope = chosen.umfang;
  download.firstGeneration = project.terminal && IsFirstGeneration(project.terminal->typeNumber);
  download.settingsFolder = KeptSettingsFolder(workspace.install(), chosen.station);

  TComm comm(std::make_unique<QtSerialDevice>(), ports);
  comm.SetPort(chosen.comport);
  QtEventClock clock;
  TDownloadConnect connect(comm, clock, boxes, translator, &window);
  ProjektDownload sequence(connect, comm, clock, boxes, translator);
  result.outcome = sequence.Run(image, download);
  comm.Close();
  return result;
}

}  // namespace tavo
