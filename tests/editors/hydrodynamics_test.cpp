// The estuary editor's hydrodynamics: labels from the initial field values, the warnings and the
// silent invalidations, the salinity zones, the agreement with the model run's grid parameters
// and the run-time error text.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "editors/EstuaryHydrodynamics.h"
#include "modelrun/modTulmo.h"
#include "runtime/Variant.h"

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
  // The salt intrusion length with the one decimal of its label.
  EXPECT_EQ(r.Caption("lblWarning"),
            "Salt intrusion length 24.8(km) is larger than length of estuary 20 (km). Please increase estuary length.");
  EXPECT_EQ(r.Caption("lblCalcSaltIntrusion"), "");
  EXPECT_EQ(r.saveEnabled, false);
  // An invalidation leaves beta and the width fraction as they were.
  EXPECT_FALSE(r.Caption("lblBeta").has_value());
  EXPECT_FALSE(r.Caption("lblWidthFraction").has_value());

  // Just above the length, as many decimals as it takes to show it above the length.
  int warned = 0;
  for (int hundredths = 2480; hundredths < 2500; ++hundredths) {
    in.EstLength = std::to_string(hundredths / 100) + "." + std::to_string(hundredths % 100);
    const std::string w = Calculate(in).Caption("lblWarning").value();
    if (w.empty()) continue;
    ++warned;
    const std::string shown = w.substr(std::string("Salt intrusion length ").size(), w.find("(km)") - 22);
    EXPECT_GT(std::stod(shown), hundredths / 100.0) << w;
  }
  EXPECT_GT(warned, 0);
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
    std::string warning;  // every refusal says why
  } cases[] = {
      {"period", [](Inputs& i) { i.Tidalperiod = "x"; }, false, "Tidal period must be numeric"},
      {"flow", [](Inputs& i) { i.Flowriveravg = ""; }, false, "River flow must be numeric"},
      {"x from mouth", [](Inputs& i) { i.XfromMouth = "-"; }, false, "X from mouth must be numeric"},
      {"no narrowing", [](Inputs& i) { i.WidthAtX = "100"; }, false,
       "Width at X (100 m) must be less than the width at mouth (100 m): the estuary narrows upstream"},
      {"length 0", [](Inputs& i) { i.EstLength = "0"; }, false, modTulmo::NotPositiveLength("0")},
      // 200 km at a convergence length of 7.2 km leaves the head 1E-10 m wide.
      {"head below the floor", [](Inputs& i) { i.EstLength = "200"; }, false,
       "Width at the head of the estuary (8.6E-11 m) must be at least 0.1 m: shorten the Estuary length or raise the "
       "Width at X"},
      {"head just below the floor", [](Inputs& i) { i.EstLength = "49.8"; }, false,
       "Width at the head of the estuary (0.099 m) must be at least 0.1 m: shorten the Estuary length or raise the "
       "Width at X"},
      {"width beyond single precision", [](Inputs& i) { i.Widthmouth = "1e39"; }, false,
       "Width at mouth (1e39) is too large"},
      // What the save check refuses, and a run-time error would meet on the way.
      {"mouth 0", [](Inputs& i) { i.Widthmouth = "0"; }, false, NotPositiveWidthAtMouth("0")},
      {"width at x 0", [](Inputs& i) { i.WidthAtX = "0"; }, false, NotPositiveWidthAtX("0")},
      {"x 0", [](Inputs& i) { i.XfromMouth = "0."; }, false, NotPositiveXfromMouth("0.")},
      {"x beyond length", [](Inputs& i) { i.EstLength = "4"; }, false, XBeyondLength("5", "4")},
      {"flow upstream", [](Inputs& i) { i.Flowriveravg = "-1"; }, false, NegativeRiverFlow("-1")},
      // The stations are compared in whole kilometres, as stored: 3.5 is 4.
      {"x2 rounds to the length", [](Inputs& i) { i.DispersionX1 = "2.5"; i.DispersionX2 = "3.5"; i.EstLength = "3.9"; i.XfromMouth = "1"; },
       true, "X2 must be less than estuary length"},
      {"x1 rounds to the mouth", [](Inputs& i) { i.DispersionX1 = "0.5"; }, true, kX1NotPositive},
      {"x1 blank", [](Inputs& i) { i.DispersionX1 = ""; }, true, kX1NotNumeric},
      {"x2 blank", [](Inputs& i) { i.DispersionX2 = "a"; }, true, kX2NotNumeric},
      {"x1 beyond length", [](Inputs& i) { i.DispersionX1 = "31"; i.DispersionX2 = "32"; }, true,
       "X1 must be less than estuary length"},
      {"x2 below x1", [](Inputs& i) { i.DispersionX2 = "4"; }, true, "X1 must be less than X2"},
      {"x2 at length", [](Inputs& i) { i.DispersionX2 = "30"; }, true, "X2 must be less than estuary length"},
      {"x1 equal x2", [](Inputs& i) { i.DispersionX2 = "5"; }, true, "X1 must be less than X2"},
      {"sea blank", [](Inputs& i) { i.Salinitysea = ""; }, true, "Salinity sea must be numeric"},
      {"s1 blank", [](Inputs& i) { i.DispersionSalinity1 = ""; }, true, kS1NotNumeric},
      {"s2 blank", [](Inputs& i) { i.DispersionSalinity2 = ""; }, true, "Salinity S2 must be numeric"},
      {"s2 not below s1", [](Inputs& i) { i.DispersionSalinity2 = "20"; }, true,
       "Salinity zone 2 must be less than salinity zone 1"},
      {"s1 above sea", [](Inputs& i) { i.DispersionSalinity1 = "40"; }, true,
       "Salinity S1 (40 psu) must be less than the salinity at mouth (34 psu)"},
  };
  for (const Case& c : cases) {
    Inputs in = Initial();
    in.salinityMethod = c.salinity;
    c.change(in);
    const Result r = Calculate(in);
    EXPECT_EQ(r.saveEnabled, false) << c.what;
    EXPECT_EQ(r.Caption("lblWarning"), c.warning) << c.what;
    EXPECT_EQ(r.Caption("lblCalcArea"), "") << c.what;
    EXPECT_TRUE(r.errorMessage.empty()) << c.what;
  }
  // X1 equal to the length passes its own check (and then fails the X2 check).
  Inputs atLength = Salinity();
  atLength.DispersionX1 = "30";
  atLength.DispersionX2 = "30";
  EXPECT_EQ(Calculate(atLength).Caption("lblWarning"), "X2 must be less than estuary length");
}

TEST(Hydrodynamics, ValuesTheSaveCorrectsAreComputedAsCorrected) {
  struct Case {
    std::string Inputs::*field;
    const char* typed;
    const char* stored;
    bool everyMode;  // the least river flow and tide hold in view mode too
  } cases[] = {{&Inputs::Flowriveravg, "0", "0.01", true},   {&Inputs::Flowriveravg, "0.001", "0.01", true},
               {&Inputs::Tideavg, "0", "0.1", true},          {&Inputs::Tidalperiod, "0", "12.4", false},
               {&Inputs::EstDepth, "0", "0.1", false},        {&Inputs::EstDepth, "-3", "0.1", false},
               {&Inputs::Widthmouth, "50000", "40000", false}};
  for (const Case& c : cases) {
    // Long and little narrowing: the salt of the least flow stays inside, the head wide enough.
    Inputs typed = Initial(), stored = Initial();
    typed.EstLength = stored.EstLength = "200";
    typed.WidthAtX = stored.WidthAtX = "90";
    typed.*c.field = c.typed;
    stored.*c.field = c.stored;
    const Result a = Calculate(typed), b = Calculate(stored);
    EXPECT_EQ(a.captions, b.captions) << c.typed;
    EXPECT_TRUE(a.errorMessage.empty()) << c.typed;
    // In view mode the save's corrections are not made: what is stored is what a run meets.
    typed.corrected = false;
    const Result view = Calculate(typed);
    if (c.everyMode) {
      EXPECT_EQ(view.captions, b.captions) << c.typed;
      EXPECT_TRUE(view.errorMessage.empty()) << c.typed;
    } else {
      EXPECT_NE(view.captions, b.captions) << c.typed;
    }
  }
  // The least flow in view mode: the salt intrusion of 0.01 m3/s, not of the 0.001 stored.
  Inputs low = Initial();
  low.Flowriveravg = "0.001";
  low.corrected = false;
  Inputs least = low;
  least.Flowriveravg = "0.01";
  EXPECT_EQ(Calculate(low).Caption("lblWarning"), Calculate(least).Caption("lblWarning"));
  EXPECT_EQ(Calculate(low).Caption("lblWarning").value().rfind("Salt intrusion length 41.3(km)", 0), 0u)
      << Calculate(low).Caption("lblWarning").value();
}

TEST(Hydrodynamics, TheSecondSalinityMustLieAboveOneWithoutAnErrorBox) {
  // Each text that typing "0.5" or "1" passes through warns in the label: no box, no save.
  for (const char* text : {"0", "0.", "0.5", ".", "1", "1.0", "-2"}) {
    Inputs in = Salinity();
    in.DispersionSalinity2 = text;
    const Result r = Calculate(in);
    if (std::string(text) == ".") {
      EXPECT_EQ(r.Caption("lblWarning"), "Salinity S2 must be numeric");
    } else {
      EXPECT_EQ(r.Caption("lblWarning"), kSalinityAboveOne) << text;
    }
    EXPECT_EQ(r.saveEnabled, false) << text;
    EXPECT_TRUE(r.errorMessage.empty()) << text;
    EXPECT_FALSE(r.dfix.has_value()) << text;
    EXPECT_EQ(r.Caption("lblCalcdispersion3"), "") << text;
  }
  Inputs above = Salinity();
  above.DispersionSalinity2 = "1.5";
  const Result r = Calculate(above);
  EXPECT_EQ(r.saveEnabled, true);
  ASSERT_TRUE(r.dfix.has_value());
  EXPECT_GT((*r.dfix)[2], 0);
}

// The editor's labels are the model run's grid parameters of the record as the editor stores it.
TEST(Hydrodynamics, TheEditorShowsWhatTheRunUses) {
  struct Case {
    const char* what;
    Inputs in;
    modTulmo::EstuaryRecord stored;
  };
  const auto record = [](int option, int32_t x1, int32_t x2) {
    modTulmo::EstuaryRecord e;
    e.Tidalperiod = 12.4f, e.Flowriveravg = 1, e.estdepth = 5, e.Widthmouth = 100, e.WidthAtX = 50;
    e.EstLength = 30, e.Tideavg = 1, e.XfromMouth = 5, e.Salinitysea = 34;
    e.DispersionOption = option, e.DispersionX1 = x1, e.DispersionX2 = x2;
    e.DispersionSalinity1 = 20, e.DispersionSalinity2 = 5;
    return e;
  };
  Inputs halves = Salinity();
  halves.DispersionX1 = "2.5";
  halves.DispersionX2 = "3.5";
  Inputs small = Initial();
  small.Flowriveravg = "0.001";
  small.EstLength = "200";
  small.WidthAtX = "90";
  modTulmo::EstuaryRecord smallStored = record(0, 5, 15);
  smallStored.Flowriveravg = 0.01f;
  smallStored.EstLength = 200;
  smallStored.WidthAtX = 90;
  const Case cases[] = {{"default", Initial(), record(0, 5, 15)},
                        {"salinity", Salinity(), record(1, 5, 15)},
                        {"stations in whole km", halves, record(1, 2, 4)},
                        {"least flow", small, smallStored}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const Result r = Calculate(c.in);
    ASSERT_EQ(r.saveEnabled, true) << r.Caption("lblWarning").value_or("");
    modTulmo::ResetModuleState();
    modTulmo::CurrentEstuary = c.stored;
    ASSERT_TRUE(modTulmo::CalcGridParameters());
    const modTulmo::GridParametersRecord& g = modTulmo::GridParameters;
    const auto shown = [&](const char* label) { return std::stod(r.Caption(label).value()); };
    EXPECT_DOUBLE_EQ(shown("lblCalcConvergence"), g.CalcConvergence);
    EXPECT_DOUBLE_EQ(shown("lblCalcSaltIntrusion"), g.CalcSaltIntrusion);
    EXPECT_DOUBLE_EQ(shown("lblCalcTidalExcursion"), g.CalcTidalExcursion);
    EXPECT_DOUBLE_EQ(shown("lblCalcVolume"), g.CalcVolume);
    EXPECT_DOUBLE_EQ(shown("lblCalcRefreshTime"), g.CalcRefreshTime);
    EXPECT_DOUBLE_EQ(shown("lblCalcArea"), g.CalcArea);
    EXPECT_DOUBLE_EQ(shown("lblCalcEstLength"), g.CalcEstLength);
    EXPECT_DOUBLE_EQ(shown("lblCalcTidalPrism"), g.CalcTidalPrism);
    EXPECT_DOUBLE_EQ(shown("lblDtra"), g.Dtra);
    EXPECT_DOUBLE_EQ(shown("lblDispersionavg"), g.Dispersion1);
    EXPECT_EQ(r.Caption("lblBeta"), vb::DoubleText(g.Beta));
    if (c.stored.DispersionOption == 1) {
      EXPECT_DOUBLE_EQ(shown("lblCalcdispersion2"), g.Dispersion2);
      EXPECT_DOUBLE_EQ(shown("lblCalcdispersion3"), g.Dispersion3);
      ASSERT_TRUE(r.dfix.has_value());
      EXPECT_EQ(*r.dfix, (std::array<double, 3>{g.Dfix0, g.Dfix1, g.Dfix2}));
    }
  }
  // With the salinities the flushing time is that of the measured dispersion, as in the run.
  EXPECT_EQ(Calculate(Initial()).Caption("lblCalcRefreshTime"), "11.0");
  EXPECT_EQ(Calculate(Salinity()).Caption("lblCalcRefreshTime"), "147.4");
  EXPECT_EQ(Calculate(halves).Caption("lblDispersionavg"), "8.7");
}

TEST(Hydrodynamics, RunTimeErrorsGiveTheProcedureMessage) {
  // Stored values that no save of the editor makes: shown in view mode as a run meets them.
  Inputs depth = Initial();
  depth.EstDepth = "0";
  depth.corrected = false;
  const Result r = Calculate(depth);
  EXPECT_FALSE(r.saveEnabled.has_value());
  EXPECT_EQ(r.errorMessage, "Error 11 (Division by zero) in procedure CalcUitvoer of Form frmEnvironment");
  EXPECT_EQ(r.Caption("lblCalcArea"), "");
}
