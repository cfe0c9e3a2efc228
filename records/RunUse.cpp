#include "records/RunUse.h"

#include "records/Run.h"
#include "runtime/Variant.h"
#include "services/DAOSupport.h"

bool UsedByRun(RunColumn column, int32_t id) {
  std::unique_ptr<dao::Recordset> rs = ::Run().GetAll();
  if (!rs) return true;
  bool used = false;
  if (blnDataReturned(rs)) {
    rs->MoveFirst();
    while (!rs->Eof()) {
      const vb::Variant v = rs->Fields(static_cast<int>(column));
      if (!v.IsNull() && vb::CDbl(v) == static_cast<double>(id)) {
        used = true;
        break;
      }
      rs->MoveNext();
    }
  }
  CloseRecordset(rs);
  return used;
}

bool GenericEstuaryType(const std::string& type) { return type == "default" || type == "defaultavg"; }

std::string EditRefusal(RunColumn column, int32_t id) {
  const std::string n = std::to_string(id);
  switch (column) {
    case RunColumn::CompoundID:
      return "Compound " + n +
             " already used in run. Please delete the run first, before you update this compound\r"
             "or copy the compound and then edit the copy";
    case RunColumn::EmisID:
      return "Emission " + n +
             " already used in run. You can not change this data unless you delete the run first\r"
             "or copy the emission and then edit the copy";
    case RunColumn::EnvirID: break;
  }
  return "Environment already used in run. Please remove run before you remove or update this record\r"
         "or copy the estuary and then edit the copy.";
}
