// The editor's frame for a long job on the board (the design rule check,
// and the routing, isolation and import jobs after it): the job runs on the
// user-interface thread while the window shows a wait cursor, takes no
// input but Esc, and pauses its timers. Everything is restored when the
// guard ends, however the job ends.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>

#include <functional>
#include <vector>

#include "model/progress.h"

class QTimer;
class QWidget;

namespace bs::app {

class TLongOperation : public QObject {
  Q_OBJECT

 public:
  // `timers` (autosave, blinking) stop for the time of the job; those that
  // ran start again afterwards.
  TLongOperation(QWidget* window, const std::vector<QTimer*>& timers);
  ~TLongOperation() override;
  TLongOperation(const TLongOperation&) = delete;
  TLongOperation& operator=(const TLongOperation&) = delete;

  // The progress the job takes: each step goes to `step`; the abort poll
  // lets the window repaint and looks for Esc at most every kPollMs of
  // elapsed time, so that a fast job is not slowed down by the polling.
  TProgress Progress(std::function<void(int done, int total)> step = {});
  // Esc was pressed.
  bool Escaped() const { return escaped_; }

  static constexpr int kPollMs = 30;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool Poll();

  QWidget* window_;
  std::vector<QPointer<QTimer>> resume_;
  QElapsedTimer sincePoll_;
  bool escaped_ = false;
};

}  // namespace bs::app
