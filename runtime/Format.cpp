#include "runtime/Format.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "runtime/VbError.h"

namespace vb {
namespace {

// A non-negative decimal number: digits d1 d2 ... (no leading zero) with d1 at the power `exp`.
// An empty digit string is zero.
struct Decimal {
  std::string digits;
  int exp = 0;
};

// The decimal text of |x| to `significant` digits, as the number's text form gives it.
Decimal ToDecimal(double x, int significant) {
  Decimal d;
  if (x == 0.0) return d;
  char buf[64];
  auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(x), std::chars_format::scientific, significant - 1);
  const char* e = buf;
  while (e < res.ptr && *e != 'e') ++e;
  const char* exponent = e + 1 < res.ptr && e[1] == '+' ? e + 2 : e + 1;  // the text is not terminated
  std::from_chars(exponent, res.ptr, d.exp);
  d.digits.reserve(static_cast<std::size_t>(e - buf));
  for (const char* c = buf; c < e; ++c)
    if (*c != '.') d.digits += *c;
  while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
  return d;
}

// Keeps the digits down to the power `lowest` and rounds half away from zero on the next digit.
Decimal RoundAt(Decimal d, int lowest) {
  if (d.digits.empty()) return d;
  const int keep = d.exp - lowest + 1;  // number of digits that stay
  if (keep >= static_cast<int>(d.digits.size())) return d;
  if (keep < 0) return Decimal{};
  const bool up = d.digits[static_cast<std::size_t>(keep)] >= '5';
  d.digits.resize(static_cast<std::size_t>(keep));
  if (up) {
    int i = keep - 1;
    while (i >= 0 && d.digits[static_cast<std::size_t>(i)] == '9') d.digits[static_cast<std::size_t>(i--)] = '0';
    if (i < 0) {
      d.digits.insert(0, "1");
      d.exp += 1;
    } else {
      d.digits[static_cast<std::size_t>(i)] += 1;
    }
  }
  while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
  if (d.digits.empty()) d.exp = 0;
  return d;
}

// The digit at the power p.
char DigitAt(const Decimal& d, int p) {
  const int i = d.exp - p;
  if (d.digits.empty() || i < 0 || i >= static_cast<int>(d.digits.size())) return '0';
  return d.digits[static_cast<std::size_t>(i)];
}

bool IsPlaceholder(char c) { return c == '0' || c == '#'; }

struct Picture {
  std::string prefix, suffix;
  std::string intPart;   // placeholders before the point (commas removed)
  bool grouping = false;
  bool point = false;
  std::string fracPart;  // placeholders after the point
  bool scientific = false;
  char expLetter = 'E';
  char expSign = '+';
  std::string expPart;   // placeholders of the exponent
};

Picture Parse(std::string_view pic) {
  Picture p;
  std::size_t first = pic.size(), last = 0;
  for (std::size_t i = 0; i < pic.size(); ++i) {
    if (IsPlaceholder(pic[i]) || pic[i] == '.') {
      first = std::min(first, i);
      last = i;
    }
  }
  if (first == pic.size()) {
    p.prefix = std::string(pic);
    return p;
  }
  // The exponent belongs to the number when placeholders follow it.
  std::size_t i = first;
  std::size_t end = last + 1;
  p.prefix = std::string(pic.substr(0, first));
  enum { Int, Frac, Exp } part = Int;
  for (i = first; i < end; ++i) {
    const char c = pic[i];
    if (part != Exp && (c == 'E' || c == 'e') && i + 1 < end && (pic[i + 1] == '+' || pic[i + 1] == '-')) {
      p.scientific = true;
      p.expLetter = c;
      p.expSign = pic[i + 1];
      ++i;
      part = Exp;
    } else if (c == '.' && part == Int) {
      p.point = true;
      part = Frac;
    } else if (c == ',' && part == Int) {
      p.grouping = true;
    } else if (IsPlaceholder(c)) {
      (part == Int ? p.intPart : part == Frac ? p.fracPart : p.expPart) += c;
    } else {
      // A literal inside the number: keep it with the suffix so that nothing is lost.
      p.suffix += c;
    }
  }
  p.suffix += std::string(pic.substr(end));
  return p;
}

// Minimum digits: from the first "0" of the integer placeholders to the point,
// and up to the last "0" of the decimals.
int MinInt(const std::string& s) {
  const auto z = s.find('0');
  return z == std::string::npos ? 0 : static_cast<int>(s.size() - z);
}
int MinFrac(const std::string& s) {
  const auto z = s.rfind('0');
  return z == std::string::npos ? 0 : static_cast<int>(z + 1);
}

std::string Group(const std::string& digits) {
  std::string out;
  const int n = static_cast<int>(digits.size());
  for (int i = 0; i < n; ++i) {
    out += digits[static_cast<std::size_t>(i)];
    const int left = n - 1 - i;
    if (left > 0 && left % 3 == 0) out += ',';
  }
  return out;
}

std::string FormatDecimal(bool negative, const Decimal& value, const Picture& p) {
  const int maxFrac = static_cast<int>(p.fracPart.size());
  const int minFrac = MinFrac(p.fracPart);
  std::string number;
  if (!p.scientific) {
    const Decimal r = RoundAt(value, -maxFrac);
    std::string intDigits;
    for (int e = std::max(r.exp, 0); e >= 0 && !r.digits.empty(); --e) intDigits += DigitAt(r, e);
    while (!intDigits.empty() && intDigits.front() == '0') intDigits.erase(0, 1);
    const int minInt = MinInt(p.intPart);
    if (static_cast<int>(intDigits.size()) < minInt)
      intDigits.insert(0, std::string(static_cast<std::size_t>(minInt) - intDigits.size(), '0'));
    std::string frac;
    for (int k = 1; k <= maxFrac; ++k) frac += DigitAt(r, -k);
    while (static_cast<int>(frac.size()) > minFrac && frac.back() == '0') frac.pop_back();
    number = p.grouping ? Group(intDigits) : intDigits;
    if (p.point) number += "." + frac;
    // A negative value keeps its sign when it rounds to zero: -0.001 in "0.00" is "-0.00".
  } else {
    const int intPlaces = std::max<int>(1, static_cast<int>(p.intPart.size()));
    const int total = intPlaces + maxFrac;
    Decimal r = value;
    int exponent = 0;
    if (!r.digits.empty()) {
      r = RoundAt(r, r.exp - total + 1);
      exponent = r.exp - (intPlaces - 1);
    }
    std::string intDigits, frac;
    const int top = r.digits.empty() ? intPlaces - 1 : r.exp;
    for (int k = 0; k < intPlaces; ++k) intDigits += r.digits.empty() ? '0' : DigitAt(r, top - k);
    // Leading zeros of the mantissa only where the picture asks for them.
    const int minInt = std::max(1, MinInt(p.intPart));
    while (static_cast<int>(intDigits.size()) > minInt && intDigits.front() == '0') intDigits.erase(0, 1);
    for (int k = 1; k <= maxFrac; ++k) frac += r.digits.empty() ? '0' : DigitAt(r, top - intPlaces + 1 - k);
    while (static_cast<int>(frac.size()) > minFrac && frac.back() == '0') frac.pop_back();
    number = intDigits;
    if (p.point) number += "." + frac;
    std::string expDigits = std::to_string(std::abs(exponent));
    const int minExp = std::max(1, MinInt(p.expPart));
    if (static_cast<int>(expDigits.size()) < minExp)
      expDigits.insert(0, std::string(static_cast<std::size_t>(minExp) - expDigits.size(), '0'));
    number += p.expLetter;
    if (exponent < 0)
      number += '-';
    else if (p.expSign == '+')
      number += '+';
    number += expDigits;
    negative = negative && !r.digits.empty();
  }
  return (negative ? "-" : "") + p.prefix + number + p.suffix;
}

// The parsed form of the pictures in use: a program formats with a handful of pictures, many
// thousand times each.
const Picture& Parsed(std::string_view picture) {
  struct Entry {
    std::string text;
    Picture parsed;
  };
  thread_local std::vector<Entry> cache;
  for (const Entry& e : cache)
    if (e.text == picture) return e.parsed;
  if (cache.size() >= 64) cache.clear();
  cache.push_back({std::string(picture), Parse(picture)});
  return cache.back().parsed;
}

// A whole number in a picture of digit placeholders only ("00000"): its digits, padded to the
// picture's minimum, which is what the general form gives for it.
bool FormatWhole(double value, const Picture& p, int significant, std::string& out) {
  if (!p.prefix.empty() || !p.suffix.empty() || p.point || p.grouping || p.scientific || !p.fracPart.empty())
    return false;
  const double magnitude = std::fabs(value);
  if (magnitude != std::trunc(magnitude) || magnitude >= (significant >= 15 ? 1e15 : 1e7)) return false;
  char digits[24];
  const auto whole = static_cast<unsigned long long>(magnitude);
  const auto end = whole == 0 ? digits : std::to_chars(digits, digits + sizeof digits, whole).ptr;
  const std::size_t n = static_cast<std::size_t>(end - digits);
  const std::size_t minimum = static_cast<std::size_t>(MinInt(p.intPart));
  out.clear();
  if (value < 0) out += '-';
  if (n < minimum) out.append(minimum - n, '0');
  out.append(digits, n);
  return true;
}

std::string FormatWithDigits(double value, std::string_view picture, int significant) {
  if (std::isnan(value) || std::isinf(value)) Raise(5);
  if (picture.empty()) return significant == 7 ? SingleText(static_cast<float>(value)) : DoubleText(value);
  const Picture& p = Parsed(picture);
  if (p.intPart.empty() && p.fracPart.empty() && !p.point) return p.prefix;
  std::string whole;
  if (FormatWhole(value, p, significant, whole)) return whole;
  return FormatDecimal(value < 0, ToDecimal(value, significant), p);
}

}  // namespace

std::string Format(double value, std::string_view picture) { return FormatWithDigits(value, picture, 15); }

std::string Format(float value, std::string_view picture) {
  return FormatWithDigits(static_cast<double>(value), picture, 7);
}

std::string Format(const Variant& value, std::string_view picture) {
  switch (value.Type()) {
    case VarType::Empty:
    case VarType::Null: return {};
    case VarType::Single: return Format(CSng(value), picture);
    case VarType::Date:
      if (picture.empty()) return CStr(value);
      return Format(CDbl(value), picture);
    case VarType::String: {
      double d = 0;
      if (!ParseNumber(value.AsString(), d)) return value.AsString();
      return Format(d, picture);
    }
    default: return Format(CDbl(value), picture);
  }
}

std::string RSet(std::string_view text, std::size_t width) {
  if (text.size() >= width) return std::string(text.substr(0, width));
  return std::string(width - text.size(), ' ') + std::string(text);
}

}  // namespace vb
