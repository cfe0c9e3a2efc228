// The estuary editor's hydrodynamics: labels from the initial field values, the warnings and the
// silent invalidations, the salinity zones and the run-time error text.
#include <gtest/gtest.h>

#include "editors/EstuaryHydrodynamics.h"
#include "modelrun/modTulmo.h"

using namespace EstuaryHydrodynamics;

namespace {

Inputs Initial() {
  Inputs in;
  in.Tidalperiod = "12.4";
  in.Flowriveravg = "1";
  in.EstDepth = "5";
  in.Widthmouth = "100";
  in.WidthAtX = "50";
  in.EstLength = "30";
  in.Tideavg = "1";
  in.XfromMouth = "5";
  in.Salinitysea = "34";
  in.DispersionX1 = "5";
  in.DispersionX2 = "15";
  in.DispersionSalinity1 = "20";
  in.DispersionSalinity2 = "5";
  return in;
}

Inputs Salinity() {
  Inputs in = Initial();
  in.salinityMethod = true;
  return in;
}

}  // namespace

TEST(Hydrodynamics, InitialValuesGiveTheDocumentedLabels) {
  const Result r = Calculate(Initial());
  const std::pair<const char*, const char*> expected[] = {
      {"lblCalcConvergence", "7.2"},    {"lblCalcSaltIntrusion", "24.9"}, {"lblCalcTidalExcursion", "1.4"},
      {"lblCalcVolume", "3.55E+06"},    {"lblCalcRefreshTime", "11.0"},   {"lblCalcArea", "7.101E+05"},
      {"lblCalcEstLength", "30.0"},     {"lblWidthFraction", "70"},       {"lblCalcTidalPrism", "7.101E+05"},
      {"lblDispersionavg", "380.1"},    {"lblDtra", "3.75E-01"},          {"lblWarning", ""},
      {"lblCalcdispersion2", ""}};
  for (const auto& [label, text] : expected) EXPECT_EQ(r.Caption(label), text) << label;
  EXPECT_EQ(r.saveEnabled, true);
  EXPECT_FALSE(r.dfix.has_value());
  EXPECT_TRUE(r.errorMessage.empty());
  EXPECT_TRUE(r.Caption("lblBeta").has_value());
}

TEST(Hydrodynamics, SaltIntrusionLongerThanEstuaryWarns) {
  Inputs in = Initial();
  in.EstLength = "20";
  const Result r = Calculate(in);
  const std::string warning = r.Caption("lblWarning").value();
  EXPECT_EQ(warning.rfind("Salt intrusion length 24.77", 0), 0u) << warning;
  EXPECT_NE(warning.find("(km) is larger than length of estuary 20 (km). Please increase estuary length."),
            std::string::npos)
      << warning;
  EXPECT_EQ(r.Caption("lblCalcSaltIntrusion"), "");
  EXPECT_EQ(r.saveEnabled, false);
  // An invalidation leaves beta and the width fraction as they were.
  EXPECT_FALSE(r.Caption("lblBeta").has_value());
  EXPECT_FALSE(r.Caption("lblWidthFraction").has_value());
}

TEST(Hydrodynamics, SalinityMethodGivesThreeZones) {
  const Result r = Calculate(Salinity());
  EXPECT_EQ(r.Caption("lblDispersionavg"), "27.2");
  EXPECT_EQ(r.Caption("lblCalcdispersion2"), "62.4");
  EXPECT_EQ(r.Caption("lblCalcdispersion3"), "502.0");
  ASSERT_TRUE(r.dfix.has_value());
  EXPECT_NEAR((*r.dfix)[0], 27.2, 0.05);
  EXPECT_EQ(r.saveEnabled, true);

  modTulmo::GridParameters = {};
  StoreDfix(*r.dfix);
  EXPECT_EQ(DfixValues[2], (*r.dfix)[2]);
  EXPECT_EQ(modTulmo::GridParameters.Dfix1, (*r.dfix)[1]);
}

TEST(Hydrodynamics, InputChecks) {
  struct Case {
    const char* what;
    void (*change)(Inputs&);
    bool salinity;
    const char* warning;  // nullptr: silently invalidated
  } cases[] = {
      {"period", [](Inputs& i) { i.Tidalperiod = "x"; }, false, "Tidal period must be numeric"},
      {"flow", [](Inputs& i) { i.Flowriveravg = ""; }, false, "River flow must be numeric"},
      {"x from mouth", [](Inputs& i) { i.XfromMouth = "-"; }, false, "X from mouth must be numeric"},
      {"no narrowing", [](Inputs& i) { i.WidthAtX = "100"; }, false, nullptr},
      {"x1 blank", [](Inputs& i) { i.DispersionX1 = ""; }, true, nullptr},
      {"x1 beyond length", [](Inputs& i) { i.DispersionX1 = "31"; i.DispersionX2 = "32"; }, true,
       "X1 must be less than estuary length"},
      {"x2 below x1", [](Inputs& i) { i.DispersionX2 = "4"; }, true, "X1 must be less than X2"},
      {"x2 at length", [](Inputs& i) { i.DispersionX2 = "30"; }, true, "X2 must be less than estuary length"},
      {"x1 equal x2", [](Inputs& i) { i.DispersionX2 = "5"; }, true, nullptr},
      {"sea blank", [](Inputs& i) { i.Salinitysea = ""; }, true, "Salinity sea must be numeric"},
      {"s1 blank", [](Inputs& i) { i.DispersionSalinity1 = ""; }, true, nullptr},
      {"s2 blank", [](Inputs& i) { i.DispersionSalinity2 = ""; }, true, "Salinity S2 must be numeric"},
      {"s2 not below s1", [](Inputs& i) { i.DispersionSalinity2 = "20"; }, true,
       "Salinity zone 2 must be less than salinity zone 1"},
      {"s1 above sea", [](Inputs& i) { i.DispersionSalinity1 = "40"; }, true, nullptr},
  };
  for (const Case& c : cases) {
    Inputs in = Initial();
    in.salinityMethod = c.salinity;
    c.change(in);
    const Result r = Calculate(in);
    EXPECT_EQ(r.saveEnabled, false) << c.what;
    EXPECT_EQ(r.Caption("lblWarning"), c.warning ? c.warning : "") << c.what;
    EXPECT_EQ(r.Caption("lblCalcArea"), "") << c.what;
  }
  // X1 equal to the length passes its own check (and then fails the X2 check).
  Inputs atLength = Salinity();
  atLength.DispersionX1 = "30";
  atLength.DispersionX2 = "30";
  EXPECT_EQ(Calculate(atLength).Caption("lblWarning"), "X2 must be less than estuary length");
}

TEST(Hydrodynamics, SmallFlowAndTideAreRaised) {
  Inputs zero = Initial(), raised = Initial();
  zero.Flowriveravg = "0";
  zero.Tideavg = "0";
  raised.Flowriveravg = "0.01";
  raised.Tideavg = "0.1";
  zero.EstLength = raised.EstLength = "200";
  const Result a = Calculate(zero), b = Calculate(raised);
  EXPECT_EQ(a.captions, b.captions);
  EXPECT_EQ(a.saveEnabled, true);
}

TEST(Hydrodynamics, RunTimeErrorsGiveTheProcedureMessage) {
  Inputs depth = Initial();
  depth.EstDepth = "0";
  const Result r = Calculate(depth);
  EXPECT_FALSE(r.saveEnabled.has_value());
  EXPECT_EQ(r.errorMessage.rfind("Error ", 0), 0u);
  EXPECT_NE(r.errorMessage.find(") in procedure CalcUitvoer of Form frmEnvironment"), std::string::npos);
  EXPECT_EQ(r.Caption("lblCalcArea"), "");

  Inputs s2one = Salinity();
  s2one.DispersionSalinity2 = "1";
  EXPECT_EQ(Calculate(s2one).errorMessage,
            "Error 11 (Division by zero) in procedure CalcUitvoer of Form frmEnvironment");

  // Below 1 the head zone's dispersion turns negative but is shown.
  Inputs s2half = Salinity();
  s2half.DispersionSalinity2 = "0.5";
  const Result half = Calculate(s2half);
  ASSERT_TRUE(half.dfix.has_value());
  EXPECT_LT((*half.dfix)[2], 0);
}
