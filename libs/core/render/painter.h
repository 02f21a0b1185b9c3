// Paints a board: ground planes, elements layer by layer, drill holes,
// selection, handles, rubber bands and markers, onto any drawing surface.
#pragma once

#include "model/geometry.h"
#include "model/objekt.h"
#include "project/project.h"
#include "render/colours.h"
#include "render/surface.h"

namespace bs {

enum class TPaintTarget { Screen, MacroPreview, BitmapExport, Other };

// Settings and editor state that change how a board is painted.
struct TPaintSettings {
  TColourScheme Scheme;
  bool DarkenGroundPlane = true;  // ground planes in their layer colour darkened by 0.4
  bool AllGroundPlanes = true;    // every visible layer's plane, not only the active one
  int Drillings = 0;              // drill colour: 0 background, 1 white, 2 black
  bool Transparent = false;       // layers combine instead of covering each other
  int ToolMode = 0;               // 8 test, 9 connections, 11 autoroute, 15 solder mask
  bool Monochrome = false;        // bitmap export in black only
  // A manufacturing picture (exported bitmaps, prints): nothing is shown
  // selected, and the screen's overlays (rubber bands, zero point, handles,
  // markers) are left out; the board's own flags stay as they are.
  bool Artwork = false;
  bool ShowGrid = true;
  bool GridDots = false;
  int GridMarker = 4;      // marker every N grid steps; 0 off
  bool BlinkDark = false;  // the blinking test highlight in its darker phase
};

// Where the surface looks at the board: pixels per unit and the scroll
// offsets (pixel x = x * Zoom - ScrollX, pixel y = -y * Zoom - ScrollY).
struct TViewMap {
  double Zoom = 0.001;
  double ScrollX = 0;
  double ScrollY = 0;
};
TViewMap ViewMapOf(const TPlatine& board);

void PaintBoard(TSurface& s, const TBoard& board, const TViewMap& view, const TPaintSettings& settings,
                TPaintTarget target = TPaintTarget::Screen);
// Paints only the pixels x0 ... x1 - 1, y0 ... y1 - 1 of the same picture
// (band by band, each band limited to those columns); the rest of the
// surface is left as it is. A window that keeps its last picture repaints
// just the part that changed this way.
void PaintBoardRegion(TSurface& s, const TBoard& board, const TViewMap& view, const TPaintSettings& settings, int x0,
                      int y0, int x1, int y1, TPaintTarget target = TPaintTarget::Screen);

// The element colour rules: layer, through pad, solder-mask mode, selection,
// monochrome.
TColour ElementColour(const TObjekt& e, const TPaintSettings& settings, TPaintTarget target);

// Single elements, for highlights (design rule check, printing) and previews.
void DrawElement(TSurface& s, const TObjekt& e, const TPlatine& board, const TViewMap& view,
                 const TPaintSettings& settings, TPaintTarget target = TPaintTarget::Screen);
void DrawElementInColour(TSurface& s, const TObjekt& e, const TPlatine& board, const TViewMap& view,
                         const TPaintSettings& settings, TColour colour);
// The element grown by its clearance (the ground-plane gap).
void DrawElementClearance(TSurface& s, const TObjekt& e, const TPlatine& board, const TViewMap& view,
                          const TPaintSettings& settings, TColour colour);
void DrawThermalSpokes(TSurface& s, const TObjekt& pad, const TPlatine& board, const TViewMap& view, int layer,
                       TColour colour);

// Elements being dragged, drawn over the picture: translucent on the
// anti-aliased surface, cut-outs shown, pads with the rim of their hole and
// bare holes as a crossed circle. Without `translucent` they are drawn
// opaque, for a caller that applies DragPreviewAlpha itself.
void DrawDragPreview(TSurface& s, const std::vector<const TObjekt*>& elements, const TPlatine& board,
                     const TViewMap& view, const TPaintSettings& settings, bool translucent = true);
// How opaque the drag preview is on the anti-aliased surface (255 opaque).
uint8_t DragPreviewAlpha(const TPaintSettings& settings, bool antiAliased);

// A quick bounding rectangle that surely contains everything drawn for the
// element, its ground-plane gap and spokes included: the paint's cull test.
TURect CullBounds(const TObjekt& e);

}  // namespace bs
