// The tool palette: one button per mouse tool of the drawing area; the zoom
// tool's button also opens the zoom menu.
#pragma once

#include <QCursor>
#include <QToolBar>

#include <map>
#include <string>

class QMenu;
class QToolButton;

namespace bs {
struct TBoard;
}

namespace bs::app {

class TBoardView;

class TToolPalette : public QToolBar {
  Q_OBJECT

 public:
  // The zoom menu works on `view`.
  explicit TToolPalette(TBoardView* view, QWidget* parent = nullptr);

  // Checks the button of the tool (TToolMode).
  void Check(int mode);
  QAction* Action(int mode) const;
  QToolButton* ZoomButton() const { return zoomButton_; }
  // The menus behind the arrows of the THT pad and rectangle buttons (their
  // entries come from the main window).
  QMenu* PadMenu() const { return padMenu_; }
  QMenu* RectangleMenu() const { return rectangleMenu_; }
  // Enables "Zoom previous", "Zoom objects" and "Zoom selection" as the
  // board's zoom history, elements and selection allow.
  void RefreshZoomMenu(bs::TBoard* board);
  // Names the tools' keys (the settings' tool hotkeys) in the tooltips.
  void SetHotkeys(const std::string& keys);

  // The pointer over the drawing area and the hint in the status line of a tool.
  static QCursor Cursor(int mode);
  static QString Hint(int mode);

 signals:
  // A tool's button was pressed.
  void ToolChosen(int mode);

 private:
  std::map<int, QAction*> actions_;
  QToolButton* zoomButton_ = nullptr;
  QMenu* padMenu_ = nullptr;
  QMenu* rectangleMenu_ = nullptr;
  QAction* zoomPrevious_ = nullptr;
  QAction* zoomObjects_ = nullptr;
  QAction* zoomSelection_ = nullptr;
};

// The tool (TToolMode) of a hotkey position in the settings' letters, and
// back; -1 for none.
int ToolOfHotkey(int hot);
int HotkeyOfTool(int mode);

}  // namespace bs::app
