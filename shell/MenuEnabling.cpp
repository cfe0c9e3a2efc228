#include "shell/MenuEnabling.h"

#include <string>

#include "platform/ui/Controls.h"
#include "platform/ui/Global.h"
#include "runtime/VbError.h"
#include "shell/MDIMain.h"

namespace MenuEnabling {
namespace {

bool Untouched(std::string_view name) {
  return name == "tbrMain" || name == "imgMDIMain" || name == "prgBar" || name == "stabarMain" ||
         name == "diaMain";
}

}  // namespace

const std::vector<std::pair<std::string_view, std::string_view>>& ToolbarMirror() {
  static const std::vector<std::pair<std::string_view, std::string_view>> mirror = {
      {"SAVE", "mnuFileSave"},       {"CLOSE", "mnuFileClose"},         {"ADD", "mnuDataAdd"},
      {"EDIT", "mnuDataUpdate"},     {"DELETE", "mnuDataDelete"},       {"PROPERTIES", "mnuDataProperties"},
      {"REFRESH", "mnuDataRefresh"}, {"CLEAR", "mnuDataClear"},         {"HELP", "mnuHelpAbout"},
      {"EXIT", "mnuFileExit"}};
  return mirror;
}

bool MenuEnabled(std::string_view name) {
  ui::MenuItem* item = ui::Global<MDIMain>().Menu(name);
  if (!item) vb::Raise(438);
  return item->Enabled();
}

void SetMainMenus(const MenuStates& states) {
  MDIMain& main = ui::Global<MDIMain>();
  for (QObject* control : main.Controls()) {
    const std::string name = control->objectName().toStdString();
    if (Untouched(name)) continue;
    const std::pair<std::string_view, bool>* state = nullptr;
    for (const auto& s : states)
      if (s.first == name) state = &s;
    if (!state)
      vb::Raise(vb::kProgrammingError, "",
                "Programming error. case not coded. Do not know how to enabled / disable control '" + name + "'.");
    auto* item = qobject_cast<ui::MenuItem*>(control);
    if (!item) vb::Raise(438);
    item->SetEnabled(state->second);
  }
  MirrorToolbar();
}

void MirrorToolbar() {
  MDIMain& main = ui::Global<MDIMain>();
  for (ui::ToolbarButton* button : main.tbrMain->Buttons()) {
    const std::string key = button->Key();
    std::string_view menu;
    for (const auto& [k, m] : ToolbarMirror())
      if (k == key) menu = m;
    if (menu.empty()) {
      if (button->Style() == ui::tbrSeparator) continue;
      vb::Raise(vb::kProgrammingError, "",
                "Programming error. Case not coded. Do not know whether to enable / disable button with key '" +
                    key + "'.");
    }
    button->SetEnabled(MenuEnabled(menu));
  }
}

}  // namespace MenuEnabling
