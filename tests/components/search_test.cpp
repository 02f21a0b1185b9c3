#include "components/search.h"

#include <gtest/gtest.h>

#include "../edit/edit_fixture.h"
#include "model/geometry.h"

namespace bs::edit_test {
namespace {

struct SearchTest : EditTest {
  // A round THT pad with the given drill and outer diameters (units).
  TObjekt& Drilled(float x, float drill, float outer = 18000, uint8_t layer = kLayerC2) {
    auto e = NewObjekt();
    InitThtPad(*e, {x, 0}, layer, kShapeRound, drill / 2, outer / 2);
    return Add(std::move(e));
  }
  std::vector<std::string> Labels(const TSearchOptions& o) {
    std::vector<std::string> out;
    for (const TSearchGroup& g : SearchGroups(L(), o)) out.push_back(g.Label);
    return out;
  }
};

TEST_F(SearchTest, PadsGroupedByDrillRingSizeAndShape) {
  Drilled(0, 10000);
  Drilled(20000, 8000);
  Drilled(40000, 8000, 20000);
  TSearchOptions o;
  EXPECT_EQ(Labels(o), (std::vector<std::string>{"0.80 mm   x 2", "1.00 mm   x 1"}));
  o.Sort = 1;  // ring: outer radius minus drill radius
  EXPECT_EQ(Labels(o), (std::vector<std::string>{"0.40 mm   x 1", "0.50 mm   x 1", "0.60 mm   x 1"}));
  o.Sort = 2;
  EXPECT_EQ(Labels(o), (std::vector<std::string>{"1.80 mm   x 2", "2.00 mm   x 1"}));
  const std::vector<TSearchGroup> g = SearchGroups(L(), o);
  EXPECT_EQ(g[0].Elements, (std::vector<size_t>{0, 1}));

  // An elongated pad turned by a quarter counts as its twin.
  TObjekt& turned = Drilled(60000, 8000);
  RebuildThtOutline(turned, kShapeRoundedH, 0);
  RotateObjekt(turned, Centre(turned), 90);
  EXPECT_EQ(ApparentShape(turned), kShapeRoundedV);
  o.Sort = 3;
  EXPECT_EQ(Labels(o), (std::vector<std::string>{"Round   x 3", "Rounded-vertical   x 1"}));
}

TEST_F(SearchTest, QuantisationFollowsTheBaseUnit) {
  Drilled(0, 7990);
  Drilled(20000, 8010);
  TSearchOptions o;
  EXPECT_EQ(Labels(o), (std::vector<std::string>{"0.80 mm   x 2"}));
  o.Mil = true;
  EXPECT_EQ(Labels(o), (std::vector<std::string>{"31.5 mil   x 1", "31.5 mil   x 1"}));
  EXPECT_EQ(SearchGroups(L(), o).size(), 2u);
}

TEST_F(SearchTest, WhoTakesPart) {
  TObjekt& via = Drilled(0, 6000);
  via.Via = 1;
  Drilled(20000, 6000, 18000, kLayerS1);  // a bare hole drawn on silkscreen
  TObjekt& id = Label(0, 20000, "R1", 2, 1);
  Label(0, 40000, "hidden", 2, 2).LabelVisible = 0;
  (void)id;
  TSearchOptions o;
  o.Kind = kSearchVias;
  EXPECT_EQ(SearchGroups(L(), o).size(), 1u);
  o.Layers = kSearchSilk;
  EXPECT_TRUE(SearchGroups(L(), o).empty());
  o.Kind = kSearchPads;
  EXPECT_EQ(SearchGroups(L(), o).size(), 1u);  // the silkscreen hole only
  o.Kind = kSearchTexts;
  o.Sort = 2;
  EXPECT_EQ(Labels(o), (std::vector<std::string>{"\"R1\"   x 1"}));
}

TEST_F(SearchTest, SmdSizesAndTheOrderOfEqualShortSides) {
  auto smd = [&](float w, float h) {
    auto e = NewObjekt();
    InitSmdPad(*e, {0, 0}, w, kLayerC1, h);
    e->SizeA = w;
    e->SizeB = h;
    Add(std::move(e));
  };
  smd(9000, 18000);
  smd(18000, 9000);
  smd(9000, 20000);
  smd(5000, 5000);
  TSearchOptions o;
  o.Kind = kSearchSmd;
  // By the short side; equal short sides in the reverse order of appearance.
  EXPECT_EQ(Labels(o),
            (std::vector<std::string>{"0.50 x 0.50 mm   x 1", "0.90 x 2.00 mm   x 1", "0.90 x 1.80 mm   x 2"}));
}

TEST_F(SearchTest, TextsByContentKeepEveryCase) {
  Text(0, 0, "abc");
  Text(0, 20000, "ABC");
  Text(0, 40000, "Zed");
  Text(0, 60000, "abc");
  TSearchOptions o;
  o.Layers = kSearchSilk;
  o.Kind = kSearchTexts;
  o.Sort = 2;
  const std::vector<TSearchGroup> g = SearchGroups(L(), o);
  ASSERT_EQ(g.size(), 2u);
  EXPECT_EQ(g[0].Elements, (std::vector<size_t>{0, 1, 3}));
  EXPECT_EQ(g[0].Label, "\"abc\"   x 3");
  EXPECT_EQ(g[1].Label, "\"Zed\"   x 1");
  o.Sort = 0;  // height
  EXPECT_EQ(Labels(o), (std::vector<std::string>{"1.50 mm   x 4"}));
}

TEST(SearchSettings, ZoomAndRangeChecks) {
  struct Case {
    int slider, percent;
  };
  for (const Case c : {Case{1, 2}, Case{5, 22}, Case{10, 92}, Case{11, 92}, Case{0, 2}})
    EXPECT_EQ(SearchZoomPercent(c.slider), c.percent) << c.slider;

  TIniFile ini;
  TSelectorSettings s;
  s.Options.Kind = kSearchTexts;
  s.Options.Sort = 2;
  s.Options.Layers = kSearchAllLayers;
  s.Zoom = 9;
  WriteSelectorSettings(ini, s);
  const TSelectorSettings r = ReadSelectorSettings(ini);
  EXPECT_EQ(r.Options.Kind, kSearchTexts);
  EXPECT_EQ(r.Options.Sort, 2);
  EXPECT_EQ(r.Options.Layers, kSearchAllLayers);
  EXPECT_EQ(r.Zoom, 9);
  // Out of range: the defaults (ZOOM 11 would take the logarithm of 0).
  ini.WriteInt("Selector", "ZOOM", 11);
  ini.WriteInt("Selector", "TYP", 7);
  ini.WriteInt("Selector", "SORT", 3);
  ini.WriteInt("Selector", "LAYER", -1);
  const TSelectorSettings d = ReadSelectorSettings(ini);
  EXPECT_EQ(d.Zoom, 5);
  EXPECT_EQ(d.Options.Kind, 0);
  EXPECT_EQ(d.Options.Sort, 3);  // pads have four sortings
  EXPECT_EQ(d.Options.Layers, 0);
}

}  // namespace
}  // namespace bs::edit_test
