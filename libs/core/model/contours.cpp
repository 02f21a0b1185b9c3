#include "model/contours.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace bs {

namespace {
constexpr double kPi = std::numbers::pi;
constexpr double kTwoPi = 2 * std::numbers::pi;

TIPoint Round(double x, double y) { return {RoundInt(x), RoundInt(y)}; }

// A count of arc steps from a size. Real boards stay far below the cap; it
// only keeps damaged sizes (huge or not numbers) from asking for millions of
// vertices.
constexpr double kMaxSteps = 8192;
int Steps(double v) {
  if (!(v >= 0)) return 0;
  return static_cast<int>(std::min(v, kMaxSteps));
}
TDPoint ToD(TIPoint p) { return {static_cast<double>(p.X), static_cast<double>(p.Y)}; }
TDPoint ToD(TFPoint p) { return {p.X, p.Y}; }

// The point at angle a and distance r from c, rounded.
TIPoint Polar(TDPoint c, double r, double a) { return Round(c.X + r * std::cos(a), c.Y + r * std::sin(a)); }

// Point k (1 ... n) of a round pad's ring: the same angles as the points
// of a whole arc from its start round to it.
TIPoint RingPoint(const TPadRing& ring, int k) { return Polar(ring.c, ring.r, ring.as + 1.0 * kTwoPi * k / ring.n); }

double Normalise(double a) {
  a = std::fmod(a, kTwoPi);
  if (a < 0) a += kTwoPi;
  if (a >= kTwoPi) a = 0;
  return a;
}

bool SameRounded(TFPoint a, TFPoint b) { return RoundInt(a.X) == RoundInt(b.X) && RoundInt(a.Y) == RoundInt(b.Y); }

// Full circle of n points around c, starting after angle 0 and ending on it.
void AppendCircle(TDPoint c, double r, int n, TContours& out) {
  const TIPoint start = Polar(c, r, 0);
  TContour ring;
  ring.reserve(n);
  AppendArcPoints(c, ToD(start), ToD(start), n, true, ring);
  out.push_back(std::move(ring));
}

// The eight points of a polygon with cut corners: on every edge, the points
// at distance k from both of its corners.
TContour CutCorners(const std::vector<TDPoint>& corners, double k) {
  TContour c;
  const size_t n = corners.size();
  c.reserve(2 * n);
  for (size_t i = 0; i < n; ++i) {
    const TDPoint a = corners[i], b = corners[(i + 1) % n];
    const double len = std::hypot(b.X - a.X, b.Y - a.Y);
    const double t = len > 0 ? k / len : 0;
    c.push_back(Round(a.X + (b.X - a.X) * t, a.Y + (b.Y - a.Y) * t));
    c.push_back(Round(b.X - (b.X - a.X) * t, b.Y - (b.Y - a.Y) * t));
  }
  return c;
}

TContour PolygonOf(const TPointList& pts) {
  TContour c;
  c.reserve(pts.size());
  for (const TFPoint& p : pts) c.push_back(Round(p.X, p.Y));
  return c;
}

void TrackContours(const TObjekt& e, TContours& out) {
  const auto& pts = e.Points;
  if (pts.empty()) return;
  const double w = std::max(e.Width, 100);
  const bool flatStartBit = e.TrackEnds & 1, flatEndBit = e.TrackEnds & 2;
  // First and last segments with distinct end points carry the flat ends.
  size_t first = pts.size(), last = pts.size();
  for (size_t i = 0; i + 1 < pts.size(); ++i) {
    if (SameRounded(pts[i], pts[i + 1])) continue;
    if (first == pts.size()) first = i;
    last = i;
  }
  if (first == pts.size()) {
    const TDPoint p = ToD(pts[0]);
    out.push_back(Stadium(p, {p.X + 100, p.Y + 100}, w, false, false));
    return;
  }
  auto longEnough = [&](size_t i) {
    return std::hypot(pts[i + 1].X - pts[i].X, pts[i + 1].Y - pts[i].Y) > e.Width / 2.0;
  };
  for (size_t i = first; i <= last; ++i) {
    if (SameRounded(pts[i], pts[i + 1])) continue;
    const bool fs = i == first && flatStartBit && longEnough(i);
    const bool fe = i == last && flatEndBit && longEnough(i);
    out.push_back(Stadium(ToD(pts[i]), ToD(pts[i + 1]), w, fs, fe));
  }
}

void ZoneContours(const TObjekt& e, TContours& out) {
  const auto& pts = e.Points;
  if (pts.empty()) return;
  const double w = std::max(e.Width, 100);
  bool any = false;
  for (size_t i = 0; i < pts.size(); ++i) {
    const TFPoint a = pts[i], b = pts[(i + 1) % pts.size()];
    if (SameRounded(a, b)) continue;
    out.push_back(Stadium(ToD(a), ToD(b), w, false, false));
    any = true;
  }
  if (!any) {
    const TDPoint p = ToD(pts[0]);
    out.push_back(Stadium(p, {p.X + 1, p.Y + 1}, w, false, false));
  }
}

void TextContours(const TObjekt& e, TContours& out) {
  for (const auto& s : e.SubElements) {
    const auto& pts = s->Points;
    for (size_t i = 0; i + 1 < pts.size(); ++i)
      out.push_back(Stadium(ToD(pts[i]), ToD(pts[i + 1]), s->Width, false, false));
  }
}

void ThtContours(const TObjekt& e, TContours& out, const TContourOptions& opt) {
  const auto& pts = e.Points;
  switch (e.Shape) {
    case kShapeRound: {
      if (pts.size() < 2) return;
      TPadRing ring;
      TContour points;  // (none when the size is no number)
      if (RoundPadRing(e, ring)) {
        points.reserve(size_t(ring.n));
        for (int k = 1; k <= ring.n; ++k) points.push_back(RingPoint(ring, k));
      }
      out.push_back(std::move(points));
      return;
    }
    case kShapeRoundedH:
    case kShapeRoundedV: {
      if (pts.size() < 2) return;
      const TDPoint a = ToD(pts[0]), b = ToD(pts[1]);
      const double d = std::hypot(b.X - a.X, b.Y - a.Y);
      const double w = opt.ConnectivityRun ? d : d + 2.0 * e.OutlineMargin;
      out.push_back(Stadium(a, b, w, false, false));
      return;
    }
    case kShapeSquare:
    case kShapeRectH:
    case kShapeRectV:
      if (opt.DistanceMode) {
        std::vector<TDPoint> corners;
        for (const TFPoint& p : pts) corners.push_back(ToD(p));
        out.push_back(CutCorners(corners, opt.CutLength));
        return;
      }
      [[fallthrough]];
    case kShapeOctagon:
    case kShapeOctagonH:
    case kShapeOctagonV:
      if (!pts.empty()) out.push_back(PolygonOf(pts));
      return;
    default: return;
  }
}

void SmdContours(const TObjekt& e, TContours& out, const TContourOptions& opt) {
  if (e.Points.empty()) return;
  if (opt.DistanceMode) {
    std::vector<TDPoint> corners;
    for (const TFPoint& p : e.Points) corners.push_back(ToD(p));
    out.push_back(CutCorners(corners, opt.CutLength));
  } else {
    out.push_back(PolygonOf(e.Points));
  }
}

void CircleContours(const TObjekt& e, TContours& out) {
  const TDPoint c = ToD(e.Pos);
  const double R = e.SizeA;
  double r = e.SizeB;
  if (R - r < 100) r = R - 100;
  const double start = e.StartAngle / 1000.0, stop = e.StopAngle / 1000.0;
  double sweep = stop - start;
  if (sweep == 0) sweep = 360;
  else if (sweep < 0) sweep += 360;
  const double h = (R - r) / 2, m = (R + r) / 2;
  const double a0 = start * kPi / 180, a1 = stop * kPi / 180;
  const TIPoint outerStart = Polar(c, R, a0), outerStop = Polar(c, R, a1);
  if (e.Fill) {
    TContour poly{outerStart};
    AppendArcPoints(c, ToD(outerStart), ToD(outerStop), Steps(std::round(R / 1000) + 3), true, poly);
    out.push_back(std::move(poly));
    out.push_back(Stadium(ToD(Polar(c, m, a1)), ToD(Polar(c, m, a0)), 2 * h, false, false));
    return;
  }
  const int steps = std::max(1, Steps(std::round((std::round(R / 5000) + 24) * sweep / 360)));
  const TIPoint innerStart = Polar(c, r, a0), innerStop = Polar(c, r, a1);
  TContour ring{outerStart};
  ring.reserve(2 * steps + 2);
  AppendArcPoints(c, ToD(outerStart), ToD(outerStop), steps, true, ring);
  ring.push_back(innerStop);
  AppendArcPoints(c, ToD(innerStop), ToD(innerStart), steps, false, ring);
  out.push_back(std::move(ring));
  const int capPoints = Steps(std::round(h / 1000) + 8);
  AppendCircle(ToD(Polar(c, m, a0)), h, capPoints, out);
  AppendCircle(ToD(Polar(c, m, a1)), h, capPoints, out);
}
}  // namespace

double DirectionAngle(double dx, double dy) {
  if (dy == 0) return dx < 0 ? kPi : 0;
  if (dx == 0) return dy > 0 ? kPi / 2 : 3 * kPi / 2;
  return Normalise(std::atan2(dy, dx));
}

void AppendArcPoints(TDPoint c, TDPoint s, TDPoint e, int n, bool counterClockwise, TContour& out) {
  if (n <= 0) return;
  const double as = DirectionAngle(s.X - c.X, s.Y - c.Y);
  const double ae = DirectionAngle(e.X - c.X, e.Y - c.Y);
  const double r = std::hypot(s.X - c.X, s.Y - c.Y);
  double span = std::fabs(ae - as);
  if (span == 0) span = kTwoPi;
  // Going from `as` by `span` in the requested direction must arrive at `ae`;
  // otherwise the other way round is the one asked for.
  const bool arrives = counterClockwise ? ae >= as : ae <= as;
  if (!arrives && std::fabs(kTwoPi - span) > 0.02) span = kTwoPi - span;
  const double sign = counterClockwise ? 1 : -1;
  for (int i = 1; i <= n; ++i) out.push_back(Polar(c, r, as + sign * span * i / n));
}

TContour Stadium(TDPoint p, TDPoint q, double w, bool flatStart, bool flatEnd) {
  const double rdir = DirectionAngle(q.X - p.X, q.Y - p.Y);
  const double hw = w / 2;
  const double rightA = rdir - kPi / 2, leftA = rdir + kPi / 2;
  const int n = Steps(std::trunc(w / 3000) + 3);
  constexpr double kDiag = 1.414;
  TContour c;
  c.reserve(2 * n + 2);
  const TIPoint qRight = Polar(q, hw, rightA), qLeft = Polar(q, hw, leftA);
  const TIPoint pLeft = Polar(p, hw, leftA), pRight = Polar(p, hw, rightA);
  c.push_back(qRight);
  if (flatEnd) {
    c.push_back(Polar(q, kDiag * hw, rdir - kPi / 4));
    c.push_back(Polar(q, kDiag * hw, rdir + kPi / 4));
  } else {
    AppendArcPoints(q, ToD(qRight), ToD(qLeft), n, true, c);
  }
  c.push_back(pLeft);
  if (flatStart) {
    c.push_back(Polar(p, kDiag * hw, rdir + 3 * kPi / 4));
    c.push_back(Polar(p, kDiag * hw, rdir - 3 * kPi / 4));
  } else {
    AppendArcPoints(p, ToD(pLeft), ToD(pRight), n, true, c);
  }
  return c;
}

void OrientClockwise(TContour& contour) {
  const size_t n = contour.size();
  if (n < 3) return;
  std::reverse(contour.begin(), contour.end());
  double sumT = 0, sumRest = 0;
  for (size_t i = 0; i < n; ++i) {
    const TIPoint prev = contour[(i + n - 1) % n], v = contour[i], next = contour[(i + 1) % n];
    const double in = DirectionAngle(double(v.X) - prev.X, double(v.Y) - prev.Y);
    const double outA = DirectionAngle(double(next.X) - v.X, double(next.Y) - v.Y);
    const double t = Normalise(kPi - (in - outA));
    sumT += t;
    sumRest += kTwoPi - t;
  }
  if (sumT > sumRest) std::reverse(contour.begin(), contour.end());
}

bool RoundPadRing(const TObjekt& e, TPadRing& ring) {
  if (e.Kind != kKindThtPad || e.Shape != kShapeRound || e.Points.size() < 2) return false;
  // Starting at the pad's first point, rounded, and going round
  // counter-clockwise, as an arc from that point back to it would.
  const TDPoint a = ToD(e.Points[0]), b = ToD(e.Points[1]);
  ring.c = {(a.X + b.X) / 2, (a.Y + b.Y) / 2};
  ring.n = Steps(std::round(std::hypot(b.X - a.X, b.Y - a.Y) / 2 / 2500) + 12);
  if (ring.n <= 0) return false;
  const TDPoint s = ToD(Round(a.X, a.Y));
  ring.as = DirectionAngle(s.X - ring.c.X, s.Y - ring.c.Y);
  ring.r = std::hypot(s.X - ring.c.X, s.Y - ring.c.Y);
  return true;
}

int32_t RingExtreme(const TPadRing& ring, int side) {
  const int n = ring.n;
  auto point = [&](long long i) {
    return RingPoint(ring, int(((i - 1) % n + n) % n) + 1);  // the same point among 1 ... n
  };
  // A coordinate of the rounded points follows the cosine or sine of their
  // angles, so its extreme lies at one of the two points whose angles come
  // nearest the side's direction (a quarter turn `side` from 0); all others
  // are a whole step further round.
  const double t = (side / 4.0 - ring.as / kTwoPi) * n;
  const TIPoint p = point((long long)std::floor(t)), q = point((long long)std::floor(t) + 1);
  switch (side) {
    case 0: return std::max(p.X, q.X);
    case 1: return std::max(p.Y, q.Y);
    case 2: return std::min(p.X, q.X);
    default: return std::min(p.Y, q.Y);
  }
}

bool RoundPadRingBox(const TObjekt& e, TIPoint& min, TIPoint& max) {
  TPadRing ring;
  if (!RoundPadRing(e, ring)) return false;
  max = {RingExtreme(ring, 0), RingExtreme(ring, 1)};
  min = {RingExtreme(ring, 2), RingExtreme(ring, 3)};
  return true;
}

bool PolygonPadBox(const TObjekt& e, TIPoint& min, TIPoint& max) {
  bool polygon = e.Kind == kKindSmdPad;
  if (e.Kind == kKindThtPad) {
    switch (e.Shape) {
      case kShapeSquare:
      case kShapeRectH:
      case kShapeRectV:
      case kShapeOctagon:
      case kShapeOctagonH:
      case kShapeOctagonV: polygon = true; break;
      default: break;
    }
  }
  if (!polygon || e.Points.empty()) return false;
  // The outline's points are the pad's points rounded.
  min = max = Round(e.Points[0].X, e.Points[0].Y);
  for (const TFPoint& p : e.Points) {
    const TIPoint q = Round(p.X, p.Y);
    min = {std::min(min.X, q.X), std::min(min.Y, q.Y)};
    max = {std::max(max.X, q.X), std::max(max.Y, q.Y)};
  }
  return true;
}

void AppendElementContours(const TObjekt& e, TContours& out, const TContourOptions& opt) {
  switch (e.Kind) {
    case kKindTrack: TrackContours(e, out); break;
    case kKindZone: ZoneContours(e, out); break;
    case kKindText: TextContours(e, out); break;
    case kKindThtPad: ThtContours(e, out, opt); break;
    case kKindSmdPad: SmdContours(e, out, opt); break;
    case kKindCircle: CircleContours(e, out); break;
    default: break;
  }
}

TContours ElementContours(const TObjekt& e, const TContourOptions& opt) {
  TContours out;
  AppendElementContours(e, out, opt);
  return out;
}

}  // namespace bs
