// A tiny scenario database for tests: the six tables with a few columns each.
#pragma once
#include <sqlite3.h>

#include <string>

namespace testsupport {

inline const char* kTinySchema =
    "CREATE TABLE Compounds (CmpID INTEGER PRIMARY KEY AUTOINCREMENT, CmpDescr TEXT, CmpKow FLOAT,"
    " CmpMolmass DOUBLE, CmpIsType SMALLINT);"
    "CREATE TABLE Corvix (CorvixID INTEGER PRIMARY KEY AUTOINCREMENT, CxDescr TEXT);"
    "CREATE TABLE Emission (EmissionID INTEGER PRIMARY KEY AUTOINCREMENT, Description TEXT);"
    "CREATE TABLE AdvancedDetail (AdvancedID INTEGER PRIMARY KEY AUTOINCREMENT, detail1 DOUBLE);"
    "CREATE TABLE Environment (ID INTEGER PRIMARY KEY AUTOINCREMENT, Description TEXT, Type TEXT);"
    "CREATE TABLE Run (RunID INTEGER PRIMARY KEY AUTOINCREMENT, RunDescription TEXT, RunDate DATETIME,"
    " Flag BIT);";

// Runs the SQL script on a new database file; true on success.
inline bool MakeDatabase(const std::string& path, const std::string& script = kTinySchema) {
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
    sqlite3_close(db);
    return false;
  }
  const bool ok = sqlite3_exec(db, script.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
  sqlite3_close(db);
  return ok;
}

}  // namespace testsupport
