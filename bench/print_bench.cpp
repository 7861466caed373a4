// The project printout of the large project: laying the pages out (core
// only), and the whole PDF file as `tavodex-cli print` writes it. The PDF's
// size is reported as a counter: it should grow with the content, not with
// the number of pages times a font.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <filesystem>

#include "large_project.h"
#include "objects/objectkinds.h"
#include "objects/tview.h"
#include "printing/printproject.h"
#include "project/katalog.h"
#include "project/projectfile.h"
#include "project/projekt.h"
#include "qt/pagecanvas.h"
#include "resources/fonts.h"
#include "shell/folders.h"
#include "shell/language.h"

namespace {

namespace fs = std::filesystem;

struct PrintFixture {
  PrintFixture() {
    // The titles' system fonts need an application; no display is needed.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "tavo_bench";
    static char* argv[] = {name, nullptr};
    app = std::make_unique<QGuiApplication>(argc, argv);
    auto t = std::make_unique<tavo::t_terminal>();
    t->dosVersion = "VTA_640C.TRM";
    tavo::AppendNode(catalog.terminals, std::move(t));
    context.catalog = &catalog;
    context.objects = factory.get();
    project = tavo::ReadProjectText(tavo::bench::LargeProjectText(1), context).project;
  }
  std::unique_ptr<QGuiApplication> app;
  tavo::t_katalog catalog;
  std::unique_ptr<tavo::ObjectFactory> factory = tavo::MakeObjectFactory();
  tavo::ProjectReadContext context;
  std::unique_ptr<tavo::t_projekt> project;
  tavo::Installation install{TAVO_BENCH_DATA_DIR};
  tavo::GermanTranslator german;
};

PrintFixture& Fixture() {
  static PrintFixture f;
  return f;
}

void BM_PrintLayout(benchmark::State& state) {
  PrintFixture& f = Fixture();
  tavo::FontCache fonts(f.install);
  std::size_t pages = 0;
  for (auto _ : state) {
    tavo::PrintContext context{f.german, &fonts, "01.01.2027"};
    const tavo::Printout out = tavo::PrintProject(*f.project, {}, context).CreatePreview();
    pages = out.pages.size();
    benchmark::DoNotOptimize(out);
  }
  state.counters["pages"] = static_cast<double>(pages);
}

void BM_PrintPdf(benchmark::State& state) {
  PrintFixture& f = Fixture();
  tavo::FontCache fonts(f.install);
  const fs::path file = fs::temp_directory_path() / "tavo_print_bench.pdf";
  std::size_t pages = 0;
  for (auto _ : state) {
    tavo::PrintContext context{f.german, &fonts, "01.01.2027"};
    const tavo::Printout out = tavo::PrintProject(*f.project, {}, context).CreatePreview();
    tavo::tview view;
    view.UseFontCache(fonts);
    tavo::BlockPainter painter{fonts, view, {f.project->textLists.get(), {}}};
    std::string error;
    if (!tavo::WritePrintoutPdf(out, painter, file.string(), &error)) {
      state.SkipWithError(error.c_str());
      break;
    }
    pages = out.pages.size();
  }
  std::error_code ec;
  state.counters["pages"] = static_cast<double>(pages);
  state.counters["bytes"] = static_cast<double>(fs::file_size(file, ec));
  fs::remove(file, ec);
}

BENCHMARK(BM_PrintLayout)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PrintPdf)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
