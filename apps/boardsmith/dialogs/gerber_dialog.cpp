#include "dialogs/gerber_dialog.h"

#include <QCheckBox>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

#include "widgets/length_field.h"
#include "window/core_text.h"

namespace bs::app {

namespace {

const char* const kCaption = "Boardsmith";

// The rows of both windows, in the order of the output files.
const char* const kRowCaptions[kGerberOutputCount] = {
    QT_TRANSLATE_NOOP("bs::app::TGerberDlg", "C1 - Copper Top"),
    QT_TRANSLATE_NOOP("bs::app::TGerberDlg", "C2 - Copper Bottom"),
    QT_TRANSLATE_NOOP("bs::app::TGerberDlg", "S1 - Silkscreen Top"),
    QT_TRANSLATE_NOOP("bs::app::TGerberDlg", "S2 - Silkscreen Bottom"),
    QT_TRANSLATE_NOOP("bs::app::TGerberDlg", "I1 - Copper Inner 1"),
    QT_TRANSLATE_NOOP("bs::app::TGerberDlg", "I2 - Copper Inner 2"),
    QT_TRANSLATE_NOOP("bs::app::TGerberDlg", "O - Outline"),
    QT_TRANSLATE_NOOP("bs::app::TGerberDlg", "C1 - Solder mask"),
    QT_TRANSLATE_NOOP("bs::app::TGerberDlg", "C2 - Solder mask"),
    QT_TRANSLATE_NOOP("bs::app::TGerberDlg", "C1 - SMD mask"),
    QT_TRANSLATE_NOOP("bs::app::TGerberDlg", "C2 - SMD mask"),
};
QString RowCaption(int row) { return TGerberDlg::tr(kRowCaptions[row]); }

// Rows of the output table by content.
constexpr int kRowC1 = 0, kRowC2 = 1, kRowMask1 = 7, kRowMask2 = 8, kRowSmd1 = 9, kRowSmd2 = 10;

// Settings keep the mask offsets in 1/100 mm; the fields hold units.
constexpr int kUnitsPerHundredth = 100;
int32_t FromHundredths(int v) { return v * kUnitsPerHundredth; }
int ToHundredths(int32_t units) { return int(std::lround(units / double(kUnitsPerHundredth))); }

QCheckBox* Box(const char* name, const QString& caption, bool checked = false) {
  auto* b = new QCheckBox(caption);
  b->setObjectName(name);
  b->setChecked(checked);
  return b;
}

TLengthField* OffsetField(const char* name, double minMm, int hundredths, TDisplayUnit unit) {
  auto* f = new TLengthField(minMm, 9.99, 2, 0.01);
  f->setObjectName(name);
  f->SetUnit(unit);
  f->SetUnits(FromHundredths(hundredths));
  return f;
}

}  // namespace

TSettings::TFolder& CamFolder(TSettings& settings) {
  return settings.Folders.Kinds[settings.Folders.EqualDir ? kFolderLayout : kFolderGerber];
}

// ---- file-name endings ----

TGerberDateinamenDlg::TGerberDateinamenDlg(TSettings::TGerber& settings, QWidget* parent)
    : QDialog(parent), settings_(settings) {
  setWindowTitle(tr("File extensions"));
  auto* grid = new QGridLayout;
  grid->setColumnStretch(1, 1);
  for (int i = 0; i < kGerberOutputCount; ++i) {
    auto* field = new QLineEdit;
    field->setObjectName(QStringLiteral("ending%1").arg(i));
    field->setMinimumWidth(field->fontMetrics().horizontalAdvance('x') * 28);
    auto* label = new QLabel(RowCaption(i));
    label->setBuddy(field);
    grid->addWidget(label, i, 0);
    grid->addWidget(field, i, 1);
    endings_[size_t(i)] = field;
  }
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  QPushButton* defaults = buttons->addButton(tr("Default..."), QDialogButtonBox::ResetRole);
  defaults->setObjectName("defaults");
  connect(defaults, &QPushButton::clicked, this, &TGerberDateinamenDlg::ResetToDefaults);
  // The endings most board houses expect; like typed endings they are kept
  // with OK.
  QPushButton* common = buttons->addButton(tr("Common endings"), QDialogButtonBox::ActionRole);
  common->setObjectName("commonEndings");
  common->setToolTip(
      tr("Copper .GTL/.GBL, silkscreen .GTO/.GBO, solder mask .GTS/.GBS, SMD paste .GTP/.GBP, "
         "outline .GKO, inner layers .G1/.G2"));
  connect(common, &QPushButton::clicked, this, [this] {
    const auto endings = TSettings::CommonGerberEndings();
    for (int i = 0; i < kGerberOutputCount; ++i)
      endings_[size_t(i)]->setText(QString::fromStdString(endings[size_t(i)]));
  });
  connect(buttons, &QDialogButtonBox::accepted, this, &TGerberDateinamenDlg::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &TGerberDateinamenDlg::reject);
  auto* outer = new QVBoxLayout(this);
  outer->addLayout(grid);
  outer->addWidget(buttons);
  Load();
}

void TGerberDateinamenDlg::Load() {
  for (int i = 0; i < kGerberOutputCount; ++i)
    endings_[size_t(i)]->setText(QString::fromStdString(settings_.Endings[size_t(i)]));
}

void TGerberDateinamenDlg::ResetToDefaults() {
  if (QMessageBox::question(this, kCaption, tr("Reset all filenames to default values ?"),
                            QMessageBox::Ok | QMessageBox::Cancel) != QMessageBox::Ok)
    return;
  // The offsets stay: the export window shows them and keeps them in the
  // settings as they are.
  settings_.Endings = TSettings::DefaultGerberEndings();
  Load();
}

void TGerberDateinamenDlg::accept() {
  for (int i = 0; i < kGerberOutputCount; ++i) settings_.Endings[size_t(i)] = endings_[size_t(i)]->text().toStdString();
  QDialog::accept();
}

void TGerberDateinamenDlg::reject() {
  Load();
  QDialog::reject();
}

// ---- the export window ----

TGerberDlg::TGerberDlg(TProject& project, TSettings& settings, QWidget* parent)
    : QDialog(parent), project_(project), settings_(settings) {
  setWindowTitle(tr("Gerber export"));
  endingsDlg_ = new TGerberDateinamenDlg(settings_.Gerber, this);

  // Layers: a check box per output file, its file name beside it.
  auto* layers = new QGroupBox(tr("Layers"));
  auto* layerGrid = new QGridLayout(layers);
  layerGrid->setColumnStretch(1, 1);
  layerGrid->setHorizontalSpacing(16);
  for (int i = 0; i < kGerberOutputCount; ++i) {
    auto* row = Box("", RowCaption(i), true);
    row->setObjectName(QStringLiteral("CB_Layer%1").arg(i));
    auto* name = new QLabel;
    name->setObjectName(QStringLiteral("name%1").arg(i));
    name->setEnabled(false);  // shown greyed: it is set by prefix and ending
    QSizePolicy keep = name->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    name->setSizePolicy(keep);
    layerGrid->addWidget(row, i, 0);
    layerGrid->addWidget(name, i, 1);
    rows_[size_t(i)] = row;
    names_[size_t(i)] = name;
    connect(row, &QCheckBox::toggled, this, [this] {
      UpdateNames();
      UpdateEnabled();
    });
  }
  layerGrid->setRowStretch(kGerberOutputCount, 1);

  const TDisplayUnit unit = settings_.Options.MIL ? TDisplayUnit::Mil : TDisplayUnit::Mm;
  const auto& g = settings_.Gerber;

  auto* options = new QGroupBox(tr("Options"));
  auto* optionsBox = new QVBoxLayout(options);
  mirror_ = Box("CB_Spiegeln", tr("Mirror"));
  frame_ = Box("CB_Rahmen", tr("Include frame (board size)"));
  punch_ = Box("CB_BohrungenFreistanzen", tr("Punch drill holes"));
  centrePunch_ = Box("CB_BohrungenKoernen", tr("Center punch only (0.3 mm)"));
  optionsBox->addWidget(mirror_);
  optionsBox->addWidget(frame_);
  optionsBox->addWidget(punch_);
  auto* centreRow = new QHBoxLayout;
  centreRow->addSpacing(20);
  centreRow->addWidget(centrePunch_);
  optionsBox->addLayout(centreRow);
  connect(punch_, &QCheckBox::toggled, this, &TGerberDlg::UpdateEnabled);

  auto* mask = new QGroupBox(tr("Solder mask"));
  auto* maskGrid = new QGridLayout(mask);
  maskTht_ = Box("CB_LS_LA", tr("Pads"), true);
  maskSmd_ = Box("CB_LS_SMD", tr("SMD pads"), true);
  maskOther_ = Box("CB_LS_Sonstige", tr("Others"), true);
  offsetTht_ = OffsetField("SE_LS_LA", 0, g.LS_Offset_LA, unit);
  offsetSmd_ = OffsetField("SE_LS_SMD", 0, g.LS_Offset_SMD, unit);
  offsetOther_ = OffsetField("SE_LS_Sonstige", 0, g.LS_Offset_Sonstige, unit);
  maskInverted_ = Box("CB_LS_Invertiert", tr("Inverted"));
  maskGrid->addWidget(new QLabel(tr("Offset:")), 0, 1);
  maskGrid->addWidget(maskTht_, 1, 0);
  maskGrid->addWidget(offsetTht_, 1, 1);
  maskGrid->addWidget(maskSmd_, 2, 0);
  maskGrid->addWidget(offsetSmd_, 2, 1);
  maskGrid->addWidget(maskOther_, 3, 0);
  maskGrid->addWidget(offsetOther_, 3, 1);
  maskGrid->addWidget(maskInverted_, 4, 0, 1, 2);

  auto* smd = new QGroupBox(tr("SMD mask"));
  auto* smdGrid = new QGridLayout(smd);
  smdOffset_ = OffsetField("SE_SMD", -9.99, g.SMD_Maske_Offset, unit);
  smdInverted_ = Box("CB_SMD_Invertiert", tr("Inverted"));
  auto* smdLabel = new QLabel(tr("Offset:"));
  smdLabel->setBuddy(smdOffset_);
  smdGrid->addWidget(smdLabel, 0, 0);
  smdGrid->addWidget(smdOffset_, 0, 1);
  smdGrid->addWidget(smdInverted_, 1, 0, 1, 2);
  smdGrid->setColumnStretch(0, 1);
  // One width for all offsets, so that the two groups line up.
  int width = 0;
  for (TLengthField* f : {offsetTht_, offsetSmd_, offsetOther_, smdOffset_})
    width = std::max(width, f->sizeHint().width());
  for (TLengthField* f : {offsetTht_, offsetSmd_, offsetOther_, smdOffset_}) {
    f->setFixedWidth(width);
    connect(f, &TLengthField::UnitsEdited, this, &TGerberDlg::StoreOffsets);
  }

  auto* right = new QVBoxLayout;
  right->addWidget(options);
  right->addWidget(mask);
  right->addWidget(smd);
  right->addStretch(1);
  auto* top = new QHBoxLayout;
  top->addWidget(layers, 1);
  top->addLayout(right);

  // Names and folder.
  prefix_ = new QLineEdit;
  prefix_->setObjectName("prefix");
  connect(prefix_, &QLineEdit::textChanged, this, &TGerberDlg::UpdateNames);
  auto* endings = new QPushButton(tr("File extensions..."));
  endings->setObjectName("endings");
  connect(endings, &QPushButton::clicked, this, &TGerberDlg::EditEndings);
  folder_ = new QLineEdit;
  folder_->setObjectName("folder");
  auto* change = new QPushButton(tr("Change..."));
  change->setObjectName("change");
  connect(change, &QPushButton::clicked, this, &TGerberDlg::ChangeFolder);
  auto* files = new QGridLayout;
  auto* prefixLabel = new QLabel(tr("File name prefix:"));
  prefixLabel->setBuddy(prefix_);
  auto* folderLabel = new QLabel(tr("Output folder:"));
  folderLabel->setBuddy(folder_);
  files->addWidget(prefixLabel, 0, 0);
  files->addWidget(prefix_, 0, 1);
  files->addWidget(endings, 0, 2);
  files->addWidget(folderLabel, 1, 0);
  files->addWidget(folder_, 1, 1);
  files->addWidget(change, 1, 2);
  files->setColumnStretch(1, 1);

  log_ = new QPlainTextEdit;
  log_->setObjectName("log");
  log_->setReadOnly(true);
  log_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  log_->setMinimumHeight(log_->fontMetrics().lineSpacing() * 7);
  log_->setPlainText(tr("Created files:"));

  auto* buttons = new QDialogButtonBox;
  create_ = buttons->addButton(tr("Create Gerber files..."), QDialogButtonBox::ActionRole);
  create_->setObjectName("create");
  QPushButton* close = buttons->addButton(tr("&Close"), QDialogButtonBox::RejectRole);
  close->setObjectName("CancelBtn");
  connect(create_, &QPushButton::clicked, this, &TGerberDlg::Export);
  connect(close, &QPushButton::clicked, this, &QDialog::reject);

  auto* outer = new QVBoxLayout(this);
  outer->addLayout(top);
  outer->addLayout(files);
  outer->addWidget(log_, 1);
  outer->addWidget(buttons);
  // Enter confirms a typed offset; it never starts an export or closes the
  // window.
  for (QPushButton* b : findChildren<QPushButton*>()) b->setAutoDefault(false);
  Prepare();
}

void TGerberDlg::Run() {
  Prepare();
  exec();
}

void TGerberDlg::Prepare() {
  const TBoard* board = project_.Active();
  for (int i = 0; i < kGerberOutputCount; ++i) {
    QCheckBox* row = rows_[size_t(i)];
    const bool available = board && GerberOutputAvailable(*board, i);
    row->setEnabled(available);
    if (!available) row->setChecked(false);
  }
  prefix_->setText(QFileInfo(QString::fromStdString(project_.FileName)).completeBaseName());
  folder_->setText(QString::fromStdString(CamFolder(settings_).Last));
  UpdateNames();
  UpdateEnabled();
}

QString TGerberDlg::FileName(int row) const {
  return prefix_->text() + QString::fromStdString(settings_.Gerber.Endings[size_t(row)]);
}

QString TGerberDlg::Folder() const { return folder_->text(); }
void TGerberDlg::SetFolder(const QString& folder) { folder_->setText(folder); }

void TGerberDlg::UpdateNames() {
  for (int i = 0; i < kGerberOutputCount; ++i) {
    names_[size_t(i)]->setText(FileName(i));
    names_[size_t(i)]->setVisible(rows_[size_t(i)]->isChecked());
  }
}

void TGerberDlg::UpdateEnabled() {
  const auto checked = [this](int row) { return rows_[size_t(row)]->isChecked(); };
  punch_->setEnabled(checked(kRowC1) || checked(kRowC2));
  centrePunch_->setEnabled(punch_->isEnabled() && punch_->isChecked());
  const bool mask = checked(kRowMask1) || checked(kRowMask2);
  for (QWidget* w : std::initializer_list<QWidget*>{maskTht_, maskSmd_, maskOther_, offsetTht_, offsetSmd_,
                                                    offsetOther_, maskInverted_})
    w->setEnabled(mask);
  const bool smd = checked(kRowSmd1) || checked(kRowSmd2);
  smdOffset_->setEnabled(smd);
  smdInverted_->setEnabled(smd);
  bool any = false;
  for (QCheckBox* row : rows_) any = any || row->isChecked();
  create_->setEnabled(any);
}

void TGerberDlg::StoreOffsets() {
  auto& g = settings_.Gerber;
  g.LS_Offset_LA = ToHundredths(offsetTht_->Units());
  g.LS_Offset_SMD = ToHundredths(offsetSmd_->Units());
  g.LS_Offset_Sonstige = ToHundredths(offsetOther_->Units());
  g.SMD_Maske_Offset = ToHundredths(smdOffset_->Units());
}

void TGerberDlg::ChangeFolder() {
  const QString folder = QFileDialog::getExistingDirectory(this, tr("Please select a folder."), folder_->text());
  if (!folder.isEmpty()) folder_->setText(QDir::toNativeSeparators(folder));
}

void TGerberDlg::EditEndings() {
  // Also after Cancel: "Default..." changes the endings at once.
  endingsDlg_->exec();
  UpdateNames();
}

TGerberOptions TGerberDlg::Options() const {
  TGerberOptions o;
  o.Frame = frame_->isChecked();
  o.Mirror = mirror_->isChecked();
  o.UseOrigin = settings_.Options.CAM_Nullpunkt;
  o.PunchHoles = punch_->isEnabled() && punch_->isChecked();
  o.CentrePunch = centrePunch_->isEnabled() && centrePunch_->isChecked();
  o.MaskTht = maskTht_->isChecked();
  o.MaskSmd = maskSmd_->isChecked();
  o.MaskOther = maskOther_->isChecked();
  o.MaskOffsetTht = offsetTht_->Units();
  o.MaskOffsetSmd = offsetSmd_->Units();
  o.MaskOffsetOther = offsetOther_->Units();
  o.MaskInverted = maskInverted_->isChecked();
  o.SmdMaskOffset = smdOffset_->Units();
  o.SmdMaskInverted = smdInverted_->isChecked();
  return o;
}

void TGerberDlg::Log(const QString& line) { log_->appendPlainText(line); }

int TGerberDlg::Export() {
  const TBoard* board = project_.Active();
  const QString folder = folder_->text();
  if (!board) return 0;
  if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
    QMessageBox::information(
        this, kCaption, tr("The directory: \"%1\" does not exist.\n\nPlease select a new output folder.").arg(folder));
    return 0;
  }
  const TGerberOptions opt = Options();
  Log(QString());
  Log(QLocale().toString(QDateTime::currentDateTime(), QLocale::ShortFormat));
  Log(QString(48, '-'));
  // Every file is made before any is written: one that cannot be written
  // as it should (a position beyond the number format) stops them all.
  std::vector<TGerberFile> files;
  for (int i = 0; i < kGerberOutputCount; ++i) {
    if (!rows_[size_t(i)]->isChecked()) continue;
    const QString path = QDir::toNativeSeparators(QDir(folder).filePath(FileName(i)));
    if (QFileInfo::exists(path) &&
        QMessageBox::question(this, kCaption, tr("The file \"%1\" already exists.\n\nOverwrite?").arg(path),
                              QMessageBox::Ok | QMessageBox::Cancel) != QMessageBox::Ok)
      continue;
    TGerberFile& f = files.emplace_back();
    WriteGerberOutput(f, *board, i, opt);
    f.FileName = path.toStdString();
    if (const std::string error = f.CoordinateError(); !error.empty()) {
      Log(tr("%1 files created.").arg(0));
      QMessageBox::warning(this, kCaption, CoreText(error));
      return 0;
    }
  }
  int created = 0;
  for (const TGerberFile& f : files) {
    if (const std::string error = f.EndFile(); !error.empty()) {
      Log(tr("%1 files created.").arg(created));
      QMessageBox::warning(this, kCaption, CoreText(error));
      return created;
    }
    Log("-> " + QString::fromStdString(f.FileName));
    ++created;
  }
  Log(tr("%1 files created.").arg(created));
  CamFolder(settings_).Last = folder.toStdString();
  return created;
}

}  // namespace bs::app
