// The copper-distance check: every pair of copper elements of different
// nets whose outlines, each grown by the limit, cross is reported where
// they cross; elements with a gap to the ground plane below the limit are
// reported as well.
#include <array>
#include <cmath>
#include <optional>
#include <unordered_map>

#include "checks/drc_internal.h"
#include "copper/connectivity.h"
#include "copper/predicates.h"
#include "model/polygon.h"

namespace bs {

namespace {
constexpr std::array<int, 4> kCopperLayers{kLayerC1, kLayerC2, kLayerI1, kLayerI2};

size_t LayerSlot(int layer) {
  for (size_t i = 0; i < kCopperLayers.size(); ++i)
    if (kCopperLayers[i] == layer) return i;
  return 0;
}

// A finding is dropped when an earlier one of this check has its centre
// within this many units in x and in y.
constexpr int64_t kSameSpot = 2000;

// The centres of the findings so far, in cells of kSameSpot: a centre
// within kSameSpot lies in the same or a neighbouring cell.
class TCentres {
 public:
  bool Near(int64_t x, int64_t y) const {
    const int64_t cx = Cell(x), cy = Cell(y);
    for (int64_t i = cx - 1; i <= cx + 1; ++i)
      for (int64_t j = cy - 1; j <= cy + 1; ++j) {
        const auto it = cells_.find(Key(i, j));
        if (it == cells_.end()) continue;
        for (const auto& [px, py] : it->second)
          if (std::llabs(px - x) <= kSameSpot && std::llabs(py - y) <= kSameSpot) return true;
      }
    return false;
  }
  void Add(int64_t x, int64_t y) { cells_[Key(Cell(x), Cell(y))].push_back({x, y}); }

 private:
  static int64_t Cell(int64_t v) { return v >= 0 ? v / kSameSpot : -((-v + kSameSpot - 1) / kSameSpot); }
  static uint64_t Key(int64_t x, int64_t y) { return (uint64_t(x) << 32) ^ uint64_t(uint32_t(y)); }
  std::unordered_map<uint64_t, std::vector<std::pair<int64_t, int64_t>>> cells_;
};

class TCopperCheck {
 public:
  TCopperCheck(TDrcRun& run, std::vector<TDrcFinding>& out)
      : run_(run),
        out_(out),
        board_(run.Board.Platine),
        d_(run.Rules.WKupfer),
        // The distance-mode corner cut: where a 45 degree chord touches the
        // rounded corner of the outline grown by d / 2.
        cut_(d_ / 2.0 * (2 - std::sqrt(2.0))) {}

  void Run() {
    const size_t n = run_.Count();
    // Candidate rectangles: each element's rectangle after growing it by
    // the limit (half of it on every side), spokes grown with it; they
    // hold the grown copper compared below. None for what is not checked.
    std::vector<TURect> grown(n, kNoRect);
    for (size_t i = 0; i < n; ++i) {
      if (!Checked(i)) continue;
      auto copy = ScratchCopy(run_.At(i));
      GrowObjekt(*copy, d_);
      grown[i] = DrcOutlineBounds(*copy, board_, d_).value_or(kNoRect);
    }
    const TRectGrid grid(grown);
    polygons_.resize(n);
    std::vector<size_t> later;
    run_.ForEachElement([&](size_t p) {
      if (IsNoRect(grown[p]) || !RectsMeet(grown[p], run_.Area)) return;
      const TObjekt& a = run_.At(p);
      grid.Query(grown[p], p + 1, later);
      for (size_t s : later) {
        const TObjekt& b = run_.At(s);
        if (!ShareLayer(a, b)) continue;
        if (Net(p) == Net(s)) continue;  // one net is never too close to itself
        Pair(p, s, TestLayer(a, b));
      }
      polygons_[p] = {};  // p is not met again: later elements only meet later ones
      if (0 < a.Clearance && a.Clearance < d_ && OnGroundPlane(a)) {
        TDrcFinding f;
        f.Kind = kDrcKindCopper;
        f.PlaneGap = true;
        f.Layer = a.Layer;
        f.Marker = grown[p];
        f.First = int32_t(p);
        run_.Add(out_, std::move(f));
      }
    });
  }

 private:
  struct TGrown {
    TPolygon Copper;
    TFixRect Bounds;
    bool Empty = true;
  };

  // Copper that the check looks at: on a copper layer, not a cut-out, not a
  // bare hole, with an outline.
  bool Checked(size_t i) const {
    const TObjekt& e = run_.At(i);
    return IsCopperLayer(e.Layer) && !e.Cutout && !IsBareHole(e) && !IsNoRect(run_.Rects[i]);
  }

  // Nets are numbered once, with the plain outlines, the first time two
  // elements are compared.
  int Net(size_t i) {
    if (nets_.empty()) nets_ = CopperNets(run_.Board);
    return nets_[i];
  }

  // The layer two elements are compared on: a through pad takes the
  // other's layer; two through pads, or two elements of one layer, the
  // first one's.
  static int TestLayer(const TObjekt& a, const TObjekt& b) {
    if (IsVia(a) && !IsVia(b)) return b.Layer;
    return a.Layer;
  }

  bool OnGroundPlane(const TObjekt& e) const {
    for (int layer : kCopperLayers)
      if (board_.GroundPlane[size_t(layer)] && OccupiesLayer(e, layer, board_.Multilayer != 0)) return true;
    return false;
  }

  // The element grown by the limit less 10 units, as cut-corner copper on
  // the layer, spokes grown with it. Built from a copy: the board is not
  // touched. Only a through pad's spokes differ between layers.
  const TGrown& Grown(size_t i, int layer) {
    const TObjekt& e = run_.At(i);
    const size_t slot = IsVia(e) && e.Thermal ? LayerSlot(layer) : 0;
    std::optional<TGrown>& g = polygons_[i][slot];
    if (!g) {
      const int32_t by = d_ - 10;
      auto copy = ScratchCopy(e);
      GrowObjekt(*copy, by);
      TSpokeContext ctx;
      ctx.Layer = layer;
      ctx.GroundPlaneOn = board_.GroundPlane[size_t(layer)] != 0;
      ctx.GrowDistance = by;
      TContourOptions opt;
      opt.DistanceMode = true;
      opt.CutLength = cut_;
      TGrown made;
      made.Copper = CopperPolygon(*copy, 1, ctx, opt);
      made.Bounds = PolygonBounds(made.Copper);
      made.Empty = made.Bounds.Empty();
      g = std::move(made);
    }
    return *g;
  }

  void Pair(size_t p, size_t s, int layer) {
    const TGrown& a = Grown(p, layer);
    const TGrown& b = Grown(s, layer);
    // Outlines whose boxes do not meet cannot cross; empty copper is none.
    if (a.Empty || b.Empty) return;
    if (a.Bounds.Left > b.Bounds.Right || b.Bounds.Left > a.Bounds.Right || a.Bounds.Top > b.Bounds.Bottom ||
        b.Bounds.Top > a.Bounds.Bottom)
      return;
    const std::vector<TFloatPoint> points = PolygonIntersectionPoints(a.Copper, b.Copper);
    if (points.empty()) return;  // apart, or one wholly inside the other
    int64_t l = INT64_MAX, t = INT64_MAX, r = INT64_MIN, bt = INT64_MIN;
    for (const TFloatPoint& pt : points) {
      const int64_t x = RoundInt(double(pt.X) * 10000), y = RoundInt(double(pt.Y) * 10000);
      l = std::min(l, x), r = std::max(r, x), t = std::min(t, y), bt = std::max(bt, y);
    }
    // At least twice the limit wide and high, about the same middle.
    const int64_t least = 2 * int64_t(d_);
    if (r - l < least) {
      const int64_t extra = least - (r - l);
      l -= extra / 2, r += extra - extra / 2;
    }
    if (bt - t < least) {
      const int64_t extra = least - (bt - t);
      t -= extra / 2, bt += extra - extra / 2;
    }
    TDrcFinding f;
    f.Kind = kDrcKindCopper;
    f.Layer = layer;
    f.Marker = {int32_t(l), int32_t(t), int32_t(r), int32_t(bt)};
    f.First = int32_t(p);
    f.Second = int32_t(s);
    if (!RectsMeet(f.Marker, run_.Area)) return;
    const int64_t cx = l + (r - l) / 2, cy = t + (bt - t) / 2;
    if (centres_.Near(cx, cy)) return;  // the same place, reported already
    centres_.Add(cx, cy);
    out_.push_back(std::move(f));
  }

  TDrcRun& run_;
  std::vector<TDrcFinding>& out_;
  const TPlatine& board_;
  const int32_t d_;
  const double cut_;
  std::vector<int> nets_;
  std::vector<std::array<std::optional<TGrown>, 4>> polygons_;
  TCentres centres_;
};
}  // namespace

void CheckCopperDistance(TDrcRun& run, std::vector<TDrcFinding>& out) { TCopperCheck(run, out).Run(); }

}  // namespace bs
