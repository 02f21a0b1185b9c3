// The automatic ground plane of a copper layer as a raster: copper where the
// plane, the spokes and the layer's elements are, nothing in the gaps and
// outside the board. The connectivity test floods it to find what the plane
// joins.
#pragma once

#include <cstdint>
#include <vector>

#include "model/types.h"
#include "project/project.h"

namespace bs {

// The plane of one layer as a raster whose longer side has 5000 pixels,
// kept as runs of copper per row, each labelled with the connected copper
// area it belongs to (4-neighbourhood). Flooding an area marks it reached;
// the raster is not changed, so that one raster serves any number of
// floods of the same board.
class TGroundPlaneRaster {
 public:
  TGroundPlaneRaster(const TBoard& board, int layer);

  int Columns() const { return cols_; }
  int Rows() const { return rows_; }
  // The pixel of a model point, if it lies in the raster.
  bool PixelOf(TDPoint p, int& x, int& y) const;

  // Marks the copper area around the point reached; returns false when the
  // point lies outside, on no copper or in an area already reached.
  bool Flood(TDPoint p, int* area = nullptr);
  // The copper area at the point, -1 for none or outside.
  int AreaAt(TDPoint p) const;
  // Whether the point lies on copper reached by a flood.
  bool Reached(TDPoint p) const;
  // Forgets every flood.
  void ClearReached();

 private:
  struct TRun {
    int X0, X1;  // inclusive
    int Area;
  };
  int Area(int x, int y) const;  // -1 for no copper

  int cols_ = 0, rows_ = 0;
  double sx_ = 1, sy_ = 1;        // pixels per unit
  std::vector<size_t> rowStart_;  // runs of row y: rowStart_[y] ... rowStart_[y + 1] - 1
  std::vector<TRun> runs_;
  std::vector<char> reached_;  // per area
};

// The point of an element that the ground-plane test looks at: a pad's or
// legacy text's position, the first point of a track or zone, the start of
// a circle's middle line, a text's first stroke point, an SMD pad's centre.
TDPoint GroundPlaneReference(const TObjekt& e);

}  // namespace bs
