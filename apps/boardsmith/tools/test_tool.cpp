#include "tools/test_tool.h"

#include <QApplication>
#include <QCursor>

#include "copper/connectivity.h"
#include "edit/pick.h"
#include "io/settings.h"
#include "view/board_view.h"

namespace bs::app {

TTestTool::TTestTool(TToolHost& host) : TTool(host) {
  blink_.setInterval(500);
  QObject::connect(&blink_, &QTimer::timeout, [this] { SetDark(!host_.BoardView().Settings().BlinkDark); });
}

void TTestTool::Activate() {
  if (host_.Settings().Options.BlinkTest) blink_.start();
}

void TTestTool::Deactivate() {
  blink_.stop();
  SetDark(false);
}

void TTestTool::SetDark(bool dark) {
  TPaintSettings& paint = host_.BoardView().Settings();
  if (paint.BlinkDark == dark) return;
  paint.BlinkDark = dark;
  host_.BoardView().Refresh();
}

void TTestTool::Press(const TPointer& p) {
  if (p.Button != Qt::LeftButton) return;
  TBoard* board = Board();
  if (!board) return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  // Without SHIFT a click starts a fresh highlight.
  if (!p.Shift())
    for (auto& e : board->Elements) e->Selected = 0;
  const int picked = PickElement(*board, p.Model, true, true);
  if (picked >= 0 && CanStartTest(*board->Elements[size_t(picked)])) {
    TFloodOptions opt;
    opt.FollowRubberBands = host_.Settings().Options.TestLuftlinien;
    MarkConnected(*board, *board->Elements[size_t(picked)], opt);
  }
  host_.BoardView().Refresh();
  host_.SelectionChanged();
  QApplication::restoreOverrideCursor();
}

QString TTestTool::Hint() const { return tr("TEST:  Click to highlight connected elements"); }

}  // namespace bs::app
