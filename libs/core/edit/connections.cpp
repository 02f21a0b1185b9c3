#include "edit/connections.h"

#include "edit/undo.h"

namespace bs {

TRubberBandCounts RemoveUnneededConnections(TProject& project) {
  TBoard* board = project.Active();
  if (!board) return {};
  RecordUndo(project);
  const TRubberBandCounts counts = RemoveSatisfiedConnections(*board);
  if (counts.Removed == 0) DiscardLastUndo(project);
  return counts;
}

}  // namespace bs
