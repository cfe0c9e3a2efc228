#include "app/AppWindows.h"

#include "editors/Editors.h"
#include "lists/RecordLists.h"
#include "modelrun/frmCalc.h"
#include "results/Register.h"
#include "shell/frmOpen.h"

namespace AppWindows {

void RegisterWindows() {
  RegisterStartPanel();
  lists::RegisterLists();
  RegisterCalcWindow();
  editors::RegisterEditors();
  Results::RegisterResultWindow();
}

}  // namespace AppWindows
