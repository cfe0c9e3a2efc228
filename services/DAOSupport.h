// The database globals and the SQL text helpers of the record classes. Reports under "DAOSupport".
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "platform/dao/Dao.h"
#include "runtime/Variant.h"
#include "services/DAOConnect.h"

namespace DAOSupport {

extern std::shared_ptr<dao::Workspace> gWorkspace;   // never set by the program
extern std::shared_ptr<dao::Database> gDatabase;     // the open scenario database
extern std::shared_ptr<dao::Database> gImportDatabase;
extern std::unique_ptr<DAOConnect> gDAOConnect;
extern std::unique_ptr<DAOConnect> gImportDAOConnect;
extern bool gblnImport;

// The value's text with every "'" doubled, for an SQL literal the caller quotes. Null: box, "".
std::string strQuotes(const vb::Variant& value);
// A date literal: the value (a Date, or a date text "yyyy-mm-dd[ hh:mm[:ss]]") as ISO text in
// single quotes, '2026-12-10 09:30:00'. An empty text gives ''. Anything else: box, "".
std::string strSQLDate(const vb::Variant& value);
// True when the recordset is set and holds at least one row.
bool blnDataReturned(const std::unique_ptr<dao::Recordset>& rs);
// True when a read worked and found no row; a row that cannot be read is still there. Closes it.
bool blnNoRow(std::unique_ptr<dao::Recordset> rs);
// The largest value of the column in the table, 0 when there is no row; a Null maximum: box, 0.
int32_t MaxId(const std::string& table, const std::string& column);
// Why the open scenario database cannot be written now (removed or replaced, read-only, in a
// read-only folder), as one sentence; empty when it can, or when none is open.
std::string DatabaseWriteProblem();
// What follows that sentence at start-up.
inline constexpr const char* kNothingCanBeSaved =
    " Nothing can be saved: no record can be added, changed or deleted, and no calculation can be run. "
    "To work with it, make it writable and start the program again.";
// Closes the recordset when set; one already closed is no error. The variable keeps its object.
void CloseRecordset(std::unique_ptr<dao::Recordset>& rs);

}  // namespace DAOSupport

// The module's members are reachable unqualified, as everywhere in the program.
using DAOSupport::blnDataReturned;
using DAOSupport::blnNoRow;
using DAOSupport::DatabaseWriteProblem;
using DAOSupport::CloseRecordset;
using DAOSupport::gblnImport;
using DAOSupport::gDAOConnect;
using DAOSupport::gDatabase;
using DAOSupport::gImportDAOConnect;
using DAOSupport::gImportDatabase;
using DAOSupport::gWorkspace;
using DAOSupport::MaxId;
using DAOSupport::strQuotes;
using DAOSupport::strSQLDate;
