#include "tools/tool.h"

#include <cmath>

#include "io/settings.h"
#include "render/painter.h"
#include "render/view.h"
#include "tools/tool_geometry.h"
#include "tools/tools.h"
#include "view/board_view.h"
#include "view/overlay.h"

namespace bs::app {

void TTool::RightClick(const TPointer&) { host_.ChooseTool(kToolEdit); }

TBoard* TTool::Board() { return host_.Project().Active(); }

TDisplayUnit DisplayUnitOf(const TSettings& settings) {
  return settings.Options.MIL ? TDisplayUnit::Mil : TDisplayUnit::Mm;
}

bool CaptureOn(const TSettings& settings, const TPointer& p) {
  return settings.Options.Fang && !(p.Ctrl() && p.Shift());
}

QPointF PixelOf(const TPlatine& board, TDPoint model) {
  const TDPoint px = ModelToPixel(board, model);
  return {px.X, px.Y};
}

TCursorMark CursorMarkAt(TToolHost& host, TDPoint at, bool captured) {
  TCursorMark m;
  TBoardView& view = host.BoardView();
  const TBoard* board = view.Board();
  if (!board) return m;
  const auto& o = host.Settings().Options;
  m.View = view.viewport()->size();
  m.Cross.At = PixelOf(board->Platine, at);
  m.Cross.Captured = captured;
  m.Look.Scheme = view.Settings().Scheme;
  m.Look.Diagonals = o.FK_Diagonal;
  m.Look.AntiAliased = view.AntiAliased();
  // The box is drawn in the anti-aliased look only.
  m.ShowBox = o.FK_TextBox && view.AntiAliased();
  m.Style = {o.FK_TextBig, o.FK_TextBlack, o.FK_Transparent};
  m.Shown = QRectF(QPointF(0, 0), QSizeF(m.View)).contains(m.Cross.At);
  m.Rows = CoordinateRows(board->Platine, at, std::nullopt, DisplayUnitOf(host.Settings()));
  return m;
}

std::vector<TBoxRow> CoordinateRows(const TPlatine& board, TDPoint at, std::optional<TDPoint> start,
                                    TDisplayUnit unit) {
  const TCoordinateText t = CoordinateReadout(board, at, unit);
  std::vector<TBoxRow> rows = {{1, "X:", QString::fromStdString(t.X)}, {2, "Y:", QString::fromStdString(t.Y)}};
  if (start) {
    const double dx = at.X - start->X, dy = at.Y - start->Y;
    auto length = [unit](double v) { return QString::fromStdString(FormatLength(v, -1, unit)); };
    rows.push_back({3, "dX:", length(dx)});
    rows.push_back({4, "dY:", length(dy)});
    rows.push_back({5, "L:", length(std::hypot(dx, dy))});
  }
  return rows;
}

QString DragValuesText(const std::vector<TBoxRow>& rows) {
  QStringList parts;
  for (const TBoxRow& r : rows)
    if (r.Row >= 3) parts << r.Label + " " + r.Value;
  return parts.join("   ");
}

// ---- the cursor and its crosshair ----

void TCursorTool::Follow(const TPointer& p) {
  last_ = p;
  const TBoard* board = Board();
  if (!board) return;
  const TCursorPosition c = CursorPosition(*board, p.Model, CaptureOn(host_.Settings(), p), p.Ctrl());
  at_ = c.At;
  captured_ = c.Captured;
  shown_ = host_.BoardView().viewport()->rect().contains(p.Pixel);
}

void TCursorTool::Modifiers(Qt::KeyboardModifiers mods) {
  TPointer p = last_;
  p.Modifiers = mods;
  Move(p);
}

TCursorMark TCursorTool::Mark() const {
  TCursorMark m = CursorMarkAt(host_, at_, captured_);
  m.Shown = m.Shown && shown_;
  return m;
}

void TCursorTool::Paint(QPainter& p) const {
  TBoardView& view = host_.BoardView();
  if (!view.Board()) return;
  if (shown_) {
    PaintDragPreview(p, view.viewport()->size(), Preview(), view.Board()->Platine, {0, 0}, view.Settings(),
                     view.AntiAliased());
  }
  Mark().Paint(p);
}

QRegion TCursorTool::OverlayRegion() const {
  TBoardView& view = host_.BoardView();
  if (!view.Board()) return {};
  QRegion r = Mark().Region();
  if (shown_) r += DragPreviewRegion(view.viewport()->size(), Preview(), view.Board()->Platine, {0, 0});
  return r;
}

void TCursorTool::ShowValues() {
  const TCursorMark m = Mark();
  host_.ShowDragValues(m.Rows.size() > 2 && !m.ShowBox ? DragValuesText(m.Rows) : QString());
}

void TCursorTool::Invalidate(const TObjekt& e) { host_.BoardView().InvalidateArea(CullBounds(e)); }

}  // namespace bs::app
