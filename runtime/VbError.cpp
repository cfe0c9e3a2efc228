#include "runtime/VbError.h"

#include <ios>
#include <new>
#include <utility>

namespace vb {

VbError::VbError(int32_t n, std::string src, std::string desc)
    : std::runtime_error(desc.empty() ? StandardText(n) : desc),
      number(n),
      source(std::move(src)),
      description(desc.empty() ? StandardText(n) : std::move(desc)) {}

std::string StandardText(int32_t number) {
  switch (number) {
    case 3: return "Return without GoSub";
    case 5: return "Invalid procedure call or argument";
    case 6: return "Overflow";
    case 7: return "Out of memory";
    case 9: return "Subscript out of range";
    case 10: return "This array is fixed or temporarily locked";
    case 11: return "Division by zero";
    case 13: return "Type mismatch";
    case 14: return "Out of string space";
    case 28: return "Out of stack space";
    case 35: return "Sub or Function not defined";
    case 48: return "Error in loading DLL";
    case 51: return "Internal error";
    case 52: return "Bad file name or number";
    case 53: return "File not found";
    case 54: return "Bad file mode";
    case 55: return "File already open";
    case 57: return "Device I/O error";
    case 58: return "File already exists";
    case 61: return "Disk full";
    case 62: return "Input past end of file";
    case 63: return "Bad record number";
    case 67: return "Too many files";
    case 70: return "Permission denied";
    case 75: return "Path/File access error";
    case 76: return "Path not found";
    case 91: return "Object variable or With block variable not set";
    case 92: return "For loop not initialized";
    case 94: return "Invalid use of Null";
    case 380: return "Invalid property value";
    case 383: return "Property is read-only";
    case 438: return "Object doesn't support this property or method";
    case 453: return "Specified DLL function not found";
    default: return "Application-defined or object-defined error";
  }
}

void Raise(int32_t number, std::string source, std::string description) {
  throw VbError(number, std::move(source), std::move(description));
}

VbError ToVbError(const std::exception& e) {
  if (auto* v = dynamic_cast<const VbError*>(&e)) return *v;
  std::string what = e.what();
  if (dynamic_cast<const std::bad_alloc*>(&e)) return VbError(7, {}, {});
  if (dynamic_cast<const std::out_of_range*>(&e)) return VbError(9, {}, {});
  if (dynamic_cast<const std::overflow_error*>(&e) || dynamic_cast<const std::range_error*>(&e))
    return VbError(6, {}, {});
  if (dynamic_cast<const std::invalid_argument*>(&e) || dynamic_cast<const std::domain_error*>(&e) ||
      dynamic_cast<const std::length_error*>(&e))
    return VbError(5, {}, what);
  if (dynamic_cast<const std::ios_base::failure*>(&e)) return VbError(57, {}, {});
  return VbError(51, {}, what.empty() ? std::string() : "Internal error: " + what);
}

void ErrObject::Clear() {
  Number = 0;
  Source.clear();
  Description.clear();
}

void ErrObject::Set(const VbError& e) {
  Number = e.number;
  Source = e.source;
  Description = e.description;
}

void ErrObject::Raise() const { throw VbError(Number, Source, Description); }

ErrObject& Err() {
  static ErrObject err;
  return err;
}

}  // namespace vb
