#include "records/Corvix.h"

#include "runtime/Guard.h"
#include "services/DAOSupport.h"

namespace {

const records::Column kColumnList[] = {TULMO_CORVIX_COLUMNS(TULMO_COLUMN_ENTRY)};
const records::Table kTable{"Corvix", "CorvixID", kColumnList, false, false};

}  // namespace

std::span<const records::Column> Corvix::Columns() { return kColumnList; }

std::unique_ptr<dao::Recordset> Corvix::GetAll() { return GetAll(Fields{}); }

std::unique_ptr<dao::Recordset> Corvix::GetAll(const Fields& filters) {
  auto all = filters.Members();
  return records::ops::GetAll(kTable, filters.vlngCorvixid, std::span(all).subspan(1));
}

bool Corvix::GetByKey(int32_t vlngCorvixid, const Outputs& outputs) {
  auto out = outputs.Members();
  return records::ops::GetByKey(kTable, vlngCorvixid, out);
}

int32_t Corvix::Add(const Values& values, bool vPerformValidation) {
  if (vPerformValidation && !IsValid()) return -1;
  auto data = values.Members();
  return records::ops::Add(kTable, data);
}

bool Corvix::Update(const vb::Variant& vlngCorvixid, const Values& values, bool vPerformValidation) {
  if (vPerformValidation && !IsValid()) return false;
  auto data = values.Members();
  return records::ops::Update(kTable, vlngCorvixid, data);
}

bool Corvix::Delete(const vb::Variant& vlngCorvixid) { return records::ops::Delete(kTable, vlngCorvixid); }

bool Corvix::IsValid() { return true; }
bool Corvix::IsValid(const Fields&) { return true; }
