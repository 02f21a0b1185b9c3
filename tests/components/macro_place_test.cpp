#include "components/macro_place.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "../edit/edit_fixture.h"
#include "edit/clipboard.h"
#include "io/macro_file.h"

namespace bs::edit_test {
namespace {

struct MacroPlaceTest : EditTest {
  // Moves everything built on the board so far into a macro list.
  TObjektList TakeMacro() {
    TObjektList m = std::move(L());
    L().clear();
    return m;
  }
  std::vector<TObjekt*> Placed(const TMacroPlaced& r) {
    std::vector<TObjekt*> out;
    for (size_t i = r.First; i < r.First + r.Count; ++i) out.push_back(L()[i].get());
    return out;
  }
  std::string TempFile(const char* name) {
    const auto dir = std::filesystem::temp_directory_path() /
                     ("macro_place_" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::create_directories(dir);
    return (dir / name).string();
  }
};

TEST_F(MacroPlaceTest, NumbersAreRaisedByTheBoardsNextFreeNumbers) {
  struct Case {
    int32_t boardGroup;      // 0: no group on the board
    int16_t boardComponent;  // 0: no component
    int32_t G, C;
  };
  for (const Case c : {Case{0, 0, 2, 2}, Case{5, 0, 6, 2}, Case{0, 7, 2, 8}, Case{9, 3, 10, 4}, Case{1, 1, 2, 2}}) {
    SCOPED_TRACE(testing::Message() << c.boardGroup << "/" << c.boardComponent);
    L().clear();
    // The macro: a component of two pads (number 1) and a grouped track (group 1).
    Pad(0, 0).ComponentNo = 1;
    Pad(20000, 0).ComponentNo = 1;
    AddGroupNumber(Track({{0, 10000}, {20000, 10000}}, kLayerS1), 1);
    TObjektList macro = TakeMacro();
    TObjekt& old = Pad(-50000, -50000);
    if (c.boardGroup) AddGroupNumber(old, c.boardGroup);
    old.ComponentNo = c.boardComponent;
    old.Selected = 1;

    TMacroDrop drop;
    drop.AddAsComponent = true;
    EXPECT_ONE_UNDO_STEP(PlaceMacro(p, macro, {100000, -100000}, drop));
    const TMacroPlaced r = PlaceMacro(p, macro, {100000, -100000}, drop);
    EXPECT_EQ(r.GroupBase, c.G);
    EXPECT_EQ(r.ComponentBase, c.C);
    EXPECT_FALSE(L()[0]->Selected);
    // Two components-or-groups would have been grouped; the component step
    // then made them one component without groups.
    ASSERT_EQ(r.Count, 5u);  // pads, track, new ID and value labels
    EXPECT_EQ(r.Component, 1 + c.C);
    for (TObjekt* e : Placed(r)) {
      EXPECT_TRUE(e->Selected);
      EXPECT_EQ(e->ComponentNo, 1 + c.C);
      EXPECT_TRUE(e->Groups.empty());
    }
    EXPECT_FLOAT_EQ(L()[r.First]->Pos.X, 100000);
    EXPECT_FLOAT_EQ(L()[r.First + 1]->Pos.X, 120000);
    EXPECT_FLOAT_EQ(L()[r.First + 1]->Pos.Y, -100000);
    // The macro is untouched.
    EXPECT_EQ(macro[0]->ComponentNo, 1);
    EXPECT_EQ(macro[2]->Groups, TGroupList{1});
    EXPECT_FLOAT_EQ(macro[1]->Pos.X, 20000);
  }
}

TEST_F(MacroPlaceTest, WithoutComponentTheCopiesAreGroupedAndLoseTheirComponent) {
  Pad(0, 0).ComponentNo = 1;
  Pad(20000, 0).ComponentNo = 1;
  Label(0, 10000, "R1", 1, 1);
  Label(0, 20000, "10k", 1, 2).Shown = 0;  // hidden: left out
  AddGroupNumber(Track({{0, -10000}, {20000, -10000}}, kLayerS1), 3);
  TObjektList macro = TakeMacro();
  AddGroupNumber(Pad(-50000, -50000), 4);

  const TMacroPlaced r = PlaceMacro(p, macro, {0, 0}, {});
  ASSERT_TRUE(r.Edit.Done());
  ASSERT_EQ(r.Count, 4u);
  EXPECT_EQ(r.GroupBase, 5);
  EXPECT_EQ(r.Component, 0);
  EXPECT_FALSE(r.OpenComponentDialog);
  EXPECT_EQ(r.Group, 9);  // above the raised group 3 + 5
  const auto placed = Placed(r);
  for (TObjekt* e : placed) {
    EXPECT_EQ(e->ComponentNo, 0);
    EXPECT_EQ(e->Groups.back(), 9);
  }
  EXPECT_EQ(placed[3]->Groups, (TGroupList{8, 9}));
  EXPECT_EQ(placed[2]->Kind, kKindText);
  EXPECT_EQ(placed[2]->LabelRole, 0);  // a plain text now
}

TEST_F(MacroPlaceTest, OneGroupRule) {
  struct Case {
    const char* name;
    int build;  // what the macro holds
    bool component;
    bool grouped;
  };
  for (const Case c : {Case{"one element", 0, false, false}, Case{"two loose elements", 1, false, true},
                       Case{"one group", 2, false, false}, Case{"one component kept", 3, true, false},
                       Case{"one component dropped", 3, false, true}, Case{"two groups", 4, false, true}}) {
    SCOPED_TRACE(c.name);
    L().clear();
    switch (c.build) {
      case 0: Pad(0, 0); break;
      case 1: Pad(0, 0), Pad(10000, 0); break;
      case 2: AddGroupNumber(Pad(0, 0), 1), AddGroupNumber(Pad(10000, 0), 1); break;
      case 3: Pad(0, 0).ComponentNo = 1, Pad(10000, 0).ComponentNo = 1; break;
      case 4: AddGroupNumber(Pad(0, 0), 1), AddGroupNumber(Pad(10000, 0), 2); break;
    }
    TObjektList macro = TakeMacro();
    // Without labels, "Add as component" would create them: test grouping only.
    TMacroDrop drop;
    drop.AddAsComponent = c.component;
    const TMacroPlaced r = PlaceMacro(p, macro, {0, 0}, drop);
    ASSERT_TRUE(r.Edit.Done());
    if (c.component) continue;  // the component step clears groups anyway
    EXPECT_EQ(r.Group != 0, c.grouped);
    if (r.Group) {
      for (TObjekt* e : Placed(r)) EXPECT_EQ(InnermostGroup(*e), r.Group);
    }
  }
}

TEST_F(MacroPlaceTest, ViasOnlyOnPlacedCopiesOnCopper) {
  Pad(0, 0, kLayerC1);
  Pad(10000, 0, kLayerC2);
  Pad(20000, 0, kLayerS1);
  Smd(30000, 0);
  TObjektList macro = TakeMacro();
  for (const bool vias : {false, true}) {
    SCOPED_TRACE(vias);
    TMacroDrop drop;
    drop.Vias = vias;
    const TMacroPlaced r = PlaceMacro(p, macro, {0, -50000}, drop);
    const auto placed = Placed(r);
    ASSERT_EQ(placed.size(), 4u);
    EXPECT_EQ(placed[0]->Via, vias ? 1 : 0);
    EXPECT_EQ(placed[1]->Via, vias ? 1 : 0);
    EXPECT_EQ(placed[2]->Via, 0);                      // silkscreen
    EXPECT_EQ(placed[3]->Via, 0);                      // SMD pad
    for (const auto& e : macro) EXPECT_EQ(e->Via, 0);  // the preview stays as it is
  }
}

TEST_F(MacroPlaceTest, ComponentStepLabelVisibilityAndSide) {
  struct Case {
    bool id, value, top;
  };
  for (const Case c :
       {Case{true, true, true}, Case{false, true, true}, Case{true, false, false}, Case{false, false, false}}) {
    SCOPED_TRACE(testing::Message() << c.id << c.value << c.top);
    L().clear();
    Pad(0, 0);
    Pad(30000, 0);
    TObjektList macro = TakeMacro();
    TMacroDrop drop;
    drop.AddAsComponent = true;
    drop.IdLabelVisible = c.id;
    drop.ValueLabelVisible = c.value;
    drop.Top = c.top;
    const TMacroPlaced r = PlaceMacro(p, macro, {100000, -100000}, drop);
    ASSERT_TRUE(r.OpenComponentDialog);
    EXPECT_TRUE(r.Edit.ComponentsChanged);
    ASSERT_EQ(r.Count, 4u);
    const TObjekt& id = *L()[r.First + 2];
    const TObjekt& value = *L()[r.First + 3];
    ASSERT_TRUE(IsIdLabel(id));
    ASSERT_TRUE(IsValueLabel(value));
    EXPECT_EQ(id.LabelVisible, c.id ? 1 : 0);
    EXPECT_EQ(value.LabelVisible, c.value ? 1 : 0);
    EXPECT_EQ(id.Layer, c.top ? kLayerS1 : kLayerS2);
    EXPECT_EQ(id.MirrorH, c.top ? 0 : 1);
    // Wider than tall: the labels sit above the pads, the ID label on top.
    EXPECT_GT(value.Pos.Y, -100000 + 9000);
    EXPECT_GT(id.Pos.Y, value.Pos.Y);
  }
}

TEST_F(MacroPlaceTest, KeptLabelsAndMoreThanOneComponent) {
  Pad(0, 0).ComponentNo = 1;
  Label(0, 10000, "R1", 1, 1).LabelVisible = 1;
  Label(0, 20000, "10k", 1, 2);
  TObjektList one = TakeMacro();
  TMacroDrop drop;
  drop.AddAsComponent = true;
  drop.ValueLabelVisible = false;
  const TMacroPlaced a = PlaceMacro(p, one, {0, 0}, drop);
  const TMacroPlaced b = PlaceMacro(p, one, {50000, 0}, drop);
  EXPECT_EQ(a.Count, 3u);  // no new labels
  EXPECT_NE(a.Component, b.Component);
  EXPECT_EQ(L()[a.First + 2]->LabelVisible, 0);
  EXPECT_EQ(L()[a.First + 1]->LabelVisible, 1);

  L().clear();
  Pad(0, 0).ComponentNo = 1;
  Pad(10000, 0).ComponentNo = 2;
  TObjektList two = TakeMacro();
  const TMacroPlaced r = PlaceMacro(p, two, {0, 0}, drop);
  EXPECT_FALSE(r.OpenComponentDialog);
  EXPECT_EQ(r.Count, 2u);
  EXPECT_NE(L()[0]->ComponentNo, L()[1]->ComponentNo);
  EXPECT_EQ(InnermostGroup(*L()[0]), r.Group);  // grouped instead
  EXPECT_NE(r.Group, 0);
}

TEST_F(MacroPlaceTest, NothingToPlaceChangesNothing) {
  Label(0, 0, "R1", 1, 1).Shown = 0;
  TObjektList macro = TakeMacro();
  const size_t depth = UndoDepth();
  EXPECT_EQ(PlaceMacro(p, macro, {0, 0}, {}).Edit.Status, TEditStatus::NoChange);
  EXPECT_EQ(UndoDepth(), depth);
  EXPECT_TRUE(L().empty());
}

TEST_F(MacroPlaceTest, PasteImportedPutsTheReferencePointAtThePoint) {
  Pad(10000, -20000);
  Pad(30000, -20000);
  AddGroupNumber(Pad(50000, -40000), 1);
  TObjektList imported = TakeMacro();
  AddGroupNumber(Pad(0, 0), 6);
  EXPECT_ONE_UNDO_STEP(PasteImported(p, imported, {100000, -100000}));
  ASSERT_TRUE(PasteImported(p, imported, {100000, -100000}).Done());
  ASSERT_EQ(L().size(), 4u);
  EXPECT_FLOAT_EQ(L()[1]->Pos.X, 100000);
  EXPECT_FLOAT_EQ(L()[1]->Pos.Y, -100000);
  EXPECT_FLOAT_EQ(L()[3]->Pos.X, 140000);
  EXPECT_FLOAT_EQ(L()[3]->Pos.Y, -120000);
  EXPECT_EQ(L()[3]->Groups.front(), 7);                         // raised above the board's groups
  EXPECT_EQ(InnermostGroup(*L()[1]), InnermostGroup(*L()[3]));  // one new group
  EXPECT_FALSE(L()[0]->Selected);
  EXPECT_FLOAT_EQ(imported[0]->Pos.X, 10000);  // left as it was
  EXPECT_EQ(PasteImported(p, {}, {0, 0}).Status, TEditStatus::NoChange);
}

TEST_F(MacroPlaceTest, SaveAsMacro) {
  const std::string path = TempFile("m.bmk");
  EXPECT_EQ(SaveBoardAsMacro(p, path, true).Message, kNoElementsOnBoard);

  TObjekt& a = Pad(10000, -20000);
  Pad(30000, -20000);
  Track({{0, 0}}, kLayerS1);  // undrawable: one point
  EXPECT_EQ(SaveBoardAsMacro(p, path, false).Status, TEditStatus::NeedsConfirmation);
  EXPECT_EQ(L().size(), 3u);  // nothing happened

  // The macro is written from a cleaned-up copy; the board keeps every
  // element and stays unchanged.
  size_t written = 0;
  ASSERT_TRUE(SaveBoardAsMacro(p, path, true, "Text one", "Text two", nullptr, &written).Done());
  EXPECT_EQ(written, 2u);
  EXPECT_EQ(L().size(), 3u);
  EXPECT_FALSE(p.Changed);
  TMacro m;
  ASSERT_TRUE(ReadMacroFile(path, m).Ok);
  ASSERT_EQ(m.Elements.size(), 2u);
  EXPECT_FLOAT_EQ(m.Elements[0]->Pos.X, 0);
  EXPECT_FLOAT_EQ(m.Elements[1]->Pos.X, 20000);
  EXPECT_FLOAT_EQ(m.Elements[1]->Pos.Y, 0);
  EXPECT_EQ(m.Text1, "Text one");

  // Only the selection; a modified loaded macro is written back first.
  SelectOnly({&a});
  TMacro loaded;
  ASSERT_TRUE(ReadMacroFile(path, loaded).Ok);
  loaded.Text2 = "changed";
  loaded.Modified = true;
  const std::string second = TempFile("n.bmk");
  ASSERT_TRUE(SaveBoardAsMacro(p, second, false, {}, {}, &loaded, &written).Done());
  EXPECT_EQ(written, 1u);
  EXPECT_FALSE(loaded.Modified);
  TMacro back;
  ASSERT_TRUE(ReadMacroFile(path, back).Ok);
  EXPECT_EQ(back.Text2, "changed");
  ASSERT_TRUE(ReadMacroFile(second, back).Ok);
  EXPECT_EQ(back.Elements.size(), 1u);
  EXPECT_TRUE(back.Text1.empty());
}

}  // namespace
}  // namespace bs::edit_test
