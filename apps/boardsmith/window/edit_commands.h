// The commands that change the selection of the active board, as menu
// entries with their shortcuts: the Edit menu (clipboard, delete, select
// all), the Functions menu (rotate, mirror, groups, board side, layer, snap
// to grid, align), the rotation angle and align menus, the element and node
// context menus with "Set origin", and "Delete elements outside the board".
// Which entries are enabled follows the board, its selection and the tool.
#pragma once

#include <QObject>
#include <QPoint>
#include <QString>

#include <array>
#include <functional>
#include <map>

#include "edit/clipboard.h"
#include "edit/edit_types.h"
#include "model/geometry.h"

class QAction;
class QMenu;
class QToolBar;
class QToolButton;
class QWidget;

namespace bs::app {

class TToolHost;
class TPlacementTool;

class TEditCommands : public QObject {
  Q_OBJECT

 public:
  // The private type of the editor's elements on the system clipboard.
  static constexpr const char* kMimeType = "application/x-boardsmith-elements";

  // Message boxes open over `window`; shortcuts work in it.
  TEditCommands(TToolHost& host, TPlacementTool& placement, QWidget* window);

  // Appends the clipboard entries to the Edit menu and builds the Functions
  // menu and the tool bar with the rotation angle and align menus.
  void AddEditEntries(QMenu* edit);
  QMenu* BuildFunctionsMenu(QWidget* parent);
  QToolBar* BuildToolBar(QWidget* parent);
  // "Delete elements outside the board", for the Extras menu.
  QAction* DeleteOutsideAction() const { return deleteOutside_; }

  // What "&Properties" of the element menu does.
  void SetPropertiesCommand(std::function<void()> show) { showProperties_ = std::move(show); }
  // What "Component..." of the element menu does.
  void SetComponentCommand(std::function<void()> run) { component_ = std::move(run); }
  // Enables the entries for the active board, its selection and the tool.
  void Refresh();
  // "Through pad" (menu and F12): nothing selected or a THT pad on copper among the selection.
  bool ThroughPadAvailable() const { return throughPadAvailable_; }

  // The context menus at a global position (they run modally).
  void ExecElementMenu(QPoint global, TObjekt* under, TDPoint model);
  void ExecNodeMenu(QPoint global, TObjekt& e, size_t node);
  // Builds the menus without running them (tests look inside).
  QMenu* ElementMenu(TObjekt* under, TDPoint model);
  QMenu* NodeMenu(TObjekt& e, size_t node);

  // Del in the drawing area: the Delete entry when it is enabled.
  void DeleteSelection();
  // Elements from elsewhere (a text-exchange import) become the clipboard
  // and are placed as after Paste.
  void PasteElements(const TObjektList& elements);

  enum TCommand {
    kCopy,
    kCut,
    kPaste,
    kDuplicate,
    kDelete,
    kSelectAll,
    kRotate,
    kRotateBack,
    kMirrorH,
    kMirrorV,
    kBuildGroup,
    kSplitGroup,
    kChangeSide,
    kSnapToGrid,
    kAlignTop,
    kAlignBottom,
    kAlignLeft,
    kAlignRight,
    kAlignHCentre,
    kAlignVCentre,
    kCommandCount
  };
  QAction* Action(TCommand c) const { return actions_[c]; }
  QAction* LayerAction(int layer) const;
  QMenu* AngleMenu() const { return angleMenu_; }
  QMenu* AlignMenu() const { return alignMenu_; }
  const TClipboard& Clipboard() const { return clipboard_; }
  // The rotation angle menu and the rotate button after the angle changed.
  void RefreshAngleMenu();

 signals:
  // The board changed (an undo step was recorded).
  void Edited();

 private:
  QAction* Add(TCommand c, const QString& caption, const std::function<void()>& run);
  // Shows what a command reports and, after a change, repaints the board.
  void Finish(const TEditResult& r);
  // Runs a command that may ask about components first.
  void Confirmed(const std::function<TEditResult(bool)>& run);
  void Copy();
  void Paste(TPrepared prepared);
  void Rotate(bool back);
  void SetRotationAngle(int tenths);
  void BuildAngleMenu();
  TEditOptions Options() const;
  void AddTransformEntries(QMenu* menu, bool context);
  QMenu* OriginMenu(QWidget* parent, TDPoint model);
  bool SystemClipboardHasElements() const;

  TToolHost& host_;
  TPlacementTool& placement_;
  QWidget* window_;
  TClipboard clipboard_;
  std::array<QAction*, kCommandCount> actions_{};
  std::map<int, QAction*> layers_;
  QMenu* layerMenu_ = nullptr;
  QMenu* angleMenu_ = nullptr;
  QMenu* alignMenu_ = nullptr;
  QAction* deleteOutside_ = nullptr;
  QAction* userAngle_ = nullptr;
  std::function<void()> showProperties_;
  std::function<void()> component_;
  bool throughPadAvailable_ = true;
};

}  // namespace bs::app
