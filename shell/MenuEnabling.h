// Menu and toolbar enabling, shared by the main window and every child window: first each control
// of the main window by name takes its state from the caller's table (the five non-menu controls
// are left alone; a name the table lacks raises the programming error), then each toolbar button
// copies the state of the menu item it stands for. A failure ends the passes where it happened;
// the caller's own handler reports it under the caller's name.
#pragma once
#include <initializer_list>
#include <string_view>
#include <utility>
#include <vector>

namespace MenuEnabling {

// Menu item name and its enabled state; every menu item of the main window must be named.
using MenuStates = std::vector<std::pair<std::string_view, bool>>;

// The state of every menu item in design order, written once here; a window states only where its
// own state differs. The preset itself is the state of a child window that offers none of the
// data commands: File (without import and save), the Data menu and its separators, the four
// lists of the Edit menu that users open, Window and Help are on; everything else is off.
class Preset {
 public:
  Preset();
  // This preset with the named items changed; a name the preset lacks is a programming error.
  Preset With(std::initializer_list<std::pair<std::string_view, bool>> changes) const;
  const MenuStates& States() const { return states_; }

 private:
  MenuStates states_;
};

// The two passes.
void SetMainMenus(const MenuStates& states);
void SetMainMenus(const Preset& preset);
// The second pass alone: toolbar buttons from their menu items.
void MirrorToolbar();
// The current enabled state of a main-window menu item (error 438 when there is none).
bool MenuEnabled(std::string_view name);

// The toolbar key and the menu item whose state it copies.
const std::vector<std::pair<std::string_view, std::string_view>>& ToolbarMirror();

}  // namespace MenuEnabling
