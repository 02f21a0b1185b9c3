#include "edit/availability.h"

#include <gtest/gtest.h>

#include "edit_fixture.h"

namespace bs::edit_test {
namespace {

using AvailabilityTest = EditTest;

// The commands that need a selection outside the connection and autoroute tools.
std::vector<bool> SelectionCommands(const TCommandState& s) {
  return {s.Copy,           s.Cut,          s.Delete,          s.Duplicate,  s.Rotate, s.MirrorHorizontal,
          s.MirrorVertical, s.SnapToGrid,   s.ChangeBoardSide, s.SetToLayer, s.Name,   s.MakeComponent,
          s.TileArrange,    s.ZoomSelection};
}

TEST_F(AvailabilityTest, EmptyBoardEnablesNothingButThroughPad) {
  const TCommandState s = CommandState(p, TClipboard{}, 0);
  for (bool on : SelectionCommands(s)) EXPECT_FALSE(on);
  EXPECT_FALSE(s.BuildGroup || s.Align || s.SplitGroup || s.Paste || s.SelectAll || s.ZoomObjects);
  EXPECT_FALSE(s.Undo || s.Redo || s.ZoomPrevious || s.RemoveConnections || s.DeleteBoard || s.MoveBoard);
  EXPECT_TRUE(s.ThroughPad);
}

TEST_F(AvailabilityTest, SelectionCommandsByToolAndUnits) {
  TObjekt& a = Pad(10000, -10000);
  TObjekt& b = Pad(20000, -10000);
  TObjekt& c = Pad(30000, -10000);
  for (TObjekt* e : {&b, &c}) AddGroupNumber(*e, 2);
  struct Case {
    std::vector<TObjekt*> selection;
    int tool;
    bool selectionCommands, groupAndAlign, split;
  };
  const Case cases[] = {
      {{&a}, 0, true, false, false},       {{&b, &c}, 0, true, false, true},   // one unit
      {{&a, &b, &c}, 0, true, true, true}, {{&a, &b}, 9, false, false, true},  // connections tool
      {{&a, &b}, 11, false, false, true},                                      // autoroute tool
      {{&a, &b}, 12, true, true, true},    {{}, 0, false, false, false},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(testing::Message() << k.selection.size() << " selected, tool " << k.tool);
    DeselectAll(L());
    for (TObjekt* e : k.selection) e->Selected = 1;
    const TCommandState s = CommandState(p, TClipboard{}, k.tool);
    for (bool on : SelectionCommands(s)) EXPECT_EQ(on, k.selectionCommands);
    EXPECT_EQ(s.BuildGroup, k.groupAndAlign);
    EXPECT_EQ(s.Align, k.groupAndAlign);
    EXPECT_EQ(s.SplitGroup, k.split);
    EXPECT_TRUE(s.SelectAll && s.ZoomObjects);
  }
}

TEST_F(AvailabilityTest, ClipboardStacksConnectionsAndBoards) {
  TObjekt& a = Pad(10000, -10000);
  TObjekt& b = Pad(20000, -10000);
  TClipboard clip;
  a.Selected = 1;
  CopySelection(p, clip);
  EXPECT_TRUE(CommandState(p, clip, 0).Paste);

  EXPECT_FALSE(CommandState(p, clip, 0).RemoveConnections);
  Connect(a, b);
  EXPECT_TRUE(CommandState(p, clip, 0).RemoveConnections);

  RecordUndo(p);
  B().ZoomHistory.push_back({});
  TCommandState s = CommandState(p, clip, 0);
  EXPECT_TRUE(s.Undo && s.ZoomPrevious);
  EXPECT_FALSE(s.Redo);
  Undo(p);
  s = CommandState(p, clip, 0);
  EXPECT_TRUE(s.Redo);
  EXPECT_FALSE(s.Undo);

  EXPECT_FALSE(s.DeleteBoard || s.MoveBoard);
  AddBoard(p, "Two", 1000000, 1000000, true);
  s = CommandState(p, clip, 0);
  EXPECT_TRUE(s.DeleteBoard && s.MoveBoard);
  EXPECT_FALSE(s.SelectAll);  // the new board is empty
  EXPECT_TRUE(s.Paste);       // the clipboard stays
}

TEST_F(AvailabilityTest, ThroughPadNeedsNoSelectionOrACopperThtPad) {
  TObjekt& smd = Smd(10000, -10000);
  TObjekt& silk = Pad(20000, -10000, kLayerS1);
  TObjekt& copper = Pad(30000, -10000, kLayerC2);
  SelectOnly({&smd, &silk});
  EXPECT_FALSE(CommandState(p, TClipboard{}, 0).ThroughPad);
  copper.Selected = 1;
  EXPECT_TRUE(CommandState(p, TClipboard{}, 0).ThroughPad);
}

TEST_F(AvailabilityTest, ComponentListShowsTheComponentThatIsExactlyTheSelection) {
  TObjekt& p1 = Pad(10000, -10000);
  TObjekt& p2 = Pad(20000, -10000);
  for (TObjekt* e : {&p1, &p2}) e->ComponentNo = 3;
  TObjekt& hidden = Label(10000, -30000, "C1", 3, 2);
  hidden.LabelVisible = 0;
  TObjekt& q = Pad(40000, -10000);
  q.ComponentNo = 4;
  TObjekt& grouped = Track({Pt(0, 0), Pt(10000, 0)});
  AddGroupNumber(grouped, 7);
  TObjekt& loose = Track({Pt(0, -1000), Pt(10000, -1000)});
  struct Case {
    std::vector<TObjekt*> selection;
    int32_t shown;
  };
  const Case cases[] = {
      {{&p1, &p2}, 3},                        // the hidden label need not be selected
      {{&p1, &p2, &hidden}, 3},  {{&p1}, 0},  // only part of it
      {{&p1, &p2, &grouped}, 3},              // grouped elements without component are tolerated
      {{&p1, &p2, &loose}, 0},   {{&p1, &p2, &q}, 0}, {{}, 0},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.selection.size());
    SelectOnly({});
    for (TObjekt* e : k.selection) e->Selected = 1;
    EXPECT_EQ(SelectedComponent(p), k.shown);
  }
}

}  // namespace
}  // namespace bs::edit_test
