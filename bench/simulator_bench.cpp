// The terminal simulator on the large generated project (200 pictures of
// 200 objects): reading its drive D image back, and drawing one picture at
// the terminal's resolution, which should fit a frame of 16.7 ms. Beside
// it, Felder's picture of every field kind, drawn with values.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <memory>

#include "download/image/imagebuilder.h"
#include "large_project.h"
#include "objects/objectkinds.h"
#include "project/katalog.h"
#include "project/projectfile.h"
#include "qt/qimagecanvas.h"
#include "resources/fontcatalog.h"
#include "shell/folders.h"
#include "simulator/simulator.h"

namespace {

namespace fs = std::filesystem;

struct SimulatorFixture {
  // `shipped` null: the large project; else a shipped project file.
  explicit SimulatorFixture(const char* shipped) {
    tavo::LoadFontList(install, catalog.fonts);
    catalog.LoadDefinitions(install);
    factory = tavo::MakeObjectFactory(&catalog);
    tavo::ProjectReadContext context;
    context.catalog = &catalog;
    context.objects = factory.get();
    std::unique_ptr<tavo::t_projekt> project =
        shipped ? tavo::ReadProjectFile(install.Resolve(shipped).string(), context).project
                : tavo::ReadProjectText(tavo::bench::LargeProjectText(1, 200), context).project;
    if (!project) return;
    folder = fs::temp_directory_path() /
             ("tavo_bench_simulator_" + std::to_string(::getpid()) + (shipped ? "_f" : "_l"));
    tavo::ImageBuildOptions options;
    options.install = &install;
    options.workFolder = folder;
    image = tavo::BuildDownloadImage(*project, options);
  }
  ~SimulatorFixture() {
    std::error_code ignored;
    if (!folder.empty()) fs::remove_all(folder, ignored);
  }
  std::unique_ptr<tavo::Simulator> Load() const {
    std::vector<std::string> messages;
    return image.ok() ? tavo::Simulator::Load(image.driveD, &catalog, messages) : nullptr;
  }

  tavo::Installation install{TAVO_BENCH_DATA_DIR};
  tavo::t_katalog catalog;
  std::unique_ptr<tavo::ObjectFactory> factory;
  fs::path folder;
  tavo::DownloadImage image;
};

SimulatorFixture& Large() {
  static SimulatorFixture fixture(nullptr);
  return fixture;
}

void BM_SimulatorReadLargeImage(benchmark::State& state) {
  if (!Large().image.ok()) return state.SkipWithError("the image could not be built");
  for (auto _ : state) {
    std::unique_ptr<tavo::Simulator> sim = Large().Load();
    if (!sim) return state.SkipWithError("the image could not be read");
    benchmark::DoNotOptimize(sim.get());
  }
}
BENCHMARK(BM_SimulatorReadLargeImage)->Unit(benchmark::kMillisecond);

void Draw(benchmark::State& state, tavo::Simulator& sim) {
  tavo::QImageCanvas canvas(sim.Width(), sim.Height());
  tavo::tview view(&canvas);
  view.SetZoom(1);
  for (auto _ : state) {
    sim.Draw(view);
    // The pixels are complete only when the painter has finished.
    benchmark::DoNotOptimize(canvas.Image().constBits());
  }
}

void BM_SimulatorDrawLargePicture(benchmark::State& state) {
  static std::unique_ptr<tavo::Simulator> sim = Large().Load();
  if (!sim) return state.SkipWithError("the image could not be read");
  sim->ShowPicture(100);
  Draw(state, *sim);
}
BENCHMARK(BM_SimulatorDrawLargePicture)->Unit(benchmark::kMillisecond);

void BM_SimulatorDrawFieldPicture(benchmark::State& state) {
  static SimulatorFixture felder("Projects\\Felder.qvx");
  static std::unique_ptr<tavo::Simulator> sim = felder.Load();
  if (!sim) return state.SkipWithError("the image could not be read");
  for (const char* set : {"1=50", "2=1234", "3=-12", "4=2", "5=Charge 7", "6=1"})
    sim->SetValueText(std::string(set).substr(0, 1), std::string(set).substr(2));
  sim->Advance(600);  // a full plot history
  Draw(state, *sim);
}
BENCHMARK(BM_SimulatorDrawFieldPicture)->Unit(benchmark::kMillisecond);

}  // namespace
