#include "shell/ChildForms.h"

#include <QPointer>
#include <map>

#include "platform/ui/Forms.h"
#include "runtime/VbError.h"

namespace ChildForms {
namespace {

std::map<std::string, Window, std::less<>>& Windows() {
  static std::map<std::string, Window, std::less<>> windows;
  return windows;
}
std::map<std::string, QPointer<ui::Form>, std::less<>>& Globals() {
  static std::map<std::string, QPointer<ui::Form>, std::less<>> globals;
  return globals;
}

bool ServesATable(Kind kind) { return kind == Kind::List || kind == Kind::Editor; }

[[noreturn]] void Refuse(const std::string& name, const std::string& why) {
  vb::Raise(vb::kProgrammingError, "",
            "Programming error. Window '" + name + "' cannot be registered: " + why + ".");
}

void Add(const std::string& name, Window window) {
  if (window.kind == Kind::None) Refuse(name, "it names no kind");
  if (!window.make) Refuse(name, "it has no factory");
  if (ServesATable(window.kind) != window.table.has_value())
    Refuse(name, ServesATable(window.kind) ? "a list or editor names its table" : "only a list or editor has a table");
  // One list and one editor per table, or the main window could not tell which one to open.
  for (const auto& [other, known] : Windows())
    if (other != name && known.kind == window.kind && known.table == window.table && ServesATable(window.kind))
      Refuse(name, "its table's " + std::string(window.kind == Kind::List ? "list" : "editor") + " is '" + other + "'");
  Windows()[name] = std::move(window);
}

}  // namespace

void Register(const std::string& name, Kind kind, Factory make) { Add(name, {kind, std::nullopt, std::move(make)}); }

void Register(const std::string& name, Kind kind, records::RecordTable table, Factory make) {
  Add(name, {kind, table, std::move(make)});
}

bool Known(std::string_view name) { return Find(name) != nullptr; }

const Window* Find(std::string_view name) {
  auto it = Windows().find(name);
  return it == Windows().end() ? nullptr : &it->second;
}

std::string NameOf(Kind kind, records::RecordTable table) {
  for (const auto& [name, window] : Windows())
    if (window.kind == kind && window.table == table) return name;
  vb::Raise(vb::kProgrammingError, "",
            "Programming error. Case not coded. No " + std::string(kind == Kind::Editor ? "editor" : "list") +
                " registered for table " + std::to_string(static_cast<int>(table)) + ".");
}

ui::Form* New(std::string_view name) {
  const Window* window = Find(name);
  if (!window)
    vb::Raise(vb::kProgrammingError, "",
              "Programming error. Case not coded. No window named '" + std::string(name) + "'.");
  return window->make();
}

ui::Form* GlobalIfLoaded(std::string_view name) {
  auto it = Globals().find(name);
  if (it == Globals().end() || !it->second || !ui::IsLoaded(it->second.data())) return nullptr;
  return it->second.data();
}

ui::Form& Global(std::string_view name) {
  if (ui::Form* loaded = GlobalIfLoaded(name)) return *loaded;
  ui::Form* form = New(name);
  Globals()[std::string(name)] = form;
  form->Load();
  return *form;
}

}  // namespace ChildForms
