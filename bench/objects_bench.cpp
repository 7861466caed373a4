// A picture of 2,000 mixed shapes (filled, patterned, rotated polygons and
// circles, nested groups): hit tests over it and a full walk through the
// view into a canvas that only counts (redraw_bench.cpp paints pixels).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "benchpicture.h"
#include "objects/tview.h"
#include "resources/canvas.h"

namespace {

using namespace tavo;
using bench::MakePicture;

// Counts work instead of painting pixels: the view and objects are measured,
// not a rasteriser.
class CountingCanvas : public Canvas {
 public:
  std::uint64_t calls = 0;
  std::uint64_t vertices = 0;
  int Width() const override { return 1280; }
  int Height() const override { return 960; }
  void SetPenMode(PenMode) override { ++calls; }
  void SetPenWidth(int) override { ++calls; }
  void SetPenStyle(PenStyle) override { ++calls; }
  void SetPenColour(Rgb) override { ++calls; }
  void SetBrushHollow() override { ++calls; }
  void SetBrushSolid(Rgb) override { ++calls; }
  void SetBrushPattern(const std::uint8_t*, Rgb) override { ++calls; }
  void MoveTo(int x, int) override { calls += x & 1; }
  void LineTo(int x, int) override { calls += x & 1; }
  void Rectangle(int, int, int, int) override { ++calls; }
  void Polygon(const std::vector<CanvasPoint>& points) override { vertices += points.size(); }
  void FillRect(int, int, int, int) override { ++calls; }
  void FillRectColour(int, int, int, int, Rgb) override { ++calls; }
  void SetPixel(int, int, Rgb) override { ++calls; }
  Rgb Pixel(int, int) const override { return 0; }
  void DrawImage(const Image16&, int, int, int, int, bool, std::uint16_t) override { ++calls; }
};

// The editor asks the last object first and stops at the first hit.
const t_objekt* HitAt(const ListPtr& picture, std::int16_t x, std::int16_t y) {
  for (t_liste* n = LastNode(picture.get()); n; n = n->previous())
    if (static_cast<t_objekt*>(n)->HitTest(x, y)) return static_cast<t_objekt*>(n);
  return nullptr;
}

void BM_HitTest10000(benchmark::State& state) {
  ListPtr picture = MakePicture();
  for (auto _ : state) {
    int hits = 0;
    for (int i = 0; i < 10000; ++i) {
      const auto x = static_cast<std::int16_t>((i * 7919) % 640);
      const auto y = static_cast<std::int16_t>((i * 104729) % 480);
      hits += HitAt(picture, x, y) != nullptr;
    }
    benchmark::DoNotOptimize(hits);
  }
}
BENCHMARK(BM_HitTest10000)->Unit(benchmark::kMillisecond);

void BM_FullRedraw(benchmark::State& state) {
  ListPtr picture = MakePicture();
  CountingCanvas canvas;
  tview view(&canvas);
  view.SetZoom(2);
  for (auto _ : state) {
    for (t_liste* n = picture.get(); n; n = n->next())
      static_cast<t_objekt*>(n)->Draw(view, kDrawNormal);
    benchmark::DoNotOptimize(canvas.vertices);
  }
}
BENCHMARK(BM_FullRedraw)->Unit(benchmark::kMillisecond);

}  // namespace
