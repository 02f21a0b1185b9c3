#include <gtest/gtest.h>

#include "edit/undo.h"

namespace bs {
namespace {

TObjekt& AddPad(TBoard& b, float x) {
  auto e = NewObjekt();
  InitThtPad(*e, {x, 0}, kLayerC1, kShapeRound, 400, 900);
  b.Elements.push_back(std::move(e));
  return *b.Elements.back();
}

std::vector<float> Xs(const TBoard& b) {
  std::vector<float> xs;
  for (const auto& e : b.Elements) xs.push_back(e->Pos.X);
  return xs;
}

struct UndoTest : testing::Test {
  TProject p;
  void SetUp() override { ResetProject(p, TLanguage::English, false); }
  TBoard& B() { return *p.Active(); }
  void Change(float x) {
    RecordUndo(p);
    AddPad(B(), x);
  }
};

TEST_F(UndoTest, DepthOneKeepsTwoSnapshots) {
  p.Undo.Depth = 1;
  Change(1);
  Change(2);
  Change(3);
  EXPECT_EQ(B().UndoStack.size(), 2u);
  EXPECT_TRUE(Undo(p));
  EXPECT_EQ(Xs(B()), (std::vector<float>{1, 2}));
  EXPECT_TRUE(Undo(p));
  EXPECT_EQ(Xs(B()), (std::vector<float>{1}));
  EXPECT_FALSE(Undo(p));
  EXPECT_TRUE(Redo(p));
  EXPECT_TRUE(Redo(p));
  EXPECT_EQ(Xs(B()), (std::vector<float>{1, 2, 3}));
  EXPECT_FALSE(Redo(p));
}

TEST_F(UndoTest, NewChangeClearsRedoAndMarksTheProject) {
  Change(1);
  p.Changed = false;
  Undo(p);
  EXPECT_TRUE(CanRedo(p));
  Change(5);
  EXPECT_TRUE(p.Changed);
  EXPECT_FALSE(CanRedo(p));
}

// After a save, undo and redo take the board away from what was saved: the
// project must count as changed so that closing asks.
TEST_F(UndoTest, UndoAndRedoAfterASaveMarkTheProjectChanged) {
  Change(1);
  for (bool (*step)(TProject&) : {&Undo, &Redo}) {
    p.Changed = false;  // as a save leaves it
    ASSERT_TRUE(step(p));
    EXPECT_TRUE(p.Changed);
  }
  p.Changed = false;
  EXPECT_FALSE(Redo(p));  // nothing to redo: nothing changes
  EXPECT_FALSE(p.Changed);
}

TEST_F(UndoTest, RecordingSwitchDiscardAndBlocking) {
  p.Undo.Recording = false;
  Change(1);
  EXPECT_FALSE(CanUndo(p));
  p.Undo.Recording = true;
  Change(2);
  DiscardLastUndo(p);
  EXPECT_FALSE(CanUndo(p));
  Change(3);
  p.Undo.Blocked = true;  // a track is being drawn
  EXPECT_FALSE(Undo(p));
  EXPECT_EQ(B().Elements.size(), 3u);
  p.Undo.Blocked = false;
  EXPECT_TRUE(Undo(p));
  EXPECT_EQ(B().Elements.size(), 2u);
}

TEST_F(UndoTest, SizeZeroPointAndElementsTogetherNothingSelected) {
  AddPad(B(), 1).Selected = 1;
  RecordUndo(p);
  B().Platine.Width = 5;
  B().Platine.OriginX = 77;
  B().Elements.clear();
  ASSERT_TRUE(Undo(p));
  EXPECT_EQ(B().Platine.Width, 1600000);
  EXPECT_EQ(B().Platine.OriginX, 0);
  ASSERT_EQ(B().Elements.size(), 1u);
  EXPECT_EQ(B().Elements[0]->Selected, 0);
  ASSERT_TRUE(Redo(p));
  EXPECT_EQ(B().Platine.Width, 5);
  EXPECT_EQ(B().Platine.OriginX, 77);
  EXPECT_TRUE(B().Elements.empty());
}

TEST_F(UndoTest, ConnectionsSurviveUndoAndRedo) {
  TObjekt& a = AddPad(B(), 1);
  RecordUndo(p);  // b does not exist in this snapshot
  TObjekt& b = AddPad(B(), 2);
  a.Connections = {&b};
  b.Connections = {&a};
  RecordUndo(p);
  AddPad(B(), 3);

  ASSERT_TRUE(Undo(p));
  ASSERT_EQ(B().Elements.size(), 2u);
  EXPECT_EQ(B().Elements[0]->Connections, TRefList{B().Elements[1].get()});
  EXPECT_EQ(B().Elements[1]->Connections, TRefList{B().Elements[0].get()});
  ASSERT_TRUE(Undo(p));
  ASSERT_EQ(B().Elements.size(), 1u);
  EXPECT_TRUE(B().Elements[0]->Connections.empty());
  ASSERT_TRUE(Redo(p));
  EXPECT_EQ(B().Elements[0]->Connections, TRefList{B().Elements[1].get()});
}

TEST_F(UndoTest, EachBoardHasItsOwnStacks) {
  Change(1);
  AddBoard(p, "Second", 100, 100, false);
  EXPECT_FALSE(Undo(p));  // the new board has nothing to undo
  Change(2);
  SwitchBoard(p, 0);
  ASSERT_TRUE(Undo(p));
  EXPECT_TRUE(B().Elements.empty());
  SwitchBoard(p, 1);
  EXPECT_EQ(Xs(B()), (std::vector<float>{2}));
}

}  // namespace
}  // namespace bs
