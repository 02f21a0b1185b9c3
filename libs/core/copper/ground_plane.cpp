#include "copper/ground_plane.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "model/geometry.h"
#include "render/painter.h"
#include "render/raster_surface.h"

namespace bs {

namespace {
// Steps 1 to 4 onto the surface for the given elements of the layer.
void PaintConstruction(TSurface& s, const TBoard& board, const std::vector<const TObjekt*>& here, int layer,
                       const TViewMap& view, TColour copper, TColour none) {
  const TPlatine& p = board.Platine;
  TPaintSettings set;
  set.Scheme.C[kColBackground] = none;  // hatched zones are filled with it first
  const double x1 = (p.Width + 1.0) * view.Zoom - view.ScrollX, y1 = (p.Height + 1.0) * view.Zoom - view.ScrollY;
  if (-view.ScrollX > 0 || -view.ScrollY > 0 || x1 < s.Width() || y1 < s.Height())
    s.FillRect(0, 0, s.Width(), s.Height(), none);
  s.FillRect(-view.ScrollX, -view.ScrollY, x1, y1, copper);
  s.BeginBatch();
  for (const TObjekt* e : here) DrawElementClearance(s, *e, p, view, set, none);
  for (const TObjekt* e : here)
    if (IsPad(*e) && e->Thermal) DrawThermalSpokes(s, *e, p, view, layer, copper);
  for (const TObjekt* e : here)
    if (!e->Cutout) DrawElementInColour(s, *e, p, view, set, copper);
  s.EndBatch();
}

// The pixel rows an element may paint on, for a view without scrolling.
void RowRange(const TObjekt& e, double zoom, int& first, int& last) {
  const TURect r = CullBounds(e);
  first = int(std::floor(-double(r.Bottom) * zoom)) - 1;
  last = int(std::ceil(-double(r.Top) * zoom)) + 1;
}
}  // namespace

namespace {
int Find(std::vector<int>& parent, int a) {
  while (parent[size_t(a)] != a) a = parent[size_t(a)] = parent[size_t(parent[size_t(a)])];
  return a;
}
}  // namespace

TGroundPlaneRaster::TGroundPlaneRaster(const TBoard& board, int layer) {
  const TPlatine& p = board.Platine;
  const double w = std::max(1, p.Width), h = std::max(1, p.Height);
  const double s = std::max(w, h) / 5000;
  cols_ = std::max(1, int(std::lround(w / s)));
  rows_ = std::max(1, int(std::lround(h / s)));
  sx_ = cols_ / w;
  sy_ = rows_ / h;
  // Painted in bands of rows with the columns' scale (the rows differ from
  // it by the rounding of the raster's height only); each band is turned
  // into runs of copper at once.
  const int band = 128;
  const int bands = (rows_ + band - 1) / band;
  std::vector<std::vector<const TObjekt*>> inBand(static_cast<size_t>(bands));
  const bool multi = p.Multilayer != 0;
  for (const auto& e : board.Elements) {
    if (!OccupiesLayer(*e, layer, multi)) continue;
    int first, last;
    RowRange(*e, sx_, first, last);
    for (int b = std::max(0, first / band); b <= std::min(bands - 1, last / band); ++b)
      inBand[size_t(b)].push_back(e.get());
  }
  TRasterSurface surface(cols_, band, false);
  std::vector<int> parent;
  rowStart_.assign(size_t(rows_) + 1, 0);
  for (int y0 = 0; y0 < rows_; y0 += band) {
    PaintConstruction(surface, board, inBand[size_t(y0 / band)], layer, TViewMap{sx_, 0, double(y0)}, 0xFFFFFF,
                      0x000000);
    const auto& rgba = surface.Raster().Pixels;
    for (int y = y0; y < std::min(rows_, y0 + band); ++y) {
      rowStart_[size_t(y)] = runs_.size();
      const uint8_t* row = &rgba[size_t(y - y0) * size_t(cols_) * 4];
      auto copper = [row](int x) { return row[size_t(x) * 4] != 0; };
      for (int x = 0; x < cols_;) {
        if (!copper(x)) {
          ++x;
          continue;
        }
        int x1 = x;
        while (x1 + 1 < cols_ && copper(x1 + 1)) ++x1;
        const int id = int(parent.size());
        parent.push_back(id);
        runs_.push_back({x, x1, id});
        x = x1 + 1;
      }
      // Runs of the row above that share a column join this run's area.
      if (y > 0) {
        size_t a = rowStart_[size_t(y - 1)], b = rowStart_[size_t(y)];
        for (size_t i = b; i < runs_.size(); ++i) {
          while (a < b && runs_[a].X1 < runs_[i].X0) ++a;
          for (size_t j = a; j < b && runs_[j].X0 <= runs_[i].X1; ++j) {
            const int ra = Find(parent, runs_[i].Area), rb = Find(parent, runs_[j].Area);
            if (ra != rb) parent[size_t(std::max(ra, rb))] = std::min(ra, rb);
          }
        }
      }
    }
  }
  rowStart_[size_t(rows_)] = runs_.size();
  for (TRun& r : runs_) r.Area = Find(parent, r.Area);
  reached_.assign(parent.size(), 0);
}

int TGroundPlaneRaster::Area(int x, int y) const {
  const auto first = runs_.begin() + std::ptrdiff_t(rowStart_[size_t(y)]);
  const auto last = runs_.begin() + std::ptrdiff_t(rowStart_[size_t(y) + 1]);
  const auto it = std::upper_bound(first, last, x, [](int v, const TRun& r) { return v < r.X0; });
  if (it == first) return -1;
  const TRun& r = *(it - 1);
  return x <= r.X1 ? r.Area : -1;
}

bool TGroundPlaneRaster::PixelOf(TDPoint p, int& x, int& y) const {
  const double fx = std::floor(p.X * sx_), fy = std::floor(-p.Y * sy_);
  if (!(fx >= 0 && fx < cols_ && fy >= 0 && fy < rows_)) return false;
  x = int(fx);
  y = int(fy);
  return true;
}

int TGroundPlaneRaster::AreaAt(TDPoint p) const {
  int x, y;
  return PixelOf(p, x, y) ? Area(x, y) : -1;
}

bool TGroundPlaneRaster::Flood(TDPoint p, int* area) {
  const int a = AreaAt(p);
  if (area) *area = a;
  if (a < 0 || reached_[size_t(a)]) return false;
  reached_[size_t(a)] = 1;
  return true;
}

bool TGroundPlaneRaster::Reached(TDPoint p) const {
  int x, y;
  if (!PixelOf(p, x, y)) return false;
  const int area = Area(x, y);
  return area >= 0 && reached_[size_t(area)];
}

void TGroundPlaneRaster::ClearReached() { std::fill(reached_.begin(), reached_.end(), 0); }

TDPoint GroundPlaneReference(const TObjekt& e) {
  switch (e.Kind) {
    case kKindThtPad:
    case kKindLegacyText: return {e.Pos.X, e.Pos.Y};
    case kKindZone:
    case kKindTrack: return e.Points.empty() ? TDPoint{e.Pos.X, e.Pos.Y} : TDPoint{e.Points[0].X, e.Points[0].Y};
    case kKindCircle: {
      const double m = (double(e.SizeA) + e.SizeB) / 2, a = e.StartAngle / 1000.0 * std::numbers::pi / 180;
      return {e.Pos.X + m * std::cos(a), e.Pos.Y + m * std::sin(a)};
    }
    case kKindText:
      if (!e.SubElements.empty() && !e.SubElements[0]->Points.empty())
        return {e.SubElements[0]->Points[0].X, e.SubElements[0]->Points[0].Y};
      return {e.Pos.X, e.Pos.Y};
    case kKindSmdPad: return Centre(e);
    default: return {e.Pos.X, e.Pos.Y};
  }
}

}  // namespace bs
