#include "edit/board_ops.h"

#include <algorithm>
#include <cstdint>
#include <unordered_set>

#include "edit/undo.h"
#include "edit/units.h"
#include "model/geometry.h"
#include "model/objekt_list.h"

namespace bs {

namespace {

TEditResult Done(bool componentsChanged = false) {
  TEditResult r;
  r.Status = TEditStatus::Done;
  r.ComponentsChanged = componentsChanged;
  return r;
}

bool Meets(const TURect& r, const TPlatine& board) {
  return r.Right >= 0 && r.Left <= board.Width && r.Bottom >= -int64_t{board.Height} && r.Top <= 0;
}

}  // namespace

bool SelectAll(TProject& project) {
  TBoard* board = project.Active();
  if (!board) return false;
  bool any = false;
  for (const auto& e : board->Elements) {
    if (!ShownOnScreen(*e, board->Platine) || (IsComponentLabel(*e) && !e->LabelVisible)) continue;
    SetSelected(*e, true);
    any = true;
  }
  return any;
}

TByteString FirstSelectedName(TProject& project) {
  if (TBoard* board = project.Active())
    for (const auto& e : board->Elements)
      if (e->Selected && !e->Text2.empty()) return e->Text2;
  return {};
}

TEditResult NameSelection(TProject& project, const TByteString& name) {
  TBoard* board = project.Active();
  if (!board) return {};
  const TByteString n = TrimBlanks(name);
  bool any = false;
  for (const auto& e : board->Elements) any |= e->Selected && e->Text2 != n;
  if (!any) return {};
  RecordUndo(project);
  for (const auto& e : board->Elements)
    if (e->Selected) e->Text2 = n;
  return Done();
}

std::optional<TByteString> NameToSelect(TProject& project, const TObjekt* underPointer) {
  if (underPointer && !underPointer->Text2.empty()) return underPointer->Text2;
  TByteString first = FirstSelectedName(project);
  if (first.empty()) return std::nullopt;
  return first;
}

size_t SelectByName(TProject& project, const TByteString& name) {
  TBoard* board = project.Active();
  if (!board || name.empty()) return 0;
  size_t count = 0;
  for (const auto& e : board->Elements) {
    const bool named = e->Text2 == name;
    SetSelected(*e, named);
    count += named;
  }
  return count;
}

TEditResult DeleteOutsideBoard(TProject& project) {
  TBoard* board = project.Active();
  if (!board) return {};
  std::unordered_set<const TObjekt*> doomed;
  bool components = false;
  for (const TUnit& unit : AllUnits(board->Elements)) {
    const auto r = UnitBounds(unit, board->Platine);
    if (r && Meets(*r, board->Platine)) continue;
    for (const TObjekt* e : unit) {
      doomed.insert(e);
      components |= e->ComponentNo != 0;
    }
  }
  if (doomed.empty()) return {};
  RecordUndo(project);
  DeleteObjekte(board->Elements, [&](const TObjekt& e) { return doomed.count(&e) != 0; });
  return Done(components);
}

TEditResult ToggleSolderMask(TProject& project, TObjekt& e) {
  TBoard* board = project.Active();
  if (!board || !Holds(board->Elements, &e)) return {};
  RecordUndo(project);
  e.SolderMask = e.SolderMask ? 0 : 1;
  return Done();
}

TEditResult ApplyThroughPad(TProject& project, bool on) {
  TBoard* board = project.Active();
  if (!board) return {};
  auto wanted = [on](const TObjekt& e) -> uint8_t { return on && IsCopperLayer(e.Layer) ? 1 : 0; };
  auto fits = [&](const TObjekt& e) { return e.Selected && e.Kind == kKindThtPad && ShownOnScreen(e, board->Platine); };
  bool any = false;
  for (const auto& e : board->Elements) any |= fits(*e) && e->Via != wanted(*e);
  if (!any) return {};
  RecordUndo(project);
  for (const auto& e : board->Elements)
    if (fits(*e)) e->Via = wanted(*e);
  return Done();
}

void ResetBoardSolderMask(TProject& project) {
  TBoard* board = project.Active();
  if (!board) return;
  ResetSolderMask(board->Elements);
  project.Changed = true;
}

}  // namespace bs
