// Element contours: every element kind as closed polygons with integer
// vertices (units, y up).
#pragma once

#include <vector>

#include "model/objekt.h"
#include "model/types.h"

namespace bs {

using TContour = std::vector<TIPoint>;
using TContours = std::vector<TContour>;

struct TContourOptions {
  // Distance mode (copper-distance check): square and rectangular pads get
  // cut corners of length CutLength.
  bool DistanceMode = false;
  double CutLength = 0;
  // While the connectivity test runs, rounded pads ignore their growth margin.
  bool ConnectivityRun = false;
};

// Direction angle of a vector, counter-clockwise from +x in [0, 2pi); exact
// for axis-parallel vectors; 0 for a zero vector.
double DirectionAngle(double dx, double dy);

// Appends the contours of an element to `out`; nothing for kinds without any.
void AppendElementContours(const TObjekt& e, TContours& out, const TContourOptions& opt = {});

// A round THT pad's outline ring as its contour has it: n points at the
// angles as + 2 pi i / n (i = 1 ... n), r from c, rounded.
struct TPadRing {
  TDPoint c;
  double r = 0, as = 0;
  int n = 0;
};
// False for other elements and for pads without a ring.
bool RoundPadRing(const TObjekt& e, TPadRing& ring);
// The largest x (side 0), largest y (1), smallest x (2) or smallest y (3)
// of the ring's points, found from the two points nearest that direction
// only: exactly what all the points give.
int32_t RingExtreme(const TPadRing& ring, int side);
// The box of a round pad's ring from RingExtreme; false as RoundPadRing.
bool RoundPadRingBox(const TObjekt& e, TIPoint& min, TIPoint& max);
// The box of the outline of an SMD pad or of a THT pad whose outline is
// the polygon of its points, without building the outline; false for
// other elements and for pads without points.
bool PolygonPadBox(const TObjekt& e, TIPoint& min, TIPoint& max);
TContours ElementContours(const TObjekt& e, const TContourOptions& opt = {});

// The stroke from P to Q with width w as one contour, with optional flat ends.
TContour Stadium(TDPoint p, TDPoint q, double w, bool flatStart, bool flatEnd);

// Appends the n points after S on the arc around C from S to E.
void AppendArcPoints(TDPoint c, TDPoint s, TDPoint e, int n, bool counterClockwise, TContour& out);

// Brings a contour into clockwise order (y up).
void OrientClockwise(TContour& contour);

}  // namespace bs
