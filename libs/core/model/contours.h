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

// The box of a round THT pad's outline ring, exactly as the ring's points
// give it, from the two points nearest each side's direction only. False
// for other elements and for pads without a ring.
bool RoundPadRingBox(const TObjekt& e, TIPoint& min, TIPoint& max);
TContours ElementContours(const TObjekt& e, const TContourOptions& opt = {});

// The stroke from P to Q with width w as one contour, with optional flat ends.
TContour Stadium(TDPoint p, TDPoint q, double w, bool flatStart, bool flatEnd);

// Appends the n points after S on the arc around C from S to E.
void AppendArcPoints(TDPoint c, TDPoint s, TDPoint e, int n, bool counterClockwise,
                     TContour& out);

// Brings a contour into clockwise order (y up).
void OrientClockwise(TContour& contour);

}  // namespace bs
