#include <gtest/gtest.h>

#include <optional>

#include "model/geometry.h"
#include "model/objekt.h"
#include "model/placement.h"
#include "render/painter.h"
#include "render/raster_surface.h"

namespace bs {
namespace {

// A component of two round pads on C1 at (10000, 20000) and (30000, 20000)
// (outer radius 5000), a silkscreen line from (0, 40000) to (40000, 40000)
// (width 2000) and its ID label.
struct TComponent {
  TObjektList list;
  TObjekt* id = nullptr;
  TComponent() {
    for (float x : {10000.0f, 30000.0f}) {
      auto pad = NewObjekt();
      InitThtPad(*pad, {x, 20000}, kLayerC1, kShapeRound, 2000, 5000);
      list.push_back(std::move(pad));
    }
    auto line = NewObjekt();
    InitTrack(*line, 2000, kLayerS1);
    AddPoint(*line, {0, 40000});
    AddPoint(*line, {40000, 40000});
    list.push_back(std::move(line));
    auto label = NewObjekt();
    InitText(*label, {0, 60000}, "R1", false, false, kLayerS1, 0, 1, 10000, 0);
    label->LabelRole = 1;
    id = label.get();
    list.push_back(std::move(label));
    for (auto& e : list) e->ComponentNo = 4;
  }
};

TEST(PlacementPoint, CentreOfTheChosenLayersTurnedAndOffset) {
  struct TCase {
    const char* name;
    uint8_t centre;
    double rotation;
    float offsetX, offsetY;
    TDPoint expected;
  };
  // Copper spans x 5000 ... 35000, y 15000 ... 25000; the silkscreen line
  // x -1000 ... 41000, y 39000 ... 41000.
  const TCase cases[] = {
      {"copper", 0, 0, 0, 0, {20000, 20000}},
      {"silkscreen", 1, 0, 0, 0, {20000, 40000}},
      {"offset: x added, y subtracted", 0, 0, 1000, 2000, {21000, 18000}},
      {"a quarter turn counts as none", 0, 270, 0, 0, {20000, 20000}},
      // Turned by 45 degrees the round pads' rectangles keep their centres.
      {"45 degrees", 0, 45, 0, 0, {20000, 20000}},
  };
  // Copper and silkscreen together: from the copper's lower edge to the
  // line's upper one.
  {
    TComponent comp;
    EnsurePlace(*comp.id).PlaceCentre = 2;
    const auto line = OutlineBounds(*comp.list[2], TPlatine{});
    ASSERT_TRUE(line);
    const auto at = PlacementPoint(comp.list, 4, TPlatine{});
    ASSERT_TRUE(at);
    EXPECT_NEAR(at->X, 20000, 1);
    // The round pads count with their circles: the copper's lower edge is 15000.
    EXPECT_NEAR(at->Y, (15000 + line->Bottom) / 2.0, 1);
  }
  for (const TCase& c : cases) {
    TComponent comp;
    TPlaceData& place = EnsurePlace(*comp.id);
    place.PlaceCentre = c.centre;
    place.PlaceRotation = c.rotation;
    place.PlaceOffsetX = c.offsetX;
    place.PlaceOffsetY = c.offsetY;
    const auto at = PlacementPoint(comp.list, 4, TPlatine{});
    ASSERT_TRUE(at) << c.name;
    EXPECT_NEAR(at->X, c.expected.X, 1) << c.name;
    EXPECT_NEAR(at->Y, c.expected.Y, 1) << c.name;
  }
}

TEST(PlacementPoint, NoneWithoutIdLabelAndAllElementsWhenNoneMatch) {
  TComponent comp;
  comp.id->LabelRole = 2;  // only a value label
  EXPECT_FALSE(PlacementPoint(comp.list, 4, TPlatine{}));
  EXPECT_FALSE(PlacementPoint(comp.list, 5, TPlatine{}));

  TComponent silkOnly;
  silkOnly.list.erase(silkOnly.list.begin(), silkOnly.list.begin() + 2);  // no copper left
  const auto at = PlacementPoint(silkOnly.list, 4, TPlatine{});
  ASSERT_TRUE(at);
  EXPECT_NEAR(at->Y, 40000, 1);  // copper asked for, the silkscreen taken
}

// The marker is a cross of 0.5 mm arms in the contrast colour; a component
// with a hidden element has none.
TEST(PlacementPoint, ComponentMarkerIsDrawnWhereAllElementsShow) {
  for (bool hidden : {false, true}) {
    TComponent comp;
    comp.id->LabelVisible = 0;
    if (hidden) comp.list[2]->Shown = 0;                  // the silkscreen line
    for (auto& e : comp.list) MoveObjekt(*e, 0, -80000);  // onto the board, which lies below y = 0
    TBoard board;
    board.Platine.Width = 100000;
    board.Platine.Height = 100000;
    board.Elements = std::move(comp.list);
    TPaintSettings set;
    set.ShowGrid = false;
    // 0.001 pixels per unit: the placement point (20000, -60000) lies at
    // pixel (20, 60).
    TRasterSurface s(80, 80, false);
    PaintBoard(s, board, {0.001, 0, 0}, set);
    // Near an arm's end 4.5 pixels right of the centre, clear of the pads.
    EXPECT_EQ(s.Pixel(24, 60) == set.Scheme.Contrast(), !hidden) << hidden;
    EXPECT_EQ(s.Pixel(20, 63) == set.Scheme.Contrast(), !hidden) << hidden;
  }
}

}  // namespace
}  // namespace bs
