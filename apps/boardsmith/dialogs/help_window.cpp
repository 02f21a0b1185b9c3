#include "dialogs/help_window.h"

#include <QDialogButtonBox>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include <png.h>
#include <zlib.h>

namespace bs::app {

namespace {
// The manual's pictures are whole-window screenshots; they are shown scaled
// down to this width so that a page reads without scrolling sideways.
constexpr int kPictureWidth = 760;

class TManualBrowser : public QTextBrowser {
 public:
  QVariant loadResource(int type, const QUrl& name) override {
    QVariant data = QTextBrowser::loadResource(type, name);
    if (type != QTextDocument::ImageResource || data.isNull()) return data;
    QImage image = data.typeId() == QMetaType::QImage ? data.value<QImage>() : QImage::fromData(data.toByteArray());
    if (image.width() > kPictureWidth) image = image.scaledToWidth(kPictureWidth, Qt::SmoothTransformation);
    return image;
  }
};
}  // namespace

THelpWindow::THelpWindow(QWidget* parent) : QDialog(parent) {
  setWindowTitle(tr("Boardsmith - Help"));
  setWindowFlag(Qt::WindowMinMaxButtonsHint);
  setObjectName("HelpWindow");
  browser_ = new TManualBrowser;
  browser_->setObjectName("manual");
  // Links to the web open in the user's browser; links between the pages
  // and to sections stay in this window.
  browser_->setOpenExternalLinks(true);
  browser_->setSource(ManualUrl(), QTextDocument::MarkdownResource);

  auto* back = new QPushButton(tr("Back"));
  back->setObjectName("back");
  back->setEnabled(false);
  connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
  connect(browser_, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
  auto* home = new QPushButton(tr("Contents"));
  home->setObjectName("home");
  connect(home, &QPushButton::clicked, browser_, &QTextBrowser::home);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
  buttons->addButton(back, QDialogButtonBox::ActionRole);
  buttons->addButton(home, QDialogButtonBox::ActionRole);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::hide);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(browser_);
  layout->addWidget(buttons);
  resize(860, 700);
}

QUrl THelpWindow::ManualUrl() { return QUrl(QStringLiteral("qrc:/help/manual.md")); }

QString TInfoWindow::Text() {
  const auto row = [](const QString& name, const QString& version, const QString& licence) {
    return QStringLiteral("<tr><td>%1</td><td>%2</td><td>%3</td></tr>").arg(name, version, licence);
  };
  QString text = QStringLiteral("<h2>Boardsmith %1</h2>").arg(QStringLiteral(BOARDSMITH_VERSION));
  text += QStringLiteral("<p>%1</p>").arg(tr("An editor for printed circuit boards."));
  text += QStringLiteral("<p>%1</p>").arg(tr("Boardsmith uses these libraries:"));
  text += QStringLiteral(
              "<table cellspacing=\"6\"><tr><th align=\"left\">%1</th><th align=\"left\">%2</th>"
              "<th align=\"left\">%3</th></tr>")
              .arg(tr("Library"), tr("Version"), tr("Licence"));
  // The versions of the libraries the program runs with, not those it was
  // built against; AGG is compiled in and has no version of its own to ask.
  text += row("Qt", QString::fromLatin1(qVersion()), "GNU LGPL 3");
  text += row("Anti-Grain Geometry", "2.4", "BSD 3-clause");
  const png_uint_32 png = png_access_version_number();  // 10639 for 1.6.39
  text += row("libpng", QStringLiteral("%1.%2.%3").arg(png / 10000).arg(png / 100 % 100).arg(png % 100),
              "libpng (PNG Reference Library License 2)");
  text += row("zlib", QString::fromLatin1(zlibVersion()), "zlib");
  text += QStringLiteral("</table>");
  return text;
}

TInfoWindow::TInfoWindow(QWidget* parent) : QDialog(parent) {
  setObjectName("InfoWindow");
  setWindowTitle(tr("Info"));
  auto* label = new QLabel(Text());
  label->setObjectName("info");
  label->setTextFormat(Qt::RichText);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label);
  layout->addWidget(buttons);
}

}  // namespace bs::app
