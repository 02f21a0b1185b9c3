#include "import/gerber_geometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace bs {

namespace {
constexpr double kPi = std::numbers::pi;
// Steps of a full turn for a radius: the chord stays within 1 um (10 units)
// of the arc, between 16 and 720 steps.
int TurnSteps(double r) {
  if (!(r > 10)) return 16;
  const double step = 2 * std::acos(std::max(-1.0, 1 - 10.0 / r));
  return std::clamp(int(std::ceil(2 * kPi / step)), 16, 720);
}
}  // namespace

void TDBox::Add(TDPoint p) {
  MinX = std::min(MinX, p.X);
  MinY = std::min(MinY, p.Y);
  MaxX = std::max(MaxX, p.X);
  MaxY = std::max(MaxY, p.Y);
}

TDBox BoxOf(const TDPolygon& p) {
  TDBox b;
  for (const TDPoint& q : p) b.Add(q);
  return b;
}

TDPolygon CirclePolygon(TDPoint c, double r) {
  const int n = TurnSteps(r);
  TDPolygon out;
  out.reserve(size_t(n));
  for (int i = 0; i < n; ++i) {
    const double a = 2 * kPi * i / n;
    out.push_back({c.X + r * std::cos(a), c.Y + r * std::sin(a)});
  }
  return out;
}

TDPolygon StrokePolygon(TDPoint a, TDPoint b, double w) {
  const double r = w / 2, dx = b.X - a.X, dy = b.Y - a.Y, len = std::hypot(dx, dy);
  if (len < 1e-9) return CirclePolygon(a, r);
  const double dir = std::atan2(dy, dx);
  TDPolygon out;
  // The half circle round b from the right-hand side to the left, then the
  // one round a.
  out.push_back({b.X + r * std::cos(dir - kPi / 2), b.Y + r * std::sin(dir - kPi / 2)});
  for (const TDPoint& p : ArcPoints(b, r, dir - kPi / 2, kPi)) out.push_back(p);
  out.push_back({a.X + r * std::cos(dir + kPi / 2), a.Y + r * std::sin(dir + kPi / 2)});
  for (const TDPoint& p : ArcPoints(a, r, dir + kPi / 2, kPi)) out.push_back(p);
  return out;
}

TDPolygon RectanglePolygon(TDPoint c, double w, double h, double deg, TDPoint pivot) {
  TDPolygon out = {
      {c.X - w / 2, c.Y - h / 2}, {c.X + w / 2, c.Y - h / 2}, {c.X + w / 2, c.Y + h / 2}, {c.X - w / 2, c.Y + h / 2}};
  if (deg != 0) {
    const double t = deg * kPi / 180, cs = std::cos(t), sn = std::sin(t);
    for (TDPoint& p : out) {
      const double x = p.X - pivot.X, y = p.Y - pivot.Y;
      p = {pivot.X + x * cs - y * sn, pivot.Y + x * sn + y * cs};
    }
  }
  return out;
}

std::vector<TDPoint> ArcPoints(TDPoint c, double r, double a0, double sweep) {
  const int n = std::max(1, int(std::ceil(std::fabs(sweep) / (2 * kPi) * TurnSteps(r))));
  std::vector<TDPoint> out;
  out.reserve(size_t(n));
  for (int i = 1; i <= n; ++i) {
    const double a = a0 + sweep * i / n;
    out.push_back({c.X + r * std::cos(a), c.Y + r * std::sin(a)});
  }
  return out;
}

bool PointInDPolygon(const TDPolygon& poly, TDPoint p) {
  bool in = false;
  const size_t n = poly.size();
  for (size_t i = 0, j = n - 1; i < n; j = i++) {
    const TDPoint& a = poly[i];
    const TDPoint& b = poly[j];
    if ((a.Y > p.Y) != (b.Y > p.Y) && p.X < (b.X - a.X) * (p.Y - a.Y) / (b.Y - a.Y) + a.X) in = !in;
  }
  return in;
}

}  // namespace bs
