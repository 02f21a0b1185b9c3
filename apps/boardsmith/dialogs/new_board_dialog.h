// The new-board dialog: an empty working space, or one with a rectangular
// or round board outline and a margin around it.
#pragma once

#include <QDialog>

#include "project/newboard.h"

class QButtonGroup;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QStackedWidget;

namespace bs::app {

class TNewBoardDialog : public QDialog {
  Q_OBJECT

 public:
  explicit TNewBoardDialog(QWidget* parent = nullptr);

  TNewBoardRequest Request() const;
  void SetKind(TNewBoardKind kind);
  // The value fields, for tests and callers that preset them.
  QDoubleSpinBox* Field(const QString& name) const;
  QString ResultingSize() const;

 public slots:
  // Refuses a board beyond 500 mm with "The board is too big!" and stays open.
  void accept() override;

 private:
  void UpdateResult();

  QLineEdit* name_ = nullptr;
  QButtonGroup* kinds_ = nullptr;
  QStackedWidget* pages_ = nullptr;
  QLabel* result_ = nullptr;
};

}  // namespace bs::app
