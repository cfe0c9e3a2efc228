// The data-access layer over SQLite: a database opened from an existing scenario file, SQL text run
// one statement per call, rows materialised into recordsets, errors raised as numbered VbErrors.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/Variant.h"

struct sqlite3;

namespace dao {

// Error numbers raised by this layer.
enum : int32_t {
  kErrNoCurrentRecord = 3021,   // "No current record."
  kErrFileNotFound = 3024,      // "Could not find file '<path>'."
  kErrReadOnly = 3027,          // "Cannot update. Database or object is read-only."
  kErrCannotOpen = 3051,        // the file exists but cannot be opened, or another program holds it locked
  kErrSqlFailed = 3035,         // any other refusal of the engine (its text follows)
  kErrTooFewParams = 3061,      // no such column
  kErrCannotExecSelect = 3065,  // Execute of a statement that returns rows
  kErrSyntax = 3075,            // "Syntax error in query expression ..."
  kErrNoSuchTable = 3078,       // "The database engine cannot find the input table or query '<name>'."
  kErrEmptySql = 3129,          // "Invalid SQL statement; expected 'DELETE', 'INSERT', 'SELECT', or 'UPDATE'."
  kErrTrailingText = 3142,      // "Characters found after end of SQL statement."
  kErrInvalidOperation = 3219,  // OpenRecordset of a statement that returns no rows
  kErrLocked = 3260,            // "Couldn't update; currently locked ..." (another program holds the file)
  kErrItemNotFound = 3265,      // "Item not found in this collection."
  kErrConstraint = 3022,        // a key or constraint refused the change
  kErrMoved = 3044,             // the file was removed or replaced while it was open
  kErrBadFormat = 3343,         // no database, or not the scenario tables and columns
  kErrObjectClosed = 3420,      // "Object invalid or no longer set."
  kErrAlreadyClosed = 3704,     // "Operation is not allowed when the object is closed."
};

// The refusal while another program holds the file locked, for reading or for writing.
[[noreturn]] void RaiseLocked(bool writing);

// A table of the scenario database: its name and its columns in their order, the key first.
struct TableLayout {
  std::string name;
  std::vector<std::string> columns;
};
// The six tables as the delivered schema declares them. Rows are read by field position, so a
// file whose columns stand in another order cannot be used.
const std::vector<TableLayout>& ScenarioLayout();
// The tables a file must hold to count as a scenario database, in the schema's order.
const std::vector<std::string>& ScenarioTables();

// The last SQL text given to OpenRecordset or Execute (whether it ran or failed).
const std::string& LastSql();

// Rows of one query, read in full when opened.
class Recordset {
 public:
  Recordset(std::vector<std::string> names, std::vector<std::vector<vb::Variant>> rows);
  // BOF/EOF of the original (EOF is a C macro, hence the spelling).
  bool Bof() const;
  bool Eof() const;
  void MoveFirst();
  void MoveLast();
  void MoveNext();      // 3021 when already at EOF
  void MovePrevious();  // 3021 when already at BOF
  int FieldCount() const;
  // A field of the current row by position (3265 outside the fields) or by name, ignoring case;
  // 3021 when there is no current row. A Null stays Null.
  vb::Variant Fields(int index) const;
  vb::Variant Fields(std::string_view name) const;
  std::string FieldName(int index) const;
  int RecordCount() const;
  int AbsolutePosition() const;
  // Closing twice, or using a closed recordset, raises 3420.
  void Close();
  bool IsOpen() const { return open_; }

 private:
  void CheckOpen() const;
  const std::vector<vb::Variant>& Current() const;
  std::vector<std::string> names_;
  std::vector<std::vector<vb::Variant>> rows_;
  int pos_ = 0;  // -1 is BOF, rows_.size() is EOF
  bool open_ = true;
};

class Database {
 public:
  // Opens an existing scenario database for reading and writing: 3024 when the file is missing,
  // 3051 when another program holds it locked, 3343 when it is not a database or a table lacks a
  // column of the scenario layout or has its columns in another order (names compared ignoring
  // case). Never creates a file.
  static std::shared_ptr<Database> OpenDatabase(const std::string& path);
  // Opens a database that need not hold the scenario tables (import files are checked by the caller).
  static std::shared_ptr<Database> OpenAny(const std::string& path);
  ~Database();
  Database(const Database&) = delete;
  Database& operator=(const Database&) = delete;

  // Runs one query that returns rows; 3219 for a statement that returns none (it is not run).
  std::unique_ptr<Recordset> OpenRecordset(const std::string& sql);
  // Runs one statement that returns no rows; 3065 for a query.
  void Execute(const std::string& sql);
  int RecordsAffected() const { return recordsAffected_; }
  int64_t LastInsertId() const;
  bool HasTable(std::string_view table) const;
  // The table's column names in their order; empty when there is no such table.
  std::vector<std::string> Columns(std::string_view table) const;
  const std::string& Name() const { return name_; }
  // Why nothing could be written now, in a sentence naming the file or its folder: removed or
  // replaced since it was opened, read-only, or in a read-only folder (where the engine keeps its
  // journal). Empty when writing can work.
  std::string WriteProblem() const;
  // 3704 when already closed; every other use of a closed database raises 3420.
  void Close();
  bool IsOpen() const { return db_ != nullptr; }

 private:
  Database(sqlite3* db, std::string name);
  sqlite3* Handle() const;
  bool Moved() const;
  // A write the engine refused, named for its cause where the file or its folder explains it.
  [[noreturn]] void RaiseWriteFailure(int rc) const;
  sqlite3* db_;
  std::string name_;
  std::string fullPath_;
  // The file as opened: a file at the same path with another identity is not this database.
  unsigned long long device_ = 0, inode_ = 0;
  int recordsAffected_ = 0;
};

// Transactions on one database ("BEGIN", "COMMIT", "ROLLBACK").
class Workspace {
 public:
  explicit Workspace(std::shared_ptr<Database> db) : db_(std::move(db)) {}
  void BeginTrans();
  void CommitTrans();
  void Rollback();

 private:
  std::shared_ptr<Database> db_;
};

}  // namespace dao
