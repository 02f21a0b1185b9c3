// Predicates on copper polygons, rectangles and segments: whether pieces of
// copper meet, whether a selection rectangle crosses an element, and where
// outlines cross. Rectangles and segments are in the polygons' millimetre
// frame as 32-bit floats; every test is closed (touching counts).
#pragma once

#include <optional>
#include <vector>

#include "model/polygon.h"

namespace bs {

struct TFloatPoint {
  float X = 0;
  float Y = 0;
  friend bool operator==(const TFloatPoint&, const TFloatPoint&) = default;
};

// Top is the smaller y once normalised.
struct TFloatRect {
  float Left = 0;
  float Top = 0;
  float Right = 0;
  float Bottom = 0;
  friend bool operator==(const TFloatRect&, const TFloatRect&) = default;
};

// Left/right and top/bottom in order.
TFloatRect Normalised(TFloatRect r);
// The common part of two rectangles, when there is one (touching and
// zero-size rectangles count).
std::optional<TFloatRect> RectIntersect(const TFloatRect& a, const TFloatRect& b);
// Where the closed segments p1-p2 and q1-q2 meet; parallel segments never
// do, collinear overlaps included.
std::optional<TFloatPoint> SegmentsIntersect(TFloatPoint p1, TFloatPoint p2, TFloatPoint q1, TFloatPoint q2);

// A crossing test: true when the polygon's box lies in the rectangle, or a
// contour's box lies in it, or a contour's edge meets one of its sides. A
// rectangle wholly inside a contour, away from its edges, does not touch it.
bool RectTouchesPolygon(TFloatRect r, const TPolygon& p);
// Every vertex of a lies in b (also when a has no vertex at all).
bool AllVerticesInside(const TPolygon& a, const TPolygon& b);
bool SegmentCrossesPolygon(TFloatPoint p1, TFloatPoint p2, const TPolygon& p);
// Whether two pieces of copper meet: one wholly within the other, or an edge
// of a crossing the outline of b.
bool PolygonsTouch(const TPolygon& a, const TPolygon& b);
// Appends where the segment crosses the polygon's edges.
void SegmentPolygonIntersections(TFloatPoint p1, TFloatPoint p2, const TPolygon& p, std::vector<TFloatPoint>& out);
// Where the edges of a cross b, in the order found; none when one lies
// wholly within the other.
std::vector<TFloatPoint> PolygonIntersectionPoints(const TPolygon& a, const TPolygon& b);

// The box of a contour or polygon in millimetres (fixed-point / 65536).
TFloatRect FloatBounds(const TFixRect& r);

}  // namespace bs
