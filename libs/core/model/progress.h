// How a long job (the design rule check, and later the autorouter, the
// isolation outlines and the imports) reports its progress and learns that
// the user wants it stopped. The job calls back; the caller decides what a
// step shows and how often it really looks at the keyboard.
#pragma once

#include <functional>

namespace bs {

struct TProgress {
  // `done` of `total` steps of the current stage are finished. A job with
  // several stages starts each again at 0 with its own total.
  std::function<void(int done, int total)> Step;
  // Polled between steps: true stops the job as soon as it can, keeping what
  // it has found so far.
  std::function<bool()> Abort;

  void Report(int done, int total) const {
    if (Step) Step(done, total);
  }
  bool Aborted() const { return Abort && Abort(); }
};

}  // namespace bs
