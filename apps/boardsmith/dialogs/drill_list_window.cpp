#include "dialogs/drill_list_window.h"

#include <QCheckBox>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "cam/drill_list.h"
#include "dialogs/excellon_dialog.h"
#include "window/language.h"

namespace bs::app {

TBohrInfoDlg::TBohrInfoDlg(const TBoard& board, TDisplayUnit unit, QWidget* parent)
    : QDialog(parent), board_(board), unit_(unit) {
  setWindowTitle(tr("Drillings"));
  text_ = new QPlainTextEdit;
  text_->setObjectName("text");
  text_->setReadOnly(true);
  text_->setLineWrapMode(QPlainTextEdit::NoWrap);
  // The columns line up only in a fixed-width font.
  text_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  const QFontMetrics metrics(text_->font());
  text_->setMinimumSize(metrics.horizontalAdvance(QString(26, 'x')), metrics.lineSpacing() * 12);

  simple_ = new QCheckBox(tr("Simple drillings"));
  simple_->setObjectName("CB_Bohrungen");
  simple_->setChecked(true);
  vias_ = new QCheckBox(tr("Through-Hole pads"));
  vias_->setObjectName("CB_Vias");
  vias_->setChecked(true);
  connect(simple_, &QCheckBox::toggled, this, &TBohrInfoDlg::Fill);
  connect(vias_, &QCheckBox::toggled, this, &TBohrInfoDlg::Fill);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
  QPushButton* copy = buttons->addButton(tr("Clip&board..."), QDialogButtonBox::ActionRole);
  copy->setObjectName("Button1");
  copy->setAutoDefault(false);
  connect(copy, &QPushButton::clicked, this, &TBohrInfoDlg::CopyToClipboard);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

  auto* outer = new QVBoxLayout(this);
  outer->addWidget(text_, 1);
  outer->addWidget(simple_);
  outer->addWidget(vias_);
  outer->addWidget(buttons);
  Fill();
}

void TBohrInfoDlg::Fill() {
  const TDrillList list = BuildDrillList(board_, simple_->isChecked(), vias_->isChecked(), false, false, false);
  text_->setPlainText(QString::fromStdString(DrillListText(list, unit_, UiLanguage())));
}

QString TBohrInfoDlg::Text() const { return text_->toPlainText(); }

void TBohrInfoDlg::CopyToClipboard() {
  QGuiApplication::clipboard()->setText(Text());
  QMessageBox::information(this, "Boardsmith", tr("The text is now in the clipboard"));
}

void TBohrInfoDlg::Run() {
  WarnSilkscreenDrillings(parentWidget(), board_);
  exec();
}

}  // namespace bs::app
