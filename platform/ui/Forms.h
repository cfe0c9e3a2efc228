// The collection of loaded forms, in load order, searched by name (the widget's objectName).
#pragma once
#include <string_view>
#include <vector>

class QWidget;

namespace ui {

// Adds a form to the collection (once); it leaves the collection when unloaded or destroyed.
void RegisterForm(QWidget* form);
// The loaded forms in load order.
std::vector<QWidget*> Forms();
// The first loaded form whose name equals the given one, ignoring letter case; nullptr when none.
QWidget* FindForm(std::string_view name);
bool IsLoaded(const QWidget* form);
// Unloads a form: closes it (its close handler may refuse, then it stays loaded and false is
// returned), removes it from the collection and deletes it later. While it closes, the form
// carries the property kUnloadByCode, so it can tell this from the user's close box.
bool UnloadForm(QWidget* form);
inline constexpr const char* kUnloadByCode = "_tulmoUnloadByCode";
// Lets pending window events run once so that windows repaint: paints, timers, posted events and
// the window system's own notices. The user's input (clicks, keys, wheel, a close asked for by the
// window system) is not delivered here; it waits in the queue for the next normal pass of the
// event loop, which handles it once the code that pumped has returned.
void DoEvents();

}  // namespace ui
