#include "records/Emission.h"

#include "runtime/Guard.h"
#include "services/DAOSupport.h"

namespace {

const records::Column kColumnList[] = {TULMO_EMISSION_COLUMNS(TULMO_COLUMN_ENTRY)};
const records::Table kTable{"Emission", "EmissionID", kColumnList, false, false};

}  // namespace

std::span<const records::Column> Emission::Columns() { return kColumnList; }

std::unique_ptr<dao::Recordset> Emission::GetAll() { return GetAll(Fields{}); }

std::unique_ptr<dao::Recordset> Emission::GetAll(const Fields& filters) {
  auto all = filters.Members();
  return records::ops::GetAll(kTable, filters.vlngEmissionid, std::span(all).subspan(1));
}

bool Emission::GetByKey(int32_t vlngEmissionid, const Outputs& outputs) {
  auto out = outputs.Members();
  return records::ops::GetByKey(kTable, vlngEmissionid, out);
}

int32_t Emission::Add(const Values& values, bool vPerformValidation) {
  if (vPerformValidation && !IsValid()) return -1;
  auto data = values.Members();
  return records::ops::Add(kTable, data);
}

bool Emission::Update(const vb::Variant& vlngEmissionid, const Values& values, bool vPerformValidation) {
  if (vPerformValidation && !IsValid()) return false;
  auto data = values.Members();
  return records::ops::Update(kTable, vlngEmissionid, data);
}

bool Emission::Delete(const vb::Variant& vlngEmissionid) { return records::ops::Delete(kTable, vlngEmissionid); }

bool Emission::IsValid() { return true; }
bool Emission::IsValid(const Fields&) { return true; }
