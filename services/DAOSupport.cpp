#include "services/DAOSupport.h"

#include <cstdio>

#include "runtime/Guard.h"

namespace DAOSupport {

std::shared_ptr<dao::Workspace> gWorkspace;
std::shared_ptr<dao::Database> gDatabase;
std::shared_ptr<dao::Database> gImportDatabase;
std::unique_ptr<DAOConnect> gDAOConnect;
std::unique_ptr<DAOConnect> gImportDAOConnect;
bool gblnImport = false;

namespace {
constexpr const char* kModule = "DAOSupport";
}

std::string strQuotes(const vb::Variant& value) {
  std::string result;
  vb::Guard(kModule, "strQuotes", [&] {
    const std::string text = vb::CStr(value);
    std::string quoted;
    for (char c : text) {
      quoted += c;
      if (c == '\'') quoted += '\'';
    }
    result = std::move(quoted);
  });
  return result;
}

// A date literal the engine reads whatever the regional date order: ISO text in quotes.
std::string strSQLDate(const vb::Variant& value) {
  std::string result;
  vb::Guard(kModule, "strSQLDate", [&] {
    if (value.IsString() && value.AsString().empty()) {
      result = "''";
      return;
    }
    vb::Date d;
    if (value.Type() == vb::VarType::Date)
      d = vb::CDate(value);
    else if (!value.IsString() || !vb::ParseDate(value.AsString(), d))
      vb::Raise(13);
    const vb::DateParts p = vb::SplitDate(d);
    char buf[32];
    std::snprintf(buf, sizeof buf, "'%04d-%02d-%02d %02d:%02d:%02d'", p.year, p.month, p.day, p.hour, p.minute,
                  p.second);
    result = buf;
  });
  return result;
}

bool blnDataReturned(const std::unique_ptr<dao::Recordset>& rs) {
  bool result = false;
  vb::Guard(kModule, "blnDataReturned", [&] {
    if (!rs) return;
    result = !(rs->Bof() && rs->Eof());
  });
  return result;
}

bool blnNoRow(std::unique_ptr<dao::Recordset> rs) {
  const bool none = rs && !blnDataReturned(rs);
  CloseRecordset(rs);
  return none;
}

int32_t MaxId(const std::string& table, const std::string& column) {
  int32_t result = 0;
  std::unique_ptr<dao::Recordset> rs;
  vb::Guard(kModule, "MaxId", [&] {
    if (!gDatabase) vb::Raise(91);
    rs = gDatabase->OpenRecordset("SELECT MAX(" + column + ") As MAX_ID" + "  FROM " + table);
    if (!(rs->Bof() || rs->Eof())) {
      rs->MoveFirst();
      result = vb::CLng(rs->Fields("MAX_ID"));
    }
  });
  if (rs && rs->IsOpen()) rs->Close();
  return result;
}

std::string DatabaseWriteProblem() {
  std::string problem;
  if (gDatabase && gDatabase->IsOpen()) vb::Try([&] { problem = gDatabase->WriteProblem(); });
  return problem;
}

void CloseRecordset(std::unique_ptr<dao::Recordset>& rs) {
  vb::Guard(kModule, "CloseRecordset", [&] {
    if (!rs) return;
    try {
      rs->Close();
    } catch (const vb::VbError& e) {
      // Already closed or no longer valid: as good as closed.
      if (e.number != dao::kErrObjectClosed) throw;
    }
  });
}

}  // namespace DAOSupport
