#include "shell/TreeListFunctions.h"

#include <algorithm>

#include "platform/dao/Dao.h"
#include "platform/ui/Global.h"
#include "platform/ui/ListView.h"
#include "platform/ui/MsgBox.h"
#include "runtime/Guard.h"
#include "services/DAOSupport.h"
#include "shell/MDIMain.h"
#include "shell/Progress.h"

namespace TreeListFunctions {
namespace {
constexpr const char* kModule = "TreeListFunctions.bas";
}

std::string KeyOf(int32_t id) { return "KY_" + std::to_string(id); }

std::string KeyOf(const vb::Variant& id) { return id.IsNull() || id.IsEmpty() ? "KY_" : "KY_" + vb::CStr(id); }

std::string strGetSelectedKey(ui::ListView* control) {
  std::string result;
  vb::Guard(kModule, "strGetSelectedKey", [&] {
    if (!control) vb::Raise(91);
    if (!control->SelectedItem()) control->SetSelectedItem(control->DropHighlight());
    if (ui::ListItem* item = control->SelectedItem()) result = item->Key();
  });
  return result;
}

vb::Variant GetIdfromKey(int16_t n, std::string key) {
  std::string result;
  vb::Guard(kModule, "GetIdfromKey", [&] {
    int counter = 0;
    for (;;) {
      auto underscore = key.find('_');
      if (underscore == std::string::npos) return;
      key.erase(0, underscore + 1);
      if (counter == n) {
        result = key.substr(0, key.find('_'));
        return;
      }
      ++counter;
    }
  });
  return vb::Variant(result);
}

vb::Variant GetSelectedKeyId(int16_t n, ui::ListView* control) {
  vb::Variant result{std::string()};
  vb::Guard(kModule, "GetSelectedKeyId", [&] { result = GetIdfromKey(n, strGetSelectedKey(control)); });
  return result;
}

void FillList(ui::ListView* list, std::unique_ptr<dao::Recordset>& rs, const FillLimits& limits, const RowOf& rowOf,
              const QIcon& icon) {
  QObject* bar = ui::Global<MDIMain>().prgBar;
  if (DAOSupport::blnDataReturned(rs)) {
    Progress::ProgressStart(bar, 0, 0, static_cast<int16_t>(std::min(limits.count, limits.barCap)));
    rs->MoveFirst();
    int listed = 0;
    ListRow row;  // one for all rows: its cells keep their room
    while (!rs->Eof()) {
      if (rowOf(*rs, row)) {
        list->Add(row.key, row.text, row.cells, icon);
        ++listed;
      }
      Progress::ProgressUpdate(bar, 0);
      rs->MoveNext();
      if (limits.cap > 0 && listed == limits.cap && (limits.rule == CapRule::CapFull || !rs->Eof())) {
        ui::Beep();
        ui::MsgBox("Your query returned more then '" + std::to_string(limits.cap) +
                       "'. Please change your search criteria to narrow the results.",
                   ui::vbInformation);
        break;
      }
    }
  }
  DAOSupport::CloseRecordset(rs);
  Progress::ProgressStart(bar, 0, 0, 100);
}

}  // namespace TreeListFunctions
