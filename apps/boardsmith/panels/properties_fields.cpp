#include "panels/properties_fields.h"

#include <QPainter>
#include <QPainterPathStroker>
#include <QToolButton>

#include <cmath>

#include "model/geometry.h"

namespace bs::app {

namespace {
constexpr double kMilPerMm = 39.37;  // as the length fields convert

QColor Rgb(uint32_t bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

// The copper of a pad around its centre, in units with y pointing down:
// round shapes are circles or widened centre lines, the others polygons.
QPainterPath PadPath(const TPointList& points, TFPoint centre, uint8_t kind, uint8_t shape, double radius) {
  QPainterPath path;
  if (points.empty()) return path;
  auto at = [&](TFPoint p) { return QPointF(p.X - centre.X, -(p.Y - centre.Y)); };
  const bool thtRound =
      kind == kKindThtPad && (shape == kShapeRound || shape == kShapeRoundedH || shape == kShapeRoundedV);
  if (thtRound && points.size() == 2) {
    if (shape == kShapeRound) {
      path.addEllipse(QPointF(0, 0), radius, radius);
    } else {
      QPainterPath line(at(points[0]));
      line.lineTo(at(points[1]));
      QPainterPathStroker stroker;
      stroker.setWidth(2 * radius);
      stroker.setCapStyle(Qt::RoundCap);
      path = stroker.createStroke(line);
    }
    return path;
  }
  QPolygonF polygon;
  for (TFPoint p : points) polygon << at(p);
  path.addPolygon(polygon);
  path.closeSubpath();
  return path;
}

// Draws the copper path scaled into a circle of `fit` pixels around `c`,
// with the drill hole.
void DrawPad(QPainter& p, const QPainterPath& pad, double drill, QPointF c, double fit, QColor colour) {
  const QRectF b = pad.boundingRect();
  const double extent =
      std::max({std::fabs(b.left()), std::fabs(b.right()), std::fabs(b.top()), std::fabs(b.bottom())});
  if (!(extent > 0)) return;
  const double scale = fit / extent;
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.translate(c);
  p.scale(scale, scale);
  p.setPen(Qt::NoPen);
  p.setBrush(colour);
  p.drawPath(pad);
  if (drill > 0) {
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(0, 0), drill, drill);
  }
  p.restore();
}
}  // namespace

// ---- mixed fields ----

void FillLength(TMixedLength* field, const std::optional<double>& units) {
  if (units) field->SetUnits(RoundInt(*units));
  field->Filled(!units);
}

void FillNumber(TMixedNumber* field, const std::optional<double>& value) {
  if (value) field->setValue(*value);
  field->Filled(!value);
}

std::optional<double> LengthOf(const TMixedLength* field, const std::optional<double>& filled) {
  if (field->Mixed()) return std::nullopt;
  if (!field->Edited() && filled) return filled;
  const double mm = field->Unit() == TDisplayUnit::Mil ? field->value() / kMilPerMm : field->value();
  return mm * kUnitsPerMm;
}

std::optional<double> NumberOf(const TMixedNumber* field, const std::optional<double>& filled) {
  if (field->Mixed()) return std::nullopt;
  if (!field->Edited() && filled) return filled;
  return field->value();
}

void FillCheck(QCheckBox* box, const std::optional<bool>& value) {
  box->setTristate(!value);
  box->setCheckState(!value ? Qt::PartiallyChecked : *value ? Qt::Checked : Qt::Unchecked);
}

std::optional<bool> CheckOf(const QCheckBox* box) {
  if (box->checkState() == Qt::PartiallyChecked) return std::nullopt;
  return box->checkState() == Qt::Checked;
}

void FillChoice(QButtonGroup* group, const std::optional<int>& value) {
  group->setExclusive(false);  // an exclusive group cannot have nothing chosen
  for (QAbstractButton* b : group->buttons()) b->setChecked(value && group->id(b) == *value);
  group->setExclusive(true);
}

std::optional<int> ChoiceOf(const QButtonGroup* group) {
  const int id = group->checkedId();
  if (id == -1) return std::nullopt;
  return id;
}

// ---- pictures ----

QPixmap PadShapePicture(int shape, int size) {
  QPixmap pm(size, size);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  if (shape < kShapeRound || shape > kShapeRectV) {
    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(size * 2 / 3);
    p.setFont(f);
    p.setPen(QColor(0x40, 0x40, 0x40));
    p.drawText(QRect(0, 0, size, size), Qt::AlignCenter, QStringLiteral("?"));
    return pm;
  }
  constexpr float r = 1000;
  const TPointList pts = ThtOutline(static_cast<uint8_t>(shape), {0, 0}, r, 0);
  const QPainterPath path = PadPath(pts, {0, 0}, kKindThtPad, static_cast<uint8_t>(shape), r);
  DrawPad(p, path, 0.45 * r, QPointF(size / 2.0, size / 2.0), size / 2.0 - 2, QColor(0x30, 0x30, 0x30));
  return pm;
}

QPixmap TrackEndPicture(bool flat, bool start, QSize size) {
  QPixmap pm(size);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  const QColor colour(0x30, 0x30, 0x30);
  const double w = size.height() * 0.7;
  const double y = size.height() / 2.0;
  const double middle = size.width() / 2.0;
  // The end itself (a flat end reaches as far as a round one), then a thin
  // line where the track goes on.
  const double tip = start ? 2 : size.width() - 2;
  const double end = start ? tip + (flat ? 0 : w / 2) : tip - (flat ? 0 : w / 2);
  p.setPen(QPen(colour, w, Qt::SolidLine, flat ? Qt::FlatCap : Qt::RoundCap));
  p.drawLine(QPointF(end, y), QPointF(middle, y));
  p.setPen(QPen(colour, 1.5));
  p.drawLine(QPointF(middle, y), QPointF(start ? size.width() : 0, y));
  return pm;
}

// ---- spoke buttons ----

TSpokePicker::TSpokePicker(QWidget* parent) : QWidget(parent) {
  setFixedSize(104, 104);
  for (int k = 1; k <= 8; ++k) {
    auto* b = new QToolButton(this);
    b->setCheckable(true);
    b->setFixedSize(14, 14);
    b->setFocusPolicy(Qt::NoFocus);
    b->setObjectName(QStringLiteral("spoke%1").arg(k));
    b->setStyleSheet(
        QStringLiteral("QToolButton { background: white; border: 1px solid #505050; }"
                       "QToolButton:checked { background: black; }"
                       "QToolButton:disabled { background: #d8d8d8; border-color: #a0a0a0; }"
                       "QToolButton:checked:disabled { background: #808080; }"));
    connect(b, &QToolButton::clicked, this, [this, k] { emit Toggled(k); });
    buttons_[size_t(k - 1)] = b;
  }
}

void TSpokePicker::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  const QPointF c(width() / 2.0, height() / 2.0);
  const double radius = std::min(width(), height()) / 2.0 - 14;
  for (int k = 1; k <= 8; ++k) {
    const double a = (k - 1) * M_PI / 4;  // clockwise from straight up
    const QPointF at(c.x() + radius * std::sin(a), c.y() - radius * std::cos(a));
    buttons_[size_t(k - 1)]->move(QPoint(int(std::lround(at.x() - 7)), int(std::lround(at.y() - 7))));
  }
}

void TSpokePicker::SetMask(uint8_t mask) {
  for (int k = 1; k <= 8; ++k) buttons_[size_t(k - 1)]->setChecked(mask & (1 << (k - 1)));
}

uint8_t TSpokePicker::Mask() const {
  uint8_t m = 0;
  for (int k = 1; k <= 8; ++k)
    if (buttons_[size_t(k - 1)]->isChecked()) m |= uint8_t(1 << (k - 1));
  return m;
}

void TSpokePicker::SetPad(const TObjekt* pad) {
  pad_ = QPainterPath();
  drill_ = 0;
  if (pad) {
    const TDPoint c = Centre(*pad);
    const TFPoint centre{static_cast<float>(c.X), static_cast<float>(c.Y)};
    pad_ = PadPath(pad->Points, centre, pad->Kind, pad->Shape, pad->SizeA);
    if (pad->Kind == kKindThtPad) drill_ = std::min(pad->SizeB, pad->SizeA);
  }
  update();
}

void TSpokePicker::SetFrame(std::optional<uint32_t> colour, bool hatched) {
  frame_ = colour;
  hatched_ = hatched;
  update();
}

void TSpokePicker::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QRectF r = QRectF(rect()).adjusted(1, 1, -1, -1);
  if (frame_) {
    const QColor c = Rgb(*frame_);
    if (hatched_) p.fillRect(r, QBrush(c, Qt::BDiagPattern));
    p.setPen(QPen(c, 2));
    p.drawRect(r);
  }
  DrawPad(p, pad_, drill_, QPointF(width() / 2.0, height() / 2.0), std::min(width(), height()) / 2.0 - 30,
          QColor(0x60, 0x60, 0x60));
}

}  // namespace bs::app
