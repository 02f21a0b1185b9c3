#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "model/geometry.h"
#include "render/coverage.h"
#include "render/painter.h"
#include "render/raster_surface.h"
#include "synth/synth_board.h"

namespace bs {
namespace {

// A 100 x 100 mm board seen at 1 pixel per 0.01 mm... scaled down: zoom 0.001
// gives 1 pixel per 0.1 mm, 1001 x 1001 pixels.
struct PaintFixture : testing::Test {
  TBoard board;
  TPaintSettings set;
  TViewMap view{0.001, 0, 0};
  void SetUp() override {
    set.ShowGrid = false;
    board.Platine = NewPlatine(1000000, 1000000, false);
    board.Platine.OriginY = 1000000;  // zero-point marker out of the way
  }
  TObjekt& Add(std::unique_ptr<TObjekt> e) {
    board.Elements.push_back(std::move(e));
    return *board.Elements.back();
  }
  TObjekt& Pad(float x, float y, uint8_t shape, float r, float drill, uint8_t layer = kLayerC2) {
    auto e = NewObjekt();
    InitThtPad(*e, {x, y}, layer, shape, drill, r);
    e->Clearance = 4000;
    return Add(std::move(e));
  }
  TObjekt& Track(std::initializer_list<TFPoint> pts, int32_t width, uint8_t layer = kLayerC2) {
    auto e = NewObjekt();
    InitTrack(*e, width, layer);
    for (TFPoint p : pts) AddPoint(*e, p);
    e->Clearance = 4000;
    return Add(std::move(e));
  }
  // Paints and returns the colour at a model point.
  TRaster Paint(bool aa = true) {
    TRasterSurface s(1001, 1001, aa);
    s.Clear(set.Scheme.Background());
    PaintBoard(s, board, view, set);
    return s.Raster();
  }
  static TColour At(const TRaster& s, double x, double y) { return s.At(int(x * 0.001), int(-y * 0.001)); }
};

TEST_F(PaintFixture, PadGapSpokeAndHoleProbes) {
  board.Platine.GroundPlane[kLayerC2] = 1;
  board.Platine.ActiveLayer = kLayerC2;
  TObjekt& pad = Pad(500000, -500000, kShapeRound, 50000, 20000);
  pad.Clearance = 40000;
  pad.Thermal = 1;
  pad.ThermalSpokes = 0x04040404;                   // spoke to the right only
  Pad(200000, -200000, kShapeRound, 30000, 30000);  // a bare hole
  const TRaster s = Paint();
  const TColour copper = set.Scheme.Layer(kLayerC2), plane = Darkened(copper, 0.4), bg = set.Scheme.Background();
  EXPECT_EQ(At(s, 535000, -500000), copper);  // on the ring of the pad
  EXPECT_EQ(At(s, 500000, -500000), bg);      // in its drill hole (drill colour: background)
  EXPECT_EQ(At(s, 500000, -575000), bg);      // in the gap below the pad
  EXPECT_EQ(At(s, 575000, -500000), plane);   // on the spoke to the right
  EXPECT_EQ(At(s, 500000, -650000), plane);   // the plane beyond the gap
  // A bare hole draws no copper ring: just outside its hole is the gap.
  EXPECT_EQ(At(s, 232000, -200000), bg);
}

TEST_F(PaintFixture, TrackEndsAndHiddenLayers) {
  TObjekt& round = Track({{100000, -100000}, {400000, -100000}}, 40000);
  TObjekt& flat = Track({{100000, -300000}, {400000, -300000}}, 40000);
  flat.TrackEnds = 3;
  TObjekt& shortEnd = Track({{100000, -500000}, {110000, -500000}}, 40000);
  shortEnd.TrackEnds = 2;  // the end segment is shorter than half the width
  const TColour copper = set.Scheme.Layer(kLayerC2), bg = set.Scheme.Background();
  {
    const TRaster s = Paint();
    EXPECT_EQ(At(s, 415000, -115000), bg);      // the corner beyond a round cap is empty
    EXPECT_EQ(At(s, 415000, -315000), copper);  // a flat end fills it
    EXPECT_EQ(At(s, 85000, -315000), copper);   // at the start too
    EXPECT_EQ(At(s, 125000, -515000), bg);      // a short end segment keeps its round cap
  }
  board.Platine.LayerVisible[kLayerC2] = 0;
  board.Platine.ActiveLayer = kLayerC1;
  round.Selected = 1;
  const TRaster s = Paint();
  EXPECT_EQ(At(s, 250000, -300000), bg);                      // hidden layer
  EXPECT_EQ(At(s, 250000, -100000), set.Scheme.Selection());  // selected elements always show
}

TEST_F(PaintFixture, CirclesAndZones) {
  auto ring = NewObjekt();
  InitCircle(*ring, {300000, -300000}, 110000, kLayerS1, 90000);
  TObjekt& r = Add(std::move(ring));
  auto disc = NewObjekt();
  InitCircle(*disc, {700000, -300000}, 110000, kLayerS1, 90000);
  disc->Fill = 1;
  disc->StartAngle = disc->StopAngle = 45000;  // equal angles: the whole circle
  Add(std::move(disc));
  auto zone = NewObjekt();
  InitZone(*zone, 2000, kLayerC1);
  for (TFPoint p :
       {TFPoint{100000, -600000}, TFPoint{900000, -600000}, TFPoint{900000, -900000}, TFPoint{100000, -900000}})
    AddPoint(*zone, p);
  zone->Hatch = 1;
  zone->HatchAuto = 0;
  zone->HatchWidth = 1000;  // below the least pitch of 5000
  Add(std::move(zone));
  const TRaster s = Paint();
  const TColour silk = set.Scheme.Layer(kLayerS1), top = set.Scheme.Layer(kLayerC1), bg = set.Scheme.Background();
  EXPECT_EQ(At(s, 400000, -300000), silk);  // on the ring
  EXPECT_EQ(At(s, 300000, -300000), bg);    // inside an unfilled ring
  EXPECT_EQ(At(s, 700000, -300000), silk);  // a filled full circle is a disc
  EXPECT_EQ(r.StartAngle, r.StopAngle);
  // Hatch lines at multiples of 5000, 2500 wide: x = 500000 is on a line,
  // x = 502500 between two.
  EXPECT_EQ(At(s, 500000 + 500, -750000), top);
  EXPECT_EQ(At(s, 502200, -752200), bg);
}

TEST_F(PaintFixture, TwoGroundPlanesTheLaterLayerWins) {
  board.Platine.GroundPlane[kLayerC1] = board.Platine.GroundPlane[kLayerC2] = 1;
  board.Platine.ActiveLayer = kLayerC2;  // order: C1 then C2
  Track({{100000, -500000}, {900000, -500000}}, 20000, kLayerC2);
  const TRaster s = Paint();
  const TColour c1 = Darkened(set.Scheme.Layer(kLayerC1), 0.4), c2 = Darkened(set.Scheme.Layer(kLayerC2), 0.4);
  EXPECT_EQ(At(s, 500000, -200000), c2);  // both planes: the later one shows
  // In C2's gap around its track, C1's plane shows through.
  EXPECT_EQ(At(s, 500000, -512000), c1);
}

TEST(PaintColours, DarkAndLightBackgrounds) {
  TColourScheme s;
  s.C[kColBackground] = Rgb(127, 127, 127);  // 381
  EXPECT_EQ(s.Selection(), 0xFFAAFFu);
  s.C[kColBackground] = Rgb(128, 128, 128);  // 384
  EXPECT_EQ(s.Selection(), 0xFF00FFu);
  EXPECT_EQ(s.Contrast(), Rgb(127, 127, 127));
  EXPECT_EQ(Darkened(Rgb(100, 200, 255), 0.4), Rgb(60, 120, 153));
  EXPECT_EQ(s.Layer(0), 0xFFFFFFu);
}

// A multilayer board of many elements of every kind.
TBoard ManyElements() {
  TBoard board;
  TSynthOptions opt;
  opt.Elements = 1500;
  opt.Multilayer = true;
  FillSynthBoard(board, opt);
  return board;
}

// Whether two colours differ by more than `tolerance` in a channel.
bool Apart(TColour a, TColour b, int tolerance) {
  return std::abs(Red(a) - Red(b)) > tolerance || std::abs(Green(a) - Green(b)) > tolerance ||
         std::abs(Blue(a) - Blue(b)) > tolerance;
}

// The box the painter culls by holds each element's outline, so the moves
// of the editor may measure only the elements whose box reaches furthest:
// that gives the same selection box as measuring every element.
TEST(PaintCulling, CullBoxesHoldTheOutlinesAndFindTheSelectionBox) {
  TBoard board = ManyElements();
  board.Platine.GroundPlane[kLayerC1] = 1;  // spokes too
  std::vector<const TObjekt*> elements;
  std::vector<TURect> covers;
  size_t outside = 0;
  for (const auto& e : board.Elements) {
    elements.push_back(e.get());
    covers.push_back(CullBounds(*e));
    if (const auto r = OutlineBounds(*e, board.Platine)) {
      const TURect& c = covers.back();
      outside += r->Left < c.Left || r->Top < c.Top || r->Right > c.Right || r->Bottom > c.Bottom;
    }
  }
  EXPECT_EQ(outside, 0u);
  for (size_t keep : {elements.size(), size_t{40}, size_t{1}}) {
    SCOPED_TRACE(keep);
    const std::vector<const TObjekt*> part(elements.begin(), elements.begin() + keep);
    const std::vector<TURect> partCovers(covers.begin(), covers.begin() + keep);
    TObjektList list;
    for (const TObjekt* e : part) list.push_back(ScratchCopy(*e));
    EXPECT_EQ(OutlineBoundsWithin(part, partCovers, board.Platine), AllBounds(list, board.Platine));
  }
}

// A picture painted band by band (each band clipped and culled on its own)
// is the same picture as one painted in one go, in both looks, with one
// ground plane and with several laid over each other.
TEST(PaintCulling, BandsMatchOnePass) {
  TBoard board = ManyElements();
  for (bool severalPlanes : {false, true}) {
    board.Platine.GroundPlane[kLayerC1] = severalPlanes;
    for (bool aa : {true, false}) {
      TPaintSettings set;
      const double zoom = 0.0006;
      const int w = int(board.Platine.Width * zoom + 1), h = int(board.Platine.Height * zoom + 1);
      TRasterSurface banded(w, h, aa), whole(w, h, aa);
      banded.SetBandHeight(16);
      whole.SetBandHeight(0);
      PaintBoard(banded, board, {zoom, 0, 0}, set);
      PaintBoard(whole, board, {zoom, 0, 0}, set);
      int differ = 0;
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
          // The general rasterizer may round an edge pixel a step apart
          // when a shape is cut at a band.
          differ += Apart(banded.Pixel(x, y), whole.Pixel(x, y), 2);
        }
      EXPECT_EQ(differ, 0) << (aa ? "anti-aliased" : "plain") << (severalPlanes ? ", several planes" : "");
    }
  }
}

// Selected elements take the selection colour, in the blinking test
// highlight's darker phase that colour darkened by 0.2.
TEST(ElementColour, SelectionAndItsBlinkingPhase) {
  auto pad = NewObjekt();
  InitThtPad(*pad, {0, 0}, kLayerC1, kShapeRound, 2000, 5000);
  TPaintSettings set;
  EXPECT_EQ(ElementColour(*pad, set, TPaintTarget::Screen), set.Scheme.Layer(kLayerC1));
  pad->Selected = 1;
  EXPECT_EQ(ElementColour(*pad, set, TPaintTarget::Screen), set.Scheme.Selection());
  set.BlinkDark = true;
  EXPECT_EQ(ElementColour(*pad, set, TPaintTarget::Screen), Darkened(set.Scheme.Selection(), 0.2));
}

// Culling must never drop anything that shows: a window of the board looks
// exactly like the same part of the whole picture.
TEST(PaintCulling, WindowsMatchTheWholePicture) {
  TBoard board;
  TSynthOptions opt;
  opt.Elements = 1500;
  FillSynthBoard(board, opt);
  board.Platine.ActiveLayer = kLayerC2;
  TPaintSettings set;
  const double zoom = 0.0004;
  const int w = int(board.Platine.Width * zoom + 1), h = int(board.Platine.Height * zoom + 1);
  TRasterSurface whole(w, h, true);
  PaintBoard(whole, board, {zoom, 0, 0}, set);
  for (auto [x0, y0] : {std::pair{37, 53}, std::pair{w / 2, h / 3}, std::pair{w - 120, h - 90}}) {
    TRasterSurface part(100, 80, true);
    PaintBoard(part, board, {zoom, double(x0), double(y0)}, set);
    // Sub-pixel rounding may move an edge pixel's colour by a step or two; a
    // shape left out by the cull test changes whole pixels.
    auto far = [](TColour a, TColour b) {
      return std::abs(Red(a) - Red(b)) > 8 || std::abs(Green(a) - Green(b)) > 8 || std::abs(Blue(a) - Blue(b)) > 8;
    };
    int differ = 0;
    for (int y = 0; y < 80; ++y)
      for (int x = 0; x < 100; ++x)
        if (x0 + x < w && y0 + y < h && far(part.Pixel(x, y), whole.Pixel(x0 + x, y0 + y))) ++differ;
    // The zero-point marker is snapped per picture; everything else matches.
    EXPECT_LE(differ, 40) << x0 << "," << y0;
  }
}

// A region repainted into a picture of something else looks exactly like
// the same region of the whole picture, and nothing outside it is touched:
// in both looks, with one plane and with several laid over each other, for
// regions at the picture's edges and ones that cut through it anywhere.
TEST(PaintCulling, RegionMatchesTheWholePictureAndLeavesTheRest) {
  TBoard board = ManyElements();
  const double zoom = 0.0005;
  const int w = int(board.Platine.Width * zoom + 1), h = int(board.Platine.Height * zoom + 1);
  struct TRegion {
    int x0, y0, x1, y1;
  };
  const TRegion regions[] = {{0, 0, 37, 23},
                             {w / 3, h / 4, w / 3 + 151, h / 4 + 97},
                             {w - 40, 5, w + 30, 70},
                             {17, h - 61, w - 17, h + 5},
                             {w / 2, h / 2, w / 2 + 1, h / 2 + 1}};
  const TColour junk = 0xFF00FF;
  for (bool severalPlanes : {false, true}) {
    board.Platine.GroundPlane[kLayerC1] = severalPlanes;
    for (bool aa : {true, false}) {
      TPaintSettings set;
      TRasterSurface whole(w, h, aa);
      PaintBoard(whole, board, {zoom, 0, 0}, set);
      for (const TRegion& r : regions) {
        TRasterSurface part(w, h, aa);
        part.Clear(junk);
        PaintBoardRegion(part, board, {zoom, 0, 0}, set, r.x0, r.y0, r.x1, r.y1);
        int differ = 0, outside = 0;
        for (int y = 0; y < h; ++y)
          for (int x = 0; x < w; ++x) {
            const TColour a = part.Pixel(x, y), b = whole.Pixel(x, y);
            if (x < r.x0 || x >= r.x1 || y < r.y0 || y >= r.y1) {
              outside += a != junk;
              continue;
            }
            // A shape cut at the region's edge may round an edge pixel a step apart.
            differ += Apart(a, b, 2);
          }
        const std::string what = std::string(aa ? "anti-aliased" : "plain") +
                                 (severalPlanes ? ", several planes" : "") + " at " + std::to_string(r.x0) + "," +
                                 std::to_string(r.y0);
        EXPECT_EQ(differ, 0) << what;
        EXPECT_EQ(outside, 0) << what;
      }
    }
  }
}

// Hands every call on to a raster surface but does not let on that its
// rectangles are whole pixels: the painter then fills the board over the
// area around it, as it does for any other surface.
class TPlainFills final : public TSurface {
 public:
  explicit TPlainFills(TRasterSurface& s) : s_(s) {}
  int Width() const override { return s_.Width(); }
  int Height() const override { return s_.Height(); }
  bool AntiAliased() const override { return s_.AntiAliased(); }
  void SetCompose(TCompose mode) override { s_.SetCompose(mode); }
  void SetAlpha(uint8_t alpha) override { s_.SetAlpha(alpha); }
  void SetClip(int x0, int y0, int x1, int y1) override { s_.SetClip(x0, y0, x1, y1); }
  void ResetClip() override { s_.ResetClip(); }
  int BandHeight() const override { return s_.BandHeight(); }
  void FillRect(double x0, double y0, double x1, double y1, TColour c) override { s_.FillRect(x0, y0, x1, y1, c); }
  void FillPaths(const std::vector<TPxPath>& paths, TColour c) override { s_.FillPaths(paths, c); }
  void FillSimplePolygon(const TPxPath& path, TColour c) override { s_.FillSimplePolygon(path, c); }
  void BeginBatch() override { s_.BeginBatch(); }
  void EndBatch() override { s_.EndBatch(); }
  void StrokePath(const TPxPath& path, double width, TCap cap, bool closed, TColour c) override {
    s_.StrokePath(path, width, cap, closed, c);
  }
  void StrokePaths(const std::vector<TPxPath>& paths, double width, TColour c) override {
    s_.StrokePaths(paths, width, c);
  }
  void FillCircle(TPx centre, double r, TColour c) override { s_.FillCircle(centre, r, c); }
  void StrokeCircle(TPx centre, double r, double width, TColour c) override { s_.StrokeCircle(centre, r, width, c); }
  void StrokeArc(TPx centre, double r, double a0, double sweep, double width, TCap cap, TColour c) override {
    s_.StrokeArc(centre, r, a0, sweep, width, cap, c);
  }
  void FillPie(TPx centre, double r, double a0, double sweep, TColour c) override {
    s_.FillPie(centre, r, a0, sweep, c);
  }
  void BlitKeyed(const TRaster& src, TColour key) override { s_.BlitKeyed(src, key); }

 private:
  TRasterSurface& s_;
};

// The raster surface has the area around the board filled around it, and
// the board not at all under a single plane: the picture is the same as
// with one fill over the other, wherever the board lies in the picture
// (reaching past any edge, or not in it at all), with no plane, one or
// several, in both looks.
TEST(PaintFills, AroundTheBoardAsWithOneFillOverTheOther) {
  TBoard board;
  TSynthOptions opt;
  opt.Elements = 300;
  opt.Multilayer = true;
  FillSynthBoard(board, opt);
  const double zoom = 0.0004;
  const double bw = board.Platine.Width * zoom, bh = board.Platine.Height * zoom;
  const int w = 160, h = 120;
  // Scroll offsets: the board inside the picture, past each edge, around
  // it, beyond it.
  const std::pair<double, double> scrolls[] = {{-20.3, -10.6},    {30.5, -15.2}, {-40.7, 25.4}, {bw - 100.2, -5.5},
                                               {-8.1, bh - 70.8}, {30.4, 20.6},  {-bw - 50, 0}, {0, bh + 40}};
  for (int planes : {0, 1, 2}) {
    board.Platine.GroundPlane.fill(0);
    if (planes >= 1) board.Platine.GroundPlane[kLayerC2] = 1;
    if (planes >= 2) board.Platine.GroundPlane[kLayerC1] = 1;
    board.Platine.ActiveLayer = kLayerC2;
    for (bool aa : {true, false}) {
      for (auto [sx, sy] : scrolls) {
        TPaintSettings set;
        TRasterSurface direct(w, h, aa), viaOther(w, h, aa);
        direct.Clear(0xFF00FF);
        viaOther.Clear(0x00FF00);
        TPlainFills other(viaOther);
        PaintBoard(direct, board, {zoom, sx, sy}, set);
        PaintBoard(other, board, {zoom, sx, sy}, set);
        EXPECT_TRUE(direct.Raster().Pixels == viaOther.Raster().Pixels)
            << planes << " planes, " << (aa ? "anti-aliased" : "plain") << ", scrolled " << sx << "," << sy;
      }
    }
  }
}

}  // namespace
}  // namespace bs

namespace bs {
namespace {

// Small shapes go straight to the pixels by their distance to the edge; the
// general rasterizer still draws them in the additive mode. On black, one
// shape added looks the same as one painted, so both ways must agree.
TEST(RasterSurface, DirectShapesMatchTheGeneralRasterizer) {
  struct TCase {
    const char* name;
    std::function<void(TSurface&)> draw;
  };
  const std::vector<TCase> cases = {
      {"disc",
       [](TSurface& s) {
         s.FillCircle({20.3, 19.6}, 7.4, 0xFFFFFF);
       }},
      {"small disc",
       [](TSurface& s) {
         s.FillCircle({10.5, 10.5}, 1.2, 0xFFFFFF);
       }},
      {"ring",
       [](TSurface& s) {
         s.StrokeCircle({20, 20}, 12.5, 3, 0xFFFFFF);
       }},
      {"hairline ring",
       [](TSurface& s) {
         s.StrokeCircle({20.5, 20.5}, 9, 1, 0xFFFFFF);
       }},
      {"round stroke",
       [](TSurface& s) {
         s.StrokePath({{4, 6}, {30, 12}, {22, 34}}, 5, TCap::Round, false, 0xFFFFFF);
       }},
      {"long stroke",
       [](TSurface& s) {
         s.StrokePath({{-30, 3}, {70, 37}, {-10, 39}}, 3, TCap::Round, false, 0xFFFFFF);
       }},
      {"closed stroke",
       [](TSurface& s) {
         s.StrokePath({{8, 8}, {32, 8}, {20, 30}}, 2, TCap::Round, true, 0xFFFFFF);
       }},
      {"flat line",
       [](TSurface& s) {
         s.StrokePath({{3, 30}, {36, 5}}, 2.5, TCap::Butt, false, 0xFFFFFF);
       }},
      {"square line",
       [](TSurface& s) {
         s.StrokePath({{10, 20}, {30, 20}}, 6, TCap::Square, false, 0xFFFFFF);
       }},
      {"rotated square",
       [](TSurface& s) {
         s.FillSimplePolygon({{20, 3}, {37, 20}, {20, 37}, {3, 20}}, 0xFFFFFF);
       }},
      {"octagon",
       [](TSurface& s) {
         s.FillSimplePolygon({{14, 5}, {26, 5}, {35, 14}, {35, 26}, {26, 35}, {14, 35}, {5, 26}, {5, 14}}, 0xFFFFFF);
       }},
      {"star",
       [](TSurface& s) {  // not convex: the general rasterizer draws it either way
         s.FillSimplePolygon(
             {{20, 2}, {25, 15}, {38, 15}, {27, 23}, {31, 37}, {20, 28}, {9, 37}, {13, 23}, {2, 15}, {15, 15}},
             0xFFFFFF);
       }},
  };
  for (bool aa : {true, false})
    for (const TCase& c : cases) {
      TRasterSurface direct(40, 40, aa), general(40, 40, aa);
      direct.Clear(0);
      general.Clear(0);
      c.draw(direct);
      general.SetCompose(aa ? TCompose::Plus : TCompose::Or);
      c.draw(general);
      int differ = 0, lit = 0;
      for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x) {
          const int a = Red(direct.Pixel(x, y)), b = Red(general.Pixel(x, y));
          if (std::abs(a - b) > (aa ? 100 : 0)) ++differ;
          if (a > 127) ++lit;
        }
      EXPECT_GT(lit, 0) << c.name;
      // Only the odd pixel on the edge may come out differently.
      EXPECT_LE(differ, aa ? 4 : 12) << c.name << (aa ? " anti-aliased" : " aliased");
    }
}

// A sink that blends each row it is handed pixel by pixel: the reference
// for the opaque sink, which blends the covers four pixels at a time as the
// rasterizer computes them.
struct TRowByRowSink final : TCoverSink {
  TRaster& image;
  uint8_t px[4];
  TRowByRowSink(TRaster& r, TColour c) : image(r), px{Red(c), Green(c), Blue(c), 255} {}
  uint8_t* At(int y, int x) { return &image.Pixels[(size_t(y) * size_t(image.Width) + size_t(x)) * 4]; }
  void Row(int y, int x, int len, const uint8_t* covers) override {
    for (int i = 0; i < len; ++i) {
      uint8_t* p = At(y, x + i);
      const unsigned k = covers[i];
      if (k == 255) std::copy(px, px + 4, p);
      else
        for (int ch = 0; ch < 3; ++ch) p[ch] = uint8_t((p[ch] * (255 - k) + px[ch] * k + 127) / 255);
    }
  }
  void Solid(int y, int x, int len) override {
    for (int i = 0; i < len; ++i) std::copy(px, px + 4, At(y, x + i));
  }
};

template <class Sink>
void DrawCoverShape(int shape, TCoverRasterizer& r, Sink& sink, double dx, double dy) {
  const TPx stroke[] = {{4 + dx, 6 + dy}, {30 + dx, 12 + dy}, {22 + dx, 34 + dy}, {23.2 + dx, 33.1 + dy}};
  const TPx quad[] = {{20 + dx, 3 + dy}, {37 + dx, 20.5 + dy}, {20 + dx, 37 + dy}, {3.3 + dx, 20 + dy}};
  const TPx octagon[] = {{14 + dx, 5 + dy},  {26 + dx, 5 + dy},  {35 + dx, 14 + dy}, {35 + dx, 26 + dy},
                         {26 + dx, 35 + dy}, {14 + dx, 35 + dy}, {5 + dx, 26 + dy},  {5 + dx, 14 + dy}};
  switch (shape) {
    case 0: r.Disc({20.3 + dx, 19.6 + dy}, 7.4, sink); break;
    case 1: r.Disc({10.5 + dx, 10.2 + dy}, 0.35, sink); break;  // below half a pixel
    case 2: r.Ring({20 + dx, 20 + dy}, 12.5, 3, sink); break;
    case 3: r.RoundStroke(stroke, 4, false, 1, sink); break;  // a thin stroke of short segments: one union
    case 4: r.RoundStroke(stroke, 3, true, 6.5, sink); break;
    case 5: r.RoundStroke(stroke, 2, false, 2.2, sink); break;                // a single segment
    case 6: r.Line({3 + dx, 30 + dy}, {36 + dx, 5 + dy}, 1.5, sink); break;   // flat
    case 7: r.Line({12 + dx, 2 + dy}, {19 + dx, 38 + dy}, 1.5, sink); break;  // steep
    case 8: r.PixelLine({3 + dx, 33 + dy}, {38 + dx, 4 + dy}, sink); break;
    case 9: r.ConvexPolygon(quad, 4, sink); break;
    case 10: r.ConvexPolygon(octagon, 8, sink); break;
    default: break;
  }
}

TEST(CoverRasterizer, OpaqueSinkMatchesRowByRowBlending) {
  const int w = 45, h = 41;  // rows not a whole number of groups of four
  struct TClip {
    int x0, y0, x1, y1;
  };
  for (bool aa : {true, false})
    for (const TClip& clip : {TClip{0, 0, w, h}, TClip{7, 5, 31, 29}})
      for (int shape = 0; shape <= 10; ++shape)
        for (auto [dx, dy] :
             {std::pair{0.0, 0.0}, std::pair{0.37, -0.21}, std::pair{21.6, 3.45}, std::pair{-15.2, 8.8}}) {
          // A background of every colour and alpha, which the blending keeps or mixes.
          TRaster fused(w, h);
          for (size_t i = 0; i < fused.Pixels.size(); ++i) fused.Pixels[i] = uint8_t(i * 37 + i / 4 * 11);
          TRaster reference = fused;
          TCoverRasterizer a(clip.x0, clip.y0, clip.x1, clip.y1, !aa), b(clip.x0, clip.y0, clip.x1, clip.y1, !aa);
          TOpaqueSink opaque(fused, 0x3C8AF1);
          TRowByRowSink rows(reference, 0x3C8AF1);
          DrawCoverShape(shape, a, opaque, dx, dy);
          DrawCoverShape(shape, b, static_cast<TCoverSink&>(rows), dx, dy);
          EXPECT_TRUE(fused.Pixels == reference.Pixels) << "shape " << shape << (aa ? " anti-aliased" : " plain")
                                                        << " at " << dx << "," << dy << " clip " << clip.x0;
        }
}

// Keeps the covers reported for each pixel.
struct TCoverImage final : TCoverSink {
  int w, h;
  std::vector<int> covers;
  TCoverImage(int width, int height) : w(width), h(height), covers(size_t(width) * size_t(height), 0) {}
  void Row(int y, int x, int len, const uint8_t* k) override {
    for (int i = 0; i < len; ++i) covers[size_t(y) * size_t(w) + size_t(x + i)] = k[i];
  }
  void Solid(int y, int x, int len) override {
    for (int i = 0; i < len; ++i) covers[size_t(y) * size_t(w) + size_t(x + i)] = 255;
  }
};

// A round stroke covers each pixel by half its width plus half a pixel less
// the distance of the pixel centre from the nearest segment. Strokes on
// whole and half pixels put many distances exactly on a step between two
// levels (the ends of glyph strokes do), where the rounding of the distance
// decides the level.
TEST(CoverRasterizer, StrokeCoversFollowTheDistanceOnWholeAndHalfPixels) {
  const int w = 40, h = 40;
  const TPx strokes[][4] = {{{5, 5}, {5, 9}, {8, 12}, {12, 12}},
                            {{10.5, 20.5}, {14.5, 20.5}, {14.5, 24.5}, {20, 30}},
                            {{20, 6}, {23, 10}, {27, 6}, {27, 6.5}},
                            {{6.5, 30}, {7.5, 31}, {9.5, 31}, {10.5, 30}},
                            // long upright and level segments, on and off pixel centres
                            {{4, 4}, {4, 33}, {31.5, 33}, {31.5, 8.25}},
                            {{36.5, 3.5}, {12.2, 3.5}, {12.2, 20.7}, {12.2, 20.7}}};
  for (double width : {1.0, 1.5, 2.0, 3.0, 6.5})
    for (const auto& stroke : strokes) {
      TCoverImage image(w, h);
      TCoverRasterizer r(0, 0, w, h, false);
      r.RoundStroke(stroke, 4, false, width, static_cast<TCoverSink&>(image));
      int differ = 0;
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
          const double px = x + 0.5, py = y + 0.5;
          double d = 1e9;
          for (int i = 0; i < 3; ++i) {
            const TPx a = stroke[i], b = stroke[i + 1];
            const double dx = b.X - a.X, dy = b.Y - a.Y, len2 = dx * dx + dy * dy;
            const double t = len2 > 0 ? std::clamp(((px - a.X) * dx + (py - a.Y) * dy) / len2, 0.0, 1.0) : 0;
            d = std::min(d, std::hypot(px - (a.X + t * dx), py - (a.Y + t * dy)));
          }
          const double v = width / 2 + 0.5 - d;
          const int want = int(std::min(std::max(v * 255 + 0.5, 0.0), 255.0));
          // The distance across a segment is found another way: a step apart at most.
          differ += std::abs(image.covers[size_t(y) * w + x] - want) > 1;
        }
      EXPECT_EQ(differ, 0) << "width " << width << " stroke from " << stroke[0].X << "," << stroke[0].Y;
    }
}

// A text's strokes are drawn as one shape: each pixel takes the largest of
// the strokes' covers, and is blended once, also where strokes cross or
// meet end to end.
TEST(CoverRasterizer, StrokesOfOneShapeUnite) {
  const int w = 40, h = 40;
  const std::vector<TPxPath> strokes = {{{5.5, 20.2}, {34.5, 20.2}},                     // across
                                        {{20.3, 4}, {20.3, 36}},                         // down through it
                                        {{8, 8}, {9.2, 9.7}, {10.1, 11.5}, {12, 12.4}},  // short segments
                                        {{12, 12.4}, {18, 30.5}},                        // going on from its end
                                        {{30.6, 30.6}}};                                 // a dot
  for (double width : {1.0, 2.5}) {
    TCoverImage together(w, h), want(w, h);
    TCoverRasterizer(0, 0, w, h, false)
        .RoundStrokes(strokes.data(), strokes.size(), width, static_cast<TCoverSink&>(together));
    for (const TPxPath& s : strokes) {
      TCoverImage alone(w, h);
      TCoverRasterizer(0, 0, w, h, false)
          .RoundStroke(s.data(), s.size(), false, width, static_cast<TCoverSink&>(alone));
      for (size_t i = 0; i < want.covers.size(); ++i) want.covers[i] = std::max(want.covers[i], alone.covers[i]);
    }
    EXPECT_EQ(together.covers, want.covers) << "width " << width;
  }
  // Blended once: where the first two cross, white on black is as white as
  // the strokes' covers say, no more.
  TRasterSurface s(w, h, true);
  s.Clear(0);
  s.StrokePaths({strokes[0], strokes[1]}, 1.5, 0xFFFFFF);
  TCoverImage one(w, h);
  TCoverRasterizer(0, 0, w, h, false).RoundStrokes(strokes.data(), 2, 1.5, static_cast<TCoverSink&>(one));
  for (int y = 18; y < 23; ++y)
    for (int x = 18; x < 23; ++x) EXPECT_EQ(int(Red(s.Pixel(x, y))), one.covers[size_t(y) * w + x]) << x << "," << y;
}

// Upright rectangles (unturned pads, spokes) take a shorter way than other
// convex polygons; the same rectangle with a repeated corner goes the
// general way and must come out the same, pixel for pixel.
TEST(CoverRasterizer, UprightRectanglesAsTheGeneralPolygon) {
  const int w = 40, h = 40;
  const TPx boxes[][4] = {{{5, 6}, {30, 6}, {30, 20}, {5, 20}},                      // on whole pixels
                          {{4.3, 7.8}, {4.3, 31.2}, {21.6, 31.2}, {21.6, 7.8}},      // the other way round
                          {{10.2, 10.2}, {10.9, 10.2}, {10.9, 30.5}, {10.2, 30.5}},  // thinner than a pixel
                          {{-5, 35.5}, {50, 35.5}, {50, 38.25}, {-5, 38.25}}};       // beyond the clip
  for (bool aa : {true, false})
    for (const auto& box : boxes) {
      TCoverImage fast(w, h), general(w, h);
      TCoverRasterizer a(2, 3, 37, 39, !aa), b(2, 3, 37, 39, !aa);
      const TPx repeated[5] = {box[0], box[1], box[1], box[2], box[3]};
      EXPECT_TRUE(a.ConvexPolygon(box, 4, static_cast<TCoverSink&>(fast)));
      EXPECT_TRUE(b.ConvexPolygon(repeated, 5, static_cast<TCoverSink&>(general)));
      EXPECT_EQ(fast.covers, general.covers)
          << "box from " << box[0].X << "," << box[0].Y << (aa ? " anti-aliased" : " plain");
    }
}

// Thin flat-ended lines (rubber bands, markers) cover each pixel beside
// them by half their width plus half a pixel less the distance across, in
// every direction, and stop within a pixel of their ends.
TEST(CoverRasterizer, ThinLinesFollowTheDistanceAcross) {
  const int w = 48, h = 48;
  struct TCase {
    TPx a, b;
  };
  const TCase lines[] = {{{5, 24.5}, {43, 24.5}},    // horizontal on a pixel centre
                         {{5.2, 20}, {42.7, 27.3}},  // flat
                         {{24.3, 4}, {24.3, 44}},    // vertical
                         {{20, 5}, {28.6, 43}},      // steep
                         {{6, 6}, {42, 42}},         // diagonal
                         {{42, 9.5}, {7, 38}}};      // flat, drawn right to left
  for (double width : {1.0, 1.5})
    for (const TCase& l : lines) {
      // Through any sink, and straight into an image (white on black: the
      // red of a pixel is its cover).
      TCoverImage image(w, h);
      TCoverRasterizer r(0, 0, w, h, false);
      r.Line(l.a, l.b, width, static_cast<TCoverSink&>(image));
      TRaster direct(w, h);
      std::fill(direct.Pixels.begin(), direct.Pixels.end(), uint8_t(0));
      TOpaqueSink white(direct, 0xFFFFFF);
      TCoverRasterizer(0, 0, w, h, false).Line(l.a, l.b, width, white);
      const double dx = l.b.X - l.a.X, dy = l.b.Y - l.a.Y, len = std::hypot(dx, dy);
      int differ = 0, beyond = 0;
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
          for (const int got : {image.covers[size_t(y) * w + x], int(Red(direct.At(x, y)))}) {
            const double px = x + 0.5 - l.a.X, py = y + 0.5 - l.a.Y;
            const double along = (px * dx + py * dy) / len, across = std::abs(px * dy - py * dx) / len;
            if (along < -1.5 || along > len + 1.5) {
              beyond += got != 0;
              continue;
            }
            if (along < 1.5 || along > len - 1.5) continue;  // about the ends
            const double v = width / 2 + 0.5 - across;
            const int want = int(std::min(std::max(v * 255 + 0.5, 0.0), 255.0));
            differ += std::abs(got - want) > 1;
          }
      EXPECT_EQ(differ, 0) << "width " << width << " from " << l.a.X << "," << l.a.Y;
      EXPECT_EQ(beyond, 0) << "width " << width << " from " << l.a.X << "," << l.a.Y;
    }
}

TEST(RasterSurface, DirectShapesStayInsideTheClip) {
  TRasterSurface s(40, 40, true);
  s.Clear(0);
  s.SetClip(10, 10, 30, 30);
  s.FillCircle({20, 20}, 30, 0xFFFFFF);
  s.StrokePath({{0, 20}, {40, 20}}, 40, TCap::Round, false, 0xFFFFFF);
  EXPECT_EQ(s.Pixel(9, 20), 0u);
  EXPECT_EQ(s.Pixel(30, 20), 0u);
  EXPECT_EQ(s.Pixel(20, 9), 0u);
  EXPECT_EQ(s.Pixel(20, 29), 0xFFFFFFu);
}

TEST(RasterSurface, BatchedShapesUniteWhateverTheirOrientation) {
  for (bool aa : {true, false}) {
    TRasterSurface s(40, 40, aa);
    s.Clear(0);
    s.BeginBatch();
    s.FillSimplePolygon({{5, 5}, {25, 5}, {25, 25}, {5, 25}}, 0xFFFFFF);      // one way round
    s.FillSimplePolygon({{15, 15}, {15, 35}, {35, 35}, {35, 15}}, 0xFFFFFF);  // the other
    s.StrokePath({{0, 20}, {40, 20}}, 4, TCap::Butt, false, 0xFFFFFF);
    s.EndBatch();
    EXPECT_EQ(s.Pixel(20, 20), 0xFFFFFFu) << aa;  // the overlap stays filled
    EXPECT_EQ(s.Pixel(10, 10), 0xFFFFFFu) << aa;
    EXPECT_EQ(s.Pixel(30, 30), 0xFFFFFFu) << aa;
    EXPECT_EQ(s.Pixel(30, 8), 0u) << aa;
  }
}

TEST(RasterSurface, HairlinesFarOutsideAreClipped) {
  for (bool aa : {true, false}) {
    TRasterSurface s(50, 50, aa);
    s.Clear(0);
    s.StrokePath({{-1e9, 25.5}, {1e9, 25.5}}, 1, TCap::Butt, false, 0x00FF00);  // must not walk a billion pixels
    s.StrokePath({{-1e9, -1e9}, {-2e9, 5}}, 1, TCap::Butt, false, 0x00FF00);
    EXPECT_NE(s.Pixel(10, 25), 0u) << aa;
    EXPECT_EQ(s.Pixel(10, 10), 0u) << aa;
  }
}

TEST(RasterSurface, CompositingModes) {
  TRasterSurface s(10, 10, true);
  s.Clear(Rgb(100, 100, 100));
  s.SetCompose(TCompose::Plus);
  s.FillRect(0, 0, 5, 10, Rgb(50, 200, 0));
  s.SetCompose(TCompose::Minus);
  s.FillRect(5, 0, 10, 10, Rgb(50, 200, 0));
  s.SetCompose(TCompose::Normal);
  EXPECT_EQ(s.Pixel(2, 5), Rgb(150, 255, 100));
  EXPECT_EQ(s.Pixel(7, 5), Rgb(50, 0, 100));
  TRasterSurface p(10, 10, false);
  p.Clear(Rgb(0x0F, 0xF0, 0x00));
  p.SetCompose(TCompose::Or);
  p.FillRect(0, 0, 10, 10, Rgb(0xF0, 0x0F, 0x00));
  EXPECT_EQ(p.Pixel(5, 5), Rgb(0xFF, 0xFF, 0x00));
  p.SetCompose(TCompose::And);
  p.FillRect(0, 0, 10, 10, Rgb(0x0F, 0x0F, 0x00));
  EXPECT_EQ(p.Pixel(5, 5), Rgb(0x0F, 0x0F, 0x00));
}

}  // namespace
}  // namespace bs

namespace bs {
namespace {

TEST(RasterSurface, HugeShapesAroundThePictureStillDraw) {
  // At the highest zoom a long track's ends lie millions of pixels away.
  TRasterSurface s(20, 20, true);
  s.Clear(0);
  s.StrokePath({{-2e7, 10}, {2e7, 10}}, 6, TCap::Round, false, 0xFFFFFF);
  s.FillSimplePolygon({{-3e7, -3e7}, {3e7, -3e7}, {3e7, 5}, {-3e7, 5}}, 0x0000FF);
  EXPECT_EQ(s.Pixel(10, 10), 0xFFFFFFu);
  EXPECT_EQ(s.Pixel(10, 2), 0x0000FFu);
  EXPECT_EQ(s.Pixel(10, 18), 0u);
}

}  // namespace
}  // namespace bs

namespace bs {
namespace {

// A component of one pad whose cross, moved by the placement offset (ox,
// oy), is looked for in the region about the pixel (cx, cy) `half` pixels
// each way: the repainted region must show it just as the whole picture
// does. The pad has an outline, or none (an unknown shape), which puts the
// placement point at the origin.
struct CrossFixture : PaintFixture {
  void ExpectCrossInRegion(bool outlined, float ox, float oy, int cx, int cy, int half) {
    board.Elements.clear();
    TObjekt& pad = Pad(500000, -500000, kShapeRound, 20000, 8000);
    if (!outlined) pad.Shape = 99;
    pad.ComponentNo = 3;
    auto label = NewObjekt();
    InitText(*label, {480000, -460000}, "R1", false, false, kLayerS1, 0, 1, 10000, 0);
    label->LabelRole = 1;
    label->ComponentNo = 3;
    TPlaceData& place = EnsurePlace(*label);
    place.PlaceOffsetX = ox;
    place.PlaceOffsetY = oy;
    Add(std::move(label));
    const TRaster whole = Paint();
    TRasterSurface bare(1001, 1001, true);  // a picture without crosses
    bare.Clear(set.Scheme.Background());
    PaintBoard(bare, board, view, set, TPaintTarget::Other);
    TRasterSurface part(1001, 1001, true);
    part.Clear(set.Scheme.Background());
    PaintBoardRegion(part, board, view, set, cx - half, cy - half, cx + half + 1, cy + half + 1);
    int differ = 0, marked = 0;
    for (int y = cy - half; y <= cy + half; ++y)
      for (int x = cx - half; x <= cx + half; ++x) {
        differ += part.Raster().At(x, y) != whole.At(x, y);
        marked += whole.At(x, y) != bare.Raster().At(x, y);
      }
    EXPECT_GT(marked, 4) << (outlined ? "" : "no outline, ") << "offset " << ox << "," << oy;
    EXPECT_EQ(differ, 0) << (outlined ? "" : "no outline, ") << "offset " << ox << "," << oy;
  }
};

// The placement offset may move the cross well away from the component's
// elements, either way; without outlines it sits at the origin plus offset.
TEST_F(CrossFixture, RegionsShowTheComponentCrossWhereverItWasMoved) {
  for (auto [ox, oy] : {std::pair{0.0f, 0.0f}, std::pair{250000.0f, 0.0f}, std::pair{-250000.0f, 0.0f},
                        std::pair{0.0f, 300000.0f}, std::pair{0.0f, -300000.0f}})
    ExpectCrossInRegion(true, ox, oy, 500 + int(ox / 1000), 500 + int(oy / 1000), 8);
  ExpectCrossInRegion(false, 200000, 150000, 200, 150, 10);
}

TEST_F(PaintFixture, DragPreviewIsTranslucentAndShowsCutouts) {
  auto zone = NewObjekt();
  InitZone(*zone, 2000, kLayerC2);
  for (TFPoint p : {TFPoint{100000, -100000}, TFPoint{300000, -100000}, TFPoint{300000, -300000}}) AddPoint(*zone, p);
  zone->Cutout = 1;  // invisible on the board, shown while dragged
  TObjekt& z = Add(std::move(zone));
  TRasterSurface s(1001, 1001, true);
  s.Clear(set.Scheme.Background());
  PaintBoard(s, board, view, set);
  EXPECT_EQ(s.Pixel(200, 100), set.Scheme.Background());
  DrawDragPreview(s, {&z}, board.Platine, view, set);
  const TColour ghost = s.Pixel(200, 100);  // on its outline
  const TColour full = set.Scheme.Layer(kLayerC2);
  EXPECT_NE(ghost, full);  // translucent on a dark background (alpha 230)
  EXPECT_NEAR(Green(ghost), Green(full) * 230 / 255, 2);
  EXPECT_EQ(s.Pixel(250, 150), set.Scheme.Background());  // a cut-out is filled with the back colour
}

}  // namespace
}  // namespace bs
