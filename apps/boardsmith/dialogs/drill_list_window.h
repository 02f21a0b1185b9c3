// The drill list window: how many holes of each drill diameter the active
// board has, as text that can go to the system clipboard.
#pragma once

#include <QDialog>

#include "model/geometry.h"
#include "project/project.h"

class QCheckBox;
class QPlainTextEdit;

namespace bs::app {

// Created for one showing; nothing of it is kept in the settings.
class TBohrInfoDlg : public QDialog {
  Q_OBJECT

 public:
  TBohrInfoDlg(const TBoard& board, TDisplayUnit unit, QWidget* parent = nullptr);

  // Warns about drilled pads on a silkscreen layer, then shows the window
  // modally until it is closed.
  void Run();

  QString Text() const;
  // Puts the whole text on the system clipboard and says so.
  void CopyToClipboard();

 private:
  void Fill();

  const TBoard& board_;
  TDisplayUnit unit_;
  QPlainTextEdit* text_ = nullptr;
  QCheckBox* simple_ = nullptr;
  QCheckBox* vias_ = nullptr;
};

}  // namespace bs::app
