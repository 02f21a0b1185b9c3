// The rubber-band commands of the active board that change it as one undo
// step.
#pragma once

#include "copper/connectivity.h"
#include "project/project.h"

namespace bs {

// Removes every rubber band of the active board whose two pads copper alone
// already joins, recording one undo step first (discarded again when none
// was removed). Both ends of a band are counted.
TRubberBandCounts RemoveUnneededConnections(TProject& project);

}  // namespace bs
