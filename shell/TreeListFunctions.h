// The key of a list's selected row and the record id inside it. Row keys are "KY_" and the id.
// Reports under the module name "TreeListFunctions.bas".
#pragma once
#include <cstdint>
#include <string>

#include "runtime/Variant.h"

namespace ui {
class ListView;
}

namespace TreeListFunctions {

// The row key the lists give the row of a record: "KY_12" for record 12.
std::string KeyOf(int32_t id);
// The selected row's key (the drop-target row becomes the selected one when none is); "" for none.
std::string strGetSelectedKey(ui::ListView* control);
// Field n of the key, counted from 0 after its first underscore, as text; "" when it has none.
vb::Variant GetIdfromKey(int16_t n, std::string key);
vb::Variant GetSelectedKeyId(int16_t n, ui::ListView* control);

}  // namespace TreeListFunctions

using TreeListFunctions::GetSelectedKeyId;
