// Manufacturing output speed: every Gerber file of a 20 000-element board
// with a ground plane, the drill list of a board with 10 000 holes, and
// pictures of the 20 000-element board (painted in bands, written to a
// temporary folder).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

#include "cam/drill_list.h"
#include "cam/excellon.h"
#include "cam/gerber.h"
#include "cam/picture.h"
#include "synth/synth_board.h"

namespace bs {
namespace {

std::unique_ptr<TBoard> Synth(size_t elements) {
  auto b = std::make_unique<TBoard>();
  TSynthOptions opt;
  opt.Elements = elements;
  FillSynthBoard(*b, opt);
  return b;
}

size_t Holes(const TDrillList& list) {
  size_t n = 0;
  for (const TDrillTool& t : list) n += t.Holes.size();
  return n;
}

void BM_GerberAllOutputs(benchmark::State& state) {
  auto b = Synth(20000);
  if (!b->Platine.GroundPlane[kLayerC2]) {
    state.SkipWithError("the synthetic board has no ground plane");
    return;
  }
  TGerberOptions opt;
  opt.Frame = true;
  size_t bytes = 0;
  for (auto _ : state) {
    bytes = 0;
    for (int row = 0; row < kGerberOutputCount; ++row) bytes += GerberOutputText(*b, row, opt).size();
  }
  state.counters["elements"] = double(b->Elements.size());
  state.counters["bytes"] = double(bytes);
}

// A board whose drill list has about 10 000 holes (32 000 elements).
void BM_DrillList(benchmark::State& state) {
  auto b = Synth(size_t(state.range(0)));
  size_t holes = 0;
  for (auto _ : state) {
    const TDrillList list = BuildDrillList(*b, true, true, false, false, false);
    holes = Holes(list);
    benchmark::DoNotOptimize(list.data());
  }
  state.counters["holes"] = double(holes);
}

void BM_ExcellonFile(benchmark::State& state) {
  auto b = Synth(size_t(state.range(0)));
  size_t holes = 0;
  for (auto _ : state) {
    const TDrillList list = BuildDrillList(*b, true, true, false, false, false);
    holes = Holes(list);
    benchmark::DoNotOptimize(ExcellonText(*b, list, {}).size());
  }
  state.counters["holes"] = double(holes);
}

// Arguments: format (0 BMP, 1 JPEG, 2 GIF), dpi, colour.
void BM_Picture(benchmark::State& state) {
  auto b = Synth(20000);
  TPictureOptions o;
  o.Format = TPictureFormat(state.range(0));
  o.Dpi = int(state.range(1));
  o.Colour = state.range(2) != 0;
  const char* ext[] = {".bmp", ".jpg", ".gif"};
  const std::string path =
      (std::filesystem::temp_directory_path() / ("bs_bench_picture" + std::string(ext[state.range(0)]))).string();
  for (auto _ : state)
    if (!WritePicture(path, *b, o).Ok()) state.SkipWithError("the picture could not be written");
  const TPictureSize size = PictureSize(b->Platine, o.Dpi);
  state.counters["pixels"] = double(size.Width * size.Height);
  std::filesystem::remove(path);
}

BENCHMARK(BM_GerberAllOutputs)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrillList)->Arg(32000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExcellonFile)->Arg(32000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Picture)
    ->Args({0, 1200, 0})
    ->Args({0, 600, 1})
    ->Args({1, 600, 1})
    ->Args({2, 600, 1})
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace bs
