#include "components/search.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <unordered_map>

#include "model/codepage.h"
#include "model/geometry.h"

namespace bs {

namespace {

constexpr const char* kSection = "Selector";

const char* const kShapeNames[] = {"Round",
                                   "Octagon",
                                   "Square",
                                   "Rounded-horizontal",
                                   "Octagon-horizontal",
                                   "Rectangle-horizontal",
                                   "Rounded-vertical",
                                   "Octagon-vertical",
                                   "Rectangle-vertical"};

bool LayerPasses(int layer, int choice) {
  switch (choice) {
    case kSearchCopper: return layer == kLayerC1 || layer == kLayerC2 || layer == kLayerI1 || layer == kLayerI2;
    case kSearchSilk: return layer == kLayerS1 || layer == kLayerS2 || layer == kLayerO;
    default: return true;
  }
}

int64_t Round(double v) { return std::isfinite(v) ? static_cast<int64_t>(std::llround(v)) : 0; }

int64_t Quantise(int64_t v, bool mil) {
  const double step = mil ? 10 : 100;
  return static_cast<int64_t>(std::llround(double(v) / step) * step);
}

std::string Length(int64_t units, bool mil, TLanguage language) {
  char buf[64];
  if (mil) std::snprintf(buf, sizeof buf, "%.1f mil", double(units) / 254.0);
  else std::snprintf(buf, sizeof buf, "%.2f %s", double(units) / 10000.0, MillimetreSign(language));
  return buf;
}

struct TKeyHash {
  size_t operator()(const TSearchKey& k) const {
    return std::hash<int64_t>()(k.X * 1000003 + k.Y) ^ std::hash<std::string>()(k.Text);
  }
};

}  // namespace

int SearchSortCount(int kind) {
  switch (kind) {
    case kSearchPads:
    case kSearchVias: return 4;
    case kSearchTexts: return 3;
    case kSearchSmd:
    case kSearchTracks: return 1;
    default: return 0;
  }
}

bool SearchTakesPart(const TObjekt& e, const TSearchOptions& o) {
  bool kind = false;
  switch (o.Kind) {
    case kSearchPads: kind = e.Kind == kKindThtPad; break;
    case kSearchVias: kind = e.Kind == kKindThtPad && e.Via && IsCopperLayer(e.Layer); break;
    case kSearchSmd: kind = e.Kind == kKindSmdPad; break;
    case kSearchTracks: kind = e.Kind == kKindTrack || e.Kind == kKindCircle; break;
    case kSearchTexts: kind = e.Kind == kKindText; break;
    default: break;
  }
  if (!kind || !LayerPasses(e.Layer, o.Layers)) return false;
  return !IsComponentLabel(e) || e.LabelVisible;
}

int ApparentShape(const TObjekt& pad) {
  const int shape = pad.Shape;
  int a = int(Round(PadRotation(pad))) % 360;
  if (a < 0) a += 360;
  const bool turned = (a >= 45 && a <= 135) || (a >= 225 && a <= 315);
  if (!turned) return shape;
  if (shape >= kShapeRoundedH && shape <= kShapeRectH) return shape + 3;
  if (shape >= kShapeRoundedV && shape <= kShapeRectV) return shape - 3;
  return shape;
}

bool SearchKeyOf(const TObjekt& e, const TSearchOptions& o, TSearchKey& key) {
  key = {};
  bool numeric = true;
  switch (o.Kind) {
    case kSearchPads:
    case kSearchVias:
      switch (o.Sort) {
        case 0: key.X = Round(2.0 * e.SizeB); break;
        case 1: key.X = Round(double(e.SizeA) - e.SizeB); break;
        case 2: key.X = Round(2.0 * e.SizeA); break;
        default:
          key.X = ApparentShape(e);
          numeric = false;
          break;
      }
      break;
    case kSearchSmd:
      key.X = Round(std::min(e.SizeA, e.SizeB));
      key.Y = Round(std::max(e.SizeA, e.SizeB));
      break;
    case kSearchTracks: key.X = e.Kind == kKindCircle ? Round(double(e.SizeA) - e.SizeB) : Round(e.Width); break;
    case kSearchTexts:
      if (o.Sort == 0) {
        key.X = Round(e.SizeA);
      } else if (o.Sort == 1) {
        if (e.SubElements.empty()) return false;
        key.X = e.SubElements.front()->Width;
      } else {
        key.Text = e.Text;
        numeric = false;
      }
      break;
    default: return false;
  }
  if (numeric) {
    key.X = Quantise(key.X, o.Mil);
    key.Y = Quantise(key.Y, o.Mil);
  }
  return true;
}

std::vector<TSearchGroup> SearchGroups(const TObjektList& list, const TSearchOptions& o, TLanguage language) {
  std::vector<TSearchGroup> groups;
  const bool content = o.Kind == kSearchTexts && o.Sort == 2;
  if (content) {
    // Texts that differ only in case form one group, so none of them is lost.
    std::map<std::string, size_t, bool (*)(const std::string&, const std::string&)> index(
        [](const std::string& a, const std::string& b) { return CompareFoldedCp1251(a, b) < 0; });
    for (size_t i = 0; i < list.size(); ++i) {
      const TObjekt& e = *list[i];
      if (!SearchTakesPart(e, o)) continue;
      auto [it, added] = index.try_emplace(e.Text, 0);
      if (added) {
        it->second = groups.size();
        groups.emplace_back();
        groups.back().Key.Text = e.Text;
      }
      groups[it->second].Elements.push_back(i);
    }
    std::vector<TSearchGroup> sorted;
    sorted.reserve(groups.size());
    for (const auto& [text, at] : index) sorted.push_back(std::move(groups[at]));
    groups = std::move(sorted);
    for (TSearchGroup& g : groups)
      g.Label = "\"" + Cp1251ToUtf8(g.Key.Text) + "\"   x " + std::to_string(g.Elements.size());
    return groups;
  }

  std::unordered_map<TSearchKey, size_t, TKeyHash> index;
  TSearchKey key;
  for (size_t i = 0; i < list.size(); ++i) {
    const TObjekt& e = *list[i];
    if (!SearchTakesPart(e, o) || !SearchKeyOf(e, o, key)) continue;
    auto [it, added] = index.try_emplace(key, groups.size());
    if (added) {
      groups.emplace_back();
      groups.back().Key = key;
    }
    groups[it->second].Elements.push_back(i);
  }
  // By x; keys of equal x in the reverse order of their first appearance.
  std::vector<size_t> order(groups.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(), [&groups](size_t a, size_t b) {
    if (groups[a].Key.X != groups[b].Key.X) return groups[a].Key.X < groups[b].Key.X;
    return a > b;
  });
  std::vector<TSearchGroup> sorted;
  sorted.reserve(groups.size());
  for (size_t i : order) sorted.push_back(std::move(groups[i]));
  for (TSearchGroup& g : sorted) {
    std::string label;
    const bool shape = (o.Kind == kSearchPads || o.Kind == kSearchVias) && o.Sort == 3;
    if (shape) {
      label = g.Key.X >= 1 && g.Key.X <= 9 ? kShapeNames[g.Key.X - 1] : "Shape " + std::to_string(g.Key.X);
    } else if (o.Kind == kSearchSmd) {
      const std::string x = Length(g.Key.X, o.Mil, language);
      label = x.substr(0, x.find(' ')) + " x " + Length(g.Key.Y, o.Mil, language);
    } else {
      label = Length(g.Key.X, o.Mil, language);
    }
    g.Label = label + "   x " + std::to_string(g.Elements.size());
  }
  return sorted;
}

int SearchZoomPercent(int slider) {
  const int s = std::clamp(slider, 1, 10);
  return 92 - int(std::lround(90 * std::log10(11.0 - s)));
}

TSelectorSettings ReadSelectorSettings(const TIniFile& ini) {
  TSelectorSettings s;
  const int kind = ini.ReadInt(kSection, "TYP", 0);
  if (kind >= 0 && kind < kSearchKindCount) s.Options.Kind = kind;
  const int sort = ini.ReadInt(kSection, "SORT", 0);
  if (sort >= 0 && sort < SearchSortCount(s.Options.Kind)) s.Options.Sort = sort;
  const int layers = ini.ReadInt(kSection, "LAYER", 0);
  if (layers >= kSearchCopper && layers <= kSearchAllLayers) s.Options.Layers = layers;
  const int zoom = ini.ReadInt(kSection, "ZOOM", 5);
  if (zoom >= 1 && zoom <= 10) s.Zoom = zoom;
  return s;
}

void WriteSelectorSettings(TIniFile& ini, const TSelectorSettings& s) {
  ini.WriteInt(kSection, "TYP", s.Options.Kind);
  ini.WriteInt(kSection, "SORT", s.Options.Sort);
  ini.WriteInt(kSection, "LAYER", s.Options.Layers);
  ini.WriteInt(kSection, "ZOOM", s.Zoom);
}

}  // namespace bs
