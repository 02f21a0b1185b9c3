// The layer bar: per layer a visibility switch and the choice of the active
// layer.
#pragma once

#include <QToolBar>

#include "project/project.h"
#include "render/colours.h"

class QToolButton;

namespace bs::app {

class TLayerBar : public QToolBar {
  Q_OBJECT

 public:
  explicit TLayerBar(QWidget* parent = nullptr);
  void SetBoard(TBoard* board, const TColourScheme& scheme);
  // Brings the buttons in line with the board (active layer, visibility,
  // inner layers shown only on multilayer boards).
  void Refresh();

  QToolButton* ActiveButton(int layer) const { return active_[layer]; }
  QToolButton* VisibleButton(int layer) const { return visible_[layer]; }

 signals:
  // The board changed: repaint it.
  void Changed();

 private:
  TBoard* board_ = nullptr;
  TColourScheme scheme_;
  QToolButton* active_[8] = {};
  QToolButton* visible_[8] = {};
};

}  // namespace bs::app
