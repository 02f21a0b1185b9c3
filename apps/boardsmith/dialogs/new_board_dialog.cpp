#include "dialogs/new_board_dialog.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "model/codepage.h"
#include "widgets/number_field.h"
#include "window/core_text.h"

namespace bs::app {

namespace {
QDoubleSpinBox* Number(QWidget* parent, const QString& name, double lo, double hi, double value) {
  auto* box = new TNumberField(parent);
  box->setObjectName(name);
  box->setRange(lo, hi);
  box->setDecimals(2);
  box->setSuffix(" mm");
  box->setValue(value);
  return box;
}
}  // namespace

TNewBoardDialog::TNewBoardDialog(QWidget* parent) : QDialog(parent) {
  setWindowTitle(tr("New board"));
  auto* layout = new QVBoxLayout(this);
  auto* nameRow = new QFormLayout;
  name_ = new QLineEdit(tr("New board"), this);
  name_->setMaxLength(30);
  nameRow->addRow(tr("Name:"), name_);
  layout->addLayout(nameRow);

  kinds_ = new QButtonGroup(this);
  auto* buttons = new QHBoxLayout;
  const QString captions[] = {tr("Empty working-space\nwithout PCB outline"),
                              tr("Working-space\nwith rectangle\nPCB outline"),
                              tr("Working-space\nwith round\nPCB outline")};
  for (int i = 0; i < 3; ++i) {
    auto* b = new QPushButton(captions[i], this);
    b->setCheckable(true);
    b->setMinimumHeight(64);
    kinds_->addButton(b, i);
    buttons->addWidget(b);
  }
  layout->addLayout(buttons);

  pages_ = new QStackedWidget(this);
  auto page = [&](const std::vector<std::pair<QString, QWidget*>>& rows, const QString& heading) {
    auto* w = new QWidget(pages_);
    auto* form = new QFormLayout(w);
    form->addRow(new QLabel("<b>" + heading + "</b>", w));
    for (const auto& [label, field] : rows) {
      field->setParent(w);
      form->addRow(label, field);
    }
    pages_->addWidget(w);
  };
  page({{tr("Width:"), Number(this, "emptyWidth", 1, 500, 160)},
        {tr("Height:"), Number(this, "emptyHeight", 1, 500, 100)}},
       tr("Size of working-space:"));
  page({{tr("Width:"), Number(this, "rectWidth", 1, 500, 160)},
        {tr("Height:"), Number(this, "rectHeight", 1, 500, 100)},
        {tr("Distance:"), Number(this, "rectMargin", 0, 500, 20)}},
       tr("Rectangle board outline:"));
  page({{tr("Diameter:"), Number(this, "roundDiameter", 1, 500, 100)},
        {tr("Distance:"), Number(this, "roundMargin", 0, 99.99, 20)}},
       tr("Round board outline:"));
  layout->addWidget(pages_);

  result_ = new QLabel(this);
  layout->addWidget(result_);
  auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(box, &QDialogButtonBox::accepted, this, &TNewBoardDialog::accept);
  connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(box);

  connect(kinds_, &QButtonGroup::idClicked, this, [this](int id) {
    pages_->setCurrentIndex(id);
    UpdateResult();
  });
  for (QDoubleSpinBox* f : findChildren<QDoubleSpinBox*>())
    connect(f, &QDoubleSpinBox::valueChanged, this, &TNewBoardDialog::UpdateResult);
  SetKind(TNewBoardKind::Empty);
}

QDoubleSpinBox* TNewBoardDialog::Field(const QString& name) const { return findChild<QDoubleSpinBox*>(name); }

QString TNewBoardDialog::ResultingSize() const { return result_->text(); }

void TNewBoardDialog::SetKind(TNewBoardKind kind) {
  const int id = static_cast<int>(kind);
  kinds_->button(id)->setChecked(true);
  pages_->setCurrentIndex(id);
  UpdateResult();
}

TNewBoardRequest TNewBoardDialog::Request() const {
  TNewBoardRequest s;
  s.Kind = static_cast<TNewBoardKind>(pages_->currentIndex());
  s.Name = Utf8ToCp1251(name_->text().toStdString());
  switch (s.Kind) {
    case TNewBoardKind::Empty:
      s.WidthMm = Field("emptyWidth")->value();
      s.HeightMm = Field("emptyHeight")->value();
      break;
    case TNewBoardKind::Rectangle:
      s.WidthMm = Field("rectWidth")->value();
      s.HeightMm = Field("rectHeight")->value();
      s.MarginMm = Field("rectMargin")->value();
      break;
    case TNewBoardKind::Round:
      s.DiameterMm = Field("roundDiameter")->value();
      s.MarginMm = Field("roundMargin")->value();
      break;
  }
  return s;
}

void TNewBoardDialog::UpdateResult() {
  const TNewBoardLayout l = ComputeNewBoardLayout(Request(), false);
  auto side = [](int32_t units, bool tooBig) {
    const QString text = QString::number(units / 10000.0, 'f', 2) + " mm";
    return tooBig ? "<span style='color:red'>" + text + "</span>" : text;
  };
  result_->setText(tr("Resulting working-space:") + " " + side(l.Width, l.WidthTooBig) + " x " +
                   side(l.Height, l.HeightTooBig));
}

void TNewBoardDialog::accept() {
  for (QAbstractSpinBox* field : findChildren<QAbstractSpinBox*>()) field->interpretText();
  const std::string error = ValidateNewBoard(Request());
  if (!error.empty()) {
    QMessageBox::information(this, "Boardsmith", CoreText(error));
    return;
  }
  QDialog::accept();
}

}  // namespace bs::app
