#include "edit/units.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

#include "model/geometry.h"

namespace bs {

namespace {

// Groups come before components: a grouped component element moves with its
// group, which holds the whole component once the component was grouped.
enum TUnitType { kByGroup = 0, kByComponent = 1 };

std::vector<TUnit> Units(const TObjektList& list, bool selectedOnly) {
  std::vector<TUnit> units;
  std::vector<char> hasSelected;
  std::map<std::pair<int, int32_t>, size_t> byKey;
  for (const auto& p : list) {
    TObjekt& e = *p;
    size_t at = units.size();
    const int32_t group = InnermostGroup(e);
    if (group > 0 || e.ComponentNo != 0) {
      const auto key =
          group > 0 ? std::make_pair(int(kByGroup), group) : std::make_pair(int(kByComponent), int32_t{e.ComponentNo});
      at = byKey.try_emplace(key, units.size()).first->second;
    }
    if (at == units.size()) {
      units.emplace_back();
      hasSelected.push_back(0);
    }
    units[at].push_back(&e);
    if (e.Selected) hasSelected[at] = 1;
  }
  if (!selectedOnly) return units;
  std::vector<TUnit> out;
  for (size_t i = 0; i < units.size(); ++i)
    if (hasSelected[i]) out.push_back(std::move(units[i]));
  return out;
}

}  // namespace

std::vector<TUnit> SelectedUnits(const TObjektList& list) { return Units(list, true); }
std::vector<TUnit> AllUnits(const TObjektList& list) { return Units(list, false); }
size_t SelectedUnitCount(const TObjektList& list) { return SelectedUnits(list).size(); }

std::optional<TURect> UnitBounds(const TUnit& unit, const TPlatine& board) {
  std::optional<TURect> acc;
  for (const TObjekt* e : unit) {
    const auto b = OutlineBounds(*e, board);
    if (!b) continue;
    if (!acc) {
      acc = b;
      continue;
    }
    acc->Left = std::min(acc->Left, b->Left);
    acc->Top = std::min(acc->Top, b->Top);
    acc->Right = std::max(acc->Right, b->Right);
    acc->Bottom = std::max(acc->Bottom, b->Bottom);
  }
  return acc;
}

void SetSelected(TObjekt& e, bool selected) {
  e.Selected = selected ? 1 : 0;
  for (const auto& s : e.SubElements) s->Selected = e.Selected;
}

void DeselectAll(const TObjektList& list) {
  for (const auto& e : list) SetSelected(*e, false);
}

bool AnySelected(const TObjektList& list) {
  for (const auto& e : list)
    if (e->Selected) return true;
  return false;
}

void SetObjektLayer(TObjekt& e, uint8_t layer) {
  e.Layer = layer;
  for (const auto& s : e.SubElements) s->Layer = layer;
}

TPlatine WithoutSpokes(const TPlatine& board) {
  TPlatine p = board;
  p.GroundPlane.fill(0);
  return p;
}

std::vector<TFollowVertex> FollowingVertices(const TObjektList& list, int level, bool multilayer,
                                             const std::function<bool(const TObjekt&)>& moving) {
  std::vector<TFollowVertex> out;
  if (level <= 0) return out;
  const double reach = level == 1 ? 5000 : 10000;
  struct TPadAt {
    const TObjekt* Pad;
    TDPoint Centre;
  };
  std::vector<TPadAt> pads;
  for (const auto& e : list)
    if (IsPad(*e) && moving(*e)) pads.push_back({e.get(), Centre(*e)});
  if (pads.empty()) return out;
  for (const auto& t : list) {
    if (t->Kind != kKindTrack || moving(*t) || !IsCopperLayer(t->Layer)) continue;
    for (size_t i = 0; i < t->Points.size(); ++i) {
      const TFPoint v = t->Points[i];
      for (const TPadAt& pad : pads) {
        if (!OccupiesLayer(*pad.Pad, t->Layer, multilayer)) continue;
        if (std::fabs(v.X - pad.Centre.X) <= reach && std::fabs(v.Y - pad.Centre.Y) <= reach) {
          out.push_back({t.get(), i, pad.Pad});
          break;
        }
      }
    }
  }
  return out;
}

}  // namespace bs
