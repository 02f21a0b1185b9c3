#include "components/macro_place.h"

#include <algorithm>
#include <cstdint>
#include <set>
#include <utility>
#include <vector>

#include "components/components.h"
#include "edit/clipboard.h"
#include "edit/create.h"
#include "edit/undo.h"
#include "edit/units.h"
#include "model/geometry.h"
#include "model/messages.h"
#include "model/objekt_list.h"

namespace bs {

namespace {

// Whether the placed elements [first, end) already form a single group, a
// single component or a single element.
bool FormOneUnit(const TObjektList& list, size_t first) {
  if (list.size() - first <= 1) return true;
  const TObjekt& head = *list[first];
  const auto begin = list.begin() + ptrdiff_t(first);
  const int32_t g = InnermostGroup(head);
  if (g != 0 && std::all_of(begin, list.end(), [&](const auto& e) { return InnermostGroup(*e) == g; })) return true;
  const int16_t c = head.ComponentNo;
  return c != 0 && std::all_of(begin, list.end(), [&](const auto& e) { return e->ComponentNo == c; });
}

}  // namespace

TMacroGrid MacroGridOf(const TPlatine& board) { return {board.Grid, {double(board.OriginX), double(board.OriginY)}}; }

TMacroPlaced PlaceMacro(TProject& project, const TObjektList& macro, TDPoint at, const TMacroDrop& drop) {
  TMacroPlaced out;
  TBoard* board = project.Active();
  if (!board) return out;
  const bool any = std::any_of(macro.begin(), macro.end(), [](const auto& e) { return e->Shown != 0; });
  if (!any) return out;
  TObjektList& list = board->Elements;
  RecordUndo(project);

  // Step 1: one pass over the board for both numbers and the deselection.
  int32_t largestGroup = 0, largestComponent = 0;
  for (const auto& e : list) {
    SetSelected(*e, false);
    for (int32_t g : e->Groups) largestGroup = std::max(largestGroup, g);
    largestComponent = std::max<int32_t>(largestComponent, e->ComponentNo);
  }
  int32_t macroGroup = 0, macroComponent = 0;
  for (const auto& e : macro) {
    for (int32_t g : e->Groups) macroGroup = std::max(macroGroup, g);
    macroComponent = std::max<int32_t>(macroComponent, e->ComponentNo);
  }
  // Numbers that would not fit (component numbers are 16 bits) close the
  // board's gaps first.
  if (int64_t{largestGroup} + 1 + macroGroup + 1 >= INT32_MAX ||
      (drop.AddAsComponent && largestComponent + 1 + macroComponent + 1 > INT16_MAX)) {
    RenumberGroupsAndComponents(list);
    largestGroup = largestComponent = 0;
    for (const auto& e : list) {
      for (int32_t g : e->Groups) largestGroup = std::max(largestGroup, g);
      largestComponent = std::max<int32_t>(largestComponent, e->ComponentNo);
    }
  }
  const int32_t G = std::max(largestGroup + 1, 2);
  const int32_t C = std::max(largestComponent + 1, 2);
  out.GroupBase = G;
  out.ComponentBase = C;

  // Step 2: the copies.
  const size_t first = list.size();
  int32_t placedGroup = 0;
  for (const auto& src : macro) {
    if (src->Shown == 0) continue;
    auto c = CloneObjekt(*src);
    MoveObjekt(*c, at.X, at.Y);
    c->Shown = 1;
    SetSelected(*c, true);
    for (int32_t& g : c->Groups) {
      g += G;
      placedGroup = std::max(placedGroup, g);
    }
    if (!drop.AddAsComponent) {
      c->ComponentNo = 0;
      if (IsComponentLabel(*c)) {
        c->LabelRole &= static_cast<uint8_t>(~3u);
        c->LabelVisible = 1;
        c->Place.reset();
      }
    } else if (c->ComponentNo != 0) {
      c->ComponentNo = static_cast<int16_t>(c->ComponentNo + C);
    }
    if (drop.Vias && c->Kind == kKindThtPad && IsCopperLayer(c->Layer)) c->Via = 1;
    list.push_back(std::move(c));
  }
  RemapReferences(macro, list, first);
  out.First = first;

  // Step 3: one group.
  if (!FormOneUnit(list, first)) {
    out.Group = std::max(G, placedGroup + 1);
    for (size_t i = first; i < list.size(); ++i) AddGroupNumber(*list[i], out.Group);
  }

  // Step 4: the component.
  if (drop.AddAsComponent) {
    std::set<int16_t> components;
    for (size_t i = first; i < list.size(); ++i)
      if (list[i]->ComponentNo != 0) components.insert(list[i]->ComponentNo);
    if (components.size() <= 1) {
      out.Component = components.empty() ? C : *components.begin();
      TObjekt *id = nullptr, *value = nullptr;
      for (size_t i = first; i < list.size(); ++i) {
        if (!id && IsIdLabel(*list[i])) id = list[i].get();
        if (!value && IsValueLabel(*list[i])) value = list[i].get();
      }
      const bool bothNew = !id && !value;
      const int layer = drop.Top ? kLayerS1 : kLayerS2;
      if (!id)
        if (auto t = NewComponentLabel(kNewIdText, 1, layer, {})) {
          id = t.get();
          list.push_back(std::move(t));
        }
      if (!value)
        if (auto t = NewComponentLabel(kNewValueText, 2, layer, {})) {
          value = t.get();
          list.push_back(std::move(t));
        }
      for (size_t i = first; i < list.size(); ++i) {
        TObjekt& e = *list[i];
        e.Groups.clear();
        e.ComponentNo = static_cast<int16_t>(out.Component);
        SetSelected(e, true);
      }
      out.Group = 0;
      if (id) id->LabelVisible = drop.IdLabelVisible ? 1 : 0;
      if (value) value->LabelVisible = drop.ValueLabelVisible ? 1 : 0;
      if (bothNew && id && value) {
        std::vector<TObjekt*> placed;
        for (size_t i = first; i < list.size(); ++i) placed.push_back(list[i].get());
        AlignComponentLabels(placed, *id, *value, board->Platine);
      }
      out.OpenComponentDialog = true;
    }
    out.Edit.ComponentsChanged = true;
  }
  out.Count = list.size() - first;
  out.Edit.Status = TEditStatus::Done;
  return out;
}

TEditResult SaveBoardAsMacro(TProject& project, const std::string& path, bool wholeBoard, const TByteString& text1,
                             const TByteString& text2, TMacro* loaded, size_t* written) {
  TEditResult res;
  TBoard* board = project.Active();
  if (!board || board->Elements.empty()) {
    res.Status = TEditStatus::Failed;
    res.Message = kNoElementsOnBoard;
    return res;
  }
  TObjektList& list = board->Elements;
  const bool selection = std::any_of(list.begin(), list.end(), [](const auto& e) { return e->Selected != 0; });
  if (!selection && !wholeBoard) {
    res.Status = TEditStatus::NeedsConfirmation;
    res.Message = kSaveWholeLayout;
    return res;
  }
  const TMacroGrid grid = MacroGridOf(board->Platine);
  if (loaded && loaded->Modified && !loaded->Path.empty()) SaveMacro(loaded->Path, *loaded, grid);
  // The macro is written from a cleaned-up copy: the board keeps every
  // element, also those a macro file cannot hold (tracks with fewer than two
  // points, texts without strokes).
  TObjektList copy = CopyList(list);
  CleanUpList(copy);
  size_t count = 0;
  for (const auto& e : copy) count += (!selection || e->Selected) ? 1 : 0;
  if (count == 0) {
    res.Status = TEditStatus::Failed;
    res.Message = kNoElementsOnBoard;
    return res;
  }
  const TByteString t1 = text1.substr(0, kMacroTextMax), t2 = text2.substr(0, kMacroTextMax);
  if (!WriteMacroFile(path, copy, selection, t1, t2, grid)) {
    res.Status = TEditStatus::Failed;
    res.Message = FormatMessage(msg::kCannotWrite, {path});
    return res;
  }
  if (written) *written = count;
  res.Status = TEditStatus::Done;
  return res;
}

}  // namespace bs
