// The Board-Zoom panel: a miniature of the board with a frame around the
// visible region; dragging the frame scrolls, clicks zoom.
#pragma once

#include <QWidget>

#include "project/project.h"
#include "render/painter.h"

namespace bs::app {

class TBoardView;

class TBoardOverview : public QWidget {
  Q_OBJECT

 public:
  TBoardOverview(TBoardView* view, QWidget* parent = nullptr);
  QSize sizeHint() const override { return {97, 100}; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  TBoardView* view_;
  bool dragging_ = false;
  bool moved_ = false;
  QPointF grab_;  // pointer offset from the frame's corner
};

}  // namespace bs::app
