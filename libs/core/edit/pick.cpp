#include "edit/pick.h"

#include "model/layers.h"

namespace bs {

namespace {
bool InRect(const TURect& r, TDPoint p) { return p.X >= r.Left && p.X <= r.Right && p.Y >= r.Top && p.Y <= r.Bottom; }

bool Hit(const TObjekt& e, TDPoint p, const TPlatine& board, bool onScreen) {
  return InRect(BoundingRect(e, board), p) && HitTest(e, p, board, onScreen);
}

// Whether a hit is preferred over another one on the same layer.
bool Preferred(const TObjekt& a, const TObjekt& over) {
  if (IsVia(a) != IsVia(over)) return IsVia(a);
  if (IsPad(a) != IsPad(over)) return IsPad(a);
  return !a.Cutout && over.Cutout;
}
}  // namespace

int PickElement(const TBoard& board, TDPoint p, bool copperOnly, bool onScreen) {
  const TPlatine& b = board.Platine;
  const auto& list = board.Elements;
  const int n = static_cast<int>(list.size());

  // Selected elements first, from the top of the list.
  const TObjekt* only = nullptr;
  int selected = 0;
  for (int i = n - 1; i >= 0; --i) {
    const TObjekt& e = *list[size_t(i)];
    if (!e.Selected) continue;
    ++selected;
    only = &e;
    if (!e.Cutout && Hit(e, p, b, onScreen)) return i;
  }
  if (selected == 1 && (only->Kind == kKindTrack || only->Kind == kKindZone || only->Kind == kKindCircle) &&
      ShownOnScreen(*only, b) && NodeHitTest(*only, p, onScreen ? b.Zoom : 0) >= 0)
    for (int i = 0; i < n; ++i)
      if (list[size_t(i)].get() == only) return i;

  // Then the layers from the top-most painted down.
  const int* order = LayerPaintOrder(b.ActiveLayer);
  const bool multi = b.Multilayer != 0;
  int zone = -1;
  for (int k = 6; k >= 0; --k) {
    const int layer = order[k];
    if (copperOnly && !IsCopperLayer(layer)) continue;
    int found = -1;
    for (int i = n - 1; i >= 0; --i) {
      const TObjekt& e = *list[size_t(i)];
      if (!OccupiesLayer(e, layer, multi) || !ShownOnScreen(e, b) || !Hit(e, p, b, onScreen)) continue;
      if (found < 0 || !Preferred(*list[size_t(found)], e)) found = i;
    }
    if (found < 0) continue;
    if (list[size_t(found)]->Kind != kKindZone) return found;
    if (zone < 0) zone = found;  // an element under the zone still wins
  }
  return zone;
}

}  // namespace bs
