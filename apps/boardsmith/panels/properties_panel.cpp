#include "panels/properties_panel.h"

#include <QHeaderView>
#include <QLabel>
#include <QScrollArea>
#include <QStackedWidget>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "io/settings.h"
#include "panels/properties_pages.h"
#include "project/project.h"

namespace bs::app {

namespace {
constexpr int kLineHeight = 16;  // pixels per line of the kind list

// The kind's name as the kind list writes it: "; " and the name, singular
// or plural.
QString KindName(TPropList list, bool plural) {
  switch (list) {
    case kListTht: return plural ? TPropertiesPanel::tr("; Pads") : TPropertiesPanel::tr("; Pad");
    case kListSmd: return plural ? TPropertiesPanel::tr("; SMD pads") : TPropertiesPanel::tr("; SMD pad");
    case kListText: return plural ? TPropertiesPanel::tr("; Texts") : TPropertiesPanel::tr("; Text");
    case kListCircle: return plural ? TPropertiesPanel::tr("; Circles") : TPropertiesPanel::tr("; Circle");
    case kListTrack: return plural ? TPropertiesPanel::tr("; Tracks") : TPropertiesPanel::tr("; Track");
    case kListZone: return plural ? TPropertiesPanel::tr("; Zones") : TPropertiesPanel::tr("; Zone");
    default: return {};
  }
}

// The name column: what follows the ";" of the line.
QString NameColumn(const TKindLine& line) {
  const QString name = KindName(line.List, line.Count != 1);
  const qsizetype semicolon = name.indexOf(';');
  return semicolon < 0 ? name : name.mid(semicolon + 1);
}
}  // namespace

TPropertiesPanel::TPropertiesPanel(TPropertiesHost& host, QWidget* parent)
    : QWidget(parent), state_(std::make_unique<TPanelState>(host)) {
  setWindowTitle(Heading());
  state_->Unit = host.Settings().Options.MIL ? TDisplayUnit::Mil : TDisplayUnit::Mm;

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->setSpacing(2);
  multiselect_ = new QLabel(tr("Multiselect:"), this);
  kindList_ = new QTreeWidget(this);
  kindList_->setObjectName("kindList");
  kindList_->setColumnCount(2);
  kindList_->setHeaderHidden(true);
  kindList_->setRootIsDecorated(false);
  kindList_->setUniformRowHeights(true);
  kindList_->setIndentation(0);
  kindList_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  kindList_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  kindList_->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  kindList_->header()->setStretchLastSection(true);
  connect(kindList_, &QTreeWidget::itemClicked, this,
          [this](QTreeWidgetItem* item) { ChooseLine(kindList_->indexOfTopLevelItem(item)); });
  caption_ = new QLabel(this);
  caption_->setObjectName("typeCaption");
  QFont bold = caption_->font();
  bold.setBold(true);
  caption_->setFont(bold);

  stack_ = new QStackedWidget(this);
  pages_[kPageTht] = new TThtPage(*state_, stack_);
  pages_[kPageSmd] = new TSmdPage(*state_, stack_);
  pages_[kPageText] = new TTextPage(*state_, stack_);
  pages_[kPageCircle] = new TCirclePage(*state_, stack_);
  pages_[kPageTrack] = new TTrackPage(*state_, stack_);
  pages_[kPageZone] = new TZonePage(*state_, stack_);
  pages_[kPageBoard] = new TBoardPage(*state_, stack_);
  const char* names[kPageCount] = {"thtPage",   "smdPage",  "textPage", "circlePage",
                                   "trackPage", "zonePage", "boardPage"};
  for (int i = 0; i < kPageCount; ++i) {
    pages_[size_t(i)]->setObjectName(names[i]);
    stack_->addWidget(pages_[size_t(i)]);
  }
  auto* scroll = new QScrollArea(this);
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setWidgetResizable(true);
  scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  scroll->setWidget(stack_);

  layout->addWidget(multiselect_);
  layout->addWidget(kindList_);
  layout->addWidget(caption_);
  layout->addWidget(scroll, 1);
  multiselect_->hide();
  kindList_->hide();
  stack_->setCurrentWidget(pages_[kPageBoard]);
}

TPropertiesPanel::~TPropertiesPanel() = default;

QString TPropertiesPanel::Heading() { return tr("Properties    "); }

QString TPropertiesPanel::TypeCaption() const { return caption_->text(); }

void TPropertiesPanel::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  RefreshPanel();
}

void TPropertiesPanel::RefreshPanel() {
  if (state_->Notifying) return;
  const TBoard* board = state_->Host.Project().Active();
  lists_ = board ? BuildSelectionLists(board->Elements) : TSelectionLists{};
  lines_ = KindLines(lists_);

  kindList_->clear();
  for (const TKindLine& line : lines_) {
    auto* item = new QTreeWidgetItem(kindList_, {QString::number(line.Count), NameColumn(line).trimmed()});
    item->setTextAlignment(0, Qt::AlignRight | Qt::AlignVCenter);
    item->setSizeHint(0, QSize(-1, kLineHeight));
  }
  kindList_->setFixedHeight(int(lines_.size()) * kLineHeight + 2 * kindList_->frameWidth());
  const bool several = lines_.size() > 1;
  multiselect_->setVisible(several);
  kindList_->setVisible(several);

  if (lines_.empty()) {
    caption_->setText(tr("Board"));
    ShowPage(kPageBoard);
  } else {
    ChooseLine(0);
  }
}

void TPropertiesPanel::ChooseLine(int line) {
  if (line < 0 || line >= int(lines_.size())) return;
  const TKindLine& l = lines_[size_t(line)];
  kindList_->setCurrentItem(kindList_->topLevelItem(line));
  caption_->setText(QString::number(l.Count) + NameColumn(l));
  ShowPage(static_cast<TPageId>(l.List));
}

void TPropertiesPanel::ShowPage(TPageId page) {
  shown_ = page;
  stack_->setCurrentWidget(pages_[page]);
  pages_[page]->Load(page == kPageBoard ? TRefList{} : lists_[size_t(page)]);
}

void TPropertiesPanel::SetPanelUnit(TDisplayUnit unit) {
  state_->Unit = unit;
  for (TPropertiesPage* p : pages_) p->SetUnit(unit);
  // A hidden panel's lists may be out of date; showing it refreshes it.
  if (isVisible()) ShowPage(shown_);
}

void TPropertiesPanel::RefreshTrackLength() {
  if (shown_ == kPageTrack) static_cast<TTrackPage*>(pages_[kPageTrack])->ShowLength();
}

void TPropertiesPanel::Flash() {
  if (flashStep_ >= 0) return;  // already flashing
  flashStep_ = 0;
  setAutoFillBackground(true);
  FlashStep(palette().color(QPalette::Window));
}

void TPropertiesPanel::FlashStep(const QColor& own) {
  // Even steps show the flash colour for 100 ms, odd ones the panel's own
  // colour for 50 ms; six steps make three flashes.
  const bool flash = flashStep_ % 2 == 0 && flashStep_ < 6;
  QPalette p = palette();
  p.setColor(QPalette::Window, flash ? QColor(0xC0, 0xC0, 0xC0) : own);
  setPalette(p);
  if (flashStep_ >= 6) {
    flashStep_ = -1;
    return;
  }
  ++flashStep_;
  QTimer::singleShot(flash ? 100 : 50, this, [this, own] { FlashStep(own); });
}

}  // namespace bs::app
