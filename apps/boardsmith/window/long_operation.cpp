#include "window/long_operation.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>
#include <QWidget>

namespace bs::app {

TLongOperation::TLongOperation(QWidget* window, const std::vector<QTimer*>& timers) : window_(window) {
  for (QTimer* t : timers)
    if (t && t->isActive()) {
      t->stop();
      resume_.emplace_back(t);
    }
  QApplication::setOverrideCursor(Qt::WaitCursor);
  qApp->installEventFilter(this);
  sincePoll_.start();
}

TLongOperation::~TLongOperation() {
  qApp->removeEventFilter(this);
  QApplication::restoreOverrideCursor();
  for (const QPointer<QTimer>& t : resume_)
    if (t) t->start();
}

TProgress TLongOperation::Progress(std::function<void(int, int)> step) {
  TProgress p;
  p.Step = std::move(step);
  p.Abort = [this] { return Poll(); };
  return p;
}

bool TLongOperation::Poll() {
  if (!escaped_ && sincePoll_.elapsed() >= kPollMs) {
    // Paints (the progress bar) and the keyboard; the filter keeps every
    // other input away from the windows.
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    sincePoll_.restart();
  }
  return escaped_;
}

bool TLongOperation::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress:
      if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) escaped_ = true;
      return true;
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::DragEnter:
    case QEvent::Drop: return true;
    case QEvent::Close:
      // The window stays while the job works on its board.
      if (watched == window_) {
        event->ignore();
        return true;
      }
      return false;
    default: return false;
  }
}

}  // namespace bs::app
