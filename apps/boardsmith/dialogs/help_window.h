// The user manual: Markdown pages with pictures, built into the program and
// shown through Qt's own Markdown support.
#pragma once

#include <QDialog>
#include <QUrl>

class QTextBrowser;

namespace bs::app {

// A window of its own beside the editor (not modal): the manual stays open
// while the user tries what it says.
class THelpWindow : public QDialog {
  Q_OBJECT

 public:
  explicit THelpWindow(QWidget* parent = nullptr);

  // The manual's first page inside the program's resources.
  static QUrl ManualUrl();

  QTextBrowser* Browser() const { return browser_; }

 private:
  QTextBrowser* browser_ = nullptr;
};

// The program's information window: name, version, the libraries it uses
// with their versions and licences.
class TInfoWindow : public QDialog {
  Q_OBJECT

 public:
  explicit TInfoWindow(QWidget* parent = nullptr);

  // The window's text (rich text).
  static QString Text();
};

}  // namespace bs::app
