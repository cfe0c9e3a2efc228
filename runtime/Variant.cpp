#include "runtime/Variant.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <ctime>
#include <limits>

#include "runtime/VbError.h"

namespace vb {
namespace {

// Days from 1970-01-01 of a civil date (proleptic Gregorian).
int64_t DaysFromCivil(int64_t y, int m, int d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, int& y, int& m, int& d) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  y = static_cast<int>(yoe + era * 400 + (m <= 2));
}

const int64_t kEpoch = DaysFromCivil(1899, 12, 30);
// The serials of 100-01-01 and of 10000-01-01, the first day past the range.
const double kFirstSerial = static_cast<double>(DaysFromCivil(100, 1, 1) - kEpoch);
const double kLastSerial = static_cast<double>(DaysFromCivil(10000, 1, 1) - kEpoch);

// A number taken as a date: 6 when it lies outside the years 100 to 9999.
Date SerialDate(double serial) {
  const Date d{serial};
  SplitDate(d);
  return d;
}

bool IsLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }
int DaysInMonth(int y, int m) {
  static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && IsLeap(y) ? 29 : days[m - 1];
}

std::string Two(int v) {
  std::string s = std::to_string(v);
  return s.size() < 2 ? "0" + s : s;
}

// The digits of a number rounded to `digits` significant digits, in the runtime's general form.
std::string GeneralText(double x, int digits) {
  if (std::isnan(x)) Raise(5);
  if (std::isinf(x)) Raise(6);
  if (x == 0.0) return "0";
  char buf[64];
  auto res = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::scientific, digits - 1);
  std::string s(buf, res.ptr);
  const bool negative = s[0] == '-';
  if (negative) s.erase(0, 1);
  const auto epos = s.find('e');
  const int exp = std::stoi(s.substr(epos + 1));
  std::string mant;
  for (char c : s.substr(0, epos))
    if (c != '.') mant += c;
  while (mant.size() > 1 && mant.back() == '0') mant.pop_back();
  std::string out;
  if (exp >= digits || exp < -5 + 1) {
    out = mant.substr(0, 1);
    if (mant.size() > 1) out += "." + mant.substr(1);
    out += exp < 0 ? "E-" : "E+";
    out += Two(std::abs(exp));
  } else if (exp >= 0) {
    if (static_cast<int>(mant.size()) <= exp + 1) {
      out = mant + std::string(static_cast<std::size_t>(exp + 1) - mant.size(), '0');
    } else {
      out = mant.substr(0, static_cast<std::size_t>(exp + 1)) + "." + mant.substr(static_cast<std::size_t>(exp + 1));
    }
  } else {
    out = "0." + std::string(static_cast<std::size_t>(-exp - 1), '0') + mant;
  }
  return negative ? "-" + out : out;
}

std::string_view TrimBlanks(std::string_view t) {
  while (!t.empty() && (t.front() == ' ' || t.front() == '\t')) t.remove_prefix(1);
  while (!t.empty() && (t.back() == ' ' || t.back() == '\t')) t.remove_suffix(1);
  return t;
}

enum class NumberRead { Ok, NotANumber, OutOfRange };

// Reads the longest number at the start of t; `used` gets its length (0 when there is none).
NumberRead ReadNumberPrefix(std::string_view t, double& out, std::size_t& used) {
  std::size_t i = 0;
  bool negative = false;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) negative = t[i++] == '-';
  const std::size_t start = i;
  std::size_t digits = 0;
  while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i]))) ++i, ++digits;
  if (i < t.size() && t[i] == '.') {
    ++i;
    while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i]))) ++i, ++digits;
  }
  if (digits == 0) {
    used = 0;
    return NumberRead::NotANumber;
  }
  std::size_t end = i;
  if (i < t.size() && (t[i] == 'e' || t[i] == 'E' || t[i] == 'd' || t[i] == 'D')) {
    std::size_t j = i + 1;
    if (j < t.size() && (t[j] == '+' || t[j] == '-')) ++j;
    std::size_t expDigits = 0;
    while (j < t.size() && std::isdigit(static_cast<unsigned char>(t[j]))) ++j, ++expDigits;
    if (expDigits > 0) end = j;
  }
  std::string text(t.substr(start, end - start));
  for (char& c : text)
    if (c == 'd' || c == 'D') c = 'e';
  if (!text.empty() && text[0] == '.') text.insert(0, "0");
  double v = 0;
  auto res = std::from_chars(text.data(), text.data() + text.size(), v);
  used = end;
  if (res.ec == std::errc::result_out_of_range) {
    // Underflow reads as 0; overflow is an error.
    bool big = false;
    const auto e = text.find_first_of("eE");
    if (e != std::string::npos) big = text[e + 1] != '-';
    if (big) return NumberRead::OutOfRange;
    v = 0;
  } else if (res.ec != std::errc()) {
    used = 0;
    return NumberRead::NotANumber;
  }
  out = negative ? -v : v;
  return NumberRead::Ok;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  return true;
}

}  // namespace

Date DateSerial(int year, int month, int day, int hour, int minute, int second) {
  if (year < 100 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month) ||
      hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59)
    Raise(5);
  const double days = static_cast<double>(DaysFromCivil(year, month, day) - kEpoch);
  return Date{days + (hour * 3600 + minute * 60 + second) / 86400.0};
}

Date Now() {
  std::time_t t = std::time(nullptr);
  std::tm tm{};
  localtime_r(&t, &tm);
  return DateSerial(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec);
}

DateParts SplitDate(Date d) {
  // Only the years 100 to 9999 are dates; a far-off serial would overflow the day arithmetic.
  if (!(d.serial > kFirstSerial - 1 && d.serial < kLastSerial + 1)) Raise(6);
  double days = std::floor(d.serial);
  int64_t secs = std::llround((d.serial - days) * 86400.0);
  if (secs >= 86400) {
    days += 1;
    secs -= 86400;
  }
  DateParts p{};
  CivilFromDays(static_cast<int64_t>(days) + kEpoch, p.year, p.month, p.day);
  p.hour = static_cast<int>(secs / 3600);
  p.minute = static_cast<int>(secs / 60 % 60);
  p.second = static_cast<int>(secs % 60);
  if (p.year < 100 || p.year > 9999) Raise(6);
  return p;
}

std::string DateText(Date d) {
  const DateParts p = SplitDate(d);
  std::string year = std::to_string(p.year);
  while (year.size() < 4) year.insert(0, "0");
  std::string s = year + "-" + Two(p.month) + "-" + Two(p.day);
  if (p.hour || p.minute || p.second) s += " " + Two(p.hour) + ":" + Two(p.minute) + ":" + Two(p.second);
  return s;
}

bool ParseDate(std::string_view text, Date& out) {
  std::string_view t = TrimBlanks(text);
  auto num = [&](std::size_t pos, std::size_t len, int& v) {
    if (pos + len > t.size()) return false;
    v = 0;
    for (std::size_t i = pos; i < pos + len; ++i) {
      if (!std::isdigit(static_cast<unsigned char>(t[i]))) return false;
      v = v * 10 + (t[i] - '0');
    }
    return true;
  };
  int y, m, d, hh = 0, mm = 0, ss = 0;
  if (!num(0, 4, y) || t.size() < 10 || t[4] != '-' || !num(5, 2, m) || t[7] != '-' || !num(8, 2, d)) return false;
  if (t.size() > 10) {
    if (t[10] != ' ' && t[10] != 'T') return false;
    if (t.size() != 16 && t.size() != 19) return false;
    if (!num(11, 2, hh) || t[13] != ':' || !num(14, 2, mm)) return false;
    if (t.size() == 19 && (t[16] != ':' || !num(17, 2, ss))) return false;
  }
  if (y < 100 || m < 1 || m > 12 || d < 1 || d > DaysInMonth(y, m) || hh > 23 || mm > 59 || ss > 59) return false;
  out = DateSerial(y, m, d, hh, mm, ss);
  return true;
}

Variant Variant::Null() {
  Variant v;
  v.v_ = NullTag{};
  return v;
}

VarType Variant::Type() const {
  switch (v_.index()) {
    case 0: return VarType::Empty;
    case 1: return VarType::Null;
    case 2: return VarType::Integer;
    case 3: return VarType::Long;
    case 4: return VarType::Single;
    case 5: return VarType::Double;
    case 6: return VarType::Date;
    case 7: return VarType::String;
    default: return VarType::Boolean;
  }
}

bool Variant::IsNumber() const { return v_.index() >= 2 && v_.index() != 7; }

const std::string& Variant::AsString() const {
  if (!IsString()) Raise(13);
  return std::get<std::string>(v_);
}

std::string SingleText(float f) { return GeneralText(static_cast<double>(f), 7); }
std::string DoubleText(double d) { return GeneralText(d, 15); }

std::string CStr(const Variant& v) {
  return std::visit(
      [](const auto& x) -> std::string {
        using T = std::decay_t<decltype(x)>;
        if constexpr (std::is_same_v<T, std::monostate>) return {};
        else if constexpr (std::is_same_v<T, Variant::NullTag>) Raise(94);
        else if constexpr (std::is_same_v<T, bool>) return x ? "True" : "False";
        else if constexpr (std::is_same_v<T, int16_t> || std::is_same_v<T, int32_t>) return std::to_string(x);
        else if constexpr (std::is_same_v<T, float>) return SingleText(x);
        else if constexpr (std::is_same_v<T, double>) return DoubleText(x);
        else if constexpr (std::is_same_v<T, Date>) return DateText(x);
        else return x;
      },
      v.v_);
}

double CDbl(const Variant& v) {
  return std::visit(
      [](const auto& x) -> double {
        using T = std::decay_t<decltype(x)>;
        if constexpr (std::is_same_v<T, std::monostate>) return 0.0;
        else if constexpr (std::is_same_v<T, Variant::NullTag>) Raise(94);
        else if constexpr (std::is_same_v<T, bool>) return x ? -1.0 : 0.0;
        else if constexpr (std::is_same_v<T, Date>) return x.serial;
        else if constexpr (std::is_same_v<T, std::string>) {
          std::string_view t = TrimBlanks(x);
          double d = 0;
          std::size_t used = 0;
          NumberRead r = ReadNumberPrefix(t, d, used);
          if (r == NumberRead::OutOfRange && used == t.size()) Raise(6);
          if (r != NumberRead::Ok || used != t.size()) Raise(13);
          return d;
        } else return static_cast<double>(x);
      },
      v.v_);
}

float CSng(const Variant& v) {
  const double d = CDbl(v);
  if (std::fabs(d) > static_cast<double>(std::numeric_limits<float>::max())) Raise(6);
  return static_cast<float>(d);
}

int32_t RoundLong(double d) {
  if (std::isnan(d)) Raise(6);
  const double r = std::nearbyint(d);
  if (r < -2147483648.0 || r > 2147483647.0) Raise(6);
  return static_cast<int32_t>(r);
}

int16_t RoundInteger(double d) {
  if (std::isnan(d)) Raise(6);
  const double r = std::nearbyint(d);
  if (r < -32768.0 || r > 32767.0) Raise(6);
  return static_cast<int16_t>(r);
}

int32_t CLng(const Variant& v) { return RoundLong(CDbl(v)); }
int16_t CInt(const Variant& v) { return RoundInteger(CDbl(v)); }

bool CBool(const Variant& v) {
  if (v.IsString()) {
    const std::string_view t = TrimBlanks(v.AsString());
    if (EqualsNoCase(t, "True")) return true;
    if (EqualsNoCase(t, "False")) return false;
  }
  if (const bool* b = std::get_if<bool>(&v.v_)) return *b;
  return CDbl(v) != 0.0;
}

Date CDate(const Variant& v) {
  if (const Date* d = std::get_if<Date>(&v.v_)) return SerialDate(d->serial);
  if (v.IsNull()) Raise(94);
  if (v.IsString()) {
    Date d;
    if (ParseDate(v.AsString(), d)) return d;
    double serial = 0;
    if (!ParseNumber(v.AsString(), serial)) Raise(13);
    return SerialDate(serial);
  }
  return SerialDate(CDbl(v));
}

bool ParseNumber(std::string_view text, double& out) {
  std::string_view t = TrimBlanks(text);
  double d = 0;
  std::size_t used = 0;
  if (ReadNumberPrefix(t, d, used) != NumberRead::Ok || used != t.size()) return false;
  out = d;
  return true;
}

double Val(std::string_view text) {
  std::string compact;
  for (char c : text)
    if (c != ' ' && c != '\t' && c != '\n' && c != '\r') compact += c;
  double d = 0;
  std::size_t used = 0;
  NumberRead r = ReadNumberPrefix(compact, d, used);
  if (r == NumberRead::OutOfRange) Raise(6);
  return r == NumberRead::Ok ? d : 0.0;
}

bool IsNumeric(const Variant& v) {
  if (v.IsEmpty()) return true;
  if (v.IsNull()) return false;
  if (v.Type() == VarType::Date) return false;
  if (v.IsString()) {
    double d;
    return ParseNumber(v.AsString(), d);
  }
  return true;
}

}  // namespace vb
