#include "tests/support/TestDir.h"

#include <fstream>
#include <sstream>

namespace testsupport {

std::filesystem::path WorkDir() { return std::filesystem::current_path(); }
std::filesystem::path SourceDir() { return TULMO_SOURCE_DIR; }
std::filesystem::path BinaryDir() { return TULMO_BINARY_DIR; }

void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::vector<std::string> Lines(const std::string& text, std::string* tail) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(text.substr(start, end - start));
  if (tail) *tail = text.substr(start);
  return lines;
}

}  // namespace testsupport
