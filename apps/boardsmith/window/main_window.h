// The main window: the drawing area with the board tabs below it, the menus
// and the project commands.
#pragma once

#include <QMainWindow>
#include <QString>

#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "cam/picture.h"
#include "components/pnp_export.h"
#include "dialogs/component_dialog.h"
#include "io/settings.h"
#include "panels/properties_panel.h"
#include "project/project.h"
#include "tools/tool.h"

class QAction;
class QTimer;
class QKeyEvent;
class QLabel;
class QMenu;
class QDockWidget;
class QToolButton;
class QTabBar;

namespace bs {
enum class TSizeField;
}

namespace bs::app {

class TBoardView;
class TEditCommands;
class TEditTool;
class TGroundPlaneBar;
class THelpWindow;
class TDrcPanel;
class TKeyPanel;
class TPlacementTool;
class TLayerBar;
class TMacroPanel;
class TBTList;
class TSelector;
class TRuler;
class TSizeBar;
class TToolPalette;

class TMainWindow : public QMainWindow, public TToolHost, public TPropertiesHost {
  Q_OBJECT

 public:
  explicit TMainWindow(QWidget* parent = nullptr);
  ~TMainWindow() override;

  // Opens a project file: reads it first, then closes the current project
  // (asking to save it) and puts the read one in its place. A file that
  // cannot be read changes nothing; problems are reported in message boxes.
  // Returns whether it opened completely.
  bool OpenFile(const QString& path);
  // Saves under the given name (the extension is adjusted); false when the
  // save did not complete.
  bool SaveFileAs(const QString& path);
  // Writes the backup copy of a saved project (".bsm6.bak") without cleaning
  // anything up or clearing the change flag; the autosave timer calls it. A
  // failure stays in the status line with its reason.
  bool Autosave();

  // Appends the boards of another project file.
  bool ImportBoards(const QString& path);

  TProject& Project() override { return project_; }
  TSettings& Settings() override { return settings_; }
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

  // Makes a mouse tool (TToolMode) the active one: ends what the old tool
  // was doing, checks the new one's button, sets the pointer, the status hint
  // and the key panel, leaves nothing selected, shows the remembered sizes
  // and ground-plane distance and refreshes the enabled commands. Modes
  // without a button or a tool object are ignored.
  void SetTool(int mode);
  int Tool() const { return tool_; }
  // The tool object of a mode (null for the zoom tool and tools not built).
  TTool* ToolObject(int mode) const;
  TEditTool* EditTool() const { return editTool_; }
  TPlacementTool* PlacementTool() const { return placementTool_; }
  TEditCommands* Commands() const { return commands_; }
  TKeyPanel* KeyPanelWidget() const { return keyPanel_; }
  // The values of a drag in the status line.
  QString DragValues() const;

  // ---- TToolHost ----
  TBoardView& BoardView() override { return *view_; }
  void ChooseTool(int mode) override { SetTool(mode); }
  void BoardEdited() override;
  void SelectionChanged() override;
  void ShowHint(const QString& hint) override;
  void ShowKeyPanel(bool shown) override;
  void ShowDragValues(const QString& values) override;
  void ElementMenu(QPoint global, TObjekt* under, TDPoint model) override;
  void NodeMenu(QPoint global, TObjekt& e, size_t node) override;
  void ElementDoubleClicked(TObjekt& e) override;
  void DeleteSelection() override;
  TNewSizes NewSizes() override;
  // TPropertiesHost
  uint32_t LayerColour(int layer) override;
  void BeforeChange() override;
  void Changed() override;
  void BoardChanged() override;
  void ShowImaxSettings() override;
  void PadShapeMenu(QPoint global) override;
  void PadSizeMenu(QPoint global) override;
  void SmdSizeMenu(QPoint global) override;
  void InvalidateArea(const TURect& model) override;
  void Repaint() override;
  void ComponentsChanged() override;
  void SizesChanged() override;
  void ActiveLayerChanged() override;
  void NodeMoved() override;

 signals:
  // A double-click on an element in the edit tool: texts and component
  // labels open their dialogs here.
  void ElementActivated(bs::TObjekt* e);

 public:
  // The hint of the active tool in the status line.
  QString ToolHint() const;
  TToolPalette* ToolPalette() const { return palette_; }
  TSizeBar* SizeBar() const { return sizeBar_; }
  TGroundPlaneBar* GroundPlaneBar() const { return groundBar_; }
  TPropertiesPanel* PropertiesPanel() const { return properties_; }
  // Shows the properties panel and flashes it; for the board's properties
  // the selection is dropped first, so that the board page shows.
  void ShowProperties(bool board);
  // Extras -> Text-IO: the selection (or all elements) to a text-exchange
  // file; a file's elements to the clipboard and the placement, as a paste.
  void ExportText();
  void ImportText();
  // "Add as component": a component made of the selection (after asking),
  // or the dialog of the one component the selection is.
  void AddAsComponent();
  // The component dialog on component `no` of the active board, as one undo
  // step (`recorded`: the caller recorded it already); Cancel takes back
  // everything, also what the caller did in that step.
  void EditComponent(int16_t no, bool recorded = false);
  // "Export..." of the components panel: the export window, then the file.
  void ExportComponents();
  // A double click on the library's macro: the component dialog on it; OK
  // writes the macro back to its file, Cancel leaves it as it was.
  void EditMacroComponent();
  // File -> "Save as macro...": the selection (or, when asked, the whole
  // board) to a macro file, which is then shown in the library.
  void SaveAsMacro();
  TMacroPanel* MacroPanel() const { return macro_; }
  QDockWidget* MacroDock() const { return macroDock_; }
  // The library panel's tree from the macro root, with `select` (or the
  // remembered macro) chosen; the start-up timer runs it.
  void BuildMacroTree(const QString& select = {});
  // File -> Export -> Bitmap, JPG, GIF: the export window, then the file.
  void ExportPicture(TPictureFormat format);

  // Help -> Index: the user manual in a window beside the editor, made on
  // first use and kept.
  void ShowHelp();
  THelpWindow* HelpWindow() const { return help_; }
  TDrcPanel* DrcPanel() const { return drc_; }
  TBTList* ComponentPanel() const { return components_; }
  TSelector* SelectorPanel() const { return selector_; }
  QDockWidget* SelectorDock() const { return selectorDock_; }
  QDockWidget* ComponentDock() const { return componentsDock_; }
  QDockWidget* DrcDock() const { return drcDock_; }
  // The timers a long job pauses: autosave and the test tool's blinking.
  std::vector<QTimer*> LongOperationTimers();

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool event(QEvent* event) override;
  // The tool keys of the drawing area.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildMenus();
  void RefreshTabs();
  void RefreshTitle();
  // Enables undo, redo, the edit commands, the board commands and the zoom
  // menu as the active board, its history and its selection allow.
  void RefreshEditMenu();
  void ShowActiveBoard();
  void DetachBoard();
  // How the component dialog shows lengths and layers; `changed` repaints
  // what it edits.
  TBezWertDlg::TContext ComponentDialogContext(std::function<void()> changed);
  // New component labels are shown as the component window last chose.
  TLabelStyle NewLabelStyle() const;
  // Where the Text-IO file dialogs start: the last text-exchange folder,
  // else the project's folder, else the layout folder.
  QString TextFolder() const;
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
  // Creates the tool objects and the edit commands.
  void BuildTools();
  // The pad shape and rectangle menus of the tool palette.
  void BuildToolMenus();
  // A pad shape for new pads (and the selected pads).
  void ChoosePadShape(int shape);
  // "Through pad" for new pads (and the selected pads).
  void SetThroughPad(bool on);
  // A size chosen in a size field (or the ground-plane distance): the
  // selected elements it fits take it.
  void ApplySize(TSizeField field, int32_t value);
  // The size fields show the sizes of the selection.
  void ShowSelectionSizes();
  // The properties panel follows the selection while it is shown.
  void RefreshProperties();
  // The text dialog on a text of the board (double-click).
  void EditText(TObjekt& text);
  // SHIFT halves the grid while it is held.
  void HalveGrid(bool halve);
  // The keys every tool shares: layers (F9, F11), through pad (F12), the
  // zero point (0); true when the key was one of them.
  bool CommonKey(const QKeyEvent& key);
  void ModifiersChanged(Qt::KeyboardModifiers mods);
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
  std::map<int, std::unique_ptr<TTool>> tools_;
  TEditTool* editTool_ = nullptr;
  TPlacementTool* placementTool_ = nullptr;
  TEditCommands* commands_ = nullptr;
  TKeyPanel* keyPanel_ = nullptr;
  QLabel* dragValues_ = nullptr;
  TBoard* halvedBoard_ = nullptr;  // whose grid SHIFT has halved
  bool throughPad_ = false;
  QAction* throughPadAction_ = nullptr;
  class TTextDialog* textDialog_ = nullptr;
  int padShape_ = 1;
  std::array<QAction*, 9> shapeActions_ = {};
  class TPolylineTool* zoneTool_ = nullptr;
  class TDragShapeTool* rectangleTool_ = nullptr;
  // The tool to go back to when the space bar, held for zooming, is released.
  std::optional<int> spaceReturn_;
  QTabBar* tabs_ = nullptr;
  QAction* antialias_ = nullptr;
  QMenu* tabMenu_ = nullptr;
  class TGerberDlg* gerberDlg_ = nullptr;
  class TLochDlg* lochDlg_ = nullptr;
  QAction* undoAction_ = nullptr;
  QAction* redoAction_ = nullptr;
  QMenu* fileMenu_ = nullptr;
  QToolButton* gridButton_ = nullptr;
  QMenu* gridMenu_ = nullptr;
  QDockWidget* overviewDock_ = nullptr;
  TPropertiesPanel* properties_ = nullptr;
  QDockWidget* propertiesDock_ = nullptr;
  THelpWindow* help_ = nullptr;
  QString textFolder_;  // the last folder of a text-exchange file
  TMacroPanel* macro_ = nullptr;
  QDockWidget* macroDock_ = nullptr;
  QAction* macroAction_ = nullptr;
  QAction* addComponentAction_ = nullptr;
  TBTList* components_ = nullptr;
  QDockWidget* componentsDock_ = nullptr;
  QAction* componentsAction_ = nullptr;
  bool componentListDue_ = false;
  TSelector* selector_ = nullptr;
  QDockWidget* selectorDock_ = nullptr;
  QAction* selectorAction_ = nullptr;
  TPnpOptions pnpOptions_;  // the export window's choices, kept in the settings file
  // A macro dragged from the library is over the drawing area.
  void MacroDragMove(const TPointer& p);
  void MacroDrop(const TPointer& p);
  void MacroDragLeave();
  TDrcPanel* drc_ = nullptr;
  QDockWidget* drcDock_ = nullptr;
  QAction* propertiesAction_ = nullptr;
  QAction* captureAction_ = nullptr;
  std::array<QAction*, 3> followActions_ = {};
  QAction* overviewAction_ = nullptr;
  QAction* recentSeparator_ = nullptr;
  std::vector<QAction*> recentActions_;
  std::vector<QAction*> multiBoardActions_;
  QTimer* autosaveTimer_ = nullptr;
  bool refreshingTabs_ = false;
  // The four colour schemes (the options dialog edits them); the chosen one is drawn.
  std::array<TColourScheme, 4> schemes_ = LoadColourSchemes(DataFolder());
};

}  // namespace bs::app
