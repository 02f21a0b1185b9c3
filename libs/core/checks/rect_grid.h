// A uniform grid over a list of rectangles that finds, for a query
// rectangle, the list positions of those that meet it: the checks compare
// each element only with the few others near it instead of with all.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/geometry.h"

namespace bs {

// Whether two rectangles meet; touching edges count.
inline bool RectsMeet(const TURect& a, const TURect& b) {
  return a.Left <= b.Right && b.Left <= a.Right && a.Top <= b.Bottom && b.Top <= a.Bottom;
}
// A rectangle with Left > Right holds nothing and meets nothing.
inline constexpr TURect kNoRect{1, 1, 0, 0};
inline bool IsNoRect(const TURect& r) { return r.Left > r.Right || r.Top > r.Bottom; }

class TRectGrid {
 public:
  explicit TRectGrid(std::vector<TURect> rects);

  // The positions from `first` on whose rectangles meet `r`, ascending,
  // into `out` (cleared first).
  void Query(const TURect& r, size_t first, std::vector<size_t>& out) const;

 private:
  bool CellRange(const TURect& r, int64_t& x0, int64_t& y0, int64_t& x1, int64_t& y1) const;

  std::vector<TURect> rects_;
  int64_t originX_ = 0, originY_ = 0, cell_ = 1;
  int64_t cols_ = 0, rows_ = 0;
  // The positions in each cell: cellStart_[c] ... cellStart_[c + 1] - 1 of items_.
  std::vector<uint32_t> cellStart_;
  std::vector<uint32_t> items_;
  // Rectangles spanning very many cells: looked at by every query.
  std::vector<uint32_t> big_;
  mutable std::vector<uint32_t> stamp_;
  mutable uint32_t round_ = 0;
};

}  // namespace bs
