#include "runtime/Math.h"

#include <cfloat>
#include <cmath>

#include "runtime/VbError.h"

namespace vb {

double Checked(double x) {
  if (std::isnan(x)) Raise(5);
  if (std::isinf(x)) Raise(6);
  return x;
}

double Div(double a, double b) {
  if (std::isnan(a) || std::isnan(b)) Raise(5);
  if (b == 0.0) Raise(11);
  const double r = a / b;
  if (std::isinf(r)) Raise(6);
  return r;
}

double Log(double x) {
  if (!(x > 0.0)) Raise(5);
  return Checked(std::log(x));
}

double Sqr(double x) {
  if (!(x >= 0.0)) Raise(5);
  return std::sqrt(x);
}

double Pow(double a, double b) {
  if (std::isnan(a) || std::isnan(b)) Raise(5);
  if (a < 0.0 && b != std::floor(b)) Raise(5);
  if (a == 0.0 && b < 0.0) Raise(5);
  const double r = std::pow(a, b);
  if (std::isinf(r)) Raise(6);
  if (std::isnan(r)) Raise(5);
  return r;
}

double Exp(double x) {
  if (std::isnan(x)) Raise(5);
  const double r = std::exp(x);
  if (std::isinf(r)) Raise(6);
  return r;
}

float ToSingle(double x) {
  if (std::isnan(x)) Raise(5);
  if (std::fabs(x) > static_cast<double>(FLT_MAX)) Raise(6);
  return static_cast<float>(x);
}

int32_t IntDiv(int32_t a, int32_t b) {
  if (b == 0) Raise(11);
  if (a == INT32_MIN && b == -1) Raise(6);
  return a / b;
}

double Fix(double x) { return std::trunc(Checked(x)); }
double Int(double x) { return std::floor(Checked(x)); }

}  // namespace vb
