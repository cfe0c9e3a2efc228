// The map-layer library: checks the caller's layer description, creates one shapefile layer
// through shapelib, appends shapes with their attribute records and closes the layer.
// It keeps the one open layer between calls and never keeps a pointer into a caller's buffer.
#define MERVANE_BUILDING
#include "maplayer/Mervane.h"

#include <shapefil.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

using namespace mervane_codes;

namespace {

// shapelib seeks before every record it writes, and each seek on a stdio stream flushes it and
// reads the block back: three system calls per shape and per attribute record, most of the time
// of a layer. Its files are therefore kept in memory while the layer is open and written out in
// one piece when shapelib closes them. The file is opened for real at once, so a folder that
// cannot take it still fails the create.
struct MemoryFile {
  std::FILE* fp = nullptr;
  std::vector<unsigned char> data;
  size_t pos = 0;
  bool dirty = false;
};

// A failed write-out since the layer was created; the close reports it.
bool g_writeFailed = false;

MemoryFile* Mem(SAFile file) { return reinterpret_cast<MemoryFile*>(file); }

SAFile MemOpen(const char* filename, const char* access) {
  std::FILE* fp = std::fopen(filename, access);
  if (!fp) return nullptr;
  auto* f = new MemoryFile{fp, {}, 0, false};
  // What a file holds already is read by its length, never to its end: a device has none.
  long size = 0;
  if (std::strchr(access, 'r') && std::fseek(fp, 0, SEEK_END) == 0 && (size = std::ftell(fp)) > 0) {
    f->data.resize(static_cast<size_t>(size));
    std::rewind(fp);
    f->data.resize(std::fread(f->data.data(), 1, f->data.size(), fp));
  }
  return reinterpret_cast<SAFile>(f);
}

SAOffset MemRead(void* p, SAOffset size, SAOffset nmemb, SAFile file) {
  MemoryFile& f = *Mem(file);
  if (size == 0 || f.pos >= f.data.size()) return 0;
  const SAOffset n = std::min<SAOffset>(nmemb, (f.data.size() - f.pos) / size);
  std::memcpy(p, f.data.data() + f.pos, n * size);
  f.pos += n * size;
  return n;
}

SAOffset MemWrite(void* p, SAOffset size, SAOffset nmemb, SAFile file) {
  MemoryFile& f = *Mem(file);
  const size_t bytes = size * nmemb;
  if (bytes == 0) return nmemb;  // shapelib writes empty records from a null buffer
  if (f.pos + bytes > f.data.size()) f.data.resize(f.pos + bytes);
  std::memcpy(f.data.data() + f.pos, p, bytes);
  f.pos += bytes;
  f.dirty = true;
  return nmemb;
}

SAOffset MemSeek(SAFile file, SAOffset offset, int whence) {
  MemoryFile& f = *Mem(file);
  const long long base = whence == SEEK_CUR ? static_cast<long long>(f.pos)
                         : whence == SEEK_END ? static_cast<long long>(f.data.size())
                                              : 0;
  const long long to = base + static_cast<long long>(offset);
  if (to < 0) return static_cast<SAOffset>(-1);
  f.pos = static_cast<size_t>(to);
  return 0;
}

SAOffset MemTell(SAFile file) { return Mem(file)->pos; }

int MemFlush(SAFile file) {
  MemoryFile& f = *Mem(file);
  if (!f.dirty) return 0;
  f.dirty = false;
  const bool ok = std::fseek(f.fp, 0, SEEK_SET) == 0 &&
                  std::fwrite(f.data.data(), 1, f.data.size(), f.fp) == f.data.size() && std::fflush(f.fp) == 0;
  if (!ok) g_writeFailed = true;
  return ok ? 0 : EOF;
}

int MemClose(SAFile file) {
  MemoryFile* f = Mem(file);
  int result = MemFlush(file);
  if (std::fclose(f->fp) != 0) {
    g_writeFailed = true;
    result = EOF;
  }
  delete f;
  return result;
}

SAHooks MemoryHooks() {
  SAHooks hooks;
  SASetupDefaultHooks(&hooks);
  hooks.FOpen = MemOpen;
  hooks.FRead = MemRead;
  hooks.FWrite = MemWrite;
  hooks.FSeek = MemSeek;
  hooks.FTell = MemTell;
  hooks.FFlush = MemFlush;
  hooks.FClose = MemClose;
  return hooks;
}

struct Layer {
  int32_t shapeType = 0;
  SHPHandle shp = nullptr;
  DBFHandle dbf = nullptr;
};

Layer g_layer;

void CloseLayer() {
  if (g_layer.shp) SHPClose(g_layer.shp);
  if (g_layer.dbf) DBFClose(g_layer.dbf);
  g_layer = Layer{};
}

int32_t Count(const int32_t* n) { return (n && *n > 0) ? *n : 0; }
int32_t Width(int32_t len) { return len > 0 ? len : 0; }

// Element i of a fixed-width text buffer, copied so that shapelib gets a terminated string.
std::string Element(const char* buffer, int32_t width, int32_t i) {
  width = Width(width);
  if (!buffer || width == 0) return {};
  return std::string(buffer + static_cast<size_t>(i) * width, width);
}

// Words compare with blank padding: the shorter side is padded with blanks, so trailing blanks
// are ignored while leading blanks, other letters and lower case are not.
bool SameWord(std::string_view text, std::string_view word) {
  const size_t n = std::max(text.size(), word.size());
  for (size_t k = 0; k < n; ++k) {
    const char a = k < text.size() ? text[k] : ' ';
    const char b = k < word.size() ? word[k] : ' ';
    if (a != b) return false;
  }
  return true;
}

// A .dbf header holds 32 bytes per field and is at most 65535 bytes long.
constexpr int32_t kMaxFields = 2046;

// shapelib appends the extensions to the base path: an empty or blank name, or one that names a
// folder only, would make hidden files such as ".shp"; a NUL would cut the name short.
bool UsableBaseName(const std::string& path) {
  if (path.find('\0') != std::string::npos) return false;
  const std::string base = path.substr(path.find_last_of('/') + 1);
  return base.find_first_not_of(' ') != std::string::npos && base != "." && base != "..";
}

bool BeginsWith(std::string_view text, std::string_view word) { return text.substr(0, word.size()) == word; }

// "REAL" is kept as "DOUBLE", written over the caller's element (blank-filled or cut to it).
void RewriteAsDouble(char* element, int32_t width) {
  static constexpr std::string_view kDouble = "DOUBLE";
  for (int32_t k = 0; k < width; ++k) element[k] = k < static_cast<int32_t>(kDouble.size()) ? kDouble[k] : ' ';
}

int32_t ShapeTypeCode(std::string_view word) {
  if (SameWord(word, "POINT")) return SHPT_POINT;
  if (SameWord(word, "POLYGON")) return SHPT_POLYGON;
  if (SameWord(word, "POLYLINE")) return SHPT_ARC;
  return 0;
}

bool FieldType(std::string_view element, DBFFieldType& type) {
  if (BeginsWith(element, "STRING")) type = FTString;
  else if (BeginsWith(element, "INTEGER")) type = FTInteger;
  else if (BeginsWith(element, "DOUBLE")) type = FTDouble;
  else return false;
  return true;
}

void Create(int32_t& error, const char* layerName, int32_t layerNameLen, const char* shapeType,
            int32_t shapeTypeLen, const char* fieldNames, int32_t fieldNameLen, char* fieldTypes,
            int32_t fieldTypeLen, const int32_t* fieldWidths, const int32_t* fieldDecimals,
            const int32_t* fieldCount, int32_t* fieldNumbers) {
  error = kOk;
  const int32_t n = fieldCount ? *fieldCount : 0;
  if (n < 0) {
    error = kNegativeFieldCount;
    return;
  }
  // Checked before any element is read, so that a wild count is refused at once.
  if (n > kMaxFields) {
    error = kTooManyFields;
    return;
  }
  if ((!layerName && layerNameLen > 0) || (!shapeType && shapeTypeLen > 0) ||
      (n > 0 && (!fieldNames || !fieldTypes || !fieldWidths || !fieldDecimals || !fieldNumbers))) {
    error = kMissingArray;
    return;
  }
  if (!UsableBaseName(Element(layerName, layerNameLen, 0))) {
    error = kBadLayerName;
    return;
  }

  // First stage: the caller's words. Every "REAL" is rewritten, even when the call fails.
  const int32_t typeWidth = Width(fieldTypeLen);
  for (int32_t i = 0; i < n; ++i) {
    const std::string element = Element(fieldTypes, typeWidth, i);
    if (SameWord(element, "STRING") || SameWord(element, "INTEGER") || SameWord(element, "DOUBLE")) continue;
    if (SameWord(element, "REAL")) {
      RewriteAsDouble(fieldTypes + static_cast<size_t>(i) * typeWidth, typeWidth);
      continue;
    }
    error = kUnknownFieldType;
  }
  const int32_t code = ShapeTypeCode(Element(shapeType, shapeTypeLen, 0));
  if (code == 0) error = (error == kUnknownFieldType) ? kUnknownShapeAndFieldType : kUnknownShapeType;
  if (error != kOk) return;

  // Second stage: a layer left open by the caller is finished before a new one is made.
  CloseLayer();
  std::vector<DBFFieldType> types(n, FTString);
  int32_t stage = 0;
  for (int32_t i = 0; i < n && stage == 0; ++i)
    if (!FieldType(Element(fieldTypes, typeWidth, i), types[i])) stage = 2;
  if (stage == 0 && Width(fieldNameLen) > XBASE_FLDNAME_LEN_WRITE) stage = 3;
  if (stage != 0) {
    error = 200 + stage;
    return;
  }

  const std::string path = Element(layerName, layerNameLen, 0);
  SAHooks hooks = MemoryHooks();
  g_writeFailed = false;
  SHPHandle shp = SHPCreateLL(path.c_str(), code, &hooks);
  DBFHandle dbf = DBFCreateLL(path.c_str(), "LDID/87", &hooks);  // the code page DBFCreate gives
  if (!shp || !dbf) {
    if (shp) SHPClose(shp);
    if (dbf) DBFClose(dbf);
    // What the half-made layer's files did is reported here, not by a later close.
    g_writeFailed = false;
    error = kCannotCreateFiles;
    return;
  }
  g_layer = Layer{code, shp, dbf};

  for (int32_t i = 0; i < n && stage == 0; ++i) {
    // The name is the whole element, trailing blanks included.
    const std::string name = Element(fieldNames, fieldNameLen, i);
    const int32_t decimals = fieldDecimals[i];
    // shapelib would take decimals on a string or integer column; such a field is refused here.
    int number = -1;
    if (types[i] == FTDouble || decimals == 0) number = DBFAddField(dbf, name.c_str(), types[i], fieldWidths[i], decimals);
    if (number < 0) {
      fieldNumbers[i] = -1;
      stage = i + 1 + 3;
    } else {
      fieldNumbers[i] = number;
    }
  }
  if (stage != 0) error = 200 + stage;
}

// shapelib writes a number into a numeric column as "%*.*f" with the column's width and
// decimals, and silently cuts what does not fit.
bool FitsWidth(int field, double value) {
  int width = 0, decimals = 0;
  DBFGetFieldInfo(g_layer.dbf, field, nullptr, &width, &decimals);
  // A magnitude that leaves room for the sign, the point and a carry fits for certain; only
  // the rest is formatted to find out.
  const int room = width - decimals - (decimals > 0 ? 1 : 0) - 2;
  if (room > 0 && room < 300 && std::fabs(value) < std::pow(10.0, room)) return true;
  return std::snprintf(nullptr, 0, "%*.*f", width, decimals, value) <= width;
}

void Write(int32_t& error, const float* x, const float* y, int32_t np, const char* stringValues,
           int32_t stringValueLen, const int32_t* stringFields, int32_t ns, const int32_t* integerValues,
           const int32_t* integerFields, int32_t ni, const float* realValues, const int32_t* realFields,
           int32_t nr, const double* doubleValues, const int32_t* doubleFields, int32_t nd) {
  error = kOk;
  if (!g_layer.shp) {
    error = kNoOpenLayer;
    return;
  }
  if ((np > 0 && (!x || !y)) || (ns > 0 && (!stringValues || !stringFields)) ||
      (ni > 0 && (!integerValues || !integerFields)) || (nr > 0 && (!realValues || !realFields)) ||
      (nd > 0 && (!doubleValues || !doubleFields))) {
    error = kMissingValues;
    return;
  }

  std::vector<double> values, xs, ys;
  std::vector<int32_t> valueFields;
  try {
    const size_t nv = static_cast<size_t>(nr) + static_cast<size_t>(nd);
    values.reserve(nv);
    valueFields.reserve(nv);
    xs.reserve(np);
    ys.reserve(np);
  } catch (const std::exception&) {
    error = kNoWorkLists;
    return;
  }
  for (int32_t k = 0; k < nr; ++k) {
    values.push_back(static_cast<double>(realValues[k]));
    valueFields.push_back(realFields[k]);
  }
  for (int32_t k = 0; k < nd; ++k) {
    values.push_back(doubleValues[k]);
    valueFields.push_back(doubleFields[k]);
  }
  for (int32_t k = 0; k < np; ++k) {
    xs.push_back(static_cast<double>(x[k]));
    ys.push_back(static_cast<double>(y[k]));
  }

  // A point layer takes the first point; a shape without points is a null shape, so the
  // shape and its attribute record still share one number.
  SHPObject* shape = nullptr;
  if (np == 0) shape = SHPCreateSimpleObject(SHPT_NULL, 0, nullptr, nullptr, nullptr);
  else shape = SHPCreateSimpleObject(g_layer.shapeType, g_layer.shapeType == SHPT_POINT ? 1 : np, xs.data(), ys.data(), nullptr);
  const int record = SHPWriteObject(g_layer.shp, -1, shape);
  SHPDestroyObject(shape);
  if (record < 0) return;

  // shapelib checks neither the field number nor the field's kind: a number outside the
  // layer's fields is written outside its tables, and a number written into a text column (or
  // a text into a numeric one) is read as raw memory. Such a value is skipped.
  const int fields = DBFGetFieldCount(g_layer.dbf);
  auto fits = [fields](int32_t field, bool text) {
    if (field < 0 || field >= fields) return false;
    return (DBFGetNativeFieldType(g_layer.dbf, field) == 'C') == text;
  };
  bool badField = false;
  bool tooWide = false;
  bool written = false;
  for (int32_t k = 0; k < ns; ++k) {
    if (!fits(stringFields[k], true)) { badField = true; continue; }
    DBFWriteStringAttribute(g_layer.dbf, record, stringFields[k], Element(stringValues, stringValueLen, k).c_str());
    written = true;
  }
  for (int32_t k = 0; k < ni; ++k) {
    if (!fits(integerFields[k], false)) { badField = true; continue; }
    tooWide |= !FitsWidth(integerFields[k], integerValues[k]);
    DBFWriteIntegerAttribute(g_layer.dbf, record, integerFields[k], integerValues[k]);
    written = true;
  }
  for (size_t k = 0; k < values.size(); ++k) {
    if (!fits(valueFields[k], false)) { badField = true; continue; }
    // No inf or NaN reaches a file: such a value is left empty.
    if (std::isfinite(values[k])) {
      tooWide |= !FitsWidth(valueFields[k], values[k]);
      DBFWriteDoubleAttribute(g_layer.dbf, record, valueFields[k], values[k]);
    } else {
      DBFWriteNULLAttribute(g_layer.dbf, record, valueFields[k]);
    }
    written = true;
  }
  // A record left unwritten would make shapelib refuse the records of every later shape.
  if (!written && fields > 0) DBFWriteNULLAttribute(g_layer.dbf, record, 0);
  // A lost value weighs more than a cut one.
  if (badField) error = kBadFieldNumber;
  else if (tooWide) error = kValueTooWide;
}

}  // namespace

extern "C" {

void SHAPEFILECREATE(int32_t* errorCode, const char* layerName, int32_t layerNameLen, const char* shapeType,
                     int32_t shapeTypeLen, const char* fieldNames, int32_t fieldNameLen, char* fieldTypes,
                     int32_t fieldTypeLen, const int32_t* fieldWidths, const int32_t* fieldDecimals,
                     const int32_t* fieldCount, int32_t* fieldNumbers) {
  int32_t local = 0;
  int32_t& error = errorCode ? *errorCode : local;
  try {
    Create(error, layerName, layerNameLen, shapeType, shapeTypeLen, fieldNames, fieldNameLen, fieldTypes,
           fieldTypeLen, fieldWidths, fieldDecimals, fieldCount, fieldNumbers);
  } catch (const std::exception&) {
    // Out of memory while making the layer: keep none.
    CloseLayer();
    g_writeFailed = false;
    error = kCannotCreateFiles;
  }
}

void SHAPEFILEWRITE(int32_t* errorCode, const float* x, const float* y, const int32_t* np,
                    const char* stringValues, int32_t stringValueLen, const int32_t* stringFields,
                    const int32_t* ns, const int32_t* integerValues, const int32_t* integerFields,
                    const int32_t* ni, const float* realValues, const int32_t* realFields, const int32_t* nr,
                    const double* doubleValues, const int32_t* doubleFields, const int32_t* nd) {
  int32_t local = 0;
  int32_t& error = errorCode ? *errorCode : local;
  try {
    Write(error, x, y, Count(np), stringValues, stringValueLen, stringFields, Count(ns), integerValues,
          integerFields, Count(ni), realValues, realFields, Count(nr), doubleValues, doubleFields, Count(nd));
  } catch (const std::exception&) {
    error = kNoWorkLists;
  }
}

void SHAPEFILECLOSE(int32_t* errorCode) {
  const bool open = g_layer.shp || g_layer.dbf;
  CloseLayer();
  // The layer's files are written out here; a folder that filled up meanwhile is said. Without
  // an open layer there is nothing to report, whatever an earlier call left behind.
  if (errorCode) *errorCode = open && g_writeFailed ? kCannotWriteFiles : kOk;
  g_writeFailed = false;
}

}  // extern "C"
