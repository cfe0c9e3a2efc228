// Step 1 of the engine: corvix1 <input> [-np].
#include <iostream>

#include "engine/Steps.h"

int main(int argc, char** argv) {
  return engine::RunCorvix1(std::vector<std::string>(argv + 1, argv + argc), std::cerr);
}
