// Stand-ins for the calculation window, the result window and the twelve list and editor windows,
// until those windows are built. Each offers the protocol the shell uses; a finished window
// replaces its stand-in by registering its own factory after these.
#pragma once

namespace Standins {
// Registers every stand-in with ChildForms.
void RegisterStandins();
}  // namespace Standins
