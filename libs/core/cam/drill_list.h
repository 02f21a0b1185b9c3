// The drill list: the drilled holes of a board grouped into tools by
// diameter, coinciding holes dropped, each tool's holes in a short travel
// order. The Excellon export, the milling output and the drill list window
// share it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/geometry.h"
#include "model/objekt.h"
#include "project/project.h"

namespace bs {

struct TDrillTool {
  int32_t Diameter = 0;               // units; 0 in single-tool mode
  std::vector<const TObjekt*> Holes;  // THT pads, in drilling order (not owned)
};
// Tools ascending by diameter.
using TDrillList = std::vector<TDrillTool>;

// The holes of THT pads on layers C1, C2, I1, I2 and O with a positive
// drill: unplated ones with `simple`, vias with `plated`, only selected pads
// with `selectedOnly`; diameters rounded to 0.1 mm with `round01`; all holes
// in one tool of diameter 0 with `singleTool`. Of two holes that coincide
// only one is kept. Each tool's holes start nearest to the board's lower-left
// corner and go on to the nearest hole not yet drilled.
TDrillList BuildDrillList(const TBoard& board, bool simple, bool plated, bool singleTool, bool round01,
                          bool selectedOnly);

// THT pads with a drill on a silkscreen layer, which are never drilled.
int CountSilkscreenDrillings(const TObjektList& list);
inline constexpr const char* kSilkscreenDrillings =
    "%1 drillings on the silkscreen layer.\nThese drillings will be ignored.";

// The drill list as text: one line per tool with the count right-aligned in
// four characters, " x " and the diameter right-aligned in eight, a line of
// sixteen dashes and the total. Lines end in '\n'.
std::string DrillListText(const TDrillList& list, TDisplayUnit unit, TLanguage language);

}  // namespace bs
