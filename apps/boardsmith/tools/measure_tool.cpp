#include "tools/measure_tool.h"

#include <QPainter>

#include "io/settings.h"
#include "tools/tool_geometry.h"
#include "view/board_view.h"
#include "view/overlay.h"

namespace bs::app {

void TMeasureTool::Activate() {
  start_.reset();
  shown_ = false;
}

void TMeasureTool::Deactivate() {
  start_.reset();
  shown_ = false;
}

QString TMeasureTool::Hint() const { return tr("DISTANCE:  Click to starting point, hold button and move the mouse"); }

void TMeasureTool::Press(const TPointer& p) {
  Follow(p);
  start_ = at_;
  ShowValues();
}

void TMeasureTool::Move(const TPointer& p) {
  Follow(p);
  ShowValues();
}

void TMeasureTool::Release(const TPointer& p) {
  Follow(p);
  start_.reset();
  ShowValues();
}

TCursorMark TMeasureTool::Mark() const {
  TCursorMark m = TCursorTool::Mark();
  // The box is always there in this tool (in the anti-aliased look).
  m.ShowBox = host_.BoardView().AntiAliased();
  const TBoard* board = host_.BoardView().Board();
  if (!board || !start_) return m;
  const TPlatine& b = board->Platine;
  m.Cross.Measure = PixelOf(b, *start_);
  m.Rows = CoordinateRows(b, at_, start_, DisplayUnitOf(host_.Settings()));
  const double angle = MeasureAngle(*m.Cross.Measure, m.Cross.At);
  m.Rows.push_back({6, tr("Angle:"), QString::number(angle, 'g', 3) + "°"});
  return m;
}

}  // namespace bs::app
