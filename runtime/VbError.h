// Run-time errors with numbers, and the one pending error that handlers read.
#pragma once
#include <cstdint>
#include <exception>
#include <stdexcept>
#include <string>

namespace vb {

// Number of the errors raised for cases the code does not handle.
constexpr int32_t kProgrammingError = 10000;

// A failure with the runtime's number, source and description.
struct VbError : std::runtime_error {
  VbError(int32_t number, std::string source, std::string description);
  int32_t number;
  std::string source;
  std::string description;
};

// The runtime's standard text for an error number ("Overflow" for 6, "Type mismatch" for 13);
// "Application-defined or object-defined error" for a number it does not know.
std::string StandardText(int32_t number);

// Raises a VbError; an empty description takes the standard text of the number.
[[noreturn]] void Raise(int32_t number, std::string source = {}, std::string description = {});

// Maps any exception onto a runtime error (bad_alloc 7, out_of_range 9, overflow 6, others 5 or 51).
VbError ToVbError(const std::exception& e);

// The pending error. Number 0 means none.
struct ErrObject {
  int32_t Number = 0;
  std::string Source;
  std::string Description;
  void Clear();
  void Set(const VbError& e);
  // Raises the pending error again (for handlers that pass it on).
  [[noreturn]] void Raise() const;
};
ErrObject& Err();

}  // namespace vb
