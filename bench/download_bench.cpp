// Full download of a 1 MB image through the virtual terminal on a
// pseudo-terminal, paced to 115200 bit/s (tavodex-terminal --line-rate), at
// 115200 bit/s. Reported against the physical limit of the line: every byte
// that crossed it (both directions) at ten bits, and the file data alone.
// It takes some two minutes: run it with --benchmark_filter=Download.

#include <benchmark/benchmark.h>
#include <QCoreApplication>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "download/comm.h"
#include "download/progress.h"
#include "download/protocol/projektdownload.h"
#include "qt/eventclock.h"
#include "qt/serialport.h"
#include "shell/language.h"
#include "shell/messageboxes.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
constexpr int kRate = 115200;

double SecondsNow() {
  using namespace std::chrono;
  return duration<double>(steady_clock::now().time_since_epoch()).count();
}

// Counts what crosses the line, and where the time between the frames goes:
// from a request written to the last byte of its reply taken in (beyond
// what the two frames need on the line), and from there to the next request.
class CountingDevice : public tavo::QtSerialDevice {
 public:
  std::int64_t written = 0, read = 0;
  double replyExcess = 0, editorGap = 0;
  int exchanges = 0;

  int Read(std::uint8_t* buffer, int count) override {
    const int n = QtSerialDevice::Read(buffer, count);
    read += n;
    if (n > 0) {
      lastRead_ = SecondsNow();
      replyBytes_ += n;
    }
    return n;
  }
  int Write(const std::uint8_t* data, int count) override {
    const double now = SecondsNow();
    // Only the file blocks: frames long enough to be one.
    if (requestBytes_ >= 1000 && replyBytes_ > 0) {
      replyExcess += lastRead_ - requestAt_ - (requestBytes_ + replyBytes_) * 10.0 / kRate;
      editorGap += now - lastRead_;
      ++exchanges;
    }
    const int n = QtSerialDevice::Write(data, count);
    written += n;
    requestAt_ = now;
    requestBytes_ = n;
    replyBytes_ = 0;
    return n;
  }

 private:
  double requestAt_ = 0, lastRead_ = 0;
  std::int64_t requestBytes_ = 0, replyBytes_ = 0;
};

void BM_FullDownload1MB(benchmark::State& state) {
  const fs::path exe = fs::read_symlink("/proc/self/exe").parent_path().parent_path() / "src" /
                       "app" / "tavodex-terminal";
  if (!fs::exists(exe)) {
    state.SkipWithError("tavodex-terminal is not built");
    return;
  }
  static int argc = 1;
  static char name[] = "tavo_bench";
  static char* argv[] = {name, nullptr};
  if (!QCoreApplication::instance()) new QCoreApplication(argc, argv);

  const fs::path tmp = fs::temp_directory_path() / ("tavo-bench-" + std::to_string(getpid()));
  fs::remove_all(tmp);
  const fs::path driveC = tmp / "image" / "drive_c", driveD = tmp / "image" / "drive_d";
  fs::create_directories(driveC);
  fs::create_directories(driveD);
  std::int64_t fileBytes = 0;
  for (int i = 0; i < 16; ++i) {
    std::string data(65536, '\0');
    for (std::size_t k = 0; k < data.size(); ++k) data[k] = static_cast<char>((k * 131 + i) & 0xFF);
    std::ofstream(driveD / ("PIC" + std::to_string(i) + ".HCD"), std::ios::binary) << data;
    fileBytes += static_cast<std::int64_t>(data.size());
  }
  std::ofstream(tmp / "terminal.log");

  const std::string link = (tmp / "line").string();
  std::vector<std::string> args = {
      exe.string(),  "--device-link",       link,     "--root", (tmp / "terminal").string(),
      "--line-rate", std::to_string(kRate), "--quiet"};
  std::vector<char*> cargs;
  for (auto& a : args) cargs.push_back(a.data());
  cargs.push_back(nullptr);
  pid_t pid = -1;
  posix_spawn(&pid, cargs[0], nullptr, nullptr, cargs.data(), environ);
  for (int i = 0; i < 500 && !fs::exists(link); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));

  std::int64_t wire = 0;
  double replyExcess = 0, editorGap = 0;
  int exchanges = 0;
  for (auto _ : state) {
    auto device = std::make_unique<CountingDevice>();
    CountingDevice* counter = device.get();
    tavo::TComm comm(std::move(device));
    comm.SetDeviceName(link);
    tavo::QtEventClock clock;
    tavo::ScriptedMessageBox box;
    tavo::GermanTranslator translator;
    tavo::TDownloadConnect connect(comm, clock, box, translator);
    tavo::ProjektDownload download(connect, comm, clock, box, translator);
    tavo::DownloadOptions options;
    options.rateIndex = 1;
    options.settingsFolder = tmp / "kept";
    if (download.Run(tavo::ScanImageFolders(driveC, driveD), options) !=
        tavo::DownloadOutcome::Success)
      state.SkipWithError("download failed");
    wire = counter->written + counter->read;
    replyExcess = counter->replyExcess;
    editorGap = counter->editorGap;
    exchanges = counter->exchanges;
  }
  kill(pid, SIGTERM);
  waitpid(pid, nullptr, 0);
  fs::remove_all(tmp);

  state.counters["wire_bytes"] = static_cast<double>(wire);
  state.counters["line_limit_s"] = static_cast<double>(wire) * 10 / kRate;
  state.counters["file_data_limit_s"] = static_cast<double>(fileBytes) * 10 / kRate;
  if (exchanges > 0) {
    // Per file block: time lost between request and reply, and between the
    // reply and the next request.
    state.counters["block_reply_excess_ms"] = replyExcess * 1000 / exchanges;
    state.counters["block_editor_gap_ms"] = editorGap * 1000 / exchanges;
  }
}
BENCHMARK(BM_FullDownload1MB)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace
