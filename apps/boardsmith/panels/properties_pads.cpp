// The THT and SMD pad pages and their thermal group.
#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QRadioButton>
#include <QSlider>
#include <QToolButton>
#include <QVBoxLayout>

#include "panels/properties_pages.h"
#include "panels/properties_panel.h"
#include "project/project.h"
#include "window/language.h"

namespace bs::app {

namespace {
constexpr const char* kCaption = "Boardsmith";

QToolButton* MenuButton(const char* name, QWidget* parent) {
  auto* b = new QToolButton(parent);
  b->setObjectName(name);
  b->setArrowType(Qt::DownArrow);
  return b;
}

QPoint Below(const QWidget* w) { return w->mapToGlobal(QPoint(0, w->height())); }

}  // namespace

// ---- the thermal group ----

TThermalBox::TThermalBox(bool layerChoice, QWidget* parent) : QWidget(parent) {
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(0, 4, 0, 0);
  grid->setVerticalSpacing(4);
  slider_ = new QSlider(Qt::Horizontal, this);
  slider_->setObjectName("spokeWidth");
  slider_->setRange(50, 300);
  slider_->setPageStep(10);
  widthLine_ = new QLabel(this);
  widthLine_->setObjectName("spokeWidthLine");
  layerBox_ = new QWidget(this);
  auto* ll = new QVBoxLayout(layerBox_);
  ll->setContentsMargins(0, 0, 0, 0);
  ll->setSpacing(2);
  layers_ = new QButtonGroup(this);
  layers_->setObjectName("layerChoice");
  auto* equal = new QRadioButton(tr("All layer equal"), layerBox_);
  equal->setObjectName("allLayersEqual");
  auto* individual = new QRadioButton(tr("Layer individual"), layerBox_);
  individual->setObjectName("layerIndividual");
  layers_->addButton(equal, 0);
  layers_->addButton(individual, 1);
  ll->addWidget(equal);
  ll->addWidget(individual);
  layerBox_->setVisible(layerChoice);
  spokes_ = new TSpokePicker(this);
  spokes_->setObjectName("spokes");

  grid->addWidget(new QLabel(tr("Width:"), this), 0, 0);
  grid->addWidget(slider_, 0, 1);
  grid->addWidget(widthLine_, 1, 1);
  grid->addWidget(layerBox_, 2, 0, 1, 2);
  grid->addWidget(new QLabel(tr("Positions:"), this), 3, 0, 1, 2);
  grid->addWidget(spokes_, 4, 0, 1, 2, Qt::AlignHCenter);
}

TThermalBox* TPropertiesPage::ThermalBox(bool layerChoice) {
  auto* box = new TThermalBox(layerChoice, this);
  QSlider* slider = box->Slider();
  Entered(slider);
  connect(slider, &QSlider::valueChanged, this, [this, slider] {
    if (Filling()) return;
    ChangeWithoutFocus(slider);
    ApplyAndNotify();
  });
  connect(box->Spokes(), &TSpokePicker::Toggled, this, [this] {
    Before();
    Apply();
  });
  return box;
}

namespace {
void ShowSpokeWidth(TThermalBox& box, const TObjekt& pad, TDisplayUnit unit) {
  const double mm = SpokeWidthMm(pad, box.Slider()->value());
  box.WidthLine()->setText(
      QString::fromStdString(SpokeWidthText(mm, unit, std::string(" ") + MillimetreSign(UiLanguage()))));
}

// Shows the group of a single thermal pad; with individual spokes the
// buttons are framed in the active layer's colour and work only on a copper
// layer whose ground plane is on.
void FillThermal(TThermalBox& box, const TObjekt& pad, const TThermalGroup& g, bool layerChoice, const TPlatine& board,
                 TPropertiesHost& host, TDisplayUnit unit) {
  box.setVisible(g.Shown);
  if (!g.Shown) return;
  box.Slider()->setValue(g.Width);
  ShowSpokeWidth(box, pad, unit);
  box.LayerChoiceBox()->setVisible(layerChoice);
  FillChoice(box.LayerChoice(), g.Individual ? 1 : 0);
  TSpokePicker* spokes = box.Spokes();
  spokes->SetMask(g.Spokes);
  const int active = board.ActiveLayer;
  const bool individual = layerChoice && g.Individual;
  const bool copper = IsCopperLayer(active);
  const bool planeOff = active < 1 || active > 7 || !board.GroundPlane[size_t(active)];
  spokes->SetPad(individual && !copper ? nullptr : &pad);
  spokes->SetFrame(individual ? std::optional<uint32_t>(host.LayerColour(active)) : std::nullopt,
                   individual && planeOff);
  const bool usable = !individual || (copper && !planeOff);
  for (int k = 1; k <= 8; ++k) spokes->Button(k)->setEnabled(usable);
}

// The group's values as the page writes them.
void ReadThermal(const TThermalBox& box, TThermalGroup& g) {
  if (!g.Shown) return;
  g.Width = box.Slider()->value();
  g.Individual = box.LayerChoice()->checkedId() == 1;
  g.Spokes = box.Spokes()->Mask();
}
}  // namespace

// ---- THT pads ----

TThtPage::TThtPage(TPanelState& state, QWidget* parent) : TPropertiesPage(state, parent) {
  centre_.X = Length("centreX", -500, 500, 3, 0.1, true);
  centre_.Y = Length("centreY", -500, 500, 3, 0.1, true);
  shape_ = new QToolButton(this);
  shape_->setObjectName("shape");
  shape_->setIconSize(QSize(24, 24));
  shape_->setPopupMode(QToolButton::DelayedPopup);
  connect(shape_, &QToolButton::clicked, this, [this] { state_.Host.PadShapeMenu(Below(shape_)); });
  sizes_ = MenuButton("padSizes", this);
  sizes_->setToolTip(tr("Pad sizes"));
  connect(sizes_, &QToolButton::clicked, this, [this] { state_.Host.PadSizeMenu(Below(sizes_)); });
  outer_ = Length("outerDiameter", 0.05, 99.99, 2, 0.05, true);
  drill_ = Length("drill", 0, 99.99, 2, 0.05, true);
  via_ = Check(tr("Through pad"), "throughPad", [this] { ThroughPadClicked(); });
  thermal_ = Check(tr("Thermal pad"), "thermalPad", [this] {
    Apply();
    Load(list_);  // the thermal group may appear or go
  });
  group_ = ThermalBox(true);
  connect(group_->LayerChoice(), &QButtonGroup::idClicked, this, [this](int id) { LayerChoiceClicked(id); });

  CentreRows(centre_);
  auto* shapeRow = new QWidget(this);
  auto* sl = new QHBoxLayout(shapeRow);
  sl->setContentsMargins(0, 0, 0, 0);
  sl->setSpacing(2);
  sl->addWidget(shape_);
  sl->addWidget(sizes_);
  sl->addStretch(1);
  Row(tr("Shape:"), shapeRow);
  Row(tr("Diameter:"), outer_);
  Row(tr("Drill:"), drill_);
  Row(via_);
  Row(thermal_);
  Row(group_);
  EndRows();
}

void TThtPage::Fill() {
  const TPlatine& board = Board()->Platine;
  read_ = ReadThtPage(list_, board);
  centre_.Fill(read_.Single, read_.Centre);
  shape_->setIcon(PadShapePicture(read_.Shape.value_or(0), 24));
  FillLength(outer_, read_.Outer);
  FillLength(drill_, read_.Drill);
  FillCheck(via_, read_.Via);
  FillCheck(thermal_, read_.Thermal);
  via_->setEnabled(read_.AnyOnCopper);
  thermal_->setEnabled(read_.AnyOnCopper);
  FillGroup();
}

void TThtPage::FillGroup() {
  if (list_.empty()) return;
  FillThermal(*group_, *list_.front(), read_.Group, read_.LeaderVia, Board()->Platine, state_.Host, state_.Unit);
}

void TThtPage::Apply() {
  const TPlatine& board = Board()->Platine;
  TThtProps v = read_;
  v.Centre = centre_.Value(read_.Centre);
  v.Outer = LengthOf(outer_, read_.Outer);
  v.Drill = LengthOf(drill_, read_.Drill);
  if (RaiseOuterToDrill(v)) {
    TFilling filling(state_);
    FillLength(outer_, v.Outer);
  }
  v.Via = CheckOf(via_);
  v.Thermal = CheckOf(thermal_);
  ReadThermal(*group_, v.Group);
  ApplyThtPage(v, list_, board, Touched());
  Repaint();
  read_ = ReadThtPage(list_, board);
  if (read_.Group.Shown) ShowSpokeWidth(*group_, *list_.front(), state_.Unit);
}

void TThtPage::ThroughPadClicked() {
  if (via_->checkState() == Qt::Unchecked) {
    TFilling filling(state_);
    FillChoice(group_->LayerChoice(), 0);  // a plain pad has one mask for all layers
  }
  ApplyAndNotify();
  Load(list_);
}

void TThtPage::LayerChoiceClicked(int id) {
  if (Filling()) return;
  if (id == 0) {
    QMessageBox box(QMessageBox::Question, kCaption, tr("Assign the thermal spokes to all layers?"),
                    QMessageBox::Ok | QMessageBox::Cancel, this);
    if (box.exec() != QMessageBox::Ok) {
      TFilling filling(state_);
      FillChoice(group_->LayerChoice(), 1);
      return;
    }
  }
  Before();
  Apply();
  Load(list_);
}

// ---- SMD pads ----

TSmdPage::TSmdPage(TPanelState& state, QWidget* parent) : TPropertiesPage(state, parent) {
  centre_.X = Length("centreX", -500, 500, 3, 0.1, true);
  centre_.Y = Length("centreY", -500, 500, 3, 0.1, true);
  sizeX_ = Length("smdWidth", 0.05, 99.99, 2, 0.05, true);
  sizeY_ = Length("smdHeight", 0.05, 99.99, 2, 0.05, true);
  sizes_ = MenuButton("smdSizes", this);
  sizes_->setToolTip(tr("SMD pad sizes"));
  connect(sizes_, &QToolButton::clicked, this, [this] { state_.Host.SmdSizeMenu(Below(sizes_)); });
  thermal_ = Check(tr("Thermal pad"), "thermalPad", [this] {
    Apply();
    Load(list_);
  });
  group_ = ThermalBox(false);

  CentreRows(centre_);
  auto* sizeRow = new QWidget(this);
  auto* sl = new QHBoxLayout(sizeRow);
  sl->setContentsMargins(0, 0, 0, 0);
  sl->addStretch(1);
  sl->addWidget(sizes_);
  Row(tr("Size:"), sizeRow);
  Row(QStringLiteral("X:"), sizeX_);
  Row(QStringLiteral("Y:"), sizeY_);
  Row(thermal_);
  Row(group_);
  EndRows();
}

void TSmdPage::Fill() {
  const TPlatine& board = Board()->Platine;
  read_ = ReadSmdPage(list_, board);
  centre_.Fill(read_.Single, read_.Centre);
  FillLength(sizeX_, read_.SizeX);
  FillLength(sizeY_, read_.SizeY);
  FillCheck(thermal_, read_.Thermal);
  thermal_->setEnabled(read_.AnyOnCopper);
  if (!list_.empty()) FillThermal(*group_, *list_.front(), read_.Group, false, board, state_.Host, state_.Unit);
}

void TSmdPage::Apply() {
  const TPlatine& board = Board()->Platine;
  TSmdProps v = read_;
  v.Centre = centre_.Value(read_.Centre);
  v.SizeX = LengthOf(sizeX_, read_.SizeX);
  v.SizeY = LengthOf(sizeY_, read_.SizeY);
  v.Thermal = CheckOf(thermal_);
  ReadThermal(*group_, v.Group);
  ApplySmdPage(v, list_, board, Touched());
  Repaint();
  read_ = ReadSmdPage(list_, board);
  if (read_.Group.Shown) ShowSpokeWidth(*group_, *list_.front(), state_.Unit);
}

}  // namespace bs::app
