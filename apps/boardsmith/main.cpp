#include <QApplication>
#include <QIcon>
#include <QStringList>

#include "view/board_view.h"
#include "window/language.h"
#include "window/main_window.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Boardsmith");
  // The installed menu entry (data/org.boardsmith.Boardsmith.desktop) and its icon.
  QGuiApplication::setDesktopFileName("org.boardsmith.Boardsmith");
  QApplication::setWindowIcon(QIcon(":/icons/org.boardsmith.Boardsmith.svg"));
  // The texts, hotkeys and board names of the main window follow the
  // language, so it is set before the window is made.
  bs::app::InstallLanguage(bs::app::StartupLanguage());
  bs::app::TMainWindow window;
  window.show();
  // All arguments joined with blanks name one project file.
  const QStringList args = QApplication::arguments().mid(1);
  if (!args.isEmpty()) window.OpenFile(args.join(' '));
  window.View()->ZoomBoard();
  return QApplication::exec();
}
