// Number pictures: every file the engine reads is written through them, so each picture in use is
// checked against its documented examples, and the rounding against the cases where binary
// rounding would differ.
#include <gtest/gtest.h>

#include <cmath>

#include "runtime/Format.h"
#include "runtime/VbError.h"

namespace {

struct Case {
  double value;
  const char* picture;
  const char* expected;
};

class PictureTest : public testing::TestWithParam<Case> {};

TEST_P(PictureTest, FormatsAsDocumented) {
  const Case& c = GetParam();
  EXPECT_EQ(vb::Format(c.value, c.picture), c.expected) << c.value << " in " << c.picture;
}

const Case kCases[] = {
    {2, "0", "2"},
    {2.5, "0", "3"},
    {-2.5, "0", "-3"},
    {1e20, "0", "100000000000000000000"},
    {30, "#0.0", "30.0"},
    {0.04, "#0.0", "0.0"},
    {12.25, "#0.0", "12.3"},  // decimal half, where printf gives 12.2
    {-0.04, "#0.0", "-0.0"},  // rounds to zero and keeps its sign
    {-0.001, "0.00", "-0.00"},
    {-0.04, "0#.0", "-00.0"},
    {-0.4, "0", "-0"},
    {-0.0, "0.00", "0.00"},   // a negative zero is zero
    {5, "0.00", "5.00"},
    {12.3456, "0.00", "12.35"},
    {2.675, "0.00", "2.68"},
    {1.005, "0.00", "1.01"},
    {9.9999, "0.00", "10.00"},
    {2.5, "0.00#", "2.50"},
    {0.1234, "0.00#", "0.123"},
    {0.1235, "0.00#", "0.124"},
    {8, "0.000", "8.000"},
    {0.5, "0.0000", "0.5000"},
    {0.8, "0.0", "0.8"},
    {0.15, "0.0", "0.2"},
    {12345 / 1000.0, "0.0", "12.3"},
    {12.25, "###0.0", "12.3"},
    {0, "###0.0", "0.0"},
    {1234.56, "#####0.0", "1234.6"},
    {452, "#####0", "452"},
    {-123.45, "#######0.0", "-123.5"},
    {5, "##0", "5"},
    {7, "000", "007"},
    {1234, "000", "1234"},
    {7.46, "0#.0", "07.5"},
    {95, "0#.0", "95.0"},
    {100, "0#.0", "100.0"},
    {12, "00000", "00012"},
    {123456, "00000", "123456"},
    {7, "0000", "0007"},
    {1000, "0,000.0", "1,000.0"},
    {0.000015, "0.00##E-#0", "1.50E-5"},
    {12345, "0.00##E-#0", "1.2345E4"},
    {1, "0.00##E-#0", "1.00E0"},
    {0, "0.00##E-#0", "0.00E0"},
    {-99999, "0.00##E-#0", "-9.9999E4"},
    {3.171e-5, "0.00##E-#0", "3.171E-5"},
    {1.5e15, "0.00##E-#0", "1.50E15"},
    {0.000015, "0.00##E+00", "1.50E-05"},
    {12345, "0.00##E+00", "1.2345E+04"},
    {9.99995, "0.00##E+00", "1.00E+01"},
    {123456, "0.00##E+00", "1.2346E+05"},
    {12345, "0.0##E+00", "1.235E+04"},
    {1000, "0.0##E+00", "1.0E+03"},
    {3.2, "0.00E+00", "3.20E+00"},
    {0.00125, "0.00E+00", "1.25E-03"},
    {-9999, "0.00E+00", "-1.00E+04"},
    {0.000123, "0.00E+00", "1.23E-04"},
    {1e100, "0.00E+00", "1.00E+100"},
    {0, "0.000E+00", "0.000E+00"},
    {1.5, "0.000E+00", "1.500E+00"},
    {0.01, "0.000E+00", "1.000E-02"},
    {57.06, "0.000E+00", "5.706E+01"},
    {2.53, "0.00E-00", "2.53E00"},
    {0.5, "0.00E-00", "5.00E-01"},
    {3.98107170553497, "0.0000E+00", "3.9811E+00"},
    {-0.5, "0.0000E+00", "-5.0000E-01"},
    {1234.5, "0.000000E+00", "1.234500E+03"},
    // Whole numbers in digit pictures, as the list ids are written.
    {7, "0#", "07"},
    {-5, "000", "-005"},
    {-0.0, "00", "00"},
    {0, "#", ""},
    {123456, "00", "123456"},
    {99999, "00000", "99999"},
    {999999999999999, "0", "999999999999999"},
    {1234567890123456, "0", "1234567890123460"},
    {12.5, "00000", "00013"},
};

INSTANTIATE_TEST_SUITE_P(Pictures, PictureTest, testing::ValuesIn(kCases));

TEST(Format, RoundsASingleOnItsOwnSevenDigitText) {
  // 2.675f is 2.67499995... in binary; its text form is 2.675.
  EXPECT_EQ(vb::Format(2.675f, "0.00"), "2.68");
  EXPECT_EQ(vb::Format(static_cast<double>(2.675f), "0.00"), "2.67");
  EXPECT_EQ(vb::Format(0.1f, "0.000E+00"), "1.000E-01");
  EXPECT_EQ(vb::Format(12345678.0f, "0"), "12345680");
  EXPECT_EQ(vb::Format(1234567.0f, "000000000"), "001234567");
}

TEST(Format, OtherArgumentKinds) {
  EXPECT_EQ(vb::Format(12, "00000"), "00012");
  EXPECT_EQ(vb::Format(vb::Variant(int32_t{7}), "0000"), "0007");
  EXPECT_EQ(vb::Format(vb::Variant("12.25"), "#0.0"), "12.3");
  EXPECT_EQ(vb::Format(vb::Variant("abc"), "0.0"), "abc");
  EXPECT_EQ(vb::Format(vb::Variant::Null(), "0.0"), "");
  EXPECT_EQ(vb::Format(vb::Variant(), "0.0"), "");
  EXPECT_EQ(vb::Format(0.1 + 0.2, ""), "0.3");
}

TEST(Format, RefusesInfinityAndNaN) {
  for (double bad : {INFINITY, -INFINITY, NAN}) {
    try {
      vb::Format(bad, "0.00");
      ADD_FAILURE() << "no error for " << bad;
    } catch (const vb::VbError& e) {
      EXPECT_EQ(e.number, 5);
    }
  }
}

TEST(Format, RSetRightAlignsAndCuts) {
  EXPECT_EQ(vb::RSet("452", 6), "   452");
  EXPECT_EQ(vb::RSet("1234567", 6), "123456");
}

}  // namespace
