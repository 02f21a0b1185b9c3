#include <gtest/gtest.h>

#include "model/geometry.h"
#include "render/stroke_font.h"
#include "render/text_strokes.h"

namespace bs {
namespace {

std::unique_ptr<TObjekt> Text(const std::string& s, float height = 90000, int thickness = 1, int style = 1) {
  auto t = NewObjekt();
  InitText(*t, {1000, -2000}, s, false, false, kLayerS1, style, float(thickness), height, 0);
  return t;
}

std::vector<TPointList> Strokes(const TObjekt& t) {
  std::vector<TPointList> out;
  for (const auto& s : t.SubElements) out.push_back(s->Points);
  return out;
}

double MinX(const TObjekt& t) {
  double m = 1e300;
  for (const auto& s : t.SubElements)
    for (const TFPoint& p : s->Points) m = std::min<double>(m, p.X);
  return m;
}

double MaxX(const TObjekt& t) {
  double m = -1e300;
  for (const auto& s : t.SubElements)
    for (const TFPoint& p : s->Points) m = std::max<double>(m, p.X);
  return m;
}

TEST(TextMetrics, WidthsAndGapsByThickness) {
  struct Case {
    int thickness;
    int32_t width, gap;
  };
  // h = 90000: s = 1000 units per glyph unit.
  for (const Case c : {Case{0, 5556, 16000}, Case{1, 10000, 22000}, Case{2, 14286, 28000}}) {
    const TTextMetrics m = TextMetrics(90000, c.thickness, 1);
    EXPECT_EQ(m.StrokeWidth, c.width) << c.thickness;
    EXPECT_EQ(m.Gap, c.gap) << c.thickness;
  }
  EXPECT_EQ(TextMetrics(90000, 1, 0).Factor, 0.8);
  EXPECT_EQ(TextMetrics(90000, 1, 2).Factor, 1.6);
}

TEST(BuildTextStrokes, WorkedExampleOfTheLetterA) {
  auto a = Text("A");
  ASSERT_TRUE(BuildTextStrokes(*a, false));
  ASSERT_EQ(a->SubElements.size(), 2u);
  EXPECT_EQ(a->SubElements[0]->Width, 10000);
  EXPECT_EQ(a->SubElements[0]->Layer, kLayerS1);
  EXPECT_EQ(a->SubElements[0]->Clearance, kDefaultClearance);
  EXPECT_DOUBLE_EQ(MinX(*a), 1000);
  EXPECT_DOUBLE_EQ(MaxX(*a), 1000 + 60000);
  // The apex (25, 80) of the glyph.
  EXPECT_EQ(a->SubElements[0]->Points[1], (TFPoint{1000 + 30000, -2000 + 80000}));

  auto aa = Text("AA");
  ASSERT_TRUE(BuildTextStrokes(*aa, false));
  EXPECT_DOUBLE_EQ(aa->SubElements[2]->Points[0].X, 1000 + 82000);  // 60000 + gap 22000

  // A space draws nothing and advances by round(1 * s * f) + gap.
  auto spaced = Text("A A");
  ASSERT_TRUE(BuildTextStrokes(*spaced, false));
  ASSERT_EQ(spaced->SubElements.size(), 4u);
  EXPECT_DOUBLE_EQ(spaced->SubElements[2]->Points[0].X, 1000 + 82000 + 1200 + 22000);
}

// At height 10000 a glyph unit is 10000 / 90 = 111.1 units: the glyph's
// width and the gap are each rounded to whole units before they add up.
TEST(BuildTextStrokes, AdvanceAtAHeightWithoutWholeSteps) {
  struct TCase {
    int thickness, style;
    float advance;
  };
  // "A" is 50 glyph units wide: 50 x 111.1 x 1.2 = 6666.7 (normal), x 0.8 =
  // 4444.4 (narrow), x 1.6 = 8888.9 (wide); the gap is 22 x 111.1 = 2444.4
  // (normal), 16 x 111.1 = 1777.8 (thin), 28 x 111.1 = 3111.1 (bold).
  const TCase cases[] = {
      {1, 1, 6667 + 2444}, {0, 1, 6667 + 1778}, {2, 1, 6667 + 3111}, {1, 0, 4444 + 2444}, {1, 2, 8889 + 2444},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "thickness " << c.thickness << ", style " << c.style);
    auto t = Text("AA", 10000, c.thickness, c.style);
    ASSERT_TRUE(BuildTextStrokes(*t, false));
    ASSERT_EQ(t->SubElements.size(), 4u);
    EXPECT_EQ(t->SubElements[0]->Points[0].X, 1000);
    EXPECT_EQ(t->SubElements[2]->Points[0].X, 1000 + c.advance);
  }
}

TEST(BuildTextStrokes, StrokeCountsSharingAndBlankText) {
  struct Case {
    std::string text;
    size_t strokes;
  };
  for (const Case& c : {Case{"A", 2}, Case{"B", 2}, Case{"H", 3}, Case{"l", 1}}) {
    auto t = Text(c.text);
    ASSERT_TRUE(BuildTextStrokes(*t, false));
    EXPECT_EQ(t->SubElements.size(), c.strokes) << c.text;
  }
  auto l = Text("l"), bar = Text("|");
  BuildTextStrokes(*l, false);
  BuildTextStrokes(*bar, false);
  EXPECT_EQ(Strokes(*l), Strokes(*bar));

  auto blank = Text("  "), dot = Text(".");
  BuildTextStrokes(*blank, false);
  BuildTextStrokes(*dot, false);
  EXPECT_FALSE(blank->SubElements.empty());
  EXPECT_EQ(Strokes(*blank), Strokes(*dot));
  auto trimmed = Text(" \tA  ");
  BuildTextStrokes(*trimmed, false);
  EXPECT_DOUBLE_EQ(MinX(*trimmed), 1000);  // leading blanks are dropped
}

TEST(BuildTextStrokes, MirrorThenRotateKeepsTheFields) {
  auto t = Text("A");
  t->MirrorH = 1;
  t->Rotation = 30;
  ASSERT_TRUE(BuildTextStrokes(*t, false));
  EXPECT_EQ(t->MirrorH, 1);
  EXPECT_EQ(t->Rotation, 30);
  // Apex: (30000, 80000) from the anchor, mirrored to (-30000, 80000), then
  // turned 30 degrees clockwise about the anchor.
  const TDPoint expected = RotatePoint(TDPoint{1000 - 30000, -2000 + 80000}, TDPoint{1000, -2000}, -30);
  EXPECT_NEAR(t->SubElements[0]->Points[1].X, expected.X, 0.01);
  EXPECT_NEAR(t->SubElements[0]->Points[1].Y, expected.Y, 0.01);

  auto v = Text("A");
  v->MirrorV = 1;
  ASSERT_TRUE(BuildTextStrokes(*v, false));
  EXPECT_EQ(v->SubElements[0]->Points[1].Y, -2000 - 80000);
}

TEST(BuildTextStrokes, KeepCentreAndRegeneration) {
  auto t = Text("HELLO", 20000);
  ASSERT_TRUE(BuildTextStrokes(*t, false));
  const double oldCentre = (MinX(*t) + MaxX(*t)) / 2;
  t->Text = "HI";
  ASSERT_TRUE(BuildTextStrokes(*t, true));
  EXPECT_NEAR((MinX(*t) + MaxX(*t)) / 2, oldCentre, 0.01);
  t->Text = "HELLO";
  ASSERT_TRUE(BuildTextStrokes(*t, false));
  EXPECT_DOUBLE_EQ(MinX(*t), 1000);  // without the flag the text starts at the anchor again
}

TEST(TextDialogHelpers, HeightLimitAndNumbering) {
  EXPECT_EQ(LimitTextHeight(10000, 0), 25000);
  EXPECT_EQ(LimitTextHeight(10000, 1), 15000);
  EXPECT_EQ(LimitTextHeight(10000, 2), 10000);
  EXPECT_EQ(LimitTextHeight(30000, 0), 30000);
  TAutoNumber n;
  EXPECT_EQ(n.Next("R"), "R");
  n.On = true;
  n.Counter = 7;
  EXPECT_EQ(n.Next("R"), "R7");
  EXPECT_EQ(n.Next("R"), "R8");
}

}  // namespace
}  // namespace bs
