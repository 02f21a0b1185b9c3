#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "model/geometry.h"
#include "render/grid.h"
#include "render/view.h"

namespace bs {
namespace {

constexpr TViewport kVp{800, 600};

// A 160 x 100 mm board.
TPlatine Board(double zoom = 0.001, int32_t scrollX = 0, int32_t scrollY = 0) {
  TPlatine b = NewPlatine(1600000, 1000000, false);
  b.Zoom = zoom;
  b.ScrollX = scrollX;
  b.ScrollY = scrollY;
  b.ActiveLayer = kLayerC2;  // the layer rules below are shown on the bottom copper
  return b;
}

TZoomRecord State(const TPlatine& b) { return {b.ScrollX, b.ScrollY, b.Zoom}; }

// ---- mapping ----

TEST(ViewMapping, PixelsAndModelPointsAreInverse) {
  TPlatine b = Board(0.01, 100, 50);
  EXPECT_EQ(ModelToPixel(b, {20000, -30000}), (TDPoint{100, 250}));
  const TDPoint m = PixelToModel(b, {33, 44});
  EXPECT_DOUBLE_EQ(m.X, 13300);
  EXPECT_DOUBLE_EQ(m.Y, -9400);
  const TDPoint back = ModelToPixel(b, m);
  EXPECT_NEAR(back.X, 33, 1e-9);
  EXPECT_NEAR(back.Y, 44, 1e-9);
}

TEST(ViewMapping, SnappingRunsThroughTheZeroPoint) {
  TPlatine b = Board(0.01, 100, 50);
  b.Grid = 12700;
  b.OriginX = 100;  // off the grid of the board corner
  b.OriginY = -1000000;
  // Model (13300, -9400): x snaps to 100 + 12700, y to -1000000 + 78 * 12700.
  const TDPoint s = PixelToModel(b, {33, 44}, true);
  EXPECT_DOUBLE_EQ(s.X, 12800);
  EXPECT_DOUBLE_EQ(s.Y, -1000000 + 78 * 12700.0);
}

TEST(ViewMapping, SurfaceIsTheBoardAtZoomPlusOnePixel) {
  EXPECT_EQ(SurfaceSize(Board(0.001)), (TPixelSize{1601, 1001}));
  EXPECT_EQ(SurfaceSize(Board(0.00123)), (TPixelSize{1969, 1231}));
}

TEST(ViewScroll, StaysInsideTheScrollRange) {
  TPlatine b = Board(0.001, 5000, -7);
  ClampScroll(b, kVp);
  EXPECT_EQ(b.ScrollX, 1601 - 800);
  EXPECT_EQ(b.ScrollY, 0);
  // A board smaller than the viewport does not scroll at all.
  TPlatine small = Board(0.0001, 30, 30);
  ScrollBy(small, kVp, 10, 10);
  EXPECT_EQ(small.ScrollX, 0);
  EXPECT_EQ(small.ScrollY, 0);
  EXPECT_FALSE(ScrollBy(small, kVp, 10, 10));
  TPlatine mid = Board(0.001, 100, 100);
  EXPECT_TRUE(ScrollBy(mid, kVp, -30, 20));
  EXPECT_EQ(State(mid), (TZoomRecord{70, 120, 0.001}));
}

TEST(ViewScroll, EdgeScrollingMovesOnlyWhereTheBoardGoesOn) {
  struct Case {
    int32_t scrollX, scrollY;
    TDPoint pointer;
    TPixelOffset delta;
  };
  // Scroll range 801 x 401, steps 50 x 37.
  for (const Case c :
       {Case{100, 100, {3, 300}, {-50, 0}}, Case{0, 100, {3, 300}, {0, 0}}, Case{100, 100, {795, 596}, {50, 37}},
        Case{801, 401, {795, 596}, {0, 0}}, Case{100, 100, {400, 7}, {0, -37}}, Case{100, 100, {400, 300}, {0, 0}}}) {
    const TPlatine b = Board(0.001, c.scrollX, c.scrollY);
    EXPECT_EQ(EdgeScrollDelta(b, kVp, c.pointer), c.delta) << c.pointer.X << "," << c.pointer.Y;
  }
}

// ---- SetZoom ----

TEST(ZoomSet, RoundsToFiveDecimalsAndClamps) {
  struct Case {
    double in, out;
  };
  for (const Case c :
       {Case{0.0012345678, 0.00123}, Case{0.000125, 0.00013}, Case{0.00009, 0.0001}, Case{0.0000001, 0.0001},
        Case{0, 0.0001}, Case{-1, 0.0001}, Case{1.999996, 2.0}, Case{2.5, 2.0}, Case{1e9, 2.0}}) {
    TPlatine b = Board();
    SetZoom(b, kVp, TDPoint{0, 0}, c.in);
    EXPECT_EQ(b.Zoom, c.out) << c.in;
  }
}

TEST(ZoomSet, PutsTheCentreInTheMiddleOfTheViewport) {
  TPlatine b = Board();
  SetZoom(b, kVp, TDPoint{800000, 500000}, 0.01);
  // scroll = Zoom * c - size / 2
  EXPECT_EQ(State(b), (TZoomRecord{8000 - 400, 5000 - 300, 0.01}));
  EXPECT_EQ(ModelToPixel(b, {800000, -500000}), (TDPoint{400, 300}));
}

TEST(ZoomSet, KeepsTheCentreWhenNoneIsGiven) {
  TPlatine b = Board(0.01, 3000, 2000);
  const TDPoint before = ViewCentre(b, kVp);
  SetZoom(b, kVp, std::nullopt, 0.02);
  const TDPoint after = ViewCentre(b, kVp);
  EXPECT_NEAR(after.X, before.X, 1 / b.Zoom);
  EXPECT_NEAR(after.Y, before.Y, 1 / b.Zoom);
}

TEST(ZoomSet, NearTheBoardEdgeTheScrollRangeWins) {
  TPlatine b = Board();
  SetZoom(b, kVp, TDPoint{0, 1000000}, 0.01);  // bottom-left corner
  EXPECT_EQ(b.ScrollX, 0);
  EXPECT_EQ(b.ScrollY, 10001 - 600);
}

// ---- wheel ----

TEST(ZoomWheel, ZoomingInStopsExactlyAtTwo) {
  TPlatine b = Board();
  int steps = 0;
  while (WheelZoom(b, kVp, {400, 300}, true)) ASSERT_LT(++steps, 100);
  EXPECT_EQ(b.Zoom, 2.0);
  EXPECT_GT(steps, 20);
  EXPECT_FALSE(WheelZoom(b, kVp, {400, 300}, true));
  EXPECT_EQ(b.Zoom, 2.0);
}

TEST(ZoomWheel, ZoomingOutStopsAtTheLowerLimit) {
  TPlatine b = Board(0.05);
  double before = b.Zoom;
  int steps = 0;
  while (WheelZoom(b, kVp, {400, 300}, false)) {
    ASSERT_LT(++steps, 100);
    EXPECT_GT(before, kWheelZoomOutLimit);  // only zooms above the limit go further out
    EXPECT_GE(b.Zoom, kMinZoom);
    before = b.Zoom;
  }
  EXPECT_LE(b.Zoom, kWheelZoomOutLimit);
  EXPECT_GT(steps, 10);
  // A zoom loaded with a value just above the limit still takes one step.
  TPlatine near = Board(0.000106);
  EXPECT_TRUE(WheelZoom(near, kVp, {0, 0}, false));
  EXPECT_EQ(near.Zoom, kMinZoom);
  TPlatine at = Board(0.000105);
  EXPECT_FALSE(WheelZoom(at, kVp, {0, 0}, false));
  EXPECT_EQ(at.Zoom, 0.000105);
}

TEST(ZoomWheel, ThePointerFollowsTheModelPoint) {
  struct Case {
    TPlatine board;
    TDPoint cursor;
    bool in;
    TDPoint pointer;  // where the model point under the cursor lies afterwards
  };
  const TPlatine small = NewPlatine(200000, 100000, false);  // 20 x 10 mm
  TPlatine smallAt = small;
  smallAt.Zoom = 0.001;
  for (const Case& c : {
           // In the open the point comes to the middle of the viewport.
           Case{Board(0.01, 4000, 3000), {100, 200}, true, {400, 300}},
           Case{Board(0.01, 4000, 3000), {100, 200}, false, {400, 300}},
           // At the top-left corner the scroll range keeps the board in place.
           Case{Board(0.01), {10, 20}, true, {13, 26}},
           // Beside a small board the point is first pulled onto the board.
           Case{smallAt, {400, 150}, true, {260, 130}},
       }) {
    TPlatine b = c.board;
    const auto p = WheelZoom(b, kVp, c.cursor, c.in);
    ASSERT_TRUE(p);
    EXPECT_NEAR(p->X, c.pointer.X, 1) << c.cursor.X;
    EXPECT_NEAR(p->Y, c.pointer.Y, 1) << c.cursor.Y;
  }
}

// ---- zoom tool, history ----

TEST(ZoomTool, SmallRectanglesActAsClicks) {
  struct Case {
    TDPoint to;
    double zoom;
  };
  const TDPoint from{300, 200};
  // From 0.01: a click gives 0.014; a rectangle the smaller of 800 / w and
  // 600 / h times the zoom.
  for (const Case c : {Case{{308, 300}, 0.014}, Case{{400, 208}, 0.014}, Case{{300, 200}, 0.014},
                       Case{{309, 209}, 0.66667}, Case{{200, 50}, 0.04}}) {
    TPlatine b = Board(0.01, 4000, 3000);
    TZoomHistory h;
    ZoomToolRectangle(b, h, kVp, from, c.to);
    ASSERT_EQ(h.size(), 1u);
    EXPECT_EQ(b.Zoom, c.zoom) << c.to.X << "," << c.to.Y;
  }
}

TEST(ZoomTool, RectangleIsCentred) {
  TPlatine b = Board(0.01, 4000, 3000);
  TZoomHistory h;
  const TDPoint centre = PixelToModel(b, {150, 125});
  ZoomToolRectangle(b, h, kVp, {100, 100}, {200, 150});  // 100 x 50 px: 8 times
  EXPECT_EQ(b.Zoom, 0.08);
  const TDPoint p = ModelToPixel(b, centre);
  EXPECT_NEAR(p.X, 400, 1);
  EXPECT_NEAR(p.Y, 300, 1);
}

TEST(ZoomTool, ClickCentresOnThePoint) {
  TPlatine b = Board(0.01, 4000, 3000);
  TZoomHistory h;
  const TDPoint m = PixelToModel(b, {100, 200});
  ZoomToolClick(b, h, kVp, {100, 200});
  EXPECT_EQ(b.Zoom, 0.014);
  const TDPoint p = ModelToPixel(b, m);
  EXPECT_NEAR(p.X, 400, 1);
  EXPECT_NEAR(p.Y, 300, 1);
}

TEST(ZoomHistory, OnlyTheCommandsOfTheToolAndMenusPush) {
  static const TURect sAll{0, -900000, 1500000, -100000};
  static const TURect sSel{100000, -500000, 300000, -400000};
  static const TURect sTiny{0, 0, 49, 1000};
  struct Case {
    const char* name;
    void (*op)(TPlatine&, TZoomHistory&);
    size_t pushes;
  };
  const Case cases[] = {
      {"wheel in",
       [](TPlatine& b, TZoomHistory&) {
         WheelZoom(b, kVp, {10, 10}, true);
       },
       0},
      {"wheel out",
       [](TPlatine& b, TZoomHistory&) {
         WheelZoom(b, kVp, {10, 10}, false);
       },
       0},
      {"tool click",
       [](TPlatine& b, TZoomHistory& h) {
         ZoomToolClick(b, h, kVp, {10, 10});
       },
       1},
      {"tool rectangle",
       [](TPlatine& b, TZoomHistory& h) {
         ZoomToolRectangle(b, h, kVp, {10, 10}, {90, 90});
       },
       1},
      {"tool right click", [](TPlatine& b, TZoomHistory& h) { ZoomStep(b, h, kVp, false); }, 1},
      {"overview click", [](TPlatine& b, TZoomHistory& h) { ZoomStep(b, h, kVp, true); }, 1},
      {"board", [](TPlatine& b, TZoomHistory& h) { ZoomBoard(b, h, kVp); }, 1},
      {"objects", [](TPlatine& b, TZoomHistory& h) { ZoomObjects(b, h, kVp, sAll); }, 1},
      {"objects too small", [](TPlatine& b, TZoomHistory& h) { ZoomObjects(b, h, kVp, sTiny); }, 0},
      {"selection", [](TPlatine& b, TZoomHistory& h) { ZoomSelection(b, h, kVp, sSel, sAll); }, 1},
      {"nothing selected", [](TPlatine& b, TZoomHistory& h) { ZoomSelection(b, h, kVp, TURect{}, sAll); }, 0},
  };
  for (const Case& c : cases) {
    TPlatine b = Board(0.001, 100, 50);
    const TZoomRecord before = State(b);
    TZoomHistory h;
    c.op(b, h);
    ASSERT_EQ(h.size(), c.pushes) << c.name;
    if (c.pushes) {
      EXPECT_EQ(h.back(), before) << c.name;
      EXPECT_NE(State(b), before) << c.name;
    }
  }
}

TEST(ZoomHistory, PreviousRestoresEachStateExactly) {
  TPlatine b = Board(0.00123, 517, 233);
  TZoomHistory h;
  std::vector<TZoomRecord> seen{State(b)};
  ZoomStep(b, h, kVp, true);
  seen.push_back(State(b));
  ZoomToolClick(b, h, kVp, {123, 77});
  seen.push_back(State(b));
  ZoomBoard(b, h, kVp);
  WheelZoom(b, kVp, {300, 300}, true);  // not recorded
  for (int i = int(seen.size()) - 1; i >= 0; --i) {
    ASSERT_TRUE(ZoomPrevious(b, h, kVp));
    EXPECT_EQ(State(b), seen[size_t(i)]) << i;
  }
  EXPECT_TRUE(h.empty());
  EXPECT_FALSE(ZoomPrevious(b, h, kVp));
  EXPECT_EQ(State(b), seen[0]);
}

// ---- board, objects, selection ----

TEST(ZoomFit, BoardFitsWithATenPixelMargin) {
  TPlatine b = Board(0.01, 3000, 2000);
  TZoomHistory h;
  ASSERT_TRUE(ZoomBoard(b, h, kVp));
  EXPECT_EQ(b.Zoom, 0.00049);  // 790 / 1600000 rounded
  EXPECT_EQ(b.ScrollX, 0);     // the whole board fits: nothing left to scroll
  EXPECT_EQ(b.ScrollY, 0);
  TPlatine empty = NewPlatine(0, 0, false);
  EXPECT_FALSE(ZoomBoard(empty, h, kVp));
}

TEST(ZoomFit, ObjectsNeedFiftyUnitsEachWay) {
  struct Case {
    TURect box;
    bool zooms;
  };
  for (const Case c :
       {Case{{0, -100, 49, 0}, false}, Case{{0, -49, 100, 0}, false}, Case{{}, false}, Case{{0, -50, 50, 0}, true}}) {
    TPlatine b = Board(0.001, 100, 50);
    TZoomHistory h;
    EXPECT_EQ(ZoomObjects(b, h, kVp, c.box), c.zooms) << c.box.Right << "," << c.box.Top;
    if (!c.zooms) {
      EXPECT_EQ(State(b), (TZoomRecord{100, 50, 0.001}));
      EXPECT_TRUE(h.empty());
    }
  }
  TPlatine b = Board(0.0001);
  TZoomHistory h;
  const TURect box{400000, -700000, 800000, -500000};  // 40 x 20 mm around (60, -60) mm
  ASSERT_TRUE(ZoomObjects(b, h, kVp, box));
  EXPECT_EQ(b.Zoom, 0.00195);  // 780 / 400000
  const TDPoint c = ModelToPixel(b, {600000, -600000});
  EXPECT_NEAR(c.X, 400, 1);
  EXPECT_NEAR(c.Y, 300, 1);
}

TEST(ZoomFit, SelectionGetsRoomUpToTheExtentOfAllElements) {
  struct Case {
    const char* name;
    TURect sel, all;
    double zoom;  // min(780 / width, 580 / height) of the box that is fitted
  };
  const TURect wide{0, -1000000, 1600000, 0};
  for (const Case& c : {
           // 80000 x 40000 grown to 100000 x 50000
           Case{"room around", {700000, -520000, 780000, -480000}, wide, 0.0078},
           Case{"selection is everything",
                {700000, -520000, 780000, -480000},
                {700000, -520000, 780000, -480000},
                0.00975},
           // The 10000 units of room on the left are cut off: 90000 x 50000.
           Case{"cut on one side", {700000, -520000, 780000, -480000}, {700000, -1000000, 1600000, 0}, 0.00867},
       }) {
    TPlatine b = Board(0.0001);
    TZoomHistory h;
    ASSERT_TRUE(ZoomSelection(b, h, kVp, c.sel, c.all)) << c.name;
    EXPECT_EQ(b.Zoom, c.zoom) << c.name;
    const TDPoint p = ModelToPixel(b, {740000, -500000});  // the selection's centre
    EXPECT_NEAR(p.X, 400, 1) << c.name;
    EXPECT_NEAR(p.Y, 300, 1) << c.name;
  }
  TPlatine b = Board(0.001, 100, 50);
  TZoomHistory h;
  EXPECT_FALSE(ZoomSelection(b, h, kVp, {0, -100, 9, 0}, wide));
  EXPECT_FALSE(ZoomSelection(b, h, kVp, {0, -9, 100, 0}, wide));
  EXPECT_EQ(State(b), (TZoomRecord{100, 50, 0.001}));
  EXPECT_TRUE(h.empty());
  EXPECT_TRUE(ZoomSelection(b, h, kVp, {0, -10, 10, 0}, wide));
}

// ---- overview ----

TEST(ViewOverview, FrameShowsAndMovesTheVisibleRegion) {
  TPlatine b = Board(0.001, 200, 100);
  const TViewport vp{400, 300};
  const TOverview o = OverviewGeometry(b, vp);
  EXPECT_DOUBLE_EQ(o.Scale, 20000);  // 160 mm over 80 pixels
  EXPECT_DOUBLE_EQ(o.Width, 80);
  EXPECT_DOUBLE_EQ(o.Height, 50);
  EXPECT_DOUBLE_EQ(o.Left, 8.5);
  EXPECT_DOUBLE_EQ(o.FrameLeft, 18.5);
  EXPECT_DOUBLE_EQ(o.FrameTop, 5);
  EXPECT_DOUBLE_EQ(o.FrameWidth, 20);
  EXPECT_DOUBLE_EQ(o.FrameHeight, 15);
  ScrollToOverviewFrame(b, vp, 28.5, 10);
  EXPECT_EQ(b.ScrollX, 400);
  EXPECT_EQ(b.ScrollY, 200);
  ScrollToOverviewFrame(b, vp, 500, 500);  // dragged far out: stops at the miniature's edge
  EXPECT_EQ(b.ScrollX, 1200);
  EXPECT_EQ(b.ScrollY, 700);
  ScrollToOverviewFrame(b, vp, -5, -5);
  EXPECT_EQ(b.ScrollX, 0);
  EXPECT_EQ(b.ScrollY, 0);
}

// ---- layers ----

std::unique_ptr<TObjekt> Track(uint8_t layer, bool selected) {
  auto t = NewObjekt();
  InitTrack(*t, 1000, layer);
  AddPoint(*t, {0, 0});
  AddPoint(*t, {1000, 0});
  t->Selected = selected;
  return t;
}

std::vector<int> SelectedLayers(const TObjektList& list) {
  std::vector<int> out;
  for (const auto& e : list)
    if (e->Selected) out.push_back(e->Layer);
  return out;
}

TEST(ViewLayers, TheActiveLayerCannotBeHidden) {
  TPlatine b = Board();
  TObjektList list;
  list.push_back(Track(kLayerC2, true));
  ASSERT_EQ(b.ActiveLayer, kLayerC2);
  EXPECT_FALSE(ToggleLayerVisible(b, list, kLayerC2));
  EXPECT_TRUE(b.LayerVisible[kLayerC2]);
  EXPECT_TRUE(list[0]->Selected);  // an ignored click deselects nothing
}

TEST(ViewLayers, SwitchingVisibilityDeselectsThatLayerEitherWay) {
  TPlatine b = Board();
  TObjektList list;
  for (uint8_t l : {kLayerC1, kLayerS1, kLayerC1, kLayerO}) list.push_back(Track(l, true));
  auto text = NewObjekt();
  text->Kind = kKindText;
  text->Layer = kLayerC1;
  text->Selected = 1;
  text->SubElements.push_back(Track(kLayerC1, true));
  list.push_back(std::move(text));

  ASSERT_TRUE(ToggleLayerVisible(b, list, kLayerC1));
  EXPECT_FALSE(b.LayerVisible[kLayerC1]);
  EXPECT_EQ(SelectedLayers(list), (std::vector<int>{kLayerS1, kLayerO}));
  EXPECT_FALSE(list[4]->SubElements[0]->Selected);

  for (const auto& e : list) e->Selected = 1;
  ASSERT_TRUE(ToggleLayerVisible(b, list, kLayerC1));
  EXPECT_TRUE(b.LayerVisible[kLayerC1]);
  EXPECT_EQ(SelectedLayers(list), (std::vector<int>{kLayerS1, kLayerO}));
}

TEST(ViewLayers, ActivatingAHiddenLayerShowsIt) {
  TPlatine b = Board();
  TObjektList list;
  list.push_back(Track(kLayerI1, true));
  ASSERT_FALSE(b.LayerVisible[kLayerI1]);
  EXPECT_TRUE(SetActiveLayer(b, list, kLayerI1));
  EXPECT_EQ(b.ActiveLayer, kLayerI1);
  EXPECT_TRUE(b.LayerVisible[kLayerI1]);
  EXPECT_FALSE(list[0]->Selected);
  // Activating a visible layer leaves its selection alone.
  list[0]->Selected = 1;
  EXPECT_TRUE(SetActiveLayer(b, list, kLayerC1));
  EXPECT_FALSE(SetActiveLayer(b, list, kLayerC1));
  EXPECT_TRUE(list[0]->Selected);
  EXPECT_FALSE(SetActiveLayer(b, list, 0));
  EXPECT_FALSE(SetActiveLayer(b, list, 8));
  EXPECT_EQ(b.ActiveLayer, kLayerC1);
}

TEST(ViewLayers, RealisticViewShowsEveryLayer) {
  TPlatine b = Board();
  const auto inner = Track(kLayerI1, false);
  auto cutout = Track(kLayerC2, false);
  cutout->Cutout = 1;
  EXPECT_FALSE(ElementVisible(*inner, b, false));
  EXPECT_TRUE(ElementVisible(*inner, b, true));
  // The cut-out rule still needs the ground plane of the active layer.
  EXPECT_FALSE(ElementVisible(*cutout, b, true));
  b.GroundPlane[kLayerC2] = 1;
  EXPECT_TRUE(ElementVisible(*cutout, b, true));
}

// ---- zero point, read-out ----

TEST(ViewZeroPoint, CornersAndSnappedPositions) {
  TPlatine b = Board();
  b.Grid = 12700;
  EXPECT_EQ(ZeroPointTopLeft(), (TIPoint{0, 0}));
  EXPECT_EQ(ZeroPointBottomLeft(b), (TIPoint{0, -1000000}));
  b.OriginX = 100;  // the grid runs through the current zero point
  b.OriginY = 0;
  EXPECT_EQ(ZeroPointAt(b, {12000, -25000}, false), (TIPoint{12800, -25400}));
  EXPECT_EQ(ZeroPointAt(b, {12000.4, -25000.6}, true), (TIPoint{12000, -25001}));
  EXPECT_TRUE(SetZeroPoint(b, ZeroPointBottomLeft(b)));
  EXPECT_EQ(b.OriginX, 0);
  EXPECT_EQ(b.OriginY, -1000000);
  EXPECT_FALSE(SetZeroPoint(b, {0, -1000000}));
}

TEST(ViewReadout, DistancesFromTheZeroPoint) {
  TPlatine b = Board();
  b.OriginX = 5000;
  b.OriginY = -1000000;
  struct Case {
    TDPoint p;
    TDisplayUnit unit;
    const char *x, *y;
  };
  for (const Case& c : {Case{{17345.6, -987654.4}, TDisplayUnit::Mm, "1.235 mm", "1.235 mm"},
                        // Below the zero point Y is still a positive distance.
                        Case{{0, -1005000}, TDisplayUnit::Mm, "-0.500 mm", "0.500 mm"},
                        Case{{7540, -999746}, TDisplayUnit::Mil, "10.0 mil", "1.0 mil"}}) {
    const TCoordinateText t = CoordinateReadout(b, c.p, c.unit);
    EXPECT_EQ(t.X, c.x);
    EXPECT_EQ(t.Y, c.y);
  }
}

// ---- grid value codes ----

TEST(GridCode, DecodesToMillimetres) {
  struct Case {
    int32_t code;
    double mm;
  };
  for (const Case c : {Case{10002545, 2.54}, Case{23968753, 0.0396875}, Case{10000105, 0.1}, Case{10000010, 1},
                       Case{10000256, 2.5}, Case{11000001, 0.1}, Case{19999990, 999999},
                       Case{30001000, 100 * 25.4 / 1000}, Case{30000056, 0.5 * 25.4 / 1000}, Case{20010000, 1}}) {
    const auto mm = DecodeGridValue(c.code);
    ASSERT_TRUE(mm) << c.code;
    EXPECT_DOUBLE_EQ(*mm, c.mm) << c.code;
    EXPECT_DOUBLE_EQ(GridUnitsFromCode(c.code), c.mm * 10000) << c.code;
  }
  for (int32_t bad : {0, 9999999, 40000000, 10000107, 10000009, -10002545}) EXPECT_FALSE(DecodeGridValue(bad)) << bad;
  EXPECT_EQ(GridUnitsFromCode(40000000), 0);
}

TEST(GridCode, EncodesTypedValues) {
  struct Case {
    const char* text;
    TGridUnit unit;
    int32_t code;
  };
  for (const Case& c : {Case{"2.54", TGridUnit::Mm, 10002545}, Case{"39.6875", TGridUnit::Micrometre, 23968753},
                        Case{"0.10", TGridUnit::Mm, 10000105}, Case{"0,5", TGridUnit::Mm, 10000056},
                        Case{"10", TGridUnit::Mm, 10000100}, Case{" 25 ", TGridUnit::Mil, 30000250},
                        Case{".079375", TGridUnit::Mm, 10793751}, Case{"0.079375", TGridUnit::Mm, 10793751},
                        Case{"2.", TGridUnit::Mm, 10000020},
                        // Only as many zeros go as needed to fit six digits.
                        Case{"0002.540000", TGridUnit::Mm, 12540002}, Case{"123456", TGridUnit::Mil, 31234560}}) {
    const auto code = EncodeGridValue(c.text, c.unit);
    ASSERT_TRUE(code) << c.text;
    EXPECT_EQ(*code, c.code) << c.text;
  }
  for (const char* bad : {"", " ", ".", "1.2.3", "-1", "+1", "1e3", "abc", "1234567", "0.0396875", "1 2"})
    EXPECT_FALSE(EncodeGridValue(bad, TGridUnit::Mm)) << bad;
}

TEST(GridCode, TypedValuesRoundTrip) {
  struct Case {
    const char* text;
    TGridUnit unit;
  };
  for (const Case& c :
       {Case{"0.001", TGridUnit::Mm}, Case{"1.5625", TGridUnit::Mil}, Case{"158.75", TGridUnit::Micrometre},
        Case{"999999", TGridUnit::Mm}, Case{"0.000001", TGridUnit::Mm}, Case{"12.3456", TGridUnit::Mm}}) {
    const auto code = EncodeGridValue(c.text, c.unit);
    ASSERT_TRUE(code) << c.text;
    const double typed = std::strtod(c.text, nullptr);
    const double mm = c.unit == TGridUnit::Mm           ? typed
                      : c.unit == TGridUnit::Micrometre ? typed / 1000
                                                        : typed * 25.4 / 1000;
    EXPECT_DOUBLE_EQ(*DecodeGridValue(*code), mm) << c.text;
    // Decoding and encoding again in the same unit keeps the value.
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.6f", typed);
    EXPECT_EQ(DecodeGridValue(*EncodeGridValue(buf, c.unit)), DecodeGridValue(*code)) << c.text;
  }
}

TEST(GridCode, BuiltInListsAndHotkeys) {
  const double inch[] = {0.0396875, 0.079375, 0.15875, 0.3175, 0.635, 1.27, 2.54, 5.08};
  for (size_t i = 0; i < kInchGrids.size(); ++i)
    EXPECT_DOUBLE_EQ(*DecodeGridValue(kInchGrids[i].Code), inch[i]) << kInchGrids[i].Name;
  const double metric[] = {0.01, 0.02, 0.025, 0.05, 0.1, 0.2, 0.25, 0.5, 1, 2, 2.5};
  for (size_t i = 0; i < kMetricGrids.size(); ++i)
    EXPECT_DOUBLE_EQ(*DecodeGridValue(kMetricGrids[i].Code), metric[i]) << i;
  const double keys[] = {2.54, 1.27, 0.635, 0.3175, 0.15875, 0.079375, 0.0396875, 1, 0.1};
  for (size_t i = 0; i < kDefaultGridHotkeys.size(); ++i)
    EXPECT_DOUBLE_EQ(*DecodeGridValue(kDefaultGridHotkeys[i]), keys[i]) << "key " << i + 1;
}

// ---- user grids ----

TEST(GridUser, RangeIsOneMicrometreToTenMillimetres) {
  struct Case {
    const char* text;
    TGridUnit unit;
    bool ok;
    const char* limit;  // named in the message
  };
  for (const Case& c :
       {Case{"0.0005", TGridUnit::Mm, false, "0.001 mm"}, Case{"0.001", TGridUnit::Mm, true, ""},
        Case{"1", TGridUnit::Micrometre, true, ""}, Case{"0.9", TGridUnit::Micrometre, false, "0.001 mm"},
        Case{"10", TGridUnit::Mm, true, ""}, Case{"10.5", TGridUnit::Mm, false, "10 mm"},
        Case{"394", TGridUnit::Mil, false, "10 mm"}, Case{"393", TGridUnit::Mil, true, ""}}) {
    std::vector<int32_t> list;
    const TUserGridAdd r = AddUserGrid(list, c.text, c.unit);
    EXPECT_EQ(r.Error.empty(), c.ok) << c.text;
    EXPECT_EQ(r.Inserted, c.ok) << c.text;
    EXPECT_EQ(list.size(), c.ok ? 1u : 0u) << c.text;
    if (!c.ok) {
      EXPECT_NE(r.Error.find(c.limit), std::string::npos) << r.Error;
    }
  }
  std::vector<int32_t> list;
  EXPECT_FALSE(AddUserGrid(list, "x", TGridUnit::Mm).Error.empty());
}

TEST(GridUser, KeptInAscendingOrderWithoutDuplicates) {
  std::vector<int32_t> list;
  struct Step {
    const char* text;
    TGridUnit unit;
    int index;
    bool inserted;
  };
  for (const Step& s :
       {Step{"0.5", TGridUnit::Mm, 0, true}, Step{"0.1", TGridUnit::Mm, 0, true}, Step{"1", TGridUnit::Mm, 2, true},
        Step{"500", TGridUnit::Micrometre, 1, false},  // equal to 0.5 mm
        Step{"10", TGridUnit::Mil, 1, true},           // 0.254 mm
        Step{"0.50", TGridUnit::Mm, 2, false}, Step{"0.25", TGridUnit::Mm, 1, true}}) {
    const TUserGridAdd r = AddUserGrid(list, s.text, s.unit);
    EXPECT_EQ(r.Index, s.index) << s.text;
    EXPECT_EQ(r.Inserted, s.inserted) << s.text;
  }
  std::vector<double> mm;
  for (int32_t c : list) mm.push_back(*DecodeGridValue(c));
  EXPECT_EQ(mm, (std::vector<double>{0.1, 0.25, 0.254, 0.5, 1}));
  EXPECT_TRUE(SameUserGrid(0.5, 0.5 + 5e-11));
  EXPECT_FALSE(SameUserGrid(0.5, 0.5 + 2e-10));
}

TEST(GridUser, MenuCheckComparesAtTenNanometres) {
  EXPECT_TRUE(GridMatches(396.875, 0.0396875));
  EXPECT_TRUE(GridMatches(25400.00001, 2.54));
  EXPECT_FALSE(GridMatches(25401, 2.54));
}

// ---- grid texts ----

TEST(GridText, ValuesInEachUnit) {
  struct Case {
    double mm;
    TDisplayUnit unit;
    const char* text;
  };
  for (const Case& c : {Case{2.54, TDisplayUnit::Mm, "2.54 мм"}, Case{0.0396875, TDisplayUnit::Mm, "39.6875 мк"},
                        Case{0.079375, TDisplayUnit::Mm, "79.375 мк"}, Case{0.15875, TDisplayUnit::Mm, "158.75 мк"},
                        Case{0.3175, TDisplayUnit::Mm, "0.3175 мм"}, Case{0.0254, TDisplayUnit::Mm, "0.0254 мм"},
                        Case{1.27001, TDisplayUnit::Mm, "1.27001 мм"},  // 1 mm or more: no µm
                        Case{10, TDisplayUnit::Mm, "10 мм"}, Case{2.54, TDisplayUnit::Mil, "100 mil"},
                        Case{0.0396875, TDisplayUnit::Mil, "1.5625 mil"}, Case{0.01, TDisplayUnit::Mil, "0.3937 mil"},
                        Case{0.1, TDisplayUnit::Mil, "3.93701 mil"}, Case{1, TDisplayUnit::Mil, "39.3701 mil"},
                        Case{25.4, TDisplayUnit::Mil, "1000 mil"}}) {
    EXPECT_EQ(GridValueText(c.mm, c.unit, TLanguage::Russian), c.text) << c.mm;
  }
}

// The English and French interfaces show the international signs; mil is
// the same everywhere.
TEST(GridText, UnitSignsFollowTheLanguage) {
  for (TLanguage l : {TLanguage::English, TLanguage::French}) {
    EXPECT_EQ(GridValueText(2.54, TDisplayUnit::Mm, l), "2.54 mm");
    EXPECT_EQ(GridValueText(0.0396875, TDisplayUnit::Mm, l), "39.6875 µm");
    EXPECT_EQ(GridMenuText(2.54, TDisplayUnit::Mil, l), "100 mil (2.54 mm)");
    EXPECT_EQ(GridButtonText(2.54, TDisplayUnit::Mm, l), "  2.54 mm");
    EXPECT_EQ(GridButtonText(0.3175, TDisplayUnit::Mm, l), "0.3175 mm");
  }
}

TEST(GridText, MenuAndButton) {
  EXPECT_EQ(GridMenuText(2.54, TDisplayUnit::Mm, TLanguage::Russian), "2.54 мм (100 mil)");
  EXPECT_EQ(GridMenuText(2.54, TDisplayUnit::Mil, TLanguage::Russian), "100 mil (2.54 мм)");
  EXPECT_EQ(GridMenuText(0.0396875, TDisplayUnit::Mm, TLanguage::Russian), "39.6875 мк (1.5625 mil)");
  // Padded to 9 characters (mm) or 11 (mil); Cyrillic letters count once.
  EXPECT_EQ(GridButtonText(2.54, TDisplayUnit::Mm, TLanguage::Russian), "  2.54 мм");
  EXPECT_EQ(GridButtonText(0.0396875, TDisplayUnit::Mm, TLanguage::Russian), "39.6875 мк");
  EXPECT_EQ(GridButtonText(2.54, TDisplayUnit::Mil, TLanguage::Russian), "    100 mil");
}

// ---- rulers ----

TEST(RulerScale, StepsByPixelsPerMillimetre) {
  struct Case {
    double zoom;
    TDisplayUnit unit;
    int d, major, step;
  };
  const auto mm = TDisplayUnit::Mm;
  for (const Case c :
       {Case{0.0001, mm, 1, 50000, 10000}, Case{0.0004, mm, 4, 50000, 10000}, Case{0.0005, mm, 5, 10000, 1000},
        Case{0.0019, mm, 19, 10000, 1000}, Case{0.002, mm, 20, 5000, 1000}, Case{0.005, mm, 50, 1000, 100},
        Case{0.03, mm, 300, 500, 100}, Case{0.1, mm, 1000, 100, 10}, Case{0.3, mm, 3000, 50, 10},
        Case{0.5, mm, 5000, 10, 1}, Case{2.0, mm, 20000, 5, 1}, Case{0.001, TDisplayUnit::Mil, 25, 5000, 1000},
        Case{2.0, TDisplayUnit::Mil, 50800, 1, 1}}) {
    const TRulerScale s = RulerScale(c.zoom, c.unit);
    EXPECT_EQ(s.PixelsPerStep, c.d) << c.zoom;
    EXPECT_EQ(s.Major, c.major) << c.zoom;
    EXPECT_EQ(s.Step, c.step) << c.zoom;
  }
}

TEST(RulerTicks, MillimetresAtTenPixelsPerMillimetre) {
  // Ticks every mm, 8 pixels at 5 mm, labels every 10 mm; the label at the
  // start is left out.
  const auto ticks = RulerTicks(0.001, TDisplayUnit::Mm, 0, 300, 0, false);
  std::vector<TRulerTick> expected;
  for (int mm = 1; mm < 30; ++mm) {
    if (mm % 10 == 0) expected.push_back({mm * 10, 14, std::to_string(mm / 1)});
    else expected.push_back({mm * 10, mm % 5 == 0 ? 8 : 4, {}});
  }
  EXPECT_EQ(ticks, expected);
}

TEST(RulerTicks, LabelsCountFromTheZeroPoint) {
  // Horizontal: zero point at x = 30 mm, scrolled by 100 pixels; left of it
  // the distances are negative.
  auto h = RulerTicks(0.001, TDisplayUnit::Mm, 300000, 400, 100, false);
  std::vector<std::pair<int, std::string>> labels;
  for (const auto& t : h)
    if (t.Length == 14) labels.push_back({t.Position, t.Label});
  EXPECT_EQ(labels, (std::vector<std::pair<int, std::string>>{{100, "-10"}, {200, "0"}, {300, "10"}}));
  // Vertical: zero point at the bottom edge (y = -100 mm), scrolled by 900
  // pixels so that it lies at pixel 100; distances above it carry no sign.
  TPlatine b = Board(0.001, 0, 900);
  b.OriginY = -1000000;
  labels.clear();
  for (const auto& t : VerticalRulerTicks(b, TDisplayUnit::Mm, 101))
    if (t.Length == 14) labels.push_back({t.Position, t.Label});
  EXPECT_EQ(labels, (std::vector<std::pair<int, std::string>>{{100, "0"}}));
  b.ScrollY = 850;
  labels.clear();
  for (const auto& t : VerticalRulerTicks(b, TDisplayUnit::Mm, 200))
    if (t.Length == 14) labels.push_back({t.Position, t.Label});
  EXPECT_EQ(labels, (std::vector<std::pair<int, std::string>>{{50, "10"}, {150, "0"}}));
}

TEST(RulerTicks, FineStepsAndMil) {
  // 1 px per um: e = 100 um, r = 10 um; labels in mm with decimals.
  auto fine = RulerTicks(0.1, TDisplayUnit::Mm, 0, 260, 0, false);
  ASSERT_EQ(fine.size(), 25u);
  EXPECT_EQ(fine[3], (TRulerTick{40, 4, {}}));
  EXPECT_EQ(fine[4], (TRulerTick{50, 8, {}}));
  EXPECT_EQ(fine[9], (TRulerTick{100, 14, "0.1"}));
  EXPECT_EQ(fine[19], (TRulerTick{200, 14, "0.2"}));
  // e of 50 counts: every tick is a 4-pixel one, labels at the multiples.
  auto fives = RulerTicks(0.3, TDisplayUnit::Mm, 0, 200, 0, false);
  std::set<int> lengths;
  for (const auto& t : fives) lengths.insert(t.Length);
  EXPECT_EQ(lengths, (std::set<int>{4, 14}));
  EXPECT_EQ(fives[4], (TRulerTick{RoundInt(50 * 10 * 0.3), 14, "0.05"}));
  // Mil: 0.1 zoom is 2540 px per 100 mil: e = 5 mil; 2.54 px per tenth.
  auto mil = RulerTicks(0.1, TDisplayUnit::Mil, 0, 300, 0, false);
  std::vector<std::pair<int, std::string>> labels;
  for (const auto& t : mil)
    if (t.Length == 14) labels.push_back({t.Position, t.Label});
  EXPECT_EQ(labels, (std::vector<std::pair<int, std::string>>{{127, "5"}, {254, "10"}}));
  EXPECT_TRUE(RulerTicks(0, TDisplayUnit::Mm, 0, 300, 0, false).empty());
}

// ---- grid drawing ----

struct TRect {
  double x0, y0, x1, y1;
  TColour c;
  bool operator<(const TRect& o) const { return std::tie(x0, y0, x1, y1, c) < std::tie(o.x0, o.y0, o.x1, o.y1, o.c); }
  bool operator==(const TRect&) const = default;
};

// Records what is drawn on it.
class TRecordingSurface : public TSurface {
 public:
  TRecordingSurface(int w, int h) : w_(w), h_(h) {}
  int Width() const override { return w_; }
  int Height() const override { return h_; }
  bool AntiAliased() const override { return false; }
  void SetCompose(TCompose) override {}
  void SetAlpha(uint8_t) override {}
  void SetClip(int, int, int, int) override {}
  void ResetClip() override {}
  void FillRect(double x0, double y0, double x1, double y1, TColour c) override {
    rects.push_back({x0, y0, x1, y1, c});
  }
  void FillPaths(const std::vector<TPxPath>&, TColour) override { ++others; }
  void StrokePath(const TPxPath&, double, TCap, bool, TColour) override { ++others; }
  void FillCircle(TPx, double, TColour) override { ++others; }
  void StrokeCircle(TPx, double, double, TColour) override { ++others; }
  void StrokeArc(TPx, double, double, double, double, TCap, TColour) override { ++others; }
  void FillPie(TPx, double, double, double, TColour) override { ++others; }
  void BlitKeyed(const TRaster&, TColour) override { ++others; }

  // Grid lines: rows (y0, y1) are wider than high, columns (x0, x1) higher
  // than wide.
  std::vector<std::pair<double, double>> Rows() const {
    std::vector<std::pair<double, double>> out;
    for (const auto& r : rects)
      if (r.x1 - r.x0 > r.y1 - r.y0) out.push_back({r.y0, r.y1});
    return out;
  }
  std::vector<std::pair<double, double>> Columns() const {
    std::vector<std::pair<double, double>> out;
    for (const auto& r : rects)
      if (r.x1 - r.x0 < r.y1 - r.y0) out.push_back({r.x0, r.x1});
    return out;
  }
  // The pixel rows of 2-pixel lines (drawn from one above to one below).
  std::vector<double> MarkerRows() const {
    std::vector<double> out;
    for (const auto& [y0, y1] : Rows())
      if (y1 - y0 == 2) out.push_back(y0 + 1);
    return out;
  }

  std::vector<TRect> rects;
  int others = 0;

 private:
  int w_, h_;
};

TEST(GridDraw, NotDrawnWhenLinesWouldBeSixPixelsOrCloser) {
  struct Case {
    double zoom, grid;
    bool drawn;
  };
  for (const Case c : {Case{0.001, 396.875, false},  // 1/64 RM at 10 px per mm
                       Case{0.001, 6000, false}, Case{0.001, 6001, true},
                       // p never drops below one unit
                       Case{2.0, 6, false}, Case{2.0, 7, true}}) {
    TPlatine b = Board(c.zoom);
    b.Grid = c.grid;
    EXPECT_EQ(GridDrawn(b), c.drawn) << c.zoom << " " << c.grid;
    TRecordingSurface s(400, 300);
    DrawGrid(s, b, {});
    EXPECT_EQ(s.rects.empty(), !c.drawn) << c.zoom << " " << c.grid;
  }
}

TEST(GridDraw, BottomEdgeIsAMarkerLineWithTheZeroPointThere) {
  // 100 x 60 mm at 10 px per mm, grid 1.27 mm (12.7 px), markers every 4
  // steps; marker lines are round(2 / 0.001) + 1 = 2001 units, 2 pixels wide.
  TPlatine b = NewPlatine(1000000, 600000, false);
  b.Zoom = 0.001;
  b.Grid = 12700;
  ASSERT_EQ(b.OriginY, -600000);
  TRecordingSurface s(1001, 601);
  DrawGrid(s, b, {false, 4, 0x464646, 0xAAAAAA});
  // The bottom edge is pixel row 600, the last one of the surface.
  EXPECT_EQ(s.MarkerRows(), (std::vector<double>{600, 549, 498, 448, 397, 346, 295, 244, 194, 143, 92, 41}));
  EXPECT_EQ(s.Rows().size(), 48u);  // rows 600 - 12.7 k for k = 0 ... 47
  for (const auto& [y0, y1] : s.Rows()) {
    EXPECT_GE(y0, 0);
    EXPECT_LE(y1, 601);
  }
  // Counted from a zero point at the top edge the markers start there and
  // the bottom edge is no grid line at all.
  b.OriginY = 0;
  TRecordingSurface top(1001, 601);
  DrawGrid(top, b, {false, 4, 0x464646, 0xAAAAAA});
  EXPECT_EQ(top.MarkerRows(), (std::vector<double>{559, 508, 457, 406, 356, 305, 254, 203, 152, 102, 51}));
  EXPECT_EQ(top.Rows().front(), (std::pair<double, double>{597, 598}));
  EXPECT_EQ(top.Rows().back(), (std::pair<double, double>{0, 1}));  // row 0, cut at the edge
}

TEST(GridDraw, MarkerLinesAreWiderThanOthers) {
  // At zoom 2 markers are round(1) + 1 = 2 units = 4 pixels wide.
  TPlatine b = NewPlatine(100000, 100000, true);
  b.Zoom = 2.0;
  b.Grid = 25;  // 50 pixels
  b.ScrollX = 1000;
  b.ScrollY = 1000;
  TRecordingSurface s(400, 300);
  DrawGrid(s, b, {false, 4, 0x464646, 0xAAAAAA});
  // Columns x = 500 + 25 k units sit at pixels 50 k; k multiple of 4 are markers.
  std::vector<std::pair<double, double>> expected;
  for (int k = 0; k <= 8; ++k) {
    const double x = 50.0 * k;
    // Wide lines at the edges are cut to the surface.
    expected.push_back(k % 4 == 0 ? std::pair{std::max(x - 2, 0.0), std::min(x + 2, 400.0)} : std::pair{x, x + 1});
  }
  EXPECT_EQ(s.Columns(), expected);
  for (const auto& r : s.rects) EXPECT_EQ(r.c, 0x464646u);
  EXPECT_EQ(s.others, 0);
}

TEST(GridDraw, OnlyVisibleRowsAndColumnsOnTheBoard) {
  // Grid 1 mm at 10 px per mm, scrolled into the middle of the board.
  TPlatine b = Board(0.001, 5000 / 10, 3000 / 10);
  b.Grid = 10000;
  b.OriginY = 0;
  TRecordingSurface s(200, 100);
  DrawGrid(s, b, {false, 0, 1, 2});
  EXPECT_EQ(s.Columns().size(), 20u);  // pixels 0, 10, ..., 190
  EXPECT_EQ(s.Rows().size(), 10u);
  // A surface larger than the board: nothing beyond the board's last pixel.
  TPlatine whole = Board(0.001);
  whole.Grid = 100000;
  TRecordingSurface big(2000, 1500);
  DrawGrid(big, whole, {false, 0, 1, 2});
  EXPECT_EQ(big.Columns().size(), 17u);  // x = 0, 10, ..., 160 mm
  EXPECT_EQ(big.Rows().size(), 11u);
  for (const auto& r : big.rects) {
    EXPECT_LE(r.x1, 1601);
    EXPECT_LE(r.y1, 1001);
  }
}

TEST(GridDraw, DotsWithPlusSignsAtMarkers) {
  TPlatine b = NewPlatine(1000000, 500000, true);  // zero point top-left
  b.Zoom = 0.001;
  b.Grid = 10000;  // 10 px
  TRecordingSurface s(1001, 501);
  DrawGrid(s, b, {true, 5, 0x464646, 0xAAAAAA});
  std::set<TRect> drawn(s.rects.begin(), s.rects.end());
  EXPECT_EQ(drawn.size(), s.rects.size());
  const TColour d = 0xAAAAAA;
  // A crossing at 5 steps both ways is a plus sign from 2 before to 3 after.
  EXPECT_TRUE(drawn.count({48, 50, 53, 51, d}));
  EXPECT_TRUE(drawn.count({50, 48, 51, 53, d}));
  // Elsewhere a single pixel, also where only one of the two is a marker.
  EXPECT_TRUE(drawn.count({10, 10, 11, 11, d}));
  EXPECT_TRUE(drawn.count({50, 10, 51, 11, d}));
  EXPECT_FALSE(drawn.count({50, 50, 51, 51, d}));
  // 101 x 51 crossings; 21 x 11 of them are markers with two rectangles.
  EXPECT_EQ(s.rects.size(), size_t(101 * 51 + 21 * 11));
}

TEST(GridDraw, DotsAreSnappedToWholePixels) {
  TPlatine b = NewPlatine(1000000, 500000, true);
  b.Zoom = 0.001;
  b.Grid = 12700;  // 12.7 px
  TRecordingSurface s(200, 100);
  DrawGrid(s, b, {true, 0, 0, 0xAAAAAA});
  for (const auto& r : s.rects) {
    EXPECT_EQ(r.x0, std::floor(r.x0));
    EXPECT_EQ(r.y0, std::floor(r.y0));
    EXPECT_EQ(r.x1 - r.x0, 1);
  }
  EXPECT_TRUE(std::count(s.rects.begin(), s.rects.end(), TRect{13, 25, 14, 26, 0xAAAAAA}));
}

}  // namespace
}  // namespace bs
