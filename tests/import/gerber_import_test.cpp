// The Gerber reader: numbers, apertures, macros, regions, modes, clear
// polarity, image statements, the joining of tracks, and round trips
// through our own Gerber and Excellon writers.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "cam/drill_list.h"
#include "cam/excellon.h"
#include "cam/gerber.h"
#include "import/aperture_macro.h"
#include "import/gerber_geometry.h"
#include "import/gerber_import.h"
#include "import/gerber_run.h"
#include "model/geometry.h"
#include "project/project.h"

namespace bs {
namespace {

// A metric file with 3.4 digits, leading zeros omitted, and the body given.
std::string Mm(const std::string& body) { return "%FSLAX34Y34*%\n%MOMM*%\n" + body + "\nM02*\n"; }

struct TRead {
  TObjektList list;
  TGerberReport rep;
};

TRead Read(const std::string& text, uint8_t layer = kLayerC1) {
  TRead r;
  r.rep = ReadGerberText(text, "test.gbr", layer, r.list);
  return r;
}

TDPoint D(TFPoint p) { return {p.X, p.Y}; }

size_t CountKind(const TObjektList& l, uint8_t kind) {
  size_t n = 0;
  for (const auto& e : l) n += e->Kind == kind;
  return n;
}

TEST(GerberNumbers, CoordinatesFollowTheFormatUnitAndSign) {
  struct TCase {
    const char* name;
    std::string head;
    std::string x;
    double units;
  };
  const std::vector<TCase> cases = {
      {"leading omitted, mm", "%FSLAX34Y34*%%MOMM*%", "123456", 123456},
      {"trailing omitted, inch", "%FSTAX24Y24*%%MOIN*%", "12", 12 * 254000.0},
      {"trailing omitted, sign before padding", "%FSTAX24Y24*%%MOIN*%", "-15", -15 * 254000.0},
      {"leading omitted, negative", "%FSLAX24Y24*%%MOIN*%", "-1500", -0.15 * 254000},
      {"decimal point", "%FSLAX34Y34*%%MOMM*%", "1.5", 15000},
      {"unit from G71 without MO", "%FSLAX34Y34*%G71*", "10000", 10000},
      {"default unit inch", "%FSLAX25Y25*%", "100000", 254000},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    const TRead r = Read(c.head + "%ADD10C,0.01*%D10*X0Y0D02*X" + c.x + "Y0D01*M02*");
    ASSERT_EQ(r.list.size(), 1u);
    ASSERT_EQ(r.list[0]->Kind, kKindTrack);
    EXPECT_NEAR(r.list[0]->Points[1].X, c.units, 0.5);
    EXPECT_EQ(r.rep.ErrorCount, 0u);
  }
}

TEST(GerberNumbers, BadNumbersAreReportedWithTheirLineAndSkipped) {
  struct TCase {
    const char* name;
    std::string bad;
  };
  const std::vector<TCase> cases = {
      {"beyond one metre", "X99999999Y0D01*"},
      {"too many digits", "X1234567890123456789012Y0D01*"},
      {"letter inside", "X12A4Y0D01*"},
      {"unknown word", "Q12*"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    const TRead r = Read(Mm("%ADD10C,0.1*%\nD10*\nX0Y0D02*\n" + c.bad + "\nX10000Y0D01*"));
    // The bad command goes, the draw after it stays.
    ASSERT_EQ(r.list.size(), 1u);
    EXPECT_NEAR(r.list[0]->Points[1].X, 10000, 0.5);
    ASSERT_GE(r.rep.ErrorCount, 1u);
    EXPECT_EQ(r.rep.Errors[0].Line, 6);
  }
}

TEST(GerberApertures, FlashesBecomePadsOfTheirShape) {
  struct TCase {
    const char* name;
    std::string def;
    uint8_t kind;
    uint8_t shape;  // THT pads
    float sizeA, sizeB;
  };
  const std::vector<TCase> cases = {
      {"round with hole", "C,0.8X0.4", kKindThtPad, kShapeRound, 4000, 2000},
      {"round", "C,1.2", kKindThtPad, kShapeRound, 6000, 0},
      {"square with hole", "R,1.6X1.6X0.8", kKindThtPad, kShapeSquare, 8000, 4000},
      {"square without hole", "R,1.6X1.6", kKindSmdPad, 0, 16000, 16000},
      {"rectangle", "R,1.6X0.8", kKindSmdPad, 0, 16000, 8000},
      {"obround 2:1", "O,1.6X0.8", kKindThtPad, kShapeRoundedH, 4000, 0},
      {"obround 1:2 upright", "O,0.8X1.6X0.5", kKindThtPad, kShapeRoundedV, 4000, 2500},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    const TRead r = Read(Mm("%ADD11" + c.def + "*%\nD11*\nX100000Y50000D03*"));
    ASSERT_EQ(r.list.size(), 1u);
    const TObjekt& e = *r.list[0];
    EXPECT_EQ(e.Kind, c.kind);
    EXPECT_FLOAT_EQ(e.Pos.X, 100000);
    EXPECT_FLOAT_EQ(e.Pos.Y, 50000);
    if (c.kind == kKindThtPad) {
      EXPECT_EQ(e.Shape, c.shape);
    }
    EXPECT_FLOAT_EQ(e.SizeA, c.sizeA);
    EXPECT_FLOAT_EQ(e.SizeB, c.sizeB);
    EXPECT_EQ(e.Clearance, 4000);
  }
}

TEST(GerberApertures, LongObroundIsATrackAndPolygonAZone) {
  TRead r = Read(Mm("%ADD14O,2.0X0.8*%\n%ADD15P,1.0X6X30*%\nD14*\nX0Y0D03*\nD15*\nX50000Y0D03*"));
  ASSERT_EQ(r.list.size(), 2u);
  const TObjekt& t = *r.list[0];
  EXPECT_EQ(t.Kind, kKindTrack);
  EXPECT_EQ(t.Width, 8000);
  EXPECT_NEAR(Distance(D(t.Points[0]), D(t.Points[1])), 12000, 0.5);
  const TObjekt& z = *r.list[1];
  EXPECT_EQ(z.Kind, kKindZone);
  ASSERT_EQ(z.Points.size(), 6u);
  EXPECT_NEAR(z.Points[0].X, 50000 + 5000 * std::cos(30 * 3.14159265358979 / 180), 0.5);
}

TEST(GerberMacros, ExpressionsKeepPrecedenceAndParentheses) {
  const std::vector<double> vars = {0, 2.0, 3.0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 7.0};
  struct TCase {
    const char* text;
    double value;
  };
  const std::vector<TCase> cases = {
      {"1+2x3", 7}, {"1+2X3", 7}, {"(1+2)x3", 9}, {"$1/$2", 2.0 / 3}, {"10/0", 0},
      {"-$1+4", 2}, {"$12", 7},   {"2x-3", -6},   {"8/2/2", 2},       {"1-2-3", -4},
      {"$99", 0},   {"0.5", 0.5}, {"((2))", 2},   {"$1x$2+$12", 13},  {"- ( 1 + 1 )", -2},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.text);
    std::string err;
    const auto v = EvalMacroExpression(c.text, vars, err);
    ASSERT_TRUE(v.has_value()) << err;
    EXPECT_NEAR(*v, c.value, 1e-12);
  }
  for (const char* bad : {"1+", "(1", "$", "2..3", "1 2", "a"}) {
    SCOPED_TRACE(bad);
    std::string err;
    EXPECT_FALSE(EvalMacroExpression(bad, vars, err).has_value());
    EXPECT_FALSE(err.empty());
  }
}

TEST(GerberMacros, PrimitivesHonourRotationExposureVariablesAndComments) {
  // A centre line of 2 x 1 mm turned by 90 degrees, a ring made by an
  // exposure-off circle, and a variable computed from the parameters.
  const TRead r =
      Read(Mm("%AMBOX*\n0 a comment with blanks*\n$3=$1x2*\n21,1,$3,$2,0,0,90*%\n"
              "%AMRING*1,1,2,0,0*1,0,1,0,0*%\n"
              "%ADD20BOX,1X1*%\n%ADD21RING*%\nD20*\nX0Y0D03*\nD21*\nX100000Y0D03*"));
  EXPECT_EQ(r.rep.ErrorCount, 0u) << (r.rep.Errors.empty() ? "" : r.rep.Errors[0].Text);
  ASSERT_EQ(r.list.size(), 2u);
  const TObjekt& z = *r.list[0];
  ASSERT_EQ(z.Kind, kKindZone);
  double minX = 1e9, maxX = -1e9, minY = 1e9, maxY = -1e9;
  for (const TFPoint& p : z.Points) {
    minX = std::min<double>(minX, p.X);
    maxX = std::max<double>(maxX, p.X);
    minY = std::min<double>(minY, p.Y);
    maxY = std::max<double>(maxY, p.Y);
  }
  EXPECT_NEAR(maxX - minX, 10000, 1);  // the 2 mm side now upright
  EXPECT_NEAR(maxY - minY, 20000, 1);
  const TObjekt& ring = *r.list[1];
  ASSERT_EQ(ring.Kind, kKindCircle);
  EXPECT_FLOAT_EQ(ring.SizeA, 10000);
  EXPECT_FLOAT_EQ(ring.SizeB, 5000);
  EXPECT_EQ(ring.Fill, 0);
}

TEST(GerberMacros, BadMacrosAreReportedAndTheRestRead) {
  const TRead r = Read(Mm("%AMBAD*1,1,$1+*%\n%ADD20BAD,1*%\n%ADD21NOSUCH*%\n%ADD10C,0.5*%\nD10*\nX0Y0D03*"));
  EXPECT_EQ(r.rep.ErrorCount, 2u);
  EXPECT_EQ(r.list.size(), 1u);
}

TEST(GerberRegions, ContoursArcsAndTooFewVertices) {
  struct TCase {
    const char* name;
    std::string body;
    std::vector<size_t> vertices;  // per zone
  };
  const std::vector<TCase> cases = {
      {"square", "G36*X0Y0D02*X10000Y0D01*X10000Y10000D01*X0Y10000D01*X0Y0D01*G37*", {4}},
      {"D02 starts a new contour",
       "G36*X0Y0D02*X10000Y0D01*X10000Y10000D01*X0Y0D01*X50000Y0D02*X60000Y0D01*X60000Y10000D01*X50000Y0D01*G37*",
       {3, 3}},
      {"a contour inside another is its hole",
       "G36*X0Y0D02*X100000Y0D01*X100000Y100000D01*X0Y100000D01*X0Y0D01*"
       "X40000Y40000D02*X60000Y40000D01*X60000Y60000D01*X40000Y60000D01*X40000Y40000D01*G37*",
       {0}},
      {"two vertices make nothing", "G36*X0Y0D02*X10000Y0D01*X0Y0D01*G37*", {}},
      {"an arc is flattened", "G75*G36*X0Y0D02*X20000Y0D01*G03X0Y0I-10000J0D01*G37*", {0}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    const TRead r = Read(Mm("%ADD10C,0.1*%\nD10*\n" + c.body));
    ASSERT_EQ(r.list.size(), c.vertices.size());
    for (size_t i = 0; i < c.vertices.size(); ++i) {
      ASSERT_EQ(r.list[i]->Kind, kKindZone);
      if (c.vertices[i]) EXPECT_EQ(r.list[i]->Points.size(), c.vertices[i]);
      else EXPECT_GT(r.list[i]->Points.size(), 10u);
      EXPECT_EQ(r.list[i]->Width, 0);
    }
    // A hole is left out by the even-odd rule.
    if (std::string(c.name).find("hole") != std::string::npos) {
      TDPolygon poly;
      for (const TFPoint& p : r.list[0]->Points) poly.push_back({p.X, p.Y});
      EXPECT_FALSE(PointInDPolygon(poly, {50000, 50000}));
      EXPECT_TRUE(PointInDPolygon(poly, {10000, 10000}));
    }
  }
}

TEST(GerberModes, InterpolationArcsFlashesAndPolarity) {
  struct TCase {
    const char* name;
    std::string body;
    std::vector<uint8_t> kinds;
  };
  const std::vector<TCase> cases = {
      {"bare G02 only sets the mode", "G02*G03*G01*X10000Y0D01*", {kKindTrack}},
      {"a moved arc draws nothing", "G75*G03X10000Y10000I0J10000D02*", {}},
      {"modal D03 keeps flashing", "X0Y0D03*X20000Y0*X40000Y0*", {kKindThtPad, kKindThtPad, kKindThtPad}},
      {"modal D01 keeps drawing", "X0Y0D02*X10000Y0D01*X20000Y0*", {kKindTrack, kKindTrack}},
      {"a dot is a filled circle", "X0Y0D02*X0Y0D01*", {kKindCircle}},
      {"clear flashes over nothing go", "%LPC*%X0Y0D03*%LPD*%X0Y0D03*", {kKindThtPad}},
      {"clear draws go", "%LPC*%X0Y0D02*X10000Y0D01*", {}},
      {"a draw without aperture", "D99*X0Y0D02*X10000Y0D01*", {}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    const TRead r = Read(Mm("%ADD10C,0.5*%\nD10*\n" + c.body));
    ASSERT_EQ(r.list.size(), c.kinds.size());
    for (size_t i = 0; i < c.kinds.size(); ++i) EXPECT_EQ(r.list[i]->Kind, c.kinds[i]);
  }
}

TEST(GerberModes, ArcsInBothQuadrantModes) {
  struct TCase {
    const char* name;
    std::string body;
    int32_t start, stop;
  };
  const std::vector<TCase> cases = {
      {"multi-quadrant counter-clockwise", "G75*X10000Y0D02*G03X0Y10000I-10000J0D01*", 0, 90000},
      {"multi-quadrant clockwise", "G75*X0Y10000D02*G02X10000Y0I0J-10000D01*", 0, 90000},
      {"single-quadrant clockwise", "G74*X0Y10000D02*G02X10000Y0I0J10000D01*", 0, 90000},
      {"single-quadrant counter-clockwise", "G74*X0Y-10000D02*G03X10000Y0I0J10000D01*", 270000, 0},
      {"full circle", "G75*X10000Y0D02*G03X10000Y0I-10000J0D01*", 0, 0},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    const TRead r = Read(Mm("%ADD10C,0.2*%\nD10*\n" + c.body));
    ASSERT_EQ(r.list.size(), 1u);
    const TObjekt& e = *r.list[0];
    ASSERT_EQ(e.Kind, kKindCircle);
    EXPECT_NEAR(e.Pos.X, 0, 0.5);
    EXPECT_NEAR(e.Pos.Y, 0, 0.5);
    EXPECT_FLOAT_EQ(e.SizeA, 11000);
    EXPECT_FLOAT_EQ(e.SizeB, 9000);
    EXPECT_EQ(e.StartAngle, c.start);
    EXPECT_EQ(e.StopAngle, c.stop);
  }
}

TEST(GerberPolarity, ClearShapesCutHolesIntoTheZonesBeforeThem) {
  const TRead r =
      Read(Mm("%ADD10C,1*%\nD10*\nG36*X0Y0D02*X100000Y0D01*X100000Y100000D01*X0Y100000D01*G37*\n"
              "%LPC*%\nX50000Y50000D03*\n%LPD*%\nX50000Y50000D03*\n%LPC*%\nX500000Y0D03*"));
  ASSERT_EQ(r.list.size(), 2u);
  EXPECT_EQ(r.rep.ClearCuts, 1u);
  EXPECT_EQ(r.rep.ClearDropped, 1u);
  // The zone's contour goes round the hole: a point in the hole lies inside
  // an even number of times.
  TDPolygon poly;
  for (const TFPoint& p : r.list[0]->Points) poly.push_back({p.X, p.Y});
  EXPECT_FALSE(PointInDPolygon(poly, {50000, 50000}));
  EXPECT_TRUE(PointInDPolygon(poly, {20000, 20000}));
  // The pad flashed afterwards stays.
  EXPECT_EQ(r.list[1]->Kind, kKindThtPad);
  // A clear shape inside another one of the same zone stays cut.
  const TRead nested =
      Read(Mm("%ADD10C,2*%\n%ADD11C,1*%\n"
              "G36*X0Y0D02*X100000Y0D01*X100000Y100000D01*X0Y100000D01*G37*\n"
              "%LPC*%\nD10*X50000Y50000D03*\nD11*X50000Y50000D03*"));
  ASSERT_EQ(nested.list.size(), 1u);
  TDPolygon zone;
  for (const TFPoint& p : nested.list[0]->Points) zone.push_back({p.X, p.Y});
  EXPECT_FALSE(PointInDPolygon(zone, {50000, 50000}));
  EXPECT_FALSE(PointInDPolygon(zone, {50000, 58000}));
}

TEST(GerberModes, AnArcWiderThanItsRadiusHasNoHole) {
  const TRead r = Read(Mm("%ADD10C,3*%\nD10*\nG75*X10000Y0D02*G03X0Y10000I-10000J0D01*"));
  ASSERT_EQ(r.list.size(), 1u);
  EXPECT_FLOAT_EQ(r.list[0]->SizeA, 25000);
  EXPECT_FLOAT_EQ(r.list[0]->SizeB, 0);
}

TEST(GerberPolarity, ANegativeImageCutsItsCopperOutOfThePlane) {
  const TRead r = Read(Mm("%IPNEG*%\n%ADD10C,1*%\nD10*\nX0Y0D03*\nX100000Y50000D03*"));
  ASSERT_EQ(r.list.size(), 2u);
  for (const auto& e : r.list) EXPECT_EQ(e->Cutout, 1);
  EXPECT_TRUE(r.rep.GroundPlane);
}

TEST(GerberPolarity, ClearShapesCutTracksArcsAndPads) {
  struct TCase {
    const char* name;
    std::string body;
    std::vector<std::pair<float, float>> trackXs;  // the x range of each track left
    size_t others;                                 // elements that are not tracks
  };
  const std::vector<TCase> cases = {
      {"a flash splits a track", "D10*X0Y0D02*X100000Y0D01*%LPC*%D11*X50000Y0D03*", {{0, 45000}, {55000, 100000}}, 0},
      {"a sliver along the edge stays", "D10*X0Y4800D02*X100000Y4800D01*%LPC*%D12*X50000Y0D03*", {{0, 100000}}, 0},
      {"a pad inside goes, one across stays", "D11*X0Y0D03*X200000Y0D03*%LPC*%D13*X0Y0D03*X206000Y0D03*", {}, 1},
      {"an arc loses its middle", "D10*G75*X10000Y0D02*G03X10000Y0I-10000J0D01*%LPC*%D11*X0Y10000D03*", {}, 2},
      {"dark copper after the clear shape stays",
       "%LPC*%D11*X0Y0D03*%LPD*%D10*X-10000Y0D02*X10000Y0D01*",
       {{-10000, 10000}},
       0},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    const TRead r = Read(Mm("%ADD10C,0.1*%\n%ADD11C,1*%\n%ADD12R,2X1*%\n%ADD13C,2*%\n" + c.body));
    std::vector<std::pair<float, float>> xs;
    size_t others = 0;
    for (const auto& e : r.list) {
      if (e->Kind != kKindTrack) {
        ++others;
        continue;
      }
      xs.push_back(
          {std::round(std::min(e->Points[0].X, e->Points[1].X)), std::round(std::max(e->Points[0].X, e->Points[1].X))});
    }
    std::sort(xs.begin(), xs.end());
    EXPECT_EQ(xs, c.trackXs);
    EXPECT_EQ(others, c.others);
  }
  // The arc's ends stay, its middle under the flash goes.
  const TRead arc =
      Read(Mm("%ADD10C,0.1*%\n%ADD11C,1*%\nD10*G75*X10000Y0D02*G03X-10000Y0I-10000J0D01*\n"
              "%LPC*%D11*X0Y10000D03*"));
  ASSERT_EQ(arc.list.size(), 2u);
  EXPECT_EQ(arc.list[0]->StartAngle, 0);
  EXPECT_NEAR(arc.list[0]->StopAngle, 90000 - 28955, 200);
  EXPECT_NEAR(arc.list[1]->StartAngle, 90000 + 28955, 200);
  EXPECT_EQ(arc.list[1]->StopAngle, 180000);
}

TEST(GerberImage, StepRepeatMirrorRotationAndOffset) {
  struct TCase {
    const char* name;
    std::string head;
    std::vector<TFPoint> at;
  };
  const std::vector<TCase> cases = {
      {"step and repeat", "%SRX2Y2I1J2*%", {{10000, 0}, {20000, 0}, {10000, 20000}, {20000, 20000}}},
      {"mirror A", "%MIA1B0*%", {{-10000, 0}}},
      {"rotation", "%IR90*%", {{0, 10000}}},
      {"offset", "%OFA1B2*%", {{20000, 20000}}},
      {"scale", "%SFA2B1*%", {{20000, 0}}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    const TRead r = Read(Mm(c.head + "%ADD10C,0.5*%\nD10*\nX10000Y0D03*\n%SR*%"));
    ASSERT_EQ(r.list.size(), c.at.size());
    std::vector<std::pair<float, float>> got, want;
    for (const auto& e : r.list) got.push_back({std::round(e->Pos.X), std::round(e->Pos.Y)});
    for (const TFPoint& p : c.at) want.push_back({p.X, p.Y});
    std::sort(got.begin(), got.end());
    std::sort(want.begin(), want.end());
    EXPECT_EQ(got, want);
  }
}

TEST(GerberFiles, RefusalsNameTheFile) {
  TObjektList list;
  const TGerberReport missing = ParseGerberFile("/nonexistent/x.gbr", kLayerC1, list);
  EXPECT_FALSE(missing.Refused.empty());
  const std::string big(kGerberMaxBytes, ' ');
  const TGerberReport large = ReadGerberText(big, "big.gbr", kLayerC1, list);
  EXPECT_NE(large.Refused.find("big.gbr"), std::string::npos);
  EXPECT_TRUE(list.empty());
  EXPECT_FALSE(LooksLikeGerber("G04 no format*\nM02*"));
}

// ---- joining ----

std::unique_ptr<TObjekt> Track(uint8_t layer, int32_t width, std::vector<TFPoint> pts) {
  auto t = NewObjekt();
  InitTrack(*t, width, layer);
  for (TFPoint p : pts) AddPoint(*t, p);
  return t;
}

std::unique_ptr<TObjekt> Arc(uint8_t layer, TFPoint c, float r, int32_t start, int32_t stop, uint8_t fill = 0) {
  auto e = NewObjekt();
  InitCircle(*e, c, r + 100, layer, r - 100);
  e->StartAngle = start;
  e->StopAngle = stop;
  e->Fill = fill;
  return e;
}

TEST(JoinTracks, TracksAndArcsWhoseEndsMeet) {
  struct TCase {
    const char* name;
    std::function<void(TObjektList&)> make;
    size_t left;
  };
  const std::vector<TCase> cases = {
      {"end to start",
       [](TObjektList& l) {
         l.push_back(Track(1, 100, {{0, 0}, {10, 0}}));
         l.push_back(Track(1, 100, {{10, 0}, {20, 0}}));
       },
       1},
      {"ends rounded to whole units",
       [](TObjektList& l) {
         l.push_back(Track(1, 100, {{0, 0}, {10.2f, 0}}));
         l.push_back(Track(1, 100, {{9.9f, 0}, {20, 0}}));
       },
       1},
      {"other width",
       [](TObjektList& l) {
         l.push_back(Track(1, 100, {{0, 0}, {10, 0}}));
         l.push_back(Track(1, 200, {{10, 0}, {20, 0}}));
       },
       2},
      {"other layer",
       [](TObjektList& l) {
         l.push_back(Track(1, 100, {{0, 0}, {10, 0}}));
         l.push_back(Track(3, 100, {{10, 0}, {20, 0}}));
       },
       2},
      {"a chain in any order and direction",
       [](TObjektList& l) {
         l.push_back(Track(1, 100, {{20, 0}, {30, 0}}));
         l.push_back(Track(1, 100, {{10, 0}, {0, 0}}));
         l.push_back(Track(1, 100, {{20, 0}, {10, 0}}));
       },
       1},
      {"arcs whose ends meet",
       [](TObjektList& l) {
         l.push_back(Arc(1, {0, 0}, 1000, 0, 90000));
         l.push_back(Arc(1, {2, 0}, 1000, 90002, 180000));
       },
       1},
      {"arcs of other fill",
       [](TObjektList& l) {
         l.push_back(Arc(1, {0, 0}, 1000, 0, 90000));
         l.push_back(Arc(1, {0, 0}, 1000, 90000, 180000, 1));
       },
       2},
      {"arcs on other layers",
       [](TObjektList& l) {
         l.push_back(Arc(1, {0, 0}, 1000, 0, 90000));
         l.push_back(Arc(3, {0, 0}, 1000, 90000, 180000));
       },
       2},
      {"full circles stay",
       [](TObjektList& l) {
         l.push_back(Arc(1, {0, 0}, 1000, 0, 0));
         l.push_back(Arc(1, {0, 0}, 1000, 0, 0));
       },
       2},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    TObjektList l;
    c.make(l);
    JoinTracks(l);
    EXPECT_EQ(l.size(), c.left);
  }
}

// Every pair in list order, restarting after each join: the result the
// indexed joining must give.
void JoinQuadratic(TObjektList& list) {
  const auto same = [](TFPoint a, TFPoint b) {
    return std::llround(a.X) == std::llround(b.X) && std::llround(a.Y) == std::llround(b.Y);
  };
  std::vector<char> gone(list.size(), 0);
  for (size_t i = 0; i < list.size(); ++i) {
    TObjekt& a = *list[i];
    if (gone[i] || a.Kind != kKindTrack || a.Points.empty()) continue;
    for (size_t j = i + 1; j < list.size(); ++j) {
      TObjekt& b = *list[j];
      if (gone[j] || b.Kind != kKindTrack || b.Points.empty() || b.Layer != a.Layer || b.Width != a.Width) continue;
      TPointList& A = a.Points;
      const TPointList& B = b.Points;
      if (same(A.front(), B.front())) {
        TPointList n(B.rbegin(), B.rend());
        n.insert(n.end(), A.begin() + 1, A.end());
        A.swap(n);
      } else if (same(A.front(), B.back())) {
        TPointList n(B.begin(), B.end());
        n.insert(n.end(), A.begin() + 1, A.end());
        A.swap(n);
      } else if (same(A.back(), B.front())) {
        A.insert(A.end(), B.begin() + 1, B.end());
      } else if (same(A.back(), B.back())) {
        A.insert(A.end(), B.rbegin() + 1, B.rend());
      } else {
        continue;
      }
      gone[j] = 1;
      j = i;  // the search starts again after A
    }
  }
  size_t k = 0;
  for (size_t i = 0; i < list.size(); ++i)
    if (!gone[i]) list[k++] = std::move(list[i]);
  list.resize(k);
}

TEST(JoinTracks, TheIndexGivesWhatComparingEveryPairGives) {
  std::mt19937 rng(7);
  for (int round = 0; round < 20; ++round) {
    SCOPED_TRACE(round);
    TObjektList a, b;
    std::uniform_int_distribution<int> coord(0, 6), width(1, 2), layer(1, 2);
    for (int i = 0; i < 300; ++i) {
      const uint8_t l = uint8_t(layer(rng) == 1 ? 1 : 3);
      const int32_t w = width(rng) * 100;
      std::vector<TFPoint> pts;
      const int n = 2 + int(rng() % 2);
      for (int k = 0; k < n; ++k) pts.push_back({float(coord(rng) * 10), float(coord(rng) * 10)});
      a.push_back(Track(l, w, pts));
      b.push_back(Track(l, w, pts));
    }
    JoinTracks(a);
    JoinQuadratic(b);
    ASSERT_EQ(a.size(), b.size());
    for (size_t i = 0; i < a.size(); ++i) EXPECT_EQ(a[i]->Points, b[i]->Points);
  }
}

TEST(JoinTracks, AnAbortKeepsWhatWasJoined) {
  TObjektList l;
  for (int i = 0; i < 3000; ++i) l.push_back(Track(1, 100, {{float(i), 0}, {float(i + 1), 0}}));
  TProgress p;
  int polls = 0;
  p.Abort = [&] { return ++polls > 1; };
  JoinTracks(l, &p);
  // The first track took the whole chain before the first poll that stops.
  EXPECT_EQ(l.size(), 1u);
}

// ---- round trips through our own writers ----

std::string DumpPads(const TObjektList& l, TDPoint shift) {
  std::string s;
  for (const auto& e : l)
    s += std::to_string(e->Kind) + " " + std::to_string(e->Layer) + " shape " + std::to_string(e->Shape) + " at " +
         std::to_string(e->Pos.X - shift.X) + "," + std::to_string(e->Pos.Y - shift.Y) + " r " +
         std::to_string(e->SizeA) + "\n";
  return s;
}

class GerberRoundTrip : public testing::Test {
 protected:
  std::filesystem::path dir_;
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("bs_import_" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::string Write(const std::string& name, const std::string& text) {
    const std::string p = (dir_ / name).string();
    std::ofstream(p, std::ios::binary) << text;
    return p;
  }
};

TEST_F(GerberRoundTrip, PadsTracksArcsZonesAndDrillsComeBack) {
  TBoard src;
  src.Platine.Width = 1000000;
  src.Platine.Height = 800000;
  const auto add = [&](std::unique_ptr<TObjekt> e) { src.Elements.push_back(std::move(e)); };
  struct TPad {
    TFPoint at;
    uint8_t shape;
    float drill, outer;
  };
  const std::vector<TPad> pads = {{{100000, -100000}, kShapeRound, 4000, 8000},
                                  {{200000, -100000}, kShapeSquare, 4000, 8000},
                                  {{300000, -100000}, kShapeOctagon, 4000, 8000},
                                  {{400000, -100000}, kShapeRoundedH, 4000, 8000},
                                  {{500000, -100000}, kShapeRoundedV, 4000, 8000}};
  for (const TPad& p : pads) {
    auto e = NewObjekt();
    InitThtPad(*e, p.at, kLayerC1, p.shape, p.drill, p.outer);
    add(std::move(e));
    auto f = NewObjekt();
    InitThtPad(*f, p.at, kLayerC2, p.shape, p.drill, p.outer);
    add(std::move(f));
  }
  {
    auto e = NewObjekt();
    InitSmdPad(*e, {600000, -100000}, 16000, kLayerC1, 8000);
    add(std::move(e));
  }
  add(Track(kLayerC1, 3000, {{100000, -300000}, {300000, -300000}, {300000, -400000}}));
  {
    auto e = NewObjekt();
    InitCircle(*e, {700000, -500000}, 52000, kLayerC1, 48000);
    e->StartAngle = 0;
    e->StopAngle = 90000;
    add(std::move(e));
  }
  {
    auto z = NewObjekt();
    InitZone(*z, 0, kLayerC2);
    for (TFPoint p : std::vector<TFPoint>{{100000, -600000}, {300000, -600000}, {300000, -700000}}) AddPoint(*z, p);
    add(std::move(z));
  }
  TGerberOptions go;
  TGerberImportRequest req;
  req.Files[kLayerC1] = Write("c1.gbr", GerberOutputText(src, 0, go));
  req.Files[kLayerC2] = Write("c2.gbr", GerberOutputText(src, 1, go));
  TExcellonOptions xo;
  xo.Format = TExcellonFormat::Mm33;
  req.DrillFiles = {Write("d.drl", ExcellonText(src, BuildDrillList(src, true, true, false, false, false), xo))};
  TProject p;
  const TGerberImportResult res = RunGerberImport(p, req);
  ASSERT_EQ(p.Boards.size(), 1u);
  const TBoard& b = *p.Boards[0];
  EXPECT_EQ(b.Caption, "XGerber ");
  // Every pad back with its shape, size and drill; pads on both sides are
  // one via each.
  for (const TPad& pad : pads) {
    SCOPED_TRACE(int(pad.shape));
    const TObjekt* found = nullptr;
    int count = 0;
    for (const auto& e : b.Elements)
      if (e->Kind == kKindThtPad && std::fabs(e->Pos.X - res.Shift.X - pad.at.X) < 2 &&
          std::fabs(e->Pos.Y - res.Shift.Y - pad.at.Y) < 2) {
        found = e.get();
        ++count;
      }
    ASSERT_NE(found, nullptr) << DumpPads(b.Elements, res.Shift);
    EXPECT_EQ(count, 1);
    EXPECT_EQ(found->Shape, pad.shape);
    EXPECT_NEAR(found->SizeA, pad.outer, 1);
    EXPECT_NEAR(found->SizeB, pad.drill, 1);
    EXPECT_EQ(found->Via, 1);
  }
  EXPECT_EQ(CountKind(b.Elements, kKindSmdPad), 1u);
  ASSERT_EQ(CountKind(b.Elements, kKindTrack), 1u);
  for (const auto& e : b.Elements)
    if (e->Kind == kKindTrack) {
      EXPECT_EQ(e->Points.size(), 3u);
      EXPECT_EQ(e->Width, 3000);
    }
  EXPECT_EQ(CountKind(b.Elements, kKindCircle), 1u);
  EXPECT_EQ(CountKind(b.Elements, kKindZone), 1u);
  // The fit: 5 mm around the content.
  EXPECT_EQ(b.Platine.OriginX, 50000);
  EXPECT_EQ(b.Platine.OriginY, 50000 - b.Platine.Height);
  EXPECT_EQ(b.UndoStack.size(), 1u);
}

TEST_F(GerberRoundTrip, OurGroundPlaneComesBackAsThePlane) {
  TBoard src;
  src.Platine.Width = 500000;
  src.Platine.Height = 400000;
  src.Platine.OriginX = 0;
  src.Platine.OriginY = -400000;
  src.Platine.GroundPlane[kLayerC1] = 1;
  src.Elements.push_back(Track(kLayerC1, 3000, {{100000, -100000}, {300000, -100000}}));
  src.Elements.back()->Clearance = 4000;
  TGerberImportRequest req;
  req.Files[kLayerC1] = Write("c1.gbr", GerberOutputText(src, 0, TGerberOptions{}));
  TProject p;
  const TGerberImportResult res = RunGerberImport(p, req);
  ASSERT_EQ(res.Gerber.size(), 1u);
  EXPECT_TRUE(res.Gerber[0].GroundPlane);
  const TBoard& b = *p.Boards[0];
  EXPECT_EQ(b.Platine.GroundPlane[kLayerC1], 1);
  EXPECT_EQ(b.Platine.Width, 500000);
  EXPECT_EQ(b.Platine.Height, 400000);
  ASSERT_EQ(b.Elements.size(), 1u);
  EXPECT_EQ(b.Elements[0]->Kind, kKindTrack);
  EXPECT_NEAR(b.Elements[0]->Points[0].X, 100000, 1);
  EXPECT_NEAR(b.Elements[0]->Points[0].Y, -100000, 1);
}

TEST_F(GerberRoundTrip, AnInnerLayerMakesAMultilayerBoardAndKeepsItsPadsBesideTheVia) {
  TGerberImportRequest req;
  const std::string pad = Mm("%ADD10C,1.6*%\nD10*\nX0Y0D03*");
  req.Files[kLayerC1] = Write("c1.gbr", pad);
  req.Files[kLayerI1] = Write("i1.gbr", pad);
  req.Files[kLayerC2] = Write("c2.gbr", pad);
  req.DrillFiles = {Write("d.drl", "M48\nMETRIC\nT1C0.8\n%\nT1\nX0.0Y0.0\nM30\n")};
  TProject p;
  const TGerberImportResult res = RunGerberImport(p, req);
  const TBoard& b = *p.Boards[0];
  EXPECT_EQ(b.Platine.Multilayer, 1);
  ASSERT_EQ(b.Elements.size(), 2u);
  EXPECT_EQ(b.Elements[0]->Layer, kLayerC1);
  EXPECT_EQ(b.Elements[0]->Via, 1);
  EXPECT_EQ(b.Elements[1]->Layer, kLayerI1);
  EXPECT_FLOAT_EQ(b.Elements[1]->SizeB, 4000);
  ASSERT_EQ(res.Drill.size(), 1u);
  EXPECT_EQ(res.Drill[0].Vias, 1u);
}

TEST_F(GerberRoundTrip, AnEmptyResultKeepsTheBoardAndTheCurrentBoardIsEmptied) {
  TProject p;
  ResetProject(p, TLanguage::English, false);
  p.Boards[0]->Elements.push_back(Track(kLayerC1, 100, {{0, 0}, {10, 0}}));
  const int32_t w = p.Boards[0]->Platine.Width;
  TGerberImportRequest req;
  req.NewBoard = false;
  req.Files[kLayerC1] = Write("empty.gbr", Mm(""));
  const TGerberImportResult res = RunGerberImport(p, req);
  EXPECT_TRUE(res.Empty);
  EXPECT_TRUE(p.Boards[0]->Elements.empty());
  EXPECT_EQ(p.Boards[0]->Platine.Width, w);
  // One step undoes the whole import.
  ASSERT_EQ(p.Boards[0]->UndoStack.size(), 1u);
  EXPECT_EQ(p.Boards[0]->UndoStack[0].Elements.size(), 1u);
}

}  // namespace
}  // namespace bs
