// Step 2's computation: the steady state of salinity, the compound and Retention on the checked
// problem, the sediment layer, the food chain, the map values, the budgets and the invariants.
// Each stage lives in its own file (Transport, Processes, Budget, FoodChain, MapFile); RunModel
// runs them in order and gathers what the listing and the map need.
#pragma once

#include <array>
#include <vector>

#include "engine/Budget.h"
#include "engine/Constants.h"
#include "engine/MapFile.h"
#include "engine/Problem.h"
#include "engine/Processes.h"
#include "engine/Report.h"
#include "engine/Solver.h"
#include "engine/Transport.h"

namespace engine {

struct PhaseTimes {
  double assemble = 0, factor = 0, solve = 0, foodChain = 0;  // ms
};

struct ModelResult {
  ModelConstants constants;
  std::vector<double> salinity, compound, retention;  // per segment, psu and g/m3
  std::vector<SegmentState> state;
  std::vector<std::array<double, kMapQuantities>> cells;  // per estuary cell, output units
  std::array<double, 6> marine{};
  Budget domain, estuary;
  double retentionIn = 0, retentionLost = 0, retentionOut = 0;  // G, L, X in g/s
  double retentionGross = 0;      // sum of |J| of Retention over the estuary's exchanges
  double retentionImbalance = 0;  // |G - L - X| relative to that
  double filteringCapacity = 0;  // %
  SolveStats salinityStats, compoundStats;
  PhaseTimes times;
};

// Throws EngineError (exit 3) when a system is singular, a residual or budget check fails or a
// value is not finite.
ModelResult RunModel(const Problem& p, Report& report);

}  // namespace engine
