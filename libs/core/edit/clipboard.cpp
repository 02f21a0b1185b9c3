#include "edit/clipboard.h"

#include <algorithm>
#include <cstdint>
#include <exception>
#include <map>
#include <set>
#include <unordered_set>
#include <utility>

#include "edit/undo.h"
#include "edit/units.h"
#include "io/byte_stream.h"
#include "io/element_codec.h"
#include "io/macro_file.h"
#include "model/geometry.h"
#include "model/objekt_list.h"

namespace bs {

namespace {

constexpr size_t kClipboardHeader = 8;  // magic + version, element count

int32_t StoredCount(const std::vector<uint8_t>& bytes) {
  if (bytes.size() < kClipboardHeader) return 0;
  TByteReader r(bytes.data(), bytes.size());
  r.U32();
  return r.I32();
}

// A component of which only some elements were copied is no component in
// the copy: the copies leave it and its copied labels become plain texts.
void DropPartialComponents(const TObjektList& board, TObjektList& copies) {
  std::map<int16_t, size_t> copied, total;
  for (const auto& c : copies)
    if (c->ComponentNo != 0) ++copied[c->ComponentNo];
  if (copied.empty()) return;
  for (const auto& e : board)
    if (copied.count(e->ComponentNo)) ++total[e->ComponentNo];
  for (const auto& c : copies) {
    if (c->ComponentNo == 0 || copied[c->ComponentNo] == total[c->ComponentNo]) continue;
    c->ComponentNo = 0;
    if (IsComponentLabel(*c)) {
      c->LabelRole &= static_cast<uint8_t>(~3u);
      c->Place.reset();
    }
  }
}

int32_t HighestGroupNo(const TObjektList& list) {
  int32_t highest = 0;
  for (const auto& e : list)
    for (int32_t g : e->Groups) highest = std::max(highest, g);
  return highest;
}

int32_t HighestComponentNo(const TObjektList& list) {
  int32_t highest = 0;
  for (const auto& e : list) highest = std::max<int32_t>(highest, e->ComponentNo);
  return highest;
}

// How many units pasted elements form: outermost groups, components and
// loose elements each count once.
size_t OuterUnitCount(const TObjektList& list, size_t first) {
  std::set<std::pair<int, int32_t>> keys;
  size_t loose = 0;
  for (size_t i = first; i < list.size(); ++i) {
    const TObjekt& e = *list[i];
    if (!e.Groups.empty()) keys.insert({0, e.Groups.front()});
    else if (e.ComponentNo != 0) keys.insert({1, e.ComponentNo});
    else ++loose;
  }
  return keys.size() + loose;
}

}  // namespace

bool TClipboard::Empty() const { return StoredCount(Bytes) <= 0; }

std::vector<uint8_t> EncodeClipboard(const TObjektList& list) {
  std::vector<const TObjekt*> items;
  items.reserve(list.size());
  for (const auto& e : list) items.push_back(e.get());
  TByteWriter w;
  w.Reserve(kClipboardHeader + ElementBlocksSize(items, true));
  w.U32(kFileMagic + kCurrentFileVersion);
  w.I32(static_cast<int32_t>(items.size()));
  WriteElementBlocks(w, items, true);
  return std::move(w.Bytes());
}

bool DecodeClipboard(const std::vector<uint8_t>& bytes, TObjektList& out, std::string& error) {
  out.clear();
  TObjektList read;
  try {
    TByteReader r(bytes.data(), bytes.size());
    if (r.U32() != kFileMagic + kCurrentFileVersion) throw TReadError("not clipboard data");
    const int32_t count = r.I32();
    if (count < 0) throw TReadError("negative element count");
    ReadElementBlocks(r, kCurrentFileVersion, static_cast<size_t>(count), read);
  } catch (const std::exception&) {
    error = kClipboardUnreadable;
    return false;
  }
  for (const auto& e : read) SetSelected(*e, false);
  out = std::move(read);
  return true;
}

size_t CopySelection(TProject& project, TClipboard& clipboard) {
  clipboard.Bytes.clear();
  TBoard* board = project.Active();
  if (!board) return 0;
  TObjektList copies;
  for (const auto& e : board->Elements)
    if (e->Selected) copies.push_back(CloneObjekt(*e));
  RemapReferences(board->Elements, copies, 0);
  if (copies.empty()) return 0;
  DropPartialComponents(board->Elements, copies);
  for (const auto& c : copies) SetSelected(*c, false);
  clipboard.Bytes = EncodeClipboard(copies);
  return copies.size();
}

TEditResult DeleteSelection(TProject& project) {
  TEditResult res;
  TBoard* board = project.Active();
  if (!board) return res;
  TObjektList& list = board->Elements;
  std::set<int16_t> touched;  // components with selected elements
  std::unordered_set<const TObjekt*> doomed;
  for (const auto& e : list) {
    if (!e->Selected) continue;
    if (e->ComponentNo != 0) touched.insert(e->ComponentNo);
    if (!IsComponentLabel(*e)) doomed.insert(e.get());
  }
  // A component left with nothing but its labels loses the labels as well.
  std::set<int16_t> keeps;
  for (const auto& e : list)
    if (touched.count(e->ComponentNo) && !IsComponentLabel(*e) && !doomed.count(e.get())) keeps.insert(e->ComponentNo);
  for (const auto& e : list)
    if (IsComponentLabel(*e) && touched.count(e->ComponentNo) && !keeps.count(e->ComponentNo)) doomed.insert(e.get());
  if (doomed.empty()) return res;
  RecordUndo(project);
  DeleteObjekte(list, [&](const TObjekt& e) { return doomed.count(&e) != 0; });
  res.Status = TEditStatus::Done;
  res.ComponentsChanged = !touched.empty();
  return res;
}

TEditResult CutSelection(TProject& project, TClipboard& clipboard) {
  CopySelection(project, clipboard);
  return DeleteSelection(project);
}

TPrepared PreparePaste(TProject& project, const TClipboard& clipboard) {
  TPrepared out;
  if (TBoard* board = project.Active()) DeselectAll(board->Elements);
  if (clipboard.Empty()) return out;
  DecodeClipboard(clipboard.Bytes, out.Elements, out.Error);
  return out;
}

TPrepared DuplicateSelection(TProject& project, TClipboard& clipboard) {
  CopySelection(project, clipboard);
  return PreparePaste(project, clipboard);
}

TDPoint PreparedReferencePoint(const TObjektList& prepared, const TPlatine& board) {
  return MacroReferencePoint(prepared, false, {board.Grid, {double(board.OriginX), double(board.OriginY)}});
}

TEditResult PlaceElements(TProject& project, const TObjektList& prepared, double dx, double dy) {
  TEditResult res;
  TBoard* board = project.Active();
  if (!board || prepared.empty()) return res;
  TObjektList& list = board->Elements;
  RecordUndo(project);
  DeselectAll(list);
  // Close the gaps of the board's numbering when the raised numbers would not
  // fit (component numbers are 16 bits).
  if (HighestComponentNo(list) + HighestComponentNo(prepared) > INT16_MAX ||
      int64_t{HighestGroupNo(list)} + HighestGroupNo(prepared) >= INT32_MAX)
    RenumberGroupsAndComponents(list);
  const int32_t groupBase = HighestGroupNo(list);
  const int32_t componentBase = HighestComponentNo(list);
  const size_t first = list.size();
  for (const auto& src : prepared) {
    auto c = CloneObjekt(*src);
    MoveObjekt(*c, dx, dy);
    for (int32_t& g : c->Groups) g += groupBase;
    if (c->ComponentNo != 0) {
      c->ComponentNo = static_cast<int16_t>(c->ComponentNo + componentBase);
      res.ComponentsChanged = true;
    }
    SetSelected(*c, true);
    list.push_back(std::move(c));
  }
  RemapReferences(prepared, list, first);
  if (OuterUnitCount(list, first) >= 2) {
    const int32_t group = NextFreeGroupNo(list);
    for (size_t i = first; i < list.size(); ++i) AddGroupNumber(*list[i], group);
  }
  res.Status = TEditStatus::Done;
  return res;
}

TEditResult PasteImported(TProject& project, const TObjektList& elements, TDPoint at) {
  TBoard* board = project.Active();
  if (!board || elements.empty()) return {};
  const TDPoint ref = PreparedReferencePoint(elements, board->Platine);
  return PlaceElements(project, elements, at.X - ref.X, at.Y - ref.Y);
}

}  // namespace bs
