#include "model/polygon.h"

#include <algorithm>
#include <cmath>

namespace bs {

int32_t UnitsToFixed(double u, double scale) {
  return static_cast<int32_t>(std::llround(scale * u / 10000.0 * 65536.0));
}

int32_t FixedToUnits(int32_t f) { return RoundInt(f / 65536.0 * 10000.0); }

TFixRect ContourBounds(const TFixContour& c) {
  TFixRect r;
  for (const TFixPoint& p : c) {
    r.Left = std::min(r.Left, p.X);
    r.Right = std::max(r.Right, p.X);
    r.Top = std::min(r.Top, p.Y);
    r.Bottom = std::max(r.Bottom, p.Y);
  }
  return r;
}

TFixRect PolygonBounds(const TPolygon& p) {
  TFixRect r;
  for (const auto& c : p.Contours) {
    const TFixRect b = ContourBounds(c);
    if (b.Empty()) continue;
    r.Left = std::min(r.Left, b.Left);
    r.Right = std::max(r.Right, b.Right);
    r.Top = std::min(r.Top, b.Top);
    r.Bottom = std::max(r.Bottom, b.Bottom);
  }
  return r;
}

TPolygon CopperPolygon(const TObjekt& e, double scale, const TSpokeContext& ctx, const TContourOptions& opt) {
  TPolygon poly;
  for (const auto& contour : OutlineContours(e, ctx, opt)) {
    TFixContour fc;
    fc.reserve(contour.size());
    for (const TDPoint& p : contour) fc.push_back({UnitsToFixed(p.X, scale), UnitsToFixed(p.Y, scale)});
    poly.Contours.push_back(std::move(fc));
  }
  return poly;
}

namespace {
// a * b / c with a 64-bit product, rounded half away from zero.
int64_t MulDiv(int64_t a, int64_t b, int64_t c) {
  const int64_t num = a * b;
  const int64_t q = num / c, r = num % c;
  if (2 * std::llabs(r) >= std::llabs(c)) return q + (((num < 0) != (c < 0)) ? -1 : 1);
  return q;
}
}  // namespace

bool PointInPolygon(const TPolygon& p, TFixPoint pt) {
  for (const auto& c : p.Contours) {
    if (c.empty()) continue;
    bool inside = false;
    TFixPoint prev = c.back();
    for (const TFixPoint& cur : c) {
      if ((pt.Y >= cur.Y) != (pt.Y >= prev.Y) &&
          int64_t(pt.X) - cur.X < MulDiv(int64_t(prev.X) - cur.X, int64_t(pt.Y) - cur.Y, int64_t(prev.Y) - cur.Y))
        inside = !inside;
      prev = cur;
    }
    if (inside) return true;
  }
  return false;
}

}  // namespace bs
