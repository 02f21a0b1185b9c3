// The Excellon export: the dialog of number format, side and holes, and the
// run from the warning about undrilled pads to the written drill file.
#pragma once

#include <QDialog>

#include "cam/excellon.h"
#include "io/settings.h"

class QCheckBox;
class QRadioButton;

namespace bs::app {

// Tells the user about drilled THT pads on a silkscreen layer, which no
// drill file holds; says nothing when there are none.
void WarnSilkscreenDrillings(QWidget* parent, const TBoard& board);

// Meant to live as long as the main window: its choices carry over from one
// export to the next. The format choices are kept in the settings section
// "Excellon" whenever the dialog closes.
class TLochDlg : public QDialog {
  Q_OBJECT

 public:
  TLochDlg(TProject& project, TSettings& settings, QWidget* parent = nullptr);

  // The whole export of the project's active board: warning, this dialog,
  // the file dialog and the file. Returns whether a file was written. The
  // caller switches to the pointer tool before.
  bool Run();
  // Writes the drill file of the active board with the dialog's choices;
  // reports a failure. Returns whether it was written.
  bool Write(const QString& path);

  TExcellonOptions Options() const;
  bool SimpleDrillings() const;
  bool ThroughHoles() const;

  void done(int result) override;

 private:
  QString AskFileName();

  TProject& project_;
  TSettings& settings_;

  QRadioButton* top_ = nullptr;
  QRadioButton* bottomGerber_ = nullptr;
  QRadioButton* bottomHpgl_ = nullptr;
  QCheckBox* sort_ = nullptr;
  QRadioButton* mm32_ = nullptr;
  QRadioButton* mm33_ = nullptr;
  QRadioButton* inch_ = nullptr;
  QCheckBox* leadingZeros_ = nullptr;
  QCheckBox* decimalPoint_ = nullptr;
  QCheckBox* simple_ = nullptr;
  QCheckBox* vias_ = nullptr;
  QCheckBox* m71_ = nullptr;
  QCheckBox* noComments_ = nullptr;
  QCheckBox* noG90_ = nullptr;
};

}  // namespace bs::app
