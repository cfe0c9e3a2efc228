#include <gtest/gtest.h>

#include <QWidget>
#include <cmath>

#include "platform/ui/Forms.h"
#include "platform/ui/MsgBox.h"
#include "runtime/Variant.h"
#include "runtime/VbError.h"
#include "services/DIOUtils.h"
#include "services/Useful.h"

namespace {

TEST(GiveMax, LargerOrFirstAndAMessageForUnorderedNumbers) {
  ui::MsgBoxRecorder rec;
  EXPECT_EQ(Useful::GiveMax(3, 3), 3);
  EXPECT_EQ(Useful::GiveMax(-1, 2), 2);
  EXPECT_EQ(Useful::GiveMax(5, -7), 5);
  EXPECT_TRUE(rec.boxes().empty());
  EXPECT_EQ(Useful::GiveMax(NAN, 1), 0);
  EXPECT_EQ(Useful::GiveMax(1, NAN), 0);
  ASSERT_EQ(rec.boxes().size(), 2u);
  EXPECT_EQ(rec.boxes()[0].prompt, "Error in function GiveMax");
  EXPECT_EQ(rec.boxes()[0].style, 0);
  EXPECT_EQ(rec.boxes()[0].title, "Tulmo");
}

TEST(ChgDecimal, ChangesOnlyWithADecimalComma) {
  EXPECT_EQ(Useful::chgDecimal(""), "");
  EXPECT_EQ(Useful::chgDecimal("1,234.5"), "1,234.5");
  gblnDecimalComma = true;
  EXPECT_EQ(Useful::chgDecimal("1,5"), "1.5");
  EXPECT_EQ(Useful::chgDecimal("1.000"), "1000");
  EXPECT_EQ(Useful::chgDecimal("1.234,5"), "1234.5");
  EXPECT_EQ(Useful::chgDecimal(""), "");
  gblnDecimalComma = false;
}

TEST(Log10, ValueAndOwnMessageForZeroNegativeAndNaN) {
  ui::MsgBoxRecorder rec;
  EXPECT_EQ(vb::DoubleText(Useful::Log10(1000)), "3");
  EXPECT_NEAR(Useful::Log10(0.01), -2, 1e-12);
  EXPECT_TRUE(rec.boxes().empty());
  for (double bad : {0.0, -5.0, static_cast<double>(NAN)}) {
    EXPECT_EQ(Useful::Log10(bad), 0) << bad;
  }
  ASSERT_EQ(rec.boxes().size(), 3u);
  for (const auto& box : rec.boxes()) {
    EXPECT_EQ(box.prompt, "Error 5 (Invalid procedure call or argument) in procedure Log10 of Module Useful");
    EXPECT_EQ(box.style, 0);
  }
  EXPECT_EQ(vb::Err().Number, 0);
}

TEST(BlnFormOpen, IgnoresLetterCase) {
  EXPECT_FALSE(Useful::blnFormOpen("frmSplash"));
  QWidget splash;
  splash.setObjectName("frmSplash");
  ui::RegisterForm(&splash);
  EXPECT_TRUE(Useful::blnFormOpen("FRMSPLASH"));
  EXPECT_FALSE(Useful::blnFormOpen("frmSplash2"));
}

TEST(DIOUtils, FixedWidthBuffer) {
  EXPECT_EQ(DIOUtils::JoinFixedWidth({"AB", "CDEF"}, 3), "AB CDE");
  EXPECT_EQ(DIOUtils::JoinFixedWidth({}, 3), "");
  EXPECT_EQ(DIOUtils::JoinFixedWidth({"PSU1", "TOT1"}, 10), "PSU1      TOT1      ");
  EXPECT_EQ(DIOUtils::ArrayLength(std::vector<std::string>{"a", "b", "c"}), 3);
  EXPECT_EQ(DIOUtils::ArrayLength(std::vector<double>{}), 0);
  // No handler of its own: the overflow passes to the caller.
  try {
    DIOUtils::JoinFixedWidth({"a", "b"}, 2000000000);
    ADD_FAILURE() << "no overflow";
  } catch (const vb::VbError& e) {
    EXPECT_EQ(e.number, 6);
  }
}

}  // namespace
