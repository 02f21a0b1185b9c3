// The DRC panel through the real main window: a run lists what the core
// check finds, the selected findings are hatched on the board and stay so
// through repaints, a double click zooms to a finding, the rules come from
// and go to the settings file, and a long job takes no input but Esc.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDockWidget>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QTimer>

#include <cstdlib>

#include "checks/drc.h"
#include "io/ini_file.h"
#include "io/settings.h"
#include "menu_helpers.h"
#include "panels/drc_panel.h"
#include "private_folders.h"
#include "view/board_view.h"
#include "widgets/length_field.h"
#include "window/long_operation.h"
#include "window/main_window.h"

namespace bs::app {
namespace {

const QString kDemo = QStringLiteral(BOARDSMITH_SOURCE_DIR "/examples/demo.bsm6");

struct DrcPanelTest : testing::Test {
  test::TPrivateFolders folders{"bs_drc_panel_test_"};
  std::unique_ptr<TMainWindow> w;
  TDrcPanel* panel = nullptr;

  void SetUp() override {
    w = std::make_unique<TMainWindow>();
    w->resize(1200, 800);
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    ASSERT_TRUE(w->OpenFile(kDemo));
    QAction* show = test::FindMenuEntry(w->menuBar(), "DRC-Panel");
    ASSERT_NE(show, nullptr);
    show->trigger();
    ASSERT_TRUE(w->DrcDock()->isVisible());
    panel = w->DrcPanel();
    w->View()->ZoomBoard();
    QApplication::processEvents();
  }
  template <typename T>
  T* Child(const char* name) {
    T* c = panel->findChild<T*>(name);
    EXPECT_NE(c, nullptr) << name;
    return c;
  }
  void Click(const char* button) { QTest::mouseClick(Child<QPushButton>(button), Qt::LeftButton); }

  // How many pixels of the outline layer's colour the drawing area shows
  // within a finding's marker.
  int OutlinePixels(const TDrcFinding& f) {
    QApplication::processEvents();
    const QImage shown = w->View()->viewport()->grab().toImage();
    const TPlatine& p = w->Project().Active()->Platine;
    const TDPoint a = ModelToPixel(p, {double(f.Marker.Left), double(f.Marker.Top)});
    const TDPoint b = ModelToPixel(p, {double(f.Marker.Right), double(f.Marker.Bottom)});
    const QRect r = QRect(QPoint(int(a.X), int(a.Y)), QPoint(int(b.X), int(b.Y))).normalized() & shown.rect();
    const TColour o = w->View()->Settings().Scheme.Layer(kLayerO);
    const QRgb colour = qRgb(Red(o), Green(o), Blue(o));
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
      for (int x = r.left(); x <= r.right(); ++x) n += shown.pixel(x, y) == colour;
    return n;
  }
};

TEST_F(DrcPanelTest, CompleteRunListsTheCoreFindingsAndHatchesTheSelected) {
  Click("complete");
  const TBoard& board = *w->Project().Active();
  const TDrcResult core = RunDrc(board, TDrcRules{}, DrcCompleteArea(board.Platine));
  ASSERT_FALSE(core.Findings.empty());
  EXPECT_EQ(panel->Findings(), core.Findings);
  QListWidget* list = panel->List();
  ASSERT_EQ(list->count(), int(core.Findings.size()));
  EXPECT_EQ(list->item(0)->text().toStdString(), DrcFindingText(core.Findings[0]));
  EXPECT_EQ(panel->Caption(), QString("%1 errors").arg(core.Findings.size()));
  EXPECT_EQ(list->selectedItems().size(), list->count());  // all selected after a run
  EXPECT_TRUE(Child<QPushButton>("selectAll")->isEnabled());
  if (const char* dir = std::getenv("BS_SCREENSHOTS")) w->grab().save(QString(dir) + "/drc_panel.png");

  // The selected findings are hatched, also after the board is painted
  // again; a finding that loses its selection loses its hatching.
  const TDrcFinding& first = core.Findings[0];
  const int hatched = OutlinePixels(first);
  w->View()->Refresh();
  EXPECT_EQ(OutlinePixels(first), hatched);
  list->clearSelection();
  const int plain = OutlinePixels(first);
  EXPECT_GT(hatched, plain + 20);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
  EXPECT_EQ(list->selectedItems().size(), 1);
  EXPECT_EQ(OutlinePixels(first), hatched);
  Click("selectAll");
  EXPECT_EQ(list->selectedItems().size(), list->count());

  // A double click zooms to the finding: its marker's middle in the middle
  // of the drawing area.
  const double zoomBefore = w->Project().Active()->Platine.Zoom;
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
  const TPlatine& p = w->Project().Active()->Platine;
  EXPECT_GT(p.Zoom, zoomBefore);
  const TDPoint middle =
      ModelToPixel(p, {(first.Marker.Left + first.Marker.Right) / 2.0, (first.Marker.Top + first.Marker.Bottom) / 2.0});
  const QSize area = w->View()->viewport()->size();
  EXPECT_NEAR(middle.X, area.width() / 2.0, 3);
  EXPECT_NEAR(middle.Y, area.height() / 2.0, 3);

  // Another board: the findings belong to the old one and go.
  QAction* copy = test::FindMenuEntry(w->menuBar(), "Copy board");
  ASSERT_NE(copy, nullptr);
  copy->trigger();
  EXPECT_EQ(list->count(), 0);
  EXPECT_TRUE(panel->Findings().empty());
}

TEST_F(DrcPanelTest, RulesFollowTheSwitchesAndTheSettingsFile) {
  // Without the copper rule no copper finding is left; a typed limit counts.
  Child<QCheckBox>("rule0")->click();
  EXPECT_FALSE(Child<TLengthField>("limit0")->isEnabled());
  TLengthField* ring = Child<TLengthField>("limit5");
  ring->selectAll();
  QTest::keyClicks(ring, "0.5");
  Click("complete");
  ASSERT_FALSE(panel->Findings().empty());
  for (const TDrcFinding& f : panel->Findings()) EXPECT_NE(f.Kind, kDrcKindCopper);
  TDrcRules expected;
  expected.Kupfer = false;
  expected.WRingMin = 5000;
  EXPECT_EQ(panel->Rules(), expected);

  // Closing writes them into the settings file; the next window reads them.
  w->close();
  TIniFile ini;
  ASSERT_TRUE(ini.Load(SettingsFilePath()));
  EXPECT_EQ(ReadDrcRules(ini), expected);
  TMainWindow next;
  EXPECT_EQ(next.DrcPanel()->Rules(), expected);
}

// A long job: a wait cursor, its timers paused, mouse and keys kept from
// the window, Esc seen within the poll interval; all undone at the end.
TEST_F(DrcPanelTest, ALongJobTakesOnlyEscAndRestoresEverything) {
  QTimer autosave;
  autosave.start(60000);
  QTimer idle;  // not running: stays stopped
  int clicks = 0;
  QPushButton* complete = Child<QPushButton>("complete");
  QObject::connect(complete, &QPushButton::clicked, [&clicks] { ++clicks; });
  // The job itself would be a check; a click and then Esc arrive while it runs.
  QTimer::singleShot(50, [complete] { QTest::mouseClick(complete, Qt::LeftButton); });
  QTimer::singleShot(150, [this] { QTest::keyClick(w->windowHandle(), Qt::Key_Escape); });
  int steps = 0;
  bool escaped = false;
  {
    TLongOperation guard(w.get(), {&autosave, &idle});
    EXPECT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_FALSE(autosave.isActive());
    const TProgress progress = guard.Progress([&steps](int, int) { ++steps; });
    QElapsedTimer limit;
    limit.start();
    while (!progress.Aborted() && limit.elapsed() < 5000) progress.Report(1, 2);
    escaped = guard.Escaped();
  }
  EXPECT_TRUE(escaped);
  EXPECT_GT(steps, 0);
  EXPECT_EQ(clicks, 0);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  EXPECT_TRUE(autosave.isActive());
  EXPECT_FALSE(idle.isActive());
  // Afterwards the window takes input again.
  QTest::mouseClick(complete, Qt::LeftButton);
  EXPECT_EQ(clicks, 1);
}

}  // namespace
}  // namespace bs::app
