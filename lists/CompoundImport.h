// File > Import compounds: copies every compound of another scenario database into the open one,
// each as a new row whose description ends in " import".
#pragma once

class MDIMain;

namespace CompoundImport {

// The body of the main window's import command. Failures raise and are reported by the command's
// own handler; a database that cannot be opened is answered here with its message.
void Import(MDIMain& main);

}  // namespace CompoundImport
