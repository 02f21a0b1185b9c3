// Element model benchmarks: snapshots for undo, whole-list copies and the
// memory an element costs.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <map>
#include <memory>

#include "edit/undo.h"
#include "model/objekt_list.h"
#include "synth/synth_board.h"

namespace bs {
namespace {

size_t HeapInUse() { return mallinfo2().uordblks; }

struct TCachedBoard {
  std::unique_ptr<TProject> project;
  size_t heapBytes = 0;  // what building it took from the heap
};

// Synthetic projects are built once per size and shared by the benchmarks.
TCachedBoard& Cached(size_t elements) {
  static std::map<size_t, TCachedBoard> cache;
  TCachedBoard& c = cache[elements];
  if (!c.project) {
    const size_t before = HeapInUse();
    c.project = std::make_unique<TProject>();
    TSynthOptions opt;
    opt.Elements = elements;
    MakeSynthProject(*c.project, opt);
    c.heapBytes = HeapInUse() - before;
  }
  return c;
}

TProject& Project(size_t elements) { return *Cached(elements).project; }

// One undo snapshot of a board; reports the board's heap size and the
// snapshot's, per element.
void BM_RecordUndo(benchmark::State& state) {
  const size_t n = static_cast<size_t>(state.range(0));
  TProject& p = Project(n);
  const size_t boardBytes = Cached(n).heapBytes;
  p.Undo.Depth = 1;
  size_t snapshotBytes = 0;
  for (auto _ : state) {
    state.PauseTiming();
    p.Active()->UndoStack.clear();
    const size_t start = HeapInUse();
    state.ResumeTiming();
    RecordUndo(p);
    state.PauseTiming();
    snapshotBytes = HeapInUse() - start;
    state.ResumeTiming();
  }
  p.Active()->UndoStack.clear();
  state.counters["elements"] = double(p.Active()->Elements.size());
  state.counters["board_bytes_per_element"] = double(boardBytes) / double(n);
  state.counters["snapshot_bytes_per_element"] = double(snapshotBytes) / double(n);
}
BENCHMARK(BM_RecordUndo)->Arg(100000)->Unit(benchmark::kMillisecond);

// Undo followed by redo: two snapshots and two restores.
void BM_UndoRedo(benchmark::State& state) {
  TProject& p = Project(static_cast<size_t>(state.range(0)));
  RecordUndo(p);
  for (auto _ : state) {
    Undo(p);
    Redo(p);
  }
  p.Active()->UndoStack.clear();
  p.Active()->RedoStack.clear();
}
BENCHMARK(BM_UndoRedo)->Arg(100000)->Unit(benchmark::kMillisecond);

// Memory of a board of a million elements.
void BM_MillionElementBoard(benchmark::State& state) {
  for (auto _ : state) {
    const size_t before = HeapInUse();
    TProject p;
    TSynthOptions opt;
    opt.Elements = 1000000;
    MakeSynthProject(p, opt);
    state.counters["MiB"] = double(HeapInUse() - before) / (1 << 20);
    state.counters["bytes_per_element"] = double(HeapInUse() - before) / double(p.Active()->Elements.size());
  }
}
BENCHMARK(BM_MillionElementBoard)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace bs
