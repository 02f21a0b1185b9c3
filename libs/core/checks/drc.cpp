#include "checks/drc.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <numbers>

#include "checks/drc_internal.h"
#include "copper/predicates.h"
#include "model/messages.h"
#include "model/polygon.h"

namespace bs {

// ---- rules and their settings ----

const std::vector<TDrcKey>& DrcKeys() {
  static const std::vector<TDrcKey> keys = {
      {"Kupfer", &TDrcRules::Kupfer, nullptr},       {"WKupfer", nullptr, &TDrcRules::WKupfer},
      {"Bohrungen", &TDrcRules::Bohrungen, nullptr}, {"WBohrungen", nullptr, &TDrcRules::WBohrungen},
      {"BohrMin", &TDrcRules::BohrMin, nullptr},     {"WBohrMin", nullptr, &TDrcRules::WBohrMin},
      {"BohrMax", &TDrcRules::BohrMax, nullptr},     {"WBohrMax", nullptr, &TDrcRules::WBohrMax},
      {"TrackMin", &TDrcRules::TrackMin, nullptr},   {"WTrackMin", nullptr, &TDrcRules::WTrackMin},
      {"RingMin", &TDrcRules::RingMin, nullptr},     {"WRingMin", nullptr, &TDrcRules::WRingMin},
      {"BestMin", &TDrcRules::BestMin, nullptr},     {"WBestMin", nullptr, &TDrcRules::WBestMin},
      {"SilkOnPad", &TDrcRules::SilkOnPad, nullptr}, {"HoleOnSMD", &TDrcRules::HoleOnSMD, nullptr},
      {"PadOhneLS", &TDrcRules::PadOhneLS, nullptr}, {"LSFremd", &TDrcRules::LSFremd, nullptr},
  };
  return keys;
}

const TDrcKey* FindDrcKey(std::string_view name) {
  for (const TDrcKey& k : DrcKeys())
    if (SameIniName(k.Name, name)) return &k;
  return nullptr;
}

TDrcRules ReadDrcRules(const TIniFile& ini) {
  TDrcRules r;
  for (const TDrcKey& k : DrcKeys()) {
    if (k.Flag) r.*k.Flag = ini.ReadBool(kDrcSection, k.Name, r.*k.Flag);
    if (k.Length) r.*k.Length = std::clamp(ini.ReadInt(kDrcSection, k.Name, r.*k.Length), 0, kDrcMaxLength);
  }
  return r;
}

void WriteDrcRules(TIniFile& ini, const TDrcRules& rules) {
  for (const TDrcKey& k : DrcKeys()) {
    if (k.Flag) ini.WriteBool(kDrcSection, k.Name, rules.*k.Flag);
    if (k.Length) ini.WriteInt(kDrcSection, k.Name, rules.*k.Length);
  }
}

// ---- areas, markers, outlines, zoom, texts ----

namespace {
constexpr double kPi = std::numbers::pi;

int32_t Clamp32(int64_t v) {
  return int32_t(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

TURect Grown(const TURect& r, int64_t by) {
  return {Clamp32(r.Left - by), Clamp32(r.Top - by), Clamp32(r.Right + by), Clamp32(r.Bottom + by)};
}

TURect United(const TURect& a, const TURect& b) {
  return {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right), std::max(a.Bottom, b.Bottom)};
}

TURect Common(const TURect& a, const TURect& b) {
  return {std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right), std::min(a.Bottom, b.Bottom)};
}

// The square centre +- r of a pad, normalised.
TURect SquareAround(const TObjekt& e, double r) {
  r = std::fabs(r);
  return {RoundInt(e.Pos.X - r), RoundInt(e.Pos.Y - r), RoundInt(e.Pos.X + r), RoundInt(e.Pos.Y + r)};
}
TURect HoleSquare(const TObjekt& e) { return SquareAround(e, e.SizeB); }

bool HiddenLabel(const TObjekt& e) { return IsComponentLabel(e) && !e.LabelVisible; }

// A THT pad that the drill file drills: on a copper layer or, as an
// unplated hole, on the outline layer.
bool DrilledLayer(const TObjekt& e) { return e.Kind == kKindThtPad && (IsCopperLayer(e.Layer) || e.Layer == kLayerO); }

bool HasVertices(const TPolygon& p) {
  return std::any_of(p.Contours.begin(), p.Contours.end(), [](const TFixContour& c) { return !c.empty(); });
}

// Whether two pieces of copper touch. A polygon without vertices (a pad
// of no shape, a text without strokes) is no copper and touches nothing.
bool CopperTouches(const TPolygon& a, const TPolygon& b) {
  return HasVertices(a) && HasVertices(b) && PolygonsTouch(a, b);
}

TSpokeContext NoSpokes() {
  TSpokeContext ctx;
  ctx.NoSpokes = true;
  return ctx;
}
}  // namespace

std::optional<TURect> DrcOutlineBounds(const TObjekt& e, const TPlatine& board, int32_t spokeGrowth) {
  std::optional<TURect> r = OutlineBounds(e, NoSpokes());
  if (!r || !IsPad(e) || !e.Thermal) return r;
  for (int layer : {kLayerC1, kLayerC2, kLayerI1, kLayerI2}) {
    if (!board.GroundPlane[size_t(layer)]) continue;
    TSpokeContext ctx;
    ctx.Layer = layer;
    ctx.GroundPlaneOn = true;
    ctx.GrowDistance = spokeGrowth;
    if (const auto b = OutlineBounds(e, ctx)) Unite(*r, *b);
  }
  return r;
}

TURect DrcCompleteArea(const TPlatine& board) { return {0, Clamp32(-int64_t(board.Height)), board.Width, 0}; }

TURect DrcWindowArea(const TPlatine& board, TViewport viewport) {
  const double z = board.Zoom > 0 ? board.Zoom : 1;
  return {RoundInt(board.ScrollX / z), RoundInt(-(double(board.ScrollY) + viewport.Height) / z),
          RoundInt((double(board.ScrollX) + viewport.Width) / z), RoundInt(-board.ScrollY / z)};
}

TURect GrowDrcMarker(TURect r) {
  int64_t l = int64_t(r.Left) - 2000, t = int64_t(r.Top) - 2000;
  int64_t rt = int64_t(r.Right) + 2000, b = int64_t(r.Bottom) + 2000;
  if (rt - l < 5000) {
    const int64_t d = (5000 - (rt - l)) / 2;
    l -= d, rt += d;
  }
  if (b - t < 5000) {
    const int64_t d = (5000 - (b - t)) / 2;
    t -= d, b += d;
  }
  return {Clamp32(l), Clamp32(t), Clamp32(rt), Clamp32(b)};
}

std::vector<TDrcOutline> DrcTrackOutline(const TObjekt& track) {
  std::vector<TDrcOutline> out;
  const double r = (double(track.Width) + 4000) / 2;
  const auto& pts = track.Points;
  for (size_t i = 0; i + 1 < pts.size(); ++i) {
    const double px = pts[i].X, py = pts[i].Y, qx = pts[i + 1].X, qy = pts[i + 1].Y;
    const double a = std::atan2(qy - py, qx - px);
    TDrcOutline o;
    // Half a circle round the end, then round the start, counter-clockwise.
    for (int k = 0; k <= 8; ++k) {
      const double u = a - kPi / 2 + kPi * k / 8, v = a + kPi / 2 + kPi * k / 8;
      o[size_t(k)] = {RoundInt(qx + r * std::cos(u)), RoundInt(qy + r * std::sin(u))};
      o[size_t(9 + k)] = {RoundInt(px + r * std::cos(v)), RoundInt(py + r * std::sin(v))};
    }
    out.push_back(o);
  }
  return out;
}

std::optional<TDrcZoom> DrcZoomToFinding(const TURect& marker, const TPlatine& board, TViewport window) {
  const double w = double(marker.Right) - marker.Left;
  double l = marker.Left - 2 * w, r = marker.Right + 2 * w, t = marker.Top - 2 * w, b = marker.Bottom + 2 * w;
  if (r < l) std::swap(l, r);
  if (b < t) std::swap(t, b);
  l = std::max(l, 0.0), r = std::min(r, double(board.Width));
  t = std::max(t, -double(board.Height)), b = std::min(b, 0.0);
  if (r - l < 5000 || b - t < 5000) return std::nullopt;
  TDrcZoom z;
  z.Zoom = std::min((window.Width - 20) / (r - l), (window.Height - 20) / (b - t));
  z.Centre = {(l + r) / 2, -(t + b) / 2};
  return z;
}

const char* DrcFindingText(const TDrcFinding& f) {
  switch (f.Kind) {
    case kDrcKindCopper: return f.PlaneGap ? msg::kDrcPlaneGap : msg::kDrcCopperDistance;
    case kDrcKindDrillDistance: return msg::kDrcDrillDistance;
    case kDrcKindDrillTooSmall: return msg::kDrcDrillSmall;
    case kDrcKindDrillTooLarge: return msg::kDrcDrillLarge;
    case kDrcKindTrackTooThin: return msg::kDrcTrackThin;
    case kDrcKindRingTooSmall: return msg::kDrcRingSmall;
    case kDrcKindSilkscreenOverPad: return msg::kDrcSilkOnPad;
    case kDrcKindDrillingOnSmdPad: return msg::kDrcDrillOnSmd;
    case kDrcKindSolderMask: return f.PadWithoutMask ? msg::kDrcPadNoMask : msg::kDrcMaskOffPad;
    case kDrcKindSilkscreenTooThin: return msg::kDrcSilkThin;
    default: return "";
  }
}

std::string DrcCountCaption(size_t count) { return FormatMessage(msg::kDrcCount, {std::to_string(count)}); }

// ---- the run ----

TDrcRun::TDrcRun(const TBoard& board, const TDrcRules& rules, const TURect& area, const TProgress& progress)
    : Board(board), Rules(rules), Area(area), Progress(progress) {
  Rects.reserve(board.Elements.size());
  for (const auto& pe : board.Elements) {
    const TObjekt& e = *pe;
    std::optional<TURect> r;
    if (IsPad(e) && e.Thermal && e.Clearance != 0) {
      // The spokes as a gap of 0 makes them, measured on a copy.
      auto copy = ScratchCopy(e);
      copy->Clearance = 0;
      r = DrcOutlineBounds(*copy, board.Platine);
    } else {
      r = DrcOutlineBounds(e, board.Platine);
    }
    if (!r && e.Kind == kKindThtPad && RoundInt(e.SizeB) != 0) r = HoleSquare(e);
    Rects.push_back(r.value_or(kNoRect));
  }
}

namespace {

// The checks other than copper distance, each a walk over the list.
class TChecks {
 public:
  TChecks(TDrcRun& run, std::vector<TDrcFinding>& out) : run_(run), rules_(run.Rules), out_(out) {}

  // Holes closer than the limit, edge to edge; the later hole of each
  // pair is found through a grid of the holes' squares.
  void DrillDistance() {
    const int32_t d = rules_.WBohrungen;
    const size_t n = run_.Count();
    std::vector<TURect> squares(n, kNoRect);
    for (size_t i = 0; i < n; ++i)
      if (Drilled(run_.At(i))) squares[i] = HoleSquare(run_.At(i));
    const TRectGrid grid(squares);
    std::vector<size_t> later;
    run_.ForEachElement([&](size_t i) {
      if (IsNoRect(squares[i]) || !run_.InArea(i)) return;
      const TObjekt& p = run_.At(i);
      // A reported gap is below d: the centres lie less than d + both
      // radii + 2 apart (the 2 covers the roundings), so the squares lie
      // within d + 2 of each other.
      grid.Query(Grown(squares[i], int64_t(std::max(d, 0)) + 2), i + 1, later);
      for (size_t j : later) {
        const TObjekt& q = run_.At(j);
        const double centres = std::hypot(double(p.Pos.X) - q.Pos.X, double(p.Pos.Y) - q.Pos.Y);
        const int32_t gap = RoundInt(RoundInt(centres) - double(p.SizeB) - double(q.SizeB));
        if (gap >= d) continue;
        Add(kDrcKindDrillDistance, p.Layer, GrowDrcMarker(United(squares[i], squares[j])), i, int32_t(j));
      }
    });
  }

  void DrillSizes() {
    run_.ForEachElement([&](size_t i) {
      const TObjekt& e = run_.At(i);
      if (!DrilledLayer(e) || !run_.InArea(i)) return;
      const int32_t diameter = RoundInt(2.0 * e.SizeB);
      if (diameter < 1) return;
      if (rules_.BohrMin && diameter < rules_.WBohrMin)
        Add(kDrcKindDrillTooSmall, e.Layer, GrowDrcMarker(HoleSquare(e)), i);
      if (rules_.BohrMax && diameter > rules_.WBohrMax)
        Add(kDrcKindDrillTooLarge, e.Layer, GrowDrcMarker(HoleSquare(e)), i);
      // Unplated holes on the outline layer and bare holes have no ring.
      if (rules_.RingMin && IsCopperLayer(e.Layer) && !IsBareHole(e)) {
        const int32_t ring = RoundInt((2.0 * e.SizeA - diameter) / 2);
        if (ring >= 1 && ring < rules_.WRingMin)
          Add(kDrcKindRingTooSmall, e.Layer, GrowDrcMarker(SquareAround(e, e.SizeA)), i);
      }
    });
  }

  // Track width (copper) or silkscreen width: tracks, circles (on copper
  // only open ones) and texts by their first stroke.
  void LineWidths(bool silkscreen) {
    const int32_t d = silkscreen ? rules_.WBestMin : rules_.WTrackMin;
    run_.ForEachElement([&](size_t i) {
      const TObjekt& e = run_.At(i);
      const bool layerFits = silkscreen ? (e.Layer == kLayerS1 || e.Layer == kLayerS2) : IsCopperLayer(e.Layer);
      if (!layerFits || e.Cutout || HiddenLabel(e) || !run_.InArea(i)) return;
      int32_t width;
      if (e.Kind == kKindTrack) width = e.Width;
      else if (e.Kind == kKindCircle && (silkscreen || !e.Fill)) width = RoundInt(double(e.SizeA) - e.SizeB);
      else if (e.Kind == kKindText && !e.SubElements.empty()) width = e.SubElements[0]->Width;
      else return;
      if (width >= d) return;
      TDrcFinding f = Finding(silkscreen ? kDrcKindSilkscreenTooThin : kDrcKindTrackTooThin, e.Layer,
                              GrowDrcMarker(run_.Rects[i]), i);
      if (e.Kind == kKindTrack) f.Outline = DrcTrackOutline(e);
      run_.Add(out_, std::move(f));
    });
  }

  // Silkscreen touching a pad of its side; spokes are not part of a pad
  // here.
  void SilkscreenOverPads() {
    const size_t n = run_.Count();
    const TSpokeContext ctx = NoSpokes();
    std::vector<TURect> silk(n, kNoRect);
    for (size_t i = 0; i < n; ++i) {
      const TObjekt& e = run_.At(i);
      if ((e.Layer == kLayerS1 || e.Layer == kLayerS2) && !HiddenLabel(e))
        silk[i] = OutlineBounds(e, ctx).value_or(kNoRect);
    }
    const TRectGrid grid(silk);
    std::vector<std::optional<TPolygon>> silkCopper(n);
    std::vector<size_t> near;
    run_.ForEachElement([&](size_t i) {
      const TObjekt& p = run_.At(i);
      const bool top = p.Layer == kLayerC1 || IsVia(p), bottom = p.Layer == kLayerC2 || IsVia(p);
      if (!IsPad(p) || !(top || bottom) || IsBareHole(p) || !run_.InArea(i)) return;
      const std::optional<TURect> rp = OutlineBounds(p, ctx);
      if (!rp) return;
      grid.Query(*rp, 0, near);
      std::optional<TPolygon> pad;
      for (size_t j : near) {
        const TObjekt& s = run_.At(j);
        if (!(s.Layer == kLayerS1 ? top : bottom)) continue;
        if (!pad) pad = CopperPolygon(p, 1, ctx);
        if (!silkCopper[j]) silkCopper[j] = CopperPolygon(s, 1, ctx);
        if (CopperTouches(*pad, *silkCopper[j]))
          Add(kDrcKindSilkscreenOverPad, s.Layer, GrowDrcMarker(Common(*rp, silk[j])), i, int32_t(j));
      }
    });
  }

  // Holes that reach into an SMD pad, on whatever copper layer: holes pass
  // through the board.
  void DrillingOnSmdPads() {
    const size_t n = run_.Count();
    const TSpokeContext ctx = NoSpokes();
    std::vector<TURect> pads(n, kNoRect);
    for (size_t i = 0; i < n; ++i) {
      const TObjekt& e = run_.At(i);
      if (DrilledLayer(e) && e.SizeB > 0) pads[i] = OutlineBounds(e, ctx).value_or(HoleSquare(e));
    }
    const TRectGrid grid(pads);
    struct THole {
      TPolygon Copper;
      TURect Rect;
    };
    std::vector<std::unique_ptr<THole>> holes(n);
    std::vector<size_t> near;
    run_.ForEachElement([&](size_t i) {
      const TObjekt& smd = run_.At(i);
      if (smd.Kind != kKindSmdPad || !IsCopperLayer(smd.Layer) || !run_.InArea(i)) return;
      const std::optional<TURect> rs = OutlineBounds(smd, ctx);
      if (!rs) return;
      grid.Query(*rs, 0, near);
      std::optional<TPolygon> pad;
      for (size_t j : near) {
        if (!holes[j]) {
          // The hole as the pad's own shape at the size of the drill; a
          // pad of no shape as a round hole.
          auto hole = ScratchCopy(run_.At(j));
          hole->SizeA = hole->SizeB;
          if (hole->Shape < kShapeRound || hole->Shape > kShapeRectV) hole->Shape = kShapeRound;
          RebuildThtOutline(*hole, std::nullopt, 0);
          holes[j] = std::make_unique<THole>(
              THole{CopperPolygon(*hole, 1, ctx), OutlineBounds(*hole, ctx).value_or(HoleSquare(*hole))});
        }
        if (!pad) pad = CopperPolygon(smd, 1, ctx);
        if (CopperTouches(*pad, holes[j]->Copper))
          Add(kDrcKindDrillingOnSmdPad, smd.Layer, GrowDrcMarker(holes[j]->Rect), i, int32_t(j));
      }
    });
  }

  void SolderMask() {
    run_.ForEachElement([&](size_t i) {
      const TObjekt& e = run_.At(i);
      if (!IsCopperLayer(e.Layer) || !run_.InArea(i)) return;
      if (IsPad(e)) {
        if (!rules_.PadOhneLS || IsBareHole(e) || e.SolderMask) return;
        TDrcFinding f = Finding(kDrcKindSolderMask, e.Layer, GrowDrcMarker(run_.Rects[i]), i);
        f.PadWithoutMask = true;
        run_.Add(out_, std::move(f));
      } else if (rules_.LSFremd && NeedsSolderMaskOpening(e)) {
        TDrcFinding f = Finding(kDrcKindSolderMask, e.Layer, GrowDrcMarker(run_.Rects[i]), i);
        if (e.Kind == kKindTrack) f.Outline = DrcTrackOutline(e);
        run_.Add(out_, std::move(f));
      }
    });
  }

 private:
  static bool Drilled(const TObjekt& e) { return DrilledLayer(e) && RoundInt(e.SizeB) != 0; }

  static TDrcFinding Finding(uint8_t kind, int32_t layer, const TURect& marker, size_t first, int32_t second = -1) {
    TDrcFinding f;
    f.Kind = kind;
    f.Layer = layer;
    f.Marker = marker;
    f.First = int32_t(first);
    f.Second = second;
    return f;
  }
  void Add(uint8_t kind, int32_t layer, const TURect& marker, size_t first, int32_t second = -1) {
    run_.Add(out_, Finding(kind, layer, marker, first, second));
  }

  TDrcRun& run_;
  const TDrcRules& rules_;
  std::vector<TDrcFinding>& out_;
};

}  // namespace

TDrcResult RunDrc(const TBoard& board, const TDrcRules& rules, const TURect& area, const TProgress& progress) {
  TDrcResult result;
  TDrcRun run(board, rules, area, progress);
  TChecks checks(run, result.Findings);
  if (rules.Bohrungen) checks.DrillDistance();
  if (!run.Aborted && (rules.BohrMin || rules.BohrMax || rules.RingMin)) checks.DrillSizes();
  if (!run.Aborted && rules.TrackMin) checks.LineWidths(false);
  if (!run.Aborted && rules.BestMin) checks.LineWidths(true);
  if (!run.Aborted && rules.Kupfer) CheckCopperDistance(run, result.Findings);
  if (!run.Aborted && rules.SilkOnPad) checks.SilkscreenOverPads();
  if (!run.Aborted && rules.HoleOnSMD) checks.DrillingOnSmdPads();
  if (!run.Aborted && (rules.PadOhneLS || rules.LSFremd)) checks.SolderMask();
  result.Aborted = run.Aborted;
  return result;
}

}  // namespace bs
