// A stand-in library that offers only the close entry point, under its plain name, and marks
// its calls with code 7 so that a test can tell it answered.
#include <cstdint>

extern "C" __attribute__((visibility("default"))) void SHAPEFILECLOSE(int32_t* errorCode) { *errorCode = 7; }
