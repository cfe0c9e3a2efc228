#include "runtime/Guard.h"

namespace vb::detail {

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
    ErrorUI::ShowError(module, procedure);
  } catch (...) {
    // The box itself failed (no display); nothing better can be done than to go on.
  }
  Err().Clear();
}

}  // namespace vb::detail
