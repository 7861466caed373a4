// Download image: the file checksum against zlib's CRC-32 over the same
// buffer, and the image of a large second-generation project.
#include <benchmark/benchmark.h>
#include <unistd.h>
#include <zlib.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "download/image/checksum.h"
#include "download/image/imagebuilder.h"
#include "objects/bitmap/tqvxbitmap.h"
#include "objects/gruppe.h"
#include "objects/shapes/shapes.h"
#include "shell/folders.h"

namespace tavo {
namespace {

namespace fs = std::filesystem;

const std::vector<std::uint8_t>& Buffer64M() {
  static const std::vector<std::uint8_t> buffer = [] {
    std::vector<std::uint8_t> b(64u << 20);
    std::mt19937_64 random(1);
    for (std::size_t i = 0; i + 8 <= b.size(); i += 8) {
      const std::uint64_t v = random();
      for (int k = 0; k < 8; ++k) b[i + k] = static_cast<std::uint8_t>(v >> (8 * k));
    }
    return b;
  }();
  return buffer;
}

void BM_Checksum64M(benchmark::State& state) {
  const auto& b = Buffer64M();
  for (auto _ : state) benchmark::DoNotOptimize(Checksum(b));
  state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(b.size()));
}
BENCHMARK(BM_Checksum64M)->Unit(benchmark::kMillisecond);

void BM_ZlibCrc32_64M(benchmark::State& state) {
  const auto& b = Buffer64M();
  for (auto _ : state) benchmark::DoNotOptimize(crc32(0L, b.data(), static_cast<uInt>(b.size())));
  state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(b.size()));
}
BENCHMARK(BM_ZlibCrc32_64M)->Unit(benchmark::kMillisecond);

void BM_ChecksumBitwise64M(benchmark::State& state) {
  const auto& b = Buffer64M();
  for (auto _ : state) benchmark::DoNotOptimize(ChecksumBitwise(b));
  state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(b.size()));
}
BENCHMARK(BM_ChecksumBitwise64M)->Unit(benchmark::kMillisecond)->Iterations(1);

// 200 pictures of 2,000 objects each (groups of shapes), 50 bitmaps of
// 64 x 48 pixels placed on every picture at their original size.
void BM_LargeProjectImage(benchmark::State& state) {
  const fs::path base =
      fs::temp_directory_path() / ("tavo_bench_image_" + std::to_string(::getpid()));
  fs::remove_all(base);
  fs::create_directories(base / "resource" / "IP_V5");
  std::ofstream(base / "resource" / "IP_V5" / "files.inf") << "";
  std::ofstream(base / "resource" / "049.set") << "049";
  fs::create_directories(base / "Lib" / "Graphics");
  fs::copy_file(fs::path(TAVO_BENCH_DATA_DIR) / "Lib" / "Graphics" / "PUMPE.BMP",
                base / "Lib" / "Graphics" / "PUMPE.BMP");
  t_projekt project;
  project.head = std::make_unique<t_kopf>();
  project.terminal = std::make_unique<t_terminal>();
  for (int p = 1; p <= 200; ++p) {
    auto picture = std::make_unique<t_bild>();
    picture->number = static_cast<std::uint16_t>(p);
    picture->pictureNumber = static_cast<std::uint16_t>(p);
    for (int g = 0; g < 200; ++g) {
      auto group = std::make_unique<t_gruppe>();
      for (int i = 0; i < 9; ++i) {
        auto bar = std::make_unique<t_rechteck>();
        bar->SetCorners(i, g, i + 20.5, g + 10);
        group->AppendMember(std::move(bar));
      }
      AppendNode(picture->objects, std::move(group));
    }
    for (int b = 1; b <= 50; ++b) {
      auto bitmap = std::make_unique<tqvxbitmap>();
      bitmap->file = "PUMPE.BMP";
      bitmap->identifier = b;
      bitmap->SetCorners(b, b, b + 64, b + 48);
      AppendNode(picture->objects, std::move(bitmap));
    }
    AppendNode(project.pictures, std::move(picture));
  }
  Installation install(base);
  ImageBuildOptions options;
  options.install = &install;
  for (auto _ : state) {
    const DownloadImage image = BuildDownloadImage(project, options);
    if (!image.ok()) state.SkipWithError(image.error.c_str());
    state.counters["totalD"] = static_cast<double>(image.totalD);
  }
  fs::remove_all(base);
}
BENCHMARK(BM_LargeProjectImage)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace tavo
