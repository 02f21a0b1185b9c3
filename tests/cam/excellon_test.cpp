#include "cam/excellon.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <map>
#include <random>

#include "cam/drill_list.h"
#include "cam_fixture.h"
#include "copper/predicates.h"
#include "model/polygon.h"

namespace bs {
namespace {

using test::Lines;
using test::TCamBoard;

TEST(ExcellonNumber, FormatsZerosAndDecimalPoint) {
  struct TCase {
    long long units;
    TExcellonFormat format;
    bool noLeadingZeros, point;
    const char* text;
  };
  using F = TExcellonFormat;
  const TCase cases[] = {
      {50800, F::Mm32, false, false, "00508"},
      {50800, F::Mm32, true, false, "508"},
      {50800, F::Mm32, true, true, "5.08"},
      {50800, F::Mm32, false, true, "005.08"},
      {500, F::Mm32, true, true, ".05"},
      {-30000, F::Mm32, false, false, "-00300"},
      {-30000, F::Mm32, true, true, "-3.00"},
      {50800, F::Mm33, false, false, "005080"},
      {50800, F::Mm33, true, false, "5080"},
      {50800, F::Mm33, true, true, "5.080"},
      {381000, F::Inch24, false, false, "015000"},
      {381000, F::Inch24, true, false, "15000"},
      {381000, F::Inch24, true, true, "1.5000"},
      {254, F::Inch24, true, true, ".0010"},
      {0, F::Mm32, false, false, "00000"},
      {0, F::Mm32, true, false, "0"},
      {49, F::Mm32, true, false, "0"},
      {50, F::Mm32, true, false, "1"},             // hundredths, rounded
      {12345678, F::Mm32, false, false, "23457"},  // too wide: the last five digits
  };
  for (const TCase& c : cases) {
    TExcellonOptions opt;
    opt.Format = c.format;
    opt.DeleteLeadingZeros = c.noLeadingZeros;
    opt.DecimalPoint = c.point;
    EXPECT_EQ(ExcellonNumber(c.units, opt), c.text) << c.units << " " << int(c.format) << c.noLeadingZeros << c.point;
  }
}

TEST(ExcellonNumber, ToolDiameters) {
  EXPECT_EQ(ExcellonToolDiameter(10000, TExcellonFormat::Mm32), "1.0");
  EXPECT_EQ(ExcellonToolDiameter(8000, TExcellonFormat::Mm33), "0.8");
  EXPECT_EQ(ExcellonToolDiameter(8890, TExcellonFormat::Inch24), "0.035");
  EXPECT_EQ(ExcellonToolDiameter(8012, TExcellonFormat::Mm32), "0.801");
  EXPECT_EQ(ExcellonToolDiameter(123456, TExcellonFormat::Mm32), "12.35");  // four significant digits
  EXPECT_EQ(ExcellonToolDiameter(254000, TExcellonFormat::Inch24), "1.0");
}

TEST(Excellon, EmptyBoardStillHasTheWholeFrame) {
  TCamBoard f;
  TExcellonOptions opt;
  EXPECT_EQ(
      Lines(ExcellonText(f.board, BuildDrillList(f.board, true, true, false, false, false), opt)),
      (std::vector<std::string>{"; Drill file", "; Format: 2.4 (00.0000)", "M48", "INCH", "%", "G05", "G90", "M30"}));
  opt.NoComments = opt.NoG90 = opt.M71 = true;
  EXPECT_EQ(Lines(ExcellonText(f.board, {}, opt)), (std::vector<std::string>{"M48", "M72", "%", "G05", "M30"}));
}

TEST(Excellon, MillimetreFormatsNameTheirNumberFormat) {
  TCamBoard f;
  f.Pad({50800, -30000}, 4000, 8000);
  TExcellonOptions opt;
  opt.Format = TExcellonFormat::Mm32;
  const TDrillList list = BuildDrillList(f.board, true, true, false, false, false);
  EXPECT_EQ(Lines(ExcellonText(f.board, list, opt)),
            (std::vector<std::string>{"; Drill file", "; Format: 3.2 (000.00)", "M48", "METRIC,000.00", "T01C0.8", "%",
                                      "G05", "G90", "T01", "X00508Y07700", "M30"}));
  opt.Format = TExcellonFormat::Mm33;
  opt.M71 = true;
  const auto lines = Lines(ExcellonText(f.board, list, opt));
  EXPECT_EQ(lines[3], "M71");
  EXPECT_EQ(lines[4], ";FILE_FORMAT=3:3");
  EXPECT_EQ(lines[10], "X005080Y077000");
}

// Every format holds five digits before its last, appended or implied one:
// mm 3.2 and 3.3 reach 999.99 mm, inch 2.4 reaches 99.999 inches. A hole
// beyond that is refused with or without zeros and decimal point, and the
// file (here one that exists already) stays as it was.
TEST(Excellon, HolesBeyondTheNumberFormatWriteNothing) {
  struct TCase {
    TExcellonFormat format;
    int32_t x, y;         // where the hole lies in the file, in units
    const char* unfitMm;  // nullptr when it fits
    const char* line;     // then its line, with leading zeros
  };
  using F = TExcellonFormat;
  const TCase cases[] = {
      {F::Mm32, 9999949, 0, nullptr, "X99999Y00000"},
      {F::Mm32, 9999950, 0, "999.995", nullptr},
      {F::Mm32, 0, -9999949, nullptr, "X00000Y-99999"},
      {F::Mm32, 0, -9999950, "-999.995", nullptr},
      {F::Mm32, 10500000, 0, "1050", nullptr},  // not 50 mm
      {F::Mm33, 9999949, 0, nullptr, "X999990Y000000"},
      {F::Mm33, 9999950, 0, "999.995", nullptr},
      {F::Mm33, -10000000, 0, "-1000", nullptr},
      {F::Inch24, 25399872, 0, nullptr, "X999990Y000000"},  // 99.999496 inches
      {F::Inch24, 25399874, 0, "2539.9874", nullptr},
      {F::Inch24, 0, -25399874, "-2539.9874", nullptr},
      {F::Inch24, 10500000, 0, nullptr, "X413390Y000000"},  // 1050 mm fit in inches
  };
  test::TTestFolder dir;
  const std::string path = dir / "h.drl";
  for (const TCase& c : cases) {
    // A pad on the board, the zero point moved so that it lands at (x, y).
    TCamBoard f;
    f.Pad({100000, -100000}, 4000, 8000);
    f.board.Platine.OriginX = 100000 - c.x;
    f.board.Platine.OriginY = -100000 - c.y;
    const TDrillList list = BuildDrillList(f.board, true, true, false, false, false);
    for (int variant = 0; variant < 4; ++variant) {
      TExcellonOptions opt;
      opt.Format = c.format;
      opt.DeleteLeadingZeros = variant & 1;
      opt.DecimalPoint = variant & 2;
      SCOPED_TRACE(testing::Message() << int(c.format) << " " << c.x << " " << c.y << " variant " << variant);
      std::ofstream(path, std::ios::binary) << "old";
      const std::string error = WriteExcellonFile(path, f.board, list, opt);
      if (!c.unfitMm) {
        EXPECT_EQ(error, "");
        EXPECT_EQ(test::FileText(path), ExcellonText(f.board, list, opt));
        if (variant == 0) {
          const auto lines = Lines(test::FileText(path));
          EXPECT_NE(std::find(lines.begin(), lines.end(), c.line), lines.end());
        }
      } else {
        EXPECT_EQ(error, "The position " + std::string(c.unfitMm) +
                             " mm does not fit the number format of the file \"" + path + "\".");
        EXPECT_EQ(test::FileText(path), "old");
      }
    }
  }
}

TEST(Excellon, ToolsAreNumberedWithAtLeastTwoDigits) {
  TCamBoard f;
  for (int i = 0; i < 100; ++i) f.Pad({float(10000 + i * 9000), -100000}, float(1000 + 10 * i), 4000);
  const TDrillList list = BuildDrillList(f.board, true, true, false, false, false);
  ASSERT_EQ(list.size(), 100u);
  const auto lines = Lines(ExcellonText(f.board, list, {}));
  EXPECT_EQ(lines[4].substr(0, 4), "T01C");
  EXPECT_EQ(lines[12].substr(0, 4), "T09C");
  EXPECT_EQ(lines[13].substr(0, 4), "T10C");
  EXPECT_EQ(lines[103].substr(0, 5), "T100C");
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "T100"), 1);
}

TEST(Excellon, MirroringLikeGerberOrAboutTheLayout) {
  TCamBoard f;  // 100 mm wide, zero point at the lower-left corner
  f.Pad({100000, -100000}, 2000, 4000);
  f.Pad({600000, -100000}, 2000, 4000);
  // Silkscreen line from 5 mm to 65 mm: the layout spans 5 ... 65 mm.
  f.Track(kLayerS1, 0, {{50000, -300000}, {650000, -300000}});
  const TDrillList list = BuildDrillList(f.board, true, true, false, false, false);
  TExcellonOptions opt;
  opt.Format = TExcellonFormat::Mm32;
  opt.NoComments = true;
  auto xs = [&] {
    std::vector<std::string> out;
    for (const auto& l : Lines(ExcellonText(f.board, list, opt)))
      if (l[0] == 'X') out.push_back(l.substr(0, l.find('Y')));
    return out;
  };
  EXPECT_EQ(xs(), (std::vector<std::string>{"X01000", "X06000"}));
  opt.Mirror = TExcellonMirror::Gerber;
  EXPECT_EQ(xs(), (std::vector<std::string>{"X-01000", "X-06000"}));  // about the zero point
  opt.UseOrigin = false;                                              // about the board width
  EXPECT_EQ(xs(), (std::vector<std::string>{"X09000", "X04000"}));
  opt.Mirror = TExcellonMirror::Hpgl;
  // The track's round ends reach 50 units beyond its points (the minimum
  // stroke width is 100): 10 mm maps to 60 mm and 60 mm to 10 mm.
  EXPECT_EQ(xs(), (std::vector<std::string>{"X06000", "X01000"}));
}

// The straightforward forms the drill list must agree with: every pair
// compared, every hole searched for the nearest one.
TDrillList Reference(const TBoard& b) {
  struct THole {
    const TObjekt* e;
    int32_t d;
    bool dropped = false;
  };
  std::vector<THole> c;
  for (const auto& e : b.Elements)
    if (e->Kind == kKindThtPad && e->Layer != kLayerS1 && e->Layer != kLayerS2 && RoundInt(2.0 * e->SizeB) > 0)
      c.push_back({e.get(), RoundInt(2.0 * e->SizeB)});
  const TSpokeContext ctx = SpokeContextFor(b.Platine);
  for (size_t i = 0; i < c.size(); ++i) {
    if (c[i].dropped) continue;
    for (size_t j = i + 1; j < c.size(); ++j) {
      if (c[j].dropped) continue;
      const TObjekt &a = *c[i].e, &o = *c[j].e;
      const auto lo = [](float p, float r) { return RoundInt(double(p) - r); };
      const auto hi = [](float p, float r) { return RoundInt(double(p) + r); };
      if (lo(a.Pos.X, a.SizeB) > hi(o.Pos.X, o.SizeB) || lo(o.Pos.X, o.SizeB) > hi(a.Pos.X, a.SizeB) ||
          lo(a.Pos.Y, a.SizeB) > hi(o.Pos.Y, o.SizeB) || lo(o.Pos.Y, o.SizeB) > hi(a.Pos.Y, a.SizeB))
        continue;
      const TPolygon pa = CopperPolygon(a, 1, ctx), po = CopperPolygon(o, 1, ctx);
      if (AllVerticesInside(pa, po)) {
        c[i].dropped = true;
        break;
      }
      if (AllVerticesInside(po, pa)) {
        c[j].dropped = true;
        continue;
      }
      const bool iLarger = a.SizeB > o.SizeB;
      const TObjekt& small = iLarger ? o : a;
      const TObjekt& large = iLarger ? a : o;
      if (std::hypot(double(a.Pos.X) - o.Pos.X, double(a.Pos.Y) - o.Pos.Y) + small.SizeB - large.SizeB < 500) {
        if (iLarger) {
          c[j].dropped = true;
        } else {
          c[i].dropped = true;
          break;
        }
      }
    }
  }
  std::map<int32_t, std::vector<const TObjekt*>> tools;
  for (const THole& h : c)
    if (!h.dropped) tools[h.d].push_back(h.e);
  TDrillList out;
  for (auto& [d, holes] : tools) {
    TDrillTool t{d, {}};
    double x = 0, y = -double(b.Platine.Height);
    while (!holes.empty()) {
      size_t best = 0;
      double bestD = 1e300;
      for (size_t i = 0; i < holes.size(); ++i) {
        const double dx = holes[i]->Pos.X - x, dy = holes[i]->Pos.Y - y, dd = dx * dx + dy * dy;
        if (dd < bestD) {
          bestD = dd;
          best = i;
        }
      }
      t.Holes.push_back(holes[best]);
      x = holes[best]->Pos.X;
      y = holes[best]->Pos.Y;
      holes.erase(holes.begin() + long(best));
    }
    out.push_back(std::move(t));
  }
  return out;
}

TEST(DrillList, CoincidingHolesAreDroppedOnce) {
  struct TCase {
    double distance;  // between a 0.8 mm and a 1.0 mm hole, both with a 0.2 mm ring
    size_t holes;
  };
  for (TCase c : {TCase{0, 1}, TCase{1200, 1}, TCase{2000, 2}}) {
    TCamBoard f;
    f.Pad({float(100000 + c.distance), -100000}, 4000, 6000);
    f.Pad({100000, -100000}, 5000, 7000);
    const TDrillList list = BuildDrillList(f.board, true, true, false, false, false);
    size_t n = 0;
    for (const auto& t : list) n += t.Holes.size();
    EXPECT_EQ(n, c.holes) << c.distance;
    if (c.holes == 1) {
      EXPECT_EQ(list.back().Diameter, 10000) << c.distance;  // the larger one stays
    }
  }
  // Two pads of one size stacked on both sides: one hole.
  TCamBoard f;
  f.Pad({100000, -100000}, 4000, 8000, kLayerC1);
  f.Pad({100000, -100000}, 4000, 8000, kLayerC2);
  EXPECT_EQ(BuildDrillList(f.board, true, true, false, false, false).at(0).Holes.size(), 1u);
}

TEST(DrillList, ChoosesHolesByKindLayerAndSelection) {
  TCamBoard f;
  TObjekt& via = f.Pad({100000, -100000}, 4000, 8000);
  via.Via = 1;
  f.Pad({200000, -100000}, 5000, 8000);            // simple drilling
  f.Pad({300000, -100000}, 6000, 8000, kLayerS1);  // never drilled
  f.Pad({400000, -100000}, 0, 8000);               // no drill
  f.Pad({500000, -100000}, 3000, 8000, kLayerO);   // outline: drilled
  const auto diameters = [&](bool simple, bool plated, bool single, bool round01, bool selected) {
    std::vector<std::pair<int32_t, size_t>> out;
    for (const auto& t : BuildDrillList(f.board, simple, plated, single, round01, selected))
      out.push_back({t.Diameter, t.Holes.size()});
    return out;
  };
  using V = std::vector<std::pair<int32_t, size_t>>;
  EXPECT_EQ(diameters(true, true, false, false, false), (V{{6000, 1}, {8000, 1}, {10000, 1}}));
  EXPECT_EQ(diameters(false, true, false, false, false), (V{{8000, 1}}));
  EXPECT_EQ(diameters(true, false, false, false, false), (V{{6000, 1}, {10000, 1}}));
  EXPECT_EQ(diameters(true, true, true, false, false), (V{{0, 3}}));
  via.Selected = 1;
  EXPECT_EQ(diameters(true, true, false, false, true), (V{{8000, 1}}));
  EXPECT_EQ(CountSilkscreenDrillings(f.board.Elements), 1);

  TCamBoard r;
  r.Pad({100000, -100000}, 4004, 8000);  // 0.8008 mm: 0.8 mm in steps of 0.1 mm
  r.Pad({200000, -100000}, 4060, 8000);  // 0.812 mm: 0.8 mm as well
  EXPECT_EQ(BuildDrillList(r.board, true, true, false, true, false).at(0).Diameter, 8000);
  EXPECT_EQ(BuildDrillList(r.board, true, true, false, true, false).at(0).Holes.size(), 2u);
}

TEST(DrillList, AgreesWithComparingEveryPairAndSearchingEveryHole) {
  for (uint32_t seed : {1u, 2u, 3u}) {
    TCamBoard f;
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> x(0, 1000000), y(-800000, 0);
    const float drills[] = {3000, 4000, 4000, 5000, 16000};
    for (int i = 0; i < 1500; ++i) {
      TFPoint at{float(std::round(x(rng) / 500) * 500), float(std::round(y(rng) / 500) * 500)};
      const float d = drills[rng() % 5];
      TObjekt& p = f.Pad(at, d, d + 2000, rng() % 2 ? kLayerC1 : kLayerC2, uint8_t(1 + rng() % 9));
      p.Via = rng() % 3 == 0;
      // Some pads stacked on others, some slightly beside them.
      if (rng() % 4 == 0) f.Pad({at.X + float(rng() % 3) * 600, at.Y}, d - 1000, d + 1000);
    }
    const TDrillList got = BuildDrillList(f.board, true, true, false, false, false);
    const TDrillList want = Reference(f.board);
    ASSERT_EQ(got.size(), want.size()) << seed;
    for (size_t t = 0; t < got.size(); ++t) {
      EXPECT_EQ(got[t].Diameter, want[t].Diameter);
      EXPECT_EQ(got[t].Holes, want[t].Holes) << seed << " tool " << t;
    }
  }
}

TEST(DrillList, TravelStartsAtTheLowerLeftCornerForEveryTool) {
  TCamBoard f;  // lower-left corner at (0, -800000)
  f.Pad({900000, -100000}, 4000, 8000);
  f.Pad({100000, -700000}, 4000, 8000);
  f.Pad({500000, -400000}, 4000, 8000);
  f.Pad({800000, -700000}, 3000, 8000);
  f.Pad({50000, -50000}, 3000, 8000);
  const TDrillList list = BuildDrillList(f.board, true, true, false, false, false);
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[0].Holes, (std::vector<const TObjekt*>{f.board.Elements[4].get(), f.board.Elements[3].get()}));
  EXPECT_EQ(list[1].Holes, (std::vector<const TObjekt*>{f.board.Elements[1].get(), f.board.Elements[2].get(),
                                                        f.board.Elements[0].get()}));
}

TEST(DrillListText, CountsPerDiameterAndTotal) {
  TCamBoard f;
  for (int i = 0; i < 12; ++i) f.Pad({float(100000 + 20000 * i), -100000}, 4000, 8000);
  f.Pad({100000, -300000}, 4005, 8000);  // 0.801 mm: a tool of its own, shown as 0.80
  const TDrillList list = BuildDrillList(f.board, true, true, false, false, false);
  EXPECT_EQ(DrillListText(list, TDisplayUnit::Mm, TLanguage::English),
            "  12 x  0.80 mm\n   1 x  0.80 mm\n----------------\n  13 drilings\n");
  EXPECT_EQ(DrillListText(list, TDisplayUnit::Mil, TLanguage::French),
            "  12 x   31 mil\n   1 x   32 mil\n----------------\n  13 percages\n");
  EXPECT_EQ(DrillListText({}, TDisplayUnit::Mm, TLanguage::Russian), "----------------\n   0 отверстий\n");
  TDrillList many{{8000, std::vector<const TObjekt*>(12345, nullptr)}};
  EXPECT_EQ(DrillListText(many, TDisplayUnit::Mm, TLanguage::Russian).substr(0, 20), "12345 x  0.80 мм\n-");
}

}  // namespace
}  // namespace bs
