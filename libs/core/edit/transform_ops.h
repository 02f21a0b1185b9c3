// The commands that change the selection as a whole: rotate, mirror, board
// side, layer, align, snap to grid and grouping. Each acts on the active
// board, records one undo step before it changes anything and records none
// when it has nothing to change.
#pragma once

#include <cstdint>

#include "edit/edit_types.h"
#include "project/project.h"

namespace bs {

// Turns the selection clockwise by the angle (tenths of a degree, the
// "RotWinkel" setting) about the centre of its bounding rectangle taken
// without thermal spokes; `counterClockwise` (SHIFT) reverses the direction.
// Component labels that would read upside down turn by 180 degrees more
// (ReadableLabels). A component selected whole has its pick-and-place offset
// turned with it and its placement rotation changed by the angle, downwards
// on the top side and upwards on the bottom side. Following track vertices
// turn along.
TEditResult RotateSelection(TProject& project, double angleTenths, bool counterClockwise, const TEditOptions& options);

enum class TMirror { Horizontal, Vertical };
// Mirrors the selection about the vertical (Horizontal) or horizontal
// (Vertical) line through the centre of its bounding rectangle. A selection
// with component elements is refused with NeedsConfirmation and the
// component warning until `componentsConfirmed`.
TEditResult MirrorSelection(TProject& project, TMirror mirror, bool componentsConfirmed, const TEditOptions& options);

// Moves the selected elements to the other board side (C1 <-> C2,
// S1 <-> S2; other layers stay) without mirroring them; the same component
// warning as mirroring.
TEditResult ChangeBoardSide(TProject& project, bool componentsConfirmed);

// Puts every selected element on the layer. On S1, S2 and O cut-outs become
// plain elements and pads lose their via and thermal flags.
TEditResult SetSelectionLayer(TProject& project, uint8_t layer);

enum class TAlign { Top, Bottom, Left, Right, HorizontalCentre, VerticalCentre };
// Moves every unit that holds a selected element, as a whole, so that its
// bounding rectangle lines up with the bounding rectangle of the selection:
// top edges (larger y), bottom edges, left or right edges, horizontal
// centres (x) or vertical centres (y).
TEditResult AlignSelection(TProject& project, TAlign align);

// Moves each selected element, without reshaping it, so that its reference
// point lies on the grid: a group or component member moves its whole unit
// by the unit's reference point, a pad by its centre (following track
// vertices along), a track or zone by its first vertex, a circle by its
// centre, a text by its anchor.
TEditResult SnapSelectionToGrid(TProject& project, const TEditOptions& options);

// Pushes a fresh group number onto every selected element when the
// selection holds at least two units.
TEditResult BuildGroup(TProject& project);
// Pops the innermost group number of every selected element that has one.
TEditResult SplitGroup(TProject& project);

}  // namespace bs
