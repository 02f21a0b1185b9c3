#include "edit/undo.h"

#include "model/objekt_list.h"

namespace bs {

namespace {
void Unselect(TObjektList& list) {
  for (const auto& e : list) {
    e->Selected = 0;
    for (const auto& s : e->SubElements) s->Selected = 0;
  }
}

TUndoSnapshot Snapshot(const TBoard& board) {
  TUndoSnapshot s;
  s.Elements = CopyList(board.Elements);
  Unselect(s.Elements);
  s.OriginX = board.Platine.OriginX;
  s.OriginY = board.Platine.OriginY;
  s.Width = board.Platine.Width;
  s.Height = board.Platine.Height;
  return s;
}

// The snapshot becomes the board's state; the snapshot's elements are moved
// in, since nothing else holds them.
void Restore(TBoard& board, TUndoSnapshot&& s) {
  board.Elements = std::move(s.Elements);
  board.Platine.OriginX = s.OriginX;
  board.Platine.OriginY = s.OriginY;
  board.Platine.Width = s.Width;
  board.Platine.Height = s.Height;
  Unselect(board.Elements);
}

bool Step(TProject& project, std::deque<TUndoSnapshot> TBoard::*from, std::deque<TUndoSnapshot> TBoard::*to) {
  TBoard* board = project.Active();
  if (!board || project.Undo.Blocked || (board->*from).empty()) return false;
  (board->*to).push_back(Snapshot(*board));
  TUndoSnapshot s = std::move((board->*from).back());
  (board->*from).pop_back();
  Restore(*board, std::move(s));
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
