#include "shell/TreeListFunctions.h"

#include "platform/ui/ListView.h"
#include "runtime/Guard.h"

namespace TreeListFunctions {
namespace {
constexpr const char* kModule = "TreeListFunctions.bas";
}

std::string KeyOf(int32_t id) { return "KY_" + std::to_string(id); }

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

}  // namespace TreeListFunctions
