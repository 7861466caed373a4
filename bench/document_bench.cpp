// The document holding the 2,000-object picture of the object benchmarks:
// one move of every object (top level and grouped) done, undone and redone,
// each to be compared against a 16.7 ms frame; selecting everything by
// rubber band; and the memory the history keeps after many small and a few
// large steps, which should follow what the steps touched.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <new>
#include <vector>

#include "benchpicture.h"
#include "document/document.h"
#include "document/edits.h"
#include "project/nodepool.h"

// Every allocation of the benchmark program goes through these, so the
// bytes still allocated can be read at any moment: the history's memory is
// what stays allocated after the steps. Each block carries its size in a
// header that keeps the default new alignment.
namespace {

std::atomic<std::int64_t> liveBytes{0};
constexpr std::size_t kHeader = __STDCPP_DEFAULT_NEW_ALIGNMENT__;

void* Allocate(std::size_t size) {
  void* block = std::malloc(size + kHeader);
  if (!block) throw std::bad_alloc();
  *static_cast<std::size_t*>(block) = size;
  liveBytes.fetch_add(static_cast<std::int64_t>(size), std::memory_order_relaxed);
  return static_cast<char*>(block) + kHeader;
}

void Release(void* p) noexcept {
  if (!p) return;
  char* block = static_cast<char*>(p) - kHeader;
  liveBytes.fetch_sub(static_cast<std::int64_t>(*reinterpret_cast<std::size_t*>(block)),
                      std::memory_order_relaxed);
  std::free(block);
}

}  // namespace

void* operator new(std::size_t size) {
  return Allocate(size);
}
void* operator new[](std::size_t size) {
  return Allocate(size);
}
void operator delete(void* p) noexcept {
  Release(p);
}
void operator delete[](void* p) noexcept {
  Release(p);
}
void operator delete(void* p, std::size_t) noexcept {
  Release(p);
}
void operator delete[](void* p, std::size_t) noexcept {
  Release(p);
}

namespace {

using namespace tavo;

// List nodes come from the node pool, which is counted apart.
std::int64_t LiveBytes() {
  return liveBytes.load(std::memory_order_relaxed) + NodePool::BytesTakenOnThisThread();
}

// A project with the one large picture, open, every top-level object selected.
struct PictureDocument {
  std::int64_t pictureBytes = 0;  // what the picture's objects take
  std::unique_ptr<Document> doc;
  t_bild* picture = nullptr;

  PictureDocument() {
    auto project = std::make_unique<t_projekt>();
    auto owned = std::make_unique<t_bild>();
    picture = owned.get();
    const std::int64_t before = LiveBytes();
    picture->objects = bench::MakePicture();
    pictureBytes = LiveBytes() - before;
    AppendNode(project->pictures, std::move(owned));
    doc = std::make_unique<Document>(std::move(project));
    doc->SetOpenPicture(picture);
    doc->SetSelection(TopLevel());
  }

  std::vector<t_objekt*> TopLevel() const {
    std::vector<t_objekt*> out;
    for (t_liste* n = picture->objects.get(); n; n = n->next())
      out.push_back(static_cast<t_objekt*>(n));
    return out;
  }
  // Every object, group members at any depth included.
  std::vector<t_objekt*> All() const {
    std::vector<t_objekt*> out;
    auto walk = [&](auto& self, t_liste* first) -> void {
      for (t_liste* n = first; n; n = n->next()) {
        auto* o = static_cast<t_objekt*>(n);
        out.push_back(o);
        if (o->IsGroup()) self(self, static_cast<t_gruppe*>(o)->FirstMember());
      }
    };
    walk(walk, picture->objects.get());
    return out;
  }
  EditResult MoveAll(int dx, int dy) { return MoveObjects(*doc, *picture, All(), dx, dy); }
};

void BM_DocumentMoveAllExecute(benchmark::State& state) {
  auto fixture = std::make_unique<PictureDocument>();
  int dx = 3;
  for (auto _ : state) {
    state.PauseTiming();
    // A fresh document now and then keeps the history (and the memory) small.
    if (fixture->doc->History().Size() >= 8) fixture = std::make_unique<PictureDocument>();
    const std::vector<t_objekt*> all = fixture->All();
    state.ResumeTiming();
    if (!MoveObjects(*fixture->doc, *fixture->picture, all, dx, 1)) state.SkipWithError("move");
    dx = -dx;
  }
}
BENCHMARK(BM_DocumentMoveAllExecute)->Unit(benchmark::kMillisecond);

void BM_DocumentMoveAllUndo(benchmark::State& state) {
  PictureDocument fixture;
  fixture.MoveAll(3, 1);
  for (auto _ : state) {
    fixture.doc->Undo();
    state.PauseTiming();
    fixture.doc->Redo();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_DocumentMoveAllUndo)->Unit(benchmark::kMillisecond);

void BM_DocumentMoveAllRedo(benchmark::State& state) {
  PictureDocument fixture;
  fixture.MoveAll(3, 1);
  for (auto _ : state) {
    state.PauseTiming();
    fixture.doc->Undo();
    state.ResumeTiming();
    fixture.doc->Redo();
  }
}
BENCHMARK(BM_DocumentMoveAllRedo)->Unit(benchmark::kMillisecond);

// Every top-level object whose extent lies strictly inside the dragged
// rectangle becomes the selection.
void BM_DocumentRubberBandSelectAll(benchmark::State& state) {
  PictureDocument fixture;
  fixture.doc->DeselectAll();
  std::size_t selected = 0;
  for (auto _ : state) {
    std::vector<t_objekt*> inside;
    for (t_liste* n = fixture.picture->objects.get(); n; n = n->next()) {
      auto* o = static_cast<t_objekt*>(n);
      if (o->InsideRect(-100, -100, 1000, 1000)) inside.push_back(o);
    }
    fixture.doc->SetSelection(inside);
    selected = inside.size();
  }
  state.counters["selected"] = static_cast<double>(selected);
}
BENCHMARK(BM_DocumentRubberBandSelectAll)->Unit(benchmark::kMicrosecond);

// Bytes the history keeps after `steps`, in all and per step, beside what
// one object and the whole picture take.
template <class Steps>
void HistoryMemory(benchmark::State& state, int count, Steps steps) {
  for (auto _ : state) {
    state.PauseTiming();
    auto fixture = std::make_unique<PictureDocument>();
    t_objekt* one = fixture->TopLevel()[1];
    const std::int64_t beforeClone = LiveBytes();
    ObjectPtr clone = one->Clone();
    const std::int64_t objectBytes = LiveBytes() - beforeClone;
    clone.reset();
    const std::int64_t before = LiveBytes();
    state.ResumeTiming();
    steps(*fixture);
    state.PauseTiming();
    const std::int64_t kept = LiveBytes() - before;
    state.counters["history_bytes"] = static_cast<double>(kept);
    state.counters["bytes_per_step"] = static_cast<double>(kept) / count;
    state.counters["steps_kept"] = static_cast<double>(fixture->doc->History().Size());
    state.counters["object_bytes"] = static_cast<double>(objectBytes);
    state.counters["picture_bytes"] = static_cast<double>(fixture->pictureBytes);
    fixture.reset();
    state.ResumeTiming();
  }
}

// 1,000 arrow-key nudges of one object: merged into one step while the key
// is held, or one step each when it is let go in between.
void BM_DocumentHistoryNudges(benchmark::State& state) {
  const bool merged = state.range(0) != 0;
  HistoryMemory(state, 1000, [&](PictureDocument& f) {
    for (int i = 0; i < 1000; ++i) {
      if (!merged) f.doc->BreakMerge();
      // The nudged object is replaced by its moved copy in the same place.
      t_objekt* one[] = {static_cast<t_objekt*>(f.picture->objects->next())};
      MoveObjects(*f.doc, *f.picture, one, i % 2 ? 1 : -1, 0, kMergeNudge);
    }
  });
}
BENCHMARK(BM_DocumentHistoryNudges)
    ->ArgName("merged")
    ->Arg(1)
    ->Arg(0)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

void BM_DocumentHistoryMoveAll100(benchmark::State& state) {
  HistoryMemory(state, 100, [](PictureDocument& f) {
    for (int i = 0; i < 100; ++i) f.MoveAll(i % 2 ? 2 : -2, 1);
  });
}
BENCHMARK(BM_DocumentHistoryMoveAll100)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
