// Makes the pictures of the user manual with the real editor: each scene is
// set up through the main window's menus, tools and mouse as a user would,
// then grabbed as it is drawn. The manual thereby always shows the program
// as it is.
//
//   docs_screenshots OUT_DIR
//
// writes main-window.png, drawing.png, ground-plane.png, connections.png,
// drc.png, macros.png, components.png, component-dialog.png, pnp-export.png,
// selector.png and export.png into OUT_DIR. `make screenshots` runs it under Xvfb into
// docs/images.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QImage>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

#include <cmath>
#include <cstdio>
#include <functional>
#include <set>
#include <string>

#include "components/macro_place.h"
#include "menu_helpers.h"
#include "model/types.h"
#include "panels/component_panel.h"
#include "panels/layer_bar.h"
#include "panels/macro_panel.h"
#include "panels/selector_panel.h"
#include "render/view.h"
#include "tools/tools.h"
#include "view/board_view.h"
#include "window/language.h"
#include "window/main_window.h"

namespace {

using namespace bs;
using namespace bs::app;

QString outDir;
int failures = 0;

void Save(const QPixmap& picture, const char* name) {
  const QString path = QDir(outDir).filePath(QString::fromLatin1(name));
  if (picture.isNull() || !picture.save(path, "PNG")) {
    std::fprintf(stderr, "could not make %s\n", name);
    ++failures;
    return;
  }
  std::printf("%s (%dx%d)\n", qPrintable(path), picture.width(), picture.height());
}

void Settle() {
  for (int i = 0; i < 5; ++i) {
    QApplication::processEvents();
    QTest::qWait(20);
  }
}

QAction* MenuEntry(TMainWindow& w, const QString& caption) {
  QAction* a = test::FindMenuEntry(w.menuBar(), caption);
  if (!a) {
    std::fprintf(stderr, "no menu entry %s\n", qPrintable(caption));
    ++failures;
  }
  return a;
}

// The drawing area's pixel of a model point (units) on the active board.
QPoint Pixel(TMainWindow& w, double x, double y) {
  const TDPoint p = ModelToPixel(w.Project().Active()->Platine, {x, y});
  return QPoint(int(std::lround(p.X)), int(std::lround(p.Y)));
}

void MoveTo(QWidget* area, QPoint at) {
  QMouseEvent e(QEvent::MouseMove, QPointF(at), area->mapToGlobal(QPointF(at)), Qt::NoButton, Qt::NoButton, {});
  QApplication::sendEvent(area, &e);
}

void Click(QWidget* area, QPoint at) {
  MoveTo(area, at);
  QTest::mouseClick(area, Qt::LeftButton, {}, at);
}

// Grabs the next modal window as soon as it shows, then closes it.
void GrabNextModal(const char* name) {
  QTimer::singleShot(200, [name] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) {
      std::fprintf(stderr, "no window opened for %s\n", name);
      ++failures;
      return;
    }
    Settle();
    Save(modal->grab(), name);
    modal->close();
  });
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: docs_screenshots EXAMPLE.bsm6 OUT_DIR\n");
    return 2;
  }
  // The pictures show the standard settings, whatever the user who makes
  // them has chosen.
  // The same folder every time, so that the pictures show the same paths.
  const QString home = QDir::temp().filePath(QStringLiteral("boardsmith-manual"));
  QDir(home).removeRecursively();
  QDir().mkpath(home);
  qputenv("XDG_CONFIG_HOME", QDir(home).filePath("config").toUtf8());
  qputenv("XDG_DATA_HOME", QDir(home).filePath("data").toUtf8());

  QApplication app(argc, argv);
  QApplication::setApplicationName("Boardsmith");
  outDir = QString::fromLocal8Bit(argv[2]);
  QDir().mkpath(outDir);
  InstallLanguage(TLanguage::English);

  TMainWindow w;
  w.resize(1280, 800);
  w.show();
  w.activateWindow();
  // The example is opened from a folder of the user's.
  const QString example = QDir(home).filePath("boards/demo.bsm6");
  QDir().mkpath(QDir(home).filePath("boards"));
  if (!QFile::copy(QString::fromLocal8Bit(argv[1]), example) || !QTest::qWaitForWindowExposed(&w) ||
      !w.OpenFile(example)) {
    std::fprintf(stderr, "the example could not be shown\n");
    return 1;
  }
  w.View()->ZoomBoard();
  Settle();
  Save(w.grab(), "main-window.png");

  QWidget* area = w.View()->viewport();
  // Drawing: a track on the top copper, two corners placed and the third
  // following the pointer.
  w.LayerBar()->ActiveButton(kLayerC1)->click();
  w.SetTool(kToolTrack);
  Click(area, Pixel(w, 440000, -260000));
  Click(area, Pixel(w, 540000, -260000));
  MoveTo(area, Pixel(w, 580000, -330000));
  Settle();
  Save(w.grab(), "drawing.png");
  QTest::keyClick(w.View(), Qt::Key_Escape);
  QTest::keyClick(w.View(), Qt::Key_Escape);
  if (QAction* undo = MenuEntry(w, "&Undo")) undo->trigger();  // the example stays as it was

  // The ground plane of the bottom copper with a via selected: the
  // properties panel shows its thermal spokes.
  w.LayerBar()->ActiveButton(kLayerC2)->click();
  w.SetTool(kToolEdit);
  if (QAction* panel = MenuEntry(w, "Properties-Panel")) panel->trigger();
  w.View()->ZoomBoard();
  Click(area, Pixel(w, 380000, -90000));  // a via with thermal spokes
  Settle();
  Save(w.grab(), "ground-plane.png");
  if (QAction* panel = MenuEntry(w, "Properties-Panel")) panel->trigger();
  w.View()->ZoomBoard();

  // The connectivity test: everything joined to the clicked pad lights up.
  w.SetTool(kToolTest);
  Click(area, Pixel(w, 200000, -230000));
  Settle();
  Save(w.grab(), "connections.png");
  w.SetTool(kToolEdit);

  // The design rule check: the whole board checked, its findings hatched.
  if (QAction* drc = MenuEntry(w, "DRC-Panel")) {
    drc->trigger();
    w.View()->ZoomBoard();
    Settle();
    if (auto* complete = w.findChild<QPushButton*>("complete")) complete->click();
    Settle();
    Save(w.grab(), "drc.png");
    drc->trigger();
  }

  // The macro library: footprints of the example saved as macros, one of
  // them chosen and shown in the preview.
  {
    const QString root = QDir(home).filePath("data/boardsmith/Makros");
    QDir().mkpath(root + "/Example");
    TBoard& board = *w.Project().Active();
    std::set<int> components;
    for (const auto& e : board.Elements)
      if (e->ComponentNo != 0) components.insert(e->ComponentNo);
    QString chosen;
    for (int c : components) {
      std::string name;
      for (const auto& e : board.Elements) {
        e->Selected = e->ComponentNo == c ? 1 : 0;
        if (e->ComponentNo == c && e->LabelRole == 1) name = e->Text;
      }
      if (name.empty()) continue;
      const QString path = root + "/Example/" + QString::fromStdString(name) + ".bmk";
      if (SaveBoardAsMacro(w.Project(), path.toStdString(), false).Done() && chosen.isEmpty()) chosen = path;
    }
    for (const auto& e : board.Elements) e->Selected = 0;
    w.BuildMacroTree(chosen);
    if (w.MacroPanel()) w.MacroPanel()->Tree()->expandAll();
    Settle();
    Save(w.MacroDock()->grab(), "macros.png");
  }

  // The components panel beside the board, the component dialog of the
  // timer chip and the pick-and-place export window.
  if (QAction* panel = MenuEntry(w, "Components-Panel")) {
    panel->trigger();
    Settle();
    if (w.ComponentPanel()) w.ComponentPanel()->Table()->selectRow(w.ComponentPanel()->RowOfComponent(1));
    Settle();
    Save(w.grab(), "components.png");
    GrabNextModal("component-dialog.png");
    w.EditComponent(1);
    GrabNextModal("pnp-export.png");
    if (w.ComponentPanel()) w.ComponentPanel()->ExportButton()->click();
    panel->trigger();
  }

  // The element search: the pads grouped by drill, the 0.8 mm group chosen.
  if (QAction* panel = MenuEntry(w, "Selector-Panel")) {
    panel->trigger();
    Settle();
    if (TSelector* s = w.SelectorPanel(); s && s->Tree()->topLevelItemCount() > 1) {
      s->Tree()->topLevelItem(1)->setExpanded(true);
      s->Tree()->topLevelItem(1)->setSelected(true);
    }
    Settle();
    Save(w.grab(), "selector.png");
    panel->trigger();
    w.View()->ZoomBoard();
  }

  // The Gerber export window.
  if (QAction* gerber = MenuEntry(w, "&Gerber Export...")) {
    GrabNextModal("export.png");
    gerber->trigger();
  }

  QDir(home).removeRecursively();
  return failures == 0 ? 0 : 1;
}
