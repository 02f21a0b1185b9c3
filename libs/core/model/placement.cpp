#include "model/placement.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

#include "model/geometry.h"
#include "model/layers.h"

namespace bs {

namespace {
bool CentreLayer(int layer, uint8_t centre) {
  switch (centre) {
    case 0: return IsCopperLayer(layer);
    case 1: return layer == kLayerS1 || layer == kLayerS2;
    default: return layer != kLayerO;
  }
}
// The element's bounding rectangle for the placement point. A round pad's
// outline polygon falls short of the circle by a little, and not by the same
// amount on every side; the circle's own bounds keep the point on the pads'
// true centre, where a placement machine expects it.
std::optional<TURect> PlacementBounds(const TObjekt& e, const TPlatine& board) {
  if (e.Kind == kKindThtPad && e.Shape == kShapeRound && e.SizeA > 0) {
    const double r = e.SizeA;
    return TURect{int32_t(std::lround(e.Pos.X - r)), int32_t(std::lround(e.Pos.Y - r)),
                  int32_t(std::lround(e.Pos.X + r)), int32_t(std::lround(e.Pos.Y + r))};
  }
  return OutlineBounds(e, board);
}
}  // namespace

std::optional<TDPoint> PlacementPoint(const TObjektList& list, int32_t componentNo, const TPlatine& board) {
  if (componentNo <= 0) return std::nullopt;
  std::vector<const TObjekt*> component;
  for (const auto& e : list)
    if (e->ComponentNo == componentNo) component.push_back(e.get());
  return PlacementPoint(component, board);
}

std::optional<TDPoint> PlacementPoint(const std::vector<const TObjekt*>& component, const TPlatine& board) {
  const TObjekt* id = nullptr;
  std::vector<const TObjekt*> all, kept;
  for (const TObjekt* e : component) {
    if (IsIdLabel(*e) && !id) id = e;
    if (e->Kind == kKindText) continue;
    all.push_back(e);
  }
  if (!id) return std::nullopt;
  const TPlaceData place = id->Place ? *id->Place : TPlaceData{};
  for (const TObjekt* e : all)
    if (CentreLayer(e->Layer, place.PlaceCentre)) kept.push_back(e);
  if (kept.empty()) kept = all;

  // The rectangles leave thermal spokes out.
  TPlatine noPlanes = board;
  for (auto& on : noPlanes.GroundPlane) on = 0;
  const int r = int(std::lround(place.PlaceRotation)) % 90;
  double left = 0, top = 0, right = 0, bottom = 0;
  {
    bool any = false;
    for (const TObjekt* e : kept) {
      std::unique_ptr<TObjekt> turned;
      if (r != 0) {
        turned = ScratchCopy(*e);
        RotateObjekt(*turned, {0, 0}, -r);
      }
      const std::optional<TURect> b = PlacementBounds(turned ? *turned : *e, noPlanes);
      if (!b) continue;
      if (!any) left = b->Left, top = b->Top, right = b->Right, bottom = b->Bottom;
      left = std::min<double>(left, b->Left), right = std::max<double>(right, b->Right);
      top = std::min<double>(top, b->Top), bottom = std::max<double>(bottom, b->Bottom);
      any = true;
    }
  }
  // The centre: x = left + width / 2, y = upper edge - height / 2 (y up).
  TDPoint c{left + (right - left) / 2, bottom - (bottom - top) / 2};
  if (r != 0) c = RotatePoint(c, {0, 0}, -r);
  c.X += place.PlaceOffsetX;
  c.Y -= place.PlaceOffsetY;
  return c;
}

bool ComponentOnTop(const std::vector<const TObjekt*>& members) {
  bool s1 = false, s2 = false, c1 = false, c2 = false, smd = false;
  for (const TObjekt* e : members) {
    s1 |= e->Layer == kLayerS1;
    s2 |= e->Layer == kLayerS2;
    c1 |= e->Layer == kLayerC1;
    c2 |= e->Layer == kLayerC2;
    smd |= e->Kind == kKindSmdPad && (e->Layer == kLayerC1 || e->Layer == kLayerC2);
  }
  if (s1 != s2) return s1;
  if (c1 != c2) return smd ? c1 : c2;
  return false;
}

bool ComponentIsSmd(const std::vector<const TObjekt*>& members) {
  size_t smd = 0, tht = 0;
  for (const TObjekt* e : members) {
    if (e->Layer != kLayerC1 && e->Layer != kLayerC2) continue;
    if (e->Kind == kKindSmdPad) ++smd;
    else if (e->Kind == kKindThtPad) ++tht;
  }
  return smd >= tht;
}

bool ReadsUpsideDown(const TObjekt& label) {
  int64_t a = int64_t{label.Rotation} % 360;
  if (a < 0) a += 360;
  const bool sameMirrors = (label.MirrorH != 0) == (label.MirrorV != 0);
  return sameMirrors ? (a >= 46 && a <= 224) : (a >= 135 && a <= 314);
}

double Normalised360(double a) {
  if (!std::isfinite(a)) return a;
  a = std::fmod(a, 360.0);
  if (a < 0) a += 360;
  // + 0.0 turns a negative zero into zero.
  return a >= 360 ? a - 360 : a + 0.0;
}

void TurnPlacements(const TObjektList& list, double a) {
  struct TComp {
    std::vector<const TObjekt*> Members;
    TObjekt* Id = nullptr;
    size_t Parts = 0, Turned = 0;
  };
  std::map<int16_t, TComp> comps;
  for (const auto& e : list) {
    if (e->ComponentNo == 0) continue;
    TComp& c = comps[e->ComponentNo];
    c.Members.push_back(e.get());
    if (IsIdLabel(*e) && !c.Id) c.Id = e.get();
    if (IsComponentLabel(*e)) continue;
    ++c.Parts;
    if (e->Selected) ++c.Turned;
  }
  for (auto& [no, c] : comps) {
    if (!c.Id || c.Parts == 0 || c.Turned != c.Parts) continue;
    TPlaceData& pd = EnsurePlace(*c.Id);
    // The offset's y counts downwards.
    const TDPoint v = RotatePoint(TDPoint{pd.PlaceOffsetX, -double(pd.PlaceOffsetY)}, {0, 0}, -a);
    pd.PlaceOffsetX = static_cast<float>(v.X);
    pd.PlaceOffsetY = static_cast<float>(-v.Y);
    pd.PlaceRotation = Normalised360(pd.PlaceRotation + (ComponentOnTop(c.Members) ? -a : a));
  }
}

}  // namespace bs
