#include "edit/transform_ops.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "edit/undo.h"
#include "edit/units.h"
#include "io/macro_file.h"
#include "model/geometry.h"
#include "model/objekt_list.h"
#include "model/placement.h"
#include "render/text_strokes.h"

namespace bs {

namespace {

TFPoint F(TDPoint p) { return {static_cast<float>(p.X), static_cast<float>(p.Y)}; }
TDPoint D(TFPoint p) { return {p.X, p.Y}; }

int32_t Degrees360(int64_t a) {
  a %= 360;
  return static_cast<int32_t>(a < 0 ? a + 360 : a);
}

// Turns an upside-down label half round and rebuilds its strokes in place.
void MakeReadable(TObjekt& label) {
  if (!ReadsUpsideDown(label)) return;
  label.Rotation = Degrees360(int64_t{label.Rotation} + 180);
  const int32_t clearance = label.SubElements.empty() ? label.Clearance : label.SubElements.front()->Clearance;
  BuildTextStrokes(label, true, clearance);
}

bool SelectionHasComponents(const TObjektList& list) {
  for (const auto& e : list)
    if (e->Selected && e->ComponentNo != 0) return true;
  return false;
}

bool IsSelected(const TObjekt& e) { return e.Selected != 0; }

std::vector<TFollowVertex> SelectionFollowers(const TBoard& board, const TEditOptions& options) {
  return FollowingVertices(board.Elements, options.FollowLevel, board.Platine.Multilayer != 0, IsSelected);
}

// The centre of the selection's bounding rectangle without thermal spokes.
TDPoint Pivot(const TBoard& board) { return SelectionCentre(board.Elements, WithoutSpokes(board.Platine)); }

TEditResult Done(bool componentsChanged = false) {
  TEditResult r;
  r.Status = TEditStatus::Done;
  r.ComponentsChanged = componentsChanged;
  return r;
}

TEditResult NeedsComponentConfirmation() {
  TEditResult r;
  r.Status = TEditStatus::NeedsConfirmation;
  r.Message = kComponentSideWarning;
  return r;
}

// The reference point of a unit: that of the unit's elements taken as a set
// (pad centres first, then track and zone vertices, then circle centres, the
// upper-left candidate winning).
TDPoint UnitReference(const TUnit& unit, const TPlatine& board) {
  TObjektList copies;
  copies.reserve(unit.size());
  for (const TObjekt* e : unit) copies.push_back(ScratchCopy(*e));
  return MacroReferencePoint(copies, false, {board.Grid, {double(board.OriginX), double(board.OriginY)}});
}

TDPoint OwnReference(const TObjekt& e) {
  switch (e.Kind) {
    case kKindThtPad:
    case kKindSmdPad:
    case kKindCircle: return Centre(e);
    case kKindTrack:
    case kKindZone: return AnchorPoint(e);
    default: return D(e.Pos);  // texts and legacy texts: the anchor
  }
}

struct TUnitMove {
  TUnit Unit;
  TDPoint Delta;
};

// Moves the units and the track vertices following their pads.
void ApplyMoves(TBoard& board, const std::vector<TUnitMove>& moves, int followLevel) {
  std::unordered_map<const TObjekt*, TDPoint> deltaOf;
  for (const TUnitMove& m : moves)
    for (const TObjekt* e : m.Unit) deltaOf[e] = m.Delta;
  const auto followers = FollowingVertices(board.Elements, followLevel, board.Platine.Multilayer != 0,
                                           [&](const TObjekt& e) { return deltaOf.count(&e) != 0; });
  for (const TUnitMove& m : moves)
    for (TObjekt* e : m.Unit) MoveObjekt(*e, m.Delta.X, m.Delta.Y);
  for (const TFollowVertex& f : followers) {
    const TDPoint d = deltaOf[f.Pad];
    TFPoint& p = f.Track->Points[f.Index];
    p = F({p.X + d.X, p.Y + d.Y});
  }
}

}  // namespace

TEditResult RotateSelection(TProject& project, double angleTenths, bool counterClockwise, const TEditOptions& options) {
  TBoard* board = project.Active();
  double a = angleTenths / 10;
  if (counterClockwise) a = -a;
  if (!board || !AnySelected(board->Elements) || a == 0 || !std::isfinite(a)) return {};
  RecordUndo(project);
  const TDPoint pivot = Pivot(*board);
  const auto followers = SelectionFollowers(*board, options);
  for (const auto& e : board->Elements) {
    if (!e->Selected) continue;
    RotateObjekt(*e, pivot, a);
    if (options.ReadableLabels && IsComponentLabel(*e)) MakeReadable(*e);
  }
  TurnPlacements(board->Elements, a);
  for (const TFollowVertex& f : followers)
    f.Track->Points[f.Index] = F(RotatePoint(D(f.Track->Points[f.Index]), pivot, -a));
  return Done(SelectionHasComponents(board->Elements));
}

TEditResult MirrorSelection(TProject& project, TMirror mirror, bool componentsConfirmed, const TEditOptions& options) {
  TBoard* board = project.Active();
  if (!board || !AnySelected(board->Elements)) return {};
  const bool components = SelectionHasComponents(board->Elements);
  if (components && !componentsConfirmed) return NeedsComponentConfirmation();
  RecordUndo(project);
  const TDPoint pivot = Pivot(*board);
  const auto followers = SelectionFollowers(*board, options);
  const bool horizontal = mirror == TMirror::Horizontal;
  for (const auto& e : board->Elements) {
    if (!e->Selected) continue;
    if (horizontal) MirrorHorizontally(*e, pivot.X);
    else MirrorVertically(*e, pivot.Y);
  }
  for (const TFollowVertex& f : followers) {
    TFPoint& p = f.Track->Points[f.Index];
    if (horizontal) p.X = static_cast<float>(2 * pivot.X - p.X);
    else p.Y = static_cast<float>(2 * pivot.Y - p.Y);
  }
  return Done(components);
}

TEditResult ChangeBoardSide(TProject& project, bool componentsConfirmed) {
  TBoard* board = project.Active();
  if (!board) return {};
  auto otherSide = [](uint8_t layer) -> uint8_t {
    switch (layer) {
      case kLayerC1: return kLayerC2;
      case kLayerC2: return kLayerC1;
      case kLayerS1: return kLayerS2;
      case kLayerS2: return kLayerS1;
      default: return layer;
    }
  };
  bool any = false;
  for (const auto& e : board->Elements) any |= e->Selected && otherSide(e->Layer) != e->Layer;
  if (!any) return {};
  const bool components = SelectionHasComponents(board->Elements);
  if (components && !componentsConfirmed) return NeedsComponentConfirmation();
  RecordUndo(project);
  for (const auto& e : board->Elements)
    if (e->Selected) SetObjektLayer(*e, otherSide(e->Layer));
  return Done(components);
}

TEditResult SetSelectionLayer(TProject& project, uint8_t layer) {
  TBoard* board = project.Active();
  if (!board) return {};
  if (layer < kLayerC1 || layer > kLayerO) {
    TEditResult r;
    r.Status = TEditStatus::Failed;
    r.Message = "There is no layer " + std::to_string(layer) + ".";
    return r;
  }
  const bool copper = IsCopperLayer(layer);
  auto differs = [&](const TObjekt& e) {
    if (e.Layer != layer) return true;
    if (copper) return false;
    return e.Cutout != 0 || (IsPad(e) && (e.Via != 0 || e.Thermal != 0));
  };
  bool any = false;
  for (const auto& e : board->Elements) any |= e->Selected && differs(*e);
  if (!any) return {};
  RecordUndo(project);
  bool components = false;
  for (const auto& e : board->Elements) {
    if (!e->Selected) continue;
    SetObjektLayer(*e, layer);
    components |= e->ComponentNo != 0;
    if (copper) continue;
    e->Cutout = 0;
    if (IsPad(*e)) {
      e->Via = 0;
      e->Thermal = 0;
    }
  }
  return Done(components);
}

TEditResult AlignSelection(TProject& project, TAlign align) {
  TBoard* board = project.Active();
  if (!board || !AnySelected(board->Elements)) return {};
  const TPlatine& platine = board->Platine;
  const TURect r = SelectionBounds(board->Elements, platine);
  auto mid = [](int32_t a, int32_t b) { return (double(a) + b) / 2; };
  std::vector<TUnitMove> moves;
  for (TUnit& unit : SelectedUnits(board->Elements)) {
    const auto u = UnitBounds(unit, platine);
    if (!u) continue;
    TDPoint d;
    switch (align) {
      case TAlign::Top: d.Y = double(r.Bottom) - u->Bottom; break;  // y up: Bottom is the upper edge
      case TAlign::Bottom: d.Y = double(r.Top) - u->Top; break;
      case TAlign::Left: d.X = double(r.Left) - u->Left; break;
      case TAlign::Right: d.X = double(r.Right) - u->Right; break;
      case TAlign::HorizontalCentre: d.X = mid(r.Left, r.Right) - mid(u->Left, u->Right); break;
      case TAlign::VerticalCentre: d.Y = mid(r.Top, r.Bottom) - mid(u->Top, u->Bottom); break;
    }
    if (d.X != 0 || d.Y != 0) moves.push_back({std::move(unit), d});
  }
  if (moves.empty()) return {};
  RecordUndo(project);
  bool components = false;
  for (const TUnitMove& m : moves)
    for (TObjekt* e : m.Unit) {
      MoveObjekt(*e, m.Delta.X, m.Delta.Y);
      components |= e->ComponentNo != 0;
    }
  return Done(components);
}

TEditResult SnapSelectionToGrid(TProject& project, const TEditOptions& options) {
  TBoard* board = project.Active();
  if (!board) return {};
  const TPlatine& platine = board->Platine;
  const TDPoint origin{double(platine.OriginX), double(platine.OriginY)};
  std::vector<TUnitMove> moves;
  bool components = false;
  for (TUnit& unit : SelectedUnits(board->Elements)) {
    const TObjekt& first = *unit.front();
    const bool grouped = InnermostGroup(first) > 0 || first.ComponentNo != 0;
    const TDPoint ref = grouped ? UnitReference(unit, platine) : OwnReference(first);
    const TDPoint on = SnapToGrid(ref, platine.Grid, origin);
    const TDPoint d{on.X - ref.X, on.Y - ref.Y};
    if (d.X == 0 && d.Y == 0) continue;
    components |= first.ComponentNo != 0;
    moves.push_back({std::move(unit), d});
  }
  if (moves.empty()) return {};
  RecordUndo(project);
  ApplyMoves(*board, moves, options.FollowLevel);
  return Done(components);
}

TEditResult BuildGroup(TProject& project) {
  TBoard* board = project.Active();
  if (!board || SelectedUnitCount(board->Elements) < 2) return {};
  RecordUndo(project);
  const int32_t group = NextFreeGroupNo(board->Elements);
  for (const auto& e : board->Elements)
    if (e->Selected) AddGroupNumber(*e, group);
  return Done();
}

TEditResult SplitGroup(TProject& project) {
  TBoard* board = project.Active();
  if (!board) return {};
  bool any = false;
  for (const auto& e : board->Elements) any |= e->Selected && !e->Groups.empty();
  if (!any) return {};
  RecordUndo(project);
  for (const auto& e : board->Elements)
    if (e->Selected && !e->Groups.empty()) e->Groups.pop_back();
  return Done();
}

}  // namespace bs
