#include "panels/drc_panel.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include "checks/drc_draw.h"
#include "model/types.h"
#include "view/board_view.h"
#include "view/qpainter_surface.h"
#include "widgets/length_field.h"
#include "window/core_text.h"
#include "window/long_operation.h"

namespace bs::app {

namespace {

// The rules in the order of the panel: three groups, a switch each and a
// limit where the rule has one.
struct TRuleSpec {
  const char* Caption;
  int Group;  // 0 "Minimum distance", 1 "Min/Max", 2 "Miscellaneous"
  bool TDrcRules::*Flag;
  int32_t TDrcRules::*Length;
};
const TRuleSpec kRules[11] = {
    {QT_TRANSLATE_NOOP("bs::app::TDrcPanel", "Copper:"), 0, &TDrcRules::Kupfer, &TDrcRules::WKupfer},
    {QT_TRANSLATE_NOOP("bs::app::TDrcPanel", "Drillings:"), 0, &TDrcRules::Bohrungen, &TDrcRules::WBohrungen},
    {QT_TRANSLATE_NOOP("bs::app::TDrcPanel", "Drilling min:"), 1, &TDrcRules::BohrMin, &TDrcRules::WBohrMin},
    {QT_TRANSLATE_NOOP("bs::app::TDrcPanel", "Drilling max:"), 1, &TDrcRules::BohrMax, &TDrcRules::WBohrMax},
    {QT_TRANSLATE_NOOP("bs::app::TDrcPanel", "Track min:"), 1, &TDrcRules::TrackMin, &TDrcRules::WTrackMin},
    {QT_TRANSLATE_NOOP("bs::app::TDrcPanel", "Annular ring min:"), 1, &TDrcRules::RingMin, &TDrcRules::WRingMin},
    {QT_TRANSLATE_NOOP("bs::app::TDrcPanel", "Silkscreen min:"), 1, &TDrcRules::BestMin, &TDrcRules::WBestMin},
    {QT_TRANSLATE_NOOP("bs::app::TDrcPanel", "Silkscreen over pads"), 2, &TDrcRules::SilkOnPad, nullptr},
    {QT_TRANSLATE_NOOP("bs::app::TDrcPanel", "Drilling on SMD pads"), 2, &TDrcRules::HoleOnSMD, nullptr},
    {QT_TRANSLATE_NOOP("bs::app::TDrcPanel", "Pads without soldermask"), 2, &TDrcRules::PadOhneLS, nullptr},
    {QT_TRANSLATE_NOOP("bs::app::TDrcPanel", "Soldermask out of pads"), 2, &TDrcRules::LSFremd, nullptr},
};

QColor ToQColor(TColour c) { return QColor(Red(c), Green(c), Blue(c)); }

// Each line starts with a white 13 x 13 box holding a 9 x 9 square in the
// colour of the finding's layer, outlined in the background colour; the
// text follows from x = 16.
class TFindingDelegate : public QStyledItemDelegate {
 public:
  TFindingDelegate(TBoardView& view, QObject* parent) : QStyledItemDelegate(parent), view_(view) {}

  void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QStyleOptionViewItem text = option;
    initStyleOption(&text, index);
    text.rect.setLeft(option.rect.left() + 16);
    QStyledItemDelegate::paint(p, text, index);
    const QRect box(option.rect.left() + 1, option.rect.top() + (option.rect.height() - 13) / 2, 13, 13);
    p->save();
    p->fillRect(box, Qt::white);
    p->setPen(ToQColor(view_.Settings().Scheme.Background()));
    p->setBrush(ToQColor(view_.Settings().Scheme.Layer(index.data(Qt::UserRole).toInt())));
    p->drawRect(box.adjusted(2, 2, -3, -3));  // 9 x 9 with its outline
    p->restore();
  }
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QSize s = QStyledItemDelegate::sizeHint(option, index);
    return QSize(s.width() + 16, std::max(s.height(), 15));
  }

 private:
  TBoardView& view_;
};

}  // namespace

TDrcPanel::TDrcPanel(TBoardView& view, THooks hooks, QWidget* parent)
    : QWidget(parent), view_(view), viewAlive_(&view), hooks_(std::move(hooks)) {
  setObjectName("DrcPanel");
  QGroupBox* groups[3] = {new QGroupBox(tr("Minimum distance")), new QGroupBox(tr("Min/Max")),
                          new QGroupBox(tr("Miscellaneous"))};
  QGridLayout* grids[3];
  for (int g = 0; g < 3; ++g) grids[g] = new QGridLayout(groups[g]);
  for (size_t i = 0; i < rows_.size(); ++i) {
    const TRuleSpec& r = kRules[i];
    TRuleRow& row = rows_[i];
    row.Box = new QCheckBox(tr(r.Caption));
    row.Box->setObjectName(QStringLiteral("rule%1").arg(i));
    QGridLayout* grid = grids[r.Group];
    const int line = grid->rowCount();
    grid->addWidget(row.Box, line, 0);
    if (r.Length) {
      row.Field = new TLengthField(0, 99.99, 2, 0.01);
      row.Field->setObjectName(QStringLiteral("limit%1").arg(i));
      grid->addWidget(row.Field, line, 1);
      connect(row.Box, &QCheckBox::toggled, row.Field, &QWidget::setEnabled);
    }
  }

  complete_ = new QPushButton(tr("Complete..."));
  complete_->setObjectName("complete");
  window_ = new QPushButton(tr("Window..."));
  window_->setObjectName("window");
  connect(complete_, &QPushButton::clicked, this, [this] { Run(false); });
  connect(window_, &QPushButton::clicked, this, [this] { Run(true); });
  progress_ = new QProgressBar;
  progress_->setObjectName("progress");
  progress_->setTextVisible(false);
  caption_ = new QLabel;
  caption_->setObjectName("caption");
  list_ = new QListWidget;
  list_->setObjectName("findings");
  list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list_->setItemDelegate(new TFindingDelegate(view_, list_));
  connect(list_, &QListWidget::itemSelectionChanged, this, &TDrcPanel::Hatch);
  connect(list_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) { ZoomTo(list_->row(item)); });
  selectAll_ = new QPushButton(tr("Select all"));
  selectAll_->setObjectName("selectAll");
  selectAll_->setEnabled(false);
  connect(selectAll_, &QPushButton::clicked, list_, &QListWidget::selectAll);

  auto* runs = new QHBoxLayout;
  runs->addWidget(complete_);
  runs->addWidget(window_);
  auto* layout = new QVBoxLayout(this);
  for (QGroupBox* g : groups) layout->addWidget(g);
  layout->addLayout(runs);
  layout->addWidget(progress_);
  layout->addWidget(caption_);
  layout->addWidget(list_, 1);
  layout->addWidget(selectAll_);
  SetRules(TDrcRules{});

  // The hatching is drawn over every paint of the board, so it survives
  // repaints; it shows the findings selected in the list.
  view_.SetDecoration([this](QPainter& painter, const TViewMap& map) {
    const QList<QListWidgetItem*> selected = list_->selectedItems();
    if (selected.isEmpty() || view_.Board() != board_) return;
    TQPainterSurface surface(painter, painter.device()->width(), painter.device()->height());
    const TColour colour = view_.Settings().Scheme.Layer(kLayerO);
    for (QListWidgetItem* item : selected)
      if (const int row = list_->row(item); row >= 0 && size_t(row) < findings_.size())
        DrawDrcFinding(surface, findings_[size_t(row)], map, colour);
  });
}

TDrcPanel::~TDrcPanel() {
  // The window may have taken the view down first.
  if (viewAlive_) view_.SetDecoration({});
}

QString TDrcPanel::Heading() { return tr("DRC-Panel"); }

TDrcRules TDrcPanel::Rules() const {
  TDrcRules rules;
  for (size_t i = 0; i < rows_.size(); ++i) {
    rules.*kRules[i].Flag = rows_[i].Box->isChecked();
    if (rows_[i].Field) rules.*kRules[i].Length = rows_[i].Field->Units();
  }
  return rules;
}

void TDrcPanel::SetRules(const TDrcRules& rules) {
  for (size_t i = 0; i < rows_.size(); ++i) {
    rows_[i].Box->setChecked(rules.*kRules[i].Flag);
    if (rows_[i].Field) {
      rows_[i].Field->SetUnits(rules.*kRules[i].Length);
      rows_[i].Field->setEnabled(rules.*kRules[i].Flag);
    }
  }
}

void TDrcPanel::SetUnit(TDisplayUnit unit) {
  for (TRuleRow& row : rows_)
    if (row.Field) row.Field->SetUnit(unit);
}

QString TDrcPanel::Caption() const { return caption_->text(); }

void TDrcPanel::Clear() {
  findings_.clear();
  board_ = nullptr;
  list_->clear();
  selectAll_->setEnabled(false);
  view_.RefreshDecoration();
}

void TDrcPanel::BoardShown(const TBoard* board) {
  if (board != board_ && board_) {
    Clear();
    progress_->setValue(0);
    caption_->clear();
  }
}

void TDrcPanel::Run(bool window) {
  const TBoard* board = view_.Board();
  Clear();
  progress_->reset();
  if (!board) return;
  // Typed limits count even when Enter was not pressed.
  for (TRuleRow& row : rows_)
    if (row.Field) row.Field->interpretText();
  const TDrcRules rules = Rules();
  const TURect area = window ? DrcWindowArea(board->Platine, view_.Viewport()) : DrcCompleteArea(board->Platine);
  caption_->setText(tr("DRC running..."));
  TDrcResult result;
  {
    TLongOperation guard(this->window(), hooks_.Timers ? hooks_.Timers() : std::vector<QTimer*>{});
    result = RunDrc(*board, rules, area, guard.Progress([this](int done, int total) {
      if (progress_->maximum() != total) progress_->setRange(0, std::max(total, 1));
      progress_->setValue(done);
    }));
  }
  board_ = board;
  findings_ = std::move(result.Findings);
  Fill();
  progress_->setRange(0, 100);
  progress_->setValue(100);
  caption_->setText(CoreText(DrcCountCaption(findings_.size())));
  selectAll_->setEnabled(!findings_.empty());
  list_->selectAll();  // hatches them
}

void TDrcPanel::Fill() {
  list_->clear();
  for (const TDrcFinding& f : findings_) {
    auto* item = new QListWidgetItem(CoreText(DrcFindingText(f)), list_);
    item->setData(Qt::UserRole, f.Layer);
  }
}

void TDrcPanel::Hatch() { view_.RefreshDecoration(); }

void TDrcPanel::ZoomTo(int row) {
  if (row < 0 || size_t(row) >= findings_.size() || view_.Board() != board_ || !board_) return;
  const auto zoom = DrcZoomToFinding(findings_[size_t(row)].Marker, board_->Platine, view_.Viewport());
  if (!zoom) return;
  if (hooks_.Deselect) hooks_.Deselect();
  view_.ZoomTo(zoom->Zoom, zoom->Centre);
}

}  // namespace bs::app
