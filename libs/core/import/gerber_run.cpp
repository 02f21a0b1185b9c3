#include "import/gerber_run.h"

#include <algorithm>
#include <cmath>

#include "edit/undo.h"
#include "model/geometry.h"
#include "model/objekt_list.h"

namespace bs {

TGerberImportResult RunGerberImport(TProject& project, const TGerberImportRequest& request, const TProgress* progress) {
  TGerberImportResult res;
  TBoard* board = project.Active();
  if (request.NewBoard || !board) {
    board = &AddBoard(project, kImportBoardName, 160 * kUnitsPerMm, 100 * kUnitsPerMm, false);
    RecordUndo(project);
  } else {
    RecordUndo(project);
    board->Elements.clear();
  }
  TPlatine& p = board->Platine;
  bool inner = false;
  bool plane = false;
  TDPoint planeMin{1e300, 1e300}, planeMax{-1e300, -1e300};
  // The rows in the order C1, S1, C2, S2, I1, I2, O.
  for (uint8_t layer : {kLayerC1, kLayerS1, kLayerC2, kLayerS2, kLayerI1, kLayerI2, kLayerO}) {
    const std::string& f = request.Files[layer];
    if (f.empty()) continue;
    TObjektList own;
    TGerberReport rep = ParseGerberFile(f, layer, own);
    if (!own.empty() && (layer == kLayerI1 || layer == kLayerI2)) inner = true;
    if (rep.GroundPlane && IsCopperLayer(layer)) {
      p.GroundPlane[layer] = 1;
      plane = true;
      planeMin = {std::min(planeMin.X, rep.PlaneMin.X), std::min(planeMin.Y, rep.PlaneMin.Y)};
      planeMax = {std::max(planeMax.X, rep.PlaneMax.X), std::max(planeMax.Y, rep.PlaneMax.Y)};
    }
    for (auto& e : own) board->Elements.push_back(std::move(e));
    res.Gerber.push_back(std::move(rep));
    res.GerberLayers.push_back(layer);
  }
  if (inner) p.Multilayer = 1;
  for (const std::string& f : request.DrillFiles)
    res.Drill.push_back(ParseDrillFile(f, board->Elements, request.Drill));
  if (request.JoinTracks) {
    res.Joined = JoinTracks(board->Elements, progress);
    res.Aborted = progress && progress->Aborted();
  }
  CleanUpList(board->Elements);
  ResetSolderMask(board->Elements);
  res.Elements = board->Elements.size();
  if (board->Elements.empty()) {
    res.Empty = true;
    return res;
  }
  // Fit: the content starts 5 mm from the left and 5 mm below the top, the
  // board is 10 mm larger than the content and its zero point is the
  // content's lower-left corner. A plane that came back decides the board.
  double left, upper, width, height, margin;
  if (plane) {
    left = planeMin.X;
    upper = planeMax.Y;
    width = planeMax.X - planeMin.X;
    height = planeMax.Y - planeMin.Y;
    margin = 0;
  } else {
    const TURect r = AllBounds(board->Elements, p);
    left = r.Left;
    upper = r.Bottom;
    width = double(r.Right) - r.Left;
    height = double(r.Bottom) - r.Top;
    margin = 50000;
  }
  const double dx = std::round(margin - left), dy = std::round(-upper - margin);
  for (auto& e : board->Elements) MoveObjekt(*e, dx, dy);
  res.Shift = {dx, dy};
  p.Width = RoundInt(width + 2 * margin);
  p.Height = RoundInt(height + 2 * margin);
  p.OriginX = RoundInt(margin);
  p.OriginY = RoundInt(margin) - p.Height;
  project.Changed = true;
  return res;
}

}  // namespace bs
