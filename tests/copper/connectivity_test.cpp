#include <gtest/gtest.h>

#include <set>
#include <unordered_map>

#include "copper/connectivity.h"
#include "copper/ground_plane.h"
#include "model/objekt.h"
#include "synth/synth_board.h"

namespace bs {
namespace {

// A 100 mm square board; elements lie below y = 0 as on every board.
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
  TObjekt& Track(int layer, TFPoint a, TFPoint b, int32_t clearance = 0) {
    auto t = NewObjekt();
    InitTrack(*t, 4000, uint8_t(layer));
    AddPoint(*t, a);
    AddPoint(*t, b);
    t->Clearance = clearance;
    return Add(std::move(t));
  }
  TObjekt& Pad(TFPoint at, bool via = false, int32_t clearance = 0) {
    auto p = NewObjekt();
    InitThtPad(*p, at, kLayerC1, kShapeRound, 3000, 8000);
    p->Via = via;
    p->Clearance = clearance;
    return Add(std::move(p));
  }
  // The elements joined to `start`, as list indices.
  std::set<size_t> Joined(TObjekt& start, bool followBands = false) {
    for (auto& e : board->Elements) e->Selected = 0;
    TFloodOptions opt;
    opt.FollowRubberBands = followBands;
    MarkConnected(*board, start, opt);
    std::set<size_t> out;
    for (size_t i = 0; i < board->Elements.size(); ++i)
      if (board->Elements[i]->Selected) out.insert(i);
    return out;
  }
};

TEST(Connectivity, LayersDecideWhatCrossingCopperJoins) {
  TFixture f;
  TObjekt& top = f.Track(kLayerC1, {100000, -100000}, {300000, -100000});  // 0
  f.Track(kLayerC2, {200000, -50000}, {200000, -150000});                  // 1: crosses on screen only
  EXPECT_EQ(f.Joined(top), (std::set<size_t>{0}));
  f.Pad({200000, -100000}, true);  // 2: a through pad under both
  EXPECT_EQ(f.Joined(top), (std::set<size_t>{0, 1, 2}));

  // An inner-layer track on the through pad joins only on a multilayer board.
  f.Track(kLayerI1, {200000, -100000}, {200000, -300000});  // 3
  EXPECT_EQ(f.Joined(top), (std::set<size_t>{0, 1, 2}));
  f.board->Platine.Multilayer = 1;
  EXPECT_EQ(f.Joined(top), (std::set<size_t>{0, 1, 2, 3}));
}

TEST(Connectivity, BareHolesHiddenLabelsAndCutoutsAreNotCopper) {
  TFixture f;
  TObjekt& track = f.Track(kLayerC1, {100000, -100000}, {300000, -100000});  // 0
  TObjekt& hole = f.Pad({300000, -100000});                                  // 1
  hole.SizeB = hole.SizeA;                                                   // drill as large as the ring
  auto label = NewObjekt();
  InitText(*label, {100000, -100000}, "10k", false, false, kLayerC1, 0, 1, 20000, 0);
  label->LabelRole = 2;
  label->LabelVisible = 0;
  f.Add(std::move(label));                                                 // 2
  TObjekt& cut = f.Track(kLayerC1, {200000, -100000}, {200000, -200000});  // 3
  cut.Cutout = 1;
  EXPECT_EQ(f.Joined(track), (std::set<size_t>{0}));
  EXPECT_FALSE(CanStartTest(hole));
  EXPECT_FALSE(CanStartTest(cut));
  EXPECT_TRUE(CanStartTest(track));
}

TEST(Connectivity, GroundPlaneJoinsWhatHasNoGapOfItsOwn) {
  TFixture f;
  f.board->Platine.GroundPlane[kLayerC2] = 1;
  TObjekt& bare = f.Track(kLayerC2, {100000, -100000}, {200000, -100000}, 0);  // 0: merges with the plane
  TObjekt& pad = f.Pad({500000, -500000}, true, 4000);                         // 1: thermal through pad
  pad.Thermal = 1;
  f.Track(kLayerC2, {700000, -100000}, {800000, -100000}, 4000);  // 2: in its own gap
  f.Track(kLayerC1, {100000, -800000}, {200000, -800000}, 0);     // 3: C1 has no plane
  EXPECT_EQ(f.Joined(bare), (std::set<size_t>{0, 1}));
  EXPECT_EQ(f.Joined(pad), (std::set<size_t>{0, 1}));
  // The track with its own gap never enters the plane.
  EXPECT_EQ(f.Joined(*f.board->Elements[2]), (std::set<size_t>{2}));
}

TEST(Connectivity, AnIslandOfPlaneJoinsOnlyWhatLiesInIt) {
  TFixture f;
  f.board->Platine.GroundPlane[kLayerC1] = 1;
  // A closed loop of track with its own gap cuts an island out of the plane.
  auto loop = NewObjekt();
  InitTrack(*loop, 2000, kLayerC1);
  for (TFPoint p : {TFPoint{300000, -300000}, TFPoint{700000, -300000}, TFPoint{700000, -700000},
                    TFPoint{300000, -700000}, TFPoint{300000, -300000}})
    AddPoint(*loop, p);
  loop->Clearance = 4000;
  f.Add(std::move(loop));                                                      // 0
  TObjekt& inside = f.Track(kLayerC1, {400000, -400000}, {420000, -400000});   // 1
  f.Track(kLayerC1, {600000, -600000}, {620000, -600000});                     // 2: far away, same island
  TObjekt& outside = f.Track(kLayerC1, {100000, -100000}, {150000, -100000});  // 3
  f.Track(kLayerC1, {900000, -900000}, {950000, -900000});                     // 4: outside as well
  EXPECT_EQ(f.Joined(inside), (std::set<size_t>{1, 2}));
  EXPECT_EQ(f.Joined(outside), (std::set<size_t>{3, 4}));

  // A filled cut-out clears its whole area: what stands in it is cut off.
  auto cut = NewObjekt();
  InitZone(*cut, 1000, kLayerC1);
  for (TFPoint p :
       {TFPoint{350000, -350000}, TFPoint{650000, -350000}, TFPoint{650000, -650000}, TFPoint{350000, -650000}})
    AddPoint(*cut, p);
  cut->Closed = 1;
  cut->Cutout = 1;
  f.Add(std::move(cut));
  EXPECT_EQ(f.Joined(inside), (std::set<size_t>{1}));
}

// SMD pads 2 x 1 mm whose copper meets exactly along an edge or at a corner
// touch, whichever is asked about first; a unit apart they do not.
TEST(Connectivity, PadsMeetingExactlyTouchEitherWayRound) {
  struct TCase {
    const char* name;
    TFPoint b;  // the second pad's centre; the first one's is (100000, -100000)
    bool touch;
  };
  const TCase cases[] = {
      {"side by side", {120000, -100000}, true},        {"side by side, a unit apart", {120001, -100000}, false},
      {"one below the other", {100000, -110000}, true}, {"one below the other, a unit apart", {100000, -110001}, false},
      {"corner to corner", {120000, -110000}, true},
  };
  TFixture f;
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    auto a = NewObjekt(), b = NewObjekt();
    InitSmdPad(*a, {100000, -100000}, 20000, kLayerC1, 10000);
    InitSmdPad(*b, c.b, 20000, kLayerC1, 10000);
    EXPECT_EQ(ElementsTouch(*a, *b, kLayerC1, f.board->Platine), c.touch);
    EXPECT_EQ(ElementsTouch(*b, *a, kLayerC1, f.board->Platine), c.touch);
  }
}

TEST(Connectivity, RubberBandsAreFollowedOnlyWhenAsked) {
  TFixture f;
  TObjekt& a = f.Pad({100000, -100000});
  TObjekt& b = f.Pad({600000, -600000});
  EXPECT_TRUE(ToggleConnection(a, b));
  EXPECT_EQ(f.Joined(a), (std::set<size_t>{0}));
  EXPECT_EQ(f.Joined(a, true), (std::set<size_t>{0, 1}));
  EXPECT_FALSE(ToggleConnection(a, a));  // a pad never joins itself
  EXPECT_FALSE(ToggleConnection(a, b));  // the second click removes it
  EXPECT_TRUE(a.Connections.empty() && b.Connections.empty());
}

TEST(Connectivity, RemovingRubberBandsThatCopperSatisfies) {
  TFixture f;
  TObjekt& a = f.Pad({100000, -100000});
  TObjekt& b = f.Pad({300000, -100000});
  TObjekt& c = f.Pad({600000, -600000});
  ToggleConnection(a, b);
  ToggleConnection(a, c);
  f.Track(kLayerC1, {100000, -100000}, {300000, -100000});  // routes a-b in copper
  EXPECT_TRUE(HasConnections(*f.board));
  const TRubberBandCounts counts = RemoveSatisfiedConnections(*f.board);
  EXPECT_EQ(counts.Removed, 2);
  EXPECT_EQ(counts.Remaining, 2);  // a-c, counted at both ends
  EXPECT_EQ(RubberBandCountsMessage(counts),
            "2 connections (rubberbands) removed.\r2 connections (rubberbands) remaining.");
  EXPECT_EQ(a.Connections, TRefList{&c});
  EXPECT_TRUE(b.Connections.empty());
  EXPECT_EQ(c.Connections, TRefList{&a});
}

// Thermal pads stand in their own gaps but join the plane through their
// spokes: a rubber band between two of them is satisfied by the plane alone.
// A pad with a gap and without spokes stays cut off.
TEST(Connectivity, RubberBandBetweenThermalPadsOnThePlaneIsSatisfied) {
  TFixture f;
  f.board->Platine.GroundPlane[kLayerC1] = 1;
  TObjekt& a = f.Pad({200000, -200000}, false, 4000);
  TObjekt& b = f.Pad({800000, -800000}, false, 4000);
  TObjekt& c = f.Pad({200000, -800000}, false, 4000);
  a.Thermal = b.Thermal = 1;
  ToggleConnection(a, b);
  ToggleConnection(a, c);
  const TRubberBandCounts counts = RemoveSatisfiedConnections(*f.board);
  EXPECT_EQ(counts.Removed, 2);
  EXPECT_EQ(counts.Remaining, 2);
  EXPECT_EQ(a.Connections, TRefList{&c});
  EXPECT_TRUE(b.Connections.empty());
  EXPECT_EQ(c.Connections, TRefList{&a});
}

// The removal command finds what copper joins without a flood per pad; it
// must remove exactly what floods from each pad would.
TEST(Connectivity, RemovalAgreesWithAFloodFromEveryPad) {
  auto make = [] {
    auto f = std::make_unique<TFixture>();
    TSynthOptions opt;
    opt.Elements = 300;
    opt.Multilayer = true;
    FillSynthBoard(*f->board, opt);
    f->board->Platine.GroundPlane[kLayerC1] = 1;
    // Some tracks without a gap of their own, so that the planes join things.
    int n = 0;
    for (auto& e : f->board->Elements)
      if (e->Kind == kKindTrack && n++ % 3 == 0) e->Clearance = 0;
    return f;
  };
  auto fast = make(), slow = make();
  const TRubberBandCounts counts = RemoveSatisfiedConnections(*fast->board);

  TRubberBandCounts expected;
  auto& list = slow->board->Elements;
  for (auto& pe : list) {
    if (!IsPad(*pe) || pe->Connections.empty()) continue;
    for (auto& e : list) e->Selected = 0;
    MarkConnected(*slow->board, *pe);
    TRefList kept;
    for (TObjekt* q : pe->Connections) {
      if (q->Selected) {
        ++expected.Removed;
      } else {
        ++expected.Remaining;
        kept.push_back(q);
      }
    }
    pe->Connections = kept;
  }
  EXPECT_GT(expected.Removed, 0);
  EXPECT_GT(expected.Remaining, 0);
  EXPECT_EQ(counts.Removed, expected.Removed);
  EXPECT_EQ(counts.Remaining, expected.Remaining);
  for (size_t i = 0; i < list.size(); ++i)
    EXPECT_EQ(fast->board->Elements[i]->Connections.size(), list[i]->Connections.size()) << i;
}

// Numbering the nets once gives what a flood from each copper element in
// list order gives when it does not enter elements that already have a net.
TEST(Connectivity, NetsAreWhatFloodsInListOrderGive) {
  TFixture f;
  TSynthOptions opt;
  opt.Elements = 400;
  opt.Multilayer = true;
  FillSynthBoard(*f.board, opt);
  f.board->Platine.GroundPlane[kLayerC1] = 1;
  int k = 0;
  for (auto& e : f.board->Elements)
    if (e->Kind == kKindTrack && k++ % 3 == 0) e->Clearance = 0;
  const std::vector<int> nets = CopperNets(*f.board);

  auto& list = f.board->Elements;
  std::unordered_map<const TObjekt*, size_t> index;
  for (size_t i = 0; i < list.size(); ++i) index[list[i].get()] = i;
  std::vector<int> flooded(list.size(), -1);
  TFloodOptions withNet;
  withNet.Excluded = [&](const TObjekt& e) { return flooded[index.at(&e)] >= 0; };
  std::vector<size_t> copper;
  for (size_t i = 0; i < list.size(); ++i) {
    if (!CanStartTest(*list[i])) continue;
    copper.push_back(i);
    if (flooded[i] >= 0) continue;
    for (auto& e : list) e->Selected = 0;
    MarkConnected(*f.board, *list[i], withNet);
    for (size_t j = 0; j < list.size(); ++j)
      if (list[j]->Selected) flooded[j] = int(i);
  }
  std::set<int> distinct;
  for (size_t i : copper) {
    distinct.insert(flooded[i]);
    for (size_t j : copper) ASSERT_EQ(nets[i] == nets[j], flooded[i] == flooded[j]) << i << " " << j;
  }
  EXPECT_GT(distinct.size(), 20u);
  EXPECT_LT(distinct.size(), copper.size());
}

TEST(Connectivity, RubberBandHit) {
  TFixture f;
  TObjekt& a = f.Pad({100000, -100000});
  TObjekt& b = f.Pad({300000, -300000});
  ToggleConnection(a, b);
  const TViewMap view{0.001, 0, 0};  // pads at pixels (100, 100) and (300, 300)
  const auto hit = HitRubberBand(*f.board, view, 200, 203);
  EXPECT_EQ(hit.A, &a);
  EXPECT_EQ(hit.B, &b);
  EXPECT_FALSE(HitRubberBand(*f.board, view, 200, 220));
  EXPECT_FALSE(HitRubberBand(*f.board, view, 320, 320));
}

TEST(GroundPlaneRaster, SizeAndAreas) {
  TFixture f;
  f.board->Platine.Width = 2000000;  // 200 x 100 mm: 5000 x 2500 pixels
  f.board->Platine.GroundPlane[kLayerC1] = 1;
  f.Track(kLayerC1, {0, -500000}, {2000000, -500000}, 4000);  // cuts the plane in two
  TGroundPlaneRaster r(*f.board, kLayerC1);
  EXPECT_EQ(r.Columns(), 5000);
  EXPECT_EQ(r.Rows(), 2500);
  EXPECT_TRUE(r.Flood({100000, -100000}));
  EXPECT_FALSE(r.Flood({150000, -100000}));           // the same area again
  EXPECT_TRUE(r.Reached({1900000, -400000}));         // same half
  EXPECT_FALSE(r.Reached({100000, -900000}));         // the other half
  EXPECT_FALSE(r.Reached({100000, -500000 + 3000}));  // in the gap
  EXPECT_FALSE(r.Flood({-10, -10}));                  // outside the raster
}

}  // namespace
}  // namespace bs
