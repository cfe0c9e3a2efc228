// The budgets of the compound (whole domain and estuary) and of Retention, in flux form from the
// solved concentrations, their closure checks and the estuary's filtering capacity.
#pragma once

#include <string>
#include <vector>

#include "engine/Constants.h"
#include "engine/Problem.h"
#include "engine/Processes.h"
#include "engine/Report.h"
#include "engine/Transport.h"

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

struct Budgets {
  Budget domain, estuary;
  double retentionIn = 0, retentionLost = 0, retentionOut = 0;  // G, L, X in g/s
  double retentionGross = 0;      // sum of |J| of Retention over the estuary's exchanges
  double retentionImbalance = 0;  // |G - L - X| relative to that
  double filteringCapacity = 0;   // %
};

// All three budgets from the solution (the state's bed already set); throws when one does not
// close, warns when it closes to more than round-off only.
Budgets ComputeBudgets(const Problem& p, const ModelConstants& m, const std::vector<FluxCoefficients>& flux,
                       const SegmentProcesses& processes, const std::vector<double>& compound,
                       const std::vector<double>& retention, Report& report);

}  // namespace engine
