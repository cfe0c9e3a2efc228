// The checked problem that step 1 hands to step 2 through the work file: geometry, exchanges,
// boundary values, loads and constants, all scaled to the engine's SI units.
// Segments are numbered 1..noseg here as in the input; boundaries -1..-nobnd.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace engine {

struct Exchange {
  int from = 0;  // segment (> 0) or open boundary (< 0)
  int to = 0;
  double D = 0;  // dispersion, m2/s
  double A = 0;  // area, m2
  double F = 0;  // flow from -> to, m3/s
  double L1 = 0; // face to centre of "from", m
  double L2 = 0; // face to centre of "to", m
};

struct WasteLoad {
  int segment = 0;
  std::string name;
  std::vector<double> values;  // per substance, scaled (compound g/s)
};

struct Constant {
  std::string name;   // trimmed as written
  double raw = 0;     // as written
  double scale = 1;   // its scale factor
  double value = 0;   // raw * scale
  int line = 0;       // where its value stands in the input (0 when unknown)
  int col = 0;
};

enum SubstanceRole { kSalinity = 0, kCompound = 1, kRetention = 2 };

struct Problem {
  std::array<std::string, 4> titles;
  std::vector<std::string> substances;  // in input order
  std::array<int, 3> role{};            // index of Salinity, compound, Retention in substances

  int noseg = 0;
  std::vector<double> volume;   // m3, [noseg]
  std::vector<double> surface;  // m2, [noseg], after SURF overrides

  int noq1 = 0, noq2 = 0, noq3 = 0;
  std::vector<Exchange> exchanges;  // scaled and water-balance repaired

  int nobnd = 0;
  std::vector<std::string> boundaryNames;
  std::vector<std::vector<double>> boundaryValues;  // [nobnd][nosys], g/m3 (salinity psu)

  std::vector<WasteLoad> loads;

  std::vector<int> estuary;  // the map's cells, in area order
  int marine = 0;

  std::vector<Constant> constants;
  int parameterCount = 0;
  int warnings = 0;

  int Nosys() const { return static_cast<int>(substances.size()); }
};

}  // namespace engine
