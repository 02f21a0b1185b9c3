#include "tools/draw_tools.h"

#include <QKeyEvent>
#include <QMessageBox>
#include <QPainter>

#include <algorithm>

#include "edit/board_ops.h"
#include "edit/create.h"
#include "edit/pick.h"
#include "edit/undo.h"
#include "io/settings.h"
#include "model/objekt_list.h"
#include "render/view.h"
#include "tools/tool_geometry.h"
#include "tools/tools.h"
#include "view/board_view.h"
#include "view/overlay.h"

namespace bs::app {

namespace {
// The arrow keys change sizes by this much (ten times with CTRL).
constexpr int32_t kArrowStep = 100;
constexpr int32_t kLargestSize = 999999;

int32_t ArrowStep(const QKeyEvent& key) { return key.modifiers() & Qt::ControlModifier ? 10 * kArrowStep : kArrowStep; }
}  // namespace

bool OnBoard(const TBoard* board, const TObjekt* e) { return board && Holds(board->Elements, e); }

// ---- tracks and zones ----

TObjekt* TPolylineTool::Drawing() const {
  TBoard* board = host_.Project().Active();
  return OnBoard(board, drawing_) ? drawing_ : nullptr;
}

void TPolylineTool::Activate() {
  drawing_ = nullptr;
  via_.reset();
  segment_.reset();
  bend_ = 1;
  shown_ = false;
}

void TPolylineTool::Deactivate() {
  Finish();
  shown_ = false;
}

QString TPolylineTool::Hint() const {
  if (zone_)
    return Drawing() ? tr("ZONE:  Left click for the next node, finish on the first node or with right mouse button")
                     : tr("ZONE:  Left click to select start point");
  return Drawing() ? tr("TRACK:  Left click for the next node, finish with right mouse button")
                   : tr("TRACK:  Left click to select start point");
}

void TPolylineTool::Press(const TPointer& p) {
  if (p.Button != Qt::LeftButton) return;
  Move(p);
  TBoard* board = Board();
  if (!board) return;
  TObjekt* e = Drawing();
  if (!e) {
    drawing_ = &StartPolyline(host_.Project(), at_, host_.NewSizes(), zone_, cutout_);
    via_.reset();
    e = drawing_;
  } else if (zone_ && e->Points.size() >= 3 && OnFirstVertex(*e, at_)) {
    Finish();
    return;
  } else {
    AddPolylineVertex(*e, at_, bend_);
  }
  Invalidate(*e);
  host_.BoardEdited();
  Move(p);
  host_.ShowHint(Hint());
  host_.ShowKeyPanel(true);
}

void TPolylineTool::Move(const TPointer& p) {
  Follow(p);
  segment_.reset();
  const TObjekt* e = Drawing();
  if (!e || e->Points.empty()) return;
  const TFPoint last = e->Points.back();
  segment_ = NewObjekt();
  InitTrack(*segment_, e->Width, e->Layer);
  AddPoint(*segment_, last);
  if (const auto b = BendPoint({last.X, last.Y}, at_, bend_))
    AddPoint(*segment_, {static_cast<float>(b->X), static_cast<float>(b->Y)});
  AddPoint(*segment_, {static_cast<float>(at_.X), static_cast<float>(at_.Y)});
  ShowValues();
}

std::vector<const TObjekt*> TPolylineTool::Preview() const {
  if (!segment_) return {};
  return {segment_.get()};
}

TCursorMark TPolylineTool::Mark() const {
  TCursorMark m = TCursorTool::Mark();
  const TObjekt* e = Drawing();
  const TBoard* board = host_.BoardView().Board();
  if (!e || e->Points.empty() || !board) return m;
  const TDPoint last{e->Points.back().X, e->Points.back().Y};
  m.Cross.From = PixelOf(board->Platine, last);
  m.Cross.Tick = true;
  m.Rows = CoordinateRows(board->Platine, at_, last, DisplayUnitOf(host_.Settings()));
  // Left of and above the last vertex the box moves out of the way.
  m.PreferLeft = at_.X < last.X && at_.Y > last.Y;
  return m;
}

void TPolylineTool::Finish() {
  TObjekt* e = Drawing();
  drawing_ = nullptr;
  segment_.reset();
  via_.reset();
  ShowValues();
  if (!e) return;
  host_.BoardView().InvalidateArea(CullBounds(*e));
  if (FinishPolyline(host_.Project(), *e, host_.Settings().Options.TracksOptimieren)) Invalidate(*e);
  host_.BoardEdited();
  host_.ShowHint(Hint());
  host_.ShowKeyPanel(true);
}

void TPolylineTool::RightClick(const TPointer&) {
  if (Drawing()) Finish();
  else host_.ChooseTool(kToolEdit);
}

void TPolylineTool::ChangeWidth(int32_t by) {
  TObjekt* e = Drawing();
  if (!e) return;
  int32_t& width = host_.Settings().Sizes.Track;
  width = std::clamp(e->Width + by, 0, kLargestSize);
  host_.BoardView().InvalidateArea(CullBounds(*e));
  e->Width = width;
  Invalidate(*e);
  host_.SizesChanged();
  Move(last_);
}

void TPolylineTool::MoveToLayer(int layer) {
  TBoard* board = Board();
  TObjekt* e = Drawing();
  if (!board) return;
  if (e) {
    host_.BoardView().InvalidateArea(CullBounds(*e));
    e->Layer = static_cast<uint8_t>(layer);
  }
  SetActiveLayer(board->Platine, board->Elements, layer);
  host_.ActiveLayerChanged();
  Move(last_);
}

bool TPolylineTool::Key(const QKeyEvent& key, bool pressed) {
  TObjekt* e = Drawing();
  if (!e) return false;
  const int active = Board()->Platine.ActiveLayer;
  switch (key.key()) {
    case Qt::Key_Space:
      // While drawing the space bar chooses the next bend mode.
      if (pressed) {
        bend_ = bend_ % 5 + 1;
        Move(last_);
        host_.ShowKeyPanel(true);
      }
      return true;
    case Qt::Key_Delete:
      if (!pressed) return false;
      if (e->Points.size() > 1) {
        host_.BoardView().InvalidateArea(CullBounds(*e));
        RemoveLastVertex(*e);
        Move(last_);
      }
      return true;
    case Qt::Key_Left:
    case Qt::Key_Down:
    case Qt::Key_Right:
    case Qt::Key_Up: {
      if (!pressed || zone_) return false;
      const bool more = key.key() == Qt::Key_Right || key.key() == Qt::Key_Up;
      ChangeWidth(more ? ArrowStep(key) : -ArrowStep(key));
      return true;
    }
    case Qt::Key_F9:
      if (!pressed) return false;
      if (zone_) MoveToLayer(active == kLayerC1 ? kLayerC2 : kLayerC1);
      else if (via_ && e->Points.size() == 1) ViaStepBack();
      else ViaStep();
      host_.BoardEdited();
      return true;
    case Qt::Key_F11:
      if (!pressed) return false;
      MoveToLayer(active == kLayerS1 ? kLayerS2 : active == kLayerS2 ? kLayerO : kLayerS1);
      return true;
    default: return false;
  }
}

void TPolylineTool::ViaStep() {
  TBoard* board = Board();
  TObjekt* track = Drawing();
  if (!board || !track || track->Points.empty()) return;
  TProject& project = host_.Project();
  const TDPoint v{track->Points.back().X, track->Points.back().Y};
  TViaStepDone done;
  done.Layer = board->Platine.ActiveLayer;
  Finish();
  done.Previous = OnBoard(board, track) ? track : nullptr;
  TObjekt* pad = ThtPadAt(*board, v);
  if (pad && !pad->Via) {
    const auto answer = QMessageBox::question(host_.BoardView().window(), QStringLiteral("Boardsmith"),
                                              tr("Change the pad into a throughhole-pad (via)?"));
    if (answer == QMessageBox::Yes) {
      RecordUndo(project);
      pad->Via = 1;
      done.Converted = true;
    }
  } else if (!pad) {
    TNewSizes sizes = host_.NewSizes();
    sizes.ThroughPad = true;
    pad = &PlaceThtPad(project, v, sizes);
    done.Placed = true;
  }
  done.Pad = pad;
  Invalidate(*pad);
  MoveToLayer(done.Layer == kLayerC1 ? kLayerC2 : kLayerC1);
  drawing_ = &StartPolyline(project, v, host_.NewSizes(), false, false);
  via_ = done;
  Move(last_);
  host_.ShowHint(Hint());
  host_.ShowKeyPanel(true);
}

void TPolylineTool::ViaStepBack() {
  TBoard* board = Board();
  const TViaStepDone done = *via_;
  TProject& project = host_.Project();
  // The new track with its one vertex goes with its undo step ...
  Finish();
  // ... and so does the pad of the first F9, or its through-pad mark.
  if (OnBoard(board, done.Pad)) {
    Invalidate(*done.Pad);
    if (done.Placed) {
      DeleteObjekt(board->Elements, done.Pad);
      DiscardLastUndo(project);
    } else if (done.Converted) {
      done.Pad->Via = 0;
      DiscardLastUndo(project);
    }
  }
  MoveToLayer(done.Layer);
  // Drawing goes on at the end of the track before.
  if (OnBoard(board, done.Previous)) drawing_ = done.Previous;
  Move(last_);
  host_.ShowHint(Hint());
  host_.ShowKeyPanel(true);
}

// ---- circles and rectangles ----

void TDragShapeTool::Activate() {
  start_.reset();
  shape_.reset();
  shown_ = false;
}

void TDragShapeTool::Deactivate() { Activate(); }

QString TDragShapeTool::Hint() const {
  return circle_ ? tr("CIRCLE:  Left click to select center, hold button and draw radius")
                 : tr("RECTANGLE:  Left click to select start point, hold button and draw rectangle");
}

void TDragShapeTool::Rebuild() {
  shape_.reset();
  TBoard* board = Board();
  if (!board || !start_) return;
  const int layer = board->Platine.ActiveLayer;
  const TNewSizes sizes = host_.NewSizes();
  shape_ =
      circle_ ? MakeCircle(layer, *start_, at_, sizes) : MakeRectangle(layer, *start_, at_, sizes, filled_, cutout_);
}

void TDragShapeTool::Press(const TPointer& p) {
  if (p.Button != Qt::LeftButton) return;
  Follow(p);
  start_ = at_;
  Rebuild();
}

void TDragShapeTool::Move(const TPointer& p) {
  Follow(p);
  Rebuild();
  ShowValues();
}

void TDragShapeTool::Release(const TPointer& p) {
  if (p.Button != Qt::LeftButton || !start_) return;
  Follow(p);
  TProject& project = host_.Project();
  const TNewSizes sizes = host_.NewSizes();
  TObjekt* made = circle_ ? CreateCircle(project, *start_, at_, sizes)
                          : CreateRectangle(project, *start_, at_, sizes, filled_, cutout_);
  start_.reset();
  shape_.reset();
  ShowValues();
  if (!made) return;
  Invalidate(*made);
  host_.BoardEdited();
}

std::vector<const TObjekt*> TDragShapeTool::Preview() const {
  if (!shape_) return {};
  return {shape_.get()};
}

TCursorMark TDragShapeTool::Mark() const {
  TCursorMark m = TCursorTool::Mark();
  // Rectangles have no crosshair; the drag shows its values all the same.
  if (!circle_) m.Shown = false;
  const TBoard* board = host_.BoardView().Board();
  if (start_ && board) m.Rows = CoordinateRows(board->Platine, at_, start_, DisplayUnitOf(host_.Settings()));
  return m;
}

// ---- THT and SMD pads ----

void TPadTool::Activate() {
  pad_.reset();
  shown_ = false;
}

void TPadTool::Deactivate() { Activate(); }

QString TPadTool::Hint() const {
  return smd_ ? tr("SMD-PAD:  Place with left mouse button, abort with right mouse button")
              : tr("PAD:  Place with left mouse button, abort with right mouse button");
}

void TPadTool::Rebuild() {
  pad_.reset();
  TBoard* board = Board();
  if (!board) return;
  const int layer = board->Platine.ActiveLayer;
  pad_ = smd_ ? MakeSmdPad(layer, at_, host_.NewSizes()) : MakeThtPad(layer, at_, host_.NewSizes());
}

void TPadTool::Move(const TPointer& p) {
  Follow(p);
  Rebuild();
}

void TPadTool::Press(const TPointer& p) {
  if (p.Button != Qt::LeftButton || !Board()) return;
  Move(p);
  TProject& project = host_.Project();
  TObjekt& e = smd_ ? PlaceSmdPad(project, at_, host_.NewSizes()) : PlaceThtPad(project, at_, host_.NewSizes());
  Invalidate(e);
  host_.BoardEdited();
}

bool TPadTool::Key(const QKeyEvent& key, bool pressed) {
  const int k = key.key();
  if (!pressed || (k != Qt::Key_Left && k != Qt::Key_Right && k != Qt::Key_Up && k != Qt::Key_Down)) return false;
  const int32_t step = (k == Qt::Key_Right || k == Qt::Key_Up) ? ArrowStep(key) : -ArrowStep(key);
  auto& s = host_.Settings().Sizes;
  const bool vertical = k == Qt::Key_Up || k == Qt::Key_Down;
  if (smd_) {
    int32_t& side = vertical ? s.SMDY : s.SMDX;
    side = std::clamp(side + step, 0, kLargestSize);
  } else if (vertical) {
    // The outer diameter; the drill stays inside it.
    s.Circle1 = std::clamp(s.Circle1 + step, 0, kLargestSize - 1);
    s.Circle2 = std::min(s.Circle2, s.Circle1);
  } else {
    s.Circle2 = std::clamp(s.Circle2 + step, 0, s.Circle1);
  }
  host_.SizesChanged();
  Rebuild();
  return true;
}

TCursorMark TPadTool::Mark() const {
  // Pads show at the pointer without a crosshair.
  TCursorMark m = TCursorTool::Mark();
  m.Shown = false;
  return m;
}

std::vector<const TObjekt*> TPadTool::Preview() const {
  if (!pad_) return {};
  return {pad_.get()};
}

// ---- solder mask ----

void TSolderMaskTool::Activate() { hovered_ = nullptr; }

void TSolderMaskTool::Deactivate() { Highlight(nullptr); }

QString TSolderMaskTool::Hint() const {
  return tr("SOLDER-MASK:  Select an element to add or delete it from the solder mask");
}

void TSolderMaskTool::Highlight(TObjekt* e) {
  TBoard* board = Board();
  if (!OnBoard(board, hovered_)) hovered_ = nullptr;
  if (e == hovered_) return;
  for (TObjekt* x : {hovered_, e}) {
    if (!x) continue;
    x->Selected = x == e;
    host_.BoardView().InvalidateArea(CullBounds(*x));
  }
  hovered_ = e;
}

void TSolderMaskTool::Move(const TPointer& p) {
  TBoard* board = Board();
  if (!board) return;
  const int i = PickElement(*board, p.Model, false, true);
  TObjekt* e = i >= 0 ? board->Elements[size_t(i)].get() : nullptr;
  // Only what lies on an outer copper side has an opening in the mask.
  if (e && !(e->Layer == kLayerC1 || e->Layer == kLayerC2 || (e->Kind == kKindThtPad && e->Via))) e = nullptr;
  Highlight(e);
}

void TSolderMaskTool::Press(const TPointer& p) {
  if (p.Button != Qt::LeftButton) return;
  Move(p);
  if (!hovered_) return;
  if (!ToggleSolderMask(host_.Project(), *hovered_).Done()) return;
  host_.BoardView().InvalidateArea(CullBounds(*hovered_));
  host_.BoardEdited();
}

}  // namespace bs::app
