// The Excellon reader: numbers in every mode, the header's declarations and
// the guesses, tools, repeats, rout mode and slots, and the holes put onto
// imported pads and tracks with the via rule.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "import/drill_import.h"

namespace bs {
namespace {

TDrillReport Read(const std::string& text, const TDrillSettings& s = {}) { return ReadDrillText(text, "t.drl", s); }

TEST(DrillNumbers, EveryModeReadsItsDigits) {
  struct TCase {
    const char* name;
    TDrillZeros zeros;
    int i, d;
    const char* x;
    double inch;
  };
  const std::vector<TCase> cases = {
      {"leading omitted", TDrillZeros::Leading, 2, 4, "15000", 1.5},
      {"trailing omitted", TDrillZeros::Trailing, 2, 4, "15", 15},
      {"trailing omitted, short", TDrillZeros::Trailing, 2, 4, "0150", 1.5},
      {"fixed", TDrillZeros::Fixed, 2, 4, "015000", 1.5},
      {"decimal", TDrillZeros::Decimal, 2, 4, "1.5", 1.5},
      {"decimal in another mode", TDrillZeros::Leading, 2, 4, "1.5", 1.5},
      {"negative, trailing omitted", TDrillZeros::Trailing, 2, 4, "-015", -1.5},
      {"plus sign", TDrillZeros::Leading, 2, 4, "+15000", 1.5},
      {"3.3 leading omitted", TDrillZeros::Leading, 3, 3, "1500", 1.5},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    TDrillSettings s;
    s.Unit = TDrillUnit::Inch;
    s.Zeros = c.zeros;
    s.IntDigits = c.i;
    s.DecDigits = c.d;
    const TDrillReport r = Read(std::string("M48\nT1C0.04\n%\nT1\nX") + c.x + "Y0\nM30\n", s);
    ASSERT_EQ(r.Holes.size(), 1u);
    EXPECT_NEAR(r.Holes[0].At.X, c.inch * 254000, 0.5);
  }
}

TEST(DrillNumbers, TheHeaderDecidesBeforeTheShapeOfTheNumbers) {
  struct TCase {
    const char* name;
    std::string header;
    std::string x;
    double mm;
  };
  const std::vector<TCase> cases = {
      {"METRIC,TZ", "METRIC,TZ", "1500", 1.5},  // leading zeros omitted, 3.3
      {"METRIC,LZ,000.000", "METRIC,LZ,000.000", "0015", 1.5},
      {"FILE_FORMAT", ";FILE_FORMAT=4:4\nMETRIC,LZ", "0015", 15},
      {"INCH,LZ", "INCH,LZ", "01", 1 * 25.4},
      {"KiCad decimal comment", "; FORMAT={-:-/ absolute / metric / decimal}\nMETRIC", "1.5", 1.5},
      {"M71", "M71", "1.5", 1.5},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    const TDrillReport r = Read("M48\n" + c.header + "\nT1C0.8\n%\nT1\nX" + c.x + "Y0\nX" + c.x + "0Y1\nM30\n");
    ASSERT_GE(r.Holes.size(), 1u);
    EXPECT_NEAR(r.Holes[0].At.X, c.mm * 10000, 0.5);
  }
}

TEST(DrillGuess, UnitAndZerosFromTheNumbers) {
  struct TCase {
    const char* name;
    std::string body;
    TDrillZeros zeros;
    bool certain;
  };
  const std::vector<TCase> cases = {
      {"decimal point", "X1.5Y2\n", TDrillZeros::Decimal, true},
      {"all one length", "X015000Y020000\nX030000Y010000\n", TDrillZeros::Fixed, true},
      {"ending in zeros", "X15Y2000\nX1234Y12\n", TDrillZeros::Leading, true},
      {"starting with zeros", "X015Y0125\nX03Y01\n", TDrillZeros::Trailing, true},
      {"cannot tell", "X105Y0125\nX03Y10\n", TDrillZeros::Fixed, false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    bool certain = false;
    EXPECT_EQ(GuessDrillFormat("T1C0.8\nT1\n" + c.body, &certain), c.zeros);
    EXPECT_EQ(certain, c.certain);
  }
  EXPECT_EQ(GuessDrillUnit("M48\nMETRIC\n"), TDrillUnit::Mm);
  EXPECT_EQ(GuessDrillUnit("M48\nM71\n"), TDrillUnit::Mm);
  EXPECT_EQ(GuessDrillUnit("M48\nT1C0.03\n"), TDrillUnit::Inch);
  EXPECT_TRUE(IsDrillFile("T01C0.8\n"));
  EXPECT_FALSE(IsDrillFile("X1Y1\n"));
}

TEST(DrillBody, ToolsRepeatsRoutModeAndSlots) {
  struct TCase {
    const char* name;
    std::string body;
    size_t holes, slots, skipped;
    double firstDiameter;
  };
  const std::vector<TCase> cases = {
      {"tool defined in the body", "T2C1.2\nX1.0Y1.0\n", 1, 0, 0, 12000},
      {"undefined tool is 0.8 mm", "T7\nX1.0Y1.0\n", 1, 0, 0, 8000},
      {"hole before any tool", "X1.0Y1.0\nT1\nX2.0Y2.0\n", 1, 0, 1, 5000},
      {"repeat", "T1\nX1.0Y1.0\nR3X0.5Y0\n", 4, 0, 0, 5000},
      {"rout mode makes no holes", "T1\nG00X1.0Y1.0\nM15\nG01X2.0Y1.0\nM16\nG05\nX3.0Y3.0\n", 2, 1, 0, 5000},
      {"G85 slot", "T1\nX1.0Y1.0G85X2.0Y1.0\n", 1, 1, 0, 5000},
      {"tool number beyond 200", "T250C0.3\nX1.0Y1.0\n", 1, 0, 0, 3000},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    const TDrillReport r = Read("M48\nMETRIC\nT1C0.5\n%\n" + c.body + "M30\n");
    EXPECT_EQ(r.Holes.size(), c.holes);
    EXPECT_EQ(r.Slots, c.slots);
    EXPECT_EQ(r.Skipped, c.skipped);
    if (!r.Holes.empty()) {
      EXPECT_DOUBLE_EQ(r.Holes[0].Diameter, c.firstDiameter);
    }
  }
  // The repeated holes step on from the last one.
  const TDrillReport r = Read("M48\nMETRIC\nT1C0.5\n%\nT1\nX1.0Y1.0\nR2X0.5Y0.25\nM30\n");
  ASSERT_EQ(r.Holes.size(), 3u);
  EXPECT_NEAR(r.Holes[2].At.X, 20000, 0.5);
  EXPECT_NEAR(r.Holes[2].At.Y, 15000, 0.5);
}

TEST(DrillBody, ToolSizesFromCommentsWhenTheHeaderHasNone) {
  const TDrillReport r = Read(
      ";T01 Holesize 1. = 12.000000 Tolerance = +0/-0 PLATED MILS Quantity = 1\n%\nT01\n"
      "X004450Y000200\nM30\n");
  ASSERT_EQ(r.Holes.size(), 1u);
  EXPECT_DOUBLE_EQ(r.Holes[0].Diameter, 12 * 254);
  EXPECT_FALSE(r.HasTools);
}

// ---- holes onto pads and tracks ----

std::unique_ptr<TObjekt> Pad(uint8_t layer, TFPoint at, float r = 8000) {
  auto e = NewObjekt();
  InitThtPad(*e, at, layer, kShapeRound, 0, r);
  return e;
}

TDrillReport Hole(TFPoint at, double diameter = 8000) {
  TDrillReport r;
  TDrillHole h;
  h.At = {at.X, at.Y};
  h.Diameter = diameter;
  h.Tool = 1;
  r.Holes.push_back(h);
  return r;
}

TEST(DrillHoles, HolesDrillPadsMakeViasOrBecomeHoles) {
  struct TCase {
    const char* name;
    std::function<void(TObjektList&)> make;
    TFPoint hole;
    bool vias;
    size_t elements, drilled, fresh, viaCount;
  };
  const std::vector<TCase> cases = {
      {"0.02 mm beside a pad drills it",
       [](TObjektList& l) {
         l.push_back(Pad(kLayerC1, {0, 0}));
       },
       {200, 0},
       true,
       1,
       1,
       0,
       0},
      {"0.05 mm beside is a hole of its own",
       [](TObjektList& l) {
         l.push_back(Pad(kLayerC1, {0, 0}));
       },
       {500, 0},
       true,
       2,
       0,
       1,
       0},
      {"pads on both sides become a via",
       [](TObjektList& l) {
         l.push_back(Pad(kLayerC1, {0, 0}));
         l.push_back(Pad(kLayerC2, {0, 0}));
       },
       {0, 0},
       true,
       1,
       2,
       0,
       1},
      {"and stay apart without vias",
       [](TObjektList& l) {
         l.push_back(Pad(kLayerC1, {0, 0}));
         l.push_back(Pad(kLayerC2, {0, 0}));
       },
       {0, 0},
       false,
       2,
       2,
       0,
       0},
      {"inner pads stay beside the via",
       [](TObjektList& l) {
         l.push_back(Pad(kLayerC1, {0, 0}));
         l.push_back(Pad(kLayerI1, {0, 0}));
         l.push_back(Pad(kLayerC2, {0, 0}));
       },
       {0, 0},
       true,
       2,
       3,
       0,
       1},
      {"silkscreen pads are not drilled",
       [](TObjektList& l) {
         l.push_back(Pad(kLayerS1, {0, 0}));
       },
       {0, 0},
       true,
       2,
       0,
       1,
       0},
      {"holes far away are skipped and counted", [](TObjektList&) {}, {6000000, 0}, true, 0, 0, 0, 0},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    TObjektList l;
    c.make(l);
    TDrillReport r = Hole(c.hole);
    ApplyDrillHoles(r, l, c.vias);
    EXPECT_EQ(l.size(), c.elements);
    EXPECT_EQ(r.PadsDrilled, c.drilled);
    EXPECT_EQ(r.NewHoles, c.fresh);
    EXPECT_EQ(r.Vias, c.viaCount);
    EXPECT_EQ(r.Skipped, c.elements == 0 ? 1u : 0u);
  }
}

TEST(DrillHoles, ShortTracksAndSquareSmdPadsBecomeThtPads) {
  TObjektList l;
  auto t = NewObjekt();
  InitTrack(*t, 8000, kLayerC1);
  AddPoint(*t, {-4000, 0});
  AddPoint(*t, {4000, 0});
  l.push_back(std::move(t));
  auto s = NewObjekt();
  InitSmdPad(*s, {100000, 0}, 16000, kLayerC2, 16000);
  l.push_back(std::move(s));
  TDrillReport r = Hole({0, 0}, 4000);
  r.Holes.push_back(r.Holes[0]);
  r.Holes[1].At = {100000, 0};
  ApplyDrillHoles(r, l, true);
  ASSERT_EQ(l.size(), 2u);
  EXPECT_EQ(l[0]->Kind, kKindThtPad);
  EXPECT_EQ(l[0]->Shape, kShapeRoundedH);
  EXPECT_FLOAT_EQ(l[0]->SizeA, 4000);
  EXPECT_FLOAT_EQ(l[0]->SizeB, 2000);
  EXPECT_EQ(l[1]->Kind, kKindThtPad);
  EXPECT_EQ(l[1]->Shape, kShapeSquare);
  EXPECT_FLOAT_EQ(l[1]->SizeA, 8000);
  EXPECT_EQ(r.TracksToPads, 1u);
  EXPECT_EQ(r.SmdToPads, 1u);
}

TEST(DrillFiles, RefusalsNameTheFile) {
  TObjektList l;
  const TDrillReport r = ParseDrillFile("/nonexistent/x.drl", l, {});
  EXPECT_FALSE(r.Refused.empty());
  const TDrillReport big = ReadDrillText(std::string(kDrillMaxBytes, ' '), "big.drl", {});
  EXPECT_NE(big.Refused.find("big.drl"), std::string::npos);
}

}  // namespace
}  // namespace bs
