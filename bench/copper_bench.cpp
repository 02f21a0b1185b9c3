// Connectivity speed on synthetic boards: a test click on a 20 000-element
// board with a ground plane (the click starts at a thermal pad, so the
// plane's raster is built and flooded), and "Remove connections" on a
// board with about 2 000 rubber bands.
#include <benchmark/benchmark.h>

#include <memory>

#include "copper/connectivity.h"
#include "edit/connections.h"
#include "synth/synth_board.h"

namespace bs {
namespace {

std::unique_ptr<TProject> Synth(int elements) {
  auto p = std::make_unique<TProject>();
  p->Boards.push_back(std::make_unique<TBoard>());
  p->ActiveIndex = 0;
  TSynthOptions opt;
  opt.Elements = elements;
  FillSynthBoard(*p->Boards[0], opt);
  return p;
}

void BM_TestClickWithGroundPlane(benchmark::State& state) {
  auto p = Synth(20000);
  TBoard& b = *p->Boards[0];
  TObjekt* start = nullptr;
  for (auto& e : b.Elements)
    if (IsPad(*e) && e->Thermal && e->Layer == kLayerC2 && b.Platine.GroundPlane[kLayerC2]) {
      start = e.get();
      break;
    }
  if (!start) {
    state.SkipWithError("the synthetic board has no thermal pad on a ground-plane layer");
    return;
  }
  size_t marked = 0;
  for (auto _ : state) {
    for (auto& e : b.Elements) e->Selected = 0;
    MarkConnected(b, *start);
    marked = 0;
    for (auto& e : b.Elements) marked += e->Selected;
  }
  state.counters["marked"] = double(marked);
}

void BM_RemoveConnections(benchmark::State& state) {
  size_t bands = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto p = Synth(11000);
    bands = 0;
    for (auto& e : p->Boards[0]->Elements) bands += e->Connections.size();
    state.ResumeTiming();
    RemoveUnneededConnections(*p);
  }
  state.counters["rubber_bands"] = double(bands / 2);
}

BENCHMARK(BM_TestClickWithGroundPlane)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RemoveConnections)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
}  // namespace bs
