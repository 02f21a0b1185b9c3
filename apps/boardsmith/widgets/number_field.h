// Number fields that never turn typed text into another number. A plain
// spin box drops the keystroke that takes its text out of range or that it
// cannot parse, so a typed 600 in a field up to 500 silently becomes 60 and
// a typed 1.5 in a whole-number field becomes 15. These fields keep the text
// as typed; when it is confirmed (Enter, or leaving the field) a number out
// of range is held to the nearest limit, and text that is not a number of
// the field's kind is refused and the field keeps its value. Either way a
// hint beside the field says what happened.
#pragma once

#include <QDoubleSpinBox>
#include <QSpinBox>

#include <functional>
#include <optional>
#include <type_traits>

namespace bs::app {

// The shared rules; `decimals` < 0 for a whole-number field.
class TNumberRules {
 public:
  // Intermediate instead of Invalid for a number beyond the range and for
  // text on its way to a number ("1.", "-", "1.5" in a whole-number field).
  static QValidator::State Validate(const QAbstractSpinBox& box, const QString& text, int decimals,
                                    QValidator::State base);
  // Holds a number beyond the range to the nearest limit, with a hint; says
  // why other text is refused and puts back `before`, the value the field
  // had when the typing began (while typing, the field already took the
  // valid beginnings of the text, such as the 1 of 1.5).
  static void Fixup(QAbstractSpinBox& box, QString& text, double min, double max, int decimals,
                    const std::function<QString(double)>& format, std::optional<double> before);
  // The hint shown last by any number field (for tests and the status line).
  static QString LastHint();
};

// A spin box (QSpinBox or QDoubleSpinBox) that follows these rules.
template <class Spin>
class TNumberInput : public Spin {
 public:
  explicit TNumberInput(QWidget* parent = nullptr) : Spin(parent) {
    QObject::connect(this, &QAbstractSpinBox::editingFinished, this, [this] { before_.reset(); });
  }

 protected:
  QValidator::State validate(QString& text, int& pos) const override {
    return TNumberRules::Validate(*this, text, Decimals(), Spin::validate(text, pos));
  }
  void fixup(QString& text) const override {
    using TValue = decltype(this->value());
    TNumberRules::Fixup(
        const_cast<TNumberInput&>(*this), text, this->minimum(), this->maximum(), Decimals(),
        [this](double v) { return this->textFromValue(static_cast<TValue>(v)); }, before_);
  }
  void keyPressEvent(QKeyEvent* event) override {
    if (!before_) before_ = this->value();
    Spin::keyPressEvent(event);
  }

 private:
  int Decimals() const {
    if constexpr (std::is_base_of_v<QDoubleSpinBox, Spin>) return this->decimals();
    else return -1;
  }
  std::optional<double> before_;  // the value when the typing began
};

using TIntField = TNumberInput<QSpinBox>;
using TNumberField = TNumberInput<QDoubleSpinBox>;

}  // namespace bs::app
