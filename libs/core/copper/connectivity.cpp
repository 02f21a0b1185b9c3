#include "copper/connectivity.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

#include "copper/ground_plane.h"
#include "copper/predicates.h"
#include "model/geometry.h"
#include "model/messages.h"
#include "model/polygon.h"

namespace bs {

namespace {
constexpr std::array<int, 4> kCopperLayers{kLayerC1, kLayerC2, kLayerI1, kLayerI2};

int LayerSlot(int layer) {
  for (size_t i = 0; i < kCopperLayers.size(); ++i)
    if (kCopperLayers[i] == layer) return int(i);
  return 0;
}

bool HiddenLabel(const TObjekt& e) { return IsComponentLabel(e) && !e.LabelVisible; }

TPolygon BuildCopper(const TObjekt& e, int layer, const TPlatine& board) {
  TSpokeContext ctx;
  ctx.Layer = layer;
  ctx.GroundPlaneOn = board.GroundPlane[size_t(layer)] != 0;
  TContourOptions opt;
  opt.ConnectivityRun = true;
  return CopperPolygon(e, 1, ctx, opt);
}

struct TCopper {
  TPolygon Polygon;
  TFixRect Bounds;
};

bool RectsMeet(const TFixRect& a, const TFixRect& b) {
  return !a.Empty() && !b.Empty() && a.Left <= b.Right && b.Left <= a.Right && a.Top <= b.Bottom && b.Top <= a.Bottom;
}

// Whether copper of others can reach the element: not a cut-out, a bare
// hole or a hidden label. (Any element can start a flood.)
bool Reachable(const TObjekt& e) { return !e.Cutout && !IsBareHole(e) && !HiddenLabel(e); }

// Whether the element joins the ground plane of a layer it lies on: it has
// no gap of its own, or it is a thermal pad.
bool JoinsPlane(const TObjekt& e) { return !e.Cutout && (e.Clearance == 0 || (IsPad(e) && e.Thermal)); }

// One flood, or several over the same unchanged board (the removal
// command): copper polygons built once per element and layer, a grid of
// the elements' rectangles to find the neighbours of each, and the
// ground-plane rasters built once per layer with the elements standing in
// each area of plane.
// A flood marks (Selected) the elements it reaches; nothing else changes
// the board, so the numbering of nets works on a const board.
class TConnectivity {
 public:
  explicit TConnectivity(const TBoard& board) : board_(board), p_(board.Platine), list_(board.Elements) {
    const size_t n = list_.size();
    cull_.reserve(n);
    for (size_t i = 0; i < n; ++i) {
      index_[list_[i].get()] = i;
      cull_.push_back(CullBounds(*list_[i]));
    }
    polygons_.resize(n);
    BuildGrid();
  }

  void Flood(TObjekt& start, const TFloodOptions& opt) {
    std::vector<size_t> todo;
    const size_t first = index_.at(&start);
    list_[first]->Selected = 1;
    todo.push_back(first);
    while (!todo.empty()) {
      const size_t p = todo.back();
      todo.pop_back();
      Visit(p, opt, todo);
    }
  }

  void ForgetFloods() {
    for (auto& plane : planes_)
      if (plane) plane->Raster.ClearReached();
  }

  // Copper and the planes alone (no rubber bands, no design check) join
  // symmetrically: a flood from a reachable element marks exactly its
  // component. The component of every element, -1 for unreachable ones.
  const std::vector<int>& Components() {
    if (!components_.empty() || list_.empty()) return components_;
    std::vector<int> parent(list_.size());
    for (size_t i = 0; i < parent.size(); ++i) parent[i] = int(i);
    auto find = [&](int a) {
      while (parent[size_t(a)] != a) a = parent[size_t(a)] = parent[size_t(parent[size_t(a)])];
      return a;
    };
    auto unite = [&](size_t a, size_t b) {
      const int ra = find(int(a)), rb = find(int(b));
      if (ra != rb) parent[size_t(std::max(ra, rb))] = std::min(ra, rb);
    };
    for (size_t i = 0; i < list_.size(); ++i) {
      if (!Reachable(*list_[i])) continue;
      for (size_t j : Neighbours(i))
        if (j > i && Reachable(*list_[j]) && CopperJoins(i, j)) unite(i, j);
    }
    for (int layer : kCopperLayers) {
      if (!p_.GroundPlane[size_t(layer)]) continue;
      TPlane& plane = Plane(layer);
      for (const auto& [area, members] : plane.Members)
        for (size_t k = 1; k < members.size(); ++k) unite(members[0], members[k]);
    }
    components_.resize(list_.size());
    for (size_t i = 0; i < list_.size(); ++i) components_[i] = Reachable(*list_[i]) ? find(int(i)) : -1;
    return components_;
  }

 private:
  // A plane's raster and, per area of plane, the elements that join it there.
  struct TPlane {
    TGroundPlaneRaster Raster;
    std::unordered_map<int, std::vector<size_t>> Members;
    TPlane(const TBoard& board, int layer) : Raster(board, layer) {}
  };

  // Whether copper joins two elements on a layer they share.
  bool CopperJoins(size_t a, size_t b) {
    const TObjekt& p = *list_[a];
    const TObjekt& e = *list_[b];
    if (!ShareLayer(p, e)) return false;
    const bool multi = p_.Multilayer != 0;
    for (int layer : kCopperLayers)
      if (OccupiesLayer(p, layer, multi) && OccupiesLayer(e, layer, multi) && Touch(p, e, layer)) return true;
    return false;
  }

  void Visit(size_t pi, const TFloodOptions& opt, std::vector<size_t>& todo) {
    TObjekt& p = *list_[pi];
    auto mark = [&](size_t i) {
      list_[i]->Selected = 1;
      todo.push_back(i);
    };
    if (opt.FollowRubberBands && IsPad(p))
      for (TObjekt* q : p.Connections)
        if (!q->Selected) mark(index_.at(q));

    for (size_t r : Neighbours(pi)) {
      const TObjekt& e = *list_[r];
      if (e.Selected || !Reachable(e)) continue;
      if (opt.Excluded && opt.Excluded(e)) continue;
      if (CopperJoins(pi, r)) mark(r);
    }

    // The ground plane: an element with a gap of its own is cut free of it.
    if (!JoinsPlane(p)) return;
    const bool multi = p_.Multilayer != 0;
    for (int layer : kCopperLayers) {
      if (!OccupiesLayer(p, layer, multi) || !p_.GroundPlane[size_t(layer)]) continue;
      TPlane& plane = Plane(layer);
      // A new area of plane reached: everything standing in it joins. An
      // area reached before has already brought in all of its elements.
      int area = -1;
      if (!plane.Raster.Flood(GroundPlaneReference(p), &area)) continue;
      if (const auto it = plane.Members.find(area); it != plane.Members.end())
        for (size_t i : it->second)
          if (!list_[i]->Selected) mark(i);
    }
  }

  bool Touch(const TObjekt& a, const TObjekt& b, int layer) {
    const TCopper& ca = Copper(a, layer);
    const TCopper& cb = Copper(b, layer);
    if (!RectsMeet(ca.Bounds, cb.Bounds)) return false;
    return PolygonsTouch(ca.Polygon, cb.Polygon);
  }

  // A thermal pad's copper differs between layers (its spokes); every
  // other element's is the same on all.
  const TCopper& Copper(const TObjekt& e, int layer) {
    auto& slots = polygons_[index_.at(&e)];
    const size_t slot = IsPad(e) && e.Thermal ? size_t(LayerSlot(layer)) : 0;
    if (!slots[slot]) {
      TPolygon poly = BuildCopper(e, layer, p_);
      const TFixRect bounds = PolygonBounds(poly);
      slots[slot] = TCopper{std::move(poly), bounds};
    }
    return *slots[slot];
  }

  TPlane& Plane(int layer) {
    auto& plane = planes_[size_t(LayerSlot(layer))];
    if (!plane) {
      plane = std::make_unique<TPlane>(board_, layer);
      const bool multi = p_.Multilayer != 0;
      for (size_t i = 0; i < list_.size(); ++i) {
        const TObjekt& e = *list_[i];
        if (!JoinsPlane(e) || !OccupiesLayer(e, layer, multi)) continue;
        const int area = plane->Raster.AreaAt(GroundPlaneReference(e));
        if (area >= 0) plane->Members[area].push_back(i);
      }
    }
    return *plane;
  }

  // ---- the grid of rectangles ----

  void BuildGrid() {
    double minX = 1e300, minY = 1e300, maxX = -1e300, maxY = -1e300;
    for (const TURect& r : cull_) {
      if (r.Right < r.Left) continue;
      minX = std::min<double>(minX, r.Left), maxX = std::max<double>(maxX, r.Right);
      minY = std::min<double>(minY, r.Top), maxY = std::max<double>(maxY, r.Bottom);
    }
    if (!(maxX >= minX)) return;
    originX_ = minX;
    originY_ = minY;
    const double area = std::max(1.0, (maxX - minX) * (maxY - minY));
    cell_ = std::max(1000.0, 2 * std::sqrt(area / double(std::max<size_t>(cull_.size(), 1))));
    cols_ = std::clamp(int((maxX - minX) / cell_) + 1, 1, 2048);
    rows_ = std::clamp(int((maxY - minY) / cell_) + 1, 1, 2048);
    cell_ = std::max((maxX - minX) / cols_, (maxY - minY) / rows_) * 1.000001 + 1;
    cells_.assign(size_t(cols_) * size_t(rows_), {});
    for (size_t i = 0; i < cull_.size(); ++i) {
      int x0, y0, x1, y1;
      if (!CellRange(cull_[i], x0, y0, x1, y1)) continue;
      for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) cells_[size_t(y) * size_t(cols_) + size_t(x)].push_back(uint32_t(i));
    }
    stamp_.assign(cull_.size(), 0);
  }

  bool CellRange(const TURect& r, int& x0, int& y0, int& x1, int& y1) const {
    if (r.Right < r.Left || cells_.empty()) return false;
    auto cx = [&](double v) { return std::clamp(int((v - originX_) / cell_), 0, cols_ - 1); };
    auto cy = [&](double v) { return std::clamp(int((v - originY_) / cell_), 0, rows_ - 1); };
    x0 = cx(r.Left), x1 = cx(r.Right), y0 = cy(r.Top), y1 = cy(r.Bottom);
    return true;
  }

  // The elements whose rectangles may meet p's (in no particular order: the
  // marked set does not depend on it).
  const std::vector<size_t>& Neighbours(size_t p) {
    found_.clear();
    int x0, y0, x1, y1;
    const TURect& pr = cull_[p];
    if (!CellRange(pr, x0, y0, x1, y1)) return found_;
    ++round_;
    for (int y = y0; y <= y1; ++y)
      for (int x = x0; x <= x1; ++x)
        for (uint32_t i : cells_[size_t(y) * size_t(cols_) + size_t(x)]) {
          if (stamp_[i] == round_) continue;
          stamp_[i] = round_;
          const TURect& r = cull_[i];
          if (r.Left <= pr.Right && pr.Left <= r.Right && r.Top <= pr.Bottom && pr.Top <= r.Bottom) found_.push_back(i);
        }
    return found_;
  }

  const TBoard& board_;
  const TPlatine& p_;
  const TObjektList& list_;
  std::unordered_map<const TObjekt*, size_t> index_;
  std::vector<TURect> cull_;
  std::vector<std::array<std::optional<TCopper>, 4>> polygons_;
  std::array<std::unique_ptr<TPlane>, 4> planes_;
  std::vector<int> components_;
  double originX_ = 0, originY_ = 0, cell_ = 1;
  int cols_ = 0, rows_ = 0;
  std::vector<std::vector<uint32_t>> cells_;
  std::vector<uint32_t> stamp_;
  uint32_t round_ = 0;
  std::vector<size_t> found_;
};
}  // namespace

bool ElementsTouch(const TObjekt& a, const TObjekt& b, int layer, const TPlatine& board) {
  const TPolygon pa = BuildCopper(a, layer, board), pb = BuildCopper(b, layer, board);
  if (!RectsMeet(PolygonBounds(pa), PolygonBounds(pb))) return false;
  return PolygonsTouch(pa, pb);
}

void MarkConnected(TBoard& board, TObjekt& start, const TFloodOptions& options) {
  TConnectivity(board).Flood(start, options);
}

std::vector<int> CopperNets(const TBoard& board) { return TConnectivity(board).Components(); }

bool CanStartTest(const TObjekt& e) { return !e.Cutout && !IsBareHole(e) && IsCopperLayer(e.Layer) && !HiddenLabel(e); }

bool HasConnections(const TBoard& board) {
  return std::any_of(board.Elements.begin(), board.Elements.end(),
                     [](const auto& e) { return IsPad(*e) && !e->Connections.empty(); });
}

TRubberBandCounts RemoveSatisfiedConnections(TBoard& board) {
  TRubberBandCounts counts;
  TConnectivity run(board);
  const std::vector<int>& component = run.Components();
  std::unordered_map<const TObjekt*, size_t> index;
  for (size_t i = 0; i < board.Elements.size(); ++i) index[board.Elements[i].get()] = i;
  for (size_t i = 0; i < board.Elements.size(); ++i) {
    TObjekt& p = *board.Elements[i];
    if (!IsPad(p) || p.Connections.empty()) continue;
    // What a flood from p would mark: p's component, or for a pad that
    // copper cannot reach (a bare hole) the flood itself.
    std::function<bool(const TObjekt*)> joined;
    if (component[i] >= 0) {
      joined = [&, c = component[i]](const TObjekt* q) { return component[index.at(q)] == c; };
    } else {
      for (const auto& e : board.Elements) e->Selected = 0;
      run.ForgetFloods();
      run.Flood(p, {});
      joined = [](const TObjekt* q) { return q->Selected != 0; };
    }
    auto& list = p.Connections;
    const auto kept = std::stable_partition(list.begin(), list.end(), [&](const TObjekt* q) { return !joined(q); });
    counts.Remaining += int(kept - list.begin());
    counts.Removed += int(list.end() - kept);
    list.erase(kept, list.end());
  }
  for (const auto& e : board.Elements) e->Selected = 0;
  return counts;
}

std::string RubberBandCountsMessage(const TRubberBandCounts& counts) {
  return FormatMessage(msg::kRubberBandCounts, {std::to_string(counts.Removed), std::to_string(counts.Remaining)});
}

TRubberBandHit HitRubberBand(TBoard& board, const TViewMap& view, int x, int y) {
  const int t = std::clamp(int(std::lround(view.Zoom * 60)), 3, 10);
  for (const auto& pe : board.Elements) {
    if (!IsPad(*pe)) continue;
    for (TObjekt* q : pe->Connections) {
      const TDPoint a = Centre(*pe), b = Centre(*q);
      const long x1 = std::lround(a.X * view.Zoom - view.ScrollX), y1 = std::lround(-a.Y * view.Zoom - view.ScrollY);
      const long x2 = std::lround(b.X * view.Zoom - view.ScrollX), y2 = std::lround(-b.Y * view.Zoom - view.ScrollY);
      if (x < std::min(x1, x2) - t || x > std::max(x1, x2) + t || y < std::min(y1, y2) - t || y > std::max(y1, y2) + t)
        continue;
      bool hit = x1 == x2 || y1 == y2;
      if (!hit) {
        const long atX = y1 + std::lround(double(y2 - y1) / double(x2 - x1) * double(x - x1));
        const long atY = x1 + std::lround(double(x2 - x1) / double(y2 - y1) * double(y - y1));
        hit = std::labs(atX - y) <= t || std::labs(atY - x) <= t;
      }
      if (hit) return {pe.get(), q};
    }
  }
  return {};
}

bool ToggleConnection(TObjekt& a, TObjekt& b) {
  if (&a == &b || !IsPad(a) || !IsPad(b)) return false;
  auto drop = [](TRefList& list, const TObjekt* o) {
    const auto it = std::remove(list.begin(), list.end(), o);
    const bool had = it != list.end();
    list.erase(it, list.end());
    return had;
  };
  const bool hadA = drop(a.Connections, &b), hadB = drop(b.Connections, &a);
  if (hadA || hadB) return false;
  a.Connections.push_back(&b);
  b.Connections.push_back(&a);
  return true;
}

}  // namespace bs
