// Element search (the selector panel): the elements of one kind grouped by
// one characteristic value — drill, ring, size, shape, line width, text
// height, stroke thickness or text content — in the order the panel's tree
// shows them, with the group labels, and the settings the panel keeps.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "io/ini_file.h"
#include "model/objekt.h"
#include "model/types.h"

namespace bs {

enum TSearchKind { kSearchPads = 0, kSearchVias, kSearchSmd, kSearchTracks, kSearchTexts, kSearchKindCount };
enum TSearchLayers { kSearchCopper = 0, kSearchSilk, kSearchAllLayers };

struct TSearchOptions {
  int Kind = kSearchPads;
  int Sort = 0;  // an entry of SearchSortCount(Kind)
  int Layers = kSearchCopper;
  bool Mil = false;  // the base unit: groups are 10 units wide instead of 100
};

// How many sort entries a kind has: pads and vias 4 (drill, ring, size,
// shape), SMD pads 1, tracks 1, texts 3 (height, stroke thickness, content).
int SearchSortCount(int kind);

// Whether the element takes part: its kind, its layer, and a component
// label only while it is shown.
bool SearchTakesPart(const TObjekt& e, const TSearchOptions& o);

// The element's key: x (and y for SMD sizes), quantised; for the content
// sorting the text. False when it has none (a text without strokes sorted by
// thickness).
struct TSearchKey {
  int64_t X = 0, Y = 0;
  TByteString Text;
  friend bool operator==(const TSearchKey&, const TSearchKey&) = default;
};
bool SearchKeyOf(const TObjekt& e, const TSearchOptions& o, TSearchKey& key);

// The pad's shape as it looks: an elongated shape turned by about 90
// degrees counts as its twin of the other direction.
int ApparentShape(const TObjekt& pad);

struct TSearchGroup {
  TSearchKey Key;
  std::string Label;             // UTF-8, with "   x " and the count
  std::vector<size_t> Elements;  // indices into the list, in list order
};
// The tree: one group per key in the panel's order (content: case-blind
// alphabetical, texts that differ only in case together; numbers: by x, keys
// with equal x in the reverse order of their first appearance).
std::vector<TSearchGroup> SearchGroups(const TObjektList& list, const TSearchOptions& o,
                                       TLanguage language = TLanguage::English);

// The automatic zoom's fill percentage for a slider position 1 ... 10.
int SearchZoomPercent(int slider);

// Section "Selector": TYP, SORT, LAYER, ZOOM, each checked when read (out
// of range: the default).
struct TSelectorSettings {
  TSearchOptions Options;
  int Zoom = 5;
};
TSelectorSettings ReadSelectorSettings(const TIniFile& ini);
void WriteSelectorSettings(TIniFile& ini, const TSelectorSettings& s);

}  // namespace bs
