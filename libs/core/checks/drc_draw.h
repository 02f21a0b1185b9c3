// Drawing design-rule findings over a picture of the board: each one
// outlined and hatched with diagonal lines, the way the finding list
// marks its selected findings.
#pragma once

#include "checks/drc.h"
#include "render/painter.h"
#include "render/surface.h"

namespace bs {

// Draws the finding's outline polygons, or its marker when it has none,
// outlined and filled with a diagonal hatch ("/", every 8 pixels along a
// row, aligned to the surface's origin) in the colour.
void DrawDrcFinding(TSurface& s, const TDrcFinding& f, const TViewMap& view, TColour colour);

}  // namespace bs
