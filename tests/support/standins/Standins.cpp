#include "tests/support/standins/Standins.h"

#include "tests/support/standins/StandinWindows.h"
#include "shell/ChildForms.h"
#include "shell/Globals.h"

#ifdef TULMO_HAVE_RECORDS
#include "records/AdvancedDetail.h"
#include "records/Compounds.h"
#include "records/Corvix.h"
#include "records/Emission.h"
#include "records/Environment.h"
#include "records/Run.h"
#endif

namespace Standins {
namespace {

template <class Record>
std::function<std::unique_ptr<dao::Recordset>()> RowsOf() {
#ifdef TULMO_HAVE_RECORDS
  return [] { return Record().GetAll(); };
#else
  return {};
#endif
}

#ifndef TULMO_HAVE_RECORDS
struct Compounds {};
struct Corvix {};
struct Emission {};
struct AdvancedDetail {};
struct Environment {};
struct Run {};
#endif

}  // namespace

namespace {

struct EditorSpec {
  const char* name;
  const char* caption;
  const char* idProperty;
};
const EditorSpec kEditors[] = {{"frmCompounds", "Compound", "Cmpid"},
                               {"frmEmission", "Emission", "EmissionID"},
                               {"frmEnvironment", "Estuary", "Id"},
                               {"frmCorvix", "Engine settings", "Corvixid"},
                               {"frmAdvancedDetail", "Advanced detail", "AdvancedID"},
                               {"frmRun", "Run", "Runid"}};

void RegisterEditor(const EditorSpec& e) {
  const char* name = e.name;
  const char* caption = e.caption;
  const char* id = e.idProperty;
  ChildForms::Register(name, [=] { return new StandinEditor(name, caption, id); });
}

}  // namespace

void RegisterStandins() {
  ChildForms::Register("frmCompoundsList", [] {
    return new StandinCopyList({"frmCompoundsList", "Compounds", "frmCompounds", "Cmpid", &gblnCompoundsChanged,
                                RowsOf<Compounds>()});
  });
  ChildForms::Register("frmEmissionList", [] {
    return new StandinCopyList({"frmEmissionList", "Emissions", "frmEmission", "EmissionID", &gblnEmissionsChanged,
                                RowsOf<Emission>()});
  });
  ChildForms::Register("frmEnvironmentList", [] {
    return new StandinCopyList({"frmEnvironmentList", "Estuaries", "frmEnvironment", "Id", &gblnEstuariesChanged,
                                RowsOf<Environment>()});
  });
  ChildForms::Register("frmCorvixList", [] {
    return new StandinList({"frmCorvixList", "Engine settings", "frmCorvix", "Corvixid", nullptr, RowsOf<Corvix>()});
  });
  ChildForms::Register("frmAdvancedDetailList", [] {
    return new StandinList({"frmAdvancedDetailList", "Advanced details", "frmAdvancedDetail", "AdvancedID", nullptr,
                            RowsOf<AdvancedDetail>()});
  });
  ChildForms::Register("frmRunList", [] {
    return new StandinList({"frmRunList", "Runs", "frmRun", "Runid", nullptr, RowsOf<Run>(), true});
  });
  for (const EditorSpec& e : kEditors) RegisterEditor(e);
  ChildForms::Register("frmCalc", [] { return new StandinCalc(); });
  ChildForms::Register("frmResult", [] { return new StandinResult(); });
}

}  // namespace Standins
