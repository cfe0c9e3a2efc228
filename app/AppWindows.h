// Which window answers each name that the shell opens by name.
#pragma once

namespace AppWindows {

// Registers every child window the program opens by name with the shell; call once before start-up.
void RegisterWindows();

}  // namespace AppWindows
