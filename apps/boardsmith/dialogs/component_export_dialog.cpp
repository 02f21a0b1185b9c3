#include "dialogs/component_export_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

#include "model/codepage.h"

namespace bs::app {

namespace {
constexpr int kColumnRole = Qt::UserRole;
constexpr int kPreviewGap = 20;  // pixels after the widest cell of a preview column

QString FromBytes(const std::string& s) { return QString::fromStdString(Cp1251ToUtf8(s)); }
}  // namespace

TBT_ExportDlg::TBT_ExportDlg(std::vector<TListEintrag> entries, const TPlatine& board, const TPnpOptions& options,
                             QWidget* parent)
    : QDialog(parent), entries_(std::move(entries)), board_(board), useOrigin_(options.UseOrigin) {
  setWindowTitle(tr("Component-Data Export"));
  const QString names[8] = {tr("Number"),   tr("ID"),       tr("Value"),   tr("Layer"),
                            tr("Position"), tr("Rotation"), tr("Package"), tr("Comment")};
  auto* data = new QGroupBox(tr("Data"), this);
  auto* dataGrid = new QGridLayout(data);
  for (int i = 0; i < 8; ++i) {
    columns_[size_t(i)] = new QCheckBox(names[i], data);
    dataGrid->addWidget(columns_[size_t(i)], i / 2, i % 2);
    connect(columns_[size_t(i)], &QCheckBox::toggled, this, [this, i, names](bool on) {
      if (filling_) return;
      // Checking appends the column at the end of the order; unchecking takes it out.
      if (on) {
        auto* item = new QListWidgetItem(names[i], order_);
        item->setData(kColumnRole, i + 1);
      } else {
        for (int r = 0; r < order_->count(); ++r)
          if (order_->item(r)->data(kColumnRole).toInt() == i + 1) delete order_->takeItem(r);
      }
      RefreshPreview();
    });
  }
  order_ = new QListWidget(this);
  order_->setObjectName("ColumnOrder");
  order_->setDragDropMode(QAbstractItemView::InternalMove);
  order_->setToolTip(tr("Drag the columns into their order"));
  connect(order_->model(), &QAbstractItemModel::rowsMoved, this, &TBT_ExportDlg::RefreshPreview);

  separator_ = new QComboBox(this);
  separator_->addItem(tr("Comma"), ',');
  separator_->addItem(tr("Semicolon"), ';');
  separator_->addItem(tr("Tab"), '\t');
  top_ = new QLineEdit(this);
  bottom_ = new QLineEdit(this);
  auto* reset = new QPushButton(tr("Reset"), this);
  reset->setAutoDefault(false);
  connect(reset, &QPushButton::clicked, this, [this] {
    top_->setText(FromBytes(kPnpDefaultTop));
    bottom_->setText(FromBytes(kPnpDefaultBottom));
  });
  auto* sides = new QGroupBox(tr("Text for Layer side"), this);
  auto* sidesForm = new QFormLayout(sides);
  sidesForm->addRow(tr("Top:"), top_);
  sidesForm->addRow(tr("Bottom:"), bottom_);
  sidesForm->addRow(reset);

  unit_ = new QComboBox(this);
  unit_->addItems({tr("mm"), "mil"});
  decimals_ = new QSpinBox(this);
  decimals_->setRange(0, 4);
  zeros_ = new QCheckBox(tr("Suppress trailing zeros"), this);
  auto* position = new QGroupBox(tr("X/Y - Position"), this);
  auto* positionForm = new QFormLayout(position);
  positionForm->addRow(tr("Unit:"), unit_);
  positionForm->addRow(tr("Decimals:"), decimals_);
  positionForm->addRow(zeros_);
  prefix_ = new QCheckBox(tr("Rotation with \"R\" prefix"), this);

  auto* filter = new QGroupBox(tr("Filter"), this);
  auto* filterBox = new QVBoxLayout(filter);
  const QString filterNames[5] = {tr("SMD-Components"), tr("Throughhole-Components"), tr("Top"), tr("Bottom"),
                                  tr("Only components with Pick+Place data")};
  for (size_t i = 0; i < filters_.size(); ++i) {
    filters_[i] = new QCheckBox(filterNames[i], filter);
    filterBox->addWidget(filters_[i]);
    connect(filters_[i], &QCheckBox::toggled, this, &TBT_ExportDlg::RefreshPreview);
  }

  format_ = new QComboBox(this);
  format_->setObjectName("ExportFormat");
  format_->addItem(tr("Component list (*.txt)"));
  format_->addItem(tr("Fabrication (CSV)"));

  preview_ = new QTableWidget(this);
  preview_->setObjectName("ExportPreview");
  preview_->horizontalHeader()->hide();
  preview_->verticalHeader()->hide();
  preview_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  preview_->setMinimumHeight(120);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setText(tr("Export..."));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* left = new QVBoxLayout;
  left->addWidget(data);
  left->addWidget(new QLabel(tr("Column order:"), this));
  left->addWidget(order_);
  auto* middle = new QVBoxLayout;
  auto* sepRow = new QFormLayout;
  sepRow->addRow(tr("Separator"), separator_);
  sepRow->addRow(tr("Format:"), format_);
  middle->addLayout(sepRow);
  middle->addWidget(sides);
  middle->addWidget(position);
  middle->addWidget(prefix_);
  auto* columnsRow = new QHBoxLayout;
  columnsRow->addLayout(left);
  columnsRow->addLayout(middle);
  columnsRow->addWidget(filter);
  auto* v = new QVBoxLayout(this);
  v->addLayout(columnsRow);
  v->addWidget(preview_, 1);
  v->addWidget(buttons);

  Fill(options);
  for (QComboBox* c : {separator_, unit_, format_})
    connect(c, &QComboBox::currentIndexChanged, this, &TBT_ExportDlg::RefreshPreview);
  for (QLineEdit* e : {top_, bottom_}) connect(e, &QLineEdit::textChanged, this, &TBT_ExportDlg::RefreshPreview);
  connect(decimals_, &QSpinBox::valueChanged, this, &TBT_ExportDlg::RefreshPreview);
  for (QCheckBox* c : {zeros_, prefix_}) connect(c, &QCheckBox::toggled, this, &TBT_ExportDlg::RefreshPreview);
  RefreshPreview();
}

void TBT_ExportDlg::Fill(const TPnpOptions& o) {
  filling_ = true;
  order_->clear();
  for (QCheckBox* c : columns_) c->setChecked(false);
  for (TPnpColumn c : o.Columns) {
    columns_[size_t(c) - 1]->setChecked(true);
    auto* item = new QListWidgetItem(columns_[size_t(c) - 1]->text(), order_);
    item->setData(kColumnRole, int(c));
  }
  separator_->setCurrentIndex(std::max(0, separator_->findData(o.Separator)));
  top_->setText(FromBytes(o.TopText));
  bottom_->setText(FromBytes(o.BottomText));
  unit_->setCurrentIndex(o.Unit);
  decimals_->setValue(o.Decimals);
  zeros_->setChecked(o.SuppressZeros);
  prefix_->setChecked(o.RPrefix);
  const bool f[5] = {o.Smd, o.Tht, o.Top, o.Bottom, o.PlacedOnly};
  for (size_t i = 0; i < filters_.size(); ++i) filters_[i]->setChecked(f[i]);
  filling_ = false;
}

TPnpOptions TBT_ExportDlg::Options() const {
  TPnpOptions o;
  o.Columns.clear();
  for (int r = 0; r < order_->count(); ++r)
    o.Columns.push_back(static_cast<TPnpColumn>(order_->item(r)->data(kColumnRole).toInt()));
  o.Separator = char(separator_->currentData().toInt());
  o.TopText = Utf8ToCp1251(top_->text().toStdString());
  o.BottomText = Utf8ToCp1251(bottom_->text().toStdString());
  o.Unit = unit_->currentIndex();
  o.Decimals = decimals_->value();
  o.SuppressZeros = zeros_->isChecked();
  o.RPrefix = prefix_->isChecked();
  o.Smd = filters_[0]->isChecked();
  o.Tht = filters_[1]->isChecked();
  o.Top = filters_[2]->isChecked();
  o.Bottom = filters_[3]->isChecked();
  o.PlacedOnly = filters_[4]->isChecked();
  o.UseOrigin = useOrigin_;
  return o;
}

bool TBT_ExportDlg::Fabrication() const { return format_->currentIndex() == 1; }

void TBT_ExportDlg::RefreshPreview() {
  if (filling_) return;
  std::vector<QStringList> rows;
  if (Fabrication()) {
    const std::string text = PnpFabricationText(entries_, board_, useOrigin_);
    for (const QString& line : QString::fromStdString(text).split("\r\n", Qt::SkipEmptyParts))
      rows.push_back(line.split(','));
  } else {
    const TPnpOptions o = Options();
    for (const std::string& row : PnpRows(entries_, board_, o)) {
      const QString line = FromBytes(row);
      // Tab-separated columns line up; other separators show the line as written.
      rows.push_back(o.Separator == '\t' ? line.split('\t') : QStringList{line});
    }
  }
  int columns = 0;
  for (const QStringList& r : rows) columns = std::max(columns, int(r.size()));
  preview_->clear();
  preview_->setRowCount(int(rows.size()));
  preview_->setColumnCount(columns);
  const QFontMetrics fm(preview_->font());
  std::vector<int> widths(size_t(columns), 0);
  for (size_t r = 0; r < rows.size(); ++r)
    for (int c = 0; c < int(rows[r].size()); ++c) {
      preview_->setItem(int(r), c, new QTableWidgetItem(rows[r][c]));
      widths[size_t(c)] = std::max(widths[size_t(c)], fm.horizontalAdvance(rows[r][c]));
    }
  for (int c = 0; c < columns; ++c) preview_->setColumnWidth(c, widths[size_t(c)] + kPreviewGap);
}

}  // namespace bs::app
