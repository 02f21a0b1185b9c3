#include <QApplication>
#include <QStringList>

#include "board_view.h"
#include "main_window.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Boardsmith");
  bs::app::TMainWindow window;
  window.show();
  // All arguments joined with blanks name one project file.
  const QStringList args = QApplication::arguments().mid(1);
  if (!args.isEmpty()) window.OpenFile(args.join(' '));
  window.View()->ZoomBoard();
  return QApplication::exec();
}
