// Step 1's reader: the engine input file (blocks 1 to 9) and the grid files it names,
// turned into a checked Problem. Stops at the first fault with "file:line:col: block k (...): ".
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "engine/Problem.h"
#include "engine/Report.h"

namespace engine {

struct FileBytes {
  bool ok = false;
  std::string bytes;
  std::string error;  // why it could not be read
};

// Reads a file named in the input (relative to the input's folder) or beside it.
using FileSource = std::function<FileBytes(const std::string& name)>;

// Parses and checks everything step 1 reads; throws EngineError.
Problem ReadInput(const std::string& inputName, std::string_view bytes, const FileSource& files,
                  Report& report);

}  // namespace engine
