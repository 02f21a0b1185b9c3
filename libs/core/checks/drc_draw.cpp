#include "checks/drc_draw.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace bs {

namespace {
constexpr double kHatchPitch = 8;

TPx ToPixel(double x, double y, const TViewMap& v) { return {x * v.Zoom - v.ScrollX, -y * v.Zoom - v.ScrollY}; }

// The hatch lines x + y = c (pixels, c a multiple of the pitch) inside the
// polygon, by the even-odd rule, each as a segment.
void Hatch(TSurface& s, const TPxPath& poly, TColour colour) {
  double lo = INFINITY, hi = -INFINITY;
  for (const TPx& p : poly) lo = std::min(lo, p.X + p.Y), hi = std::max(hi, p.X + p.Y);
  // Only the lines that cross the surface.
  lo = std::max(lo, 0.0);
  hi = std::min(hi, double(s.Width()) + s.Height());
  std::vector<double> xs;
  for (double c = std::ceil(lo / kHatchPitch) * kHatchPitch; c <= hi; c += kHatchPitch) {
    xs.clear();
    for (size_t i = 0; i < poly.size(); ++i) {
      const TPx& a = poly[i];
      const TPx& b = poly[(i + 1) % poly.size()];
      const double fa = a.X + a.Y - c, fb = b.X + b.Y - c;
      if ((fa >= 0) == (fb >= 0)) continue;
      xs.push_back(a.X + (b.X - a.X) * fa / (fa - fb));
    }
    std::sort(xs.begin(), xs.end());
    for (size_t k = 0; k + 1 < xs.size(); k += 2)
      s.StrokePath({{xs[k], c - xs[k]}, {xs[k + 1], c - xs[k + 1]}}, 1, TCap::Butt, false, colour);
  }
}
}  // namespace

void DrawDrcFinding(TSurface& s, const TDrcFinding& f, const TViewMap& view, TColour colour) {
  std::vector<TPxPath> polygons;
  for (const TDrcOutline& o : f.Outline) {
    TPxPath path;
    for (const TIPoint& p : o) path.push_back(ToPixel(p.X, p.Y, view));
    polygons.push_back(std::move(path));
  }
  if (polygons.empty()) {
    const TURect& m = f.Marker;
    polygons.push_back({ToPixel(m.Left, m.Top, view), ToPixel(m.Right, m.Top, view), ToPixel(m.Right, m.Bottom, view),
                        ToPixel(m.Left, m.Bottom, view)});
  }
  s.BeginBatch();
  for (const TPxPath& p : polygons) {
    Hatch(s, p, colour);
    s.StrokePath(p, 1, TCap::Butt, true, colour);
  }
  s.EndBatch();
}

}  // namespace bs
