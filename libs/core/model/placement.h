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

// The board side of a component's elements: by its silkscreen when all of it
// lies on one silkscreen layer (top for S1), else by its copper on C1 and C2
// when all of that lies on one of them (an SMD part sits on the side of its
// pads, a through-hole part on the other: top for C1 with SMD pads, for C2
// without), else bottom.
bool ComponentOnTop(const std::vector<const TObjekt*>& members);
// An SMD component: its SMD pads on C1 and C2 are at least as many as its
// THT pads there (a component without pads counts as SMD).
bool ComponentIsSmd(const std::vector<const TObjekt*>& members);

// Whether a component label at its rotation reads upside down: 46 ... 224
// degrees when both mirror flags agree, 135 ... 314 otherwise.
bool ReadsUpsideDown(const TObjekt& label);

// An angle in degrees brought into [0, 360); not-a-number stays as it is.
double Normalised360(double degrees);

// After the selection turned by `degrees` (counter-clockwise): for every
// component whose elements other than its labels were all turned, its
// pick-and-place offset turns with it and its placement rotation changes by
// the angle, down on the top side and up on the bottom.
void TurnPlacements(const TObjektList& list, double degrees);

}  // namespace bs
