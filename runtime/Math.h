// Checked arithmetic: the runtime's errors instead of inf or NaN, so none reaches a file or a label.
#pragma once
#include <cstdint>

namespace vb {

double Div(double a, double b);     // 11 when b is 0 (0/0 too); 6 when the result overflows
double Log(double x);               // 5 when x <= 0 or NaN
double Sqr(double x);               // 5 when x < 0 or NaN
double Pow(double a, double b);     // 5 for a negative base with a fractional power and for 0 to a negative power; 6 on overflow
double Exp(double x);               // 6 on overflow
float ToSingle(double x);           // 6 outside the Single range; 5 for NaN
double Checked(double x);           // 6 for an infinite value, 5 for NaN; x otherwise
int32_t IntDiv(int32_t a, int32_t b);  // whole-number division; 11 when b is 0, 6 on overflow
double Fix(double x);               // truncation toward zero
double Int(double x);               // floor

}  // namespace vb
