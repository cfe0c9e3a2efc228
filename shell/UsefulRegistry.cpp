#include "shell/UsefulRegistry.h"

#include <QDir>
#include <QFileInfo>
#include <optional>

#include "platform/registry/Registry.h"
#include "runtime/Guard.h"

namespace Useful {
namespace {

constexpr const char* kModule = "Useful";
constexpr std::size_t kBuffer = 255;

std::optional<registry::Root> RootOf(const RegistryRoots& r) {
  if (r.ClassesRoot) return registry::Root::ClassesRoot;
  if (r.CurrentUser) return registry::Root::CurrentUser;
  if (r.LocalMachine) return registry::Root::LocalMachine;
  if (r.Users) return registry::Root::Users;
  if (r.CurrentConfig) return registry::Root::CurrentConfig;
  if (r.DynData) return registry::Root::DynData;
  return std::nullopt;
}

// The name the folder holds for the entry: itself when present, else an entry matching it
// ignoring letter case; nothing when there is none.
std::optional<std::string> DisplayName(const std::string& folder, const std::string& component) {
  QString dir = QString::fromStdString(folder);
  QString name = QString::fromStdString(component);
  if (QFileInfo::exists(dir + (dir.endsWith('/') ? "" : "/") + name)) return component;
  const QStringList entries = QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
  for (const QString& e : entries)
    if (e.compare(name, Qt::CaseInsensitive) == 0) return e.toStdString();
  return std::nullopt;
}

// The conversion; `complete` tells whether every component was found.
std::string Convert(const std::string& p, bool& complete) {
  complete = false;
  auto first = p.find('/');
  if (first == std::string::npos || p.size() > 200) return {};
  complete = true;
  std::string result = p.substr(0, first + 1);
  std::string rest = p.substr(first + 1);
  while (!rest.empty()) {
    std::string component;
    auto slash = rest.find('/');
    if (slash == std::string::npos) {
      component = rest;
      rest.clear();
    } else {
      component = rest.substr(0, slash);
      rest.erase(0, slash + 1);
    }
    if (component.empty()) continue;
    if (result.empty() || result.back() != '/') result += '/';
    if (auto name = DisplayName(result, component))
      result += *name;
    else
      complete = false;
  }
  return result;
}

}  // namespace

void SaveRegistryKey(const std::string& key, const std::string& name, const std::string& value,
                     const RegistryRoots& roots) {
  vb::Guard(kModule, "SaveRegistryKey", [&] {
    auto root = RootOf(roots);
    if (!root) return;
    registry::SetValue(*root, key, name, value);  // the outcome is not examined, as with the registry
  });
}

std::string GetRegistryKey(const std::string& key, const std::string& name, const RegistryRoots& roots) {
  std::string result;
  vb::Guard(kModule, "GetRegistryKey", [&] {
    auto root = RootOf(roots);
    if (!root) return;
    auto value = registry::QueryValue(*root, key, name);
    if (!value || value->size() + 1 > kBuffer) return;
    result = *value;
  });
  return result;
}

std::string ConvertSFNtoLFN(std::string path) {
  std::string result;
  vb::Guard(kModule, "ConvertSFNtoLFN", [&] {
    bool complete = false;
    result = Convert(path, complete);
  });
  return result;
}

std::optional<std::string> ResolvedLongPath(const std::string& path) {
  bool complete = false;
  std::string result = Convert(path, complete);
  if (!complete) return std::nullopt;
  return result;
}

}  // namespace Useful
