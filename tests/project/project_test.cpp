#include <gtest/gtest.h>

#include "model/objekt_list.h"
#include "project/project.h"

namespace bs {
namespace {

struct UiLog {
  std::vector<std::string> asked, informed;
  bool confirm = true;
  TAnswer answer = TAnswer::No;
  TProjectUi Ui() {
    return {[this](const std::string& q) {
              asked.push_back(q);
              return confirm;
            },
            [this](const std::string& q) {
              asked.push_back(q);
              return answer;
            },
            [this](const std::string& m) { informed.push_back(m); }};
  }
};

TObjekt& AddPad(TBoard& b, float x, uint8_t layer = kLayerC1) {
  auto e = NewObjekt();
  InitThtPad(*e, {x, 0}, layer, kShapeRound, 400, 900);
  b.Elements.push_back(std::move(e));
  return *b.Elements.back();
}

TEST(Project, StartsWithOneUnchangedBoard) {
  TProject p;
  ResetProject(p, TLanguage::English, false);
  ASSERT_EQ(p.Boards.size(), 1u);
  EXPECT_EQ(p.ActiveIndex, 0);
  EXPECT_EQ(p.Boards[0]->Caption, "Board 1 ");
  EXPECT_EQ(p.Boards[0]->Platine.Width, 1600000);
  EXPECT_EQ(p.Boards[0]->Platine.Height, 1000000);
  EXPECT_FALSE(p.Changed);
  ResetProject(p, TLanguage::Russian, false);
  EXPECT_EQ(StoredBoardName(*p.Boards[0]), "\xCF\xEB\xE0\xF2\xE0 1");
  ResetProject(p, TLanguage::French, false);
  EXPECT_EQ(StoredBoardName(*p.Boards[0]), "Carte 1");
}

TEST(Project, BoardNamesAreTrimmedAndCut) {
  TProject p;
  AddBoard(p, "  Top  ", 10, 10, false);
  EXPECT_EQ(p.Active()->Caption, "  Top   ");  // three trailing blanks on the tab
  EXPECT_EQ(StoredBoardName(*p.Active()), "Top");
  AddBoard(p, std::string(40, 'n'), 10, 10, false);
  EXPECT_EQ(StoredBoardName(*p.Active()), std::string(30, 'n'));
}

TEST(Project, CopyBoardKeepsConnectionsInsideTheCopy) {
  TProject p;
  AddBoard(p, "Main", 500, 400, false);
  TBoard& src = *p.Active();
  src.Platine.Grid = 2540;
  TObjekt& a = AddPad(src, 0);
  TObjekt& b = AddPad(src, 1000);
  a.Connections = {&b};
  b.Connections = {&a};

  TBoard& copy = CopyActiveBoard(p, TLanguage::French);
  EXPECT_EQ(p.ActiveIndex, 1);
  EXPECT_TRUE(p.Changed);
  EXPECT_EQ(StoredBoardName(copy), "Copie de Main");
  EXPECT_EQ(copy.Platine, src.Platine);
  ASSERT_EQ(copy.Elements.size(), 2u);
  TObjekt& ca = *copy.Elements[0];
  TObjekt& cb = *copy.Elements[1];
  EXPECT_EQ(ca.Connections, TRefList{&cb});
  EXPECT_EQ(cb.Connections, TRefList{&ca});
  EXPECT_EQ(a.Connections, TRefList{&b});  // the source is untouched
}

TEST(Project, DeleteBoardAsksAndRefusesTheLast) {
  TProject p;
  UiLog log;
  AddBoard(p, "One", 10, 10, false);
  EXPECT_FALSE(DeleteActiveBoard(p, log.Ui()));
  EXPECT_EQ(log.informed, std::vector<std::string>{"A project must at least contains one board."});
  EXPECT_FALSE(p.Changed);

  AddBoard(p, "Two", 10, 10, false);
  AddBoard(p, "Three", 10, 10, false);
  SwitchBoard(p, 1);
  log.confirm = false;
  EXPECT_FALSE(DeleteActiveBoard(p, log.Ui()));
  EXPECT_EQ(log.asked.back(), "Delete board \"Two\" ?");
  EXPECT_TRUE(p.Changed);  // set even when the user declined
  EXPECT_EQ(p.Boards.size(), 3u);

  log.confirm = true;
  EXPECT_TRUE(DeleteActiveBoard(p, log.Ui()));
  ASSERT_EQ(p.Boards.size(), 2u);
  EXPECT_EQ(StoredBoardName(*p.Active()), "Three");  // the tab that took its place
  EXPECT_TRUE(DeleteActiveBoard(p, log.Ui()));
  EXPECT_EQ(StoredBoardName(*p.Active()), "One");  // the last one was deleted
}

TEST(Project, MoveBoards) {
  TProject p;
  for (const char* n : {"A", "B", "C", "D"}) AddBoard(p, n, 10, 10, false);
  auto order = [&] {
    std::string s;
    for (const auto& b : p.Boards) s += StoredBoardName(*b);
    return s;
  };
  SwitchBoard(p, 0);
  EXPECT_FALSE(MoveActiveBoard(p, TBoardMove::Left));
  EXPECT_FALSE(MoveActiveBoard(p, TBoardMove::ToStart));
  EXPECT_FALSE(p.Changed);
  EXPECT_TRUE(MoveActiveBoard(p, TBoardMove::Right));
  EXPECT_EQ(order(), "BACD");
  EXPECT_EQ(p.ActiveIndex, 1);
  EXPECT_TRUE(p.Changed);
  EXPECT_TRUE(MoveActiveBoard(p, TBoardMove::ToEnd));
  EXPECT_EQ(order(), "BCDA");
  EXPECT_EQ(StoredBoardName(*p.Active()), "A");
  p.Changed = false;
  EXPECT_FALSE(MoveActiveBoard(p, TBoardMove::Right));
  EXPECT_FALSE(p.Changed);
  SwitchBoard(p, 2);
  EXPECT_TRUE(MoveActiveBoard(p, TBoardMove::ToStart));
  EXPECT_EQ(order(), "DBCA");
  EXPECT_TRUE(MoveActiveBoard(p, TBoardMove::Right));
  EXPECT_TRUE(MoveActiveBoard(p, TBoardMove::Left));
  EXPECT_EQ(order(), "DBCA");
}

TEST(Project, SwitchingKeepsEachBoardsOwnState) {
  TProject p;
  AddBoard(p, "A", 10, 10, false).Platine.Zoom = 0.5;
  AddBoard(p, "B", 20, 20, false).Platine.Zoom = 0.25;
  SwitchBoard(p, 0);
  EXPECT_EQ(p.Active()->Platine.Zoom, 0.5);
  SwitchBoard(p, 7);  // no such board: nothing happens
  EXPECT_EQ(p.ActiveIndex, 0);
}

TEST(Project, ApplyBoardPropertiesAndInnerLayers) {
  TProject p;
  TBoard& b = AddBoard(p, "A", 10, 10, false);
  b.Platine.Multilayer = 1;
  b.Platine.LayerVisible[5] = b.Platine.LayerVisible[6] = 1;
  b.Platine.GroundPlane[5] = 1;
  TObjekt& top = AddPad(b, 0, kLayerC1);
  TObjekt& inner = AddPad(b, 1000, kLayerI1);
  top.Connections = {&inner};
  inner.Connections = {&top};

  int asked = 0;
  auto refuse = [&] {
    ++asked;
    return false;
  };
  EXPECT_EQ(ApplyBoardProperties(p, 300, 200, " Renamed ", false, refuse), TApplyResult::MultilayerKept);
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(b.Platine.Multilayer, 1);
  EXPECT_EQ(b.Elements.size(), 2u);
  EXPECT_EQ(b.Platine.Width, 300);
  EXPECT_EQ(b.Caption, "Renamed ");
  EXPECT_TRUE(p.Changed);

  auto accept = [&] {
    ++asked;
    return true;
  };
  EXPECT_EQ(ApplyBoardProperties(p, 300, 200, "Renamed", false, accept), TApplyResult::Applied);
  EXPECT_EQ(b.Platine.Multilayer, 0);
  ASSERT_EQ(b.Elements.size(), 1u);
  EXPECT_TRUE(top.Connections.empty());
  EXPECT_EQ(b.Platine.GroundPlane[5], 0);
  EXPECT_EQ(b.Platine.LayerVisible[5], 0);
  EXPECT_EQ(b.Platine.LayerVisible[6], 0);

  // No inner elements: no question; switching on shows the inner layers.
  asked = 0;
  ApplyBoardProperties(p, 300, 200, "Renamed", true, accept);
  ApplyBoardProperties(p, 300, 200, "Renamed", false, accept);
  EXPECT_EQ(asked, 0);
  ApplyBoardProperties(p, 300, 200, "Renamed", true, accept);
  EXPECT_EQ(b.Platine.LayerVisible[5], 1);

  // A board never loses its name: an empty one keeps the old.
  ApplyBoardProperties(p, 300, 200, "  ", true, accept);
  EXPECT_EQ(b.Caption, "Renamed ");
}

// Opening reads into a project of its own, which then replaces the open one
// whole; the undo settings stay with the editor.
TEST(Project, TakingOverAReadProjectKeepsTheUndoSettings) {
  TProject open;
  ResetProject(open, TLanguage::English, false);
  open.Undo.Depth = 7;
  open.LastDirectory = "/last";
  open.Changed = true;
  TProject read;
  AddBoard(read, "A", 10, 10, false);
  AddBoard(read, "B", 10, 10, false);
  read.ActiveIndex = 0;
  read.FileName = "/x/read.bsm6";
  read.Info.Title = "T";
  TakeOverProject(open, std::move(read));
  ASSERT_EQ(open.Boards.size(), 2u);
  EXPECT_EQ(open.ActiveIndex, 0);
  EXPECT_EQ(open.Active()->Caption, "A ");
  EXPECT_EQ(open.FileName, "/x/read.bsm6");
  EXPECT_EQ(open.Info.Title, "T");
  EXPECT_FALSE(open.Changed);
  EXPECT_EQ(open.Undo.Depth, 7);
  EXPECT_EQ(open.LastDirectory, "/last");
  EXPECT_TRUE(read.Boards.empty());
}

TEST(Project, CloseAsksOnlyWhenThereIsSomethingToLose) {
  UiLog log;
  int saves = 0;
  bool saveWorks = true;
  auto save = [&] {
    ++saves;
    return saveWorks;
  };

  TProject p;
  ResetProject(p, TLanguage::English, false);
  p.Changed = true;  // one empty board: nothing to save
  EXPECT_TRUE(CloseProject(p, log.Ui(), save));
  EXPECT_TRUE(log.asked.empty());
  EXPECT_TRUE(p.Boards.empty());

  struct Case {
    TAnswer answer;
    bool saveWorks;
    bool closed;
    int saves;
  };
  for (const Case c : {Case{TAnswer::Cancel, true, false, 0}, Case{TAnswer::Yes, false, false, 1},
                       Case{TAnswer::Yes, true, true, 1}, Case{TAnswer::No, true, true, 0}}) {
    ResetProject(p, TLanguage::English, false);
    AddPad(*p.Active(), 0);
    p.Info.Title = "T";
    p.Changed = true;
    log.asked.clear();
    log.answer = c.answer;
    saveWorks = c.saveWorks;
    saves = 0;
    EXPECT_EQ(CloseProject(p, log.Ui(), save), c.closed);
    EXPECT_EQ(log.asked, std::vector<std::string>{"Save changes?"});
    EXPECT_EQ(saves, c.saves);
    EXPECT_EQ(p.Boards.empty(), c.closed);
    EXPECT_EQ(p.Info.Title.empty(), c.closed);
  }

  // Unchanged projects close without a question.
  ResetProject(p, TLanguage::English, false);
  AddPad(*p.Active(), 0);
  log.asked.clear();
  EXPECT_TRUE(CloseProject(p, log.Ui(), save));
  EXPECT_TRUE(log.asked.empty());
}

}  // namespace
}  // namespace bs
