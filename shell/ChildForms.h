// The child windows that the shell opens by name (the lists and editors, the calculation and the
// result window). Each window's builder registers a factory; a later registration replaces an
// earlier one, so a test can put a window of its own in a name's place.
#pragma once
#include <functional>
#include <string>
#include <string_view>

#include "platform/ui/Form.h"

namespace ChildForms {

using Factory = std::function<ui::Form*()>;
void Register(const std::string& name, Factory make);
bool Known(std::string_view name);
// A new, not yet loaded instance (lists and editors are created anew for each use).
// An unknown name raises the programming error.
ui::Form* New(std::string_view name);
// The one global instance (frmCalc, frmResult): created and loaded on first use.
ui::Form& Global(std::string_view name);
ui::Form* GlobalIfLoaded(std::string_view name);

}  // namespace ChildForms
