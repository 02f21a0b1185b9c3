#include "edit/create.h"

#include "edit_fixture.h"

namespace bs::edit_test {
namespace {

struct CreateTest : EditTest {
  TNewSizes sizes;
};

TEST(BendPoint, FiveModes) {
  struct TCase {
    int mode;
    TDPoint from, to;
    std::optional<TDPoint> bend;
  };
  const TCase cases[] = {
      {1, {0, 0}, {10, 4}, TDPoint{6, 0}},  {2, {0, 0}, {10, 4}, TDPoint{4, 4}}, {3, {0, 0}, {10, 4}, TDPoint{0, 4}},
      {4, {0, 0}, {10, 4}, TDPoint{10, 0}}, {5, {0, 0}, {10, 4}, std::nullopt},  {1, {0, 0}, {-10, -4}, TDPoint{-6, 0}},
      {3, {0, 0}, {10, 0}, std::nullopt},  // the bend would be the start point
      {1, {0, 0}, {5, 5}, std::nullopt},   // exactly 45 degrees: the bend is the start
  };
  for (const TCase& c : cases) {
    const auto b = BendPoint(c.from, c.to, c.mode);
    ASSERT_EQ(b.has_value(), c.bend.has_value()) << c.mode;
    if (b) {
      EXPECT_EQ(b->X, c.bend->X) << c.mode;
      EXPECT_EQ(b->Y, c.bend->Y) << c.mode;
    }
  }
}

TEST_F(CreateTest, TrackWithBendsIsTidiedAndKept) {
  const size_t depth = UndoDepth();
  TObjekt& t = StartPolyline(p, {10000, -10000}, sizes, false, false);
  EXPECT_FALSE(AddPolylineVertex(t, {10000, -10000}, 1));  // the last vertex again
  EXPECT_TRUE(AddPolylineVertex(t, {50000, -30000}, 1));   // bend (30000, -10000)
  ASSERT_TRUE(FinishPolyline(p, t, true));
  ASSERT_EQ(t.Points.size(), 3u);
  EXPECT_EQ(t.Points[1], Pt(30000, -10000));
  EXPECT_EQ(t.Width, sizes.TrackWidth);
  EXPECT_EQ(t.Layer, B().Platine.ActiveLayer);
  EXPECT_EQ(UndoDepth(), depth + 1);
}

TEST_F(CreateTest, ASingleClickTrackLeavesNoTrace) {
  Pad(10000, -10000);
  RecordUndo(p);  // an earlier operation
  L().back()->Clearance = 1;
  const auto before = Fingerprint();
  const size_t depth = UndoDepth();
  TObjekt& t = StartPolyline(p, {20000, -20000}, sizes, false, false);
  EXPECT_FALSE(FinishPolyline(p, t, true));
  EXPECT_EQ(Fingerprint(), before);
  EXPECT_EQ(UndoDepth(), depth);
  ASSERT_TRUE(Undo(p));  // undoes the earlier operation, not an empty change
  EXPECT_EQ(L().back()->Clearance, kDefaultClearance);
}

TEST_F(CreateTest, CollinearClicksLoseTheMiddleVertexUnlessAPadHoldsIt) {
  for (bool padInMiddle : {false, true}) {
    L().clear();
    if (padInMiddle) Pad(20000, -10000, B().Platine.ActiveLayer);
    TObjekt& t = StartPolyline(p, {10000, -10000}, sizes, false, false);
    AddPolylineVertex(t, {20000, -10000}, 5);
    AddPolylineVertex(t, {30000, -10000}, 5);
    ASSERT_TRUE(FinishPolyline(p, t, true));
    EXPECT_EQ(t.Points.size(), padInMiddle ? 3u : 2u);
  }
}

TEST_F(CreateTest, ZoneClosedOnItsFirstVertexHoldsItOnce) {
  TObjekt& z = StartPolyline(p, {0, 0}, sizes, true, false);
  EXPECT_EQ(z.Closed, 0);
  AddPolylineVertex(z, {40000, 0}, 5);
  AddPolylineVertex(z, {40000, -40000}, 5);
  EXPECT_TRUE(OnFirstVertex(z, {0, 0}));
  AddPolylineVertex(z, {0, 0}, 5);  // the closing click
  ASSERT_TRUE(FinishPolyline(p, z, true));
  EXPECT_EQ(z.Closed, 1);
  EXPECT_EQ(z.Points.size(), 3u);

  // Two vertices make no zone.
  TObjekt& thin = StartPolyline(p, {0, -50000}, sizes, true, false);
  AddPolylineVertex(thin, {40000, -50000}, 5);
  const size_t n = L().size();
  EXPECT_FALSE(FinishPolyline(p, thin, true));
  EXPECT_EQ(L().size(), n - 1);
}

TEST_F(CreateTest, CutoutsDrawnOnSilkscreenCutTheCopperOfThatSide) {
  B().Platine.ActiveLayer = kLayerS1;
  TObjekt& z = StartPolyline(p, {0, 0}, sizes, true, true);
  EXPECT_EQ(z.Layer, kLayerC1);
  EXPECT_EQ(z.Cutout, 1);
  TObjekt* r = CreateRectangle(p, {0, 0}, {20000, -20000}, sizes, false, true);
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(r->Kind, kKindZone);
  EXPECT_EQ(r->Layer, kLayerC1);
}

TEST_F(CreateTest, RectanglesAndCirclesTooSmallAreNotMade) {
  EXPECT_NO_UNDO_STEP(EXPECT_EQ(CreateRectangle(p, {0, 0}, {700, -700}, sizes, false, false), nullptr));
  EXPECT_NO_UNDO_STEP(EXPECT_EQ(CreateCircle(p, {0, 0}, {999, -500}, sizes), nullptr));

  TObjekt* outline = nullptr;
  EXPECT_ONE_UNDO_STEP(outline = CreateRectangle(p, {0, 0}, {30000, -20000}, sizes, false, false));
  outline = CreateRectangle(p, {0, 0}, {30000, -20000}, sizes, false, false);
  ASSERT_NE(outline, nullptr);
  EXPECT_EQ(outline->Kind, kKindTrack);
  ASSERT_EQ(outline->Points.size(), 5u);
  EXPECT_EQ(outline->Points[2], Pt(30000, -20000));
  EXPECT_EQ(outline->Points[4], outline->Points[0]);
  TObjekt* filled = CreateRectangle(p, {0, 0}, {30000, -20000}, sizes, true, false);
  ASSERT_NE(filled, nullptr);
  EXPECT_EQ(filled->Kind, kKindZone);
  EXPECT_EQ(filled->Closed, 1);
  EXPECT_EQ(filled->Points.size(), 4u);

  TObjekt* c = CreateCircle(p, {0, 0}, {3000, -10000}, sizes);  // r = 10000
  ASSERT_NE(c, nullptr);
  EXPECT_FLOAT_EQ(c->SizeA, 10000 + sizes.TrackWidth / 2.0f);
  EXPECT_FLOAT_EQ(c->SizeB, 10000 - sizes.TrackWidth / 2.0f);
  EXPECT_EQ(c->StartAngle, c->StopAngle);
}

TEST_F(CreateTest, PadsTakeTheSizesAndThroughPadOnlyOnCopper) {
  sizes.ThroughPad = true;
  B().Platine.ActiveLayer = kLayerC1;
  TObjekt& pad = PlaceThtPad(p, {10000, -10000}, sizes);
  EXPECT_FLOAT_EQ(pad.SizeA, sizes.PadOuter / 2.0f);
  EXPECT_FLOAT_EQ(pad.SizeB, sizes.PadDrill / 2.0f);
  EXPECT_EQ(pad.Via, 1);
  EXPECT_EQ(pad.Clearance, sizes.Clearance);
  B().Platine.ActiveLayer = kLayerS1;
  EXPECT_EQ(PlaceThtPad(p, {20000, -10000}, sizes).Via, 0);
  TObjekt& smd = PlaceSmdPad(p, {30000, -10000}, sizes);
  EXPECT_FLOAT_EQ(smd.SizeA, float(sizes.SmdWidth));
  EXPECT_FLOAT_EQ(smd.SizeB, float(sizes.SmdHeight));
}

TEST(SizePresets, CaptionsMatchingAndOrder) {
  EXPECT_EQ(TrackPresetCaption(8000, TDisplayUnit::Mm, TLanguage::Russian), "0.80   мм");
  EXPECT_EQ(TrackPresetCaption(8000, TDisplayUnit::Mm, TLanguage::English), "0.80   mm");
  EXPECT_EQ(TrackPresetCaption(8000, TDisplayUnit::Mil, TLanguage::Russian), "31.5   mil");
  EXPECT_EQ(PairPresetCaption(18000, 6000, TDisplayUnit::Mm, TLanguage::Russian), "1.80  x  0.60 мм");
  EXPECT_EQ(PairPresetCaption(18000, 6000, TDisplayUnit::Mm, TLanguage::French), "1.80  x  0.60 mm");
  EXPECT_EQ(PairPresetCaption(18000, 6000, TDisplayUnit::Mil, TLanguage::English), "70.9  x  23.6 mil");
  EXPECT_TRUE(TrackPresetMatches(8000, 8049, TDisplayUnit::Mm));
  EXPECT_FALSE(TrackPresetMatches(8000, 8051, TDisplayUnit::Mm));
  EXPECT_TRUE(TrackPresetMatches(8000, 8024, TDisplayUnit::Mil));
  EXPECT_FALSE(TrackPresetMatches(8000, 8025, TDisplayUnit::Mil));

  std::vector<int32_t> widths{1500, 8000};
  EXPECT_TRUE(AddTrackPreset(widths, 4000));
  EXPECT_FALSE(AddTrackPreset(widths, 4000));
  EXPECT_EQ(widths, (std::vector<int32_t>{1500, 4000, 8000}));
  std::vector<TPadSizePreset> pads{{14000, 8000}, {14000, 10000}};
  EXPECT_TRUE(AddPadPreset(pads, {14000, 9000}));
  EXPECT_EQ(pads[1], (TPadSizePreset{14000, 9000}));
}

TEST_F(CreateTest, SizesGoToTheFittingSelectedElements) {
  TObjekt& a = Pad(10000, -10000);
  TObjekt& b = Pad(30000, -10000);
  b.SizeB = 5000;  // a larger drill
  TObjekt& t = Track({Pt(0, -30000), Pt(20000, -30000)});
  SelectOnly({&a, &b, &t});
  TSelectionSizes s = SelectionSizes(B());
  EXPECT_TRUE(s.PadDrill.Mixed);
  EXPECT_FALSE(s.PadOuter.Mixed);
  EXPECT_EQ(s.PadOuter.Value, 18000);
  EXPECT_EQ(s.TrackWidth.Value, 2000);
  EXPECT_FALSE(s.SmdWidth.Contributes);
  ASSERT_TRUE(s.ThroughPad.has_value());

  // Outer diameter 8 mm: the larger drill comes down to it, the other stays.
  EXPECT_ONE_UNDO_STEP(ApplySizeToSelection(p, TSizeField::PadOuter, 8000));
  // Undo brought back copies: select them again.
  TObjekt &a2 = *L()[0], &b2 = *L()[1], &t2 = *L()[2];
  SelectOnly({&a2, &b2, &t2});
  ApplySizeToSelection(p, TSizeField::PadOuter, 8000);
  EXPECT_FLOAT_EQ(a2.SizeA, 4000);
  EXPECT_FLOAT_EQ(a2.SizeB, 3000);
  EXPECT_FLOAT_EQ(b2.SizeB, 4000);
  EXPECT_EQ(t2.Width, 2000);
  // Nothing selected fits: no change, no undo step.
  SelectOnly({&t2});
  EXPECT_NO_UNDO_STEP(EXPECT_FALSE(ApplySizeToSelection(p, TSizeField::SmdWidth, 5000).Done()));
}

// A text is made with its strokes; changing it keeps the centre of the
// strokes while the string stays, and the anchor when the string changes.
TEST_F(CreateTest, TextsAreMadeAndChangedWithTheirStrokes) {
  const TTextFields f{"AB", 20000, 1, 1, false, false, 0};
  auto made = MakeText(f, {100000, -100000}, kLayerS1, 3000);
  ASSERT_TRUE(made);
  EXPECT_FALSE(made->SubElements.empty());
  EXPECT_EQ(made->Clearance, 3000);
  EXPECT_EQ(TextFieldsOf(*made), f);
  L().push_back(std::move(made));
  // The middle of the box around every stroke vertex.
  auto centre = [this] {
    const TObjekt& t = *L().back();
    float l = 1e9f, r = -1e9f, lo = 1e9f, hi = -1e9f;
    for (const auto& stroke : t.SubElements)
      for (const TFPoint q : stroke->Points) {
        l = std::min(l, q.X), r = std::max(r, q.X);
        lo = std::min(lo, q.Y), hi = std::max(hi, q.Y);
      }
    return std::pair{(l + r) / 2, (lo + hi) / 2};
  };
  EXPECT_NO_UNDO_STEP(EXPECT_FALSE(ChangeText(p, *L().back(), f).Done()));
  const auto before = centre();
  TTextFields bold = f;
  bold.Thickness = 2;
  bold.Height = 30000;
  EXPECT_ONE_UNDO_STEP(EXPECT_TRUE(ChangeText(p, *L().back(), bold).Done()));
  TObjekt& t = *L().back();  // undo replaced the elements
  ASSERT_TRUE(ChangeText(p, t, bold).Done());
  EXPECT_EQ(t.SizeB, 2);
  const auto after = centre();
  EXPECT_NEAR(after.first, before.first, 1);
  EXPECT_NEAR(after.second, before.second, 1);
  TTextFields other = bold;
  other.Text = "ABCD";
  EXPECT_TRUE(ChangeText(p, t, other).Done());
  EXPECT_EQ(t.Text, "ABCD");
  EXPECT_EQ(t.Pos, Pt(100000, -100000));
}

}  // namespace
}  // namespace bs::edit_test
