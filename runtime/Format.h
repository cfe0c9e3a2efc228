// Number pictures: "0" a digit always written, "#" a digit written when significant, "." the
// decimal point, "," digit grouping, "E+"/"E-" (also "e+"/"e-") followed by digit placeholders for
// scientific form. The value is rounded on its shortest decimal text, halves away from zero, so
// 12.25 with one decimal gives "12.3"; a negative value keeps its "-" also when it rounds to zero
// ("-0.00"). Locale-free: the point is always ".".
#pragma once
#include <concepts>
#include <string>
#include <string_view>

#include "runtime/Variant.h"

namespace vb {

// Raises 5 for a value that is infinite or NaN. An empty picture gives DoubleText.
std::string Format(double value, std::string_view picture);
// A Single is rounded on its own shortest (7-digit) text.
std::string Format(float value, std::string_view picture);
// Whole numbers (not bool) go through the double form.
template <std::integral T>
  requires(!std::same_as<T, bool>)
std::string Format(T value, std::string_view picture) {
  return Format(static_cast<double>(value), picture);
}
// Numbers, Booleans and numeric texts through the picture; Empty gives ""; Null gives ""; a text
// that is no number comes back unchanged.
std::string Format(const Variant& value, std::string_view picture);

// Right-aligns a text in a field of the given width (cut to the width when longer).
std::string RSet(std::string_view text, std::size_t width);

}  // namespace vb
