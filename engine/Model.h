// Step 2's computation: the steady state of salinity, the compound and Retention on the checked
// problem, the sediment layer, the food chain, the map values, the budgets and the invariants.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "engine/Constants.h"
#include "engine/Problem.h"
#include "engine/Report.h"
#include "engine/Solver.h"

namespace engine {

// A compound budget in g/s. Exchange terms with the rest of the domain are used for the
// estuary-only budget (zero for the whole domain).
struct Budget {
  double loads = 0, deposition = 0, background = 0, boundaryIn = 0, fromRest = 0;
  double boundaryOut = 0, toRest = 0, degradationWater = 0, volatilisation = 0,
         degradationSediment = 0, burial = 0;
  double In() const { return loads + deposition + background + boundaryIn + fromRest; }
  double Out() const {
    return boundaryOut + toRest + degradationWater + volatilisation + degradationSediment + burial;
  }
  // Sum of |J| over the exchanges of the budget's area: round-off scales with these fluxes, not
  // with the net input, so closure is judged against it.
  double gross = 0;
  double RelativeImbalance() const;
};

// Closure of a budget relative to its gross exchange: above kClosureWarn a warning in the
// listing, above kClosureFail (a solve gone wrong) a numerical failure.
inline constexpr double kClosureWarn = 1e-9, kClosureFail = 1e-4;
void CheckClosure(const std::string& what, double in, double out, double relative, Report& report);

// Per-segment state of the compound (SI units: g/m3, g/m3 of bed).
struct SegmentState {
  int zone = 0;                  // 1 fresh, 2 intermediate, 3 saline, 4 marine
  double fFree = 0, fDoc = 0, fPart = 0;
  double kVolatilisation = 0;    // m/s
  double gamma = 0;              // bed concentration per water concentration
  double sigma = 0;              // net sink to the bed, m/s
  double lambda = 0;             // first-order loss, m3/s
  double bed = 0;                // active bed concentration C_b
  double background = 0;         // legacy bed concentration C_bg
};

inline constexpr int kMapQuantities = 11;

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

// The open boundary at the tidal limit; the others are the sea.
inline constexpr int kRiverBoundary = -1;

// Per-exchange flux coefficients: J = alpha * c_from + beta * c_to (g/s for g/m3), with
// alpha >= 0 >= beta; limited central weights inside, upwind at open boundaries, no dispersion
// across the river boundary.
struct FluxCoefficients {
  double alpha = 0, beta = 0;
};
FluxCoefficients ExchangeFlux(const Exchange& e);

}  // namespace engine
