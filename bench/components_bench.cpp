// The component list and its export on the synthetic boards: the list the
// panel rebuilds after every change (entries, placement points, sort) and the
// pick-and-place file of every row.
#include <benchmark/benchmark.h>

#include "components/pnp_export.h"
#include "components/search.h"
#include "edit/units.h"
#include "synth/synth_board.h"

namespace bs {
namespace {

TProject& Board(size_t elements) {
  static TProject small, big;
  TProject& p = elements > 50000 ? big : small;
  if (p.Boards.empty() || p.Active()->Elements.empty()) {
    TSynthOptions opt;
    opt.Elements = elements;
    MakeSynthProject(p, opt);
  }
  return p;
}

void BM_ComponentList(benchmark::State& state) {
  TProject& p = Board(size_t(state.range(0)));
  const TBoard& b = *p.Active();
  size_t rows = 0;
  for (auto _ : state) rows = ComponentList(b.Elements, b.Platine).size();
  state.counters["components"] = double(rows);
}
BENCHMARK(BM_ComponentList)->Arg(20000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_PnpExportAllRows(benchmark::State& state) {
  TProject& p = Board(20000);
  const TBoard& b = *p.Active();
  const std::vector<TListEintrag> list = ComponentList(b.Elements, b.Platine);
  TPnpOptions o;
  o.Tht = true;
  o.Columns = {TPnpColumn::Number,   TPnpColumn::Id,       TPnpColumn::Value,   TPnpColumn::Layer,
               TPnpColumn::Position, TPnpColumn::Rotation, TPnpColumn::Package, TPnpColumn::Comment};
  size_t bytes = 0;
  for (auto _ : state) bytes = PnpFileText(list, b.Platine, o, "synth.bsm6", "now").size();
  state.counters["rows"] = double(list.size());
  state.counters["bytes"] = double(bytes);
}
BENCHMARK(BM_PnpExportAllRows)->Unit(benchmark::kMillisecond);

// The selector's tree by text content on the big board.
void BM_SearchByContent(benchmark::State& state) {
  const TBoard& b = *Board(100000).Active();
  TSearchOptions o;
  o.Kind = kSearchTexts;
  o.Sort = 2;
  o.Layers = kSearchAllLayers;
  size_t groups = 0;
  for (auto _ : state) groups = SearchGroups(b.Elements, o).size();
  state.counters["groups"] = double(groups);
}
BENCHMARK(BM_SearchByContent)->Unit(benchmark::kMillisecond);

// Choosing the largest drill group: the tree built, the board's selection
// set to the group's pads.
void BM_SearchApplyLargestGroup(benchmark::State& state) {
  TBoard& b = *Board(100000).Active();
  TSearchOptions o;
  size_t chosen = 0;
  for (auto _ : state) {
    const std::vector<TSearchGroup> groups = SearchGroups(b.Elements, o);
    const TSearchGroup* largest = nullptr;
    for (const TSearchGroup& g : groups)
      if (!largest || g.Elements.size() > largest->Elements.size()) largest = &g;
    DeselectAll(b.Elements);
    if (largest)
      for (size_t i : largest->Elements) SetSelected(*b.Elements[i], true);
    chosen = largest ? largest->Elements.size() : 0;
  }
  state.counters["selected"] = double(chosen);
}
BENCHMARK(BM_SearchApplyLargestGroup)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace bs
