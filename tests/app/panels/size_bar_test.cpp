// The size fields: what they show of the selection, what they apply to it,
// and their favourites menus.
#include "window_fixture.h"

#include "edit/create.h"
#include "edit/undo.h"
#include "panels/ground_plane_bar.h"
#include "panels/size_bar.h"
#include "widgets/length_field.h"

namespace bs::app {
namespace {

struct SizeBarTest : test::TWindowTest {
  TSizeBar* Bar() { return w->SizeBar(); }
  TLengthField* Field(TSizeBar::TField f) { return Bar()->Field(f); }
  // Selects the elements and lets the window know.
  void Select(std::initializer_list<TObjekt*> elements) {
    for (const auto& e : Board().Elements) e->Selected = 0;
    for (TObjekt* e : elements) e->Selected = 1;
    w->SelectionChanged();
  }
  TObjekt& PadOf(int x, float outer, float drill) {
    TObjekt& p = Pad(x, 200);
    p.SizeA = outer / 2;
    p.SizeB = drill / 2;
    return p;
  }
  QStringList Captions(QMenu* menu) {
    emit menu->aboutToShow();
    QStringList out;
    for (QAction* a : menu->actions())
      if (!a->isSeparator()) out << a->text() + (a->isChecked() ? " *" : "") + (a->isEnabled() ? "" : " (off)");
    return out;
  }
  QAction* Entry(QMenu* menu, const QString& text) {
    emit menu->aboutToShow();
    for (QAction* a : menu->actions())
      if (a->text() == text) return a;
    return nullptr;
  }
};

// Pads of one outer diameter and different drills: the outer field shows it
// highlighted, the drill field is mixed and keeps its text. Only with CTRL
// (under "StrgZumFangen") do new pads take the selection's outer diameter.
TEST_F(SizeBarTest, SelectionSizesAreShownHighlighted) {
  auto& sizes = w->Settings().Sizes;
  sizes.Circle1 = 18000;
  sizes.Circle2 = 6000;
  Bar()->Refresh();
  TObjekt& a = PadOf(200, 20000, 8000);
  TObjekt& b = PadOf(300, 20000, 10000);
  w->Settings().Options.StrgZumFangen = true;
  Select({&a, &b});
  EXPECT_EQ(Field(TSizeBar::kPadOuter)->Units(), 20000);
  EXPECT_EQ(Bar()->Look(TSizeBar::kPadOuter), TFieldLook::Selection);
  EXPECT_EQ(Bar()->Look(TSizeBar::kPadDrill), TFieldLook::Mixed);
  EXPECT_EQ(Field(TSizeBar::kPadDrill)->Units(), 6000);  // kept
  EXPECT_EQ(Bar()->Look(TSizeBar::kTrack), TFieldLook::Normal);
  EXPECT_TRUE(Field(TSizeBar::kPadOuter)->styleSheet().contains("#ff0000"));
  EXPECT_TRUE(Field(TSizeBar::kPadDrill)->styleSheet().contains("#c0c0c0"));
  EXPECT_EQ(sizes.Circle1, 18000);
  // Selected by a click with CTRL held.
  Select({});
  QTest::mouseClick(vp, Qt::LeftButton, Qt::ControlModifier, QPoint(200, 200));
  EXPECT_TRUE(a.Selected);
  EXPECT_EQ(sizes.Circle1, 20000);
  EXPECT_EQ(sizes.Circle2, 8000);
  // Nothing selected: the remembered sizes in the normal look.
  Select({});
  EXPECT_EQ(Bar()->Look(TSizeBar::kPadOuter), TFieldLook::Normal);
  EXPECT_TRUE(Field(TSizeBar::kPadOuter)->styleSheet().contains("#ffff00"));
  // Without the option the selection's sizes are taken over at once.
  w->Settings().Options.StrgZumFangen = false;
  Select({&a});
  EXPECT_EQ(sizes.Circle2, 8000);
}

// Undo and redo leave nothing selected: the fields return to their normal
// look instead of still showing the selection that was.
TEST_F(SizeBarTest, UndoAndRedoLeaveTheFieldsInTheirNormalLook) {
  TObjekt& pad = PadOf(200, 20000, 8000);
  Select({&pad});
  RecordUndo(w->Project());
  pad.SizeA = 12000;  // a change while selected
  w->BoardEdited();
  Select({&pad});
  ASSERT_EQ(Bar()->Look(TSizeBar::kPadOuter), TFieldLook::Selection);
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Bar()->Look(TSizeBar::kPadOuter), TFieldLook::Normal);
  Select({Board().Elements.front().get()});
  ASSERT_EQ(Bar()->Look(TSizeBar::kPadOuter), TFieldLook::Selection);
  Key(Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(Bar()->Look(TSizeBar::kPadOuter), TFieldLook::Normal);
}

// A changed field goes to the selected elements it fits, in one undo step;
// the drill field follows a smaller outer diameter.
TEST_F(SizeBarTest, ChangedSizesGoToTheSelection) {
  TObjekt& a = PadOf(200, 20000, 8000);
  TObjekt& b = PadOf(300, 20000, 10000);
  TObjekt& t = Track({QPoint(100, 300), QPoint(300, 300)});
  Select({&a, &b, &t});
  const size_t depth = UndoDepth();
  Field(TSizeBar::kPadOuter)->setValue(24.0 / 10);  // 2.4 mm
  EXPECT_FLOAT_EQ(Board().Elements[0]->SizeA, 12000);
  EXPECT_FLOAT_EQ(Board().Elements[1]->SizeA, 12000);
  EXPECT_FLOAT_EQ(Board().Elements[0]->SizeB, 4000);  // drills kept
  EXPECT_FLOAT_EQ(Board().Elements[1]->SizeB, 5000);
  EXPECT_EQ(Board().Elements[2]->Width, 8000);  // not a pad
  EXPECT_EQ(UndoDepth(), depth + 1);
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_FLOAT_EQ(Board().Elements[0]->SizeA, 10000);
  EXPECT_FLOAT_EQ(Board().Elements[1]->SizeA, 10000);

  Select({});
  auto& sizes = w->Settings().Sizes;
  Field(TSizeBar::kPadDrill)->setValue(1.0);
  Field(TSizeBar::kPadOuter)->setValue(0.8);
  EXPECT_EQ(sizes.Circle2, 8000);
  EXPECT_EQ(Field(TSizeBar::kPadDrill)->Units(), 8000);

  // The ground-plane distance goes to every selected element.
  TObjekt& track = *Board().Elements[2];
  Select({&track});
  w->GroundPlaneBar()->DistanceField()->setValue(0.7);
  EXPECT_EQ(track.Clearance, 7000);
}

// The track favourites: the current width is checked and cannot be added
// again; "Add" inserts in order, "Remove" takes an entry out, choosing one
// sets the width.
TEST_F(SizeBarTest, TrackFavourites) {
  auto& list = w->Settings().TrackPresets;
  list = {2000, 8000, 12000};
  w->Settings().Sizes.Track = 8000;
  Bar()->Refresh();
  QMenu* menu = Bar()->TrackMenu();
  EXPECT_EQ(Captions(menu), (QStringList{"Add (off)", "Remove", "0.20   mm", "0.80   mm *", "1.20   mm"}));
  Field(TSizeBar::kTrack)->setValue(1.0);
  Entry(menu, "Add")->trigger();
  EXPECT_EQ(list, (std::vector<int32_t>{2000, 8000, 10000, 12000}));
  Entry(menu, "0.20   mm")->trigger();
  EXPECT_EQ(w->Settings().Sizes.Track, 2000);
  EXPECT_EQ(Field(TSizeBar::kTrack)->Units(), 2000);
  emit menu->aboutToShow();
  QMenu* remove = Entry(menu, "Remove")->menu();
  ASSERT_TRUE(remove);
  remove->actions()[1]->trigger();  // 0.80
  EXPECT_EQ(list, (std::vector<int32_t>{2000, 10000, 12000}));
}

// Pad and SMD pairs are inserted in order; "Flip" exchanges the SMD sides
// and gives them to a selected SMD pad.
TEST_F(SizeBarTest, PairFavouritesAndFlip) {
  auto& pads = w->Settings().PadPresets;
  pads = {{10000, 5000}, {16000, 8000}};
  auto& sizes = w->Settings().Sizes;
  sizes.Circle1 = 14000;
  sizes.Circle2 = 6000;
  Bar()->Refresh();
  Entry(Bar()->PadMenu(), "Add")->trigger();
  EXPECT_EQ(pads, (std::vector<TPadSizePreset>{{10000, 5000}, {14000, 6000}, {16000, 8000}}));
  Entry(Bar()->PadMenu(), "1.60  x  0.80 mm")->trigger();
  EXPECT_EQ(sizes.Circle1, 16000);
  EXPECT_EQ(sizes.Circle2, 8000);

  auto e = NewObjekt();
  InitSmdPad(*e, {300000, -300000}, 9000, kLayerC1, 18000);
  TObjekt& smd = Add(std::move(e));
  sizes.SMDX = 9000;
  sizes.SMDY = 18000;
  Select({&smd});
  auto* flip = Bar()->findChild<QToolButton*>("SmdFlip");
  ASSERT_TRUE(flip);
  flip->click();
  EXPECT_EQ(sizes.SMDX, 18000);
  EXPECT_EQ(sizes.SMDY, 9000);
  const TSelectionSizes now = SelectionSizes(Board());
  EXPECT_EQ(now.SmdWidth.Value, 18000);
  EXPECT_EQ(now.SmdHeight.Value, 9000);
}

}  // namespace
}  // namespace bs::app
