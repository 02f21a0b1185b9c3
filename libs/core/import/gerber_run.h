// The import of a set of Gerber files with their drill files into a board:
// a new board or the emptied current one, one undo step, the joining and
// the fit of the board around the result.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "import/drill_import.h"
#include "import/gerber_import.h"
#include "model/progress.h"
#include "project/project.h"

namespace bs {

inline constexpr const char* kImportBoardName = "XGerber";

struct TGerberImportRequest {
  // The Gerber file of each layer (index = layer 1 ... 7; empty: none).
  std::array<std::string, kLayerCount + 1> Files;
  std::vector<std::string> DrillFiles;
  TDrillSettings Drill;
  bool JoinTracks = true;
  bool NewBoard = true;  // else the active board is emptied and used
};

struct TGerberImportResult {
  std::vector<TGerberReport> Gerber;  // in the order C1, S1, C2, S2, I1, I2, O
  std::vector<uint8_t> GerberLayers;  // the layer of each report
  std::vector<TDrillReport> Drill;
  size_t Joined = 0;     // elements absorbed by the joining
  bool Aborted = false;  // the joining was stopped
  bool Empty = false;    // nothing was imported; the board keeps its size
  TDPoint Shift;         // what the fit moved every element by
  size_t Elements = 0;
};

// The text telling that nothing was imported.
inline constexpr const char* kNothingImported = "Nothing was imported: the files hold no elements.";

// Runs the import into `project`: a new board "XGerber" of 160 x 100 mm
// becomes active, or the active board is emptied; one undo step is recorded
// before anything changes. Each file is read into a list of its own, then
// the drill files are applied, the tracks joined and the board fitted
// around the elements with 5 mm to spare on every side. A layer whose file
// brought back our own ground plane gets its plane switched on, and the
// board is fitted to the plane's rectangle instead.
TGerberImportResult RunGerberImport(TProject& project, const TGerberImportRequest& request,
                                    const TProgress* progress = nullptr);

}  // namespace bs
