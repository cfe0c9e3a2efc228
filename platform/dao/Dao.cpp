#include "platform/dao/Dao.h"

#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "platform/dao/ScenarioSchema.h"
#include "runtime/Files.h"
#include "runtime/VbError.h"

namespace dao {
namespace {

std::string& LastSqlText() {
  static std::string sql;
  return sql;
}

std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

bool EqualsNoCase(std::string_view a, std::string_view b) { return Upper(std::string(a)) == Upper(std::string(b)); }

std::string AfterColon(const std::string& msg) {
  const auto c = msg.find(": ");
  return c == std::string::npos ? msg : msg.substr(c + 2);
}

bool IsBusy(int rc) {
  const int primary = rc & 0xFF;
  return primary == SQLITE_BUSY || primary == SQLITE_LOCKED;
}

}  // namespace

// Another program holding the file is a passing state, not a fault of the file: it gets its own
// message, so nobody throws away a good database.
void RaiseLocked(bool writing) {
  vb::Raise(kErrLocked, "DAO.Database",
            std::string(writing ? "Couldn't update" : "Couldn't read") +
                "; currently locked by another program. Wait until it has finished with the database, or close "
                "the database there, and try again.");
}

namespace {

// Raises the numbered error for the engine's last failure.
[[noreturn]] void RaiseFrom(sqlite3* db, int rc, const std::string& name, bool writing) {
  if (IsBusy(rc)) RaiseLocked(writing);
  const std::string msg = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
  const int primary = rc & 0xFF;
  if (msg.rfind("no such table", 0) == 0)
    vb::Raise(kErrNoSuchTable, "DAO.Database",
              "The database engine cannot find the input table or query '" + AfterColon(msg) +
                  "'. Make sure it exists and that its name is spelled correctly.");
  if (msg.rfind("no such column", 0) == 0 || msg.find("has no column named") != std::string::npos)
    vb::Raise(kErrTooFewParams, "DAO.Database", "Too few parameters. Expected 1. (" + msg + ")");
  switch (primary) {
    case SQLITE_CONSTRAINT:
      vb::Raise(kErrConstraint, "DAO.Database", "The change was refused by a rule of the table (" + msg + ").");
    case SQLITE_READONLY: vb::Raise(kErrReadOnly, "DAO.Database", "Cannot update. Database or object is read-only.");
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT: vb::Raise(kErrBadFormat, "DAO.Database", "Unrecognized database format '" + name + "'.");
    default: break;
  }
  if (msg.find("syntax error") != std::string::npos || msg.find("incomplete input") != std::string::npos ||
      msg.find("unrecognized token") != std::string::npos)
    vb::Raise(kErrSyntax, "DAO.Database", "Syntax error in query expression (" + msg + ").");
  vb::Raise(kErrSqlFailed, "DAO.Database", "The database engine refused the statement (" + msg + ").");
}

// A prepared single statement, finalised on leaving.
struct Statement {
  sqlite3_stmt* stmt = nullptr;
  ~Statement() { sqlite3_finalize(stmt); }
};

bool OnlyBlanks(const char* tail) {
  for (const char* p = tail; p && *p; ++p) {
    if (std::isspace(static_cast<unsigned char>(*p)) || *p == ';') continue;
    if (p[0] == '-' && p[1] == '-') {
      while (*p && *p != '\n') ++p;
      if (!*p) break;
      continue;
    }
    return false;
  }
  return true;
}

void Prepare(sqlite3* db, const std::string& name, const std::string& sql, Statement& st, bool writing) {
  LastSqlText() = sql;
  // The engine would read the text only up to the NUL and run what stands before it.
  if (sql.find('\0') != std::string::npos)
    vb::Raise(kErrSqlFailed, "DAO.Database",
              "The statement holds a NUL character (character code 0), so it was not run.");
  const char* tail = nullptr;
  const int rc = sqlite3_prepare_v2(db, sql.c_str(), static_cast<int>(sql.size()), &st.stmt, &tail);
  if (rc != SQLITE_OK) RaiseFrom(db, rc, name, writing);
  if (!st.stmt)
    vb::Raise(kErrEmptySql, "DAO.Database",
              "Invalid SQL statement; expected 'DELETE', 'INSERT', 'PROCEDURE', 'SELECT', or 'UPDATE'.");
  if (!OnlyBlanks(tail)) vb::Raise(kErrTrailingText, "DAO.Database", "Characters found after end of SQL statement.");
}

// The column names of a table in their order; none when there is no such table.
std::vector<std::string> ColumnNames(sqlite3* db, std::string_view table, const std::string& name) {
  std::vector<std::string> names;
  Statement st;
  int rc = sqlite3_prepare_v2(db, "SELECT name FROM pragma_table_info(?1)", -1, &st.stmt, nullptr);
  if (rc != SQLITE_OK) RaiseFrom(db, rc, name, false);
  sqlite3_bind_text(st.stmt, 1, table.data(), static_cast<int>(table.size()), SQLITE_TRANSIENT);
  while ((rc = sqlite3_step(st.stmt)) == SQLITE_ROW) {
    const unsigned char* t = sqlite3_column_text(st.stmt, 0);
    names.emplace_back(t ? reinterpret_cast<const char*>(t) : "");
  }
  if (rc != SQLITE_DONE) RaiseFrom(db, rc, name, false);
  return names;
}

enum class Kind { Any, Integer, Long, Single, Double, Boolean, Date, String };

Kind KindOf(const char* declared) {
  if (!declared) return Kind::Any;
  const std::string d = Upper(declared);
  auto has = [&](const char* s) { return d.find(s) != std::string::npos; };
  if (has("DATE") || has("TIME")) return Kind::Date;
  if (has("BIT") || has("BOOL") || has("YESNO")) return Kind::Boolean;
  if (has("SMALLINT") || has("SHORT") || has("TINYINT")) return Kind::Integer;
  if (has("INT") || has("LONG") || has("COUNTER")) return Kind::Long;
  // The project schema declares single precision as FLOAT (or SINGLE), double precision as DOUBLE.
  if (has("FLOAT8")) return Kind::Double;
  if (has("SINGLE") || has("FLOAT")) return Kind::Single;
  if (has("REAL") || has("DOUB") || has("NUMERIC") || has("DECIMAL") || has("CURRENCY")) return Kind::Double;
  if (has("CHAR") || has("TEXT") || has("MEMO") || has("CLOB")) return Kind::String;
  return Kind::Any;
}

vb::Variant WholeNumber(sqlite3_int64 v) {
  if (v >= INT32_MIN && v <= INT32_MAX) return vb::Variant(static_cast<int32_t>(v));
  return vb::Variant(static_cast<double>(v));
}

vb::Variant ReadField(sqlite3_stmt* st, int i, Kind kind) {
  const int storage = sqlite3_column_type(st, i);
  if (storage == SQLITE_NULL) return vb::Variant::Null();
  const auto text = [&] {
    const unsigned char* t = sqlite3_column_text(st, i);
    return std::string(t ? reinterpret_cast<const char*>(t) : "", static_cast<std::size_t>(sqlite3_column_bytes(st, i)));
  };
  const bool number = storage == SQLITE_INTEGER || storage == SQLITE_FLOAT;
  switch (kind) {
    case Kind::Integer:
      if (storage == SQLITE_INTEGER) {
        const sqlite3_int64 v = sqlite3_column_int64(st, i);
        if (v >= INT16_MIN && v <= INT16_MAX) return vb::Variant(static_cast<int16_t>(v));
        return WholeNumber(v);
      }
      break;
    case Kind::Long:
      if (storage == SQLITE_INTEGER) return WholeNumber(sqlite3_column_int64(st, i));
      break;
    case Kind::Single:
      if (number) return vb::Variant(static_cast<float>(sqlite3_column_double(st, i)));
      break;
    case Kind::Double:
      if (number) return vb::Variant(sqlite3_column_double(st, i));
      break;
    case Kind::Boolean:
      if (number) return vb::Variant(sqlite3_column_double(st, i) != 0.0);
      break;
    case Kind::Date:
      if (storage == SQLITE_TEXT) {
        vb::Date d;
        const std::string t = text();
        if (vb::ParseDate(t, d)) return vb::Variant(d);
        return vb::Variant(t);
      }
      if (number) return vb::Variant(vb::Date{sqlite3_column_double(st, i)});
      break;
    case Kind::String:
      if (storage == SQLITE_TEXT || storage == SQLITE_BLOB) return vb::Variant(text());
      break;
    case Kind::Any: break;
  }
  switch (storage) {
    case SQLITE_INTEGER: return WholeNumber(sqlite3_column_int64(st, i));
    case SQLITE_FLOAT: return vb::Variant(sqlite3_column_double(st, i));
    default: return vb::Variant(text());
  }
}

}  // namespace

const std::vector<TableLayout>& ScenarioLayout() {
  static const std::vector<TableLayout> layout = [] {
    std::vector<TableLayout> tables;
    sqlite3* db = nullptr;
    if (sqlite3_open(":memory:", &db) == SQLITE_OK &&
        sqlite3_exec(db, kScenarioSchema, nullptr, nullptr, nullptr) == SQLITE_OK) {
      Statement st;
      sqlite3_prepare_v2(db, "SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite%' ORDER BY rowid",
                         -1, &st.stmt, nullptr);
      while (st.stmt && sqlite3_step(st.stmt) == SQLITE_ROW) {
        const std::string table = reinterpret_cast<const char*>(sqlite3_column_text(st.stmt, 0));
        tables.push_back({table, ColumnNames(db, table, ":memory:")});
      }
    }
    sqlite3_close_v2(db);
    return tables;
  }();
  return layout;
}

const std::vector<std::string>& ScenarioTables() {
  static const std::vector<std::string> tables = [] {
    std::vector<std::string> names;
    for (const TableLayout& t : ScenarioLayout()) names.push_back(t.name);
    return names;
  }();
  return tables;
}

const std::string& LastSql() { return LastSqlText(); }

// ---- Recordset

Recordset::Recordset(std::vector<std::string> names, std::vector<std::vector<vb::Variant>> rows)
    : names_(std::move(names)), rows_(std::move(rows)) {}

void Recordset::CheckOpen() const {
  if (!open_) vb::Raise(kErrObjectClosed, "DAO.Recordset", "Object invalid or no longer set.");
}

bool Recordset::Bof() const {
  CheckOpen();
  return rows_.empty() || pos_ < 0;
}

bool Recordset::Eof() const {
  CheckOpen();
  return rows_.empty() || pos_ >= static_cast<int>(rows_.size());
}

void Recordset::MoveFirst() {
  CheckOpen();
  if (rows_.empty()) vb::Raise(kErrNoCurrentRecord, "DAO.Recordset", "No current record.");
  pos_ = 0;
}

void Recordset::MoveLast() {
  CheckOpen();
  if (rows_.empty()) vb::Raise(kErrNoCurrentRecord, "DAO.Recordset", "No current record.");
  pos_ = static_cast<int>(rows_.size()) - 1;
}

void Recordset::MoveNext() {
  if (Eof()) vb::Raise(kErrNoCurrentRecord, "DAO.Recordset", "No current record.");
  ++pos_;
}

void Recordset::MovePrevious() {
  if (Bof()) vb::Raise(kErrNoCurrentRecord, "DAO.Recordset", "No current record.");
  --pos_;
}

int Recordset::FieldCount() const {
  CheckOpen();
  return static_cast<int>(names_.size());
}

const std::vector<vb::Variant>& Recordset::Current() const {
  if (Bof() || Eof()) vb::Raise(kErrNoCurrentRecord, "DAO.Recordset", "No current record.");
  return rows_[static_cast<std::size_t>(pos_)];
}

vb::Variant Recordset::Fields(int index) const {
  CheckOpen();
  if (index < 0 || index >= static_cast<int>(names_.size()))
    vb::Raise(kErrItemNotFound, "DAO.Fields", "Item not found in this collection.");
  return Current()[static_cast<std::size_t>(index)];
}

vb::Variant Recordset::Fields(std::string_view name) const {
  CheckOpen();
  for (std::size_t i = 0; i < names_.size(); ++i)
    if (EqualsNoCase(names_[i], name)) return Current()[i];
  vb::Raise(kErrItemNotFound, "DAO.Fields", "Item not found in this collection.");
}

std::string Recordset::FieldName(int index) const {
  CheckOpen();
  if (index < 0 || index >= static_cast<int>(names_.size()))
    vb::Raise(kErrItemNotFound, "DAO.Fields", "Item not found in this collection.");
  return names_[static_cast<std::size_t>(index)];
}

int Recordset::RecordCount() const {
  CheckOpen();
  return static_cast<int>(rows_.size());
}

int Recordset::AbsolutePosition() const {
  CheckOpen();
  return Bof() || Eof() ? -1 : pos_;
}

void Recordset::Close() {
  CheckOpen();
  open_ = false;
  rows_.clear();
}

// ---- Database

Database::Database(sqlite3* db, std::string name) : db_(db), name_(std::move(name)) {
  std::error_code ec;
  fullPath_ = std::filesystem::absolute(name_, ec).lexically_normal().string();
  if (ec) fullPath_ = name_;
  struct stat st {};
  if (::stat(fullPath_.c_str(), &st) == 0) {
    device_ = st.st_dev;
    inode_ = st.st_ino;
  }
}

bool Database::Moved() const {
  struct stat st {};
  if (::stat(fullPath_.c_str(), &st) != 0) return true;
  return st.st_dev != device_ || st.st_ino != inode_;
}

std::string Database::WriteProblem() const {
  sqlite3* db = Handle();
  if (Moved())
    return "The database file '" + fullPath_ + "' was removed or replaced while the program was running.";
  if (sqlite3_db_readonly(db, "main") == 1 || ::access(fullPath_.c_str(), W_OK) != 0)
    return "The database '" + fullPath_ + "' is read-only.";
  const std::string folder = std::filesystem::path(fullPath_).parent_path().string();
  if (::access(folder.c_str(), W_OK) != 0)
    return "The folder '" + folder + "' that holds the database '" + fullPath_ +
           "' is read-only, so the database cannot be written.";
  return {};
}

void Database::RaiseWriteFailure(int rc) const {
  const int primary = rc & 0xFF;
  if (primary == SQLITE_READONLY || primary == SQLITE_CANTOPEN || primary == SQLITE_IOERR) {
    // The engine calls a file that went away read-only; the user must hear that it went away.
    if (Moved())
      vb::Raise(kErrMoved, "DAO.Database",
                "The database file '" + fullPath_ +
                    "' was removed or replaced while the program was running, so nothing was saved. Close the "
                    "program, put the database back and start the program again.");
    if (const std::string why = WriteProblem(); !why.empty())
      vb::Raise(kErrReadOnly, "DAO.Database", "Cannot update. Database or object is read-only. " + why);
  }
  RaiseFrom(db_, rc, name_, true);
}

Database::~Database() {
  if (db_) sqlite3_close_v2(db_);
}

std::shared_ptr<Database> Database::OpenAny(const std::string& path) {
  std::error_code ec;
  const std::string full = std::filesystem::absolute(path, ec).string();
  if (!vb::FileExists(path))
    vb::Raise(kErrFileNotFound, "DAO.Workspace", "Could not find file '" + (ec ? path : full) + "'.");
  sqlite3* raw = nullptr;
  const int rc = sqlite3_open_v2(path.c_str(), &raw, SQLITE_OPEN_READWRITE, nullptr);
  if (rc != SQLITE_OK) {
    sqlite3_close_v2(raw);
    vb::Raise(kErrCannotOpen, "DAO.Workspace",
              "The database engine cannot open the file '" + full +
                  "'. It is already opened exclusively by another user, or you need permission to view its data.");
  }
  sqlite3_busy_timeout(raw, 2000);
  std::shared_ptr<Database> db(new Database(raw, path));
  // Reading the schema tells a database from any other file.
  const int check = sqlite3_exec(raw, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
  if (check != SQLITE_OK) {
    db->Close();
    if (IsBusy(check))
      vb::Raise(kErrCannotOpen, "DAO.Workspace",
                "The database engine cannot open the file '" + full +
                    "'. It is currently locked by another program. Wait until that program has finished with it, "
                    "or close the file there, and try again.");
    vb::Raise(kErrBadFormat, "DAO.Workspace", "Unrecognized database format '" + full + "'.");
  }
  return db;
}

std::shared_ptr<Database> Database::OpenDatabase(const std::string& path) {
  std::shared_ptr<Database> db = OpenAny(path);
  std::error_code ec;
  const std::string full = std::filesystem::absolute(path, ec).string();
  auto refuse = [&](const std::string& why) {
    db->Close();
    vb::Raise(kErrBadFormat, "DAO.Workspace", "Unrecognized database format '" + full + "': " + why);
  };
  for (const TableLayout& table : ScenarioLayout()) {
    const std::vector<std::string> found = db->Columns(table.name);
    if (found.empty()) refuse("it has no table '" + table.name + "'.");
    const std::size_t common = std::min(found.size(), table.columns.size());
    for (std::size_t i = 0; i < common; ++i)
      if (!EqualsNoCase(found[i], table.columns[i]))
        refuse("column " + std::to_string(i + 1) + " of the table '" + table.name + "' is '" + found[i] +
               "' where the column '" + table.columns[i] +
               "' belongs. Its values would be read as those of other columns, so the file is not used.");
    if (found.size() != table.columns.size())
      refuse("the table '" + table.name + "' has " + std::to_string(found.size()) + " columns where " +
             std::to_string(table.columns.size()) + " belong, so the file is not used.");
  }
  return db;
}

sqlite3* Database::Handle() const {
  if (!db_) vb::Raise(kErrObjectClosed, "DAO.Database", "Object invalid or no longer set.");
  return db_;
}

bool Database::HasTable(std::string_view table) const {
  sqlite3* db = Handle();
  sqlite3_stmt* st = nullptr;
  const char* sql = "SELECT 1 FROM sqlite_master WHERE type IN ('table','view') AND name = ?1 COLLATE NOCASE";
  if (sqlite3_prepare_v2(db, sql, -1, &st, nullptr) != SQLITE_OK) return false;
  sqlite3_bind_text(st, 1, table.data(), static_cast<int>(table.size()), SQLITE_TRANSIENT);
  const bool found = sqlite3_step(st) == SQLITE_ROW;
  sqlite3_finalize(st);
  return found;
}

std::vector<std::string> Database::Columns(std::string_view table) const { return ColumnNames(Handle(), table, name_); }

std::unique_ptr<Recordset> Database::OpenRecordset(const std::string& sql) {
  LastSqlText() = sql;
  sqlite3* db = Handle();
  Statement st;
  Prepare(db, name_, sql, st, false);
  const int n = sqlite3_column_count(st.stmt);
  if (n == 0) vb::Raise(kErrInvalidOperation, "DAO.Database", "Invalid operation.");
  std::vector<std::string> names;
  std::vector<Kind> kinds;
  for (int i = 0; i < n; ++i) {
    const char* name = sqlite3_column_name(st.stmt, i);
    names.emplace_back(name ? name : "");
    kinds.push_back(KindOf(sqlite3_column_decltype(st.stmt, i)));
  }
  std::vector<std::vector<vb::Variant>> rows;
  for (;;) {
    const int rc = sqlite3_step(st.stmt);
    if (rc == SQLITE_DONE) break;
    if (rc != SQLITE_ROW) RaiseFrom(db, rc, name_, false);
    std::vector<vb::Variant> row;
    row.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) row.push_back(ReadField(st.stmt, i, kinds[static_cast<std::size_t>(i)]));
    rows.push_back(std::move(row));
  }
  return std::make_unique<Recordset>(std::move(names), std::move(rows));
}

void Database::Execute(const std::string& sql) {
  LastSqlText() = sql;
  sqlite3* db = Handle();
  Statement st;
  Prepare(db, name_, sql, st, true);
  if (sqlite3_column_count(st.stmt) > 0) vb::Raise(kErrCannotExecSelect, "DAO.Database", "Cannot execute a select query.");
  int rc;
  while ((rc = sqlite3_step(st.stmt)) == SQLITE_ROW) {
  }
  if (rc != SQLITE_DONE) RaiseWriteFailure(sqlite3_extended_errcode(db));
  recordsAffected_ = sqlite3_changes(db);
}

int64_t Database::LastInsertId() const { return sqlite3_last_insert_rowid(Handle()); }

void Database::Close() {
  if (!db_) vb::Raise(kErrAlreadyClosed, "DAO.Database", "Operation is not allowed when the object is closed.");
  sqlite3_close_v2(db_);
  db_ = nullptr;
}

// ---- Workspace

void Workspace::BeginTrans() {
  if (!db_) vb::Raise(91);
  db_->Execute("BEGIN");
}

void Workspace::CommitTrans() {
  if (!db_) vb::Raise(91);
  db_->Execute("COMMIT");
}

void Workspace::Rollback() {
  if (!db_) vb::Raise(91);
  db_->Execute("ROLLBACK");
}

}  // namespace dao
