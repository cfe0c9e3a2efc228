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

}  // namespace testsupport
