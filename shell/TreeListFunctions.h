// The key of a list's selected row and the record id inside it, and the one capped fill of a list
// from a record set. Row keys are "KY_" and the id. Reports under the module name
// "TreeListFunctions.bas".
#pragma once
#include <QIcon>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "runtime/Variant.h"

namespace dao {
class Recordset;
}

namespace ui {
class ListView;
}

namespace TreeListFunctions {

// The row key the lists give the row of a record: "KY_12" for record 12.
std::string KeyOf(int32_t id);
// The same for an id read from a field as it is; a Null id gives the bare "KY_".
std::string KeyOf(const vb::Variant& id);
// The selected row's key (the drop-target row becomes the selected one when none is); "" for none.
std::string strGetSelectedKey(ui::ListView* control);
// Field n of the key, counted from 0 after its first underscore, as text; "" when it has none.
vb::Variant GetIdfromKey(int16_t n, std::string key);
vb::Variant GetSelectedKeyId(int16_t n, ui::ListView* control);

// One row as a fill lays it down: its key, its text and the cells of the columns after the first.
struct ListRow {
  std::string key;
  std::string text;
  std::vector<std::string> cells;
};

// When a list that holds its cap of rows has left rows out.
enum class CapRule {
  RowBeyond,  // the record set has a row beyond the cap: it was read one row longer
  CapFull,    // the cap is reached: the record set was read up to the cap
};

struct FillLimits {
  int64_t count = 0;  // rows of the table; the progress bar goes up to this, or to barCap when smaller
  int64_t barCap = 0;
  int cap = 0;        // rows listed at most; 0: all
  CapRule rule = CapRule::RowBeyond;
};

// Lays down the row of the record the set stands on; false leaves the record out of the list.
using RowOf = std::function<bool(dao::Recordset& rs, ListRow& row)>;

// Adds to `list` a row, with `icon`, for each record of `rs` that `rowOf` lays down, until the cap;
// the main window's progress bar counts the records read. Rows left out give a beep and the one
// message. The record set is closed and the bar reset afterwards.
void FillList(ui::ListView* list, std::unique_ptr<dao::Recordset>& rs, const FillLimits& limits, const RowOf& rowOf,
              const QIcon& icon = {});

}  // namespace TreeListFunctions

using TreeListFunctions::GetSelectedKeyId;
