#include "shell/MenuEnabling.h"

#include <algorithm>
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

Preset::Preset()
    : states_{{"mnuFile", true},
              {"mnuFileImport", false},
              {"mnuFileSep0", true},
              {"mnuFileSave", false},
              {"mnuFileSep1", true},
              {"mnuFileClose", true},
              {"mnuFileSep2", true},
              {"mnuFileExit", true},
              {"mnuData", true},
              {"mnuDataAdd", false},
              {"mnuDataCopy", false},
              {"mnuDataUpdate", false},
              {"mnuDataDelete", false},
              {"mnuDataSep1", true},
              {"mnuDataProperties", false},
              {"mnuDataSep2", true},
              {"mnuDataSelect", false},
              {"mnuDataSep3", true},
              {"mnuDataRefresh", false},
              {"mnuDataClear", false},
              {"mnuEdit", true},
              {"mnuEditCompoundsList", true},
              {"mnuEditCorvixList", false},
              {"mnuEditEmissionList", true},
              {"mnuEditAdvancedDetailList", false},
              {"mnuEditEnvironmentList", true},
              {"mnuEditRunList", true},
              {"mnuWindow", true},
              {"mnuWindowTileHorizontally", true},
              {"mnuWindowTileVertically", true},
              {"mnuWindowCascade", true},
              {"mnuWindowArrangeIcons", true},
              {"mnuHelp", true},
              {"mnuHelpAbout", true},
              {"mnuHelpHelp", true}} {}

Preset Preset::With(std::initializer_list<std::pair<std::string_view, bool>> changes) const {
  Preset changed = *this;
  for (const auto& [name, enabled] : changes) {
    auto it = std::find_if(changed.states_.begin(), changed.states_.end(),
                           [&](const auto& s) { return s.first == name; });
    if (it == changed.states_.end())
      vb::Raise(vb::kProgrammingError, "",
                "Programming error. Case not coded. The menu preset has no item '" + std::string(name) + "'.");
    it->second = enabled;
  }
  return changed;
}

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

void SetMainMenus(const Preset& preset) { SetMainMenus(preset.States()); }

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
