// The application's binding to the map-layer library: the three entry points, bound by name
// and loaded at the first call of one of them. Texts cross as copies of the caller's strings,
// each followed by its length; a text array is one buffer of elements of the given width
// (build it with DIOUtils::JoinFixedWidth). A missing library raises run-time error 53 and a
// missing entry point 453, for the calling procedure's handler to report.
#pragma once
#include <cstdint>
#include <string>

namespace mervane {

void SHAPEFILECREATE(int32_t& errorCode, const std::string& layerName, const std::string& shapeType,
                     const std::string& fieldNames, int32_t fieldNameWidth,
                     std::string& fieldTypes, int32_t fieldTypeWidth,
                     const int32_t* fieldWidths, const int32_t* fieldDecimals, const int32_t& fieldCount,
                     int32_t* fieldNumbers);

void SHAPEFILEWRITE(int32_t& errorCode, const float* x, const float* y, const int32_t& np,
                    const std::string& stringValues, int32_t stringValueWidth, const int32_t* stringFields,
                    const int32_t& ns, const int32_t* integerValues, const int32_t* integerFields,
                    const int32_t& ni, const float* realValues, const int32_t* realFields, const int32_t& nr,
                    const double* doubleValues, const int32_t* doubleFields, const int32_t& nd);

void SHAPEFILECLOSE(int32_t& errorCode);

// The library's file name; it is looked for in the application's folder, then on the loader path.
inline constexpr const char* kLibraryFile = "libmervane.so";

// For tests: load the library from this path only (empty: the usual search). Unloads the
// library and forgets every bound entry point.
void SetLibraryPath(const std::string& path);
// For tests: unload and go back to the usual search.
void ResetBinding();
// The path the library was loaded from; empty while it is not loaded.
std::string LoadedLibraryPath();

}  // namespace mervane
