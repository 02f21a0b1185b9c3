// The text dialog: the string, height, stroke thickness, style, mirroring,
// orientation and automatic numbering of a text. It is created once and
// keeps its values between uses.
#pragma once

#include <QDialog>

#include "edit/create.h"
#include "render/text_strokes.h"

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLineEdit;
class QSpinBox;

namespace bs::app {

class TLengthField;

class TTextDialog : public QDialog {
  Q_OBJECT

 public:
  explicit TTextDialog(QWidget* parent = nullptr);

  void SetFields(const TTextFields& fields);
  TTextFields Fields() const;
  void SetUnit(TDisplayUnit unit);
  // "Limit text height": the height field is raised to what the thickness
  // needs when it is left or the thickness changes.
  void SetHeightLimit(bool on) { heightLimit_ = on; }
  // Automatic numbering; hidden when a text is edited rather than created.
  void ShowNumbering(bool shown);
  TAutoNumber Numbering() const;
  // The counter after texts were placed.
  void SetCounter(int counter);

  QLineEdit* TextField() const { return text_; }
  TLengthField* HeightField() const { return height_; }
  QButtonGroup* ThicknessButtons() const { return thickness_; }

 private:
  void LimitHeight();
  // The orientation buttons show the angle field: the button of its quarter
  // turn, or none.
  void ShowOrientation();

  QLineEdit* text_ = nullptr;
  TLengthField* height_ = nullptr;
  QButtonGroup* thickness_ = nullptr;
  QButtonGroup* style_ = nullptr;
  QCheckBox* mirrorH_ = nullptr;
  QCheckBox* mirrorV_ = nullptr;
  QButtonGroup* orientation_ = nullptr;
  QSpinBox* angle_ = nullptr;
  QGroupBox* automatic_ = nullptr;
  QCheckBox* addNumber_ = nullptr;
  QSpinBox* startAt_ = nullptr;
  bool heightLimit_ = false;
};

}  // namespace bs::app
