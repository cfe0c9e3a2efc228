// Binds the map-layer library's entry points by their decorated names, falling back to the
// plain names: ELF libraries cannot export names with "@", which the linkers read as a
// symbol version. The library is opened lazily, each entry point at its own first call.
#include "platform/mervane/MervaneBinding.h"

#include "runtime/VbError.h"

#include <dlfcn.h>

#include <filesystem>
#include <string_view>
#include <system_error>

namespace mervane {
namespace {

using CreateFn = void (*)(int32_t*, const char*, int32_t, const char*, int32_t, const char*, int32_t, char*,
                          int32_t, const int32_t*, const int32_t*, const int32_t*, int32_t*);
using WriteFn = void (*)(int32_t*, const float*, const float*, const int32_t*, const char*, int32_t,
                         const int32_t*, const int32_t*, const int32_t*, const int32_t*, const int32_t*,
                         const float*, const int32_t*, const int32_t*, const double*, const int32_t*,
                         const int32_t*);
using CloseFn = void (*)(int32_t*);

constexpr const char* kCreateName = "_SHAPEFILECREATE@52";
constexpr const char* kWriteName = "_SHAPEFILEWRITE@68";
constexpr const char* kCloseName = "_SHAPEFILECLOSE@4";

struct Binding {
  std::string overridePath;
  void* handle = nullptr;
  std::string loadedPath;
  CreateFn create = nullptr;
  WriteFn write = nullptr;
  CloseFn close = nullptr;
};

Binding& State() {
  static Binding binding;
  return binding;
}

void Unload() {
  Binding& b = State();
  if (b.handle) dlclose(b.handle);
  b.handle = nullptr;
  b.loadedPath.clear();
  b.create = nullptr;
  b.write = nullptr;
  b.close = nullptr;
}

std::string ApplicationFolder() {
  std::error_code ec;
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::string() : exe.parent_path().string();
}

void* Library() {
  Binding& b = State();
  if (b.handle) return b.handle;
  std::string candidates[2];
  if (!b.overridePath.empty()) {
    candidates[0] = b.overridePath;
  } else {
    const std::string folder = ApplicationFolder();
    if (!folder.empty()) candidates[0] = folder + "/" + kLibraryFile;
    candidates[1] = kLibraryFile;  // the loader path
  }
  for (const std::string& path : candidates) {
    if (path.empty()) continue;
    if (void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL)) {
      b.handle = handle;
      b.loadedPath = path;
      return handle;
    }
  }
  vb::Raise(53, {}, "File not found: Mervane");
}

// "_NAME@52" -> "NAME".
std::string PlainName(std::string_view decorated) {
  if (!decorated.empty() && decorated.front() == '_') decorated.remove_prefix(1);
  const auto at = decorated.rfind('@');
  if (at != std::string_view::npos) decorated = decorated.substr(0, at);
  return std::string(decorated);
}

template <class Fn>
Fn Entry(Fn& slot, const char* decorated) {
  if (slot) return slot;
  void* handle = Library();
  void* symbol = dlsym(handle, decorated);
  if (!symbol) symbol = dlsym(handle, PlainName(decorated).c_str());
  if (!symbol) vb::Raise(453, {}, std::string("Can't find DLL entry point ") + decorated + " in Mervane");
  slot = reinterpret_cast<Fn>(symbol);
  return slot;
}

}  // namespace

void SHAPEFILECREATE(int32_t& errorCode, const std::string& layerName, const std::string& shapeType,
                     const std::string& fieldNames, int32_t fieldNameWidth, std::string& fieldTypes,
                     int32_t fieldTypeWidth, const int32_t* fieldWidths, const int32_t* fieldDecimals,
                     const int32_t& fieldCount, int32_t* fieldNumbers) {
  CreateFn create = Entry(State().create, kCreateName);
  create(&errorCode, layerName.data(), static_cast<int32_t>(layerName.size()), shapeType.data(),
         static_cast<int32_t>(shapeType.size()), fieldNames.data(), fieldNameWidth, fieldTypes.data(),
         fieldTypeWidth, fieldWidths, fieldDecimals, &fieldCount, fieldNumbers);
}

void SHAPEFILEWRITE(int32_t& errorCode, const float* x, const float* y, const int32_t& np,
                    const std::string& stringValues, int32_t stringValueWidth, const int32_t* stringFields,
                    const int32_t& ns, const int32_t* integerValues, const int32_t* integerFields,
                    const int32_t& ni, const float* realValues, const int32_t* realFields, const int32_t& nr,
                    const double* doubleValues, const int32_t* doubleFields, const int32_t& nd) {
  WriteFn write = Entry(State().write, kWriteName);
  write(&errorCode, x, y, &np, stringValues.data(), stringValueWidth, stringFields, &ns, integerValues,
        integerFields, &ni, realValues, realFields, &nr, doubleValues, doubleFields, &nd);
}

void SHAPEFILECLOSE(int32_t& errorCode) {
  CloseFn close = Entry(State().close, kCloseName);
  close(&errorCode);
}

void SetLibraryPath(const std::string& path) {
  Unload();
  State().overridePath = path;
}

void ResetBinding() { SetLibraryPath({}); }

std::string LoadedLibraryPath() { return State().loadedPath; }

}  // namespace mervane
