// The editor on a big board, through its real window (offscreen): an arrow
// move of everything and one step of a drag of everything, each with the
// repaint it causes, on the 100 000-element synthetic board; and the memory
// one undo step of such a move takes.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <QApplication>
#include <QMouseEvent>
#include <QTest>

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "edit/board_ops.h"
#include "io/project_file.h"
#include "model/atomic_file.h"
#include "render/view.h"
#include "synth/synth_board.h"
#include "view/board_view.h"
#include "window/main_window.h"

namespace bs::app {
namespace {

double HeapMiB() { return double(mallinfo2().uordblks) / (1 << 20); }

// One window with the big board, everything selected, shared by the
// benchmarks.
TMainWindow& Window() {
  static std::unique_ptr<TMainWindow> w;
  if (!w) {
    w = std::make_unique<TMainWindow>();
    w->resize(1400, 900);
    w->show();
    (void)QTest::qWaitForWindowExposed(w.get());
    // Opened from a file, as a user would.
    TProject big;
    TSynthOptions opt;
    opt.Elements = 100000;
    MakeSynthProject(big, opt);
    const std::string path =
        (std::filesystem::temp_directory_path() / ("bs_bench_editor_" + std::to_string(::getpid()) + ".bsm6")).string();
    WriteFileAtomically(path, EncodeProject(big));
    w->OpenFile(QString::fromStdString(path));
    std::filesystem::remove(path);
    w->View()->ZoomBoard();
    TProject& p = w->Project();
    SelectAll(p);
    w->SelectionChanged();
    w->View()->setFocus();
    QApplication::processEvents();
  }
  return *w;
}

void BM_ArrowMoveEverything(benchmark::State& state) {
  TMainWindow& w = Window();
  TBoard& b = *w.Project().Active();
  // The board's first undo step freezes a copy of every element once; the
  // steps after it share those copies.
  QTest::keyClick(w.View(), Qt::Key_Left);
  QApplication::processEvents();
  int i = 0;
  double stepMiB = 0, keyMs = 0;
  for (auto _ : state) {
    const double before = HeapMiB();
    const auto t0 = std::chrono::steady_clock::now();
    QTest::keyClick(w.View(), i++ % 2 ? Qt::Key_Left : Qt::Key_Right);
    keyMs += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
    QApplication::processEvents();  // the repaint
    state.PauseTiming();
    stepMiB = HeapMiB() - before;
    state.ResumeTiming();
  }
  state.counters["move_ms"] = keyMs / double(i);
  state.counters["elements"] = double(b.Elements.size());
  state.counters["undo_step_MiB"] = stepMiB;
  state.counters["undo_steps"] = double(b.UndoStack.size());
}
BENCHMARK(BM_ArrowMoveEverything)->Unit(benchmark::kMillisecond)->Iterations(8);

void BM_DragStepEverything(benchmark::State& state) {
  TMainWindow& w = Window();
  TBoard& b = *w.Project().Active();
  QWidget* vp = w.View()->viewport();
  const TObjekt* pad = nullptr;
  for (const auto& e : b.Elements)
    if (e->Kind == kKindThtPad) pad = e.get();
  const TDPoint at = ModelToPixel(b.Platine, {pad->Pos.X, pad->Pos.Y});
  const QPoint start(int(at.X), int(at.Y));
  QTest::mousePress(vp, Qt::LeftButton, {}, start);
  // The first step hides the moved elements and draws their preview once.
  QPoint to = start + QPoint(4, 2);
  auto move = [&](QPoint p) {
    QMouseEvent m(QEvent::MouseMove, QPointF(p), vp->mapToGlobal(QPointF(p)), Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(vp, &m);
    vp->repaint();
  };
  move(to);
  int i = 0;
  for (auto _ : state) {
    to += QPoint(i++ % 2 ? -6 : 6, 3);
    move(to);
  }
  QTest::mouseRelease(vp, Qt::LeftButton, {}, to);
  QApplication::processEvents();
  state.counters["elements"] = double(b.Elements.size());
}
BENCHMARK(BM_DragStepEverything)->Unit(benchmark::kMillisecond)->Iterations(20);

// The resident memory of the process, from the kernel.
double ResidentMiB() {
  long pages = 0, resident = 0;
  if (FILE* f = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(f);
  }
  return double(resident) * double(::sysconf(_SC_PAGESIZE)) / (1 << 20);
}

// Opening another project frees the big board with its undo steps and
// gives the memory back to the system. Runs last: it replaces the board.
void BM_OpenAnotherProject(benchmark::State& state) {
  TMainWindow& w = Window();
  const double before = ResidentMiB();
  w.Project().Changed = false;  // nothing to ask: the moves need not be saved
  for (auto _ : state) w.OpenFile(QStringLiteral(BOARDSMITH_SOURCE_DIR "/examples/demo.bsm6"));
  state.counters["resident_before_MiB"] = before;
  state.counters["resident_after_MiB"] = ResidentMiB();
}
BENCHMARK(BM_OpenAnotherProject)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace bs::app
