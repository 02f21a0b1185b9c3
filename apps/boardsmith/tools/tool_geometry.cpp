#include "tools/tool_geometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "copper/predicates.h"
#include "model/polygon.h"

namespace bs::app {

namespace {
constexpr double kPi = std::numbers::pi;

TDPoint D(TFPoint p) { return {p.X, p.Y}; }
TDPoint Origin(const TPlatine& b) { return {double(b.OriginX), double(b.OriginY)}; }

double Snapped(double v, double grid) { return grid > 0 ? grid * std::round(v / grid) : v; }

// The radius of a capture point, held within 8 ... 50 pixels.
double Radius(double units, double zoom) {
  return std::clamp(units, kMinCapturePixels / zoom, kMaxCapturePixels / zoom);
}

// Keeps the nearest candidate whose radius holds p.
struct TNearest {
  TNearest(TDPoint at, double z) : p(at), zoom(z) {}
  TDPoint p;
  double zoom;
  std::optional<TDPoint> best;
  double bestDistance = 0;
  void Offer(TDPoint c, double radius) {
    const double d = Distance(c, p);
    if (d > Radius(radius, zoom) || (best && d >= bestDistance)) return;
    best = c;
    bestDistance = d;
  }
};
}  // namespace

std::optional<TDPoint> CapturePoint(const TBoard& board, TDPoint p, const TSkip& skip) {
  const TPlatine& b = board.Platine;
  if (!(b.Zoom > 0)) return std::nullopt;
  auto usable = [&](const TObjekt& e) { return ShownOnScreen(e, b) && !(skip && skip(e)); };
  TNearest pads{p, b.Zoom};
  for (const auto& e : board.Elements) {
    if (!IsPad(*e) || !usable(*e)) continue;
    const double r = e->Kind == kKindThtPad ? std::fabs(double(e->SizeA)) : std::min(e->SizeA, e->SizeB) / 2.0;
    pads.Offer(Centre(*e), r);
  }
  if (pads.best) return pads.best;
  TNearest nodes{p, b.Zoom};
  for (const auto& e : board.Elements) {
    if (!usable(*e)) continue;
    if (e->Kind == kKindTrack || e->Kind == kKindZone) {
      for (const TFPoint& v : e->Points) nodes.Offer(D(v), e->Width / 2.0);
    } else if (e->Kind == kKindCircle) {
      const double ring = (double(e->SizeA) - e->SizeB) / 2;
      nodes.Offer(D(e->Pos), ring);
      if (e->StartAngle != e->StopAngle) {
        const double m = (double(e->SizeA) + e->SizeB) / 2;
        for (int32_t a : {e->StartAngle, e->StopAngle}) {
          const double t = a / 1000.0 * kPi / 180;
          nodes.Offer({e->Pos.X + m * std::cos(t), e->Pos.Y + m * std::sin(t)}, ring);
        }
      }
    }
  }
  return nodes.best;
}

TCursorPosition CursorPosition(const TBoard& board, TDPoint raw, bool capture, bool ctrl) {
  if (capture)
    if (const auto c = CapturePoint(board, raw)) return {*c, true};
  if (ctrl) return {raw, false};
  const TDPoint snapped = SnapToGrid(raw, board.Platine.Grid, Origin(board.Platine));
  if (capture)
    if (const auto c = CapturePoint(board, snapped)) return {*c, true};
  return {snapped, false};
}

TDeltaRange KeepTouchingRange(const TBoard& board) {
  TDeltaRange keep;
  const TPlatine& p = board.Platine;
  const std::vector<std::optional<TURect>> sets = PartnerSetBounds(board.Elements, p);
  for (size_t i = 0; i < sets.size(); ++i) {
    if (!board.Elements[i]->Selected || !sets[i] || !MeetsWorkingSpace(*sets[i], p)) continue;
    const TURect& r = *sets[i];
    keep.XLo = std::max(keep.XLo, -double(r.Right));
    keep.XHi = std::min(keep.XHi, double(p.Width) - r.Left);
    keep.YLo = std::max(keep.YLo, -double(p.Height) - r.Bottom);
    keep.YHi = std::min(keep.YHi, -double(r.Top));
  }
  return keep;
}

TDPoint LimitToBoard(TDPoint delta, const TURect& bounds, const TPlatine& board, bool ctrl, const TDeltaRange& keep) {
  const double g = board.Grid;
  // Per axis: the range the delta may take, then whole grid steps inside it.
  auto limit = [&](double d, double lo, double hi, double keepLo, double keepHi) {
    if (lo > hi) {  // larger than the board: only what touches it is held on
      lo = keepLo;
      hi = keepHi;
    }
    if (d >= lo && d <= hi) return d;
    const double held = std::clamp(d, lo, hi);
    if (ctrl || !(g > 0)) return held;
    const double stepped = held == lo ? g * std::ceil(lo / g) : g * std::floor(hi / g);
    return stepped >= lo && stepped <= hi ? stepped : held;
  };
  return {limit(delta.X, -double(bounds.Left), double(board.Width) - bounds.Right, keep.XLo, keep.XHi),
          limit(delta.Y, -double(board.Height) - bounds.Top, -double(bounds.Bottom), keep.YLo, keep.YHi)};
}

TMoveDelta MoveDelta(const TBoard& board, const TMoveRequest& r) {
  const TPlatine& b = board.Platine;
  TMoveDelta out;
  const TDPoint candidate{r.Reference.X + r.Pointer.X, r.Reference.Y + r.Pointer.Y};
  if (r.Capture && !r.Ctrl && b.Zoom > 0 && Distance(candidate, r.Reference) <= kReturnPixels / b.Zoom) {
    out.Delta = {0, 0};
  } else {
    std::optional<TDPoint> c = r.Capture ? CapturePoint(board, candidate, r.Skip) : std::nullopt;
    if (!c && !r.Ctrl) {
      const TDPoint steps{Snapped(r.Pointer.X, b.Grid), Snapped(r.Pointer.Y, b.Grid)};
      out.Delta = steps;
      if (r.Capture) c = CapturePoint(board, {r.Reference.X + steps.X, r.Reference.Y + steps.Y}, r.Skip);
    } else if (!c) {
      out.Delta = r.Pointer;
    }
    if (c) {
      out.Delta = {c->X - r.Reference.X, c->Y - r.Reference.Y};
      out.Captured = true;
    }
  }
  if (r.Bounds) {
    const TDPoint held = LimitToBoard(out.Delta, *r.Bounds, b, r.Ctrl, r.Keep);
    if (held.X != out.Delta.X || held.Y != out.Delta.Y) out.Captured = false;
    out.Delta = held;
  }
  return out;
}

namespace {
// The direction of v in degrees, counter-clockwise from +x, in [0, 360).
double Degrees(TDPoint v) {
  double a = std::atan2(v.Y, v.X) * 180 / kPi;
  return a < 0 ? a + 360 : a;
}
// How far a direction lies from the nearest multiple of 45 degrees.
double Off45(double degrees) { return std::fabs(degrees - 45 * std::round(degrees / 45)); }
// The slope (+1 or -1) of the 45-degree line through `from` that runs
// towards `to`.
double SlopeTowards(TDPoint from, TDPoint to) { return (to.X - from.X) * (to.Y - from.Y) < 0 ? -1 : 1; }
}  // namespace

std::optional<TDPoint> CornerSnap(TDPoint pos, std::optional<TDPoint> prev, std::optional<TDPoint> next, bool ctrl) {
  if (!prev && !next) return std::nullopt;
  if (ctrl) {
    // The neighbour whose direction is nearer a multiple of 45 degrees.
    TDPoint pivot = prev ? *prev : *next;
    if (prev && next &&
        Off45(Degrees({next->X - pos.X, next->Y - pos.Y})) < Off45(Degrees({prev->X - pos.X, prev->Y - pos.Y})))
      pivot = *next;
    const TDPoint v{pos.X - pivot.X, pos.Y - pivot.Y};
    const double length = std::hypot(v.X, v.Y);
    if (length == 0) return std::nullopt;
    const double a = Degrees(v), a45 = 45 * std::round(a / 45);
    if (length * std::sin(std::fabs(a - a45) * kPi / 180) >= kCornerReach) return std::nullopt;
    const double t = a45 * kPi / 180;
    return TDPoint{pivot.X + length * std::cos(t), pivot.Y + length * std::sin(t)};
  }
  if (!prev || !next) return std::nullopt;
  const TDPoint a = *prev, b = *next;
  const double sa = SlopeTowards(a, pos), sb = SlopeTowards(b, pos);
  const TDPoint candidates[] = {
      {a.X, b.Y},                     // vertical through a, horizontal through b
      {b.X, a.Y},                     // horizontal through a, vertical through b
      {a.X + (b.Y - a.Y) / sa, b.Y},  // diagonal through a, horizontal through b
      {b.X, a.Y + sa * (b.X - a.X)},  // diagonal through a, vertical through b
      {b.X + (a.Y - b.Y) / sb, a.Y},  // horizontal through a, diagonal through b
      {a.X, b.Y + sb * (a.X - b.X)},  // vertical through a, diagonal through b
  };
  for (const TDPoint& c : candidates)
    if (std::fabs(c.X - pos.X) <= kCornerReach && std::fabs(c.Y - pos.Y) <= kCornerReach) return c;
  return std::nullopt;
}

int32_t HandleAngle(TDPoint centre, TDPoint pointer, bool ctrl) {
  const double a = Degrees({pointer.X - centre.X, pointer.Y - centre.Y});
  const int64_t thousandths = ctrl ? std::llround(a * 1000) : std::llround(a / 15) * 15000;
  return static_cast<int32_t>(thousandths % 360000);
}

double HandleRadius(double startRadius, double distance, double grid, bool ctrl) {
  if (ctrl || !(grid > 0)) return distance;
  return startRadius + Snapped(distance - startRadius, grid);
}

bool RectTouchesElement(const TObjekt& e, const TBoard& board, TDPoint a, TDPoint b) {
  const TPolygon polygon = CopperPolygon(e, 1, SpokeContextFor(board.Platine));
  if (polygon.Contours.empty()) return false;
  const TFloatRect r = Normalised({float(a.X / 10000), float(a.Y / 10000), float(b.X / 10000), float(b.Y / 10000)});
  return RectTouchesPolygon(r, polygon);
}

}  // namespace bs::app
