// Puts the result window in place of its stand-in.
#pragma once
namespace Results {
void RegisterResultWindow();
}
