#include "tests/records/ScenarioDb.h"

#include <sqlite3.h>

#include <stdexcept>

#include "services/DAOSupport.h"
#include "tests/support/TestDir.h"

namespace testdb {

void Exec(const std::filesystem::path& file, const std::string& sql) {
  sqlite3* db = nullptr;
  if (sqlite3_open(file.c_str(), &db) != SQLITE_OK) throw std::runtime_error("cannot open " + file.string());
  char* message = nullptr;
  int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &message);
  std::string error = message ? message : "";
  sqlite3_free(message);
  sqlite3_close(db);
  if (rc != SQLITE_OK) throw std::runtime_error("SQL failed: " + error);
}

std::string Script(const std::string& name) {
  std::string text = testsupport::ReadFile(testsupport::SourceDir() / "data" / name);
  if (text.empty()) throw std::runtime_error("missing data/" + name);
  return text;
}

OpenScenario::OpenScenario(bool withDefaults) : file_(testsupport::WorkDir() / "tulmo-final.db") {
  Exec(file_, Script("schema.sql"));
  if (withDefaults) Exec(file_, Script("defaults.sql"));
  DAOSupport::gDatabase = dao::Database::OpenDatabase(file_.string());
}

OpenScenario::~OpenScenario() {
  DAOSupport::gDatabase.reset();
  DAOSupport::gImportDatabase.reset();
  DAOSupport::gblnImport = false;
}

std::string OpenScenario::Scalar(const std::string& sql) const {
  sqlite3* db = nullptr;
  sqlite3_open(file_.c_str(), &db);
  sqlite3_stmt* st = nullptr;
  std::string result = "<no row>";
  if (sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr) == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW) {
    const unsigned char* t = sqlite3_column_text(st, 0);
    result = t ? reinterpret_cast<const char*>(t) : "NULL";
  }
  sqlite3_finalize(st);
  sqlite3_close(db);
  return result;
}

}  // namespace testdb
