#include "dialogs/excellon_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QRadioButton>
#include <QVBoxLayout>

#include "dialogs/gerber_dialog.h"
#include "model/messages.h"
#include "window/core_text.h"

namespace bs::app {

namespace {
const char* const kCaption = "Boardsmith";

template <typename T>
T* Named(const char* name, const QString& caption, bool checked) {
  auto* b = new T(caption);
  b->setObjectName(name);
  b->setChecked(checked);
  return b;
}
}  // namespace

void WarnSilkscreenDrillings(QWidget* parent, const TBoard& board) {
  if (const int n = CountSilkscreenDrillings(board.Elements))
    QMessageBox::information(
        parent, kCaption,
        TLochDlg::tr("%1 drillings on the silkscreen layer.\nThese drillings will be ignored.").arg(n));
}

TLochDlg::TLochDlg(TProject& project, TSettings& settings, QWidget* parent)
    : QDialog(parent), project_(project), settings_(settings) {
  setWindowTitle(tr("Excellon export"));
  const auto& x = settings_.Excellon;

  auto* side = new QGroupBox(tr("Drilling side"));
  auto* sideBox = new QVBoxLayout(side);
  top_ = Named<QRadioButton>("RB_Best", tr("Top (default)"), true);
  bottomGerber_ = Named<QRadioButton>("RB_Kupfer", tr("Bottom (x-mirrored, Gerber comp.)"), false);
  bottomHpgl_ = Named<QRadioButton>("RB_Kupfer_HPGL", tr("Bottom (x-mirrored, HPGL comp.)"), false);
  for (QRadioButton* b : {top_, bottomGerber_, bottomHpgl_}) sideBox->addWidget(b);

  // The three units are one group; a settings file with none or several
  // of them on is read as the first one on, else inch.
  auto* format = new QGroupBox(tr("Format"));
  auto* formatGrid = new QGridLayout(format);
  mm32_ = Named<QRadioButton>("RB_MM32", tr("mm"), x.MM32);
  mm33_ = Named<QRadioButton>("RB_MM33", tr("mm"), !x.MM32 && x.MM33);
  inch_ = Named<QRadioButton>("RB_Zoll", tr("Inch"), !x.MM32 && !x.MM33);
  const QString formats[] = {tr("(format 3.2 )"), tr("(format 3.3 )"), tr("(format 2.4)")};
  auto* units = new QButtonGroup(this);
  int r = 0;
  for (QRadioButton* b : {mm32_, mm33_, inch_}) {
    units->addButton(b);
    formatGrid->addWidget(b, r, 0);
    auto* note = new QLabel(formats[r]);
    note->setBuddy(b);
    formatGrid->addWidget(note, r, 1);
    ++r;
  }
  formatGrid->setColumnStretch(2, 1);
  leadingZeros_ = Named<QCheckBox>("CB_LeadingZero", tr("Delete leading zeros"), x.Zero);
  decimalPoint_ = Named<QCheckBox>("cb_MitKomma", tr("Output with decimal point"), x.Komma);
  m71_ = Named<QCheckBox>("CB_M71", tr("M71/72 instead of METRIC/INCH"), x.M71);
  formatGrid->addWidget(leadingZeros_, 3, 0, 1, 3);
  formatGrid->addWidget(decimalPoint_, 4, 0, 1, 3);
  formatGrid->addWidget(m71_, 5, 0, 1, 3);

  auto* holes = new QGroupBox(tr("Drillings"));
  auto* holesBox = new QVBoxLayout(holes);
  simple_ = Named<QCheckBox>("CB_Bohrungen", tr("Simple drillings"), true);
  vias_ = Named<QCheckBox>("CB_Vias", tr("Through-holes"), true);
  // Holes always go in nearest-neighbour order; the box shows it.
  sort_ = Named<QCheckBox>("CB_Sortieren", tr("Sort drillings"), true);
  sort_->setEnabled(false);
  for (QCheckBox* b : {simple_, vias_, sort_}) holesBox->addWidget(b);

  auto* output = new QGroupBox(tr("Output"));
  auto* outputBox = new QVBoxLayout(output);
  noComments_ = Named<QCheckBox>("CB_NoComments", tr("Suppress comments"), x.Kommentare);
  noG90_ = Named<QCheckBox>("CB_NoG90", tr("Suppress G90 - code"), x.G90);
  outputBox->addWidget(noComments_);
  outputBox->addWidget(noG90_);

  auto* grid = new QGridLayout;
  grid->addWidget(side, 0, 0);
  grid->addWidget(holes, 0, 1);
  grid->addWidget(format, 1, 0);
  grid->addWidget(output, 1, 1, Qt::AlignTop);

  auto* note = new QLabel(tr("Drill data uses EXCELLON format."));
  QFont bold = note->font();
  bold.setBold(true);
  note->setFont(bold);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* outer = new QVBoxLayout(this);
  outer->addWidget(note);
  outer->addLayout(grid);
  outer->addWidget(buttons);
}

TExcellonOptions TLochDlg::Options() const {
  TExcellonOptions o;
  o.Format = mm32_->isChecked()   ? TExcellonFormat::Mm32
             : mm33_->isChecked() ? TExcellonFormat::Mm33
                                  : TExcellonFormat::Inch24;
  o.DeleteLeadingZeros = leadingZeros_->isChecked();
  o.DecimalPoint = decimalPoint_->isChecked();
  o.M71 = m71_->isChecked();
  o.NoComments = noComments_->isChecked();
  o.NoG90 = noG90_->isChecked();
  o.Mirror = bottomGerber_->isChecked() ? TExcellonMirror::Gerber
             : bottomHpgl_->isChecked() ? TExcellonMirror::Hpgl
                                        : TExcellonMirror::None;
  o.UseOrigin = settings_.Options.CAM_Nullpunkt;
  return o;
}

bool TLochDlg::SimpleDrillings() const { return simple_->isChecked(); }
bool TLochDlg::ThroughHoles() const { return vias_->isChecked(); }

void TLochDlg::done(int result) {
  auto& x = settings_.Excellon;
  x.MM32 = mm32_->isChecked();
  x.MM33 = mm33_->isChecked();
  x.Zoll = inch_->isChecked();
  x.Zero = leadingZeros_->isChecked();
  x.Komma = decimalPoint_->isChecked();
  x.M71 = m71_->isChecked();
  x.Kommentare = noComments_->isChecked();
  x.G90 = noG90_->isChecked();
  QDialog::done(result);
}

QString TLochDlg::AskFileName() {
  const QString last = QString::fromStdString(CamFolder(settings_).Last);
  QFileDialog files(parentWidget(), tr("Excellon export"), QFileInfo(last).isDir() ? last : QString());
  files.setObjectName("excellonFile");
  files.setAcceptMode(QFileDialog::AcceptSave);
  files.setNameFilter(tr("Drill files (*.drl)") + " (*.drl *.DRL)");
  files.setDefaultSuffix("DRL");
  files.selectFile(QFileInfo(QString::fromStdString(project_.FileName)).completeBaseName());
  if (files.exec() != QDialog::Accepted || files.selectedFiles().isEmpty()) return {};
  return files.selectedFiles().first();
}

bool TLochDlg::Run() {
  const TBoard* board = project_.Active();
  if (!board) return false;
  WarnSilkscreenDrillings(parentWidget(), *board);
  if (exec() != QDialog::Accepted) return false;
  const QString path = AskFileName();
  return !path.isEmpty() && Write(path);
}

bool TLochDlg::Write(const QString& path) {
  const TBoard* board = project_.Active();
  if (!board) return false;
  const TDrillList list = BuildDrillList(*board, SimpleDrillings(), ThroughHoles(), false, false, false);
  if (const std::string error = WriteExcellonFile(path.toStdString(), *board, list, Options()); !error.empty()) {
    QMessageBox::warning(parentWidget(), kCaption, CoreText(error));
    return false;
  }
  CamFolder(settings_).Last = QFileInfo(path).absolutePath().toStdString();
  return true;
}

}  // namespace bs::app
