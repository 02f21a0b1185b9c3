#include "placement_tool.h"

#include <QCursor>
#include <QPainter>

#include "board_view.h"
#include "io/settings.h"
#include "edit/clipboard.h"
#include "edit/units.h"
#include "overlay.h"
#include "tool_geometry.h"
#include "tools.h"

namespace bs::app {

namespace {
// The pointer is nudged down this far when placing starts, so that the
// elements show at once.
constexpr int kNudgePixels = 12;
}  // namespace

void TPlacementTool::Prepare(TObjektList elements, const QString& hint) {
  prepared_ = std::move(elements);
  hint_ = hint;
}

void TPlacementTool::Activate() {
  shown_ = false;
  delta_ = {0, 0};
  TBoard* board = Board();
  if (!board || prepared_.empty()) return;
  host_.Project().Undo.Blocked = true;  // no undo while elements hang on the pointer
  reference_ = PreparedReferencePoint(prepared_, board->Platine);
  bounds_ = ListBounds(prepared_, WithoutSpokes(board->Platine), false);
  QWidget* vp = host_.BoardView().viewport();
  const QPoint at = vp->mapFromGlobal(QCursor::pos()) + QPoint(0, kNudgePixels);
  if (vp->rect().contains(at)) {
    QCursor::setPos(vp->mapToGlobal(at));
    TPointer p;
    p.Pixel = at;
    const TDPoint model = PixelToModel(board->Platine, {double(at.x()), double(at.y())});
    p.Model = model;
    Move(p);
  }
}

void TPlacementTool::Deactivate() {
  host_.Project().Undo.Blocked = false;
  shown_ = false;
}

void TPlacementTool::Move(const TPointer& p) {
  last_ = p;
  TBoard* board = Board();
  if (!board || prepared_.empty()) return;
  TMoveRequest r;
  r.Reference = reference_;
  r.Pointer = {p.Model.X - reference_.X, p.Model.Y - reference_.Y};
  r.Bounds = bounds_;
  r.Capture = CaptureOn(host_.Settings(), p);
  r.Ctrl = p.Ctrl();
  delta_ = MoveDelta(*board, r).Delta;
  shown_ = host_.BoardView().viewport()->rect().contains(p.Pixel);
}

void TPlacementTool::Modifiers(Qt::KeyboardModifiers mods) {
  TPointer p = last_;
  p.Modifiers = mods;
  Move(p);
}

void TPlacementTool::Press(const TPointer& p) {
  TBoard* board = Board();
  if (!board || prepared_.empty()) return;
  Move(p);
  host_.Project().Undo.Blocked = false;
  const size_t first = board->Elements.size();
  const TEditResult r = PlaceElements(host_.Project(), prepared_, delta_.X, delta_.Y);
  if (!r.Done()) return;
  // The placed elements stay selected in the edit tool.
  std::vector<TObjekt*> placed;
  for (size_t i = first; i < board->Elements.size(); ++i) placed.push_back(board->Elements[i].get());
  shown_ = false;
  host_.ChooseTool(kToolEdit);
  for (TObjekt* e : placed) {
    SetSelected(*e, true);
    host_.BoardView().InvalidateArea(CullBounds(*e));
  }
  host_.BoardEdited();
  host_.SelectionChanged();
}

std::vector<const TObjekt*> TPlacementTool::Elements() const {
  std::vector<const TObjekt*> out;
  if (!shown_) return out;
  for (const auto& e : prepared_) out.push_back(e.get());
  return out;
}

void TPlacementTool::Paint(QPainter& p) const {
  TBoardView& view = host_.BoardView();
  if (!view.Board()) return;
  PaintDragPreview(p, view.viewport()->size(), Elements(), view.Board()->Platine, delta_, view.Settings(),
                   view.AntiAliased());
}

QRegion TPlacementTool::OverlayRegion() const {
  TBoardView& view = host_.BoardView();
  if (!view.Board()) return {};
  return DragPreviewRegion(view.viewport()->size(), Elements(), view.Board()->Platine, delta_);
}

}  // namespace bs::app
