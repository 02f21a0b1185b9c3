#include "widgets/length_field.h"

#include <QLocale>

#include <cmath>

#include "window/language.h"

namespace bs::app {

namespace {
// Length fields convert millimetres to mil by this factor, both ways.
constexpr double kMilPerMm = 39.37;
constexpr double kUnitsPerMm = 10000;
}  // namespace

TLengthField::TLengthField(double minMm, double maxMm, int mmDecimals, double mmStep, bool milUnitText, QWidget* parent)
    : TNumberField(parent),
      minMm_(minMm),
      maxMm_(maxMm),
      mmStep_(mmStep),
      mmDecimals_(mmDecimals),
      milUnitText_(milUnitText) {
  setLocale(QLocale::c());     // "." as the separator, whatever the system uses
  setKeyboardTracking(false);  // a typed value counts once it is confirmed
  setAccelerated(true);
  setAlignment(Qt::AlignRight);
  connect(this, &QDoubleSpinBox::valueChanged, this, [this](double value) {
    if (filling_) return;
    units_ = FromShown(value);
    emit UnitsEdited(units_);
  });
  Show();
}

double TLengthField::Shown(int32_t units) const {
  const double mm = units / kUnitsPerMm;
  return unit_ == TDisplayUnit::Mil ? mm * kMilPerMm : mm;
}

int32_t TLengthField::FromShown(double value) const {
  const double mm = unit_ == TDisplayUnit::Mil ? value / kMilPerMm : value;
  return static_cast<int32_t>(std::lround(mm * kUnitsPerMm));
}

void TLengthField::Show() {
  filling_ = true;
  const bool mil = unit_ == TDisplayUnit::Mil;
  const double factor = mil ? kMilPerMm : 1;
  setDecimals(mil ? 1 : mmDecimals_);
  setRange(minMm_ * factor, maxMm_ * factor);
  setSingleStep(mil ? 0.1 : mmStep_);
  setSuffix(mil ? (milUnitText_ ? QStringLiteral(" mil") : QString())
                : QString::fromUtf8(" ") + QString::fromUtf8(MillimetreSign(UiLanguage())));
  setValue(Shown(units_));
  filling_ = false;
}

void TLengthField::SetUnit(TDisplayUnit unit) {
  unit_ = unit;
  Show();
}

void TLengthField::SetUnits(int32_t units) {
  units_ = units;
  Show();
}

QValidator::State TLengthField::validate(QString& text, int& pos) const {
  text.replace(',', '.');
  return TNumberField::validate(text, pos);
}

double TLengthField::valueFromText(const QString& text) const {
  QString t = text;
  return QDoubleSpinBox::valueFromText(t.replace(',', '.'));
}

}  // namespace bs::app
