// The drawing area: the active board painted by the core painter, with
// scroll bars, wheel zoom about the pointer, the zoom tool and scrolling at
// the edges while the left button drags. The mouse events of the other tools
// go to the active tool object (tool.h), which draws over the kept picture.
#pragma once

#include <QAbstractScrollArea>
#include <QImage>
#include <QRegion>

#include "project/project.h"
#include "render/painter.h"
#include "render/view.h"

#include <functional>
#include <memory>

class QMimeData;
class QTimer;

namespace bs {
class TRasterSurface;
}

namespace bs::app {

class TTool;
struct TPointer;

class TBoardView : public QAbstractScrollArea {
  Q_OBJECT

 public:
  explicit TBoardView(QWidget* parent = nullptr);
  ~TBoardView() override;

  // The board shown; null shows nothing. The view writes zoom and scroll
  // positions into the board's record.
  void SetBoard(TBoard* board);
  TBoard* Board() const { return board_; }

  void SetAntiAliased(bool on);
  bool AntiAliased() const { return antiAliased_; }
  TPaintSettings& Settings() { return settings_; }

  // The mouse tool (TToolMode) the drawing area works with; a drag in
  // progress is dropped.
  void SetTool(int mode);
  int Tool() const { return settings_.ToolMode; }
  // The modifier keys of the last mouse event on the drawing area.
  Qt::KeyboardModifiers PointerModifiers() const { return modifiers_; }
  // Whether the left button is held in the drawing area.
  bool Dragging() const { return leftDown_; }
  // The object that gets the mouse events (null: the zoom tool or nothing);
  // it must outlive its time as the active tool.
  void SetActiveTool(TTool* tool);
  TTool* ActiveTool() const { return activeTool_; }
  // The active tool's overlay changed outside a mouse event: only the parts
  // it covered and covers now are shown again from the kept picture.
  void RefreshOverlay();
  // The board changed all over: the whole picture is painted again.
  void Refresh();

  // Zoom so that the whole working space fits.
  void ZoomBoard();
  // Zoom to all elements, to the selected ones, or back to the previous view.
  void ZoomObjects();
  void ZoomSelection(double fill = 80);
  void ZoomPrevious();
  // Syncs the scroll bars with the board's zoom and scroll positions.
  void UpdateScrollBars();
  // Zooms to `zoom` with the model point (x, -y) in the middle of the view.
  void ZoomTo(double zoom, TDPoint centre);
  // The size of the drawing area in pixels.
  TViewport Viewport() const;

  // Marks drawn over the board after every paint, never into the kept
  // picture (the design rule check's hatched findings); null for none.
  using TDecoration = std::function<void(QPainter&, const TViewMap&)>;
  void SetDecoration(TDecoration decoration);
  // The marks changed: they are drawn again over the kept picture.
  void RefreshDecoration();

  // Drags from other widgets (a macro from the library): whether the data is
  // taken, the pointer over the drawing area, the drop there, and the drag
  // leaving or being cancelled. The active tool's overlay is refreshed after
  // each of them.
  struct TDropHandler {
    std::function<bool(const QMimeData&)> Accepts;
    std::function<void(const TPointer&)> Move;
    std::function<void(const TPointer&, const QMimeData&)> Drop;
    std::function<void()> Leave;
  };
  void SetDropHandler(TDropHandler handler);

  // The board changed within a model rectangle (units): only that part of
  // the picture is painted again. A whole-view update paints everything.
  void InvalidateArea(const TURect& model);

  // The last picture of the board as it is kept between paints, and how
  // often it was painted whole or in parts.
  QImage Picture() const;
  struct TPaintCount {
    int Whole = 0;
    int Parts = 0;
  };
  TPaintCount PaintCount() const { return paintCount_; }

 signals:
  // The pointer moved over the drawing area (pixel and model position).
  void PointerMoved(QPoint pixel, double modelX, double modelY);
  // Zoom or scroll positions changed.
  void ViewChanged();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dragLeaveEvent(QDragLeaveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  // Runs a zoom operation with the viewport's size and refreshes the view.
  void Zoom(const std::function<void(TViewport)>& change);
  // The pointer at `at` (viewport pixels) while nothing or the left button
  // is held: read-out, the zoom rectangle, scrolling at the edges.
  void PointerAt(QPoint at);
  // One scroll step towards the edge the dragging pointer is near; false
  // when it is not near one or the board ends there.
  bool EdgeScrollStep();
  void EndDrag();
  // The zoom tool's rectangle in viewport pixels, empty unless one is drawn.
  QRect ZoomRectangle() const;
  // Repaints the thin frame of a rectangle over the kept picture.
  void UpdateFrame(const QRect& r);
  // The pointer event for the active tool.
  TPointer MakePointer(QPoint at, Qt::KeyboardModifiers mods, Qt::MouseButton button) const;
  // Paints the board into the kept picture: whole, or only `region`.
  void PaintPicture(const QRegion& region, bool whole);
  QImage PictureImage() const;

  TBoard* board_ = nullptr;
  TDecoration decoration_;
  TDropHandler drop_;
  bool antiAliased_ = true;
  bool syncing_ = false;
  bool panning_ = false;  // the middle button drags the view
  QPoint panFrom_;
  TPaintSettings settings_;

  // The left button: held, where it went down (model, so that the point
  // stays put while the view scrolls) and where the pointer is now.
  bool leftDown_ = false;
  TDPoint dragStart_{};
  QPoint dragAt_;
  QTimer* edgeTimer_ = nullptr;

  // The last picture of the board, the view it was painted for, and the
  // parts of it that no longer show the board as it is.
  std::unique_ptr<TRasterSurface> raster_;  // the anti-aliased picture
  QImage plain_;                            // the plain one
  struct TPictureKey {
    double Zoom = 0;
    int ScrollX = 0, ScrollY = 0, Width = 0, Height = 0;
    bool AntiAliased = false;
    const TBoard* Board = nullptr;
    friend bool operator==(const TPictureKey&, const TPictureKey&) = default;
  };
  TPictureKey pictureKey_;
  QRegion stale_;
  bool wholeStale_ = false;   // Refresh() asked for the whole picture
  bool overlayOnly_ = false;  // the pending update is the tool's overlay alone

  TTool* activeTool_ = nullptr;
  QRegion overlay_;                  // what the tool's overlay covers on the screen now
  Qt::KeyboardModifiers modifiers_;  // of the last mouse event
  TPaintCount paintCount_;
};

}  // namespace bs::app
