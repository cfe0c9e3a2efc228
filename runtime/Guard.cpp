#include "runtime/Guard.h"

#include <atomic>
#include <cstdio>
#include <string>

namespace vb {
namespace {

std::atomic<ErrorReporter> gReporter{nullptr};

// Before the services are up (or in a tool without them) a failure still leaves a trace.
void ToStandardError(std::string_view module, std::string_view procedure) {
  const ErrObject& err = Err();
  std::fprintf(stderr, "Error %d in '%.*s' at '%.*s': %s\n", static_cast<int>(err.Number),
               static_cast<int>(module.size()), module.data(), static_cast<int>(procedure.size()),
               procedure.data(), err.Description.c_str());
}

}  // namespace

void SetErrorReporter(ErrorReporter reporter) noexcept { gReporter.store(reporter); }

namespace detail {

void CaptureCurrent() noexcept {
  try {
    throw;
  } catch (const VbError& e) {
    Err().Set(e);
  } catch (const std::exception& e) {
    Err().Set(ToVbError(e));
  } catch (...) {
    Err().Set(VbError(51, {}, {}));
  }
}

void Report(std::string_view module, std::string_view procedure) noexcept {
  try {
    const ErrorReporter reporter = gReporter.load();
    (reporter ? reporter : &ToStandardError)(module, procedure);
  } catch (...) {
    // The box itself failed (no display); nothing better can be done than to go on.
  }
  Err().Clear();
}

}  // namespace detail
}  // namespace vb
