#include "cam/gerber.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <functional>
#include <sstream>
#include <utility>

#include "cam_fixture.h"
#include "cli.h"
#include "io/project_file.h"
#include "model/geometry.h"

namespace bs {
namespace {

using test::Lines;
using test::TCamBoard;

constexpr int kRowC1 = 0, kRowS1 = 2, kRowMask1 = 7, kRowSmd1 = 9;

std::vector<std::string> Export(const TBoard& b, int row, const TGerberOptions& opt = {}) {
  return Lines(GerberOutputText(b, row, opt));
}

std::vector<std::string> Apertures(const std::vector<std::string>& lines) {
  std::vector<std::string> out;
  for (const auto& l : lines)
    if (l.rfind("%ADD", 0) == 0) out.push_back(l);
  return out;
}

size_t Count(const std::vector<std::string>& lines, const std::string& line) {
  return size_t(std::count(lines.begin(), lines.end(), line));
}

size_t IndexOf(const std::vector<std::string>& lines, const std::string& line, size_t from = 0) {
  for (size_t i = from; i < lines.size(); ++i)
    if (lines[i] == line) return i;
  return std::string::npos;
}

TEST(GerberMillimetres, ExactToTheUnitWithoutTrailingZeros) {
  const std::pair<int32_t, const char*> cases[] = {
      {2540, "0.254"}, {20, "0.002"}, {9000, "0.9"},   {18000, "1.8"},          {10000, "1"},
      {0, "0"},        {1, "0.0001"}, {1270, "0.127"}, {12345678, "1234.5678"}, {5, "0.0005"},
  };
  for (auto [units, text] : cases) EXPECT_EQ(GerberMillimetres(units), text) << units;
}

TEST(GerberFile, EmptyFileIsHeaderPolarityAndEnd) {
  TCamBoard f;
  EXPECT_EQ(GerberOutputText(f.board, kRowS1, {}),
            "%FSLAX34Y34*%\r\n%MOMM*%\r\n%LNSILK_TOP*%\r\nG71*\r\nG01*\r\n%LPD*%\r\nM02*\r\n");
}

TEST(GerberFile, FrameUsesATwentyUnitPenAndFollowsTheMapping) {
  TCamBoard f;
  TGerberOptions opt;
  opt.Frame = true;
  const std::vector<std::string> header = {"%FSLAX34Y34*%", "%MOMM*%",         "%LNSILK_TOP*%", "G71*",
                                           "G01*",          "%ADD10C,0.002*%", "%LPD*%",        "G54D10*"};
  auto expect = [&](std::vector<std::string> points) {
    std::vector<std::string> all = header;
    all.insert(all.end(), points.begin(), points.end());
    all.push_back("M02*");
    return all;
  };
  EXPECT_EQ(Export(f.board, kRowS1, opt),
            expect({"X0Y800000D02*", "X1000000Y800000D01*", "X1000000Y0D01*", "X0Y0D01*", "X0Y800000D01*"}));

  // Mirrored about the board width without the zero point ...
  opt.Mirror = true;
  opt.UseOrigin = false;
  EXPECT_EQ(Export(f.board, kRowS1, opt),
            expect({"X1000000Y800000D02*", "X0Y800000D01*", "X0Y0D01*", "X1000000Y0D01*", "X1000000Y800000D01*"}));
  // ... and about the zero point with it: every X negated.
  opt.UseOrigin = true;
  EXPECT_EQ(Export(f.board, kRowS1, opt),
            expect({"X0Y800000D02*", "X-1000000Y800000D01*", "X-1000000Y0D01*", "X0Y0D01*", "X0Y800000D01*"}));
}

TEST(GerberFile, ZeroPointShiftsEveryCoordinate) {
  TCamBoard f;
  f.board.Platine.OriginX = 100000;
  f.board.Platine.OriginY = -300000;
  f.Track(kLayerS1, 1000, {{150000, -250000}, {250000, -250000}});
  TGerberOptions opt;
  auto lines = Export(f.board, kRowS1, opt);
  EXPECT_EQ(Count(lines, "X50000Y50000D02*"), 1u);
  EXPECT_EQ(Count(lines, "X150000Y50000D01*"), 1u);
  opt.UseOrigin = false;  // from the lower-left corner
  lines = Export(f.board, kRowS1, opt);
  EXPECT_EQ(Count(lines, "X150000Y550000D02*"), 1u);
}

TEST(GerberFile, EqualApertureSharesItsCodeAndKindsStayApart) {
  TCamBoard f;
  f.Track(kLayerC1, 2540, {{100000, -100000}, {200000, -100000}});
  f.Track(kLayerC1, 2540, {{100000, -200000}, {200000, -200000}});
  f.Pad({300000, -300000}, 500, 1270);  // a flash of the same printed diameter
  const auto lines = Export(f.board, kRowC1);
  EXPECT_EQ(Apertures(lines), (std::vector<std::string>{"%ADD10C,0.254*%", "%ADD11C,0.254*%"}));
  // The pen is selected again for every track, as it is for every element.
  EXPECT_EQ(Count(lines, "G54D10*"), 2u);
  EXPECT_EQ(Count(lines, "G54D11*"), 1u);
  EXPECT_EQ(Count(lines, "D03*"), 1u);
}

TEST(GerberFile, SmdPadsFlashAtRightAnglesAndBecomeRegionsOtherwise) {
  struct TCase {
    double angle;
    const char* aperture;  // nullptr: a region
  };
  const TCase cases[] = {{0, "%ADD10R,0.9X1.8*%"},
                         {90, "%ADD10R,1.8X0.9*%"},
                         {180, "%ADD10R,0.9X1.8*%"},
                         {270, "%ADD10R,1.8X0.9*%"},
                         {0.05, "%ADD10R,0.9X1.8*%"},
                         {359.95, "%ADD10R,0.9X1.8*%"},
                         {45, nullptr},
                         {30, nullptr}};
  for (const TCase& c : cases) {
    TCamBoard f;
    TObjekt& pad = f.Smd({500000, -400000}, 9000, 18000);
    RotateObjekt(pad, {500000, -400000}, c.angle);
    const auto lines = Export(f.board, kRowC1);
    if (c.aperture) {
      EXPECT_EQ(Apertures(lines), std::vector<std::string>{c.aperture}) << c.angle;
      EXPECT_EQ(Count(lines, "X500000Y400000D02*"), 1u) << c.angle;
      EXPECT_EQ(Count(lines, "D03*"), 1u) << c.angle;
    } else {
      EXPECT_TRUE(Apertures(lines).empty()) << c.angle;
      const size_t begin = IndexOf(lines, "G36*");
      ASSERT_NE(begin, std::string::npos) << c.angle;
      // Move to corner 0, draws to corners 1, 2, 3 and back to 0.
      EXPECT_EQ(lines[begin + 6], "G37*") << c.angle;
      EXPECT_EQ(lines[begin + 5].substr(0, lines[begin + 5].size() - 4),
                lines[begin + 1].substr(0, lines[begin + 1].size() - 4))
          << c.angle;
    }
  }
}

TEST(GerberFile, NegativeSmdMaskOffsetKeepsAFiftyMicrometreOpening) {
  struct TCase {
    float w, h;
    int32_t offset;
    const char* aperture;
  };
  const TCase cases[] = {
      {1000, 20000, -400, "%ADD10R,0.05X1.95*%"},  // limited to 500 units wide
      {300, 20000, -100, "%ADD10R,0.05X2.02*%"},   // already narrower: grows to 500
      {20000, 1000, -400, "%ADD10R,1.95X0.05*%"},  // the height limits as well
      {2000, 4000, -200, "%ADD10R,0.16X0.36*%"},   // no limit needed
      {2000, 4000, 300, "%ADD10R,0.26X0.46*%"},    // positive offsets are never limited
  };
  for (const TCase& c : cases) {
    TCamBoard f;
    f.Smd({500000, -400000}, c.w, c.h);
    TGerberOptions opt;
    opt.SmdMaskOffset = c.offset;
    EXPECT_EQ(Apertures(Export(f.board, kRowSmd1, opt)), std::vector<std::string>{c.aperture})
        << c.w << " " << c.offset;
  }
  EXPECT_EQ(LimitedSmdMaskOffset(1000, 20000, -400), -250);
  EXPECT_EQ(LimitedSmdMaskOffset(300, 20000, -100), 100);
}

TEST(GerberFile, GroundPlaneIsDarkRegionThenClearGapsThenDarkSpokesAndElements) {
  TCamBoard f;
  f.board.Platine.GroundPlane[kLayerC1] = 1;
  TObjekt& track = f.Track(kLayerC1, 2000, {{100000, -100000}, {300000, -100000}});
  track.Clearance = 4000;
  TObjekt& bare = f.Pad({400000, -400000}, 6000, 6000);  // no copper ring
  bare.Clearance = 3000;
  TObjekt& thermal = f.Pad({600000, -400000}, 3000, 8000);
  thermal.Clearance = 2000;
  thermal.Thermal = 1;  // spokes 1, 3, 5, 7
  TObjekt& cut = f.Track(kLayerC1, 1000, {{700000, -700000}, {800000, -700000}});
  cut.Cutout = 1;
  cut.Clearance = 5000;
  f.Track(kLayerC2, 3000, {{100000, -500000}, {300000, -500000}});  // another layer

  const auto lines = Export(f.board, kRowC1);
  ASSERT_EQ(lines[5].rfind("%ADD", 0), 0u);
  const size_t dark0 = IndexOf(lines, "%LPD*%");
  ASSERT_NE(dark0, std::string::npos);
  EXPECT_EQ(lines[dark0 + 1], "G36*");
  EXPECT_EQ(lines[dark0 + 2], "X0Y800000D02*");
  EXPECT_EQ(lines[dark0 + 7], "G37*");
  EXPECT_EQ(lines[dark0 + 8], "%LPC*%");
  const size_t dark1 = IndexOf(lines, "%LPD*%", dark0 + 1);
  ASSERT_NE(dark1, std::string::npos);
  EXPECT_EQ(IndexOf(lines, "%LPC*%", dark0 + 9), std::string::npos);  // one clear stretch only

  // Apertures: gaps (track 2000 + 2 x 4000, bare pad 6000 + 3000, thermal
  // pad 8000 + 2000, the cut-out at its own width), the spoke pen, then the
  // elements themselves.
  EXPECT_EQ(Apertures(lines), (std::vector<std::string>{"%ADD10C,1*%", "%ADD11C,1.8*%", "%ADD12C,2*%", "%ADD13C,0.1*%",
                                                        "%ADD14C,0.5333*%", "%ADD15C,0.2*%", "%ADD16C,1.6*%"}));
  const auto at = [&](const std::string& l) { return IndexOf(lines, l); };
  EXPECT_LT(dark0 + 8, at("G54D10*"));
  EXPECT_LT(at("G54D13*"), dark1);          // the cut-out is cut out ...
  EXPECT_GT(at("G54D14*"), dark1);          // ... spokes come after the clear part ...
  EXPECT_LT(at("G54D14*"), at("G54D15*"));  // ... and before the copper
  // Four spoke regions between the spoke pen and the first element.
  size_t spokes = 0;
  for (size_t i = at("G54D14*"); i < at("G54D15*"); ++i) spokes += lines[i] == "G36*";
  EXPECT_EQ(spokes, 4u);
  // The bare hole is cut from the plane but has no copper of its own; the
  // cut-out has no copper either; the other layer's track is not here.
  EXPECT_EQ(Count(lines, "G54D11*"), 1u);
  EXPECT_EQ(Count(lines, "G54D13*"), 1u);
  EXPECT_EQ(Count(lines, "D03*"), 3u);
  EXPECT_EQ(Count(lines, "X100000Y300000D02*"), 0u);
  EXPECT_EQ(lines.back(), "M02*");
}

TEST(GerberFile, WithoutGroundPlaneCopperIsElementsOnly) {
  TCamBoard f;
  TObjekt& track = f.Track(kLayerC1, 2000, {{100000, -100000}, {300000, -100000}});
  track.Clearance = 4000;
  const auto lines = Export(f.board, kRowC1);
  EXPECT_EQ(Apertures(lines), std::vector<std::string>{"%ADD10C,0.2*%"});
  EXPECT_EQ(Count(lines, "%LPC*%"), 0u);
  EXPECT_EQ(Count(lines, "G36*"), 0u);
}

TEST(GerberFile, PunchLayerClearsDrillsOrCentreMarks) {
  TCamBoard f;
  f.Pad({100000, -100000}, 4000, 8000);
  TGerberOptions opt;
  opt.PunchHoles = true;
  auto lines = Export(f.board, kRowC1, opt);
  const size_t punch = IndexOf(lines, "%LNAUGENFREISTANZEN*%");
  ASSERT_NE(punch, std::string::npos);
  EXPECT_EQ(lines[punch + 1], "%LPC*%");
  EXPECT_EQ(lines[punch + 2], "X100000Y700000D02*");
  EXPECT_EQ(lines[punch + 3], "G54D11*");
  EXPECT_EQ(lines[punch + 4], "D03*");
  EXPECT_EQ(Apertures(lines), (std::vector<std::string>{"%ADD10C,1.6*%", "%ADD11C,0.8*%"}));
  opt.CentrePunch = true;
  lines = Export(f.board, kRowC1, opt);
  EXPECT_EQ(Apertures(lines).back(), "%ADD11C,0.3*%");
}

TEST(GerberFile, SolderMaskTakesOffsetsPerKindAndCanBeInverted) {
  TCamBoard f;
  f.Pad({100000, -100000}, 3000, 8000);  // mask opening asked for by default
  f.Smd({200000, -100000}, 10000, 20000);
  TObjekt& t = f.Track(kLayerC1, 2000, {{300000, -100000}, {400000, -100000}});
  t.SolderMask = 1;
  f.Track(kLayerC1, 2500, {{300000, -200000}, {400000, -200000}});  // no opening
  TGerberOptions opt;
  auto lines = Export(f.board, kRowMask1, opt);
  EXPECT_EQ(Apertures(lines), (std::vector<std::string>{"%ADD10C,2.2*%", "%ADD11R,1.2X2.2*%", "%ADD12C,0.4*%"}));
  EXPECT_EQ(lines[IndexOf(lines, "%LPD*%") + 1], "X100000Y700000D02*");
  EXPECT_EQ(lines[IndexOf(lines, "%LPD*%") + 2], "G54D10*");

  opt.MaskSmd = false;
  opt.MaskOffsetTht = 0;
  opt.MaskInverted = true;
  lines = Export(f.board, kRowMask1, opt);
  EXPECT_EQ(Apertures(lines), (std::vector<std::string>{"%ADD10C,1.6*%", "%ADD11C,0.4*%"}));
  const size_t dark = IndexOf(lines, "%LPD*%");
  EXPECT_EQ(lines[dark + 1], "G36*");
  EXPECT_EQ(lines[dark + 8], "%LPC*%");
}

TEST(GerberFile, GrownOutlinesKeepThePadsTurn) {
  TCamBoard f;
  TObjekt& pad = f.Pad({100000, -100000}, 2000, 5000, kLayerC1, kShapeSquare);
  RotateObjekt(pad, {100000, -100000}, 30);
  TGerberOptions opt;
  opt.MaskOffsetTht = 1000;
  const auto lines = Export(f.board, kRowMask1, opt);
  // A square grown by 1000 is the same square scaled by 6000 / 5000 about
  // its centre.
  const double x = 100000 + (pad.Points[0].X - 100000) * 1.2, y = 800000 - 100000 + (pad.Points[0].Y + 100000) * 1.2;
  const std::string first = "X" + std::to_string(std::llrint(x)) + "Y" + std::to_string(std::llrint(y)) + "D02*";
  EXPECT_EQ(lines[IndexOf(lines, "G36*") + 1], first);
}

TEST(GerberFile, CirclesAreCounterClockwiseArcsInMultiQuadrantMode) {
  TCamBoard f;
  TObjekt& c = f.Add(NewObjekt());
  InitCircle(c, {100000, -100000}, 5000, kLayerS1, 3000);
  c.StartAngle = 0;
  c.StopAngle = 359950;  // within 0.1 degree of a full turn
  auto lines = Export(f.board, kRowS1);
  std::vector<std::string> arc(lines.begin() + long(IndexOf(lines, "G75*")), lines.end() - 1);
  EXPECT_EQ(arc, (std::vector<std::string>{"G75*", "G01X104000Y700000D02*", "G03X104000Y700000I-4000J0D01*", "G01*"}));
  EXPECT_EQ(Apertures(lines), std::vector<std::string>{"%ADD10C,0.2*%"});

  c.StopAngle = 90000;
  lines = Export(f.board, kRowS1);
  EXPECT_EQ(Count(lines, "G03X100000Y704000I-4000J0D01*"), 1u);
  // Mirrored: the ends change places so that the arc still runs
  // counter-clockwise.
  TGerberOptions opt;
  opt.Mirror = true;
  opt.UseOrigin = false;
  lines = Export(f.board, kRowS1, opt);
  EXPECT_EQ(Count(lines, "G01X900000Y704000D02*"), 1u);
  EXPECT_EQ(Count(lines, "G03X896000Y700000I0J-4000D01*"), 1u);

  c.Fill = 1;
  lines = Export(f.board, kRowS1);
  const size_t region = IndexOf(lines, "G36*");
  ASSERT_NE(region, std::string::npos);
  // The region: the arc and the chord back to its start; then the chord
  // drawn with the pen, from the arc's end.
  EXPECT_EQ(std::vector<std::string>(lines.begin() + long(region), lines.end() - 1),
            (std::vector<std::string>{"G36*", "G75*", "G01X104000Y700000D02*", "G03X100000Y704000I-4000J0D01*", "G01*",
                                      "X104000Y700000D01*", "G37*", "X100000Y704000D02*", "X104000Y700000D01*"}));
}

// The X and Y of a line ("G01X5Y-7D02*", "G03X1Y2I3J4D01*").
std::pair<long long, long long> XyOf(const std::string& line) {
  const size_t x = line.find('X'), y = line.find('Y');
  if (x == std::string::npos || y == std::string::npos) return {-1, -1};
  return {std::stoll(line.substr(x + 1)), std::stoll(line.substr(y + 1))};
}

bool EndsWith(const std::string& s, const std::string& end) {
  return s.size() >= end.size() && s.compare(s.size() - end.size(), end.size(), end) == 0;
}

TEST(GerberFile, FilledArcRegionsEndWhereTheyStart) {
  struct TCase {
    const char* name;
    int32_t start, stop;  // millidegrees
    bool mirror;
  };
  const TCase cases[] = {
      {"a quarter", 0, 90000, false},    {"three quarters", 0, 270000, false}, {"across zero", 300000, 45000, false},
      {"mirrored", 30000, 240000, true}, {"a full circle", 0, 0, false},       {"a full circle, mirrored", 0, 0, true},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    TCamBoard f;
    TObjekt& e = f.Add(NewObjekt());
    InitCircle(e, {100000, -100000}, 5000, kLayerS1, 3000);
    e.StartAngle = c.start;
    e.StopAngle = c.stop;
    e.Fill = 1;
    TGerberOptions opt;
    opt.Mirror = c.mirror;
    opt.UseOrigin = false;
    const auto lines = Export(f.board, kRowS1, opt);
    const size_t begin = IndexOf(lines, "G36*"), end = IndexOf(lines, "G37*");
    ASSERT_LT(begin, end);
    ASSERT_LT(end + 1, lines.size());
    // The contour opens with a move and ends with its last draw.
    const std::string& move = lines[begin + 2];
    ASSERT_TRUE(EndsWith(move, "D02*")) << move;
    size_t last = end - 1;
    while (last > begin && !EndsWith(lines[last], "D01*")) --last;
    ASSERT_GT(last, begin + 2);
    EXPECT_EQ(XyOf(lines[last]), XyOf(move)) << lines[last];
    // The pen then draws the chord from the arc's end to its start, as
    // before the region was closed.
    const std::string& arc = lines[begin + 3];
    ASSERT_EQ(arc.substr(0, 3), "G03");
    if (XyOf(arc) != XyOf(move)) {
      EXPECT_EQ(XyOf(lines[end + 1]), XyOf(arc));
      EXPECT_TRUE(EndsWith(lines[end + 1], "D02*")) << lines[end + 1];
      EXPECT_EQ(lines[end + 2], lines[last]);
    } else {
      // A full circle: a draw on the spot, as ever.
      EXPECT_EQ(XyOf(lines[end + 1]), XyOf(move));
      EXPECT_TRUE(EndsWith(lines[end + 1], "D01*")) << lines[end + 1];
    }
  }
}

TEST(GerberFile, FlatEndsAndHatch) {
  TCamBoard f;
  TObjekt& t = f.Track(kLayerS1, 2000, {{100000, -100000}, {200000, -100000}});
  t.TrackEnds = 2;
  auto lines = Export(f.board, kRowS1);
  const size_t region = IndexOf(lines, "G36*");
  ASSERT_NE(region, std::string::npos);
  EXPECT_EQ(std::vector<std::string>(lines.begin() + long(region), lines.begin() + long(region) + 7),
            (std::vector<std::string>{"G36*", "X200000Y701000D02*", "X201000Y701000D01*", "X201000Y699000D01*",
                                      "X200000Y699000D01*", "X200000Y701000D01*", "G37*"}));
  // A flat end on a segment shorter than half the width stays round.
  t.Points[1] = {100900, -100000};
  EXPECT_EQ(Count(Export(f.board, kRowS1), "G36*"), 0u);

  TCamBoard h;
  TObjekt& z = h.Add(NewObjekt());
  InitZone(z, 0, kLayerS1);
  for (TFPoint p : {TFPoint{0, 0}, TFPoint{100, 0}, TFPoint{100, -100}, TFPoint{0, -100}}) AddPoint(z, p);
  z.Hatch = 1;
  z.HatchAuto = 1;  // pitch 2 x 0, at least 10
  lines = Export(h.board, kRowS1);
  EXPECT_EQ(Apertures(lines), (std::vector<std::string>{"%ADD10C,0.0005*%", "%ADD11C,0*%"}));
  EXPECT_EQ(Count(lines, "G36*"), 0u);
}

TEST(GerberFile, EveryLineEndsInCrLf) {
  TCamBoard f;
  f.board.Platine.GroundPlane[kLayerC1] = 1;
  f.Track(kLayerC1, 2000, {{100000, -100000}, {300000, -100000}}).Clearance = 4000;
  const std::string text = GerberOutputText(f.board, kRowC1, {});
  ASSERT_GE(text.size(), 2u);
  EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
  for (size_t i = 0; i < text.size(); ++i)
    if (text[i] == '\n') {
      EXPECT_TRUE(i > 0 && text[i - 1] == '\r') << i;
    }
}

TEST(GerberFile, OutputsAreOfferedWhenTheyHaveContent) {
  TCamBoard f;
  for (int row = 0; row < kGerberOutputCount; ++row) EXPECT_FALSE(GerberOutputAvailable(f.board, row)) << row;
  TObjekt& via = f.Pad({100000, -100000}, 3000, 8000);
  via.Via = 1;
  via.SolderMask = 0;
  EXPECT_TRUE(GerberOutputAvailable(f.board, 0));   // C1
  EXPECT_TRUE(GerberOutputAvailable(f.board, 1));   // C2: a via lies on both sides
  EXPECT_FALSE(GerberOutputAvailable(f.board, 4));  // I1 only on a multilayer board
  EXPECT_FALSE(GerberOutputAvailable(f.board, kRowMask1));
  f.board.Platine.Multilayer = 1;
  EXPECT_TRUE(GerberOutputAvailable(f.board, 4));
  f.Smd({200000, -100000}, 1000, 2000, kLayerC2);
  EXPECT_FALSE(GerberOutputAvailable(f.board, kRowSmd1));
  EXPECT_TRUE(GerberOutputAvailable(f.board, kRowSmd1 + 1));
  EXPECT_TRUE(GerberOutputAvailable(f.board, kRowMask1 + 1));
}

// Coordinates have three integer digits in millimetres (%FSLAX34Y34*%):
// whatever lies 1000 mm or more from the zero point is refused, and the file
// (here one that exists already) stays as it was.
TEST(GerberFile, PositionsBeyondTheNumberFormatWriteNothing) {
  struct TCase {
    const char* name;
    std::function<void(TGerberFile&)> draw;
    const char* unfitMm;  // nullptr when everything fits
  };
  const TCase cases[] = {
      {"x just inside", [](TGerberFile& f) { f.MoveTo(9999999, 0); }, nullptr},
      {"x just outside", [](TGerberFile& f) { f.MoveTo(10000000, 0); }, "1000"},
      {"x rounded to just inside", [](TGerberFile& f) { f.DrawTo(9999999.4, 5); }, nullptr},
      {"negative y just inside", [](TGerberFile& f) { f.DrawTo(0, -9999999); }, nullptr},
      {"negative y just outside", [](TGerberFile& f) { f.DrawTo(0, -10000000); }, "-1000"},
      {"a hole 1050 mm away", [](TGerberFile& f) { f.MoveTo(10500000, 200000); }, "1050"},
      {"the first of several",
       [](TGerberFile& f) {
         f.MoveTo(0, -12345678);
         f.DrawTo(20000000, 0);
       },
       "-1234.5678"},
      {"the zero point far left",
       [](TGerberFile& f) {
         f.Mapping.OriginX = -10000000;
         f.MoveTo(0, 0);
       },
       "1000"},
      {"mirrored about a far zero point",
       [](TGerberFile& f) {
         f.Mapping.Mirror = true;
         f.Mapping.MirrorWidth = -20000000;
         f.MoveTo(-10000000, 0);  // -20000000 - (-10000000)
       },
       "-1000"},
      {"an arc whose ends fit but whose centre offset does not",
       [](TGerberFile& f) {
         f.Arc({-5000000, 0}, {7000000, 0}, {7000000, 0}, false);
       },
       "-1200"},
      {"an arc ending too far",
       [](TGerberFile& f) {
         f.Arc({6000000, 0}, {6000000, 4500000}, {10500000, 0}, false);
       },
       "1050"},
  };
  test::TTestFolder dir;
  const std::string path = dir / "out.gbr";
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::ofstream(path, std::ios::binary) << "old";
    TGerberFile f;
    f.BeginFile("X");
    f.FileName = path;
    f.SetPenwidth(100);
    c.draw(f);
    const std::string error = f.EndFile();
    EXPECT_EQ(error, f.CoordinateError());
    if (!c.unfitMm) {
      EXPECT_EQ(error, "");
      EXPECT_EQ(test::FileText(path), f.Text());
    } else {
      EXPECT_EQ(error, "The position " + std::string(c.unfitMm) + " mm does not fit the number format of the file \"" +
                           path + "\".");
      EXPECT_EQ(test::FileText(path), "old");
    }
  }
}

// The command line reports such a board on stderr with exit code 1 and
// writes none of the files asked for, not even those that would fit.
TEST(CamCommandLine, PositionsBeyondTheNumberFormatFailAndWriteNothing) {
  test::TTestFolder dir;
  TProject p;
  ResetProject(p, TLanguage::English, false);
  TBoard& b = *p.Active();
  // The zero point 999.9 mm left of the board: the C1 pad lies at 999.95 mm
  // in the files, the S1 track from 1000.9 mm on, the C2 pad at 1001.9 mm.
  b.Platine.OriginX = -9999000;
  auto pad = NewObjekt();
  InitThtPad(*pad, {500, -50000}, kLayerC1, kShapeRound, 2000, 4000);
  b.Elements.push_back(std::move(pad));
  auto track = NewObjekt();
  InitTrack(*track, 1000, kLayerS1);
  AddPoint(*track, {10000, -50000});
  AddPoint(*track, {20000, -50000});
  b.Elements.push_back(std::move(track));
  auto far = NewObjekt();
  InitThtPad(*far, {20000, -80000}, kLayerC2, kShapeRound, 2000, 4000);
  b.Elements.push_back(std::move(far));
  const std::string board = dir / "far.bsm6";
  ASSERT_TRUE(WriteProject(p, board).Ok);

  const auto run = [](std::vector<std::string> args, std::string& err) {
    std::ostringstream out, errors;
    const int code = cli::RunCli(args, out, errors);
    err = errors.str();
    return code;
  };
  const auto fits = [&](const std::string& mm, const std::string& path) {
    return "The position " + mm + " mm does not fit the number format of the file \"" + path + "\".";
  };
  std::string err;
  const std::string c1 = dir / (std::string("far") + kGerberOutputs[kRowC1].DefaultEnding);
  const std::string s1 = dir / (std::string("far") + kGerberOutputs[kRowS1].DefaultEnding);
  EXPECT_EQ(run({"gerber", board, "--out", dir.path.string(), "--layers", "c1,s1"}, err), 1);
  EXPECT_NE(err.find(fits("1000.9", s1)), std::string::npos) << err;
  EXPECT_FALSE(std::filesystem::exists(c1));
  EXPECT_FALSE(std::filesystem::exists(s1));
  EXPECT_EQ(run({"gerber", board, "--out", dir.path.string(), "--layers", "c1"}, err), 0) << err;
  EXPECT_TRUE(std::filesystem::exists(c1));

  const std::string drl = dir / "h.drl";
  EXPECT_EQ(run({"excellon", board, drl, "--format", "mm32"}, err), 1);
  EXPECT_NE(err.find(fits("1001.9", drl)), std::string::npos) << err;
  EXPECT_FALSE(std::filesystem::exists(drl));
  EXPECT_EQ(run({"excellon", board, drl, "--format", "inch24"}, err), 0) << err;  // 39.4 inches
  EXPECT_TRUE(std::filesystem::exists(drl));
}

TEST(GerberFile, EndFileReplacesOnlyWithACompleteFile) {
  TGerberFile f;
  f.BeginFile("X");
  f.FileName = "/nonexistent-folder/x.gbr";
  EXPECT_NE(f.EndFile().find("can not be written"), std::string::npos);
}

}  // namespace
}  // namespace bs
