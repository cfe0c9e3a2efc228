#include "shell/ChildForms.h"

#include <QPointer>
#include <map>

#include "platform/ui/Forms.h"
#include "runtime/VbError.h"

namespace ChildForms {
namespace {

std::map<std::string, Factory, std::less<>>& Factories() {
  static std::map<std::string, Factory, std::less<>> factories;
  return factories;
}
std::map<std::string, QPointer<ui::Form>, std::less<>>& Globals() {
  static std::map<std::string, QPointer<ui::Form>, std::less<>> globals;
  return globals;
}

}  // namespace

void Register(const std::string& name, Factory make) { Factories()[name] = std::move(make); }

bool Known(std::string_view name) { return Factories().find(name) != Factories().end(); }

ui::Form* New(std::string_view name) {
  auto it = Factories().find(name);
  if (it == Factories().end())
    vb::Raise(vb::kProgrammingError, "",
              "Programming error. Case not coded. No window named '" + std::string(name) + "'.");
  return it->second();
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
