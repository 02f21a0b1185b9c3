#include "view/board_view.h"

#include <QCursor>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QImage>
#include <QMimeData>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

#include "render/raster_surface.h"
#include "render/view.h"
#include "tools/tool.h"
#include "tools/tools.h"
#include "view/qpainter_surface.h"

namespace bs::app {

namespace {
// The pause between two scroll steps while a drag stays at an edge.
constexpr int kEdgeScrollPauseMs = 30;
// Pixels around a changed model rectangle that are painted with it: node
// handles keep a size of their own in pixels, and anti-aliased edges spill
// into the next pixel.
constexpr int kInvalidateMargin = 5;
// More parts than this are painted as the one rectangle around them.
constexpr int kMaxPartsPainted = 4;

QColor ToQColor(TColour c) { return QColor(Red(c), Green(c), Blue(c)); }

// Whether the painter draws the board differently while the tool is active.
bool ToolHasOwnLook(int mode) {
  return mode == kToolTest || mode == kToolConnections || mode == kToolAutoroute || mode == kToolSolderMask;
}
}  // namespace

TBoardView::TBoardView(QWidget* parent) : QAbstractScrollArea(parent) {
  setFrameShape(QFrame::NoFrame);  // the viewport starts where the rulers do
  setMouseTracking(true);
  viewport()->setMouseTracking(true);
  // Every pixel is painted from the kept picture: no background first.
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
  edgeTimer_ = new QTimer(this);
  edgeTimer_->setInterval(kEdgeScrollPauseMs);
  connect(edgeTimer_, &QTimer::timeout, this, [this] {
    if (!leftDown_ || !EdgeScrollStep()) {
      edgeTimer_->stop();
      return;
    }
    PointerAt(dragAt_);  // the pointer now lies over another part of the board
  });
}

TBoardView::~TBoardView() = default;

void TBoardView::SetBoard(TBoard* board) {
  EndDrag();
  board_ = board;
  UpdateScrollBars();
  Refresh();
}

void TBoardView::SetAntiAliased(bool on) {
  antiAliased_ = on;
  viewport()->update();
}

void TBoardView::SetActiveTool(TTool* tool) {
  activeTool_ = tool;
  RefreshOverlay();
}

void TBoardView::RefreshOverlay() {
  const QRegion now = activeTool_ ? activeTool_->OverlayRegion() : QRegion();
  const QRegion changed = overlay_ + now;
  overlay_ = now;
  if (changed.isEmpty()) return;
  overlayOnly_ = true;
  viewport()->update(changed);
}

void TBoardView::Refresh() {
  wholeStale_ = true;
  viewport()->update();
}

void TBoardView::SetDropHandler(TDropHandler handler) {
  drop_ = std::move(handler);
  setAcceptDrops(bool(drop_.Accepts));
  viewport()->setAcceptDrops(bool(drop_.Accepts));
}

void TBoardView::dragEnterEvent(QDragEnterEvent* event) {
  if (!board_ || !drop_.Accepts || !event->mimeData() || !drop_.Accepts(*event->mimeData())) {
    event->ignore();
    return;
  }
  event->acceptProposedAction();
  drop_.Move(MakePointer(event->position().toPoint(), event->modifiers(), Qt::NoButton));
  RefreshOverlay();
}

void TBoardView::dragMoveEvent(QDragMoveEvent* event) {
  if (!board_ || !drop_.Move) {
    event->ignore();
    return;
  }
  event->acceptProposedAction();
  const QPoint at = event->position().toPoint();
  drop_.Move(MakePointer(at, event->modifiers(), Qt::NoButton));
  RefreshOverlay();
  const TDPoint model = PixelToModel(board_->Platine, {double(at.x()), double(at.y())});
  emit PointerMoved(at, model.X, model.Y);
}

void TBoardView::dragLeaveEvent(QDragLeaveEvent* event) {
  if (drop_.Leave) drop_.Leave();
  RefreshOverlay();
  event->accept();
}

void TBoardView::dropEvent(QDropEvent* event) {
  if (!board_ || !drop_.Drop || !event->mimeData()) {
    event->ignore();
    return;
  }
  event->acceptProposedAction();
  drop_.Drop(MakePointer(event->position().toPoint(), event->modifiers(), Qt::NoButton), *event->mimeData());
  RefreshOverlay();
}

TPointer TBoardView::MakePointer(QPoint at, Qt::KeyboardModifiers mods, Qt::MouseButton button) const {
  TPointer p;
  p.Pixel = at;
  p.Model = board_ ? PixelToModel(board_->Platine, {double(at.x()), double(at.y())}) : TDPoint{};
  p.Modifiers = mods;
  p.Button = button;
  return p;
}

void TBoardView::SetTool(int mode) {
  EndDrag();
  const int old = settings_.ToolMode;
  settings_.ToolMode = mode;
  if (old != mode && (ToolHasOwnLook(old) || ToolHasOwnLook(mode))) Refresh();
}

TViewport TBoardView::Viewport() const { return TViewport{viewport()->width(), viewport()->height()}; }

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
  change(Viewport());
  UpdateScrollBars();
  viewport()->update();
}

void TBoardView::ZoomTo(double zoom, TDPoint centre) {
  Zoom([this, zoom, centre](TViewport vp) { SetZoom(board_->Platine, vp, centre, zoom); });
}

void TBoardView::SetDecoration(TDecoration decoration) {
  decoration_ = std::move(decoration);
  RefreshDecoration();
}

void TBoardView::RefreshDecoration() {
  // Like the tool's overlay: the board itself is not painted again.
  overlayOnly_ = true;
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

void TBoardView::ZoomSelection(double fill) {
  Zoom([this, fill](TViewport vp) {
    bs::ZoomSelection(board_->Platine, board_->ZoomHistory, vp, SelectionBounds(board_->Elements, board_->Platine),
                      AllBounds(board_->Elements, board_->Platine), fill);
  });
}

void TBoardView::ZoomPrevious() {
  Zoom([this](TViewport vp) { bs::ZoomPrevious(board_->Platine, board_->ZoomHistory, vp); });
}

// ---- painting ----

void TBoardView::InvalidateArea(const TURect& model) {
  if (!board_) return;
  const TPlatine& p = board_->Platine;
  const TDPoint a = ModelToPixel(p, {double(model.Left), double(model.Bottom)});
  const TDPoint b = ModelToPixel(p, {double(model.Right), double(model.Top)});
  // Far-off corners are held near the view before they become whole pixels.
  const double w = viewport()->width(), h = viewport()->height();
  auto px = [](double v, double size) { return int(std::clamp(v, -1.0, size + 1)); };
  const QRect r = QRect(QPoint(px(std::floor(a.X), w), px(std::floor(a.Y), h)),
                        QPoint(px(std::ceil(b.X), w), px(std::ceil(b.Y), h)))
                      .adjusted(-kInvalidateMargin, -kInvalidateMargin, kInvalidateMargin, kInvalidateMargin) &
                  viewport()->rect();
  if (r.isEmpty()) return;
  stale_ += r;
  viewport()->update(r);
}

QImage TBoardView::PictureImage() const {
  if (antiAliased_ && raster_) {
    const TRaster& r = raster_->Raster();
    return QImage(r.Pixels.data(), r.Width, r.Height, r.Width * 4, QImage::Format_RGBA8888);
  }
  return plain_;
}

QImage TBoardView::Picture() const { return PictureImage().copy(); }

void TBoardView::PaintPicture(const QRegion& region, bool whole) {
  const int w = viewport()->width(), h = viewport()->height();
  const TViewMap map = ViewMapOf(board_->Platine);
  const TColour bg = settings_.Scheme.Background();
  std::vector<QRect> parts;
  if (!whole) {
    if (region.rectCount() > kMaxPartsPainted) parts.push_back(region.boundingRect());
    else parts.assign(region.begin(), region.end());
  }
  auto paint = [&](TSurface& s) {
    if (whole) PaintBoard(s, *board_, map, settings_);
    for (const QRect& r : parts)
      PaintBoardRegion(s, *board_, map, settings_, r.left(), r.top(), r.right() + 1, r.bottom() + 1);
  };
  if (antiAliased_) {
    if (!raster_ || raster_->Width() != w || raster_->Height() != h) {
      raster_ = std::make_unique<TRasterSurface>(w, h, true);
      whole = true;
    }
    if (whole) raster_->Clear(bg);
    paint(*raster_);
  } else {
    // The plain look is drawn through QPainter into an image of its own.
    if (plain_.size() != QSize(w, h)) plain_ = QImage(w, h, QImage::Format_RGB32);
    QPainter painter(&plain_);
    if (whole) painter.fillRect(plain_.rect(), ToQColor(bg));
    TQPainterSurface surface(painter, w, h, false);
    paint(surface);
  }
  ++(whole ? paintCount_.Whole : paintCount_.Parts);
}

void TBoardView::paintEvent(QPaintEvent* event) {
  QPainter painter(viewport());
  const int w = viewport()->width(), h = viewport()->height();
  if (!board_ || w <= 0 || h <= 0) {
    painter.fillRect(viewport()->rect(), palette().window());
    // While the project is replaced (behind "Save changes?" and the
    // new-board dialog) the view has no board; the last picture stays, so
    // that the drawing area never goes blank behind the question.
    if (!board_) painter.drawImage(0, 0, PictureImage());
    return;
  }
  // The kept picture serves as long as the view is the same; a request for
  // the whole view paints everything again (that is how changes all over
  // the board arrive), a request for a part paints only what went stale in
  // it and copies the rest.
  const TPlatine& p = board_->Platine;
  const TPictureKey key{p.Zoom, p.ScrollX, p.ScrollY, w, h, antiAliased_, board_};
  const QRegion asked = event->region() & viewport()->rect();
  // An update of the tool's overlay alone never paints the board, however
  // much of the view it covers.
  const bool wholeAsked = (QRegion(viewport()->rect()) - asked).isEmpty() && !overlayOnly_;
  const bool whole = !(key == pictureKey_) || wholeStale_ || wholeAsked || (antiAliased_ ? !raster_ : plain_.isNull());
  overlayOnly_ = false;
  wholeStale_ = false;
  if (whole) {
    PaintPicture({}, true);
    pictureKey_ = key;
    stale_ = QRegion();
  } else if (const QRegion todo = stale_ & asked; !todo.isEmpty()) {
    PaintPicture(todo, false);
    stale_ -= todo;
  }
  painter.drawImage(0, 0, PictureImage());
  if (decoration_) {
    painter.save();
    decoration_(painter, ViewMapOf(p));
    painter.restore();
  }

  // The zoom tool's rectangle, over the picture.
  if (const QRect r = ZoomRectangle(); !r.isNull()) {
    painter.setPen(QPen(ToQColor(settings_.Scheme.Contrast()), 1, Qt::DashLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(r.adjusted(0, 0, -1, -1));
  }
  if (activeTool_) activeTool_->Paint(painter);
}

QRect TBoardView::ZoomRectangle() const {
  if (!board_ || !leftDown_ || settings_.ToolMode != kToolZoom) return {};
  const TDPoint from = ModelToPixel(board_->Platine, dragStart_);
  const QPoint a(int(std::lround(std::clamp(from.X, -1e6, 1e6))), int(std::lround(std::clamp(from.Y, -1e6, 1e6))));
  if (a == dragAt_) return {};
  return QRect(a, dragAt_).normalized();
}

void TBoardView::UpdateFrame(const QRect& r) {
  if (r.isNull()) return;
  // Only the frame's own pixels (and one around them) change.
  QRegion frame(r.adjusted(-1, -1, 1, 1));
  if (r.width() > 4 && r.height() > 4) frame -= QRegion(r.adjusted(2, 2, -2, -2));
  viewport()->update(frame);
}

// ---- mouse ----

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
  const QPoint at = event->position().toPoint();
  if (event->button() == Qt::MiddleButton) {
    panning_ = true;
    panFrom_ = at;
    event->accept();
    return;
  }
  if (!board_) {
    QAbstractScrollArea::mousePressEvent(event);
    return;
  }
  modifiers_ = event->modifiers();
  if (event->button() == Qt::LeftButton) {
    leftDown_ = true;
    dragStart_ = PixelToModel(board_->Platine, {double(at.x()), double(at.y())});
    dragAt_ = at;
    if (activeTool_) activeTool_->Press(MakePointer(at, event->modifiers(), Qt::LeftButton));
  } else if (event->button() == Qt::RightButton && !leftDown_ && Tool() == kToolZoom) {
    Zoom([this](TViewport vp) { ZoomStep(board_->Platine, board_->ZoomHistory, vp, false); });
  } else if (event->button() == Qt::RightButton && !leftDown_ && activeTool_) {
    activeTool_->RightClick(MakePointer(at, event->modifiers(), Qt::RightButton));
  }
  RefreshOverlay();
  event->accept();
}

void TBoardView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::MiddleButton) panning_ = false;
  if (event->button() != Qt::LeftButton || !leftDown_ || !board_) {
    QAbstractScrollArea::mouseReleaseEvent(event);
    return;
  }
  const QPoint at = event->position().toPoint();
  const TDPoint start = dragStart_;
  EndDrag();
  modifiers_ = event->modifiers();
  if (activeTool_) {
    activeTool_->Release(MakePointer(at, event->modifiers(), Qt::LeftButton));
    RefreshOverlay();
  }
  if (Tool() == kToolZoom) {
    TPlatine& p = board_->Platine;
    const TDPoint from = ModelToPixel(p, start), to{double(at.x()), double(at.y())};
    const bool click = !(std::abs(to.X - from.X) > kZoomRectMinPixels && std::abs(to.Y - from.Y) > kZoomRectMinPixels);
    Zoom([&](TViewport vp) { ZoomToolRectangle(p, board_->ZoomHistory, vp, from, to); });
    if (click) {
      // The clicked point (held on the board) is now in the middle of the
      // view: the pointer goes along, so that it stays on that point.
      const TDPoint on{std::clamp(start.X, 0.0, double(std::max(p.Width, 0))),
                       std::clamp(start.Y, -double(std::max(p.Height, 0)), 0.0)};
      const TDPoint px = ModelToPixel(p, on);
      QCursor::setPos(viewport()->mapToGlobal(QPoint(int(std::lround(px.X)), int(std::lround(px.Y)))));
    }
  }
  event->accept();
}

void TBoardView::mouseMoveEvent(QMouseEvent* event) {
  QAbstractScrollArea::mouseMoveEvent(event);
  if (!board_) return;
  const QPoint at = event->position().toPoint();
  modifiers_ = event->modifiers();
  if (panning_) {
    // The view moves with the pointer: scroll by start minus current.
    const QPoint delta = panFrom_ - at;
    panFrom_ = at;
    horizontalScrollBar()->setValue(horizontalScrollBar()->value() + delta.x());
    verticalScrollBar()->setValue(verticalScrollBar()->value() + delta.y());
  }
  PointerAt(at);
}

void TBoardView::PointerAt(QPoint at) {
  const QRect before = ZoomRectangle();
  dragAt_ = at;
  if (leftDown_) {
    const QRect after = ZoomRectangle();
    if (after != before) {
      UpdateFrame(before);
      UpdateFrame(after);
    }
    // The first step at an edge comes at once, the next ones from the timer.
    if (!edgeTimer_->isActive() && EdgeScrollStep()) edgeTimer_->start();
  }
  const TDPoint model = PixelToModel(board_->Platine, {double(at.x()), double(at.y())});
  if (activeTool_ && !panning_) {
    activeTool_->Move(MakePointer(at, modifiers_, Qt::NoButton));
    RefreshOverlay();
  }
  emit PointerMoved(at, model.X, model.Y);
}

void TBoardView::mouseDoubleClickEvent(QMouseEvent* event) {
  // The press of the second click: only the double-click counts.
  if (board_ && activeTool_ && event->button() == Qt::LeftButton) {
    activeTool_->DoubleClick(MakePointer(event->position().toPoint(), event->modifiers(), Qt::LeftButton));
    RefreshOverlay();
  }
  event->accept();
}

void TBoardView::leaveEvent(QEvent* event) {
  QAbstractScrollArea::leaveEvent(event);
  if (activeTool_ && !leftDown_) {
    // Nothing follows a pointer that is gone.
    dragAt_ = QPoint(-10000, -10000);
    activeTool_->Move(MakePointer(dragAt_, modifiers_, Qt::NoButton));
    RefreshOverlay();
  }
}

bool TBoardView::EdgeScrollStep() {
  if (!board_) return false;
  const TPixelOffset step = EdgeScrollDelta(board_->Platine, Viewport(), {double(dragAt_.x()), double(dragAt_.y())});
  if (step == TPixelOffset{}) return false;
  horizontalScrollBar()->setValue(horizontalScrollBar()->value() + step.X);
  verticalScrollBar()->setValue(verticalScrollBar()->value() + step.Y);
  return true;
}

void TBoardView::EndDrag() {
  const QRect frame = ZoomRectangle();
  leftDown_ = false;
  if (edgeTimer_) edgeTimer_->stop();
  UpdateFrame(frame);
}

void TBoardView::wheelEvent(QWheelEvent* event) {
  if (!board_ || event->angleDelta().y() == 0 || (event->buttons() & Qt::MiddleButton)) return;
  const QPointF at = event->position();
  const auto pointer = WheelZoom(board_->Platine, Viewport(), {at.x(), at.y()}, event->angleDelta().y() > 0);
  UpdateScrollBars();
  viewport()->update();
  if (pointer) QCursor::setPos(viewport()->mapToGlobal(QPoint(int(pointer->X), int(pointer->Y))));
  event->accept();
}

}  // namespace bs::app
