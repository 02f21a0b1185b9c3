#include "edit/node_ops.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "edit_fixture.h"

namespace bs::edit_test {
namespace {

using NodeTest = EditTest;

TEST_F(NodeTest, MenuState) {
  TObjekt& t2 = Track({Pt(0, 0), Pt(10000, 0)});
  TObjekt& t3 = Track({Pt(0, 0), Pt(10000, 0), Pt(10000, -10000)});
  TObjekt& z3 = Zone({Pt(0, 0), Pt(10000, 0), Pt(10000, -10000)});
  TObjekt& z4 = Zone({Pt(0, 0), Pt(10000, 0), Pt(10000, -10000), Pt(0, -10000)});
  struct Case {
    TObjekt* e;
    size_t node;
    bool remove, split, join;
  };
  for (const Case& k :
       {Case{&t2, 0, false, false, true}, Case{&t3, 0, true, false, true}, Case{&t3, 1, true, true, false},
        Case{&t3, 2, true, false, true}, Case{&z3, 1, false, false, false}, Case{&z4, 0, true, false, false}}) {
    SCOPED_TRACE(testing::Message() << k.e->Points.size() << " " << int(k.e->Kind) << " " << k.node);
    const TNodeMenu m = NodeMenuState(*k.e, k.node);
    EXPECT_EQ(m.RemoveNode, k.remove);
    EXPECT_EQ(m.SplitTrack, k.split);
    EXPECT_EQ(m.JoinTracks, k.join);
    EXPECT_TRUE(m.AddNode && m.SnapNode && m.SnapAllNodes);
  }
  EXPECT_FALSE(NodeMenuState(t3, 3).AddNode);
}

TEST_F(NodeTest, RemoveNodeKeepsTheMinimum) {
  TObjekt& t = Track({Pt(0, 0), Pt(10000, 0), Pt(10000, -10000)});
  EXPECT_ONE_UNDO_STEP(RemoveNode(p, *L()[0], 1));
  RemoveNode(p, *L()[0], 1);
  EXPECT_EQ(L()[0]->Points, (TPointList{Pt(0, 0), Pt(10000, -10000)}));
  EXPECT_NO_UNDO_STEP(RemoveNode(p, *L()[0], 1));
  (void)t;
}

TEST_F(NodeTest, AddNodeHalfwayOrBesideTheFirstVertexOnTheGrid) {
  B().Platine.Grid = 254;
  Track({Pt(25400, -25400), Pt(50800, -76200)});
  EXPECT_ONE_UNDO_STEP(AddNode(p, *L()[0], 1));
  TObjekt& t = *L()[0];
  AddNode(p, t, 1);
  EXPECT_EQ(t.Points[1], Pt(38100, -50800));
  AddNode(p, t, 0);
  EXPECT_EQ(t.Points[0], Pt(25146, -25146));  // 254 left and 254 up
  EXPECT_EQ(t.Points.size(), 4u);

  B().Platine.Grid = 10000;
  AddNode(p, t, 3);  // halfway (44450, -63500) snaps to the 1 mm grid
  EXPECT_EQ(t.Points[3], Pt(40000, -60000));
}

TEST_F(NodeTest, SnapNodesToGrid) {
  Zone({Pt(10400, -300), Pt(20000, 0), Pt(20600, -19500)});
  TObjekt& z = *L()[0];
  EXPECT_NO_UNDO_STEP(SnapNodeToGrid(p, z, 1));
  SnapNodeToGrid(p, z, 0);
  EXPECT_EQ(z.Points[0], Pt(10000, 0));
  EXPECT_EQ(z.Points[2], Pt(20600, -19500));
  EXPECT_ONE_UNDO_STEP(SnapAllNodesToGrid(p, *L()[0]));
  SnapAllNodesToGrid(p, *L()[0]);
  EXPECT_EQ(L()[0]->Points, (TPointList{Pt(10000, 0), Pt(20000, 0), Pt(20000, -20000)}));
  EXPECT_NO_UNDO_STEP(SnapAllNodesToGrid(p, *L()[0]));
}

TEST_F(NodeTest, SplitTrackAtAnInnerVertex) {
  TObjekt& t = Track({Pt(0, 0), Pt(10000, 0), Pt(20000, -5000), Pt(30000, -5000)}, kLayerC2, 3000);
  t.Cutout = 1;
  t.Clearance = 6000;
  EXPECT_NO_UNDO_STEP(SplitTrack(p, t, 3));
  EXPECT_ONE_UNDO_STEP(SplitTrack(p, *L()[0], 1));
  TObjekt& s = *L()[0];
  ASSERT_TRUE(SplitTrack(p, s, 1).Done());
  ASSERT_EQ(L().size(), 2u);
  const TObjekt& part = *L()[1];
  EXPECT_EQ(s.Points, (TPointList{Pt(0, 0), Pt(10000, 0)}));
  EXPECT_EQ(part.Points, (TPointList{Pt(30000, -5000), Pt(20000, -5000), Pt(10000, 0)}));
  EXPECT_EQ(part.Kind, kKindTrack);
  EXPECT_EQ(part.Width, 3000);
  EXPECT_EQ(part.Layer, kLayerC2);
  EXPECT_EQ(part.Cutout, 1);
  EXPECT_EQ(part.Clearance, 6000);
}

TEST_F(NodeTest, JoinTracksContinuesThePath) {
  const TPointList a{Pt(0, 0), Pt(10000, -10000)};
  const TPointList b{Pt(11000, -10500), Pt(20000, -10000), Pt(30000, -20000)};
  struct Case {
    const char* name;
    bool chooseFirst;  // join at the first vertex of A (else the last)
    bool bReversed;    // B's meeting end is its last vertex
    TPointList want;
  };
  const TPointList aReversed{a[1], a[0]};
  const Case cases[] = {
      {"A's last meets B's first", false, false, {a[0], b[0], b[1], b[2]}},
      {"A's last meets B's last", false, true, {a[0], b[0], b[1], b[2]}},
      {"A's first meets B's first", true, false, {b[2], b[1], b[0], a[0]}},
      {"A's first meets B's last", true, true, {b[2], b[1], b[0], a[0]}},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    L().clear();
    TObjekt& ta = Track({});
    ta.Points = k.chooseFirst ? aReversed : a;
    TObjekt& tb = Track({});
    tb.Points = b;
    if (k.bReversed) std::reverse(tb.Points.begin(), tb.Points.end());
    const TEditResult r = JoinTracks(p, ta, k.chooseFirst ? 0 : 1, {});
    ASSERT_TRUE(r.Done());
    EXPECT_EQ(r.Message, kTracksJoined);
    ASSERT_EQ(L().size(), 1u);
    EXPECT_EQ(L()[0].get(), &ta);
    EXPECT_EQ(ta.Points, k.want);
  }
}

TEST_F(NodeTest, JoinTracksWithSharedEndPointsIsTidied) {
  Track({Pt(0, 0), Pt(10000, 0)});
  Track({Pt(10000, 0), Pt(20000, 0), Pt(20000, -10000)});
  EXPECT_ONE_UNDO_STEP(JoinTracks(p, *L()[0], 1, {}));
  JoinTracks(p, *L()[0], 1, {});
  // No doubled vertex; the straight run through (10000, 0) collapses.
  EXPECT_EQ(L()[0]->Points, (TPointList{Pt(0, 0), Pt(20000, 0), Pt(20000, -10000)}));
}

TEST_F(NodeTest, JoinTracksNeedsANearEndOnTheSameLayer) {
  TObjekt& t = Track({Pt(0, 0), Pt(10000, 0)});
  Track({Pt(12500, 0), Pt(30000, 0)});                          // 0.25 mm away
  Track({Pt(10000, 0), Pt(10000, -30000)}, kLayerC2);           // other layer
  Track({Pt(10000, -1000), Pt(10000, -20000), Pt(0, -20000)});  // starts 0.1 mm away
  Track({Pt(11000, 0), Pt(11000, 20000)});                      // near too, but later in the list
  TEditResult r;
  EXPECT_NO_UNDO_STEP(r = JoinTracks(p, t, 0, {}));
  EXPECT_EQ(r.Status, TEditStatus::Failed);
  EXPECT_EQ(r.Message, kNoAdjacentTrack);

  r = JoinTracks(p, t, 1, {});
  ASSERT_TRUE(r.Done());
  EXPECT_EQ(t.Points, (TPointList{Pt(0, 0), Pt(10000, -1000), Pt(10000, -20000), Pt(0, -20000)}));
  EXPECT_EQ(L().size(), 4u);
}

TEST_F(NodeTest, CommandsRefuseForeignElementsAndBadNodes) {
  Track({Pt(0, 0), Pt(10000, 0)});
  auto stranger = NewObjekt();
  InitTrack(*stranger, 1000, kLayerC1);
  AddPoint(*stranger, Pt(0, 0));
  AddPoint(*stranger, Pt(1000, 0));
  TObjekt& pad = Pad(0, -5000);
  for (TEditResult r : {RemoveNode(p, *stranger, 0), AddNode(p, *L()[0], 2), SnapNodeToGrid(p, pad, 0),
                        SplitTrack(p, *L()[0], 5), JoinTracks(p, *stranger, 0, {})}) {
    EXPECT_EQ(r.Status, TEditStatus::Failed);
    EXPECT_FALSE(r.Message.empty());
  }
  EXPECT_EQ(UndoDepth(), 0u);
}

}  // namespace
}  // namespace bs::edit_test
