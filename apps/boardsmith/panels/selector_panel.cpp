#include "panels/selector_panel.h"

#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QLabel>
#include <QSlider>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <set>

#include "edit/units.h"

namespace bs::app {

namespace {
constexpr int kGroupRole = Qt::UserRole;
constexpr int kEntryRole = Qt::UserRole + 1;  // -1 for a group node
const QColor kStaleColour(0x80, 0x80, 0x80);

std::pair<int, int> PlaceOf(const QTreeWidgetItem* item) {
  return {item->data(0, kGroupRole).toInt(), item->data(0, kEntryRole).toInt()};
}
}  // namespace

QString TSelector::Heading() { return tr("Selector"); }

TSelector::TSelector(THooks hooks, QWidget* parent) : QWidget(parent), hooks_(std::move(hooks)) {
  kind_ = new QComboBox(this);
  kind_->setObjectName("SelectorKind");
  kind_->addItems({tr("All Pads"), tr("Vias"), tr("SMD-Pads"), tr("Tracks"), tr("Text labels")});
  sort_ = new QComboBox(this);
  sort_->setObjectName("SelectorSort");
  layers_ = new QComboBox(this);
  layers_->setObjectName("SelectorLayers");
  layers_->addItems({tr("Only copper"), tr("Only silkscreen / outline"), tr("All layer")});
  zoom_ = new QSlider(Qt::Horizontal, this);
  zoom_->setObjectName("SelectorZoom");
  zoom_->setRange(1, 10);
  zoom_->setValue(5);
  zoom_->setToolTip(tr("Automatic zoom: how much of the view the found elements fill"));
  tree_ = new QTreeWidget(this);
  tree_->setObjectName("SelectorTree");
  tree_->setHeaderHidden(true);
  tree_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  tree_->viewport()->installEventFilter(this);
  tree_->installEventFilter(this);
  count_ = new QLabel(this);
  count_->setObjectName("SelectorCount");

  auto* form = new QFormLayout;
  form->addRow(tr("Elements:"), kind_);
  form->addRow(tr("Sorting:"), sort_);
  form->addRow(tr("Layer:"), layers_);
  form->addRow(tr("Automatic zoom:"), zoom_);
  auto* v = new QVBoxLayout(this);
  v->setContentsMargins(2, 2, 2, 2);
  v->addLayout(form);
  v->addWidget(tree_, 1);
  v->addWidget(count_);
  FillSorts();

  connect(kind_, &QComboBox::currentIndexChanged, this, [this] {
    if (filling_) return;
    FillSorts();  // the sortings of the kind, the first chosen
    Rebuild();
  });
  connect(sort_, &QComboBox::currentIndexChanged, this, [this] {
    if (!filling_) Rebuild();
  });
  connect(layers_, &QComboBox::currentIndexChanged, this, [this] {
    if (!filling_) Rebuild();
  });
  connect(zoom_, &QSlider::valueChanged, this, [this] {
    if (!filling_ && !tree_->selectedItems().isEmpty()) Apply();
  });
  connect(tree_, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) {
    // At most one group is open.
    if (filling_) return;
    filling_ = true;
    for (int i = 0; i < tree_->topLevelItemCount(); ++i)
      if (tree_->topLevelItem(i) != item) tree_->topLevelItem(i)->setExpanded(false);
    filling_ = false;
  });
  connect(tree_, &QTreeWidget::itemSelectionChanged, this, [this] {
    if (filling_) return;
    // Several entries of one group, or one group node.
    const QList<QTreeWidgetItem*> chosen = tree_->selectedItems();
    QTreeWidgetItem* current = tree_->currentItem();
    if (chosen.size() > 1 && current) {
      const auto [group, entry] = PlaceOf(current);
      filling_ = true;
      for (QTreeWidgetItem* item : chosen) {
        const auto [g, e] = PlaceOf(item);
        if (g != group || (entry < 0) != (e < 0) || (entry < 0 && item != current)) item->setSelected(false);
      }
      filling_ = false;
    }
    Apply();
  });
}

void TSelector::FillSorts() {
  const bool was = filling_;
  filling_ = true;
  sort_->clear();
  switch (kind_->currentIndex()) {
    case kSearchPads:
    case kSearchVias: sort_->addItems({tr("Drillings"), tr("Annular ring size"), tr("Size"), tr("Shape")}); break;
    case kSearchSmd: sort_->addItem(tr("Size")); break;
    case kSearchTracks: sort_->addItem(tr("Line width")); break;
    default: sort_->addItems({tr("Text height"), tr("Thickness"), tr("Text content")}); break;
  }
  sort_->setCurrentIndex(0);
  filling_ = was;
}

TSearchOptions TSelector::Options() const {
  TSearchOptions o;
  o.Kind = kind_->currentIndex();
  o.Sort = std::max(0, sort_->currentIndex());
  o.Layers = layers_->currentIndex();
  o.Mil = hooks_.Mil && hooks_.Mil();
  return o;
}

TSelectorSettings TSelector::Settings() const {
  TSelectorSettings s;
  s.Options = Options();
  s.Zoom = zoom_->value();
  return s;
}

void TSelector::SetSettings(const TSelectorSettings& s) {
  filling_ = true;
  kind_->setCurrentIndex(std::clamp(s.Options.Kind, 0, kSearchKindCount - 1));
  FillSorts();
  sort_->setCurrentIndex(std::clamp(s.Options.Sort, 0, std::max(0, sort_->count() - 1)));
  layers_->setCurrentIndex(std::clamp(s.Options.Layers, 0, 2));
  zoom_->setValue(std::clamp(s.Zoom, 1, 10));
  filling_ = false;
  MarkStale();
}

std::vector<std::pair<int, int>> TSelector::ChosenPlaces() const {
  std::vector<std::pair<int, int>> places;
  for (const QTreeWidgetItem* item : tree_->selectedItems()) places.push_back(PlaceOf(item));
  return places;
}

void TSelector::Choose(const std::vector<std::pair<int, int>>& places, std::optional<int> expanded) {
  filling_ = true;
  tree_->clearSelection();
  for (const auto& [group, entry] : places) {
    QTreeWidgetItem* node = group >= 0 && group < tree_->topLevelItemCount() ? tree_->topLevelItem(group) : nullptr;
    if (!node) continue;
    QTreeWidgetItem* item = entry < 0 ? node : (entry < node->childCount() ? node->child(entry) : nullptr);
    if (!item) continue;
    item->setSelected(true);
    tree_->setCurrentItem(item, 0, QItemSelectionModel::NoUpdate);
  }
  if (expanded && *expanded < tree_->topLevelItemCount()) tree_->topLevelItem(*expanded)->setExpanded(true);
  filling_ = false;
}

void TSelector::Rebuild() {
  const std::vector<std::pair<int, int>> chosen = ChosenPlaces();
  std::optional<int> expanded;
  for (int i = 0; i < tree_->topLevelItemCount(); ++i)
    if (tree_->topLevelItem(i)->isExpanded()) expanded = i;
  const TBoard* board = hooks_.Board ? hooks_.Board() : nullptr;
  const TLanguage language = hooks_.Language ? hooks_.Language() : TLanguage::English;
  groups_ = board ? SearchGroups(board->Elements, Options(), language) : std::vector<TSearchGroup>{};
  filling_ = true;
  tree_->clear();
  size_t total = 0;
  QList<QTreeWidgetItem*> nodes;
  for (size_t g = 0; g < groups_.size(); ++g) {
    auto* node = new QTreeWidgetItem({QString::fromStdString(groups_[g].Label)});
    node->setData(0, kGroupRole, int(g));
    node->setData(0, kEntryRole, -1);
    for (size_t e = 0; e < groups_[g].Elements.size(); ++e) {
      auto* entry = new QTreeWidgetItem(node, {QString("# %1").arg(e + 1)});
      entry->setData(0, kGroupRole, int(g));
      entry->setData(0, kEntryRole, int(e));
    }
    total += groups_[g].Elements.size();
    nodes.append(node);
  }
  tree_->addTopLevelItems(nodes);
  filling_ = false;
  count_->setText(total == 1 ? tr("1 Element") : tr("%1 Elements").arg(total));
  ShowStale(false);
  Choose(chosen, expanded);
}

void TSelector::ShowStale(bool stale) {
  stale_ = stale;
  for (QWidget* w : {static_cast<QWidget*>(tree_), static_cast<QWidget*>(count_)}) {
    QPalette p = w->palette();
    const QColor text = stale ? kStaleColour : QColor(Qt::black);
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::WindowText, text);
    w->setPalette(p);
  }
}

void TSelector::MarkStale() {
  if (!stale_) ShowStale(true);  // every edit calls it: the look changes once
}

void TSelector::Apply() {
  // A stale tree could name elements that no longer exist: built again first.
  if (stale_) Rebuild();
  TBoard* board = hooks_.Board ? hooks_.Board() : nullptr;
  if (!board) return;
  const std::vector<std::pair<int, int>> places = ChosenPlaces();
  if (places.empty()) return;
  DeselectAll(board->Elements);
  for (const auto& [group, entry] : places) {
    if (group < 0 || size_t(group) >= groups_.size()) continue;
    const std::vector<size_t>& members = groups_[size_t(group)].Elements;
    for (size_t k = 0; k < members.size(); ++k) {
      if (entry >= 0 && size_t(entry) != k) continue;
      if (members[k] < board->Elements.size()) SetSelected(*board->Elements[members[k]], true);
    }
  }
  if (hooks_.Selected) hooks_.Selected(SearchZoomPercent(zoom_->value()));
}

bool TSelector::eventFilter(QObject* watched, QEvent* event) {
  if (watched == tree_->viewport() && event->type() == QEvent::Enter && stale_) Rebuild();
  if (watched == tree_ && event->type() == QEvent::FocusIn && !tree_->selectedItems().isEmpty()) Apply();
  return QWidget::eventFilter(watched, event);
}

}  // namespace bs::app
