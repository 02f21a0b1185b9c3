#include <gtest/gtest.h>

#include "project/newboard.h"

namespace bs {
namespace {

TNewBoardRequest Rect(double w, double h, double m) {
  TNewBoardRequest s;
  s.Kind = TNewBoardKind::Rectangle;
  s.WidthMm = w;
  s.HeightMm = h;
  s.MarginMm = m;
  return s;
}

TEST(NewBoard, RectangleOutlineAndZeroPoint) {
  TProject p;
  TBoard& b = AddNewBoard(p, Rect(100, 80, 10), false);
  EXPECT_EQ(b.Platine.Width, 1200000);
  EXPECT_EQ(b.Platine.Height, 1000000);
  EXPECT_EQ(b.Platine.OriginX, 100000);
  EXPECT_EQ(b.Platine.OriginY, -900000);
  ASSERT_EQ(b.Elements.size(), 1u);
  const TObjekt& t = *b.Elements[0];
  EXPECT_EQ(t.Kind, kKindTrack);
  EXPECT_EQ(t.Layer, kLayerO);
  EXPECT_EQ(t.Width, 0);
  EXPECT_EQ(t.Clearance, 0);
  const TPointList expected = {
      {100000, -100000}, {1100000, -100000}, {1100000, -900000}, {100000, -900000}, {100000, -100000}};
  EXPECT_EQ(t.Points, expected);

  TBoard& top = AddNewBoard(p, Rect(100, 80, 10), true);
  EXPECT_EQ(top.Platine.OriginY, -100000);
}

TEST(NewBoard, RoundOutlineAndEmptyWorkingSpace) {
  TProject p;
  TNewBoardRequest round;
  round.Kind = TNewBoardKind::Round;
  round.DiameterMm = 50;
  round.MarginMm = 5;
  TBoard& b = AddNewBoard(p, round, false);
  EXPECT_EQ(b.Platine.Width, 600000);
  EXPECT_EQ(b.Platine.Height, 600000);
  EXPECT_EQ(b.Platine.OriginX, 50000);
  EXPECT_EQ(b.Platine.OriginY, -550000);
  ASSERT_EQ(b.Elements.size(), 1u);
  const TObjekt& c = *b.Elements[0];
  EXPECT_EQ(c.Kind, kKindCircle);
  EXPECT_EQ(c.Pos, (TFPoint{300000, -300000}));
  EXPECT_EQ(c.SizeA, 250000);
  EXPECT_EQ(c.SizeB, 250000);
  EXPECT_EQ(c.Clearance, 0);

  TNewBoardRequest empty;
  empty.WidthMm = 12.34567;
  TBoard& e = AddNewBoard(p, empty, false);
  EXPECT_EQ(e.Platine.Width, 123457);  // x 10000, rounded
  EXPECT_EQ(e.Platine.OriginY, -1000000);
  EXPECT_TRUE(e.Elements.empty());
  EXPECT_EQ(StoredBoardName(e), "New board");
}

TEST(NewBoard, Validation) {
  struct Case {
    TNewBoardRequest request;
    std::string error;
  };
  TNewBoardRequest round;
  round.Kind = TNewBoardKind::Round;
  round.DiameterMm = 500;
  round.MarginMm = 0;
  TNewBoardRequest roundBig = round;
  roundBig.MarginMm = 1;
  TNewBoardRequest roundMargin = round;
  roundMargin.DiameterMm = 10;
  roundMargin.MarginMm = 100;
  TNewBoardRequest empty;
  empty.HeightMm = 0.5;
  TNewBoardRequest blankName = Rect(100, 100, 1);
  blankName.Name = "   ";
  const Case cases[] = {
      {Rect(490, 100, 10), "The board is too big!"},
      {Rect(490, 100, 5), ""},
      {Rect(100, 490, 6), "The board is too big!"},
      {round, ""},
      {roundBig, "The board is too big!"},
      {roundMargin, "The distance must lie between 0 mm and 99.99 mm."},
      {empty, "The height must lie between 1 mm and 500 mm."},
      {Rect(NAN, 10, 1), "The width must lie between 1 mm and 500 mm."},
      {blankName, "The board needs a name."},
  };
  for (const auto& c : cases) EXPECT_EQ(ValidateNewBoard(c.request), c.error);

  const TNewBoardLayout l = ComputeNewBoardLayout(Rect(490, 100, 10), false);
  EXPECT_TRUE(l.WidthTooBig);
  EXPECT_FALSE(l.HeightTooBig);
}

TEST(NewBoard, CommandsReportAndFlagChanges) {
  TProject p;
  std::vector<std::string> informed;
  TProjectUi ui;
  ui.Inform = [&](const std::string& m) { informed.push_back(m); };
  TNewBoardRequest s = Rect(100, 80, 10);
  s.Name = "Ctrl";
  EXPECT_EQ(NewBoardCommand(p, Rect(490, 100, 10), false, ui), "The board is too big!");
  EXPECT_TRUE(p.Boards.empty());
  EXPECT_EQ(NewBoardCommand(p, s, false, ui), "");
  EXPECT_TRUE(p.Changed);
  EXPECT_EQ(informed, std::vector<std::string>{"A new Board named \"Ctrl\" was added."});

  TProject fresh;
  fresh.FileName = "old.bsm6";
  fresh.Changed = true;
  NewProjectBoards(fresh, std::nullopt, TLanguage::English, false);
  ASSERT_EQ(fresh.Boards.size(), 1u);
  EXPECT_EQ(StoredBoardName(*fresh.Active()), "Board 1");
  EXPECT_EQ(fresh.Active()->Platine.Width, 1600000);
  EXPECT_TRUE(fresh.FileName.empty());
  EXPECT_FALSE(fresh.Changed);
}

}  // namespace
}  // namespace bs
