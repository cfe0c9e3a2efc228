// Syntax is checked here by hand; std::from_chars only converts text already known to be valid,
// because it would also take "nan", "inf" and stop silently inside "1e".
#include "engine/Numbers.h"

#include <charconv>
#include <cmath>
#include <string>

namespace engine {

namespace {
bool Digit(char c) { return c >= '0' && c <= '9'; }
}  // namespace

bool IsDigits(std::string_view t) {
  if (t.empty()) return false;
  for (char c : t)
    if (!Digit(c)) return false;
  return true;
}

RealResult ParseReal(std::string_view t) {
  RealResult r;
  size_t i = 0;
  const size_t n = t.size();
  std::string norm;
  norm.reserve(n);
  if (i < n && (t[i] == '+' || t[i] == '-')) {
    if (t[i] == '-') norm.push_back('-');
    ++i;
  }
  size_t mantissaDigits = 0;
  while (i < n && Digit(t[i])) norm.push_back(t[i++]), ++mantissaDigits;
  if (i < n && t[i] == '.') {
    norm.push_back(t[i++]);
    while (i < n && Digit(t[i])) norm.push_back(t[i++]), ++mantissaDigits;
  }
  if (mantissaDigits == 0) return r;
  if (i < n && (t[i] == 'e' || t[i] == 'E' || t[i] == 'd' || t[i] == 'D')) {
    norm.push_back('e');
    ++i;
    if (i < n && (t[i] == '+' || t[i] == '-')) norm.push_back(t[i++]);
    size_t expDigits = 0;
    while (i < n && Digit(t[i])) norm.push_back(t[i++]), ++expDigits;
    if (expDigits == 0) return r;
  }
  if (i != n) return r;
  double v = 0.0;
  const auto res = std::from_chars(norm.data(), norm.data() + norm.size(), v);
  if (res.ec == std::errc::result_out_of_range) {
    // Underflow to zero is harmless; overflow is not.
    if (v == 0.0 && norm.find('e') != std::string::npos &&
        norm.find("e-") != std::string::npos) {
      r.status = NumberStatus::Ok;
      r.value = 0.0;
      return r;
    }
    r.status = NumberStatus::OutOfRange;
    return r;
  }
  if (res.ec != std::errc() || res.ptr != norm.data() + norm.size() || !std::isfinite(v)) {
    r.status = NumberStatus::OutOfRange;
    return r;
  }
  r.status = NumberStatus::Ok;
  r.value = v;
  return r;
}

IntResult ParseInt(std::string_view t) {
  IntResult r;
  size_t i = 0;
  bool neg = false;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) neg = t[i++] == '-';
  if (i == t.size()) return r;
  int64_t v = 0;
  for (; i < t.size(); ++i) {
    if (!Digit(t[i])) return r;
    v = v * 10 + (t[i] - '0');
    if (v > 2147483648LL) {
      r.status = NumberStatus::OutOfRange;
      return r;
    }
  }
  if (neg) v = -v;
  if (v > 2147483647LL || v < -2147483648LL) {
    r.status = NumberStatus::OutOfRange;
    return r;
  }
  r.status = NumberStatus::Ok;
  r.value = v;
  return r;
}

}  // namespace engine
