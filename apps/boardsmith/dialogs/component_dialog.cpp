#include "dialogs/component_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

#include "model/codepage.h"
#include "model/placement.h"
#include "widgets/length_field.h"
#include "window/core_text.h"

namespace bs::app {

namespace {
const char* const kCaption = "Boardsmith";
// The layers a label may lie on, in the order of the choice.
constexpr int kLabelLayers[] = {kLayerC1, kLayerS1, kLayerC2, kLayerS2, kLayerO};
const char* const kLayerNames[] = {"C1", "S1", "C2", "S2", "O"};

QString FromBytes(const TByteString& s) { return QString::fromStdString(Cp1251ToUtf8(s)); }
TByteString ToBytes(const QString& s) { return Utf8ToCp1251(s.toStdString()); }

void MarkField(QWidget* w, bool changed) {
  w->setStyleSheet(changed ? QString("background-color: %1").arg(TBezWertDlg::ChangedColour().name()) : QString());
}
}  // namespace

TBezWertDlg::TBezWertDlg(TComponent& c, const TPlatine& board, TContext context, QWidget* parent)
    : QDialog(parent), c_(c), board_(board), context_(std::move(context)), initial_(ComponentDataOf(c)) {
  setWindowTitle(tr("Component"));
  auto layerChoice = [this] {
    auto* box = new QComboBox(this);
    for (size_t i = 0; i < std::size(kLabelLayers); ++i) {
      QPixmap swatch(12, 12);
      swatch.fill(context_.LayerColour ? context_.LayerColour(kLabelLayers[i]) : QColor(Qt::gray));
      box->addItem(QIcon(swatch), kLayerNames[i], kLabelLayers[i]);
    }
    return box;
  };
  id_ = new QLineEdit(this);
  id_->setObjectName("ComponentId");
  value_ = new QLineEdit(this);
  value_->setObjectName("ComponentValue");
  idLayer_ = layerChoice();
  valueLayer_ = layerChoice();
  idVisible_ = new QCheckBox(tr("Visible"), this);
  valueVisible_ = new QCheckBox(tr("Visible"), this);
  auto* labels = new QGridLayout;
  labels->addWidget(new QLabel(tr("ID:"), this), 0, 0);
  labels->addWidget(id_, 0, 1);
  labels->addWidget(new QLabel(tr("Layer:"), this), 0, 2);
  labels->addWidget(idLayer_, 0, 3);
  labels->addWidget(idVisible_, 0, 4);
  labels->addWidget(new QLabel(tr("Value:"), this), 1, 0);
  labels->addWidget(value_, 1, 1);
  labels->addWidget(new QLabel(tr("Layer:"), this), 1, 2);
  labels->addWidget(valueLayer_, 1, 3);
  labels->addWidget(valueVisible_, 1, 4);

  height_ = new TLengthField(0.1, 50, 2, 0.1, true, this);
  height_->SetUnit(context_.Unit);
  style_ = new QComboBox(this);
  style_->addItems({tr("Narrow"), tr("Normal"), tr("Wide")});
  thickness_ = new QComboBox(this);
  thickness_->addItems({tr("Thin"), tr("Normal"), tr("Bold")});
  auto* textBox = new QGroupBox(tr("Text properties:"), this);
  auto* textRow = new QHBoxLayout(textBox);
  textRow->addWidget(height_);
  textRow->addWidget(style_);
  textRow->addWidget(thickness_);

  auto* placeBox = new QGroupBox(this);
  placed_ = new QCheckBox(tr("Use Pick+ Place Data"), placeBox);
  rotation_ = new QDoubleSpinBox(placeBox);
  rotation_->setRange(0, 359.9);
  rotation_->setDecimals(1);
  rotation_->setWrapping(true);
  auto* rotationRow = new QHBoxLayout;
  rotationRow->addWidget(rotation_);
  for (int degrees : {0, 90, 180, 270}) {
    auto* b = new QPushButton(QString("%1\u00b0").arg(degrees), placeBox);
    b->setAutoDefault(false);
    connect(b, &QPushButton::clicked, this, [this, degrees] { rotation_->setValue(degrees); });
    rotationRow->addWidget(b);
    quickRotations_.push_back(b);
  }
  package_ = new QLineEdit(placeBox);
  comment_ = new QLineEdit(placeBox);
  centre_ = new QComboBox(placeBox);
  centre_->addItems({tr("Center Copper"), tr("Center Silkscreen"), tr("Center Copper+ Silk")});
  offsetX_ = new TLengthField(-1000, 1000, 2, 0.1, true, placeBox);
  offsetY_ = new TLengthField(-1000, 1000, 2, 0.1, true, placeBox);
  offsetX_->SetUnit(context_.Unit);
  offsetY_->SetUnit(context_.Unit);
  zero_ = new QPushButton("0/0", placeBox);
  zero_->setAutoDefault(false);
  auto* offsets = new QHBoxLayout;
  offsets->addWidget(offsetX_);
  offsets->addWidget(new QLabel(tr("Y-Offset:"), placeBox));
  offsets->addWidget(offsetY_);
  offsets->addWidget(zero_);
  auto* place = new QFormLayout(placeBox);
  place->addRow(placed_);
  place->addRow(tr("Rotation:"), rotationRow);
  place->addRow(tr("Package:"), package_);
  place->addRow(tr("Comment"), comment_);
  place->addRow(tr("Center:"), centre_);
  place->addRow(tr("X-Offset:"), offsets);

  align_ = new QCheckBox(tr("Align text automatically"), this);
  disintegrate_ = new QPushButton(tr("Disintegrate Component"), this);
  disintegrate_->setAutoDefault(false);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Cancel)->setText(tr("Cancel"));
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(disintegrate_);
  bottom->addStretch(1);
  bottom->addWidget(buttons);

  auto* v = new QVBoxLayout(this);
  v->addLayout(labels);
  v->addWidget(textBox);
  v->addWidget(placeBox);
  v->addWidget(align_);
  v->addLayout(bottom);

  Fill(initial_);
  align_->setChecked(c_.Id && c_.Value && ComponentLabelsAligned(c_.Elements, *c_.Id, *c_.Value, board_));

  connect(buttons, &QDialogButtonBox::accepted, this, &TBezWertDlg::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &TBezWertDlg::reject);
  for (QLineEdit* e : {id_, value_, package_, comment_})
    connect(e, &QLineEdit::textChanged, this, &TBezWertDlg::MarkChanged);
  for (QComboBox* b : {idLayer_, valueLayer_, style_, thickness_})
    connect(b, &QComboBox::currentIndexChanged, this, &TBezWertDlg::MarkChanged);
  for (QCheckBox* b : {idVisible_, valueVisible_}) connect(b, &QCheckBox::toggled, this, &TBezWertDlg::MarkChanged);
  connect(height_, &TLengthField::UnitsEdited, this, &TBezWertDlg::MarkChanged);
  connect(rotation_, &QDoubleSpinBox::valueChanged, this, &TBezWertDlg::MarkChanged);
  // The marker follows these at once.
  connect(placed_, &QCheckBox::toggled, this, &TBezWertDlg::LiveChanged);
  connect(centre_, &QComboBox::currentIndexChanged, this, &TBezWertDlg::LiveChanged);
  connect(offsetX_, &TLengthField::UnitsEdited, this, &TBezWertDlg::LiveChanged);
  connect(offsetY_, &TLengthField::UnitsEdited, this, &TBezWertDlg::LiveChanged);
  connect(zero_, &QPushButton::clicked, this, [this] {
    offsetX_->SetUnits(0);
    offsetY_->SetUnits(0);
    LiveChanged();
  });
  connect(disintegrate_, &QPushButton::clicked, this, [this] {
    if (QMessageBox::question(this, kCaption, CoreText(kDisintegrateQuestion), QMessageBox::Yes | QMessageBox::No) !=
        QMessageBox::Yes)
      return;
    ApplyComponentData(c_, initial_, kFieldPlaceEnabled | kFieldCentre | kFieldOffsetX | kFieldOffsetY);
    done(kDisintegrate);
  });
}

void TBezWertDlg::Fill(const TComponentData& d) {
  filling_ = true;
  id_->setText(FromBytes(d.Id));
  value_->setText(FromBytes(d.Value));
  auto layerIndex = [](int layer) {
    for (size_t i = 0; i < std::size(kLabelLayers); ++i)
      if (kLabelLayers[i] == layer) return int(i);
    return 1;
  };
  idLayer_->setCurrentIndex(layerIndex(d.IdLayer));
  valueLayer_->setCurrentIndex(layerIndex(d.ValueLayer));
  idVisible_->setChecked(d.IdVisible);
  valueVisible_->setChecked(d.ValueVisible);
  height_->SetUnits(d.Height);
  style_->setCurrentIndex(std::clamp(d.Style, 0, 2));
  thickness_->setCurrentIndex(std::clamp(d.Thickness, 0, 2));
  placed_->setChecked(d.Place.PlaceEnabled != 0);
  rotation_->setValue(Normalised360(d.Place.PlaceRotation));
  package_->setText(FromBytes(d.Place.Package));
  comment_->setText(FromBytes(d.Place.Comment));
  centre_->setCurrentIndex(std::clamp<int>(d.Place.PlaceCentre, 0, 2));
  offsetX_->SetUnits(int32_t(std::lround(d.Place.PlaceOffsetX)));
  offsetY_->SetUnits(int32_t(std::lround(d.Place.PlaceOffsetY)));
  filling_ = false;
  MarkChanged();
}

TComponentData TBezWertDlg::Data() const {
  TComponentData d = initial_;
  d.Id = ToBytes(id_->text());
  d.Value = ToBytes(value_->text());
  d.IdLayer = idLayer_->currentData().toInt();
  d.ValueLayer = valueLayer_->currentData().toInt();
  d.IdVisible = idVisible_->isChecked();
  d.ValueVisible = valueVisible_->isChecked();
  d.Height = height_->Units();
  d.Style = style_->currentIndex();
  d.Thickness = thickness_->currentIndex();
  d.Place.PlaceEnabled = placed_->isChecked() ? 1 : 0;
  // The shown value counts: a rotation the field rounded is not a change.
  const double shown = std::round(Normalised360(initial_.Place.PlaceRotation) * 10) / 10;
  if (std::abs(rotation_->value() - shown) > 1e-9) d.Place.PlaceRotation = rotation_->value();
  d.Place.Package = ToBytes(package_->text());
  d.Place.Comment = ToBytes(comment_->text());
  d.Place.PlaceCentre = static_cast<uint8_t>(centre_->currentIndex());
  if (offsetX_->Units() != int32_t(std::lround(initial_.Place.PlaceOffsetX)))
    d.Place.PlaceOffsetX = static_cast<float>(offsetX_->Units());
  if (offsetY_->Units() != int32_t(std::lround(initial_.Place.PlaceOffsetY)))
    d.Place.PlaceOffsetY = static_cast<float>(offsetY_->Units());
  return d;
}

uint32_t TBezWertDlg::ChangedFields() const { return ChangedComponentFields(initial_, Data()); }

bool TBezWertDlg::AlignLabels() const { return align_->isChecked(); }

void TBezWertDlg::MarkChanged() {
  if (filling_) return;
  const uint32_t f = ChangedFields();
  MarkField(id_, f & kFieldId);
  MarkField(value_, f & kFieldValue);
  MarkField(idLayer_, f & kFieldIdLayer);
  MarkField(valueLayer_, f & kFieldValueLayer);
  MarkField(idVisible_, f & kFieldIdVisible);
  MarkField(valueVisible_, f & kFieldValueVisible);
  MarkField(height_, f & kFieldHeight);
  MarkField(style_, f & kFieldStyle);
  MarkField(thickness_, f & kFieldThickness);
  MarkField(placed_, f & kFieldPlaceEnabled);
  MarkField(rotation_, f & kFieldRotation);
  MarkField(package_, f & kFieldPackage);
  MarkField(comment_, f & kFieldComment);
  MarkField(centre_, f & kFieldCentre);
  MarkField(offsetX_, f & kFieldOffsetX);
  MarkField(offsetY_, f & kFieldOffsetY);
}

void TBezWertDlg::LiveChanged() {
  if (filling_) return;
  MarkChanged();
  ApplyComponentData(c_, Data(), kFieldPlaceEnabled | kFieldCentre | kFieldOffsetX | kFieldOffsetY);
  if (context_.Changed) context_.Changed();
}

void TBezWertDlg::accept() {
  const TComponentData d = Data();
  if (!ApplyComponentData(c_, d, ChangedFields())) {
    QMessageBox::warning(this, kCaption, CoreText(msg::kTextNotGenerated));
    return;
  }
  if (align_->isChecked() && c_.Id && c_.Value) AlignComponentLabels(c_.Elements, *c_.Id, *c_.Value, board_);
  QDialog::accept();
}

void TBezWertDlg::reject() {
  // What acted at once goes back.
  ApplyComponentData(c_, initial_, kFieldPlaceEnabled | kFieldCentre | kFieldOffsetX | kFieldOffsetY);
  if (context_.Changed) context_.Changed();
  QDialog::reject();
}

}  // namespace bs::app
