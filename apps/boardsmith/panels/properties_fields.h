// The controls of the properties panel: number fields with a mixed state
// that announce the start of an edit, helpers for check boxes and choice
// buttons in the mixed state, the spoke buttons around a pad picture and
// the pictures of pad shapes and track ends.
#pragma once

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QPainterPath>
#include <QPixmap>
#include <QWidget>

#include <array>
#include <functional>
#include <optional>
#include <utility>

#include "model/objekt.h"
#include "widgets/length_field.h"
#include "widgets/number_field.h"

class QToolButton;

namespace bs::app {

// A spin field (a QDoubleSpinBox or a TLengthField) that can show the mixed
// state: empty, until the user types or steps. OnStart runs once before the
// first modification of an edit (a step, or the first keystroke), which ends
// with Enter or when the field loses the focus; OnEdited runs for every
// value the user confirms, also one equal to the hidden value of a mixed
// field. "," counts as the decimal separator.
template <class Spin>
class TMixedSpin : public Spin {
 public:
  template <class... A>
  explicit TMixedSpin(A&&... args) : Spin(std::forward<A>(args)...) {
    this->setLocale(QLocale::c());
    this->setKeyboardTracking(false);
    QObject::connect(this, &QDoubleSpinBox::valueChanged, this, [this](double) {
      committed_ = true;
      edited_ = true;
      if (OnEdited) OnEdited();
    });
    QObject::connect(this->lineEdit(), &QLineEdit::textEdited, this, [this](const QString&) {
      Start();
      if (mixed_) {
        mixed_ = false;  // the typed text shows; the unit returns when it is confirmed
        typedIntoMixed_ = true;
      }
    });
    QObject::connect(this, &QAbstractSpinBox::editingFinished, this, [this] { started_ = false; });
  }

  std::function<void()> OnStart;
  std::function<void()> OnEdited;

  // Called after the program filled the field: shows the mixed state or the
  // value, and the next change starts a new edit.
  void Filled(bool mixed) {
    started_ = edited_ = false;
    if (mixed) {
      if (!this->suffix().isEmpty()) suffix_ = this->suffix();
      mixed_ = true;
      typedIntoMixed_ = false;
      this->setSuffix(QString());
      this->lineEdit()->clear();
    } else {
      Unmix();
    }
  }
  bool Mixed() const { return mixed_; }
  // The user confirmed a value since the field was filled.
  bool Edited() const { return edited_; }

 protected:
  QString textFromValue(double v) const override { return mixed_ ? QString() : Spin::textFromValue(v); }
  QValidator::State validate(QString& text, int& pos) const override {
    text.replace(',', '.');
    return Spin::validate(text, pos);
  }
  double valueFromText(const QString& text) const override {
    QString t = text;
    return Spin::valueFromText(t.replace(',', '.'));
  }
  void stepBy(int steps) override {
    Start();
    Unmix();
    Spin::stepBy(steps);
  }
  void keyPressEvent(QKeyEvent* event) override {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) Confirm([&] { Spin::keyPressEvent(event); });
    else Spin::keyPressEvent(event);
  }
  void focusOutEvent(QFocusEvent* event) override {
    Confirm([&] { Spin::focusOutEvent(event); });
  }

 private:
  void Start() {
    if (started_) return;
    started_ = true;
    if (OnStart) OnStart();
  }
  // Leaves the mixed state: the value shows again with its unit.
  void Unmix() {
    if (!mixed_ && !typedIntoMixed_) return;
    mixed_ = typedIntoMixed_ = false;
    this->setSuffix(this->suffix().isEmpty() ? suffix_ : this->suffix());
  }
  // Runs the spin box's own confirmation of typed text. Text typed into a
  // mixed field counts even when it equals the hidden value; a field
  // emptied again stays mixed.
  template <class F>
  void Confirm(F base) {
    const bool typed = typedIntoMixed_;
    if (typed && this->lineEdit()->text().trimmed().isEmpty()) {
      mixed_ = true;
      typedIntoMixed_ = false;
    }
    committed_ = false;
    base();
    if (!typed || mixed_) return;
    Unmix();
    if (!committed_) {
      edited_ = true;
      if (OnEdited) OnEdited();
    }
  }

  bool mixed_ = false;
  bool typedIntoMixed_ = false;
  bool started_ = false;
  bool edited_ = false;
  bool committed_ = false;
  QString suffix_;
};

using TMixedLength = TMixedSpin<TLengthField>;
using TMixedNumber = TMixedSpin<TNumberField>;

// A mixed number field filled from the program. Without a value it shows the
// mixed state and keeps its old hidden value.
void FillLength(TMixedLength* field, const std::optional<double>& units);
void FillNumber(TMixedNumber* field, const std::optional<double>& value);
// What a field writes: nothing while mixed; the exact value it was filled
// with while the user has not changed it, so that a rounded display never
// changes the element.
std::optional<double> LengthOf(const TMixedLength* field, const std::optional<double>& filled);
std::optional<double> NumberOf(const TMixedNumber* field, const std::optional<double>& filled);

// A check box: greyed (third state) while mixed.
void FillCheck(QCheckBox* box, const std::optional<bool>& value);
std::optional<bool> CheckOf(const QCheckBox* box);
// A group of choice buttons (ids are the values): none chosen while mixed.
void FillChoice(QButtonGroup* group, const std::optional<int>& value);
std::optional<int> ChoiceOf(const QButtonGroup* group);

// ---- pictures ----

// A THT pad shape 1 ... 9 in a square of `size` pixels; none (0) gives the
// picture of mixed shapes.
QPixmap PadShapePicture(int shape, int size);
// A track end: flat or round, at the start (left) or the end (right).
QPixmap TrackEndPicture(bool flat, bool start, QSize size);

// The eight spoke buttons at 45-degree steps around a picture of the pad;
// button k (1 ... 8) points (k - 1) x 45 degrees clockwise from straight up.
// Black is a spoke, white none.
class TSpokePicker : public QWidget {
  Q_OBJECT

 public:
  explicit TSpokePicker(QWidget* parent = nullptr);

  // Bit k - 1 lights button k.
  void SetMask(uint8_t mask);
  uint8_t Mask() const;
  // The pad drawn in the middle, as it lies on the screen; none hides it.
  void SetPad(const TObjekt* pad);
  // A frame in the colour (0x00BBGGRR) around the buttons, hatched when the
  // ground plane of its layer is off; none draws no frame.
  void SetFrame(std::optional<uint32_t> colour, bool hatched);
  QToolButton* Button(int k) const { return buttons_[size_t(k - 1)]; }

 signals:
  // The user toggled button k.
  void Toggled(int k);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  std::array<QToolButton*, 8> buttons_{};
  QPainterPath pad_;  // around the pad centre, in units, y down
  double drill_ = 0;  // radius, units
  std::optional<uint32_t> frame_;
  bool hatched_ = false;
};

}  // namespace bs::app
