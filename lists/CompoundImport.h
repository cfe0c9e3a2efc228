// File > Import compounds: copies every compound of another scenario database into the open one,
// each as a new row whose description ends in " import".
#pragma once

class MDIMain;

namespace CompoundImport {

// What an import database without compounds is answered with.
inline constexpr const char* kNothingToImport = "The chosen database holds no compounds: there was nothing to import.";

// The start of the answer to an import with a text that a compound cannot keep whole (too long for
// the editor, or holding a NUL); one line per text follows, naming the compound and the field.
inline constexpr const char* kTextsRefused =
    "Nothing was imported: these compounds hold texts that would not be kept as they stand.";

// The body of the main window's import command. Cancel in the file dialog ends it silently. Failures raise and are reported by the command's
// own handler; a database that cannot be opened is answered here with its message.
void Import(MDIMain& main);

}  // namespace CompoundImport
