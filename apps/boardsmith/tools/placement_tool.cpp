#include "tools/placement_tool.h"

#include <QCursor>
#include <QPainter>

#include "edit/clipboard.h"
#include "edit/units.h"
#include "io/settings.h"
#include "tools/tool_geometry.h"
#include "tools/tools.h"
#include "view/board_view.h"
#include "view/overlay.h"

namespace bs::app {

namespace {
// The pointer is nudged down this far when placing starts, so that the
// elements show at once.
constexpr int kNudgePixels = 12;
}  // namespace

void TFollowTool::Prepare(TObjektList elements, const QString& hint) {
  prepared_ = std::move(elements);
  hint_ = hint;
}

void TFollowTool::Follow(std::optional<TDPoint> by, bool nudge) {
  shown_ = false;
  delta_ = {0, 0};
  TBoard* board = Board();
  following_ = board && !prepared_.empty();
  if (!following_) return;
  host_.Project().Undo.Blocked = true;  // no undo while elements hang on the pointer
  reference_ = by ? *by : PreparedReferencePoint(prepared_, board->Platine);
  bounds_ = ListBounds(prepared_, WithoutSpokes(board->Platine), false);
  if (!nudge) return;
  QWidget* vp = host_.BoardView().viewport();
  const QPoint at = vp->mapFromGlobal(QCursor::pos()) + QPoint(0, kNudgePixels);
  if (vp->rect().contains(at)) {
    QCursor::setPos(vp->mapToGlobal(at));
    TPointer p;
    p.Pixel = at;
    p.Model = PixelToModel(board->Platine, {double(at.x()), double(at.y())});
    Move(p);
  }
}

void TFollowTool::Drop() {
  host_.Project().Undo.Blocked = false;
  following_ = false;
  shown_ = false;
}

void TFollowTool::Deactivate() { Drop(); }

void TFollowTool::Move(const TPointer& p) {
  last_ = p;
  TBoard* board = Board();
  if (!board || !following_) return;
  TMoveRequest r;
  r.Reference = reference_;
  r.Pointer = {p.Model.X - reference_.X, p.Model.Y - reference_.Y};
  r.Bounds = bounds_;
  r.Capture = CaptureOn(host_.Settings(), p);
  r.Ctrl = p.Ctrl();
  delta_ = MoveDelta(*board, r).Delta;
  shown_ = host_.BoardView().viewport()->rect().contains(p.Pixel);
}

void TFollowTool::Modifiers(Qt::KeyboardModifiers mods) {
  TPointer p = last_;
  p.Modifiers = mods;
  Move(p);
}

std::vector<TObjekt*> TFollowTool::Place(const TPointer& p) {
  TBoard* board = Board();
  if (!board || !following_) return {};
  Move(p);
  host_.Project().Undo.Blocked = false;
  const size_t first = board->Elements.size();
  const TEditResult r = PlaceElements(host_.Project(), prepared_, delta_.X, delta_.Y);
  if (!r.Done()) {
    host_.Project().Undo.Blocked = true;
    return {};
  }
  std::vector<TObjekt*> placed;
  for (size_t i = first; i < board->Elements.size(); ++i) placed.push_back(board->Elements[i].get());
  for (TObjekt* e : placed) host_.BoardView().InvalidateArea(CullBounds(*e));
  Drop();
  host_.BoardEdited();
  return placed;
}

std::vector<const TObjekt*> TFollowTool::Elements() const {
  std::vector<const TObjekt*> out;
  if (!shown_ || !following_) return out;
  for (const auto& e : prepared_) out.push_back(e.get());
  return out;
}

void TFollowTool::Paint(QPainter& p) const {
  TBoardView& view = host_.BoardView();
  if (!view.Board()) return;
  PaintDragPreview(p, view.viewport()->size(), Elements(), view.Board()->Platine, delta_, view.Settings(),
                   view.AntiAliased());
}

QRegion TFollowTool::OverlayRegion() const {
  TBoardView& view = host_.BoardView();
  if (!view.Board()) return {};
  return DragPreviewRegion(view.viewport()->size(), Elements(), view.Board()->Platine, delta_);
}

void TPlacementTool::Activate() {
  if (!drag_) Follow();
}

void TPlacementTool::Deactivate() {
  drag_ = false;
  TFollowTool::Deactivate();
}

void TPlacementTool::PrepareDrag(TObjektList elements, const QString& hint) {
  Prepare(std::move(elements), hint);
  drag_ = true;
}

void TPlacementTool::DragMove(const TPointer& p) {
  if (!drag_) return;
  if (Prepared().empty()) return;
  if (!Following()) Follow(TDPoint{0, 0}, false);
  Move(p);
}

void TPlacementTool::Press(const TPointer& p) {
  if (drag_) return;  // a drag ends in a drop, not in a click
  const std::vector<TObjekt*> placed = Place(p);
  if (placed.empty()) return;
  // The placed elements stay selected in the edit tool.
  host_.ChooseTool(kToolEdit);
  for (TObjekt* e : placed) {
    SetSelected(*e, true);
    host_.BoardView().InvalidateArea(CullBounds(*e));
  }
  host_.SelectionChanged();
}

}  // namespace bs::app
