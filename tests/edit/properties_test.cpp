#include "edit/properties.h"

#include "edit_fixture.h"
#include "model/geometry.h"

namespace bs::edit_test {
namespace {

struct PropertiesTest : EditTest {
  // A THT pad with the given drill and outer diameters (units).
  TObjekt& ThtPad(float x, float y, float drill, float outer, uint8_t layer = kLayerC1, uint8_t shape = kShapeRound) {
    auto e = NewObjekt();
    InitThtPad(*e, {x, y}, layer, shape, drill / 2, outer / 2);
    return Add(std::move(e));
  }
  TSelectionLists Lists() { return BuildSelectionLists(L()); }
};

// ---- thermal spoke masks ----

TEST(SpokeMasks, RotateBothWays) {
  struct TCase {
    uint8_t mask;
    int n;
    uint8_t left;
  };
  const TCase cases[] = {
      {0x01, 0, 0x01}, {0x01, 2, 0x04}, {0x80, 1, 0x01},  // bit 7 wraps to bit 0
      {0x55, 1, 0xAA}, {0x41, 2, 0x05}, {0xC3, 7, 0xE1}, {0xFF, 5, 0xFF}, {0x00, 3, 0x00},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(RotateMaskLeft(c.mask, c.n), c.left) << int(c.mask) << " " << c.n;
    EXPECT_EQ(RotateMaskRight(c.left, c.n), c.mask) << int(c.mask) << " " << c.n;
  }
  EXPECT_EQ(RotateMaskRight(0x01, 1), 0x80);  // bit 0 wraps to bit 7
}

TEST_F(PropertiesTest, SpokeStepsFollowThePadRotation) {
  struct TCase {
    double rotate;  // clockwise degrees
    int steps;
  };
  const TCase cases[] = {{0, 0}, {45, 1}, {90, 2}, {100, 2}, {270, 6}, {350, 0}};
  for (const TCase& c : cases) {
    TObjekt& pad = ThtPad(0, 0, 8000, 18000, kLayerC1, kShapeRectH);
    RotateObjekt(pad, {0, 0}, c.rotate);
    EXPECT_EQ(SpokeSteps(pad), c.steps) << c.rotate;
    TObjekt& smd = Smd(0, 0);
    RotateObjekt(smd, {0, 0}, c.rotate);
    EXPECT_EQ(SpokeSteps(smd), c.steps) << c.rotate;
  }
}

// A pad turned by 90 degrees: its own "up" spoke points right on screen.
TEST_F(PropertiesTest, RotatedPadShowsAndStoresScreenDirections) {
  TObjekt& pad = ThtPad(0, 0, 8000, 18000, kLayerC2);
  RotateObjekt(pad, {0, 0}, 90);
  pad.Thermal = 1;
  pad.ThermalSpokes = 0x01010101;
  EXPECT_EQ(ShownSpokes(pad, kLayerC1), 0x04);  // button 3: right
  StoreSpokes(pad, 0x05, kLayerC1);             // button 1 switched on as well
  EXPECT_EQ(pad.ThermalSpokes, 0x41414141u);
}

TEST_F(PropertiesTest, IndividualViaMasksBelongToTheActiveLayer) {
  TObjekt& via = ThtPad(0, 0, 8000, 18000, kLayerC1);
  via.Via = 1;
  via.ThermalIndividual = 1;
  via.ThermalSpokes = 0x44332211;  // C1 0x11, C2 0x22, I1 0x33, I2 0x44
  EXPECT_EQ(ShownSpokes(via, kLayerC2), 0x22);
  EXPECT_EQ(ShownSpokes(via, kLayerI2), 0x44);
  EXPECT_EQ(ShownSpokes(via, kLayerS1), 0x00);  // no mask on silkscreen
  StoreSpokes(via, 0x0F, kLayerC2);
  EXPECT_EQ(via.ThermalSpokes, 0x44330F11u);
  StoreSpokes(via, 0xF0, kLayerS1);  // not a copper layer: nothing stored
  EXPECT_EQ(via.ThermalSpokes, 0x44330F11u);
  via.ThermalIndividual = 0;                    // "All layer equal"
  EXPECT_EQ(ShownSpokes(via, kLayerC2), 0x11);  // the pad's own layer
  StoreSpokes(via, 0x81, kLayerC2);
  EXPECT_EQ(via.ThermalSpokes, 0x81818181u);

  TObjekt& smd = Smd(0, 0, kLayerC2);
  smd.ThermalSpokes = 0x55555555;  // stray upper bytes
  EXPECT_EQ(ShownSpokes(smd, kLayerC1), 0x55);
  StoreSpokes(smd, 0x03, kLayerC1);
  EXPECT_EQ(smd.ThermalSpokes, 0x03u);
}

TEST_F(PropertiesTest, ApparentShapeOfUprightElongatedPads) {
  struct TCase {
    uint8_t shape;
    double rotate;
    uint8_t apparent;
  };
  const TCase cases[] = {
      {kShapeRoundedH, 0, kShapeRoundedH},   {kShapeRoundedH, 90, kShapeRoundedV},  {kShapeRectV, 45, kShapeRectH},
      {kShapeOctagonH, 270, kShapeOctagonV}, {kShapeOctagonH, 180, kShapeOctagonH}, {kShapeSquare, 90, kShapeSquare},
      {kShapeRectH, 30, kShapeRectH},
  };
  for (const TCase& c : cases) {
    TObjekt& pad = ThtPad(0, 0, 8000, 18000, kLayerC1, c.shape);
    RotateObjekt(pad, {0, 0}, c.rotate);
    EXPECT_EQ(ApparentPadShape(pad), c.apparent) << int(c.shape) << " " << c.rotate;
  }
}

// ---- selection lists ----

TEST_F(PropertiesTest, SelectionListsInPageOrderWithoutHiddenLabels) {
  TObjekt& zone = Zone({{0, 0}, {10000, 0}, {10000, -10000}});
  TObjekt& track = Track({{0, 0}, {10000, 0}});
  TObjekt& pad1 = Pad(0, 0);
  TObjekt& text = Text(0, 0, "A");
  TObjekt& hidden = Label(0, 0, "R1", 1, 1);
  hidden.LabelVisible = 0;
  TObjekt& shown = Label(0, 0, "10k", 1, 2);
  TObjekt& pad2 = Pad(10000, 0);
  Pad(20000, 0);  // not selected
  for (TObjekt* e : {&zone, &track, &pad1, &text, &hidden, &shown, &pad2}) e->Selected = 1;

  const TSelectionLists lists = Lists();
  EXPECT_EQ(lists[kListTht], (TRefList{&pad1, &pad2}));
  EXPECT_EQ(lists[kListText], (TRefList{&text, &shown}));
  EXPECT_EQ(lists[kListTrack], (TRefList{&track}));
  EXPECT_EQ(lists[kListZone], (TRefList{&zone}));
  const auto lines = KindLines(lists);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0].List, kListTht);
  EXPECT_EQ(lines[0].Count, 2u);
  EXPECT_EQ(lines[1].List, kListText);
  EXPECT_EQ(lines[2].List, kListTrack);
  EXPECT_EQ(lines[3].List, kListZone);
  EXPECT_TRUE(KindLines(BuildSelectionLists({})).empty());
}

// ---- THT pads ----

TEST_F(PropertiesTest, MixedDrillsAndAnOuterDiameterForAll) {
  TObjekt& a = ThtPad(0, 0, 6000, 18000);
  TObjekt& b = ThtPad(30000, 0, 8000, 18000);
  TObjekt& c = ThtPad(60000, 0, 10000, 18000);
  const TRefList pads{&a, &b, &c};
  TThtProps v = ReadThtPage(pads, B().Platine);
  EXPECT_FALSE(v.Single);
  EXPECT_FALSE(v.Drill);
  ASSERT_TRUE(v.Outer);
  EXPECT_EQ(*v.Outer, 18000);
  EXPECT_EQ(v.Shape, kShapeRound);
  EXPECT_EQ(v.Via, false);
  EXPECT_FALSE(v.Group.Shown);  // several pads

  v.Outer = 25000;
  int touched = 0;
  EXPECT_ONE_UNDO_STEP({
    RecordUndo(p);
    ApplyThtPage(v, pads, B().Platine, [&](const TObjekt&) { ++touched; });
    EXPECT_EQ(a.SizeA, 12500);
    EXPECT_EQ(b.SizeA, 12500);
    EXPECT_EQ(c.SizeA, 12500);
    EXPECT_EQ(a.SizeB, 3000);
    EXPECT_EQ(b.SizeB, 4000);
    EXPECT_EQ(c.SizeB, 5000);
    EXPECT_EQ(a.Points, ThtOutline(kShapeRound, a.Pos, 12500, 0));  // the outline follows
    EXPECT_EQ(b.Pos, Pt(30000, 0));                                 // positions of several pads stay
  });
  EXPECT_EQ(touched, 6);  // before and after each pad
}

TEST_F(PropertiesTest, OuterDiameterIsRaisedToTheDrill) {
  TObjekt& a = ThtPad(0, 0, 8000, 18000);
  TThtProps v = ReadThtPage({&a}, B().Platine);
  v.Outer = 5000;
  EXPECT_TRUE(RaiseOuterToDrill(v));
  EXPECT_EQ(*v.Outer, 8000);
  EXPECT_FALSE(RaiseOuterToDrill(v));
  v.Drill.reset();  // a mixed drill gives nothing to compare with
  v.Outer = 5000;
  EXPECT_FALSE(RaiseOuterToDrill(v));
}

TEST_F(PropertiesTest, SinglePadPositionAndThermalRules) {
  B().Platine.OriginX = 1000;
  B().Platine.OriginY = -2000;
  TObjekt& pad = ThtPad(11000, -12000, 8000, 18000, kLayerC1, kShapeRectH);
  RotateObjekt(pad, {11000, -12000}, 90);
  pad.Clearance = 400;
  TThtProps v = ReadThtPage({&pad}, B().Platine);
  ASSERT_TRUE(v.Single);
  EXPECT_EQ(v.Centre.X, 10000);
  EXPECT_EQ(v.Centre.Y, -10000);
  EXPECT_EQ(v.Shape, kShapeRectV);

  v.Centre = {20000.4, -5000.6};  // written as round(value + zero point)
  v.Thermal = true;
  ApplyThtPage(v, {&pad}, B().Platine, {});
  EXPECT_EQ(pad.Pos, Pt(21000, -7001));
  EXPECT_EQ(pad.Clearance, 1000);
  EXPECT_EQ(pad.Thermal, 1);
  EXPECT_EQ(PadRotation(pad), 90);  // the outline keeps its rotation at the new place
  EXPECT_EQ(Centre(pad).X, 21000);

  // A single thermal pad on copper shows its group, which writes the width
  // and the spokes.
  v = ReadThtPage({&pad}, B().Platine);
  ASSERT_TRUE(v.Group.Shown);
  v.Group.Width = 150;
  v.Group.Spokes = 0x01;  // up on screen: the pad's "left" (bit 6) when turned by 90
  ApplyThtPage(v, {&pad}, B().Platine, {});
  EXPECT_EQ(pad.ThermalWidth, 150);
  EXPECT_EQ(pad.ThermalSpokes, 0x40404040u);
}

TEST_F(PropertiesTest, ViaAndThermalOnlyOnCopper) {
  TObjekt& copper = ThtPad(0, 0, 8000, 18000, kLayerC1);
  TObjekt& silk = ThtPad(30000, 0, 8000, 18000, kLayerS1);
  TThtProps v = ReadThtPage({&copper, &silk}, B().Platine);
  EXPECT_TRUE(v.AnyOnCopper);
  v.Via = true;
  v.Thermal = true;
  ApplyThtPage(v, {&copper, &silk}, B().Platine, {});
  EXPECT_EQ(copper.Via, 1);
  EXPECT_EQ(copper.Thermal, 1);
  EXPECT_EQ(silk.Via, 0);
  EXPECT_EQ(silk.Thermal, 0);
  EXPECT_EQ(silk.Clearance, kDefaultClearance);
  EXPECT_FALSE(ReadThtPage({&silk}, B().Platine).AnyOnCopper);
}

// ---- SMD pads ----

TEST_F(PropertiesTest, SmdEmptySizeKeepsThatSide) {
  TObjekt& a = Smd(0, 0);  // 10000 x 20000
  TObjekt& b = Smd(50000, 0);
  ResizeSmdPad(b, 12000, std::nullopt);
  RotateObjekt(a, {0, 0}, 90);
  TSmdProps v = ReadSmdPage({&a, &b}, B().Platine);
  EXPECT_FALSE(v.SizeX);  // 10000 and 12000
  ASSERT_TRUE(v.SizeY);
  EXPECT_EQ(*v.SizeY, 20000);

  v.SizeY = 30000;
  ApplySmdPage(v, {&a, &b}, B().Platine, {});
  EXPECT_NEAR(Distance(TDPoint{a.Points[0].X, a.Points[0].Y}, TDPoint{a.Points[1].X, a.Points[1].Y}), 10000, 0.5);
  EXPECT_NEAR(Distance(TDPoint{b.Points[0].X, b.Points[0].Y}, TDPoint{b.Points[1].X, b.Points[1].Y}), 12000, 0.5);
  EXPECT_EQ(a.SizeB, 30000);
  EXPECT_EQ(b.SizeB, 30000);
  EXPECT_NEAR(PadRotation(a), 90, 1e-6);  // still turned
  EXPECT_NEAR(Centre(a).X, 0, 0.5);       // several pads keep their places

  TSmdProps one = ReadSmdPage({&b}, B().Platine);
  one.Centre = {60000, -10000};
  one.Thermal = true;
  one.Group.Shown = true;  // as the panel shows it once Thermal is on
  one.Group.Spokes = 0x11;
  b.ThermalSpokes = 0x55555555;
  ApplySmdPage(one, {&b}, B().Platine, {});
  EXPECT_NEAR(Centre(b).X, 60000, 0.5);
  EXPECT_NEAR(Centre(b).Y, -10000, 0.5);
  EXPECT_EQ(b.ThermalSpokes, 0x11u);
  EXPECT_EQ(b.Clearance, kDefaultClearance);  // already above 1000
}

// ---- cut-outs, tracks, zones, circles ----

TEST_F(PropertiesTest, CutoutOnlyOnCopperLayers) {
  TObjekt& c1 = Track({{0, 0}, {10000, 0}}, kLayerC1);
  TObjekt& i2 = Track({{0, 0}, {10000, 0}}, kLayerI2);
  TObjekt& s1 = Track({{0, 0}, {10000, 0}}, kLayerS1);
  s1.Cutout = 1;  // left over from an older file
  TTrackProps v = ReadTrackPage({&c1, &i2, &s1});
  EXPECT_FALSE(v.Cutout);
  v.Cutout = true;
  ApplyTrackPage(v, {&c1, &i2, &s1}, {});
  EXPECT_EQ(c1.Cutout, 1);
  EXPECT_EQ(i2.Cutout, 1);
  EXPECT_EQ(s1.Cutout, 0);

  TObjekt& zone = Zone({{0, 0}, {10000, 0}, {10000, -10000}}, kLayerO);
  TZoneProps z = ReadZonePage({&zone});
  z.Cutout = true;
  ApplyZonePage(z, {&zone}, {});
  EXPECT_EQ(zone.Cutout, 0);
}

TEST_F(PropertiesTest, TrackEndsAndWidth) {
  TObjekt& a = Track({{0, 0}, {10000, 0}});
  TObjekt& b = Track({{0, 0}, {10000, 0}});
  b.TrackEnds = 2;
  TTrackProps v = ReadTrackPage({&a, &b});
  EXPECT_EQ(v.FlatStart, false);
  EXPECT_FALSE(v.FlatEnd);  // mixed: left alone
  EXPECT_EQ(v.Width, 2000);
  v.FlatStart = true;
  v.Width = 12345.6;
  ApplyTrackPage(v, {&a, &b}, {});
  EXPECT_EQ(a.TrackEnds, 1);
  EXPECT_EQ(b.TrackEnds, 3);
  EXPECT_EQ(a.Width, 12346);
  EXPECT_DOUBLE_EQ(TrackLength(Track({{0, 0}, {30000, 0}, {30000, 40000}})), 70000);
}

TEST_F(PropertiesTest, HatchWidthIsCappedByOwnWidthZones) {
  TObjekt& own = Zone({{0, 0}, {10000, 0}, {10000, -10000}});
  own.Width = 3000;
  own.Hatch = 1;
  own.HatchAuto = 0;
  TObjekt& follows = Zone({{0, 0}, {10000, 0}, {10000, -10000}});
  follows.Width = 1000;
  follows.Hatch = 1;  // HatchAuto 1: not a limit
  TZoneProps v = ReadZonePage({&own, &follows});
  EXPECT_FALSE(v.HatchAuto);
  v.HatchWidth = 10000;
  EXPECT_TRUE(CapHatchWidth(v, {&own, &follows}));
  EXPECT_EQ(*v.HatchWidth, 6000);
  ApplyZonePage(v, {&own, &follows}, {});
  EXPECT_EQ(own.HatchWidth, 6000);
  EXPECT_EQ(follows.HatchWidth, 6000);
  EXPECT_EQ(own.HatchAuto, 0);  // mixed: unchanged
  EXPECT_EQ(follows.HatchAuto, 1);
  v.HatchWidth = 5000;
  EXPECT_FALSE(CapHatchWidth(v, {&own}));
}

TEST_F(PropertiesTest, CircleRadiiFromWidthAndDiameter) {
  TObjekt& c = Circle(0, 0, 11000);  // inner 9000
  TObjekt& d = Circle(50000, 0, 21000);
  TCircleProps v = ReadCirclePage({&c}, B().Platine);
  EXPECT_EQ(*v.Width, 2000);
  EXPECT_EQ(*v.Diameter, 20000);
  v.Diameter = 30000;
  ApplyCirclePage(v, {&c}, B().Platine, {});
  EXPECT_EQ(c.SizeA, 16000);
  EXPECT_EQ(c.SizeB, 14000);

  // Two circles of different diameters: a new width keeps each diameter.
  TCircleProps two = ReadCirclePage({&c, &d}, B().Platine);
  EXPECT_FALSE(two.Diameter);
  two.Width = 4000;
  two.Start = 90.5;
  ApplyCirclePage(two, {&c, &d}, B().Platine, {});
  EXPECT_EQ(c.SizeA, 17000);
  EXPECT_EQ(c.SizeB, 13000);
  EXPECT_EQ(d.SizeA, 22000);
  EXPECT_EQ(d.SizeB, 18000);
  EXPECT_EQ(d.StartAngle, 90500);
  EXPECT_EQ(d.Pos, Pt(50000, 0));
}

// ---- texts ----

TEST_F(PropertiesTest, TextHeightLimitAndStrokes) {
  TObjekt& t = Text(10000, -10000, "AB");
  t.SizeA = 20000;
  TTextProps v = ReadTextPage({&t});
  v.Thickness = 0;  // "Thin"
  EXPECT_TRUE(LimitPageTextHeight(v, {&t}));
  EXPECT_EQ(*v.Height, 25000);
  v.Thickness.reset();  // none chosen: the texts' own smallest thickness (1)
  v.Height = 12000;
  EXPECT_TRUE(LimitPageTextHeight(v, {&t}));
  EXPECT_EQ(*v.Height, 15000);

  t.Selected = 1;
  SetSelected(t, true);
  const int32_t before = ThinnestStroke({&t});
  v.Height = 30000;
  v.Text = "ABC";
  EXPECT_FALSE(ApplyTextPage(v, {&t}, {}));
  EXPECT_EQ(t.SizeA, 30000);
  EXPECT_GT(ThinnestStroke({&t}), before);
  ASSERT_FALSE(t.SubElements.empty());
  for (const auto& s : t.SubElements) EXPECT_EQ(s->Selected, 1);

  TObjekt& label = Label(0, 0, "R1", 1, 1);
  EXPECT_TRUE(ApplyTextPage(ReadTextPage({&label}), {&label}, {}));
}

TEST_F(PropertiesTest, TextMixedValues) {
  TObjekt& a = Text(0, 0, "A");
  TObjekt& b = Text(0, 0, "B", kLayerS1, 90);
  const TTextProps v = ReadTextPage({&a, &b});
  EXPECT_FALSE(v.Text);
  EXPECT_FALSE(v.Rotation);
  EXPECT_EQ(v.Style, 1);
  EXPECT_EQ(v.MirrorH, false);
  ApplyTextPage(v, {&a, &b}, {});
  EXPECT_EQ(a.Text, "A");
  EXPECT_EQ(b.Text, "B");
  EXPECT_EQ(b.Rotation, 90);
}

// ---- derived lines ----

TEST(PropertyLines, NumbersCurrentAreaAndSpokes) {
  struct TNumber {
    double v;
    int digits;
    const char* text;
  };
  const TNumber numbers[] = {
      {2.5134, 3, "2.51"},     {2.5, 3, "2.5"}, {160, 4, "160"},   {3481.7, 3, "3480"}, {9.996, 3, "10"},
      {0.012345, 3, "0.0123"}, {0, 3, "0"},     {24.8, 4, "24.8"}, {0.6, 10, "0.6"},
  };
  for (const TNumber& n : numbers) EXPECT_EQ(GeneralNumber(n.v, n.digits), n.text) << n.v;

  // 0.8 mm at 35 um and 20 degrees: 3.675 x sqrt(0.035 x 0.8 x 0.835 x 20).
  EXPECT_NEAR(CurrentCapacity(8000, 35, 20), 2.513, 1e-3);
  EXPECT_EQ(CurrentCapacityText(CurrentCapacity(8000, 35, 20)), "2.51 A");
  EXPECT_EQ(CurrentSettingsText(35, 20), " * (35µ / 20°)");
  EXPECT_EQ(CurrentCapacity(0, 35, 20), 0);

  EXPECT_EQ(BoardAreaText(1600000, 1000000, TDisplayUnit::Mm), "160 cm²");
  EXPECT_EQ(BoardAreaText(1600000, 1000000, TDisplayUnit::Mil), "24.8 in²");
  EXPECT_EQ(BoardAreaText(12345, 10000, TDisplayUnit::Mm), "0.012 cm²");

  TObjekt pad;
  InitThtPad(pad, {0, 0}, kLayerC1, kShapeRound, 4000, 9000);
  EXPECT_DOUBLE_EQ(SpokeWidthMm(pad, 100), 0.6);
  EXPECT_DOUBLE_EQ(SpokeWidthMm(pad, 150), 0.9);
  TObjekt smd;
  InitSmdPad(smd, {0, 0}, 9000, kLayerC1, 18000);
  EXPECT_DOUBLE_EQ(SpokeWidthMm(smd, 100), 0.3);
  EXPECT_EQ(SpokeWidthText(0.6, TDisplayUnit::Mm, " mm"), "0.6 mm");
  EXPECT_EQ(SpokeWidthText(0.6, TDisplayUnit::Mil, " mm"), "23.6 mil");
}

}  // namespace
}  // namespace bs::edit_test
