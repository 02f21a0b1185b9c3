#include "view/board_overview.h"

#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include "render/raster_surface.h"
#include "render/view.h"
#include "view/board_view.h"

namespace bs::app {

namespace {
TViewport ViewportOf(const TBoardView* view) { return {view->viewport()->width(), view->viewport()->height()}; }
}  // namespace

TBoardOverview::TBoardOverview(TBoardView* view, QWidget* parent) : QWidget(parent), view_(view) {
  setMinimumSize(97, 90);
  connect(view_, &TBoardView::ViewChanged, this, qOverload<>(&QWidget::update));
}

void TBoardOverview::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), palette().window());
  TBoard* board = view_->Board();
  if (!board) return;
  const TOverview o = OverviewGeometry(board->Platine, ViewportOf(view_));
  if (!(o.Scale > 0)) return;
  // The miniature: the whole board drawn at one pixel per Scale units.
  const int w = std::max(1, int(o.Width + 1)), h = std::max(1, int(o.Height + 1));
  TRasterSurface surface(w, h, true);
  TPaintSettings set = view_->Settings();
  set.ShowGrid = false;
  surface.Clear(set.Scheme.Background());
  PaintBoard(surface, *board, TViewMap{1 / o.Scale, 0, 0}, set, TPaintTarget::Other);
  const QImage image(surface.Raster().Pixels.data(), w, h, w * 4, QImage::Format_RGBA8888);
  p.drawImage(QPointF(o.Left, o.Top), image);
  p.setPen(QPen(Qt::red, 1));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRectF(o.Left + o.FrameLeft, o.Top + o.FrameTop, o.FrameWidth, o.FrameHeight));
}

void TBoardOverview::mousePressEvent(QMouseEvent* event) {
  TBoard* board = view_->Board();
  if (!board) return;
  if (event->button() == Qt::RightButton) {
    ZoomStep(board->Platine, board->ZoomHistory, ViewportOf(view_), false);
    view_->UpdateScrollBars();
    view_->viewport()->update();
    return;
  }
  if (event->button() != Qt::LeftButton) return;
  const TOverview o = OverviewGeometry(board->Platine, ViewportOf(view_));
  dragging_ = true;
  moved_ = false;
  grab_ = event->position() - QPointF(o.Left + o.FrameLeft, o.Top + o.FrameTop);
}

void TBoardOverview::mouseMoveEvent(QMouseEvent* event) {
  TBoard* board = view_->Board();
  if (!dragging_ || !board) return;
  moved_ = true;
  const TOverview o = OverviewGeometry(board->Platine, ViewportOf(view_));
  const QPointF corner = event->position() - grab_ - QPointF(o.Left, o.Top);
  ScrollToOverviewFrame(board->Platine, ViewportOf(view_), corner.x(), corner.y());
  view_->UpdateScrollBars();
  view_->viewport()->update();
}

void TBoardOverview::mouseReleaseEvent(QMouseEvent* event) {
  TBoard* board = view_->Board();
  if (event->button() == Qt::LeftButton && dragging_ && !moved_ && board) {
    // A click without dragging zooms in, the centre kept.
    ZoomStep(board->Platine, board->ZoomHistory, ViewportOf(view_), true);
    view_->UpdateScrollBars();
    view_->viewport()->update();
  }
  dragging_ = false;
}

}  // namespace bs::app
