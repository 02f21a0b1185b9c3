// Electrical connectivity: the flood that finds every element joined to a
// given one through copper, the ground plane and, when asked, rubber bands;
// the touch test; rubber-band hits; the removal of rubber bands that copper
// already satisfies.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "project/project.h"
#include "render/painter.h"

namespace bs {

struct TFloodOptions {
  bool FollowRubberBands = false;
  // Design-check mode: elements the check excludes are skipped.
  std::function<bool(const TObjekt&)> Excluded;
};

// Whether the copper of a and b touches on the layer.
bool ElementsTouch(const TObjekt& a, const TObjekt& b, int layer, const TPlatine& board);

// Marks (Selected) `start` and every element joined to it. Old marks stay:
// the caller clears them for a fresh result.
void MarkConnected(TBoard& board, TObjekt& start, const TFloodOptions& options = {});

// The net of every element, by list position: elements that copper or a
// ground plane joins share a number, the one a flood from any of them
// (without rubber bands) would mark together; -1 for elements that copper
// cannot reach (cut-outs, bare holes, hidden component labels). Marks no
// element. Touching is symmetric, so numbering each connected group once
// gives what a design check gets by flooding from every element in list
// order while skipping the elements that already have a net.
std::vector<int> CopperNets(const TBoard& board);

// Whether a test click may start at the element: copper, no cut-out, no
// bare hole.
bool CanStartTest(const TObjekt& e);

// Removes every rubber band whose two pads copper alone already joins. Both
// ends of a band are counted.
struct TRubberBandCounts {
  int Removed = 0;
  int Remaining = 0;
};
TRubberBandCounts RemoveSatisfiedConnections(TBoard& board);
// "<n> connections (rubberbands) removed.\r<m> connections (rubberbands) remaining."
std::string RubberBandCountsMessage(const TRubberBandCounts& counts);
// Whether any pad of the board has a rubber band.
bool HasConnections(const TBoard& board);

// The rubber band under a window pixel (the first in list order): its two
// pads, or nothing.
struct TRubberBandHit {
  TObjekt* A = nullptr;
  TObjekt* B = nullptr;
  explicit operator bool() const { return A != nullptr; }
};
TRubberBandHit HitRubberBand(TBoard& board, const TViewMap& view, int x, int y);

// Adds the rubber band between two pads, or removes it when they are
// already joined by one. Returns whether it now exists.
bool ToggleConnection(TObjekt& a, TObjekt& b);

}  // namespace bs
