// Looking a text up in the language table, as a list page does for every
// row it fills: the table's file is found once per language, not per text.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>

#include "shell/languagetable.h"
#include "shell/texts.h"

namespace tavo {
namespace {

namespace fs = std::filesystem;

void BM_TranslateKnownText(benchmark::State& state) {
  const fs::path base =
      fs::temp_directory_path() / ("tavo_bench_language_" + std::to_string(::getpid()));
  fs::create_directories(base / "system");
  fs::copy_file(fs::path(TAVO_BENCH_DATA_DIR) / "system" / "049.SPR", base / "system" / "049.SPR",
                fs::copy_options::overwrite_existing);
  {
    LanguageTable table(Installation(base), "049");
    for (auto _ : state) benchmark::DoNotOptimize(table.Tr(txt::kTypAusgabefeld));
  }
  fs::remove_all(base);
}
BENCHMARK(BM_TranslateKnownText);

}  // namespace
}  // namespace tavo
