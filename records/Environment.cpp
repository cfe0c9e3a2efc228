#include "records/Environment.h"

#include <string_view>

#include "runtime/Guard.h"
#include "services/DAOSupport.h"

namespace {

// The table spells a few terms in its own way: no blank before "=", and FocSed in filters.
struct Spelling {
  std::string_view column, filterTerm, setTerm;
};
constexpr Spelling kSpellings[] = {
    {"Silt1", " Environment.Silt1= ", " Silt1= "},
    {"FOCSed2", " Environment.FocSed2 = ", ""},
    {"FOCSed3", " Environment.FocSed3 = ", ""},
    {"FOCSed4", " Environment.FocSed4 = ", ""},
    {"EnvMarineLength", "", " EnvMarineLength= "},
    {"EnvMarineWidth", "", " EnvMarineWidth= "},
    {"EnvMarineDepth", "", " EnvMarineDepth= "},
    {"EnvMarineCurrent", "", " EnvMarineCurrent= "},
    {"ThickLayer1", "", " ThickLayer1= "},
    {"ThickLayer2", "", " ThickLayer2= "},
    {"ThickLayer3", "", " ThickLayer3= "},
    {"ThickLayer4", "", " ThickLayer4= "},
};

std::array<records::Column, Environment::kColumns> MakeColumns() {
  std::array<records::Column, Environment::kColumns> columns{{TULMO_ENVIRONMENT_COLUMNS(TULMO_COLUMN_ENTRY)}};
  for (records::Column& c : columns)
    for (const Spelling& s : kSpellings)
      if (c.name == s.column) {
        c.filterTerm = s.filterTerm;
        c.setTerm = s.setTerm;
      }
  return columns;
}
const std::array<records::Column, Environment::kColumns> kColumnList = MakeColumns();
const records::Table kTable{"Environment", "ID", kColumnList, true, true};

}  // namespace

std::span<const records::Column> Environment::Columns() { return kColumnList; }

std::unique_ptr<dao::Recordset> Environment::GetAll() { return GetAll(Fields{}); }

std::unique_ptr<dao::Recordset> Environment::GetAll(const Fields& filters) {
  auto all = filters.Members();
  return records::ops::GetAll(kTable, filters.vlngId, std::span(all).subspan(1));
}

bool Environment::GetByKey(int32_t vlngId, const Outputs& outputs) {
  auto out = outputs.Members();
  return records::ops::GetByKey(kTable, vlngId, out);
}

int32_t Environment::Add(const Values& values, bool vPerformValidation) {
  if (vPerformValidation && !IsValid()) return -1;
  auto data = values.Members();
  return records::ops::Add(kTable, data);
}

bool Environment::Update(const vb::Variant& vlngId, const Values& values) {
  if (!IsValid()) return false;
  auto data = values.Members();
  return records::ops::Update(kTable, vlngId, data);
}

bool Environment::Delete(const vb::Variant& vlngId) { return records::ops::Delete(kTable, vlngId); }

bool Environment::IsValid() { return true; }
bool Environment::IsValid(const Fields&) { return true; }
