// Terminal text rendering into a QImage: one text line at several zooms and
// a full 80 x 30 screen of 8 x 16 cells. A frame at 60 Hz is 16.7 ms.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "qt/qimagecanvas.h"
#include "resources/fonts.h"
#include "shell/folders.h"

namespace {

const char* const kFontFile = "S008X016.FON";

tavo::FontCache& Cache() {
  static tavo::Installation install(TAVO_BENCH_DATA_DIR);
  static tavo::FontCache cache(install);
  return cache;
}

std::string Line(std::size_t length) {
  std::string text;
  for (std::size_t i = 0; i < length; ++i) text += char('A' + (i * 7) % 58);
  return text;
}

void BM_TextLine(benchmark::State& state) {
  const double zoom = double(state.range(0));
  const std::string text = Line(40);
  tavo::QImageCanvas canvas(int(40 * 8 * zoom) + 16, int(16 * zoom) + 16);
  for (auto _ : state) {
    Cache().DrawTerminalText(canvas, 0, 0, 0x000000, text, kFontFile, true, 0xFFFFFF, zoom);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_TextLine)->Arg(1)->Arg(2)->Arg(8)->Unit(benchmark::kMicrosecond);

void BM_Screen80x30(benchmark::State& state) {
  const double zoom = double(state.range(0));
  const std::string text = Line(80);
  tavo::QImageCanvas canvas(int(640 * zoom), int(480 * zoom));
  for (auto _ : state) {
    for (int row = 0; row < 30; ++row) {
      Cache().DrawTerminalText(canvas, 0, int(row * 16 * zoom), 0x000000, text, kFontFile, true,
                               0xFFFFFF, zoom);
    }
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_Screen80x30)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);

}  // namespace
