// A main window with an empty board for tests that drive the drawing area
// with real mouse and key events.
#pragma once

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

namespace bs::app::test {

namespace fs = std::filesystem;

// Each test has folders of its own for the settings and the data files, and
// a main window with an empty board (160 x 100 mm) seen at 0.1 mm a pixel
// from its top-left corner: model (x, y) lies at pixel (x / 1000, -y / 1000).
struct TWindowTest : testing::Test {
  test::TPrivateFolders folders{"bs_window_test_"};
  std::unique_ptr<TMainWindow> w;
  TBoardView* view = nullptr;
  QWidget* vp = nullptr;

  void SetUp() override {
    QGuiApplication::clipboard()->clear();
    w = std::make_unique<TMainWindow>();
    w->resize(1100, 750);
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    // Shortcuts need the window to be the active one.
    w->activateWindow();
    QApplication::setActiveWindow(w.get());
    view = w->View();
    vp = view->viewport();
    view->setFocus();
    Record().Zoom = 0.001;
    Record().ScrollX = 0;
    Record().ScrollY = 0;
    Record().Grid = 25400;
    Record().OriginX = 0;  // the grid runs through the top-left corner
    Record().OriginY = 0;
    view->UpdateScrollBars();
    QApplication::processEvents();
    w->Settings().Options.Gummiband = 0;
    w->SetTool(kToolEdit);
  }
  void TearDown() override { w.reset(); }

  TBoard& Board() { return *w->Project().Active(); }
  TPlatine& Record() { return Board().Platine; }
  size_t UndoDepth() { return Board().UndoStack.size(); }

  TObjekt& Add(std::unique_ptr<TObjekt> e) {
    Board().Elements.push_back(std::move(e));
    w->BoardEdited();  // as the drawing tools do after creating an element
    view->Refresh();
    return *Board().Elements.back();
  }
  // A round THT pad of 1.8 mm on C1 at pixel (x, y).
  TObjekt& Pad(int x, int y) {
    auto e = NewObjekt();
    InitThtPad(*e, {float(x * 1000), float(-y * 1000)}, kLayerC1, kShapeRound, 3000, 9000);
    return Add(std::move(e));
  }
  // A track of 0.8 mm on C1 through pixels.
  TObjekt& Track(std::initializer_list<QPoint> points) {
    auto e = NewObjekt();
    InitTrack(*e, 8000, kLayerC1);
    for (QPoint p : points) AddPoint(*e, {float(p.x() * 1000), float(-p.y() * 1000)});
    return Add(std::move(e));
  }
  QPoint PixelOf(TDPoint m) const {
    const TDPoint p = ModelToPixel(w->Project().Active()->Platine, m);
    return QPoint(int(std::lround(p.X)), int(std::lround(p.Y)));
  }
  static TDPoint At(TFPoint p) { return {p.X, p.Y}; }

  // A move with the buttons and keys given (QTest moves carry no keys).
  void MoveTo(QPoint at, Qt::MouseButtons buttons = Qt::LeftButton, Qt::KeyboardModifiers mods = {}) {
    QMouseEvent e(QEvent::MouseMove, QPointF(at), vp->mapToGlobal(QPointF(at)), Qt::NoButton, buttons, mods);
    QApplication::sendEvent(vp, &e);
  }
  // Press, move in steps, release.
  void Drag(QPoint from, QPoint to, Qt::KeyboardModifiers mods = {}) {
    QTest::mousePress(vp, Qt::LeftButton, mods, from);
    for (int step = 1; step <= 4; ++step) MoveTo(from + (to - from) * step / 4, Qt::LeftButton, mods);
    QTest::mouseRelease(vp, Qt::LeftButton, mods, to);
  }
  void Key(int key, Qt::KeyboardModifiers mods = {}) { QTest::keyClick(view, Qt::Key(key), mods); }

  // Opens a context menu with `open` and chooses the entry with the caption
  // (a "Submenu/Entry" path reaches into submenus). Returns the captions of
  // the menu's entries and whether each was enabled.
  QStringList ChooseInPopup(const std::function<void()>& open, const QString& caption) {
    QStringList seen;
    QTimer::singleShot(0, [&seen, caption] {
      QMenu* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      if (!menu) return;
      QAction* chosen = nullptr;
      const QStringList path = caption.split('/');
      QMenu* in = menu;
      for (QAction* a : menu->actions())
        if (!a->isSeparator()) seen << a->text() + (a->isEnabled() ? "" : " (off)");
      for (int i = 0; i < path.size() && in; ++i) {
        QAction* found = nullptr;
        for (QAction* a : in->actions())
          if (a->text() == path[i]) found = a;
        if (i + 1 == path.size()) chosen = found;
        in = found ? found->menu() : nullptr;
      }
      menu->close();
      if (chosen && chosen->isEnabled()) chosen->trigger();
    });
    open();
    QApplication::processEvents();
    QApplication::setActiveWindow(w.get());  // back from the popup
    view->setFocus();
    return seen;
  }
  QAction* Command(TEditCommands::TCommand c) { return w->Commands()->Action(c); }
};

}  // namespace bs::app::test
