// Locale-free number recognition for the engine's text inputs: Fortran-style reals
// ("0.", ".5", "1E-3", "+2", "1.5D3") and strict integers. No nan, inf, hex or partial reads.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace engine {

enum class NumberStatus { Ok, Malformed, OutOfRange };

struct RealResult {
  NumberStatus status = NumberStatus::Malformed;
  double value = 0.0;
};

struct IntResult {
  NumberStatus status = NumberStatus::Malformed;
  int64_t value = 0;
};

// A real: [+-] digits [. digits] [(E|e|D|d) [+-] digits], at least one mantissa digit.
RealResult ParseReal(std::string_view text);
// An integer: [+-] digits, within int32.
IntResult ParseInt(std::string_view text);
// True when the text is one or more decimal digits only.
bool IsDigits(std::string_view text);

}  // namespace engine
