// Gerber and Excellon import speed: a real board set (altium-limesdr-qpcie
// from the shared test corpus: copper, silkscreen, outline and both drill
// files) and our own output of the 20 000-element synthetic board read back.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

#include "cam/drill_list.h"
#include "cam/excellon.h"
#include "cam/gerber.h"
#include "import/gerber_run.h"
#include "synth/synth_board.h"

namespace bs {
namespace {
namespace fs = std::filesystem;

void Import(benchmark::State& state, const TGerberImportRequest& req) {
  size_t elements = 0, joined = 0;
  for (auto _ : state) {
    TProject p;
    const TGerberImportResult r = RunGerberImport(p, req);
    elements = r.Elements;
    joined = r.Joined;
  }
  state.counters["elements"] = double(elements);
  state.counters["joined"] = double(joined);
}

void BM_ImportLimeSdr(benchmark::State& state) {
  const fs::path set = fs::path(BOARDSMITH_CORPUS_DIR) / "altium-limesdr-qpcie";
  if (!fs::exists(set)) {
    state.SkipWithError("the corpus is missing");
    return;
  }
  TGerberImportRequest req;
  const std::string g = (set / "Gerber" / "LimeSDR-QPCIe_1v2").string();
  req.Files[kLayerC1] = g + ".GTL";
  req.Files[kLayerC2] = g + ".GBL";
  req.Files[kLayerS1] = g + ".GTS";
  req.Files[kLayerS2] = g + ".GBS";
  req.Files[kLayerO] = g + ".GM1";
  const std::string d = (set / "NC Drill" / "LimeSDR-QPCIe_1v2").string();
  req.DrillFiles = {d + "-RoundHoles.TXT", d + "-SlotHoles.TXT"};
  Import(state, req);
}
BENCHMARK(BM_ImportLimeSdr)->Unit(benchmark::kMillisecond);

void BM_ImportOwnSynth(benchmark::State& state) {
  TBoard b;
  TSynthOptions opt;
  opt.Elements = 20000;
  FillSynthBoard(b, opt);
  const fs::path dir = fs::temp_directory_path() / "bs_import_bench";
  fs::create_directories(dir);
  TGerberImportRequest req;
  const auto write = [&](const std::string& name, const std::string& text) {
    const std::string path = (dir / name).string();
    std::ofstream(path, std::ios::binary) << text;
    return path;
  };
  for (int row = 0; row < kGerberOutputCount; ++row) {
    const TGerberOutput& out = kGerberOutputs[size_t(row)];
    if (out.Content != TGerberContent::Copper && out.Content != TGerberContent::Plain) continue;
    req.Files[out.Layer] = write(std::string(out.ShortName) + ".gbr", GerberOutputText(b, row, TGerberOptions{}));
  }
  TExcellonOptions xo;
  xo.Format = TExcellonFormat::Mm33;
  req.DrillFiles = {write("d.drl", ExcellonText(b, BuildDrillList(b, true, true, false, false, false), xo))};
  Import(state, req);
  fs::remove_all(dir);
}
BENCHMARK(BM_ImportOwnSynth)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace bs
