// Reading and writing a large project file, next to merely reading the same
// file and splitting it into lines: the reader should stay within a small
// factor of that floor and grow linearly with the file.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "large_project.h"
#include "objects/objectkinds.h"
#include "project/katalog.h"
#include "project/projectfile.h"

namespace {

namespace fs = std::filesystem;

using tavo::bench::LargeProjectText;

struct Fixture {
  explicit Fixture(int scale) {
    path = (fs::temp_directory_path() / ("tavo_bench_" + std::to_string(scale) + ".qvx")).string();
    std::ofstream(path, std::ios::binary) << LargeProjectText(scale);
    bytes = static_cast<std::int64_t>(fs::file_size(path));
    auto t = std::make_unique<tavo::t_terminal>();
    t->dosVersion = "VTA_640C.TRM";
    tavo::AppendNode(catalog.terminals, std::move(t));
    context.catalog = &catalog;
    context.objects = factory.get();
  }
  ~Fixture() { fs::remove(path); }
  std::string path;
  std::int64_t bytes = 0;
  tavo::t_katalog catalog;
  std::unique_ptr<tavo::ObjectFactory> factory = tavo::MakeObjectFactory();
  tavo::ProjectReadContext context;
};

Fixture& FixtureFor(int scale) {
  static Fixture one(1), four(4);
  return scale == 1 ? one : four;
}

void BM_ReadAndSplitLines(benchmark::State& state) {
  Fixture& f = FixtureFor(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    std::ifstream in(f.path, std::ios::binary);
    std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::size_t lines = 0, pos = 0;
    while (pos < content.size()) {
      std::size_t end = content.find('\n', pos);
      if (end == std::string::npos) end = content.size();
      std::string line = content.substr(pos, end - pos);
      benchmark::DoNotOptimize(line);
      ++lines;
      pos = end + 1;
    }
    benchmark::DoNotOptimize(lines);
  }
  state.SetBytesProcessed(state.iterations() * f.bytes);
}

// The real floor: the file read in one call and its line ends found with
// memchr, nothing copied. The reader's time is best compared with this one;
// the line-splitting floor above copies every line and is many times slower.
void BM_ReadAndFindLineEnds(benchmark::State& state) {
  Fixture& f = FixtureFor(static_cast<int>(state.range(0)));
  std::string content;
  for (auto _ : state) {
    std::FILE* file = std::fopen(f.path.c_str(), "rb");
    if (!file) {
      state.SkipWithError("cannot open the fixture");
      return;
    }
    content.resize(static_cast<std::size_t>(f.bytes));
    const std::size_t got = std::fread(content.data(), 1, content.size(), file);
    std::fclose(file);
    std::size_t lines = 0;
    const char* p = content.data();
    const char* end = p + got;
    while (p < end) {
      const void* hit = std::memchr(p, '\n', static_cast<std::size_t>(end - p));
      p = hit ? static_cast<const char*>(hit) + 1 : end;
      ++lines;
    }
    benchmark::DoNotOptimize(lines);
  }
  state.SetBytesProcessed(state.iterations() * f.bytes);
}

void BM_ReadProject(benchmark::State& state) {
  Fixture& f = FixtureFor(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    auto project = tavo::ReadProjectFile(f.path, f.context).project;
    benchmark::DoNotOptimize(project);
  }
  state.SetBytesProcessed(state.iterations() * f.bytes);
}

// The reader alone, on text already in memory: what is left when the file
// reading is taken out.
void BM_ReadProjectText(benchmark::State& state) {
  Fixture& f = FixtureFor(static_cast<int>(state.range(0)));
  std::ifstream in(f.path, std::ios::binary);
  const std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  for (auto _ : state) {
    auto project = tavo::ReadProjectText(content, f.context).project;
    benchmark::DoNotOptimize(project);
  }
  state.SetBytesProcessed(state.iterations() * f.bytes);
}

void BM_WriteProject(benchmark::State& state) {
  Fixture& f = FixtureFor(static_cast<int>(state.range(0)));
  auto project = tavo::ReadProjectFile(f.path, f.context).project;
  const std::string out = f.path + ".out.qvx";
  for (auto _ : state) tavo::WriteProjectFile(*project, out);
  state.SetBytesProcessed(state.iterations() * f.bytes);
  fs::remove(out);
  fs::remove(tavo::BackupPath(out));
  fs::remove_all(fs::path(out).parent_path() / tavo::ProjectFolderName(out));
}

BENCHMARK(BM_ReadAndSplitLines)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadAndFindLineEnds)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadProject)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadProjectText)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteProject)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);

}  // namespace
