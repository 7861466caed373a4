// Start-up of the editor: the workspace (settings, language table,
// catalogues of terminals, couplings and fonts), the main window, the demo
// project read and shown, until the window is on the (offscreen) screen.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QWindow>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "../large_project.h"

#include "app/workspace.h"
#include "editor/mainwindow.h"
#include "shell/messageboxes.h"

namespace {

namespace fs = std::filesystem;

fs::path g_home;

// One start: the workspace, the main window, `project` opened, until the
// window is exposed.
void StartOnce(benchmark::State& state, const fs::path& project) {
  tavo::Workspace workspace({{"--base", (g_home / "base").string()}, g_home});
  tavo::TmainForm window(workspace);
  tavo::ScriptedMessageBox box;
  window.SetMessageBox(&box);
  window.show();
  if (!window.OpenProjectFile(QString::fromStdString(project.string()))) {
    state.SkipWithError("project not opened");
    return;
  }
  while (!window.windowHandle()->isExposed())
    QApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
  QApplication::processEvents();
}

void BM_StartupToShownWindowWithDemo(benchmark::State& state) {
  const fs::path demo = g_home / "base" / "Projects" / "Demo.qvx";
  for (auto _ : state) StartOnce(state, demo);
  state.SetLabel("workspace + window + Demo.qvx");
}
BENCHMARK(BM_StartupToShownWindowWithDemo)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The same with a large project: 5,000 variables, 240 alarms, 300 text
// lists, 200 pictures of 200 objects. Compare with `tavodex-cli info` on
// the same file.
void BM_StartupToShownWindowWithLargeProject(benchmark::State& state) {
  const fs::path large = g_home / "base" / "Projects" / "Large.qvx";
  if (!fs::exists(large))
    std::ofstream(large, std::ios::binary) << tavo::bench::LargeProjectText(1, 200);
  for (auto _ : state) StartOnce(state, large);
  state.SetLabel("workspace + window + 200 pictures x 200 objects");
}
BENCHMARK(BM_StartupToShownWindowWithLargeProject)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  // A private installation and settings folder, filled once from data/.
  g_home = fs::temp_directory_path() / ("tavo_startup_bench_" + std::to_string(getpid()));
  setenv("XDG_DATA_HOME", (g_home / "data").c_str(), 1);
  setenv("XDG_CONFIG_HOME", (g_home / "config").c_str(), 1);
  {
    tavo::Workspace populate({{"--base", (g_home / "base").string(), "--populate"}, g_home});
    if (!populate.ok()) return 2;
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::error_code ec;
  fs::remove_all(g_home, ec);
  return 0;
}
