// Reading and writing a large project file, next to merely reading the same
// file and splitting it into lines: the reader should stay within a small
// factor of that floor and grow linearly with the file.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "objects/objectkinds.h"
#include "project/katalog.h"
#include "project/projectfile.h"

namespace {

namespace fs = std::filesystem;

// 5,000 variables, 240 alarms, 300 text lists of 16 texts, 200 pictures with
// ten rectangles each; `scale` multiplies every count.
std::string LargeProjectText(int scale) {
  std::string t;
  auto line = [&](const std::string& l) { t += l + "\r\n"; };
  line("[Head]");
  line("-Name         = \"Grossanlage\"");
  line("[Terminal]");
  line("-DOSVersion    = \"VTA_640C.TRM\"");
  line("[PLC]");
  line("-DOSVersion    = \"SPS_DBW.KOP\"");
  line("[Variables]");
  for (int i = 1; i <= 5000 * scale; ++i)
    line("-Variable(" + std::to_string(i % 65536) + ";" + std::to_string(i % 200) + "," +
         std::to_string(i % 256) + ";3;2;1;\"Variable Nummer " + std::to_string(i) + "\")");
  line("[Alarms]");
  for (int i = 0; i < 240 * scale; ++i)
    line("-Alarm(" + std::to_string(i % 240) + ";\"S008X016.FON\";" +
         std::to_string(1 << (i % 16)) + ";5;\"Alarmtext mit \334berlauf " + std::to_string(i) +
         "\")");
  line("[TextList]");
  for (int i = 1; i <= 300 * scale; ++i) {
    line("-TextList(\"Liste " + std::to_string(i) + "\";" + std::to_string(i % 65536) + ";Wert)");
    for (int k = 0; k < 16; ++k)
      line("-Text(\"Zustand " + std::to_string(k) + "\";" + std::to_string(k) + ")");
    line("-TextListEnd");
  }
  line("[Pictures]");
  for (int i = 1; i <= 200 * scale; ++i) {
    line("-Picture(" + std::to_string(i) + ";" + std::to_string(i) + ";\"Bild " +
         std::to_string(i) + "\";15)");
    line("-Key(1;2;\"\")");
    for (int k = 0; k < 10; ++k)
      line("-Object(2;0;0;0;0;1;0;14;" + std::to_string(k % 12) +
           ";\"\";10;20;110.5;20;110.5;80;10;80)");
    line("-PictureEnd");
    line("");
  }
  return t;
}

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
BENCHMARK(BM_ReadProject)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadProjectText)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteProject)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);

}  // namespace
