#include "components/components.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "../edit/edit_fixture.h"
#include "model/placement.h"

namespace bs::edit_test {
namespace {

struct ComponentsTest : EditTest {
  // A resistor: two THT pads on C2 (soldered below, so a top part), a
  // silkscreen outline on S1, and its labels.
  int16_t Resistor(int16_t no, float x, const char* id, const char* value = "1k") {
    Pad(x, 0, kLayerC2).ComponentNo = no;
    Pad(x + 20000, 0, kLayerC2).ComponentNo = no;
    Track({{x - 5000, 5000}, {x + 25000, 5000}}, kLayerS1).ComponentNo = no;
    if (id) Label(x, 15000, id, no, 1);
    if (value) Label(x, 30000, value, no, 2);
    return no;
  }
  std::vector<std::string> Ids() {
    std::vector<std::string> out;
    for (const TListEintrag& l : ComponentList(L(), B().Platine)) out.push_back(l.Id);
    return out;
  }
};

TEST_F(ComponentsTest, SortOrderIsStrictAndNumeric) {
  struct Case {
    std::vector<const char*> ids;  // given component numbers 1, 2, ... in this order
    std::vector<const char*> sorted;
  };
  const Case cases[] = {
      {{"R10", "R2", "r3", "C1"}, {"C1", "R2", "r3", "R10"}},
      // Equal without case: by component number; leading zeros after that.
      {{"R01", "X", "r1", "Y", "R1"}, {"R01", "r1", "R1", "X", "Y"}},
      // Digit runs longer than any integer still compare by value.
      {{"U99999999999999999999", "U100000000000000000000", "U7"},
       {"U7", "U99999999999999999999", "U100000000000000000000"}},
      // Cyrillic letters fold in Windows-1251: "\xc0" is А, "\xe0" а.
      {{"\xe0"
        "2",
        "\xc0"
        "1",
        "B1"},
       {"B1",
        "\xc0"
        "1",
        "\xe0"
        "2"}},
      {{"", "R1"}, {"", "R1"}},
  };
  for (const Case& c : cases) {
    L().clear();
    int16_t no = 1;
    for (const char* id : c.ids) Resistor(no++, 0, *id ? id : nullptr);
    std::vector<std::string> want(c.sorted.begin(), c.sorted.end());
    EXPECT_EQ(Ids(), want) << c.ids.front();
  }
  // A strict weak order: never a < b and b < a, and irreflexive.
  TListEintrag a, b;
  a.Id = "R1";
  a.No = 5;
  b.Id = "r1";
  b.No = 3;
  EXPECT_TRUE(ComponentIdLess(b, a));
  EXPECT_FALSE(ComponentIdLess(a, b));
  EXPECT_FALSE(ComponentIdLess(a, a));
}

TEST_F(ComponentsTest, SideMountingTypeAndListTexts) {
  struct Case {
    const char* name;
    std::vector<std::pair<char, uint8_t>> elements;  // S SMD pad, T THT pad, L silkscreen/copper line
    bool top, smd;
  };
  const Case cases[] = {
      {"silkscreen on S2 wins over SMD pads on C1", {{'S', kLayerC1}, {'L', kLayerS2}}, false, true},
      {"SMD pads on C1", {{'S', kLayerC1}, {'S', kLayerC1}}, true, true},
      {"THT pads on C2 are soldered below a top part", {{'T', kLayerC2}}, true, false},
      {"THT pads on C1", {{'T', kLayerC1}}, false, false},
      {"copper on both sides", {{'S', kLayerC1}, {'T', kLayerC2}}, false, true},
      {"more THT than SMD pads", {{'S', kLayerC1}, {'T', kLayerC1}, {'T', kLayerC1}}, true, false},
      {"no pads counts as SMD", {{'L', kLayerS1}}, true, true},
  };
  for (const Case& c : cases) {
    L().clear();
    for (auto [kind, layer] : c.elements) {
      TObjekt& e = kind == 'S' ? Smd(0, 0, layer) : kind == 'T' ? Pad(0, 0, layer) : Track({{0, 0}, {1000, 0}}, layer);
      e.ComponentNo = 2;
    }
    const std::vector<TListEintrag> list = ComponentList(L(), B().Platine);
    ASSERT_EQ(list.size(), 1u) << c.name;
    EXPECT_EQ(list[0].Top, c.top) << c.name;
    EXPECT_EQ(list[0].Smd, c.smd) << c.name;
    // Without an ID label: no placement point and no pick-and-place texts.
    EXPECT_FALSE(list[0].Point) << c.name;
    EXPECT_EQ(list[0].Rotation, "---") << c.name;
  }

  struct Rotation {
    double degrees;
    const char* text;
  };
  for (const Rotation r : {Rotation{90, "90"}, Rotation{45.5, "45.5"}, Rotation{45.04, "45"}, Rotation{359.96, "360"},
                           Rotation{0.04, "0"}, Rotation{-12.25, "-12.3"}})
    EXPECT_EQ(RotationText(r.degrees), r.text) << r.degrees;

  L().clear();
  Resistor(3, 0, "R1");
  TObjekt& id = *std::find_if(L().begin(), L().end(), [](const auto& e) { return IsIdLabel(*e); })->get();
  TPlaceData& place = EnsurePlace(id);
  place.Package = "0805";
  place.Comment = "check";
  place.PlaceRotation = 90;
  TListEintrag l = ComponentList(L(), B().Platine)[0];
  EXPECT_EQ(l.Package, "---");
  EXPECT_EQ(l.Comment, "check");
  place.PlaceEnabled = 1;
  l = ComponentList(L(), B().Platine)[0];
  EXPECT_TRUE(l.Placed);
  EXPECT_EQ(l.Package, "0805");
  EXPECT_EQ(l.Rotation, "90");
  ASSERT_TRUE(l.Point);
}

TEST_F(ComponentsTest, CreateKeepsOneLabelOfEachRoleAndNumbersFreshly) {
  Resistor(4, 0, "R1", "1k");
  Resistor(9, 50000, "R2", "2k");
  Pad(100000, 0).Selected = 0;  // not part of it
  for (const auto& e : L())
    if (e->ComponentNo != 0) SetSelected(*e, true);
  const size_t before = L().size();
  const size_t undo = UndoDepth();
  const TComponentMade made = CreateComponent(p, {});
  EXPECT_EQ(UndoDepth(), undo + 1);
  ASSERT_TRUE(made.Edit.Done());
  EXPECT_EQ(made.No, 10);
  EXPECT_FALSE(made.NewId);
  EXPECT_FALSE(made.NewValue);
  EXPECT_EQ(L().size(), before);
  int ids = 0, values = 0;
  for (const auto& e : L()) {
    if (!e->Selected) continue;
    EXPECT_EQ(e->ComponentNo, 10);
    ids += IsIdLabel(*e);
    values += IsValueLabel(*e);
  }
  EXPECT_EQ(ids, 1);
  EXPECT_EQ(values, 1);
  const TComponent c = FindComponent(L(), 10);
  ASSERT_NE(c.Id, nullptr);
  EXPECT_EQ(c.Id->Text, "R1");
  EXPECT_EQ(c.Value->Text, "1k");
  // The second ID label became a plain text without placement data.
  const auto r2 = std::find_if(L().begin(), L().end(), [](const auto& e) { return e->Text == "R2"; });
  EXPECT_EQ((*r2)->LabelRole, 0);
  EXPECT_FALSE((*r2)->Place);
}

TEST_F(ComponentsTest, CreateMakesAndPlacesMissingLabels) {
  struct Case {
    const char* name;
    bool tall;     // the pads stand above each other
    uint8_t side;  // layer of the pads: SMD pads on C1 (top) or C2 (bottom)
  };
  for (const Case c :
       {Case{"wide, top", false, kLayerC1}, Case{"tall, top", true, kLayerC1}, Case{"wide, bottom", false, kLayerC2}}) {
    L().clear();
    Smd(0, 0, c.side).Selected = 1;
    (c.tall ? Smd(0, -40000, c.side) : Smd(40000, 0, c.side)).Selected = 1;
    TLabelStyle style;
    const TComponentMade made = CreateComponent(p, style);
    ASSERT_TRUE(made.Edit.Done()) << c.name;
    EXPECT_TRUE(made.NewId && made.NewValue) << c.name;
    const TComponent comp = FindComponent(L(), made.No);
    ASSERT_TRUE(comp.Id && comp.Value) << c.name;
    const uint8_t silk = c.side == kLayerC1 ? kLayerS1 : kLayerS2;
    EXPECT_EQ(comp.Id->Layer, silk) << c.name;
    EXPECT_EQ(comp.Id->MirrorH != 0, silk == kLayerS2) << c.name;
    EXPECT_TRUE(comp.Id->Selected) << c.name;
    EXPECT_TRUE(ComponentLabelsAligned(comp.Elements, *comp.Id, *comp.Value, B().Platine)) << c.name;
    // Above the pads when wide, right of them when tall.
    const std::optional<TURect> pads = UnitedOutlineBounds({comp.Elements[0], comp.Elements[1]}, B().Platine);
    ASSERT_TRUE(pads);
    if (c.tall) EXPECT_GT(comp.Id->Pos.X, pads->Right) << c.name;
    else EXPECT_GT(comp.Value->Pos.Y, pads->Bottom) << c.name;
    MoveObjekt(*comp.Id, 5000, 0);
    EXPECT_FALSE(ComponentLabelsAligned(comp.Elements, *comp.Id, *comp.Value, B().Platine)) << c.name;
  }

  // Without any outline the labels stay where they are made.
  L().clear();
  TObjekt& id = Label(0, 0, "X1", 0, 1);
  TObjekt& value = Label(0, 10000, "x", 0, 2);
  EXPECT_FALSE(AlignComponentLabels({&id, &value}, id, value, B().Platine));
  EXPECT_EQ(id.Pos.Y, 0);
}

TEST_F(ComponentsTest, NumbersNeverWrap) {
  Resistor(32767, 0, "R1");
  Resistor(5, 50000, "R2");
  Pad(100000, 0).Selected = 1;
  const TComponentMade made = CreateComponent(p, {});
  ASSERT_TRUE(made.Edit.Done());
  // Renumbered densely first: 1, 2, and the new one.
  EXPECT_EQ(made.No, 3);
  std::set<int16_t> numbers;
  for (const auto& e : L()) numbers.insert(e->ComponentNo);
  EXPECT_EQ(numbers, (std::set<int16_t>{1, 2, 3}));

  // Every number taken: refused, nothing changed.
  L().clear();
  for (int n = 1; n <= 32767; ++n) Pad(float(n), 0).ComponentNo = static_cast<int16_t>(n);
  Pad(0, 50000).Selected = 1;
  const size_t undo = B().UndoStack.size();
  const TComponentMade full = CreateComponent(p, {});
  EXPECT_EQ(full.Edit.Status, TEditStatus::Failed);
  EXPECT_EQ(full.Edit.Message, kTooManyComponents);
  EXPECT_EQ(B().UndoStack.size(), undo);
  EXPECT_EQ(L().back()->ComponentNo, 0);
}

TEST_F(ComponentsTest, DisintegrateAndLabelTexts) {
  Resistor(2, 0, "R1", nullptr);
  const size_t count = L().size();
  // Typing a value for a component without value label makes the label.
  EXPECT_ONE_UNDO_STEP(SetComponentLabelText(p, 2, false, "4k7", {}));
  SetComponentLabelText(p, 2, false, "4k7", {});
  ASSERT_EQ(L().size(), count + 1);
  TComponent c = FindComponent(L(), 2);
  ASSERT_NE(c.Value, nullptr);
  EXPECT_EQ(c.Value->Text, "4k7");
  EXPECT_FALSE(c.Value->SubElements.empty());
  EXPECT_ONE_UNDO_STEP(SetComponentLabelText(p, 2, true, "R7", {}));
  SetComponentLabelText(p, 2, true, "R7", {});
  EXPECT_EQ(FindComponent(L(), 2).Id->Text, "R7");
  EXPECT_EQ(SetComponentLabelText(p, 2, true, "", {}).Status, TEditStatus::Failed);

  EXPECT_ONE_UNDO_STEP(DisintegrateComponent(p, 2));
  DisintegrateComponent(p, 2);
  EXPECT_EQ(L().size(), count - 1);  // the ID label and the new value label went
  for (const auto& e : L()) {
    EXPECT_EQ(e->ComponentNo, 0);
    EXPECT_FALSE(IsComponentLabel(*e));
  }
  EXPECT_EQ(DisintegrateComponent(p, 2).Status, TEditStatus::NoChange);
}

}  // namespace
}  // namespace bs::edit_test
