// The element search through the real window: the tree of drill groups,
// choosing a group or an entry selects on the board, edits turn the tree
// grey and it is built again before it selects anything, and the choices
// are kept in the settings file.
#include <QComboBox>
#include <QDockWidget>
#include <QLabel>
#include <QSlider>
#include <QTreeWidget>

#include "components/search.h"
#include "io/ini_file.h"
#include "io/settings.h"
#include "menu_helpers.h"
#include "model/objekt_list.h"
#include "panels/selector_panel.h"
#include "window_fixture.h"

namespace bs::app {
namespace {

struct SelectorTest : test::TWindowTest {
  TObjekt& Drilled(int x, float drill) {
    auto e = NewObjekt();
    InitThtPad(*e, {float(x * 1000), -100000}, kLayerC1, kShapeRound, drill / 2, 9000);
    return Add(std::move(e));
  }
  void Click(QTreeWidgetItem* item) {
    QTreeWidget* tree = w->SelectorPanel()->Tree();
    tree->scrollToItem(item);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(item).center());
  }
  std::vector<size_t> SelectedIndices() {
    std::vector<size_t> out;
    for (size_t i = 0; i < Board().Elements.size(); ++i)
      if (Board().Elements[i]->Selected) out.push_back(i);
    return out;
  }
};

TEST_F(SelectorTest, GroupsSelectAndStaleTreesAreBuiltFirst) {
  Drilled(100, 10000);
  Drilled(150, 8000);
  Drilled(200, 8000);
  test::FindMenuEntry(w->menuBar(), "Selector-Panel")->trigger();
  TSelector* s = w->SelectorPanel();
  ASSERT_FALSE(w->SelectorDock()->isHidden());
  QTreeWidget* tree = s->Tree();
  ASSERT_EQ(tree->topLevelItemCount(), 2);
  EXPECT_EQ(tree->topLevelItem(0)->text(0), "0.80 mm   x 2");
  EXPECT_EQ(tree->topLevelItem(1)->text(0), "1.00 mm   x 1");
  EXPECT_EQ(s->Count()->text(), "3 Elements");
  EXPECT_FALSE(s->Stale());

  // A group selects all its elements, an entry only its own.
  Click(tree->topLevelItem(0));
  EXPECT_EQ(SelectedIndices(), (std::vector<size_t>{1, 2}));
  tree->topLevelItem(0)->setExpanded(true);
  Click(tree->topLevelItem(0)->child(1));
  EXPECT_EQ(SelectedIndices(), (std::vector<size_t>{2}));

  // An edit turns the tree grey; the chosen entry is remembered by its place.
  {
    // A new first element: every element's index moves on.
    auto e = NewObjekt();
    InitThtPad(*e, {50000, -100000}, kLayerC1, kShapeRound, 4000, 9000);
    Board().Elements.insert(Board().Elements.begin(), std::move(e));
    w->BoardEdited();
  }
  EXPECT_TRUE(s->Stale());
  // The slider applies the choice: the tree is built again first, so the
  // selection is the entry's element of the board as it is now.
  s->Zoom()->setValue(s->Zoom()->value() + 1);
  EXPECT_FALSE(s->Stale());
  EXPECT_EQ(tree->topLevelItem(0)->text(0), "0.80 mm   x 3");
  EXPECT_EQ(SelectedIndices(), (std::vector<size_t>{2}));  // the group's second entry now

  // Deleting elements: the stale tree is never used to select.
  DeleteObjekte(Board().Elements, [](const TObjekt& e) { return e.Kind == kKindThtPad && e.SizeB < 4500; });
  w->BoardEdited();
  EXPECT_TRUE(s->Stale());
  QEvent enter(QEvent::Enter);
  QApplication::sendEvent(tree->viewport(), &enter);
  EXPECT_FALSE(s->Stale());
  ASSERT_EQ(tree->topLevelItemCount(), 1);
  EXPECT_EQ(s->Count()->text(), "1 Element");
}

TEST_F(SelectorTest, KindsSortingsAndKeptChoices) {
  test::FindMenuEntry(w->menuBar(), "Selector-Panel")->trigger();
  TSelector* s = w->SelectorPanel();
  s->Kind()->setCurrentIndex(kSearchTexts);
  EXPECT_EQ(s->Sort()->count(), 3);
  s->Sort()->setCurrentIndex(2);
  s->Layers()->setCurrentIndex(kSearchAllLayers);
  s->Zoom()->setValue(8);
  s->Kind()->setCurrentIndex(kSearchSmd);
  EXPECT_EQ(s->Sort()->count(), 1);  // the sortings of the kind, the first chosen
  s->Kind()->setCurrentIndex(kSearchTexts);
  s->Sort()->setCurrentIndex(1);
  w->Project().Changed = false;
  w->close();
  TIniFile ini;
  ini.Load(SettingsFilePath());
  const TSelectorSettings kept = ReadSelectorSettings(ini);
  EXPECT_EQ(kept.Options.Kind, kSearchTexts);
  EXPECT_EQ(kept.Options.Sort, 1);
  EXPECT_EQ(kept.Options.Layers, kSearchAllLayers);
  EXPECT_EQ(kept.Zoom, 8);
  EXPECT_EQ(ini.ReadInt("Optionen", "Selector", 0), 1);
}

}  // namespace
}  // namespace bs::app
