#include "render/hatch.h"

#include <algorithm>
#include <cmath>

namespace bs {

std::vector<std::pair<TDPoint, TDPoint>> ZoneHatchSegments(const TObjekt& zone, double p, double maxLines) {
  std::vector<std::pair<TDPoint, TDPoint>> out;
  if (zone.Points.size() < 2 || !(p > 0)) return out;
  double minX = 1e300, maxX = -1e300, minY = 1e300, maxY = -1e300;
  for (const TFPoint& q : zone.Points) {
    minX = std::min<double>(minX, q.X);
    maxX = std::max<double>(maxX, q.X);
    minY = std::min<double>(minY, q.Y);
    maxY = std::max<double>(maxY, q.Y);
  }
  if ((maxX - minX) / p > maxLines || (maxY - minY) / p > maxLines) return out;
  std::vector<TDPoint> poly(zone.Points.size());
  std::vector<double> cuts;
  for (int axis = 0; axis < 2; ++axis) {
    const bool vertical = axis == 0;
    const double lo = vertical ? minX : minY, hi = vertical ? maxX : maxY;
    for (double k = std::ceil(lo / p); k * p <= hi; ++k) {
      const double at = k * p;
      for (size_t i = 0; i < zone.Points.size(); ++i) {
        poly[i] = {zone.Points[i].X, zone.Points[i].Y};
        double& on = vertical ? poly[i].X : poly[i].Y;
        if (on == at) on += 2;
      }
      cuts.clear();
      for (size_t i = 0; i < poly.size(); ++i) {
        const TDPoint a = poly[i], b = poly[(i + 1) % poly.size()];
        const double a0 = vertical ? a.X : a.Y, b0 = vertical ? b.X : b.Y;
        if ((a0 < at) == (b0 < at)) continue;
        const double t = (at - a0) / (b0 - a0);
        const double along = vertical ? a.Y + t * (b.Y - a.Y) : a.X + t * (b.X - a.X);
        if (std::find(cuts.begin(), cuts.end(), along) == cuts.end()) cuts.push_back(along);
      }
      std::sort(cuts.begin(), cuts.end());
      for (size_t i = 0; i + 1 < cuts.size(); i += 2) {
        if (vertical) out.push_back({{at, cuts[i]}, {at, cuts[i + 1]}});
        else out.push_back({{cuts[i], at}, {cuts[i + 1], at}});
      }
    }
  }
  return out;
}

}  // namespace bs
