#include "dialogs/text_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "model/codepage.h"
#include "widgets/length_field.h"
#include "widgets/number_field.h"

namespace bs::app {

namespace {
// A group box of exclusive choices with ids 0, 1, ...
QButtonGroup* Choices(QWidget* owner, QGroupBox* box, const QStringList& captions, bool vertical = true) {
  auto* group = new QButtonGroup(owner);
  QBoxLayout* layout = vertical ? static_cast<QBoxLayout*>(new QVBoxLayout(box)) : new QHBoxLayout(box);
  for (int i = 0; i < captions.size(); ++i) {
    auto* b = new QRadioButton(captions[i], box);
    group->addButton(b, i);
    layout->addWidget(b);
  }
  return group;
}
}  // namespace

TTextDialog::TTextDialog(QWidget* parent) : QDialog(parent) {
  setWindowTitle(tr("Text"));
  auto* grid = new QGridLayout(this);

  auto* textRow = new QHBoxLayout;
  auto* textLabel = new QLabel(tr("Text"), this);
  text_ = new QLineEdit(this);
  text_->setObjectName("TextLine");
  textLabel->setBuddy(text_);
  textRow->addWidget(textLabel);
  textRow->addWidget(text_, 1);
  grid->addLayout(textRow, 0, 0, 1, 3);

  auto* heightRow = new QHBoxLayout;
  heightRow->addWidget(new QLabel(tr("Height"), this));
  height_ = new TLengthField(0.1, 99.99, 2, 0.1, true, this);
  height_->setObjectName("TextHeight");
  heightRow->addWidget(height_);
  heightRow->addStretch();
  grid->addLayout(heightRow, 1, 0, 1, 3);

  auto* thickness = new QGroupBox(tr("Width"), this);
  thickness_ = Choices(this, thickness, {tr("Thin"), tr("Normal"), tr("Bold")});
  auto* style = new QGroupBox(tr("Style"), this);
  style_ = Choices(this, style, {tr("Narrow"), tr("Normal"), tr("Wide")});
  auto* mirror = new QGroupBox(tr("Mirror"), this);
  auto* mirrorLayout = new QVBoxLayout(mirror);
  mirrorH_ = new QCheckBox(tr("Horizontal"), mirror);
  mirrorV_ = new QCheckBox(tr("Vertical"), mirror);
  mirrorLayout->addWidget(mirrorH_);
  mirrorLayout->addWidget(mirrorV_);
  grid->addWidget(thickness, 2, 0);
  grid->addWidget(style, 2, 1);
  grid->addWidget(mirror, 2, 2);

  auto* orientation = new QGroupBox(tr("Orientation"), this);
  orientation_ = Choices(this, orientation, {"0°", "90°", "180°", "270°"}, false);
  angle_ = new TIntField(orientation);
  angle_->setObjectName("TextAngle");
  angle_->setRange(0, 359);
  angle_->setSuffix("°");
  orientation->layout()->addWidget(angle_);
  grid->addWidget(orientation, 3, 0, 1, 3);
  // The buttons and the free angle show the same value.
  connect(orientation_, &QButtonGroup::idClicked, this, [this](int id) { angle_->setValue(id * 90); });
  connect(angle_, &QSpinBox::valueChanged, this, [this] { ShowOrientation(); });

  automatic_ = new QGroupBox(tr("Automatic"), this);
  auto* autoRow = new QHBoxLayout(automatic_);
  addNumber_ = new QCheckBox(tr("Add number"), automatic_);
  startAt_ = new TIntField(automatic_);
  startAt_->setRange(0, 999999);
  startAt_->setValue(1);
  autoRow->addWidget(addNumber_);
  autoRow->addWidget(new QLabel(tr("Start at:"), automatic_));
  autoRow->addWidget(startAt_);
  autoRow->addStretch();
  grid->addWidget(automatic_, 4, 0, 1, 3);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, [this] {
    LimitHeight();
    accept();
  });
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  grid->addWidget(buttons, 5, 0, 1, 3);

  connect(height_, &TLengthField::editingFinished, this, &TTextDialog::LimitHeight);
  connect(thickness_, &QButtonGroup::idClicked, this, [this] { LimitHeight(); });
  SetFields(TTextFields{});
}

void TTextDialog::SetUnit(TDisplayUnit unit) { height_->SetUnit(unit); }

void TTextDialog::ShowOrientation() {
  // An exclusive group cannot have its checked button switched off, so the
  // buttons are set as plain switches: none is on for a free angle.
  orientation_->setExclusive(false);
  for (QAbstractButton* b : orientation_->buttons()) b->setChecked(orientation_->id(b) * 90 == angle_->value());
  orientation_->setExclusive(true);
}

void TTextDialog::LimitHeight() {
  if (!heightLimit_) return;
  const int32_t limited = static_cast<int32_t>(LimitTextHeight(height_->Units(), thickness_->checkedId()));
  if (limited != height_->Units()) height_->SetUnits(limited);
}

void TTextDialog::SetFields(const TTextFields& f) {
  text_->setText(QString::fromStdString(Cp1251ToUtf8(f.Text)));
  text_->selectAll();
  text_->setFocus();
  height_->SetUnits(f.Height);
  if (QAbstractButton* b = thickness_->button(f.Thickness)) b->setChecked(true);
  if (QAbstractButton* b = style_->button(f.Style)) b->setChecked(true);
  mirrorH_->setChecked(f.MirrorH);
  mirrorV_->setChecked(f.MirrorV);
  angle_->setValue(((f.Rotation % 360) + 360) % 360);
  ShowOrientation();
}

TTextFields TTextDialog::Fields() const {
  TTextFields f;
  f.Text = Utf8ToCp1251(text_->text().toStdString());
  f.Height = height_->Units();
  f.Thickness = std::max(0, thickness_->checkedId());
  f.Style = std::max(0, style_->checkedId());
  f.MirrorH = mirrorH_->isChecked();
  f.MirrorV = mirrorV_->isChecked();
  f.Rotation = angle_->value();
  return f;
}

void TTextDialog::ShowNumbering(bool shown) { automatic_->setVisible(shown); }

TAutoNumber TTextDialog::Numbering() const {
  TAutoNumber n;
  n.On = !automatic_->isHidden() && addNumber_->isChecked();
  n.Counter = startAt_->value();
  return n;
}

void TTextDialog::SetCounter(int counter) { startAt_->setValue(counter); }

}  // namespace bs::app
