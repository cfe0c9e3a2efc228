// The six tables of the record classes, named once for every part that lists, picks or opens
// their records. The order is that of the entity codes of the record drop-down (10 to 60).
#pragma once
#include <cstdint>
#include <memory>

namespace dao {
class Recordset;
}

namespace records {

enum class RecordTable { Compounds, Corvix, Emission, AdvancedDetail, Environment, Run };

inline constexpr RecordTable kRecordTables[] = {RecordTable::Compounds,      RecordTable::Corvix,
                                                RecordTable::Emission,       RecordTable::AdvancedDetail,
                                                RecordTable::Environment,    RecordTable::Run};

// The table's name, which is also the name of its record class and its module in the error box.
const char* TableName(RecordTable table);

// Through the table's record class, reporting as it reports: GetAll of all rows, GetAll of the row
// with the id, and Delete of that row.
std::unique_ptr<dao::Recordset> AllRows(RecordTable table);
std::unique_ptr<dao::Recordset> RowById(RecordTable table, int32_t id);
bool DeleteById(RecordTable table, int32_t id);

}  // namespace records
