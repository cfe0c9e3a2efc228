// Each term is summed in the order of its segments or exchanges, so the listing's figures do not
// depend on how the terms are grouped.
#include "engine/Budget.h"

#include <algorithm>
#include <cmath>

#include "engine/Messages.h"
#include "engine/Text.h"

namespace engine {

double Budget::RelativeImbalance() const {
  const double in = In(), out = Out();
  // The terms themselves count too where losses or loads outweigh every exchange.
  const double scale = std::max({gross, in, out});
  return scale > 0 ? std::fabs(in - out) / scale : 0.0;
}

void CheckClosure(const std::string& what, double in, double out, double relative, Report& report) {
  if (!(relative <= kClosureFail)) Fail("", Msg::Closure, what, Num(in), Num(out), Num(relative));
  if (relative > kClosureWarn)
    report.Warn("The " + what + " budget closes to " + Num(relative) + " of its gross exchange only (in " + Num(in) +
                " g/s, out " + Num(out) + " g/s).");
}

Budgets ComputeBudgets(const Problem& p, const ModelConstants& m, const std::vector<FluxCoefficients>& flux,
                       const SegmentProcesses& processes, const std::vector<double>& compound,
                       const std::vector<double>& retention, Report& report) {
  const int n = p.noseg;
  const int iC = p.role[kCompound], iR = p.role[kRetention];
  const bool organic = m.istype == kOrganic;
  const std::vector<char>& inEstuary = processes.inEstuary;
  Budgets r;
  Budget& dom = r.domain;
  for (int i = 0; i < n; ++i) {
    dom.background += processes.release[i];
    dom.deposition += processes.deposition[i];
    if (inEstuary[i]) r.estuary.background += processes.release[i], r.estuary.deposition += processes.deposition[i];
  }
  for (const WasteLoad& w : p.loads) {
    dom.loads += w.values[iC];
    if (inEstuary[w.segment - 1]) r.estuary.loads += w.values[iC];
  }
  // Retention: G enters the estuary, L is removed inside it, X leaves it to the rest of the domain.
  double G = 0, L = 0, X = 0;
  for (const WasteLoad& w : p.loads)
    if (inEstuary[w.segment - 1]) G += w.values[iR];
  for (size_t k = 0; k < p.exchanges.size(); ++k) {
    const Exchange& e = p.exchanges[k];
    const double J = FluxOf(p, e, flux[k], compound, iC);
    const double JR = FluxOf(p, e, flux[k], retention, iR);
    dom.gross += std::fabs(J);
    if (e.from < 0 || e.to < 0) {
      const double into = e.from < 0 ? J : -J;
      (into >= 0 ? dom.boundaryIn : dom.boundaryOut) += std::fabs(into);
    }
    const bool fromE = e.from > 0 && inEstuary[e.from - 1];
    const bool toE = e.to > 0 && inEstuary[e.to - 1];
    if (fromE || toE) {
      r.estuary.gross += std::fabs(J);
      r.retentionGross += std::fabs(JR);
    }
    if (fromE == toE) continue;
    const double intoE = toE ? J : -J;
    const double intoER = toE ? JR : -JR;
    const int other = toE ? e.from : e.to;
    if (other < 0) {
      (intoE >= 0 ? r.estuary.boundaryIn : r.estuary.boundaryOut) += std::fabs(intoE);
      G += intoER;
    } else {
      (intoE >= 0 ? r.estuary.fromRest : r.estuary.toRest) += std::fabs(intoE);
      X -= intoER;
    }
  }
  for (int i = 0; i < n; ++i) {
    const SegmentState& st = processes.state[i];
    const int z = st.zone - 1;
    const double c = compound[i];
    const double V = p.volume[i], A = p.surface[i];
    Budget b;
    b.degradationWater = organic ? V * m.RWM * c : 0.0;
    b.volatilisation = A * st.kVolatilisation * st.fFree * c;
    b.degradationSediment = A * SedimentDegradation(m, z) * st.bed;
    b.burial = A * BurialVelocity(m, z) * st.bed;
    for (Budget* t : {&dom, inEstuary[i] ? &r.estuary : nullptr}) {
      if (!t) continue;
      t->degradationWater += b.degradationWater;
      t->volatilisation += b.volatilisation;
      t->degradationSediment += b.degradationSediment;
      t->burial += b.burial;
    }
    if (inEstuary[i]) L += st.lambda * retention[i];
  }
  CheckClosure("compound", dom.In(), dom.Out(), dom.RelativeImbalance(), report);
  CheckClosure("estuary compound", r.estuary.In(), r.estuary.Out(), r.estuary.RelativeImbalance(), report);
  r.retentionIn = G;
  r.retentionLost = L;
  r.retentionOut = X;
  // Retention has no area sources, so G = L + X closes to round-off of its exchanges; a looser
  // figure would hide a wrong filtering capacity.
  const double rscale = std::max({r.retentionGross, std::fabs(G), std::fabs(L), std::fabs(X)});
  r.retentionImbalance = rscale > 0 ? std::fabs(G - L - X) / rscale : 0.0;
  CheckClosure("Retention", G, L + X, r.retentionImbalance, report);
  if (G > 0) {
    // When everything entering is removed, L exceeds G by round-off of its sum; a share stays
    // at most 100 %.
    r.filteringCapacity = std::min(100.0, 100.0 * L / G);
  } else {
    r.filteringCapacity = 0.0;
    report.Warn("No Retention enters the estuary from its open boundaries; the filtering capacity is set to 0.");
  }
  return r;
}

}  // namespace engine
