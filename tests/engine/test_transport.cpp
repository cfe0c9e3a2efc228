// Transport verification: exact or near-exact steady states (uniform tracer, salt flux through
// every transect, lateral invariance, conservative mixing, exponential profile, the continuous
// salt balance), the flux coefficients' sign pattern and the reordered solver.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <random>

#include "EngineCase.h"
#include "InputFile.h"
#include "SmallGrid.h"
#include "engine/Solver.h"

namespace fs = std::filesystem;
using namespace fixture;

namespace {

// Segment 1 a box at the mouth (sea boundary -2 beyond it), segments 2..cells+1 a one-lane
// channel upstream, the river (-1) at the head. Flow Q runs seaward. The head exchange has no
// dispersion unless asked; the engine takes none across the river boundary either way.
Grid Channel(int cells, double dx, double A, double D, double Q, double width, double headD = 0) {
  Grid g;
  const int n = cells + 1;
  g.V.assign(n, A * dx);
  g.S.assign(n, width * dx);
  g.ex.push_back({-2, 1, D, A, -Q, dx / 2, dx / 2});
  for (int s = 1; s < n; ++s) g.ex.push_back({s, s + 1, D, A, -Q, dx / 2, dx / 2});
  g.ex.push_back({n, -1, headD, A, -Q, dx / 2, dx / 2});
  g.noq[1] = static_cast<int>(g.ex.size());
  return g;
}

std::vector<int> Range(int a, int b) {
  std::vector<int> v(b - a + 1);
  std::iota(v.begin(), v.end(), a);
  return v;
}

struct Transport : ::testing::Test {
  TempDir dir;
  // The default scenario as the application wrote it.
  InputFile Default() { return InputFile(GoldenDir() / "pirsel.inp"); }
  Solved Run(const InputFile& in) {
    CopyGolden(dir.Path());
    in.Save(dir.Path() / "pirsel.inp");
    return Solve(dir.Path());
  }
  Solved Run(const Grid& g, const InputFile& in) {
    WriteGridFiles(dir.Path(), g);
    in.Save(dir.Path() / "pirsel.inp");
    return Solve(dir.Path());
  }
  static void NoLoads(InputFile& in) {
    for (int k = 1; k <= in.LoadCount(); ++k) in.SetLoad(k, 0);
  }
};

TEST_F(Transport, UniformBoundariesGiveAUniformStateEvenAfterTheWaterBalanceRepair) {
  // The default grid's five-digit table leaves the marine box off balance.
  InputFile in = Default();
  in.NoProcesses();
  NoLoads(in);
  for (int b = 1; b <= 4; ++b) in.SetBoundaryValues(b, 30, 20, 5);
  const Solved s = Run(in);
  ASSERT_EQ(s.code, 0) << s.err;
  EXPECT_NE(ReadFile(dir.Path() / "pirsel.lst").find("Water balance: segment 1 off by"), std::string::npos);
  for (int i = 0; i < 501; ++i) {
    EXPECT_NEAR(s.result.salinity[i], 30, 30 * 1e-12) << i;
    EXPECT_NEAR(s.result.compound[i], 0.02, 0.02 * 1e-12) << i;
    EXPECT_NEAR(s.result.retention[i], 5, 5 * 1e-12) << i;
  }
}

TEST_F(Transport, SaltFluxIsTheSameThroughEveryTransectAndLateralProfilesAreFlat) {
  InputFile in = Default();
  NoLoads(in);
  in.SetBoundaryCompound(1, 0.05);  // a compound to follow across the transects (ug/l)
  for (int b = 2; b <= 4; ++b) in.SetBoundaryCompound(b, 0.001);
  const Solved s = Run(in);
  ASSERT_EQ(s.code, 0) << s.err;
  const auto& p = s.problem;
  const double Q = RiverFlow(p), seaSalinity = p.boundaryValues[1][0];
  ASSERT_GT(Q, 0);
  const double scale = Q * seaSalinity;
  double head = 0;
  std::vector<double> flux(53, 0.0);
  for (int n = 2; n <= 52; ++n)
    for (int m = 2; m <= 11; ++m) {
      const int k = 452 + (n - 2) * 10 + (m - 1) - 1;
      const engine::Exchange& x = p.exchanges[k];
      const auto f = engine::ExchangeFlux(x);
      const double ca = x.from > 0 ? s.result.salinity[x.from - 1] : p.boundaryValues[-x.from - 1][0];
      const double cb = x.to > 0 ? s.result.salinity[x.to - 1] : p.boundaryValues[-x.to - 1][0];
      flux[n] += f.alpha * ca + f.beta * cb;
    }
  head = flux[52];
  for (int n = 2; n <= 52; ++n) EXPECT_NEAR(flux[n], head, 1e-9 * scale) << "transect face " << n;
  // The head is fresh, so the flux is the river's salt: -Q * S_river.
  EXPECT_NEAR(head, -Q * 1.0, 1e-6 * scale);
  for (int t = 0; t < 50; ++t)
    for (int c = 1; c < 10; ++c) {
      const int a = 2 + 10 * t, b = a + c;
      EXPECT_NEAR(s.result.salinity[b - 1], s.result.salinity[a - 1], 1e-12 * seaSalinity);
      EXPECT_NEAR(s.result.compound[b - 1], s.result.compound[a - 1], 1e-12 * s.result.compound[a - 1]);
    }
}

TEST_F(Transport, WithoutProcessesTheCompoundFollowsTheMixingLine) {
  InputFile in = Default();
  in.NoProcesses();
  NoLoads(in);
  in.SetBoundaryCompound(1, 0.05);  // ug/l
  for (int b = 2; b <= 4; ++b) in.SetBoundaryCompound(b, 0.001);
  const Solved s = Run(in);
  ASSERT_EQ(s.code, 0) << s.err;
  const double Sr = 1, Ss = s.problem.boundaryValues[1][0], cr = 0.05e-3, cs = 0.001e-3;
  for (int i = 0; i < 501; ++i) {
    const double f = (s.result.salinity[i] - Sr) / (Ss - Sr);
    EXPECT_NEAR(s.result.compound[i], cr + (cs - cr) * f, 1e-9 * cr) << i;
    EXPECT_NEAR(s.result.retention[i], 1000 + (0 - 1000) * f, 1e-9 * 1000) << i;
  }
  EXPECT_EQ(s.result.filteringCapacity, 0.0);
}

TEST_F(Transport, UniformChannelGivesTheExponentialSaltProfile) {
  const int cells = 40;
  const double dx = 100, A = 100, D = 20, Q = 1;  // cell Peclet u dx / D = 0.05
  const Grid g = Channel(cells, dx, A, D, Q, 10);
  InputFile in = SmallGridInput(g, Range(2, cells + 1), 1, {{0, 0, 0}, {30, 0, 0}});
  in.NoProcesses();
  const Solved s = Run(g, in);
  ASSERT_EQ(s.code, 0) << s.err;
  const double u = Q / A;
  const double S1 = s.result.salinity[1];
  for (int j = 1; j <= cells; ++j) {
    const double x = (j - 1) * dx;
    const double expected = S1 * std::exp(-u * x / D);
    EXPECT_NEAR(s.result.salinity[j], expected, 1e-3 * expected) << "cell " << j;
  }
}

// Steady u c' = D c'' - k c downstream of the head face (xi = 0) under the flux condition
// u c - D c' = u c_r there, and c = c_m at xi_m: c = a e^(r+ xi) + b e^(r- xi).
struct FluxHeadProfile {
  double a = 0, b = 0, rp = 0, rm = 0;
  FluxHeadProfile(double u, double D, double k, double cr, double xim, double cm) {
    const double s = std::sqrt(u * u + 4 * k * D);
    rp = (u + s) / (2 * D);
    rm = (u - s) / (2 * D);
    // a (u - D r+) + b (u - D r-) = u c_r;  a e^(r+ xi_m) + b e^(r- xi_m) = c_m
    const double a11 = u - D * rp, a12 = u - D * rm, a21 = std::exp(rp * xim), a22 = std::exp(rm * xim);
    const double det = a11 * a22 - a12 * a21;
    a = (u * cr * a22 - a12 * cm) / det;
    b = (a11 * cm - a21 * u * cr) / det;
  }
  double operator()(double xi) const { return a * std::exp(rp * xi) + b * std::exp(rm * xi); }
};

// The head exchange carries the table's dispersion, as the grid writer gives it; the river must
// still bring in its advective load only.
TEST_F(Transport, UniformChannelFollowsTheFluxHeadSolutionForATracerAndWithDecay) {
  const int cells = 40;
  const double dx = 100, A = 100, D = 20, Q = 1;  // cell Peclet u dx / D = 0.05; u L / D = 2
  const double u = Q / A, cr = 0.05e-3, Sr = 2, Ss = 30;
  const Grid g = Channel(cells, dx, A, D, Q, 10, D);
  for (const char* rwm : {"0.00E0", "1.00E-1", "1.00E0"}) {  // per day
    SCOPED_TRACE(std::string("RWM ") + rwm);
    InputFile in = SmallGridInput(g, Range(2, cells + 1), 1, {{Sr, cr * 1e3, 1000}, {Ss, 0, 0}});
    in.NoProcesses();
    in.SetConstant("RWM", rwm);
    const Solved s = Run(g, in);
    ASSERT_EQ(s.code, 0) << s.err;
    const double k = s.result.constants.RWM;
    // Segment i's centre lies (cells - i + 1.5) dx below the head face; cell 1 fixes the mouth.
    auto xi = [&](int i) { return (cells + 1 - i + 0.5) * dx; };
    const FluxHeadProfile salt(u, D, 0, Sr, xi(1), s.result.salinity[0]);
    const FluxHeadProfile comp(u, D, k, cr, xi(1), s.result.compound[0]);
    double lo = INFINITY, hi = -INFINITY;
    for (int i = 1; i <= cells + 1; ++i) lo = std::min(lo, comp(xi(i))), hi = std::max(hi, comp(xi(i)));
    lo = std::min(lo, cr), hi = std::max(hi, cr);
    for (int i = 2; i <= cells + 1; ++i) {
      EXPECT_NEAR(s.result.salinity[i - 1], salt(xi(i)), 0.01 * (Ss - Sr)) << "segment " << i;
      EXPECT_NEAR(s.result.compound[i - 1], comp(xi(i)), 0.01 * (hi - lo)) << "segment " << i;
    }
    // The sea carries no compound, so all that enters over the open boundaries is the river's
    // load; Retention likewise.
    EXPECT_NEAR(s.result.domain.boundaryIn, Q * cr, 1e-9 * Q * cr);
    EXPECT_NEAR(s.result.retentionIn, Q * 1000, 1e-9 * Q * 1000);
  }
}

TEST_F(Transport, DefaultGridSalinityFollowsTheContinuousSaltBalance) {
  // Q (S - S_r) = -A(x) D(x) dS/dx, integrated upstream from the first transect with the areas
  // and dispersions the grid writes; compared where the physical dispersion dominates.
  InputFile in = Default();
  NoLoads(in);
  const Solved s = Run(in);
  ASSERT_EQ(s.code, 0) << s.err;
  // Face n (into column n) lies at (n - 2) dx; AD per lane, Dmin per lane.
  const auto& ex = s.problem.exchanges;
  const double dx = ex[452].L1 + ex[452].L2;
  std::vector<double> xf, ad, dmin, dd;
  for (int n = 2; n <= 52; ++n) {
    const engine::Exchange& x = ex[452 + (n - 2) * 10];
    ASSERT_EQ(x.to, n == 52 ? -1 : 2 + 10 * (n - 2)) << "face " << n;
    xf.push_back((n - 2) * dx);
    ad.push_back(10 * x.A * x.D);
    dd.push_back(x.D);
    dmin.push_back(std::fabs(x.F) * dx / (2 * x.A));
  }
  auto interp = [&](const std::vector<double>& v, double x) {
    const double t = std::clamp(x / dx, 0.0, 49.999);
    const int i = static_cast<int>(t);
    return v[i] + (v[i + 1] - v[i]) * (t - i);
  };
  const double Q = RiverFlow(s.problem), Sr = 1.0;
  auto rhs = [&](double x, double S) { return -Q * (S - Sr) / interp(ad, x); };
  double x = dx / 2, S = s.result.salinity[1];
  const double range = s.problem.boundaryValues[1][0] - Sr;
  int compared = 0;
  for (int t = 1; t < 50; ++t) {
    const double target = (t + 0.5) * dx;
    const int steps = 50;
    const double h = (target - x) / steps;
    for (int i = 0; i < steps; ++i) {
      const double k1 = rhs(x, S), k2 = rhs(x + h / 2, S + h / 2 * k1), k3 = rhs(x + h / 2, S + h / 2 * k2),
                   k4 = rhs(x + h, S + h * k3);
      S += h / 6 * (k1 + 2 * k2 + 2 * k3 + k4);
      x += h;
    }
    if (interp(dd, x) > 10 * interp(dmin, x)) {
      EXPECT_NEAR(s.result.salinity[1 + 10 * t], S, 0.01 * range) << "transect " << t;
      ++compared;
    }
  }
  EXPECT_GT(compared, 20);
}

TEST(ExchangeFlux, KeepsTheSignPatternAndConservesFlowAcrossTheLimiter) {
  struct Case {
    double D, F;
    bool boundary;
  };
  // K = D * 10 / 10 = D; central weights 1/2 each: the limiter acts where D < |F| / 2.
  const Case cases[] = {{5, 4, false}, {1, 4, false}, {2, 4, false}, {5, -4, false}, {0, -4, false},
                        {3, 0, false}, {5, 4, true},  {5, -4, true},  {0, 0, true}};
  for (const Case& c : cases) {
    engine::Exchange e{1, c.boundary ? -1 : 2, c.D, 10, c.F, 5, 5};
    const auto f = engine::ExchangeFlux(e);
    EXPECT_GE(f.alpha, 0) << c.D << " " << c.F;
    EXPECT_LE(f.beta, 0) << c.D << " " << c.F;
    EXPECT_NEAR(f.alpha + f.beta, c.F, 1e-15) << c.D << " " << c.F;
  }
  // Central where D >= |F| (L1 + L2) / (2 A): J = F (c_a + c_b) / 2 + K (c_a - c_b).
  const auto central = engine::ExchangeFlux({1, 2, 5, 10, 4, 5, 5});
  EXPECT_DOUBLE_EQ(central.alpha, 4 * 0.5 + 5);
  EXPECT_DOUBLE_EQ(central.beta, 4 * 0.5 - 5);
  // At the limit both forms agree (continuity), below it the flux is upwind.
  const auto limit = engine::ExchangeFlux({1, 2, 2, 10, 4, 5, 5});
  EXPECT_DOUBLE_EQ(limit.beta, 0.0);
  const auto below = engine::ExchangeFlux({1, 2, 1, 10, 4, 5, 5});
  EXPECT_DOUBLE_EQ(below.alpha, 4.0);
  EXPECT_DOUBLE_EQ(below.beta, 0.0);
}

TEST(ExchangeFlux, TheRiverBringsItsAdvectiveLoadOnlyWhileTheSeaDisperses) {
  // K = D A / (L1 + L2) = 5; inflow F = 4 from the boundary into segment 1.
  const auto river = engine::ExchangeFlux({-1, 1, 5, 10, 4, 5, 5});
  EXPECT_DOUBLE_EQ(river.alpha, 4.0);  // F c_river
  EXPECT_DOUBLE_EQ(river.beta, 0.0);
  const auto riverOut = engine::ExchangeFlux({1, -1, 5, 10, 0, 5, 5});
  EXPECT_DOUBLE_EQ(riverOut.alpha, 0.0);
  EXPECT_DOUBLE_EQ(riverOut.beta, 0.0);
  const auto sea = engine::ExchangeFlux({-2, 1, 5, 10, 4, 5, 5});
  EXPECT_DOUBLE_EQ(sea.alpha, 4.0 + 5);
  EXPECT_DOUBLE_EQ(sea.beta, -5.0);
}

TEST_F(Transport, TooLittleDispersionStaysWithinTheBoundaryRange) {
  // Dispersion far below the central condition: upwind limited, no over- or undershoot.
  const Grid g = Channel(20, 1000, 50, 0.01, 5, 10);
  const InputFile in = SmallGridInput(g, Range(2, 21), 1, {{0, 0.1, 1000}, {30, 0, 0}});
  const Solved s = Run(g, in);
  ASSERT_EQ(s.code, 0) << s.err;
  for (int i = 0; i < 21; ++i) {
    EXPECT_GE(s.result.salinity[i], 0.0);
    EXPECT_LE(s.result.salinity[i], 30.0);
    EXPECT_GE(s.result.compound[i], 0.0);
  }
}

TEST(BandedSolver, ScrambledNumberingIsReorderedAndGivesTheSameSolution) {
  // A tridiagonal chain whose unknowns are numbered at random: wide natural band.
  const int n = 300;
  std::vector<int> id(n);
  std::iota(id.begin(), id.end(), 0);
  std::mt19937 rng(7);
  std::shuffle(id.begin(), id.end(), rng);
  engine::SparseMatrix chain(n), scrambled(n);
  for (int i = 0; i < n; ++i) {
    const double diag = 2.5 + 0.01 * i;
    chain.Add(i, i, diag);
    scrambled.Add(id[i], id[i], diag);
    if (i + 1 < n) {
      chain.Add(i, i + 1, -1);
      chain.Add(i + 1, i, -1.2);
      scrambled.Add(id[i], id[i + 1], -1);
      scrambled.Add(id[i + 1], id[i], -1.2);
    }
  }
  std::vector<double> b(n), bs(n);
  for (int i = 0; i < n; ++i) b[i] = std::sin(i), bs[id[i]] = b[i];
  engine::BandedSolver s1, s2;
  ASSERT_TRUE(s1.Factor(chain));
  ASSERT_TRUE(s2.Factor(scrambled));
  EXPECT_FALSE(s1.Stats().reordered);
  EXPECT_TRUE(s2.Stats().reordered);
  EXPECT_LE(s2.Stats().bandwidth, 4);
  const auto x1 = s1.Solve(b), x2 = s2.Solve(bs);
  for (int i = 0; i < n; ++i) EXPECT_NEAR(x2[id[i]], x1[i], 1e-12 * (1 + std::fabs(x1[i])));
  EXPECT_LE(s2.Stats().residual, 1e-14);
}

TEST(BandedSolver, ReportsAZeroPivot) {
  engine::SparseMatrix a(3);
  a.Add(0, 0, 1);
  a.Add(1, 1, 1);
  a.Add(1, 2, 1);
  a.Add(2, 1, 1);
  a.Add(2, 2, 1);
  engine::BandedSolver s;
  EXPECT_FALSE(s.Factor(a));
  EXPECT_EQ(s.ZeroPivot(), 2);
}

// One segment joined to every other: no ordering narrows the band, and storing it would take
// gigabytes. The solver refuses it before allocating.
TEST(BandedSolver, RefusesABandTooWideToStore) {
  const int n = 8000;
  engine::SparseMatrix a(n);
  for (int i = 0; i < n; ++i) a.Add(i, i, 4.0);
  for (int i = 1; i < n; ++i) {
    a.Add(0, i, -1e-4);
    a.Add(i, 0, -1e-4);
  }
  engine::BandedSolver s;
  EXPECT_FALSE(s.Factor(a));
  EXPECT_TRUE(s.TooWide());
  EXPECT_GT(s.Stats().bandwidth, 1000);
}

}  // namespace
