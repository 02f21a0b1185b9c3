// What the checks of one design-rule run share, and the copper-distance
// check, which lives in its own file.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "checks/drc.h"
#include "checks/rect_grid.h"

namespace bs {

// The state of one run. It lives only as long as the run; nothing of it is
// kept in the board's elements.
struct TDrcRun {
  const TBoard& Board;
  const TDrcRules& Rules;
  TURect Area;
  const TProgress& Progress;
  // Per element: the bounds of its outline taken with clearance 0 (thermal
  // spokes as long as a gap of 0 makes them, DrcOutlineBounds); the square
  // of the hole for a
  // drilled THT pad whose shape gives no outline; kNoRect for elements
  // without any outline (hidden component labels, texts without strokes).
  std::vector<TURect> Rects;
  bool Aborted = false;

  TDrcRun(const TBoard& board, const TDrcRules& rules, const TURect& area, const TProgress& progress);

  size_t Count() const { return Board.Elements.size(); }
  const TObjekt& At(size_t i) const { return *Board.Elements[i]; }
  // Whether the element takes part: its rectangle meets the run area.
  bool InArea(size_t i) const { return RectsMeet(Rects[i], Area); }
  // Walks the element list for one check: a progress step after each
  // element, the abort polled before each; an abort ends the walk.
  template <class F>
  void ForEachElement(F&& f) {
    const int n = int(Count());
    Progress.Report(0, n);
    for (int i = 0; i < n; ++i) {
      if (Aborted || Progress.Aborted()) {
        Aborted = true;
        return;
      }
      f(size_t(i));
      Progress.Report(i + 1, n);
    }
  }
  // Keeps a finding when its marker meets the run area.
  void Add(std::vector<TDrcFinding>& out, TDrcFinding f) const {
    if (RectsMeet(f.Marker, Area)) out.push_back(std::move(f));
  }
};

// The bounds of an element's outline with the thermal spokes of every
// layer whose ground plane they join (a THT pad's radius taken
// `spokeGrowth` larger for them), so that what a check finds does not
// depend on the layer the editor shows; nothing without an outline.
std::optional<TURect> DrcOutlineBounds(const TObjekt& e, const TPlatine& board, int32_t spokeGrowth = 0);

// Copper of different nets too close, and gaps to the ground plane smaller
// than the limit.
void CheckCopperDistance(TDrcRun& run, std::vector<TDrcFinding>& out);

}  // namespace bs
