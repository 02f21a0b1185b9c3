// The hatch of a zone: vertical and then horizontal lines on every multiple
// of the pitch, each clipped to the zone's polygon.
#pragma once

#include <utility>
#include <vector>

#include "model/objekt.h"
#include "model/types.h"

namespace bs {

// The hatch segments of a zone for pitch p. A vertex lying exactly on a
// line is moved by 2 units first so that it cannot split a segment; equal
// crossings count once. Nothing when either side of the zone would need
// more than `maxLines` lines (damaged sizes).
std::vector<std::pair<TDPoint, TDPoint>> ZoneHatchSegments(const TObjekt& zone, double p, double maxLines);

}  // namespace bs
