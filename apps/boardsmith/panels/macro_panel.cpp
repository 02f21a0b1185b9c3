#include "panels/macro_panel.h"

#include <QApplication>
#include <QCheckBox>
#include <QDrag>
#include <QFileInfo>
#include <QGridLayout>
#include <QImage>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "model/codepage.h"
#include "model/geometry.h"
#include "render/raster_surface.h"
#include "window/core_text.h"

namespace bs::app {

namespace {
const char* const kCaption = "Boardsmith";
constexpr int kPathRole = Qt::UserRole;
constexpr int kFolderRole = Qt::UserRole + 1;
constexpr int kPreviewMargin = 8;  // pixels around the macro in the preview

QString PathOf(const QTreeWidgetItem* item) { return item ? item->data(0, kPathRole).toString() : QString(); }
bool IsFolder(const QTreeWidgetItem* item) { return item && item->data(0, kFolderRole).toBool(); }

QString FromBytes(const TByteString& s) { return QString::fromStdString(Cp1251ToUtf8(s)); }
TByteString ToBytes(const QString& s) { return Utf8ToCp1251(s.toStdString()); }

// Where a node of this name goes among the children: the tree's natural order.
int InsertIndex(QTreeWidgetItem* parent, QTreeWidget* tree, const QString& name) {
  const std::string n = name.toStdString();
  const int count = parent ? parent->childCount() : tree->topLevelItemCount();
  int i = 0;
  while (i < count) {
    const QTreeWidgetItem* c = parent ? parent->child(i) : tree->topLevelItem(i);
    if (NaturalLess(n, c->text(0).toStdString())) break;
    ++i;
  }
  return i;
}

// The path of a node and all below it follow a renamed folder.
void MovePaths(QTreeWidgetItem* item, const QString& oldPath, const QString& newPath) {
  const QString p = PathOf(item);
  if (p == oldPath) item->setData(0, kPathRole, newPath);
  else if (p.startsWith(oldPath + '/')) item->setData(0, kPathRole, newPath + p.mid(oldPath.size()));
  for (int i = 0; i < item->childCount(); ++i) MovePaths(item->child(i), oldPath, newPath);
}
}  // namespace

QMimeData* MacroMimeData(const QString& path) {
  auto* data = new QMimeData;
  data->setData(kMacroMimeType, path.toUtf8());
  return data;
}

// ---- the tree ----

void TMacroTree::startDrag(Qt::DropActions) {
  QTreeWidgetItem* item = currentItem();
  if (item && !item->data(0, kFolderRole).toBool()) emit DragMacro(item);
}

// ---- the preview ----

TMacroPreview::TMacroPreview(const TMacroSession& session, QWidget* parent) : QWidget(parent), session_(session) {
  settings_.ShowGrid = false;
  setMinimumSize(60, 60);
  setToolTip(tr("Drag the macro onto the board"));
}

void TMacroPreview::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const int w = std::max(1, width()), h = std::max(1, height());
  TRasterSurface surface(w, h, true);
  surface.Clear(settings_.Scheme.Background());
  TBoard board;
  board.Platine.LayerVisible.fill(1);
  if (session_.Loaded()) board.Elements = session_.PreviewElements();
  if (!board.Elements.empty()) {
    const TURect b = ListBounds(board.Elements, board.Platine, false);
    const double bw = std::max(1.0, std::abs(double(b.Right) - b.Left));
    const double bh = std::max(1.0, std::abs(double(b.Bottom) - b.Top));
    const double zoom = std::max(1e-9, std::min((w - 2 * kPreviewMargin) / bw, (h - 2 * kPreviewMargin) / bh));
    const double cx = (double(b.Left) + b.Right) / 2, cy = (double(b.Top) + b.Bottom) / 2;
    const TViewMap map{zoom, cx * zoom - w / 2.0, -cy * zoom - h / 2.0};
    PaintBoard(surface, board, map, settings_, TPaintTarget::MacroPreview);
  }
  const QImage image(surface.Raster().Pixels.data(), w, h, w * 4, QImage::Format_RGBA8888);
  p.drawImage(0, 0, image);
}

void TMacroPreview::mousePressEvent(QMouseEvent* event) {
  pressed_ = event->button() == Qt::LeftButton;
  pressAt_ = event->position().toPoint();
}

void TMacroPreview::mouseMoveEvent(QMouseEvent* event) {
  if (!pressed_ || !(event->buttons() & Qt::LeftButton)) return;
  if ((event->position().toPoint() - pressAt_).manhattanLength() < QApplication::startDragDistance()) return;
  pressed_ = false;
  emit DragStarted();
}

void TMacroPreview::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) emit DoubleClicked();
}

// ---- the panel ----

QString TMacroPanel::Heading() { return tr("Macro-Library"); }

TMacroPanel::TMacroPanel(THooks hooks, QWidget* parent) : QWidget(parent), hooks_(std::move(hooks)) {
  // Looked up once: the style's icons are slow to find for thousands of nodes.
  folderIcon_ = style()->standardIcon(QStyle::SP_DirIcon);
  fileIcon_ = style()->standardIcon(QStyle::SP_FileIcon);
  tree_ = new TMacroTree(this);
  tree_->setObjectName("MacroTree");
  tree_->setHeaderHidden(true);
  tree_->setDragEnabled(true);
  tree_->setDragDropMode(QAbstractItemView::DragOnly);
  // A click on the selected node or F2 edits its caption, which renames it.
  tree_->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
  preview_ = new TMacroPreview(session_, this);
  preview_->setObjectName("MacroPreview");
  text1_ = new QLineEdit(this);
  text2_ = new QLineEdit(this);
  for (QLineEdit* t : {text1_, text2_}) {
    t->setMaxLength(int(kMacroTextMax));
    t->setPlaceholderText(tr("Description"));
  }
  text1_->setObjectName("MacroText1");
  text2_->setObjectName("MacroText2");
  save_ = new QPushButton(tr("Save as macro"), this);
  delete_ = new QPushButton(tr("Delete macro"), this);
  side_ = new QPushButton("TOP", this);
  side_->setObjectName("MacroSide");
  side_->setToolTip(tr("Board side of the macro"));
  rotate_ = new QPushButton(tr("Rotate macro"), this);
  vias_ = new QPushButton(tr("Through-Pads (vias)"), this);
  vias_->setCheckable(true);
  component_ = new QCheckBox(tr("Add as component"), this);

  auto* buttons = new QGridLayout;
  buttons->addWidget(save_, 0, 0);
  buttons->addWidget(delete_, 0, 1);
  buttons->addWidget(side_, 1, 0);
  buttons->addWidget(rotate_, 1, 1);
  buttons->addWidget(vias_, 2, 0, 1, 2);
  buttons->addWidget(component_, 3, 0, 1, 2);
  auto* v = new QVBoxLayout(this);
  v->setContentsMargins(2, 2, 2, 2);
  v->addWidget(tree_, 1);
  v->addWidget(preview_);
  v->addWidget(text1_);
  v->addWidget(text2_);
  v->addLayout(buttons);
  SetPreviewHeight(350);

  connect(tree_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
    if (!filling_) Choose(item);
  });
  connect(tree_, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item) {
    if (!filling_) Rename(item);
  });
  connect(tree_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
    if (!IsFolder(item) && session_.Loaded() && hooks_.EditComponent) hooks_.EditComponent();
  });
  connect(tree_, &TMacroTree::DragMacro, this, [this](QTreeWidgetItem* item) {
    if (PathOf(item).toStdString() == session_.Path()) StartDrag();
  });
  connect(preview_, &TMacroPreview::DragStarted, this, &TMacroPanel::StartDrag);
  connect(preview_, &TMacroPreview::DoubleClicked, this, [this] {
    if (session_.Loaded() && hooks_.EditComponent) hooks_.EditComponent();
  });
  auto texts = [this] {
    if (filling_) return;
    session_.SetTexts(ToBytes(text1_->text()), ToBytes(text2_->text()));
  };
  connect(text1_, &QLineEdit::textEdited, this, texts);
  connect(text2_, &QLineEdit::textEdited, this, texts);
  connect(save_, &QPushButton::clicked, this, [this] {
    if (hooks_.SaveAsMacro) hooks_.SaveAsMacro();
  });
  connect(delete_, &QPushButton::clicked, this, &TMacroPanel::DeleteMacro);
  connect(side_, &QPushButton::clicked, this, &TMacroPanel::ToggleSide);
  connect(rotate_, &QPushButton::clicked, this, &TMacroPanel::RotateMacro);
  connect(vias_, &QPushButton::toggled, this, [this](bool on) {
    session_.Vias = on;
    preview_->update();
  });
  connect(component_, &QCheckBox::toggled, this, [this](bool on) {
    session_.SetAddAsComponent(on);
    preview_->update();
  });
  RefreshButtons();
}

void TMacroPanel::SetAddAsComponent(bool on) {
  component_->setChecked(on);
  session_.SetAddAsComponent(on);
}

bool TMacroPanel::AddAsComponent() const { return component_->isChecked(); }

void TMacroPanel::SetPreviewSettings(const TPaintSettings& settings) {
  TPaintSettings& s = preview_->Settings();
  s = settings;
  s.ShowGrid = false;
  s.ToolMode = 0;
  s.Artwork = false;
  preview_->update();
}

void TMacroPanel::SetPreviewHeight(int pixels) { preview_->setFixedHeight(std::clamp(pixels, 60, 2000)); }

QTreeWidgetItem* TMacroPanel::MakeItem(const QString& name, const QString& path, bool folder) const {
  auto* item = new QTreeWidgetItem;
  item->setText(0, name);
  item->setData(0, kPathRole, path);
  item->setData(0, kFolderRole, folder);
  item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable | Qt::ItemIsDragEnabled);
  item->setIcon(0, folder ? folderIcon_ : fileIcon_);
  return item;
}

QTreeWidgetItem* TMacroPanel::AddNode(QTreeWidgetItem* parent, const QString& name, const QString& path, bool folder) {
  QTreeWidgetItem* item = MakeItem(name, path, folder);
  const int at = InsertIndex(parent, tree_, name);
  if (parent) parent->insertChild(at, item);
  else tree_->insertTopLevelItem(at, item);
  return item;
}

void TMacroPanel::BuildTree(const QString& root, const QString& select) {
  filling_ = true;
  root_ = root;
  tree_->clear();
  const std::vector<TMacroNode> nodes = ScanMacroLibrary(root.toStdString(), [this](const std::string& status) {
    if (hooks_.Status) hooks_.Status(CoreText(status));
  });
  // Every level comes sorted: appending keeps the order without searching.
  std::function<void(QTreeWidgetItem*, const std::vector<TMacroNode>&)> add = [&](QTreeWidgetItem* parent,
                                                                                  const std::vector<TMacroNode>& list) {
    QList<QTreeWidgetItem*> items;
    items.reserve(qsizetype(list.size()));
    for (const TMacroNode& n : list) {
      QTreeWidgetItem* item = MakeItem(QString::fromStdString(n.Name), QString::fromStdString(n.Path), n.Folder);
      items.append(item);
      if (n.Folder) add(item, n.Children);
    }
    if (parent) parent->addChildren(items);
    else tree_->addTopLevelItems(items);
  };
  add(nullptr, nodes);
  filling_ = false;
  if (hooks_.Status) hooks_.Status({});
  if (!select.isEmpty()) SelectPath(select);
  RefreshButtons();
}

QTreeWidgetItem* TMacroPanel::FindItem(const QString& path) const {
  for (QTreeWidgetItemIterator it(tree_); *it; ++it)
    if (PathOf(*it) == path) return *it;
  return nullptr;
}

bool TMacroPanel::SelectPath(const QString& path) {
  QTreeWidgetItem* item = FindItem(path);
  if (!item) return false;
  filling_ = true;
  tree_->setCurrentItem(item);
  tree_->scrollToItem(item);
  filling_ = false;
  Choose(item);
  return true;
}

void TMacroPanel::InsertMacro(const QString& path) {
  const QString rootPrefix = root_ + '/';
  if (!path.startsWith(rootPrefix)) return;
  const QStringList names = path.mid(rootPrefix.size()).split('/', Qt::SkipEmptyParts);
  if (names.isEmpty()) return;
  filling_ = true;
  QTreeWidgetItem* parent = nullptr;
  QString folder = root_;
  for (qsizetype i = 0; i + 1 < names.size(); ++i) {
    folder += '/' + names[i];
    QTreeWidgetItem* found = nullptr;
    const int count = parent ? parent->childCount() : tree_->topLevelItemCount();
    for (int c = 0; c < count && !found; ++c) {
      QTreeWidgetItem* child = parent ? parent->child(c) : tree_->topLevelItem(c);
      if (IsFolder(child) && PathOf(child) == folder) found = child;
    }
    parent = found ? found : AddNode(parent, names[i], folder, true);
  }
  if (!FindItem(path)) {
    QString name = names.back();
    if (IsMacroFileName(name.toStdString())) name.chop(int(std::string(kMacroExtension).size()));
    AddNode(parent, name, path, false);
  }
  filling_ = false;
  SelectPath(path);
}

QString TMacroPanel::SelectedPath() const { return PathOf(tree_->currentItem()); }

QString TMacroPanel::SelectedFolder() const {
  const QTreeWidgetItem* item = tree_->currentItem();
  if (!item) return root_;
  if (IsFolder(item)) return PathOf(item);
  return item->parent() ? PathOf(item->parent()) : root_;
}

void TMacroPanel::Choose(QTreeWidgetItem* item) {
  if (item && !IsFolder(item)) Load(PathOf(item));
  RefreshButtons();
}

void TMacroPanel::Load(const QString& path) {
  if (path.toStdString() == session_.Path()) return;
  if (hooks_.Grid) session_.View.Grid = hooks_.Grid();
  TMacroSession::TLoadResult r = session_.Load(path.toStdString());
  if (r.WriteBackFailed) {
    const QString question = CoreText(r.Error) + "\n\n" + tr("Discard the changes of the macro?");
    if (QMessageBox::question(this, kCaption, question, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) !=
        QMessageBox::Yes) {
      // The changed macro stays chosen.
      if (QTreeWidgetItem* loaded = FindItem(QString::fromStdString(session_.Path()))) {
        filling_ = true;
        tree_->setCurrentItem(loaded);
        filling_ = false;
      }
      return;
    }
    r = session_.Load(path.toStdString(), true);
  }
  if (!r.Ok && !r.Ignored) QMessageBox::warning(this, kCaption, CoreText(r.Error));
  ShowMacro();
}

void TMacroPanel::ShowMacro() {
  filling_ = true;
  text1_->setText(session_.Loaded() ? FromBytes(session_.Macro().Text1) : QString());
  text2_->setText(session_.Loaded() ? FromBytes(session_.Macro().Text2) : QString());
  filling_ = false;
  preview_->update();
  RefreshButtons();
}

void TMacroPanel::RefreshButtons() {
  const bool loaded = session_.Loaded();
  text1_->setEnabled(loaded);
  text2_->setEnabled(loaded);
  rotate_->setEnabled(loaded);
  delete_->setEnabled(session_.CanDelete(SelectedPath().toStdString()));
  side_->setText(session_.View.Top ? "TOP" : "BOT");
}

bool TMacroPanel::WriteBack() {
  const std::string error = session_.WriteBack();
  if (error.empty()) return true;
  QMessageBox::warning(this, kCaption, CoreText(error));
  return false;
}

void TMacroPanel::DeleteMacro() {
  const QString path = SelectedPath();
  if (!session_.CanDelete(path.toStdString())) return;
  if (QMessageBox::question(this, kCaption, CoreText(DeleteMacroQuestion(path.toStdString())),
                            QMessageBox::Ok | QMessageBox::Cancel) != QMessageBox::Ok)
    return;
  const TMacroSession::TDeleteResult r = session_.Delete(path.toStdString());
  if (!r.Ok) {
    QMessageBox::warning(this, kCaption, CoreText(r.Error));
    return;
  }
  filling_ = true;
  delete tree_->currentItem();
  tree_->setCurrentItem(nullptr);
  filling_ = false;
  ShowMacro();
}

void TMacroPanel::ToggleSide() {
  if (hooks_.Grid) session_.View.Grid = hooks_.Grid();
  session_.SetSide(!session_.View.Top);
  preview_->update();
  RefreshButtons();
}

void TMacroPanel::RotateMacro() {
  if (!session_.Loaded()) return;
  if (hooks_.Grid) session_.View.Grid = hooks_.Grid();
  session_.Rotate(hooks_.AlwaysReadable && hooks_.AlwaysReadable());
  preview_->update();
}

void TMacroPanel::Rename(QTreeWidgetItem* item) {
  const QString oldPath = PathOf(item);
  QString oldName = QFileInfo(oldPath).fileName();
  const bool folder = IsFolder(item);
  if (!folder && IsMacroFileName(oldName.toStdString())) oldName.chop(int(std::string(kMacroExtension).size()));
  const QString caption = item->text(0);
  if (caption == oldName) return;
  const TRenameResult r = RenameMacroNode(oldPath.toStdString(), caption.toStdString());
  filling_ = true;
  if (!r.Ok) {
    item->setText(0, oldName);
    filling_ = false;
    QMessageBox::warning(this, kCaption, CoreText(r.Message));
    return;
  }
  const QString newPath = QString::fromStdString(r.NewPath);
  session_.Renamed(oldPath.toStdString(), r.NewPath);
  MovePaths(item, oldPath, newPath);
  // The renamed node moves to its place in the tree's order.
  QTreeWidgetItem* parent = item->parent();
  QTreeWidgetItem* current = tree_->currentItem();  // the item itself or one below it
  const bool expanded = item->isExpanded();
  if (parent) parent->takeChild(parent->indexOfChild(item));
  else tree_->takeTopLevelItem(tree_->indexOfTopLevelItem(item));
  const int at = InsertIndex(parent, tree_, caption);
  if (parent) parent->insertChild(at, item);
  else tree_->insertTopLevelItem(at, item);
  item->setExpanded(expanded);
  if (current) tree_->setCurrentItem(current);
  filling_ = false;
  RefreshButtons();
}

void TMacroPanel::StartDrag() {
  if (!session_.Loaded()) return;
  emit DragStarting();
  auto* drag = new QDrag(this);
  drag->setMimeData(MacroMimeData(QString::fromStdString(session_.Path())));
  drag->exec(Qt::CopyAction);
}

}  // namespace bs::app
