// Where a component sits: the placement point that pick-and-place data and
// the component marker use.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "model/objekt.h"
#include "model/platine.h"

namespace bs {

// The placement point of component n: the centre of its copper, silkscreen
// or both (as its ID label's placement data chooses) turned with the
// placement rotation, plus the placement offset. Nothing for a component
// without ID label.
std::optional<TDPoint> PlacementPoint(const TObjektList& list, int32_t componentNo, const TPlatine& board);
// The same from the elements of one component (in list order).
std::optional<TDPoint> PlacementPoint(const std::vector<const TObjekt*>& component, const TPlatine& board);

}  // namespace bs
