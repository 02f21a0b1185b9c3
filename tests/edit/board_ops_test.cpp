#include "edit/board_ops.h"

#include <gtest/gtest.h>

#include "edit_fixture.h"

namespace bs::edit_test {
namespace {

using BoardOpsTest = EditTest;

TEST_F(BoardOpsTest, SelectAllTakesWhatIsShown) {
  TObjekt& shown = Pad(10000, -10000);
  TObjekt& inner = Track({Pt(0, 0), Pt(10000, 0)}, kLayerI1);  // I1 is hidden on a new board
  TObjekt& text = Text(10000, -30000, "X");
  TObjekt& hidden = Label(10000, -50000, "R1", 2, 1);
  hidden.LabelVisible = 0;
  EXPECT_TRUE(SelectAll(p));
  EXPECT_TRUE(shown.Selected);
  EXPECT_FALSE(inner.Selected);
  EXPECT_TRUE(text.Selected && text.SubElements.front()->Selected);
  EXPECT_FALSE(hidden.Selected);
  EXPECT_EQ(UndoDepth(), 0u);
}

TEST_F(BoardOpsTest, NamingTrimsAndSelectingByNameTakesExactlyThoseElements) {
  TObjekt& a = Pad(10000, -10000);
  TObjekt& b = Pad(20000, -10000);
  TObjekt& c = Track({Pt(0, 0), Pt(10000, 0)});
  c.Text2 = "VCC";
  SelectOnly({&a, &b});
  EXPECT_EQ(FirstSelectedName(p), "");
  EXPECT_ONE_UNDO_STEP(NameSelection(p, "  GND  "));
  SelectOnly({L()[0].get(), L()[1].get()});
  NameSelection(p, "  GND  ");
  EXPECT_EQ(L()[0]->Text2, "GND");
  EXPECT_EQ(L()[1]->Text2, "GND");
  EXPECT_EQ(FirstSelectedName(p), "GND");
  EXPECT_NO_UNDO_STEP(NameSelection(p, "GND"));

  // The entry offers the name under the pointer, else the selection's.
  TObjekt& track = *L()[2];
  EXPECT_EQ(NameToSelect(p, &track), std::optional<TByteString>("VCC"));
  track.Text2.clear();
  EXPECT_EQ(NameToSelect(p, &track), std::optional<TByteString>("GND"));
  DeselectAll(L());
  EXPECT_EQ(NameToSelect(p, &track), std::nullopt);

  track.Selected = 1;
  EXPECT_EQ(SelectByName(p, "GND"), 2u);
  EXPECT_TRUE(L()[0]->Selected && L()[1]->Selected);
  EXPECT_FALSE(track.Selected);
}

TEST_F(BoardOpsTest, DeleteOutsideKeepsUnitsThatTouchTheBoard) {
  const float w = static_cast<float>(B().Platine.Width);  // 1600000
  Pad(10000, -10000);                                     // 0: inside
  Smd(w + 5000, -10000);                                  // 1: 1 mm wide, its left edge on the right board edge
  Smd(w + 5001, -40000);                                  // 2: one unit further out
  TObjekt& g1 = Pad(w - 20000, -50000);                   // 3, 4: one group across the edge
  TObjekt& g2 = Pad(w + 40000, -50000);
  for (TObjekt* e : {&g1, &g2}) AddGroupNumber(*e, 3);
  Pad(50000, 30000).ComponentNo = 5;  // 5, 6: a component above the board
  Label(50000, 50000, "U1", 5, 1);
  Connect(*L()[0], *L()[5]);

  EXPECT_ONE_UNDO_STEP(DeleteOutsideBoard(p));
  const TEditResult r = DeleteOutsideBoard(p);
  ASSERT_TRUE(r.Done());
  EXPECT_TRUE(r.ComponentsChanged);
  ASSERT_EQ(L().size(), 4u);
  EXPECT_EQ(L()[1]->Kind, kKindSmdPad);
  EXPECT_EQ(L()[2]->Pos, Pt(w - 20000, -50000));
  EXPECT_EQ(L()[3]->Pos, Pt(w + 40000, -50000));
  EXPECT_TRUE(L()[0]->Connections.empty());
  EXPECT_NO_UNDO_STEP(DeleteOutsideBoard(p));
}

TEST_F(BoardOpsTest, SolderMaskAndThroughPadSwitches) {
  Pad(10000, -10000);
  Pad(20000, -10000, kLayerS1);
  Smd(30000, -10000);
  Pad(40000, -10000, kLayerI1);  // on a hidden layer
  auto selectAll = [&] { SelectOnly({L()[0].get(), L()[1].get(), L()[2].get(), L()[3].get()}); };

  EXPECT_ONE_UNDO_STEP(ToggleSolderMask(p, *L()[0]));
  ToggleSolderMask(p, *L()[0]);
  EXPECT_EQ(L()[0]->SolderMask, 0);
  auto stranger = NewObjekt();
  EXPECT_NO_UNDO_STEP(ToggleSolderMask(p, *stranger));

  selectAll();
  EXPECT_ONE_UNDO_STEP(ApplyThroughPad(p, true));
  selectAll();
  ApplyThroughPad(p, true);
  EXPECT_EQ(L()[0]->Via, 1);
  EXPECT_EQ(L()[1]->Via, 0);  // not on copper
  EXPECT_EQ(L()[3]->Via, 0);  // not shown
  EXPECT_NO_UNDO_STEP(ApplyThroughPad(p, true));
  ApplyThroughPad(p, false);
  EXPECT_EQ(L()[0]->Via, 0);
}

TEST_F(BoardOpsTest, ResetSolderMaskRestoresTheDefaultsWithoutUndo) {
  TObjekt& pad = Pad(10000, -10000);
  TObjekt& smdOnSilk = Smd(20000, -10000, kLayerS1);
  TObjekt& track = Track({Pt(0, 0), Pt(10000, 0)});
  pad.SolderMask = 0;
  smdOnSilk.SolderMask = 1;
  track.SolderMask = 1;
  p.Changed = false;
  ResetBoardSolderMask(p);
  EXPECT_EQ(pad.SolderMask, 1);
  EXPECT_EQ(smdOnSilk.SolderMask, 0);
  EXPECT_EQ(track.SolderMask, 0);
  EXPECT_TRUE(p.Changed);
  EXPECT_EQ(UndoDepth(), 0u);
}

}  // namespace
}  // namespace bs::edit_test
