// Geometric helpers of the Gerber reader: outlines of flashed shapes and
// drawn strokes as polygons, arcs as point sequences, and the cutting of
// clear shapes into dark zones.
#pragma once

#include <vector>

#include "model/objekt.h"
#include "model/types.h"

namespace bs {

using TDPolygon = std::vector<TDPoint>;

// A circle of radius r as a polygon fine enough for drawing.
TDPolygon CirclePolygon(TDPoint c, double r);
// The outline of a stroke of width w from a to b with round ends.
TDPolygon StrokePolygon(TDPoint a, TDPoint b, double w);
// A rectangle of w x h centred on c, turned by `deg` degrees counter-clockwise
// about `pivot`.
TDPolygon RectanglePolygon(TDPoint c, double w, double h, double deg, TDPoint pivot);
// The points of an arc about c from angle a0 by the sweep (radians,
// counter-clockwise positive), without the start point, at most 1 um from
// the true arc.
std::vector<TDPoint> ArcPoints(TDPoint c, double r, double a0, double sweep);

bool PointInDPolygon(const TDPolygon& poly, TDPoint p);

struct TDBox {
  double MinX = 1e300, MinY = 1e300, MaxX = -1e300, MaxY = -1e300;
  void Add(TDPoint p);
  bool Contains(const TDBox& o) const { return o.MinX >= MinX && o.MaxX <= MaxX && o.MinY >= MinY && o.MaxY <= MaxY; }
  bool Meets(const TDBox& o) const { return o.MinX <= MaxX && o.MaxX >= MinX && o.MinY <= MaxY && o.MaxY >= MinY; }
};
TDBox BoxOf(const TDPolygon& p);

}  // namespace bs
