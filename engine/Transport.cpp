// Every balance is assembled in flux form, so the budgets close to round-off whatever the water
// balance. One factorisation serves salinity, another (with the losses) the compound and
// Retention together.
#include "engine/Transport.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "engine/Budget.h"
#include "engine/Messages.h"
#include "engine/Text.h"

namespace engine {

namespace {

void CheckSigns(const SparseMatrix& m) {
  for (int i = 0; i < m.Size(); ++i) {
    for (const auto& e : m.Row(i)) {
      const bool ok = e.first == i ? e.second > 0 : e.second <= 0;
      if (!ok || !std::isfinite(e.second)) Fail("", Msg::MatrixSign, i + 1);
    }
  }
}

std::vector<double> BoundaryRhs(const Problem& p, const Transport& t, int sys) {
  std::vector<double> rhs(p.noseg, 0.0);
  for (const BoundaryTerm& b : t.boundary) rhs[b.segment] += b.coef * p.boundaryValues[b.boundary][sys];
  return rhs;
}

void AddLoads(const Problem& p, int sys, std::vector<double>& rhs) {
  for (const WasteLoad& w : p.loads) rhs[w.segment - 1] += w.values[sys];
}

std::vector<double> SolveChecked(BandedSolver& s, const std::vector<double>& rhs, const char* what) {
  std::vector<double> x = s.Solve(rhs);
  for (size_t i = 0; i < x.size(); ++i)
    if (!std::isfinite(x[i])) Fail("", Msg::NotFinite, std::string("the ") + what + " of segment " + std::to_string(i + 1), Num(x[i]));
  if (!(s.Stats().residual <= 1e-10)) Fail("", Msg::Residual, what, Num(s.Stats().residual));
  return x;
}

// The scheme keeps every value within what its boundaries and sources allow (never below zero,
// salinity within the boundary range). Beyond that by kClosureWarn of the quantity's scale is
// worth a note: a low-flow head beside marine conductances of 1E4 m3/s leaves errors of 1E-6 of
// the range that no sound solve removes. Only beyond kClosureFail has the scheme failed.
void ClampToRange(std::vector<double>& x, double lo, double hi, double scale, const char* what, Report& report,
                  Msg failure) {
  double worst = 0;
  size_t at = 0;
  for (size_t i = 0; i < x.size(); ++i) {
    const double off = x[i] < lo ? lo - x[i] : (x[i] > hi ? x[i] - hi : 0.0);
    if (off == 0) continue;
    if (off > kClosureFail * scale) {
      if (failure == Msg::Negative) Fail("", failure, std::string("the ") + what, i + 1, Num(x[i]));
      Fail("", failure, Num(x[i]), i + 1, Num(lo), Num(hi));
    }
    if (off > worst) worst = off, at = i;
    x[i] = std::clamp(x[i], lo, hi);
  }
  if (worst > kClosureWarn * scale)
    report.Warn("The " + std::string(what) + " of segment " + std::to_string(at + 1) + " lay " + Num(worst) +
                (std::isfinite(hi) ? " outside the boundary range " + Num(lo) + " .. " + Num(hi) : std::string(" below 0")) +
                " (round-off); values outside are taken at the limit.");
}

void ClampNonNegative(std::vector<double>& x, const char* what, Report& report) {
  double mx = 0;
  for (double v : x) mx = std::max(mx, std::fabs(v));
  ClampToRange(x, 0.0, INFINITY, mx, what, report, Msg::Negative);
}

}  // namespace

FluxCoefficients ExchangeFlux(const Exchange& e) {
  const double F = e.F;
  const double K = e.D * e.A / (e.L1 + e.L2);
  FluxCoefficients f;
  if (e.from < 0 || e.to < 0) {
    // Upwind at open boundaries: inflow carries the boundary value, outflow the segment's. The
    // river enters as a flux (its advective load only): dispersing against the river value would
    // let a compound lost inside draw extra mass in across the tidal limit. The sea keeps its
    // dispersive exchange.
    const bool river = e.from == kRiverBoundary || e.to == kRiverBoundary;
    const double Kb = river ? 0.0 : K;
    f.alpha = std::max(F, 0.0) + Kb;
    f.beta = std::min(F, 0.0) - Kb;
    return f;
  }
  const double thetaFrom = e.L2 / (e.L1 + e.L2);  // central: the nearer centre weighs more
  const double thetaTo = e.L1 / (e.L1 + e.L2);
  if (F > 0) {
    // Downstream weight limited to K/F, so the off-diagonal never turns positive.
    f.beta = std::min(F * thetaTo - K, 0.0);
    f.alpha = F - f.beta;
  } else if (F < 0) {
    f.alpha = std::max(F * thetaFrom + K, 0.0);
    f.beta = F - f.alpha;
  } else {
    f.alpha = K;
    f.beta = -K;
  }
  return f;
}

Transport AssembleTransport(const Problem& p) {
  Transport t(p.noseg);
  t.flux.reserve(p.exchanges.size());
  for (const Exchange& e : p.exchanges) {
    const FluxCoefficients f = ExchangeFlux(e);
    t.flux.push_back(f);
    const int a = e.from, b = e.to;
    // Row of a: +J; row of b: -J.
    if (a > 0 && b > 0) {
      t.matrix.Add(a - 1, a - 1, f.alpha);
      t.matrix.Add(a - 1, b - 1, f.beta);
      t.matrix.Add(b - 1, a - 1, -f.alpha);
      t.matrix.Add(b - 1, b - 1, -f.beta);
    } else if (a < 0) {
      t.matrix.Add(b - 1, b - 1, -f.beta);
      t.boundary.push_back({b - 1, -a - 1, f.alpha});
    } else {
      t.matrix.Add(a - 1, a - 1, f.alpha);
      t.boundary.push_back({a - 1, -b - 1, -f.beta});
    }
  }
  CheckSigns(t.matrix);
  return t;
}

void FactorTransport(BandedSolver& solver, const SparseMatrix& matrix, const char* system) {
  if (solver.Factor(matrix)) return;
  if (solver.TooWide()) Fail("", Msg::TooWide, system, matrix.Size(), solver.Stats().bandwidth);
  Fail("", Msg::Singular, system, solver.ZeroPivot() + 1);
}

SalinitySolution SolveSalinity(const Problem& p, const Transport& t, BandedSolver& solver, Report& report) {
  const int iS = p.role[kSalinity];
  SalinitySolution s;
  s.salinity = SolveChecked(solver, BoundaryRhs(p, t, iS), "salinity");
  s.stats = solver.Stats();
  double lo = INFINITY, hi = -INFINITY;
  for (const auto& b : p.boundaryValues) lo = std::min(lo, b[iS]), hi = std::max(hi, b[iS]);
  const double scale = std::max(hi - lo, std::max(std::fabs(hi), 1.0));
  ClampToRange(s.salinity, lo, hi, scale, "salinity", report, Msg::SalinityRange);
  return s;
}

void AddLosses(Transport& t, const std::vector<double>& lambda) {
  for (size_t i = 0; i < lambda.size(); ++i) t.matrix.Add(static_cast<int>(i), static_cast<int>(i), lambda[i]);
}

CompoundSolution SolveCompound(const Problem& p, const Transport& t, BandedSolver& solver,
                               const std::vector<double>& sources, Report& report) {
  const int iC = p.role[kCompound], iR = p.role[kRetention];
  CompoundSolution s;
  std::vector<double> rhs = BoundaryRhs(p, t, iC);
  AddLoads(p, iC, rhs);
  for (int i = 0; i < p.noseg; ++i) rhs[i] += sources[i];
  s.compound = SolveChecked(solver, rhs, "compound");
  // Retention meets the compound's losses but none of its area sources.
  rhs = BoundaryRhs(p, t, iR);
  AddLoads(p, iR, rhs);
  s.retention = SolveChecked(solver, rhs, "Retention");
  s.stats = solver.Stats();
  ClampNonNegative(s.compound, "compound", report);
  ClampNonNegative(s.retention, "Retention", report);
  return s;
}

double FluxOf(const Problem& p, const Exchange& e, const FluxCoefficients& f, const std::vector<double>& c, int sys) {
  const double ca = e.from > 0 ? c[e.from - 1] : p.boundaryValues[-e.from - 1][sys];
  const double cb = e.to > 0 ? c[e.to - 1] : p.boundaryValues[-e.to - 1][sys];
  return f.alpha * ca + f.beta * cb;
}

}  // namespace engine
