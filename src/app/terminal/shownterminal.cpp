#include "app/terminal/shownterminal.h"

#include <QApplication>
#include <QMetaObject>
#include <QTimer>
#include <atomic>
#include <csignal>
#include <memory>
#include <ostream>
#include <system_error>
#include <thread>

#include "app/workspace.h"
#include "editor/dialogs/infomsg.h"
#include "editor/simulator/simulatorwindow.h"
#include "shell/messageboxes.h"
#include "simulator/simulator.h"

namespace fs = std::filesystem;

namespace tavo {

namespace {

std::atomic<bool> g_interrupted{false};

void OnSignal(int) {
  g_interrupted = true;
}

bool HoldsFiles(const fs::path& folder) {
  std::error_code ec;
  return fs::is_directory(folder, ec) && !fs::is_empty(folder, ec);
}

}  // namespace

int RunShownTerminal(int& argc, char** argv, PtyTerminalOptions terminalOptions,
                     const ShownTerminalOptions& options, std::ostream& log) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("tavodex-terminal");
  Workspace workspace({options.workspaceArguments, fs::current_path()});
  if (!workspace.ok()) {
    log << "tavodex-terminal: " << workspace.error << "\n";
    return 2;
  }
  const bool unattended = !options.snapshot.empty();
  std::unique_ptr<MessageBox> box;
  if (unattended)
    box = std::make_unique<ConsoleMessageBox>(workspace.translator(), log);
  else
    box = std::make_unique<TInfo_MSG>(workspace.translator());

  SimulatorWindow window(workspace.translator(), *box, &workspace.catalog());
  const fs::path driveD = terminalOptions.root / "D";
  bool opened = false;
  auto load = [&] {
    const bool ok = window.Open(driveD);
    opened = opened || ok;
    return ok;
  };
  // A terminal waiting for its first download has nothing to show yet;
  // a folder that is only shown must hold an image.
  if (terminalOptions.deviceLink.empty() || HoldsFiles(driveD)) load();

  // The protocol on its own thread; a finished download reaches the window
  // as a queued call, handled between two events of the user interface.
  std::unique_ptr<PtyTerminal> terminal;
  std::atomic<bool> stop{false};
  std::thread protocol;
  int protocolResult = 0;
  if (!terminalOptions.deviceLink.empty()) {
    terminalOptions.onQuit = [&] {
      QMetaObject::invokeMethod(
          &window,
          [&] {
            if (load())
              log << "tavodex-terminal: showing " << driveD.string() << " ("
                  << window.CurrentSimulator()->PictureCount() << " pictures)" << std::endl;
            else
              log << "tavodex-terminal: nothing to show in " << driveD.string() << std::endl;
          },
          Qt::QueuedConnection);
    };
    terminal = std::make_unique<PtyTerminal>(terminalOptions, log);
    std::string error;
    if (!terminal->Start(&error)) {
      log << "tavodex-terminal: " << error << "\n";
      return 1;
    }
    log << "tavodex-terminal: " << terminalOptions.deviceLink.string() << " -> "
        << terminal->SlaveName() << ", station " << terminalOptions.station << std::endl;
    protocol = std::thread([&] {
      protocolResult = terminal->Run(stop);
      // A protocol that ends by itself ends the program.
      if (!stop.load()) QMetaObject::invokeMethod(&app, &QApplication::quit, Qt::QueuedConnection);
    });
  }
  std::signal(SIGINT, OnSignal);
  std::signal(SIGTERM, OnSignal);
  QTimer interrupt;
  QObject::connect(&interrupt, &QTimer::timeout, &app, [] {
    if (g_interrupted) QApplication::quit();
  });
  interrupt.start(100);

  window.show();
  int result = 0;
  if (unattended) {
    QTimer::singleShot(0, &window, [&] {
      QApplication::processEvents();
      if (!window.grab().save(QString::fromStdString(options.snapshot.string()))) {
        log << "tavodex-terminal: cannot write " << options.snapshot.string() << "\n";
        result = 1;
      } else if (!opened) {
        result = 1;  // the box has said why on the log
      }
      QApplication::quit();
    });
  }
  app.exec();
  stop = true;
  if (protocol.joinable()) protocol.join();
  window.close();
  return result != 0 ? result : protocolResult;
}

}  // namespace tavo
