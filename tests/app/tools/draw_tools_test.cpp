// The drawing tools through real mouse and key events on the drawing area.
#include "window_fixture.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include "copper/connectivity.h"
#include "dialogs/text_dialog.h"
#include "edit/create.h"
#include "io/settings.h"
#include "modal_helpers.h"
#include "panels/ground_plane_bar.h"
#include "tools/draw_tools.h"
#include "widgets/length_field.h"

namespace bs::app {
namespace {

// The board is seen at 0.1 mm a pixel with a 1 mm grid from the top-left
// corner: pixel (x, y) lies at model (1000 x, -1000 y), on the grid when
// x and y are multiples of 10.
struct DrawToolsTest : test::TWindowTest {
  void SetUp() override {
    TWindowTest::SetUp();
    Record().Grid = 10000;
    w->Settings().Options.TracksOptimieren = true;
  }
  static TFPoint M(int x, int y) { return {float(x * 1000), float(-y * 1000)}; }
  void Click(QPoint at, Qt::MouseButton b = Qt::LeftButton, Qt::KeyboardModifiers mods = {}) {
    MoveTo(at, Qt::NoButton, mods);
    QTest::mouseClick(vp, b, mods, at);
  }
  TObjekt& Last() { return *Board().Elements.back(); }
  size_t Count() { return Board().Elements.size(); }
};

// Every bend mode, chosen with the space bar while drawing, puts its bend
// point between the first click and the second.
TEST_F(DrawToolsTest, TrackBendModesFollowTheSpaceBar) {
  struct TCase {
    int mode;
    std::vector<TFPoint> points;
  } const cases[] = {
      {1, {M(100, 100), M(160, 100), M(200, 140)}},
      {2, {M(100, 100), M(140, 140), M(200, 140)}},
      {3, {M(100, 100), M(100, 140), M(200, 140)}},
      {4, {M(100, 100), M(200, 100), M(200, 140)}},
      {5, {M(100, 100), M(200, 140)}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.mode);
    w->SetTool(kToolTrack);
    Click({100, 100});
    auto* tool = static_cast<TPolylineTool*>(view->ActiveTool());
    ASSERT_TRUE(tool->Drawing());
    for (int i = 1; i < c.mode; ++i) Key(Qt::Key_Space);
    EXPECT_EQ(tool->BendMode(), c.mode);
    EXPECT_EQ(w->Tool(), kToolTrack);  // the space bar lent no zoom tool
    Click({200, 140});
    Click({200, 140}, Qt::RightButton);
    EXPECT_FALSE(tool->Drawing());
    EXPECT_EQ(w->Tool(), kToolTrack);  // ready for the next track
    TObjekt& t = Last();
    EXPECT_EQ(t.Kind, kKindTrack);
    EXPECT_EQ(t.Width, w->Settings().Sizes.Track);
    EXPECT_EQ(std::vector<TFPoint>(t.Points.begin(), t.Points.end()), c.points);
    // One undo step takes the whole track away.
    const size_t n = Count();
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Count(), n - 1);
  }
  // A right click with nothing drawn goes back to editing.
  w->SetTool(kToolTrack);
  Click({300, 300}, Qt::RightButton);
  EXPECT_EQ(w->Tool(), kToolEdit);
}

// A track of one click is dropped with its undo step: undo then takes back
// the operation before it.
TEST_F(DrawToolsTest, TooShortTracksAndZonesLeaveNoTrace) {
  Pad(50, 50);
  w->SetTool(kToolTrack);
  const size_t depth = UndoDepth();
  Click({100, 100});
  EXPECT_EQ(UndoDepth(), depth + 1);
  Click({100, 100}, Qt::RightButton);
  EXPECT_EQ(Count(), 1u);
  EXPECT_EQ(UndoDepth(), depth);
  // A zone of two vertices, ended by Esc, the same.
  w->SetTool(kToolZone);
  Click({100, 100});
  Click({200, 100});
  Key(Qt::Key_Escape);
  EXPECT_EQ(w->Tool(), kToolEdit);
  EXPECT_EQ(Count(), 1u);
  EXPECT_EQ(UndoDepth(), depth);
}

// A click on the first vertex closes the zone without doubling it; Del takes
// back the last vertex while drawing.
TEST_F(DrawToolsTest, ZoneClosesOnItsFirstVertex) {
  w->SetTool(kToolZone);
  Click({100, 100});
  Key(Qt::Key_Space);
  Key(Qt::Key_Space);
  Key(Qt::Key_Space);
  Key(Qt::Key_Space);  // mode 5: straight lines
  Click({200, 100});
  Click({250, 250});
  Key(Qt::Key_Delete);
  Click({200, 200});
  Click({100, 200});
  Click({100, 100});
  auto* tool = static_cast<TPolylineTool*>(view->ActiveTool());
  EXPECT_FALSE(tool->Drawing());
  TObjekt& z = Last();
  EXPECT_EQ(z.Kind, kKindZone);
  EXPECT_EQ(z.Closed, 1);
  EXPECT_EQ(std::vector<TFPoint>(z.Points.begin(), z.Points.end()),
            (std::vector<TFPoint>{M(100, 100), M(200, 100), M(200, 200), M(100, 200)}));
}

// Three collinear clicks leave two vertices after tidying.
TEST_F(DrawToolsTest, CollinearClicksAreTidied) {
  w->SetTool(kToolTrack);
  for (int i = 0; i < 4; ++i) Key(Qt::Key_Space);  // not drawing yet: no bend mode change
  Click({100, 100});
  for (int i = 0; i < 4; ++i) Key(Qt::Key_Space);
  Click({200, 100});
  Click({300, 100});
  Click({300, 100}, Qt::RightButton);
  EXPECT_EQ(std::vector<TFPoint>(Last().Points.begin(), Last().Points.end()),
            (std::vector<TFPoint>{M(100, 100), M(300, 100)}));
}

// The arrow keys change the width of the track being drawn and the size field.
TEST_F(DrawToolsTest, ArrowKeysChangeTheWidthWhileDrawing) {
  w->Settings().Sizes.Track = 8000;
  w->SetTool(kToolTrack);
  Click({100, 100});
  Key(Qt::Key_Up);
  Key(Qt::Key_Right, Qt::ControlModifier);
  Key(Qt::Key_Down);
  EXPECT_EQ(Last().Width, 9000);
  EXPECT_EQ(w->Settings().Sizes.Track, 9000);
}

// F9 while drawing goes on through a new via on the other side; F9 again at
// once takes that step back and drawing goes on where it was.
TEST_F(DrawToolsTest, F9PlacesAViaAndASecondF9TakesItBack) {
  SetActiveLayer(Record(), Board().Elements, kLayerC1);
  w->SetTool(kToolTrack);
  const size_t depth = UndoDepth();
  Click({100, 100});
  Click({200, 100});
  Key(Qt::Key_F9);
  ASSERT_EQ(Count(), 3u);  // the track, the via and the new track
  TObjekt& pad = *Board().Elements[1];
  EXPECT_EQ(pad.Kind, kKindThtPad);
  EXPECT_TRUE(pad.Via);
  EXPECT_EQ(pad.Pos, M(200, 100));
  EXPECT_EQ(Record().ActiveLayer, kLayerC2);
  auto* tool = static_cast<TPolylineTool*>(view->ActiveTool());
  ASSERT_TRUE(tool->Drawing());
  EXPECT_EQ(tool->Drawing()->Layer, kLayerC2);

  Key(Qt::Key_F9);
  EXPECT_EQ(Count(), 1u);
  EXPECT_EQ(Record().ActiveLayer, kLayerC1);
  ASSERT_EQ(tool->Drawing(), Board().Elements[0].get());
  Click({200, 200});
  Click({200, 200}, Qt::RightButton);
  EXPECT_EQ(Board().Elements[0]->Points.size(), 3u);
  EXPECT_EQ(UndoDepth(), depth + 1);

  // On an existing pad F9 asks whether it becomes a via.
  TObjekt& existing = Pad(300, 300);
  Click({250, 300});
  Click({300, 300});
  test::AnswerNextBox(QMessageBox::Yes);
  Key(Qt::Key_F9);
  EXPECT_TRUE(existing.Via);
  EXPECT_EQ(Record().ActiveLayer, kLayerC2);
}

// THT pads land on another pad's centre when placed within its reach, even
// off the grid; SMD pads take the SMD sizes; arrow keys change the sizes.
TEST_F(DrawToolsTest, PadsArePlacedWithCaptureAndTheCurrentSizes) {
  auto e = NewObjekt();
  const TFPoint odd{123450, -201230};
  InitThtPad(*e, odd, kLayerC1, kShapeRound, 3000, 9000);
  Add(std::move(e));
  w->SetTool(kToolPad);
  Click({125, 203});
  EXPECT_EQ(Last().Pos, odd);
  EXPECT_EQ(Last().SizeA, w->Settings().Sizes.Circle1 / 2.0f);
  Click({400, 400});
  EXPECT_EQ(Last().Pos, M(400, 400));
  // With "Capture" off the grid holds even near a pad.
  QAction* capture = nullptr;
  for (QAction* a : w->findChildren<QAction*>())
    if (a->text() == "Capture") capture = a;
  ASSERT_TRUE(capture && capture->isChecked());
  capture->trigger();
  Click({125, 203});
  EXPECT_EQ(Last().Pos, M(130, 200));
  capture->trigger();

  auto& sizes = w->Settings().Sizes;
  sizes.Circle1 = 10000;
  sizes.Circle2 = 9950;
  Key(Qt::Key_Down);  // the outer diameter takes the drill along
  EXPECT_EQ(sizes.Circle1, 9900);
  EXPECT_EQ(sizes.Circle2, 9900);
  Key(Qt::Key_Left, Qt::ControlModifier);
  EXPECT_EQ(sizes.Circle2, 8900);

  w->SetTool(kToolSmdPad);
  Key(Qt::Key_Up);
  Click({500, 400});
  TObjekt& smd = Last();
  EXPECT_EQ(smd.Kind, kKindSmdPad);
  EXPECT_EQ(sizes.SMDY, 18100);
  EXPECT_FLOAT_EQ(std::abs(smd.Points[1].X - smd.Points[0].X), float(sizes.SMDX));
}

// Circles and rectangles by a drag; too small a drag makes nothing.
TEST_F(DrawToolsTest, CirclesAndRectanglesByADrag) {
  const size_t depth = UndoDepth();
  w->SetTool(kToolCircle);
  Drag({300, 300}, {340, 310});
  ASSERT_EQ(Count(), 1u);
  EXPECT_EQ(Last().Kind, kKindCircle);
  EXPECT_EQ(Last().Pos, M(300, 300));
  const float w2 = w->Settings().Sizes.Track / 2.0f;
  EXPECT_FLOAT_EQ(Last().SizeA, 40000 + w2);
  Drag({300, 300}, {300, 300}, Qt::ControlModifier);
  EXPECT_EQ(Count(), 1u);

  w->SetTool(kToolRectangle);
  Drag({100, 100}, {100, 100}, Qt::ControlModifier);
  EXPECT_EQ(Count(), 1u);
  Drag({100, 100}, {200, 150});
  EXPECT_EQ(Last().Kind, kKindTrack);
  EXPECT_EQ(Last().Points.size(), 5u);
  // "Zone" in the button's menu makes them filled.
  auto* button = w->ToolPalette()->findChild<QToolButton*>("RectangleToolButton");
  ASSERT_TRUE(button);
  for (QAction* a : button->menu()->actions())
    if (a->text() == "Zone") a->trigger();
  w->SetTool(kToolRectangle);
  Drag({100, 200}, {200, 250});
  EXPECT_EQ(Last().Kind, kKindZone);
  EXPECT_EQ(Last().Closed, 1);
  EXPECT_EQ(UndoDepth(), depth + 3);
}

// The tool letters of the settings choose the drawing tools.
TEST_F(DrawToolsTest, HotkeysChooseTheTools) {
  w->Settings().Options.Hotkeys = "ZTPSRQFNLCAXMVO";
  struct {
    int key, mode;
  } const cases[] = {{Qt::Key_T, kToolTrack},      {Qt::Key_P, kToolPad},       {Qt::Key_S, kToolSmdPad},
                     {Qt::Key_R, kToolCircle},     {Qt::Key_Q, kToolRectangle}, {Qt::Key_F, kToolZone},
                     {Qt::Key_O, kToolSolderMask}, {Qt::Key_M, kToolMeasure}};
  for (const auto& c : cases) {
    w->SetTool(kToolEdit);
    Key(c.key);
    EXPECT_EQ(w->Tool(), c.mode) << c.key;
  }
}

// The solder-mask tool switches the opening of the element under the pointer.
TEST_F(DrawToolsTest, SolderMaskToolTogglesTheOpening) {
  TObjekt& pad = Pad(300, 300);
  const uint8_t before = pad.SolderMask;
  w->SetTool(kToolSolderMask);
  MoveTo({301, 300}, Qt::NoButton);
  EXPECT_TRUE(pad.Selected);  // highlighted under the pointer
  Click({301, 300});
  EXPECT_NE(pad.SolderMask, before);
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Board().Elements[0]->SolderMask, before);
}

// The pad shape menu sets the shape of new pads and of the selected ones.
TEST_F(DrawToolsTest, PadShapeMenuAndThroughPad) {
  TObjekt& pad = Pad(300, 300);
  pad.Selected = 1;
  w->SelectionChanged();
  auto* button = w->ToolPalette()->findChild<QToolButton*>("PadToolButton");
  ASSERT_TRUE(button);
  QAction* square = nullptr;
  QAction* through = nullptr;
  for (QAction* a : button->menu()->actions()) {
    if (a->text() == "Square") square = a;
    if (a->text() == "Through pad") through = a;
  }
  ASSERT_TRUE(square && through);
  square->trigger();
  EXPECT_EQ(pad.Shape, kShapeSquare);
  through->trigger();
  EXPECT_TRUE(pad.Via);
  w->SetTool(kToolPad);
  Click({500, 500});
  EXPECT_EQ(Last().Shape, kShapeSquare);
  EXPECT_TRUE(Last().Via);
  Key(Qt::Key_F12);  // off again for new pads
  Click({600, 500});
  EXPECT_FALSE(Last().Via);
}

// While a track is drawn the preview, the crosshair and the key panel with
// the bend mode show over the board.
TEST_F(DrawToolsTest, DrawingShowsThePreviewAndTheKeyPanel) {
  w->SetTool(kToolTrack);
  Click({100, 100});
  MoveTo({300, 180}, Qt::NoButton);
  QApplication::processEvents();
  const QImage shown = vp->grab().toImage();
  if (const char* dir = std::getenv("BS_SCREENSHOTS")) w->grab().save(QString(dir) + "/track_tool.png");
  // The preview runs straight from the start and bends 45 degrees into the pointer.
  const QColor bg = shown.pixelColor(50, 300);
  EXPECT_NE(shown.pixelColor(150, 100), bg);
  EXPECT_NE(shown.pixelColor(260, 140), bg);
  auto* keys = w->findChild<TKeyPanel*>();
  ASSERT_TRUE(keys);
  EXPECT_TRUE(keys->isVisible());
  EXPECT_TRUE(keys->MeaningLabel(2)->text().contains("[1/5]"));
}

}  // namespace
}  // namespace bs::app

namespace bs::app {
namespace {

struct TextToolTest : DrawToolsTest {
  // Fills the text dialog when it opens next and presses OK (or Cancel).
  void AnswerTextDialog(const QString& text, bool addNumber, int startAt = 1, bool ok = true, int thickness = 1,
                        int32_t height = 20000) {
    test::OnNextDialog<TTextDialog>([=](TTextDialog& d) {
      d.TextField()->setText(text);
      d.HeightField()->SetUnits(height);
      d.ThicknessButtons()->button(thickness)->setChecked(true);
      for (QCheckBox* c : d.findChildren<QCheckBox*>())
        if (c->text() == "Add number") c->setChecked(addNumber);
      for (QSpinBox* s : d.findChildren<QSpinBox*>())
        if (s->objectName() != "TextAngle") s->setValue(startAt);
      auto* box = d.findChild<QDialogButtonBox*>();
      box->button(ok ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel)->click();
    });
  }
  std::vector<TObjekt*> Texts() {
    std::vector<TObjekt*> out;
    for (const auto& e : Board().Elements)
      if (e->Kind == kKindText) out.push_back(e.get());
    return out;
  }
};

// With "Add number" each click places the next numbered text; the text
// follows the pointer on the grid; one undo step per text.
TEST_F(TextToolTest, NumberedTextsArePlacedOneAfterTheOther) {
  const size_t depth = UndoDepth();
  AnswerTextDialog("R", true, 7);
  w->SetTool(kToolText);
  QTest::qWait(100);
  MoveTo({203, 198}, Qt::NoButton);
  Click({203, 198});
  Click({303, 198});
  Click({303, 198}, Qt::RightButton);
  EXPECT_EQ(w->Tool(), kToolEdit);
  const auto texts = Texts();
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0]->Text, "R7");
  EXPECT_EQ(texts[1]->Text, "R8");
  EXPECT_EQ(texts[0]->Pos, M(200, 200));
  EXPECT_EQ(texts[1]->Pos, M(300, 200));
  EXPECT_FALSE(texts[0]->SubElements.empty());
  EXPECT_FALSE(texts[0]->Selected);
  EXPECT_EQ(UndoDepth(), depth + 2);
  EXPECT_FALSE(w->Project().Undo.Blocked);
}

// Showing another board keeps the numbered text on the pointer without
// asking again.
TEST_F(TextToolTest, AnotherBoardKeepsTheTextOnThePointer) {
  AnswerTextDialog("R", true, 1);
  w->SetTool(kToolText);
  QTest::qWait(100);
  Click({200, 200});
  QAction* copy = nullptr;
  for (QAction* a : w->findChildren<QAction*>())
    if (a->text() == "Copy board") copy = a;
  ASSERT_TRUE(copy);
  // A dialog that should not open is closed again.
  bool asked = false;
  QTimer::singleShot(150, [&asked] {
    if (auto* d = qobject_cast<TTextDialog*>(QApplication::activeModalWidget())) {
      asked = true;
      d->reject();
    }
  });
  copy->trigger();
  QTest::qWait(300);
  EXPECT_FALSE(asked);
  ASSERT_EQ(w->Project().Boards.size(), 2u);
  EXPECT_EQ(w->Tool(), kToolText);
  Click({300, 200});
  const auto texts = Texts();
  ASSERT_FALSE(texts.empty());
  EXPECT_EQ(texts.back()->Text, "R3");  // the copy holds R1; R2 was on the pointer when it was copied
  EXPECT_EQ(texts.back()->Pos, M(300, 200));
}

// Cancel ends the tool; without numbering the dialog asks again after each text.
TEST_F(TextToolTest, CancelEndsTheToolAndPlainTextsAskAgain) {
  AnswerTextDialog("X", false, 1, false);
  w->SetTool(kToolText);
  QTest::qWait(100);
  EXPECT_EQ(w->Tool(), kToolEdit);

  AnswerTextDialog("A", false);
  w->SetTool(kToolText);
  QTest::qWait(100);
  AnswerTextDialog("B", false);
  Click({200, 200});
  QTest::qWait(100);
  Click({300, 200});
  const auto texts = Texts();
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0]->Text, "A");
  EXPECT_EQ(texts[1]->Text, "B");
}

// A double-click on a text opens the dialog with its values; OK changes it.
// With the height limit on, a thin text is raised to 2.5 mm.
TEST_F(TextToolTest, DoubleClickEditsTheTextWithTheHeightLimit) {
  auto t = MakeText(TTextFields{"OLD", 20000, 1, 1, false, false, 0}, {200000, -200000}, kLayerC1, 4000);
  ASSERT_TRUE(t);
  Add(std::move(t));
  w->Settings().Options.SchrifthoeheBegrenzen = true;
  QString shown;
  test::OnNextDialog<TTextDialog>([&](TTextDialog& d) {
    shown = d.TextField()->text();
    d.TextField()->setText("NEW");
    d.ThicknessButtons()->button(0)->click();
    d.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
  });
  const size_t depth = UndoDepth();
  const TFPoint stroke = Last().SubElements.front()->Points.front();
  QTest::mouseDClick(vp, Qt::LeftButton, {}, PixelOf(At(stroke)));
  QTest::qWait(50);
  EXPECT_EQ(shown, "OLD");
  TObjekt& text = *Texts().front();
  EXPECT_EQ(text.Text, "NEW");
  EXPECT_EQ(text.SizeB, 0);
  EXPECT_EQ(text.SizeA, 25000);
  EXPECT_EQ(UndoDepth(), depth + 1);
}

}  // namespace
}  // namespace bs::app

namespace bs::app {
namespace {

using ConnectionToolTest = DrawToolsTest;

bool Joined(const TObjekt& a, const TObjekt& b) {
  auto has = [](const TObjekt& x, const TObjekt& y) {
    return std::find(x.Connections.begin(), x.Connections.end(), &y) != x.Connections.end();
  };
  return has(a, b) && has(b, a);
}

// Pad A then pad B makes a rubber band, the same again deletes it; the same
// pad twice makes nothing; a right click drops a first pad, a second one
// leaves the tool.
TEST_F(ConnectionToolTest, ClicksOnTwoPadsToggleTheRubberBand) {
  TObjekt& a = Pad(200, 200);
  TObjekt& b = Pad(400, 300);
  w->SetTool(kToolConnections);
  EXPECT_EQ(w->ToolHint(), "CONNECTION:  Select first pad");
  MoveTo({201, 200}, Qt::NoButton);
  EXPECT_TRUE(a.Selected);  // the pad under the pointer is highlighted
  Click({201, 200});
  EXPECT_EQ(w->ToolHint(), "CONNECTION:  Select second pad for connection, abort with right mouse button");
  Click({201, 200});  // the same pad: nothing
  EXPECT_TRUE(a.Connections.empty());
  const size_t depth = UndoDepth();
  Click({400, 301});
  EXPECT_TRUE(Joined(a, b));
  EXPECT_EQ(UndoDepth(), depth + 1);
  EXPECT_EQ(w->ToolHint(), "CONNECTION:  Select first pad");
  Click({200, 200});
  Click({400, 300});
  EXPECT_TRUE(a.Connections.empty());
  EXPECT_TRUE(b.Connections.empty());

  Click({200, 200});
  Click({300, 500}, Qt::RightButton);  // drops the first pad
  EXPECT_EQ(w->Tool(), kToolConnections);
  Click({400, 300});
  EXPECT_TRUE(a.Connections.empty());
  Click({300, 500}, Qt::RightButton);
  Click({300, 500}, Qt::RightButton);
  EXPECT_EQ(w->Tool(), kToolEdit);
}

// Over a rubber band its two pads light up, and a click deletes it; undo
// brings it back. Del deletes nothing in this tool.
TEST_F(ConnectionToolTest, ClickOnARubberBandDeletesIt) {
  TObjekt& a = Pad(200, 200);
  TObjekt& b = Pad(400, 200);
  ToggleConnection(a, b);
  w->SetTool(kToolConnections);
  MoveTo({300, 201}, Qt::NoButton);
  EXPECT_TRUE(a.Selected && b.Selected);
  Key(Qt::Key_Delete);
  EXPECT_EQ(Count(), 2u);
  Click({300, 201});
  EXPECT_FALSE(Joined(a, b));
  EXPECT_TRUE(a.Connections.empty());
  Key(Qt::Key_Z, Qt::ControlModifier);
  ASSERT_EQ(Count(), 2u);
  EXPECT_TRUE(Joined(*Board().Elements[0], *Board().Elements[1]));
  MoveTo({300, 260}, Qt::NoButton);  // away from it
  EXPECT_FALSE(Board().Elements[0]->Selected);
}

}  // namespace
}  // namespace bs::app

namespace bs::app {
namespace {

using CutoutTest = DrawToolsTest;

// The cut-out buttons show while the active layer's plane is on, choose the
// zone or rectangle tool for cut-outs and pop up with any other tool.
TEST_F(CutoutTest, CutoutButtonsDrawCutoutZones) {
  SetActiveLayer(Record(), Board().Elements, kLayerC1);
  w->ActiveLayerChanged();
  TGroundPlaneBar* bar = w->GroundPlaneBar();
  QToolButton* polygon = bar->PolygonCutoutButton();
  QToolButton* rectangle = bar->RectangleCutoutButton();
  EXPECT_FALSE(polygon->isVisible());
  bar->PlaneButton()->click();
  QApplication::processEvents();  // the bar lays itself out again
  ASSERT_TRUE(Record().GroundPlane[kLayerC1]);
  EXPECT_TRUE(polygon->isVisible() && rectangle->isVisible());

  polygon->click();
  EXPECT_EQ(w->Tool(), kToolZone);
  EXPECT_TRUE(polygon->isChecked());
  Click({100, 100});
  Click({200, 100});
  Click({150, 200});
  Click({150, 200}, Qt::RightButton);
  ASSERT_EQ(Count(), 1u);
  EXPECT_TRUE(Last().Cutout);
  EXPECT_EQ(Last().Layer, kLayerC1);
  EXPECT_EQ(Last().Clearance, bar->CurrentClearance());

  rectangle->click();
  EXPECT_EQ(w->Tool(), kToolRectangle);
  EXPECT_FALSE(polygon->isChecked());
  EXPECT_TRUE(rectangle->isChecked());
  Drag({300, 300}, {300, 300}, Qt::ControlModifier);  // too small
  EXPECT_EQ(Count(), 1u);
  Drag({300, 300}, {400, 350});
  ASSERT_EQ(Count(), 2u);
  EXPECT_EQ(Last().Kind, kKindZone);
  EXPECT_TRUE(Last().Cutout);

  w->SetTool(kToolEdit);
  EXPECT_FALSE(rectangle->isChecked());
  w->SetTool(kToolRectangle);  // chosen from the palette: no cut-outs
  Drag({300, 400}, {400, 450});
  EXPECT_FALSE(Last().Cutout);
}

// The text field is labelled, and the orientation buttons show the angle
// the angle field holds: its quarter turn, or none for a free angle, also
// when the dialog is filled.
TEST(TextDialog, TheTextFieldIsLabelledAndTheButtonsFollowTheAngle) {
  TTextDialog d;
  d.show();
  auto* text = d.findChild<QLineEdit*>("TextLine");
  QLabel* label = nullptr;
  for (QLabel* l : d.findChildren<QLabel*>())
    if (l->buddy() == text) label = l;
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->text(), "Text");
  auto checked = [&] {
    QStringList on;
    for (QRadioButton* b : d.findChildren<QRadioButton*>())
      if (b->isChecked() && b->text().endsWith("°")) on << b->text();
    return on;
  };
  auto* angle = d.findChild<QSpinBox*>("TextAngle");
  struct Case {
    int rotation;
    QStringList on;
  } cases[] = {{90, {"90°"}}, {45, {}}, {270, {"270°"}}, {0, {"0°"}}, {359, {}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.rotation);
    TTextFields f;
    f.Rotation = c.rotation;
    d.SetFields(f);
    EXPECT_EQ(angle->value(), c.rotation);
    EXPECT_EQ(checked(), c.on);
  }
  // Typed into the angle field, too.
  angle->selectAll();
  QTest::keyClicks(angle, "180");
  EXPECT_EQ(checked(), QStringList{"180°"});
  QTest::keyClicks(angle, "\b\b");
  angle->interpretText();
  EXPECT_EQ(checked(), QStringList{});
}

}  // namespace
}  // namespace bs::app
