// The main window: the drawing area with the board tabs below it, the menus
// and the project commands.
#pragma once

#include <QMainWindow>
#include <QString>

#include <optional>
#include <vector>

#include "io/settings.h"
#include "project/project.h"

class QAction;
class QKeyEvent;
class QLabel;
class QMenu;
class QDockWidget;
class QToolButton;
class QTabBar;

namespace bs::app {

class TBoardView;
class TGroundPlaneBar;
class TLayerBar;
class TRuler;
class TSizeBar;
class TToolPalette;

class TMainWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit TMainWindow(QWidget* parent = nullptr);
  ~TMainWindow() override;

  // Opens a project file after the header check and closing the current
  // project; reports problems in message boxes. Returns whether it opened.
  bool OpenFile(const QString& path);
  // Saves under the given name (the extension is adjusted); false when the
  // save did not complete.
  bool SaveFileAs(const QString& path);
  // Writes the backup copy of a saved project (".bsm6.bak") without cleaning
  // anything up or clearing the change flag; the autosave timer calls it.
  bool Autosave();

  // Appends the boards of another project file.
  bool ImportBoards(const QString& path);

  TProject& Project() { return project_; }
  TSettings& Settings() { return settings_; }
  // Applies the settings to the view, the project and the timers.
  void ApplySettings();
  // Runs the general-settings dialog on one of its pages
  // (TOptionsDialog::TPage); on OK applies what it changed. Returns whether
  // OK was pressed.
  bool OpenOptions(int page);
  TBoardView* View() const { return view_; }
  QTabBar* Tabs() const { return tabs_; }
  TRuler* HorizontalRuler() const { return hruler_; }
  TRuler* VerticalRuler() const { return vruler_; }
  TLayerBar* LayerBar() const { return layers_; }
  // The coordinate read-out of the status line.
  QString Coordinates() const;

  // Makes a mouse tool (TToolMode) the active one: checks its button, sets
  // the pointer and the status hint, leaves nothing selected and puts the
  // remembered ground-plane distance back. Tools without a button are
  // ignored.
  void SetTool(int mode);
  int Tool() const { return tool_; }
  // The hint of the active tool in the status line.
  QString ToolHint() const;
  TToolPalette* ToolPalette() const { return palette_; }
  TSizeBar* SizeBar() const { return sizeBar_; }
  TGroundPlaneBar* GroundPlaneBar() const { return groundBar_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  // The tool keys of the drawing area.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildMenus();
  void RefreshTabs();
  void RefreshTitle();
  // Enables undo and redo as the active board's history allows.
  void RefreshEditMenu();
  void ShowActiveBoard();
  void DetachBoard();
  void AddRecentFile(const std::string& path);
  void SetGridCode(int32_t code);
  void RefreshGridButton();
  void BuildGridMenu();
  void RefreshRecentFiles();
  bool Save();
  bool SaveAs();
  bool CloseCurrentProject();
  void NewProject();
  void AddNewBoard();
  void EditProjectInfo();
  void BuildToolBars();
  // A key pressed or released on the drawing area; true when it was a tool
  // key (it goes no further then).
  bool ToolKey(const QKeyEvent& key, bool pressed);
  TProjectUi Ui();

  TProject project_;
  TSettings settings_;
  TBoardView* view_ = nullptr;
  TRuler* hruler_ = nullptr;
  TRuler* vruler_ = nullptr;
  TLayerBar* layers_ = nullptr;
  TToolPalette* palette_ = nullptr;
  TSizeBar* sizeBar_ = nullptr;
  TGroundPlaneBar* groundBar_ = nullptr;
  QLabel* coordinates_ = nullptr;
  QLabel* hint_ = nullptr;
  int tool_ = 0;
  // The tool to go back to when the space bar, held for zooming, is released.
  std::optional<int> spaceReturn_;
  QTabBar* tabs_ = nullptr;
  QAction* antialias_ = nullptr;
  QMenu* tabMenu_ = nullptr;
  QAction* undoAction_ = nullptr;
  QAction* redoAction_ = nullptr;
  QMenu* fileMenu_ = nullptr;
  QToolButton* gridButton_ = nullptr;
  QMenu* gridMenu_ = nullptr;
  QDockWidget* overviewDock_ = nullptr;
  QAction* overviewAction_ = nullptr;
  QAction* recentSeparator_ = nullptr;
  std::vector<QAction*> recentActions_;
  class QTimer* autosaveTimer_ = nullptr;
  bool refreshingTabs_ = false;
  // The four colour schemes (the options dialog edits them); the chosen one is drawn.
  std::array<TColourScheme, 4> schemes_ = LoadColourSchemes(DataFolder());
};

}  // namespace bs::app
