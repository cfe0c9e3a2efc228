#include <gtest/gtest.h>

#include <cmath>

#include "modelrun/modTulmo.h"
#include "platform/ui/MsgBox.h"

using namespace modTulmo;

namespace {

// A funnel-shaped estuary: 5 km wide at the mouth, half that 30 km upstream.
EstuaryRecord Funnel() {
  EstuaryRecord e;
  e.Tidalperiod = 12.4f;
  e.Flowriveravg = 100.0f;
  e.estdepth = 10;
  e.Widthmouth = 5000.0f;
  e.WidthAtX = 2500.0f;
  e.Tideavg = 4;
  e.XfromMouth = 30;
  e.EstLength = 100;
  e.DispersionOption = 0;
  e.Salinitysea = 32;
  e.DispersionX1 = 10;
  e.DispersionX2 = 30;
  e.DispersionSalinity1 = 25;
  e.DispersionSalinity2 = 10;
  return e;
}

// The same quantities, computed here with the inputs as their decimal values.
struct Expected {
  double a, A0, L, A, E, Dc, K, betaC;
};
Expected Compute(const EstuaryRecord& e) {
  Expected x{};
  const double T = 12.4 / 24 * 86400, Q = 100, h = 10, B0 = 5000, Bx = 2500, H = 4;
  x.a = -30000 / std::log(Bx / B0);
  x.A0 = B0 * h;
  x.L = e.EstLength * 1000;
  x.A = (-B0 * x.a) * std::exp(-x.L / x.a) + B0 * x.a;
  x.E = (H * x.A / (0.5 * T)) / x.A0 * T / 2;
  x.Dc = (220 * h / x.a) * std::sqrt(x.E * T * 9.8 * h / (Q * x.A0)) * Q;
  x.K = 4.38 * std::pow(h, 0.36) / (std::pow(x.a, 0.14) * std::pow(B0, 0.21));
  x.betaC = x.K * x.a * Q / (x.A0 * x.Dc);
  return x;
}

class GridParametersTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetModuleState(); }
  ui::MsgBoxRecorder boxes;
};

TEST_F(GridParametersTest, ComputedDispersionDerivesEveryQuantity) {
  CurrentEstuary = Funnel();
  GridParameters.Dispersion2 = 7;  // an earlier pass's values stay with the computed option
  GridParameters.Dfix1 = 8;
  ASSERT_TRUE(CalcGridParameters());
  EXPECT_TRUE(boxes.boxes().empty());
  const Expected x = Compute(CurrentEstuary);
  const GridParametersRecord& g = GridParameters;

  // Unrounded, from T = 44640 s exactly: a binary widening of 12.4f would be off by ~1E-8.
  EXPECT_NEAR(DispersionCalc, x.Dc, x.Dc * 1e-13);
  EXPECT_NEAR(g.Beta, x.K * x.a * 100 / (x.A0 * x.Dc), 1e-13);

  EXPECT_DOUBLE_EQ(g.CalcConvergence, 43.3);  // 43.2809 km
  EXPECT_DOUBLE_EQ(g.CalcEstLength, 100.0);
  EXPECT_DOUBLE_EQ(g.WidthFraction, 70);
  EXPECT_DOUBLE_EQ(g.Dtra, 0.75);  // 1.5 * 10 m * 0.05
  EXPECT_DOUBLE_EQ(g.Dispersion1, std::round(x.Dc * 10) / 10);
  EXPECT_DOUBLE_EQ(g.CalcTidalExcursion, std::round(x.E / 100) / 10);
  EXPECT_DOUBLE_EQ(g.CalcSaltIntrusion, std::round(x.a * std::log(1 + 1 / x.betaC) / 100) / 10);
  EXPECT_DOUBLE_EQ(g.CalcRefreshTime, std::round(0.4 * x.L * x.L / x.Dc / 86400 * 10) / 10);
  // Four significant digits for the large quantities.
  auto four = [](double v) {
    const double scale = std::pow(10.0, std::floor(std::log10(v)) - 3);
    return std::round(v / scale) * scale;
  };
  EXPECT_NEAR(g.CalcArea, four(x.A), 1e-6);
  EXPECT_NEAR(g.CalcVolume, four(10 * x.A), 1e-5);
  EXPECT_NEAR(g.CalcTidalPrism, four(4 * x.A), 1e-5);

  EXPECT_EQ(g.Dispersion2, 7);
  EXPECT_EQ(g.Dfix1, 8);
  EXPECT_EQ(g.Dispersion3, 0);
  EXPECT_EQ(g.Dfix0, 0);
}

TEST_F(GridParametersTest, MeasuredDispersionDrivesBetaAndFlushingButNotSaltIntrusion) {
  CurrentEstuary = Funnel();
  CurrentEstuary.DispersionOption = 1;
  ASSERT_TRUE(CalcGridParameters());
  const Expected x = Compute(CurrentEstuary);
  const GridParametersRecord& g = GridParameters;
  const double Q = 100, X1 = 10000, X2 = 30000;
  const double lnS10 = std::log(25.0 / 32);
  const double D0 = ((Q / x.A0 + Q / (x.A0 * std::exp(-X1 / x.a))) / 2 * -X1) / lnS10;
  const double Dfix0 = (x.a * Q / x.A0) * (1 - std::exp(X1 / x.a)) / lnS10;
  const double Dfix1 = (x.a * Q / (x.A0 * std::exp(-X1 / x.a))) * (1 - std::exp((X2 - X1) / x.a)) / std::log(10.0 / 25);
  const double Dfix2 = (x.a * Q / (x.A0 * std::exp(-X2 / x.a))) * (1 - std::exp((x.L - X2) / x.a)) / std::log(1.0 / 10);

  EXPECT_NEAR(g.Dfix0, Dfix0, std::abs(Dfix0) * 1e-12);
  EXPECT_NEAR(g.Dfix1, Dfix1, std::abs(Dfix1) * 1e-12);
  EXPECT_NEAR(g.Dfix2, Dfix2, std::abs(Dfix2) * 1e-12);
  EXPECT_DOUBLE_EQ(g.Dispersion1, std::round(Dfix0 * 10) / 10);
  EXPECT_DOUBLE_EQ(g.Dispersion2, std::round(Dfix1 * 10) / 10);
  EXPECT_DOUBLE_EQ(g.Dispersion3, std::round(Dfix2 * 10) / 10);
  EXPECT_NEAR(g.Beta, x.K * x.a * Q / (x.A0 * D0), 1e-13);
  EXPECT_DOUBLE_EQ(g.CalcRefreshTime, std::round(0.4 * x.L * x.L / D0 / 86400 * 10) / 10);
  EXPECT_DOUBLE_EQ(g.CalcSaltIntrusion, std::round(x.a * std::log(1 + 1 / x.betaC) / 100) / 10);
  EXPECT_NEAR(DispersionCalc, x.Dc, x.Dc * 1e-13);
}

TEST_F(GridParametersTest, InconsistentInputFailsSilentlyWithTheRecordZeroed) {
  struct Case {
    const char* name;
    void (*spoil)(EstuaryRecord&);
  } cases[] = {
      {"width does not narrow", [](EstuaryRecord& e) { e.WidthAtX = e.Widthmouth; }},
      {"S1 equals S0", [](EstuaryRecord& e) { e.DispersionOption = 1, e.DispersionSalinity1 = 32; }},
      {"S2 above S1", [](EstuaryRecord& e) { e.DispersionOption = 1, e.DispersionSalinity2 = 26; }},
      {"X1 equals X2", [](EstuaryRecord& e) { e.DispersionOption = 1, e.DispersionX2 = 10; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CurrentEstuary = Funnel();
    ASSERT_TRUE(CalcGridParameters());
    const double dispersionBefore = DispersionCalc;
    c.spoil(CurrentEstuary);
    EXPECT_FALSE(CalcGridParameters());
    const GridParametersRecord& g = GridParameters;
    for (double v : {g.CalcConvergence, g.CalcSaltIntrusion, g.CalcTidalExcursion, g.CalcVolume, g.CalcRefreshTime,
                     g.CalcArea, g.CalcEstLength, g.WidthFraction, g.Dispersion1, g.Dispersion2, g.Dispersion3,
                     g.CalcTidalPrism, g.Dfix0, g.Dfix1, g.Dfix2, g.Dtra, g.Beta})
      EXPECT_EQ(v, 0);
    EXPECT_EQ(DispersionCalc, dispersionBefore);
  }
  EXPECT_TRUE(boxes.boxes().empty());
}

// A geometry on which no grid can be laid out is refused in the estuary editor's words, before
// any division by its vanished cells.
TEST_F(GridParametersTest, AGeometryWithoutAHeadIsRefusedWithTheEditorsWords) {
  struct Case {
    double length;
    const char* message;
  } cases[] = {
      {0, "Estuary length (0 km) should be a positive numeric value"},
      {-3, "Estuary length (-3 km) should be a positive numeric value"},
      {500, "Width at the head of the estuary (0.048 m) must be at least 0.1 m: shorten the Estuary length or raise the "
            "Width at X"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.length);
    boxes.Clear();
    CurrentEstuary = Funnel();
    CurrentEstuary.EstLength = c.length;
    EXPECT_FALSE(CalcGridParameters());
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].prompt, c.message);
    EXPECT_EQ(GridParameters.CalcConvergence, 0);
  }
  // At the floor itself the grid is laid out.
  boxes.Clear();
  CurrentEstuary = Funnel();
  CurrentEstuary.EstLength = 350;
  EXPECT_TRUE(CalcGridParameters());
  EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(GridParametersTest, RunTimeErrorsAreReportedInTheOwnMessage) {
  struct Case {
    const char* name;
    void (*spoil)(EstuaryRecord&);
    const char* message;
  } cases[] = {
      {"no river flow", [](EstuaryRecord& e) { e.Flowriveravg = 0; },
       "Error 11 (Division by zero) in procedure CalcGridParameters of Module modTulmo"},
      {"negative river flow", [](EstuaryRecord& e) { e.Flowriveravg = -5; },
       "Error 5 (Invalid procedure call or argument) in procedure CalcGridParameters of Module modTulmo"},
      {"second width at the mouth", [](EstuaryRecord& e) { e.XfromMouth = 0; },
       "Error 11 (Division by zero) in procedure CalcGridParameters of Module modTulmo"},
      {"unknown dispersion option", [](EstuaryRecord& e) { e.DispersionOption = 2; },
       "Error 11 (Division by zero) in procedure CalcGridParameters of Module modTulmo"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    boxes.Clear();
    CurrentEstuary = Funnel();
    c.spoil(CurrentEstuary);
    EXPECT_FALSE(CalcGridParameters());
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].prompt, c.message);
    EXPECT_EQ(boxes.boxes()[0].style, ui::vbOKOnly);
    EXPECT_EQ(boxes.boxes()[0].title, "Tulmo");
  }
}

}  // namespace
