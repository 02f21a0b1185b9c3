#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDoubleSpinBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTabBar>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <QWheelEvent>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "copper/connectivity.h"
#include "dialogs/help_window.h"
#include "dialogs/new_board_dialog.h"
#include "edit/connections.h"
#include "edit/undo.h"
#include "io/project_file.h"
#include "modal_helpers.h"
#include "model/objekt_list.h"
#include "panels/layer_bar.h"
#include "render/painter.h"
#include "tools/tool_palette.h"
#include "tools/tools.h"
#include "view/board_overview.h"
#include "view/board_view.h"
#include "view/qpainter_surface.h"
#include "view/ruler.h"
#include "widgets/number_field.h"
#include "window/main_window.h"

namespace bs::app {
namespace {

namespace fs = std::filesystem;

const QString kDemo = QStringLiteral(BOARDSMITH_SOURCE_DIR "/examples/demo.bsm6");

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The menu entry with the given caption.
QAction* Entry(TMainWindow& w, const QString& caption) {
  for (QAction* menu : w.menuBar()->actions())
    if (menu->menu())
      for (QAction* a : menu->menu()->actions())
        if (a->text() == caption) return a;
  return nullptr;
}

struct MainWindowTest : testing::Test {
  // Tests run in parallel processes: each gets a folder of its own.
  fs::path dir = fs::temp_directory_path() /
                 ("bs_app_test_" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()) + "_" +
                  std::to_string(QCoreApplication::applicationPid()));
  void SetUp() override {
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(dir); }
};

TEST_F(MainWindowTest, OpensTheExampleWithTitleAndTabs) {
  TMainWindow w;
  w.show();
  ASSERT_TRUE(w.OpenFile(kDemo));
  EXPECT_TRUE(w.windowTitle().startsWith("Boardsmith 6.0 - ["));
  EXPECT_TRUE(w.windowTitle().endsWith("demo.bsm6]"));
  ASSERT_EQ(w.Tabs()->count(), 1);
  EXPECT_EQ(w.Tabs()->tabText(0), "Timer ");
  EXPECT_EQ(w.View()->Board(), w.Project().Active());
  EXPECT_EQ(w.Project().Active()->Elements.size(), 57u);
  // The picture of the README: the example with a pad selected and the
  // properties panel open.
  if (const char* dir = std::getenv("BS_SCREENSHOTS")) {
    w.resize(1400, 900);
    w.Settings().Options.Eigenschaften = true;
    w.ApplySettings();
    QApplication::processEvents();
    w.View()->ZoomBoard();
    for (const auto& e : w.Project().Active()->Elements)
      if (e->Kind == kKindThtPad) {
        e->Selected = 1;
        break;
      }
    w.SelectionChanged();
    w.View()->Refresh();
    QApplication::processEvents();
    w.grab().save(QString(dir) + "/editor.png");
  }
}

TEST_F(MainWindowTest, WheelZoomsAboutThePointerAndAntialiasToggles) {
  TMainWindow w;
  w.show();
  ASSERT_TRUE(w.OpenFile(kDemo));
  w.View()->ZoomBoard();
  const double before = w.Project().Active()->Platine.Zoom;
  QWidget* vp = w.View()->viewport();
  const QPointF at(vp->width() / 2.0, vp->height() / 2.0);
  QWheelEvent wheel(at, vp->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                    false);
  QApplication::sendEvent(vp, &wheel);
  EXPECT_NEAR(w.Project().Active()->Platine.Zoom, std::round(before * 1.3 * 1e5) / 1e5, 1e-9);

  QAction* aa = nullptr;
  for (QAction* a : w.findChildren<QAction*>())
    if (a->text() == "Antialias") aa = a;
  ASSERT_NE(aa, nullptr);
  aa->trigger();
  EXPECT_FALSE(w.View()->AntiAliased());
  w.View()->viewport()->repaint();  // the plain look paints too
}

TEST_F(MainWindowTest, PointerShowsCoordinatesAndRulerMarkers) {
  TMainWindow w;
  w.show();
  ASSERT_TRUE(w.OpenFile(kDemo));
  TPlatine& r = w.Project().Active()->Platine;
  r.Zoom = 0.001;  // 1 pixel = 0.1 mm
  r.ScrollX = r.ScrollY = 0;
  w.View()->UpdateScrollBars();
  // Pixel (150, 400) is model (150000, -400000); the zero point is (50000, -450000).
  QTest::mouseMove(w.View()->viewport(), QPoint(150, 400));
  EXPECT_EQ(w.Coordinates(), "X: 10.000 mm   Y: 5.000 mm");
  EXPECT_EQ(w.HorizontalRuler()->Marker(), 150);
  EXPECT_EQ(w.VerticalRuler()->Marker(), 400);
}

TEST_F(MainWindowTest, SaveAndReopenGivesTheSameBytesAndTabsSwitchBoards) {
  TMainWindow w;
  w.show();
  ASSERT_TRUE(w.OpenFile(kDemo));
  CopyActiveBoard(w.Project(), TLanguage::English);
  const std::string path = (dir / "two.bsm6").string();
  ASSERT_TRUE(w.SaveFileAs(QString::fromStdString(path)));
  EXPECT_FALSE(w.Project().Changed);
  const std::string saved = Slurp(path);

  TMainWindow again;
  again.show();
  ASSERT_TRUE(again.OpenFile(QString::fromStdString(path)));
  ASSERT_EQ(again.Tabs()->count(), 2);
  again.Tabs()->setCurrentIndex(0);
  EXPECT_EQ(again.Project().ActiveIndex, 0);
  EXPECT_EQ(again.View()->Board(), again.Project().Boards[0].get());
  again.Tabs()->setCurrentIndex(1);
  EXPECT_EQ(again.Project().ActiveIndex, 1);
  ASSERT_TRUE(again.SaveFileAs(QString::fromStdString(path)));
  EXPECT_EQ(Slurp(path), saved);
}

TEST_F(MainWindowTest, BoardMenuAndZoomCommands) {
  TMainWindow w;
  w.show();
  ASSERT_TRUE(w.OpenFile(kDemo));
  QAction* copy = Entry(w, "Copy board");
  ASSERT_NE(copy, nullptr);
  copy->trigger();
  ASSERT_EQ(w.Tabs()->count(), 2);
  EXPECT_EQ(w.Tabs()->currentIndex(), 1);
  EXPECT_EQ(w.Tabs()->tabText(1), "Copy of Timer ");
  Entry(w, "Move board to &left")->trigger();
  EXPECT_EQ(w.Tabs()->tabText(0), "Copy of Timer ");
  EXPECT_EQ(w.Tabs()->currentIndex(), 0);
  EXPECT_EQ(w.View()->Board(), w.Project().Boards[0].get());
  EXPECT_TRUE(w.Project().Changed);

  TPlatine& r = w.Project().Active()->Platine;
  w.View()->ZoomBoard();
  const double board = r.Zoom;
  Entry(w, "Zoom &objects")->trigger();
  EXPECT_GT(r.Zoom, board);  // the elements lie inside the working space
  Entry(w, "Zoom previous")->trigger();
  EXPECT_EQ(r.Zoom, board);
}

TEST_F(MainWindowTest, AutosaveKeepsTheChangeFlagAndMiddleButtonPans) {
  TMainWindow w;
  w.show();
  const std::string path = (dir / "auto.bsm6").string();
  fs::copy_file(kDemo.toStdString(), path);
  ASSERT_TRUE(w.OpenFile(QString::fromStdString(path)));
  w.Project().Changed = true;
  ASSERT_TRUE(w.Autosave());
  EXPECT_TRUE(fs::exists(dir / "auto.bsm6.bak"));
  EXPECT_TRUE(w.Project().Changed);

  TPlatine& r = w.Project().Active()->Platine;
  r.Zoom = 0.004;  // larger than the window: there is room to scroll
  r.ScrollX = r.ScrollY = 500;
  w.View()->UpdateScrollBars();
  QWidget* vp = w.View()->viewport();
  QTest::mousePress(vp, Qt::MiddleButton, {}, QPoint(300, 300));
  QTest::mouseMove(vp, QPoint(250, 260));
  QTest::mouseRelease(vp, Qt::MiddleButton, {}, QPoint(250, 260));
  EXPECT_EQ(r.ScrollX, 550);
  EXPECT_EQ(r.ScrollY, 540);
}

TEST_F(MainWindowTest, LayerBarSwitchesActiveAndVisibleLayers) {
  TMainWindow w;
  w.show();
  ASSERT_TRUE(w.OpenFile(kDemo));
  TPlatine& r = w.Project().Active()->Platine;
  TLayerBar* bar = w.LayerBar();
  ASSERT_EQ(r.ActiveLayer, kLayerC2);
  EXPECT_TRUE(bar->ActiveButton(kLayerC2)->isChecked());
  EXPECT_FALSE(bar->VisibleButton(kLayerI1)->isVisible());  // not a multilayer board

  bar->VisibleButton(kLayerC1)->click();
  EXPECT_EQ(r.LayerVisible[kLayerC1], 0);
  bar->VisibleButton(kLayerC2)->click();  // the active layer cannot be hidden
  EXPECT_EQ(r.LayerVisible[kLayerC2], 1);
  bar->ActiveButton(kLayerC1)->click();  // activating a hidden layer shows it
  EXPECT_EQ(r.ActiveLayer, kLayerC1);
  EXPECT_EQ(r.LayerVisible[kLayerC1], 1);
  EXPECT_TRUE(bar->ActiveButton(kLayerC1)->isChecked());
  EXPECT_FALSE(bar->ActiveButton(kLayerC2)->isChecked());
}

TEST_F(MainWindowTest, RecentFilesComeFirstAndAreCapped) {
  TMainWindow w;
  w.show();
  w.Settings().RecentFiles.clear();
  std::vector<std::string> paths;
  for (int i = 0; i < 5; ++i) {
    paths.push_back((dir / ("p" + std::to_string(i) + ".bsm6")).string());
    fs::copy_file(kDemo.toStdString(), paths.back());
    ASSERT_TRUE(w.OpenFile(QString::fromStdString(paths.back())));
  }
  ASSERT_TRUE(w.OpenFile(QString::fromStdString(paths[2])));  // moves to the front
  const auto& recent = w.Settings().RecentFiles;
  ASSERT_EQ(recent.size(), 4u);
  EXPECT_EQ(recent[0], paths[2]);
  EXPECT_EQ(recent[1], paths[4]);
  EXPECT_EQ(recent[3], paths[1]);
  QAction* first = Entry(w, QString("&1 ") + QString::fromStdString(paths[2]));
  ASSERT_NE(first, nullptr);
  ASSERT_TRUE(w.SaveFileAs(QString::fromStdString((dir / "saved.bsm6").string())));
  EXPECT_EQ(w.Settings().RecentFiles[0], (dir / "saved.bsm6").string());
}

// Ctrl+Z and Ctrl+Y restore the board before and after a change; the menu
// entries are enabled only when there is something to restore.
TEST_F(MainWindowTest, UndoAndRedoFromTheKeyboardAndTheMenu) {
  TMainWindow w;
  w.show();
  ASSERT_TRUE(w.OpenFile(kDemo));
  w.activateWindow();
  QApplication::setActiveWindow(&w);
  w.View()->setFocus();
  QAction* undo = Entry(w, "&Undo");
  QAction* redo = Entry(w, "&Redo");
  ASSERT_TRUE(undo && redo);
  TBoard& board = *w.Project().Active();
  const size_t count = board.Elements.size();
  RecordUndo(w.Project());
  DeleteObjektAt(board.Elements, count - 1);
  QTest::keyClick(w.View(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(w.Project().Active()->Elements.size(), count);
  EXPECT_EQ(w.View()->Board(), w.Project().Active());
  QTest::keyClick(w.View(), Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(w.Project().Active()->Elements.size(), count - 1);
  // The entries follow the history when the menu opens.
  QMenu* edit = nullptr;
  for (QAction* m : w.menuBar()->actions())
    if (m->text() == "&Edit") edit = m->menu();
  ASSERT_NE(edit, nullptr);
  emit edit->aboutToShow();
  EXPECT_TRUE(undo->isEnabled());
  EXPECT_FALSE(redo->isEnabled());
}

// "Remove connections (rubberbands)" drops the bands that copper already
// joins and says how many went and stayed, as the core counts them.
TEST_F(MainWindowTest, RemovingSatisfiedRubberBandsReportsTheCounts) {
  TProject expected;
  ASSERT_TRUE(ReadProjectFile(expected, kDemo.toStdString(), false).Ok);
  const TRubberBandCounts counts = RemoveUnneededConnections(expected);

  TMainWindow w;
  w.show();
  ASSERT_TRUE(w.OpenFile(kDemo));
  QAction* remove = Entry(w, "&Remove connections (rubberbands)");
  ASSERT_NE(remove, nullptr);
  QString text;
  test::AnswerNextBox(QMessageBox::Ok, &text);
  remove->trigger();
  EXPECT_EQ(text, QString("%1 connections (rubberbands) removed.\n%2 connections (rubberbands) remaining.")
                      .arg(counts.Removed)
                      .arg(counts.Remaining));
  size_t left = 0, expectedLeft = 0;
  for (const auto& e : w.Project().Active()->Elements) left += e->Connections.size();
  for (const auto& e : expected.Active()->Elements) expectedLeft += e->Connections.size();
  EXPECT_EQ(left, expectedLeft);
  EXPECT_EQ(int(left), counts.Remaining);
}

TEST_F(MainWindowTest, GridHotkeysAndGridMenu) {
  TMainWindow w;
  w.show();
  ASSERT_TRUE(w.OpenFile(kDemo));
  // Shortcuts need the window to be the active one.
  w.activateWindow();
  QApplication::setActiveWindow(&w);
  w.View()->setFocus();
  QTest::keyClick(w.View(), Qt::Key_9);  // hotkey 9: 0.1 mm
  EXPECT_DOUBLE_EQ(w.Project().Active()->Platine.Grid, 1000);
  QTest::keyClick(w.View(), Qt::Key_1);  // hotkey 1: 2.54 mm
  EXPECT_DOUBLE_EQ(w.Project().Active()->Platine.Grid, 25400);
  QTest::keyClick(w.View(), Qt::Key_9);
  auto* button = w.findChild<QToolButton*>("GridButton");
  ASSERT_NE(button, nullptr);
  EXPECT_NE(button->text().indexOf("0.1"), -1);
  // The menu is built when it opens; pick "Dots" and "Show grid" from it.
  QMetaObject::invokeMethod(button->menu(), "aboutToShow");
  QAction* dots = nullptr;
  QAction* show = nullptr;
  for (QAction* a : button->menu()->actions()) {
    if (a->text() == "Dots") dots = a;
    if (a->text() == "Show grid") show = a;
  }
  ASSERT_NE(dots, nullptr);
  ASSERT_NE(show, nullptr);
  dots->trigger();
  EXPECT_TRUE(w.View()->Settings().GridDots);
  EXPECT_TRUE(w.Settings().Options.Punktraster);
  show->trigger();
  EXPECT_FALSE(w.View()->Settings().ShowGrid);
}

TEST_F(MainWindowTest, BoardZoomPanelClicksZoomAndDragsScroll) {
  TMainWindow w;
  w.resize(1000, 700);
  w.show();
  ASSERT_TRUE(w.OpenFile(kDemo));
  for (QAction* a : w.findChildren<QAction*>())
    if (a->text() == "Show Board-Zoom") a->setChecked(true);
  EXPECT_TRUE(w.Settings().Options.PlatinenZoom);
  auto* overview = w.findChild<TBoardOverview*>();
  ASSERT_NE(overview, nullptr);
  ASSERT_TRUE(overview->isVisible());
  w.View()->ZoomBoard();
  TPlatine& r = w.Project().Active()->Platine;
  const double before = r.Zoom;
  QTest::mouseClick(overview, Qt::LeftButton, {}, QPoint(48, 40));
  EXPECT_NEAR(r.Zoom, std::round(before * 1.4 * 1e5) / 1e5, 1e-9);
  QTest::mouseClick(overview, Qt::RightButton, {}, QPoint(48, 40));
  EXPECT_NEAR(r.Zoom, std::round(std::round(before * 1.4 * 1e5) / 1e5 / 1.4 * 1e5) / 1e5, 1e-9);
  overview->repaint();
}

TEST_F(MainWindowTest, SettingsSurviveARestart) {
  {
    TMainWindow w;
    w.show();
    w.Settings().Options.RasterSichtbar = false;
    w.Settings().Options.BohrlochFarbe = 2;
    w.close();  // an unchanged project closes without a question and writes the settings
  }
  ASSERT_TRUE(fs::exists(SettingsFilePath()));
  TMainWindow again;
  EXPECT_FALSE(again.View()->Settings().ShowGrid);
  EXPECT_EQ(again.View()->Settings().Drillings, 2);
  again.Settings() = DefaultSettings(TSettingsContext{DataFolder(), DocumentsFolder(), TLanguage::English});
  again.close();
}

// The plain look through QPainter draws the same geometry as the raster.
TEST(QPainterSurface, PlainLookProbes) {
  TBoard board;
  board.Platine = NewPlatine(1000000, 1000000, false);
  board.Platine.OriginY = 1000000;
  board.Platine.GroundPlane[kLayerC2] = 1;
  board.Platine.ActiveLayer = kLayerC2;  // the plane is drawn on the active layer
  auto pad = NewObjekt();
  InitThtPad(*pad, {500000, -500000}, kLayerC2, kShapeRound, 20000, 50000);
  pad->Clearance = 40000;
  pad->Thermal = 1;
  pad->ThermalSpokes = 0x04040404;  // to the right
  board.Elements.push_back(std::move(pad));
  TPaintSettings set;
  set.ShowGrid = false;
  QImage image(1001, 1001, QImage::Format_RGB32);
  image.fill(Qt::black);
  {
    QPainter painter(&image);
    TQPainterSurface s(painter, 1001, 1001, false);
    PaintBoard(s, board, TViewMap{0.001, 0, 0}, set);
  }
  auto at = [&](int x, int y) {
    const QRgb c = image.pixel(x, y);
    return Rgb(uint8_t(qRed(c)), uint8_t(qGreen(c)), uint8_t(qBlue(c)));
  };
  const TColour copper = set.Scheme.Layer(kLayerC2), plane = Darkened(copper, 0.4), bg = set.Scheme.Background();
  EXPECT_EQ(at(535, 500), copper);  // the pad ring
  EXPECT_EQ(at(500, 500), bg);      // its hole
  EXPECT_EQ(at(500, 575), bg);      // the gap
  EXPECT_EQ(at(575, 500), plane);   // the spoke
  EXPECT_EQ(at(500, 650), plane);   // the plane
}

TEST(NewBoardDialog, LiveSizeAndTheTooBigRefusal) {
  TNewBoardDialog d;
  d.show();
  EXPECT_EQ(d.ResultingSize(), "Resulting working-space: 160.00 mm x 100.00 mm");
  d.SetKind(TNewBoardKind::Rectangle);
  d.Field("rectWidth")->setValue(490);
  d.Field("rectMargin")->setValue(10);
  EXPECT_NE(d.ResultingSize().indexOf("color:red'>510.00 mm"), -1);
  QTimer::singleShot(0, [] {
    if (QWidget* box = QApplication::activeModalWidget()) box->close();
  });
  d.accept();  // "The board is too big!": the dialog stays open
  EXPECT_TRUE(d.isVisible());
  EXPECT_NE(d.result(), QDialog::Accepted);
  d.Field("rectMargin")->setValue(5);
  d.accept();
  EXPECT_EQ(d.result(), QDialog::Accepted);
  const TNewBoardRequest s = d.Request();
  EXPECT_EQ(s.Kind, TNewBoardKind::Rectangle);
  EXPECT_EQ(s.WidthMm, 490);
  EXPECT_EQ(s.MarginMm, 5);
  EXPECT_EQ(s.Name, "New board");
}

// A typed width beyond 500 mm is held to 500 mm, not cut to 60 mm by a
// dropped keystroke; a board needs a name.
TEST(NewBoardDialog, TypedSizesAreHeldToTheLimitAndANameIsNeeded) {
  TNewBoardDialog d;
  d.show();
  QDoubleSpinBox* width = d.Field("emptyWidth");
  width->selectAll();
  QTest::keyClicks(width, "600");
  EXPECT_EQ(width->text(), "600 mm");
  QLineEdit* name = nullptr;
  for (QLineEdit* e : d.findChildren<QLineEdit*>())
    if (e->text() == "New board") name = e;
  ASSERT_NE(name, nullptr);
  name->selectAll();
  QTest::keyClick(name, Qt::Key_Backspace);
  QString told;
  test::AnswerNextBox(QMessageBox::Ok, &told);
  d.accept();
  EXPECT_EQ(told, "The board needs a name.");
  EXPECT_NE(d.result(), QDialog::Accepted);
  EXPECT_EQ(width->value(), 500);
  EXPECT_TRUE(TNumberRules::LastHint().startsWith("600 is out of range (1.00 to 500.00)"))
      << TNumberRules::LastHint().toStdString();
  QTest::keyClicks(name, "Main");
  d.accept();
  EXPECT_EQ(d.result(), QDialog::Accepted);
  EXPECT_EQ(d.Request().WidthMm, 500);
  EXPECT_EQ(d.Request().Name, "Main");
}

TEST_F(MainWindowTest, FilesThatAreNotProjectsLeaveTheProjectAlone) {
  TMainWindow w;
  w.show();
  ASSERT_TRUE(w.OpenFile(kDemo));
  const std::string junk = (dir / "junk.bsm6").string();
  std::ofstream(junk) << "no board";
  // The message box is modal: close it as soon as it shows.
  QTimer::singleShot(0, [] {
    if (QWidget* box = QApplication::activeModalWidget()) box->close();
  });
  EXPECT_FALSE(w.OpenFile(QString::fromStdString(junk)));
  EXPECT_EQ(w.Project().Active()->Elements.size(), 57u);
  EXPECT_TRUE(w.windowTitle().endsWith("demo.bsm6]"));
}

// The tool letters work as soon as the window is active, with no click into
// the drawing area first, and again after a modal window has closed.
TEST_F(MainWindowTest, HotkeysWorkRightAfterStartAndAfterAModalWindow) {
  TMainWindow w;
  w.resize(1000, 700);
  w.show();
  w.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
  const int hot = int(w.Settings().Options.Hotkeys.find('T'));
  ASSERT_GE(hot, 0);
  const int track = ToolOfHotkey(hot);
  ASSERT_NE(track, kToolEdit);

  // The new board starts on the top copper.
  EXPECT_EQ(w.Project().Active()->Platine.ActiveLayer, kLayerC1);
  EXPECT_TRUE(w.LayerBar()->ActiveButton(kLayerC1)->isChecked());

  EXPECT_EQ(QApplication::focusWidget(), w.View());
  QTest::keyClick(w.windowHandle(), Qt::Key_T);
  EXPECT_EQ(w.Tool(), track);
  QTest::keyClick(w.windowHandle(), Qt::Key_Escape);
  EXPECT_EQ(w.Tool(), kToolEdit);

  // After a modal window the drawing area has the focus again, also when
  // another widget had it before; a size field keeps it for typing.
  const auto afterModalWindow = [&w](QWidget* before) {
    before->setFocus();
    QTimer::singleShot(0, [] {
      if (QWidget* box = QApplication::activeModalWidget()) box->close();
    });
    QMessageBox::information(&w, "Boardsmith", "A modal window");
    // The window manager activates the window again.
    w.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
    QApplication::processEvents();
    return QApplication::focusWidget();
  };
  QTabBar* tabs = w.Tabs();
  tabs->setFocusPolicy(Qt::StrongFocus);
  EXPECT_EQ(afterModalWindow(tabs), w.View());
  QTest::keyClick(w.windowHandle(), Qt::Key_T);
  EXPECT_EQ(w.Tool(), track);
  auto* field = w.findChild<QDoubleSpinBox*>("SizeField0");
  ASSERT_NE(field, nullptr);
  EXPECT_EQ(afterModalWindow(field), field);
}

// Help -> Index (F1) shows the manual built into the program with every
// picture it names; Help -> Info names the version and the libraries.
TEST_F(MainWindowTest, HelpShowsTheManualAndTheInfoWindow) {
  TMainWindow w;
  w.show();
  w.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
  EXPECT_EQ(w.HelpWindow(), nullptr);
  QTest::keyClick(w.windowHandle(), Qt::Key_F1);
  THelpWindow* help = w.HelpWindow();
  ASSERT_NE(help, nullptr);
  EXPECT_TRUE(help->isVisible());
  QTextBrowser* page = help->Browser();
  EXPECT_TRUE(page->toPlainText().startsWith("Boardsmith user manual")) << page->toPlainText().left(80).toStdString();

  if (const char* dir = std::getenv("BS_SCREENSHOTS")) help->grab().save(QString(dir) + "/help.png");

  QFile source(":/help/manual.md");
  ASSERT_TRUE(source.open(QIODevice::ReadOnly));
  const QString markdown = QString::fromUtf8(source.readAll());
  QStringList pictures;
  for (const QRegularExpressionMatch& m : QRegularExpression(R"(\]\((images/[^)]+)\))").globalMatch(markdown))
    pictures << m.captured(1);
  EXPECT_GE(pictures.size(), 5);
  for (const QString& picture : pictures) {
    const QVariant data = page->loadResource(QTextDocument::ImageResource, QUrl(picture));
    const QImage image =
        data.typeId() == QMetaType::QImage ? data.value<QImage>() : QImage::fromData(data.toByteArray());
    EXPECT_FALSE(image.isNull()) << picture.toStdString();
  }

  QString info;
  test::OnNextDialog<TInfoWindow>([&info](TInfoWindow& d) {
    info = d.findChild<QLabel*>("info")->text();
    d.accept();
  });
  Entry(w, "I&nfo...")->trigger();
  EXPECT_TRUE(info.contains("Boardsmith " BOARDSMITH_VERSION));
  EXPECT_TRUE(info.contains(QString("<td>Qt</td><td>%1</td>").arg(qVersion())));
  for (const char* library : {"Anti-Grain Geometry", "libpng", "zlib", "LGPL"}) EXPECT_TRUE(info.contains(library));
}

}  // namespace
}  // namespace bs::app

int main(int argc, char** argv) {
  // Headless unless a platform is asked for (the test list is read at build time too).
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // Settings and data of the tests never touch the user's own.
  const std::string home =
      (std::filesystem::temp_directory_path() / ("bs_app_test_home_" + std::to_string(::getpid()))).string();
  qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(home + "/config"));
  qputenv("XDG_DATA_HOME", QByteArray::fromStdString(home + "/data"));
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  const int result = RUN_ALL_TESTS();
  std::filesystem::remove_all(home);
  return result;
}
