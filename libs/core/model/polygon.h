// Copper polygon of an element: closed contours in 16.16 fixed-point
// millimetres times a scale factor, and the predicates on it.
#pragma once

#include <cstdint>
#include <vector>

#include "model/contours.h"
#include "model/geometry.h"
#include "model/objekt.h"

namespace bs {

struct TFixPoint {
  int32_t X = 0;
  int32_t Y = 0;
  friend bool operator==(const TFixPoint&, const TFixPoint&) = default;
};

// Raw fixed-point bounds; an empty contour has the empty box, which meets
// nothing.
struct TFixRect {
  int32_t Left = 0x7F000000;
  int32_t Top = 0x7F000000;
  int32_t Right = -0x7F000000;
  int32_t Bottom = -0x7F000000;
  bool Empty() const { return Right < Left; }
};

using TFixContour = std::vector<TFixPoint>;

// A polygon stands for the union of its contours.
struct TPolygon {
  std::vector<TFixContour> Contours;
};

// Units to fixed-point millimetres times scale: round(scale u / 10000 * 65536).
int32_t UnitsToFixed(double u, double scale);
// Fixed-point (scale 1) back to whole units.
int32_t FixedToUnits(int32_t f);

TFixRect ContourBounds(const TFixContour& c);
TFixRect PolygonBounds(const TPolygon& p);

// The copper (or outline) polygon of an element at the given scale, with the
// spoke rectangles that apply for the context's layer.
TPolygon CopperPolygon(const TObjekt& e, double scale, const TSpokeContext& ctx, const TContourOptions& opt = {});

// Ray-crossing containment, exact in fixed-point arithmetic.
bool PointInPolygon(const TPolygon& p, TFixPoint pt);

}  // namespace bs
