#include "model/objekt_list.h"

#include <algorithm>
#include <climits>
#include <unordered_map>
#include <unordered_set>

namespace bs {

void RemapReferences(const TObjektList& src, TObjektList& dst, size_t firstIndex) {
  // Destination index of each copied source element.
  std::unordered_map<const TObjekt*, size_t> target;
  target.reserve(src.size());
  size_t copied = 0;
  for (const auto& s : src) {
    if (s->Copied) target.emplace(s.get(), firstIndex + copied++);
  }
  auto redirect = [&](TObjekt* ref) -> TObjekt* {
    if (!ref) return nullptr;
    auto it = target.find(ref);
    if (it == target.end() || it->second >= dst.size()) return nullptr;
    return dst[it->second].get();
  };
  const size_t end = std::min(dst.size(), firstIndex + copied);
  for (size_t i = firstIndex; i < end; ++i) {
    TObjekt& c = *dst[i];
    if (!c.Connections.empty()) {
      TRefList kept;
      kept.reserve(c.Connections.size());
      for (TObjekt* ref : c.Connections)
        if (TObjekt* r = redirect(ref)) kept.push_back(r);
      c.Connections = std::move(kept);
    }
    c.RouteStart = redirect(c.RouteStart);
    c.RouteEnd = redirect(c.RouteEnd);
  }
  for (const auto& s : src) s->Copied = 0;
}

TObjektList CopyList(const TObjektList& src) {
  TObjektList dst;
  dst.reserve(src.size());
  for (const auto& s : src) dst.push_back(CloneObjekt(*s));
  RemapReferences(src, dst, 0);
  return dst;
}

size_t DeleteObjekte(TObjektList& list, const std::function<bool(const TObjekt&)>& doomed) {
  std::vector<char> dies(list.size(), 0);
  std::unordered_set<const TObjekt*> deadRefs;  // doomed elements others may point at
  size_t count = 0;
  for (size_t i = 0; i < list.size(); ++i) {
    if (doomed(*list[i])) {
      dies[i] = 1;
      ++count;
      if (IsPad(*list[i])) deadRefs.insert(list[i].get());
    }
  }
  if (count == 0) return 0;
  if (!deadRefs.empty()) {
    auto dead = [&](const TObjekt* p) { return p && deadRefs.count(p) != 0; };
    for (size_t i = 0; i < list.size(); ++i) {
      if (dies[i]) continue;
      TObjekt& e = *list[i];
      if (!e.Connections.empty()) std::erase_if(e.Connections, [&](TObjekt* p) { return dead(p); });
      if (dead(e.RouteStart)) e.RouteStart = nullptr;
      if (dead(e.RouteEnd)) e.RouteEnd = nullptr;
    }
  }
  size_t w = 0;
  for (size_t i = 0; i < list.size(); ++i) {
    if (!dies[i]) list[w++] = std::move(list[i]);
  }
  list.resize(w);
  return count;
}

bool Holds(const TObjektList& list, const TObjekt* e) {
  return e && std::any_of(list.begin(), list.end(), [e](const auto& p) { return p.get() == e; });
}

bool DeleteObjekt(TObjektList& list, const TObjekt* e) {
  for (size_t i = 0; i < list.size(); ++i)
    if (list[i].get() == e) {
      DeleteObjektAt(list, i);
      return true;
    }
  return false;
}

void DeleteObjektAt(TObjektList& list, size_t index) {
  if (index >= list.size()) return;
  const TObjekt* victim = list[index].get();
  DeleteObjekte(list, [victim](const TObjekt& e) { return &e == victim; });
}

std::vector<TObjekt*> Partners(const TObjektList& list, TObjekt& e) {
  std::vector<TObjekt*> out{&e};
  const int comp = e.ComponentNo;
  const int32_t group = InnermostGroup(e);
  if (comp == 0 && group <= 0) return out;
  for (const auto& o : list) {
    if (o.get() == &e) continue;
    if ((comp != 0 && o->ComponentNo == comp) || (group > 0 && InnermostGroup(*o) == group)) out.push_back(o.get());
  }
  return out;
}

std::vector<TObjekt*> ComponentMembers(const TObjektList& list, int n) {
  std::vector<TObjekt*> out;
  for (const auto& o : list)
    if (o->ComponentNo == n) out.push_back(o.get());
  return out;
}

int32_t NextFreeComponentNo(const TObjektList& list) {
  int32_t largest = 0;
  for (const auto& o : list) largest = std::max<int32_t>(largest, o->ComponentNo);
  return std::max(largest + 1, 2);  // ComponentNo is 16 bits: no overflow here
}

int32_t NextFreeGroupNo(const TObjektList& list) {
  int32_t largest = 0;
  for (const auto& o : list)
    for (int32_t g : o->Groups) largest = std::max(largest, g);
  if (largest == INT32_MAX) return INT32_MAX;  // only damaged files get here; renumbering mends it
  return std::max(largest + 1, 2);
}

bool CleanUpList(TObjektList& list) {
  auto undrawable = [](const TObjekt& e) {
    if ((e.Kind == kKindTrack || e.Kind == kKindZone) && e.Points.size() < 2) return true;
    if (e.Layer == 0 || e.Kind == kKindInvalid) return true;
    if (e.Kind == kKindText && e.SubElements.empty()) return true;
    return false;
  };
  const bool removed = DeleteObjekte(list, undrawable) > 0;
  for (const auto& p : list) {
    TObjekt& e = *p;
    if (e.Kind == kKindThtPad && (e.Layer == kLayerS1 || e.Layer == kLayerS2)) e.Via = 0;
    if (e.Kind == kKindCircle && e.SizeB > e.SizeA) {
      const float m = e.SizeA - (e.SizeA - e.SizeB) / 2;
      e.SizeA = m + 1;
      e.SizeB = m - 1;
    }
  }
  return removed;
}

namespace {
// Maps each used positive number to its rank (1-based) among the used ones.
class TRanks {
 public:
  void Add(int32_t v) {
    if (v > 0) used_.push_back(v);
  }
  void Finish() {
    std::sort(used_.begin(), used_.end());
    used_.erase(std::unique(used_.begin(), used_.end()), used_.end());
  }
  int32_t Rank(int32_t v) const {
    if (v <= 0) return v;
    return static_cast<int32_t>(std::lower_bound(used_.begin(), used_.end(), v) - used_.begin()) + 1;
  }

 private:
  std::vector<int32_t> used_;
};
}  // namespace

void RenumberGroupsAndComponents(TObjektList& list) {
  TRanks groups, comps;
  for (const auto& o : list) {
    for (int32_t g : o->Groups) groups.Add(g);
    comps.Add(o->ComponentNo);
  }
  groups.Finish();
  comps.Finish();
  for (const auto& o : list) {
    for (int32_t& g : o->Groups) g = groups.Rank(g);
    o->ComponentNo = static_cast<int16_t>(comps.Rank(o->ComponentNo));
  }
}

void ResetSolderMask(TObjektList& list) {
  for (const auto& o : list) o->SolderMask = (IsPad(*o) && IsCopperLayer(o->Layer)) ? 1 : 0;
}

namespace {
void SetSelected(TObjekt& e, uint8_t value) {
  e.Selected = value;
  if (e.Kind == kKindText)
    for (const auto& s : e.SubElements) s->Selected = value;
}

void SetSelectionWithPartners(const TObjektList& list, TObjekt& e, bool alone, uint8_t value) {
  if (IsComponentLabel(e)) {
    if (e.LabelVisible) SetSelected(e, value);
    return;
  }
  if (alone) {
    SetSelected(e, value);
    return;
  }
  for (TObjekt* p : Partners(list, e)) SetSelected(*p, value);
}
}  // namespace

void SelectWithPartners(const TObjektList& list, TObjekt& e, bool alone) {
  SetSelectionWithPartners(list, e, alone, 1);
}

void DeselectWithPartners(const TObjektList& list, TObjekt& e, bool alone) {
  SetSelectionWithPartners(list, e, alone, 0);
}

}  // namespace bs
