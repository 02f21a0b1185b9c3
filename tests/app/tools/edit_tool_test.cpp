#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <cmath>
#include <filesystem>
#include <functional>
#include <memory>

#include "edit/units.h"
#include "model/geometry.h"
#include "model/objekt.h"
#include "private_folders.h"
#include "render/view.h"
#include "tools/edit_tool.h"
#include "tools/measure_tool.h"
#include "tools/placement_tool.h"
#include "tools/tool_geometry.h"
#include "tools/tool_palette.h"
#include "tools/tools.h"
#include "view/board_view.h"
#include "window/edit_commands.h"
#include "window/key_panel.h"
#include "window/main_window.h"

#include "window_fixture.h"

namespace bs::app {
namespace {

using EditToolTest = test::TWindowTest;

// The test tool highlights what copper joins to the clicked element; SHIFT
// adds another net, a plain click starts afresh, a right click edits again.
TEST_F(EditToolTest, TestToolHighlightsWhatCopperJoins) {
  TObjekt& a = Pad(200, 200);
  TObjekt& b = Pad(300, 200);
  Track({QPoint(200, 200), QPoint(300, 200)});
  TObjekt& c = Pad(500, 400);
  w->SetTool(kToolTest);
  ASSERT_EQ(w->Tool(), kToolTest);
  QTest::mouseClick(vp, Qt::LeftButton, {}, QPoint(300, 200));
  auto marked = [this] {
    size_t n = 0;
    for (const auto& e : Board().Elements) n += e->Selected;
    return n;
  };
  EXPECT_TRUE(a.Selected && b.Selected);
  EXPECT_FALSE(c.Selected);
  EXPECT_EQ(marked(), 3u);
  QTest::mouseClick(vp, Qt::LeftButton, Qt::ShiftModifier, QPoint(500, 400));
  EXPECT_EQ(marked(), 4u);
  QTest::mouseClick(vp, Qt::LeftButton, {}, QPoint(500, 400));
  EXPECT_EQ(marked(), 1u);
  QTest::mouseClick(vp, Qt::LeftButton, {}, QPoint(700, 600));  // nothing there
  EXPECT_EQ(marked(), 0u);
  QTest::mouseClick(vp, Qt::RightButton, {}, QPoint(700, 600));
  EXPECT_EQ(w->Tool(), kToolEdit);
}

// With "Blinking TEST mode" the highlight switches to the darker selection
// colour and back every 500 ms while the tool is active, and stops with it.
TEST_F(EditToolTest, TestHighlightBlinksOnlyWhileTheToolIsActive) {
  for (bool blink : {true, false}) {
    w->Settings().Options.BlinkTest = blink;
    w->SetTool(kToolTest);
    bool sawDark = false;
    for (int i = 0; i < 14 && !sawDark; ++i) {
      QTest::qWait(50);
      sawDark = view->Settings().BlinkDark;
    }
    QTest::qWait(600);  // at least one more tick
    sawDark = sawDark || view->Settings().BlinkDark;
    EXPECT_EQ(sawDark, blink);
    w->SetTool(kToolEdit);
    EXPECT_FALSE(view->Settings().BlinkDark);
  }
}

TEST_F(EditToolTest, ClickSelectsShiftTogglesAndEmptySpaceDeselects) {
  TObjekt& a = Pad(200, 200);
  TObjekt& b = Pad(300, 200);
  EXPECT_FALSE(Command(TEditCommands::kCopy)->isEnabled());
  QTest::mouseClick(vp, Qt::LeftButton, {}, QPoint(202, 201));
  EXPECT_TRUE(a.Selected);
  EXPECT_FALSE(b.Selected);
  EXPECT_TRUE(Command(TEditCommands::kCopy)->isEnabled());
  EXPECT_FALSE(Command(TEditCommands::kBuildGroup)->isEnabled());  // one unit
  QTest::mouseClick(vp, Qt::LeftButton, Qt::ShiftModifier, QPoint(300, 200));
  EXPECT_TRUE(a.Selected && b.Selected);
  EXPECT_TRUE(Command(TEditCommands::kBuildGroup)->isEnabled());
  // SHIFT on a selected element deselects only that one.
  QTest::mouseClick(vp, Qt::LeftButton, Qt::ShiftModifier, QPoint(200, 200));
  EXPECT_FALSE(a.Selected);
  EXPECT_TRUE(b.Selected);
  // Without SHIFT an unselected element becomes the only selection.
  QTest::mouseClick(vp, Qt::LeftButton, {}, QPoint(200, 200));
  EXPECT_TRUE(a.Selected);
  EXPECT_FALSE(b.Selected);
  QTest::mouseClick(vp, Qt::LeftButton, {}, QPoint(600, 400));
  EXPECT_FALSE(a.Selected || b.Selected);
  EXPECT_FALSE(Command(TEditCommands::kCopy)->isEnabled());
  EXPECT_EQ(UndoDepth(), 0u);  // selecting is no change
}

// The rectangle is drawn over the kept picture (the board is not painted
// while it grows) and selects what its outline touches, not only what lies
// inside it.
TEST_F(EditToolTest, RubberBandSelectsWhatItTouches) {
  TObjekt& touched = Pad(400, 300);  // reaches from 391 to 409 pixels
  TObjekt& apart = Pad(500, 300);
  TObjekt& kept = Pad(100, 100);                                 // selected before: SHIFT keeps it
  TObjekt& track = Track({QPoint(380, 200), QPoint(380, 400)});  // crosses the rectangle's left edge
  kept.Selected = 1;
  vp->repaint();
  const QPoint from(350, 250), to(401, 293);  // the corner cuts the pad's rim, not its centre
  QTest::mousePress(vp, Qt::LeftButton, Qt::ShiftModifier, from);
  vp->repaint();
  const TBoardView::TPaintCount before = view->PaintCount();
  for (int step = 1; step <= 4; ++step) MoveTo(from + (to - from) * step / 4, Qt::LeftButton, Qt::ShiftModifier);
  QApplication::processEvents();
  EXPECT_EQ(view->PaintCount().Whole, before.Whole);
  EXPECT_EQ(view->PaintCount().Parts, before.Parts);
  EXPECT_TRUE(w->ToolHint().contains("selection area"));
  const QImage shown = vp->grab().toImage();
  const QColor contrast(Red(view->Settings().Scheme.Contrast()), Green(view->Settings().Scheme.Contrast()),
                        Blue(view->Settings().Scheme.Contrast()));
  int onFrame = 0;
  for (int y = from.y(); y < to.y(); ++y) onFrame += QColor(shown.pixel(from.x(), y)) == contrast;
  EXPECT_GT(onFrame, (to.y() - from.y()) / 3);
  QTest::mouseRelease(vp, Qt::LeftButton, Qt::ShiftModifier, to);
  EXPECT_TRUE(touched.Selected);
  EXPECT_TRUE(track.Selected);
  EXPECT_TRUE(kept.Selected);
  EXPECT_FALSE(apart.Selected);

  // Without SHIFT the old selection goes; a rectangle over nothing selects nothing.
  Drag(QPoint(600, 450), QPoint(700, 500));
  for (const auto& e : Board().Elements) EXPECT_FALSE(e->Selected);
}

// Moving goes by whole grid steps (2.54 mm = 25.4 pixels here) unless CTRL is
// held; less than half a step stays put and records nothing.
TEST_F(EditToolTest, DraggingMovesByWholeGridStepsAndUndoPutsItBack) {
  TObjekt& pad = Pad(200, 200);
  TObjekt& other = Pad(200, 300);
  struct TCase {
    const char* what;
    QPoint by;
    Qt::KeyboardModifiers mods;
    double dx, dy;  // units
  };
  const TCase cases[] = {
      {"less than one step", {12, 0}, {}, 0, 0},
      {"1.6 steps right, 0.4 up", {40, -10}, {}, 50800, 0},
      {"with CTRL exactly", {13, 7}, Qt::ControlModifier, 13000, -7000},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.what);
    const TDPoint start = At(pad.Pos);
    const size_t undo = UndoDepth();
    const QPoint from = PixelOf(start);
    Drag(from, from + c.by, c.mods);
    EXPECT_DOUBLE_EQ(pad.Pos.X, start.X + c.dx);
    EXPECT_DOUBLE_EQ(pad.Pos.Y, start.Y + c.dy);
    EXPECT_EQ(pad.Shown, 1);
    EXPECT_EQ(UndoDepth(), undo + (c.dx != 0 || c.dy != 0 ? 1 : 0));
    EXPECT_EQ(other.Pos.X, 200000);
  }
  // Undo brings the first move back.
  const double movedX = pad.Pos.X;
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Board().Elements.front()->Pos.X, movedX - 13000);

  // A pad dragged near another pad's centre lands exactly on it, off the grid.
  TObjekt& a = *Board().Elements.front();
  Drag(PixelOf(At(a.Pos)), QPoint(204, 296));
  EXPECT_EQ(At(Board().Elements.front()->Pos).X, 200000);
  EXPECT_EQ(At(Board().Elements.front()->Pos).Y, -300000);
}

// With rubber-band follow level 1 a track end within 0.5 mm of a moved pad's
// centre goes along; one farther away stays.
TEST_F(EditToolTest, TrackEndsNearAMovedPadFollowIt) {
  w->Settings().Options.Gummiband = 1;
  TObjekt& pad = Pad(200, 200);
  TObjekt& near = Track({QPoint(100, 200), QPoint(200, 200)});
  near.Points[1].X = 200000 - 4000;  // 0.4 mm
  TObjekt& far = Track({QPoint(200, 300), QPoint(200, 200)});
  far.Points[1].Y = -200000 - 6000;  // 0.6 mm
  QTest::mouseClick(vp, Qt::LeftButton, {}, QPoint(200, 200));
  ASSERT_TRUE(pad.Selected);
  ASSERT_FALSE(near.Selected);
  Drag(QPoint(200, 200), QPoint(200, 251));  // two steps down
  EXPECT_FLOAT_EQ(pad.Pos.Y, -200000 - 50800);
  EXPECT_FLOAT_EQ(near.Points[1].Y, -200000 - 50800);
  EXPECT_FLOAT_EQ(near.Points[1].X, 196000);
  EXPECT_FLOAT_EQ(near.Points[0].Y, -200000);  // the other end stays
  EXPECT_FLOAT_EQ(far.Points[1].Y, -206000);
  EXPECT_EQ(near.Shown, 1);
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_FLOAT_EQ(Board().Elements[1]->Points[1].Y, -200000);
}

// F9 switches the copper side, F11 goes round the silkscreens and the
// outline, 0 puts the zero point at the pointer (on the grid).
TEST_F(EditToolTest, LayerKeysAndTheZeroPointKey) {
  Record().ActiveLayer = kLayerC1;
  const int f9[] = {kLayerC2, kLayerC1};
  for (int expected : f9) {
    Key(Qt::Key_F9);
    EXPECT_EQ(Record().ActiveLayer, expected);
  }
  const int f11[] = {kLayerS1, kLayerS2, kLayerO, kLayerS1};
  for (int expected : f11) {
    Key(Qt::Key_F11);
    EXPECT_EQ(Record().ActiveLayer, expected);
  }
  QCursor::setPos(vp->mapToGlobal(QPoint(250, 150)));
  if (vp->mapFromGlobal(QCursor::pos()) != QPoint(250, 150)) GTEST_SKIP() << "the pointer cannot be placed here";
  Key(Qt::Key_0);
  EXPECT_EQ(Record().OriginX, 254000);
  EXPECT_EQ(Record().OriginY, -152400);
  EXPECT_EQ(UndoDepth(), 1u);
}

// While the selection moves it is hidden from the picture and drawn as a
// preview over it: moving the pointer paints no part of the board.
TEST_F(EditToolTest, MovingDrawsAPreviewWithoutPaintingTheBoard) {
  Pad(200, 200);
  QTest::mousePress(vp, Qt::LeftButton, {}, QPoint(200, 200));
  MoveTo(QPoint(260, 200));
  vp->repaint();
  EXPECT_EQ(Board().Elements.front()->Shown, 0);
  EXPECT_TRUE(w->KeyPanelWidget()->isVisible());
  EXPECT_TRUE(w->DragValues().contains("dX:"));
  const TBoardView::TPaintCount before = view->PaintCount();
  for (int x = 262; x <= 276; x += 2) MoveTo(QPoint(x, 210));
  QApplication::processEvents();
  EXPECT_EQ(view->PaintCount().Whole, before.Whole);
  EXPECT_EQ(view->PaintCount().Parts, before.Parts);
  // The preview is where the pad goes (3 steps: 76.2 pixels), not where it was.
  const QImage shown = vp->grab().toImage();
  const QColor bg(0, 0, 0);
  EXPECT_NE(QColor(shown.pixel(276, 200)), bg);
  EXPECT_EQ(QColor(shown.pixel(200, 200)), bg);
  QTest::mouseRelease(vp, Qt::LeftButton, {}, QPoint(276, 210));
  EXPECT_EQ(Board().Elements.front()->Shown, 1);
  EXPECT_DOUBLE_EQ(Board().Elements.front()->Pos.X, 200000 + 3 * 25400);
  EXPECT_FALSE(w->KeyPanelWidget()->isVisible());
}

// A midpoint dragged by 5 pixels stays where it is and inserts nothing; a
// longer drag inserts a vertex there, snapped to the grid.
TEST_F(EditToolTest, DraggingAMidpointInsertsAVertexOnlyWhenItMoves) {
  TObjekt& t = Track({QPoint(100, 100), QPoint(300, 100)});
  QTest::mouseClick(vp, Qt::LeftButton, {}, QPoint(150, 100));
  ASSERT_TRUE(t.Selected);
  Drag(QPoint(200, 100), QPoint(200, 95));
  EXPECT_EQ(t.Points.size(), 2u);
  EXPECT_EQ(UndoDepth(), 0u);
  Drag(QPoint(200, 100), QPoint(203, 70));
  ASSERT_EQ(t.Points.size(), 3u);
  EXPECT_EQ(UndoDepth(), 1u);
  EXPECT_FLOAT_EQ(t.Points[1].X, 203200);  // 8 grid steps
  EXPECT_FLOAT_EQ(t.Points[1].Y, -76200);  // -3 grid steps
  // A vertex moves by whole steps from where it was.
  Drag(QPoint(203, 76), QPoint(233, 76));
  EXPECT_FLOAT_EQ(t.Points[1].X, 203200 + 25400);
  EXPECT_EQ(UndoDepth(), 2u);
  Key(Qt::Key_Z, Qt::ControlModifier);
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Board().Elements.front()->Points.size(), 2u);

  // ALT on a midpoint drags the segment: both ends by whole steps.
  TObjekt& u = *Board().Elements.front();
  QTest::mouseClick(vp, Qt::LeftButton, {}, QPoint(150, 100));
  Drag(QPoint(200, 100), QPoint(200, 125), Qt::AltModifier);
  ASSERT_EQ(u.Points.size(), 2u);
  EXPECT_FLOAT_EQ(u.Points[0].Y, -100000 - 25400);
  EXPECT_FLOAT_EQ(u.Points[1].Y, -100000 - 25400);
}

// A circle's handles set its angles in 15-degree steps; with ALT they set
// its middle radius in whole grid steps, the ring as wide as a new track.
TEST_F(EditToolTest, CircleHandlesSetAnglesAndRadius) {
  auto c = NewObjekt();
  InitCircle(*c, {300000, -200000}, 34000, kLayerC1, 26000);  // middle radius 30 pixels
  TObjekt& circle = Add(std::move(c));
  QTest::mouseClick(vp, Qt::LeftButton, {}, QPoint(300, 230));
  ASSERT_TRUE(circle.Selected);
  Drag(QPoint(330, 200), QPoint(322, 177));  // about 46 degrees: 45
  EXPECT_EQ(circle.StopAngle, 45000);
  EXPECT_EQ(circle.StartAngle, 0);
  EXPECT_EQ(UndoDepth(), 1u);
  Drag(QPoint(330, 200), QPoint(351, 200), Qt::AltModifier);
  EXPECT_FLOAT_EQ(circle.SizeA, 30000 + 25400 + 4000);
  EXPECT_FLOAT_EQ(circle.SizeB, 30000 + 25400 - 4000);
  EXPECT_EQ(UndoDepth(), 2u);
  // Back where it started: no change, no undo step.
  Drag(QPoint(351, 200), QPoint(352, 201), Qt::AltModifier);
  EXPECT_EQ(UndoDepth(), 2u);
}

TEST_F(EditToolTest, DelDeletesTheSelectionAndNothingWithoutOne) {
  Pad(200, 200);
  Pad(300, 200);
  const size_t n = Board().Elements.size();
  Key(Qt::Key_Delete);  // nothing selected: the entry is off, the key does nothing
  EXPECT_FALSE(Command(TEditCommands::kDelete)->isEnabled());
  EXPECT_EQ(Board().Elements.size(), n);
  EXPECT_EQ(UndoDepth(), 0u);
  QTest::mouseClick(vp, Qt::LeftButton, {}, QPoint(200, 200));
  Key(Qt::Key_Delete);
  ASSERT_EQ(Board().Elements.size(), n - 1);
  EXPECT_EQ(Board().Elements.front()->Pos.X, 300000);
  EXPECT_TRUE(w->windowTitle().startsWith("Boardsmith"));
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Board().Elements.size(), n);
}

// Copy puts the elements on the system clipboard as well; Paste hangs them
// on the pointer in the placement tool, a click places them (on the grid
// steps of a move) and the clipboard can be pasted again.
TEST_F(EditToolTest, CopyPasteAndDuplicatePlaceWhereClicked) {
  Track({QPoint(100, 100), QPoint(200, 100)});
  QTest::mouseClick(vp, Qt::LeftButton, {}, QPoint(150, 100));
  EXPECT_FALSE(Command(TEditCommands::kPaste)->isEnabled());
  Key(Qt::Key_C, Qt::ControlModifier);
  EXPECT_TRUE(QGuiApplication::clipboard()->mimeData()->hasFormat(TEditCommands::kMimeType));
  EXPECT_TRUE(Command(TEditCommands::kPaste)->isEnabled());
  Key(Qt::Key_V, Qt::ControlModifier);
  ASSERT_EQ(w->Tool(), kToolPlacement);
  EXPECT_TRUE(w->ToolHint().startsWith("PASTE:"));
  EXPECT_FALSE(Board().Elements.front()->Selected);
  // Undo waits while elements hang on the pointer.
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Board().Elements.size(), 1u);
  // The reference point is the first vertex: 2 steps right, 4 steps down.
  MoveTo(QPoint(150, 200), Qt::NoButton);
  QTest::mouseClick(vp, Qt::LeftButton, {}, QPoint(150, 200));
  ASSERT_EQ(Board().Elements.size(), 2u);
  EXPECT_EQ(w->Tool(), kToolEdit);
  const TObjekt& placed = *Board().Elements.back();
  EXPECT_TRUE(placed.Selected);
  EXPECT_FLOAT_EQ(placed.Points[0].X, 100000 + 2 * 25400);
  EXPECT_FLOAT_EQ(placed.Points[0].Y, -100000 - 4 * 25400);
  EXPECT_TRUE(placed.Groups.empty());  // a single track makes no group
  EXPECT_EQ(UndoDepth(), 1u);

  // Duplicate, then abandon the placement with the right button.
  Key(Qt::Key_D, Qt::ControlModifier);
  ASSERT_EQ(w->Tool(), kToolPlacement);
  QTest::mouseClick(vp, Qt::RightButton, {}, QPoint(400, 300));
  EXPECT_EQ(w->Tool(), kToolEdit);
  EXPECT_EQ(Board().Elements.size(), 2u);
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Board().Elements.size(), 1u);
}

TEST_F(EditToolTest, RotateTwiceByNinetyDegreesTurnsHalfRoundAndUndoes) {
  TObjekt& t = Track({QPoint(100, 200), QPoint(300, 200), QPoint(300, 250)});
  QTest::mouseClick(vp, Qt::LeftButton, {}, QPoint(200, 200));
  // 90 degrees from the angle menu.
  QMenu* angles = w->Commands()->AngleMenu();
  for (QAction* a : angles->actions())
    if (a->text() == "90°") a->trigger();
  EXPECT_EQ(w->Settings().Options.RotWinkel, 900);
  const TPointList before = t.Points;
  // Clockwise about the centre of the bounds, about (200, 225) pixels (the
  // outline's round ends make it a little uneven): (100, 200) -> (225, 125).
  const double near = 500;
  Key(Qt::Key_R, Qt::ControlModifier);
  EXPECT_NEAR(t.Points[0].X, 225000, near);
  EXPECT_NEAR(t.Points[0].Y, -125000, near);
  EXPECT_NEAR(t.Points[0].X, t.Points[1].X, 1);  // the long leg now runs down
  EXPECT_NEAR(t.Points[0].Y - t.Points[1].Y, 200000, 1);
  Key(Qt::Key_R, Qt::ControlModifier);
  for (size_t i = 0; i < before.size(); ++i) {
    EXPECT_NEAR(t.Points[i].X, 2 * 200000 - before[i].X, near);
    EXPECT_NEAR(t.Points[i].Y, 2 * -225000 - before[i].Y, near);
  }
  EXPECT_NEAR(t.Points[1].X - t.Points[0].X, -200000, 1);
  EXPECT_EQ(UndoDepth(), 2u);
  // SHIFT turns back.
  Key(Qt::Key_R, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_NEAR(Board().Elements.front()->Points[0].X, 225000, 2 * near);
  EXPECT_NEAR(Board().Elements.front()->Points[0].X, Board().Elements.front()->Points[1].X, 1);
  Key(Qt::Key_Z, Qt::ControlModifier);
  Key(Qt::Key_Z, Qt::ControlModifier);
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Board().Elements.front()->Points, before);
}

// Align left on two groups moves each group as a whole; the leftmost one
// stays.
TEST_F(EditToolTest, AlignLeftMovesEachGroupAsAWhole) {
  TObjekt& a1 = Pad(100, 100);
  TObjekt& a2 = Pad(150, 150);
  TObjekt& b1 = Pad(300, 300);
  TObjekt& b2 = Pad(400, 320);
  for (TObjekt* e : {&a1, &a2}) AddGroupNumber(*e, 1);
  for (TObjekt* e : {&b1, &b2}) AddGroupNumber(*e, 2);
  // Selecting one member selects its group.
  QTest::mouseClick(vp, Qt::LeftButton, {}, QPoint(100, 100));
  EXPECT_TRUE(a2.Selected);
  QTest::mouseClick(vp, Qt::LeftButton, Qt::ShiftModifier, QPoint(300, 300));
  EXPECT_TRUE(b2.Selected);
  ASSERT_TRUE(Command(TEditCommands::kAlignLeft)->isEnabled());
  QStringList captions;
  for (QAction* a : w->Commands()->AlignMenu()->actions()) captions << a->text();
  EXPECT_EQ(captions, QStringList({"Align top", "Align bottom", "Align left", "Align right", "Align horizontal-center",
                                   "Align vertical-center"}));
  Command(TEditCommands::kAlignLeft)->trigger();
  EXPECT_EQ(a1.Pos.X, 100000);
  EXPECT_EQ(a2.Pos.X, 150000);
  EXPECT_EQ(b1.Pos.X, 100000);
  EXPECT_EQ(b2.Pos.X, 200000);
  EXPECT_EQ(b2.Pos.Y, -320000);
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Board().Elements[2]->Pos.X, 300000);
}

// Without a selection the entries are off and their shortcuts do nothing.
TEST_F(EditToolTest, CommandsWithoutASelectionAreOffAlsoForTheirShortcuts) {
  TObjekt& t = Track({QPoint(100, 100), QPoint(200, 100)});
  const TEditCommands::TCommand selectionCommands[] = {
      TEditCommands::kCopy,       TEditCommands::kCut,        TEditCommands::kDelete,   TEditCommands::kDuplicate,
      TEditCommands::kRotate,     TEditCommands::kMirrorH,    TEditCommands::kMirrorV,  TEditCommands::kChangeSide,
      TEditCommands::kSnapToGrid, TEditCommands::kBuildGroup, TEditCommands::kAlignTop, TEditCommands::kSplitGroup};
  for (auto c : selectionCommands) EXPECT_FALSE(Command(c)->isEnabled()) << Command(c)->text().toStdString();
  EXPECT_TRUE(Command(TEditCommands::kSelectAll)->isEnabled());
  for (int key : {Qt::Key_R, Qt::Key_H, Qt::Key_T, Qt::Key_W, Qt::Key_G, Qt::Key_X, Qt::Key_D})
    Key(key, Qt::ControlModifier);
  EXPECT_EQ(UndoDepth(), 0u);
  EXPECT_EQ(w->Tool(), kToolEdit);
  EXPECT_FLOAT_EQ(t.Points[0].X, 100000);
  // One board: it can be neither deleted nor moved.
  QAction* deleteBoard = nullptr;
  for (QAction* a : w->findChildren<QAction*>())
    if (a->text() == "&Delete board...") deleteBoard = a;
  ASSERT_NE(deleteBoard, nullptr);
  EXPECT_FALSE(deleteBoard->isEnabled());
  QMenu* zoom = w->ToolPalette()->ZoomButton()->menu();
  auto zoomEntry = [zoom](const QString& caption) {
    for (QAction* a : zoom->actions())
      if (a->text() == caption) return a;
    return static_cast<QAction*>(nullptr);
  };
  EXPECT_FALSE(zoomEntry("Zoom selection")->isEnabled());
  EXPECT_TRUE(zoomEntry("Zoom objects")->isEnabled());
  // Select all, then the side changes with Ctrl+W.
  Key(Qt::Key_A, Qt::ControlModifier);
  EXPECT_TRUE(t.Selected);
  EXPECT_TRUE(zoomEntry("Zoom selection")->isEnabled());
  EXPECT_TRUE(Command(TEditCommands::kChangeSide)->isEnabled());
  Key(Qt::Key_W, Qt::ControlModifier);
  EXPECT_EQ(t.Layer, kLayerC2);
  EXPECT_EQ(UndoDepth(), 1u);
  // In the measure tool nothing is selected, so nothing is on either.
  w->SetTool(kToolMeasure);
  EXPECT_FALSE(Command(TEditCommands::kRotate)->isEnabled());
}

// The element menu runs the commands on the selection; the node menu on a
// vertex of the one selected track.
TEST_F(EditToolTest, ContextMenusRunTheirCommands) {
  TObjekt& t = Track({QPoint(100, 200), QPoint(200, 200), QPoint(200, 300)});
  TObjekt& pad = Pad(400, 200);
  // A right click on an unselected element selects it and opens the menu.
  const QStringList entries =
      ChooseInPopup([&] { QTest::mouseClick(vp, Qt::RightButton, {}, QPoint(400, 200)); }, "Mirror horizontal");
  EXPECT_TRUE(pad.Selected);
  EXPECT_TRUE(entries.contains("Copy"));
  EXPECT_TRUE(entries.contains("Select:  (off)"));
  EXPECT_TRUE(entries.contains("Set origin"));
  EXPECT_EQ(UndoDepth(), 1u);  // mirrored (about its own centre)
  ChooseInPopup([&] { QTest::mouseClick(vp, Qt::RightButton, {}, QPoint(400, 200)); }, "Set to layer/S2");
  EXPECT_EQ(pad.Layer, kLayerS2);
  ChooseInPopup([&] { QTest::mouseClick(vp, Qt::RightButton, {}, QPoint(400, 200)); },
                "Set origin/Set to click-position");
  EXPECT_EQ(Record().OriginX, 406400);  // on the grid: 16 steps
  EXPECT_EQ(Record().OriginY, -203200);
  EXPECT_EQ(UndoDepth(), 3u);

  // The node menu on the track's middle vertex.
  QTest::mouseClick(vp, Qt::LeftButton, {}, QPoint(150, 200));
  ASSERT_TRUE(t.Selected);
  ASSERT_FALSE(pad.Selected);
  const QStringList nodeEntries =
      ChooseInPopup([&] { QTest::mouseClick(vp, Qt::RightButton, {}, QPoint(200, 200)); }, "Split track");
  EXPECT_EQ(nodeEntries, QStringList({"Remove node", "Add node", "Snap node to grid", "Snap all nodes to grid",
                                      "Split track", "Join tracks (off)"}));
  ASSERT_EQ(Board().Elements.size(), 3u);
  EXPECT_EQ(t.Points.size(), 2u);
  EXPECT_EQ(Board().Elements.back()->Points.size(), 2u);
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Board().Elements.size(), 2u);
}

// The zero point is dragged by its marker onto the grid; the crosshair and
// the box go along while it is dragged.
TEST_F(EditToolTest, ZeroPointIsDraggedOntoTheGrid) {
  const QPoint marker = PixelOf({0, 0}) + QPoint(5, 0);  // on the right arm
  QTest::mousePress(vp, Qt::LeftButton, {}, marker);
  MoveTo(QPoint(150, 120));
  vp->repaint();
  const QImage shown = vp->grab().toImage();
  EXPECT_EQ(QColor(shown.pixel(600, 127)), QColor(Qt::white));  // the horizontal line on the grid row
  QTest::mouseRelease(vp, Qt::LeftButton, {}, QPoint(150, 120));
  EXPECT_EQ(Record().OriginX, 152400);
  EXPECT_EQ(Record().OriginY, -127000);
  EXPECT_EQ(UndoDepth(), 1u);
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Record().OriginX, 0);
}

TEST_F(EditToolTest, ArrowKeysMoveTheSelectionByOneGridStep) {
  TObjekt& pad = Pad(200, 200);
  QTest::mouseClick(vp, Qt::LeftButton, {}, QPoint(200, 200));
  Key(Qt::Key_Right);
  EXPECT_EQ(pad.Pos.X, 200000 + 25400);
  Key(Qt::Key_Up, Qt::ControlModifier);  // a tenth with CTRL
  EXPECT_FLOAT_EQ(pad.Pos.Y, -200000 + 2540);
  EXPECT_EQ(UndoDepth(), 2u);
}

// A selection larger than the working space (one pad far outside it) is not
// held inside the board as a whole; still neither a drag nor the arrow keys
// may carry the pad that touched the board wholly outside it, or the next
// save would delete it.
TEST_F(EditToolTest, MovesNeverCarryWhatTouchedTheBoardWhollyOutside) {
  TObjekt& in = Pad(100, 100);
  TObjekt& out = Pad(-2000, 100);  // 200 mm left of the board's edge
  in.Selected = out.Selected = 1;
  w->SelectionChanged();
  auto touching = [&] {
    const std::optional<TURect> r = OutlineBounds(in, Record());
    return r && MeetsWorkingSpace(*r, Record());
  };
  Drag(QPoint(100, 100), QPoint(-300, 100));
  EXPECT_LT(in.Pos.X, 100000);  // it went as far as it could
  EXPECT_TRUE(touching());
  EXPECT_EQ(out.Pos.X - in.Pos.X, -2100000);  // and the rest went with it
  for (int i = 0; i < 8; ++i) Key(Qt::Key_Left);
  EXPECT_TRUE(touching());
  EXPECT_EQ(out.Pos.X - in.Pos.X, -2100000);
  // Away from the edge there is no limit.
  const double x = in.Pos.X;
  Key(Qt::Key_Right);
  EXPECT_EQ(in.Pos.X, x + 25400);
}

// The measure tool draws the crosshair, the measured rectangle and the box
// over the kept picture: moving the pointer never paints the board.
TEST_F(EditToolTest, MeasureToolShowsTheMeasurementOverThePicture) {
  Pad(200, 200);
  w->SetTool(kToolMeasure);
  EXPECT_TRUE(w->ToolHint().startsWith("DISTANCE:"));
  EXPECT_TRUE(w->KeyPanelWidget()->isVisible());
  EXPECT_TRUE(w->ToolPalette()->Action(kToolMeasure)->isChecked());
  vp->repaint();
  const TBoardView::TPaintCount before = view->PaintCount();
  QTest::mousePress(vp, Qt::LeftButton, {}, QPoint(203, 198));  // captured by the pad
  for (int x = 260; x <= 500; x += 40) MoveTo(QPoint(x, 100 + x / 4));
  QApplication::processEvents();
  EXPECT_EQ(view->PaintCount().Whole, before.Whole);
  EXPECT_EQ(view->PaintCount().Parts, before.Parts);
  const auto* tool = static_cast<TMeasureTool*>(w->ToolObject(kToolMeasure));
  ASSERT_TRUE(tool->Start());
  EXPECT_EQ(tool->Start()->X, 200000);
  EXPECT_EQ(tool->Start()->Y, -200000);
  EXPECT_NEAR(tool->Cursor().X, 508000, 1);  // on the grid
  const QImage shown = vp->grab().toImage();
  // BS_SHOTS names a folder to keep the picture in, for looking at it.
  if (!qEnvironmentVariableIsEmpty("BS_SHOTS"))
    shown.save(QString::fromLocal8Bit(qgetenv("BS_SHOTS")) + "/measure.png");
  // The vertical line of the crosshair, and the box right of and below it.
  const QPoint cursor = PixelOf(tool->Cursor());
  EXPECT_EQ(QColor(shown.pixel(cursor.x(), 30)), QColor(Qt::white));
  int dark = 0;
  for (int x = cursor.x() + 25; x < cursor.x() + 60; ++x) dark += QColor(shown.pixel(x, cursor.y() + 24)).value() < 80;
  EXPECT_GT(dark, 20);
  EXPECT_TRUE(w->DragValues().isEmpty());  // the box shows them
  QTest::mouseRelease(vp, Qt::LeftButton, {}, QPoint(500, 225));
  EXPECT_FALSE(tool->Start());
  EXPECT_EQ(UndoDepth(), 0u);
  // The plain look has no box: the status line shows the measurement.
  view->SetAntiAliased(false);
  QTest::mousePress(vp, Qt::LeftButton, {}, QPoint(203, 198));
  MoveTo(QPoint(254, 249));
  EXPECT_TRUE(w->DragValues().contains("Angle: 45°")) << w->DragValues().toStdString();
  QTest::mouseRelease(vp, Qt::LeftButton, {}, QPoint(254, 249));
  EXPECT_TRUE(w->DragValues().isEmpty());
  // The right button goes back to editing; the letter of the settings comes back.
  QTest::mouseClick(vp, Qt::RightButton, {}, QPoint(500, 225));
  EXPECT_EQ(w->Tool(), kToolEdit);
  Key(Qt::Key_M);
  EXPECT_EQ(w->Tool(), kToolMeasure);
}

TEST_F(EditToolTest, KeyPanelShowsHeldKeysAndShiftHalvesTheGrid) {
  w->SetTool(kToolMeasure);
  TKeyPanel* panel = w->KeyPanelWidget();
  QKeyEvent shift(QEvent::KeyPress, Qt::Key_Shift, Qt::ShiftModifier);
  QApplication::sendEvent(view, &shift);
  EXPECT_DOUBLE_EQ(Record().Grid, 12700);
  EXPECT_TRUE(panel->KeyLabel(1)->styleSheet().contains("#008000"));
  EXPECT_TRUE(panel->KeyLabel(0)->styleSheet().contains("white"));
  EXPECT_EQ(panel->MeaningLabel(1)->text(), " = 1/2 grid   ");
  QKeyEvent ctrl(QEvent::KeyPress, Qt::Key_Control, Qt::ShiftModifier | Qt::ControlModifier);
  QApplication::sendEvent(view, &ctrl);
  EXPECT_EQ(panel->MeaningLabel(1)->text(), " = Capture off   ");
  QKeyEvent up(QEvent::KeyRelease, Qt::Key_Shift, Qt::ControlModifier);
  QApplication::sendEvent(view, &up);
  EXPECT_DOUBLE_EQ(Record().Grid, 25400);
  EXPECT_FALSE(panel->KeyLabel(1)->styleSheet().contains("#008000"));
}

TEST_F(EditToolTest, DoubleClickAndNameLabel) {
  TObjekt& pad = Pad(200, 200);
  pad.Text2 = "GND";
  TObjekt* activated = nullptr;
  QObject::connect(w.get(), &TMainWindow::ElementActivated, [&](TObjekt* e) { activated = e; });
  QTest::mouseDClick(vp, Qt::LeftButton, {}, QPoint(200, 200));
  EXPECT_EQ(activated, &pad);
  MoveTo(QPoint(205, 200), Qt::NoButton);
  vp->repaint();
  const QImage shown = vp->grab().toImage();
  // The label's pale box 16 pixels right of the pointer.
  EXPECT_EQ(QColor(shown.pixel(228, 214)), QColor(255, 255, 225));
}

// Capture radii stay within 8 and 50 pixels; pads win over track ends.
TEST(ToolGeometry, CaptureRadiiAreHeldWithinEightAndFiftyPixels) {
  TBoard board;
  board.Platine.Zoom = 0.001;  // 1000 units a pixel
  board.Platine.Width = 1000000;
  board.Platine.Height = 1000000;
  for (int layer = 1; layer <= 7; ++layer) board.Platine.LayerVisible[layer] = 1;
  auto pad = [&](float x, float radius) {
    auto e = NewObjekt();
    InitThtPad(*e, {x, -500000}, kLayerC1, kShapeRound, radius / 2, radius);
    board.Elements.push_back(std::move(e));
  };
  pad(100000, 100);     // tiny: 8 pixels
  pad(600000, 100000);  // huge: 50 pixels
  const struct {
    double x;
    std::optional<double> captured;
  } cases[] = {{107000, 100000}, {109000, std::nullopt}, {649000, 600000}, {651000, std::nullopt}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.x);
    const auto got = CapturePoint(board, {c.x, -500000});
    ASSERT_EQ(got.has_value(), c.captured.has_value());
    if (got) {
      EXPECT_EQ(got->X, *c.captured);
    }
  }
  // A track end right at the pointer loses to a pad that reaches it.
  auto track = NewObjekt();
  InitTrack(*track, 8000, kLayerC1);
  AddPoint(*track, {105000, -500000});
  AddPoint(*track, {105000, -400000});
  board.Elements.push_back(std::move(track));
  EXPECT_EQ(CapturePoint(board, {105000, -500000})->X, 100000);
  // Nothing near: the drawing tools snap to the grid.
  board.Platine.Grid = 25400;
  const TCursorPosition at = CursorPosition(board, {300000, -300000}, true, false);
  EXPECT_FALSE(at.Captured);
  EXPECT_DOUBLE_EQ(at.At.X, 304800);
}

// Pure geometry of the tools.
TEST(ToolGeometry, CornerSnapAndCircleHandles) {
  // Two neighbours: the corner under the pointer.
  const auto corner = CornerSnap({10500, 300}, TDPoint{0, 0}, TDPoint{10000, 10000}, false);
  ASSERT_TRUE(corner);
  EXPECT_DOUBLE_EQ(corner->X, 10000);
  EXPECT_DOUBLE_EQ(corner->Y, 0);
  // A 45-degree corner from the first neighbour meeting the second's horizontal.
  const auto diagonal = CornerSnap({21000, 19000}, TDPoint{0, 0}, TDPoint{40000, 20000}, false);
  ASSERT_TRUE(diagonal);
  EXPECT_DOUBLE_EQ(diagonal->X, 20000);
  EXPECT_DOUBLE_EQ(diagonal->Y, 20000);
  EXPECT_FALSE(CornerSnap({50000, -40000}, TDPoint{0, 0}, TDPoint{10000, 10000}, false));
  // CTRL: turned about the better neighbour onto 45 degrees.
  const auto turned = CornerSnap({10000, 1000}, TDPoint{0, 0}, std::nullopt, true);
  ASSERT_TRUE(turned);
  EXPECT_NEAR(turned->X, std::hypot(10000, 1000), 1e-6);
  EXPECT_NEAR(turned->Y, 0, 1e-6);

  EXPECT_EQ(HandleAngle({0, 0}, {100, 95}, false), 45000);
  EXPECT_EQ(HandleAngle({0, 0}, {100, -1}, false), 0);  // 359.4 degrees goes round to 0
  EXPECT_EQ(HandleAngle({0, 0}, {0, -100}, true), 270000);
  EXPECT_DOUBLE_EQ(HandleRadius(10000, 23000, 5000, false), 25000);
  EXPECT_DOUBLE_EQ(HandleRadius(10000, 23000, 5000, true), 23000);
}

}  // namespace
}  // namespace bs::app
