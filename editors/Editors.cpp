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
  using records::RecordTable;
  auto editor = [](const char* name, RecordTable table, ChildForms::Factory make) {
    ChildForms::Register(name, ChildForms::Kind::Editor, table, std::move(make));
  };
  editor("frmCompounds", RecordTable::Compounds, [] { return new frmCompounds(); });
  editor("frmCorvix", RecordTable::Corvix, [] { return new frmCorvix(); });
  editor("frmAdvancedDetail", RecordTable::AdvancedDetail, [] { return new frmAdvancedDetail(); });
  editor("frmEmission", RecordTable::Emission, [] { return new frmEmission(); });
  editor("frmEnvironment", RecordTable::Environment, [] { return new frmEnvironment(); });
  editor("frmRun", RecordTable::Run, [] { return new frmRun(); });
}

}  // namespace editors
