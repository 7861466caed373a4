// The download over a real pseudo-terminal: QtSerialPort on the editor's
// side, the built tavodex-terminal program on the other.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <QCoreApplication>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <thread>

#include "download/comm.h"
#include "download/image/imagebuilder.h"
#include "download/progress.h"
#include "download/protocol/projektdownload.h"
#include "objects/objectkinds.h"
#include "project/katalog.h"
#include "project/projectfile.h"
#include "qt/eventclock.h"
#include "qt/serialport.h"
#include "resources/fontcatalog.h"
#include "shell/folders.h"
#include "shell/language.h"
#include "shell/messageboxes.h"

extern char** environ;

namespace tavo {
namespace {

namespace fs = std::filesystem;

// The programs are built beside the tests: build/<dir>/src/app/.
fs::path Program(const char* name) {
  return fs::read_symlink("/proc/self/exe").parent_path().parent_path() / "src" / "app" / name;
}

void EnsureApplication() {
  static int argc = 1;
  static char name[] = "tavo_qt_tests";
  static char* argv[] = {name, nullptr};
  if (!QCoreApplication::instance()) new QCoreApplication(argc, argv);  // lives for the run
}

void Write(const fs::path& file, const std::string& content) {
  fs::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary) << content;
}

std::string Read(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string Bytes(std::size_t n, int seed) {
  std::string s(n, '\0');
  for (std::size_t i = 0; i < n; ++i)
    s[i] = static_cast<char>((i * 31 + static_cast<std::size_t>(seed) * 7) & 0xFF);
  return s;
}

pid_t Spawn(const std::vector<std::string>& args, const fs::path& output) {
  std::vector<char*> argv;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_adddup2(&actions, 1, 2);
  pid_t pid = -1;
  if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid = -1;
  posix_spawn_file_actions_destroy(&actions);
  return pid;
}

int WaitExit(pid_t pid) {
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The editor's side of the line, wired as the download command wires it.
struct EditorSide {
  explicit EditorSide(const fs::path& device) { comm.SetDeviceName(device.string()); }
  TComm comm{std::make_unique<QtSerialDevice>()};
  QtEventClock clock;
  ScriptedMessageBox box;
  GermanTranslator translator;
  TDownloadConnect connect{comm, clock, box, translator};
  ProjektDownload download{connect, comm, clock, box, translator};
};

struct PtyDownload : ::testing::Test {
  fs::path tmp =
      fs::temp_directory_path() / ("tavo-pty-" + std::to_string(::getpid()) + "-" +
                                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
  fs::path link = tmp / "line";
  fs::path root = tmp / "terminal";
  fs::path driveC = tmp / "image" / "drive_c";
  fs::path driveD = tmp / "image" / "drive_d";
  pid_t terminal = -1;

  void SetUp() override {
    if (!fs::exists(Program("tavodex-terminal"))) GTEST_SKIP() << "tavodex-terminal is not built";
    fs::remove_all(tmp);
    fs::create_directories(tmp);
    EnsureApplication();
    Write(driveC / "AUTOEXEC.BAT", "echo start\r\n");
    Write(driveD / "Project.run", Bytes(3000, 1));
    Write(driveD / "1.pic", Bytes(2500, 2));
    Write(driveD / "PIC1.HCD", Bytes(700, 3));
  }
  void TearDown() override {
    if (terminal > 0) {
      kill(terminal, SIGTERM);
      WaitExit(terminal);
    }
    std::error_code ec;
    fs::remove_all(tmp, ec);
  }
  void StartTerminal(const std::vector<std::string>& more = {}) {
    std::vector<std::string> args{Program("tavodex-terminal").string(), "--device-link",
                                  link.string(), "--root", root.string()};
    args.insert(args.end(), more.begin(), more.end());
    terminal = Spawn(args, tmp / "terminal.log");
    ASSERT_GT(terminal, 0);
    for (int i = 0; i < 1000 && !fs::exists(link); ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ASSERT_TRUE(fs::exists(link)) << Read(tmp / "terminal.log");
  }
  std::set<std::string> Names(char drive) const {
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(root / std::string(1, drive)))
      names.insert(e.path().filename().string());
    return names;
  }
};

TEST_F(PtyDownload, FullThenOptimisedDownload) {
  StartTerminal();
  Write(root / "C" / "UNIT.INI", "[unit]");
  EditorSide editor(link);
  ProjektDownload& download = editor.download;
  DownloadOptions options;
  options.rateIndex = 1;
  options.settingsFolder = tmp / "kept";

  ASSERT_EQ(download.Run(ScanImageFolders(driveC, driveD), options), DownloadOutcome::Success)
      << Read(tmp / "terminal.log");
  // Drive D of the terminal equals the image byte for byte.
  EXPECT_THAT(Names('D'), ::testing::UnorderedElementsAre("1.PIC", "PIC1.HCD", "PROJECT.RUN"));
  EXPECT_EQ(Read(root / "D" / "PROJECT.RUN"), Bytes(3000, 1));
  EXPECT_EQ(Read(root / "D" / "1.PIC"), Bytes(2500, 2));
  EXPECT_EQ(Read(root / "D" / "PIC1.HCD"), Bytes(700, 3));
  EXPECT_FALSE(editor.comm.Active());

  // The first optimised download finds no list and sends everything.
  options.scope = 1;
  ASSERT_EQ(download.Run(ScanImageFolders(driveC, driveD), options), DownloadOutcome::Success);
  EXPECT_TRUE(fs::exists(root / "D" / "FILES.LST"));

  // One file changed; the terminal holds a stray file and a settings file.
  Write(driveD / "1.pic", Bytes(2500, 9));
  Write(root / "D" / "STRAY.PIC", "stray");
  Write(root / "D" / "KEEP.INI", "keep");
  ASSERT_EQ(download.Run(ScanImageFolders(driveC, driveD), options), DownloadOutcome::Success)
      << Read(tmp / "terminal.log");
  EXPECT_THAT(download.Sent(), ::testing::ElementsAre("1.pic", "Files.LST"));
  EXPECT_EQ(Read(root / "D" / "1.PIC"), Bytes(2500, 9));
  EXPECT_THAT(Names('D'), ::testing::UnorderedElementsAre("1.PIC", "FILES.LST", "KEEP.INI",
                                                          "PIC1.HCD", "PROJECT.RUN"));
  EXPECT_EQ(editor.box.Calls().back().text, "Download erfolgreich.");
}

TEST_F(PtyDownload, CommandLineDownloadAndNoTerminal) {
  const fs::path cli = Program("tavodex-cli");
  if (!fs::exists(cli)) GTEST_SKIP() << "tavodex-cli is not built";
  const std::string project = std::string(TAVO_DATA_DIR) + "/Projects/Demo.qvx";
  const std::string base = TAVO_DATA_DIR;

  // No terminal behind the device: the message, exit code 3.
  // The messages are checked in German, whatever the settings' language.
  pid_t pid = Spawn({cli.string(), "--base", base, "--language", "049", "download", project,
                     "--device", (tmp / "nothing").string(), "--image", (tmp / "image").string()},
                    tmp / "cli.log");
  ASSERT_GT(pid, 0);
  EXPECT_EQ(WaitExit(pid), 3);
  EXPECT_NE(Read(tmp / "cli.log").find("kein Terminal gefunden !"), std::string::npos)
      << Read(tmp / "cli.log");

  StartTerminal();
  pid = Spawn(
      {cli.string(), "--base", base, "--language", "049", "download", project, "--device",
       link.string(), "--rate", "57600", "--scope", "full", "--image", (tmp / "image").string()},
      tmp / "cli.log");
  ASSERT_GT(pid, 0);
  EXPECT_EQ(WaitExit(pid), 0) << Read(tmp / "cli.log");
  EXPECT_NE(Read(tmp / "cli.log").find("Download erfolgreich."), std::string::npos);
  EXPECT_EQ(Read(root / "D" / "PROJECT.RUN"), Bytes(3000, 1));
  EXPECT_EQ(Read(root / "C" / "AUTOEXEC.BAT"), "echo start\r\n");
}

// With --show the protocol runs on its own thread beside the window; each
// completed download makes the window read drive D again.
TEST_F(PtyDownload, ShownTerminalReadsDriveDAgainAfterADownload) {
  Installation install(TAVO_DATA_DIR);
  t_katalog catalog;
  LoadFontList(install, catalog.fonts);
  catalog.LoadDefinitions(install);
  const std::unique_ptr<ObjectFactory> objects = MakeObjectFactory(&catalog);
  ProjectReadContext context;
  context.catalog = &catalog;
  context.objects = objects.get();
  const std::unique_ptr<t_projekt> project =
      ReadProjectFile(install.Resolve("Projects\\Demo.qvx").string(), context).project;
  ASSERT_NE(project, nullptr);
  ImageBuildOptions build;
  build.install = &install;
  build.workFolder = tmp / "demo";
  const DownloadImage image = BuildDownloadImage(*project, build);
  ASSERT_TRUE(image.ok()) << image.error;

  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  setenv("XDG_CONFIG_HOME", (tmp / "config").c_str(), 1);
  setenv("XDG_DATA_HOME", (tmp / "data").c_str(), 1);
  StartTerminal({"--quiet", "--show", "--base", TAVO_DATA_DIR});
  unsetenv("XDG_CONFIG_HOME");
  unsetenv("XDG_DATA_HOME");
  if (HasFatalFailure()) return;

  EditorSide editor(link);
  ProjektDownload& download = editor.download;
  DownloadOptions options;
  options.rateIndex = 1;
  options.settingsFolder = tmp / "kept";
  ASSERT_EQ(download.Run(image, options), DownloadOutcome::Success) << Read(tmp / "terminal.log");
  const std::string shown = "showing " + (root / "D").string() + " (" +
                            std::to_string(CountNodes(project->pictures.get())) + " pictures)";
  for (int i = 0; i < 1000 && Read(tmp / "terminal.log").find(shown) == std::string::npos; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_NE(Read(tmp / "terminal.log").find(shown), std::string::npos)
      << Read(tmp / "terminal.log");
  // Interrupted, it ends cleanly (the protocol thread is joined).
  kill(terminal, SIGTERM);
  EXPECT_EQ(WaitExit(terminal), 0) << Read(tmp / "terminal.log");
  terminal = -1;
}

}  // namespace
}  // namespace tavo
