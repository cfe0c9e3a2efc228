#include "shell/Globals.h"

bool gblnCompoundsChanged = false;
bool gblnEmissionsChanged = false;
bool gblnEstuariesChanged = false;
std::string gstrLevel;

namespace App {
int Major() { return TULMO_VERSION_MAJOR; }
int Minor() { return TULMO_VERSION_MINOR; }
int Revision() { return TULMO_VERSION_PATCH; }
}  // namespace App
