#include "edit/transform_ops.h"

#include <gtest/gtest.h>

#include "edit_fixture.h"
#include "model/geometry.h"

namespace bs::edit_test {
namespace {

using TransformTest = EditTest;

void ExpectNear(TFPoint got, TFPoint want) {
  EXPECT_NEAR(got.X, want.X, 0.5) << "x";
  EXPECT_NEAR(got.Y, want.Y, 0.5) << "y";
}

TEST_F(TransformTest, RotateTurnsClockwiseAboutTheSelectionCentreAndShiftReverses) {
  struct Case {
    double tenths;
    bool shift;
    TFPoint first, last;
  };
  // A horizontal track centred on (20000, -10000).
  for (const Case& k :
       {Case{900, false, Pt(20000, 0), Pt(20000, -20000)}, Case{900, true, Pt(20000, -20000), Pt(20000, 0)},
        Case{1800, false, Pt(30000, -10000), Pt(10000, -10000)}}) {
    SCOPED_TRACE(k.tenths + (k.shift ? 1 : 0));
    L().clear();
    TObjekt& t = Track({Pt(10000, -10000), Pt(30000, -10000)});
    SelectOnly({&t});
    ASSERT_TRUE(RotateSelection(p, k.tenths, k.shift, {}).Done());
    ExpectNear(t.Points.front(), k.first);
    ExpectNear(t.Points.back(), k.last);
  }
}

TEST_F(TransformTest, RotateRecordsOneStepAndNothingWithoutSelectionOrAngle) {
  TObjekt& pad = Pad(10000, -10000);
  EXPECT_NO_UNDO_STEP(RotateSelection(p, 900, false, {}));
  SelectOnly({&pad});
  EXPECT_NO_UNDO_STEP(RotateSelection(p, 0, false, {}));
  Pad(30000, -10000).Selected = 1;
  EXPECT_ONE_UNDO_STEP(RotateSelection(p, 450, false, {}));
}

TEST_F(TransformTest, PivotLeavesThermalSpokesOut) {
  // Spokes reach out of the pad on one side only: they must not shift the pivot.
  TObjekt& a = Pad(10000, -10000);
  TObjekt& b = Pad(30000, -10000);
  a.Thermal = 1;
  a.ThermalSpokes = 0x40404040;  // one spoke, to the left
  B().Platine.GroundPlane[kLayerC1] = 1;
  B().Platine.ActiveLayer = kLayerC1;
  SelectOnly({&a, &b});
  RotateSelection(p, 1800, false, {});
  ExpectNear(a.Pos, Pt(30000, -10000));
  ExpectNear(b.Pos, Pt(10000, -10000));
}

struct ComponentFixture : EditTest {
  // Component 4: two pads on C1 and the labels on S1 (a top component).
  TObjekt* pad1 = nullptr;
  TObjekt* pad2 = nullptr;
  TObjekt* id = nullptr;
  TObjekt* value = nullptr;
  void SetUp() override {
    EditTest::SetUp();
    pad1 = &Pad(20000, -20000);
    pad2 = &Pad(40000, -20000);
    id = &Label(20000, -40000, "R1", 4, 1);
    value = &Label(20000, -60000, "10k", 4, 2);
    value->Rotation = 90;
    BuildTextStrokes(*value, false);
    for (TObjekt* e : {pad1, pad2}) e->ComponentNo = 4;
    TPlaceData& pd = EnsurePlace(*id);
    pd.PlaceOffsetX = 1000;
    pd.PlaceRotation = 0;
  }
};

TEST_F(ComponentFixture, RotatedLabelsStayReadableWhenAsked) {
  for (bool readable : {true, false}) {
    SCOPED_TRACE(readable);
    SetUp();
    SelectOnly({pad1, pad2, id, value});
    TEditOptions opt;
    opt.ReadableLabels = readable;
    RotateSelection(p, 900, false, opt);
    // 90 + 90 = 180 reads upside down and flips to 0; 0 + 90 = 90 flips to 270.
    EXPECT_EQ(value->Rotation, readable ? 0 : 180);
    EXPECT_EQ(id->Rotation, readable ? 270 : 90);
    EXPECT_FALSE(value->SubElements.empty());
  }
}

TEST_F(ComponentFixture, PlacementTurnsOnlyWithTheWholeComponent) {
  SelectOnly({pad1, id, value});  // pad2 left out
  RotateSelection(p, 900, false, {});
  EXPECT_EQ(id->Place->PlaceRotation, 0);
  EXPECT_EQ(id->Place->PlaceOffsetX, 1000);

  SelectOnly({pad1, pad2, id, value});
  RotateSelection(p, 900, false, {});
  // Top side: the placement rotation goes down by the angle; the offset turns
  // clockwise with the parts (right becomes down, and y counts downwards).
  EXPECT_DOUBLE_EQ(id->Place->PlaceRotation, 270);
  EXPECT_NEAR(id->Place->PlaceOffsetX, 0, 1e-3);
  EXPECT_NEAR(id->Place->PlaceOffsetY, 1000, 1e-3);

  // On the bottom side the placement rotation goes up.
  for (TObjekt* e : {id, value}) SetObjektLayer(*e, kLayerS2);
  RotateSelection(p, 900, false, {});
  EXPECT_DOUBLE_EQ(id->Place->PlaceRotation, 0);
}

TEST_F(ComponentFixture, MirrorAndSideChangeWarnAboutComponents) {
  for (int side = 0; side < 2; ++side) {
    SCOPED_TRACE(side);
    SelectOnly({L()[0].get(), L()[1].get(), L()[2].get(), L()[3].get()});
    auto run = [&](bool confirmed) {
      return side == 0 ? MirrorSelection(p, TMirror::Horizontal, confirmed, {}) : ChangeBoardSide(p, confirmed);
    };
    TEditResult r;
    EXPECT_NO_UNDO_STEP(r = run(false));
    EXPECT_EQ(r.Status, TEditStatus::NeedsConfirmation);
    EXPECT_EQ(r.Message, kComponentSideWarning);
    SelectOnly({L()[0].get(), L()[1].get(), L()[2].get(), L()[3].get()});
    EXPECT_ONE_UNDO_STEP(r = run(true));
    EXPECT_TRUE(r.ComponentsChanged);
  }
}

TEST_F(TransformTest, MirrorAboutTheSelectionCentre) {
  TObjekt& a = Pad(10000, -10000);
  TObjekt& b = Pad(30000, -20000);
  TObjekt& t = Text(20000, -40000, "A");
  SelectOnly({&a, &b});
  MirrorSelection(p, TMirror::Horizontal, false, {});
  EXPECT_EQ(a.Pos, Pt(30000, -10000));
  EXPECT_EQ(b.Pos, Pt(10000, -20000));
  MirrorSelection(p, TMirror::Vertical, false, {});
  EXPECT_EQ(a.Pos, Pt(30000, -20000));
  EXPECT_EQ(b.Pos, Pt(10000, -10000));
  SelectOnly({&t});
  MirrorSelection(p, TMirror::Vertical, false, {});
  EXPECT_TRUE(t.MirrorV);
  EXPECT_FALSE(t.MirrorH);
}

TEST_F(TransformTest, TrackVerticesFollowPadsByTheFollowLevel) {
  TObjekt& pad = Pad(20000, -20000);
  TObjekt& nearTrack = Track({Pt(24000, -20000), Pt(60000, -20000)});  // 0.4 mm from the pad
  TObjekt& farTrack = Track({Pt(20000, -26000), Pt(20000, -60000)});   // 0.6 mm
  TObjekt& otherLayer = Track({Pt(23000, -20000), Pt(60000, -30000)}, kLayerC2);
  struct Case {
    int level;
    TFPoint nearEnd, farEnd;
  };
  for (const Case& k : {Case{0, Pt(24000, -20000), Pt(20000, -26000)}, Case{1, Pt(20000, -24000), Pt(20000, -26000)},
                        Case{2, Pt(20000, -24000), Pt(14000, -20000)}}) {
    SCOPED_TRACE(k.level);
    nearTrack.Points[0] = Pt(24000, -20000);
    farTrack.Points[0] = Pt(20000, -26000);
    SelectOnly({&pad});
    TEditOptions opt;
    opt.FollowLevel = k.level;
    RotateSelection(p, 900, false, opt);
    ExpectNear(nearTrack.Points[0], k.nearEnd);
    ExpectNear(farTrack.Points[0], k.farEnd);
    EXPECT_EQ(nearTrack.Points[1], Pt(60000, -20000));
    EXPECT_EQ(otherLayer.Points[0], Pt(23000, -20000));
  }
  // Mirroring takes them along too.
  nearTrack.Points[0] = Pt(24000, -20000);
  SelectOnly({&pad});
  TEditOptions opt;
  opt.FollowLevel = 1;
  MirrorSelection(p, TMirror::Horizontal, false, opt);
  ExpectNear(nearTrack.Points[0], Pt(16000, -20000));
}

TEST_F(TransformTest, ChangeBoardSideSwapsOuterLayersOnly) {
  TObjekt& c1 = Pad(10000, -10000, kLayerC1);
  TObjekt& s2 = Text(10000, -30000, "B", kLayerS2);
  TObjekt& i1 = Track({Pt(0, -5000), Pt(10000, -5000)}, kLayerI1);
  TObjekt& o = Track({Pt(0, -6000), Pt(10000, -6000)}, kLayerO);
  SelectOnly({&i1, &o});
  EXPECT_NO_UNDO_STEP(ChangeBoardSide(p, false));
  SelectOnly({&c1, &s2, &i1, &o});
  EXPECT_TRUE(ChangeBoardSide(p, false).Done());
  EXPECT_EQ(c1.Layer, kLayerC2);
  EXPECT_EQ(c1.Pos, Pt(10000, -10000));  // not mirrored
  EXPECT_EQ(s2.Layer, kLayerS1);
  EXPECT_EQ(s2.SubElements.front()->Layer, kLayerS1);
  EXPECT_EQ(i1.Layer, kLayerI1);
  EXPECT_EQ(o.Layer, kLayerO);
}

TEST_F(TransformTest, SetToLayerClearsCopperOnlyFlags) {
  TObjekt& via = Pad(10000, -10000);
  via.Via = 1;
  via.Thermal = 1;
  TObjekt& cut = Zone({Pt(0, 0), Pt(10000, 0), Pt(10000, -10000)});
  cut.Cutout = 1;
  TObjekt& hatched = Zone({Pt(0, -20000), Pt(10000, -20000), Pt(10000, -30000)});
  hatched.Hatch = 1;
  TObjekt& text = Text(10000, -40000, "C", kLayerS1);

  SelectOnly({&via, &cut, &hatched, &text});
  ASSERT_TRUE(SetSelectionLayer(p, kLayerC2).Done());
  EXPECT_TRUE(via.Via && via.Thermal && cut.Cutout);  // copper keeps them
  EXPECT_EQ(text.SubElements.front()->Layer, kLayerC2);

  EXPECT_ONE_UNDO_STEP(SetSelectionLayer(p, kLayerS1));
  SelectOnly({L()[0].get(), L()[1].get(), L()[2].get(), L()[3].get()});
  SetSelectionLayer(p, kLayerS1);
  const TObjekt& v = *L()[0];
  EXPECT_EQ(v.Layer, kLayerS1);
  EXPECT_FALSE(v.Via || v.Thermal);
  EXPECT_FALSE(L()[1]->Cutout);
  EXPECT_TRUE(L()[2]->Hatch);  // a zone's hatch shares the pad's thermal slot
  EXPECT_NO_UNDO_STEP(SetSelectionLayer(p, kLayerS1));

  const TEditResult bad = SetSelectionLayer(p, 9);
  EXPECT_EQ(bad.Status, TEditStatus::Failed);
  EXPECT_FALSE(bad.Message.empty());
}

TEST_F(TransformTest, AlignMovesEveryUnitAsAWhole) {
  const TPlatine& pl = B().Platine;
  for (TAlign a :
       {TAlign::Left, TAlign::Right, TAlign::Top, TAlign::Bottom, TAlign::HorizontalCentre, TAlign::VerticalCentre}) {
    SCOPED_TRACE(static_cast<int>(a));
    // Group 5: two pads; group 6: a track and a circle; a loose SMD pad.
    L().clear();
    TObjekt& g1 = Pad(20000, -20000);
    TObjekt& g2 = Pad(30000, -40000);
    for (TObjekt* e : {&g1, &g2}) AddGroupNumber(*e, 5);
    TObjekt& t = Track({Pt(60000, -30000), Pt(80000, -30000)});
    TObjekt& c = Circle(70000, -50000, 5000);
    for (TObjekt* e : {&t, &c}) AddGroupNumber(*e, 6);
    Smd(110000, -70000);
    for (const auto& e : L()) SetSelected(*e, true);

    const TURect r = SelectionBounds(L(), pl);
    const auto units = SelectedUnits(L());
    ASSERT_EQ(units.size(), 3u);
    std::vector<TURect> before;
    for (const TUnit& u : units) before.push_back(*UnitBounds(u, pl));
    ASSERT_TRUE(AlignSelection(p, a).Done());
    for (size_t i = 0; i < units.size(); ++i) {
      const TURect u = *UnitBounds(units[i], pl), b = before[i];
      switch (a) {
        case TAlign::Left: EXPECT_EQ(u.Left, r.Left); break;
        case TAlign::Right: EXPECT_EQ(u.Right, r.Right); break;
        case TAlign::Top: EXPECT_EQ(u.Bottom, r.Bottom); break;
        case TAlign::Bottom: EXPECT_EQ(u.Top, r.Top); break;
        case TAlign::HorizontalCentre: EXPECT_NEAR(u.Left + u.Right, r.Left + r.Right, 1); break;
        case TAlign::VerticalCentre: EXPECT_NEAR(u.Top + u.Bottom, r.Top + r.Bottom, 1); break;
      }
      // Sizes and the other coordinate stay.
      EXPECT_EQ(u.Right - u.Left, b.Right - b.Left);
      EXPECT_EQ(u.Bottom - u.Top, b.Bottom - b.Top);
      const bool horizontal = a == TAlign::Left || a == TAlign::Right || a == TAlign::HorizontalCentre;
      if (horizontal) EXPECT_EQ(u.Top, b.Top);
      else EXPECT_EQ(u.Left, b.Left);
    }
    EXPECT_EQ(g2.Pos.X - g1.Pos.X, 10000);
    EXPECT_EQ(g2.Pos.Y - g1.Pos.Y, -20000);
  }
}

TEST_F(TransformTest, AlignLeftLeavesTheLeftmostUnitAndTakesUnselectedMembersAlong) {
  TObjekt& g1 = Pad(20000, -20000);
  TObjekt& g2 = Pad(30000, -40000);
  for (TObjekt* e : {&g1, &g2}) AddGroupNumber(*e, 5);
  TObjekt& a1 = Pad(60000, -20000);
  TObjekt& a2 = Pad(70000, -30000);
  for (TObjekt* e : {&a1, &a2}) AddGroupNumber(*e, 7);
  SelectOnly({&g1, &g2, &a1});  // a2 only belongs to a1's group
  EXPECT_ONE_UNDO_STEP(AlignSelection(p, TAlign::Left));
  SelectOnly({L()[0].get(), L()[1].get(), L()[2].get()});
  AlignSelection(p, TAlign::Left);
  EXPECT_EQ(L()[0]->Pos, Pt(20000, -20000));
  EXPECT_EQ(L()[1]->Pos, Pt(30000, -40000));
  EXPECT_EQ(L()[2]->Pos, Pt(20000, -20000));
  EXPECT_EQ(L()[3]->Pos, Pt(30000, -30000));
  // Aligned already: nothing to do.
  EXPECT_NO_UNDO_STEP(AlignSelection(p, TAlign::Left));
}

TEST_F(TransformTest, SnapToGridMovesByTheReferencePoint) {
  B().Platine.OriginX = 5000;  // grid lines at x = 5000 + k * 10000
  TObjekt& pad = Pad(15300, -10400);
  TObjekt& track = Track({Pt(24000, -5600), Pt(40000, -5600)});
  TObjekt& circle = Circle(61000, -61000, 5000);
  TObjekt& text = Text(70000, -70000, "T");
  text.Pos = Pt(76000, -70000);
  TObjekt& c1 = Pad(90300, -50300);
  TObjekt& c2 = Pad(80400, -40000);
  for (TObjekt* e : {&c1, &c2}) e->ComponentNo = 3;
  TObjekt& follower = Track({Pt(15000, -12000), Pt(15000, -60000)});
  for (TObjekt* e : {&pad, &track, &circle, &text, &c1, &c2}) SetSelected(*e, true);
  TEditOptions opt;
  opt.FollowLevel = 1;
  ASSERT_TRUE(SnapSelectionToGrid(p, opt).Done());
  EXPECT_EQ(pad.Pos, Pt(15000, -10000));
  EXPECT_EQ(track.Points[0], Pt(25000, -10000));
  EXPECT_EQ(track.Points[1], Pt(41000, -10000));  // moved, not reshaped
  EXPECT_EQ(circle.Pos, Pt(65000, -60000));
  EXPECT_EQ(text.Pos, Pt(75000, -70000));
  // The component moves as one by its reference point, the upper-left pad.
  EXPECT_EQ(c2.Pos, Pt(85000, -40000));
  EXPECT_EQ(c1.Pos, Pt(94900, -50300));
  // A vertex following the pad moves by the pad's step.
  EXPECT_EQ(follower.Points[0], Pt(14700, -11600));
  EXPECT_EQ(follower.Points[1], Pt(15000, -60000));

  EXPECT_NO_UNDO_STEP(SnapSelectionToGrid(p, opt));
}

TEST_F(TransformTest, BuildAndSplitGroups) {
  TObjekt& a = Pad(10000, -10000);
  TObjekt& b = Pad(20000, -10000);
  AddGroupNumber(b, 4);
  TObjekt& c = Pad(30000, -10000);
  AddGroupNumber(c, 4);
  SelectOnly({&b, &c});  // one unit
  EXPECT_NO_UNDO_STEP(BuildGroup(p));
  SelectOnly({&a, &b, &c});
  EXPECT_ONE_UNDO_STEP(BuildGroup(p));
  SelectOnly({L()[0].get(), L()[1].get(), L()[2].get()});
  BuildGroup(p);
  EXPECT_EQ(L()[0]->Groups, (TGroupList{5}));
  EXPECT_EQ(L()[1]->Groups, (TGroupList{4, 5}));

  SplitGroup(p);
  EXPECT_TRUE(L()[0]->Groups.empty());
  EXPECT_EQ(L()[1]->Groups, (TGroupList{4}));
  EXPECT_ONE_UNDO_STEP(SplitGroup(p));
  SelectOnly({L()[0].get()});
  EXPECT_NO_UNDO_STEP(SplitGroup(p));
}

}  // namespace
}  // namespace bs::edit_test
