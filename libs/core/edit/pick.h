// Which element lies under the pointer.
#pragma once

#include "model/geometry.h"
#include "project/project.h"

namespace bs {

// The index of the element under the model point, or -1. Selected elements
// come first (and a node handle of the one selected track, zone or circle);
// then the layers from the top-most painted down, each scanned from the end
// of the list; through pads win over other pads, pads over other elements,
// copper over cut-outs; an element under a zone wins over the zone. With
// `copperOnly` only copper layers are searched. On screen elements are taken
// three pixels larger.
int PickElement(const TBoard& board, TDPoint p, bool copperOnly, bool onScreen);

}  // namespace bs
