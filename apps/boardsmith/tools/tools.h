// The mouse tools of the drawing area, numbered as the painter and the rest
// of the program know them (one is active at a time).
#pragma once

namespace bs::app {

enum TToolMode : int {
  kToolEdit = 0,
  kToolTrack = 1,
  kToolPad = 2,
  kToolZoom = 3,
  kToolZone = 5,
  kToolCircle = 6,
  kToolText = 7,
  kToolTest = 8,
  kToolConnections = 9,
  kToolSpecialForm = 10,
  kToolAutoroute = 11,
  kToolPlacement = 12,
  kToolMeasure = 13,
  kToolSmdPad = 14,
  kToolSolderMask = 15,
  kToolPhotoView = 16,
  kToolRectangle = 17,
};

}  // namespace bs::app
