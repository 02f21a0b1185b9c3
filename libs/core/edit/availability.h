// Which edit commands are enabled for the active board, its selection and
// the current tool.
#pragma once

#include <cstdint>

#include "project/project.h"

namespace bs {

struct TClipboard;

struct TCommandState {
  // at least one element is selected and the tool is neither connections
  // nor autoroute
  bool Copy = false;
  bool Cut = false;
  bool Delete = false;
  bool Duplicate = false;
  bool Rotate = false;
  bool MirrorHorizontal = false;
  bool MirrorVertical = false;
  bool SnapToGrid = false;
  bool ChangeBoardSide = false;
  bool SetToLayer = false;
  bool Name = false;
  bool MakeComponent = false;
  bool TileArrange = false;
  bool ZoomSelection = false;
  // the same, and the selection holds more than one unit
  bool BuildGroup = false;
  bool Align = false;
  // a selected element is in a group
  bool SplitGroup = false;
  // the clipboard is not empty
  bool Paste = false;
  // the board has elements
  bool SelectAll = false;
  bool ZoomObjects = false;
  // their stacks are not empty
  bool Undo = false;
  bool Redo = false;
  bool ZoomPrevious = false;
  // some pad has a rubber band
  bool RemoveConnections = false;
  // the project has more than one board
  bool DeleteBoard = false;
  bool MoveBoard = false;  // to the start, the end, one step forwards or backwards
  // nothing is selected, or the selection holds a THT pad on a copper layer
  bool ThroughPad = false;
};

// `tool` is the number of the active mouse tool (9 connections, 11 autoroute).
TCommandState CommandState(TProject& project, const TClipboard& clipboard, int tool);

// The component the component list shows as current: the one whose elements
// are exactly the selected ones (besides it, only grouped elements without
// component may be selected); 0 when there is none.
int32_t SelectedComponent(TProject& project);

}  // namespace bs
