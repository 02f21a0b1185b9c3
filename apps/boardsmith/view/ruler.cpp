#include "view/ruler.h"

#include <QPainter>

#include "render/grid.h"

namespace bs::app {

TRuler::TRuler(Qt::Orientation orientation, QWidget* parent) : QWidget(parent), orientation_(orientation) {
  if (orientation_ == Qt::Horizontal) setFixedHeight(kThickness);
  else setFixedWidth(kThickness);
}

void TRuler::SetBoard(const TBoard* board) {
  board_ = board;
  update();
}

void TRuler::SetUnit(TDisplayUnit unit) {
  unit_ = unit;
  update();
}

void TRuler::SetMarker(int pixel) {
  if (pixel == marker_) return;
  marker_ = pixel;
  update();
}

void TRuler::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), QColor(240, 240, 240));
  if (!board_) return;
  const bool horizontal = orientation_ == Qt::Horizontal;
  const int length = horizontal ? width() : height();
  const auto ticks = horizontal ? HorizontalRulerTicks(board_->Platine, unit_, length)
                                : VerticalRulerTicks(board_->Platine, unit_, length);
  QFont font("Arial");
  font.setPixelSize(13);
  p.setFont(font);
  p.setPen(Qt::black);
  const int edge = kThickness - 1;  // ticks grow from the inner edge
  for (const TRulerTick& t : ticks) {
    if (horizontal) {
      p.drawLine(t.Position, edge, t.Position, edge - t.Length);
      if (!t.Label.empty()) p.drawText(t.Position + 4, edge - 3, QString::fromStdString(t.Label));
    } else {
      p.drawLine(edge, t.Position, edge - t.Length, t.Position);
      if (!t.Label.empty()) {
        // Read from below, the label starts 4 pixels past the tick.
        const QString label = QString::fromStdString(t.Label);
        p.save();
        p.translate(edge - 3, t.Position + 4 + p.fontMetrics().horizontalAdvance(label));
        p.rotate(-90);
        p.drawText(0, 0, label);
        p.restore();
      }
    }
  }
  if (marker_ >= 0) {
    p.setPen(QColor(255, 0, 0));
    if (horizontal) p.drawLine(marker_, 0, marker_, kThickness);
    else p.drawLine(0, marker_, kThickness, marker_);
  }
}

}  // namespace bs::app
