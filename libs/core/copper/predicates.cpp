#include "copper/predicates.h"

#include <algorithm>

namespace bs {

namespace {
float Mm(int32_t f) { return static_cast<float>(f) / 65536.0f; }
TFloatPoint Vertex(const TFixPoint& p) { return {Mm(p.X), Mm(p.Y)}; }
float Cross(float ax, float ay, float bx, float by) { return ax * by - ay * bx; }

bool Inside(const TFloatRect& inner, const TFloatRect& outer) {
  return inner.Left >= outer.Left && inner.Right <= outer.Right && inner.Top >= outer.Top &&
         inner.Bottom <= outer.Bottom;
}

// Calls f(a, b) for every edge of the contour, the closing edge included;
// stops when f returns true.
template <class F>
bool AnyEdge(const TFixContour& c, F&& f) {
  if (c.empty()) return false;
  TFloatPoint prev = Vertex(c.back());
  for (const TFixPoint& v : c) {
    const TFloatPoint cur = Vertex(v);
    if (f(prev, cur)) return true;
    prev = cur;
  }
  return false;
}

TFloatRect SegmentBox(TFloatPoint p1, TFloatPoint p2) { return Normalised({p1.X, p1.Y, p2.X, p2.Y}); }
}  // namespace

TFloatRect FloatBounds(const TFixRect& r) { return {Mm(r.Left), Mm(r.Top), Mm(r.Right), Mm(r.Bottom)}; }

TFloatRect Normalised(TFloatRect r) {
  if (r.Right < r.Left) std::swap(r.Left, r.Right);
  if (r.Bottom < r.Top) std::swap(r.Top, r.Bottom);
  return r;
}

std::optional<TFloatRect> RectIntersect(const TFloatRect& a, const TFloatRect& b) {
  const TFloatRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
                     std::min(a.Bottom, b.Bottom)};
  if (r.Right >= r.Left && r.Bottom >= r.Top) return r;
  return std::nullopt;
}

std::optional<TFloatPoint> SegmentsIntersect(TFloatPoint p1, TFloatPoint p2, TFloatPoint q1, TFloatPoint q2) {
  const float rx = p2.X - p1.X, ry = p2.Y - p1.Y, sx = q2.X - q1.X, sy = q2.Y - q1.Y;
  const float d = Cross(rx, ry, sx, sy);
  if (d == 0) return std::nullopt;
  const float qpx = q1.X - p1.X, qpy = q1.Y - p1.Y;
  const float t = Cross(qpx, qpy, sx, sy) / d;
  const float u = Cross(qpx, qpy, rx, ry) / d;
  if (t < 0 || t > 1 || u < 0 || u > 1) return std::nullopt;
  return TFloatPoint{q1.X + u * sx, q1.Y + u * sy};
}

bool RectTouchesPolygon(TFloatRect r, const TPolygon& p) {
  r = Normalised(r);
  const TFixRect whole = PolygonBounds(p);
  if (whole.Empty() || !RectIntersect(FloatBounds(whole), r)) return false;
  if (Inside(FloatBounds(whole), r)) return true;
  const TFloatPoint tl{r.Left, r.Top}, tr{r.Right, r.Top}, br{r.Right, r.Bottom}, bl{r.Left, r.Bottom};
  const TFloatPoint sides[4][2] = {{tl, tr}, {tr, br}, {br, bl}, {bl, tl}};
  for (const TFixContour& c : p.Contours) {
    const TFixRect box = ContourBounds(c);
    if (box.Empty() || !RectIntersect(FloatBounds(box), r)) continue;
    if (Inside(FloatBounds(box), r)) return true;
    const bool crosses = AnyEdge(c, [&](TFloatPoint a, TFloatPoint b) {
      for (const auto& side : sides)
        if (SegmentsIntersect(a, b, side[0], side[1])) return true;
      return false;
    });
    if (crosses) return true;
  }
  return false;
}

bool AllVerticesInside(const TPolygon& a, const TPolygon& b) {
  for (const TFixContour& c : a.Contours)
    for (const TFixPoint& v : c)
      if (!PointInPolygon(b, v)) return false;
  return true;
}

namespace {
// The boxes of a polygon's contours, found once for many segment tests;
// empty contours have none.
std::vector<std::optional<TFloatRect>> ContourBoxes(const TPolygon& p) {
  std::vector<std::optional<TFloatRect>> boxes;
  boxes.reserve(p.Contours.size());
  for (const TFixContour& c : p.Contours) {
    const TFixRect box = ContourBounds(c);
    boxes.push_back(box.Empty() ? std::nullopt : std::optional(FloatBounds(box)));
  }
  return boxes;
}

bool SegmentCrossesContours(TFloatPoint p1, TFloatPoint p2, const TPolygon& p,
                            const std::vector<std::optional<TFloatRect>>& boxes) {
  const TFloatRect seg = SegmentBox(p1, p2);
  for (size_t i = 0; i < p.Contours.size(); ++i) {
    if (!boxes[i] || !RectIntersect(*boxes[i], seg)) continue;
    if (AnyEdge(p.Contours[i],
                [&](TFloatPoint a, TFloatPoint b) { return SegmentsIntersect(p1, p2, a, b).has_value(); }))
      return true;
  }
  return false;
}
}  // namespace

bool SegmentCrossesPolygon(TFloatPoint p1, TFloatPoint p2, const TPolygon& p) {
  return SegmentCrossesContours(p1, p2, p, ContourBoxes(p));
}

bool PolygonsTouch(const TPolygon& a, const TPolygon& b) {
  if (AllVerticesInside(a, b) || AllVerticesInside(b, a)) return true;
  const auto boxes = ContourBoxes(b);
  for (const TFixContour& c : a.Contours)
    if (AnyEdge(c, [&](TFloatPoint p, TFloatPoint q) { return SegmentCrossesContours(p, q, b, boxes); })) return true;
  return false;
}

void SegmentPolygonIntersections(TFloatPoint p1, TFloatPoint p2, const TPolygon& p, std::vector<TFloatPoint>& out) {
  const TFloatRect seg = SegmentBox(p1, p2);
  for (const TFixContour& c : p.Contours)
    AnyEdge(c, [&](TFloatPoint a, TFloatPoint b) {
      if (RectIntersect(SegmentBox(a, b), seg))
        if (const auto x = SegmentsIntersect(p1, p2, a, b)) out.push_back(*x);
      return false;
    });
}

std::vector<TFloatPoint> PolygonIntersectionPoints(const TPolygon& a, const TPolygon& b) {
  std::vector<TFloatPoint> out;
  if (AllVerticesInside(a, b) || AllVerticesInside(b, a)) return out;
  for (const TFixContour& c : a.Contours)
    AnyEdge(c, [&](TFloatPoint p, TFloatPoint q) {
      SegmentPolygonIntersections(p, q, b, out);
      return false;
    });
  return out;
}

}  // namespace bs
