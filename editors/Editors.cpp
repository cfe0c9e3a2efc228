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
  using records::TableId;
  auto editor = [](const char* name, TableId table, ChildForms::Factory make) {
    ChildForms::Register(name, ChildForms::Kind::Editor, table, std::move(make));
  };
  editor("frmCompounds", TableId::Compounds, [] { return new frmCompounds(); });
  editor("frmCorvix", TableId::Corvix, [] { return new frmCorvix(); });
  editor("frmAdvancedDetail", TableId::AdvancedDetail, [] { return new frmAdvancedDetail(); });
  editor("frmEmission", TableId::Emission, [] { return new frmEmission(); });
  editor("frmEnvironment", TableId::Environment, [] { return new frmEnvironment(); });
  editor("frmRun", TableId::Run, [] { return new frmRun(); });
}

}  // namespace editors
