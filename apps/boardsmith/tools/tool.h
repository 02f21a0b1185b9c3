// The mouse tools of the drawing area and how events reach them.
//
// Dispatch: the main window owns one TTool object per tool mode that has
// one and, in SetTool, hands the active one to the drawing area
// (TBoardView::SetActiveTool). The drawing area passes every mouse press,
// move, release and double-click on its viewport to that object, and the
// main window passes the keys it does not handle itself (tool letters, the
// space bar, Esc) to it. After every event the drawing area repaints what
// the tool draws over the kept picture (OverlayRegion, Paint), so that a
// moving crosshair, rubber band or drag preview never paints the board.
//
// A new tool derives from TTool, overrides the events it needs, and is
// registered with its mode in TMainWindow::BuildTools; the palette gets a
// button for it in TToolPalette. Nothing else has to change. Modes without
// an object (the zoom tool) are handled by the drawing area itself.
#pragma once

#include <QPoint>
#include <QRegion>
#include <QString>

#include <cstddef>
#include <optional>
#include <vector>

#include "model/types.h"

class QKeyEvent;
class QPainter;

namespace bs {
struct TBoard;
struct TNewSizes;
struct TObjekt;
struct TPlatine;
struct TProject;
struct TSettings;
enum class TDisplayUnit;
}  // namespace bs

namespace bs::app {

class TBoardView;
struct TBoxRow;
struct TCursorMark;

// What the tools need from the window around them.
class TToolHost {
 public:
  virtual ~TToolHost() = default;
  virtual TProject& Project() = 0;
  virtual TSettings& Settings() = 0;
  virtual TBoardView& BoardView() = 0;
  // Switches the tool (TToolMode).
  virtual void ChooseTool(int mode) = 0;
  // After a change of the board (undo already recorded): title, commands.
  virtual void BoardEdited() = 0;
  // After the selection changed: the enabled commands.
  virtual void SelectionChanged() = 0;
  // The status hint, the key panel and the drag values of the status line.
  virtual void ShowHint(const QString& hint) = 0;
  virtual void ShowKeyPanel(bool shown) = 0;
  virtual void ShowDragValues(const QString& values) = 0;
  // The context menus at a global position: for the elements (`under` is the
  // element under the pointer or null) and for a node of a track or zone.
  virtual void ElementMenu(QPoint global, TObjekt* under, TDPoint model) = 0;
  virtual void NodeMenu(QPoint global, TObjekt& e, size_t node) = 0;
  // A double-click on an element (texts and component labels get their
  // dialogs here once those exist).
  virtual void ElementDoubleClicked(TObjekt& e) = 0;
  // Del: deletes the selection as the Edit menu does.
  virtual void DeleteSelection() = 0;
  // The sizes, shape, through-pad mark and clearance new elements get.
  virtual TNewSizes NewSizes() = 0;
  // A tool changed the remembered sizes (arrow keys): the size fields show them.
  virtual void SizesChanged() = 0;
  // A tool changed the active layer: the layer and ground-plane bars follow.
  virtual void ActiveLayerChanged() = 0;
  // A vertex of a track or zone is being dragged: the length shown follows.
  virtual void NodeMoved() {}
};

// One mouse event in the drawing area.
struct TPointer {
  QPoint Pixel;   // viewport pixels
  TDPoint Model;  // model units, unsnapped
  Qt::KeyboardModifiers Modifiers;
  Qt::MouseButton Button = Qt::NoButton;  // the button that changed
  bool Shift() const { return Modifiers & Qt::ShiftModifier; }
  bool Ctrl() const { return Modifiers & Qt::ControlModifier; }
  bool Alt() const { return Modifiers & Qt::AltModifier; }
};

class TTool {
 public:
  explicit TTool(TToolHost& host) : host_(host) {}
  virtual ~TTool() = default;
  TTool(const TTool&) = delete;
  TTool& operator=(const TTool&) = delete;

  // The tool became active / is about to give way to another one; whatever
  // is going on is dropped without a change to the board.
  virtual void Activate() {}
  virtual void Deactivate() {}
  // Another board is shown while the tool stays chosen.
  virtual void Suspend() { Deactivate(); }
  virtual void Resume() { Activate(); }

  virtual void Press(const TPointer&) {}
  // The pointer moved, with or without the left button.
  virtual void Move(const TPointer&) {}
  virtual void Release(const TPointer&) {}
  // A right click with the left button up: most tools go back to editing.
  virtual void RightClick(const TPointer&);
  virtual void DoubleClick(const TPointer&) {}
  // A key on the drawing area; true when the tool used it.
  virtual bool Key(const QKeyEvent&, bool /*pressed*/) { return false; }
  // The modifier keys changed without an event of the mouse.
  virtual void Modifiers(Qt::KeyboardModifiers) {}

  // What the tool draws over the kept picture, and where (viewport pixels).
  virtual void Paint(QPainter&) const {}
  virtual QRegion OverlayRegion() const { return {}; }

  // The status hint, and whether the key panel belongs to it now.
  virtual QString Hint() const = 0;
  virtual bool KeyPanel() const { return false; }
  // The bend mode 1 ... 5 while a track or zone is drawn (the key panel
  // shows the space bar row then), else 0.
  virtual int BendMode() const { return 0; }

 protected:
  TToolHost& host_;
  // The active board, or null.
  TBoard* Board();
};

// What the drawing tools share: the cursor position after capture and grid,
// and the crosshair there.
class TCursorTool : public TTool {
 public:
  using TTool::TTool;
  void Modifiers(Qt::KeyboardModifiers mods) override;
  void Paint(QPainter& p) const override;
  QRegion OverlayRegion() const override;
  bool KeyPanel() const override { return true; }

 protected:
  // Takes the pointer: the cursor position, and whether the crosshair shows.
  void Follow(const TPointer& p);
  // The crosshair (with the coordinate box) at the cursor position.
  virtual TCursorMark Mark() const;
  // The elements drawn translucent at the pointer.
  virtual std::vector<const TObjekt*> Preview() const { return {}; }
  void Invalidate(const TObjekt& e);
  // Without the coordinate box, the status line shows the values of a drag.
  void ShowValues();

  TDPoint at_{};
  bool captured_ = false;
  bool shown_ = false;
  TPointer last_{};
};

// ---- helpers of the tools ----

TDisplayUnit DisplayUnitOf(const TSettings& settings);
// Automatic capture: switched on, and not both CTRL and SHIFT held.
bool CaptureOn(const TSettings& settings, const TPointer& p);
// The crosshair at a model position in the look the settings choose.
TCursorMark CursorMarkAt(TToolHost& host, TDPoint at, bool captured);
// Rows 1 and 2 (the position from the zero point) and, with a start point,
// rows 3 to 5 (dX, dY and the distance).
std::vector<TBoxRow> CoordinateRows(const TPlatine& board, TDPoint at, std::optional<TDPoint> start, TDisplayUnit unit);
// Rows 3 to 5 as one line for the status bar.
QString DragValuesText(const std::vector<TBoxRow>& rows);
QPointF PixelOf(const TPlatine& board, TDPoint model);

}  // namespace bs::app
