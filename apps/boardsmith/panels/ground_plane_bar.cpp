#include "panels/ground_plane_bar.h"

#include <QAction>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QToolButton>

#include "model/types.h"
#include "widgets/length_field.h"

namespace bs::app {

namespace {
// The distance field: 0 ... 10 mm in steps of 0.1 with one decimal.
constexpr double kMaxDistanceMm = 10;

// A copper area with a white hole that `hole` draws in it.
template <class F>
QIcon AreaIcon(F&& hole) {
  QPixmap pm(20, 20);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.fillRect(QRect(1, 3, 18, 14), QColor(0x30, 0x80, 0x30));
  p.setBrush(Qt::white);
  p.setPen(Qt::NoPen);
  hole(p);
  return QIcon(pm);
}

// The plane with a round gap around a pad.
QIcon PlaneIcon() {
  return AreaIcon([](QPainter& p) {
    p.drawEllipse(QPointF(10, 10), 5.5, 5.5);
    p.setBrush(QColor(0x30, 0x80, 0x30));
    p.drawEllipse(QPointF(10, 10), 3, 3);
  });
}

// The plane with a cut-out: a polygon or a rectangle.
QIcon CutoutIcon(bool rectangle) {
  return AreaIcon([rectangle](QPainter& p) {
    if (rectangle) p.drawRect(QRectF(5, 6, 10, 8));
    else p.drawPolygon(QPolygonF({QPointF(4, 14), QPointF(7, 6), QPointF(15, 5), QPointF(13, 14)}));
  });
}
}  // namespace

TGroundPlaneBar::TGroundPlaneBar(TProject& project, QWidget* parent)
    : QToolBar(tr("Ground plane"), parent), project_(project) {
  setObjectName("GroundPlaneBar");
  setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  plane_ = new QToolButton(this);
  plane_->setObjectName("GroundPlaneButton");
  plane_->setCheckable(true);
  plane_->setIcon(PlaneIcon());
  plane_->setText(tr("Ground plane"));
  plane_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  plane_->setToolTip(tr("Enable or disable the automatic ground plane for the active copper layer"));
  connect(plane_, &QToolButton::clicked, this, [this] { TogglePlane(); });
  addWidget(plane_);

  auto* label = new QLabel(tr("Distance"), this);
  label->setContentsMargins(6, 0, 2, 0);
  distance_ = new TLengthField(0, kMaxDistanceMm, 1, 0.1, false, this);
  distance_->setObjectName("DistanceField");
  const QString hint = tr("Adjust the distance from ground plane for selected and new elements");
  label->setToolTip(hint);
  distance_->setToolTip(hint);
  distance_->SetUnits(current_);
  connect(distance_, &TLengthField::UnitsEdited, this, [this](int32_t units) {
    current_ = remembered_ = units;
    emit DistanceEdited(units);
  });
  labelAction_ = addWidget(label);
  distanceAction_ = addWidget(distance_);

  // The cut-out buttons choose the zone or rectangle tool for cut-outs.
  auto cutout = [this](bool rectangle, const QString& text, const QString& hint, const char* name) {
    auto* b = new QToolButton(this);
    b->setObjectName(name);
    b->setCheckable(true);
    b->setIcon(CutoutIcon(rectangle));
    b->setText(text);
    b->setToolButtonStyle(Qt::ToolButtonIconOnly);
    b->setToolTip(text + ": " + hint);
    connect(b, &QToolButton::clicked, this, [this, b, rectangle] {
      b->setChecked(true);  // a second press keeps it down
      emit CutoutChosen(rectangle);
    });
    return b;
  };
  polygonCutout_ = cutout(false, tr("Cutout as polygon"), tr("Generate polygon-cutout-areas in the ground plane"),
                          "PolygonCutoutButton");
  rectangleCutout_ = cutout(true, tr("Cutout as rectangle"), tr("Generate rectangle-cutout-areas in the ground plane"),
                            "RectangleCutoutButton");
  cutoutActions_[0] = addWidget(polygonCutout_);
  cutoutActions_[1] = addWidget(rectangleCutout_);
  Refresh();
}

void TGroundPlaneBar::Refresh() {
  const TBoard* b = project_.Active();
  const int layer = b ? b->Platine.ActiveLayer : 0;
  const bool copper = b && IsCopperLayer(layer);
  const bool on = copper && b->Platine.GroundPlane[size_t(layer)];
  plane_->setEnabled(copper);
  plane_->setChecked(on);
  // The distance matters only while the plane is on.
  labelAction_->setVisible(on);
  distanceAction_->setVisible(on);
  for (QAction* a : cutoutActions_) a->setVisible(on);
}

void TGroundPlaneBar::ShowCutout(bool polygon, bool rectangle) {
  polygonCutout_->setChecked(polygon);
  rectangleCutout_->setChecked(rectangle);
}

void TGroundPlaneBar::SetUnit(TDisplayUnit unit) { distance_->SetUnit(unit); }

void TGroundPlaneBar::ShowClearance(int32_t units) {
  current_ = units;
  distance_->SetUnits(units);
}

void TGroundPlaneBar::RestoreRememberedClearance() { ShowClearance(remembered_); }

void TGroundPlaneBar::TogglePlane() {
  TBoard* b = project_.Active();
  if (!b || !IsCopperLayer(b->Platine.ActiveLayer)) {
    Refresh();
    return;
  }
  // The switch is a board setting, which undo snapshots do not hold: it
  // records no undo step, it only marks the project changed.
  uint8_t& plane = b->Platine.GroundPlane[size_t(b->Platine.ActiveLayer)];
  plane = plane ? 0 : 1;
  // Selected cut-outs are drawn over the plane; switching it leaves none selected.
  for (const auto& e : b->Elements)
    if (e->Cutout) e->Selected = 0;
  ShowCutout(false, false);
  project_.Changed = true;
  Refresh();
  emit PlaneSwitched();
}

}  // namespace bs::app
