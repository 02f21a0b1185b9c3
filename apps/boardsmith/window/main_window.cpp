#include "window/main_window.h"

#include <malloc.h>
#include <QAbstractSpinBox>
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDate>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDockWidget>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QShortcut>
#include <QStatusBar>
#include <QTabBar>
#include <QTextEdit>
#include <QTime>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>
#include <functional>
#include <set>

#include "checks/drc.h"
#include "components/components.h"
#include "components/macro_place.h"
#include "copper/connectivity.h"
#include "dialogs/component_dialog.h"
#include "dialogs/component_export_dialog.h"
#include "dialogs/drill_list_window.h"
#include "dialogs/excellon_dialog.h"
#include "dialogs/export_picture_dialog.h"
#include "dialogs/gerber_dialog.h"
#include "dialogs/help_window.h"
#include "dialogs/new_board_dialog.h"
#include "dialogs/options_dialog.h"
#include "dialogs/text_dialog.h"
#include "edit/availability.h"
#include "edit/board_ops.h"
#include "edit/connections.h"
#include "edit/create.h"
#include "edit/text_io.h"
#include "edit/undo.h"
#include "edit/units.h"
#include "io/project_file.h"
#include "model/atomic_file.h"
#include "model/codepage.h"
#include "model/objekt_list.h"
#include "model/read_file.h"
#include "panels/component_panel.h"
#include "panels/drc_panel.h"
#include "panels/ground_plane_bar.h"
#include "panels/layer_bar.h"
#include "panels/macro_panel.h"
#include "panels/properties_fields.h"
#include "panels/properties_panel.h"
#include "panels/selector_panel.h"
#include "panels/size_bar.h"
#include "project/newboard.h"
#include "render/grid.h"
#include "render/painter.h"
#include "render/view.h"
#include "tools/connection_tool.h"
#include "tools/draw_tools.h"
#include "tools/edit_tool.h"
#include "tools/measure_tool.h"
#include "tools/placement_tool.h"
#include "tools/test_tool.h"
#include "tools/text_tool.h"
#include "tools/tool_palette.h"
#include "tools/tools.h"
#include "view/board_overview.h"
#include "view/board_view.h"
#include "view/ruler.h"
#include "widgets/length_field.h"
#include "window/core_text.h"
#include "window/edit_commands.h"
#include "window/key_panel.h"
#include "window/language.h"

namespace bs::app {

namespace {
// A closed project's many small blocks stay with the allocator after they
// are freed; giving them back keeps a session that opens one big board
// after another from growing.
void ReleaseFreedMemory() { malloc_trim(0); }

const char* const kCaption = "Boardsmith";
const char* const kFilter = QT_TRANSLATE_NOOP("bs::app::TMainWindow", "Layout files (*.bsm*);;All Files (*)");

// Core texts separate lines with CR.
QString Text(const std::string& s) { return CoreText(s); }

TDisplayUnit UnitOf(const TSettings& settings) { return settings.Options.MIL ? TDisplayUnit::Mil : TDisplayUnit::Mm; }
}  // namespace

TMainWindow::TMainWindow(QWidget* parent) : QMainWindow(parent) {
  auto* central = new QWidget(this);
  auto* layout = new QGridLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  view_ = new TBoardView(central);
  hruler_ = new TRuler(Qt::Horizontal, central);
  vruler_ = new TRuler(Qt::Vertical, central);
  auto* corner = new QWidget(central);
  corner->setFixedSize(TRuler::kThickness, TRuler::kThickness);
  tabs_ = new QTabBar(central);
  tabs_->setShape(QTabBar::RoundedSouth);
  tabs_->setExpanding(false);
  layout->addWidget(corner, 0, 0);
  layout->addWidget(hruler_, 0, 1);
  layout->addWidget(vruler_, 1, 0);
  layout->addWidget(view_, 1, 1);
  layout->addWidget(tabs_, 2, 0, 1, 2);
  layout->setRowStretch(1, 1);
  layout->setColumnStretch(1, 1);
  setCentralWidget(central);
  coordinates_ = new QLabel(this);
  coordinates_->setMinimumWidth(260);
  statusBar()->addPermanentWidget(coordinates_);
  hint_ = new QLabel(this);
  // A long hint gives way to the coordinates and the key panel.
  hint_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  hint_->setMinimumWidth(120);
  statusBar()->addWidget(hint_, 1);
  dragValues_ = new QLabel(this);
  dragValues_->hide();
  statusBar()->addWidget(dragValues_);
  keyPanel_ = new TKeyPanel(this);
  keyPanel_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
  keyPanel_->hide();
  statusBar()->addPermanentWidget(keyPanel_);
  connect(view_, &TBoardView::ViewChanged, this, [this] {
    hruler_->update();
    vruler_->update();
    if (palette_) palette_->RefreshZoomMenu(project_.Active());  // the zoom history may have changed
  });
  connect(view_, &TBoardView::PointerMoved, this, [this](QPoint pixel, double x, double y) {
    hruler_->SetMarker(pixel.x());
    vruler_->SetMarker(pixel.y());
    if (const TBoard* b = project_.Active()) {
      const TCoordinateText t = CoordinateReadout(b->Platine, {x, y}, TDisplayUnit::Mm);
      coordinates_->setText(QString("X: %1   Y: %2").arg(QString::fromStdString(t.X), QString::fromStdString(t.Y)));
    }
  });
  connect(tabs_, &QTabBar::currentChanged, this, [this](int index) {
    if (refreshingTabs_ || index < 0) return;
    SwitchBoard(project_, index);
    ShowActiveBoard();
  });
  BuildTools();
  BuildMenus();
  layers_ = new TLayerBar(this);
  addToolBar(layers_);
  connect(layers_, &TLayerBar::Changed, this, [this] {
    groundBar_->Refresh();
    view_->Refresh();
  });
  BuildToolBars();
  ResetProject(project_, UiLanguage(), false);
  RefreshTabs();
  ShowActiveBoard();
  RefreshTitle();
  autosaveTimer_ = new QTimer(this);
  connect(autosaveTimer_, &QTimer::timeout, this, [this] { Autosave(); });
  // The settings file is read once at start-up and written back at shut-down.
  settings_ = LoadSettings(SettingsFilePath(), TSettingsContext{DataFolder(), DocumentsFolder(), UiLanguage()});
  ApplySettings();
  SetTool(kToolEdit);
  RefreshRecentFiles();
  if (macroDock_) resizeDocks({macroDock_}, {settings_.Options.MakroBreite}, Qt::Horizontal);
  if (componentsDock_ && !componentsDock_->isHidden())
    resizeDocks({componentsDock_}, {settings_.Options.BauteileBreite}, Qt::Horizontal);
  // The library is scanned once the window is up.
  QTimer::singleShot(0, this, [this] { BuildMacroTree(); });
  const auto& win = settings_.Window;
  if (win.WindowMax) resize(1200, 800);
  else setGeometry(win.WindowX, win.WindowY, win.WindowW, win.WindowH);
}

TMainWindow::~TMainWindow() = default;

void TMainWindow::NewProject() {
  DetachBoard();
  if (!CloseCurrentProject()) {
    ShowActiveBoard();
    return;
  }
  ReleaseFreedMemory();
  TNewBoardDialog dialog(this);
  std::optional<TNewBoardRequest> request;
  if (dialog.exec() == QDialog::Accepted) request = dialog.Request();
  NewProjectBoards(project_, request, UiLanguage(), false);
  RefreshTabs();
  ShowActiveBoard();
  RefreshTitle();
  view_->ZoomBoard();
}

void TMainWindow::AddNewBoard() {
  TNewBoardDialog dialog(this);
  if (dialog.exec() != QDialog::Accepted) return;
  DetachBoard();
  NewBoardCommand(project_, dialog.Request(), false, Ui());
  RefreshTabs();
  ShowActiveBoard();
  view_->ZoomBoard();
}

void TMainWindow::AddRecentFile(const std::string& path) {
  auto& list = settings_.RecentFiles;
  std::erase(list, path);
  list.insert(list.begin(), path);
  if (list.size() > size_t(kMaxRecentFiles)) list.resize(kMaxRecentFiles);
  RefreshRecentFiles();
}

void TMainWindow::RefreshRecentFiles() {
  for (QAction* a : recentActions_) {
    fileMenu_->removeAction(a);
    a->deleteLater();
  }
  recentActions_.clear();
  int n = 0;
  for (const std::string& path : settings_.RecentFiles) {
    const QString file = QString::fromStdString(path);
    QAction* a = new QAction(QString("&%1 %2").arg(++n).arg(file), this);
    connect(a, &QAction::triggered, this, [this, file] {
      if (!QFileInfo::exists(file)) {
        QMessageBox::warning(this, tr("Open"), tr("File not found"));
        return;
      }
      OpenFile(file);
    });
    fileMenu_->insertAction(recentSeparator_, a);
    recentActions_.push_back(a);
  }
}

void TMainWindow::BuildMenus() {
  QMenu* file = menuBar()->addMenu(tr("&File"));
  fileMenu_ = file;
  file->addAction(tr("&New..."), this, [this] { NewProject(); });
  QAction* open = file->addAction(tr("&Open..."), this, [this] {
    const QString path =
        QFileDialog::getOpenFileName(this, tr("Open"), QString::fromStdString(project_.LastDirectory), tr(kFilter));
    if (!path.isEmpty()) OpenFile(path);
  });
  open->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  QAction* save = file->addAction(tr("&Save"), this, [this] { Save(); });
  save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  file->addAction(tr("S&ave as..."), this, [this] { SaveAs(); });
  file->addAction(tr("Save as &macro..."), this, &TMainWindow::SaveAsMacro);
  file->addAction(tr("&AutoSave..."), this, [this] { OpenOptions(TOptionsDialog::kPageAutoSave); });
  file->addAction(tr("Directories..."), this, [this] { OpenOptions(TOptionsDialog::kPageFolders); });
  // The export windows are made once and keep their choices between uses.
  QMenu* exportMenu = file->addMenu(tr("E&xport"));
  exportMenu->addAction(tr("&Gerber Export..."), this, [this] {
    SetTool(kToolEdit);
    if (!gerberDlg_) gerberDlg_ = new TGerberDlg(project_, settings_, this);
    gerberDlg_->Run();
    view_->Refresh();
  });
  exportMenu->addAction(tr("&Bitmap (*.bmp)..."), this, [this] { ExportPicture(TPictureFormat::Bmp); });
  exportMenu->addAction(tr("&JPG (*.jpg)..."), this, [this] { ExportPicture(TPictureFormat::Jpeg); });
  exportMenu->addAction(tr("G&IF (*.gif)..."), this, [this] { ExportPicture(TPictureFormat::Gif); });
  exportMenu->addAction(tr("&Drill data (Excellon)..."), this, [this] {
    SetTool(kToolEdit);
    if (!lochDlg_) lochDlg_ = new TLochDlg(project_, settings_, this);
    lochDlg_->Run();
  });
  file->addSeparator();
  recentSeparator_ = file->addSeparator();  // the recent files go above it
  file->addAction(tr("E&xit"), this, &QWidget::close);

  // Undo and redo restore whole-board snapshots of the active board.
  QMenu* edit = menuBar()->addMenu(tr("&Edit"));
  auto afterUndo = [this] {
    ShowActiveBoard();
    view_->Refresh();
    RefreshTitle();
    RefreshEditMenu();
    SelectionChanged();  // nothing is selected now: the size fields look normal again
  };
  undoAction_ = edit->addAction(tr("&Undo"), this, [this, afterUndo] {
    if (Undo(project_)) afterUndo();
  });
  undoAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
  redoAction_ = edit->addAction(tr("&Redo"), this, [this, afterUndo] {
    if (Redo(project_)) afterUndo();
  });
  redoAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Y));
  connect(edit, &QMenu::aboutToShow, this, [this] { RefreshEditMenu(); });
  commands_->AddEditEntries(edit);

  // The board commands, in the menu and on the tabs' context menu.
  auto boardCommand = [this](const std::function<void()>& run) {
    return [this, run] {
      run();
      RefreshTabs();
      ShowActiveBoard();
      RefreshTitle();
    };
  };
  const std::vector<std::pair<QString, std::function<void()>>> boardCommands = {
      {tr("Copy board"),
       [this] {
         if (project_.Active()) CopyActiveBoard(project_, UiLanguage());
       }},
      {tr("&Delete board..."), [this] { DeleteActiveBoard(project_, Ui()); }},
      {tr("Set board to &right"), [this] { MoveActiveBoard(project_, TBoardMove::ToEnd); }},
      {tr("Set board to &left"), [this] { MoveActiveBoard(project_, TBoardMove::ToStart); }},
      {tr("Move board to &right"), [this] { MoveActiveBoard(project_, TBoardMove::Right); }},
      {tr("Move board to &left"), [this] { MoveActiveBoard(project_, TBoardMove::Left); }},
  };
  QMenu* board = menuBar()->addMenu(tr("&Board"));
  tabMenu_ = new QMenu(this);
  board->addAction(tr("&Add new board..."), this, [this] { AddNewBoard(); });
  tabMenu_->addAction(tr("Add new board..."), this, [this] { AddNewBoard(); });
  for (const auto& [caption, run] : boardCommands) {
    QAction* inMenu = board->addAction(caption, this, boardCommand(run));
    QString plain = caption;
    QAction* onTab = tabMenu_->addAction(plain.remove('&').remove("..."), this, boardCommand(run));
    // Deleting and moving boards needs a second board.
    if (&caption != &boardCommands.front().first) multiBoardActions_.insert(multiBoardActions_.end(), {inMenu, onTab});
  }
  board->addSeparator();
  board->addAction(tr("&Properties"), this, [this] { ShowProperties(true); });
  tabMenu_->addAction(tr("Board properties"), this, [this] { ShowProperties(true); });
  board->addSeparator();
  board->addAction(tr("&Import boards from file..."), this, [this] {
    const QString path = QFileDialog::getOpenFileName(this, tr("Import boards"),
                                                      QString::fromStdString(project_.LastDirectory), tr(kFilter));
    if (!path.isEmpty()) ImportBoards(path);
  });
  tabs_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(tabs_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    const int index = tabs_->tabAt(at);
    if (index >= 0 && index != project_.ActiveIndex) tabs_->setCurrentIndex(index);
    tabMenu_->exec(tabs_->mapToGlobal(at));
  });

  QMenu* functions = commands_->BuildFunctionsMenu(this);
  menuBar()->addMenu(functions);
  functions->addSeparator();
  addComponentAction_ = functions->addAction(tr("Add as component"), this, &TMainWindow::AddAsComponent);
  addComponentAction_->setObjectName("AddAsComponent");
  commands_->SetComponentCommand([this] {
    const TBoard* b = project_.Active();
    if (!b) return;
    // Several whole components: their dialog, which can change them all.
    const std::vector<int16_t> selected = SelectedComponents(b->Elements);
    const bool onlyComponents = std::all_of(b->Elements.begin(), b->Elements.end(),
                                            [](const auto& e) { return !e->Selected || e->ComponentNo != 0; });
    if (selected.size() > 1 && onlyComponents) EditComponent(selected.front());
    else AddAsComponent();
  });

  QMenu* extras = menuBar()->addMenu(tr("E&xtras"));
  extras->addAction(tr("Project info..."), this, [this] { EditProjectInfo(); });
  extras->addAction(tr("List drillings..."), this, [this] {
    if (TBoard* b = project_.Active())
      TBohrInfoDlg(*b, settings_.Options.MIL ? TDisplayUnit::Mil : TDisplayUnit::Mm, this).Run();
  });
  extras->addAction(tr("Reset solder mask..."), this, [this] {
    if (!project_.Active()) return;
    const auto answer = QMessageBox::question(
        this, kCaption,
        tr("This function will undo all manual changes to the solder mask,\nand reset the solder mask to "
           "default (all Pads and SMD-Pads).\n\nContinue?"),
        QMessageBox::Ok | QMessageBox::Cancel);
    if (answer != QMessageBox::Ok) return;
    ResetSolderMask(project_.Active()->Elements);
    project_.Changed = true;
    RefreshTitle();
    view_->Refresh();
    QMessageBox::information(this, kCaption, tr("The solder mask was reset to its defaults."));
  });
  // Rubber bands that copper already joins are removed; the counts are shown.
  QAction* removeBands = extras->addAction(tr("&Remove connections (rubberbands)"), this, [this] {
    TBoard* b = project_.Active();
    if (!b || !HasConnections(*b)) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const TRubberBandCounts counts = RemoveUnneededConnections(project_);
    QApplication::restoreOverrideCursor();
    if (counts.Removed > 0) view_->Refresh();
    commands_->Refresh();
    RefreshEditMenu();
    RefreshTitle();
    QMessageBox::information(this, kCaption, Text(RubberBandCountsMessage(counts)));
  });
  connect(extras, &QMenu::aboutToShow, this,
          [this, removeBands] { removeBands->setEnabled(project_.Active() && HasConnections(*project_.Active())); });
  extras->addAction(commands_->DeleteOutsideAction());
  extras->addSeparator();
  QAction* textExport = extras->addAction(tr("Text-IO: Export elements..."), this, &TMainWindow::ExportText);
  extras->addAction(tr("Text-IO: Import elements..."), this, &TMainWindow::ImportText);
  connect(extras, &QMenu::aboutToShow, this,
          [this, textExport] { textExport->setEnabled(project_.Active() && !project_.Active()->Elements.empty()); });

  QMenu* options = menuBar()->addMenu(tr("&Options"));
  options->addAction(tr("General settings..."), this, [this] { OpenOptions(TOptionsDialog::kPageGeneral); });
  options->addSeparator();
  // The macro library: the Options menu, a tool bar button and the panel's
  // close button show and hide it.
  macro_ = new TMacroPanel({[this](const QString& status) {
                              if (status.isEmpty()) statusBar()->clearMessage();
                              else statusBar()->showMessage(QString(status).replace('\n', ' '));
                            },
                            [this] { SaveAsMacro(); },
                            [this] {
                              const TBoard* b = project_.Active();
                              return b ? MacroGridOf(b->Platine) : TMacroGrid{};
                            },
                            [this] { return settings_.Options.BezWertFlip; }, [this] { EditMacroComponent(); }});
  macroDock_ = new QDockWidget(TMacroPanel::Heading(), this);
  macroDock_->setObjectName("MacroDock");
  macroDock_->setWidget(macro_);
  addDockWidget(Qt::LeftDockWidgetArea, macroDock_);
  macroAction_ = options->addAction(tr("Macro-Library"));
  macroAction_->setObjectName("ShowMacroLibrary");
  macroAction_->setCheckable(true);
  macroAction_->setToolTip(tr("Show/hide Macro-Library"));
  connect(macroAction_, &QAction::toggled, this, [this](bool on) {
    settings_.Options.Makro = on;
    macroDock_->setVisible(on);
  });
  connect(macroDock_, &QDockWidget::visibilityChanged, macroAction_,
          [this](bool) { macroAction_->setChecked(!macroDock_->isHidden()); });
  view_->SetDropHandler({[this](const QMimeData& data) {
                           return data.hasFormat(kMacroMimeType) && macro_->Session().Loaded() &&
                                  !macro_->Session().Macro().Elements.empty() && project_.Active();
                         },
                         [this](const TPointer& p) { MacroDragMove(p); },
                         [this](const TPointer& p, const QMimeData&) { MacroDrop(p); }, [this] { MacroDragLeave(); }});
  // The Board-Zoom panel, shown as the settings say.
  overviewDock_ = new QDockWidget(tr("Board-Zoom"), this);
  overviewDock_->setObjectName("BoardZoom");
  overviewDock_->setWidget(new TBoardOverview(view_, overviewDock_));
  addDockWidget(Qt::RightDockWidgetArea, overviewDock_);
  QAction* showOverview = options->addAction(tr("Show Board-Zoom"));
  showOverview->setCheckable(true);
  connect(showOverview, &QAction::toggled, this, [this](bool on) {
    settings_.Options.PlatinenZoom = on;
    overviewDock_->setVisible(on);
  });
  connect(overviewDock_, &QDockWidget::visibilityChanged, showOverview,
          [this, showOverview](bool) { showOverview->setChecked(!overviewDock_->isHidden()); });
  overviewAction_ = showOverview;

  // The properties panel: the Options menu, a tool bar button and the
  // panel's close button show and hide it.
  properties_ = new TPropertiesPanel(*this);
  propertiesDock_ = new QDockWidget(TPropertiesPanel::Heading(), this);
  propertiesDock_->setObjectName("Properties");
  propertiesDock_->setWidget(properties_);
  addDockWidget(Qt::RightDockWidgetArea, propertiesDock_);
  propertiesAction_ = options->addAction(tr("Properties-Panel"));
  propertiesAction_->setCheckable(true);
  propertiesAction_->setToolTip(tr("Show/hide Properties-Panel"));
  connect(propertiesAction_, &QAction::toggled, this, [this](bool on) {
    settings_.Options.Eigenschaften = on;
    propertiesDock_->setVisible(on);
    if (on) properties_->RefreshPanel();
  });
  connect(propertiesDock_, &QDockWidget::visibilityChanged, propertiesAction_,
          [this](bool) { propertiesAction_->setChecked(!propertiesDock_->isHidden()); });
  commands_->SetPropertiesCommand([this] { ShowProperties(false); });

  // The design rule check's panel; its rules come from the settings file
  // and go back into it when the window closes.
  drc_ = new TDrcPanel(*view_, {[this] { return LongOperationTimers(); },
                                [this] {
                                  if (TBoard* b = project_.Active()) DeselectAll(b->Elements);
                                  SelectionChanged();
                                  view_->Refresh();
                                }});
  {
    TIniFile ini;
    ini.Load(SettingsFilePath());
    drc_->SetRules(ReadDrcRules(ini));
  }
  drcDock_ = new QDockWidget(TDrcPanel::Heading(), this);
  drcDock_->setObjectName("DrcDock");
  drcDock_->setWidget(drc_);
  addDockWidget(Qt::RightDockWidgetArea, drcDock_);
  drcDock_->hide();
  QAction* showDrc = options->addAction(tr("DRC-Panel"));
  showDrc->setObjectName("ShowDrcPanel");
  showDrc->setCheckable(true);
  connect(showDrc, &QAction::toggled, drcDock_, &QDockWidget::setVisible);
  connect(drcDock_, &QDockWidget::visibilityChanged, showDrc,
          [this, showDrc](bool) { showDrc->setChecked(!drcDock_->isHidden()); });
  // The components panel; its columns come from the settings file.
  components_ = new TBTList({[this] { return project_.Active(); },
                             [this] {
                               view_->Refresh();
                               SelectionChanged();
                             },
                             [this](int16_t no) { EditComponent(no); },
                             [this](int16_t no, bool id, const QString& text) {
                               const TEditResult r = SetComponentLabelText(
                                   project_, no, id, Utf8ToCp1251(text.toStdString()), NewLabelStyle());
                               if (r.Status == TEditStatus::Failed)
                                 QMessageBox::warning(this, kCaption, Text(r.Message));
                               view_->Refresh();
                               BoardEdited();
                               ComponentsChanged();
                             },
                             [this] { ExportComponents(); }});
  {
    TIniFile ini;
    ini.Load(SettingsFilePath());
    components_->SetColumns(ReadComponentColumns(ini));
    pnpOptions_ = ReadPnpOptions(ini);
  }
  componentsDock_ = new QDockWidget(TBTList::Heading(), this);
  componentsDock_->setObjectName("ComponentDock");
  componentsDock_->setWidget(components_);
  addDockWidget(Qt::RightDockWidgetArea, componentsDock_);
  componentsDock_->hide();
  componentsAction_ = options->addAction(tr("Components-Panel"));
  componentsAction_->setObjectName("ShowComponentPanel");
  componentsAction_->setCheckable(true);
  componentsAction_->setToolTip(tr("Show/hide Component-Panel"));
  connect(componentsAction_, &QAction::toggled, this, [this](bool on) {
    settings_.Options.Bauteile = on;
    componentsDock_->setVisible(on);
    if (on) components_->Rebuild();
  });
  connect(componentsDock_, &QDockWidget::visibilityChanged, componentsAction_,
          [this](bool) { componentsAction_->setChecked(!componentsDock_->isHidden()); });
  // The element search; its choices come from the settings file.
  selector_ = new TSelector({[this] { return project_.Active(); },
                             [this](double fill) {
                               view_->Refresh();
                               view_->ZoomSelection(fill);
                               SelectionChanged();
                             },
                             [this] { return settings_.Options.MIL; }, [] { return UiLanguage(); }});
  {
    TIniFile ini;
    ini.Load(SettingsFilePath());
    selector_->SetSettings(ReadSelectorSettings(ini));
  }
  selectorDock_ = new QDockWidget(TSelector::Heading(), this);
  selectorDock_->setObjectName("SelectorDock");
  selectorDock_->setWidget(selector_);
  addDockWidget(Qt::RightDockWidgetArea, selectorDock_);
  selectorDock_->hide();
  selectorAction_ = options->addAction(tr("Selector-Panel"));
  selectorAction_->setObjectName("ShowSelectorPanel");
  selectorAction_->setCheckable(true);
  selectorAction_->setToolTip(tr("Show/hide Selector-Panel"));
  connect(selectorAction_, &QAction::toggled, this, [this](bool on) {
    settings_.Options.Selector = on;
    selectorDock_->setVisible(on);
    if (on) selector_->Rebuild();
  });
  connect(selectorDock_, &QDockWidget::visibilityChanged, selectorAction_,
          [this](bool) { selectorAction_->setChecked(!selectorDock_->isHidden()); });
  options->addAction(tr("Zoom &board"), this, [this] { view_->ZoomBoard(); });
  options->addAction(tr("Zoom &objects"), this, [this] { view_->ZoomObjects(); });
  options->addAction(tr("Zoom &selection"), this, [this] { view_->ZoomSelection(); });
  options->addAction(tr("Zoom previous"), this, [this] { view_->ZoomPrevious(); });
  // The language of the next start.
  options->addSeparator();
  options->addMenu(new TLanguageMenu(this));

  QMenu* help = menuBar()->addMenu(tr("&Help"));
  QAction* index = help->addAction(tr("&Index..."), this, &TMainWindow::ShowHelp);
  index->setShortcut(Qt::Key_F1);
  help->addAction(tr("I&nfo..."), this, [this] { TInfoWindow(this).exec(); });

  QToolBar* bar = addToolBar(tr("View"));
  bar->setObjectName("ViewBar");
  antialias_ = bar->addAction(tr("Antialias"));
  antialias_->setCheckable(true);
  antialias_->setChecked(true);
  connect(antialias_, &QAction::toggled, view_, &TBoardView::SetAntiAliased);

  // The grid button shows the grid step and opens the grid menu.
  gridButton_ = new QToolButton(this);
  gridButton_->setObjectName("GridButton");
  gridButton_->setPopupMode(QToolButton::InstantPopup);
  gridMenu_ = new QMenu(gridButton_);
  gridButton_->setMenu(gridMenu_);
  connect(gridMenu_, &QMenu::aboutToShow, this, &TMainWindow::BuildGridMenu);
  bar->addWidget(gridButton_);
  // Keys 1 ... 9 choose the grid hotkeys while the drawing area has the focus.
  for (int i = 0; i < 9; ++i) {
    auto* key = new QShortcut(QKeySequence(Qt::Key_1 + i), view_);
    key->setContext(Qt::WidgetWithChildrenShortcut);
    connect(key, &QShortcut::activated, this, [this, i] { SetGridCode(settings_.GridHotkeys[size_t(i)]); });
  }
}

void TMainWindow::BuildToolBars() {
  palette_ = new TToolPalette(view_, this);
  addToolBar(Qt::LeftToolBarArea, palette_);
  connect(palette_, &TToolPalette::ToolChosen, this, &TMainWindow::SetTool);
  BuildToolMenus();
  // The ground plane of the active layer beside the layers; the sizes below.
  groundBar_ = new TGroundPlaneBar(project_, this);
  addToolBar(groundBar_);
  addToolBarBreak();
  sizeBar_ = new TSizeBar(settings_, this);
  addToolBar(sizeBar_);
  connect(sizeBar_, &TSizeBar::SizeEdited, this, &TMainWindow::ApplySize);
  connect(groundBar_, &TGroundPlaneBar::DistanceEdited, this,
          [this](int32_t units) { ApplySize(TSizeField::Clearance, units); });
  connect(groundBar_, &TGroundPlaneBar::PlaneSwitched, this, [this] {
    RefreshTitle();
    // Switching the plane releases the cut-out buttons.
    zoneTool_->SetCutout(false);
    rectangleTool_->SetCutout(false);
    RefreshProperties();
    view_->Refresh();
  });
  connect(groundBar_, &TGroundPlaneBar::CutoutChosen, this, [this](bool rectangle) {
    SetTool(rectangle ? kToolRectangle : kToolZone);
    if (tool_ != (rectangle ? kToolRectangle : kToolZone)) return;
    if (rectangle) rectangleTool_->SetCutout(true);
    else zoneTool_->SetCutout(true);
    groundBar_->ShowCutout(!rectangle, rectangle);
  });
  QToolBar* commandBar = commands_->BuildToolBar(this);
  commandBar->addSeparator();
  commandBar->addAction(addComponentAction_);
  commandBar->addAction(selectorAction_);
  commandBar->addAction(macroAction_);
  commandBar->addAction(propertiesAction_);
  // Automatic capture of pad centres and nodes, and how far track ends follow moved pads.
  captureAction_ = commandBar->addAction(tr("Capture"));
  captureAction_->setCheckable(true);
  captureAction_->setToolTip(tr("Automatic capture of connection points"));
  connect(captureAction_, &QAction::toggled, this, [this](bool on) { settings_.Options.Fang = on; });
  auto* follow = new QToolButton(commandBar);
  follow->setObjectName("FollowButton");
  follow->setText(tr("Rubber band"));
  follow->setToolTip(tr("Track ends near moved pads follow them"));
  follow->setPopupMode(QToolButton::InstantPopup);
  auto* followMenu = new QMenu(follow);
  auto* levels = new QActionGroup(this);
  const QString captions[3] = {tr("Off"), tr("Small (0.5 mm)"), tr("Large (1 mm)")};
  for (int level = 0; level < 3; ++level) {
    QAction* a = followMenu->addAction(captions[level]);
    a->setCheckable(true);
    levels->addAction(a);
    followActions_[size_t(level)] = a;
    connect(a, &QAction::triggered, this, [this, level] { settings_.Options.Gummiband = level; });
  }
  follow->setMenu(followMenu);
  commandBar->addWidget(follow);
  addToolBar(commandBar);
  view_->installEventFilter(this);
}

void TMainWindow::BuildTools() {
  // One object per tool mode; a tool added later is registered here.
  auto edit = std::make_unique<TEditTool>(*this);
  editTool_ = edit.get();
  tools_[kToolEdit] = std::move(edit);
  auto placement = std::make_unique<TPlacementTool>(*this);
  placementTool_ = placement.get();
  tools_[kToolPlacement] = std::move(placement);
  tools_[kToolMeasure] = std::make_unique<TMeasureTool>(*this);
  tools_[kToolTest] = std::make_unique<TTestTool>(*this);
  auto track = std::make_unique<TPolylineTool>(*this, false);
  auto zone = std::make_unique<TPolylineTool>(*this, true);
  zoneTool_ = zone.get();
  tools_[kToolTrack] = std::move(track);
  tools_[kToolZone] = std::move(zone);
  tools_[kToolCircle] = std::make_unique<TDragShapeTool>(*this, true);
  auto rectangle = std::make_unique<TDragShapeTool>(*this, false);
  rectangleTool_ = rectangle.get();
  tools_[kToolRectangle] = std::move(rectangle);
  tools_[kToolPad] = std::make_unique<TPadTool>(*this, false);
  tools_[kToolSmdPad] = std::make_unique<TPadTool>(*this, true);
  tools_[kToolSolderMask] = std::make_unique<TSolderMaskTool>(*this);
  tools_[kToolConnections] = std::make_unique<TConnectionTool>(*this);
  textDialog_ = new TTextDialog(this);
  tools_[kToolText] = std::make_unique<TTextTool>(*this, *textDialog_);
  commands_ = new TEditCommands(*this, *placementTool_, this);
}

void TMainWindow::BuildToolMenus() {
  // The pad shape menu: the nine shapes and the through-pad mark.
  QMenu* pad = palette_->PadMenu();
  auto* shapes = new QActionGroup(this);
  const QString names[] = {tr("Round"),
                           tr("Octagon"),
                           tr("Square"),
                           tr("Rounded, horizontal"),
                           tr("Octagon, horizontal"),
                           tr("Rectangle, horizontal"),
                           tr("Rounded, vertical"),
                           tr("Octagon, vertical"),
                           tr("Rectangle, vertical")};
  for (int shape = kShapeRound; shape <= kShapeRectV; ++shape) {
    QAction* a = pad->addAction(QIcon(PadShapePicture(shape, 32)), names[shape - 1]);
    a->setCheckable(true);
    a->setChecked(shape == padShape_);
    shapes->addAction(a);
    shapeActions_[size_t(shape - 1)] = a;
    connect(a, &QAction::triggered, this, [this, shape] { ChoosePadShape(shape); });
  }
  pad->addSeparator();
  throughPadAction_ = pad->addAction(tr("Through pad"));
  throughPadAction_->setCheckable(true);
  connect(throughPadAction_, &QAction::triggered, this, [this](bool on) { SetThroughPad(on); });

  // The rectangle menu: an outline (a closed track) or filled (a zone).
  QMenu* rect = palette_->RectangleMenu();
  auto* kinds = new QActionGroup(this);
  QAction* outline = rect->addAction(tr("Track"));
  QAction* filled = rect->addAction(tr("Zone"));
  for (QAction* a : {outline, filled}) {
    a->setCheckable(true);
    kinds->addAction(a);
  }
  outline->setChecked(true);
  connect(filled, &QAction::toggled, this, [this](bool on) { rectangleTool_->SetFilled(on); });
}

void TMainWindow::ChoosePadShape(int shape) {
  padShape_ = shape;
  shapeActions_[size_t(shape - 1)]->setChecked(true);
  if (ApplySizeToSelection(project_, TSizeField::PadShape, shape).Done()) {
    view_->Refresh();
    BoardEdited();
  }
  if (TTool* t = ToolObject(tool_)) t->Modifiers(QGuiApplication::keyboardModifiers());
  view_->RefreshOverlay();
}

void TMainWindow::SetThroughPad(bool on) {
  throughPad_ = on;
  if (throughPadAction_) throughPadAction_->setChecked(on);
  if (ApplyThroughPad(project_, on).Done()) {
    view_->Refresh();
    BoardEdited();
  }
}

TNewSizes TMainWindow::NewSizes() {
  TNewSizes s;
  s.TrackWidth = settings_.Sizes.Track;
  s.PadOuter = settings_.Sizes.Circle1;
  s.PadDrill = settings_.Sizes.Circle2;
  s.PadShape = static_cast<uint8_t>(padShape_);
  s.ThroughPad = throughPad_;
  s.SmdWidth = settings_.Sizes.SMDX;
  s.SmdHeight = settings_.Sizes.SMDY;
  s.Clearance = groundBar_->CurrentClearance();
  return s;
}

void TMainWindow::SizesChanged() { sizeBar_->Refresh(); }

void TMainWindow::NodeMoved() {
  if (propertiesDock_->isVisible()) properties_->RefreshTrackLength();
}

// ---- the properties panel ----

void TMainWindow::RefreshProperties() {
  if (properties_ && propertiesDock_->isVisible()) properties_->RefreshPanel();
}

void TMainWindow::ShowProperties(bool board) {
  if (board) {
    // The board page: nothing stays selected.
    if (TBoard* b = project_.Active())
      for (const auto& e : b->Elements) {
        if (!e->Selected) continue;
        view_->InvalidateArea(CullBounds(*e));
        SetSelected(*e, false);
      }
    SelectionChanged();
  }
  propertiesAction_->setChecked(true);
  properties_->RefreshPanel();
  properties_->Flash();
}

uint32_t TMainWindow::LayerColour(int layer) { return view_->Settings().Scheme.Layer(layer); }

void TMainWindow::BeforeChange() {
  RecordUndo(project_);
  RefreshEditMenu();
}

void TMainWindow::Changed() {
  ShowSelectionSizes();
  RefreshTitle();
  RefreshEditMenu();
}

void TMainWindow::BoardChanged() {
  RefreshTabs();
  layers_->SetBoard(project_.Active(), view_->Settings().Scheme);
  groundBar_->Refresh();
  hruler_->update();
  vruler_->update();
  view_->UpdateScrollBars();
  view_->Refresh();
  RefreshTitle();
  RefreshEditMenu();
}

void TMainWindow::ShowImaxSettings() { OpenOptions(TOptionsDialog::kPageImax); }

void TMainWindow::PadShapeMenu(QPoint global) {
  palette_->PadMenu()->exec(global);
  RefreshProperties();
}

void TMainWindow::PadSizeMenu(QPoint global) {
  sizeBar_->PadMenu()->exec(global);
  RefreshProperties();
}

void TMainWindow::SmdSizeMenu(QPoint global) {
  sizeBar_->SmdMenu()->exec(global);
  RefreshProperties();
}

void TMainWindow::InvalidateArea(const TURect& model) { view_->InvalidateArea(model); }

void TMainWindow::Repaint() { view_->RefreshOverlay(); }

void TMainWindow::ComponentsChanged() {
  // The search tree names elements: it is built again before its next use.
  if (selector_) selector_->MarkStale();
  // Many changes may come from one event: the list is built once after them.
  if (!components_ || componentsDock_->isHidden() || componentListDue_) return;
  componentListDue_ = true;
  QTimer::singleShot(0, this, [this] {
    componentListDue_ = false;
    if (!componentsDock_->isHidden()) components_->Rebuild();
  });
}

void TMainWindow::ApplySize(TSizeField field, int32_t value) {
  if (ApplySizeToSelection(project_, field, value).Done()) {
    view_->Refresh();
    BoardEdited();
  }
  if (TTool* t = ToolObject(tool_)) t->Modifiers(QGuiApplication::keyboardModifiers());  // the previews
  view_->RefreshOverlay();
}

void TMainWindow::ShowSelectionSizes() {
  // The connection and autoroute tools leave the fields as they are.
  const TBoard* b = project_.Active();
  if (!b || tool_ == kToolConnections || tool_ == kToolAutoroute) return;
  const TSelectionSizes s = SelectionSizes(*b);
  // With "StrgZumFangen" a selection passes its sizes to new elements only
  // when CTRL was held.
  const Qt::KeyboardModifiers held = QGuiApplication::keyboardModifiers() | view_->PointerModifiers();
  const bool takeOver = !settings_.Options.StrgZumFangen || (held & Qt::ControlModifier);
  sizeBar_->ShowSelection(s, takeOver);
  TLengthField* distance = groundBar_->DistanceField();
  if (!s.Clearance.Contributes) {
    distance->SetUnits(groundBar_->CurrentClearance());
    SetFieldLook(distance, TFieldLook::Normal);
  } else if (s.Clearance.Mixed) {
    SetFieldLook(distance, TFieldLook::Mixed);
  } else {
    if (takeOver) groundBar_->ShowClearance(s.Clearance.Value);
    else distance->SetUnits(s.Clearance.Value);
    SetFieldLook(distance, TFieldLook::Selection);
  }
  if (!takeOver) return;
  if (s.PadShape.Contributes && !s.PadShape.Mixed && s.PadShape.Value >= kShapeRound &&
      s.PadShape.Value <= kShapeRectV) {
    padShape_ = s.PadShape.Value;
    shapeActions_[size_t(padShape_ - 1)]->setChecked(true);
  }
  if (s.ThroughPad) {
    throughPad_ = *s.ThroughPad;
    throughPadAction_->setChecked(throughPad_);
  }
}

void TMainWindow::ActiveLayerChanged() {
  TBoard* b = project_.Active();
  if (!b) return;
  layers_->SetBoard(b, view_->Settings().Scheme);
  groundBar_->Refresh();
  view_->Refresh();
  commands_->Refresh();
}

TTool* TMainWindow::ToolObject(int mode) const {
  const auto it = tools_.find(mode);
  return it == tools_.end() ? nullptr : it->second.get();
}

void TMainWindow::BoardEdited() {
  ComponentsChanged();
  ShowSelectionSizes();
  RefreshProperties();
  RefreshTitle();
  RefreshEditMenu();
  hruler_->update();
  vruler_->update();
}

void TMainWindow::SelectionChanged() {
  if (components_ && !componentsDock_->isHidden()) components_->ShowSelection();
  commands_->Refresh();
  RefreshProperties();
  ShowSelectionSizes();
  if (throughPadAction_) throughPadAction_->setEnabled(commands_->ThroughPadAvailable());
  palette_->RefreshZoomMenu(project_.Active());
}

void TMainWindow::ShowHint(const QString& hint) { hint_->setText(hint); }

void TMainWindow::ShowKeyPanel(bool shown) {
  const TTool* t = ToolObject(tool_);
  keyPanel_->Show(QGuiApplication::keyboardModifiers(), false, t ? t->BendMode() : 0);
  keyPanel_->setVisible(shown);
}

void TMainWindow::ShowDragValues(const QString& values) {
  dragValues_->setText(values);
  dragValues_->setVisible(!values.isEmpty());
}

QString TMainWindow::DragValues() const { return dragValues_->text(); }

void TMainWindow::ElementMenu(QPoint global, TObjekt* under, TDPoint model) {
  commands_->ExecElementMenu(global, under, model);
}

void TMainWindow::NodeMenu(QPoint global, TObjekt& e, size_t node) { commands_->ExecNodeMenu(global, e, node); }

void TMainWindow::ElementDoubleClicked(TObjekt& e) {
  emit ElementActivated(&e);
  // A component's element opens the component; a plain text its text dialog.
  if (e.ComponentNo != 0) EditComponent(e.ComponentNo);
  else if (e.Kind == kKindText) EditText(e);
}

void TMainWindow::EditText(TObjekt& text) {
  // The dialog shows the text as it is; OK changes it and rebuilds its strokes.
  textDialog_->SetUnit(settings_.Options.MIL ? TDisplayUnit::Mil : TDisplayUnit::Mm);
  textDialog_->SetHeightLimit(settings_.Options.SchrifthoeheBegrenzen);
  textDialog_->ShowNumbering(false);
  textDialog_->SetFields(TextFieldsOf(text));
  if (textDialog_->exec() != QDialog::Accepted) return;
  const TURect before = CullBounds(text);
  const TEditResult r = ChangeText(project_, text, textDialog_->Fields());
  if (!r.Message.empty()) QMessageBox::warning(this, QStringLiteral("Boardsmith"), CoreText(r.Message));
  if (!r.Done()) return;
  view_->InvalidateArea(before);
  view_->InvalidateArea(CullBounds(text));
  BoardEdited();
}

void TMainWindow::DeleteSelection() { commands_->DeleteSelection(); }

void TMainWindow::SetTool(int mode) {
  TTool* next = ToolObject(mode);
  if (!palette_->Action(mode) && !next) return;
  spaceReturn_.reset();
  // The old tool drops what it was doing before anything else changes.
  if (TTool* old = ToolObject(tool_)) old->Deactivate();
  view_->SetActiveTool(nullptr);
  tool_ = mode;
  // Nothing stays selected; only where selected elements were is painted again.
  if (TBoard* b = project_.Active())
    for (const auto& e : b->Elements) {
      if (!e->Selected) continue;
      view_->InvalidateArea(CullBounds(*e));
      e->Selected = 0;
      for (const auto& stroke : e->SubElements) stroke->Selected = 0;
    }
  view_->SetTool(mode);
  view_->viewport()->setCursor(TToolPalette::Cursor(mode));
  palette_->Check(mode);
  ShowDragValues(QString());
  // The photo view shows every layer: its panels have nothing to switch.
  layers_->setEnabled(mode != kToolPhotoView);
  groundBar_->setEnabled(mode != kToolPhotoView);
  sizeBar_->Refresh();
  groundBar_->RestoreRememberedClearance();
  SetFieldLook(groundBar_->DistanceField(), TFieldLook::Normal);
  // Choosing a tool releases the cut-out buttons (they press themselves
  // down again after choosing theirs).
  zoneTool_->SetCutout(false);
  rectangleTool_->SetCutout(false);
  groundBar_->ShowCutout(false, false);
  if (next) next->Activate();
  view_->SetActiveTool(next);
  hint_->setText(next ? next->Hint() : TToolPalette::Hint(mode));
  ShowKeyPanel(next && next->KeyPanel());
  commands_->Refresh();
}

QString TMainWindow::ToolHint() const { return hint_->text(); }

bool TMainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == view_) {
    const QEvent::Type type = event->type();
    if ((type == QEvent::KeyPress || type == QEvent::KeyRelease) &&
        ToolKey(*static_cast<QKeyEvent*>(event), type == QEvent::KeyPress))
      return true;
    // A space bar or SHIFT released elsewhere ends what they started all the same.
    if (type == QEvent::FocusOut && spaceReturn_) SetTool(*spaceReturn_);
    if (type == QEvent::FocusOut) HalveGrid(false);
  }
  return QMainWindow::eventFilter(watched, event);
}

bool TMainWindow::ToolKey(const QKeyEvent& key, bool pressed) {
  if (key.key() == Qt::Key_Shift || key.key() == Qt::Key_Control) {
    if (key.isAutoRepeat()) return true;
    Qt::KeyboardModifiers mods = key.modifiers();
    // The event of a modifier key may or may not carry the key itself.
    const Qt::KeyboardModifier own = key.key() == Qt::Key_Shift ? Qt::ShiftModifier : Qt::ControlModifier;
    mods = pressed ? (mods | own) : (mods & ~own);
    if (key.key() == Qt::Key_Shift) HalveGrid(pressed);
    ModifiersChanged(mods);
    return false;
  }
  if (key.modifiers() & Qt::AltModifier) return false;
  if (key.key() == Qt::Key_Space) {
    if (key.isAutoRepeat()) return true;
    if (TTool* t = ToolObject(tool_); t && t->Key(key, pressed)) return true;
    // Held down (with no button held), the space bar lends the zoom tool
    // until it is released.
    if (pressed && !view_->Dragging() && QGuiApplication::mouseButtons() == Qt::NoButton && tool_ != kToolZoom &&
        tool_ != kToolText && tool_ != kToolSpecialForm) {
      const int back = tool_;
      SetTool(kToolZoom);
      spaceReturn_ = back;
    } else if (!pressed && spaceReturn_) {
      SetTool(*spaceReturn_);
    }
    return true;
  }
  if (!pressed) return false;
  if (key.key() == Qt::Key_Escape) {
    SetTool(kToolEdit);
    return true;
  }
  if (TTool* t = ToolObject(tool_); t && t->Key(key, pressed)) {
    view_->RefreshOverlay();
    return true;
  }
  if (CommonKey(key)) return true;
  if (key.modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) return false;
  // The tool letters of the settings, in either case.
  const std::string& letters = settings_.Options.Hotkeys;
  const QString typed = key.text().toUpper();
  if (typed.size() != 1) return false;
  for (size_t hot = 0; hot < letters.size() && hot < kToolHotkeyCount; ++hot) {
    if (letters[hot] == '_' || typed[0] != QChar::fromLatin1(letters[hot]).toUpper()) continue;
    const int mode = ToolOfHotkey(int(hot));
    if (mode < 0 || (!palette_->Action(mode) && !ToolObject(mode))) return false;
    SetTool(mode);
    return true;
  }
  return false;
}

void TMainWindow::ModifiersChanged(Qt::KeyboardModifiers mods) {
  if (keyPanel_->isVisible()) {
    const TTool* t = ToolObject(tool_);
    keyPanel_->Show(mods, false, t ? t->BendMode() : 0);
  }
  if (TTool* t = ToolObject(tool_)) {
    t->Modifiers(mods);
    view_->RefreshOverlay();
  }
}

void TMainWindow::HalveGrid(bool halve) {
  if (halve == (halvedBoard_ != nullptr)) return;
  TBoard* b = halve ? project_.Active() : halvedBoard_;
  // The halved board may be gone (closed or deleted) by now.
  const bool exists =
      std::any_of(project_.Boards.begin(), project_.Boards.end(), [b](const auto& board) { return board.get() == b; });
  halvedBoard_ = halve ? b : nullptr;
  if (!b || !exists) return;
  SetGrid(b->Platine, halve ? b->Platine.Grid / 2 : b->Platine.Grid * 2);
  RefreshGridButton();
  if (settings_.Options.RasterSichtbar) view_->Refresh();
}

bool TMainWindow::CommonKey(const QKeyEvent& key) {
  TBoard* b = project_.Active();
  if (!b || (key.modifiers() & (Qt::ControlModifier | Qt::MetaModifier) && key.key() != Qt::Key_0)) return false;
  auto activate = [this, b](int layer) {
    SetActiveLayer(b->Platine, b->Elements, layer);
    layers_->SetBoard(b, view_->Settings().Scheme);
    groundBar_->Refresh();
    view_->Refresh();
    commands_->Refresh();
  };
  const int active = b->Platine.ActiveLayer;
  switch (key.key()) {
    case Qt::Key_F9: activate(active == kLayerC1 ? kLayerC2 : kLayerC1); return true;
    case Qt::Key_F11: activate(active == kLayerS1 ? kLayerS2 : active == kLayerS2 ? kLayerO : kLayerS1); return true;
    case Qt::Key_F12:
      // Like the menu entry: with nothing selected or a THT pad on copper among the selection.
      if (commands_->ThroughPadAvailable()) SetThroughPad(!throughPad_);
      return true;
    case Qt::Key_0: {
      // The zero point at the pointer, on the grid unless CTRL is held.
      const QPoint at = view_->viewport()->mapFromGlobal(QCursor::pos());
      if (!view_->viewport()->rect().contains(at)) return true;
      const TDPoint model = PixelToModel(b->Platine, {double(at.x()), double(at.y())});
      const TIPoint p = ZeroPointAt(b->Platine, model, key.modifiers() & Qt::ControlModifier);
      if (p.X == b->Platine.OriginX && p.Y == b->Platine.OriginY) return true;
      RecordUndo(project_);
      SetZeroPoint(b->Platine, p);
      view_->Refresh();
      BoardEdited();
      return true;
    }
    default: return false;
  }
}

void TMainWindow::SetGridCode(int32_t code) {
  TBoard* b = project_.Active();
  const double units = GridUnitsFromCode(code);
  if (!b || !(units > 0)) return;
  if (halvedBoard_ == b) halvedBoard_ = nullptr;  // the new grid is whole
  SetGrid(b->Platine, units);
  RefreshGridButton();
  view_->Refresh();
}

void TMainWindow::RefreshGridButton() {
  const TBoard* b = project_.Active();
  gridButton_->setText(
      b ? QString::fromStdString(GridButtonText(b->Platine.Grid / 10000.0, TDisplayUnit::Mm, UiLanguage())).trimmed()
        : QString());
}

void TMainWindow::BuildGridMenu() {
  gridMenu_->clear();
  const TBoard* b = project_.Active();
  const double grid = b ? b->Platine.Grid : 0;
  auto entry = [&](QMenu* menu, int32_t code, const QString& suffix) {
    const double mm = DecodeGridValue(code).value_or(0);
    QAction* a = menu->addAction(QString::fromStdString(GridMenuText(mm, TDisplayUnit::Mm, UiLanguage())) + suffix);
    a->setCheckable(true);
    a->setChecked(GridMatches(grid, mm));
    connect(a, &QAction::triggered, this, [this, code] { SetGridCode(code); });
  };
  QMenu* inch = gridMenu_->addMenu(tr("Inch-based (2.54 mm = RM)"));
  for (const TGridPreset& g : kInchGrids) entry(inch, g.Code, QString("   ") + g.Name);
  QMenu* metric = gridMenu_->addMenu(tr("Metric"));
  for (const TGridPreset& g : kMetricGrids) entry(metric, g.Code, "");
  gridMenu_->addSeparator();
  for (int32_t code : settings_.UserGrids) entry(gridMenu_, code, "");
  gridMenu_->addAction(tr("Add user grid..."), this, [this] {
    bool ok = false;
    const QString typed = QInputDialog::getText(this, tr("User grid"), tr("Grid in mm:"), QLineEdit::Normal, "", &ok);
    if (!ok) return;
    const TUserGridAdd r = AddUserGrid(settings_.UserGrids, typed.toStdString(), TGridUnit::Mm);
    if (!r.Error.empty()) {
      QMessageBox::warning(this, kCaption, Text(r.Error));
      return;
    }
    SetGridCode(settings_.UserGrids[size_t(r.Index)]);
  });
  if (!settings_.UserGrids.empty()) {
    QMenu* remove = gridMenu_->addMenu(tr("Remove user grid"));
    for (size_t i = 0; i < settings_.UserGrids.size(); ++i) {
      const double mm = DecodeGridValue(settings_.UserGrids[i]).value_or(0);
      remove->addAction(QString::fromStdString(GridMenuText(mm, TDisplayUnit::Mm, UiLanguage())), this,
                        [this, i] { settings_.UserGrids.erase(settings_.UserGrids.begin() + long(i)); });
    }
  }
  gridMenu_->addSeparator();
  auto& o = settings_.Options;
  auto toggle = [&](QMenu* menu, const QString& caption, bool checked, std::function<void()> run) {
    QAction* a = menu->addAction(caption);
    a->setCheckable(true);
    a->setChecked(checked);
    connect(a, &QAction::triggered, this, [this, run] {
      run();
      ApplySettings();
    });
  };
  toggle(gridMenu_, tr("Lines"), !o.Punktraster, [&o] { o.Punktraster = false; });
  toggle(gridMenu_, tr("Dots"), o.Punktraster, [&o] { o.Punktraster = true; });
  QMenu* marks = gridMenu_->addMenu(tr("Subdivision"));
  for (int every : {0, 2, 4, 5, 10})
    toggle(marks, every ? tr("Every %1 lines").arg(every) : tr("Off"), o.RasterMarkierung == every,
           [&o, every] { o.RasterMarkierung = every; });
  toggle(gridMenu_, tr("Show grid"), o.RasterSichtbar, [&o] { o.RasterSichtbar = !o.RasterSichtbar; });
}

void TMainWindow::EditProjectInfo() {
  QDialog dialog(this);
  dialog.setWindowTitle(tr("Project info"));
  auto* form = new QFormLayout(&dialog);
  auto* title = new QLineEdit(QString::fromStdString(Cp1251ToUtf8(project_.Info.Title)));
  auto* author = new QLineEdit(QString::fromStdString(Cp1251ToUtf8(project_.Info.Author)));
  auto* company = new QLineEdit(QString::fromStdString(Cp1251ToUtf8(project_.Info.Company)));
  auto* comment = new QPlainTextEdit(QString::fromStdString(Cp1251ToUtf8(project_.Info.Comment)).replace("\r\n", "\n"));
  for (QLineEdit* e : {title, author, company}) e->setMaxLength(100);
  form->addRow(tr("Title:"), title);
  form->addRow(tr("Author:"), author);
  form->addRow(tr("Company:"), company);
  form->addRow(tr("Comment:"), comment);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  form->addRow(buttons);
  connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  if (dialog.exec() != QDialog::Accepted) return;
  auto bytes = [](const QString& s, size_t max) { return Utf8ToCp1251(s.toStdString()).substr(0, max); };
  project_.Info.Title = bytes(title->text(), 100);
  project_.Info.Author = bytes(author->text(), 100);
  project_.Info.Company = bytes(company->text(), 100);
  project_.Info.Comment = bytes(comment->toPlainText().replace("\n", "\r\n"), 1900);
  project_.Changed = true;
  RefreshTitle();
}

bool TMainWindow::Autosave() {
  if (project_.FileName.empty() || QFileInfo(QString::fromStdString(project_.FileName)).suffix().toLower() == "bak")
    return false;
  const QString before = statusBar()->currentMessage();
  statusBar()->showMessage(tr("Autosave..."));
  const TWriteResult w = WriteProject(project_, AutosaveName(project_.FileName), true);
  // A failed autosave must not pass unnoticed: its reason stays in the status
  // line until the next message.
  if (w.Ok) statusBar()->showMessage(before);
  else statusBar()->showMessage(tr("Autosave failed: %1").arg(Text(w.Error).replace('\r', ' ').replace('\n', ' ')));
  return w.Ok;
}

bool TMainWindow::ImportBoards(const QString& path) {
  const TFileCheck check = CheckFile(path.toStdString());
  if (!check.Ok) {
    QMessageBox::critical(this, tr("Open"), Text(check.Message));
    return false;
  }
  DetachBoard();
  const TReadResult r = ReadProjectFile(project_, path.toStdString(), true, {UiLanguage()});
  RefreshTabs();
  ShowActiveBoard();
  if (!r.Error.empty()) QMessageBox::warning(this, kCaption, Text(r.Error));
  return r.Ok;
}

TProjectUi TMainWindow::Ui() {
  TProjectUi ui;
  ui.Confirm = [this](const std::string& q) {
    return QMessageBox::question(this, kCaption, Text(q), QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
  };
  ui.AskYesNoCancel = [this](const std::string& q) {
    const auto a =
        QMessageBox::question(this, kCaption, Text(q), QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    return a == QMessageBox::Yes ? TAnswer::Yes : a == QMessageBox::No ? TAnswer::No : TAnswer::Cancel;
  };
  ui.Inform = [this](const std::string& m) { QMessageBox::information(this, kCaption, Text(m)); };
  return ui;
}

void TMainWindow::RefreshTabs() {
  refreshingTabs_ = true;
  while (tabs_->count() > 0) tabs_->removeTab(0);
  for (const auto& b : project_.Boards) tabs_->addTab(QString::fromStdString(Cp1251ToUtf8(b->Caption)));
  tabs_->setCurrentIndex(project_.ActiveIndex);
  refreshingTabs_ = false;
}

void TMainWindow::RefreshEditMenu() {
  undoAction_->setEnabled(CanUndo(project_));
  redoAction_->setEnabled(CanRedo(project_));
  commands_->Refresh();
  for (QAction* a : multiBoardActions_) a->setEnabled(project_.Boards.size() > 1);
  if (palette_) palette_->RefreshZoomMenu(project_.Active());
}

void TMainWindow::RefreshTitle() {
  QString title = "Boardsmith 6.0";
  if (!project_.FileName.empty()) title += " - [" + QString::fromStdString(project_.FileName) + "]";
  // Unsaved changes show as an asterisk after the title.
  if (project_.Changed) title += "*";
  setWindowTitle(title);
}

void TMainWindow::ShowActiveBoard() {
  if (TTool* t = ToolObject(tool_)) t->Suspend();
  HalveGrid(false);
  view_->SetBoard(project_.Active());
  if (TTool* t = ToolObject(tool_)) t->Resume();
  groundBar_->Refresh();
  if (gridButton_) RefreshGridButton();
  layers_->SetBoard(project_.Active(), view_->Settings().Scheme);
  hruler_->SetBoard(project_.Active());
  vruler_->SetBoard(project_.Active());
  commands_->Refresh();
  RefreshProperties();
  if (drc_) drc_->BoardShown(project_.Active());
  ComponentsChanged();
}

std::vector<QTimer*> TMainWindow::LongOperationTimers() {
  std::vector<QTimer*> timers{autosaveTimer_};
  if (auto* test = dynamic_cast<TTestTool*>(ToolObject(kToolTest))) timers.push_back(test->BlinkTimer());
  return timers;
}

void TMainWindow::DetachBoard() {
  // Nothing may keep a board that closing or reading is about to replace;
  // a grid halved by SHIFT is whole again before anything is saved.
  HalveGrid(false);
  view_->SetBoard(nullptr);
  layers_->SetBoard(nullptr, view_->Settings().Scheme);
  hruler_->SetBoard(nullptr);
  vruler_->SetBoard(nullptr);
}

QString TMainWindow::Coordinates() const { return coordinates_->text(); }

bool TMainWindow::CloseCurrentProject() {
  return CloseProject(project_, Ui(), [this] { return Save(); });
}

bool TMainWindow::OpenFile(const QString& path) {
  const std::string p = path.toStdString();
  if (!QFileInfo::exists(path)) {
    QMessageBox::warning(this, tr("Open"), tr("File not found!"));
    return false;
  }
  // The file is read into a project of its own first: the open project is
  // asked about and replaced only when there is something to replace it
  // with, and a file that cannot be read leaves everything as it was.
  TProject read;
  read.FileName = p;
  const TReadResult r = ReadProjectFile(read, p, false, {UiLanguage()});
  if (read.Boards.empty()) {
    QMessageBox::critical(this, tr("Open"), Text(r.Error));
    return false;
  }
  if (!r.Error.empty()) QMessageBox::warning(this, kCaption, Text(r.Error));
  DetachBoard();
  if (!CloseCurrentProject()) {
    ShowActiveBoard();
    return false;
  }
  TakeOverProject(project_, std::move(read));
  ReleaseFreedMemory();
  if (r.Ok) {
    project_.LastDirectory = QFileInfo(path).absolutePath().toStdString();
    // The layout folder, where the export windows start when all file
    // types share one folder.
    settings_.Folders.Kinds[kFolderLayout].Last = project_.LastDirectory;
    AddRecentFile(QFileInfo(path).absoluteFilePath().toStdString());
  }
  RefreshTabs();
  ShowActiveBoard();
  RefreshTitle();
  if (!r.Warning.empty()) QMessageBox::warning(this, kCaption, Text(r.Warning));
  return r.Ok;
}

bool TMainWindow::Save() {
  if (project_.FileName.empty()) return SaveAs();
  return SaveFileAs(QString::fromStdString(project_.FileName));
}

bool TMainWindow::SaveAs() {
  const QString path =
      QFileDialog::getSaveFileName(this, tr("Save as"), QString::fromStdString(project_.FileName), tr(kFilter));
  if (path.isEmpty()) return false;
  return SaveFileAs(path);
}

bool TMainWindow::SaveFileAs(const QString& path) {
  const bool ok = SaveProjectAs(project_, path.toStdString(), Ui());
  if (ok) {
    AddRecentFile(QFileInfo(QString::fromStdString(project_.FileName)).absoluteFilePath().toStdString());
    settings_.Folders.Kinds[kFolderLayout].Last = project_.LastDirectory;
  }
  RefreshTabs();
  view_->Refresh();
  RefreshTitle();
  // A save renumbers components and removes what lies outside the board.
  ComponentsChanged();
  return ok;
}

void TMainWindow::ApplySettings() {
  const auto& o = settings_.Options;
  TPaintSettings& p = view_->Settings();
  if (drc_) drc_->SetUnit(UnitOf(settings_));
  p.Scheme = schemes_[size_t(std::clamp(o.Farbschema, 0, 3))];  // loaded at start-up, edited by the options dialog
  p.DarkenGroundPlane = o.AutoMasseDunkel;
  p.AllGroundPlanes = o.AlleAutoMassen;
  p.Drillings = o.BohrlochFarbe;
  p.ShowGrid = o.RasterSichtbar;
  p.GridDots = o.Punktraster;
  p.GridMarker = o.RasterMarkierung;
  p.Transparent = o.Transparent;
  if (overviewAction_) overviewAction_->setChecked(o.PlatinenZoom);
  if (overviewDock_) overviewDock_->setVisible(o.PlatinenZoom);
  if (propertiesAction_) propertiesAction_->setChecked(o.Eigenschaften);
  if (captureAction_) captureAction_->setChecked(o.Fang);
  if (followActions_[0]) followActions_[size_t(std::clamp(o.Gummiband, 0, 2))]->setChecked(true);
  if (propertiesDock_) propertiesDock_->setVisible(o.Eigenschaften);
  if (componentsAction_) componentsAction_->setChecked(o.Bauteile);
  if (componentsDock_) componentsDock_->setVisible(o.Bauteile);
  if (selectorAction_) selectorAction_->setChecked(o.Selector);
  if (selectorDock_) selectorDock_->setVisible(o.Selector);
  if (macroAction_) macroAction_->setChecked(o.Makro);
  if (macroDock_) macroDock_->setVisible(o.Makro);
  if (macro_) {
    macro_->SetAddAsComponent(o.Bauteil);
    macro_->SetPreviewSettings(p);
    macro_->SetPreviewHeight(o.MakroHoehe);
  }
  if (properties_) properties_->SetPanelUnit(UnitOf(settings_));
  project_.Undo.Depth = o.Undo;
  autosaveTimer_->setInterval(o.AutoSaveTime);
  if (o.AutoSave) autosaveTimer_->start();
  else autosaveTimer_->stop();
  if (layers_) layers_->SetBoard(project_.Active(), p.Scheme);
  sizeBar_->SetUnit(UnitOf(settings_));
  sizeBar_->Refresh();
  groundBar_->SetUnit(UnitOf(settings_));
  palette_->SetHotkeys(o.Hotkeys);
  commands_->RefreshAngleMenu();
  view_->Refresh();
}

// Widgets that take typed text keep the focus; the tool letters would type
// into them otherwise.
static bool TakesTyping(const QWidget* w) {
  if (!w) return false;
  if (qobject_cast<const QLineEdit*>(w) || qobject_cast<const QAbstractSpinBox*>(w) ||
      qobject_cast<const QTextEdit*>(w) || qobject_cast<const QPlainTextEdit*>(w))
    return true;
  const auto* combo = qobject_cast<const QComboBox*>(w);
  return combo && combo->isEditable();
}

bool TMainWindow::event(QEvent* event) {
  // Whenever the window becomes the active one (at start, after a modal
  // window, after switching programs), the drawing area takes the focus so
  // that the tool letters work at once; Qt then gives the focus to the
  // window's focus widget.
  if (event->type() == QEvent::WindowActivate && view_ && !TakesTyping(focusWidget()))
    view_->setFocus(Qt::ActiveWindowFocusReason);
  return QMainWindow::event(event);
}

void TMainWindow::ExportPicture(TPictureFormat format) {
  const TBoard* b = project_.Active();
  if (!b) return;
  auto& o = settings_.Options;
  TExportDlg dialog(b->Platine, format, o.ExportBitmapDPI, o.ExportBitmapFarbe, this);
  const bool ok = dialog.exec() == QDialog::Accepted;
  // The choices are kept whether the export runs or not.
  o.ExportBitmapDPI = dialog.Position();
  o.ExportBitmapFarbe = dialog.Colour();
  if (!ok) return;

  TSettings::TFolder& folder = settings_.Folders.Kinds[settings_.Folders.EqualDir ? kFolderLayout : kFolderBitmap];
  const QString filter = format == TPictureFormat::Jpeg  ? tr("JPG-Files (*.jpg)")
                         : format == TPictureFormat::Gif ? tr("GIF-Files (*.gif)")
                                                         : tr("Bitmap files (*.bmp)");
  QFileDialog files(this, tr("Save picture"), QString::fromStdString(folder.Last), filter);
  files.setAcceptMode(QFileDialog::AcceptSave);
  files.setDefaultSuffix(format == TPictureFormat::Jpeg ? "jpg" : format == TPictureFormat::Gif ? "gif" : "bmp");
  if (files.exec() != QDialog::Accepted || files.selectedFiles().isEmpty()) return;
  const QString path = files.selectedFiles().first();
  folder.Last = QFileInfo(path).absolutePath().toStdString();

  TPictureOptions picture;
  picture.Format = format;
  picture.Dpi = dialog.Dpi();
  picture.Colour = dialog.Colour();
  picture.AntiAliased = view_->AntiAliased();
  picture.Paint = view_->Settings();
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const TPictureResult r = WritePicture(path.toStdString(), *b, picture);
  QApplication::restoreOverrideCursor();
  if (r.Ok()) return;
  QString message;
  switch (r.Status) {
    case TPictureStatus::CannotWrite:
      message = Text(FormatMessage(msg::kCannotWriteBecause, {path.toStdString(), r.Reason}));
      break;
    case TPictureStatus::EncoderFailed:
      message = format == TPictureFormat::Jpeg
                    ? tr("Error creating JPG-file. Please try another resolution (dpi).")
                    : tr("The picture could not be encoded: %1").arg(QString::fromStdString(r.Reason));
      break;
    case TPictureStatus::TooLarge: message = tr("The picture is too large for this file format."); break;
    default: message = tr("The picture could not be made."); break;
  }
  QMessageBox::warning(this, kCaption, message);
}

QString TMainWindow::TextFolder() const {
  if (!textFolder_.isEmpty() && QFileInfo(textFolder_).isDir()) return textFolder_;
  if (!project_.FileName.empty()) return QFileInfo(QString::fromStdString(project_.FileName)).absolutePath();
  return QString::fromStdString(settings_.Folders.Kinds[kFolderLayout].Last);
}

void TMainWindow::ExportText() {
  const TBoard* b = project_.Active();
  if (!b || b->Elements.empty()) return;
  bool selected = false;
  const std::vector<const TObjekt*> list = TextExportElements(*b, selected);
  if (selected &&
      QMessageBox::information(this, kCaption, tr("Only the selected elements (%1) will be exported.").arg(list.size()),
                               QMessageBox::Ok | QMessageBox::Cancel) != QMessageBox::Ok)
    return;
  QFileDialog dialog(this, tr("Text-IO: Export elements"), TextFolder(), tr("Textfiles (*.txt);;All files (*)"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix("txt");
  if (!project_.FileName.empty())
    dialog.selectFile(QFileInfo(QString::fromStdString(project_.FileName)).completeBaseName() + ".txt");
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  const QString path = dialog.selectedFiles().first();
  textFolder_ = QFileInfo(path).absolutePath();
  const std::string text = WriteTextExchange(list);
  std::string reason;
  // Written whole or not at all: an existing file stays as it was on failure.
  if (!WriteFileAtomically(path.toStdString(), std::vector<uint8_t>(text.begin(), text.end()), &reason))
    QMessageBox::warning(this, kCaption, Text(FormatMessage(msg::kCannotWriteBecause, {path.toStdString(), reason})));
}

void TMainWindow::ImportText() {
  TBoard* b = project_.Active();
  if (!b) return;
  QFileDialog dialog(this, tr("Text-IO: Import elements"), TextFolder(), tr("Textfiles (*.txt);;All files (*)"));
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  // Cancel and a file that cannot be used leave the clipboard as it was.
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  const QString path = dialog.selectedFiles().first();
  textFolder_ = QFileInfo(path).absolutePath();
  const TFileBytes file = ReadRegularFile(path.toStdString());
  if (!file.Ok()) {
    QMessageBox::warning(this, kCaption, Text(ReadFaultMessage(file, path.toStdString())));
    return;
  }
  TTextImportDefaults defaults;
  defaults.ActiveLayer = uint8_t(b->Platine.ActiveLayer);
  defaults.TrackWidth = settings_.Sizes.Track;
  defaults.ZoneClearance = groundBar_->CurrentClearance();
  TTextPaste read =
      ReadTextForPaste(std::string_view(reinterpret_cast<const char*>(file.Bytes.data()), file.Bytes.size()), defaults);
  if (!read.Error.empty()) {
    QMessageBox::warning(this, kCaption, Text(read.Error));
    return;
  }
  commands_->PasteElements(read.Elements);
}

void TMainWindow::ShowHelp() {
  if (!help_) help_ = new THelpWindow(this);
  help_->show();
  help_->raise();
  help_->activateWindow();
}

void TMainWindow::closeEvent(QCloseEvent* event) {
  DetachBoard();
  if (CloseCurrentProject()) {
    auto& win = settings_.Window;
    win.WindowMax = isMaximized();
    if (!win.WindowMax) {
      win.WindowX = geometry().x();
      win.WindowY = geometry().y();
      win.WindowW = width();
      win.WindowH = height();
    }
    settings_.Options.Makro = !macroDock_->isHidden();
    if (macroDock_->width() > 0) settings_.Options.MakroBreite = macroDock_->width();
    settings_.Options.Bauteil = macro_->AddAsComponent();
    settings_.Options.Bauteile = !componentsDock_->isHidden();
    settings_.Options.Selector = !selectorDock_->isHidden();
    const TSelectorSettings selector = selector_->Settings();
    if (componentsDock_->width() > 0) settings_.Options.BauteileBreite = componentsDock_->width();
    const TComponentColumns columns = components_->Columns();
    const std::string chosen = macro_->SelectedPath().toStdString();
    settings_.Folders.MakroOrdner = chosen.empty() ? macro_->Session().Path() : chosen;
    const TDrcRules rules = drc_->Rules();
    if (!SaveSettings(settings_, SettingsFilePath(), [this, &rules, &columns, &selector](TIniFile& ini) {
          WriteDrcRules(ini, rules);
          WriteComponentColumns(ini, columns);
          WritePnpOptions(ini, pnpOptions_);
          WriteSelectorSettings(ini, selector);
        }))
      QMessageBox::warning(this, kCaption, tr("The settings could not be written."));
    // Last, a changed macro goes back to its file.
    macro_->WriteBack();
    event->accept();
  } else {
    ShowActiveBoard();
    event->ignore();
  }
}

bool TMainWindow::OpenOptions(int page) {
  TOptionsDialog dialog(settings_, schemes_, DataFolder(), this);
  dialog.ShowPage(page);
  // The board shows the colours chosen in the dialog while it is open.
  auto showColours = [this](const TColourScheme& colours) {
    view_->Settings().Scheme = colours;
    layers_->SetBoard(project_.Active(), colours);
    view_->Refresh();
  };
  connect(&dialog, &TOptionsDialog::ColoursShown, this, showColours);
  if (dialog.exec() != QDialog::Accepted) {
    showColours(schemes_[size_t(std::clamp(settings_.Options.Farbschema, 0, 3))]);
    return false;
  }
  const bool unitChanged = dialog.Settings().Options.MIL != settings_.Options.MIL;
  const bool rootChanged = dialog.Settings().Folders.Makro != settings_.Folders.Makro;
  settings_ = dialog.Settings();
  schemes_ = dialog.Schemes();
  ApplySettings();
  if (unitChanged) {
    hruler_->SetUnit(UnitOf(settings_));
    vruler_->SetUnit(UnitOf(settings_));
  }
  if (rootChanged) {
    // The chosen macro stays chosen when the new tree has it.
    macro_->WriteBack();
    BuildMacroTree(macro_->SelectedPath());
  }
  return true;
}

void TMainWindow::BuildMacroTree(const QString& select) {
  const QString root = QString::fromStdString(MacroLibraryRoot(DataFolder(), settings_.Folders.Makro));
  macro_->BuildTree(root, select.isEmpty() ? QString::fromStdString(settings_.Folders.MakroOrdner) : select);
}

void TMainWindow::SaveAsMacro() {
  TBoard* b = project_.Active();
  if (!b) return;
  if (b->Elements.empty()) {
    QMessageBox::warning(this, tr("Savce macro"), Text(msg::kNoElementsOnBoard));
    return;
  }
  // Choosing the tool again ends a drawing in progress; the edit tool keeps
  // its selection.
  if (tool_ != kToolEdit) SetTool(tool_);
  if (!AnySelected(b->Elements) && QMessageBox::question(this, tr("Save as macro"), Text(msg::kSaveWholeLayout),
                                                         QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
    return;
  QFileDialog dialog(this, tr("Save as macro"), macro_->SelectedFolder(), tr("Layout-Macros (*.bmk)"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix("bmk");
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  const QString path = dialog.selectedFiles().first();
  macro_->WriteBack();
  const TEditResult r = SaveBoardAsMacro(project_, path.toStdString(), true);
  if (!r.Done()) {
    if (!r.Message.empty()) QMessageBox::warning(this, kCaption, Text(r.Message));
    return;
  }
  macro_->InsertMacro(QFileInfo(path).absoluteFilePath());
}

void TMainWindow::MacroDragMove(const TPointer& p) {
  if (!placementTool_->DragPrepared()) {
    // The placement follows the drag; labels that are not shown stay out of it.
    TObjektList shown;
    for (auto& e : macro_->Session().PreviewElements())
      if (e->Shown) shown.push_back(std::move(e));
    SetTool(kToolEdit);  // ends a drawing in progress
    placementTool_->PrepareDrag(std::move(shown), tr("Drop the macro on the board"));
    SetTool(kToolPlacement);
  }
  placementTool_->DragMove(p);
}

void TMainWindow::MacroDrop(const TPointer& p) {
  if (!placementTool_->DragPrepared()) MacroDragMove(p);
  placementTool_->DragMove(p);
  const bool following = placementTool_->Following();
  const TDPoint at = placementTool_->Delta();  // the macro's reference point lies at its (0, 0)
  SetTool(kToolEdit);
  if (!following) return;
  TMacroDrop drop;
  const TMacroSession& session = macro_->Session();
  drop.AddAsComponent = macro_->AddAsComponent();
  drop.Vias = session.Vias;
  drop.IdLabelVisible = settings_.Options.BezSichtbarDefault;
  drop.ValueLabelVisible = settings_.Options.WertSichtbarDefault;
  drop.Top = session.View.Top;
  const TMacroPlaced placed = PlaceMacro(project_, session.Macro().Elements, at, drop);
  if (!placed.Edit.Done()) return;
  TBoard* b = project_.Active();
  for (size_t i = placed.First; i < placed.First + placed.Count && i < b->Elements.size(); ++i)
    view_->InvalidateArea(CullBounds(*b->Elements[i]));
  BoardEdited();
  SelectionChanged();
  activateWindow();
  view_->setFocus();
  // The new component's data, as a step of its own: Cancel keeps the drop.
  if (placed.OpenComponentDialog && placed.Component != 0)
    QTimer::singleShot(0, this, [this, no = static_cast<int16_t>(placed.Component)] { EditComponent(no); });
}

void TMainWindow::MacroDragLeave() {
  if (placementTool_->DragPrepared()) SetTool(kToolEdit);
}

TLabelStyle TMainWindow::NewLabelStyle() const {
  TLabelStyle style;
  style.IdVisible = settings_.Options.BezSichtbarDefault;
  style.ValueVisible = settings_.Options.WertSichtbarDefault;
  return style;
}

TBezWertDlg::TContext TMainWindow::ComponentDialogContext(std::function<void()> changed) {
  TBezWertDlg::TContext context;
  context.Unit = UnitOf(settings_);
  context.LayerColour = [this](int layer) {
    const uint32_t bgr = LayerColour(layer);
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
  };
  context.Changed = std::move(changed);
  return context;
}

void TMainWindow::ExportComponents() {
  const TBoard* b = project_.Active();
  if (!b) return;
  components_->Rebuild();
  const std::vector<TListEintrag> entries = components_->Entries();
  TPnpOptions options = pnpOptions_;
  options.UseOrigin = settings_.Options.CAM_Nullpunkt;
  TBT_ExportDlg dialog(entries, b->Platine, options, this);
  if (dialog.exec() != QDialog::Accepted) return;
  pnpOptions_ = dialog.Options();
  const bool fab = dialog.Fabrication();
  const QFileInfo project(QString::fromStdString(project_.FileName));
  const QString folder = project_.FileName.empty() ? QString::fromStdString(settings_.Folders.Kinds[kFolderLayout].Last)
                                                   : project.absolutePath();
  QFileDialog files(this, tr("Export..."), folder,
                    fab ? tr("CSV files (*.csv);;All files (*)") : tr("Textfiles (*.txt);;All files (*)"));
  files.setAcceptMode(QFileDialog::AcceptSave);
  files.setDefaultSuffix(fab ? "csv" : "txt");
  if (!project_.FileName.empty()) files.selectFile(project.completeBaseName() + (fab ? ".csv" : ".txt"));
  if (files.exec() != QDialog::Accepted || files.selectedFiles().isEmpty()) return;
  const QString path = files.selectedFiles().first();
  const QLocale locale;
  const QString stamp = locale.toString(QDate::currentDate(), QLocale::ShortFormat) + " " +
                        locale.toString(QTime::currentTime(), QLocale::LongFormat);
  const std::string text =
      fab ? PnpFabricationText(entries, b->Platine, pnpOptions_.UseOrigin)
          : PnpFileText(entries, b->Platine, pnpOptions_, Utf8ToCp1251(project.fileName().toStdString()),
                        Utf8ToCp1251(stamp.toStdString()));
  std::string reason;
  if (!WritePnpFile(path.toStdString(), text, &reason))
    QMessageBox::warning(this, kCaption, Text(FormatMessage(msg::kCannotWriteBecause, {path.toStdString(), reason})));
}

void TMainWindow::AddAsComponent() {
  TBoard* b = project_.Active();
  if (!b || !AnySelected(b->Elements)) return;
  if (const int32_t no = SelectedComponent(project_)) {
    EditComponent(static_cast<int16_t>(no));
    return;
  }
  if (QMessageBox::question(this, kCaption, Text(kCreateComponentQuestion), QMessageBox::Ok | QMessageBox::Cancel) !=
      QMessageBox::Ok)
    return;
  if (tool_ != kToolEdit) SetTool(tool_);  // ends a drawing in progress
  // New labels start hidden unless the selection brings labels of its own.
  TLabelStyle style;
  const bool labelled = std::any_of(b->Elements.begin(), b->Elements.end(),
                                    [](const auto& e) { return e->Selected && IsComponentLabel(*e); });
  style.IdVisible = style.ValueVisible = labelled;
  const TComponentMade made = CreateComponent(project_, style);
  if (!made.Edit.Done()) {
    if (!made.Edit.Message.empty()) QMessageBox::warning(this, kCaption, Text(made.Edit.Message));
    return;
  }
  view_->Refresh();
  EditComponent(made.No, true);
}

void TMainWindow::EditComponent(int16_t no, bool recorded) {
  TBoard* b = project_.Active();
  if (!b || no == 0) return;
  if (!recorded) RecordUndo(project_);
  TComponent c = FindComponent(b->Elements, no);
  if (c.Elements.empty()) {
    RevertLastUndo(project_);
    return;
  }
  const TLabelStyle style = NewLabelStyle();
  EnsureComponentLabels(b->Elements, c, style, b->Platine);
  view_->Refresh();
  TBezWertDlg dialog(c, b->Platine, ComponentDialogContext([this] { view_->Refresh(); }), this);
  const int result = dialog.exec();
  if (result == QDialog::Accepted) {
    const TComponentData data = dialog.Data();
    const uint32_t fields = dialog.ChangedFields();
    const std::vector<int16_t> selected = SelectedComponents(b->Elements);
    if (selected.size() > 1 && fields != 0 &&
        QMessageBox::question(this, kCaption, Text(kApplyToAllComponents), QMessageBox::Yes | QMessageBox::No) ==
            QMessageBox::Yes)
      for (int16_t other : selected) {
        if (other == no) continue;
        TComponent o = FindComponent(b->Elements, other);
        if (o.Id && o.Value && o.Id->Selected && o.Value->Selected) ApplyComponentData(o, data, fields);
      }
    settings_.Options.BezSichtbarDefault = data.IdVisible;
    settings_.Options.WertSichtbarDefault = data.ValueVisible;
  } else {
    // Cancel takes back what the dialog and the opening changed.
    RevertLastUndo(project_);
    if (result == TBezWertDlg::kDisintegrate) DisintegrateComponent(project_, no);
  }
  view_->Refresh();
  BoardEdited();
  SelectionChanged();
  ComponentsChanged();
}

void TMainWindow::EditMacroComponent() {
  TMacroSession& session = macro_->Session();
  if (!session.Loaded()) return;
  TObjektList& list = session.EditElements();
  std::set<int16_t> numbers;
  for (const auto& e : list)
    if (e->ComponentNo != 0) numbers.insert(e->ComponentNo);
  if (numbers.size() > 1) {
    QMessageBox::warning(this, kCaption, Text(msg::kMacroSeveralComponents));
    return;
  }
  const TObjektList kept = CopyList(list);
  // A macro without a component becomes one.
  const int16_t no = numbers.empty() ? int16_t{1} : *numbers.begin();
  if (numbers.empty())
    for (const auto& e : list) e->ComponentNo = no;
  macro_->SetAddAsComponent(true);
  TComponent c = FindComponent(list, no);
  const TLabelStyle style = NewLabelStyle();
  const TPlatine platine;
  EnsureComponentLabels(list, c, style, platine);
  ShowMacroLabels(list, true);
  macro_->Preview()->update();
  TBezWertDlg dialog(c, platine, ComponentDialogContext([this] { macro_->Preview()->update(); }), this);
  const int result = dialog.exec();
  if (result == TBezWertDlg::kDisintegrate) {
    list = CopyList(kept);
    std::erase_if(list, [](const auto& e) { return IsComponentLabel(*e); });
    for (const auto& e : list) e->ComponentNo = 0;
  } else if (result != QDialog::Accepted) {
    list = CopyList(kept);
  }
  if (result != QDialog::Rejected) {
    session.MarkModified();
    macro_->WriteBack();
  }
  macro_->Preview()->update();
}

}  // namespace bs::app
