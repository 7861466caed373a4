// The feedback of one mouse move while the selection tool drags every
// object of a 2,000-shape picture: the marks of all selected objects are
// taken off, moved and drawn again on the sheet, the cross-hair and the
// position label follow, and the page is shown. Measured through the real
// path, mouse events sent to the sheet of an offscreen picture editor page.
// Compare against a 16.7 ms frame.
//
// The picture is the one the object benchmarks draw (filled, patterned,
// rotated polygons and circles, lines, nested groups).

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMouseEvent>
#include <QWindow>
#include <cstdlib>
#include <filesystem>

#include "../benchpicture.h"
#include "app/workspace.h"
#include "document/document.h"
#include "editor/sheet/picturepage.h"
#include "objects/gruppe.h"
#include "objects/shapes/shapes.h"
#include "project/projekt.h"
#include "project/records.h"
#include "shell/messageboxes.h"

namespace {

namespace fs = std::filesystem;
using namespace tavo;

fs::path g_home;

// Extents from the leaves up, as a reader leaves them.
void UpdateExtents(t_liste* first) {
  for (t_liste* n = first; n; n = n->next()) {
    auto& object = static_cast<t_objekt&>(*n);
    if (object.IsGroup()) UpdateExtents(static_cast<t_gruppe&>(object).FirstMember());
    object.UpdateExtent();
  }
}

ListPtr MakeObjects() {
  ListPtr objects = bench::MakePicture();
  UpdateExtents(objects.get());
  return objects;
}

std::unique_ptr<t_projekt> MakeProject() {
  auto project = std::make_unique<t_projekt>();
  project->terminal = std::make_unique<t_terminal>();
  project->terminal->width = 640;
  project->terminal->height = 480;
  auto picture = std::make_unique<t_bild>();
  picture->name = "Bench";
  picture->objects = MakeObjects();
  AppendNode(project->pictures, std::move(picture));
  return project;
}

void Send(QWidget& sheet, QEvent::Type type, QPoint at, Qt::MouseButton button,
          Qt::MouseButtons buttons) {
  QMouseEvent event(type, QPointF(at), QPointF(sheet.mapToGlobal(at)), button, buttons,
                    Qt::NoModifier);
  QApplication::sendEvent(&sheet, &event);
}

void BM_DragFeedbackOf2000Objects(benchmark::State& state) {
  Workspace workspace({{"--base", (g_home / "base").string()}, g_home});
  workspace.settings().picture.fangStyle = 0;
  PicturePage page(workspace);
  ScriptedMessageBox box;
  page.SetMessageBox(&box);
  page.resize(1100, 760);
  page.show();
  while (!page.windowHandle() || !page.windowHandle()->isExposed())
    QApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
  Document document(MakeProject());
  t_bild& picture = static_cast<t_bild&>(*document.Project().pictures);
  page.SetDocument(&document);
  page.OpenPictureInEditor(&picture);
  page.SelectAllObjects();
  QApplication::processEvents();

  // Press on a shape, away from every handle (a press on a handle would
  // resize).
  QWidget& sheet = *page.SheetWidget();
  const tview& view = page.View();
  QPoint grab;
  for (int y = 5; y < 470 && grab.isNull(); y += 3)
    for (int x = 5; x < 630 && grab.isNull(); x += 3) {
      bool hit = false, handle = false;
      for (const t_liste* n = picture.objects.get(); n; n = n->next()) {
        const auto& o = static_cast<const t_objekt&>(*n);
        hit = hit || o.HitTest(std::int16_t(x), std::int16_t(y));
        handle = handle || o.HandleAt(std::int16_t(x), std::int16_t(y), view.Zoom()) != 0;
      }
      if (hit && !handle) grab = QPoint(view.TermToWinX(x), view.TermToWinY(y));
    }
  Send(sheet, QEvent::MouseMove, grab, Qt::NoButton, Qt::NoButton);
  Send(sheet, QEvent::MouseButtonPress, grab, Qt::LeftButton, Qt::LeftButton);
  if (!page.State().hitObject) {
    state.SkipWithError("the press hit no object");
    return;
  }
  int step = 0;
  for (auto _ : state) {
    // Every move shifts the marks by another terminal pixel.
    ++step;
    const QPoint to = grab + QPoint(step % 40, (step / 40) % 20);
    Send(sheet, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
    if (state.range(0)) QApplication::processEvents();  // the sheet is shown
  }
  Send(sheet, QEvent::MouseButtonRelease, grab, Qt::LeftButton, Qt::NoButton);
  state.counters["selected"] = static_cast<double>(document.SelectedTopLevel().size());
  state.SetLabel(state.range(0) ? "mouse move and the sheet shown" : "mouse move");
  page.SetDocument(nullptr);
}
// Arg 0: the event alone (the marks drawn into the sheet's image); 1: and
// the sheet shown on the (offscreen) screen.
BENCHMARK(BM_DragFeedbackOf2000Objects)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  g_home = fs::temp_directory_path() / ("tavo_sheet_bench_" + std::to_string(getpid()));
  setenv("XDG_DATA_HOME", (g_home / "data").c_str(), 1);
  setenv("XDG_CONFIG_HOME", (g_home / "config").c_str(), 1);
  {
    Workspace populate({{"--base", (g_home / "base").string(), "--populate"}, g_home});
    if (!populate.ok()) return 2;
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::error_code ec;
  fs::remove_all(g_home, ec);
  return 0;
}
