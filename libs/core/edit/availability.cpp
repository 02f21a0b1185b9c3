#include "edit/availability.h"

#include "edit/clipboard.h"
#include "edit/units.h"

namespace bs {

namespace {
constexpr int kToolConnections = 9;
constexpr int kToolAutoroute = 11;
}  // namespace

TCommandState CommandState(TProject& project, const TClipboard& clipboard, int tool) {
  TCommandState s;
  s.Paste = !clipboard.Empty();
  const bool severalBoards = project.Boards.size() > 1;
  s.DeleteBoard = s.MoveBoard = severalBoards;
  TBoard* board = project.Active();
  if (!board) return s;
  const TObjektList& list = board->Elements;

  bool selected = false, grouped = false, rubberBand = false, throughPadFits = false;
  for (const auto& e : list) {
    rubberBand |= IsPad(*e) && !e->Connections.empty();
    if (!e->Selected) continue;
    selected = true;
    grouped |= !e->Groups.empty();
    throughPadFits |= e->Kind == kKindThtPad && IsCopperLayer(e->Layer);
  }
  const bool editable = selected && tool != kToolConnections && tool != kToolAutoroute;
  s.Copy = s.Cut = s.Delete = s.Duplicate = s.Rotate = s.MirrorHorizontal = s.MirrorVertical = editable;
  s.SnapToGrid = s.ChangeBoardSide = s.SetToLayer = s.Name = s.MakeComponent = editable;
  s.TileArrange = s.ZoomSelection = editable;
  s.BuildGroup = s.Align = editable && SelectedUnitCount(list) > 1;
  s.SplitGroup = grouped;
  s.SelectAll = s.ZoomObjects = !list.empty();
  s.Undo = !board->UndoStack.empty();
  s.Redo = !board->RedoStack.empty();
  s.ZoomPrevious = !board->ZoomHistory.empty();
  s.RemoveConnections = rubberBand;
  s.ThroughPad = !selected || throughPadFits;
  return s;
}

int32_t SelectedComponent(TProject& project) {
  TBoard* board = project.Active();
  if (!board) return 0;
  int32_t component = 0;
  for (const auto& e : board->Elements) {
    if (!e->Selected) continue;
    if (e->ComponentNo == 0) {
      if (e->Groups.empty()) return 0;
      continue;
    }
    if (component != 0 && component != e->ComponentNo) return 0;
    component = e->ComponentNo;
  }
  if (component == 0) return 0;
  for (const auto& e : board->Elements) {
    const bool hiddenLabel = IsComponentLabel(*e) && !e->LabelVisible;
    if (e->ComponentNo == component && !e->Selected && !hiddenLabel) return 0;
  }
  return component;
}

}  // namespace bs
