// The editors that the lists and the calculation window open by name.
#include "editors/Editors.h"

#include "editors/frmCompounds.h"
#include "editors/frmAdvancedDetail.h"
#include "editors/frmCorvix.h"
#include "editors/frmEmission.h"
#include "editors/frmEnvironment.h"
#include "editors/frmRun.h"
#include "shell/ChildForms.h"

namespace editors {

void RegisterEditors() {
  ChildForms::Register("frmCompounds", [] { return new frmCompounds(); });
  ChildForms::Register("frmCorvix", [] { return new frmCorvix(); });
  ChildForms::Register("frmAdvancedDetail", [] { return new frmAdvancedDetail(); });
  ChildForms::Register("frmEmission", [] { return new frmEmission(); });
  ChildForms::Register("frmEnvironment", [] { return new frmEnvironment(); });
  ChildForms::Register("frmRun", [] { return new frmRun(); });
}

}  // namespace editors
