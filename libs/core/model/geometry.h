// Geometry of single elements and element lists: plane helpers, anchors and
// bounds, hit tests, snapping, move/rotate/mirror, grow/shrink, pad outlines,
// point-list tidying, layer relations and length formatting.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "model/contours.h"
#include "model/objekt.h"
#include "model/platine.h"

namespace bs {

// An axis-parallel rectangle in units. Top is the smaller y and Bottom the
// larger one (numerically), whatever way the y axis points.
struct TURect {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Right = 0;
  int32_t Bottom = 0;
  friend bool operator==(const TURect&, const TURect&) = default;
};

// ---- plane helpers ----

// Direction angle of from -> to in radians [0, 2pi), clockwise from +x (y up):
// right 0, down pi/2, left pi, up 3pi/2; 0 for a zero vector.
double AngleOf(TDPoint from, TDPoint to);
// Rotates p about c by theta degrees, counter-clockwise for positive theta.
TDPoint RotatePoint(TDPoint p, TDPoint c, double theta);
TFPoint RotatePoint(TFPoint p, TFPoint c, double theta);
void RotatePoints(TPointList& pts, TFPoint c, double theta);
double Distance(TDPoint a, TDPoint b);
// (b.x - (b.x - a.x) tx, b.y - (b.y - a.y) ty).
TDPoint Interpolate(TDPoint a, TDPoint b, double tx, double ty);
// Intersection of two closed segments; none for parallel ones.
std::optional<TDPoint> SegmentIntersection(TDPoint a1, TDPoint a2, TDPoint b1, TDPoint b2);
// Both coordinate differences, after rounding to whole units, are at most tol.
bool Near(TFPoint a, TFPoint b, double tol);
bool SamePoint(TFPoint a, TFPoint b);
// Four corners of a rectangle of the given size with the centre (midpoint of
// corners 0 and 2) and rotation (corner 0 -> 1) of the given corners.
TPointList RotatedRectangle(const TPointList& corners, double width, double height);

enum class TDisplayUnit { Mm, Mil };
// value / 10000 " mm" or value / 254 " mil"; negative decimals: 3 for mm, 1 for mil.
std::string FormatLength(double value, int decimals, TDisplayUnit unit);
// A length in whole units as millimetres, exact to the unit: at most four
// decimals, trailing zeros dropped ("0.254", "1100", "-2").
std::string UnitsAsMillimetres(int64_t units);
// (x / zoom, -y / zoom).
TDPoint ScreenToModel(TDPoint pixel, double zoom);
// The nearest point of the grid of step g through the zero point.
TDPoint SnapToGrid(TDPoint p, double grid, TDPoint origin);

// ---- layer relations and element predicates ----

bool IsVia(const TObjekt& e);
bool IsBareHole(const TObjekt& e);
bool NeedsSolderMaskOpening(const TObjekt& e);
bool OccupiesLayer(const TObjekt& e, int layer, bool multilayer);
bool ShareLayer(const TObjekt& a, const TObjekt& b);
bool ShownOnScreen(const TObjekt& e, const TPlatine& board);

// ---- anchors, centres, rotation of pads ----

TDPoint AnchorPoint(const TObjekt& e);
TDPoint Centre(const TObjekt& e);
// THT pad rotation (1/100 degree, [0, 360)) or SMD pad rotation in degrees,
// clockwise from +x; 0 for other kinds.
double PadRotation(const TObjekt& e);

// ---- thermal spokes ----

// What decides whether and how a pad's thermal spokes are built.
// The byte of ThermalSpokes that holds a copper layer's spokes (C1, C2, I1,
// I2); -1 for other layers.
int SpokeByte(int layer);

struct TSpokeContext {
  int Layer = 0;               // the layer under consideration (the active layer)
  bool GroundPlaneOn = false;  // automatic ground plane of that layer
  bool NoSpokes = false;
  int32_t GrowDistance = 0;  // added to a THT pad's radius
  double PrintScale = 1;     // scales the 500-unit extension while printing
};
// The spoke rectangles (four corners each) of a pad on the context's layer;
// empty when its spokes do not apply there.
std::vector<std::array<TDPoint, 4>> ThermalSpokeRects(const TObjekt& e, const TSpokeContext& ctx);

// ---- outline polygon, bounds and hit tests ----

// The outline of an element as contours in units: nothing for a hidden
// component label; a zone's own polygon first; the element contours; the
// spoke rectangles where they apply.
std::vector<std::vector<TDPoint>> OutlineContours(const TObjekt& e, const TSpokeContext& ctx,
                                                  const TContourOptions& opt = {});
TSpokeContext SpokeContextFor(const TPlatine& board);

// (0, 0, 0, 0) for an element without outline.
TURect BoundingRect(const TObjekt& e, const TPlatine& board);
// The same, or nothing for an element without outline.
std::optional<TURect> OutlineBounds(const TObjekt& e, const TPlatine& board);
// The same with the spokes of the given context (none with NoSpokes).
std::optional<TURect> OutlineBounds(const TObjekt& e, const TSpokeContext& ctx);
// The union of the elements' OutlineBounds, or nothing when none has an
// outline. Round pads are measured only on the sides they can reach.
std::optional<TURect> UnitedOutlineBounds(const std::vector<const TObjekt*>& elements, const TPlatine& board);
// The union of the elements' outline boxes (as ListBounds measures them),
// given for each element a box that surely holds its outline (`covers`,
// same order): only elements whose box reaches past what the others
// measured are measured, so that a big selection costs little. Empty
// (Left > Right) when no element has an outline.
TURect OutlineBoundsWithin(const std::vector<const TObjekt*>& elements, const std::vector<TURect>& covers,
                           const TPlatine& board);
// Grows `into` to hold `r`; a box with Left > Right is empty and holds
// nothing.
void Unite(TURect& into, const TURect& r);
TURect SelectionBounds(const TObjektList& list, const TPlatine& board);
// Per element the box of its partner set: its own outline box united with
// those of its component and its innermost group; nothing when none of them
// has an outline. Whether an element lies outside the working space is
// judged by this box, so that a component or group stays or goes whole.
std::vector<std::optional<TURect>> PartnerSetBounds(const TObjektList& list, const TPlatine& board);
// Whether the box meets the working space x 0 ... width, y -height ... 0
// (touching its edge counts).
bool MeetsWorkingSpace(const TURect& r, const TPlatine& board);
TURect AllBounds(const TObjektList& list, const TPlatine& board);
// Union of the rectangles of the list's elements, or of its selected ones.
TURect ListBounds(const TObjektList& list, const TPlatine& board, bool selectedOnly);
TDPoint SelectionCentre(const TObjektList& list, const TPlatine& board);

// Whether the point lies in the element's outline; on screen the element is
// taken three pixels larger.
bool HitTest(const TObjekt& e, TDPoint p, const TPlatine& board, bool onScreen);
// The handle under the point: a vertex index, 10000 + segment index for a
// segment midpoint, 0/1 for the circle's start/stop handle, -1 for none.
int NodeHitTest(const TObjekt& e, TDPoint p, double zoom);
// The point of the element to snap to near Q; (-1, -1) for kinds without one.
TDPoint NearestSnapPoint(const TObjekt& e, TDPoint q);

// ---- transforms ----

void MoveObjekt(TObjekt& e, double dx, double dy);
// Turns the element clockwise by A degrees about c.
void RotateObjekt(TObjekt& e, TDPoint c, double a);
// Mirror about the vertical line x = m / the horizontal line y = m.
void MirrorHorizontally(TObjekt& e, double m);
void MirrorVertically(TObjekt& e, double m);
void GrowObjekt(TObjekt& e, int32_t a);
void ShrinkObjekt(TObjekt& e, int32_t a);
// New shape (or none: keep) and margin; the pad keeps its rotation, and an
// elongated shape becomes its twin when the pad stands upright.
void RebuildThtOutline(TObjekt& e, std::optional<uint8_t> newShape, int32_t margin);
void ResizeSmdPad(TObjekt& e, std::optional<double> width, std::optional<double> height);

// Removes near-duplicate vertices and, with `optimise`, redundant collinear
// ones that no pad centre holds in place.
void NormalisePointList(TObjekt& e, const TObjektList& list, bool optimise, bool multilayer);

// Moves every element by (-OriginX, -(OriginY + Height)) (forward) or back.
void ExportShift(TObjektList& list, const TPlatine& board, bool forward);

}  // namespace bs
