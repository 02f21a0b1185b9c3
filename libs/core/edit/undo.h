// Undo and redo by whole-board snapshots, kept per board.
#pragma once

#include "project/project.h"

namespace bs {

// Takes a snapshot of the active board before a change: trims the undo
// stack to Depth + 1 entries, clears the redo stack and marks the project
// changed. Does nothing while recording is switched off.
void RecordUndo(TProject& project);

// Drops the newest snapshot without restoring it (an operation that recorded
// ended without a result).
void DiscardLastUndo(TProject& project);

// Restores the newest snapshot and drops it, leaving no redo step: a command
// that recorded was cancelled after changing the board (a dialog's Cancel).
// Refused like Undo while the undo control is blocked.
bool RevertLastUndo(TProject& project);

// Restores the newest undo (redo) snapshot of the active board, keeping the
// current state on the other stack and marking the project changed. Returns
// whether anything was restored; refused while the undo control is blocked.
// Nothing is selected afterwards.
bool Undo(TProject& project);
bool Redo(TProject& project);

bool CanUndo(TProject& project);
bool CanRedo(TProject& project);

}  // namespace bs
