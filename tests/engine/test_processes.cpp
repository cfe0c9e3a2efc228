// Processes and outputs: well-mixed decay with each loss added, partitioning and the map's
// identities, budget closure, linearity, background, metals, the filtering capacity and the
// food chain's limiting cases.
#include <gtest/gtest.h>

#include <cmath>

#include "EngineCase.h"
#include "InputFile.h"
#include "SmallGrid.h"
#include "engine/Coefficients.h"
#include "engine/Constants.h"
#include "engine/FoodChain.h"
#include "engine/Messages.h"

using namespace fixture;

namespace {

struct Processes : ::testing::Test {
  TempDir dir;
  // The default scenario as the application wrote it.
  static InputFile Default() { return InputFile(GoldenDir() / "pirsel.inp"); }
  Solved Run(const Grid& g, const InputFile& in) {
    WriteGridFiles(dir.Path(), g);
    in.Save(dir.Path() / "pirsel.inp");
    return Solve(dir.Path());
  }
  Solved RunDefault(const InputFile& in) {
    CopyGolden(dir.Path());
    in.Save(dir.Path() / "pirsel.inp");
    return Solve(dir.Path());
  }
  static void NoLoads(InputFile& in) {
    for (int k = 1; k <= in.LoadCount(); ++k) in.SetLoad(k, 0);
  }
  static void NoBoundaryCompound(InputFile& in) {
    for (int b = 1; b <= 4; ++b) in.SetBoundaryCompound(b, 0);
  }
};

// Segment 2 is a well-mixed box with inflow F at value 0 and outflow F; segment 1 is a separate
// "marine" box. No dispersion anywhere.
Grid TwoBoxes(double F, double V, double S) {
  Grid g;
  g.V = {V, V};
  g.S = {S, S};
  g.ex = {{-1, 2, 0, 10, F, 5, 5}, {2, -2, 0, 10, F, 5, 5}, {-3, 1, 0, 10, F, 5, 5}, {1, -4, 0, 10, F, 5, 5}};
  g.noq[0] = 4;
  return g;
}

TEST_F(Processes, WellMixedBoxMatchesTheClosedFormWithEachLossAdded) {
  const double F = 2.0, V = 5e5, S = 1e5, loadKgY = 3000;
  const Grid g = TwoBoxes(F, V, S);
  enum Step { Decay, Volatilisation, Sediment };
  for (Step step : {Decay, Volatilisation, Sediment}) {
    InputFile in = SmallGridInput(g, {2}, 1, {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}});
    in.NoProcesses();
    in.SetConstant("RWM", "2.00E-1");
    if (step >= Volatilisation) in.SetConstant("He", "3.00E1");
    if (step >= Sediment) in.SetConstant("Vsed", "1.50"), in.SetConstant("RSM", "5.00E-2");
    in.SetLoads({{2, "box", loadKgY}});
    const Solved s = Run(g, in);
    ASSERT_EQ(s.code, 0) << s.err;
    const double W = loadKgY * 3.171e-5;
    const double k = 0.2 * 1.16e-5;
    // Zone 1 partitioning (organic): free fraction.
    const double kpoc = std::pow(10.0, in.Constant("KPOC"));
    const double xp = kpoc * in.Constant("POC-1") * 1e-6, xd = in.Constant("XDOC") * kpoc * in.Constant("DOC-1") * 1e-6;
    const double ffd = 1 / (1 + xp + xd), fp = xp * ffd;
    double denom = F + k * V;
    if (step >= Volatilisation) {
      const double kl = in.Constant("Kl") * 1.16e-5, kg = in.Constant("Kg") * 1.16e-5;
      const double kol = 1 / (1 / kl + 8.314462618 * (in.Constant("Temp") + 273.15) / (30 * kg));
      denom += S * kol * ffd;
    }
    if (step >= Sediment) {
      const double v = 1.5 * 1.16e-5, rho = in.Constant("DENSED"), ss = in.Constant("SS-1"),
                   zs = in.Constant("MLAAG-1"), ks = 0.05 * 1.16e-5;
      const double rs = (1 - rho / 2650) + rho * kpoc * in.Constant("FRCSED-1") * 1e-3;
      const double wb = v * ss / (1000 * rho), ksw = 2.8e-8;
      const double gamma = (v * fp + ksw * ffd) / (wb + ks * zs + ksw / rs);
      denom += S * (wb + ks * zs) * gamma;
    }
    EXPECT_NEAR(s.result.compound[1], W / denom, 1e-12 * W / denom) << "step " << step;
    EXPECT_EQ(s.result.compound[0], 0.0);
  }
}

TEST_F(Processes, BudgetsCloseWithEveryProcessOnAndTheMapIdentitiesHold) {
  InputFile in = Default();
  in.SetLoad(1, 200);  // marine box
  in.SetLoad(5, 800);  // Site 75%
  in.SetConstant("Atmos", "1.00E+02");
  in.SetConstant("CBACK", "1.000E-02");
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
  const double ss[4] = {in.Constant("SS-1"), in.Constant("SS-2"), in.Constant("SS-3"), in.Constant("SS-4")};
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
    InputFile in = Default();
    in.SetConstant("Atmos", "0.00E+00");
    in.SetConstant("CBACK", "0.000E+00");
    NoBoundaryCompound(in);
    NoLoads(in);
    return in;
  };
  InputFile a = base(), b = base(), both = base(), twice = base(), none = base();
  a.SetLoad(3, 700);
  b.SetLoad(4, 300);
  b.SetBoundaryCompound(1, 0.04);
  both.SetLoad(3, 700);
  both.SetLoad(4, 300);
  both.SetBoundaryCompound(1, 0.04);
  twice.SetLoad(3, 1400);
  twice.SetLoad(4, 600);
  twice.SetBoundaryCompound(1, 0.08);
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
  InputFile in = Default();
  NoBoundaryCompound(in);
  NoLoads(in);
  in.SetConstant("Atmos", "0.00E+00");
  InputFile clean = in;
  clean.SetConstant("CBACK", "0.000E+00");
  in.SetConstant("CBACK", "2.000E-01");
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
  InputFile in = Default();
  in.SetConstant("Vsed", "0.00");
  in.SetConstant("RSM", "0.00E0");
  in.SetConstant("CBACK", "0.000E+00");
  const Solved s = RunDefault(in);
  ASSERT_EQ(s.code, 0) << s.err;
  const double kpoc = std::pow(10.0, in.Constant("KPOC")), rho = in.Constant("DENSED");
  const double frc[4] = {in.Constant("FRCSED-1"), in.Constant("FRCSED-2"), in.Constant("FRCSED-3"),
                         in.Constant("FRCSED-4")};
  for (int i = 0; i < 501; ++i) {
    const auto& st = s.result.state[i];
    const double rs = (1 - rho / 2650) + rho * kpoc * frc[st.zone - 1] * 1e-3;
    EXPECT_NEAR(st.bed, rs * st.fFree * s.result.compound[i], 1e-12 * st.bed);
    EXPECT_EQ(st.sigma, 0.0);
  }
}

TEST_F(Processes, MetalsPartitionOnSolidsOnlyAndHaveNoBiota) {
  InputFile in = Default();
  in.SetConstant("Istype", "1");
  in.SetConstant("Kd    ", "5.00E1");
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
  InputFile in = Default();
  in.SetConstant("RWM ", "5.00E1");
  const Solved s = RunDefault(in);
  ASSERT_EQ(s.code, 0) << s.err;
  EXPECT_GT(s.result.filteringCapacity, 99.0);
  EXPECT_LE(s.result.filteringCapacity, 100.0);
}

std::vector<engine::Constant> DefaultConstantList() {
  std::vector<engine::Constant> cs;
  for (const auto& [name, value] : InputFile(GoldenDir() / "pirsel.inp").Constants()) {
    engine::Constant c;
    c.name = name;
    while (!c.name.empty() && c.name.back() == ' ') c.name.pop_back();
    c.raw = std::stod(value);
    c.value = c.raw;
    cs.push_back(c);
  }
  return cs;
}

// The estimator's old 10^0.6 is read as the 0.6 it meant, with a warning; any other efficiency
// outside 0..1 stops the run naming the field rather than being replaced by a value nobody chose.
TEST(Constants, EfficienciesOutsideZeroToOneAreRefusedByNameSaveTheOldEstimate) {
  struct Case {
    const char* name;
    double value;
    double used;  // NAN: refused
    const char* warning;
  } cases[] = {
      {"alfa", 3.9811, 0.6, "read as the gill uptake efficiency 0.6"},
      {"alfa", 3.9815, 0.6, "0.6"},
      {"alfa", 3.9817, NAN, nullptr},
      {"alfa", 3.98, NAN, nullptr},
      {"alfa", 2.5, NAN, nullptr},
      {"alfa", 1.0001, NAN, nullptr},
      {"alfa", 1.0, 1.0, nullptr},
      {"alfa", 0.45, 0.45, nullptr},
      {"alfa", -0.1, NAN, nullptr},
      {"betaprey", 1.2, NAN, nullptr},
      {"betadet", -0.01, NAN, nullptr},
      {"biotr_rnd", 1.5, NAN, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.name) + " = " + std::to_string(c.value));
    std::vector<engine::Constant> cs = DefaultConstantList();
    for (auto& k : cs)
      if (k.name == c.name) k.raw = k.value = c.value;
    engine::Report rep;
    try {
      const auto m = engine::InterpretConstants(cs, "pirsel.inp", &rep);
      ASSERT_FALSE(std::isnan(c.used)) << "accepted";
      if (std::string(c.name) == "alfa") {
        EXPECT_DOUBLE_EQ(m.alfa, c.used);
      }
      std::string said;
      for (const auto& w : rep.warnings)
        if (w.find("alfa") != std::string::npos) said = w;
      EXPECT_EQ(said.empty(), c.warning == nullptr) << said;
      if (c.warning) {
        EXPECT_NE(said.find(c.warning), std::string::npos) << said;
      }
    } catch (const engine::EngineError& e) {
      EXPECT_TRUE(std::isnan(c.used)) << e.what();
      EXPECT_EQ(e.ExitCode(), 1);
      EXPECT_NE(std::string(e.what()).find("constant '" + std::string(c.name) + "'"), std::string::npos) << e.what();
    }
  }
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
  engine::FoodChainExposure e{1e-5, 2.0, 1.5, 12, 8, 30e-6, 0.05, 0.03};
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


// A compound of low Kow is taken up and lost mainly through the gills, so every animal sits at
// equilibrium partitioning with the freely dissolved water concentration.
TEST_F(FoodChain, LowKowAnimalsSitAtEquilibriumPartitioning) {
  for (double logkow : {1.0, 2.0}) {
    p = engine::MakeFoodChainParams(logkow, 0.6, 0.045, 0.5, 0.35, {0, 0, 0, 0, 0}, {10, 100, 100, 500, 50});
    const double kow = std::pow(10, logkow);
    e.suspended = 0.35 * kow * e.suspendedCarbon * e.freelyDissolved;
    e.sediment = 0.35 * kow * e.sedimentCarbon * e.freelyDissolved;
    const double kbw = 0.045 * kow + 0.035 * 0.2 * kow + (1 - 0.045 - 0.2);
    const auto r = engine::ComputeFoodChain(p, e);
    for (int j = 0; j < 5; ++j) EXPECT_NEAR(r.organisms[j] / (kbw * e.freelyDissolved), 1.0, 0.01) << logkow << " " << j;
  }
}

// At high Kow without biotransformation or growth, an animal fed by its diet alone tends to the ratio of
// what the gut absorbs to what the faeces carry back, 1/(g K_GB): for an animal diet
// g K_GB = ((1 - eL) lip Kow + 0.035 (1 - eN) 0.2 Kow + (1 - eW) water) / K_BW.
TEST_F(FoodChain, HighKowBiomagnificationTendsToTheGutBalanceLimit) {
  const double lip = 0.045, logkow = 10;
  p = engine::MakeFoodChainParams(logkow, 0.6, lip, 0.5, 0.35, {0, 0, 0, 0, 0}, {10, 100, 100, 500, 50});
  p.growthOverride = 0;
  e.freelyDissolved = 0;  // only the diet (detritus, sediment upwards) feeds the animals
  const double kow = std::pow(10, logkow), water = 1 - lip - 0.2;
  const double kbw = lip * kow + 0.035 * 0.2 * kow + water;
  auto limit = [&](double eL, double eN) {
    return kbw / ((1 - eL) * lip * kow + 0.035 * (1 - eN) * 0.2 * kow + 0.75 * water);
  };
  const auto r = engine::ComputeFoodChain(p, e);
  EXPECT_NEAR(r.organisms[2] / r.organisms[1], limit(0.92, 0.60), 1e-3 * limit(0.92, 0.60));  // round fish
  EXPECT_NEAR(r.organisms[1] / r.organisms[0], limit(0.75, 0.75), 1e-3 * limit(0.75, 0.75));  // on zooplankton
  EXPECT_NEAR(r.organisms[4] / (0.5 * r.organisms[1] + 0.5 * r.organisms[3]), limit(0.92, 0.60),
              1e-3 * limit(0.92, 0.60));  // dab
  EXPECT_GT(limit(0.92, 0.60), 4.0);  // beyond the cap a fixed egestion share would impose
}

// Whatever the Kow, the weights and the biotransformation, an animal holds no more than its gill
// uptake could build against gill loss plus its dietary uptake against faecal loss.
TEST_F(FoodChain, NoAnimalExceedsWhatItsUptakesAllow) {
  for (double logkow : {1.0, 3.0, 5.0, 6.5, 8.0, 10.0})
    for (double b : {0.0, 0.3}) {
      p = engine::MakeFoodChainParams(logkow, 0.45, 0.08, 0.7, 0.3, {b, b, b, b, b}, {5, 300, 500, 200, 80});
      const auto r = engine::ComputeFoodChain(p, e);
      const engine::FoodComposition animal{0.08, 0.2, 0, 0.72};
      const engine::DietItem sec[] = {{1.0, 0.7, r.organisms[0], animal}};
      const engine::AnimalRates a = engine::AnimalUptake(p, p.species[1], e, sec, 1);
      EXPECT_DOUBLE_EQ(a.concentration, r.organisms[1]);
      EXPECT_GT(a.kG, 0);
      EXPECT_LE(a.concentration, a.k1 * e.freelyDissolved / a.k2 + a.dietaryUptake / a.kE) << logkow << " " << b;
      for (double c : r.organisms) EXPECT_TRUE(std::isfinite(c) && c >= 0) << logkow;
    }
}

// Cells worked out apart from the engine from the published food-web equations (lindane,
// benzo[a]pyrene with its delivered biotransformation factors, PCB-153), with the delivered
// efficiencies, lipid 0.045 and weights 10 ug, 100 mg, 100 g, 500 mg, 50 g; phytoplankton first,
// then zooplankton, secondary consumers, round fish, Tellina, dab (mg/kg wet weight).
TEST(FoodChainCells, AgreeWithTheHandCalculation) {
  struct Cell {
    const char* name;
    double logkow, alfa, prey;
    std::array<double, 5> b;
    double cfd, susp, sed, oxygen, ss, focSusp, focSed;
    double phyto;
    std::array<double, 5> c;
  } cells[] = {
      {"lindane fresh", 3.72, 0.6, 0.5, {0, 0, 0, 0, 0}, 2e-6, 0.00010715193052376059, 6.8577235535206781e-05, 7.9,
       50, 0.05, 0.04, 2.8936881160e-04,
       {5.4875885707e-04, 5.5091354788e-04, 5.6442755236e-04, 5.4846868459e-04, 5.6216769078e-04}},
      {"lindane saline", 3.72, 0.6, 0.5, {0, 0, 0, 0, 0}, 5e-7, 1.6072789578564086e-05, 8.5721544419008476e-06, 8.6,
       20, 0.03, 0.02, 7.2342202901e-05,
       {1.3695660369e-04, 1.3780565643e-04, 1.4148689502e-04, 1.3689988349e-04, 1.4086691823e-04}},
      {"benzo[a]pyrene fresh", 6.13, 0.6, 0.5, {0, 0.5, 0.9, 0, 0.9}, 2e-6, 0.083176377110267083,
       0.053232881350570936, 7.9, 50, 0.05, 0.04, 6.2815263102e-02,
       {2.4567373340e-01, 2.1534269195e-01, 9.0575668636e-02, 2.1150171280e-01, 8.5107352327e-02}},
      {"benzo[a]pyrene saline", 6.13, 0.6, 0.5, {0, 0.5, 0.9, 0, 0.9}, 5e-7, 0.012476456566540062,
       0.006654110168821367, 8.6, 20, 0.03, 0.02, 1.5703815776e-02,
       {4.4306077580e-02, 4.2993638929e-02, 1.8903039110e-02, 3.9217175973e-02, 1.7259361426e-02}},
      {"PCB-153 fresh", 6.92, 0.27542, 0.65, {0, 0, 0, 0, 0}, 2e-6, 0.051286138399136483, 0.03282312857544735, 7.9,
       50, 0.05, 0.04, 2.1773763433e-01,
       {1.2839877828e+00, 4.3323571203e+00, 2.9256503243e+01, 1.0810865710e+00, 1.8104389069e+01}},
      {"PCB-153 saline", 6.92, 0.27542, 0.65, {0, 0, 0, 0, 0}, 5e-7, 0.007692920759870471, 0.0041028910719309187,
       8.6, 20, 0.03, 0.02, 5.4434408583e-02,
       {2.9625298604e-01, 1.0061139553e+00, 6.8170019451e+00, 2.0612595976e-01, 4.0698320090e+00}},
  };
  for (const Cell& c : cells) {
    SCOPED_TRACE(c.name);
    const auto p = engine::MakeFoodChainParams(c.logkow, c.alfa, 0.045, c.prey, 0.35, c.b, {10, 100, 100, 500, 50});
    const engine::FoodChainExposure e{c.cfd, c.susp, c.sed, 12, c.oxygen, c.ss * 1e-6, c.focSusp, c.focSed};
    const auto r = engine::ComputeFoodChain(p, e);
    EXPECT_NEAR(r.phytoplankton, c.phyto, 1e-9 * c.phyto);
    for (int j = 0; j < 5; ++j) EXPECT_NEAR(r.organisms[j], c.c[j], 1e-9 * c.c[j]) << j;
  }
}

}  // namespace
