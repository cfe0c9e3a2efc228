// The child windows that the shell opens by name (the lists and editors, the start panel, the
// calculation and the result window). Each window's builder registers its name with what the
// window is, the table it serves and a factory; the main window routes its commands by what a
// window registered, never by its name. A later registration under the same name replaces an
// earlier one, so a test can put a window of its own in a name's place.
#pragma once
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/ui/Form.h"
#include "records/RecordTables.h"

namespace ChildForms {

// What a window is to the main window.
enum class Kind {
  None,         // not a kind: a registration without one is refused
  List,         // a table's record list: the Data commands, Clear and Close
  Editor,       // a table's record editor: Save, Clear and Close
  StartPanel,   // sets the menus itself, takes no command
  Calculation,  // sets the menus itself, takes no command
  Result,       // neither sets the menus nor takes a command
};

using Factory = std::function<ui::Form*()>;

struct Window {
  Kind kind = Kind::None;
  std::optional<records::RecordTable> table;  // the table of a list or an editor; none for the others
  Factory make;
};

// Refused with the programming error: a window without a kind or a factory, a list or editor
// without its table, another kind with one, and a table's list or editor under a second name.
void Register(const std::string& name, Kind kind, Factory make);                          // no table
void Register(const std::string& name, Kind kind, records::RecordTable table, Factory make);  // a list or editor
bool Known(std::string_view name);
// What the window of this name registered; nullptr for a name that nobody registered.
const Window* Find(std::string_view name);
// The name of a table's list or editor; raises the programming error when none is registered.
std::string NameOf(Kind kind, records::RecordTable table);
// A new, not yet loaded instance (lists and editors are created anew for each use).
// An unknown name raises the programming error.
ui::Form* New(std::string_view name);
// The one global instance (frmCalc, frmResult): created and loaded on first use.
ui::Form& Global(std::string_view name);
ui::Form* GlobalIfLoaded(std::string_view name);

}  // namespace ChildForms
