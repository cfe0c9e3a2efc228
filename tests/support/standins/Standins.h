// Stand-ins for child windows: light doubles that tests of other windows use as parents and
// neighbours. The program itself registers only the finished windows.
#pragma once
#include <string_view>
#include <vector>

namespace Standins {
// Registers every stand-in (tests).
void RegisterStandins();
}  // namespace Standins
