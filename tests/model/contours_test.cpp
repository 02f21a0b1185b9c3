#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <functional>
#include <random>
#include <utility>

#include "model/contours.h"
#include "model/geometry.h"

namespace bs {
namespace {

using C = TContour;

TEST(DirectionAngle, CounterClockwiseAndExactOnAxes) {
  EXPECT_EQ(DirectionAngle(5, 0), 0.0);
  EXPECT_EQ(DirectionAngle(0, 5), M_PI / 2);
  EXPECT_EQ(DirectionAngle(-5, 0), M_PI);
  EXPECT_EQ(DirectionAngle(0, -5), 3 * M_PI / 2);
  EXPECT_EQ(DirectionAngle(0, 0), 0.0);
  EXPECT_NEAR(DirectionAngle(1, -1), 7 * M_PI / 4, 1e-12);
}

TEST(ArcPoints, DirectionAndLongWay) {
  C ccw, cw, full;
  AppendArcPoints({0, 0}, {1000, 0}, {0, 1000}, 2, true, ccw);
  EXPECT_EQ(ccw, (C{{707, 707}, {0, 1000}}));
  AppendArcPoints({0, 0}, {1000, 0}, {0, 1000}, 2, false, cw);  // the long way round
  EXPECT_EQ(cw, (C{{-707, -707}, {0, 1000}}));
  AppendArcPoints({0, 0}, {1000, 0}, {1000, 0}, 4, true, full);  // equal ends: a full turn
  EXPECT_EQ(full, (C{{0, 1000}, {-1000, 0}, {0, -1000}, {1000, 0}}));
}

TEST(Stadium, HalfCircleStepsFollowTheWidth) {
  const C s = Stadium({0, 0}, {10000, 0}, 3000, false, false);
  EXPECT_EQ(s, (C{{10000, -1500},
                  {11061, -1061},
                  {11500, 0},
                  {11061, 1061},
                  {10000, 1500},
                  {0, 1500},
                  {-1061, 1061},
                  {-1500, 0},
                  {-1061, -1061},
                  {0, -1500}}));
  EXPECT_EQ(Stadium({0, 0}, {10000, 0}, 2999, false, false).size(), 2u * 3 + 2);
  EXPECT_EQ(Stadium({0, 0}, {10000, 0}, 6000, false, false).size(), 2u * 5 + 2);
}

TEST(Stadium, FlatEndsAreSquareCornersWithFactor1414) {
  const C s = Stadium({0, 0}, {10000, 0}, 3000, true, true);
  // 1.414 * 1500 * cos(45 deg) = 1499.8 -> 1500
  EXPECT_EQ(s, (C{{10000, -1500}, {11500, -1500}, {11500, 1500}, {0, 1500}, {-1500, 1500}, {-1500, -1500}}));
  // Vertical stroke: the same shape turned.
  const C v = Stadium({0, 0}, {0, 10000}, 3000, false, true);
  EXPECT_EQ(v[0], (TIPoint{1500, 10000}));
  EXPECT_EQ(v[1], (TIPoint{1500, 11500}));
  EXPECT_EQ(v[2], (TIPoint{-1500, 11500}));
}

TObjekt& Track(std::initializer_list<TFPoint> pts, int32_t width, uint8_t ends = 0) {
  static TObjekt t;
  InitTrack(t, width, kLayerC1);
  for (TFPoint p : pts) AddPoint(t, p);
  t.TrackEnds = ends;
  return t;
}

TEST(TrackContours, SegmentsWidthsAndEnds) {
  // Width below 100 is drawn 100 wide.
  TContours thin = ElementContours(Track({{0, 0}, {1000, 0}}, 50));
  ASSERT_EQ(thin.size(), 1u);
  EXPECT_EQ(thin[0][0], (TIPoint{1000, -50}));

  // Duplicate points give no segment; all coincident gives the small stadium.
  EXPECT_EQ(ElementContours(Track({{0, 0}, {0, 0}, {1000, 0}, {1000, 0}}, 500)).size(), 1u);
  TContours dot = ElementContours(Track({{20, 30}, {20, 30}}, 500));
  ASSERT_EQ(dot.size(), 1u);
  EXPECT_EQ(dot[0], Stadium({20, 30}, {120, 130}, 500, false, false));

  // Flat start on the first segment and flat end on the last one.
  TContours flat = ElementContours(Track({{0, 0}, {10000, 0}, {10000, 10000}}, 3000, 3));
  ASSERT_EQ(flat.size(), 2u);
  EXPECT_EQ(flat[0], Stadium({0, 0}, {10000, 0}, 3000, true, false));
  EXPECT_EQ(flat[1], Stadium({10000, 0}, {10000, 10000}, 3000, false, true));

  // A flat end on a segment shorter than half the width stays round.
  TContours shortEnd = ElementContours(Track({{0, 0}, {1000, 0}}, 3000, 2));
  EXPECT_EQ(shortEnd[0], Stadium({0, 0}, {1000, 0}, 3000, false, false));
}

TEST(ZoneContours, EveryEdgeIncludingTheClosingOne) {
  TObjekt z;
  InitZone(z, 200, kLayerC1);
  for (TFPoint p : {TFPoint{0, 0}, TFPoint{1000, 0}, TFPoint{1000, 1000}, TFPoint{1000, 1000}}) AddPoint(z, p);
  TContours cs = ElementContours(z);
  ASSERT_EQ(cs.size(), 3u);  // the repeated vertex adds no edge
  EXPECT_EQ(cs[2], Stadium({1000, 1000}, {0, 0}, 200, false, false));

  TObjekt dot;
  InitZone(dot, 0, kLayerC1);
  AddPoint(dot, {5, 5});
  AddPoint(dot, {5, 5});
  TContours d = ElementContours(dot);
  ASSERT_EQ(d.size(), 1u);
  EXPECT_EQ(d[0], Stadium({5, 5}, {6, 6}, 100, false, false));
}

TEST(ThtPadContours, RoundPadIsAPolygonOnItsCircle) {
  TObjekt pad;
  InitThtPad(pad, {0, 0}, kLayerC1, kShapeRound, 3000, 10000);
  TContours cs = ElementContours(pad);
  ASSERT_EQ(cs.size(), 1u);
  ASSERT_EQ(cs[0].size(), 16u);
  EXPECT_EQ(cs[0].front(), (TIPoint{-9239, -3827}));  // one step counter-clockwise from (-r, 0)
  EXPECT_EQ(cs[0].back(), (TIPoint{-10000, 0}));      // the last point closes on the start
  for (const TIPoint& p : cs[0]) EXPECT_NEAR(std::hypot(p.X, p.Y), 10000, 1);

  InitThtPad(pad, {0, 0}, kLayerC1, kShapeRound, 3000, 40000);
  EXPECT_EQ(ElementContours(pad)[0].size(), 28u);  // round(40000 / 2500) + 12
}

// Pad boxes found without building the outline: a round pad's from a few
// of its ring's points only, a polygon pad's from its points. Each must be
// exactly the outline's box, wherever the pad lies and however it is
// turned (a round pad's first point decides where its ring starts).
TEST(ThtPadContours, PadBoxesAreTheOutlinesBox) {
  std::mt19937 rng(7);
  std::uniform_real_distribution<double> pos(-3e6, 3e6), size(200, 90000), angle(0, 360);
  const uint8_t polygons[] = {kShapeSquare, kShapeRectH, kShapeRectV, kShapeOctagon, kShapeOctagonH, kShapeOctagonV};
  struct TCase {
    const char* name;
    bool (*box)(const TObjekt&, TIPoint&, TIPoint&);
    std::function<void(TObjekt&, int)> make;
  };
  const TCase cases[] = {
      {"round", RoundPadRingBox,
       [&](TObjekt& pad, int i) {
         const TFPoint centre{float(i % 3 == 0 ? std::round(pos(rng)) : pos(rng)), float(pos(rng))};
         InitThtPad(pad, centre, kLayerC1, kShapeRound, 1000, float(i % 5 == 0 ? std::round(size(rng)) : size(rng)));
         if (i % 2) RotatePoints(pad.Points, pad.Pos, i % 4 == 1 ? 90 * (i % 7) : angle(rng));
       }},
      {"polygon", PolygonPadBox,
       [&](TObjekt& pad, int i) {
         const TFPoint centre{float(pos(rng)), float(pos(rng))};
         if (i % 7 == 0) InitSmdPad(pad, centre, float(size(rng)), kLayerC1, float(size(rng)));
         else InitThtPad(pad, centre, kLayerC1, polygons[i % 6], 1000, float(size(rng)));
         if (i % 2) RotatePoints(pad.Points, pad.Pos, angle(rng));
       }},
  };
  for (const TCase& c : cases)
    for (int i = 0; i < 3000; ++i) {
      TObjekt pad;
      c.make(pad, i);
      TIPoint lo, hi;
      ASSERT_TRUE(c.box(pad, lo, hi)) << c.name;
      const TContours outline = ElementContours(pad);
      TIPoint wantLo{INT32_MAX, INT32_MAX}, wantHi{INT32_MIN, INT32_MIN};
      for (const TIPoint& p : outline.at(0)) {
        wantLo = {std::min(wantLo.X, p.X), std::min(wantLo.Y, p.Y)};
        wantHi = {std::max(wantHi.X, p.X), std::max(wantHi.Y, p.Y)};
      }
      EXPECT_EQ(std::pair(lo, hi), std::pair(wantLo, wantHi)) << c.name << " " << i;
    }

  // Each box is for its own kind of pad only.
  TObjekt square, round;
  InitThtPad(square, {0, 0}, kLayerC1, kShapeSquare, 1000, 5000);
  InitThtPad(round, {0, 0}, kLayerC1, kShapeRound, 1000, 5000);
  TIPoint lo, hi;
  EXPECT_FALSE(RoundPadRingBox(square, lo, hi));
  EXPECT_FALSE(PolygonPadBox(round, lo, hi));
}

TEST(ThtPadContours, ShapesMarginAndDistanceMode) {
  TObjekt pad;
  InitThtPad(pad, {0, 0}, kLayerC1, kShapeRoundedH, 300, 1000);
  pad.OutlineMargin = 200;
  EXPECT_EQ(ElementContours(pad)[0], Stadium({-1000, 0}, {1000, 0}, 2400, false, false));
  TContourOptions run;
  run.ConnectivityRun = true;
  EXPECT_EQ(ElementContours(pad, run)[0], Stadium({-1000, 0}, {1000, 0}, 2000, false, false));

  InitThtPad(pad, {0, 0}, kLayerC1, kShapeOctagon, 300, 1000);
  EXPECT_EQ(ElementContours(pad)[0].size(), 8u);

  InitThtPad(pad, {0, 0}, kLayerC1, kShapeSquare, 300, 1000);
  EXPECT_EQ(ElementContours(pad)[0], (C{{-1000, 1000}, {1000, 1000}, {1000, -1000}, {-1000, -1000}}));
  TContourOptions dist;
  dist.DistanceMode = true;
  dist.CutLength = 300;
  EXPECT_EQ(ElementContours(pad, dist)[0], (C{{-700, 1000},
                                              {700, 1000},
                                              {1000, 700},
                                              {1000, -700},
                                              {700, -1000},
                                              {-700, -1000},
                                              {-1000, -700},
                                              {-1000, 700}}));
  // Octagons keep their shape in distance mode.
  InitThtPad(pad, {0, 0}, kLayerC1, kShapeOctagonV, 300, 1000);
  EXPECT_EQ(ElementContours(pad, dist)[0], ElementContours(pad)[0]);

  pad.Shape = 0;
  EXPECT_TRUE(ElementContours(pad).empty());
  pad.Shape = 12;
  EXPECT_TRUE(ElementContours(pad).empty());
}

TEST(SmdPadContours, CornersOrCutCorners) {
  TObjekt smd;
  InitSmdPad(smd, {0, 0}, 2000, kLayerC1, 1000);
  EXPECT_EQ(ElementContours(smd)[0], (C{{-1000, 500}, {1000, 500}, {1000, -500}, {-1000, -500}}));
  TContourOptions dist;
  dist.DistanceMode = true;
  dist.CutLength = 100;
  EXPECT_EQ(
      ElementContours(smd, dist)[0],
      (C{{-900, 500}, {900, 500}, {1000, 400}, {1000, -400}, {900, -500}, {-900, -500}, {-1000, -400}, {-1000, 400}}));
}

TEST(CircleContours, RingSectorWithCaps) {
  TObjekt c;
  InitCircle(c, {0, 0}, 10000, kLayerS1, 8000);
  c.StartAngle = 0;
  c.StopAngle = 90000;
  TContours cs = ElementContours(c);
  ASSERT_EQ(cs.size(), 3u);
  // round((round(10000 / 5000) + 24) * 90 / 360) = 7 steps along each arc.
  ASSERT_EQ(cs[0].size(), 16u);
  EXPECT_EQ(cs[0][0], (TIPoint{10000, 0}));
  EXPECT_EQ(cs[0][7], (TIPoint{0, 10000}));  // outer stop
  EXPECT_EQ(cs[0][8], (TIPoint{0, 8000}));   // inner stop
  EXPECT_EQ(cs[0][15], (TIPoint{8000, 0}));  // back at the inner start
  // Caps: round(1000 / 1000) + 8 points of radius 1000 around the mid-radius ends.
  EXPECT_EQ(cs[1].size(), 9u);
  EXPECT_EQ(cs[1].back(), (TIPoint{10000, 0}));
  EXPECT_EQ(cs[2].back(), (TIPoint{1000, 9000}));
}

TEST(CircleContours, TooThinRingAndFilledCircle) {
  TObjekt c;
  InitCircle(c, {0, 0}, 10000, kLayerS1, 12000);  // inner beyond outer - 100
  TContours cs = ElementContours(c);
  ASSERT_EQ(cs.size(), 3u);
  // Ring of width 100: caps of radius 50 around the mid radius 9950.
  EXPECT_EQ(cs[1].back(), (TIPoint{10000, 0}));
  EXPECT_EQ(cs[1].size(), 8u);

  c.SizeB = 0;
  c.Fill = 1;
  cs = ElementContours(c);
  ASSERT_EQ(cs.size(), 2u);
  EXPECT_EQ(cs[0].size(), 1u + 13);  // outer start + round(10000 / 1000) + 3
  EXPECT_EQ(cs[0].front(), cs[0].back());
  EXPECT_EQ(cs[1], Stadium({5000, 0}, {5000, 0}, 10000, false, false));
}

TEST(TextContours, EveryStrokeSegment) {
  TObjekt t;
  InitText(t, {0, 0}, "L", false, false, kLayerS1, 1, 1, 1000, 0);
  auto stroke = NewObjekt();
  InitTrack(*stroke, 150, kLayerS1);
  for (TFPoint p : {TFPoint{0, 800}, TFPoint{0, 0}, TFPoint{400, 0}}) AddPoint(*stroke, p);
  t.SubElements.push_back(std::move(stroke));
  TContours cs = ElementContours(t);
  ASSERT_EQ(cs.size(), 2u);
  EXPECT_EQ(cs[1], Stadium({0, 0}, {400, 0}, 150, false, false));
}

TEST(ElementContours, LegacyKindsHaveNone) {
  TObjekt e;
  e.Kind = kKindLegacyLine;
  EXPECT_TRUE(ElementContours(e).empty());
  e.Kind = kKindLegacyText;
  EXPECT_TRUE(ElementContours(e).empty());
}

TEST(OrientClockwise, ReversesOnlyCounterClockwise) {
  const C cw{{0, 0}, {0, 10}, {10, 10}, {10, 0}};
  C a = cw;
  OrientClockwise(a);
  EXPECT_EQ(a, cw);
  C b{{0, 0}, {10, 0}, {10, 10}, {0, 10}};
  OrientClockwise(b);
  EXPECT_EQ(b, (C{{0, 10}, {10, 10}, {10, 0}, {0, 0}}));
  // A stadium comes out counter-clockwise and is turned round.
  C s = Stadium({0, 0}, {10000, 0}, 3000, false, false);
  C r(s.rbegin(), s.rend());
  OrientClockwise(s);
  EXPECT_EQ(s, r);
}

}  // namespace
}  // namespace bs
