// How a board is looked at: the mapping between model units and pixels, the
// zoom and scroll state with its limits and history, the active and visible
// layers, the zero point and the coordinate read-out. Everything works on the
// board record (Zoom, ScrollX/Y, Grid, layers, zero point); the window passes
// in the size of its viewport and applies the results to its widgets.
//
// Pixels are relative to the top-left of the visible area, y down. Model
// points are in units, y up. Where a function takes a "centre" it is a model
// point written as (x, -y), i.e. with y pointing down like the pixels.
//
// Undo is not recorded here: a caller that moves the zero point records the
// undo step itself before calling SetZeroPoint (ZeroPointAt and friends only
// compute the new position, so the caller can tell whether it moves).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/geometry.h"
#include "model/objekt.h"
#include "model/platine.h"
#include "project/project.h"

namespace bs {

// The client area of the scrolled viewport, in pixels.
struct TViewport {
  int Width = 0;
  int Height = 0;
};

inline constexpr double kMinZoom = 0.0001;
inline constexpr double kMaxZoom = 2.0;
// Wheel zooming out is refused at or below this zoom, so that the last step
// out does not end in the clamp.
inline constexpr double kWheelZoomOutLimit = 0.000105;
inline constexpr double kWheelZoomFactor = 1.3;
inline constexpr double kClickZoomFactor = 1.4;
// A zoom-tool drag must be wider and higher than this many pixels to count as
// a rectangle; smaller drags act as a click.
inline constexpr int kZoomRectMinPixels = 8;

// ---- mapping ----

// px = x * Zoom - ScrollX, py = -y * Zoom - ScrollY.
TDPoint ModelToPixel(const TPlatine& board, TDPoint model);
// The reverse of ModelToPixel; with `snap` the point is moved to the nearest
// grid crossing (the grid runs through the zero point).
TDPoint PixelToModel(const TPlatine& board, TDPoint pixel, bool snap = false);

// The size of the surface the whole board is drawn on at the current zoom:
// round(W * Zoom + 1) by round(H * Zoom + 1). It is also the scroll range.
struct TPixelSize {
  int Width = 0;
  int Height = 0;
  friend bool operator==(const TPixelSize&, const TPixelSize&) = default;
};
TPixelSize SurfaceSize(const TPlatine& board);

// Keeps the scroll positions inside what the scroll bars allow:
// 0 ... surface size - viewport size (0 when the board is smaller).
void ClampScroll(TPlatine& board, TViewport vp);
// Moves the view by (dx, dy) pixels within the scroll range (middle-button
// drag: dx = start - current). Returns whether it moved.
bool ScrollBy(TPlatine& board, TViewport vp, int dx, int dy);

// One scroll-bar step: 1/16 of the viewport's client size (at least 1).
int ScrollStep(int clientSize);
// While the left button is dragged within 8 pixels of a viewport edge, the
// view scrolls one step towards that edge as long as the board extends
// further that way. The step per axis for the pointer position (pixels);
// (0, 0) when nothing scrolls. Apply it with ScrollBy.
struct TPixelOffset {
  int X = 0;
  int Y = 0;
  friend bool operator==(const TPixelOffset&, const TPixelOffset&) = default;
};
TPixelOffset EdgeScrollDelta(const TPlatine& board, TViewport vp, TDPoint pointer);

// ---- zoom ----

// The zoom as SetZoom stores it: rounded to 5 decimals and clamped to
// kMinZoom ... kMaxZoom.
double NormaliseZoom(double zoom);
// The model point (x, -y) under the middle of the viewport.
TDPoint ViewCentre(const TPlatine& board, TViewport vp);
// Sets the zoom (normalised) and the scroll positions that put `centre`
// (x, -y) in the middle of the viewport: scroll = Zoom * c - size / 2,
// rounded and clamped to the scroll range. Without a centre the one under
// the middle of the viewport before the change is kept.
void SetZoom(TPlatine& board, TViewport vp, std::optional<TDPoint> centre, double zoom);

// The zoom history (TZoomHistory) lives with each board (project/project.h).

void PushZoomHistory(TZoomHistory& history, const TPlatine& board);
// Pops the newest record, sets its zoom and then its exact scroll positions.
// Returns false when the history is empty.
bool ZoomPrevious(TPlatine& board, TZoomHistory& history, TViewport vp);

// Mouse wheel: zoom / 1.3 (out) or * 1.3 (in) about the model point under
// `cursor`; zooming in first clamps that point to the board. Refused (no
// change, nothing returned) when zooming out at a zoom of 0.000105 or less
// or zooming in at 2.0. Returns the pixel where that model point now lies,
// for the window to move the pointer there. No history. (Ignoring the wheel
// while the middle button is held or within 0.05 ms of the previous wheel
// zoom is up to the window.)
std::optional<TDPoint> WheelZoom(TPlatine& board, TViewport vp, TDPoint cursor, bool zoomIn);

// Zoom tool, left click: zoom * 1.4 centred on the clicked point clamped to
// the board. Pushes history.
void ZoomToolClick(TPlatine& board, TZoomHistory& history, TViewport vp, TDPoint pixel);
// Zoom tool, left drag from `from` to `to` (pixels): when the rectangle is
// more than 8 pixels wide and high, the zoom that fits it into the viewport
// (the smaller of the two ratios), centred on it; otherwise a click at
// `from`. Pushes history.
void ZoomToolRectangle(TPlatine& board, TZoomHistory& history, TViewport vp, TDPoint from, TDPoint to);
// Zoom * 1.4 (in) or / 1.4 (out) keeping the centre: the zoom tool's right
// click (out) and the clicks on the board overview. Pushes history.
void ZoomStep(TPlatine& board, TZoomHistory& history, TViewport vp, bool zoomIn);
// The whole board: min((vw - 10) / W, (vh - 10) / H), centre kept. Pushes
// history. Does nothing (returns false) for a board without area.
bool ZoomBoard(TPlatine& board, TZoomHistory& history, TViewport vp);
// The bounding box of all elements (AllBounds): nothing when it is under 50
// units wide or high; else min((vw - 20) / w, (vh - 20) / h) centred on the
// box. Pushes history when it zooms.
bool ZoomObjects(TPlatine& board, TZoomHistory& history, TViewport vp, const TURect& all);
// The selection (SelectionBounds) enlarged by 100 / 80 about its centre so
// that it fills 80 % of the view, cut to the extent of all elements
// (AllBounds); nothing when the selection is under 10 units wide or high;
// else min((vw - 20) / w, (vh - 20) / h) of the enlarged box, centred on the
// selection. Pushes history when it zooms.
// `fill`: the share of the view in percent the selection fills (the element
// search's automatic zoom chooses it; 80 otherwise).
bool ZoomSelection(TPlatine& board, TZoomHistory& history, TViewport vp, const TURect& selection, const TURect& all,
                   double fill = 80);

// ---- board overview ("Board-Zoom") ----

inline constexpr int kOverviewSide = 80;  // the board's longer side, pixels
inline constexpr int kOverviewAreaWidth = 97;

// The miniature of the board (centred horizontally in the 97-pixel area, top
// at 0) and the frame of the visible region, in the overview's pixels.
struct TOverview {
  double Scale = 0;  // units per overview pixel: max(W, H) / 80
  double Left = 0, Top = 0, Width = 0, Height = 0;
  double FrameLeft = 0, FrameTop = 0, FrameWidth = 0, FrameHeight = 0;
};
TOverview OverviewGeometry(const TPlatine& board, TViewport vp);
// Scrolls so that the visible region starts at the overview frame position
// (frameLeft, frameTop), the frame kept inside the miniature.
void ScrollToOverviewFrame(TPlatine& board, TViewport vp, double frameLeft, double frameTop);

// ---- layers ----

// Makes `layer` (1 ... 7) active; a hidden layer is made visible first (as a
// visibility switch, see ToggleLayerVisible). Returns whether anything
// changed.
bool SetActiveLayer(TPlatine& board, TObjektList& elements, int layer);
// Switches the visibility of `layer` and deselects every element on it. The
// active layer cannot be hidden: then nothing happens and false is returned.
bool ToggleLayerVisible(TPlatine& board, TObjektList& elements, int layer);
// The board as the realistic view sees it: every layer visible. Painters of
// that view test elements with ShownOnScreen against this copy.
TPlatine WithAllLayersVisible(const TPlatine& board);
// Whether an element is drawn: ShownOnScreen, with every layer counting as
// visible in the realistic view.
bool ElementVisible(const TObjekt& e, const TPlatine& board, bool realisticView);

// ---- grid ----

// Sets the grid step in units (ignored unless positive).
void SetGrid(TPlatine& board, double units);

// ---- zero point ----

TIPoint ZeroPointTopLeft();
TIPoint ZeroPointBottomLeft(const TPlatine& board);
// The zero point for a clicked model position: snapped to the grid unless
// CTRL is held, rounded to whole units.
TIPoint ZeroPointAt(const TPlatine& board, TDPoint model, bool ctrl);
// Moves the zero point; returns whether it moved. Record undo before.
bool SetZeroPoint(TPlatine& board, TIPoint p);

// ---- coordinate read-out ----

// X = round(x - OriginX), Y = |round(y - OriginY)|, formatted as lengths
// (3 decimals in mm, 1 in mil).
struct TCoordinateText {
  std::string X;
  std::string Y;
};
TCoordinateText CoordinateReadout(const TPlatine& board, TDPoint model, TDisplayUnit unit);

}  // namespace bs
