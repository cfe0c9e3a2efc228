// File > Import compounds: copies every compound of another scenario database into the open one,
// each as a new row whose description ends in " import".
#pragma once

class MDIMain;

namespace CompoundImport {

// What an import database without compounds is answered with.
inline constexpr const char* kNothingToImport = "The chosen database holds no compounds: there was nothing to import.";

// The body of the main window's import command. Cancel in the file dialog ends it silently. Failures raise and are reported by the command's
// own handler; a database that cannot be opened is answered here with its message.
void Import(MDIMain& main);

}  // namespace CompoundImport
