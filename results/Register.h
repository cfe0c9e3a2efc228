// Registers the result window with the shell's child-window factories.
#pragma once
namespace Results {
void RegisterResultWindow();
}
