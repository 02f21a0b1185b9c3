// The raster picture export window: the resolution on a slider (100 ...
// 1200 dpi), black and white or colour, and what that gives: the board's
// size, the picture's pixels and the memory it takes.
#pragma once

#include <QDialog>

#include "cam/picture.h"
#include "model/platine.h"

class QLabel;
class QRadioButton;
class QSlider;

namespace bs::app {

class TExportDlg : public QDialog {
  Q_OBJECT

 public:
  // `position` is the resolution / 100 dpi (1 ... 12).
  TExportDlg(const TPlatine& board, TPictureFormat format, int position, bool colour, QWidget* parent = nullptr);

  int Position() const;
  int Dpi() const { return 100 * Position(); }
  bool Colour() const;
  long long MemoryKb() const;

  // OK: a picture above the large-picture estimate is made only after the
  // user agreed; otherwise the window stays open.
  void accept() override;

 private:
  void Refresh();

  const TPlatine& board_;
  QSlider* slider_ = nullptr;
  QLabel* size_ = nullptr;
  QLabel* dpi_ = nullptr;
  QLabel* pixels_ = nullptr;
  QLabel* memory_ = nullptr;
  QRadioButton* bw_ = nullptr;
  QRadioButton* colour_ = nullptr;
};

}  // namespace bs::app
