#include "platform/registry/Registry.h"

#include <QStandardPaths>
#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>
#include <vector>

namespace registry {
namespace {

struct Entry {
  std::string name, value;
};
struct Section {
  std::string key;
  std::vector<Entry> entries;
};

std::filesystem::path& FolderOverride() {
  static std::filesystem::path folder;
  return folder;
}

bool SameText(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

// Backslashes, line ends, "=" and "[" / "]" are escaped so any text survives a round trip.
std::string Escape(std::string_view s) {
  std::string out;
  for (char c : s) {
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '=': out += "\\e"; break;
      case '[': out += "\\o"; break;
      case ']': out += "\\c"; break;
      default: out += c;
    }
  }
  return out;
}

std::string Unescape(std::string_view s) {
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] != '\\' || i + 1 == s.size()) {
      out += s[i];
      continue;
    }
    char c = s[++i];
    out += c == 'n' ? '\n' : c == 'r' ? '\r' : c == 'e' ? '=' : c == 'o' ? '[' : c == 'c' ? ']' : c;
  }
  return out;
}

std::string Normalised(std::string_view key) {
  std::string k(key);
  std::replace(k.begin(), k.end(), '/', '\\');
  while (!k.empty() && k.back() == '\\') k.pop_back();
  while (!k.empty() && k.front() == '\\') k.erase(k.begin());
  return k;
}

std::filesystem::path FileOf(Root root) { return Folder() / (std::string(RootName(root)) + ".ini"); }

std::vector<Section> ReadRoot(Root root) {
  std::vector<Section> sections;
  std::ifstream in(FileOf(root), std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      sections.push_back({Unescape(line.substr(1, line.size() - 2)), {}});
    } else if (!sections.empty()) {
      auto eq = line.find('=');
      if (eq == std::string::npos) continue;
      sections.back().entries.push_back({Unescape(line.substr(0, eq)), Unescape(line.substr(eq + 1))});
    }
  }
  return sections;
}

bool WriteRoot(Root root, const std::vector<Section>& sections) {
  std::error_code ec;
  std::filesystem::create_directories(Folder(), ec);
  std::filesystem::path target = FileOf(root);
  std::filesystem::path temp = target;
  temp += ".tmp";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    for (const Section& s : sections) {
      out << '[' << Escape(s.key) << "]\n";
      for (const Entry& e : s.entries) out << Escape(e.name) << '=' << Escape(e.value) << '\n';
    }
    if (!out.flush()) return false;
  }
  std::filesystem::rename(temp, target, ec);
  return !ec;
}

Section* FindSection(std::vector<Section>& sections, std::string_view key) {
  for (Section& s : sections)
    if (SameText(s.key, key)) return &s;
  return nullptr;
}

}  // namespace

const char* RootName(Root root) {
  switch (root) {
    case Root::ClassesRoot: return "HKEY_CLASSES_ROOT";
    case Root::CurrentUser: return "HKEY_CURRENT_USER";
    case Root::LocalMachine: return "HKEY_LOCAL_MACHINE";
    case Root::Users: return "HKEY_USERS";
    case Root::CurrentConfig: return "HKEY_CURRENT_CONFIG";
    case Root::DynData: return "HKEY_DYN_DATA";
  }
  return "HKEY_LOCAL_MACHINE";
}

std::filesystem::path Folder() {
  if (!FolderOverride().empty()) return FolderOverride();
  QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
  if (config.isEmpty()) return std::filesystem::temp_directory_path() / "tulmo-registry";
  return std::filesystem::path(config.toStdString()) / "tulmo-registry";
}

void SetFolder(const std::filesystem::path& folder) { FolderOverride() = folder; }

bool KeyExists(Root root, std::string_view key) {
  auto sections = ReadRoot(root);
  return FindSection(sections, Normalised(key)) != nullptr;
}

bool CreateKey(Root root, std::string_view key) {
  auto sections = ReadRoot(root);
  std::string k = Normalised(key);
  if (FindSection(sections, k)) return true;
  sections.push_back({k, {}});
  return WriteRoot(root, sections);
}

bool SetValue(Root root, std::string_view key, std::string_view name, std::string_view value) {
  auto sections = ReadRoot(root);
  std::string k = Normalised(key);
  Section* s = FindSection(sections, k);
  if (!s) {
    sections.push_back({k, {}});
    s = &sections.back();
  }
  auto it = std::find_if(s->entries.begin(), s->entries.end(), [&](const Entry& e) { return SameText(e.name, name); });
  if (it == s->entries.end())
    s->entries.push_back({std::string(name), std::string(value)});
  else
    it->value = std::string(value);
  return WriteRoot(root, sections);
}

std::optional<std::string> QueryValue(Root root, std::string_view key, std::string_view name) {
  auto sections = ReadRoot(root);
  Section* s = FindSection(sections, Normalised(key));
  if (!s) return std::nullopt;
  for (const Entry& e : s->entries)
    if (SameText(e.name, name)) return e.value;
  return std::nullopt;
}

}  // namespace registry
