// The 2,000-shape benchmark picture painted into an image as the sheet
// shows it. Compare against a 16.7 ms frame.
#include <benchmark/benchmark.h>

#include "benchpicture.h"
#include "objects/tview.h"
#include "qt/qimagecanvas.h"

namespace {

using namespace tavo;
using bench::MakePicture;

// 800 x 600 at zoom 1 and 8 (at zoom 8 most shapes lie partly outside the
// image).
void BM_RedrawIntoImage(benchmark::State& state) {
  ListPtr picture = MakePicture();
  QImageCanvas canvas(800, 600);
  tview view(&canvas);
  view.SetZoom(static_cast<double>(state.range(0)));
  for (auto _ : state) {
    canvas.FillRectColour(0, 0, 800, 600, 0xFCFCFC);
    for (t_liste* n = picture.get(); n; n = n->next())
      static_cast<t_objekt*>(n)->Draw(view, kDrawNormal);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_RedrawIntoImage)->Arg(1)->Arg(8)->Unit(benchmark::kMillisecond);

}  // namespace
