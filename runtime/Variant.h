// The tagged value that crosses between records, fields and texts, with the runtime's conversions.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace vb {

// A point in time as the runtime keeps it: days since 1899-12-30, the fraction is the time of day.
struct Date {
  double serial = 0.0;
  friend bool operator==(const Date&, const Date&) = default;
};
// Builds a date; raises 5 for a month, day or time outside its range.
Date DateSerial(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);
// The current local date and time, to the second.
Date Now();
struct DateParts {
  int year, month, day, hour, minute, second;
};
// 6 for a date outside the years 100 to 9999 (or not finite).
DateParts SplitDate(Date d);
// "2026-12-10 09:30:00"; the time is left out at midnight ("2026-12-10"). The text form of a Date.
std::string DateText(Date d);
// Reads "yyyy-mm-dd", "yyyy-mm-dd hh:mm[:ss]" or with a "T" between; false when the text is none of them.
bool ParseDate(std::string_view text, Date& out);

// Type numbers as the runtime gives them.
enum class VarType : int { Empty = 0, Null = 1, Integer = 2, Long = 3, Single = 4, Double = 5, Date = 7, String = 8, Boolean = 11 };

class Variant {
 public:
  Variant() = default;  // Empty
  Variant(bool b) : v_(b) {}
  Variant(int16_t i) : v_(i) {}
  Variant(int32_t i) : v_(i) {}
  // Wider whole numbers are a Long when they fit, else a Double.
  Variant(long i) { SetWide(i); }
  Variant(long long i) { SetWide(i); }
  Variant(float f) : v_(f) {}
  Variant(double d) : v_(d) {}
  Variant(Date d) : v_(d) {}
  Variant(const char* s) : v_(std::string(s)) {}
  Variant(std::string s) : v_(std::move(s)) {}
  Variant(std::string_view s) : v_(std::string(s)) {}
  static Variant Null();

  VarType Type() const;
  bool IsEmpty() const { return v_.index() == 0; }
  bool IsNull() const { return v_.index() == 1; }
  bool IsString() const { return std::holds_alternative<std::string>(v_); }
  // True for the numeric types, Boolean and Date included (as the runtime's arithmetic takes them).
  bool IsNumber() const;

  // Direct access; raises 13 when the value holds another type.
  const std::string& AsString() const;

  friend bool operator==(const Variant& a, const Variant& b) { return a.v_ == b.v_; }

 private:
  struct NullTag {
    friend bool operator==(NullTag, NullTag) { return true; }
  };
  void SetWide(long long i) {
    if (i >= INT32_MIN && i <= INT32_MAX)
      v_ = static_cast<int32_t>(i);
    else
      v_ = static_cast<double>(i);
  }
  std::variant<std::monostate, NullTag, int16_t, int32_t, float, double, Date, std::string, bool> v_;
  friend std::string CStr(const Variant&);
  friend double CDbl(const Variant&);
  friend Date CDate(const Variant&);
  friend bool CBool(const Variant&);
};

// Shortest text of a number: at most 7 significant digits for a Single, 15 for a Double, no trailing
// zeros, "." as the decimal point, exponent form for very large or small magnitudes ("1E-05", "2.5E+16").
std::string SingleText(float f);
std::string DoubleText(double d);

// Conversions. Null raises 94 (Invalid use of Null); a text that is no number raises 13.
std::string CStr(const Variant& v);  // Empty gives "", Boolean "True"/"False", a Date its DateText
double CDbl(const Variant& v);       // Empty 0, True -1
float CSng(const Variant& v);        // 6 when out of the Single range
int32_t CLng(const Variant& v);      // rounds halves to even; 6 when out of the 32-bit range
int16_t CInt(const Variant& v);      // rounds halves to even; 6 when out of the 16-bit range
bool CBool(const Variant& v);        // a number is True when not 0; "True"/"False" texts; else 13
Date CDate(const Variant& v);        // a Date, a date text (ParseDate) or a number as serial; else 13;
                                     // 6 for a serial outside the years 100 to 9999

// Round half to even to a whole number, raising 6 when it does not fit.
int32_t RoundLong(double d);
int16_t RoundInteger(double d);

// Strict reading of a decimal number text (blanks around allowed, sign, digits, ".", exponent).
bool ParseNumber(std::string_view text, double& out);
// The leading number of a text, 0 when there is none; never fails.
double Val(std::string_view text);
// True when the value converts to a number (numbers, and texts that ParseNumber reads).
bool IsNumeric(const Variant& v);

}  // namespace vb
