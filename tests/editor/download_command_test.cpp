// The transfer command from the dialog to the terminal's drives: the
// installation's demo project, downloaded to the virtual terminal on a
// pseudo-terminal.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <thread>

#include "app/workspace.h"
#include "editor/download/downloadcommand.h"
#include "editor/download/downloaddialog.h"
#include "editor/download/transferwindow.h"
#include "project/projectfile.h"
#include "project/projekt.h"
#include "shell/messageboxes.h"
#include "support/qtapplication.h"
#include "support/tempfolder.h"

extern char** environ;

namespace tavo {
namespace {

namespace fs = std::filesystem;

fs::path Program(const char* name) {
  return fs::read_symlink("/proc/self/exe").parent_path().parent_path() / "src" / "app" / name;
}

std::string Read(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

template <typename T>
T* VisibleTopLevel() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* t = qobject_cast<T*>(w); t && t->isVisible()) return t;
  return nullptr;
}

// Answers like the user would, and notes what the progress window showed
// when the outcome was reported.
class WatchingMessageBox : public ScriptedMessageBox {
 public:
  int Show(MsgKind kind, ButtonSet buttons, const std::string& text) override {
    if (auto* window = VisibleTopLevel<TransferProgressWindow>()) {
      windowSeen = true;
      totalValue = window->TotalGauge()->value();
      totalMaximum = window->TotalGauge()->maximum();
    }
    return ScriptedMessageBox::Show(kind, buttons, text);
  }
  bool windowSeen = false;
  int totalValue = -1, totalMaximum = -1;
};

struct DownloadCommand : ::testing::Test {
  testing::TempFolder tmp;
  fs::path link = tmp / "line";
  fs::path root = tmp / "terminal";
  pid_t terminal = -1;
  std::unique_ptr<Workspace> workspace;
  std::unique_ptr<t_projekt> project;
  DownloadCommandOptions options;

  void SetUp() override {
    testing::TestApplication();
    // German messages, port 1 and 19200 bit/s stored.
    fs::create_directories(tmp / "config");
    std::ofstream(tmp / "config" / "QVXTavoDex.ini")
        << "[Country]\r\nCode=049\r\n[Port]\r\nComport=1\r\nBaudrate=5\r\nStation=1\r\n";
    setenv("XDG_CONFIG_HOME", (tmp / "config").c_str(), 1);
    setenv("XDG_DATA_HOME", (tmp / "data").c_str(), 1);
    workspace = std::make_unique<Workspace>(
        WorkspaceStart{{"--base", (tmp / "base").string(), "--populate"}, tmp.path()});
    ASSERT_TRUE(workspace->ok()) << workspace->error;
    ScriptedMessageBox box;
    ProjectReadContext context = workspace->ReadContext(&box);
    project = ReadProjectFile(workspace->install().Resolve("Projects\\Demo.qvx").string(), context)
                  .project;
    ASSERT_NE(project, nullptr);
    // Only port 2 leads anywhere: to the virtual terminal.
    PortDeviceTable ports;
    for (int port = 1; port <= PortDeviceTable::kPorts; ++port)
      ports.SetDevice(port, (tmp / ("no-device-" + std::to_string(port))).string());
    ports.SetDevice(2, link.string());
    options.ports = ports;
    options.workFolder = tmp / "work";
  }
  void TearDown() override {
    if (terminal > 0) {
      kill(terminal, SIGTERM);
      waitpid(terminal, nullptr, 0);
    }
  }
  void StartTerminal() {
    if (!fs::exists(Program("tavodex-terminal"))) GTEST_SKIP() << "tavodex-terminal is not built";
    const std::vector<std::string> args = {Program("tavodex-terminal").string(),
                                           "--device-link",
                                           link.string(),
                                           "--root",
                                           root.string(),
                                           "--quiet"};
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    ASSERT_EQ(posix_spawn(&terminal, argv[0], nullptr, nullptr, argv.data(), environ), 0);
    for (int i = 0; i < 500 && !fs::exists(link); ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ASSERT_TRUE(fs::exists(link));
  }
  // Runs `act` on the download dialog once it is up.
  void WhenDialogShows(std::function<void(TDialog_Projekt_download&)> act) {
    auto* timer = new QTimer(QApplication::instance());
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
      if (auto* dialog = VisibleTopLevel<TDialog_Projekt_download>()) {
        timer->stop();
        timer->deleteLater();
        act(*dialog);
      }
    });
    timer->start(5);
  }
};

TEST_F(DownloadCommand, ConfirmedDialogBuildsAndDownloadsTheProject) {
  StartTerminal();
  if (IsSkipped() || HasFatalFailure()) return;
  QStringList offered;
  WhenDialogShows([&offered](TDialog_Projekt_download& dialog) {
    auto* portList = dialog.findChild<QComboBox*>("PortNummer");
    for (int i = 0; i < portList->count(); ++i) offered << portList->itemText(i);
    // The stored COM1 is not there: the user chooses.
    EXPECT_EQ(portList->currentIndex(), -1);
    portList->setCurrentIndex(0);
    dialog.findChild<QComboBox*>("BaudRate")->setCurrentIndex(0);  // 115200
    dialog.findChild<QToolButton*>("OKButtom")->click();
  });
  WatchingMessageBox box;
  const DownloadCommandResult result =
      RunDownloadCommand(nullptr, *workspace, *project, box, options);

  EXPECT_EQ(offered, QStringList{"COM2"});
  EXPECT_EQ(result.image, ImageStatus::Built);
  ASSERT_TRUE(result.outcome.has_value());
  EXPECT_EQ(*result.outcome, DownloadOutcome::Success);
  ASSERT_FALSE(box.Calls().empty());
  EXPECT_EQ(box.Calls().back().text, "Download erfolgreich.");
  // The outcome is told while the window still shows the finished transfer.
  EXPECT_TRUE(box.windowSeen);
  EXPECT_GT(box.totalMaximum, 0);
  EXPECT_EQ(box.totalValue, box.totalMaximum);
  // ... and then the window is gone and the port closed (the terminal's
  // line can be opened again).
  EXPECT_EQ(VisibleTopLevel<TransferProgressWindow>(), nullptr);
  EXPECT_EQ(OpenablePorts(*options.ports), std::vector<int>{2});
  // The confirmed values are the settings now.
  EXPECT_EQ(workspace->settings().port.comport, 2);
  EXPECT_EQ(workspace->settings().port.baudrate, 1);
  // The image arrived: the run file byte for byte.
  EXPECT_EQ(Read(root / "D" / "PROJECT.RUN"), Read(tmp / "work" / "drive_d" / "Project.run"));
  EXPECT_FALSE(Read(root / "D" / "PROJECT.RUN").empty());
  EXPECT_TRUE(fs::exists(root / "C" / "AUTOEXEC.BAT"));
}

TEST_F(DownloadCommand, CancelledDialogDoesNothingAndOneTransferRunsAtATime) {
  DownloadCommandResult nested;
  WhenDialogShows([&](TDialog_Projekt_download& dialog) {
    ScriptedMessageBox inner;
    nested = RunDownloadCommand(nullptr, *workspace, *project, inner, options);
    dialog.findChild<QToolButton*>("AbbruchButtom")->click();
  });
  ScriptedMessageBox box;
  const DownloadCommandResult result =
      RunDownloadCommand(nullptr, *workspace, *project, box, options);
  EXPECT_TRUE(nested.busy);
  EXPECT_FALSE(result.busy);
  EXPECT_EQ(result.image, ImageStatus::Cancelled);
  EXPECT_FALSE(result.outcome.has_value());
  EXPECT_TRUE(box.Calls().empty());
  EXPECT_EQ(workspace->settings().port.comport, 1);
  EXPECT_EQ(workspace->settings().port.baudrate, 5);
  EXPECT_EQ(VisibleTopLevel<TransferProgressWindow>(), nullptr);
}

// An image that cannot be built is reported and never sent.
TEST_F(DownloadCommand, ImageThatCannotBeWrittenIsReportedAndNotSent) {
  fs::create_directories(tmp / "work");
  std::ofstream(tmp / "work" / "drive_d") << "a file where the folder belongs";
  WhenDialogShows([](TDialog_Projekt_download& dialog) {
    dialog.findChild<QComboBox*>("PortNummer")->setCurrentIndex(0);
    dialog.findChild<QToolButton*>("OKButtom")->click();
  });
  ScriptedMessageBox box;
  const DownloadCommandResult result =
      RunDownloadCommand(nullptr, *workspace, *project, box, options);
  EXPECT_EQ(result.image, ImageStatus::Failed);
  EXPECT_FALSE(result.outcome.has_value());
  ASSERT_EQ(box.Calls().size(), 1u);
  EXPECT_EQ(box.Calls()[0].kind, MsgKind::Fehler);
  EXPECT_NE(box.Calls()[0].text.find("drive_d"), std::string::npos) << box.Calls()[0].text;
  EXPECT_EQ(VisibleTopLevel<TransferProgressWindow>(), nullptr);
}

// A line without a terminal held the window for the whole search (some 54
// seconds) with no way out: "Abbruch" in the progress window ends the
// search at once, frees the port and says that nothing was changed.
TEST_F(DownloadCommand, AbbruchEndsTheSearchOnALineWithoutATerminal) {
  // A pseudo-terminal nobody answers on.
  const int master = posix_openpt(O_RDWR | O_NOCTTY);
  ASSERT_GE(master, 0);
  ASSERT_EQ(grantpt(master), 0);
  ASSERT_EQ(unlockpt(master), 0);
  const std::string silent = ptsname(master);
  options.ports->SetDevice(3, silent);
  WhenDialogShows([](TDialog_Projekt_download& dialog) {
    auto* ports = dialog.findChild<QComboBox*>("PortNummer");
    ports->setCurrentIndex(ports->findText("COM3"));
    dialog.findChild<QToolButton*>("OKButtom")->click();
  });
  // Once the search runs, the user presses "Abbruch".
  bool searching = false;
  auto* timer = new QTimer(QApplication::instance());
  QObject::connect(timer, &QTimer::timeout, [&searching, timer] {
    auto* window = VisibleTopLevel<TransferProgressWindow>();
    if (!window || !window->CommandLabel()->text().startsWith("Terminal wird gesucht")) return;
    searching = true;
    timer->stop();
    timer->deleteLater();
    QTimer::singleShot(500, [] {
      if (auto* w = VisibleTopLevel<TransferProgressWindow>()) {
        EXPECT_TRUE(w->CancelButton()->isEnabled());
        QTest::mouseClick(w->CancelButton(), Qt::LeftButton);
      }
    });
  });
  timer->start(10);
  WatchingMessageBox box;
  const DownloadCommandResult result =
      RunDownloadCommand(nullptr, *workspace, *project, box, options);
  EXPECT_TRUE(searching);
  ASSERT_TRUE(result.outcome.has_value());
  EXPECT_EQ(*result.outcome, DownloadOutcome::Cancelled);
  ASSERT_EQ(box.Calls().size(), 1u);
  EXPECT_EQ(box.Calls()[0].text,
            "Download abgebrochen. Das Projekt auf dem Terminal ist unver\xE4ndert.");
  EXPECT_EQ(VisibleTopLevel<TransferProgressWindow>(), nullptr);
  // The port is free again.
  EXPECT_EQ(OpenablePorts(*options.ports), (std::vector<int>{3}));
  close(master);
}

}  // namespace
}  // namespace tavo
