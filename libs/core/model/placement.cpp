#include "model/placement.h"

#include <algorithm>
#include <cmath>
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
  if (r == 0) {
    if (const auto b = UnitedOutlineBounds(kept, noPlanes))
      left = b->Left, top = b->Top, right = b->Right, bottom = b->Bottom;
  } else {
    bool any = false;
    for (const TObjekt* e : kept) {
      auto turned = ScratchCopy(*e);
      RotateObjekt(*turned, {0, 0}, -r);
      const std::optional<TURect> b = OutlineBounds(*turned, noPlanes);
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

}  // namespace bs
