// The fixed schematisation of the current estuary, computed in memory: grid lines, segment table,
// segment volumes and surfaces and the 963 exchanges. The grid files are written from it.
#pragma once
#include <array>
#include <cstdint>

#include "modelrun/modTulmo.h"

namespace modTulmo {

struct GridExchange {
  int32_t from = 0, to = 0, fromMinus1 = 0, toPlus1 = 0;  // segments; boundaries below zero; 0 none
  double D = 0;                                           // dispersion, m2/s
  float A = 0;                                            // area, m2
  float F = 0;                                            // flow, m3/s (positive from `from` to `to`)
  float L1 = 0, L2 = 0;                                   // face to the centres of from and to, m
};

// Indices count from 1 as the grid does: X[n][m], Y[n][m] for grid lines n = 1..52, m = 1..12;
// LGA[m][n]; V[s], S[s] for segments 1..501; Q[k] for exchanges 1..963. Index 0 is unused.
struct GridLayout {
  double dx = 0;  // cell length along the estuary, m
  std::array<std::array<float, GridCellsAcross + 1>, GridCellsAlong + 1> X{}, Y{};
  std::array<std::array<int32_t, GridCellsAlong + 1>, GridCellsAcross + 1> LGA{};
  std::array<float, GridSegments + 1> V{}, S{};
  std::array<GridExchange, GridExchanges + 1> Q{};
};

// Boundaries: the river at the head and the sea south, west and north of the marine box.
constexpr int32_t kRiverBoundary = -1, kSeaSouth = -2, kSeaWest = -3, kSeaNorth = -4;

// Computes the layout from CurrentEstuary (its marine area and flow included, which CreateGrid
// sets first), GridParameters and DispersionCalc. Raises on a run-time error (a Single overflow).
GridLayout ComputeGridLayout();

// The two text files of the layout: the exchange table "test.tab" that the engine input names,
// and the outline "test.bna", one closed polygon per estuary cell. Raise on a write error or a
// number that does not fit its field.
void WriteExchangeTable(const GridLayout& grid);
void WriteOutline(const GridLayout& grid);

}  // namespace modTulmo
