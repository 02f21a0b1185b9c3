#include "checks/rect_grid.h"

#include <algorithm>
#include <cmath>

namespace bs {

namespace {
// A rectangle spanning more cells than this is kept aside and tested by
// every query, so that a few huge (or damaged) sizes cannot fill the grid.
constexpr int64_t kMaxCellsPerRect = 1024;

int64_t FloorDiv(int64_t a, int64_t b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }
}  // namespace

TRectGrid::TRectGrid(std::vector<TURect> rects) : rects_(std::move(rects)) {
  const size_t n = rects_.size();
  stamp_.assign(n, 0);
  int64_t minX = INT64_MAX, minY = INT64_MAX, maxX = INT64_MIN, maxY = INT64_MIN;
  std::vector<int64_t> sides;
  sides.reserve(n);
  for (const TURect& r : rects_) {
    if (IsNoRect(r)) continue;
    minX = std::min<int64_t>(minX, r.Left), maxX = std::max<int64_t>(maxX, r.Right);
    minY = std::min<int64_t>(minY, r.Top), maxY = std::max<int64_t>(maxY, r.Bottom);
    sides.push_back(std::max<int64_t>(int64_t(r.Right) - r.Left, int64_t(r.Bottom) - r.Top));
  }
  if (sides.empty()) return;
  // Cells about as large as a typical rectangle, and not many more cells
  // than rectangles.
  std::nth_element(sides.begin(), sides.begin() + long(sides.size() / 2), sides.end());
  const double width = double(maxX - minX) + 1, height = double(maxY - minY) + 1;
  const double byCount = std::sqrt(width * height / double(sides.size()));
  cell_ = std::max<int64_t>({1, sides[sides.size() / 2], int64_t(byCount)});
  originX_ = minX;
  originY_ = minY;
  for (;;) {  // a long thin spread of rectangles would ask for too many cells
    cols_ = (maxX - minX) / cell_ + 1;
    rows_ = (maxY - minY) / cell_ + 1;
    if (cols_ * rows_ <= 4 * int64_t(sides.size()) + 64) break;
    cell_ *= 2;
  }

  std::vector<uint32_t> count(size_t(cols_ * rows_) + 1, 0);
  auto each = [&](auto&& f) {
    for (size_t i = 0; i < n; ++i) {
      int64_t x0, y0, x1, y1;
      if (!CellRange(rects_[i], x0, y0, x1, y1)) continue;
      if ((x1 - x0 + 1) * (y1 - y0 + 1) > kMaxCellsPerRect) continue;
      for (int64_t y = y0; y <= y1; ++y)
        for (int64_t x = x0; x <= x1; ++x) f(size_t(y * cols_ + x), i);
    }
  };
  each([&](size_t c, size_t) { ++count[c + 1]; });
  for (size_t c = 1; c < count.size(); ++c) count[c] += count[c - 1];
  cellStart_ = count;
  items_.resize(count.back());
  each([&](size_t c, size_t i) { items_[count[c]++] = uint32_t(i); });
  for (size_t i = 0; i < n; ++i) {
    int64_t x0, y0, x1, y1;
    if (CellRange(rects_[i], x0, y0, x1, y1) && (x1 - x0 + 1) * (y1 - y0 + 1) > kMaxCellsPerRect)
      big_.push_back(uint32_t(i));
  }
}

bool TRectGrid::CellRange(const TURect& r, int64_t& x0, int64_t& y0, int64_t& x1, int64_t& y1) const {
  if (IsNoRect(r) || cols_ == 0) return false;
  auto cx = [&](int64_t v) { return std::clamp<int64_t>(FloorDiv(v - originX_, cell_), 0, cols_ - 1); };
  auto cy = [&](int64_t v) { return std::clamp<int64_t>(FloorDiv(v - originY_, cell_), 0, rows_ - 1); };
  x0 = cx(r.Left), x1 = cx(r.Right), y0 = cy(r.Top), y1 = cy(r.Bottom);
  return true;
}

void TRectGrid::Query(const TURect& r, size_t first, std::vector<size_t>& out) const {
  out.clear();
  int64_t x0, y0, x1, y1;
  if (!CellRange(r, x0, y0, x1, y1)) return;
  if (++round_ == 0) {  // the stamps wrapped round: start afresh
    std::fill(stamp_.begin(), stamp_.end(), 0);
    round_ = 1;
  }
  auto take = [&](uint32_t i) {
    if (i < first || stamp_[i] == round_) return;
    stamp_[i] = round_;
    if (RectsMeet(rects_[i], r)) out.push_back(i);
  };
  for (int64_t y = y0; y <= y1; ++y)
    for (int64_t x = x0; x <= x1; ++x) {
      const size_t c = size_t(y * cols_ + x);
      for (uint32_t k = cellStart_[c]; k < cellStart_[c + 1]; ++k) take(items_[k]);
    }
  for (uint32_t i : big_) take(i);
  std::sort(out.begin(), out.end());
}

}  // namespace bs
