// A stand-in for the system registry: one INI file per root key under the user's configuration
// folder. Key paths and value names match ignoring letter case; values are text and kept whole.
#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace registry {

enum class Root { ClassesRoot, CurrentUser, LocalMachine, Users, CurrentConfig, DynData };

// "HKEY_LOCAL_MACHINE" and the like: the name of the root's file.
const char* RootName(Root root);

// The folder holding the root files; SetFolder with an empty path restores the default
// (the user's configuration folder, "tulmo-registry" inside it).
std::filesystem::path Folder();
void SetFolder(const std::filesystem::path& folder);

bool KeyExists(Root root, std::string_view key);
// Creates the key when missing; false when the root's file cannot be written.
bool CreateKey(Root root, std::string_view key);
// Creates the key when missing and stores the value; false when the file cannot be written.
bool SetValue(Root root, std::string_view key, std::string_view name, std::string_view value);
// The value's text; nothing when the key or the value is missing.
std::optional<std::string> QueryValue(Root root, std::string_view key, std::string_view name);

}  // namespace registry
