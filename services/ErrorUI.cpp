#include "services/ErrorUI.h"

#include <string>

#include "platform/ui/Forms.h"
#include "platform/ui/MsgBox.h"
#include "runtime/Guard.h"
#include "runtime/VbError.h"

namespace ErrorUI {

void ShowError(std::string_view module, std::string_view procedure) {
  const vb::ErrObject& err = vb::Err();
  if (err.Source == "Validation") {
    ui::Beep();
    ui::MsgBox(err.Description, ui::vbExclamation, ui::kAppTitle);
    return;
  }
  const std::string crlf = "\r\n";
  std::string text = "An error has occurred in the application in module";
  text += crlf;
  text += " '" + std::string(module) + "' at procedure '" + std::string(procedure) + "'.";
  text += crlf + crlf;
  text += "Error Number: " + std::to_string(err.Number);
  text += crlf + crlf;
  text += err.Description;
  text += crlf + crlf;
  text += "Please contact your system's administrator.";

  // Asked directly, not through a guarded helper: a failure here must not report itself again.
  if (QWidget* splash = ui::FindForm("frmSplash")) {
    ui::UnloadForm(splash);
    ui::DoEvents();
  }
  ui::Beep();
  ui::MsgBox(text, ui::vbCritical, ui::kAppTitle);
}

void Install() { vb::SetErrorReporter(&ShowError); }

}  // namespace ErrorUI
