#include <gtest/gtest.h>

#include "copper/predicates.h"
#include "model/objekt.h"
#include "model/polygon.h"

namespace bs {
namespace {

TPolygon Copper(const TObjekt& e, int layer = kLayerC1, bool planeOn = false) {
  TSpokeContext ctx;
  ctx.Layer = layer;
  ctx.GroundPlaneOn = planeOn;
  return CopperPolygon(e, 1, ctx);
}

std::unique_ptr<TObjekt> Track(TFPoint a, TFPoint b, int32_t width = 2000) {
  auto t = NewObjekt();
  InitTrack(*t, width, kLayerC1);
  AddPoint(*t, a);
  AddPoint(*t, b);
  return t;
}

std::unique_ptr<TObjekt> Zone(float x0, float y0, float x1, float y1) {
  auto z = NewObjekt();
  InitZone(*z, 1000, kLayerC1);
  for (TFPoint p : {TFPoint{x0, y0}, TFPoint{x1, y0}, TFPoint{x1, y1}, TFPoint{x0, y1}}) AddPoint(*z, p);
  z->Closed = 1;
  return z;
}

TPolygon Square(int32_t x0, int32_t y0, int32_t size) {
  TPolygon p;
  p.Contours.push_back({{x0, y0}, {x0 + size, y0}, {x0 + size, y0 + size}, {x0, y0 + size}});
  return p;
}

TEST(Predicates, SegmentsAndRectangles) {
  struct TCase {
    const char* name;
    TFloatPoint p1, p2, q1, q2;
    bool meet;
  };
  const TCase cases[] = {
      {"crossing", {0, 0}, {2, 2}, {0, 2}, {2, 0}, true},
      {"sharing an end point", {0, 0}, {1, 1}, {1, 1}, {2, 0}, true},
      {"an end on the other's middle", {0, 0}, {2, 0}, {1, 0}, {1, 3}, true},
      {"apart", {0, 0}, {1, 0}, {0, 1}, {1, 2}, false},
      {"parallel", {0, 0}, {2, 0}, {0, 1}, {2, 1}, false},
      {"collinear and overlapping", {0, 0}, {2, 0}, {1, 0}, {3, 0}, false},
      {"zero length", {1, 1}, {1, 1}, {0, 0}, {2, 2}, false},
  };
  for (const TCase& c : cases) EXPECT_EQ(SegmentsIntersect(c.p1, c.p2, c.q1, c.q2).has_value(), c.meet) << c.name;
  const auto x = SegmentsIntersect({0, 0}, {2, 2}, {0, 2}, {2, 0});
  ASSERT_TRUE(x);
  EXPECT_FLOAT_EQ(x->X, 1);
  EXPECT_FLOAT_EQ(x->Y, 1);

  EXPECT_TRUE(RectIntersect({0, 0, 1, 1}, {1, 1, 2, 2}));   // touching corners
  EXPECT_TRUE(RectIntersect({0, 0, 0, 5}, {-1, 1, 1, 2}));  // zero width
  EXPECT_FALSE(RectIntersect({0, 0, 1, 1}, {1.5f, 0, 2, 1}));
  EXPECT_EQ(Normalised({3, 4, 1, 2}), (TFloatRect{1, 2, 3, 4}));
}

// The touch test on real copper: the cases that decide whether pieces of
// copper are joined.
TEST(Predicates, CopperTouches) {
  const auto zone = Zone(0, 0, 100000, 100000);
  const auto pad = [] {
    auto p = NewObjekt();
    InitThtPad(*p, {50000, 50000}, kLayerC1, kShapeRound, 2000, 5000);
    return p;
  }();
  struct TCase {
    const char* name;
    TPolygon a, b;
    bool touch;
  };
  const TCase cases[] = {
      {"tracks ending on each other's end", Copper(*Track({0, 0}, {10000, 0})), Copper(*Track({10000, 0}, {20000, 0})),
       true},
      {"a pad inside a zone", Copper(*pad), Copper(*zone), true},
      {"a zone around a pad", Copper(*zone), Copper(*pad), true},
      {"an X crossing", Copper(*Track({0, 0}, {10000, 10000})), Copper(*Track({0, 10000}, {10000, 0})), true},
      // Width 2000: the outlines lie 1000 units from each centre line.
      {"parallel, one unit apart", Copper(*Track({0, 0}, {10000, 0})), Copper(*Track({0, 2001}, {10000, 2001})), false},
      {"parallel, overlapping", Copper(*Track({0, 0}, {10000, 0})), Copper(*Track({0, 1999}, {10000, 1999})), true},
  };
  for (const TCase& c : cases) EXPECT_EQ(PolygonsTouch(c.a, c.b), c.touch) << c.name;
}

TEST(Predicates, SelectionRectangleCrossesOrEncloses) {
  const TPolygon zone = Copper(*Zone(0, 0, 100000, 100000));  // 0 ... 10 mm
  EXPECT_FALSE(RectTouchesPolygon({2, 2, 8, 8}, zone));       // wholly inside, away from the edges
  EXPECT_TRUE(RectTouchesPolygon({-1, -1, 11, 11}, zone));    // encloses it
  EXPECT_TRUE(RectTouchesPolygon({8, 2, 12, 3}, zone));       // crosses an edge
  EXPECT_TRUE(RectTouchesPolygon({12, 3, 8, 2}, zone));       // the same, given backwards
  EXPECT_FALSE(RectTouchesPolygon({20, 20, 30, 30}, zone));
  EXPECT_FALSE(RectTouchesPolygon({0, 0, 1, 1}, TPolygon{}));
}

TEST(Predicates, EmptyPolygonsAndSpokes) {
  auto label = NewObjekt();
  InitText(*label, {0, 0}, "10k", false, false, kLayerS1, 0, 1, 10000, 0);
  label->LabelRole = 2;
  label->LabelVisible = 0;
  const TPolygon hidden = Copper(*label);
  EXPECT_TRUE(PolygonBounds(hidden).Empty());
  // An empty polygon counts as lying inside anything: callers skip it.
  EXPECT_TRUE(AllVerticesInside(hidden, Square(0, 0, 10)));

  auto pad = NewObjekt();
  InitThtPad(*pad, {0, 0}, kLayerC1, kShapeRound, 2000, 5000);
  pad->Thermal = 1;
  pad->Clearance = 4000;
  pad->ThermalSpokes = 0x0F;  // four spokes on C1
  const size_t plain = Copper(*pad, kLayerC1, false).Contours.size();
  EXPECT_EQ(Copper(*pad, kLayerC1, true).Contours.size(), plain + 4);
  EXPECT_EQ(Copper(*pad, kLayerC2, true).Contours.size(), plain);  // not its layer
}

TEST(Predicates, IntersectionPoints) {
  // Two squares overlapping at a corner cross at two points.
  const TPolygon a = Square(0, 0, 2 * 65536), b = Square(65536, 65536, 2 * 65536);
  const auto points = PolygonIntersectionPoints(a, b);
  ASSERT_EQ(points.size(), 2u);
  EXPECT_EQ(points[0], (TFloatPoint{2, 1}));
  EXPECT_EQ(points[1], (TFloatPoint{1, 2}));
  // One wholly within the other: no crossing points.
  EXPECT_TRUE(PolygonIntersectionPoints(Square(65536, 65536, 65536), Square(0, 0, 4 * 65536)).empty());
  EXPECT_TRUE(SegmentCrossesPolygon({-1, 1}, {5, 1}, a));
  EXPECT_FALSE(SegmentCrossesPolygon({-1, 5}, {5, 5}, a));
}

}  // namespace
}  // namespace bs
