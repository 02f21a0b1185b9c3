// The drawing area: the active board painted by the core painter, with
// scroll bars and wheel zoom about the pointer.
#pragma once

#include <QAbstractScrollArea>

#include "project/project.h"
#include "render/painter.h"

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
  // Syncs the scroll bars with the board's zoom and scroll positions.
  void UpdateScrollBars();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;

 private:
  TBoard* board_ = nullptr;
  bool antiAliased_ = true;
  bool syncing_ = false;
  TPaintSettings settings_;
};

}  // namespace bs::app
