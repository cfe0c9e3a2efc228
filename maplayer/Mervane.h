// The binary interface of the map-layer library: three C entry points that write one
// shapefile layer. Every argument is an address, except the length word that follows each
// text; texts are neither terminated nor trimmed, and a text array is one buffer of
// blank-padded elements of that length. The caller owns every buffer.
#pragma once
#include <cstdint>

#if defined(MERVANE_BUILDING)
#define MERVANE_API __attribute__((visibility("default")))
#else
#define MERVANE_API
#endif

extern "C" {

MERVANE_API void SHAPEFILECREATE(int32_t* errorCode, const char* layerName, int32_t layerNameLen,
                                 const char* shapeType, int32_t shapeTypeLen,
                                 const char* fieldNames, int32_t fieldNameLen,
                                 char* fieldTypes, int32_t fieldTypeLen,
                                 const int32_t* fieldWidths, const int32_t* fieldDecimals,
                                 const int32_t* fieldCount, int32_t* fieldNumbers);

MERVANE_API void SHAPEFILEWRITE(int32_t* errorCode, const float* x, const float* y, const int32_t* np,
                                const char* stringValues, int32_t stringValueLen,
                                const int32_t* stringFields, const int32_t* ns,
                                const int32_t* integerValues, const int32_t* integerFields, const int32_t* ni,
                                const float* realValues, const int32_t* realFields, const int32_t* nr,
                                const double* doubleValues, const int32_t* doubleFields, const int32_t* nd);

MERVANE_API void SHAPEFILECLOSE(int32_t* errorCode);

}  // extern "C"

// Error codes set through the first argument. A code below 200 and 503, 506 touch no file.
namespace mervane_codes {
constexpr int32_t kOk = 0;
constexpr int32_t kUnknownFieldType = 101;
constexpr int32_t kUnknownShapeType = 102;
constexpr int32_t kUnknownShapeAndFieldType = 103;
constexpr int32_t kNegativeFieldCount = 104;
constexpr int32_t kMissingArray = 105;      // create: a text or array with a positive count is a null address
constexpr int32_t kBadLayerName = 106;      // empty, blank, a folder only, or holding a NUL
constexpr int32_t kTooManyFields = 107;     // more fields than a .dbf header holds (2046)
constexpr int32_t kCannotCreateFiles = 201;
constexpr int32_t kFieldTypeCut = 202;
constexpr int32_t kFieldNameTooWide = 203;  // 203 + i: field i (from 1) refused
constexpr int32_t kNoWorkLists = 501;
constexpr int32_t kBadFieldNumber = 502;  // also a value given for a field of the other kind
constexpr int32_t kNoOpenLayer = 503;
constexpr int32_t kValueTooWide = 504;    // written, but cut to the field's width
constexpr int32_t kCannotWriteFiles = 505;  // close: the files could not be written out whole
constexpr int32_t kMissingValues = 506;     // write: an array with a positive count is a null address
}  // namespace mervane_codes
