// tavodex-cli download: brings an image folder onto a terminal over a serial
// line (or the virtual terminal's pseudo-terminal).

#include <CLI/CLI.hpp>
#include <QCoreApplication>
#include <iostream>
#include <memory>

#include "app/cli/commands.h"
#include "app/workspace.h"
#include "check/projectcheck.h"
#include "download/comm.h"
#include "download/image/imagebuilder.h"
#include "download/progress.h"
#include "download/protocol/frame.h"
#include "download/protocol/projektdownload.h"
#include "project/projectfile.h"
#include "qt/eventclock.h"
#include "qt/serialport.h"
#include "shell/basefolder.h"
#include "shell/codepage.h"
#include "shell/inifile.h"
#include "shell/messageboxes.h"
#include "shell/settings.h"

namespace tavo::cli {
namespace {

// Progress on the console: each step once, the overall bar in steps of ten
// percent, each file when it is done.
class ConsoleTransferDisplay : public TransferDisplay {
 public:
  explicit ConsoleTransferDisplay(std::ostream& out) : out_(out) {}
  void SetCommandLabel(const std::string& text) override {
    if (text.empty() || text == label_) return;
    label_ = text;
    out_ << "  " << Cp1252ToUtf8(text) << "\n" << std::flush;
  }
  void SetFileProgress(std::int64_t position, std::int64_t size) override {
    if (size > 0 && position >= size && label_ != finished_) {
      finished_ = label_;
      out_ << "    " << Cp1252ToUtf8(label_) << ": " << size << " bytes\n" << std::flush;
    }
  }
  void SetTotalMaximum(std::int64_t maximum) override { maximum_ = maximum; }
  void SetTotalProgress(std::int64_t position) override {
    if (maximum_ <= 0) return;
    const int percent = static_cast<int>(std::min<std::int64_t>(100, position * 100 / maximum_));
    if (percent / 10 != shown_ / 10) {
      shown_ = percent;
      out_ << "  overall " << percent << "% (" << position << " of " << maximum_ << " bytes)\n"
           << std::flush;
    }
  }

 private:
  std::ostream& out_;
  std::string label_, finished_;
  std::int64_t maximum_ = 0;
  int shown_ = -10;
};

struct DownloadCall {
  std::string project, device, rate, scope, imageDir;
  int port = 0, station = 0;
  bool ignoreCheck = false;
};

int Download(const DownloadCall& call, CliIo& io) {
  // Defaults from the user's settings.
  Settings settings = DefaultSettings(io.install);
  IniFile ini;
  if (const std::filesystem::path config = UserConfigHome(SystemEnvironment()); !config.empty()) {
    SettingsStore store(SettingsFilePath(config));
    settings = store.Read(io.install, false);
    ini.Load(SettingsFilePath(config));
  }
  DownloadOptions options;
  options.rateIndex = settings.port.baudrate;
  options.station = settings.port.station;
  options.scope = settings.port.umfang;
  const int portNumber = call.port ? call.port : settings.port.comport;
  if (!call.rate.empty()) options.rateIndex = IndexOfRate(std::stoi(call.rate));
  if (call.station) options.station = call.station;
  if (!call.scope.empty()) options.scope = call.scope == "optimal" ? 1 : 0;
  const std::string& device = call.device;
  const std::string& imageDir = call.imageDir;

  Workspace& ws = *io.workspace;
  ConsoleMessageBox box(ws.translator(), io.err);
  const OpenedProject opened = OpenProject(call.project, io);
  t_projekt* project = opened.project.get();
  options.firstGeneration = IsFirstGeneration(project->terminal->typeNumber);
  options.settingsFolder = KeptSettingsFolder(io.install, options.station);

  DownloadImage image;
  if (imageDir.empty()) {
    // What the check calls errors shows wrong on the terminal or breaks the
    // download: better said now than found on the machine.
    const std::vector<Finding> findings =
        CheckProject(*project, {ws.catalog().fonts.get(), &io.install});
    if (CountAtLeast(findings, Severity::Error) > 0) {
      for (const Finding& f : findings)
        if (f.severity() == Severity::Error)
          io.err << Cp1252ToUtf8(FindingLine(f, ws.translator())) << "\n";
      if (!call.ignoreCheck) {
        io.err << "tavodex-cli download: the project check found errors (--ignore-check "
                  "downloads all the same)\n";
        return 6;
      }
    }
    // Build the project's image into the base folder's work folders first.
    ImageBuildOptions build;
    build.install = &io.install;
    build.translator = &ws.translator();
    image = BuildDownloadImage(*project, build);
    for (const std::string& warning : image.warnings)
      io.err << "warning: " << Cp1252ToUtf8(warning) << "\n";
    if (!image.ok()) {
      io.err << "tavodex-cli download: "
             << (image.status == ImageStatus::NoResourceFolder
                     ? std::string("the installation has no resource folder")
                     : Cp1252ToUtf8(image.error))
             << "\n";
      return 1;
    }
  } else {
    const std::filesystem::path imageFolder(imageDir);
    const std::filesystem::path driveC = ResolveCaseInsensitive(imageFolder / "drive_c");
    const std::filesystem::path driveD = ResolveCaseInsensitive(imageFolder / "drive_d");
    std::error_code ec;
    if (!std::filesystem::is_directory(driveC, ec) || !std::filesystem::is_directory(driveD, ec)) {
      io.err << "tavodex-cli download: " << imageFolder.string()
             << " holds no image (drive_c and drive_d)\n";
      return 2;
    }
    image = ScanImageFolders(driveC, driveD);
    if (!image.ok()) {
      io.err << "tavodex-cli download: " << image.error << "\n";
      return 2;
    }
  }

  // The port and the timers need an event loop.
  std::unique_ptr<QCoreApplication> app;
  static int argc = 1;
  static char name[] = "tavodex-cli";
  static char* argv[] = {name, nullptr};
  if (!QCoreApplication::instance()) app = std::make_unique<QCoreApplication>(argc, argv);

  TComm comm(std::make_unique<QtSerialDevice>(), PortDeviceTable::FromSettings(ini));
  comm.SetPort(portNumber);
  if (!device.empty()) comm.SetDeviceName(device);
  QtEventClock clock;
  ConsoleTransferDisplay display(io.out);
  TDownloadConnect connect(comm, clock, box, ws.translator(), &display);
  ProjektDownload download(connect, comm, clock, box, ws.translator());
  io.out << "Download to " << comm.DeviceName() << ", " << RateOfIndex(options.rateIndex)
         << " bit/s, station " << options.station << ", "
         << (options.scope == 1 ? "optimal" : "full") << "\n";
  const DownloadOutcome outcome = download.Run(image, options);
  if (outcome != DownloadOutcome::Success && !comm.LastError().empty())
    io.err << "tavodex-cli download: " << comm.LastError() << "\n";
  switch (outcome) {
    case DownloadOutcome::Success:
      return 0;
    case DownloadOutcome::Failed:
    case DownloadOutcome::SettingsNotSaved:
    case DownloadOutcome::Cancelled:  // the command line offers no cancel
    case DownloadOutcome::CancelledIncomplete:
      return 1;
    case DownloadOutcome::NoTerminal:
      return 3;
    case DownloadOutcome::NotProTerminal:
      return 4;
    case DownloadOutcome::BadImage:
      return 5;
  }
  return 1;
}

}  // namespace

CommandRun DefineDownload(CLI::App& app) {
  SetHelp(
      app,
      "usage: tavodex-cli download PROJECT.qvx [--device PATH | --port N] [--rate BITS]\n"
      "                  [--station N] [--scope full|optimal] [--image DIR] [--ignore-check]\n\n"
      "Builds the project's terminal image in the base folder's temp.$$$ and downloads\n"
      "it; with --image, the already built image folder DIR (drive_c and drive_d) is\n"
      "sent instead. The port (1 .. 9), rate, station (1 .. 255) and scope default\n"
      "to the settings; port N is the device named by \"COMn=\" in the settings' [Port]\n"
      "section, else /dev/ttyS(N-1). The project tells the terminal's generation.\n"
      "The terminal's settings files are kept in the base folder's\n"
      "terminal_settings/station_NNN until they are back on the terminal.\n"
      "Before the image is built the project is checked (as 'tavodex-cli check' does);\n"
      "errors stop the download unless --ignore-check is given.\n\n"
      "Exit codes: 0 success, 1 download or image build failed, 2 usage or unreadable input,\n"
      "3 no terminal found, 4 optimised download refused by the terminal,\n"
      "5 image the terminal cannot take, 6 the project check found errors.\n");
  auto o = std::make_shared<DownloadCall>();
  AddProjectArgument(app, o->project);
  CLI::Option* device = app.add_option("--device", o->device, "the serial device");
  AddInteger(app, "--port", o->port, 1, PortDeviceTable::kPorts, "the port number");
  device->excludes(app.get_option("--port"));
  AddChecked(
      app, "--rate", o->rate,
      [](const std::string& text) -> std::string {
        if (text.size() <= 7 && !text.empty() &&
            text.find_first_not_of("0123456789") == std::string::npos &&
            IndexOfRate(std::stoi(text)) != 0)
          return {};
        return "'" + text +
               "' is not one of 115200 57600 38400 28800 19200 14400 9600 4800 2400 1200 600 "
               "300";
      },
      "bits per second");
  AddInteger(app, "--station", o->station, 1, 255, "the terminal's station number");
  AddChoice(app, "--scope", o->scope, {"full", "optimal"}, "all files or only the changed ones");
  app.add_option("--image", o->imageDir, "an image folder built before");
  app.add_flag("--ignore-check", o->ignoreCheck, "download despite errors of the check");
  return [o](CliIo& io) { return Download(*o, io); };
}

}  // namespace tavo::cli
