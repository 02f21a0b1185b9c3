#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <random>
#include <set>
#include <tuple>

#include "checks/drc.h"
#include "io/project_file.h"
#include "model/messages.h"
#include "render/text_strokes.h"
#include "synth/synth_board.h"

namespace bs {
namespace {

// A 100 mm square board; elements lie below y = 0 as on every board. The
// helpers make elements that keep every rule with the default limits.
struct TFixture {
  TProject project;
  TBoard* board = nullptr;
  TFixture() {
    project.Boards.push_back(std::make_unique<TBoard>());
    project.ActiveIndex = 0;
    board = project.Boards[0].get();
    board->Platine.Width = 1000000;
    board->Platine.Height = 1000000;
  }
  TObjekt& Add(std::unique_ptr<TObjekt> e) {
    board->Elements.push_back(std::move(e));
    return *board->Elements.back();
  }
  TObjekt& Track(int layer, TFPoint a, TFPoint b, int32_t width = 4000) {
    auto t = NewObjekt();
    InitTrack(*t, width, uint8_t(layer));
    AddPoint(*t, a);
    AddPoint(*t, b);
    return Add(std::move(t));
  }
  TObjekt& Tht(int layer, TFPoint at, float drill = 4000, float outer = 8000, uint8_t shape = kShapeRound) {
    auto p = NewObjekt();
    InitThtPad(*p, at, uint8_t(layer), shape, drill, outer);
    return Add(std::move(p));
  }
  TObjekt& Via(TFPoint at) {
    TObjekt& v = Tht(kLayerC1, at, 3000, 7000);
    v.Via = 1;
    return v;
  }
  TObjekt& Smd(int layer, TFPoint at, float w = 10000, float h = 15000) {
    auto p = NewObjekt();
    InitSmdPad(*p, at, w, uint8_t(layer), h);
    return Add(std::move(p));
  }
  TObjekt& Circle(int layer, TFPoint at, float outer, float inner, bool fill = false) {
    auto c = NewObjekt();
    InitCircle(*c, at, outer, uint8_t(layer), inner);
    c->Fill = fill;
    return Add(std::move(c));
  }
  TObjekt& Text(int layer, TFPoint at, const char* s, int32_t strokeWidth) {
    auto t = NewObjekt();
    InitText(*t, at, s, false, false, uint8_t(layer), 1, 1, 15000, 0);
    BuildTextStrokes(*t, false);
    for (auto& stroke : t->SubElements) stroke->Width = strokeWidth;
    return Add(std::move(t));
  }
  TDrcResult Check(const TDrcRules& rules = {}) { return RunDrc(*board, rules, DrcCompleteArea(board->Platine)); }
};

std::string Describe(const std::vector<TDrcFinding>& fs) {
  std::string s;
  for (const TDrcFinding& f : fs)
    s += std::string(DrcFindingText(f)) + " on layer " + std::to_string(f.Layer) + " at " +
         std::to_string(f.Marker.Left) + "," + std::to_string(f.Marker.Top) + "\n";
  return s;
}

// The switch of the rule that reported a finding.
bool TDrcRules::*SwitchOf(const TDrcFinding& f) {
  switch (f.Kind) {
    case kDrcKindCopper: return &TDrcRules::Kupfer;
    case kDrcKindDrillDistance: return &TDrcRules::Bohrungen;
    case kDrcKindDrillTooSmall: return &TDrcRules::BohrMin;
    case kDrcKindDrillTooLarge: return &TDrcRules::BohrMax;
    case kDrcKindTrackTooThin: return &TDrcRules::TrackMin;
    case kDrcKindRingTooSmall: return &TDrcRules::RingMin;
    case kDrcKindSilkscreenOverPad: return &TDrcRules::SilkOnPad;
    case kDrcKindDrillingOnSmdPad: return &TDrcRules::HoleOnSMD;
    case kDrcKindSolderMask: return f.PadWithoutMask ? &TDrcRules::PadOhneLS : &TDrcRules::LSFremd;
    default: return &TDrcRules::BestMin;
  }
}

constexpr TFPoint kAt{300000, -300000};
TFPoint At(double dx, double dy = 0) { return {float(kAt.X + dx), float(kAt.Y + dy)}; }

// Each board breaks exactly one rule once (`bad`) or keeps them all: every
// rule on, default limits.
TEST(Drc, EachRuleFindsItsViolationAndNothingOnTheCleanTwin) {
  struct TCase {
    const char* name;
    std::function<void(TFixture&, bool bad)> build;
    uint8_t kind;
    int layer;
    bool planeGap = false;
    bool padWithoutMask = false;
    bool outline = false;
  };
  const TCase cases[] = {
      {"holes closer than 0.5 mm",
       [](TFixture& f, bool bad) {
         f.Tht(kLayerC1, kAt);
         f.Tht(kLayerC1, At(bad ? 12000 : 30000));
       },
       kDrcKindDrillDistance, kLayerC1},
      {"stacked holes on C1 and C2",
       [](TFixture& f, bool bad) {
         f.Tht(kLayerC1, kAt);
         f.Tht(kLayerC2, At(bad ? 0 : 30000));
       },
       kDrcKindDrillDistance, kLayerC1},
      {"an unplated hole on the outline layer near a pad",
       [](TFixture& f, bool bad) {
         f.Tht(kLayerO, kAt, 4000, 4000);
         f.Tht(kLayerC2, At(bad ? 12000 : 30000));
       },
       kDrcKindDrillDistance, kLayerO},
      {"drill 0.25 mm", [](TFixture& f, bool bad) { f.Tht(kLayerC1, kAt, bad ? 1250 : 2000); }, kDrcKindDrillTooSmall,
       kLayerC1},
      {"drill 8.2 mm", [](TFixture& f, bool bad) { f.Tht(kLayerC2, kAt, bad ? 41000 : 39000, 45000); },
       kDrcKindDrillTooLarge, kLayerC2},
      {"annular ring 0.1 mm", [](TFixture& f, bool bad) { f.Tht(kLayerC1, kAt, 4000, bad ? 5000 : 7000); },
       kDrcKindRingTooSmall, kLayerC1},
      {"track 0.15 mm on C1", [](TFixture& f, bool bad) { f.Track(kLayerC1, kAt, At(50000), bad ? 1500 : 2500); },
       kDrcKindTrackTooThin, kLayerC1, false, false, true},
      {"track 0.15 mm on I2",
       [](TFixture& f, bool bad) {
         f.board->Platine.Multilayer = 1;
         f.Track(kLayerI2, kAt, At(50000), bad ? 1500 : 2500);
       },
       kDrcKindTrackTooThin, kLayerI2, false, false, true},
      {"open circle on C2", [](TFixture& f, bool bad) { f.Circle(kLayerC2, kAt, 10000, bad ? 8500 : 7000); },
       kDrcKindTrackTooThin, kLayerC2},
      {"copper text", [](TFixture& f, bool bad) { f.Text(kLayerC1, kAt, "AB", bad ? 1000 : 2500); },
       kDrcKindTrackTooThin, kLayerC1},
      {"silkscreen track on S1", [](TFixture& f, bool bad) { f.Track(kLayerS1, kAt, At(50000), bad ? 1000 : 2000); },
       kDrcKindSilkscreenTooThin, kLayerS1, false, false, true},
      {"filled silkscreen circle on S2",
       [](TFixture& f, bool bad) { f.Circle(kLayerS2, kAt, 10000, bad ? 9000 : 8000, true); },
       kDrcKindSilkscreenTooThin, kLayerS2},
      {"two tracks of two nets 0.1 mm apart on C1",
       [](TFixture& f, bool bad) {
         f.Track(kLayerC1, kAt, At(200000));
         f.Track(kLayerC1, At(0, -4000 - (bad ? 1000 : 2000)), At(200000, -4000 - (bad ? 1000 : 2000)));
       },
       kDrcKindCopper, kLayerC1},
      {"a track 0.1 mm beside an SMD pad on C2",
       [](TFixture& f, bool bad) {
         f.Smd(kLayerC2, kAt);
         const double x = 5000 + 2000 + (bad ? 1000 : 2000);
         f.Track(kLayerC2, At(x, 30000), At(x, -30000));
       },
       kDrcKindCopper, kLayerC2},
      {"a through pad and an inner track",
       [](TFixture& f, bool bad) {
         f.board->Platine.Multilayer = 1;
         f.Via(kAt);
         const double x = 7000 + 2000 + (bad ? 1000 : 2000);
         f.Track(kLayerI1, At(x, 30000), At(x, -30000));
       },
       kDrcKindCopper, kLayerI1},
      {"a gap of 0.1 mm to the ground plane of C1",
       [](TFixture& f, bool bad) {
         f.board->Platine.GroundPlane[kLayerC1] = 1;
         f.Track(kLayerC1, kAt, At(50000)).Clearance = bad ? 1000 : 0;
       },
       kDrcKindCopper, kLayerC1, true},
      {"silkscreen over a C1 pad",
       [](TFixture& f, bool bad) {
         f.Tht(kLayerC1, kAt);
         f.Track(kLayerS1, At(-20000, bad ? 0 : 20000), At(20000, bad ? 0 : 20000), 2000);
       },
       kDrcKindSilkscreenOverPad, kLayerS1},
      {"silkscreen text over a C2 pad (S2, not S1)",
       [](TFixture& f, bool bad) {
         f.Smd(kLayerC2, kAt);
         f.Text(bad ? kLayerS2 : kLayerS1, At(-3000, -5000), "II", 2000);
       },
       kDrcKindSilkscreenOverPad, kLayerS2},
      {"a hole from C2 in a C1 SMD pad",
       [](TFixture& f, bool bad) {
         f.Smd(kLayerC1, kAt);
         f.Tht(kLayerC2, At(bad ? 0 : 30000), 2000, 4000);
       },
       kDrcKindDrillingOnSmdPad, kLayerC1},
      {"an outline-layer hole in a C2 SMD pad",
       [](TFixture& f, bool bad) {
         f.Smd(kLayerC2, kAt);
         f.Tht(kLayerO, At(bad ? 3000 : 30000), 2000, 2000);
       },
       kDrcKindDrillingOnSmdPad, kLayerC2},
      {"a pad without solder mask", [](TFixture& f, bool bad) { f.Tht(kLayerC1, kAt).SolderMask = !bad; },
       kDrcKindSolderMask, kLayerC1, false, true},
      {"a track with a solder-mask opening",
       [](TFixture& f, bool bad) { f.Track(kLayerC1, kAt, At(50000)).SolderMask = bad; }, kDrcKindSolderMask, kLayerC1,
       false, false, true},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    TFixture clean;
    c.build(clean, false);
    const TDrcResult none = clean.Check();
    EXPECT_TRUE(none.Findings.empty()) << Describe(none.Findings);

    TFixture f;
    c.build(f, true);
    const TDrcResult r = f.Check();
    ASSERT_EQ(r.Findings.size(), 1u) << Describe(r.Findings);
    const TDrcFinding& x = r.Findings[0];
    EXPECT_EQ(x.Kind, c.kind);
    EXPECT_EQ(x.Layer, c.layer);
    EXPECT_EQ(x.PlaneGap, c.planeGap);
    EXPECT_EQ(x.PadWithoutMask, c.padWithoutMask);
    EXPECT_EQ(!x.Outline.empty(), c.outline);
    EXPECT_LE(x.Marker.Left, x.Marker.Right);
    EXPECT_LE(x.Marker.Top, x.Marker.Bottom);
    // The marker covers the place: the first element concerned lies in it
    // or reaches into it.
    ASSERT_GE(x.First, 0);
    const TURect e = BoundingRect(*f.board->Elements[size_t(x.First)], f.board->Platine);
    EXPECT_TRUE(e.Left <= x.Marker.Right && x.Marker.Left <= e.Right && e.Top <= x.Marker.Bottom &&
                x.Marker.Top <= e.Bottom);
    EXPECT_NE(std::string(DrcFindingText(x)), "");

    // Switching the rule off silences it.
    TDrcRules off;
    off.*SwitchOf(x) = false;
    EXPECT_TRUE(f.Check(off).Findings.empty());
  }
}

TEST(Drc, TracksOfOneNetAreNeverTooCloseAndAPlaceIsReportedOnce) {
  TFixture f;
  // Two tracks 0.05 mm apart, joined by a third: one net.
  f.Track(kLayerC1, kAt, At(100000));
  f.Track(kLayerC1, At(0, -4500), At(100000, -4500));
  f.Track(kLayerC1, At(100000), At(100000, -4500));
  EXPECT_TRUE(f.Check().Findings.empty()) << Describe(f.Check().Findings);

  // A short track of another net 0.1 mm below the joint of two tracks of
  // one net: close to both, reported once.
  TFixture g;
  g.Track(kLayerC1, kAt, At(100000));
  g.Track(kLayerC1, At(100000), At(200000));
  g.Track(kLayerC1, At(99000, -5000), At(101000, -5000));
  const auto once = g.Check().Findings;
  ASSERT_EQ(once.size(), 1u) << Describe(once);
  EXPECT_EQ(once[0].Second, 2);
  // Far apart along the same two tracks, two places are two findings.
  g.Track(kLayerC1, At(20000, -5000), At(22000, -5000));
  EXPECT_EQ(g.Check().Findings.size(), 2u);
}

TEST(Drc, EdgeCasesOfTheCopperAndHoleRules) {
  {
    SCOPED_TRACE("a small pad wholly inside a large zone of its own copper");
    TFixture f;
    auto zone = NewObjekt();
    InitZone(*zone, 1000, kLayerC1);
    for (TFPoint p : {At(0), At(100000), At(100000, -100000), At(0, -100000)}) AddPoint(*zone, p);
    f.Add(std::move(zone));
    f.Smd(kLayerC1, At(50000, -50000));
    EXPECT_TRUE(f.Check().Findings.empty());
  }
  {
    SCOPED_TRACE("a bare hole never has a ring");
    TFixture f;
    f.Tht(kLayerC1, kAt, 4000, 4000);
    EXPECT_TRUE(f.Check().Findings.empty()) << Describe(f.Check().Findings);
  }
  {
    SCOPED_TRACE("the plane gap needs the plane of the element's layer");
    TFixture f;
    f.Track(kLayerC1, kAt, At(50000)).Clearance = 1000;
    f.board->Platine.GroundPlane[kLayerC2] = 1;
    EXPECT_TRUE(f.Check().Findings.empty());
    f.board->Platine.GroundPlane[kLayerC1] = 1;
    EXPECT_EQ(f.Check().Findings.size(), 1u);
  }
  {
    // The track's end reaches just over the corner of the square pad: the
    // two are one net, although the pad's cut-corner shape of the distance
    // test would not reach the track.
    SCOPED_TRACE("a track is never too close to its own pad");
    TFixture f;
    f.Tht(kLayerC1, kAt, 4000, 8000, kShapeSquare);
    f.Track(kLayerC1, At(8500, 8500), At(30000, 30000), 2000);
    EXPECT_TRUE(f.Check().Findings.empty()) << Describe(f.Check().Findings);
  }
  {
    // The right spoke of a thermal pad on the C2 plane ends 0.1 mm from a
    // track of another net, whichever layer the editor shows.
    SCOPED_TRACE("spokes count on their own layer");
    TFixture f;
    f.board->Platine.GroundPlane[kLayerC2] = 1;
    TObjekt& pad = f.Tht(kLayerC2, kAt);
    pad.Thermal = 1;
    pad.Clearance = 4000;
    f.Track(kLayerC2, At(15500, 20000), At(15500, -20000)).Clearance = 4000;
    for (int active : {kLayerC1, kLayerC2, kLayerS1}) {
      f.board->Platine.ActiveLayer = active;
      const auto found = f.Check().Findings;
      ASSERT_EQ(found.size(), 1u) << active << "\n" << Describe(found);
      EXPECT_EQ(found[0].Kind, kDrcKindCopper);
    }
  }
  {
    SCOPED_TRACE("a filled copper circle is no track");
    TFixture f;
    f.Circle(kLayerC1, kAt, 10000, 9000, true);
    EXPECT_TRUE(f.Check().Findings.empty());
  }
  {
    SCOPED_TRACE("copper of no shape touches nothing");
    TFixture f;
    f.Tht(kLayerC1, kAt).Shape = 0;  // its hole still counts, its copper is nothing
    f.Track(kLayerS1, At(-20000), At(20000), 2000);
    f.Text(kLayerS1, At(0, -20000), "X", 2000).SubElements.clear();  // a text without strokes
    f.Smd(kLayerC1, At(0, -20000));
    EXPECT_TRUE(f.Check().Findings.empty()) << Describe(f.Check().Findings);
    // The hole of the pad without shape is taken as its circle.
    f.Smd(kLayerC2, kAt);
    const auto found = f.Check().Findings;
    ASSERT_EQ(found.size(), 1u) << Describe(found);
    EXPECT_EQ(found[0].Kind, kDrcKindDrillingOnSmdPad);
  }
}

TEST(Drc, TheRunAreaLimitsElementsAndFindings) {
  TFixture f;
  f.Track(kLayerC1, {100000, -100000}, {150000, -100000}, 1000);  // 0, top left
  f.Track(kLayerC1, {700000, -700000}, {750000, -700000}, 1000);  // 1, bottom right
  TPlatine& p = f.board->Platine;
  p.Zoom = 0.001;
  const TViewport window{400, 300};  // 400 000 x 300 000 units
  auto firsts = [&] {
    std::set<int> s;
    for (const TDrcFinding& x : RunDrc(*f.board, {}, DrcWindowArea(p, window)).Findings) s.insert(x.First);
    return s;
  };
  p.ScrollX = p.ScrollY = 0;
  EXPECT_EQ(DrcWindowArea(p, window), (TURect{0, -300000, 400000, 0}));
  EXPECT_EQ(firsts(), (std::set<int>{0}));
  p.ScrollX = 500, p.ScrollY = 600;  // scrolled to the bottom right
  EXPECT_EQ(firsts(), (std::set<int>{1}));
  EXPECT_EQ(f.Check().Findings.size(), 2u);
  EXPECT_EQ(DrcCompleteArea(p), (TURect{0, -1000000, 1000000, 0}));
}

// Findings of the whole synthetic board with a ground plane, the most
// varied board at hand.
struct TSynth {
  TProject project;
  TBoard& board;
  explicit TSynth(size_t elements) : board((MakeSynthProject(project, Options(elements)), *project.Boards[0])) {}
  static TSynthOptions Options(size_t elements) {
    TSynthOptions o;
    o.Elements = elements;
    o.Multilayer = true;
    return o;
  }
};

TEST(Drc, AnAbortKeepsWhatWasFoundAndLeavesNothingBehind) {
  TSynth s(1500);
  s.board.Platine.GroundPlane[kLayerC1] = 1;
  const TURect area = DrcCompleteArea(s.board.Platine);
  const TDrcResult full = RunDrc(s.board, {}, area);
  ASSERT_FALSE(full.Aborted);
  std::set<int> kinds;
  for (const TDrcFinding& x : full.Findings) kinds.insert(x.Kind);
  EXPECT_GE(kinds.size(), 5u);  // the board is varied enough to show several rules at work

  // Stages and steps as reported; stop after some polls in the copper check.
  const int n = int(s.board.Elements.size());
  for (int stopAt : {1, n + 10, 4 * n + 100, 5 * n - 3}) {
    SCOPED_TRACE(stopAt);
    int polls = 0, stages = 0;
    TProgress progress;
    progress.Step = [&](int done, int total) {
      EXPECT_EQ(total, n);
      if (done == 0) ++stages;
    };
    progress.Abort = [&] { return ++polls > stopAt; };
    const TDrcResult part = RunDrc(s.board, {}, area, progress);
    EXPECT_TRUE(part.Aborted);
    EXPECT_EQ(stages, stopAt / n + 1);  // the checks after the stopped one never started
    ASSERT_LE(part.Findings.size(), full.Findings.size());
    EXPECT_TRUE(std::equal(part.Findings.begin(), part.Findings.end(), full.Findings.begin()));
    // Nothing of the stopped run is left: the next run finds the same.
    EXPECT_EQ(RunDrc(s.board, {}, area).Findings, full.Findings);
  }
}

TEST(Drc, TheBoardIsUnchangedByARun) {
  TSynth s(1500);
  s.board.Platine.GroundPlane[kLayerC1] = 1;
  s.board.Elements[3]->Selected = 1;
  const std::vector<uint8_t> before = EncodeProject(s.project);
  std::vector<std::tuple<uint8_t, int32_t, size_t, bool, bool>> memory;
  for (const auto& e : s.board.Elements)
    memory.emplace_back(e->Selected, e->OutlineMargin, e->NetList.size(), bool(e->PolygonCache),
                        bool(e->GrownPolygonCache));
  const TDrcResult r = RunDrc(s.board, {}, DrcCompleteArea(s.board.Platine));
  EXPECT_FALSE(r.Findings.empty());
  EXPECT_EQ(EncodeProject(s.project), before);
  size_t i = 0;
  for (const auto& e : s.board.Elements)
    EXPECT_EQ(memory[i++], std::make_tuple(e->Selected, e->OutlineMargin, e->NetList.size(), bool(e->PolygonCache),
                                           bool(e->GrownPolygonCache)));
}

// The grid of holes must not lose a pair: random holes against every pair.
TEST(Drc, DrillDistanceFindsEveryClosePairInListOrder) {
  TFixture f;
  std::mt19937 rng(7);
  std::uniform_real_distribution<float> pos(20000, 120000), drill(500, 6000);
  for (int i = 0; i < 300; ++i) {
    const float r = drill(rng);
    f.Tht(i % 3 == 0 ? kLayerO : kLayerC1, {pos(rng), -pos(rng)}, r, r + 3000);
  }
  TDrcRules only;
  for (const TDrcKey& k : DrcKeys())
    if (k.Flag) only.*k.Flag = false;
  only.Bohrungen = true;
  std::vector<std::pair<int, int>> expected;
  const auto& list = f.board->Elements;
  for (size_t i = 0; i < list.size(); ++i)
    for (size_t j = i + 1; j < list.size(); ++j) {
      const TObjekt &a = *list[i], &b = *list[j];
      const double d = std::hypot(double(a.Pos.X) - b.Pos.X, double(a.Pos.Y) - b.Pos.Y);
      if (RoundInt(RoundInt(d) - double(a.SizeB) - b.SizeB) < only.WBohrungen) expected.push_back({int(i), int(j)});
    }
  std::vector<std::pair<int, int>> found;
  for (const TDrcFinding& x : f.Check(only).Findings) found.push_back({x.First, x.Second});
  EXPECT_GT(expected.size(), 50u);
  EXPECT_EQ(found, expected);
}

TEST(DrcRules, DefaultsAndTheSettingsRoundTrip) {
  const TDrcRules defaults = ReadDrcRules(TIniFile{});
  EXPECT_EQ(defaults, TDrcRules{});
  EXPECT_EQ(defaults.WKupfer, 1500);
  EXPECT_EQ(defaults.WBohrungen, 5000);
  EXPECT_EQ(defaults.WBohrMin, 3000);
  EXPECT_EQ(defaults.WBohrMax, 80000);
  EXPECT_EQ(defaults.WTrackMin, 2000);
  EXPECT_EQ(defaults.WRingMin, 2000);
  EXPECT_EQ(defaults.WBestMin, 1500);
  EXPECT_EQ(DrcKeys().size(), 18u);

  // Every key written and read back, each with a value other than its default.
  TDrcRules changed;
  int32_t length = 100;
  for (const TDrcKey& k : DrcKeys()) {
    if (k.Flag) changed.*k.Flag = false;
    if (k.Length) changed.*k.Length = length += 1111;
  }
  TIniFile ini;
  WriteDrcRules(ini, changed);
  const std::string text = ini.Serialize();
  EXPECT_NE(text.find("[DRC]\r\nKupfer=0\r\nWKupfer=1211\r\n"), std::string::npos) << text;
  EXPECT_EQ(ReadDrcRules(TIniFile::Parse(text)), changed);

  // What the file cannot mean keeps the default; limits stay in the field's range.
  const TDrcRules odd =
      ReadDrcRules(TIniFile::Parse("[drc]\nwkupfer=abc\nBohrMin=no\nWBohrMax=2000000\nWRingMin=-5\n"));
  EXPECT_EQ(odd.WKupfer, 1500);
  EXPECT_TRUE(odd.BohrMin);
  EXPECT_EQ(odd.WBohrMax, kDrcMaxLength);
  EXPECT_EQ(odd.WRingMin, 0);
  EXPECT_EQ(FindDrcKey("hoLEonsmd"), &DrcKeys()[15]);
  EXPECT_EQ(FindDrcKey("Copper"), nullptr);
}

TEST(DrcShow, MarkersZoomTextsAndOutlines) {
  const struct {
    TURect in, out;
  } growth[] = {
      {{0, 0, 0, 0}, {-2500, -2500, 2500, 2500}},         // a point: 4000 wide, then 5000
      {{0, 0, 999, 20000}, {-2000, -2000, 2999, 22000}},  // 4999 wide: widened by (5000 - 4999) / 2 = 0
      {{-10000, -300, 10000, 300}, {-12000, -2500, 12000, 2500}},
  };
  for (const auto& g : growth) EXPECT_EQ(GrowDrcMarker(g.in), g.out);

  TPlatine board;
  board.Width = 1000000;
  board.Height = 500000;
  const TViewport window{1020, 620};
  // 10 000 wide: the box is 50 000 square about the same middle.
  const auto z = DrcZoomToFinding({100000, -205000, 110000, -195000}, board, window);
  ASSERT_TRUE(z);
  EXPECT_DOUBLE_EQ(z->Zoom, 600.0 / 50000);
  EXPECT_EQ(z->Centre, (TDPoint{105000, 200000}));
  // Cut to the board at its corner, and too small once cut.
  const auto corner = DrcZoomToFinding({0, -10000, 10000, 0}, board, window);
  ASSERT_TRUE(corner);
  EXPECT_EQ(corner->Centre, (TDPoint{15000, 15000}));
  EXPECT_FALSE(DrcZoomToFinding({-3000, -1000, -2000, 0}, board, window));  // nothing left once cut
  EXPECT_FALSE(DrcZoomToFinding({0, 0, 0, 0}, board, window));

  std::set<std::string> texts;
  for (int kind : {0, 1, 2, 3, 4, 5, 6, 7, 8, 10})
    for (bool variant : {false, true}) {
      TDrcFinding f;
      f.Kind = uint8_t(kind);
      f.PlaneGap = f.PadWithoutMask = variant;
      texts.insert(DrcFindingText(f));
    }
  EXPECT_EQ(texts.size(), 12u);  // kinds 0 and 8 have two lines each
  EXPECT_TRUE(texts.count("Non-pad with soldermask"));
  EXPECT_EQ(DrcCountCaption(3), "3 errors");

  // The outline of a track: 18 points at half the widened width from each
  // segment.
  TObjekt track;
  InitTrack(track, 2000, kLayerC1);
  for (TFPoint p : {TFPoint{0, 0}, TFPoint{30000, 0}, TFPoint{30000, -40000}}) AddPoint(track, p);
  const auto outline = DrcTrackOutline(track);
  ASSERT_EQ(outline.size(), 2u);
  for (size_t s = 0; s < 2; ++s)
    for (const TIPoint& p : outline[s]) {
      const TFPoint a = track.Points[s], b = track.Points[s + 1];
      const double len = std::hypot(b.X - a.X, b.Y - a.Y);
      const double t = std::clamp(((p.X - a.X) * (b.X - a.X) + (p.Y - a.Y) * (b.Y - a.Y)) / (len * len), 0.0, 1.0);
      EXPECT_NEAR(std::hypot(p.X - a.X - t * (b.X - a.X), p.Y - a.Y - t * (b.Y - a.Y)), 3000, 1);
    }
}

}  // namespace
}  // namespace bs
