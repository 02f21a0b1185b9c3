// The macro library: building the panel's tree of 5 000 macros in 200
// folders, adding one saved macro to it, and dropping a 200-element macro on
// the 20 000-element synthetic board with its undo step.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTreeWidget>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "components/macro_place.h"
#include "edit/undo.h"
#include "io/macro_file.h"
#include "panels/macro_panel.h"
#include "synth/synth_board.h"

namespace bs::app {
namespace {

namespace fs = std::filesystem;

constexpr int kFolders = 200;
constexpr int kPerFolder = 25;

// A library of 5 000 small macros, made once.
const fs::path& Library() {
  static fs::path root;
  if (root.empty()) {
    root = fs::temp_directory_path() / ("bs_bench_macros_" + std::to_string(::getpid()));
    fs::remove_all(root);
    TObjektList pads;
    for (int i = 0; i < 8; ++i) {
      auto e = NewObjekt();
      InitThtPad(*e, {float(i * 25400), 0}, kLayerC2, kShapeRound, 8000, 18000);
      pads.push_back(std::move(e));
    }
    const std::vector<uint8_t> bytes = EncodeMacro(pads, false, "bench", "");
    for (int f = 0; f < kFolders; ++f) {
      const fs::path folder = root / ("Folder " + std::to_string(f));
      fs::create_directories(folder);
      for (int m = 0; m < kPerFolder; ++m)
        std::ofstream(folder / ("R" + std::to_string(m) + ".bmk"), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }
    std::atexit([] { fs::remove_all(root); });
  }
  return root;
}

void BM_MacroTree(benchmark::State& state) {
  const QString root = QString::fromStdString(Library().string());
  TMacroPanel panel({});
  for (auto _ : state) panel.BuildTree(root);
  state.counters["nodes"] = double(kFolders * (kPerFolder + 1));
}
BENCHMARK(BM_MacroTree)->Unit(benchmark::kMillisecond);

// A saved macro joins the tree without a rescan.
void BM_MacroInsertSaved(benchmark::State& state) {
  const QString root = QString::fromStdString(Library().string());
  TMacroPanel panel({});
  panel.BuildTree(root);
  const fs::path saved = Library() / "Folder 100" / "R7.bmk";
  for (auto _ : state) {
    state.PauseTiming();
    // The node goes, as if the file were new.
    for (QTreeWidgetItemIterator it(panel.Tree()); *it; ++it)
      if ((*it)->data(0, Qt::UserRole).toString().toStdString() == saved.string()) {
        delete *it;
        break;
      }
    state.ResumeTiming();
    panel.InsertMacro(QString::fromStdString(saved.string()));
  }
}
BENCHMARK(BM_MacroInsertSaved)->Unit(benchmark::kMillisecond);

// One drop, with its undo step, of a 200-element macro on the big board.
void BM_MacroDrop(benchmark::State& state) {
  TProject project;
  TSynthOptions opt;
  opt.Elements = 20000;
  MakeSynthProject(project, opt);
  project.Undo.Depth = 2;
  TObjektList macro;
  for (int i = 0; i < 200; ++i) {
    auto e = NewObjekt();
    if (i % 2 == 0) InitThtPad(*e, {float(i * 12700), 0}, kLayerC2, kShapeRound, 8000, 18000);
    else InitSmdPad(*e, {float(i * 12700), 50000}, 10000, kLayerC1, 5000);
    e->ComponentNo = 1;
    macro.push_back(std::move(e));
  }
  TMacroDrop drop;
  drop.AddAsComponent = true;
  for (auto _ : state) {
    const TMacroPlaced placed = PlaceMacro(project, macro, {500000, -500000}, drop);
    benchmark::DoNotOptimize(placed.Count);
    state.PauseTiming();
    Undo(project);
    state.ResumeTiming();
  }
  state.counters["board_elements"] = double(project.Active()->Elements.size());
}
BENCHMARK(BM_MacroDrop)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace bs::app
