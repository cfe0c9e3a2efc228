// Calls the close entry point through the binding and prints what answered: the error code and
// the path the library was loaded from, or the run-time error's number and text.
#include "platform/mervane/MervaneBinding.h"
#include "runtime/VbError.h"

#include <cstdio>

int main() {
  try {
    int32_t error = -1;
    mervane::SHAPEFILECLOSE(error);
    std::printf("%d %s\n", error, mervane::LoadedLibraryPath().c_str());
  } catch (const vb::VbError& e) {
    std::printf("%d %s\n", e.number, e.description.c_str());
  }
  return 0;
}
