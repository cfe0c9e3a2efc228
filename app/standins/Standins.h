// Stand-ins for child windows. The program registers only those of the windows that are not built
// yet (RegisterUnbuiltWindows); a finished window replaces its stand-in by registering its own
// factory after them. The list, calculation and result stand-ins stay as light doubles that tests
// of other windows use as parents and neighbours (RegisterStandins registers them all).
#pragma once
#include <string_view>
#include <vector>

namespace Standins {
// The editors not built yet, whose stand-ins the program registers.
const std::vector<std::string_view>& UnbuiltWindows();
// Registers the stand-ins of the windows not built yet.
void RegisterUnbuiltWindows();
// Registers every stand-in (tests).
void RegisterStandins();
}  // namespace Standins
