#include "app/AppWindows.h"

#include "app/standins/Standins.h"
#ifdef TULMO_HAVE_LISTS
#include "lists/RecordLists.h"
#endif
#ifdef TULMO_HAVE_CALC
#include "modelrun/frmCalc.h"
#endif
#ifdef TULMO_HAVE_EDITORS
#include "editors/Editors.h"
#endif
#ifdef TULMO_HAVE_RESULTS
#include "results/Register.h"
#endif

namespace AppWindows {

void RegisterWindows() {
  // Stand-ins first: a finished window registered after them takes their place.
  Standins::RegisterUnbuiltWindows();
#ifdef TULMO_HAVE_LISTS
  lists::RegisterLists();
#endif
#ifdef TULMO_HAVE_CALC
  RegisterCalcWindow();
#endif
#ifdef TULMO_HAVE_EDITORS
  editors::RegisterEditors();
#endif
#ifdef TULMO_HAVE_RESULTS
  Results::RegisterResultWindow();
#endif
}

}  // namespace AppWindows
