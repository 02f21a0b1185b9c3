// Painting speed: a 20 000-element board with a ground plane, whole board
// at 1920 x 1080, anti-aliased and plain, and a paint zoomed into a corner.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>

#include "render/painter.h"
#include "render/raster_surface.h"
#include "synth/synth_board.h"

namespace bs {
namespace {

TBoard& Board() {
  static std::unique_ptr<TBoard> b;
  if (!b) {
    b = std::make_unique<TBoard>();
    TSynthOptions opt;
    opt.Elements = 20000;
    FillSynthBoard(*b, opt);
    b->Platine.ActiveLayer = kLayerC2;  // its ground plane is on
  }
  return *b;
}

void Paint(benchmark::State& state, bool aa, double zoomFactor) {
  TBoard& b = Board();
  const int w = 1920, h = 1080;
  const double fit = std::min((w - 10.0) / b.Platine.Width, (h - 10.0) / b.Platine.Height);
  const TViewMap view{fit * zoomFactor, 0, 0};
  TPaintSettings set;
  TRasterSurface s(w, h, aa);
  for (auto _ : state) PaintBoard(s, b, view, set);
}

void BM_PaintWholeBoardAntiAliased(benchmark::State& state) { Paint(state, true, 1); }
void BM_PaintWholeBoardPlain(benchmark::State& state) { Paint(state, false, 1); }
void BM_PaintZoomedCornerAntiAliased(benchmark::State& state) { Paint(state, true, 16); }
BENCHMARK(BM_PaintWholeBoardAntiAliased)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintWholeBoardPlain)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintZoomedCornerAntiAliased)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace bs
