#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <functional>

#include "runtime/Variant.h"
#include "runtime/VbError.h"

namespace {

int ErrorOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const vb::VbError& e) {
    return e.number;
  }
  return 0;
}

TEST(NumberText, DoubleHasAtMostFifteenDigits) {
  const std::pair<double, const char*> cases[] = {
      {0.1 + 0.2, "0.3"},
      {1e-5, "1E-05"},
      {1.5e-5, "1.5E-05"},
      {2.5e16, "2.5E+16"},
      {1e15, "1E+15"},
      {123456789012345.0, "123456789012345"},
      {0.0001, "0.0001"},
      {100, "100"},
      {-12.5, "-12.5"},
      {0, "0"},
      {1.0 / 3.0, "0.333333333333333"},
      {-99999, "-99999"},
      {1e-300, "1E-300"},
  };
  for (const auto& [value, text] : cases) EXPECT_EQ(vb::DoubleText(value), text) << value;
}

TEST(NumberText, SingleHasAtMostSevenDigits) {
  const std::pair<float, const char*> cases[] = {
      {0.1f, "0.1"},       {1.0f / 3.0f, "0.3333333"}, {1234567.0f, "1234567"},
      {1e7f, "1E+07"},     {3.4e38f, "3.4E+38"},       {-9999.0f, "-9999"},
      {12.25f, "12.25"},   {1e-5f, "1E-05"},
  };
  for (const auto& [value, text] : cases) EXPECT_EQ(vb::SingleText(value), text) << value;
  EXPECT_EQ(vb::CStr(vb::Variant(0.1f)), "0.1");  // not the widened 0.100000001490116
}

TEST(Conversion, WholeNumbersRoundHalfToEven) {
  const std::pair<double, int32_t> cases[] = {{2.5, 2}, {3.5, 4}, {-2.5, -2}, {0.5, 0}, {1.5, 2},
                                              {2.4999, 2}, {-2147483648.5, INT32_MIN}};
  for (const auto& [value, whole] : cases) EXPECT_EQ(vb::CLng(vb::Variant(value)), whole) << value;
  EXPECT_EQ(vb::CLng(vb::Variant("2.5")), 2);
  EXPECT_EQ(vb::CInt(vb::Variant(32766.5)), 32766);
  EXPECT_EQ(vb::CLng(vb::Variant(true)), -1);
}

TEST(Conversion, ErrorsCarryTheRuntimeNumbers) {
  EXPECT_EQ(ErrorOf([] { vb::CLng(vb::Variant(2147483647.5)); }), 6);
  EXPECT_EQ(ErrorOf([] { vb::CInt(vb::Variant(32767.5)); }), 6);
  EXPECT_EQ(ErrorOf([] { vb::CSng(vb::Variant(1e39)); }), 6);
  EXPECT_EQ(ErrorOf([] { vb::CDbl(vb::Variant("1e400")); }), 6);
  // The number texts the program writes itself use a capital E.
  EXPECT_EQ(ErrorOf([] { vb::CDbl(vb::Variant("1.79769313486232E+308")); }), 6);
  EXPECT_EQ(ErrorOf([] { vb::Val("-1E+400"); }), 6);
  EXPECT_EQ(vb::CDbl(vb::Variant("1E-400")), 0.0);
  EXPECT_EQ(ErrorOf([] { vb::CLng(vb::Variant("abc")); }), 13);
  EXPECT_EQ(ErrorOf([] { vb::CDbl(vb::Variant("")); }), 13);
  EXPECT_EQ(ErrorOf([] { vb::CDbl(vb::Variant("1.5x")); }), 13);
  EXPECT_EQ(ErrorOf([] { vb::CBool(vb::Variant("maybe")); }), 13);
  EXPECT_EQ(ErrorOf([] { vb::CStr(vb::Variant::Null()); }), 94);
  EXPECT_EQ(ErrorOf([] { vb::CDbl(vb::Variant::Null()); }), 94);
}

TEST(Conversion, TextsAndNumbers) {
  EXPECT_DOUBLE_EQ(vb::CDbl(vb::Variant(" 1.5E3 ")), 1500.0);
  EXPECT_DOUBLE_EQ(vb::CDbl(vb::Variant("-.5")), -0.5);
  EXPECT_DOUBLE_EQ(vb::CDbl(vb::Variant()), 0.0);
  EXPECT_EQ(vb::CStr(vb::Variant()), "");
  EXPECT_EQ(vb::CStr(vb::Variant(true)), "True");
  EXPECT_EQ(vb::CStr(vb::Variant(int32_t{-1})), "-1");
  EXPECT_TRUE(vb::CBool(vb::Variant("true")));
  EXPECT_FALSE(vb::CBool(vb::Variant(0.0)));
  EXPECT_DOUBLE_EQ(vb::Val("  12 34abc"), 1234.0);
  EXPECT_DOUBLE_EQ(vb::Val("abc"), 0.0);
  EXPECT_TRUE(vb::IsNumeric(vb::Variant("3.2E-4")));
  EXPECT_FALSE(vb::IsNumeric(vb::Variant("3,2")));
  EXPECT_FALSE(vb::IsNumeric(vb::Variant::Null()));
}

TEST(Variant, KeepsNullAndEmptyApart) {
  EXPECT_TRUE(vb::Variant().IsEmpty());
  EXPECT_TRUE(vb::Variant::Null().IsNull());
  EXPECT_FALSE(vb::Variant::Null() == vb::Variant());
  EXPECT_EQ(vb::Variant(1.5f).Type(), vb::VarType::Single);
  EXPECT_EQ(vb::Variant(std::string("x")).Type(), vb::VarType::String);
  EXPECT_EQ(vb::Variant(int64_t{7}).Type(), vb::VarType::Long);
  EXPECT_EQ(vb::Variant(int64_t{10000000000}).Type(), vb::VarType::Double);
}

TEST(Dates, TextFormRoundTrips) {
  const vb::Date d = vb::DateSerial(2026, 12, 10, 9, 30, 0);
  EXPECT_EQ(vb::DateText(d), "2026-12-10 09:30:00");
  EXPECT_EQ(vb::DateText(vb::DateSerial(2026, 12, 10)), "2026-12-10");
  EXPECT_DOUBLE_EQ(vb::DateSerial(1899, 12, 31).serial, 1.0);
  vb::Date back;
  ASSERT_TRUE(vb::ParseDate("2026-12-10 09:30:00", back));
  EXPECT_EQ(back, d);
  ASSERT_TRUE(vb::ParseDate("2026-12-10T09:30", back));
  EXPECT_EQ(back, d);
  EXPECT_EQ(vb::CStr(vb::Variant(d)), "2026-12-10 09:30:00");
  for (const char* bad : {"10/12/2026", "2026-02-30", "2026-12-10 25:00", "", "2026-12-10 09:30:00x"})
    EXPECT_FALSE(vb::ParseDate(bad, back)) << bad;
  EXPECT_EQ(ErrorOf([] { vb::CDate(vb::Variant("tomorrow")); }), 13);
}

TEST(Dates, OnlyTheYears100To9999AreDates) {
  EXPECT_EQ(vb::DateText(vb::DateSerial(9999, 12, 31, 23, 59, 59)), "9999-12-31 23:59:59");
  EXPECT_EQ(vb::DateText(vb::DateSerial(100, 1, 1)), "0100-01-01");
  EXPECT_EQ(vb::CDate(vb::Variant(2958465.0)), vb::DateSerial(9999, 12, 31));
  // Past the last second of 9999 (also by rounding), before the year 100, or no number at all.
  for (double serial : {1e300, -1e300, 1e19, 2958466.0, 2958465.9999999, -657435.0, double{NAN}, double{INFINITY}}) {
    SCOPED_TRACE(serial);
    EXPECT_EQ(ErrorOf([&] { vb::DateText(vb::Date{serial}); }), 6);
    EXPECT_EQ(ErrorOf([&] { vb::CDate(vb::Variant(serial)); }), 6);
    EXPECT_EQ(ErrorOf([&] { vb::CDate(vb::Variant(vb::Date{serial})); }), 6);
  }
}

}  // namespace
