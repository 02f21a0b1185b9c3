// A spin field that holds a length in units and shows it in the display
// unit: millimetres with the field's own decimals, or mil with one decimal
// and a step of 0.1. "," is taken for the decimal separator.
#pragma once

#include <cstdint>

#include "model/geometry.h"
#include "widgets/number_field.h"

namespace bs::app {

class TLengthField : public TNumberField {
  Q_OBJECT

 public:
  // The range and step are in millimetres. Without `milUnitText` the field
  // shows no unit in mil.
  TLengthField(double minMm, double maxMm, int mmDecimals, double mmStep, bool milUnitText = true,
               QWidget* parent = nullptr);

  // Switches the unit; the length held stays the same.
  void SetUnit(TDisplayUnit unit);
  TDisplayUnit Unit() const { return unit_; }
  // The length in units.
  int32_t Units() const { return units_; }
  // Fills the field from the program: no UnitsEdited.
  void SetUnits(int32_t units);

 signals:
  // The user typed (and confirmed) or stepped a new length.
  void UnitsEdited(int32_t units);

 protected:
  QValidator::State validate(QString& text, int& pos) const override;
  double valueFromText(const QString& text) const override;

 private:
  double Shown(int32_t units) const;
  int32_t FromShown(double value) const;
  void Show();

  double minMm_, maxMm_, mmStep_;
  int mmDecimals_;
  bool milUnitText_;
  TDisplayUnit unit_ = TDisplayUnit::Mm;
  int32_t units_ = 0;
  bool filling_ = false;
};

}  // namespace bs::app
