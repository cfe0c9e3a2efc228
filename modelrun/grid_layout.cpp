// The estuary as a straight channel of 50 by 10 cells that narrows exponentially upstream, with
// the marine box at the mouth and the river at the head. Singles wherever the grid files hold
// Singles, so what is written is what was computed.
#include "modelrun/grid_layout.h"

#include "runtime/Math.h"
#include "services/Useful.h"

namespace modTulmo {
namespace {

constexpr float kX0 = 0.1f, kY0 = 0.1f;
constexpr int32_t kLanes = GridCellsAcross - 2;

using vb::ToSingle;

}  // namespace

GridLayout ComputeGridLayout() {
  const EstuaryRecord& e = CurrentEstuary;
  const GridParametersRecord& g = GridParameters;
  GridLayout grid;

  const float B0 = e.Widthmouth;
  const float h = ToSingle(e.estdepth);
  const float Q = e.Flowriveravg;
  const float L = ToSingle(e.EstLength * 1000);
  const double dx = static_cast<double>(L) / 50;
  grid.dx = dx;
  const float a = ToSingle(g.CalcConvergence);
  const double aMetres = static_cast<double>(a) * 1000;

  // Grid lines.
  for (int n = 1; n <= GridCellsAlong; ++n) {
    const float x = ToSingle((n - 1) * dx + kX0);
    const float Bn = ToSingle(B0 * vb::Exp(vb::Div(-static_cast<double>(x), aMetres)));
    const float y1 = ToSingle((static_cast<double>(B0) - Bn) / 2 + kY0);
    for (int m = 1; m <= GridCellsAcross; ++m) {
      grid.X[n][m] = x;
      grid.Y[n][m] = m == 1 ? y1 : ToSingle((m - 1) * static_cast<double>(Bn) / kLanes + y1);
    }
  }

  // Segment table: the marine box, then the estuary across first and upstream column by column.
  for (int m = 2; m <= GridCellsAcross - 1; ++m) {
    grid.LGA[m][1] = 1;
    grid.LGA[m][GridCellsAlong] = kRiverBoundary;
    for (int n = 2; n <= GridCellsAlong - 1; ++n) grid.LGA[m][n] = (n - 2) * kLanes + m;
  }
  const auto& LGA = grid.LGA;
  const auto& Y = grid.Y;

  auto laneWidth = [&](int n) {  // width of one lane at grid line n
    return static_cast<double>(Y[n][2]) - Y[n][1];
  };
  auto cellWidth = [&](int n) { return ToSingle((laneWidth(n - 1) + laneWidth(n)) / 2); };

  // Segments.
  grid.V[1] = ToSingle(e.EnvMarineLength * e.EnvMarineWidth * e.EnvMarineDepth);
  grid.S[1] = ToSingle(e.EnvMarineLength * e.EnvMarineWidth);
  for (int n = 2; n <= GridCellsAlong - 1; ++n) {
    const float w = cellWidth(n);
    for (int m = 2; m <= GridCellsAcross - 1; ++m) {
      const int s = LGA[m][n];
      grid.S[s] = ToSingle(w * dx);
      grid.V[s] = ToSingle(w * dx * h);
    }
  }

  const double marineD = e.DispersionOption == 1 ? g.Dfix0 : DispersionCalc;

  // Across the estuary: no flow, the transverse dispersion.
  for (int n = 2; n <= GridCellsAlong - 1; ++n) {
    const float halfWidth = ToSingle(cellWidth(n) / 2.0);
    for (int m = 2; m <= GridCellsAcross - 2; ++m) {
      GridExchange& q = grid.Q[(n - 2) * (kLanes - 1) + (m - 1)];
      q = {LGA[m][n], LGA[m + 1][n], LGA[m - 1][n], LGA[m + 2][n], g.Dtra, ToSingle(h * dx), 0.0f, halfWidth, halfWidth};
    }
  }

  // Through the marine box: in from the south sea, out to the north sea with the river's water.
  const float marineHalfLength = ToSingle(e.EnvMarineLength / 2);
  const float marineArea = ToSingle(e.EnvMarineArea);
  grid.Q[451] = {kSeaSouth, 1, 0, kSeaNorth, marineD, marineArea, ToSingle(e.EnvMarineFlow), marineHalfLength,
                 marineHalfLength};
  grid.Q[452] = {1, kSeaNorth, kSeaSouth, 0, marineD, marineArea, ToSingle(Q + e.EnvMarineFlow), marineHalfLength,
                 marineHalfLength};

  // Along the estuary: the river runs seaward in ten equal lanes, so the flows are negative.
  const float halfDx = ToSingle(dx / 2);
  const float laneFlow = ToSingle(-static_cast<double>(Q) / kLanes);
  const float zone1 = ToSingle(1000.0 * e.DispersionX1);
  const float zone2 = ToSingle(1000.0 * e.DispersionX2);
  const float D1 = ToSingle(g.Dispersion1);
  const float beta = ToSingle(g.Beta);
  for (int n = 2; n <= GridCellsAlong; ++n) {
    const float x = grid.X[n][1];
    const float area = ToSingle(h * laneWidth(n - 1));
    double Dx;
    if (e.DispersionOption == 0) {
      Dx = vb::Checked(D1 * (1 - beta * (vb::Exp(vb::Div(x, aMetres)) - 1)));
    } else {
      const double zoneD = zone1 > x ? g.Dfix0 : (x > zone2 ? g.Dfix2 : g.Dfix1);
      Dx = ToSingle(zoneD);
    }
    // The numerical minimum keeps the transport scheme central.
    const double minimum = vb::Div(vb::Div(static_cast<double>(laneFlow) * -dx, area), 2);
    const double D = Useful::GiveMax(minimum, Dx);
    for (int m = 2; m <= GridCellsAcross - 1; ++m) {
      GridExchange& q = grid.Q[GridExchanges1 + (n - 2) * kLanes + (m - 1)];
      q = {LGA[m][n - 1], LGA[m][n], n > 2 ? LGA[m][n - 2] : 0, n < GridCellsAlong ? LGA[m][n + 1] : 0,
           D, area, laneFlow, halfDx, halfDx};
    }
  }

  // From the west sea into the marine box, without flow.
  const float marineHalfWidth = ToSingle(e.EnvMarineWidth / 2);
  grid.Q[963] = {kSeaWest, 1, 0, 2, marineD, ToSingle(e.EnvMarineLength * e.EnvMarineDepth), 0.0f, marineHalfWidth,
                 marineHalfWidth};
  return grid;
}

}  // namespace modTulmo
