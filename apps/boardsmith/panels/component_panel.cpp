#include "panels/component_panel.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <cstdlib>

#include "model/codepage.h"

namespace bs::app {

namespace {
enum TColumn { kNumber, kId, kValue, kLayer, kRotation, kPackage, kComment, kColumnCount };

const QColor kOddRow(0xEE, 0xEE, 0xEE);
const QColor kHeader(0xD7, 0xD7, 0xD7);
const QColor kCurrent(0x3A, 0x6E, 0xA5);

QString FromBytes(const TByteString& s) { return QString::fromStdString(Cp1251ToUtf8(s)); }
}  // namespace

QString TBTList::Heading() { return tr("Components"); }

TBTList::TBTList(THooks hooks, QWidget* parent) : QWidget(parent), hooks_(std::move(hooks)) {
  table_ = new QTableWidget(0, kColumnCount, this);
  table_->setObjectName("ComponentTable");
  table_->setHorizontalHeaderLabels(
      {tr("No."), tr("ID"), tr("Value"), tr("Layer"), tr("Rotation"), tr("Package"), tr("Comment")});
  table_->verticalHeader()->hide();
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
  table_->horizontalHeader()->setStyleSheet(
      QString("QHeaderView::section { background-color: %1 }").arg(kHeader.name()));
  QPalette pal = table_->palette();
  pal.setColor(QPalette::Highlight, kCurrent);
  pal.setColor(QPalette::HighlightedText, Qt::white);
  pal.setColor(QPalette::Inactive, QPalette::Highlight, kCurrent);
  pal.setColor(QPalette::Inactive, QPalette::HighlightedText, Qt::white);
  table_->setPalette(pal);

  auto* showRow = new QGridLayout;
  showRow->addWidget(new QLabel(tr("Show:"), this), 0, 0);
  const std::pair<int, QString> boxes[] = {{kNumber, tr("Number")},
                                           {kLayer, tr("Layer")},
                                           {kRotation, tr("Rotation")},
                                           {kPackage, tr("Package")},
                                           {kComment, tr("Comment")}};
  int at = 1;
  for (const auto& [column, caption] : boxes) {
    auto* box = new QCheckBox(caption, this);
    box->setChecked(true);
    show_[size_t(column)] = box;
    showRow->addWidget(box, (at - 1) / 3, 1 + (at - 1) % 3);
    ++at;
    connect(box, &QCheckBox::toggled, this, [this, column = column](bool on) {
      int& w = widths_[size_t(column)];
      if ((w >= 0) != on) w = -w;
      ApplyVisibility();
    });
  }
  export_ = new QPushButton(tr("Export..."), this);
  connect(export_, &QPushButton::clicked, this, [this] {
    if (hooks_.Export) hooks_.Export();
  });

  auto* v = new QVBoxLayout(this);
  v->setContentsMargins(2, 2, 2, 2);
  v->addWidget(table_, 1);
  v->addLayout(showRow);
  v->addWidget(export_);

  connect(table_, &QTableWidget::currentCellChanged, this, [this](int row, int, int previousRow) {
    if (!filling_ && row != previousRow) Choose(row);
  });
  connect(table_, &QTableWidget::cellChanged, this, [this](int row, int column) {
    if (!filling_) CellEdited(row, column);
  });
  connect(table_, &QTableWidget::cellDoubleClicked, this, [this](int row, int column) {
    // The ID and value cells are edited in place by a click; the others open the dialog.
    if (column == kId || column == kValue) return;
    if (const int16_t no = ComponentOfRow(row); no != 0 && hooks_.Edit) hooks_.Edit(no);
  });
  connect(table_->horizontalHeader(), &QHeaderView::sectionResized, this, [this](int column, int, int size) {
    if (!filling_ && size > 0 && widths_[size_t(column)] >= 0) widths_[size_t(column)] = size;
  });
  SetColumns(kDefaultComponentColumns);
}

QCheckBox* TBTList::ShowBox(int column) const {
  return column >= 0 && column < kColumnCount ? show_[size_t(column)] : nullptr;
}

TComponentColumns TBTList::Columns() const { return widths_; }

void TBTList::SetColumns(const TComponentColumns& widths) {
  widths_ = widths;
  // The ID and value columns are always shown.
  for (int column : {kId, kValue}) widths_[size_t(column)] = std::abs(widths_[size_t(column)]);
  filling_ = true;
  for (int c = 0; c < kColumnCount; ++c)
    if (QCheckBox* box = show_[size_t(c)]) box->setChecked(widths_[size_t(c)] >= 0);
  filling_ = false;
  ApplyVisibility();
}

void TBTList::ApplyVisibility() {
  filling_ = true;
  for (int c = 0; c < kColumnCount; ++c) {
    const int w = widths_[size_t(c)];
    table_->setColumnHidden(c, w < 0);
    if (w > 0) table_->setColumnWidth(c, w);
  }
  filling_ = false;
}

int16_t TBTList::ComponentOfRow(int row) const {
  return row >= 0 && size_t(row) < entries_.size() ? entries_[size_t(row)].No : 0;
}

int TBTList::RowOfComponent(int16_t no) const {
  for (size_t i = 0; i < entries_.size(); ++i)
    if (entries_[i].No == no) return int(i);
  return -1;
}

void TBTList::Rebuild() {
  const TBoard* board = hooks_.Board ? hooks_.Board() : nullptr;
  entries_ = board ? ComponentList(board->Elements, board->Platine) : std::vector<TListEintrag>{};
  filling_ = true;
  table_->setRowCount(int(entries_.size()));
  for (size_t i = 0; i < entries_.size(); ++i) {
    const TListEintrag& l = entries_[i];
    const QString texts[kColumnCount] = {QString::number(i + 1),
                                         FromBytes(l.Id),
                                         FromBytes(l.Value),
                                         l.Top ? tr("Top") : tr("Bottom"),
                                         FromBytes(l.Rotation) + (l.Placed ? QString::fromUtf8("\u00b0") : QString()),
                                         FromBytes(l.Package),
                                         FromBytes(l.Comment)};
    for (int c = 0; c < kColumnCount; ++c) {
      // The items stay (an editor may still be closing on one); only their texts change.
      QTableWidgetItem* item = table_->item(int(i), c);
      if (!item) {
        item = new QTableWidgetItem;
        Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
        if (c == kId || c == kValue) flags |= Qt::ItemIsEditable;
        item->setFlags(flags);
        item->setBackground(i % 2 ? kOddRow : QColor(Qt::white));
        table_->setItem(int(i), c, item);
      }
      if (item->text() != texts[c]) item->setText(texts[c]);
    }
  }
  filling_ = false;
  ShowSelection();
}

void TBTList::ShowSelection() {
  const TBoard* board = hooks_.Board ? hooks_.Board() : nullptr;
  int row = -1;
  if (board) {
    const std::vector<int16_t> selected = SelectedComponents(board->Elements);
    if (selected.size() == 1) row = RowOfComponent(selected.front());
  }
  if (row >= 0 && table_->currentRow() == row) return;  // already there
  filling_ = true;
  if (row < 0) {
    table_->clearSelection();
    table_->setCurrentCell(-1, -1);
  } else {
    table_->setCurrentCell(row, kId);
    table_->scrollToItem(table_->item(row, kId));
  }
  filling_ = false;
}

void TBTList::Choose(int row) {
  const int16_t no = ComponentOfRow(row);
  TBoard* board = hooks_.Board ? hooks_.Board() : nullptr;
  if (!board || no == 0) return;
  SelectComponent(board->Elements, no);
  if (hooks_.SelectionChanged) hooks_.SelectionChanged();
}

void TBTList::CellEdited(int row, int column) {
  const int16_t no = ComponentOfRow(row);
  if (no == 0 || (column != kId && column != kValue) || !hooks_.SetLabel) return;
  const QString text = table_->item(row, column)->text();
  hooks_.SetLabel(no, column == kId, text);
}

}  // namespace bs::app
