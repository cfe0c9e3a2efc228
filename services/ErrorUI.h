// The error box: the program's whole failure reporting.
#pragma once
#include <string_view>

namespace ErrorUI {

// Shows the pending error (vb::Err) under the module and procedure names. An error whose source is
// exactly "Validation" is shown by its description alone as a warning. Reads the pending error and
// changes nothing of it.
void ShowError(std::string_view module, std::string_view procedure);

// Makes the box the runtime's reporter for every guarded procedure. Start-up calls it first.
void Install();

}  // namespace ErrorUI
