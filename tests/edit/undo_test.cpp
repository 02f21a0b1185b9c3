#include <gtest/gtest.h>

#include "edit/undo.h"
#include "io/project_file.h"
#include "model/geometry.h"
#include "synth/synth_board.h"

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

// Undo brings back exactly what was there, byte for byte as saved, also
// when snapshots share the copies of elements that only moved: moves of
// everything, of some and of single elements, mixed with other changes.
TEST(UndoSharing, StepsOnABoardOfEveryKindComeBackExactly) {
  TProject p;
  TSynthOptions opt;
  opt.Elements = 1500;
  opt.Multilayer = true;
  MakeSynthProject(p, opt);
  TBoard& b = *p.Active();
  b.Elements[3]->Pos.X = -0.0f;  // the sign of zero is kept too
  std::vector<std::vector<uint8_t>> states{EncodeProject(p)};
  auto step = [&](const std::function<void()>& change) {
    RecordUndo(p);
    change();
    states.push_back(EncodeProject(p));
  };
  step([&] {
    for (auto& e : b.Elements) MoveObjekt(*e, 25400, 0);
  });
  step([&] {
    for (auto& e : b.Elements) MoveObjekt(*e, 0, -12700);
  });
  step([&] {
    for (size_t i = 0; i < b.Elements.size(); i += 3) MoveObjekt(*b.Elements[i], 0.5, 1000.25);  // off the grid
  });
  step([&] { b.Elements[10]->Width += 100; });
  step([&] { b.Elements.erase(b.Elements.begin() + 5); });
  step([&] {
    for (auto& e : b.Elements) RotateObjekt(*e, {100000, -100000}, 90);
  });
  for (size_t k = states.size() - 1; k > 0; --k) {
    SCOPED_TRACE("undo to state " + std::to_string(k - 1));
    ASSERT_TRUE(Undo(p));
    EXPECT_TRUE(EncodeProject(p) == states[k - 1]);
  }
  for (size_t k = 1; k < states.size(); ++k) {
    SCOPED_TRACE("redo to state " + std::to_string(k));
    ASSERT_TRUE(Redo(p));
    EXPECT_TRUE(EncodeProject(p) == states[k]);
  }
}

// A step costs copies only of what it changed: after a move of everything
// every element of the new snapshot is the frozen copy of the one before,
// moved; a change of one element copies that element alone.
TEST(UndoSharing, SnapshotsShareWhatDidNotChange) {
  TProject p;
  TSynthOptions opt;
  opt.Elements = 500;
  MakeSynthProject(p, opt);
  TBoard& b = *p.Active();
  RecordUndo(p);
  for (auto& e : b.Elements) MoveObjekt(*e, 12700, -25400);
  RecordUndo(p);
  b.Elements[7]->Clearance += 1000;
  RecordUndo(p);
  ASSERT_EQ(b.UndoStack.size(), 3u);
  const auto& first = b.UndoStack[0].Elements;
  const auto& moved = b.UndoStack[1].Elements;
  const auto& changed = b.UndoStack[2].Elements;
  size_t shared = 0, newCopies = 0;
  for (size_t i = 0; i < first.size(); ++i) {
    shared += moved[i].Base == first[i].Base && moved[i].Offset == TDPoint{12700, -25400};
    newCopies += changed[i].Base != moved[i].Base;
  }
  EXPECT_EQ(shared, first.size());
  EXPECT_EQ(newCopies, 1u);
  EXPECT_NE(changed[7].Base, moved[7].Base);
}

}  // namespace
}  // namespace bs
