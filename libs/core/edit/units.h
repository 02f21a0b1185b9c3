// Units (the sets of elements that move together), selection helpers and
// the track vertices that follow moved pads.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <vector>

#include "model/geometry.h"
#include "model/objekt.h"
#include "model/platine.h"
#include "model/types.h"

namespace bs {

// A unit: the elements of one innermost group, or of one component (when
// the element is in no group), or a single element.
using TUnit = std::vector<TObjekt*>;

// The units that hold at least one selected element, each with all of its
// members (selected or not), ordered by their first member in the list.
std::vector<TUnit> SelectedUnits(const TObjektList& list);
// Every unit of the list, in the same order.
std::vector<TUnit> AllUnits(const TObjektList& list);
// How many units hold a selected element.
size_t SelectedUnitCount(const TObjektList& list);

// The union of the bounding rectangles of the unit's elements; none when no
// element has an outline.
std::optional<TURect> UnitBounds(const TUnit& unit, const TPlatine& board);

// Sets or clears Selected on the element and, for a text, on its strokes.
void SetSelected(TObjekt& e, bool selected);
void DeselectAll(const TObjektList& list);
bool AnySelected(const TObjektList& list);

// A text's strokes lie on the text's layer; both change together.
void SetObjektLayer(TObjekt& e, uint8_t layer);

// The board record with every ground plane switched off, so that bounds
// leave thermal spokes out.
TPlatine WithoutSpokes(const TPlatine& board);

// One vertex of a track that moves along with a pad.
struct TFollowVertex {
  TObjekt* Track = nullptr;
  size_t Index = 0;
  const TObjekt* Pad = nullptr;  // the pad it follows
};

// Rubber-band follow: every vertex of a track that is not itself moving and
// lies on the copper layer of a moving THT or SMD pad, within 5000 units
// (level 1) or 10000 units (level 2) of the pad's centre in x and in y. A
// vertex near several pads follows the first of them. Level 0 gives none.
std::vector<TFollowVertex> FollowingVertices(const TObjektList& list, int level, bool multilayer,
                                             const std::function<bool(const TObjekt&)>& moving);

}  // namespace bs
