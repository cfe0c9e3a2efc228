// Order of work: salinity (transport only) -> zones -> per-segment partitioning, volatilisation
// and sediment -> one factorisation of transport plus losses -> compound and Retention ->
// outputs, food chain, budgets. Every balance is assembled in flux form, so the budgets close
// to round-off whatever the water balance.
#include "engine/Model.h"

#include <algorithm>
#include <chrono>
#include <cmath>

#include "engine/Coefficients.h"
#include "engine/FoodChain.h"
#include "engine/Messages.h"
#include "engine/Text.h"

namespace engine {

namespace {

using Clock = std::chrono::steady_clock;
double Ms(Clock::time_point a, Clock::time_point b) {
  return std::chrono::duration<double, std::milli>(b - a).count();
}

struct BoundaryTerm {
  int segment;   // 0-based
  int boundary;  // 0-based
  double coef;   // rhs[segment] += coef * c_boundary
};

struct Transport {
  SparseMatrix matrix;
  std::vector<BoundaryTerm> boundary;
  std::vector<FluxCoefficients> flux;
  explicit Transport(int n) : matrix(n) {}
};

Transport Assemble(const Problem& p) {
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
  return t;
}

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

double FluxOf(const Problem& p, const Exchange& e, const FluxCoefficients& f, const std::vector<double>& c, int sys) {
  const double ca = e.from > 0 ? c[e.from - 1] : p.boundaryValues[-e.from - 1][sys];
  const double cb = e.to > 0 ? c[e.to - 1] : p.boundaryValues[-e.to - 1][sys];
  return f.alpha * ca + f.beta * cb;
}

}  // namespace

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

ModelResult RunModel(const Problem& p, Report& report) {
  using namespace coef;
  ModelResult r;
  const ModelConstants m = InterpretConstants(p.constants, "work file", nullptr);
  r.constants = m;
  const int n = p.noseg;
  const int iS = p.role[kSalinity], iC = p.role[kCompound], iR = p.role[kRetention];
  const bool organic = m.istype == kOrganic;
  if (static_cast<int>(p.estuary.size()) > 500) Fail("", Msg::EstuaryTooLarge, p.estuary.size());

  auto t0 = Clock::now();
  Transport tr = Assemble(p);
  CheckSigns(tr.matrix);
  auto t1 = Clock::now();
  r.times.assemble += Ms(t0, t1);

  // Salinity: transport only.
  BandedSolver salSolver;
  if (!salSolver.Factor(tr.matrix)) {
    if (salSolver.TooWide()) Fail("", Msg::TooWide, "salinity", tr.matrix.Size(), salSolver.Stats().bandwidth);
    Fail("", Msg::Singular, "salinity", salSolver.ZeroPivot() + 1);
  }
  auto t2 = Clock::now();
  r.times.factor += Ms(t1, t2);
  std::vector<double> rhs = BoundaryRhs(p, tr, iS);
  r.salinity = SolveChecked(salSolver, rhs, "salinity");
  r.salinityStats = salSolver.Stats();
  auto t3 = Clock::now();
  r.times.solve += Ms(t2, t3);
  {
    double lo = INFINITY, hi = -INFINITY;
    for (const auto& b : p.boundaryValues) lo = std::min(lo, b[iS]), hi = std::max(hi, b[iS]);
    const double scale = std::max(hi - lo, std::max(std::fabs(hi), 1.0));
    ClampToRange(r.salinity, lo, hi, scale, "salinity", report, Msg::SalinityRange);
  }

  // Zones from the computed salinity, then the per-segment processes.
  std::vector<char> inEstuary(n, 0);
  for (int s : p.estuary) inEstuary[s - 1] = 1;
  r.state.resize(n);
  const double rhoB = m.DENSED;
  const double porosity = 1.0 - rhoB / kParticleDensity;
  const double ksw = kSedimentWaterTransfer;
  const double kpoc = organic ? std::pow(10.0, m.KPOC) : 0.0;
  double kol = 0;
  if (organic && m.He > 0) {
    const double tk = m.Temp + kKelvin;
    kol = 1.0 / (1.0 / m.Kl + kGasConstant * tk / (m.He * m.Kg));
  }
  std::vector<double> srcCompound(n, 0.0);
  Budget& dom = r.domain;
  for (int i = 0; i < n; ++i) {
    SegmentState& st = r.state[i];
    const double S = r.salinity[i];
    st.zone = (i + 1 == p.marine) ? 4 : (S < kFreshBelow ? 1 : (S <= kSalineAbove ? 2 : 3));
    const int z = st.zone - 1;
    double xp, xd;
    if (organic) {
      xp = kpoc * m.POC[z] * 1e-6;
      xd = m.XDOC * kpoc * m.DOC[z] * 1e-6;
    } else {
      xp = m.Kd * m.SS[z] * 1e-3;
      xd = 0;
    }
    st.fFree = 1.0 / (1.0 + xp + xd);
    st.fDoc = xd * st.fFree;
    st.fPart = xp * st.fFree;
    st.kVolatilisation = organic ? kol : 0.0;
    const double kps = organic ? kpoc * m.FRCSED[z] * 1e-3 : m.Kd;  // m3/kg
    const double rs = porosity + rhoB * kps;
    const double v = m.Vsed;
    const double wb = v * m.SS[z] / (1000.0 * rhoB);
    const double ksz = (organic ? m.RSM : 0.0) * m.MLAAG[z];
    st.gamma = (v * st.fPart + ksw * st.fFree) / (wb + ksz + ksw / rs);
    st.sigma = (wb + ksz) * st.gamma;
    const double V = p.volume[i], A = p.surface[i];
    st.lambda = (organic ? V * m.RWM + A * st.kVolatilisation * st.fFree : 0.0) + A * st.sigma;
    st.background = m.CBACK * kMicrogramPerGramToGramPerKg * rhoB;
    const double release = A * ksw * st.background / rs;
    const double dep = inEstuary[i] ? A * m.Atmos * kAtmosToGramPerM2s : 0.0;
    srcCompound[i] = release + dep;
    dom.background += release;
    dom.deposition += dep;
    if (inEstuary[i]) r.estuary.background += release, r.estuary.deposition += dep;
    tr.matrix.Add(i, i, st.lambda);
  }
  auto t4 = Clock::now();
  r.times.assemble += Ms(t3, t4);

  BandedSolver solver;
  if (!solver.Factor(tr.matrix)) {
    if (solver.TooWide()) Fail("", Msg::TooWide, "compound", tr.matrix.Size(), solver.Stats().bandwidth);
    Fail("", Msg::Singular, "compound", solver.ZeroPivot() + 1);
  }
  auto t5 = Clock::now();
  r.times.factor += Ms(t4, t5);
  rhs = BoundaryRhs(p, tr, iC);
  AddLoads(p, iC, rhs);
  for (int i = 0; i < n; ++i) rhs[i] += srcCompound[i];
  r.compound = SolveChecked(solver, rhs, "compound");
  rhs = BoundaryRhs(p, tr, iR);
  AddLoads(p, iR, rhs);
  r.retention = SolveChecked(solver, rhs, "Retention");
  r.compoundStats = solver.Stats();
  ClampNonNegative(r.compound, "compound", report);
  ClampNonNegative(r.retention, "Retention", report);
  auto t6 = Clock::now();
  r.times.solve += Ms(t5, t6);

  // Budgets in flux form.
  for (const WasteLoad& w : p.loads) {
    dom.loads += w.values[iC];
    if (inEstuary[w.segment - 1]) r.estuary.loads += w.values[iC];
  }
  double G = 0, L = 0, X = 0;
  for (const WasteLoad& w : p.loads)
    if (inEstuary[w.segment - 1]) G += w.values[iR];
  for (size_t k = 0; k < p.exchanges.size(); ++k) {
    const Exchange& e = p.exchanges[k];
    const double J = FluxOf(p, e, tr.flux[k], r.compound, iC);
    const double JR = FluxOf(p, e, tr.flux[k], r.retention, iR);
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
    const SegmentState& st = r.state[i];
    const int z = st.zone - 1;
    const double c = r.compound[i];
    const double V = p.volume[i], A = p.surface[i];
    const double wb = m.Vsed * m.SS[z] / (1000.0 * rhoB);
    const double ksz = (organic ? m.RSM : 0.0) * m.MLAAG[z];
    const double bed = st.gamma * c;
    r.state[i].bed = bed;
    Budget b;
    b.degradationWater = organic ? V * m.RWM * c : 0.0;
    b.volatilisation = A * st.kVolatilisation * st.fFree * c;
    b.degradationSediment = A * ksz * bed;
    b.burial = A * wb * bed;
    for (Budget* t : {&dom, inEstuary[i] ? &r.estuary : nullptr}) {
      if (!t) continue;
      t->degradationWater += b.degradationWater;
      t->volatilisation += b.volatilisation;
      t->degradationSediment += b.degradationSediment;
      t->burial += b.burial;
    }
    if (inEstuary[i]) L += st.lambda * r.retention[i];
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
    r.filteringCapacity = 100.0 * L / G;
  } else {
    r.filteringCapacity = 0.0;
    report.Warn("No Retention enters the estuary from its open boundaries; the filtering capacity is set to 0.");
  }

  auto t7 = Clock::now();

  // Map values.
  FoodChainParams fc;
  if (organic) fc = MakeFoodChainParams(m.logkow, m.alfa, m.lip, m.betaprey, m.betadet, m.biotr, m.weight);
  auto quantities = [&](int i, std::array<double, kMapQuantities>& q, bool biota) {
    const SegmentState& st = r.state[i];
    const int z = st.zone - 1;
    const double c = r.compound[i];
    q.fill(0.0);
    q[0] = r.salinity[i];
    q[1] = kGramPerM3ToMicrogramPerLitre * c;
    q[2] = kGramPerM3ToMicrogramPerLitre * (st.fFree + st.fDoc) * c;
    q[3] = 1e6 * st.fPart * c / m.SS[z];
    q[4] = 1e3 * (st.bed + st.background) / rhoB;
    if (biota && organic) {
      FoodChainExposure ex;
      ex.freelyDissolved = st.fFree * c;
      ex.suspended = q[3];
      ex.sediment = q[4];
      ex.temperature = m.Temp;
      ex.oxygen = m.O2[std::min(z, 2)];
      ex.suspendedSolids = m.SS[z] * 1e-6;  // mg/l -> kg/l
      ex.suspendedCarbon = m.POC[z] / m.SS[z];
      ex.sedimentCarbon = m.FRCSED[z];
      const FoodChainResult f = ComputeFoodChain(fc, ex);
      for (int j = 0; j < 5; ++j) q[5 + j] = 1e3 * f.organisms[j] / kDryWeightFraction;
    }
    q[10] = p.surface[i];
  };
  r.cells.resize(p.estuary.size());
  for (size_t k = 0; k < p.estuary.size(); ++k) quantities(p.estuary[k] - 1, r.cells[k], true);
  std::array<double, kMapQuantities> mq;
  quantities(p.marine - 1, mq, false);
  r.marine = {mq[0], mq[1], mq[2], mq[3], mq[4], r.filteringCapacity};
  auto t8 = Clock::now();
  r.times.foodChain += Ms(t7, t8);

  for (int q = 0; q < kMapQuantities; ++q) {
    double mx = 0;
    for (const auto& c : r.cells) mx = std::max(mx, std::fabs(c[q]));
    for (size_t k = 0; k < r.cells.size(); ++k) {
      double& v = r.cells[k][q];
      if (!std::isfinite(v) || std::fabs(v) > 3.0e38)
        Fail("", Msg::NotFinite, "map quantity " + std::to_string(q) + " of cell " + std::to_string(k), Num(v));
      if (v < 0) {
        if (v < -1e-12 * mx) Fail("", Msg::Negative, "map quantity " + std::to_string(q), p.estuary[k], Num(v));
        v = 0;
      }
    }
  }
  for (double& v : r.marine) {
    if (!std::isfinite(v) || std::fabs(v) > 3.0e38) Fail("", Msg::NotFinite, "a marine value", Num(v));
    if (v < 0) v = 0;
  }
  return r;
}

}  // namespace engine
