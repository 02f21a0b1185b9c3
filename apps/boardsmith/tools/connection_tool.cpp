#include "tools/connection_tool.h"

#include <QPainter>

#include "copper/connectivity.h"
#include "edit/pick.h"
#include "edit/undo.h"
#include "render/painter.h"
#include "tools/draw_tools.h"
#include "tools/tools.h"
#include "view/board_view.h"
#include "view/overlay.h"

namespace bs::app {

namespace {
bool IsCopperPad(const TObjekt& e) {
  return (e.Kind == kKindThtPad || e.Kind == kKindSmdPad) && IsCopperLayer(e.Layer);
}
}  // namespace

QString TConnectionTool::Hint() const {
  return first_ ? tr("CONNECTION:  Select second pad for connection, abort with right mouse button")
                : tr("CONNECTION:  Select first pad");
}

void TConnectionTool::Reset() { first_ = hovered_ = bandA_ = bandB_ = nullptr; }

void TConnectionTool::Activate() { Reset(); }

void TConnectionTool::Deactivate() { Reset(); }

void TConnectionTool::Validate() {
  TBoard* board = Board();
  for (TObjekt** e : {&first_, &hovered_, &bandA_, &bandB_})
    if (!OnBoard(board, *e)) *e = nullptr;
  if (!bandA_ || !bandB_) bandA_ = bandB_ = nullptr;
}

void TConnectionTool::Mark(TObjekt* e, bool on) {
  if (!e || (e->Selected != 0) == on) return;
  // The first pad stays highlighted while it waits for the second.
  if (!on && e == first_) return;
  e->Selected = on;
  host_.BoardView().InvalidateArea(CullBounds(*e));
}

void TConnectionTool::HoverBand(TObjekt* a, TObjekt* b) {
  if (a && a->Selected && b->Selected) return;
  if (a != bandA_ || b != bandB_) {
    Mark(bandA_, false);
    Mark(bandB_, false);
  }
  bandA_ = a;
  bandB_ = b;
  Mark(a, true);
  Mark(b, true);
  // The band itself is drawn in the highlight colour: repaint along it.
  if (a) {
    TURect r = CullBounds(*a);
    const TURect rb = CullBounds(*b);
    r.Left = std::min(r.Left, rb.Left);
    r.Right = std::max(r.Right, rb.Right);
    r.Bottom = std::min(r.Bottom, rb.Bottom);
    r.Top = std::max(r.Top, rb.Top);
    host_.BoardView().InvalidateArea(r);
  }
}

void TConnectionTool::Move(const TPointer& p) {
  TBoard* board = Board();
  if (!board) return;
  Validate();
  pointer_ = p.Pixel;
  const int i = PickElement(*board, p.Model, true, true);
  TObjekt* e = i >= 0 ? board->Elements[size_t(i)].get() : nullptr;
  if (e && IsCopperPad(*e)) {
    if (bandA_) {
      Mark(bandA_, false);
      Mark(bandB_, false);
      bandA_ = bandB_ = nullptr;
    }
    if (e != hovered_) {
      Mark(hovered_, false);
      Mark(e, true);
      hovered_ = e;
    }
  } else {
    Mark(hovered_, false);
    hovered_ = nullptr;
    if (!first_) {
      const TRubberBandHit hit = HitRubberBand(*board, ViewMapOf(board->Platine), p.Pixel.x(), p.Pixel.y());
      const bool had = bandA_ != nullptr;
      HoverBand(hit.A, hit.B);
      if (had != (bandA_ != nullptr))
        host_.BoardView().viewport()->setCursor(bandA_ ? Qt::PointingHandCursor : Qt::ArrowCursor);
    }
  }
}

void TConnectionTool::Press(const TPointer& p) {
  if (p.Button != Qt::LeftButton) return;
  TBoard* board = Board();
  if (!board) return;
  Move(p);
  TObjekt* a = nullptr;
  TObjekt* b = nullptr;
  if (bandA_) {
    a = bandA_;
    b = bandB_;
  } else if (first_ && hovered_ && hovered_ != first_) {
    a = first_;
    b = hovered_;
  }
  if (!a) {
    if (hovered_) first_ = hovered_;
    host_.ShowHint(Hint());
    return;
  }
  RecordUndo(host_.Project());
  ToggleConnection(*a, *b);
  first_ = nullptr;
  for (TObjekt* x : {a, b}) Mark(x, false);
  hovered_ = bandA_ = bandB_ = nullptr;
  host_.BoardView().Refresh();  // the band runs between the pads
  host_.BoardEdited();
  host_.ShowHint(Hint());
  host_.BoardView().viewport()->setCursor(Qt::ArrowCursor);
}

void TConnectionTool::RightClick(const TPointer&) {
  Validate();
  if (!first_) {
    host_.ChooseTool(kToolEdit);
    return;
  }
  TObjekt* was = first_;
  first_ = nullptr;
  if (was != hovered_) Mark(was, false);
  host_.ShowHint(Hint());
}

void TConnectionTool::Paint(QPainter& p) const {
  const TBoard* board = host_.BoardView().Board();
  if (!first_ || !board || !OnBoard(board, first_)) return;
  // A dotted line from the first pad to the pointer, inverting what it crosses.
  const QPointF from = PixelOf(board->Platine, Centre(*first_));
  p.save();
  p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  p.setPen(QPen(Qt::white, 1, Qt::DotLine));
  p.drawLine(from, QPointF(pointer_));
  p.restore();
}

QRegion TConnectionTool::OverlayRegion() const {
  const TBoard* board = host_.BoardView().Board();
  if (!first_ || !board || !OnBoard(board, first_)) return {};
  std::vector<QRect> pieces;
  AddSegment(pieces, PixelOf(board->Platine, Centre(*first_)), QPointF(pointer_), 2,
             host_.BoardView().viewport()->rect());
  QRegion r;
  for (const QRect& piece : pieces) r += piece;
  return r;
}

}  // namespace bs::app
