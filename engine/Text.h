// Small text helpers shared by the readers and writers of the engine.
#pragma once

#include <cctype>
#include <string>
#include <string_view>

namespace engine {

inline std::string Trim(std::string_view s) {
  size_t b = 0, e = s.size();
  while (b < e && s[b] == ' ') ++b;
  while (e > b && s[e - 1] == ' ') --e;
  return std::string(s.substr(b, e - b));
}

inline std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

// Control characters of a damaged file, shown as '?' so a message stays one readable line.
// Bytes above ASCII are kept: names may be written in the application's code page.
inline std::string Printable(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = '?';
  return out;
}

// Shortest round-trip-ish text of a double for messages and the listing ("%.6g").
std::string Num(double v);

}  // namespace engine
