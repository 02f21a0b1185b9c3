// The properties panel in the main window: it follows the selection, its
// changes are single undo steps, and the board commands show its board page.
#include "window_fixture.h"

#include <QAbstractSpinBox>
#include <QDockWidget>
#include <QMenuBar>

#include "panels/properties_panel.h"
#include "panels/size_bar.h"
#include "widgets/length_field.h"

namespace bs::app {
namespace {

struct PropertiesWindowTest : test::TWindowTest {
  void SetUp() override {
    TWindowTest::SetUp();
    w->Settings().Options.Eigenschaften = true;
    w->ApplySettings();
    QApplication::processEvents();
  }
  TPropertiesPanel* Panel() { return w->PropertiesPanel(); }
  QAbstractSpinBox* Field(const char* name) { return Panel()->findChild<QAbstractSpinBox*>(name); }
  void Type(QWidget* field, const QString& text) {
    field->setFocus();
    if (auto* spin = qobject_cast<QAbstractSpinBox*>(field)) spin->selectAll();
    QTest::keyClicks(field, text);
    QTest::keyClick(field, Qt::Key_Return);
  }
  QAction* MenuEntry(const QString& menu, const QString& entry) {
    for (QAction* m : w->menuBar()->actions())
      if (m->text() == menu && m->menu())
        for (QAction* a : m->menu()->actions())
          if (a->text() == entry) return a;
    return nullptr;
  }
};

TEST_F(PropertiesWindowTest, PanelFollowsTheSelectionAndChangesAreOneUndoStep) {
  ASSERT_TRUE(Panel()->isVisible());
  EXPECT_EQ(Panel()->ShownPage(), TPropertiesPanel::kPageBoard);
  TObjekt& a = Pad(200, 200);
  TObjekt& b = Pad(300, 200);
  b.SizeB = 4000;
  QTest::mouseClick(vp, Qt::LeftButton, {}, QPoint(200, 200));
  QTest::mouseClick(vp, Qt::LeftButton, Qt::ShiftModifier, QPoint(300, 200));
  ASSERT_TRUE(a.Selected && b.Selected);
  EXPECT_EQ(Panel()->ShownPage(), TPropertiesPanel::kPageTht);
  EXPECT_EQ(Panel()->TypeCaption(), "2 Pads");
  const size_t depth = UndoDepth();
  Type(Field("outerDiameter"), "2.5");
  EXPECT_FLOAT_EQ(a.SizeA, 12500);
  EXPECT_FLOAT_EQ(b.SizeA, 12500);
  EXPECT_FLOAT_EQ(b.SizeB, 4000);  // the drills stay
  EXPECT_EQ(UndoDepth(), depth + 1);
  // The size field shows the new common outer diameter.
  EXPECT_EQ(w->SizeBar()->Field(TSizeBar::kPadOuter)->Units(), 25000);
  view->setFocus();
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_FLOAT_EQ(Board().Elements[0]->SizeA, 9000);
  EXPECT_FLOAT_EQ(Board().Elements[1]->SizeA, 9000);
  // After undo nothing is selected: the panel shows the board.
  EXPECT_EQ(Panel()->ShownPage(), TPropertiesPanel::kPageBoard);
}

TEST_F(PropertiesWindowTest, BoardPropertiesDropTheSelectionAndOptionsToggleThePanel) {
  TObjekt& a = Pad(200, 200);
  QTest::mouseClick(vp, Qt::LeftButton, {}, QPoint(200, 200));
  ASSERT_TRUE(a.Selected);
  QAction* props = MenuEntry("&Board", "&Properties");
  ASSERT_TRUE(props);
  props->trigger();
  EXPECT_FALSE(Board().Elements[0]->Selected);
  EXPECT_EQ(Panel()->ShownPage(), TPropertiesPanel::kPageBoard);
  EXPECT_TRUE(Panel()->Flashing());

  QAction* toggle = MenuEntry("&Options", "Properties-Panel");
  ASSERT_TRUE(toggle);
  toggle->trigger();
  EXPECT_FALSE(Panel()->isVisible());
  EXPECT_FALSE(w->Settings().Options.Eigenschaften);
  // The element menu's "&Properties" shows it again.
  QTest::mouseClick(vp, Qt::LeftButton, {}, QPoint(200, 200));
  ChooseInPopup([&] { QTest::mouseClick(vp, Qt::RightButton, {}, QPoint(200, 200)); }, "&Properties");
  EXPECT_TRUE(Panel()->isVisible());
  EXPECT_EQ(Panel()->ShownPage(), TPropertiesPanel::kPageTht);
  if (const char* dir = std::getenv("BS_SCREENSHOTS")) w->grab().save(QString(dir) + "/properties.png");
}

}  // namespace
}  // namespace bs::app
