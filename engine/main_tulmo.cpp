// Step 2 of the engine: tulmo <stem>.
#include <iostream>

#include "engine/Steps.h"

int main(int argc, char** argv) {
  return engine::RunTulmo(std::vector<std::string>(argv + 1, argv + argc), std::cerr);
}
