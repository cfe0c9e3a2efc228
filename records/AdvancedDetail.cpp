#include "records/AdvancedDetail.h"

#include "runtime/Guard.h"
#include "services/DAOSupport.h"

namespace {

const records::Column kColumnList[] = {TULMO_ADVANCEDDETAIL_COLUMNS(TULMO_COLUMN_ENTRY)};
const records::Table kTable{"AdvancedDetail", "AdvancedID", kColumnList, false, false};

}  // namespace

std::span<const records::Column> AdvancedDetail::Columns() { return kColumnList; }

std::unique_ptr<dao::Recordset> AdvancedDetail::GetAll() { return GetAll(Fields{}); }

std::unique_ptr<dao::Recordset> AdvancedDetail::GetAll(const Fields& filters) {
  auto all = filters.Members();
  return records::ops::GetAll(kTable, filters.vlngAdvancedID, std::span(all).subspan(1));
}

bool AdvancedDetail::GetByKey(int32_t vlngAdvancedID, const Outputs& outputs) {
  auto out = outputs.Members();
  return records::ops::GetByKey(kTable, vlngAdvancedID, out);
}

int32_t AdvancedDetail::Add(const Values& values, bool vPerformValidation) {
  if (vPerformValidation && !IsValid()) return -1;
  auto data = values.Members();
  return records::ops::Add(kTable, data);
}

bool AdvancedDetail::Update(const vb::Variant& vlngAdvancedID, const Values& values, bool vPerformValidation) {
  if (vPerformValidation && !IsValid()) return false;
  auto data = values.Members();
  return records::ops::Update(kTable, vlngAdvancedID, data);
}

bool AdvancedDetail::Delete(const vb::Variant& vlngAdvancedID) { return records::ops::Delete(kTable, vlngAdvancedID); }

bool AdvancedDetail::IsValid() { return true; }
bool AdvancedDetail::IsValid(const Fields&) { return true; }
