// The application: start-up runs before the event loop; the windows then carry the program.
#include <QApplication>

#include "app/standins/Standins.h"
#ifdef TULMO_HAVE_CALC
#include "modelrun/frmCalc.h"
#endif
#ifdef TULMO_HAVE_EDITORS
#include "editors/Editors.h"
#endif
#include "platform/ui/Application.h"
#ifdef TULMO_HAVE_RESULTS
#include "results/Register.h"
#endif
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
  Standins::RegisterStandins();
#ifdef TULMO_HAVE_CALC
  RegisterCalcWindow();
#endif
#ifdef TULMO_HAVE_EDITORS
  editors::RegisterEditors();
#endif
#ifdef TULMO_HAVE_RESULTS
  Results::RegisterResultWindow();
#endif
  SubMain::Main();
  if (ui::ApplicationEnded()) return 0;
  return QApplication::exec();
}
