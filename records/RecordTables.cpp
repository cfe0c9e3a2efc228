#include "records/RecordTables.h"

#include "platform/dao/Dao.h"
#include "records/AdvancedDetail.h"
#include "records/Compounds.h"
#include "records/Corvix.h"
#include "records/Emission.h"
#include "records/Environment.h"
#include "records/Run.h"

namespace records {

const char* TableName(RecordTable table) {
  switch (table) {
    case RecordTable::Compounds: return "Compounds";
    case RecordTable::Corvix: return "Corvix";
    case RecordTable::Emission: return "Emission";
    case RecordTable::AdvancedDetail: return "AdvancedDetail";
    case RecordTable::Environment: return "Environment";
    case RecordTable::Run: return "Run";
  }
  return "";
}

std::unique_ptr<dao::Recordset> AllRows(RecordTable table) {
  switch (table) {
    case RecordTable::Compounds: return Compounds().GetAll();
    case RecordTable::Corvix: return Corvix().GetAll();
    case RecordTable::Emission: return Emission().GetAll();
    case RecordTable::AdvancedDetail: return AdvancedDetail().GetAll();
    case RecordTable::Environment: return Environment().GetAll();
    case RecordTable::Run: return ::Run().GetAll();
  }
  return nullptr;
}

std::unique_ptr<dao::Recordset> RowById(RecordTable table, int32_t id) {
  const vb::Variant key(id);
  switch (table) {
    case RecordTable::Compounds: return Compounds().GetAll({.vlngCmpid = key});
    case RecordTable::Corvix: return Corvix().GetAll({.vlngCorvixid = key});
    case RecordTable::Emission: return Emission().GetAll({.vlngEmissionid = key});
    case RecordTable::AdvancedDetail: return AdvancedDetail().GetAll({.vlngAdvancedID = key});
    case RecordTable::Environment: return Environment().GetAll({.vlngId = key});
    case RecordTable::Run: return ::Run().GetAll({.vlngRunid = key});
  }
  return nullptr;
}

bool DeleteById(RecordTable table, int32_t id) {
  const vb::Variant key(id);
  switch (table) {
    case RecordTable::Compounds: return Compounds().Delete(key);
    case RecordTable::Corvix: return Corvix().Delete(key);
    case RecordTable::Emission: return Emission().Delete(key);
    case RecordTable::AdvancedDetail: return AdvancedDetail().Delete(key);
    case RecordTable::Environment: return Environment().Delete(key);
    case RecordTable::Run: return ::Run().Delete(key);
  }
  return false;
}

}  // namespace records
