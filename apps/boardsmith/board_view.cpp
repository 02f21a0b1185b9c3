#include "board_view.h"

#include <QCursor>
#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QMouseEvent>
#include <QWheelEvent>

#include "qpainter_surface.h"
#include "render/raster_surface.h"
#include "render/view.h"

namespace bs::app {

TBoardView::TBoardView(QWidget* parent) : QAbstractScrollArea(parent) {
  setFrameShape(QFrame::NoFrame);  // the viewport starts where the rulers do
  setMouseTracking(true);
  viewport()->setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
}

void TBoardView::SetBoard(TBoard* board) {
  board_ = board;
  UpdateScrollBars();
  viewport()->update();
}

void TBoardView::SetAntiAliased(bool on) {
  antiAliased_ = on;
  viewport()->update();
}

void TBoardView::UpdateScrollBars() {
  if (!board_) return;
  syncing_ = true;
  const TPixelSize size = SurfaceSize(board_->Platine);
  const QSize vp = viewport()->size();
  horizontalScrollBar()->setRange(0, std::max(0, size.Width - vp.width()));
  verticalScrollBar()->setRange(0, std::max(0, size.Height - vp.height()));
  horizontalScrollBar()->setPageStep(vp.width());
  verticalScrollBar()->setPageStep(vp.height());
  horizontalScrollBar()->setSingleStep(std::max(1, ScrollStep(vp.width())));
  verticalScrollBar()->setSingleStep(std::max(1, ScrollStep(vp.height())));
  horizontalScrollBar()->setValue(board_->Platine.ScrollX);
  verticalScrollBar()->setValue(board_->Platine.ScrollY);
  board_->Platine.ScrollX = horizontalScrollBar()->value();
  board_->Platine.ScrollY = verticalScrollBar()->value();
  syncing_ = false;
  emit ViewChanged();
}

void TBoardView::Zoom(const std::function<void(TViewport)>& change) {
  if (!board_) return;
  change(TViewport{viewport()->width(), viewport()->height()});
  UpdateScrollBars();
  viewport()->update();
}

void TBoardView::ZoomBoard() {
  Zoom([this](TViewport vp) { bs::ZoomBoard(board_->Platine, board_->ZoomHistory, vp); });
}

void TBoardView::ZoomObjects() {
  Zoom([this](TViewport vp) {
    bs::ZoomObjects(board_->Platine, board_->ZoomHistory, vp, AllBounds(board_->Elements, board_->Platine));
  });
}

void TBoardView::ZoomSelection() {
  Zoom([this](TViewport vp) {
    bs::ZoomSelection(board_->Platine, board_->ZoomHistory, vp, SelectionBounds(board_->Elements, board_->Platine),
                      AllBounds(board_->Elements, board_->Platine));
  });
}

void TBoardView::ZoomPrevious() {
  Zoom([this](TViewport vp) { bs::ZoomPrevious(board_->Platine, board_->ZoomHistory, vp); });
}

void TBoardView::paintEvent(QPaintEvent*) {
  QPainter painter(viewport());
  const int w = viewport()->width(), h = viewport()->height();
  if (!board_ || w <= 0 || h <= 0) {
    painter.fillRect(rect(), palette().window());
    return;
  }
  if (!antiAliased_) {
    // The plain look draws straight onto the widget.
    const TColour bg = settings_.Scheme.Background();
    painter.fillRect(viewport()->rect(), QColor(Red(bg), Green(bg), Blue(bg)));
    TQPainterSurface surface(painter, w, h, false);
    PaintBoard(surface, *board_, ViewMapOf(board_->Platine), settings_);
    return;
  }
  // The anti-aliased look is drawn into an image that is copied to the widget.
  TRasterSurface surface(w, h, true);
  surface.Clear(settings_.Scheme.Background());
  PaintBoard(surface, *board_, ViewMapOf(board_->Platine), settings_);
  const QImage image(surface.Raster().Pixels.data(), w, h, w * 4, QImage::Format_RGBA8888);
  painter.drawImage(0, 0, image);
}

void TBoardView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateScrollBars();
}

void TBoardView::scrollContentsBy(int, int) {
  if (!board_ || syncing_) return;
  board_->Platine.ScrollX = horizontalScrollBar()->value();
  board_->Platine.ScrollY = verticalScrollBar()->value();
  viewport()->update();
  emit ViewChanged();
}

void TBoardView::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::MiddleButton) {
    panning_ = true;
    panFrom_ = event->position().toPoint();
    event->accept();
    return;
  }
  QAbstractScrollArea::mousePressEvent(event);
}

void TBoardView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::MiddleButton) panning_ = false;
  QAbstractScrollArea::mouseReleaseEvent(event);
}

void TBoardView::mouseMoveEvent(QMouseEvent* event) {
  QAbstractScrollArea::mouseMoveEvent(event);
  if (!board_) return;
  const QPoint at = event->position().toPoint();
  if (panning_) {
    // The view moves with the pointer: scroll by start minus current.
    const QPoint delta = panFrom_ - at;
    panFrom_ = at;
    horizontalScrollBar()->setValue(horizontalScrollBar()->value() + delta.x());
    verticalScrollBar()->setValue(verticalScrollBar()->value() + delta.y());
  }
  const TDPoint model = PixelToModel(board_->Platine, {double(at.x()), double(at.y())});
  emit PointerMoved(at, model.X, model.Y);
}

void TBoardView::wheelEvent(QWheelEvent* event) {
  if (!board_ || event->angleDelta().y() == 0 || (event->buttons() & Qt::MiddleButton)) return;
  const TViewport vp{viewport()->width(), viewport()->height()};
  const QPointF at = event->position();
  const auto pointer = WheelZoom(board_->Platine, vp, {at.x(), at.y()}, event->angleDelta().y() > 0);
  UpdateScrollBars();
  viewport()->update();
  if (pointer) QCursor::setPos(viewport()->mapToGlobal(QPoint(int(pointer->X), int(pointer->Y))));
  event->accept();
}

}  // namespace bs::app
