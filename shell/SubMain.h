// The start-up procedure: runs before any window exists and leaves the application in its windows.
#pragma once

namespace SubMain {

// Refuses a second instance and a decimal separator other than "."; shows the splash, reads the
// settings, opens "tulmo-final.db" in the working directory, shows the main window with its
// progress animation and then the start panel. Ends the application on any refusal.
void Main();

}  // namespace SubMain
