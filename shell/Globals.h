// Program-wide state shared by the shell, the calculation window and the lists and editors.
#pragma once
#include <string>

// The list-changed flags: raised when the compounds, emissions or estuaries change (and at start-up),
// read and lowered by the calculation window.
extern bool gblnCompoundsChanged;
extern bool gblnEmissionsChanged;
extern bool gblnEstuariesChanged;
// The level of detail chosen in the level dialog: "EASY", "INTERMEDIATE" or "ADVANCED"; empty before.
extern std::string gstrLevel;

namespace App {
// The product name and version shown by the about window and used for the settings key.
inline constexpr const char* kProductName = "Tulmo";
int Major();
int Minor();
int Revision();
}  // namespace App
