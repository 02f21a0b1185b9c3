#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <random>

#include "model/geometry.h"
#include "model/polygon.h"

namespace bs {
namespace {

std::unique_ptr<TObjekt> ThtPad(uint8_t shape, float r = 10000, TFPoint at = {0, 0}) {
  auto e = NewObjekt();
  InitThtPad(*e, at, kLayerC1, shape, 3000, r);
  e->Clearance = 4000;
  return e;
}

std::unique_ptr<TObjekt> Track(std::initializer_list<TFPoint> pts, int32_t width = 1000, uint8_t layer = kLayerC1) {
  auto e = NewObjekt();
  InitTrack(*e, width, layer);
  for (TFPoint p : pts) AddPoint(*e, p);
  return e;
}

TEST(PlaneGeometry, AnglesRotationAndInterpolation) {
  // Clockwise from +x with y up.
  EXPECT_EQ(AngleOf({0, 0}, {5, 0}), 0.0);
  EXPECT_EQ(AngleOf({0, 0}, {0, -5}), M_PI / 2);
  EXPECT_EQ(AngleOf({0, 0}, {-5, 0}), M_PI);
  EXPECT_EQ(AngleOf({0, 0}, {0, 5}), 3 * M_PI / 2);
  EXPECT_EQ(AngleOf({3, 3}, {3, 3}), 0.0);
  EXPECT_NEAR(AngleOf({0, 0}, {1, -1}), M_PI / 4, 1e-12);

  const TDPoint r = RotatePoint(TDPoint{10, 0}, TDPoint{0, 0}, 90);  // counter-clockwise
  EXPECT_NEAR(r.X, 0, 1e-9);
  EXPECT_NEAR(r.Y, 10, 1e-9);
  EXPECT_EQ(Interpolate({0, 0}, {10, 20}, 0.5, 0.5), (TDPoint{5, 10}));
  EXPECT_EQ(Interpolate({0, 0}, {10, 20}, 0, 1), (TDPoint{10, 0}));
}

TEST(PlaneGeometry, SegmentIntersection) {
  auto x = SegmentIntersection({0, 0}, {10, 10}, {0, 10}, {10, 0});
  ASSERT_TRUE(x);
  EXPECT_EQ(*x, (TDPoint{5, 5}));
  EXPECT_TRUE(SegmentIntersection({0, 0}, {10, 0}, {10, 0}, {10, 10}));  // end points count
  EXPECT_FALSE(SegmentIntersection({0, 0}, {10, 0}, {0, 1}, {10, 1}));   // parallel
  EXPECT_FALSE(SegmentIntersection({0, 0}, {10, 0}, {5, 0}, {15, 0}));   // collinear overlap
  EXPECT_FALSE(SegmentIntersection({0, 0}, {4, 4}, {0, 10}, {10, 0}));   // short of it
}

TEST(PlaneGeometry, NearSameAndSnapToGrid) {
  EXPECT_TRUE(Near({0, 0}, {2.4f, -2.4f}, 2));
  EXPECT_FALSE(Near({0, 0}, {2.6f, 0}, 2));
  EXPECT_TRUE(SamePoint({1.2f, 7.6f}, {0.9f, 8.4f}));
  // Grid 12700 through the zero point x = 5000.
  EXPECT_EQ(SnapToGrid({20000, 0}, 12700, {5000, 0}).X, 17700);
  EXPECT_EQ(SnapToGrid({-20000, 6400}, 12700, {5000, 0}), (TDPoint{-20400, 12700}));
  EXPECT_EQ(SnapToGrid({123, 456}, 0, {0, 0}), (TDPoint{123, 456}));  // no grid
  EXPECT_EQ(ScreenToModel({100, 50}, 0.01), (TDPoint{10000, -5000}));
}

TEST(PlaneGeometry, FormatLength) {
  EXPECT_EQ(FormatLength(15000, -1, TDisplayUnit::Mm), "1.500 mm");
  EXPECT_EQ(FormatLength(15000, 1, TDisplayUnit::Mm), "1.5 mm");
  EXPECT_EQ(FormatLength(2540, -1, TDisplayUnit::Mil), "10.0 mil");
  EXPECT_EQ(FormatLength(-254, 0, TDisplayUnit::Mil), "-1 mil");
}

TEST(PadGeometry, RotationResizeAndTwinShapes) {
  auto smd = NewObjekt();
  InitSmdPad(*smd, {0, 0}, 2000, kLayerC1, 1000);
  RotateObjekt(*smd, {0, 0}, 30);
  EXPECT_NEAR(PadRotation(*smd), 30, 1e-3);
  ResizeSmdPad(*smd, std::nullopt, 3000);
  EXPECT_NEAR(PadRotation(*smd), 30, 1e-3);
  EXPECT_FLOAT_EQ(smd->SizeB, 3000);
  EXPECT_NEAR(Distance({smd->Points[0].X, smd->Points[0].Y}, {smd->Points[1].X, smd->Points[1].Y}), 2000, 0.01);
  EXPECT_NEAR(Centre(*smd).X, 0, 0.01);

  // Every THT shape reports rotation 0 unrotated and follows a turn.
  for (uint8_t shape = 1; shape <= 9; ++shape) {
    auto pad = ThtPad(shape);
    EXPECT_EQ(PadRotation(*pad), 0) << int(shape);
    RotateObjekt(*pad, {0, 0}, 30);
    EXPECT_EQ(PadRotation(*pad), 30) << int(shape);
  }

  // A horizontal rounded pad turned upright and given the horizontal octagon
  // becomes the vertical octagon, still turned by 90 degrees.
  auto pad = ThtPad(kShapeRoundedH);
  RotateObjekt(*pad, {0, 0}, 90);
  RebuildThtOutline(*pad, kShapeOctagonH, 0);
  EXPECT_EQ(pad->Shape, kShapeOctagonV);
  EXPECT_EQ(PadRotation(*pad), 90);
}

TEST(Transforms, RotateEveryKind) {
  auto circle = NewObjekt();
  InitCircle(*circle, {1000, 0}, 500, kLayerS1, 400);
  circle->StartAngle = 10000;
  circle->StopAngle = 100000;
  RotateObjekt(*circle, {0, 0}, 30);
  EXPECT_EQ(circle->StartAngle, 340000);
  EXPECT_EQ(circle->StopAngle, 70000);
  EXPECT_NEAR(circle->Pos.X, 866.03, 0.01);
  EXPECT_NEAR(circle->Pos.Y, -500, 0.01);

  auto text = NewObjekt();
  InitText(*text, {0, 0}, "x", false, false, kLayerS1, 1, 1, 1000, 350);
  text->SubElements.push_back(Track({{0, 0}, {100, 0}}));
  RotateObjekt(*text, {0, 0}, 20);
  EXPECT_EQ(text->Rotation, 10);
  EXPECT_NEAR(text->SubElements[0]->Points[1].Y, -34.2, 0.01);  // turned clockwise
  RotateObjekt(*text, {0, 0}, -30);
  EXPECT_EQ(text->Rotation, 340);

  auto track = Track({{1000, 0}, {2000, 0}});
  RotateObjekt(*track, {0, 0}, 90);
  EXPECT_NEAR(track->Points[1].X, 0, 1e-3);
  EXPECT_NEAR(track->Points[1].Y, -2000, 1e-3);

  TObjekt legacy;
  legacy.Kind = kKindLegacyText;
  legacy.Pos = {10, 20};
  legacy.SizeA = 30;
  legacy.SizeB = 20;
  legacy.StartAngle = 270;
  RotateObjekt(legacy, {0, 0}, 45);  // always a quarter turn
  EXPECT_EQ(legacy.Pos, (TFPoint{20, -10}));
  EXPECT_EQ(legacy.SizeA, 20);
  EXPECT_EQ(legacy.SizeB, -30);
  EXPECT_EQ(legacy.StartAngle, 0);
}

TEST(Transforms, MirrorSpokeMasksAndArcs) {
  struct Case {
    uint8_t shape;
    uint32_t before, after;
  };
  const Case cases[] = {
      {kShapeSquare, 0x03030303, 0x18181818},    // up + up-right -> bits 4, 3
      {kShapeRound, 0x55555555, 0x55555555},     // the default cross is symmetric
      {kShapeRoundedV, 0x02020202, 0x80808080},  // shape 7 exchanges 1 <-> 7
      {kShapeRoundedV, 0x11111111, 0x11111111},  // and keeps 0 and 4
  };
  for (const auto& c : cases) {
    for (bool horizontal : {true, false}) {
      auto pad = ThtPad(c.shape);
      pad->ThermalSpokes = c.before;
      if (horizontal) MirrorHorizontally(*pad, 0);
      else MirrorVertically(*pad, 0);
      EXPECT_EQ(pad->ThermalSpokes, c.after) << int(c.shape) << " " << horizontal;
    }
  }
  auto smd = NewObjekt();
  InitSmdPad(*smd, {0, 0}, 100, kLayerC1, 100);
  smd->ThermalSpokes = 0x03030303;
  MirrorHorizontally(*smd, 0);
  EXPECT_EQ(smd->ThermalSpokes, 0x03030318u);  // only the first byte counts for SMD pads

  auto arc = NewObjekt();
  InitCircle(*arc, {100, 0}, 500, kLayerS1, 400);
  arc->StartAngle = 0;
  arc->StopAngle = 90000;
  MirrorHorizontally(*arc, 0);
  EXPECT_EQ(arc->StartAngle, 90000);
  EXPECT_EQ(arc->StopAngle, 180000);
  EXPECT_EQ(arc->Pos.X, -100);
  MirrorVertically(*arc, 0);
  EXPECT_EQ(arc->StartAngle, 180000);
  EXPECT_EQ(arc->StopAngle, 270000);

  auto text = NewObjekt();
  InitText(*text, {10, 0}, "x", false, false, kLayerS1, 1, 1, 1000, 30);
  MirrorHorizontally(*text, 0);
  EXPECT_EQ(text->MirrorH, 1);
  EXPECT_EQ(text->Rotation, 330);
  EXPECT_EQ(text->Pos.X, -10);
  text->Rotation = 0;
  MirrorVertically(*text, 0);
  EXPECT_EQ(text->MirrorV, 1);
  EXPECT_EQ(text->Rotation, 0);
}

TEST(Transforms, GrowAndShrinkAreInverse) {
  auto pad = ThtPad(kShapeSquare, 1000);
  GrowObjekt(*pad, 400);
  EXPECT_EQ(pad->Points[0], (TFPoint{-1200, 1200}));
  EXPECT_EQ(pad->OutlineMargin, 200);
  ShrinkObjekt(*pad, 400);
  EXPECT_EQ(pad->Points[0], (TFPoint{-1000, 1000}));

  auto circle = NewObjekt();
  InitCircle(*circle, {0, 0}, 1000, kLayerS1, 800);
  GrowObjekt(*circle, 100);
  EXPECT_EQ(circle->SizeA, 1050);
  EXPECT_EQ(circle->SizeB, 750);

  auto smd = NewObjekt();
  InitSmdPad(*smd, {0, 0}, 2000, kLayerC1, 1000);
  GrowObjekt(*smd, 200);
  EXPECT_EQ(smd->Points[0], (TFPoint{-1100, 600}));
  ShrinkObjekt(*smd, 200);
  EXPECT_EQ(smd->Points[0], (TFPoint{-1000, 500}));

  auto track = Track({{0, 0}, {1, 0}}, 1000);
  GrowObjekt(*track, 0);
  EXPECT_EQ(track->Width, 1000);
  GrowObjekt(*track, 300);
  EXPECT_EQ(track->Width, 1300);
}

TEST(Handles, NodeHitTestSizes) {
  auto track = Track({{0, 0}, {100000, 0}, {100000, 100000}}, 2000);
  // At zoom 0.001 three pixels (3000 units) beat Width / 2.1 (952).
  EXPECT_EQ(NodeHitTest(*track, {2999, 0}, 0.001), 0);
  EXPECT_EQ(NodeHitTest(*track, {-3000, 0}, 0.001), 0);  // lower edge included
  EXPECT_EQ(NodeHitTest(*track, {3000, 0}, 0.001), -1);  // upper edge excluded
  EXPECT_EQ(NodeHitTest(*track, {2999, 0}, 1), -1);      // zoomed in: 952
  EXPECT_EQ(NodeHitTest(*track, {50000, 0}, 0.001), 10000);
  EXPECT_EQ(NodeHitTest(*track, {100000, 50000}, 0.001), 10001);

  auto zone = NewObjekt();
  InitZone(*zone, 0, kLayerC1);
  for (TFPoint p : {TFPoint{0, 0}, TFPoint{100000, 0}, TFPoint{100000, 100000}}) AddPoint(*zone, p);
  EXPECT_EQ(NodeHitTest(*zone, {50000, 50000}, 0.001), 10002);  // the closing edge

  auto circle = NewObjekt();
  InitCircle(*circle, {0, 0}, 11000, kLayerS1, 9000);
  circle->StartAngle = 0;
  circle->StopAngle = 90000;
  EXPECT_EQ(NodeHitTest(*circle, {0, 10500}, 1), 1);
  EXPECT_EQ(NodeHitTest(*circle, {9500, 0}, 1), 0);
  EXPECT_EQ(NodeHitTest(*circle, {0, 0}, 1), -1);
}

TEST(Handles, NearestSnapPoint) {
  auto track = Track({{0, 0}, {1000, 0}, {1000, 0}});
  EXPECT_EQ(NearestSnapPoint(*track, {900, 50}), (TDPoint{1000, 0}));
  auto pad = ThtPad(kShapeRound, 1000, {5, 6});
  EXPECT_EQ(NearestSnapPoint(*pad, {0, 0}), (TDPoint{5, 6}));

  auto arc = NewObjekt();
  InitCircle(*arc, {0, 0}, 1100, kLayerS1, 900);
  arc->StartAngle = 0;
  arc->StopAngle = 90000;  // span / 6 = 15 degrees
  auto at = [&](double deg) {
    return NearestSnapPoint(*arc, {1000 * std::cos(deg * M_PI / 180), 1000 * std::sin(deg * M_PI / 180)});
  };
  EXPECT_NEAR(at(10).X, 1000, 1e-6);   // start end
  EXPECT_NEAR(at(80).Y, 1000, 1e-6);   // stop end
  EXPECT_EQ(at(45), (TDPoint{0, 0}));  // the centre
  TObjekt legacy;
  legacy.Kind = kKindLegacyLine;
  EXPECT_EQ(NearestSnapPoint(legacy, {0, 0}), (TDPoint{-1, -1}));
}

TEST(Tidying, NormalisePointList) {
  TObjektList list;
  auto t = Track({{0, 0}, {10000, 0}, {10000, 0}, {20000, 0}});
  NormalisePointList(*t, list, false, false);
  EXPECT_EQ(t->Points, (TPointList{{0, 0}, {10000, 0}, {20000, 0}}));
  auto u = Track({{0, 0}, {10000, 0}, {10000, 0}, {20000, 0}});
  NormalisePointList(*u, list, true, false);
  EXPECT_EQ(u->Points, (TPointList{{0, 0}, {20000, 0}}));

  // A pad centre within 5000 holds the vertex in place; a pad elsewhere doesn't.
  list.push_back(ThtPad(kShapeRound, 500, {14000, 3000}));
  auto v = Track({{0, 0}, {10000, 0}, {20000, 0}});
  NormalisePointList(*v, list, true, false);
  EXPECT_EQ(v->Points.size(), 3u);
  list.back()->Layer = kLayerC2;
  NormalisePointList(*v, list, true, false);
  EXPECT_EQ(v->Points.size(), 2u);

  // A turn back is not redundant: c must lie farther from a than b.
  auto w = Track({{0, 0}, {10000, 0}, {5000, 0}});
  NormalisePointList(*w, {}, true, false);
  EXPECT_EQ(w->Points.size(), 3u);

  // Zones keep three vertices and are checked across the closing point.
  auto zone = NewObjekt();
  InitZone(*zone, 100, kLayerC1);
  for (TFPoint p : {TFPoint{5000, 0}, TFPoint{10000, 0}, TFPoint{10000, 10000}, TFPoint{0, 10000}, TFPoint{0, 0}})
    AddPoint(*zone, p);
  NormalisePointList(*zone, {}, true, false);
  EXPECT_EQ(zone->Points, (TPointList{{10000, 0}, {10000, 10000}, {0, 10000}, {0, 0}}));
}

TEST(Layers, RelationsAndVisibility) {
  auto via = ThtPad(kShapeRound);
  via->Via = 1;
  auto inner = Track({{0, 0}, {1, 1}}, 100, kLayerI1);
  auto silk = Track({{0, 0}, {1, 1}}, 100, kLayerS1);
  EXPECT_TRUE(IsVia(*via));
  EXPECT_TRUE(OccupiesLayer(*via, kLayerC2, false));
  EXPECT_FALSE(OccupiesLayer(*via, kLayerI1, false));
  EXPECT_TRUE(OccupiesLayer(*via, kLayerI1, true));
  EXPECT_TRUE(ShareLayer(*via, *inner));
  EXPECT_FALSE(ShareLayer(*via, *silk));
  EXPECT_FALSE(ShareLayer(*inner, *silk));

  auto hole = ThtPad(kShapeRound, 3000);  // drill radius 3000 = outer radius
  EXPECT_TRUE(IsBareHole(*hole));
  EXPECT_FALSE(NeedsSolderMaskOpening(*hole));
  EXPECT_TRUE(NeedsSolderMaskOpening(*via));
  auto innerPad = ThtPad(kShapeRound);
  innerPad->Layer = kLayerI1;
  EXPECT_FALSE(NeedsSolderMaskOpening(*innerPad));

  TPlatine board = NewPlatine(100, 100, false);
  board.LayerVisible[kLayerC1] = board.LayerVisible[kLayerC2] = 0;
  auto top = Track({{0, 0}, {1, 1}}, 100, kLayerC1);
  EXPECT_FALSE(ShownOnScreen(*top, board));
  board.LayerVisible[kLayerC2] = 1;
  EXPECT_TRUE(ShownOnScreen(*via, board));  // a via shows on any visible copper layer
  board.LayerVisible[kLayerC1] = 1;
  top->Cutout = 1;
  board.ActiveLayer = kLayerC1;
  EXPECT_FALSE(ShownOnScreen(*top, board));  // cut-outs need the ground plane
  board.GroundPlane[kLayerC1] = 1;
  EXPECT_TRUE(ShownOnScreen(*top, board));
  board.ActiveLayer = kLayerC2;
  EXPECT_FALSE(ShownOnScreen(*top, board));
}

TEST(Spokes, WidthsLengthsAndDirections) {
  TSpokeContext ctx;
  ctx.Layer = kLayerC1;
  ctx.GroundPlaneOn = true;

  auto pad = ThtPad(kShapeRound);  // r 10000, clearance 4000
  pad->Thermal = 1;
  pad->ThermalSpokes = 0x01010101;  // up
  auto rects = ThermalSpokeRects(*pad, ctx);
  ASSERT_EQ(rects.size(), 1u);
  EXPECT_NEAR(rects[0][0].X, 10000 / 1.5 / 2, 1e-6);
  EXPECT_NEAR(rects[0][1].Y, 14500, 1e-6);  // clearance + radius + 500

  ctx.PrintScale = 2;
  pad->PrintMark = 1;
  EXPECT_NEAR(ThermalSpokeRects(*pad, ctx)[0][1].Y, 15000, 1e-6);
  pad->PrintMark = 0;

  // Only where the ground plane is on and the pad lies on the layer.
  TSpokeContext off = ctx;
  off.GroundPlaneOn = false;
  EXPECT_TRUE(ThermalSpokeRects(*pad, off).empty());
  TSpokeContext other = ctx;
  other.Layer = kLayerC2;
  EXPECT_TRUE(ThermalSpokeRects(*pad, other).empty());
  pad->Via = 1;
  EXPECT_EQ(ThermalSpokeRects(*pad, other).size(), 1u);

  // Diagonal spokes point at the corner of the pad box grown by the clearance.
  auto tip = [](const std::array<TDPoint, 4>& r) { return TDPoint{(r[1].X + r[2].X) / 2, (r[1].Y + r[2].Y) / 2}; };
  auto square = ThtPad(kShapeSquare);
  square->Thermal = 1;
  square->ThermalSpokes = 0x02;  // up-right
  auto sq = ThermalSpokeRects(*square, ctx);
  ASSERT_EQ(sq.size(), 1u);
  EXPECT_NEAR(tip(sq[0]).X, tip(sq[0]).Y, 1e-6);
  EXPECT_NEAR(Distance({0, 0}, tip(sq[0])), std::hypot(14000, 14000) + 500, 1e-6);

  auto rect = ThtPad(kShapeRectH);  // box 20000 x 10000
  rect->Thermal = 1;
  rect->ThermalSpokes = 0x0A;  // up-right and down-right
  auto rr = ThermalSpokeRects(*rect, ctx);
  ASSERT_EQ(rr.size(), 2u);
  EXPECT_NEAR(tip(rr[0]).Y / tip(rr[0]).X, 14000.0 / 24000.0, 1e-9);
  EXPECT_NEAR(tip(rr[1]).Y / tip(rr[1]).X, -14000.0 / 24000.0, 1e-9);

  // The spoke mask of an SMD pad is its first byte; the spoke is a third of
  // the smaller side wide.
  auto smd = NewObjekt();
  InitSmdPad(*smd, {0, 0}, 3000, kLayerC1, 6000);
  smd->Thermal = 1;
  smd->Clearance = 1000;
  smd->ThermalSpokes = 0x04;  // right
  auto s = ThermalSpokeRects(*smd, ctx);
  ASSERT_EQ(s.size(), 1u);
  EXPECT_NEAR(s[0][0].Y - s[0][3].Y, -1000, 1e-6);
  EXPECT_NEAR(tip(s[0]).X, 1000 + 1500 + 500, 1e-6);
}

TEST(Bounds, OutlineBoundsHitsAndExportShift) {
  TPlatine board = NewPlatine(1000000, 1000000, false);
  board.Zoom = 0.001;
  auto track = Track({{0, 0}, {10000, 0}}, 2000);
  // Round caps of three steps reach cos(30 deg) of the half width sideways.
  EXPECT_EQ(BoundingRect(*track, board), (TURect{-866, -1000, 10866, 1000}));

  auto label = NewObjekt();
  InitText(*label, {0, 0}, "R1", false, false, kLayerS1, 1, 1, 1000, 0);
  label->SubElements.push_back(Track({{0, 0}, {500, 0}}));
  label->LabelRole = 2;
  label->LabelVisible = 0;
  EXPECT_EQ(BoundingRect(*label, board), TURect{});

  TObjektList list;
  list.push_back(std::move(track));
  list.push_back(std::move(label));
  list.push_back(Track({{50000, 50000}, {60000, 50000}}, 2000));
  list[2]->Selected = 1;
  EXPECT_EQ(AllBounds(list, board), (TURect{-866, -1000, 60866, 51000}));
  EXPECT_EQ(SelectionBounds(list, board), (TURect{49134, 49000, 60866, 51000}));
  EXPECT_EQ(SelectionCentre(list, board), (TDPoint{55000, 50000}));

  // Three pixels of grace on screen; the element itself is left as it was.
  TObjekt& t = *list[0];
  EXPECT_TRUE(HitTest(t, {5000, 900}, board, false));
  EXPECT_FALSE(HitTest(t, {5000, 2400}, board, false));
  EXPECT_TRUE(HitTest(t, {5000, 2400}, board, true));
  EXPECT_EQ(t.Width, 2000);
  EXPECT_FALSE(HitTest(t, {5000, 2600}, board, true));

  board.OriginX = 100;
  board.OriginY = -900000;
  ExportShift(list, board, true);
  EXPECT_EQ(list[0]->Points[0], (TFPoint{-100, -100000}));
  ExportShift(list, board, false);
  EXPECT_EQ(list[0]->Points[0], (TFPoint{0, 0}));
}

// Footprints of round, square and SMD pads in rows and columns, with a
// track and pads with spokes among them: the united box measures round
// pads only on the sides they can reach, and must still be the union of
// every element's own box.
TEST(Bounds, UnitedBoundsAreTheUnionOfTheElementsBounds) {
  TPlatine board = NewPlatine(1000000, 1000000, false);
  std::mt19937 rng(3);
  std::uniform_real_distribution<double> pos(-2e5, 2e5), frac(0, 1);
  for (bool plane : {false, true}) {
    board.ActiveLayer = kLayerC1;
    board.GroundPlane[kLayerC1] = plane;
    for (int round = 0; round < 300; ++round) {
      TObjektList list;
      const float x0 = float(pos(rng)), y0 = float(pos(rng)), pitch = round % 2 ? 25400.0f : 12700.5f;
      const int columns = 1 + round % 8, rows = 1 + round % 3;
      for (int c = 0; c < columns; ++c)
        for (int r = 0; r < rows; ++r) {
          const TFPoint at{x0 + c * pitch + float(frac(rng) < 0.2 ? frac(rng) : 0), y0 - r * 3 * pitch};
          const float size = float(round % 5 == 0 ? 4000 + 3000 * frac(rng) : 8000);
          if ((c + r + round) % 7 == 3) list.push_back(ThtPad(kShapeSquare, size, at));
          else list.push_back(ThtPad(kShapeRound, size, at));
          if ((c + r) % 4 == 1) list.back()->Thermal = 1;
          if (round % 4 == 3 && c == 0) {
            auto smd = NewObjekt();
            InitSmdPad(*smd, {at.X - pitch, at.Y}, 6000, kLayerC1, 15000);
            list.push_back(std::move(smd));
          }
        }
      if (round % 3 == 0) list.push_back(Track({{x0, y0 + 20000}, {x0 + 30000, y0 + 20000}}, 2500));
      std::vector<const TObjekt*> elements;
      std::optional<TURect> want;
      for (const auto& e : list) {
        elements.push_back(e.get());
        if (const auto b = OutlineBounds(*e, board))
          want = want ? TURect{std::min(want->Left, b->Left), std::min(want->Top, b->Top),
                               std::max(want->Right, b->Right), std::max(want->Bottom, b->Bottom)}
                      : *b;
      }
      EXPECT_EQ(UnitedOutlineBounds(elements, board), want) << "round " << round << (plane ? " with a plane" : "");
    }
  }
  EXPECT_EQ(UnitedOutlineBounds({}, board), std::nullopt);
}

TEST(Polygon, FixedPointAndPointInPolygon) {
  EXPECT_EQ(UnitsToFixed(10000, 1), 65536);
  EXPECT_EQ(UnitsToFixed(-5000, 2), -65536);
  EXPECT_EQ(FixedToUnits(65536), 10000);

  TPolygon p;
  p.Contours.push_back({{0, 0}, {100, 0}, {100, 100}, {0, 100}});
  p.Contours.push_back({});  // empty contours contain nothing
  p.Contours.push_back({{200, 0}, {300, 0}, {250, 100}});
  struct Case {
    TFixPoint pt;
    bool in;
  };
  const Case cases[] = {{{50, 50}, true},   {{150, 50}, false}, {{250, 50}, true}, {{0, 50}, true},  {{100, 50}, false},
                        {{50, 100}, false}, {{50, 0}, true},    {{-1, 0}, false},  {{300, 1}, false}};
  for (const auto& c : cases) EXPECT_EQ(PointInPolygon(p, c.pt), c.in) << c.pt.X << "," << c.pt.Y;
  EXPECT_FALSE(PointInPolygon(TPolygon{}, {0, 0}));

  TFixRect b = PolygonBounds(p);
  EXPECT_EQ(b.Left, 0);
  EXPECT_EQ(b.Right, 300);
  EXPECT_TRUE(ContourBounds({}).Empty());
}

}  // namespace
}  // namespace bs
