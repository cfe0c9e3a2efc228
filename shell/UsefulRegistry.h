// The registry routines of module Useful: one text value read or written, and the long form of a
// path. Reports under the module name "Useful".
#pragma once
#include <optional>
#include <string>

namespace Useful {

// The six root choices, in order; the first one set chooses the root, none set does nothing.
struct RegistryRoots {
  bool ClassesRoot = false;
  bool CurrentUser = false;
  bool LocalMachine = false;
  bool Users = false;
  bool CurrentConfig = false;
  bool DynData = false;
};

// Creates or opens the key and stores the value whole.
void SaveRegistryKey(const std::string& key, const std::string& name, const std::string& value,
                     const RegistryRoots& roots);
// The value's text; "" when the key or value is missing or the value needs more than the
// 255-character buffer (terminating zero included).
std::string GetRegistryKey(const std::string& key, const std::string& name, const RegistryRoots& roots);
// The long form of a path: each component as the folder holds it (matched ignoring letter case);
// "" for a path without a "/" or longer than 200 characters. A component that is not found adds
// nothing.
std::string ConvertSFNtoLFN(std::string path);
// The same, but nothing unless every component was found.
std::optional<std::string> ResolvedLongPath(const std::string& path);

}  // namespace Useful
