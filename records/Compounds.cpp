#include "records/Compounds.h"

#include "runtime/Guard.h"
#include "services/DAOSupport.h"

namespace {

const records::Column kColumnList[] = {TULMO_COMPOUNDS_COLUMNS(TULMO_COLUMN_ENTRY)};
const records::Table kTable{"Compounds", "CmpID", kColumnList, false, false};

}  // namespace

std::span<const records::Column> Compounds::Columns() { return kColumnList; }

std::unique_ptr<dao::Recordset> Compounds::GetAll() { return GetAll(Fields{}); }

std::unique_ptr<dao::Recordset> Compounds::GetAll(const Fields& filters) {
  std::unique_ptr<dao::Recordset> rs;
  vb::Guard("Compounds", "GetAll", [&] {
    // One call reads the import database; the flag is down again whatever happens next.
    bool fromImport = gblnImport;
    gblnImport = false;
    auto all = filters.Members();
    std::string text = records::sql::GetAll(kTable, filters.vlngCmpid, std::span(all).subspan(1));
    rs = records::ops::Db(fromImport ? gImportDatabase : gDatabase).OpenRecordset(text);
  });
  return rs;
}

bool Compounds::GetByKey(int32_t vlngCmpid, const Outputs& outputs) {
  auto out = outputs.Members();
  return records::ops::GetByKey(kTable, vlngCmpid, out);
}

int32_t Compounds::Add(const Values& values, bool vPerformValidation) {
  if (vPerformValidation && !IsValid()) return -1;
  auto data = values.Members();
  return records::ops::Add(kTable, data);
}

bool Compounds::Update(const vb::Variant& vlngCmpid, const Values& values, bool vPerformValidation) {
  if (vPerformValidation && !IsValid()) return false;
  auto data = values.Members();
  return records::ops::Update(kTable, vlngCmpid, data);
}

bool Compounds::Delete(const vb::Variant& vlngCmpid) { return records::ops::Delete(kTable, vlngCmpid); }

bool Compounds::IsValid() { return true; }
bool Compounds::IsValid(const Fields&) { return true; }
