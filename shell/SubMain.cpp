#include "shell/SubMain.h"

#include <memory>
#include <string>

#include "platform/ui/Application.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Global.h"
#include "platform/ui/MsgBox.h"
#include "runtime/Guard.h"
#include "shell/AppReg.h"
#include "services/DAOSupport.h"
#include "services/ErrorUI.h"
#include "shell/Globals.h"
#include "shell/MDIMain.h"
#include "shell/Progress.h"
#include "services/Useful.h"
#include "shell/frmAbout.h"
#include "shell/frmOpen.h"

namespace SubMain {
namespace {

// The failure path of the settings and the database steps: the message, then everything released.
void StopWith(const std::string& text) {
  ui::Beep();
  ui::MsgBox(text + vb::Err().Description, ui::vbCritical, "Tulmo");
  if (frmAbout* splash = ui::GlobalIfLoaded<frmAbout>()) splash->Unload();
  gDAOConnect.reset();
  gDatabase.reset();
  ui::EndApplication();
}

}  // namespace

void Main() {
  ErrorUI::Install();
  vb::Guard("Main", "Main", [&] {
    if (ui::PrevInstance()) {
      ui::Beep();
      ui::MsgBox("This application is already running.", ui::vbCritical, "Tulmo");
      ui::EndApplication();
      return;
    }
    if (const std::string problem = ui::InstanceLockProblem(); !problem.empty())
      ui::MsgBox(problem, ui::vbExclamation, "Tulmo");

    // The hourglass goes back on every way out of start-up.
    ui::WaitCursor hourglass;

    // The locale's own decimal point decides; the program's number text never depends on it.
    gblnDecimalComma = false;
    const std::string separator = ui::LocaleDecimalPoint();
    if (separator != ".") {
      gblnDecimalComma = true;
      const std::string cr = "\r";
      ui::MsgBox("This program will ony run if the decimal separator is a point \".\" " + cr +
                     "The current separator is a : " + separator + cr +
                     "Please change the separator setting in \"Settings - Control Panel - Regional options.\"" + cr +
                     "Some computers might require a restart.",
                 ui::vbExclamation, ui::kAppTitle);
      ui::EndApplication();
      return;
    }

    gblnCompoundsChanged = true;
    gblnEmissionsChanged = true;
    gblnEstuariesChanged = true;

    frmAbout& splash = ui::Global<frmAbout>();
    splash.Show();
    ui::DoEvents();
    splash.EnableSplashTimer();
    for (int i = 0; i < 4; ++i) ui::DoEvents();

    std::string unused;
    if (!AppReg::GetAppRegSettings({.Fourth = &unused})) {
      StopWith("There was a problem getting application registry settings - ");
      return;
    }

    gDAOConnect = std::make_unique<DAOConnect>();
    if (!gDAOConnect->OpenDatabase("tulmo-final.db")) {
      StopWith("There was a problem connecting to the database - ");
      return;
    }
    // Said now, not at the first save that fails.
    if (const std::string why = DatabaseWriteProblem(); !why.empty())
      ui::MsgBox(why + DAOSupport::kNothingCanBeSaved, ui::vbExclamation, "Tulmo");

    ui::Global<MDIMain>().Show();
    Progress::SampleProgress();

    if (frmAbout* still = ui::GlobalIfLoaded<frmAbout>()) {
      still->EnableSplashTimer();
      still->Unload();
    }
    ui::Global<frmOpen>().Show();
  });
}

}  // namespace SubMain
