#include "dialogs/options_dialog.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QStackedWidget>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

#include "widgets/number_field.h"

namespace bs::app {

namespace {

const char* const kCaption = "Boardsmith";

// The texts below are translated where they are shown.
const char* const kPageCaptions[TOptionsDialog::kPageCount] = {
    QT_TRANSLATE_NOOP("bs::app::TOptionsDialog", "General settings"),
    QT_TRANSLATE_NOOP("bs::app::TOptionsDialog", "Colors"),
    QT_TRANSLATE_NOOP("bs::app::TOptionsDialog", "Working-Directories"),
    QT_TRANSLATE_NOOP("bs::app::TOptionsDialog", "Macro-Directory"),
    QT_TRANSLATE_NOOP("bs::app::TOptionsDialog", "Undo-Depth"),
    QT_TRANSLATE_NOOP("bs::app::TOptionsDialog", "Imax"),
    QT_TRANSLATE_NOOP("bs::app::TOptionsDialog", "Hotkeys"),
    QT_TRANSLATE_NOOP("bs::app::TOptionsDialog", "Crosshair"),
    QT_TRANSLATE_NOOP("bs::app::TOptionsDialog", "AutoSave"),
};

// The labels of the fixed folders, in the order of TFolderKind.
const char* const kFolderLabels[kFolderKindCount] = {
    QT_TRANSLATE_NOOP("bs::app::TOptionsDialog", "Layout"), QT_TRANSLATE_NOOP("bs::app::TOptionsDialog", "Gerber"),
    QT_TRANSLATE_NOOP("bs::app::TOptionsDialog", "Bitmap"), QT_TRANSLATE_NOOP("bs::app::TOptionsDialog", "Template"),
    QT_TRANSLATE_NOOP("bs::app::TOptionsDialog", "HPGL"),
};

// The tools in the order of the hotkey string.
const char* const kToolNames[kToolHotkeyCount] = {
    QT_TRANSLATE_NOOP("bs::app::TOptionsDialog", "Zoom"),
    QT_TRANSLATE_NOOP("bs::app::TOptionsDialog", "Track"),
    QT_TRANSLATE_NOOP("bs::app::TOptionsDialog", "Pad"),
    QT_TRANSLATE_NOOP("bs::app::TOptionsDialog", "SMD-Pad"),
    QT_TRANSLATE_NOOP("bs::app::TOptionsDialog", "Circle"),
    QT_TRANSLATE_NOOP("bs::app::TOptionsDialog", "Rectangle"),
    QT_TRANSLATE_NOOP("bs::app::TOptionsDialog", "Zone"),
    QT_TRANSLATE_NOOP("bs::app::TOptionsDialog", "Special form"),
    QT_TRANSLATE_NOOP("bs::app::TOptionsDialog", "Text"),
    QT_TRANSLATE_NOOP("bs::app::TOptionsDialog", "Connections"),
    QT_TRANSLATE_NOOP("bs::app::TOptionsDialog", "Autoroute"),
    QT_TRANSLATE_NOOP("bs::app::TOptionsDialog", "Test"),
    QT_TRANSLATE_NOOP("bs::app::TOptionsDialog", "Measure"),
    QT_TRANSLATE_NOOP("bs::app::TOptionsDialog", "Photoview"),
    QT_TRANSLATE_NOOP("bs::app::TOptionsDialog", "Solder mask"),
};

// The entries of a colour scheme, in table order.
const char* const kColourNames[12] = {
    QT_TRANSLATE_NOOP("bs::app::TOptionsDialog", "Background"),
    QT_TRANSLATE_NOOP("bs::app::TOptionsDialog", "C1 (copper top)"),
    QT_TRANSLATE_NOOP("bs::app::TOptionsDialog", "S1 (silkscreen top)"),
    QT_TRANSLATE_NOOP("bs::app::TOptionsDialog", "C2 (copper bottom)"),
    QT_TRANSLATE_NOOP("bs::app::TOptionsDialog", "S2 (silkscreen bottom)"),
    QT_TRANSLATE_NOOP("bs::app::TOptionsDialog", "I1 (inner layer 1)"),
    QT_TRANSLATE_NOOP("bs::app::TOptionsDialog", "I2 (inner layer 2)"),
    QT_TRANSLATE_NOOP("bs::app::TOptionsDialog", "O (outline)"),
    QT_TRANSLATE_NOOP("bs::app::TOptionsDialog", "Connections (rubberbands)"),
    QT_TRANSLATE_NOOP("bs::app::TOptionsDialog", "Through-Pads (vias)"),
    QT_TRANSLATE_NOOP("bs::app::TOptionsDialog", "Grid lines"),
    QT_TRANSLATE_NOOP("bs::app::TOptionsDialog", "Grid dots"),
};

constexpr int kMinutes = 60000;

QColor ToQColor(TColour c) { return QColor(Red(c), Green(c), Blue(c)); }
TColour FromQColor(const QColor& c) { return Rgb(uint8_t(c.red()), uint8_t(c.green()), uint8_t(c.blue())); }

QIcon Swatch(TColour c) {
  QPixmap pm(40, 16);
  pm.fill(ToQColor(c));
  QPainter p(&pm);
  p.setPen(Qt::gray);
  p.drawRect(pm.rect().adjusted(0, 0, -1, -1));
  // A read-only scheme disables its buttons; they still show the real
  // colours instead of Qt's greyed-out picture.
  QIcon icon;
  icon.addPixmap(pm, QIcon::Normal);
  icon.addPixmap(pm, QIcon::Disabled);
  return icon;
}

// A whole-number field; a value out of range is held to it.
QSpinBox* Number(const char* name, int min, int max, int value, const QString& suffix = {}) {
  auto* s = new TIntField;
  s->setObjectName(name);
  s->setRange(min, max);
  s->setValue(std::clamp(value, min, max));
  s->setSuffix(suffix);
  return s;
}

// Label and field pairs, the fields as wide as they need.
QFormLayout* Form() {
  auto* form = new QFormLayout;
  form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
  return form;
}

QLabel* Note(const QString& text) {
  auto* l = new QLabel(text);
  l->setWordWrap(true);
  return l;
}

// A page: its widgets from the top, the rest empty.
QWidget* PageOf(QLayout* content) {
  auto* page = new QWidget;
  auto* v = new QVBoxLayout(page);
  v->setContentsMargins(0, 0, 0, 0);
  v->addLayout(content);
  v->addStretch(1);
  return page;
}

}  // namespace

TOptionsDialog::TOptionsDialog(const TSettings& settings, const TSchemes& schemes, std::string dataFolder,
                               QWidget* parent)
    : QDialog(parent),
      settings_(settings),
      schemes_(schemes),
      stored_(schemes),
      dataFolder_(std::move(dataFolder)),
      scheme_(std::clamp(settings.Options.Farbschema, 0, 3)),
      hotkeys_(settings.Options.Hotkeys) {
  setWindowTitle(tr("Options"));
  // The settings reader lets only valid strings through; anything else
  // starts without keys rather than with keys used twice.
  if (!ValidToolHotkeys(hotkeys_)) hotkeys_ = std::string(kToolHotkeyCount, '_');

  pageList_ = new QListWidget;
  pageList_->setObjectName("pages");
  pageList_->setSpacing(2);
  pages_ = new QStackedWidget;
  auto* title = new QLabel;
  QFont bold = title->font();
  bold.setBold(true);
  bold.setPointSizeF(bold.pointSizeF() * 1.2);
  title->setFont(bold);
  QWidget* (TOptionsDialog::*const builders[kPageCount])() = {
      &TOptionsDialog::BuildGeneralPage,     &TOptionsDialog::BuildColoursPage,   &TOptionsDialog::BuildFoldersPage,
      &TOptionsDialog::BuildMacroFolderPage, &TOptionsDialog::BuildUndoPage,      &TOptionsDialog::BuildImaxPage,
      &TOptionsDialog::BuildHotkeysPage,     &TOptionsDialog::BuildCrosshairPage, &TOptionsDialog::BuildAutoSavePage};
  for (int i = 0; i < kPageCount; ++i) {
    pageList_->addItem(tr(kPageCaptions[i]));
    pages_->addWidget((this->*builders[i])());
  }
  pageList_->setFixedWidth(pageList_->sizeHintForColumn(0) + 2 * pageList_->frameWidth() + 16);
  connect(pageList_, &QListWidget::currentRowChanged, this, [this, title](int row) {
    if (row < 0) return;
    pages_->setCurrentIndex(row);
    title->setText(pageList_->item(row)->text());
  });

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &TOptionsDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* right = new QVBoxLayout;
  right->addWidget(title);
  right->addWidget(pages_, 1);
  auto* body = new QHBoxLayout;
  body->addWidget(pageList_);
  body->addSpacing(8);
  body->addLayout(right, 1);
  auto* outer = new QVBoxLayout(this);
  outer->addLayout(body, 1);
  outer->addWidget(buttons);

  ShowColours();
  EnableFolders();
  ShowPage(kPageGeneral);
}

void TOptionsDialog::ShowPage(int page) { pageList_->setCurrentRow(std::clamp(page, 0, kPageCount - 1)); }

int TOptionsDialog::Page() const { return pages_->currentIndex(); }

QCheckBox* TOptionsDialog::Switch(const QString& caption, bool TSettings::TOptions::*member) {
  auto* box = new QCheckBox(caption);
  box->setChecked(settings_.Options.*member);
  switches_.emplace_back(box, member);
  return box;
}

// ---- pages ----

QWidget* TOptionsDialog::BuildGeneralPage() {
  auto* unit = new QGroupBox(tr("Unit"));
  auto* unitRow = new QHBoxLayout(unit);
  auto* mm = new QRadioButton(tr("mm"));
  unitMil_ = new QRadioButton(tr("mil"));
  unitMil_->setObjectName("unitMil");
  (settings_.Options.MIL ? unitMil_ : mm)->setChecked(true);
  unitRow->addWidget(mm);
  unitRow->addWidget(unitMil_);
  unitRow->addStretch(1);

  using O = TSettings::TOptions;
  auto* view = new QGroupBox(tr("View"));
  auto* viewBox = new QVBoxLayout(view);
  viewBox->addWidget(Switch(tr("Show Board-Zoom"), &O::PlatinenZoom));
  viewBox->addWidget(Switch(tr("Darken ground-plane"), &O::AutoMasseDunkel));
  viewBox->addWidget(Switch(tr("Show ground-plane of all layers simultaneous"), &O::AlleAutoMassen));
  drillings_ = new QComboBox;
  drillings_->setObjectName("drillings");
  drillings_->addItems({tr("Background color"), tr("White"), tr("Black")});
  drillings_->setCurrentIndex(std::clamp(settings_.Options.BohrlochFarbe, 0, 2));
  auto* drillRow = new QHBoxLayout;
  drillRow->addWidget(new QLabel(tr("Drillings:")));
  drillRow->addWidget(drillings_);
  drillRow->addStretch(1);
  viewBox->addLayout(drillRow);

  auto* test = new QGroupBox(tr("TEST mode"));
  auto* testBox = new QVBoxLayout(test);
  testBox->addWidget(Switch(tr("Blinking TEST mode"), &O::BlinkTest));
  testBox->addWidget(Switch(tr("Consider connections (rubberbands) in TEST mode"), &O::TestLuftlinien));

  auto* edit = new QGroupBox(tr("Editing"));
  auto* editBox = new QVBoxLayout(edit);
  editBox->addWidget(Switch(tr("Limit text height (track width min. 0.15 mm)"), &O::SchrifthoeheBegrenzen));
  editBox->addWidget(Switch(tr("Component ID and value always readable after rotating"), &O::BezWertFlip));
  editBox->addWidget(Switch(tr("Optimize nodes of a track automatically"), &O::TracksOptimieren));
  editBox->addWidget(Switch(tr("CTRL-Key necessary to capture values during selections"), &O::StrgZumFangen));
  editBox->addWidget(Switch(tr("Origin top/left (instead of bottom/left)"), &O::NullpunktOben));
  editBox->addWidget(Switch(tr("Use origin in CAM-export (Gerber/Excellon/HPGL)"), &O::CAM_Nullpunkt));

  auto* v = new QVBoxLayout;
  for (QWidget* w : {static_cast<QWidget*>(unit), static_cast<QWidget*>(view), static_cast<QWidget*>(test),
                     static_cast<QWidget*>(edit)})
    v->addWidget(w);
  return PageOf(v);
}

QWidget* TOptionsDialog::BuildColoursPage() {
  schemeBox_ = new QComboBox;
  schemeBox_->setObjectName("scheme");
  schemeBox_->addItems({tr("Standard"), tr("User 1"), tr("User 2"), tr("User 3")});
  schemeBox_->setCurrentIndex(scheme_);
  connect(schemeBox_, &QComboBox::currentIndexChanged, this, &TOptionsDialog::ChooseScheme);
  auto* top = new QHBoxLayout;
  top->addWidget(new QLabel(tr("Color scheme:")));
  top->addWidget(schemeBox_);
  top->addStretch(1);

  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(12);
  for (int i = 0; i < 12; ++i) {
    auto* field = new QToolButton;
    field->setObjectName(QString("colour%1").arg(i));
    field->setIconSize(QSize(40, 16));
    connect(field, &QToolButton::clicked, this, [this, i] { PickColour(i); });
    colourFields_[size_t(i)] = field;
    // Background and layers on the left, the rest on the right.
    const int row = i < 8 ? i : i - 8, column = i < 8 ? 0 : 2;
    grid->addWidget(field, row, column);
    grid->addWidget(new QLabel(tr(kColourNames[i])), row, column + 1);
  }
  grid->setColumnStretch(1, 1);
  grid->setColumnStretch(3, 1);

  resetScheme_ = new QPushButton(tr("Reset scheme to default"));
  resetScheme_->setObjectName("resetScheme");
  connect(resetScheme_, &QPushButton::clicked, this, [this] {
    if (schemes_[size_t(scheme_)].C == TColourScheme{}.C) return;
    schemes_[size_t(scheme_)] = TColourScheme{};
    coloursEdited_ = true;
    ShowColours();
  });
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(resetScheme_);
  bottom->addStretch(1);

  auto* v = new QVBoxLayout;
  v->addLayout(top);
  v->addSpacing(8);
  v->addLayout(grid);
  v->addSpacing(8);
  v->addLayout(bottom);
  fixedNote_ = Note(tr("The scheme \"Standard\" cannot be changed."));
  v->addWidget(fixedNote_);
  return PageOf(v);
}

QWidget* TOptionsDialog::BuildFoldersPage() {
  auto* grid = new QGridLayout;
  for (int i = 0; i < kFolderKindCount; ++i) {
    const QString label = tr(kFolderLabels[i]);
    auto* field = new QLineEdit(QString::fromStdString(settings_.Folders.Kinds[size_t(i)].Fixed));
    field->setObjectName(QString("folder%1").arg(i));
    field->setMinimumWidth(300);
    auto* browse = new QToolButton;
    browse->setObjectName(QString("browse%1").arg(i));
    browse->setText("...");
    connect(browse, &QToolButton::clicked, this, [this, i, label, field] {
      const QString folder = PickFolder(tr("Please select a default-directory for ") + label, field->text());
      if (!folder.isEmpty()) field->setText(folder);
    });
    folders_[size_t(i)] = field;
    browse_[size_t(i)] = browse;
    grid->addWidget(new QLabel(label), i, 0);
    grid->addWidget(field, i, 1);
    grid->addWidget(browse, i, 2);
  }
  equalDir_ = new QCheckBox(tr("Use the same folder for all file types"));
  equalDir_->setObjectName("equalDir");
  equalDir_->setChecked(settings_.Folders.EqualDir);
  connect(equalDir_, &QCheckBox::toggled, this, &TOptionsDialog::EnableFolders);

  auto* v = new QVBoxLayout;
  v->addLayout(grid);
  v->addWidget(Note(tr("An empty field: the file dialogs start in the folder used last.")));
  v->addSpacing(8);
  v->addWidget(equalDir_);
  v->addWidget(Note(tr("Every file dialog then starts in the folder of the current project.")));
  return PageOf(v);
}

QWidget* TOptionsDialog::BuildMacroFolderPage() {
  macroRoot_ = new QLineEdit(QString::fromStdString(settings_.Folders.Makro));
  macroRoot_->setObjectName("macroRoot");
  auto* change = new QPushButton(tr("Change..."));
  change->setObjectName("macroChange");
  connect(change, &QPushButton::clicked, this, [this] {
    const QString folder = PickFolder(tr("Please select the macro directory"), macroRoot_->text());
    if (!folder.isEmpty()) macroRoot_->setText(folder);
  });
  auto* reset = new QPushButton(tr("Reset"));
  reset->setObjectName("macroReset");
  connect(reset, &QPushButton::clicked, this,
          [this] { macroRoot_->setText(QString::fromStdString(dataFolder_ + "/" + kDefaultMacroFolderName)); });
  auto* explore = new QPushButton(tr("explore"));
  explore->setObjectName("macroExplore");
  connect(explore, &QPushButton::clicked, this, [this] {
    const QString folder = macroRoot_->text();
    if (!QFileInfo(folder).isDir()) {
      QMessageBox::warning(this, kCaption, tr("The folder \"%1\" does not exist.").arg(folder));
      return;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(folder)))
      QMessageBox::warning(this, kCaption, tr("The folder \"%1\" could not be opened.").arg(folder));
  });
  auto* row = new QHBoxLayout;
  for (QPushButton* b : {change, reset, explore}) row->addWidget(b);
  row->addStretch(1);

  auto* v = new QVBoxLayout;
  v->addWidget(Note(tr("The macro library shows the macros of this folder and its subfolders.")));
  v->addWidget(macroRoot_);
  v->addLayout(row);
  return PageOf(v);
}

QWidget* TOptionsDialog::BuildUndoPage() {
  undo_ = Number("undoDepth", 1, 50, settings_.Options.Undo + 1);
  auto* form = Form();
  form->addRow(tr("Number of undo steps (1 ... 50):"), undo_);
  auto* v = new QVBoxLayout;
  v->addLayout(form);
  v->addWidget(Note(tr("Each step keeps a copy of the whole board.")));
  return PageOf(v);
}

QWidget* TOptionsDialog::BuildImaxPage() {
  imaxCu_ = Number("imaxCu", 1, 299, settings_.Options.Imax_CU, QString::fromUtf8(" µm"));
  imaxDt_ = Number("imaxDt", 1, 299, settings_.Options.Imax_DT, QString::fromUtf8(" °C"));
  auto* form = Form();
  form->addRow(tr("Copper thickness:"), imaxCu_);
  form->addRow(tr("Temperature rise:"), imaxDt_);
  auto* note =
      new QLabel(tr("The calculation of the max. current-carrying capacity for a track,\nis only a coarse "
                    "approximate value.\nThe real value is depending on many other factors and the "
                    "environment."));
  auto* v = new QVBoxLayout;
  v->addWidget(note);
  v->addSpacing(8);
  v->addLayout(form);
  return PageOf(v);
}

QWidget* TOptionsDialog::BuildHotkeysPage() {
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(12);
  // Letters only: the number keys choose the grid.
  auto* letters = new QRegularExpressionValidator(QRegularExpression("[A-Za-z]{0,2}"), this);
  const int rows = (kToolHotkeyCount + 1) / 2;
  for (int i = 0; i < kToolHotkeyCount; ++i) {
    auto* field = new QLineEdit;
    field->setObjectName(QString("hotkey%1").arg(i));
    field->setValidator(letters);
    field->setAlignment(Qt::AlignCenter);
    field->setFixedWidth(field->fontMetrics().horizontalAdvance("WW") + 16);
    const char key = hotkeys_[size_t(i)];
    field->setText(key == '_' ? QString() : QString(QChar(key)));
    connect(field, &QLineEdit::textEdited, this, [this, i] { HotkeyEdited(i); });
    hotkeyFields_[size_t(i)] = field;
    const int row = i % rows, column = i < rows ? 0 : 3;
    grid->addWidget(field, row, column);
    grid->addWidget(new QLabel(tr(kToolNames[i])), row, column + 1);
  }
  grid->setColumnMinimumWidth(2, 24);
  grid->setColumnStretch(4, 1);
  auto* v = new QVBoxLayout;
  v->addLayout(grid);
  v->addSpacing(8);
  v->addWidget(Note(tr("An empty field: the tool has no hotkey. The pointer tool always has Esc.")));
  return PageOf(v);
}

QWidget* TOptionsDialog::BuildCrosshairPage() {
  using O = TSettings::TOptions;
  QCheckBox* box = Switch(tr("Show coordinates on crosshair"), &O::FK_TextBox);
  // The look of the coordinates, indented under their switch.
  auto* text = new QWidget;
  auto* textBox = new QVBoxLayout(text);
  textBox->setContentsMargins(24, 0, 0, 0);
  textBox->addWidget(Switch(tr("Big Text"), &O::FK_TextBig));
  textBox->addWidget(Switch(tr("Transparent"), &O::FK_Transparent));
  blackBox_ = new QRadioButton(tr("Black Background"));
  blackBox_->setObjectName("blackBackground");
  auto* white = new QRadioButton(tr("White Background"));
  (settings_.Options.FK_TextBlack ? blackBox_ : white)->setChecked(true);
  textBox->addWidget(blackBox_);
  textBox->addWidget(white);
  text->setEnabled(box->isChecked());
  connect(box, &QCheckBox::toggled, text, &QWidget::setEnabled);

  auto* v = new QVBoxLayout;
  v->addWidget(Switch(tr("Show 45° lines"), &O::FK_Diagonal));
  v->addWidget(box);
  v->addWidget(text);
  return PageOf(v);
}

QWidget* TOptionsDialog::BuildAutoSavePage() {
  autoSaveMinutes_ =
      Number("autoSaveMinutes", 1, 60, (settings_.Options.AutoSaveTime + kMinutes / 2) / kMinutes, tr(" min"));
  auto* form = Form();
  form->addRow(tr("Interval:"), autoSaveMinutes_);
  auto* v = new QVBoxLayout;
  v->addWidget(Switch(tr("Activate AutoSave"), &TSettings::TOptions::AutoSave));
  v->addLayout(form);
  v->addWidget(Note(tr("A saved project is copied at this interval to its file name with \".bak\" appended.")));
  return PageOf(v);
}

// ---- behaviour ----

void TOptionsDialog::ShowColours() {
  const bool editable = scheme_ > 0;
  for (size_t i = 0; i < colourFields_.size(); ++i) {
    colourFields_[i]->setIcon(Swatch(schemes_[size_t(scheme_)].C[i]));
    colourFields_[i]->setEnabled(editable);
  }
  resetScheme_->setEnabled(editable);
  fixedNote_->setVisible(!editable);
  emit ColoursShown(schemes_[size_t(scheme_)]);
}

void TOptionsDialog::ChooseScheme(int scheme) {
  if (scheme == scheme_ || scheme < 0) return;
  if (coloursEdited_ && scheme_ > 0) {
    const auto answer = QMessageBox::question(this, kCaption, tr("You have changed the colors.\nSave changes?"),
                                              QMessageBox::Yes | QMessageBox::No);
    auto& edited = schemes_[size_t(scheme_)];
    if (answer == QMessageBox::Yes) {
      if (!SaveUserScheme(dataFolder_, scheme_, edited)) {
        // Stay on the edited scheme, so that nothing is lost.
        QMessageBox::warning(this, kCaption,
                             tr("The file \"%1\" can not be written.")
                                 .arg(QString::fromStdString(UserSchemePath(dataFolder_, scheme_))));
        const QSignalBlocker block(schemeBox_);
        schemeBox_->setCurrentIndex(scheme_);
        return;
      }
      stored_[size_t(scheme_)] = edited;
    } else {
      edited = stored_[size_t(scheme_)];
    }
  }
  scheme_ = scheme;
  coloursEdited_ = false;
  ShowColours();
}

void TOptionsDialog::PickColour(int entry) {
  TColour& colour = schemes_[size_t(scheme_)].C[size_t(entry)];
  const std::vector<TColour> custom = LoadCustomColours(dataFolder_);
  for (int i = 0; i < QColorDialog::customCount(); ++i)
    QColorDialog::setCustomColor(i, size_t(i) < custom.size() ? ToQColor(custom[size_t(i)]) : QColor(Qt::white));
  QColorDialog picker(ToQColor(colour), this);
  const bool ok = picker.exec() == QDialog::Accepted;
  std::vector<TColour> keep;
  for (int i = 0; i < QColorDialog::customCount(); ++i) keep.push_back(FromQColor(QColorDialog::customColor(i)));
  // The custom colours are a convenience: a list that cannot be written is
  // not worth a message.
  if (keep != custom) SaveCustomColours(dataFolder_, keep);
  if (!ok || FromQColor(picker.selectedColor()) == colour) return;
  colour = FromQColor(picker.selectedColor());
  coloursEdited_ = true;
  ShowColours();
}

void TOptionsDialog::EnableFolders() {
  // The project folder serves every kind: only its own field stays.
  for (int i = 0; i < kFolderKindCount; ++i) {
    const bool on = i == kFolderLayout || !equalDir_->isChecked();
    folders_[size_t(i)]->setEnabled(on);
    browse_[size_t(i)]->setEnabled(on);
  }
}

void TOptionsDialog::HotkeyEdited(int tool) {
  QLineEdit* field = hotkeyFields_[size_t(tool)];
  QString typed = field->text().toUpper();
  // A key typed into a full field replaces the one there.
  if (typed.size() > 1) typed = typed.mid(std::clamp(field->cursorPosition() - 1, 0, int(typed.size()) - 1), 1);
  const char key = typed.isEmpty() ? '_' : typed[0].toLatin1();
  if (key != '_') {
    for (int i = 0; i < kToolHotkeyCount; ++i) {
      if (i == tool || hotkeys_[size_t(i)] != key) continue;
      const char old = hotkeys_[size_t(tool)];
      field->setText(old == '_' ? QString() : QString(QChar(old)));
      QMessageBox::warning(this, kCaption, tr("The hotkey \"%1\" is already in use.").arg(QChar(key)));
      return;
    }
  }
  hotkeys_[size_t(tool)] = key;
  field->setText(typed);
}

QString TOptionsDialog::PickFolder(const QString& title, const QString& start) {
  return QFileDialog::getExistingDirectory(this, title, start);
}

void TOptionsDialog::accept() {
  // A number still being typed counts as confirmed (held to its limit or
  // refused) also when OK is reached from the keyboard.
  for (QAbstractSpinBox* field : findChildren<QAbstractSpinBox*>()) field->interpretText();
  for (int i = 0; i < kFolderKindCount; ++i) {
    QLineEdit* field = folders_[size_t(i)];
    const QString folder = field->text().trimmed();
    if (field->isEnabled() && !folder.isEmpty() && !QFileInfo(folder).isDir()) {
      ShowPage(kPageFolders);
      field->setFocus();
      QMessageBox::warning(this, kCaption, tr("The folder \"%1\" does not exist.").arg(folder));
      return;
    }
  }

  // Edited colours of a user scheme are kept in its file: otherwise they
  // would last only until the next start.
  if (coloursEdited_ && scheme_ > 0) {
    if (!SaveUserScheme(dataFolder_, scheme_, schemes_[size_t(scheme_)])) {
      ShowPage(kPageColours);
      QMessageBox::warning(
          this, kCaption,
          tr("The file \"%1\" can not be written.").arg(QString::fromStdString(UserSchemePath(dataFolder_, scheme_))));
      return;
    }
    stored_[size_t(scheme_)] = schemes_[size_t(scheme_)];
    coloursEdited_ = false;
  }

  auto& o = settings_.Options;
  for (const auto& [box, member] : switches_) o.*member = box->isChecked();
  o.MIL = unitMil_->isChecked();
  o.BohrlochFarbe = drillings_->currentIndex();
  o.Farbschema = scheme_;
  o.Undo = undo_->value() - 1;
  o.Imax_CU = imaxCu_->value();
  o.Imax_DT = imaxDt_->value();
  o.Hotkeys = hotkeys_;
  o.FK_TextBlack = blackBox_->isChecked();
  o.AutoSaveTime = autoSaveMinutes_->value() * kMinutes;

  auto& f = settings_.Folders;
  for (int i = 0; i < kFolderKindCount; ++i) {
    auto& kind = f.Kinds[size_t(i)];
    kind.Fixed = folders_[size_t(i)]->text().trimmed().toStdString();
    // A fixed folder is where the next dialog of its kind starts.
    if (!kind.Fixed.empty()) kind.Last = kind.Fixed;
  }
  f.EqualDir = equalDir_->isChecked();
  f.Makro = macroRoot_->text().trimmed().toStdString();
  QDialog::accept();
}

}  // namespace bs::app
