// Which window answers each name that the shell opens: the finished windows, and a stand-in only
// for a window that is not built yet.
#pragma once

namespace AppWindows {

// Registers every child window the program opens by name with the shell; call once before start-up.
void RegisterWindows();

}  // namespace AppWindows
