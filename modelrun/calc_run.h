// The calculation run: from the picked compound, emission and estuary to a recorded run with its
// result map. Knows no widget; the calculation window calls it and shows the result window after.
#pragma once
#include <string>

namespace modTulmo {

// Starts the command line as a hidden process in the working directory and waits for its end
// without time-out. True when the program started and ended with exit status 0. A program that
// cannot be found or started gives false without a message; other failures go to the error box.
// On a failure `reason`, when given, receives why: the program's first error line, else the first
// error of the engine's listing "pirsel.lst", else what became of the process.
bool ExecCmd(const std::string& cmd, std::string* reason = nullptr);

// The program version recorded with a run: major "." minor.
std::string RunVersionText();

// The whole run with its messages. True when the run was recorded: CurrentRun.RunID holds the new
// id, "<id>.map" the result map, and "tulmo.map" and the work files are gone. False after the
// message that says why it stopped.
bool RunCalculation();

}  // namespace modTulmo
