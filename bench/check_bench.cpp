// The project check on the large generated project, as it runs before every
// download: with the installation's font catalogue and file lists. It should
// stay well below a tenth of a second at scale 1.
#include <benchmark/benchmark.h>

#include <memory>

#include "check/projectcheck.h"
#include "large_project.h"
#include "objects/objectkinds.h"
#include "project/katalog.h"
#include "project/projectfile.h"
#include "resources/fontcatalog.h"
#include "shell/folders.h"

namespace {

struct CheckFixture {
  explicit CheckFixture(int scale) {
    tavo::LoadFontList(install, catalog.fonts);
    catalog.LoadDefinitions(install);
    factory = tavo::MakeObjectFactory(&catalog);
    tavo::ProjectReadContext context;
    context.catalog = &catalog;
    context.objects = factory.get();
    project = tavo::ReadProjectText(tavo::bench::LargeProjectText(scale), context).project;
  }
  tavo::Installation install{TAVO_BENCH_DATA_DIR};
  tavo::t_katalog catalog;
  std::unique_ptr<tavo::ObjectFactory> factory;
  std::unique_ptr<tavo::t_projekt> project;
};

void BM_CheckLargeProject(benchmark::State& state) {
  static CheckFixture one(1), four(4);
  CheckFixture& f = state.range(0) == 1 ? one : four;
  if (!f.project) {
    state.SkipWithError("the large project could not be read");
    return;
  }
  std::size_t findings = 0;
  for (auto _ : state) {
    const std::vector<tavo::Finding> result =
        tavo::CheckProject(*f.project, {f.catalog.fonts.get(), &f.install});
    findings = result.size();
    benchmark::DoNotOptimize(result.data());
  }
  state.counters["findings"] = static_cast<double>(findings);
}
BENCHMARK(BM_CheckLargeProject)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);

}  // namespace
