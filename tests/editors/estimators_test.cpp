// The compound property estimates against hand-computed values and their field texts.
#include <gtest/gtest.h>

#include <cmath>

#include "editors/Estimators.h"
#include "runtime/VbError.h"

using namespace Estimators;

TEST(Estimators, HenryFromMassPressureAndSolubility) {
  EXPECT_EQ(HenryText(HenryCoefficient(18, 3170, 1000)), "5.706E+01");
  EXPECT_THROW(HenryCoefficient(18, 3170, 0), vb::VbError);
}

TEST(Estimators, KocBySabljicAndBockting) {
  EXPECT_EQ(KocText(LogKoc(KocMethod::Sabljic, 3)), "2.53E00");
  EXPECT_EQ(KocText(LogKoc(KocMethod::Bockting, 3, 5)), "-4.34E-04");
  EXPECT_EQ(KocText(0.5), "5.00E-01");
}

TEST(Estimators, BioParametersBandLimitBelongsToLowerBand) {
  struct Case {
    double kow;
    const char* alpha;
    double prey;
  } cases[] = {{6.25, "6.0000E-01", 0.5}, {3.72, "6.0000E-01", 0.5}, {6.26, "5.8884E-01", 0.65}, {7, "2.5119E-01", 0.65},
               {12, "7.9433E-04", 0.65}};
  for (const Case& c : cases) {
    const BioParameters p = CalcBioParameters(c.kow);
    EXPECT_EQ(AlphaWaterText(p.AlphaWater), c.alpha) << c.kow;
    EXPECT_DOUBLE_EQ(p.BetaPrey, c.prey) << c.kow;
    EXPECT_EQ(BetaText(p.BetaDet), "0.35");
  }
  EXPECT_EQ(BetaText(0.65), "0.65");
  // The lower band's efficiency is the upper band's value at the band limit, a fraction.
  EXPECT_NEAR(CalcBioParameters(6.25).AlphaWater, std::pow(10, 2.9 - 0.5 * 6.25), 5e-3);
}

TEST(Estimators, ValidityLabel) {
  struct Case {
    const char* text;
    bool organic;
    const char* label;
  } cases[] = {{"4.5", true, ""},          {"8", true, ""},
               {"4.49", true, kKowOutOfRange}, {"8.01", true, kKowOutOfRange},
               {"10", true, kKowOutOfRange},
               {"", true, ""},             {"", false, ""},
               {"7", false, kMetalsNotValid},  {"abc", false, kMetalsNotValid},
               {"abc", true, ""}};
  for (const Case& c : cases) EXPECT_EQ(ValidityText(c.text, c.organic), c.label) << c.text << c.organic;
  // The same range as the engine's warning, the result window and the report.
  EXPECT_STREQ(kKowOutOfRange, "Bioaccumulation model not valid outside log(Kow) range from 4.5-8");
}
