// The component properties dialog: the ID and value labels (text, layer,
// visibility, text properties), the pick-and-place data, automatic label
// placement and "Disintegrate Component". It edits one component of a board
// or of a loaded macro. The centre choice, the offsets and "Use Pick+ Place
// Data" act at once, so that the component marker moves while the dialog is
// open; OK writes the rest, Cancel takes the live changes back.
#pragma once

#include <QColor>
#include <QDialog>

#include <functional>
#include <vector>

#include "components/components.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLineEdit;
class QPushButton;

namespace bs::app {

class TLengthField;

class TBezWertDlg : public QDialog {
  Q_OBJECT

 public:
  // The result of exec() when the user chose "Disintegrate Component" and
  // confirmed it; the caller takes the component apart.
  static constexpr int kDisintegrate = 2;

  struct TContext {
    TDisplayUnit Unit = TDisplayUnit::Mm;
    std::function<QColor(int layer)> LayerColour;  // the layer choices are shown in their colours
    std::function<void()> Changed;                 // after a live change: repaint the marker
  };
  // `c` stays valid while the dialog is open; its labels must exist.
  TBezWertDlg(TComponent& c, const TPlatine& board, TContext context, QWidget* parent = nullptr);

  // What the fields hold now, and which of them the user changed.
  TComponentData Data() const;
  uint32_t ChangedFields() const;
  bool AlignLabels() const;

  QLineEdit* IdField() const { return id_; }
  QLineEdit* ValueField() const { return value_; }
  QComboBox* IdLayer() const { return idLayer_; }
  QCheckBox* IdVisible() const { return idVisible_; }
  QCheckBox* ValueVisible() const { return valueVisible_; }
  QCheckBox* PlaceEnabled() const { return placed_; }
  QDoubleSpinBox* Rotation() const { return rotation_; }
  QLineEdit* Package() const { return package_; }
  QComboBox* Centre() const { return centre_; }
  TLengthField* OffsetX() const { return offsetX_; }
  TLengthField* OffsetY() const { return offsetY_; }
  QPushButton* ZeroOffsets() const { return zero_; }
  QCheckBox* Align() const { return align_; }
  QPushButton* Disintegrate() const { return disintegrate_; }

  // The colour of a changed field (0xF0CAA6 as blue, green, red).
  static QColor ChangedColour() { return QColor(0xA6, 0xCA, 0xF0); }

 public slots:
  void accept() override;
  void reject() override;

 private:
  void Fill(const TComponentData& d);
  // Applies the live fields to the component and marks what changed.
  void LiveChanged();
  void MarkChanged();

  TComponent& c_;
  const TPlatine& board_;
  TContext context_;
  TComponentData initial_;
  bool filling_ = false;
  QLineEdit *id_ = nullptr, *value_ = nullptr, *package_ = nullptr, *comment_ = nullptr;
  QComboBox *idLayer_ = nullptr, *valueLayer_ = nullptr, *style_ = nullptr, *thickness_ = nullptr, *centre_ = nullptr;
  QCheckBox *idVisible_ = nullptr, *valueVisible_ = nullptr, *placed_ = nullptr, *align_ = nullptr;
  TLengthField *height_ = nullptr, *offsetX_ = nullptr, *offsetY_ = nullptr;
  QDoubleSpinBox* rotation_ = nullptr;
  QPushButton *zero_ = nullptr, *disintegrate_ = nullptr;
  std::vector<QPushButton*> quickRotations_;
};

}  // namespace bs::app
