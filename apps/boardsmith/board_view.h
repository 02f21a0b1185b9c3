// The drawing area: the active board painted by the core painter, with
// scroll bars and wheel zoom about the pointer.
#pragma once

#include <QAbstractScrollArea>

#include "project/project.h"
#include "render/painter.h"
#include "render/view.h"

#include <functional>

namespace bs::app {

class TBoardView : public QAbstractScrollArea {
  Q_OBJECT

 public:
  explicit TBoardView(QWidget* parent = nullptr);

  // The board shown; null shows nothing. The view writes zoom and scroll
  // positions into the board's record.
  void SetBoard(TBoard* board);
  TBoard* Board() const { return board_; }

  void SetAntiAliased(bool on);
  bool AntiAliased() const { return antiAliased_; }
  TPaintSettings& Settings() { return settings_; }

  // Zoom so that the whole working space fits.
  void ZoomBoard();
  // Zoom to all elements, to the selected ones, or back to the previous view.
  void ZoomObjects();
  void ZoomSelection();
  void ZoomPrevious();
  // Syncs the scroll bars with the board's zoom and scroll positions.
  void UpdateScrollBars();

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

 private:
  // Runs a zoom operation with the viewport's size and refreshes the view.
  void Zoom(const std::function<void(TViewport)>& change);

  TBoard* board_ = nullptr;
  bool antiAliased_ = true;
  bool syncing_ = false;
  bool panning_ = false;   // the middle button drags the view
  QPoint panFrom_;
  TPaintSettings settings_;
};

}  // namespace bs::app
