// The application settings kept under the application key. Reports under the module name "AppReg".
#pragma once
#include <string>

namespace AppReg {

// The values a caller asks for: each given pointer receives its text ("" when it cannot be read);
// null pointers are skipped. The fourth reads nothing; the twelfth reads "Database Setting 5" again.
struct Settings {
  std::string* Company = nullptr;
  std::string* Name = nullptr;
  std::string* ApplicationPath = nullptr;
  std::string* Fourth = nullptr;
  std::string* DatabaseUser = nullptr;
  std::string* DatabasePassword = nullptr;
  std::string* DatabaseSetting1 = nullptr;
  std::string* DatabaseSetting2 = nullptr;
  std::string* DatabaseSetting3 = nullptr;
  std::string* DatabaseSetting4 = nullptr;
  std::string* DatabaseSetting5 = nullptr;
  std::string* Twelfth = nullptr;
  std::string* HelpFile = nullptr;
};

// "Software\Company\Tulmo\" and the version, major.minor.revision.
std::string ApplicationKey();
// True, or False after a failure. An "Application Path" with a "~" is replaced by its long form and
// written back only when every part of it was found and the text changed.
bool GetAppRegSettings(const Settings& values = {});

}  // namespace AppReg
