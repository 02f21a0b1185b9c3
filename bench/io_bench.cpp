// Project file speed: encoding, decoding and the whole save and open of a
// 100 000-element project.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

#include "io/project_file.h"
#include "synth/synth_board.h"

namespace bs {
namespace {

TProject& Synth() {
  static std::unique_ptr<TProject> p;
  if (!p) {
    p = std::make_unique<TProject>();
    TSynthOptions opt;
    opt.Elements = 100000;
    MakeSynthProject(*p, opt);
  }
  return *p;
}

void BM_EncodeProject(benchmark::State& state) {
  TProject& p = Synth();
  size_t bytes = 0;
  for (auto _ : state) bytes = EncodeProject(p).size();
  state.SetBytesProcessed(static_cast<int64_t>(bytes * state.iterations()));
}
BENCHMARK(BM_EncodeProject)->Unit(benchmark::kMillisecond);

void BM_DecodeProject(benchmark::State& state) {
  const std::vector<uint8_t> bytes = EncodeProject(Synth());
  for (auto _ : state) {
    TProject q;
    ReadProjectBytes(q, bytes.data(), bytes.size(), false, "bench.bsm6");
    benchmark::DoNotOptimize(q.Boards.size());
  }
  state.SetBytesProcessed(static_cast<int64_t>(bytes.size() * state.iterations()));
}
BENCHMARK(BM_DecodeProject)->Unit(benchmark::kMillisecond);

std::string BenchPath() { return (std::filesystem::temp_directory_path() / "boardsmith_bench.bsm6").string(); }

// The save command with its clean-up of the active board, written to disk.
void BM_SaveProject(benchmark::State& state) {
  TProject& p = Synth();
  for (auto _ : state) WriteProject(p, BenchPath());
}
BENCHMARK(BM_SaveProject)->Unit(benchmark::kMillisecond);

// Opening the saved file.
void BM_OpenProject(benchmark::State& state) {
  WriteProject(Synth(), BenchPath());
  for (auto _ : state) {
    TProject q;
    ReadProjectFile(q, BenchPath(), false);
    benchmark::DoNotOptimize(q.Boards.size());
  }
  std::filesystem::remove(BenchPath());
}
BENCHMARK(BM_OpenProject)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace bs
