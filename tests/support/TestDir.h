// Each test runs in a fresh temporary working folder, removed afterwards, because the
// system reads and writes fixed file names in the working directory.
#pragma once
#include <filesystem>
#include <string>
#include <vector>

namespace testsupport {

// The working folder of the running test.
std::filesystem::path WorkDir();
// Source-tree and build-tree roots, for fixtures and built artefacts (the default database).
std::filesystem::path SourceDir();
std::filesystem::path BinaryDir();
// Writes a whole file with exactly these bytes.
void WriteFile(const std::filesystem::path& path, const std::string& bytes);
// Reads a whole file; empty when missing.
std::string ReadFile(const std::filesystem::path& path);
// The lines of a text with CRLF line ends, without the ends; what follows the last CRLF goes to
// `tail` when given.
std::vector<std::string> Lines(const std::string& text, std::string* tail = nullptr);

}  // namespace testsupport
