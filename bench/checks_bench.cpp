// Design rule check speed: the complete check of the 20 000-element
// synthetic board with its ground plane, all rules on, and the copper
// distance alone. Counters: the most heap memory a run held at once on top
// of what was in use before it (counted by the allocation functions below),
// and the growth of the process's largest resident size.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sys/resource.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <memory>
#include <new>

namespace {
std::atomic<size_t> heapNow{0}, heapPeak{0};

void* Allocate(size_t n) {
  void* p = std::malloc(n ? n : 1);
  if (!p) throw std::bad_alloc();
  const size_t now = heapNow += malloc_usable_size(p);
  size_t peak = heapPeak.load();
  while (now > peak && !heapPeak.compare_exchange_weak(peak, now)) {
  }
  return p;
}
void Release(void* p) {
  if (!p) return;
  heapNow -= malloc_usable_size(p);
  std::free(p);
}
}  // namespace

void* operator new(size_t n) { return Allocate(n); }
void* operator new[](size_t n) { return Allocate(n); }
void operator delete(void* p) noexcept { Release(p); }
void operator delete[](void* p) noexcept { Release(p); }
void operator delete(void* p, size_t) noexcept { Release(p); }
void operator delete[](void* p, size_t) noexcept { Release(p); }

#include "checks/drc.h"
#include "synth/synth_board.h"

namespace bs {
namespace {

std::unique_ptr<TProject> Synth(int elements) {
  auto p = std::make_unique<TProject>();
  TSynthOptions opt;
  opt.Elements = elements;
  MakeSynthProject(*p, opt);
  return p;
}

double PeakMb() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return double(u.ru_maxrss) / 1024.0;  // kilobytes on Linux
}

void Run(benchmark::State& state, const TDrcRules& rules) {
  auto p = Synth(20000);
  const TBoard& b = *p->Boards[0];
  const TURect area = DrcCompleteArea(b.Platine);
  const double before = PeakMb();
  size_t findings = 0;
  double heapMb = 0;
  for (auto _ : state) {
    const size_t start = heapNow.load();
    heapPeak = start;
    const TDrcResult r = RunDrc(b, rules, area);
    findings = r.Findings.size();
    benchmark::DoNotOptimize(findings);
    heapMb = std::max(heapMb, double(heapPeak.load() - start) / (1024.0 * 1024.0));
  }
  state.counters["elements"] = double(b.Elements.size());
  state.counters["findings"] = double(findings);
  state.counters["heap_peak_MB"] = heapMb;
  state.counters["rss_peak_growth_MB"] = PeakMb() - before;
}

void BM_DrcComplete(benchmark::State& state) { Run(state, {}); }

void BM_DrcCopperDistanceOnly(benchmark::State& state) {
  TDrcRules rules;
  for (const TDrcKey& k : DrcKeys())
    if (k.Flag) rules.*k.Flag = false;
  rules.Kupfer = true;
  Run(state, rules);
}

BENCHMARK(BM_DrcComplete)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrcCopperDistanceOnly)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace bs
