#include "summary.h"

#include <algorithm>
#include <set>
#include <utility>

namespace bs::cli {

const char* KindName(uint8_t kind) {
  switch (kind) {
    case kKindThtPad: return "tht_pad";
    case kKindZone: return "zone";
    case kKindCircle: return "circle";
    case kKindTrack: return "track";
    case kKindText: return "text";
    case kKindSmdPad: return "smd_pad";
    case kKindLegacyLine: return "legacy_line";
    case kKindLegacyText: return "legacy_text";
    default: return "invalid";
  }
}

TListSummary Summarise(const TObjektList& list) {
  TListSummary s;
  std::set<std::pair<const TObjekt*, const TObjekt*>> pairs;
  std::set<int> comps, groups;
  for (const auto& e : list) {
    ++s.total;
    ++s.byKind[KindName(e->Kind)];
    ++s.byLayer[e->Layer];
    for (const TObjekt* c : e->Connections) pairs.insert(std::minmax<const TObjekt*>(e.get(), c));
    if (e->Kind == kKindTrack && e->Routed) ++s.routed;
    if (e->ComponentNo != 0) comps.insert(e->ComponentNo);
    for (int32_t g : e->Groups)
      if (g > 0) groups.insert(g);
  }
  s.connections = pairs.size();
  s.components = comps.size();
  s.groups = groups.size();
  return s;
}

}  // namespace bs::cli
