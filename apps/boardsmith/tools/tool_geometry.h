// Where the mouse tools put things: capture onto pads and nodes, whole grid
// steps, the board limits, 45-degree corners of dragged nodes and the
// values of circle handles. Model units, y up; no Qt.
#pragma once

#include <functional>
#include <limits>
#include <optional>

#include "model/geometry.h"
#include "project/project.h"

namespace bs::app {

// Capture radii are held within these pixel sizes at the current zoom.
inline constexpr double kMinCapturePixels = 8;
inline constexpr double kMaxCapturePixels = 50;
// A moved selection falls back onto its start within this many pixels.
inline constexpr double kReturnPixels = 10;
// An inserted node stays on its segment's midpoint until the pointer has
// gone this many pixels from where it grabbed it.
inline constexpr double kInsertPixels = 10;
// How far ALT corner snapping reaches (units, in x and in y).
inline constexpr double kCornerReach = 8000;

// Elements that are not captured onto (those being moved).
using TSkip = std::function<bool(const TObjekt&)>;

// The nearest capture point whose radius holds p: the centres of visible
// pads first; when none captures, the vertices of tracks and zones, the
// centres of circles and the ends of arcs.
std::optional<TDPoint> CapturePoint(const TBoard& board, TDPoint p, const TSkip& skip = {});

// The position of a drawing tool: captured at the raw position, else (unless
// CTRL is held) snapped to the grid and captured again there.
struct TCursorPosition {
  TDPoint At;
  bool Captured = false;
};
TCursorPosition CursorPosition(const TBoard& board, TDPoint raw, bool capture, bool ctrl);

// The delta of a moved selection (or prepared elements) whose reference
// point started at `reference` while the pointer went by `pointer`: back to
// the start within 10 pixels; else captured onto a pad or node; else (unless
// CTRL) whole grid steps, captured again; finally held so that `bounds`
// stays on the board.
// The deltas (per axis, units) that keep every moved element whose partner
// set meets the working space meeting it; unbounded when none does.
struct TDeltaRange {
  double XLo = -std::numeric_limits<double>::infinity();
  double XHi = std::numeric_limits<double>::infinity();
  double YLo = -std::numeric_limits<double>::infinity();
  double YHi = std::numeric_limits<double>::infinity();
};
// The range for moving the board's selected elements.
TDeltaRange KeepTouchingRange(const TBoard& board);

struct TMoveRequest {
  TDPoint Reference;
  TDPoint Pointer;               // current minus start, units
  std::optional<TURect> Bounds;  // of what is moved; none: no limit
  TDeltaRange Keep;              // for what is moved when Bounds is larger than the board
  bool Capture = true;
  bool Ctrl = false;
  TSkip Skip;  // what is moved
};
struct TMoveDelta {
  TDPoint Delta;
  bool Captured = false;
};
TMoveDelta MoveDelta(const TBoard& board, const TMoveRequest& request);

// Holds the delta so that `bounds` moved by it stays within x 0 ... width
// and y -height ... 0; on an axis where `bounds` is larger than the board
// (or sticks out on both sides), within `keep` instead, so that nothing that
// touched the working space is carried wholly outside it. A held delta goes
// to whole grid steps (unless CTRL) where they fit.
TDPoint LimitToBoard(TDPoint delta, const TURect& bounds, const TPlatine& board, bool ctrl,
                     const TDeltaRange& keep = {});

// ALT corner snapping of a dragged node between its neighbours. With CTRL
// the node turns about the better-aligned neighbour onto a 45-degree
// direction; otherwise, with two neighbours, the first of six corners made of
// horizontal, vertical and 45-degree lines through them that lies within
// kCornerReach. None when nothing applies.
std::optional<TDPoint> CornerSnap(TDPoint pos, std::optional<TDPoint> prev, std::optional<TDPoint> next, bool ctrl);

// A circle handle at the pointer: the angle about the centre in 1/1000
// degree, counter-clockwise from +x, in whole degrees rounded to 15-degree
// steps (with CTRL to 1/1000 degree), below 360 degrees.
int32_t HandleAngle(TDPoint centre, TDPoint pointer, bool ctrl);
// The middle radius for the pointer at `distance` from the centre: whole
// grid steps from the radius the drag started with, unless CTRL.
double HandleRadius(double startRadius, double distance, double grid, bool ctrl);

// A rubber-band rectangle selects what its outline touches.
bool RectTouchesElement(const TObjekt& e, const TBoard& board, TDPoint a, TDPoint b);

}  // namespace bs::app
