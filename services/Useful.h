// Small shared routines.
#pragma once
#include <string>
#include <string_view>

// True when the regional decimal separator is not a point; set by start-up, False while running.
extern bool gblnDecimalComma;

namespace Useful {

// The larger of two numbers (the first on equality); for numbers that cannot be ordered it shows
// "Error in function GiveMax" and returns 0.
double GiveMax(double a, double b);
// With gblnDecimalComma, turns "1.234,5" into "1234.5"; otherwise the text unchanged.
std::string chgDecimal(const std::string& s);
// Base-10 logarithm; zero, negative and NaN input show the procedure's own message and give 0.
double Log10(double x);
// True when a loaded form has this name, ignoring letter case.
bool blnFormOpen(std::string_view name);

}  // namespace Useful
