#include "edit/undo.h"

#include <unordered_map>

#include "model/geometry.h"
#include "model/objekt_list.h"

namespace bs {

namespace {
// A frozen copy of the element: no selection, no references.
std::shared_ptr<const TObjekt> Freeze(const TObjekt& e) {
  std::unique_ptr<TObjekt> c = ScratchCopy(e);
  c->Selected = 0;
  for (const auto& s : c->SubElements) s->Selected = 0;
  c->Connections.clear();
  c->RouteStart = c->RouteEnd = nullptr;
  return std::shared_ptr<const TObjekt>(std::move(c));
}

TUndoSnapshot Snapshot(TBoard& board) {
  TUndoSnapshot s;
  const TObjektList& list = board.Elements;
  s.Elements.reserve(list.size());
  bool references = false;
  for (const auto& e : list) {
    TDPoint offset;
    if (!e->UndoBase || !SameAsMovedCopy(*e, *e->UndoBase, offset)) {
      e->UndoBase = Freeze(*e);
      offset = {0, 0};
    }
    e->UndoOffset = offset;
    s.Elements.push_back({e->UndoBase, offset});
    references = references || (IsPad(*e) && !e->Connections.empty()) || e->RouteStart || e->RouteEnd;
  }
  if (references) {
    // References to elements outside the list are dropped, as a copy of the
    // list drops them.
    std::unordered_map<const TObjekt*, int32_t> index;
    index.reserve(list.size());
    for (size_t i = 0; i < list.size(); ++i) index.emplace(list[i].get(), int32_t(i));
    auto at = [&](const TObjekt* p) {
      const auto it = p ? index.find(p) : index.end();
      return it == index.end() ? -1 : it->second;
    };
    for (size_t i = 0; i < list.size(); ++i) {
      const TObjekt& e = *list[i];
      if (IsPad(e) && !e.Connections.empty()) {
        s.Connections.push_back(int32_t(i));
        const size_t countAt = s.Connections.size();
        s.Connections.push_back(0);
        for (const TObjekt* p : e.Connections)
          if (const int32_t j = at(p); j >= 0) {
            s.Connections.push_back(j);
            ++s.Connections[countAt];
          }
      }
      if (e.RouteStart || e.RouteEnd) s.Routes.insert(s.Routes.end(), {int32_t(i), at(e.RouteStart), at(e.RouteEnd)});
    }
  }
  s.OriginX = board.Platine.OriginX;
  s.OriginY = board.Platine.OriginY;
  s.Width = board.Platine.Width;
  s.Height = board.Platine.Height;
  return s;
}

// The snapshot becomes the board's state: each element a new copy of its
// frozen copy, moved by its offset, which it keeps for the next snapshot.
void Restore(TBoard& board, const TUndoSnapshot& s) {
  TObjektList list;
  list.reserve(s.Elements.size());
  for (const TUndoElement& u : s.Elements) {
    std::unique_ptr<TObjekt> e = ScratchCopy(*u.Base);
    if (u.Offset.X != 0 || u.Offset.Y != 0) MoveObjekt(*e, u.Offset.X, u.Offset.Y);
    e->UndoBase = u.Base;
    e->UndoOffset = u.Offset;
    list.push_back(std::move(e));
  }
  for (size_t k = 0; k < s.Connections.size();) {
    TObjekt& pad = *list[size_t(s.Connections[k])];
    const size_t n = size_t(s.Connections[k + 1]);
    for (size_t j = 0; j < n; ++j) pad.Connections.push_back(list[size_t(s.Connections[k + 2 + j])].get());
    k += 2 + n;
  }
  for (size_t k = 0; k + 2 < s.Routes.size(); k += 3) {
    TObjekt& track = *list[size_t(s.Routes[k])];
    track.RouteStart = s.Routes[k + 1] >= 0 ? list[size_t(s.Routes[k + 1])].get() : nullptr;
    track.RouteEnd = s.Routes[k + 2] >= 0 ? list[size_t(s.Routes[k + 2])].get() : nullptr;
  }
  board.Elements = std::move(list);
  board.Platine.OriginX = s.OriginX;
  board.Platine.OriginY = s.OriginY;
  board.Platine.Width = s.Width;
  board.Platine.Height = s.Height;
}

bool Step(TProject& project, std::deque<TUndoSnapshot> TBoard::*from, std::deque<TUndoSnapshot> TBoard::*to) {
  TBoard* board = project.Active();
  if (!board || project.Undo.Blocked || (board->*from).empty()) return false;
  (board->*to).push_back(Snapshot(*board));
  const TUndoSnapshot s = std::move((board->*from).back());
  (board->*from).pop_back();
  Restore(*board, s);
  // The board now differs from what the last save wrote (or at least may).
  project.Changed = true;
  return true;
}
}  // namespace

void RecordUndo(TProject& project) {
  TBoard* board = project.Active();
  if (!board || !project.Undo.Recording) return;
  const size_t depth = static_cast<size_t>(std::max(project.Undo.Depth, 1));
  while (board->UndoStack.size() > depth) board->UndoStack.pop_front();
  board->UndoStack.push_back(Snapshot(*board));
  board->RedoStack.clear();
  project.Changed = true;
}

void DiscardLastUndo(TProject& project) {
  TBoard* board = project.Active();
  if (board && !board->UndoStack.empty()) board->UndoStack.pop_back();
}

bool RevertLastUndo(TProject& project) {
  TBoard* board = project.Active();
  if (!board || project.Undo.Blocked || board->UndoStack.empty()) return false;
  const TUndoSnapshot s = std::move(board->UndoStack.back());
  board->UndoStack.pop_back();
  Restore(*board, s);
  return true;
}

bool Undo(TProject& project) { return Step(project, &TBoard::UndoStack, &TBoard::RedoStack); }
bool Redo(TProject& project) { return Step(project, &TBoard::RedoStack, &TBoard::UndoStack); }

bool CanUndo(TProject& project) {
  TBoard* b = project.Active();
  return b && !b->UndoStack.empty();
}

bool CanRedo(TProject& project) {
  TBoard* b = project.Active();
  return b && !b->RedoStack.empty();
}

}  // namespace bs
