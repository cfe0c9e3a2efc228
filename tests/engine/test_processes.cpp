// Processes and outputs: well-mixed decay with each loss added, partitioning and the map's
// identities, budget closure, linearity, background, metals, the filtering capacity and the
// food chain's limiting cases.
#include <gtest/gtest.h>

#include <cmath>

#include "Fixture.h"
#include "engine/Coefficients.h"
#include "engine/Constants.h"
#include "engine/FoodChain.h"
#include "engine/Messages.h"

using namespace fixture;

namespace {

double Value(const Input& in, const std::string& name) {
  for (const auto& c : in.constants) {
    std::string n = c.first;
    while (!n.empty() && n.back() == ' ') n.pop_back();
    if (n == name) return std::stod(c.second);
  }
  return NAN;
}

struct Processes : ::testing::Test {
  TempDir dir;
  Solved Run(const Grid& g, const Input& in) {
    WriteGridFiles(dir.Path(), g);
    WriteInput(dir.Path(), in);
    return Solve(dir.Path());
  }
  Solved RunDefault(Input& in) { return Run(grid, in); }
  Grid grid = DefaultEstuaryGrid();
};

// Segment 2 is a well-mixed box with inflow F at value 0 and outflow F; segment 1 is a separate
// "marine" box. No dispersion anywhere.
Grid TwoBoxes(double F, double V, double S) {
  Grid g;
  g.V = {V, V};
  g.S = {S, S};
  g.ex = {{-1, 2, 0, 0, 0, 10, F, 5, 5}, {2, -2, 0, 0, 0, 10, F, 5, 5}, {-3, 1, 0, 0, 0, 10, F, 5, 5},
          {1, -4, 0, 0, 0, 10, F, 5, 5}};
  g.noq[0] = 4;
  return g;
}

TEST_F(Processes, WellMixedBoxMatchesTheClosedFormWithEachLossAdded) {
  const double F = 2.0, V = 5e5, S = 1e5, loadKgY = 3000;
  const Grid g = TwoBoxes(F, V, S);
  enum Step { Decay, Volatilisation, Sediment };
  for (Step step : {Decay, Volatilisation, Sediment}) {
    Input in = GenericInput(g, {2}, 1, {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}});
    NoProcesses(in);
    SetConstant(in, "RWM", "2.00E-1");
    if (step >= Volatilisation) SetConstant(in, "He", "3.00E1");
    if (step >= Sediment) SetConstant(in, "Vsed", "1.50"), SetConstant(in, "RSM", "5.00E-2");
    in.loads = {{2, "box", loadKgY}};
    const Solved s = Run(g, in);
    ASSERT_EQ(s.code, 0) << s.err;
    const double W = loadKgY * 3.171e-5;
    const double k = 0.2 * 1.16e-5;
    // Zone 1 partitioning (organic): free fraction.
    const double kpoc = std::pow(10.0, Value(in, "KPOC"));
    const double xp = kpoc * Value(in, "POC-1") * 1e-6, xd = 0.16 * kpoc * Value(in, "DOC-1") * 1e-6;
    const double ffd = 1 / (1 + xp + xd), fp = xp * ffd;
    double denom = F + k * V;
    if (step >= Volatilisation) {
      const double kl = Value(in, "Kl") * 1.16e-5, kg = Value(in, "Kg") * 1.16e-5;
      const double kol = 1 / (1 / kl + 8.314462618 * (12 + 273.15) / (30 * kg));
      denom += S * kol * ffd;
    }
    if (step >= Sediment) {
      const double v = 1.5 * 1.16e-5, rho = 1000, ss = Value(in, "SS-1"), zs = 0.1, ks = 0.05 * 1.16e-5;
      const double rs = (1 - rho / 2650) + rho * kpoc * Value(in, "FRCSED-1") * 1e-3;
      const double wb = v * ss / (1000 * rho), ksw = 2.8e-8;
      const double gamma = (v * fp + ksw * ffd) / (wb + ks * zs + ksw / rs);
      denom += S * (wb + ks * zs) * gamma;
    }
    EXPECT_NEAR(s.result.compound[1], W / denom, 1e-12 * W / denom) << "step " << step;
    EXPECT_EQ(s.result.compound[0], 0.0);
  }
}

TEST_F(Processes, BudgetsCloseWithEveryProcessOnAndTheMapIdentitiesHold) {
  Input in = DefaultInput(grid);
  in.loads[0].kgPerYear = 200;  // marine box
  in.loads[4].kgPerYear = 800;  // Site 75%
  const Solved s = RunDefault(in);
  ASSERT_EQ(s.code, 0) << s.err;
  const auto& r = s.result;
  EXPECT_GT(r.domain.volatilisation, 0);
  EXPECT_GT(r.domain.burial, 0);
  EXPECT_GT(r.domain.degradationWater, 0);
  EXPECT_GT(r.domain.degradationSediment, 0);
  EXPECT_GT(r.domain.deposition, 0);
  EXPECT_GT(r.domain.background, 0);
  EXPECT_LE(r.domain.RelativeImbalance(), 1e-9);
  EXPECT_LE(r.estuary.RelativeImbalance(), 1e-9);
  EXPECT_LE(r.retentionImbalance, 1e-9);
  EXPECT_GT(r.filteringCapacity, 0);
  EXPECT_LT(r.filteringCapacity, 100);
  for (const auto& st : r.state) EXPECT_NEAR(st.fFree + st.fDoc + st.fPart, 1.0, 1e-15);
  const double ss[4] = {30, 80, 40, 5};
  for (size_t k = 0; k < r.cells.size(); ++k) {
    const auto& c = r.cells[k];
    const int z = r.state[s.problem.estuary[k] - 1].zone;
    const float tot = static_cast<float>(c[1]), dis = static_cast<float>(c[2]), susp = static_cast<float>(c[3]);
    EXPECT_NEAR(dis + susp * ss[z - 1] * 1e-3f, tot, 1e-6f * tot);
    EXPECT_GE(c[4], 0.01);  // SEDI never below the background CBACK (ug/g)
    for (double v : c) EXPECT_TRUE(std::isfinite(v) && v >= 0);
  }
}

TEST_F(Processes, ResultsAreLinearInTheInputsAndSuperpose) {
  auto base = [&] {
    Input in = DefaultInput(grid);
    SetConstant(in, "Atmos", "0.00E+00");
    SetConstant(in, "CBACK", "0.000E+00");
    for (auto& b : in.boundaries) b[1] = 0;
    for (auto& l : in.loads) l.kgPerYear = 0;
    return in;
  };
  Input a = base(), b = base(), both = base(), twice = base(), none = base();
  a.loads[2].kgPerYear = 700;
  b.loads[3].kgPerYear = 300;
  b.boundaries[0][1] = 0.04;
  both.loads[2].kgPerYear = 700;
  both.loads[3].kgPerYear = 300;
  both.boundaries[0][1] = 0.04;
  twice.loads[2].kgPerYear = 1400;
  twice.loads[3].kgPerYear = 600;
  twice.boundaries[0][1] = 0.08;
  const Solved ra = RunDefault(a), rb = RunDefault(b), rboth = RunDefault(both), rtwice = RunDefault(twice),
               rnone = RunDefault(none);
  for (const Solved* s : {&ra, &rb, &rboth, &rtwice, &rnone}) ASSERT_EQ(s->code, 0) << s->err;
  for (size_t k = 0; k < rboth.result.cells.size(); ++k)
    for (int q = 1; q <= 9; ++q) {
      const double sum = ra.result.cells[k][q] + rb.result.cells[k][q];
      EXPECT_NEAR(rboth.result.cells[k][q], sum, 1e-9 * sum) << "cell " << k << " quantity " << q;
      EXPECT_NEAR(rtwice.result.cells[k][q], 2 * sum, 2e-9 * sum) << "cell " << k << " quantity " << q;
      EXPECT_EQ(rnone.result.cells[k][q], 0.0);
    }
  // The filtering capacity depends on none of them.
  EXPECT_NEAR(ra.result.filteringCapacity, rtwice.result.filteringCapacity, 1e-9);
  EXPECT_NEAR(rnone.result.filteringCapacity, rtwice.result.filteringCapacity, 1e-9);
}

TEST_F(Processes, SedimentBackgroundIsAReservoirThatFeedsTheWaterButNotRetention) {
  Input in = DefaultInput(grid);
  for (auto& b : in.boundaries) b[1] = 0;
  for (auto& l : in.loads) l.kgPerYear = 0;
  SetConstant(in, "Atmos", "0.00E+00");
  Input clean = in;
  SetConstant(clean, "CBACK", "0.000E+00");
  SetConstant(in, "CBACK", "2.000E-01");
  const Solved s = RunDefault(in), c = RunDefault(clean);
  ASSERT_EQ(s.code, 0) << s.err;
  ASSERT_EQ(c.code, 0) << c.err;
  for (const auto& cell : s.result.cells) {
    EXPECT_GT(cell[1], 0);                 // released to the water
    EXPECT_GE(cell[4], 0.2);               // SEDI = CBACK + the active part
    EXPECT_LT(cell[4], 0.2 * (1 + 1e-3));  // and the release is small against the reservoir
  }
  EXPECT_NEAR(s.result.filteringCapacity, c.result.filteringCapacity, 1e-12);
}

TEST_F(Processes, PoreWaterEquilibriumWithoutSettlingOrSedimentDegradation) {
  Input in = DefaultInput(grid);
  SetConstant(in, "Vsed", "0.00");
  SetConstant(in, "RSM", "0.00E0");
  SetConstant(in, "CBACK", "0.000E+00");
  const Solved s = RunDefault(in);
  ASSERT_EQ(s.code, 0) << s.err;
  const double kpoc = std::pow(10.0, 5.5), frc[4] = {0.04, 0.03, 0.02, 0.01};
  for (int i = 0; i < 501; ++i) {
    const auto& st = s.result.state[i];
    const double rs = (1 - 1000.0 / 2650) + 1000 * kpoc * frc[st.zone - 1] * 1e-3;
    EXPECT_NEAR(st.bed, rs * st.fFree * s.result.compound[i], 1e-12 * st.bed);
    EXPECT_EQ(st.sigma, 0.0);
  }
}

TEST_F(Processes, MetalsPartitionOnSolidsOnlyAndHaveNoBiota) {
  Input in = DefaultInput(grid);
  SetConstant(in, "Istype", "1");
  SetConstant(in, "Kd    ", "5.00E1");
  const Solved s = RunDefault(in);
  ASSERT_EQ(s.code, 0) << s.err;
  const std::string lst = ReadFile(dir.Path() / "pirsel.lst");
  EXPECT_NE(lst.find("metals do not degrade"), std::string::npos);
  for (const auto& st : s.result.state) {
    EXPECT_EQ(st.fDoc, 0.0);
    EXPECT_EQ(st.kVolatilisation, 0.0);
  }
  for (const auto& c : s.result.cells)
    for (int q = 5; q <= 9; ++q) EXPECT_EQ(c[q], 0.0);
  EXPECT_EQ(s.result.estuary.degradationWater, 0.0);
  EXPECT_GT(s.result.filteringCapacity, 0.0);  // burial only
  EXPECT_LE(s.result.domain.RelativeImbalance(), 1e-9);
}

TEST_F(Processes, FastRemovalFiltersNearlyEverything) {
  Input in = DefaultInput(grid);
  SetConstant(in, "RWM ", "5.00E1");
  const Solved s = RunDefault(in);
  ASSERT_EQ(s.code, 0) << s.err;
  EXPECT_GT(s.result.filteringCapacity, 99.0);
  EXPECT_LE(s.result.filteringCapacity, 100.0);
}

std::vector<engine::Constant> DefaultConstantList() {
  std::vector<engine::Constant> cs;
  for (const auto& [name, value] : DefaultConstants()) {
    engine::Constant c;
    c.name = name;
    while (!c.name.empty() && c.name.back() == ' ') c.name.pop_back();
    c.raw = std::stod(value);
    c.value = c.raw;
    cs.push_back(c);
  }
  return cs;
}

TEST(Constants, AlfaAboveOneIsReadAsTheEstimatorsEfficiencyOrClamped) {
  std::vector<engine::Constant> cs = DefaultConstantList();
  auto alfa = [&](double v, std::string* warning) {
    for (auto& c : cs)
      if (c.name == "alfa") c.raw = c.value = v;
    engine::Report rep;
    const auto m = engine::InterpretConstants(cs, "pirsel.inp", &rep);
    *warning = rep.warnings.empty() ? "" : rep.warnings.back();
    return m.alfa;
  };
  std::string w;
  EXPECT_DOUBLE_EQ(alfa(3.9811, &w), 0.6);
  EXPECT_NE(w.find("0.6"), std::string::npos);
  EXPECT_DOUBLE_EQ(alfa(2.5, &w), 1.0);
  EXPECT_NE(w.find("above 1"), std::string::npos);
  EXPECT_DOUBLE_EQ(alfa(0.45, &w), 0.45);
}

// Lipid beyond what non-lipid organic matter leaves of the organism would make the water share,
// and with it the partition coefficient at low Kow, negative.
TEST(Constants, LipidFractionMustLeaveRoomForNonLipidMatter) {
  for (const auto& [lip, ok] : std::vector<std::pair<double, bool>>{{0.045, true}, {0.8, true}, {0.85, false},
                                                                     {0, false}, {-0.1, false}}) {
    std::vector<engine::Constant> cs = DefaultConstantList();
    for (auto& c : cs)
      if (c.name == "lip") c.raw = c.value = lip;
    engine::Report rep;
    try {
      engine::InterpretConstants(cs, "pirsel.inp", &rep);
      EXPECT_TRUE(ok) << lip;
    } catch (const engine::EngineError& e) {
      EXPECT_FALSE(ok) << lip;
      EXPECT_EQ(e.ExitCode(), 1);
      EXPECT_NE(std::string(e.what()).find("lip"), std::string::npos) << e.what();
    }
  }
}

struct FoodChain : ::testing::Test {
  engine::FoodChainParams p = engine::MakeFoodChainParams(6.5, 0.45, 0.045, 0.5, 0.25, {0, 0, 0, 0, 0},
                                                          {10, 100, 100, 500, 50});
  engine::FoodChainExposure e{1e-5, 2.0, 1.5, 12, 8};
};

TEST_F(FoodChain, WithoutDietOrGrowthAnimalsReachTheEquilibriumBcf) {
  p.betaPrey = p.betaDetritus = 0;
  p.growthOverride = 0;
  const double kbw = (0.045 + 0.035 * 0.2) * p.kow + (1 - 0.045 - 0.2);
  const auto r = engine::ComputeFoodChain(p, e);
  for (double c : r.organisms) EXPECT_NEAR(c, kbw * e.freelyDissolved, 1e-9 * kbw * e.freelyDissolved);
}

TEST_F(FoodChain, BiotransformationRemovesItsShareAndLowersThePredators) {
  const auto base = engine::ComputeFoodChain(p, e);
  p.species[1].biotransformation = 0.5;  // secondary consumers
  const auto half = engine::ComputeFoodChain(p, e);
  EXPECT_NEAR(half.organisms[1], 0.5 * base.organisms[1], 1e-12 * base.organisms[1]);
  EXPECT_LT(half.organisms[2], base.organisms[2]);  // round fish eat them
  EXPECT_LT(half.organisms[4], base.organisms[4]);  // so does dab
  EXPECT_EQ(half.organisms[0], base.organisms[0]);  // their prey is unchanged
  p.species[3].biotransformation = 1;
  EXPECT_EQ(engine::ComputeFoodChain(p, e).organisms[3], 0.0);
}

TEST_F(FoodChain, RoundFishBiomagnifyModeratelyOverTheirPrey) {
  for (double logkow : {6.0, 6.5, 7.0}) {
    p = engine::MakeFoodChainParams(logkow, 0.45, 0.045, 0.5, 0.25, {0, 0, 0, 0, 0}, {10, 100, 100, 500, 50});
    const auto r = engine::ComputeFoodChain(p, e);
    const double ratio = r.organisms[2] / r.organisms[1];
    EXPECT_GT(ratio, 1.0) << logkow;
    EXPECT_LT(ratio, 10.0) << logkow;
  }
}

}  // namespace
