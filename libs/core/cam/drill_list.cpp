#include "cam/drill_list.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <optional>
#include <unordered_map>

#include "copper/predicates.h"
#include "model/polygon.h"

namespace bs {

namespace {

bool Drillable(const TObjekt& e) {
  return e.Layer == kLayerC1 || e.Layer == kLayerC2 || e.Layer == kLayerI1 || e.Layer == kLayerI2 || e.Layer == kLayerO;
}

struct TCandidate {
  const TObjekt* Pad = nullptr;
  int32_t Diameter = 0;                    // rounded
  int32_t X0 = 0, Y0 = 0, X1 = 0, Y1 = 0;  // centre +- drill radius, whole units
  bool Dropped = false;
  std::optional<TPolygon> Copper;  // built when first compared
};

// Drops coinciding holes. Each candidate is compared, in list order, with
// every later candidate still present whose square meets its own; a grid of
// the squares finds those without looking at every pair.
class TCoincidence {
 public:
  TCoincidence(std::vector<TCandidate>& c, const TSpokeContext& ctx) : c_(c), ctx_(ctx) {
    if (c_.empty()) return;
    // Cells a few typical holes wide: a large hole spans several cells,
    // the many small ones one or a few.
    std::vector<int64_t> sizes;
    sizes.reserve(c_.size());
    for (const TCandidate& k : c_) sizes.push_back(int64_t(k.X1) - k.X0);
    std::nth_element(sizes.begin(), sizes.begin() + long(sizes.size() / 2), sizes.end());
    cell_ = std::max<int64_t>(4 * sizes[sizes.size() / 2], 1000);
    for (size_t i = 0; i < c_.size(); ++i) {
      const TCandidate& k = c_[i];
      const int64_t cx0 = Cell(k.X0), cx1 = Cell(k.X1), cy0 = Cell(k.Y0), cy1 = Cell(k.Y1);
      if ((cx1 - cx0 + 1) * (cy1 - cy0 + 1) > 4096) {
        huge_.push_back(i);  // damaged sizes: compared with everything
        continue;
      }
      for (int64_t x = cx0; x <= cx1; ++x)
        for (int64_t y = cy0; y <= cy1; ++y) grid_[Key(x, y)].push_back(i);
    }
  }

  void Run() {
    std::vector<size_t> later;
    for (size_t i = 0; i < c_.size(); ++i) {
      if (c_[i].Dropped) continue;
      later.clear();
      Neighbours(i, later);
      for (size_t j : later) {
        if (c_[j].Dropped) continue;
        if (!Meet(c_[i], c_[j])) continue;
        if (Compare(i, j)) break;  // i was dropped
      }
    }
  }

 private:
  int64_t Cell(int32_t v) const { return v >= 0 ? v / cell_ : -((-int64_t(v) + cell_ - 1) / cell_); }
  static uint64_t Key(int64_t x, int64_t y) { return (uint64_t(x) << 32) ^ uint64_t(uint32_t(y)); }

  // The later candidates that may meet candidate i, ascending.
  void Neighbours(size_t i, std::vector<size_t>& out) const {
    const TCandidate& k = c_[i];
    const int64_t cx0 = Cell(k.X0), cx1 = Cell(k.X1), cy0 = Cell(k.Y0), cy1 = Cell(k.Y1);
    if ((cx1 - cx0 + 1) * (cy1 - cy0 + 1) > 4096) {
      for (size_t j = i + 1; j < c_.size(); ++j) out.push_back(j);
      return;
    }
    for (int64_t x = cx0; x <= cx1; ++x)
      for (int64_t y = cy0; y <= cy1; ++y)
        if (auto it = grid_.find(Key(x, y)); it != grid_.end())
          for (size_t j : it->second)
            if (j > i) out.push_back(j);
    for (size_t j : huge_)
      if (j > i) out.push_back(j);
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
  }

  static bool Meet(const TCandidate& a, const TCandidate& b) {
    return a.X0 <= b.X1 && b.X0 <= a.X1 && a.Y0 <= b.Y1 && b.Y0 <= a.Y1;
  }

  const TPolygon& Copper(TCandidate& k) {
    if (!k.Copper) k.Copper = CopperPolygon(*k.Pad, 1, ctx_);
    return *k.Copper;
  }

  // Drops one of two meeting holes when they coincide; true when i went.
  bool Compare(size_t i, size_t j) {
    TCandidate& a = c_[i];
    TCandidate& b = c_[j];
    if (AllVerticesInside(Copper(a), Copper(b))) {
      a.Dropped = true;
      return true;
    }
    if (AllVerticesInside(Copper(b), Copper(a))) {
      b.Dropped = true;
      return false;
    }
    const double ra = a.Pad->SizeB, rb = b.Pad->SizeB;
    const bool iLarger = ra > rb;
    TCandidate& large = iLarger ? a : b;
    TCandidate& small = iLarger ? b : a;
    const double d = std::hypot(double(a.Pad->Pos.X) - b.Pad->Pos.X, double(a.Pad->Pos.Y) - b.Pad->Pos.Y);
    // The smaller hole sticks out of the larger one by less than 0.05 mm.
    if (d + small.Pad->SizeB - large.Pad->SizeB < 500) {
      small.Dropped = true;
      return &small == &a;
    }
    return false;
  }

  std::vector<TCandidate>& c_;
  TSpokeContext ctx_;
  int64_t cell_ = 1000;
  std::unordered_map<uint64_t, std::vector<size_t>> grid_;
  std::vector<size_t> huge_;
};

// Nearest-neighbour order from `start`; of equally near holes the one
// earlier in the list goes first. A grid of the holes lets each step look
// only at the cells around the current point.
std::vector<const TObjekt*> TravelOrder(const std::vector<const TObjekt*>& holes, TDPoint start) {
  const size_t n = holes.size();
  std::vector<const TObjekt*> out;
  out.reserve(n);
  if (n == 0) return out;
  double minX = 1e300, minY = 1e300, maxX = -1e300, maxY = -1e300;
  for (const TObjekt* h : holes) {
    minX = std::min<double>(minX, h->Pos.X);
    maxX = std::max<double>(maxX, h->Pos.X);
    minY = std::min<double>(minY, h->Pos.Y);
    maxY = std::max<double>(maxY, h->Pos.Y);
  }
  // About two holes a cell.
  const int side = std::max(1, int(std::sqrt(double(n) / 2)));
  const double cw = std::max((maxX - minX) / side, 1.0), ch = std::max((maxY - minY) / side, 1.0);
  const auto col = [&](double x) { return std::clamp(int((x - minX) / cw), 0, side - 1); };
  const auto row = [&](double y) { return std::clamp(int((y - minY) / ch), 0, side - 1); };
  std::vector<std::vector<size_t>> cells(size_t(side) * side);
  for (size_t i = 0; i < n; ++i) cells[size_t(row(holes[i]->Pos.Y)) * side + col(holes[i]->Pos.X)].push_back(i);
  std::vector<char> done(n, 0);

  TDPoint at = start;
  for (size_t placed = 0; placed < n; ++placed) {
    // Rings of cells around the current point's cell (clamped into the
    // grid), widened until no closer hole can lie beyond the ring.
    const int cx = col(at.X), cy = row(at.Y);
    // How far the point lies outside the grid, so that the ring bound
    // stays valid for points beyond its edges.
    const double outX = std::max({minX - at.X, at.X - maxX, 0.0}), outY = std::max({minY - at.Y, at.Y - maxY, 0.0});
    double best = 1e300;
    size_t bestIndex = n;
    for (int ring = 0; ring <= side; ++ring) {
      const auto visit = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= side || y >= side) return;
        for (size_t i : cells[size_t(y) * side + x]) {
          if (done[i]) continue;
          const double dx = holes[i]->Pos.X - at.X, dy = holes[i]->Pos.Y - at.Y;
          const double d = dx * dx + dy * dy;
          if (d < best || (d == best && i < bestIndex)) {
            best = d;
            bestIndex = i;
          }
        }
      };
      if (ring == 0) {
        visit(cx, cy);
      } else {
        for (int x = cx - ring; x <= cx + ring; ++x) {
          visit(x, cy - ring);
          visit(x, cy + ring);
        }
        for (int y = cy - ring + 1; y <= cy + ring - 1; ++y) {
          visit(cx - ring, y);
          visit(cx + ring, y);
        }
      }
      if (bestIndex < n) {
        // Every hole outside the cells seen so far is at least this far.
        const double reach = std::min(std::max(ring * cw - outX, 0.0), std::max(ring * ch - outY, 0.0));
        if (reach * reach > best) break;
      }
    }
    done[bestIndex] = 1;
    out.push_back(holes[bestIndex]);
    at = {holes[bestIndex]->Pos.X, holes[bestIndex]->Pos.Y};
  }
  return out;
}

}  // namespace

TDrillList BuildDrillList(const TBoard& board, bool simple, bool plated, bool singleTool, bool round01,
                          bool selectedOnly) {
  const double step = round01 ? 1000 : 1;
  std::vector<TCandidate> candidates;
  for (const auto& e : board.Elements) {
    if (e->Kind != kKindThtPad || !Drillable(*e)) continue;
    const int32_t d = RoundInt(step * RoundInt(2.0 * e->SizeB / step));
    if (d <= 0) continue;
    if (selectedOnly && !e->Selected) continue;
    if (e->Via ? !plated : !simple) continue;
    const double x = e->Pos.X, y = e->Pos.Y, r = e->SizeB;
    TCandidate c;
    c.Pad = e.get();
    c.Diameter = d;
    c.X0 = RoundInt(x - r);
    c.Y0 = RoundInt(y - r);
    c.X1 = RoundInt(x + r);
    c.Y1 = RoundInt(y + r);
    candidates.push_back(std::move(c));
  }
  TCoincidence(candidates, SpokeContextFor(board.Platine)).Run();

  std::map<int32_t, std::vector<const TObjekt*>> byDiameter;
  for (const TCandidate& c : candidates)
    if (!c.Dropped) byDiameter[singleTool ? 0 : c.Diameter].push_back(c.Pad);
  TDrillList list;
  const TDPoint corner{0, -double(board.Platine.Height)};
  for (auto& [d, holes] : byDiameter) list.push_back({d, TravelOrder(holes, corner)});
  return list;
}

int CountSilkscreenDrillings(const TObjektList& list) {
  int n = 0;
  for (const auto& e : list)
    if (e->Kind == kKindThtPad && e->SizeB > 0 && (e->Layer == kLayerS1 || e->Layer == kLayerS2)) ++n;
  return n;
}

std::string DrillListText(const TDrillList& list, TDisplayUnit unit, TLanguage language) {
  // Pads on the left to a width in characters (UTF-8 continuation bytes do
  // not count).
  const auto pad = [](const std::string& s, size_t width) {
    size_t chars = 0;
    for (unsigned char ch : s) chars += (ch & 0xC0) != 0x80;
    return chars >= width ? s : std::string(width - chars, ' ') + s;
  };
  std::string out;
  size_t total = 0;
  for (const TDrillTool& t : list) {
    char buf[64];
    if (unit == TDisplayUnit::Mil) std::snprintf(buf, sizeof buf, "%d mil", RoundInt(t.Diameter / 254.0));
    else std::snprintf(buf, sizeof buf, "%.2f %s", t.Diameter / 10000.0, MillimetreSign(language));
    out += pad(std::to_string(t.Holes.size()), 4) + " x " + pad(buf, 8) + "\n";
    total += t.Holes.size();
  }
  out += std::string(16, '-') + "\n";
  const char* word = language == TLanguage::Russian  ? " отверстий"
                     : language == TLanguage::French ? " percages"
                                                     : " drilings";
  out += pad(std::to_string(total), 4) + word + "\n";
  return out;
}

}  // namespace bs
