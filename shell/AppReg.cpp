#include "shell/AppReg.h"

#include <utility>

#include "runtime/Guard.h"
#include "shell/Globals.h"
#include "shell/UsefulRegistry.h"

namespace AppReg {

std::string ApplicationKey() {
  return "Software\\Company\\Tulmo\\" + std::to_string(App::Major()) + "." + std::to_string(App::Minor()) + "." +
         std::to_string(App::Revision());
}

bool GetAppRegSettings(const Settings& values) {
  bool result = false;
  vb::Guard("AppReg", "GetAppRegSettings", [&] {
    const std::string key = ApplicationKey();
    Useful::RegistryRoots machine;
    machine.LocalMachine = true;
    const std::pair<std::string*, const char*> reads[] = {
        {values.Company, "Company"},
        {values.Name, "Name"},
        {values.ApplicationPath, "Application Path"},
        {nullptr, nullptr},  // the fourth value reads nothing
        {values.DatabaseUser, "Database User"},
        {values.DatabasePassword, "Database Password"},
        {values.DatabaseSetting1, "Database Setting 1"},
        {values.DatabaseSetting2, "Database Setting 2"},
        {values.DatabaseSetting3, "Database Setting 3"},
        {values.DatabaseSetting4, "Database Setting 4"},
        {values.DatabaseSetting5, "Database Setting 5"},
        {values.Twelfth, "Database Setting 5"},
        {values.HelpFile, "Help File"}};
    for (const auto& [target, name] : reads) {
      if (!target || !name) continue;
      *target = Useful::GetRegistryKey(key, name, machine);
      if (target == values.ApplicationPath && target->find('~') != std::string::npos) {
        auto resolved = Useful::ResolvedLongPath(*target);
        if (resolved && *resolved != *target) {
          *target = *resolved;
          Useful::SaveRegistryKey(key, "Application Path", *target, machine);
        }
      }
    }
    result = true;
  });
  return result;
}

}  // namespace AppReg
