// The application: start-up runs before the event loop; the windows then carry the program.
#include <QApplication>

#include "app/AppWindows.h"
#include "platform/ui/Application.h"
#include "shell/MDIMain.h"
#include "shell/SubMain.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);  // the command line is not read by the program itself
  QApplication::setApplicationName("ui-tulmo");
  // The windows are designed in twips for a small dialog font.
  QFont font = QApplication::font();
  font.setPointSizeF(8);
  QApplication::setFont(font);
  QApplication::setWindowIcon(ToolbarPicture("Properties"));
  AppWindows::RegisterWindows();
  SubMain::Main();
  if (ui::ApplicationEnded()) return 0;
  return QApplication::exec();
}
