#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "modelrun/grid_layout.h"

using namespace modTulmo;

namespace {

// The estuary the grid writer sees: its record with the marine box derived, and grid parameters.
void SetUpEstuary(double estLength, int32_t option) {
  ResetModuleState();
  EstuaryRecord& e = CurrentEstuary;
  e.Widthmouth = 5000.0f;
  e.estdepth = 10;
  e.Flowriveravg = 1.0f;
  e.EstLength = estLength;
  e.DispersionOption = option;
  e.DispersionX1 = 10;
  e.DispersionX2 = 30;
  e.EnvMarineLength = 20000;
  e.EnvMarineWidth = 30000;
  e.EnvMarineDepth = 20;
  e.EnvMarineCurrent = 0.1;
  e.EnvMarineArea = e.EnvMarineDepth * e.EnvMarineWidth;
  e.EnvMarineFlow = e.EnvMarineCurrent * e.EnvMarineArea;
  GridParametersRecord& g = GridParameters;
  g.CalcConvergence = 43.3;
  g.Dispersion1 = 150;
  g.Beta = 0.5;
  g.Dtra = 0.75;
  g.Dfix0 = 100;
  g.Dfix1 = 200;
  g.Dfix2 = 300;
  DispersionCalc = 151.23456789;
}

int AlongExchange(int n, int m) { return GridExchanges1 + (n - 2) * 10 + (m - 1); }

TEST(GridLayout, SegmentTableRunsAcrossFirstThenUpstream) {
  SetUpEstuary(100, 0);
  const GridLayout grid = ComputeGridLayout();
  for (int m = 2; m <= 11; ++m) {
    EXPECT_EQ(grid.LGA[m][2], m);
    EXPECT_EQ(grid.LGA[m][51], 490 + m);
    EXPECT_EQ(grid.LGA[m][1], 1);
    EXPECT_EQ(grid.LGA[m][52], -1);
  }
  for (int n = 1; n <= 52; ++n) {
    EXPECT_EQ(grid.LGA[1][n], 0);
    EXPECT_EQ(grid.LGA[12][n], 0);
  }
}

TEST(GridLayout, MarineBoxCarriesTheSeaCurrentAndTheRiver) {
  SetUpEstuary(100, 0);
  const EstuaryRecord& e = CurrentEstuary;
  const GridLayout grid = ComputeGridLayout();
  EXPECT_EQ(grid.Q[451].F, static_cast<float>(e.EnvMarineFlow));
  EXPECT_EQ(grid.Q[452].F, static_cast<float>(1.0 + e.EnvMarineFlow));
  EXPECT_EQ(grid.Q[963].F, 0.0f);
  for (int k = 1; k <= 450; ++k) ASSERT_EQ(grid.Q[k].F, 0.0f) << k;
  // Pointers of the three marine exchanges and the first and last along exchange of a lane.
  auto ptr = [&](int k) { return std::vector<int>{grid.Q[k].from, grid.Q[k].to, grid.Q[k].fromMinus1, grid.Q[k].toPlus1}; };
  EXPECT_EQ(ptr(451), (std::vector<int>{-2, 1, 0, -4}));
  EXPECT_EQ(ptr(452), (std::vector<int>{1, -4, -2, 0}));
  EXPECT_EQ(ptr(963), (std::vector<int>{-3, 1, 0, 2}));
  EXPECT_EQ(ptr(453), (std::vector<int>{1, 2, 0, 12}));
  EXPECT_EQ(ptr(962), (std::vector<int>{501, -1, 491, 0}));
  // The marine value is the full computed dispersion with the computed option.
  for (int k : {451, 452, 963}) EXPECT_EQ(grid.Q[k].D, 151.23456789);
  EXPECT_EQ(grid.Q[451].L1, 10000.0f);
  EXPECT_EQ(grid.Q[963].L2, 15000.0f);
  EXPECT_EQ(grid.V[1], 20000.0f * 30000.0f * 20.0f);
  EXPECT_EQ(grid.S[1], 20000.0f * 30000.0f);
}

TEST(GridLayout, AlongDispersionNeverFallsBelowTheNumericalMinimum) {
  SetUpEstuary(100, 0);
  GridParameters.Beta = 50;  // the physical value turns negative a little upstream
  const GridLayout grid = ComputeGridLayout();
  int atMinimum = 0;
  for (int n = 2; n <= 52; ++n) {
    const GridExchange& q = grid.Q[AlongExchange(n, 5)];
    const double minimum = (-static_cast<double>(q.F)) * grid.dx / q.A / 2;
    ASSERT_GE(q.D, minimum) << n;
    EXPECT_EQ(q.F, -0.1f);
    if (q.D == minimum) ++atMinimum;
  }
  EXPECT_GT(atMinimum, 40);
}

TEST(GridLayout, MeasuredZoneLimitsBelongToTheMiddleZone) {
  struct Case {
    double estLength;
    int n;         // the grid line exactly on a limit
    float x;
  } cases[] = {{499.995, 2, 10000.0f}, {149.9995, 11, 30000.0f}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.x);
    SetUpEstuary(c.estLength, 1);
    const GridLayout grid = ComputeGridLayout();
    ASSERT_EQ(grid.X[c.n][1], c.x);
    EXPECT_EQ(grid.Q[AlongExchange(c.n, 2)].D, 200.0);
    EXPECT_EQ(grid.Q[AlongExchange(c.n + 1, 2)].D, c.x == 30000.0f ? 300.0 : 200.0);
    for (int k : {451, 452, 963}) EXPECT_EQ(grid.Q[k].D, 100.0);
  }
  SetUpEstuary(149.9995, 1);
  const GridLayout grid = ComputeGridLayout();
  EXPECT_LT(grid.X[4][1], 10000.0f);
  EXPECT_EQ(grid.Q[AlongExchange(4, 7)].D, 100.0);
}

TEST(GridLayout, CellsNarrowUpstreamBetweenTheBanks) {
  SetUpEstuary(100, 0);
  const GridLayout grid = ComputeGridLayout();
  EXPECT_FLOAT_EQ(grid.X[1][1], 0.1f);
  EXPECT_FLOAT_EQ(grid.X[52][7], 0.1f + 51 * 2000.0f);
  // The banks lie symmetric about the axis, B0 e^(-x/a) apart.
  for (int n : {1, 26, 52}) {
    const double width = 5000 * std::exp(-static_cast<double>(grid.X[n][1]) / 43300);
    EXPECT_NEAR(grid.Y[n][11] - grid.Y[n][1], width, 1e-3) << n;
    EXPECT_NEAR(grid.Y[n][11] + grid.Y[n][1], 5000.2, 1e-3) << n;
    EXPECT_NEAR(grid.Y[n][12] - grid.Y[n][11], width / 10, 1e-3) << n;
  }
  for (int n = 2; n <= 51; ++n) {
    EXPECT_LT(grid.S[(n - 1) * 10 + 2], grid.S[(n - 2) * 10 + 2]) << n;
    // Across exchanges: half a lane on each side, transverse dispersion, area h * dx.
    const GridExchange& q = grid.Q[(n - 2) * 9 + 1];
    EXPECT_EQ(q.D, 0.75);
    EXPECT_EQ(q.A, 20000.0f);
    EXPECT_FLOAT_EQ(q.L1 * 2 * 2000.0f, grid.S[(n - 2) * 10 + 2]);
    EXPECT_FLOAT_EQ(grid.V[(n - 2) * 10 + 2], grid.S[(n - 2) * 10 + 2] * 10);
  }
}

}  // namespace
