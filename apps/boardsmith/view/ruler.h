// A ruler beside the drawing area: distances from the zero point in the
// display unit, with a marker that follows the mouse pointer.
#pragma once

#include <QWidget>

#include "model/geometry.h"
#include "project/project.h"

namespace bs::app {

class TRuler : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kThickness = 25;

  TRuler(Qt::Orientation orientation, QWidget* parent = nullptr);
  void SetBoard(const TBoard* board);
  void SetUnit(TDisplayUnit unit);
  // The pointer's pixel along the ruler, or -1 to hide the marker.
  void SetMarker(int pixel);
  int Marker() const { return marker_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Qt::Orientation orientation_;
  const TBoard* board_ = nullptr;
  TDisplayUnit unit_ = TDisplayUnit::Mm;
  int marker_ = -1;
};

}  // namespace bs::app
