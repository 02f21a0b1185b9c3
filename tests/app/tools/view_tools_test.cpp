#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <cmath>
#include <filesystem>
#include <memory>

#include "model/objekt.h"
#include "panels/ground_plane_bar.h"
#include "panels/layer_bar.h"
#include "panels/size_bar.h"
#include "private_folders.h"
#include "tools/tool_palette.h"
#include "tools/tools.h"
#include "view/board_view.h"
#include "widgets/length_field.h"
#include "window/main_window.h"

namespace bs::app {
namespace {

namespace fs = std::filesystem;

const QString kDemo = QStringLiteral(BOARDSMITH_SOURCE_DIR "/examples/demo.bsm6");

double Rounded(double zoom) { return std::round(zoom * 1e5) / 1e5; }

// Each test has folders of its own for the settings and the data files, and
// a main window with the example board, 0.1 mm a pixel, scrolled into it.
struct ViewToolsTest : testing::Test {
  test::TPrivateFolders folders{"bs_view_tools_test_"};
  std::unique_ptr<TMainWindow> w;
  TBoardView* view = nullptr;
  QWidget* vp = nullptr;

  void SetUp() override {
    w = std::make_unique<TMainWindow>();
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    ASSERT_TRUE(w->OpenFile(kDemo));
    view = w->View();
    vp = view->viewport();
    Look(0.001, 100, 100);
  }
  void TearDown() override { w.reset(); }

  TBoard& Board() { return *w->Project().Active(); }
  TPlatine& Record() { return Board().Platine; }
  void Look(double zoom, int scrollX, int scrollY) {
    Record().Zoom = zoom;
    Record().ScrollX = scrollX;
    Record().ScrollY = scrollY;
    view->UpdateScrollBars();
    QApplication::processEvents();  // scroll bars come and go with the zoom
    vp->repaint();
  }
  TDPoint ModelAt(QPoint pixel) { return PixelToModel(Record(), {double(pixel.x()), double(pixel.y())}); }
  QPoint Centre() const { return QPoint(vp->width() / 2, vp->height() / 2); }
  // Chooses a tool with its button in the palette.
  void ChooseTool(int mode) {
    QAction* a = w->ToolPalette()->Action(mode);
    ASSERT_NE(a, nullptr);
    QWidget* button = mode == kToolZoom ? w->ToolPalette()->ZoomButton() : w->ToolPalette()->widgetForAction(a);
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, 8));
    ASSERT_EQ(w->Tool(), mode);
  }
  void Key(int key, bool press, bool autoRepeat = false) {
    QKeyEvent e(press ? QEvent::KeyPress : QEvent::KeyRelease, key, Qt::NoModifier,
                key == Qt::Key_Space ? QStringLiteral(" ") : QString(), autoRepeat);
    QApplication::sendEvent(view, &e);
  }
};

TEST_F(ViewToolsTest, ZoomToolClickKeepsThePointUnderThePointerAndRightClickZoomsOut) {
  Look(0.004, 600, 600);  // room to scroll all round
  ChooseTool(kToolZoom);
  EXPECT_EQ(vp->cursor().shape(), Qt::BitmapCursor);
  EXPECT_TRUE(w->ToolHint().startsWith("ZOOM:"));
  const QPoint at(Centre().x() - 120, Centre().y() + 70);
  const TDPoint model = ModelAt(at);
  const size_t history = Board().ZoomHistory.size();
  QTest::mouseClick(vp, Qt::LeftButton, {}, at);
  EXPECT_DOUBLE_EQ(Record().Zoom, Rounded(0.004 * 1.4));
  EXPECT_EQ(Board().ZoomHistory.size(), history + 1);
  // The clicked point is now in the middle, and the pointer went with it.
  const QPoint pointer = vp->mapFromGlobal(QCursor::pos());
  const TDPoint under = ModelAt(pointer);
  EXPECT_NEAR(under.X, model.X, 1 / Record().Zoom);
  EXPECT_NEAR(under.Y, model.Y, 1 / Record().Zoom);
  EXPECT_LE((pointer - Centre()).manhattanLength(), 2);

  const TDPoint centre = ModelAt(Centre());
  QTest::mouseClick(vp, Qt::RightButton, {}, at);
  EXPECT_DOUBLE_EQ(Record().Zoom, Rounded(Rounded(0.004 * 1.4) / 1.4));
  EXPECT_EQ(Board().ZoomHistory.size(), history + 2);
  EXPECT_NEAR(ModelAt(Centre()).X, centre.X, 1 / Record().Zoom);  // the centre is kept
  EXPECT_NEAR(ModelAt(Centre()).Y, centre.Y, 1 / Record().Zoom);

  // The zoom menu on the tool's button.
  QStringList entries;
  for (QAction* a : w->ToolPalette()->ZoomButton()->menu()->actions()) entries << a->text();
  EXPECT_EQ(entries, QStringList({"Zoom previous", "Zoom board", "Zoom objects", "Zoom selection"}));
  w->ToolPalette()->ZoomButton()->menu()->actions().front()->trigger();
  EXPECT_DOUBLE_EQ(Record().Zoom, Rounded(0.004 * 1.4));
  EXPECT_EQ(Board().ZoomHistory.size(), history + 1);

  // A right click does not zoom in the edit tool (it opens the context menu,
  // closed again here).
  ChooseTool(kToolEdit);
  const double zoom = Record().Zoom;
  QTimer::singleShot(0, [] {
    if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
  });
  QTest::mouseClick(vp, Qt::RightButton, {}, at);
  QTest::mouseClick(vp, Qt::LeftButton, {}, at);
  EXPECT_EQ(Record().Zoom, zoom);
}

// Dragging draws the rectangle over the kept picture, without painting the
// board again; releasing zooms to it. A drag of 8 pixels or less in one
// direction is a click.
TEST_F(ViewToolsTest, ZoomToolRectangleIsDrawnOverThePictureAndZoomedTo) {
  ChooseTool(kToolZoom);
  const QPoint from(200, 150), to(400, 250);
  const TDPoint middle = ModelAt((from + to) / 2);
  QTest::mousePress(vp, Qt::LeftButton, {}, from);
  vp->repaint();
  const TBoardView::TPaintCount before = view->PaintCount();
  for (int step = 1; step <= 4; ++step) QTest::mouseMove(vp, from + (to - from) * step / 4);
  QApplication::processEvents();
  EXPECT_EQ(view->PaintCount().Whole, before.Whole);
  EXPECT_EQ(view->PaintCount().Parts, before.Parts);
  // The rectangle is on the screen: its frame in the contrast colour.
  const QImage shown = vp->grab().toImage();
  const QColor contrast(Red(view->Settings().Scheme.Contrast()), Green(view->Settings().Scheme.Contrast()),
                        Blue(view->Settings().Scheme.Contrast()));
  int onFrame = 0;
  for (int x = from.x(); x < to.x(); ++x) onFrame += QColor(shown.pixel(x, from.y())) == contrast;
  EXPECT_GT(onFrame, (to.x() - from.x()) / 2);
  EXPECT_NE(QColor(shown.pixel(300, 200)), contrast);  // not filled

  const double zoom = Record().Zoom;
  QTest::mouseRelease(vp, Qt::LeftButton, {}, to);
  const double fit = std::min(vp->width() / 200.0, vp->height() / 100.0);
  EXPECT_DOUBLE_EQ(Record().Zoom, Rounded(zoom * fit));
  EXPECT_NEAR(ModelAt(Centre()).X, middle.X, 1 / Record().Zoom);
  EXPECT_NEAR(ModelAt(Centre()).Y, middle.Y, 1 / Record().Zoom);

  // 8 x 100 pixels: a click at the press point.
  Look(0.001, 100, 100);
  QTest::mousePress(vp, Qt::LeftButton, {}, from);
  QTest::mouseMove(vp, from + QPoint(8, 100));
  QTest::mouseRelease(vp, Qt::LeftButton, {}, from + QPoint(8, 100));
  EXPECT_DOUBLE_EQ(Record().Zoom, Rounded(0.001 * 1.4));
}

TEST_F(ViewToolsTest, SpaceBarLendsTheZoomToolAndEscOrTheLetterChooseTools) {
  struct TCase {
    const char* what;
    int tool;       // before the space bar
    int whileHeld;  // the tool while it is held
  };
  const TCase cases[] = {{"edit tool", kToolEdit, kToolZoom}, {"zoom tool", kToolZoom, kToolZoom}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.what);
    w->SetTool(c.tool);
    Key(Qt::Key_Space, true);
    EXPECT_EQ(w->Tool(), c.whileHeld);
    EXPECT_TRUE(w->ToolPalette()->Action(c.whileHeld)->isChecked());
    Key(Qt::Key_Space, true, true);  // the key repeats while held
    Key(Qt::Key_Space, false, true);
    EXPECT_EQ(w->Tool(), c.whileHeld);
    Key(Qt::Key_Space, false);
    EXPECT_EQ(w->Tool(), c.tool);
  }

  // While the left button is held the space bar does nothing.
  w->SetTool(kToolEdit);
  QTest::mousePress(vp, Qt::LeftButton, {}, Centre());
  Key(Qt::Key_Space, true);
  EXPECT_EQ(w->Tool(), kToolEdit);
  Key(Qt::Key_Space, false);
  QTest::mouseRelease(vp, Qt::LeftButton, {}, Centre());

  // The zoom tool's letter comes from the settings; Esc goes back to edit.
  view->setFocus();
  QTest::keyClick(view, Qt::Key_Z);
  EXPECT_EQ(w->Tool(), kToolZoom);
  QTest::keyClick(view, Qt::Key_Escape);
  EXPECT_EQ(w->Tool(), kToolEdit);
  EXPECT_TRUE(w->ToolPalette()->Action(kToolEdit)->isChecked());
  EXPECT_EQ(vp->cursor().shape(), Qt::ArrowCursor);
  w->Settings().Options.Hotkeys = "QTPSRZFNLCAXMVO";
  w->ApplySettings();
  QTest::keyClick(view, Qt::Key_Z);
  EXPECT_EQ(w->Tool(), kToolRectangle);  // Z stands for the rectangle now
  QTest::keyClick(view, Qt::Key_Q, Qt::ShiftModifier);
  EXPECT_EQ(w->Tool(), kToolZoom);
  QTest::keyClick(view, Qt::Key_Escape, Qt::AltModifier);  // keys with ALT are not the drawing area's
  EXPECT_EQ(w->Tool(), kToolZoom);
  EXPECT_NE(w->ToolPalette()->Action(kToolZoom)->toolTip().indexOf("(Q)"), -1);
}

// Changing the tool deselects everything; only where the selection was is
// painted again, and the picture is then the same as one painted whole.
TEST_F(ViewToolsTest, ToolChangeDeselectsAndRepaintsOnlyTheSelection) {
  std::vector<TObjekt*> chosen;
  for (const auto& e : Board().Elements)
    if (chosen.size() < 3 && e->Kind == kKindThtPad) chosen.push_back(e.get());
  ASSERT_EQ(chosen.size(), 3u);
  for (TObjekt* e : chosen) e->Selected = 1;
  vp->repaint();
  const TBoardView::TPaintCount before = view->PaintCount();
  ChooseTool(kToolZoom);
  QApplication::processEvents();
  for (TObjekt* e : chosen) EXPECT_EQ(e->Selected, 0);
  EXPECT_EQ(view->PaintCount().Whole, before.Whole);
  EXPECT_GT(view->PaintCount().Parts, before.Parts);
  const QImage partly = view->Picture();
  vp->repaint();
  const QImage whole = view->Picture();
  ASSERT_EQ(partly.size(), whole.size());
  int differ = 0;
  for (int y = 0; y < whole.height(); ++y)
    for (int x = 0; x < whole.width(); ++x) {
      const QColor a(partly.pixel(x, y)), b(whole.pixel(x, y));
      differ +=
          std::abs(a.red() - b.red()) > 2 || std::abs(a.green() - b.green()) > 2 || std::abs(a.blue() - b.blue()) > 2;
    }
  EXPECT_EQ(differ, 0);
}

// Typed lengths, in millimetres or mil, end up in the settings in units;
// the drill and the outer diameter of pads take each other along.
TEST_F(ViewToolsTest, SizeFieldsStoreWhatIsTypedInTheDisplayUnit) {
  using F = TSizeBar::TField;
  struct TCase {
    bool mil;
    F field;
    const char* typed;
    int32_t track, outer, drill, smdX, smdY;  // the sizes afterwards
  };
  // Start: track 8000, pad 18000 / 6000, SMD 9000 x 18000.
  const TCase cases[] = {
      {false, F::kTrack, "0,35", 3500, 18000, 6000, 9000, 18000},
      {false, F::kPadDrill, "2.5", 8000, 25000, 25000, 9000, 18000},  // raises the outer diameter
      {false, F::kPadOuter, "0.4", 8000, 4000, 4000, 9000, 18000},    // lowers the drill
      {false, F::kSmdHeight, "1.27", 8000, 18000, 6000, 9000, 12700},
      {true, F::kTrack, "10", 2540, 18000, 6000, 9000, 18000},
      {true, F::kSmdWidth, "31.5", 8000, 18000, 6000, 8001, 18000},
      {true, F::kPadOuter, "100,5", 8000, 25527, 6000, 9000, 18000},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.typed);
    w->Settings().Sizes = TSettings::TToolSizes{};
    w->Settings().Options.MIL = c.mil;
    w->ApplySettings();
    TLengthField* field = w->SizeBar()->Field(c.field);
    EXPECT_TRUE(field->text().endsWith(c.mil ? " mil" : " mm")) << field->text().toStdString();
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, c.typed);
    QTest::keyClick(field, Qt::Key_Return);
    const TSettings::TToolSizes& s = w->Settings().Sizes;
    EXPECT_EQ(s.Track, c.track);
    EXPECT_EQ(s.Circle1, c.outer);
    EXPECT_EQ(s.Circle2, c.drill);
    EXPECT_EQ(s.SMDX, c.smdX);
    EXPECT_EQ(s.SMDY, c.smdY);
  }
  // The fields show the settings in the unit: 0.8 mm is 31.5 mil.
  w->Settings().Sizes = TSettings::TToolSizes{};
  w->ApplySettings();
  EXPECT_EQ(w->SizeBar()->Field(F::kTrack)->text(), "31.5 mil");
  w->Settings().Options.MIL = false;
  w->ApplySettings();
  EXPECT_EQ(w->SizeBar()->Field(F::kTrack)->text(), "0.80 mm");
}

TEST_F(ViewToolsTest, GroundPlaneButtonSwitchesTheActiveLayersPlaneAndMarksTheProjectChanged) {
  TGroundPlaneBar* bar = w->GroundPlaneBar();
  QToolButton* button = bar->PlaneButton();
  auto distanceShown = [bar] {
    QApplication::processEvents();  // the bar lays itself out later
    return bar->DistanceField()->isVisible();
  };
  ASSERT_EQ(Record().ActiveLayer, kLayerC2);
  Record().GroundPlane[kLayerC2] = 0;
  bar->Refresh();
  TObjekt& cutout = *Board().Elements.front();
  cutout.Cutout = 1;
  cutout.Selected = 1;
  w->Project().Changed = false;
  const size_t undo = Board().UndoStack.size();
  const TBoardView::TPaintCount before = view->PaintCount();

  EXPECT_TRUE(button->isEnabled());
  EXPECT_FALSE(distanceShown());
  QTest::mouseClick(button, Qt::LeftButton);
  EXPECT_EQ(Record().GroundPlane[kLayerC2], 1);
  EXPECT_TRUE(button->isChecked());
  EXPECT_EQ(Board().UndoStack.size(), undo);  // a board setting: no undo step
  EXPECT_TRUE(w->Project().Changed);
  EXPECT_EQ(cutout.Selected, 0);
  EXPECT_TRUE(distanceShown());
  EXPECT_GT(view->PaintCount().Whole, before.Whole);  // the board looks different all over
  QTest::mouseClick(button, Qt::LeftButton);
  EXPECT_EQ(Record().GroundPlane[kLayerC2], 0);
  EXPECT_EQ(Board().UndoStack.size(), undo);
  EXPECT_FALSE(distanceShown());

  // The button follows the active layer: off on S1, C1's own state on C1.
  Record().GroundPlane[kLayerC1] = 1;
  w->LayerBar()->ActiveButton(kLayerS1)->click();
  EXPECT_FALSE(button->isEnabled());
  QTest::mouseClick(button, Qt::LeftButton);
  EXPECT_EQ(Record().GroundPlane[kLayerS1], 0);
  w->LayerBar()->ActiveButton(kLayerC1)->click();
  EXPECT_TRUE(button->isEnabled());
  EXPECT_TRUE(button->isChecked());

  // ... and the board shown: a copy of this one, with C1's plane switched off.
  for (QAction* a : w->findChildren<QAction*>())
    if (a->text() == "Copy board") {
      a->trigger();
      break;
    }
  ASSERT_EQ(w->Project().ActiveIndex, 1);
  EXPECT_TRUE(button->isChecked());
  w->Project().Boards[1]->Platine.GroundPlane[kLayerC1] = 0;
  w->Tabs()->setCurrentIndex(0);
  EXPECT_TRUE(button->isChecked());
  w->Tabs()->setCurrentIndex(1);
  EXPECT_FALSE(button->isChecked());
}

// The distance of new elements: typed values are remembered, values the
// program shows are not, and choosing a tool brings the remembered one back.
TEST_F(ViewToolsTest, DistanceFieldKeepsCurrentAndRememberedClearance) {
  TGroundPlaneBar* bar = w->GroundPlaneBar();
  TLengthField* field = bar->DistanceField();
  Record().GroundPlane[kLayerC2] = 1;
  bar->Refresh();
  EXPECT_EQ(bar->CurrentClearance(), 4000);
  EXPECT_EQ(field->text(), "0.4 mm");
  field->setFocus();
  field->selectAll();
  QTest::keyClicks(field, "0,7");
  QTest::keyClick(field, Qt::Key_Return);
  EXPECT_EQ(bar->CurrentClearance(), 7000);
  EXPECT_EQ(bar->RememberedClearance(), 7000);
  QTest::keyClick(field, Qt::Key_Up);  // stepped: 0.8 mm
  EXPECT_EQ(bar->RememberedClearance(), 8000);
  bar->ShowClearance(2000);
  EXPECT_EQ(bar->CurrentClearance(), 2000);
  EXPECT_EQ(bar->RememberedClearance(), 8000);
  ChooseTool(kToolZoom);
  EXPECT_EQ(bar->CurrentClearance(), 8000);
  EXPECT_EQ(field->text(), "0.8 mm");
  QTest::keyClick(field, Qt::Key_Up);
  QTest::keyClick(field, Qt::Key_Up);
  EXPECT_EQ(field->text(), "1.0 mm");
  field->selectAll();
  QTest::keyClicks(field, "12");  // above 10 mm: not taken
  QTest::keyClick(field, Qt::Key_Return);
  EXPECT_LE(bar->CurrentClearance(), 100000);

  // In mil: the same length, one decimal, no unit.
  bar->ShowClearance(4000);
  w->Settings().Options.MIL = true;
  w->ApplySettings();
  EXPECT_EQ(field->text(), "15.7");
  field->selectAll();
  QTest::keyClicks(field, "20");
  QTest::keyClick(field, Qt::Key_Return);
  EXPECT_EQ(bar->CurrentClearance(), 5080);
}

// While a drag stays within 8 pixels of an edge the view keeps scrolling
// towards it, one step every 30 ms, and stops when the pointer leaves the
// edge or the button comes up.
TEST_F(ViewToolsTest, DragAtTheEdgeScrollsUntilReleased) {
  Look(0.004, 800, 800);  // far larger than the window
  const int step = ScrollStep(vp->width());
  const int startX = Record().ScrollX, startY = Record().ScrollY;
  QTest::mousePress(vp, Qt::LeftButton, {}, Centre());
  QTest::mouseMove(vp, QPoint(vp->width() - 3, Centre().y()));
  EXPECT_EQ(Record().ScrollX, startX + step);  // the first step at once
  EXPECT_EQ(view->horizontalScrollBar()->value(), Record().ScrollX);
  QTest::qWait(200);
  const int scrolled = Record().ScrollX;
  EXPECT_GE(scrolled, startX + 3 * step);
  EXPECT_EQ(Record().ScrollY, startY);
  QTest::mouseMove(vp, Centre());
  QTest::qWait(100);
  EXPECT_EQ(Record().ScrollX, scrolled);  // away from the edge: no more
  QTest::mouseMove(vp, QPoint(Centre().x(), 2));
  QTest::mouseRelease(vp, Qt::LeftButton, {}, QPoint(Centre().x(), 2));
  const int released = Record().ScrollY;
  EXPECT_EQ(released, startY - ScrollStep(vp->height()));
  QTest::qWait(100);
  EXPECT_EQ(Record().ScrollY, released);
}

// The zoom rectangle keeps its first corner on the board while the view
// scrolls under the pointer.
TEST_F(ViewToolsTest, ZoomRectangleStartStaysOnTheBoardWhileScrolling) {
  Look(0.004, 800, 800);
  ChooseTool(kToolZoom);
  const QPoint from = Centre() - QPoint(0, 60);
  const TDPoint pressed = ModelAt(from);
  QTest::mousePress(vp, Qt::LeftButton, {}, from);
  const QPoint edge(vp->width() - 3, Centre().y() + 60);
  QTest::mouseMove(vp, edge);
  QTest::qWait(100);
  ASSERT_GT(Record().ScrollX, 800);
  const TDPoint released = ModelAt(edge);
  QTest::mouseRelease(vp, Qt::LeftButton, {}, edge);
  const TDPoint centre = ModelAt(Centre());
  EXPECT_NEAR(centre.X, (pressed.X + released.X) / 2, 2 / Record().Zoom);
  EXPECT_NEAR(centre.Y, (pressed.Y + released.Y) / 2, 2 / Record().Zoom);
}

}  // namespace
}  // namespace bs::app
