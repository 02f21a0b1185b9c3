#include "model/geometry.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <numbers>
#include <unordered_map>

#include "model/polygon.h"

namespace bs {

namespace {
constexpr double kPi = std::numbers::pi;
constexpr double kTwoPi = 2 * std::numbers::pi;
constexpr double kDeg = kPi / 180;

TDPoint D(TFPoint p) { return {p.X, p.Y}; }
TFPoint F(TDPoint p) { return {static_cast<float>(p.X), static_cast<float>(p.Y)}; }

// Exchanges bits i and j of every byte of a spoke mask.
uint32_t SwapBits(uint32_t mask, int i, int j) {
  uint32_t out = mask;
  for (int byte = 0; byte < 4; ++byte) {
    const int bi = byte * 8 + i, bj = byte * 8 + j;
    const uint32_t vi = (mask >> bi) & 1, vj = (mask >> bj) & 1;
    out &= ~((1u << bi) | (1u << bj));
    out |= (vi << bj) | (vj << bi);
  }
  return out;
}

uint32_t MirrorSpokes(uint32_t mask, bool verticalRoundedShape, bool firstByteOnly) {
  uint32_t m = verticalRoundedShape ? SwapBits(SwapBits(SwapBits(mask, 1, 7), 2, 6), 3, 5)
                                    : SwapBits(SwapBits(SwapBits(mask, 0, 4), 1, 3), 5, 7);
  if (firstByteOnly) m = (mask & 0xFFFFFF00u) | (m & 0xFFu);
  return m;
}

TDPoint SmdCentre(const TObjekt& e) {
  if (e.Points.size() < 3) return D(e.Pos);
  return {(double(e.Points[0].X) + e.Points[2].X) / 2, (double(e.Points[0].Y) + e.Points[2].Y) / 2};
}

TDPoint PadCentre(const TObjekt& e) { return e.Kind == kKindSmdPad ? SmdCentre(e) : D(e.Pos); }

void Unite(TURect& acc, bool& any, const TURect& r) {
  if (!any) {
    acc = r;
    any = true;
    return;
  }
  acc.Left = std::min(acc.Left, r.Left);
  acc.Top = std::min(acc.Top, r.Top);
  acc.Right = std::max(acc.Right, r.Right);
  acc.Bottom = std::max(acc.Bottom, r.Bottom);
}

// A bound of an outline through the fixed-point conversion and back, as
// the fixed-point polygon has it.
int32_t OutlineUnits(double v) { return FixedToUnits(UnitsToFixed(v, 1)); }

// Bounding rectangle, or nothing for an element without outline. The bounds
// of the outline's contours are taken directly and passed through the
// fixed-point conversion afterwards; the conversion is monotonic, so this
// equals the bounds of the fixed-point polygon without building it.
std::optional<TURect> Bounds(const TObjekt& e, const TSpokeContext& ctx) {
  if (IsComponentLabel(e) && !e.LabelVisible) return std::nullopt;
  double minX = std::numeric_limits<double>::infinity(), minY = minX;
  double maxX = -minX, maxY = -minX;
  auto take = [&](double x, double y) {
    minX = std::min(minX, x);
    maxX = std::max(maxX, x);
    minY = std::min(minY, y);
    maxY = std::max(maxY, y);
  };
  if (e.Kind == kKindZone)
    for (const TFPoint& p : e.Points) take(p.X, p.Y);
  for (const auto& r : ThermalSpokeRects(e, ctx))
    for (const TDPoint& p : r) take(p.X, p.Y);
  TIPoint boxMin, boxMax;
  if (RoundPadRingBox(e, boxMin, boxMax) || PolygonPadBox(e, boxMin, boxMax)) {
    take(boxMin.X, boxMin.Y);
    take(boxMax.X, boxMax.Y);
  } else {
    thread_local TContours contours;
    contours.clear();
    AppendElementContours(e, contours);
    for (const auto& c : contours)
      for (const TIPoint& p : c) take(p.X, p.Y);
  }
  if (maxX < minX) return std::nullopt;
  return TURect{OutlineUnits(minX), OutlineUnits(minY), OutlineUnits(maxX), OutlineUnits(maxY)};
}

double AngularDistance(double a, double b) {  // degrees, shortest way round
  double d = std::fmod(std::fabs(a - b), 360.0);
  return d > 180 ? 360 - d : d;
}

TDPoint OnMeanRadius(const TObjekt& e, int32_t angle) {
  const double m = (double(e.SizeA) + e.SizeB) / 2;
  const double a = angle / 1000.0 * kDeg;
  return {e.Pos.X + m * std::cos(a), e.Pos.Y + m * std::sin(a)};
}
}  // namespace

int SpokeByte(int layer) {
  switch (layer) {
    case kLayerC1: return 0;
    case kLayerC2: return 1;
    case kLayerI1: return 2;
    case kLayerI2: return 3;
    default: return -1;
  }
}

// ---- plane helpers ----

double AngleOf(TDPoint from, TDPoint to) {
  const double dx = to.X - from.X, dy = to.Y - from.Y;
  if (dy == 0) return dx < 0 ? kPi : 0;
  if (dx == 0) return dy < 0 ? kPi / 2 : 3 * kPi / 2;
  double a = std::atan2(-dy, dx);
  if (a < 0) a += kTwoPi;
  return a >= kTwoPi ? 0 : a;
}

TDPoint RotatePoint(TDPoint p, TDPoint c, double theta) {
  const double t = theta * kDeg, cs = std::cos(t), sn = std::sin(t);
  const double dx = p.X - c.X, dy = p.Y - c.Y;
  return {c.X + cs * dx - sn * dy, c.Y + sn * dx + cs * dy};
}

TFPoint RotatePoint(TFPoint p, TFPoint c, double theta) { return F(RotatePoint(D(p), D(c), theta)); }

void RotatePoints(TPointList& pts, TFPoint c, double theta) {
  for (TFPoint& p : pts) p = RotatePoint(p, c, theta);
}

double Distance(TDPoint a, TDPoint b) { return std::hypot(b.X - a.X, b.Y - a.Y); }

TDPoint Interpolate(TDPoint a, TDPoint b, double tx, double ty) {
  return {b.X - (b.X - a.X) * tx, b.Y - (b.Y - a.Y) * ty};
}

std::optional<TDPoint> SegmentIntersection(TDPoint a1, TDPoint a2, TDPoint b1, TDPoint b2) {
  const double rx = a2.X - a1.X, ry = a2.Y - a1.Y, sx = b2.X - b1.X, sy = b2.Y - b1.Y;
  const double det = rx * sy - ry * sx;
  if (det == 0) return std::nullopt;
  const double qx = b1.X - a1.X, qy = b1.Y - a1.Y;
  const double t = (qx * sy - qy * sx) / det, u = (qx * ry - qy * rx) / det;
  if (t < 0 || t > 1 || u < 0 || u > 1) return std::nullopt;
  return TDPoint{a1.X + t * rx, a1.Y + t * ry};
}

bool Near(TFPoint a, TFPoint b, double tol) {
  return std::abs(RoundInt(a.X) - RoundInt(b.X)) <= tol && std::abs(RoundInt(a.Y) - RoundInt(b.Y)) <= tol;
}

bool SamePoint(TFPoint a, TFPoint b) { return RoundInt(a.X) == RoundInt(b.X) && RoundInt(a.Y) == RoundInt(b.Y); }

TPointList RotatedRectangle(const TPointList& corners, double width, double height) {
  if (corners.size() < 3) return corners;
  const TDPoint c{(double(corners[0].X) + corners[2].X) / 2, (double(corners[0].Y) + corners[2].Y) / 2};
  const double rot = AngleOf(D(corners[0]), D(corners[1])) / kDeg;  // clockwise
  const double hw = width / 2, hh = height / 2;
  TPointList out;
  for (TDPoint o : {TDPoint{-hw, hh}, TDPoint{hw, hh}, TDPoint{hw, -hh}, TDPoint{-hw, -hh}})
    out.push_back(F(RotatePoint({c.X + o.X, c.Y + o.Y}, c, -rot)));
  return out;
}

std::string FormatLength(double value, int decimals, TDisplayUnit unit) {
  const bool mil = unit == TDisplayUnit::Mil;
  if (decimals < 0) decimals = mil ? 1 : 3;
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*f%s", decimals, mil ? value / kUnitsPerMil : value / kUnitsPerMm,
                mil ? " mil" : " mm");
  return buf;
}

std::string UnitsAsMillimetres(int64_t units) {
  const int64_t a = units < 0 ? -units : units;
  std::string s = (units < 0 ? "-" : "") + std::to_string(a / kUnitsPerMm);
  const int64_t frac = a % kUnitsPerMm;
  if (frac == 0) return s;
  std::string digits = std::to_string(frac);
  digits.insert(0, 4 - digits.size(), '0');
  while (digits.back() == '0') digits.pop_back();
  return s + "." + digits;
}

TDPoint ScreenToModel(TDPoint pixel, double zoom) { return {pixel.X / zoom, -pixel.Y / zoom}; }

TDPoint SnapToGrid(TDPoint p, double grid, TDPoint origin) {
  if (!(grid > 0)) return p;
  auto axis = [grid](double v, double o) {
    const double r = o - grid * std::trunc(o / grid);
    return r + grid * std::round((v - r) / grid);
  };
  return {axis(p.X, origin.X), axis(p.Y, origin.Y)};
}

// ---- layer relations ----

bool IsVia(const TObjekt& e) { return e.Kind == kKindThtPad && e.Via && IsCopperLayer(e.Layer); }

bool IsBareHole(const TObjekt& e) { return e.Kind == kKindThtPad && RoundInt(e.SizeB) >= RoundInt(e.SizeA); }

bool NeedsSolderMaskOpening(const TObjekt& e) {
  return e.SolderMask && (e.Layer == kLayerC1 || e.Layer == kLayerC2 || IsVia(e)) && !IsBareHole(e);
}

bool OccupiesLayer(const TObjekt& e, int layer, bool multilayer) {
  if (IsVia(e))
    return layer == kLayerC1 || layer == kLayerC2 || (multilayer && (layer == kLayerI1 || layer == kLayerI2));
  return e.Layer == layer;
}

bool ShareLayer(const TObjekt& a, const TObjekt& b) {
  const bool va = IsVia(a), vb = IsVia(b);
  if (va && vb) return true;
  if (va) return IsCopperLayer(b.Layer);
  if (vb) return IsCopperLayer(a.Layer);
  return a.Layer == b.Layer;
}

bool ShownOnScreen(const TObjekt& e, const TPlatine& board) {
  const int layer = e.Layer;
  bool shown = layer >= 1 && layer <= kLayerCount && board.LayerVisible[layer];
  if (!shown && IsVia(e))
    for (int l : {1, 3, 5, 6}) shown = shown || board.LayerVisible[l];
  if (shown && e.Cutout)
    shown = layer >= 1 && layer <= kLayerCount && board.GroundPlane[layer] && layer == board.ActiveLayer;
  return shown;
}

// ---- anchors and centres ----

TDPoint AnchorPoint(const TObjekt& e) {
  switch (e.Kind) {
    case kKindZone:
    case kKindTrack: return e.Points.empty() ? D(e.Pos) : D(e.Points[0]);
    case kKindCircle: return OnMeanRadius(e, e.StartAngle);
    case kKindText:
      if (!e.SubElements.empty() && !e.SubElements[0]->Points.empty()) return D(e.SubElements[0]->Points[0]);
      return D(e.Pos);
    case kKindSmdPad: return SmdCentre(e);
    default: return D(e.Pos);
  }
}

TDPoint Centre(const TObjekt& e) {
  switch (e.Kind) {
    case kKindThtPad:
    case kKindCircle:
    case kKindLegacyText:
    case kKindLegacyLine: return D(e.Pos);
    case kKindSmdPad: return SmdCentre(e);
    default: {
      const auto b = Bounds(e, {});
      if (!b) return D(e.Pos);
      return {(double(b->Left) + b->Right) / 2, (double(b->Top) + b->Bottom) / 2};
    }
  }
}

double PadRotation(const TObjekt& e) {
  if (e.Kind == kKindSmdPad) {
    if (e.Points.size() < 2) return 0;
    return AngleOf(D(e.Points[0]), D(e.Points[1])) / kDeg;
  }
  if (e.Kind != kKindThtPad) return 0;
  const size_t k = (e.Shape == kShapeOctagon || e.Shape == kShapeOctagonH || e.Shape == kShapeOctagonV) ? 2 : 1;
  if (e.Points.size() <= k) return 0;
  double deg = AngleOf(D(e.Points[k - 1]), D(e.Points[k])) / kDeg;
  if (e.Shape == kShapeRoundedV) deg -= 90;
  deg = std::round(deg * 100) / 100;
  deg = std::fmod(deg, 360.0);
  if (deg < 0) deg += 360;
  return deg >= 360 ? 0 : deg;
}

// ---- thermal spokes ----

std::vector<std::array<TDPoint, 4>> ThermalSpokeRects(const TObjekt& e, const TSpokeContext& ctx) {
  std::vector<std::array<TDPoint, 4>> rects;
  if (!IsPad(e) || !e.Thermal || ctx.NoSpokes || !ctx.GroundPlaneOn) return rects;
  if (!(IsVia(e) || e.Layer == ctx.Layer)) return rects;
  const bool smd = e.Kind == kKindSmdPad;
  const int byte = smd ? 0 : SpokeByte(ctx.Layer);
  if (byte < 0) return rects;
  const uint32_t mask = (e.ThermalSpokes >> (8 * byte)) & 0xFF;
  if (mask == 0) return rects;

  const double c = e.Clearance;
  double hx, hy, w;
  if (smd) {
    hx = e.SizeA / 2.0;
    hy = e.SizeB / 2.0;
    w = std::min(e.SizeA, e.SizeB) / 3.0 * e.ThermalWidth / 100.0;
  } else {
    const double r = double(e.SizeA) + ctx.GrowDistance;
    hx = (e.Shape >= kShapeRoundedH && e.Shape <= kShapeRectH) ? 2 * r : r;
    hy = (e.Shape >= kShapeRoundedV && e.Shape <= kShapeRectV) ? 2 * r : r;
    w = r / 1.5 * e.ThermalWidth / 100.0;
  }
  const double ext = 500 * (e.PrintMark ? ctx.PrintScale : 1);
  const double u = std::atan((c + hy) / (c + hx)) / kDeg;
  const TDPoint centre = PadCentre(e);
  const double rot = PadRotation(e);

  for (int k = 0; k < 8; ++k) {
    if (!(mask & (1u << k))) continue;
    double extra = 0, len;
    if (k == 0 || k == 4) {
      len = c + hy + ext;
    } else if (k == 2 || k == 6) {
      len = c + hx + ext;
    } else {
      extra = (k == 1 || k == 5) ? 45 - u : u - 45;
      const int shape = smd ? int(kShapeRectH) : int(e.Shape);
      if (shape == kShapeRound || shape == kShapeOctagon) {
        len = c + hx + ext;
      } else if (shape == kShapeRoundedH || shape == kShapeOctagonH || shape == kShapeRoundedV ||
                 shape == kShapeOctagonV) {
        len = (hx + c) / std::cos(u * kDeg) - (c + std::min(hx, hy)) * 0.585 / std::sin((135 - u) * kDeg) * 0.707 +
              (w / 2) / std::tan((90 - std::fabs(extra)) * kDeg) + ext;
      } else {
        len = std::hypot(c + hy, c + hx) + ext;
      }
    }
    // Clockwise from straight up: direction (sin, cos) in the y-up model.
    const double phi = (k * 45 + rot + extra) * kDeg;
    const TDPoint d{std::sin(phi), std::cos(phi)}, n{std::cos(phi), -std::sin(phi)};
    const double hw = w / 2;
    rects.push_back({TDPoint{centre.X + n.X * hw, centre.Y + n.Y * hw},
                     TDPoint{centre.X + n.X * hw + d.X * len, centre.Y + n.Y * hw + d.Y * len},
                     TDPoint{centre.X - n.X * hw + d.X * len, centre.Y - n.Y * hw + d.Y * len},
                     TDPoint{centre.X - n.X * hw, centre.Y - n.Y * hw}});
  }
  return rects;
}

// ---- outline polygon, bounds and hit tests ----

std::vector<std::vector<TDPoint>> OutlineContours(const TObjekt& e, const TSpokeContext& ctx,
                                                  const TContourOptions& opt) {
  std::vector<std::vector<TDPoint>> out;
  if (IsComponentLabel(e) && !e.LabelVisible) return out;
  if (e.Kind == kKindZone) {
    std::vector<TDPoint> z;
    for (const TFPoint& p : e.Points) z.push_back(D(p));
    out.push_back(std::move(z));
  }
  for (const auto& r : ThermalSpokeRects(e, ctx)) out.emplace_back(r.begin(), r.end());
  TContours cs;
  AppendElementContours(e, cs, opt);
  for (const auto& c : cs) {
    std::vector<TDPoint> d;
    d.reserve(c.size());
    for (const TIPoint& p : c) d.push_back({double(p.X), double(p.Y)});
    out.push_back(std::move(d));
  }
  return out;
}

TSpokeContext SpokeContextFor(const TPlatine& board) {
  TSpokeContext ctx;
  ctx.Layer = board.ActiveLayer;
  ctx.GroundPlaneOn =
      board.ActiveLayer >= 1 && board.ActiveLayer <= kLayerCount && board.GroundPlane[board.ActiveLayer];
  return ctx;
}

TURect BoundingRect(const TObjekt& e, const TPlatine& board) {
  return Bounds(e, SpokeContextFor(board)).value_or(TURect{});
}

std::optional<TURect> OutlineBounds(const TObjekt& e, const TPlatine& board) {
  return Bounds(e, SpokeContextFor(board));
}

std::optional<TURect> OutlineBounds(const TObjekt& e, const TSpokeContext& ctx) { return Bounds(e, ctx); }

std::optional<TURect> UnitedOutlineBounds(const std::vector<const TObjekt*>& elements, const TPlatine& board) {
  const TSpokeContext ctx = SpokeContextFor(board);
  auto units = [](double v) { return double(OutlineUnits(v)); };
  // Each side (0 largest x, 1 largest y, 2 smallest x, 3 smallest y) of
  // each outline box lies between lo and hi. A round pad's ring has a
  // point within half a step of every direction, so its side lies within
  // r (1 - cos(pi / n)) and a unit of rounding of r from the centre; the
  // other outlines are measured whole.
  struct TPart {
    TPadRing ring;
    bool isRing = false;
    double lo[4], hi[4];
  };
  std::vector<TPart> parts;
  parts.reserve(elements.size());
  for (const TObjekt* e : elements) {
    TPart p;
    if (RoundPadRing(*e, p.ring) && ThermalSpokeRects(*e, ctx).empty()) {
      p.isRing = true;
      const double r = p.ring.r, near = r * std::cos(kPi / p.ring.n);
      const double c[4] = {p.ring.c.X, p.ring.c.Y, -p.ring.c.X, -p.ring.c.Y};  // the min sides mirrored
      for (int side = 0; side < 4; ++side) {
        const double a = c[side] + near - 1, b = c[side] + r + 1;
        p.lo[side] = side < 2 ? units(a) : units(-b);
        p.hi[side] = side < 2 ? units(b) : units(-a);
      }
    } else {
      const auto b = Bounds(*e, ctx);
      if (!b) continue;
      const double sides[4] = {double(b->Right), double(b->Bottom), double(b->Left), double(b->Top)};
      for (int side = 0; side < 4; ++side) p.lo[side] = p.hi[side] = sides[side];
    }
    parts.push_back(p);
  }
  if (parts.empty()) return std::nullopt;
  double box[4];
  for (int side = 0; side < 4; ++side) {
    const bool largest = side < 2;
    // Every part whose side might beat the surest value of another.
    double sure = largest ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
    for (const TPart& p : parts) sure = largest ? std::max(sure, p.lo[side]) : std::min(sure, p.hi[side]);
    double best = sure;
    for (const TPart& p : parts) {
      if (largest ? p.hi[side] < sure : p.lo[side] > sure) continue;
      const double v = p.isRing ? units(RingExtreme(p.ring, side)) : p.lo[side];
      best = largest ? std::max(best, v) : std::min(best, v);
    }
    box[side] = best;
  }
  return TURect{int32_t(box[2]), int32_t(box[3]), int32_t(box[0]), int32_t(box[1])};
}

TURect ListBounds(const TObjektList& list, const TPlatine& board, bool selectedOnly) {
  const TSpokeContext ctx = SpokeContextFor(board);
  TURect acc;
  bool any = false;
  for (const auto& e : list) {
    if (selectedOnly && !e->Selected) continue;
    if (auto b = Bounds(*e, ctx)) Unite(acc, any, *b);
  }
  return any ? acc : TURect{};
}

TURect OutlineBoundsWithin(const std::vector<const TObjekt*>& elements, const std::vector<TURect>& covers,
                           const TPlatine& board) {
  const TSpokeContext ctx = SpokeContextFor(board);
  const size_t n = elements.size();
  std::vector<std::optional<TURect>> measured(n);
  std::vector<char> done(n, 0);
  auto exact = [&](size_t i) -> const std::optional<TURect>& {
    if (!done[i]) {
      measured[i] = Bounds(*elements[i], ctx);
      done[i] = 1;
    }
    return measured[i];
  };
  TURect out{1, 1, 0, 0};
  std::vector<std::pair<double, size_t>> order;
  // Each side: the elements by how far their box reaches on that side; the
  // first outline measured bounds the rest, and the search stops at the
  // first box that cannot reach past the best outline so far.
  for (int side = 0; side < 4; ++side) {
    auto reach = [&](const TURect& r) -> double {
      switch (side) {
        case 0: return -double(r.Left);
        case 1: return -double(r.Top);
        case 2: return r.Right;
        default: return r.Bottom;
      }
    };
    std::vector<std::pair<double, size_t>>& keys = order;
    keys.resize(n);
    for (size_t i = 0; i < n; ++i) keys[i] = {reach(covers[i]), i};
    std::sort(keys.begin(), keys.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    std::optional<double> best;
    for (const auto& [coverReach, i] : keys) {
      if (best && coverReach <= *best) break;
      if (const auto& r = exact(i)) {
        Unite(out, *r);
        best = std::max(best.value_or(reach(*r)), reach(*r));
      }
    }
  }
  return out;
}

void Unite(TURect& into, const TURect& r) {
  if (r.Left > r.Right) return;
  bool any = into.Left <= into.Right;
  Unite(into, any, r);
}

TURect SelectionBounds(const TObjektList& list, const TPlatine& board) { return ListBounds(list, board, true); }

TURect AllBounds(const TObjektList& list, const TPlatine& board) { return ListBounds(list, board, false); }

std::vector<std::optional<TURect>> PartnerSetBounds(const TObjektList& list, const TPlatine& board) {
  auto add = [](std::optional<TURect>& into, const std::optional<TURect>& r) {
    if (!r) return;
    if (!into) {
      into = r;
      return;
    }
    into->Left = std::min(into->Left, r->Left);
    into->Top = std::min(into->Top, r->Top);
    into->Right = std::max(into->Right, r->Right);
    into->Bottom = std::max(into->Bottom, r->Bottom);
  };
  const size_t n = list.size();
  std::vector<std::optional<TURect>> sets(n);
  std::unordered_map<int32_t, std::optional<TURect>> byComponent, byGroup;
  for (size_t i = 0; i < n; ++i) {
    const TObjekt& e = *list[i];
    sets[i] = OutlineBounds(e, board);
    if (e.ComponentNo != 0) add(byComponent[e.ComponentNo], sets[i]);
    if (InnermostGroup(e) > 0) add(byGroup[InnermostGroup(e)], sets[i]);
  }
  for (size_t i = 0; i < n; ++i) {
    const TObjekt& e = *list[i];
    if (e.ComponentNo != 0) add(sets[i], byComponent[e.ComponentNo]);
    if (InnermostGroup(e) > 0) add(sets[i], byGroup[InnermostGroup(e)]);
  }
  return sets;
}

bool MeetsWorkingSpace(const TURect& r, const TPlatine& board) {
  return r.Right >= 0 && r.Left <= board.Width && r.Bottom >= -int64_t{board.Height} && r.Top <= 0;
}

TDPoint SelectionCentre(const TObjektList& list, const TPlatine& board) {
  const TURect r = SelectionBounds(list, board);
  return {(double(r.Left) + r.Right) / 2, (double(r.Top) + r.Bottom) / 2};
}

bool HitTest(const TObjekt& e, TDPoint p, const TPlatine& board, bool onScreen) {
  const TFixPoint pt{UnitsToFixed(p.X, 1), UnitsToFixed(p.Y, 1)};
  const TSpokeContext ctx = SpokeContextFor(board);
  if (!onScreen || !(board.Zoom > 0)) return PointInPolygon(CopperPolygon(e, 1, ctx), pt);
  // Grow a scratch copy: growing and shrinking the element itself would let
  // float rounding creep into its corners with every mouse move.
  auto grown = ScratchCopy(e);
  GrowObjekt(*grown, RoundInt(3 / board.Zoom));
  return PointInPolygon(CopperPolygon(*grown, 1, ctx), pt);
}

int NodeHitTest(const TObjekt& e, TDPoint p, double zoom) {
  const double minHalf = zoom > 0 ? 3 / zoom : 0;
  auto inSquare = [&](TDPoint c, double h) {
    return p.X >= c.X - h && p.X < c.X + h && p.Y >= c.Y - h && p.Y < c.Y + h;
  };
  if (e.Kind == kKindTrack || e.Kind == kKindZone) {
    const double h = std::max(e.Width / 2.1, minHalf);
    const auto& pts = e.Points;
    for (size_t i = pts.size(); i-- > 0;)
      if (inSquare(D(pts[i]), h)) return static_cast<int>(i);
    if (pts.size() < 2) return -1;
    const size_t segments = e.Kind == kKindZone ? pts.size() : pts.size() - 1;
    for (size_t i = segments; i-- > 0;) {
      const TDPoint mid = Interpolate(D(pts[i]), D(pts[(i + 1) % pts.size()]), 0.5, 0.5);
      if (inSquare(mid, h)) return 10000 + static_cast<int>(i);
    }
    return -1;
  }
  if (e.Kind == kKindCircle) {
    const double h = std::max<double>(RoundInt((double(e.SizeA) - e.SizeB) / 2), minHalf);
    if (inSquare(OnMeanRadius(e, e.StopAngle), h)) return 1;
    if (inSquare(OnMeanRadius(e, e.StartAngle), h)) return 0;
  }
  return -1;
}

TDPoint NearestSnapPoint(const TObjekt& e, TDPoint q) {
  auto nearestOf = [&](const TPointList& pts, TDPoint& best, double& bestD) {
    for (const TFPoint& p : pts) {
      const double d = Distance(D(p), q);
      if (d < bestD) {
        bestD = d;
        best = D(p);
      }
    }
  };
  double bestD = std::numeric_limits<double>::infinity();
  TDPoint best{-1, -1};
  switch (e.Kind) {
    case kKindThtPad:
    case kKindSmdPad: return PadCentre(e);
    case kKindZone:
    case kKindTrack: nearestOf(e.Points, best, bestD); return best;
    case kKindText:
      for (const auto& s : e.SubElements) nearestOf(s->Points, best, bestD);
      return best;
    case kKindCircle: {
      const double dir = (AngleOf(D(e.Pos), q) == 0 ? 0 : 360 - AngleOf(D(e.Pos), q) / kDeg);
      const double s = e.StartAngle / 1000.0, t = e.StopAngle / 1000.0;
      double sweep = t - s;
      if (sweep <= 0) sweep += 360;
      const double span = sweep / 6;
      const double ds = AngularDistance(dir, s), dt = AngularDistance(dir, t);
      // Whichever end is angularly closer wins, as long as it is within span.
      if (dt < span && (ds >= span || dt < ds)) return OnMeanRadius(e, e.StopAngle);
      if (ds < span) return OnMeanRadius(e, e.StartAngle);
      return D(e.Pos);
    }
    default: return {-1, -1};
  }
}

// ---- transforms ----

void MoveObjekt(TObjekt& e, double dx, double dy) {
  auto mv = [&](TFPoint& p) { p = F({p.X + dx, p.Y + dy}); };
  switch (e.Kind) {
    case kKindThtPad:
      mv(e.Pos);
      for (TFPoint& p : e.Points) mv(p);
      break;
    case kKindLegacyText:
      mv(e.Pos);
      e.SizeA = static_cast<float>(e.SizeA + dx);
      e.SizeB = static_cast<float>(e.SizeB + dy);
      break;
    case kKindZone:
    case kKindTrack:
    case kKindSmdPad:
      for (TFPoint& p : e.Points) mv(p);
      break;
    case kKindCircle: mv(e.Pos); break;
    case kKindText:
      mv(e.Pos);
      for (const auto& s : e.SubElements)
        for (TFPoint& p : s->Points) mv(p);
      break;
    default: break;
  }
}

void RotateObjekt(TObjekt& e, TDPoint c, double a) {
  const TFPoint fc = F(c);
  switch (e.Kind) {
    case kKindThtPad:
      e.Pos = RotatePoint(e.Pos, fc, -a);
      RotatePoints(e.Points, fc, -a);
      break;
    case kKindZone:
    case kKindTrack:
    case kKindSmdPad: RotatePoints(e.Points, fc, -a); break;
    case kKindCircle: {
      e.Pos = RotatePoint(e.Pos, fc, -a);
      const int32_t d = RoundInt(a * 1000);
      for (int32_t* ang : {&e.StartAngle, &e.StopAngle}) {
        *ang -= d;
        while (*ang < 0) *ang += 360000;
        while (*ang > 360000) *ang -= 360000;
      }
      break;
    }
    case kKindText:
      // Reduce before adding so that a damaged value cannot overflow.
      e.Rotation = (e.Rotation % 360 + RoundInt(std::fmod(a, 360.0))) % 360;
      if (e.Rotation < 0) e.Rotation += 360;
      e.Pos = RotatePoint(e.Pos, fc, -a);
      for (const auto& s : e.SubElements) RotatePoints(s->Points, fc, -a);
      break;
    case kKindLegacyText: {
      // Always a quarter turn clockwise: (dx, dy) becomes (dy, -dx).
      auto quarter = [&](float& x, float& y) {
        const double dx = x - c.X, dy = y - c.Y;
        x = static_cast<float>(c.X + dy);
        y = static_cast<float>(c.Y - dx);
      };
      quarter(e.Pos.X, e.Pos.Y);
      quarter(e.SizeA, e.SizeB);
      e.StartAngle += 90;
      if (e.StartAngle >= 360) e.StartAngle = 0;
      break;
    }
    default: break;
  }
}

namespace {
void MirrorObjekt(TObjekt& e, double m, bool horizontal) {
  auto mirror = [&](TFPoint& p) {
    if (horizontal) p.X = static_cast<float>(2 * m - p.X);
    else p.Y = static_cast<float>(2 * m - p.Y);
  };
  switch (e.Kind) {
    case kKindThtPad:
      mirror(e.Pos);
      for (TFPoint& p : e.Points) mirror(p);
      e.ThermalSpokes = MirrorSpokes(e.ThermalSpokes, e.Shape == kShapeRoundedV, false);
      break;
    case kKindSmdPad:
      for (TFPoint& p : e.Points) mirror(p);
      e.ThermalSpokes = MirrorSpokes(e.ThermalSpokes, false, true);
      break;
    case kKindZone:
    case kKindTrack:
      for (TFPoint& p : e.Points) mirror(p);
      break;
    case kKindCircle: {
      mirror(e.Pos);
      for (int32_t* a : {&e.StartAngle, &e.StopAngle}) {
        if (horizontal) {
          *a = 180000 - *a;
          if (*a < 0) *a += 360000;
        } else {
          *a = 360000 - *a;
          if (*a < 0) *a += 360000;
        }
      }
      std::swap(e.StartAngle, e.StopAngle);
      break;
    }
    case kKindText:
      if (horizontal) e.MirrorH = !e.MirrorH;
      else e.MirrorV = !e.MirrorV;
      mirror(e.Pos);
      for (const auto& s : e.SubElements)
        for (TFPoint& p : s->Points) mirror(p);
      if (e.Rotation != 0) e.Rotation = 360 - e.Rotation;
      break;
    case kKindLegacyText: {
      mirror(e.Pos);
      TFPoint second{e.SizeA, e.SizeB};
      mirror(second);
      e.SizeA = second.X;
      e.SizeB = second.Y;
      break;
    }
    default: break;
  }
}
}  // namespace

void MirrorHorizontally(TObjekt& e, double m) { MirrorObjekt(e, m, true); }
void MirrorVertically(TObjekt& e, double m) { MirrorObjekt(e, m, false); }

void GrowObjekt(TObjekt& e, int32_t a) {
  if (a == 0) return;
  switch (e.Kind) {
    case kKindThtPad: RebuildThtOutline(e, std::nullopt, RoundInt(a / 2.0)); break;
    case kKindZone:
    case kKindTrack: e.Width += a; break;
    case kKindCircle:
      e.SizeA += a / 2.0f;
      e.SizeB -= a / 2.0f;
      break;
    case kKindText:
      for (const auto& s : e.SubElements) s->Width += a;
      break;
    case kKindSmdPad: ResizeSmdPad(e, double(e.SizeA) + a, double(e.SizeB) + a); break;
    default: break;
  }
}

void ShrinkObjekt(TObjekt& e, int32_t a) {
  if (a == 0) return;
  switch (e.Kind) {
    case kKindThtPad: RebuildThtOutline(e, std::nullopt, 0); break;
    case kKindZone:
    case kKindTrack: e.Width -= a; break;
    case kKindCircle:
      e.SizeA -= a / 2.0f;
      e.SizeB += a / 2.0f;
      break;
    case kKindText:
      for (const auto& s : e.SubElements) s->Width -= a;
      break;
    case kKindSmdPad: ResizeSmdPad(e, double(e.SizeA) - a, double(e.SizeB) - a); break;
    default: break;
  }
}

void RebuildThtOutline(TObjekt& e, std::optional<uint8_t> newShape, int32_t margin) {
  const double rot = PadRotation(e);
  if (newShape) {
    uint8_t s = *newShape;
    const bool upright = (rot >= 45 && rot <= 135) || (rot >= 225 && rot <= 315);
    if (upright) {
      if (s >= kShapeRoundedH && s <= kShapeRectH) s += 3;
      else if (s >= kShapeRoundedV && s <= kShapeRectV) s -= 3;
    }
    e.Shape = s;
  }
  e.Points = ThtOutline(e.Shape, e.Pos, e.SizeA, margin);
  RotatePoints(e.Points, e.Pos, -rot);
  e.OutlineMargin = margin;
}

void ResizeSmdPad(TObjekt& e, std::optional<double> width, std::optional<double> height) {
  if (e.Points.size() < 4) return;
  const double w = width.value_or(Distance(D(e.Points[0]), D(e.Points[1])));
  const double h = height.value_or(Distance(D(e.Points[1]), D(e.Points[2])));
  e.Points = RotatedRectangle(e.Points, w, h);
  e.SizeA = static_cast<float>(w);
  e.SizeB = static_cast<float>(h);
}

void NormalisePointList(TObjekt& e, const TObjektList& list, bool optimise, bool multilayer) {
  if (e.Kind != kKindTrack && e.Kind != kKindZone) return;
  auto& pts = e.Points;
  const double tol = e.Width / 500.0;
  for (size_t i = 0; i + 1 < pts.size();) {
    if (Near(pts[i], pts[i + 1], tol)) pts.erase(pts.begin() + i);
    else ++i;
  }
  if (!optimise) return;

  std::vector<TFPoint> pinned;  // centres of pads on this layer
  for (const auto& o : list) {
    if (o.get() == &e || !IsPad(*o) || !OccupiesLayer(*o, e.Layer, multilayer)) continue;
    pinned.push_back(F(PadCentre(*o)));
  }
  auto redundant = [&](TFPoint a, TFPoint b, TFPoint c) {
    double d = std::fabs(AngleOf(D(a), D(b)) - AngleOf(D(b), D(c)));
    d = std::min(d, kTwoPi - d);
    if (d > 1e-4) return false;
    if (Distance(D(a), D(c)) <= Distance(D(a), D(b))) return false;
    return std::none_of(pinned.begin(), pinned.end(), [&](TFPoint p) { return Near(p, b, 5000); });
  };
  const size_t keep = e.Kind == kKindZone ? 3 : 2;
  for (size_t i = 1; i + 1 < pts.size() && pts.size() > keep;) {
    if (redundant(pts[i - 1], pts[i], pts[i + 1])) pts.erase(pts.begin() + i);
    else ++i;
  }
  if (e.Kind == kKindZone) {
    if (pts.size() > 3 && redundant(pts.back(), pts[0], pts[1])) pts.erase(pts.begin());
    if (pts.size() >= 4 && redundant(pts[pts.size() - 2], pts.back(), pts[0])) pts.pop_back();
  }
}

void ExportShift(TObjektList& list, const TPlatine& board, bool forward) {
  const double sign = forward ? -1 : 1;
  const double dx = sign * board.OriginX, dy = sign * (double(board.OriginY) + board.Height);
  for (const auto& e : list) MoveObjekt(*e, dx, dy);
}

}  // namespace bs
