#include "dialogs/export_picture_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>

#include <algorithm>

#include "model/types.h"
#include "window/language.h"

namespace bs::app {

namespace {
const char* const kCaption = "Boardsmith";

QLabel* Named(const char* name) {
  auto* l = new QLabel;
  l->setObjectName(name);
  return l;
}
}  // namespace

TExportDlg::TExportDlg(const TPlatine& board, TPictureFormat format, int position, bool colour, QWidget* parent)
    : QDialog(parent), board_(board) {
  setWindowTitle(format == TPictureFormat::Jpeg  ? tr("JPG-Export (all visible layer)")
                 : format == TPictureFormat::Gif ? tr("GIF-Export (all visible layer)")
                                                 : tr("Bitmap export (all visible layers)"));
  slider_ = new QSlider(Qt::Horizontal);
  slider_->setObjectName("TrackBar");
  slider_->setRange(1, 12);
  slider_->setPageStep(1);
  slider_->setTickPosition(QSlider::TicksBelow);
  slider_->setValue(std::clamp(position, 1, 12));
  auto* resolution = new QGroupBox(tr("Resolution"));
  auto* ends = new QHBoxLayout;
  ends->addWidget(new QLabel(tr("Low")));
  ends->addStretch(1);
  ends->addWidget(new QLabel(tr("High")));
  auto* resolutionLayout = new QVBoxLayout(resolution);
  resolutionLayout->addWidget(slider_);
  resolutionLayout->addLayout(ends);

  size_ = Named("L_Original");
  dpi_ = Named("L_dpi");
  pixels_ = Named("L_Pixel");
  memory_ = Named("L_Speicher");
  auto* values = new QFormLayout;
  values->addRow(tr("Size:"), size_);
  values->addRow(tr("Resolution:"), dpi_);
  values->addRow(tr("Pixels:"), pixels_);
  values->addRow(tr("Memory consumption:"), memory_);

  auto* formatBox = new QGroupBox(tr("Format"));
  bw_ = new QRadioButton(tr("&B/W"));
  bw_->setObjectName("RB_SW");
  colour_ = new QRadioButton(tr("&Colored"));
  colour_->setObjectName("RB_Farbe");
  (colour ? colour_ : bw_)->setChecked(true);
  auto* formatLayout = new QVBoxLayout(formatBox);
  formatLayout->addWidget(bw_);
  formatLayout->addWidget(colour_);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &TExportDlg::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(resolution);
  layout->addLayout(values);
  layout->addWidget(formatBox);
  layout->addWidget(buttons);

  connect(slider_, &QSlider::valueChanged, this, &TExportDlg::Refresh);
  connect(colour_, &QRadioButton::toggled, this, &TExportDlg::Refresh);
  Refresh();
}

int TExportDlg::Position() const { return slider_->value(); }
bool TExportDlg::Colour() const { return colour_->isChecked(); }

long long TExportDlg::MemoryKb() const { return PictureMemoryKb(PictureSize(board_, Dpi()), Colour()); }

void TExportDlg::Refresh() {
  const QString mm = QString::fromUtf8(MillimetreSign(UiLanguage()));
  size_->setText(QStringLiteral("%1 %3 x %2 %3")
                     .arg(board_.Width / 10000.0, 0, 'f', 1)
                     .arg(board_.Height / 10000.0, 0, 'f', 1)
                     .arg(mm));
  dpi_->setText(QStringLiteral("%1 dpi").arg(Dpi()));
  const TPictureSize s = PictureSize(board_, Dpi());
  pixels_->setText(QStringLiteral("%1 x %2").arg(s.Width).arg(s.Height));
  memory_->setText(QStringLiteral("%1 kB").arg(MemoryKb()));
}

void TExportDlg::accept() {
  if (MemoryKb() > kPictureLargeKb &&
      QMessageBox::warning(this, kCaption,
                           tr("You are about to create a large bitmap.\nBetter make sure that your work is saved.\n\n"
                              "Continue ?"),
                           QMessageBox::Ok | QMessageBox::Cancel) != QMessageBox::Ok)
    return;
  QDialog::accept();
}

}  // namespace bs::app
