#include "window/edit_commands.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QInputDialog>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QToolBar>
#include <QToolButton>

#include <cmath>

#include "edit/availability.h"
#include "edit/board_ops.h"
#include "edit/node_ops.h"
#include "edit/transform_ops.h"
#include "edit/undo.h"
#include "edit/units.h"
#include "io/settings.h"
#include "model/codepage.h"
#include "model/layers.h"
#include "render/view.h"
#include "tools/placement_tool.h"
#include "tools/tool.h"
#include "tools/tools.h"
#include "view/board_view.h"
#include "window/core_text.h"

namespace bs::app {

namespace {
const char* const kCaption = "Boardsmith";
// The rotation angles of the menu, in tenths of a degree.
constexpr int kAngles[] = {900, 450, 150, 50};
const char* const kLayerNames[] = {"C1", "S1", "C2", "S2", "I1", "I2", "O"};

QString Degrees(int tenths) { return QString::number(tenths / 10.0, 'g', 6) + "°"; }
}  // namespace

TEditCommands::TEditCommands(TToolHost& host, TPlacementTool& placement, QWidget* window)
    : QObject(window), host_(host), placement_(placement), window_(window) {
  TProject& project = host_.Project();
  Add(kCopy, tr("C&opy"), [this] { Copy(); })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
  Add(kCut, tr("&Cut"), [this, &project] {
    Copy();
    Finish(bs::DeleteSelection(project));
  })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));
  Add(kPaste, tr("&Paste"), [this, &project] {
    // Elements another window of the program put on the system clipboard
    // are taken when the editor's own clipboard is empty.
    if (clipboard_.Empty() && SystemClipboardHasElements())
      clipboard_.Bytes = [] {
        const QByteArray b = QGuiApplication::clipboard()->mimeData()->data(kMimeType);
        return std::vector<uint8_t>(b.begin(), b.end());
      }();
    Paste(PreparePaste(project, clipboard_));
  })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
  Add(kDuplicate, tr("D&uplicate"), [this, &project] {
    Copy();
    Paste(PreparePaste(project, clipboard_));
  })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
  Add(kDelete, tr("&Delete [Del]"), [this, &project] {
    Finish(bs::DeleteSelection(project));
  })->setShortcut(QKeySequence(Qt::Key_Delete));
  Add(kSelectAll, tr("Select &all"), [this, &project] {
    SelectAll(project);
    host_.BoardView().Refresh();
    host_.SelectionChanged();
  })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));

  Add(kRotate, tr("&Rotate"), [this] {
    Rotate(QGuiApplication::keyboardModifiers() & Qt::ShiftModifier);
  })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
  // SHIFT turns the other way, from the keyboard as well.
  Add(kRotateBack, tr("Rotate counter-clockwise"), [this] {
    Rotate(true);
  })->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_R));
  Add(kMirrorH, tr("Mirror &horizontal"), [this, &project] {
    Confirmed([&project, this](bool ok) { return MirrorSelection(project, TMirror::Horizontal, ok, Options()); });
  })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
  Add(kMirrorV, tr("Mirror &vertical"), [this, &project] {
    Confirmed([&project, this](bool ok) { return MirrorSelection(project, TMirror::Vertical, ok, Options()); });
  })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
  Add(kBuildGroup, tr("Build &group"), [this, &project] {
    Finish(BuildGroup(project));
  })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));
  Add(kSplitGroup, tr("Split gro&up"), [this, &project] {
    Finish(SplitGroup(project));
  })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_U));
  Add(kChangeSide, tr("Change board side"), [this, &project] {
    Confirmed([&project](bool ok) { return ChangeBoardSide(project, ok); });
  })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_W));
  Add(kSnapToGrid, tr("Snap to grid"), [this, &project] { Finish(SnapSelectionToGrid(project, Options())); });

  const std::pair<TCommand, TAlign> aligns[] = {{kAlignTop, TAlign::Top},
                                                {kAlignBottom, TAlign::Bottom},
                                                {kAlignLeft, TAlign::Left},
                                                {kAlignRight, TAlign::Right},
                                                {kAlignHCentre, TAlign::HorizontalCentre},
                                                {kAlignVCentre, TAlign::VerticalCentre}};
  const QString alignCaptions[] = {tr("Align top"),
                                   tr("Align bottom"),
                                   tr("Align left"),
                                   tr("Align right"),
                                   tr("Align horizontal-center"),
                                   tr("Align vertical-center")};
  alignMenu_ = new QMenu(window_);
  for (size_t i = 0; i < std::size(aligns); ++i) {
    const TAlign align = aligns[i].second;
    alignMenu_->addAction(
        Add(aligns[i].first, alignCaptions[i], [this, &project, align] { Finish(AlignSelection(project, align)); }));
  }

  layerMenu_ = new QMenu(tr("Set to layer"), window_);
  for (int layer = kLayerC1; layer <= kLayerO; ++layer) {
    QAction* a = layerMenu_->addAction(kLayerNames[layer - 1]);
    connect(a, &QAction::triggered, this,
            [this, &project, layer] { Finish(SetSelectionLayer(project, uint8_t(layer))); });
    layers_[layer] = a;
  }

  BuildAngleMenu();
  RefreshAngleMenu();

  deleteOutside_ = new QAction(tr("Delete elements outside the board"), this);
  connect(deleteOutside_, &QAction::triggered, this, [this, &project] { Finish(DeleteOutsideBoard(project)); });
}

QAction* TEditCommands::Add(TCommand c, const QString& caption, const std::function<void()>& run) {
  QAction* a = new QAction(caption, this);
  connect(a, &QAction::triggered, this, run);
  // The shortcuts work wherever the window has the focus.
  a->setShortcutContext(Qt::WindowShortcut);
  window_->addAction(a);
  actions_[c] = a;
  return a;
}

QAction* TEditCommands::LayerAction(int layer) const {
  const auto it = layers_.find(layer);
  return it == layers_.end() ? nullptr : it->second;
}

TEditOptions TEditCommands::Options() const {
  const auto& o = host_.Settings().Options;
  TEditOptions opt;
  opt.FollowLevel = o.Gummiband;
  opt.ReadableLabels = o.BezWertFlip;
  opt.OptimiseTracks = o.TracksOptimieren;
  return opt;
}

void TEditCommands::AddEditEntries(QMenu* edit) {
  edit->addSeparator();
  for (TCommand c : {kCopy, kCut, kPaste, kDuplicate, kDelete}) edit->addAction(actions_[c]);
  edit->addSeparator();
  edit->addAction(actions_[kSelectAll]);
}

void TEditCommands::AddTransformEntries(QMenu* menu, bool context) {
  // The context menu names the commands without access keys.
  auto entry = [&](TCommand c, const QString& plain) {
    if (!context) {
      menu->addAction(actions_[c]);
      return;
    }
    QAction* a = menu->addAction(plain, actions_[c], &QAction::trigger);
    a->setEnabled(actions_[c]->isEnabled());
  };
  entry(kRotate, tr("Rotate"));
  entry(kMirrorH, tr("Mirror horizontal"));
  entry(kMirrorV, tr("Mirror vertical"));
  entry(kChangeSide, tr("Change board side"));
  menu->addMenu(layerMenu_);
  entry(kBuildGroup, tr("Build group"));
  entry(kSplitGroup, tr("Split group"));
  entry(kSnapToGrid, tr("Snap to grid"));
}

QMenu* TEditCommands::BuildFunctionsMenu(QWidget* parent) {
  auto* menu = new QMenu(tr("F&unctions"), parent);
  AddTransformEntries(menu, false);
  menu->addSeparator();
  menu->addMenu(angleMenu_);
  QMenu* align = menu->addMenu(tr("Align"));
  align->addActions(alignMenu_->actions());
  return menu;
}

QToolBar* TEditCommands::BuildToolBar(QWidget* parent) {
  auto* bar = new QToolBar(tr("Functions"), parent);
  bar->setObjectName("FunctionsBar");
  bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
  auto* rotate = new QToolButton(bar);
  rotate->setObjectName("RotateButton");
  rotate->setDefaultAction(actions_[kRotate]);
  rotate->setMenu(angleMenu_);
  rotate->setPopupMode(QToolButton::MenuButtonPopup);
  bar->addWidget(rotate);
  for (TCommand c : {kMirrorH, kMirrorV}) bar->addAction(actions_[c]);
  auto* align = new QToolButton(bar);
  align->setObjectName("AlignButton");
  align->setText(tr("Align"));
  align->setMenu(alignMenu_);
  align->setPopupMode(QToolButton::InstantPopup);
  bar->addWidget(align);
  for (TCommand c : {kBuildGroup, kSplitGroup, kSnapToGrid}) bar->addAction(actions_[c]);
  RefreshAngleMenu();
  return bar;
}

void TEditCommands::BuildAngleMenu() {
  angleMenu_ = new QMenu(tr("Rotation angle"), window_);
  auto* group = new QActionGroup(angleMenu_);
  auto entry = [&](int tenths) {
    QAction* a = angleMenu_->addAction(Degrees(tenths));
    a->setCheckable(true);
    a->setData(tenths);
    group->addAction(a);
    connect(a, &QAction::triggered, this, [this, a] { SetRotationAngle(a->data().toInt()); });
    return a;
  };
  for (int tenths : kAngles) entry(tenths);
  angleMenu_->addSeparator();
  userAngle_ = entry(host_.Settings().Options.UserRotWinkel);
  angleMenu_->addAction("...", this, [this] {
    bool ok = false;
    const double typed = QInputDialog::getDouble(window_, kCaption, tr("Rotational angle [°]"),
                                                 host_.Settings().Options.UserRotWinkel / 10.0, -360, 360, 3, &ok);
    if (!ok) return;
    // Kept in tenths of a degree, turned into 0 ... 360.
    int tenths = int(std::lround(typed * 10)) % 3600;
    if (tenths <= 0) tenths += 3600;
    if (tenths >= 3600) tenths = 1;
    host_.Settings().Options.UserRotWinkel = tenths;
    SetRotationAngle(tenths);
  });
}

void TEditCommands::RefreshAngleMenu() {
  const auto& o = host_.Settings().Options;
  userAngle_->setData(o.UserRotWinkel);
  userAngle_->setText(Degrees(o.UserRotWinkel));
  bool checked = false;
  for (QAction* a : angleMenu_->actions()) {
    if (!a->isCheckable()) continue;
    const bool on = !checked && a->data().toInt() == o.RotWinkel;
    a->setChecked(on);
    checked |= on;
  }
  // The tool bar button names the angle.
  actions_[kRotate]->setIconText(QString(tr("&Rotate")).remove('&') + " " + Degrees(o.RotWinkel));
}

void TEditCommands::SetRotationAngle(int tenths) {
  host_.Settings().Options.RotWinkel = tenths;
  RefreshAngleMenu();
}

void TEditCommands::Rotate(bool back) {
  Finish(RotateSelection(host_.Project(), host_.Settings().Options.RotWinkel, back, Options()));
}

void TEditCommands::Copy() {
  if (CopySelection(host_.Project(), clipboard_) == 0) return;
  auto* data = new QMimeData;
  data->setData(kMimeType,
                QByteArray(reinterpret_cast<const char*>(clipboard_.Bytes.data()), qsizetype(clipboard_.Bytes.size())));
  QGuiApplication::clipboard()->setMimeData(data);
  Refresh();
}

bool TEditCommands::SystemClipboardHasElements() const {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  return data && data->hasFormat(kMimeType);
}

void TEditCommands::PasteElements(const TObjektList& elements) {
  clipboard_.Bytes = EncodeClipboard(elements);
  Paste(PreparePaste(host_.Project(), clipboard_));
}

void TEditCommands::Paste(TPrepared prepared) {
  host_.BoardView().Refresh();  // nothing is selected any more
  if (!prepared.Error.empty()) {
    QMessageBox::warning(window_, kCaption, CoreText(prepared.Error));
    Refresh();
    return;
  }
  if (prepared.Elements.empty()) return;
  placement_.Prepare(std::move(prepared.Elements),
                     tr("PASTE:  Place with left mouse button, abort with right mouse button"));
  host_.ChooseTool(kToolPlacement);
}

void TEditCommands::Finish(const TEditResult& r) {
  if (r.Status == TEditStatus::Failed) {
    if (!r.Message.empty()) QMessageBox::information(window_, kCaption, CoreText(r.Message));
    Refresh();
    return;
  }
  if (r.Done()) {
    host_.BoardView().Refresh();
    host_.BoardEdited();
    emit Edited();
    if (!r.Message.empty()) QMessageBox::information(window_, kCaption, CoreText(r.Message));
  }
  Refresh();
}

void TEditCommands::Confirmed(const std::function<TEditResult(bool)>& run) {
  TEditResult r = run(false);
  if (r.Status == TEditStatus::NeedsConfirmation) {
    if (QMessageBox::question(window_, kCaption, CoreText(r.Message), QMessageBox::Ok | QMessageBox::Cancel) !=
        QMessageBox::Ok)
      return;
    r = run(true);
  }
  Finish(r);
}

void TEditCommands::DeleteSelection() {
  Refresh();
  if (actions_[kDelete]->isEnabled()) actions_[kDelete]->trigger();
}

void TEditCommands::Refresh() {
  TProject& project = host_.Project();
  const int tool = host_.BoardView().Tool();
  const TCommandState s = CommandState(project, clipboard_, tool);
  const bool selection = s.Copy;
  throughPadAvailable_ = s.ThroughPad;
  actions_[kCopy]->setEnabled(s.Copy);
  actions_[kCut]->setEnabled(s.Cut);
  actions_[kDelete]->setEnabled(s.Delete);
  actions_[kDuplicate]->setEnabled(s.Duplicate);
  actions_[kPaste]->setEnabled(s.Paste || SystemClipboardHasElements());
  actions_[kSelectAll]->setEnabled(s.SelectAll && tool != kToolConnections && tool != kToolAutoroute);
  actions_[kRotate]->setEnabled(s.Rotate);
  actions_[kRotateBack]->setEnabled(s.Rotate);
  actions_[kMirrorH]->setEnabled(s.MirrorHorizontal);
  actions_[kMirrorV]->setEnabled(s.MirrorVertical);
  actions_[kChangeSide]->setEnabled(s.ChangeBoardSide);
  actions_[kSnapToGrid]->setEnabled(s.SnapToGrid);
  actions_[kBuildGroup]->setEnabled(s.BuildGroup);
  actions_[kSplitGroup]->setEnabled(s.SplitGroup);
  for (TCommand c : {kAlignTop, kAlignBottom, kAlignLeft, kAlignRight, kAlignHCentre, kAlignVCentre})
    actions_[c]->setEnabled(s.Align);
  layerMenu_->setEnabled(s.SetToLayer);
  const TBoard* board = project.Active();
  const bool multilayer = board && board->Platine.Multilayer;
  for (const auto& [layer, a] : layers_)
    a->setEnabled(selection && (multilayer || (layer != kLayerI1 && layer != kLayerI2)));
  deleteOutside_->setEnabled(board && !board->Elements.empty());
}

QMenu* TEditCommands::OriginMenu(QWidget* parent, TDPoint model) {
  auto* menu = new QMenu(tr("Set origin"), parent);
  auto set = [this](const std::function<TIPoint(const TPlatine&)>& where) {
    TBoard* board = host_.Project().Active();
    if (!board) return;
    const TIPoint p = where(board->Platine);
    if (p.X == board->Platine.OriginX && p.Y == board->Platine.OriginY) return;
    RecordUndo(host_.Project());
    SetZeroPoint(board->Platine, p);
    Finish(TEditResult{TEditStatus::Done, {}, false});
  };
  menu->addAction(tr("Set to top/left"), this, [set] { set([](const TPlatine&) { return ZeroPointTopLeft(); }); });
  menu->addAction(tr("Set to bottom/left"), this,
                  [set] { set([](const TPlatine& b) { return ZeroPointBottomLeft(b); }); });
  menu->addAction(tr("Set to click-position"), this, [set, model] {
    const bool ctrl = QGuiApplication::keyboardModifiers() & Qt::ControlModifier;
    set([model, ctrl](const TPlatine& b) { return ZeroPointAt(b, model, ctrl); });
  });
  return menu;
}

QMenu* TEditCommands::ElementMenu(TObjekt* under, TDPoint model) {
  Refresh();
  TProject& project = host_.Project();
  auto* menu = new QMenu(window_);
  menu->setObjectName("ElementMenu");
  if (showProperties_) {
    menu->addAction(tr("&Properties"), this, showProperties_);
    menu->addSeparator();
  }
  const std::pair<TCommand, QString> clipboard[] = {{kCopy, tr("Copy")},
                                                    {kCut, tr("Cut")},
                                                    {kPaste, tr("Paste")},
                                                    {kDuplicate, tr("Duplicate")},
                                                    {kDelete, tr("Delete")}};
  for (const auto& [c, caption] : clipboard) {
    QAction* a = menu->addAction(caption, actions_[c], &QAction::trigger);
    a->setEnabled(actions_[c]->isEnabled());
  }
  menu->addSeparator();
  QAction* name = menu->addAction(tr("Name..."), this, [this, &project] {
    bool ok = false;
    const QString typed = QInputDialog::getText(window_, kCaption, tr("Name:"), QLineEdit::Normal,
                                                QString::fromStdString(Cp1251ToUtf8(FirstSelectedName(project))), &ok);
    if (ok) Finish(NameSelection(project, Utf8ToCp1251(typed.toStdString())));
  });
  name->setEnabled(actions_[kCopy]->isEnabled());
  const auto named = NameToSelect(project, under);
  const QString shown = named ? QString::fromStdString(Cp1251ToUtf8(*named)) : QString();
  QAction* select = menu->addAction(tr("Select: ") + shown, this, [this, &project, named] {
    if (!named) return;
    SelectByName(project, *named);
    host_.BoardView().Refresh();
    host_.SelectionChanged();
  });
  select->setEnabled(named.has_value());
  if (component_) {
    QAction* component = menu->addAction(tr("Component..."), this, component_);
    component->setEnabled(actions_[kCopy]->isEnabled());
  }
  menu->addSeparator();
  AddTransformEntries(menu, true);
  menu->addSeparator();
  menu->addMenu(OriginMenu(menu, model));
  return menu;
}

QMenu* TEditCommands::NodeMenu(TObjekt& e, size_t node) {
  TProject& project = host_.Project();
  const TNodeMenu state = NodeMenuState(e, node);
  auto* menu = new QMenu(window_);
  menu->setObjectName("NodeMenu");
  TObjekt* element = &e;
  auto entry = [&](const QString& caption, bool enabled, std::function<TEditResult()> run) {
    QAction* a = menu->addAction(caption, this, [this, run] { Finish(run()); });
    a->setEnabled(enabled);
  };
  entry(tr("Remove node"), state.RemoveNode, [&project, element, node] { return RemoveNode(project, *element, node); });
  entry(tr("Add node"), state.AddNode, [&project, element, node] { return AddNode(project, *element, node); });
  entry(tr("Snap node to grid"), state.SnapNode,
        [&project, element, node] { return SnapNodeToGrid(project, *element, node); });
  entry(tr("Snap all nodes to grid"), state.SnapAllNodes,
        [&project, element] { return SnapAllNodesToGrid(project, *element); });
  entry(tr("Split track"), state.SplitTrack, [&project, element, node] { return SplitTrack(project, *element, node); });
  entry(tr("Join tracks"), state.JoinTracks,
        [this, &project, element, node] { return JoinTracks(project, *element, node, Options()); });
  return menu;
}

void TEditCommands::ExecElementMenu(QPoint global, TObjekt* under, TDPoint model) {
  QMenu* menu = ElementMenu(under, model);
  menu->exec(global);
  menu->deleteLater();
}

void TEditCommands::ExecNodeMenu(QPoint global, TObjekt& e, size_t node) {
  QMenu* menu = NodeMenu(e, node);
  menu->exec(global);
  menu->deleteLater();
}

}  // namespace bs::app
