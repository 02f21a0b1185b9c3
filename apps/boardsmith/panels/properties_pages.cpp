#include "panels/properties_pages.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QToolTip>
#include <QVBoxLayout>

#include <algorithm>

#include "io/settings.h"
#include "model/codepage.h"
#include "model/messages.h"
#include "panels/properties_panel.h"
#include "project/project.h"
#include "window/core_text.h"

namespace bs::app {

namespace {
constexpr const char* kCaption = "Boardsmith";

QString FromModel(const TByteString& s) { return QString::fromStdString(Cp1251ToUtf8(s)); }
TByteString ToModel(const QString& s) { return Utf8ToCp1251(s.toStdString()); }

std::optional<double> AsDouble(const std::optional<int32_t>& v) {
  if (!v) return std::nullopt;
  return double(*v);
}

// Runs a notification of the host with the panel's own refresh suppressed.
template <class F>
void Notify(TPanelState& s, F f) {
  const bool old = s.Notifying;
  s.Notifying = true;
  f();
  s.Notifying = old;
}

QLabel* Label(const QString& text, QWidget* parent) { return new QLabel(text, parent); }
}  // namespace

// ---- the page base ----

TPropertiesPage::TPropertiesPage(TPanelState& state, QWidget* parent) : QWidget(parent), state_(state) {
  grid_ = new QGridLayout(this);
  grid_->setContentsMargins(4, 2, 4, 2);
  grid_->setHorizontalSpacing(6);
  grid_->setVerticalSpacing(4);
  grid_->setColumnStretch(1, 1);
}

void TPropertiesPage::Load(const TRefList& list) {
  list_ = list;
  focused_ = nullptr;
  TFilling filling(state_);
  Fill();
}

void TPropertiesPage::SetUnit(TDisplayUnit unit) {
  TFilling filling(state_);
  for (TLengthField* f : findChildren<TLengthField*>()) f->SetUnit(unit);
}

TBoard* TPropertiesPage::Board() const { return state_.Host.Project().Active(); }

void TPropertiesPage::Before() {
  if (state_.Filling) return;
  Notify(state_, [this] { state_.Host.BeforeChange(); });
}

void TPropertiesPage::NotifyChanged() {
  Notify(state_, [this] { state_.Host.Changed(); });
}

TTouched TPropertiesPage::Touched() {
  const TBoard* board = Board();
  return [this, board](const TObjekt& e) {
    if (board) state_.Host.InvalidateArea(BoundingRect(e, board->Platine));
  };
}

void TPropertiesPage::Repaint() { state_.Host.Repaint(); }

void TPropertiesPage::ApplyAndNotify() {
  Apply();
  NotifyChanged();
}

TMixedLength* TPropertiesPage::Length(const char* name, double minMm, double maxMm, int decimals, double stepMm,
                                      bool notify) {
  auto* f = new TMixedLength(minMm, maxMm, decimals, stepMm, true, this);
  f->setObjectName(name);
  f->SetUnit(state_.Unit);
  f->OnStart = [this] { Before(); };
  f->OnEdited = [this, notify] {
    if (Filling()) return;
    if (notify) ApplyAndNotify();
    else Apply();
  };
  return f;
}

TMixedNumber* TPropertiesPage::Number(const char* name, double min, double max, int decimals, double step,
                                      bool notify) {
  auto* f = new TMixedNumber(this);
  f->setObjectName(name);
  f->setRange(min, max);
  f->setDecimals(decimals);
  f->setSingleStep(step);
  f->setAlignment(Qt::AlignRight);
  f->OnStart = [this] { Before(); };
  f->OnEdited = [this, notify] {
    if (Filling()) return;
    if (notify) ApplyAndNotify();
    else Apply();
  };
  return f;
}

QCheckBox* TPropertiesPage::Check(const QString& text, const char* name, std::function<void()> onClick) {
  auto* box = new QCheckBox(text, this);
  box->setObjectName(name);
  connect(box, &QCheckBox::clicked, this, [this, box, onClick] {
    if (Filling()) return;
    Before();
    box->setTristate(false);  // a click ends the mixed state
    if (onClick) onClick();
    else Apply();
  });
  return box;
}

QButtonGroup* TPropertiesPage::Choices(std::initializer_list<std::pair<QString, int>> buttons, const char* name,
                                       QWidget* parent, bool vertical) {
  auto* group = new QButtonGroup(parent);
  group->setObjectName(name);
  QBoxLayout* layout = vertical ? static_cast<QBoxLayout*>(new QVBoxLayout(parent)) : new QHBoxLayout(parent);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(vertical ? 2 : 8);
  for (const auto& [text, id] : buttons) {
    auto* b = new QRadioButton(text, parent);
    b->setObjectName(QStringLiteral("%1%2").arg(name).arg(id));
    group->addButton(b, id);
    layout->addWidget(b);
  }
  if (!vertical) layout->addStretch(1);
  return group;
}

void TPropertiesPage::Entered(QWidget* w) { w->installEventFilter(this); }

void TPropertiesPage::ChangeWithoutFocus(QWidget* w) {
  if (focused_ != w) Before();
}

bool TPropertiesPage::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusIn) {
    // Only the user enters a field; focus that comes with a window or a
    // page becoming active announces nothing.
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason == Qt::MouseFocusReason || reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
        reason == Qt::ShortcutFocusReason) {
      focused_ = static_cast<QWidget*>(watched);
      Before();
    }
  } else if (event->type() == QEvent::FocusOut && focused_ == watched) {
    focused_ = nullptr;
  }
  return QWidget::eventFilter(watched, event);
}

void TPropertiesPage::Row(const QString& caption, QWidget* field) { Row(Label(caption, this), field); }

void TPropertiesPage::Row(QWidget* left, QWidget* right) {
  grid_->addWidget(left, row_, 0);
  grid_->addWidget(right, row_++, 1, 1, -1);
}

void TPropertiesPage::Row(QWidget* across) { grid_->addWidget(across, row_++, 0, 1, -1); }

void TPropertiesPage::EndRows() { grid_->setRowStretch(row_, 1); }

void TPropertiesPage::CentreRows(TCentreFields& centre) {
  Row(Label(tr("Center:"), this));
  Row(QStringLiteral("X:"), centre.X);
  Row(QStringLiteral("Y:"), centre.Y);
}

void TCentreFields::Fill(bool single, TDPoint centre) {
  FillLength(X, single ? std::optional<double>(centre.X) : std::nullopt);
  FillLength(Y, single ? std::optional<double>(centre.Y) : std::nullopt);
  X->setEnabled(single);
  Y->setEnabled(single);
}

TDPoint TCentreFields::Value(TDPoint filled) const {
  return {LengthOf(X, filled.X).value_or(filled.X), LengthOf(Y, filled.Y).value_or(filled.Y)};
}

// ---- board ----

TBoardPage::TBoardPage(TPanelState& state, QWidget* parent) : TPropertiesPage(state, parent) {
  width_ = Length("boardWidth", 1, 500, 2, 1, false);
  height_ = Length("boardHeight", 1, 500, 2, 1, false);
  name_ = new QLineEdit(this);
  name_->setObjectName("boardName");
  name_->setMaxLength(int(kBoardNameMax));
  connect(name_, &QLineEdit::textEdited, this, [this] { Apply(); });
  area_ = new QLabel(this);
  area_->setObjectName("area");
  multilayer_ = new QCheckBox(tr("Multilayer"), this);
  multilayer_->setObjectName("multilayer");
  connect(multilayer_, &QCheckBox::clicked, this, [this] { MultilayerClicked(); });

  Row(tr("Width:"), width_);
  Row(tr("Height:"), height_);
  Row(tr("Name:"), name_);
  Row(tr("Area:"), area_);
  Row(multilayer_);
  EndRows();
}

void TBoardPage::Fill() {
  const TBoard* b = Board();
  setEnabled(b != nullptr);
  if (!b) return;
  FillLength(width_, double(b->Platine.Width));
  FillLength(height_, double(b->Platine.Height));
  name_->setText(FromModel(TrimBlanks(b->Caption)));
  multilayer_->setChecked(b->Platine.Multilayer);
  ShowArea();
}

void TBoardPage::ShowArea() {
  const TBoard* b = Board();
  if (!b) return;
  const double w = LengthOf(width_, double(b->Platine.Width)).value_or(b->Platine.Width);
  const double h = LengthOf(height_, double(b->Platine.Height)).value_or(b->Platine.Height);
  area_->setText(QString::fromStdString(BoardAreaText(RoundInt(w), RoundInt(h), state_.Unit)));
}

void TBoardPage::Apply() {
  TBoard* b = Board();
  if (!b) return;
  const int32_t w = RoundInt(LengthOf(width_, double(b->Platine.Width)).value_or(b->Platine.Width));
  const int32_t h = RoundInt(LengthOf(height_, double(b->Platine.Height)).value_or(b->Platine.Height));
  if (TrimBlanks(ToModel(name_->text())).empty()) {
    name_->setText(FromModel(TrimBlanks(b->Caption)));
    QToolTip::showText(name_->mapToGlobal(QPoint(0, name_->height())), CoreText(msg::kBoardNameEmpty), name_);
  }
  // The question about the inner layers has been asked already.
  ApplyBoardProperties(state_.Host.Project(), w, h, ToModel(name_->text()), multilayer_->isChecked(),
                       [] { return true; });
  ShowArea();
  Notify(state_, [this] { state_.Host.BoardChanged(); });
}

void TBoardPage::MultilayerClicked() {
  const TBoard* b = Board();
  if (!b) return;
  const bool inner = std::any_of(b->Elements.begin(), b->Elements.end(),
                                 [](const auto& e) { return e->Layer == kLayerI1 || e->Layer == kLayerI2; });
  if (!multilayer_->isChecked() && b->Platine.Multilayer && inner) {
    QMessageBox box(QMessageBox::Question, kCaption, CoreText(kInnerLayerDeleteQuestion),
                    QMessageBox::Ok | QMessageBox::Cancel, this);
    if (box.exec() != QMessageBox::Ok) {
      multilayer_->setChecked(true);
      return;
    }
  }
  Before();
  Apply();
}

// ---- text ----

TTextPage::TTextPage(TPanelState& state, QWidget* parent) : TPropertiesPage(state, parent) {
  text_ = new QLineEdit(this);
  text_->setObjectName("text");
  text_->setAutoFillBackground(true);
  Entered(text_);
  connect(text_, &QLineEdit::textEdited, this, [this] {
    if (Filling()) return;
    ChangeWithoutFocus(text_);
    SetTextMixed(false);
    Apply();
  });
  height_ = Length("textHeight", 0.1, 99.99, 1, 0.1, false);

  auto* angles = new QWidget(this);
  auto* al = new QHBoxLayout(angles);
  al->setContentsMargins(0, 0, 0, 0);
  al->setSpacing(2);
  for (int a : {0, 90, 180, 270}) {
    auto* b = new QPushButton(QStringLiteral("%1°").arg(a), angles);
    b->setObjectName(QStringLiteral("angle%1").arg(a));
    b->setFixedWidth(40);
    connect(b, &QPushButton::clicked, this, [this, a] {
      Before();
      read_.Rotation = a;
      {
        TFilling filling(state_);
        FillNumber(angle_, a);
      }
      Apply();
    });
    al->addWidget(b);
  }
  al->addStretch(1);
  angle_ = Number("angle", 0, 359, 0, 1, false);
  Entered(angle_);
  angle_->OnStart = [this] { ChangeWithoutFocus(angle_); };

  mirrorH_ = Check(tr("Horizontal"), "mirrorH");
  mirrorV_ = Check(tr("Vertical"), "mirrorV");
  auto* styles = new QWidget(this);
  style_ = Choices({{tr("Narrow"), 0}, {tr("Normal"), 1}, {tr("Wide"), 2}}, "style", styles, true);
  auto* widths = new QWidget(this);
  thickness_ = Choices({{tr("Thin"), 0}, {tr("Normal"), 1}, {tr("Bold"), 2}}, "thickness", widths, true);
  for (QButtonGroup* g : {style_, thickness_}) {
    connect(g, &QButtonGroup::idClicked, this, [this] {
      if (Filling()) return;
      Before();
      Apply();
    });
  }
  cutout_ = Check(tr("Cutout-area"), "cutout");
  strokeLine_ = new QLabel(this);
  strokeLine_->setObjectName("strokeLine");

  Row(text_);
  Row(tr("Text height:"), height_);
  Row(Label(tr("Angle"), this));
  Row(angles);
  Row(QString(), angle_);
  Row(Label(tr("Mirror"), this));
  Row(mirrorH_, mirrorV_);
  Row(Label(tr("Style"), this), Label(tr("Width"), this));
  Row(styles, widths);
  Row(cutout_);
  Row(strokeLine_);
  EndRows();
}

void TTextPage::SetTextMixed(bool mixed) {
  textMixed_ = mixed;
  QPalette p = text_->palette();
  p.setColor(QPalette::Base, mixed ? QColor(0xC0, 0xC0, 0xC0) : QColor(Qt::white));
  text_->setPalette(p);
}

void TTextPage::Fill() {
  read_ = ReadTextPage(list_);
  SetTextMixed(!read_.Text);
  text_->setText(read_.Text ? FromModel(*read_.Text) : QString());
  FillLength(height_, read_.Height);
  FillNumber(angle_, AsDouble(read_.Rotation));
  FillCheck(mirrorH_, read_.MirrorH);
  FillCheck(mirrorV_, read_.MirrorV);
  FillChoice(style_, read_.Style);
  FillChoice(thickness_, read_.Thickness);
  FillCheck(cutout_, read_.Cutout);
  ShowThickness();
}

void TTextPage::Apply() {
  TTextProps v;
  if (!textMixed_) v.Text = ToModel(text_->text());
  v.Height = LengthOf(height_, read_.Height);
  if (const auto a = NumberOf(angle_, AsDouble(read_.Rotation))) v.Rotation = RoundInt(*a);
  v.MirrorH = CheckOf(mirrorH_);
  v.MirrorV = CheckOf(mirrorV_);
  v.Style = ChoiceOf(style_);
  v.Thickness = ChoiceOf(thickness_);
  v.Cutout = CheckOf(cutout_);
  if (state_.Host.Settings().Options.SchrifthoeheBegrenzen && LimitPageTextHeight(v, list_)) {
    TFilling filling(state_);
    FillLength(height_, v.Height);
  }
  const bool label = ApplyTextPage(v, list_, Touched());
  Repaint();
  if (label) Notify(state_, [this] { state_.Host.ComponentsChanged(); });
  read_ = ReadTextPage(list_);
  ShowThickness();
}

void TTextPage::ShowThickness() {
  const int32_t thinnest = ThinnestStroke(list_);
  QString line = tr("text-thickness:") + " " + QString::fromStdString(FormatLength(thinnest, -1, state_.Unit));
  const bool thin = thinnest < kThinStroke;
  if (thin) line += " !";
  strokeLine_->setText(line);
  strokeLine_->setStyleSheet(thin ? QStringLiteral("color: #FF0000;") : QStringLiteral("color: #000000;"));
}

// ---- circle ----

TCirclePage::TCirclePage(TPanelState& state, QWidget* parent) : TPropertiesPage(state, parent) {
  centre_.X = Length("centreX", -299.99, 500, 2, 0.1, true);
  centre_.Y = Length("centreY", -299.99, 500, 2, 0.1, true);
  width_ = Length("circleWidth", 0, 99.99, 2, 0.05, true);
  diameter_ = Length("diameter", 0.01, 500, 2, 0.1, true);
  start_ = Number("startAngle", 0, 359.99, 2, 1, true);
  stop_ = Number("stopAngle", 0, 359.99, 2, 1, true);
  for (TMixedNumber* f : {start_, stop_}) f->setSuffix(QStringLiteral("°"));
  noGerber_ = new QLabel(tr("No Gerber export fot filled segments."), this);
  noGerber_->setWordWrap(true);
  fill_ = Check(tr("Filled"), "filled", [this] {
    Apply();
    noGerber_->setEnabled(fill_->isChecked());
  });
  cutout_ = Check(tr("Cutout-area"), "cutout");
  auto* drawn = new QLabel(tr("The segment is drawn anticlockwise from the start to the stop angle."), this);
  drawn->setWordWrap(true);

  CentreRows(centre_);
  Row(tr("Track width:"), width_);
  Row(tr("Diameter:"), diameter_);
  Row(tr("Start angle:"), start_);
  Row(tr("Stop angle:"), stop_);
  Row(fill_);
  Row(cutout_);
  Row(drawn);
  Row(noGerber_);
  EndRows();
}

void TCirclePage::Fill() {
  read_ = ReadCirclePage(list_, Board()->Platine);
  centre_.Fill(read_.Single, read_.Centre);
  FillLength(width_, read_.Width);
  FillLength(diameter_, read_.Diameter);
  FillNumber(start_, read_.Start);
  FillNumber(stop_, read_.Stop);
  FillCheck(fill_, read_.Fill);
  FillCheck(cutout_, read_.Cutout);
  noGerber_->setEnabled(fill_->checkState() == Qt::Checked);
}

void TCirclePage::Apply() {
  const TPlatine& board = Board()->Platine;
  TCircleProps v = read_;
  v.Centre = centre_.Value(read_.Centre);
  v.Width = LengthOf(width_, read_.Width);
  v.Diameter = LengthOf(diameter_, read_.Diameter);
  v.Start = NumberOf(start_, read_.Start);
  v.Stop = NumberOf(stop_, read_.Stop);
  v.Fill = CheckOf(fill_);
  v.Cutout = CheckOf(cutout_);
  ApplyCirclePage(v, list_, board, Touched());
  Repaint();
  read_ = ReadCirclePage(list_, board);
}

// ---- track ----

namespace {
constexpr QSize kEndPicture(36, 18);
}

TTrackPage::TTrackPage(TPanelState& state, QWidget* parent) : TPropertiesPage(state, parent) {
  width_ = Length("trackWidth", 0, 99.99, 2, 0.05, true);

  single_ = new QWidget(this);
  auto* sl = new QGridLayout(single_);
  sl->setContentsMargins(0, 0, 0, 0);
  sl->setVerticalSpacing(4);
  sl->setColumnStretch(1, 1);
  length_ = new QLabel(single_);
  length_->setObjectName("length");
  nodes_ = new QLabel(single_);
  nodes_->setObjectName("nodes");
  current_ = new QLabel(single_);
  current_->setObjectName("current");
  currentSettings_ = new QToolButton(single_);
  currentSettings_->setObjectName("currentSettings");
  connect(currentSettings_, &QToolButton::clicked, this, [this] { state_.Host.ShowImaxSettings(); });
  sl->addWidget(Label(tr("Length:"), single_), 0, 0);
  sl->addWidget(length_, 0, 1);
  sl->addWidget(Label(tr("Nodes:"), single_), 1, 0);
  sl->addWidget(nodes_, 1, 1);
  sl->addWidget(Label(tr("Max. current:"), single_), 2, 0);
  auto* cl = new QHBoxLayout;
  cl->setSpacing(2);
  cl->addWidget(current_);
  cl->addWidget(currentSettings_);
  cl->addStretch(1);
  sl->addLayout(cl, 2, 1);

  auto* ends = new QWidget(this);
  auto* el = new QHBoxLayout(ends);
  el->setContentsMargins(0, 0, 0, 0);
  el->setSpacing(4);
  flatStart_ = new QToolButton(ends);
  flatStart_->setObjectName("flatStart");
  flatEnd_ = new QToolButton(ends);
  flatEnd_->setObjectName("flatEnd");
  for (QToolButton* b : {flatStart_, flatEnd_}) {
    b->setIconSize(kEndPicture);
    b->setToolTip(b == flatStart_ ? tr("Start of the track: flat or round") : tr("End of the track: flat or round"));
    connect(b, &QToolButton::clicked, this, [this, b] { EndClicked(b == flatStart_); });
    el->addWidget(b);
  }
  el->addStretch(1);
  cutout_ = Check(tr("Cutout-area"), "cutout");

  Row(tr("Width:"), width_);
  Row(single_);
  Row(tr("Ends:"), ends);
  Row(cutout_);
  EndRows();
}

void TTrackPage::Fill() {
  read_ = ReadTrackPage(list_);
  FillLength(width_, AsDouble(read_.Width));
  single_->setVisible(list_.size() == 1);
  ends_[0] = read_.FlatStart;
  ends_[1] = read_.FlatEnd;
  if (!list_.empty()) {
    leaderEnds_[0] = list_.front()->TrackEnds & 1;
    leaderEnds_[1] = list_.front()->TrackEnds & 2;
  }
  ShowEnds();
  FillCheck(cutout_, read_.Cutout);
  ShowLength();
  ShowCurrent();
}

void TTrackPage::Apply() {
  TTrackProps v;
  v.Width = LengthOf(width_, AsDouble(read_.Width));
  v.FlatStart = ends_[0];
  v.FlatEnd = ends_[1];
  v.Cutout = CheckOf(cutout_);
  ApplyTrackPage(v, list_, Touched());
  Repaint();
  read_ = ReadTrackPage(list_);
  ShowCurrent();
}

void TTrackPage::EndClicked(bool start) {
  if (Filling()) return;
  Before();
  const size_t i = start ? 0 : 1;
  ends_[i] = !ends_[i].value_or(leaderEnds_[i]);  // a click ends the mixed state
  leaderEnds_[i] = *ends_[i];
  ShowEnds();
  Apply();
}

void TTrackPage::ShowEnds() {
  QToolButton* buttons[2] = {flatStart_, flatEnd_};
  for (size_t i = 0; i < 2; ++i) {
    buttons[i]->setIcon(TrackEndPicture(ends_[i].value_or(leaderEnds_[i]), i == 0, kEndPicture));
    buttons[i]->setStyleSheet(ends_[i] ? QString() : QStringLiteral("QToolButton { background: #808080; }"));
  }
}

void TTrackPage::ShowLength() {
  if (list_.size() != 1) return;
  const TObjekt& t = *list_.front();
  length_->setText(QString::fromStdString(FormatLength(TrackLength(t), -1, state_.Unit)));
  nodes_->setText(QString::number(t.Points.size()));
}

void TTrackPage::ShowCurrent() {
  if (list_.size() != 1) return;
  const auto& o = state_.Host.Settings().Options;
  const double amperes = CurrentCapacity(list_.front()->Width, o.Imax_CU, o.Imax_DT);
  current_->setText(QString::fromStdString(CurrentCapacityText(amperes)));
  currentSettings_->setText(QString::fromStdString(CurrentSettingsText(o.Imax_CU, o.Imax_DT)));
}

// ---- zone ----

TZonePage::TZonePage(TPanelState& state, QWidget* parent) : TPropertiesPage(state, parent) {
  width_ = Length("zoneWidth", 0, 99.99, 2, 0.05, true);
  nodesCaption_ = Label(tr("Nodes:"), this);
  nodes_ = new QLabel(this);
  nodes_->setObjectName("nodes");
  hatch_ = Check(tr("Hatched"), "hatched", [this] {
    Apply();
    Enable();
  });
  auto* pitch = new QWidget(this);
  pitch_ = Choices({{tr("Outline:"), 1}, {tr("Self-defined"), 0}}, "pitch", pitch, true);
  connect(pitch_, &QButtonGroup::idClicked, this, [this] {
    if (Filling()) return;
    Before();
    Apply();
    Enable();
  });
  hatchWidth_ = Length("hatchWidth", 0.5, 99.99, 2, 0.05, true);
  cutout_ = Check(tr("Cutout-area"), "cutout", [this] {
    Apply();
    Enable();
  });

  Row(tr("Outline"), width_);
  Row(nodesCaption_, nodes_);
  Row(hatch_);
  Row(pitch);
  Row(tr("Width:"), hatchWidth_);
  Row(cutout_);
  EndRows();
}

void TZonePage::Fill() {
  read_ = ReadZonePage(list_);
  FillLength(width_, read_.Width);
  nodesCaption_->setVisible(list_.size() == 1);
  nodes_->setVisible(list_.size() == 1);
  if (list_.size() == 1) nodes_->setText(QString::number(list_.front()->Points.size()));
  FillCheck(hatch_, read_.Hatch);
  FillChoice(pitch_, read_.HatchAuto ? std::optional<int>(*read_.HatchAuto ? 1 : 0) : std::nullopt);
  FillLength(hatchWidth_, read_.HatchWidth);
  FillCheck(cutout_, read_.Cutout);
  Enable();
}

void TZonePage::Apply() {
  TZoneProps v;
  v.Width = LengthOf(width_, read_.Width);
  v.Hatch = CheckOf(hatch_);
  if (const auto c = ChoiceOf(pitch_)) v.HatchAuto = *c == 1;
  v.HatchWidth = LengthOf(hatchWidth_, read_.HatchWidth);
  v.Cutout = CheckOf(cutout_);
  if (CapHatchWidth(v, list_)) {
    TFilling filling(state_);
    FillLength(hatchWidth_, v.HatchWidth);
  }
  ApplyZonePage(v, list_, Touched());
  Repaint();
  read_ = ReadZonePage(list_);
}

void TZonePage::Enable() {
  const bool free = cutout_->checkState() == Qt::Unchecked;
  const Qt::CheckState hatched = hatch_->checkState();
  const std::optional<int> pitch = ChoiceOf(pitch_);
  hatch_->setEnabled(free);
  for (QAbstractButton* b : pitch_->buttons()) b->setEnabled(free && hatched == Qt::Checked);
  hatchWidth_->setEnabled(free && hatched != Qt::Unchecked && (!pitch || *pitch == 0));
}

}  // namespace bs::app
