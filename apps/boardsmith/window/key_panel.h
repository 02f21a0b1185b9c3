// The key panel: the modifier keys with their meaning just now. A held key's
// label is green with white text, a released one white with red text.
#pragma once

#include <QWidget>

class QLabel;

namespace bs::app {

class TKeyPanel : public QWidget {
  Q_OBJECT

 public:
  explicit TKeyPanel(QWidget* parent = nullptr);

  // The keys held now; `sizeDrag` while a size field is changed by dragging
  // its spin button; `bendMode` 1 ... 5 while a track or zone is drawn (the
  // space bar row is shown then), 0 otherwise.
  void Show(Qt::KeyboardModifiers held, bool sizeDrag = false, int bendMode = 0);

  QLabel* KeyLabel(int row) const { return keys_[row]; }
  QLabel* MeaningLabel(int row) const { return meanings_[row]; }

 private:
  QLabel* keys_[3] = {};
  QLabel* meanings_[3] = {};
};

}  // namespace bs::app
