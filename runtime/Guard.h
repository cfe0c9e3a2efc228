// The failure convention of every procedure with a handler: run the body; on a failure set the
// pending error, report it under the module and procedure names through the registered reporter
// (the error box, which the layer above registers), clear the error and return normally. Nothing
// ever escapes into the event loop.
#pragma once
#include <string_view>
#include <utility>

#include "runtime/VbError.h"

namespace vb {

// Shows the pending error (vb::Err) under the module and procedure names; it may throw.
using ErrorReporter = void (*)(std::string_view module, std::string_view procedure);
// Installs the reporter every guard uses. Without one a failure is written to standard error.
void SetErrorReporter(ErrorReporter reporter) noexcept;

namespace detail {
// Sets Err from the exception in flight. Called only inside a catch block.
void CaptureCurrent() noexcept;
// Reports the pending error and clears it; swallows anything the reporter throws.
void Report(std::string_view module, std::string_view procedure) noexcept;
}  // namespace detail

// Returns true when the body ran to its end, false when it failed (and was reported).
// Typical use in a function: `T result{}; vb::Guard("Mod", "Proc", [&] { ...; result = x; }); return result;`
template <class F>
bool Guard(std::string_view module, std::string_view procedure, F&& body) noexcept {
  try {
    std::forward<F>(body)();
    return true;
  } catch (...) {
    detail::CaptureCurrent();
  }
  detail::Report(module, procedure);
  return false;
}

// As Guard, but a failure first goes to `handled(const ErrObject&)`: when it returns true the
// error is treated (no box) and cleared. Returns true when the body ran to its end.
template <class H, class F>
bool GuardWith(std::string_view module, std::string_view procedure, H&& handled, F&& body) noexcept {
  try {
    std::forward<F>(body)();
    return true;
  } catch (...) {
    detail::CaptureCurrent();
  }
  bool treated = false;
  try {
    treated = std::forward<H>(handled)(static_cast<const ErrObject&>(Err()));
  } catch (...) {
    detail::CaptureCurrent();
  }
  if (treated)
    Err().Clear();
  else
    detail::Report(module, procedure);
  return false;
}

// Runs the body and, on a failure, only records it in Err (no box): the "ignore and go on"
// handlers. Returns true when the body ran to its end.
template <class F>
bool Try(F&& body) noexcept {
  try {
    std::forward<F>(body)();
    return true;
  } catch (...) {
    detail::CaptureCurrent();
  }
  return false;
}

}  // namespace vb
