#include "records/Run.h"

#include <optional>
#include <string>

#include "runtime/Files.h"
#include "runtime/Guard.h"
#include "runtime/Variant.h"
#include "runtime/VbError.h"
#include "services/DAOSupport.h"

namespace {

const records::Column kColumnList[] = {TULMO_RUN_COLUMNS(TULMO_COLUMN_ENTRY)};
const records::Table kTable{"Run", "RunID", kColumnList, true, false};

}  // namespace

std::span<const records::Column> Run::Columns() { return kColumnList; }

std::unique_ptr<dao::Recordset> Run::GetAll() { return GetAll(Fields{}); }

std::unique_ptr<dao::Recordset> Run::GetAll(const Fields& filters) {
  auto all = filters.Members();
  return records::ops::GetAll(kTable, filters.vlngRunid, std::span(all).subspan(1));
}

namespace {
int32_t ScalarOf(const char* procedure, const std::string& sql) {
  int32_t value = -1;
  vb::Guard("Run", procedure, [&] {
    std::unique_ptr<dao::Recordset> rs = records::ops::Db(gDatabase).OpenRecordset(sql);
    vb::Variant v = rs->Fields(0);
    value = v.IsNull() ? 0 : vb::CLng(v);
  });
  return value;
}
}  // namespace

int32_t Run::Count() { return ScalarOf("Count", "SELECT COUNT(*) FROM Run"); }
int32_t Run::HighestId() { return ScalarOf("HighestId", "SELECT MAX(RunID) FROM Run"); }
bool Run::Any() { return ScalarOf("Any", "SELECT EXISTS (SELECT 1 FROM Run)") > 0; }

std::unique_ptr<dao::Recordset> Run::GetNewest(int32_t limit) {
  std::unique_ptr<dao::Recordset> rs;
  vb::Guard("Run", "GetNewest", [&] {
    rs = records::ops::Db(gDatabase).OpenRecordset(
        "SELECT RunID, RunDescription FROM (SELECT RunID, RunDescription FROM Run ORDER BY RunID DESC LIMIT " +
        std::to_string(limit < 0 ? 0 : limit) + ") ORDER BY RunID");
  });
  return rs;
}

bool Run::GetByKey(int32_t vlngRunid, const Outputs& outputs) {
  auto out = outputs.Members();
  return records::ops::GetByKey(kTable, vlngRunid, out);
}

int32_t Run::Add(const Values& values, bool vPerformValidation) {
  if (vPerformValidation && !IsValid()) return -1;
  auto data = values.Members();
  return records::ops::Add(kTable, data);
}

bool Run::Update(const vb::Variant& vlngRunid, const Values& values, bool vPerformValidation) {
  if (vPerformValidation && !IsValid()) return false;
  auto data = values.Members();
  return records::ops::Update(kTable, vlngRunid, data);
}

bool Run::Delete(const vb::Variant& vlngRunid) {
  bool done = false;
  vb::Guard("Run", "Delete", [&] {
    std::string id = records::sql::KeyText(vlngRunid);
    records::ops::Db(gDatabase).Execute(records::sql::Delete(kTable, vlngRunid));
    // Every file is tried; the first one that resists is the one reported.
    std::optional<vb::VbError> first;
    for (const char* suffix : {".map", "-stat.txt", "-report.txt"}) {
      std::string name = id + suffix;
      if (!vb::FileExists(name)) continue;
      try {
        vb::Kill(name);
      } catch (const vb::VbError& e) {
        if (!first) first = e;
      } catch (const std::exception& e) {
        if (!first) first = vb::ToVbError(e);
      }
    }
    if (first) throw *first;
    done = true;
  });
  return done;
}

bool Run::IsValid() { return true; }
bool Run::IsValid(const Fields&) { return true; }
