// Hand-made grids the application cannot produce (a one-lane channel, two separate boxes), for
// comparisons with analytical solutions: their volumes, surfaces and exchange table, and the
// golden input edited to fit them.
#pragma once

#include <array>
#include <filesystem>
#include <vector>

#include "InputFile.h"

namespace fixture {

struct Exch {
  int from = 0, to = 0;
  double D = 0, A = 0, F = 0, L1 = 0, L2 = 0;
};

struct Grid {
  int noq[3] = {0, 0, 0};
  std::vector<double> V, S;  // per segment 1..noseg (written as float32)
  std::vector<Exch> ex;
  int Noseg() const { return static_cast<int>(V.size()); }
};

// test.vol, test.srf and test.tab of the grid.
void WriteGridFiles(const std::filesystem::path& dir, const Grid& g);

// The golden default input made to fit the grid: areas "estuary" and "Marine", boundaries b1..bn
// with the given values (salinity psu, compound ug/l, Retention), no loads; the constants as the
// application wrote them.
InputFile SmallGridInput(const Grid& g, const std::vector<int>& estuary, int marine,
                         const std::vector<std::array<double, 3>>& boundaries);

}  // namespace fixture
