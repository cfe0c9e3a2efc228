// Order of work: salinity (transport only) -> zones -> per-segment partitioning, volatilisation
// and sediment -> one factorisation of transport plus losses -> compound and Retention ->
// budgets -> map values with the food chain.
#include "engine/Model.h"

#include <chrono>

#include "engine/Messages.h"

namespace engine {

namespace {

// Milliseconds since the previous lap.
class Stopwatch {
 public:
  double Lap() {
    const auto now = std::chrono::steady_clock::now();
    const double ms = std::chrono::duration<double, std::milli>(now - last_).count();
    last_ = now;
    return ms;
  }

 private:
  std::chrono::steady_clock::time_point last_ = std::chrono::steady_clock::now();
};

}  // namespace

ModelResult RunModel(const Problem& p, Report& report) {
  ModelResult r;
  r.constants = InterpretConstants(p.constants, "work file", nullptr);
  const ModelConstants& m = r.constants;
  if (static_cast<int>(p.estuary.size()) > 500) Fail("", Msg::EstuaryTooLarge, p.estuary.size());
  Stopwatch watch;

  Transport transport = AssembleTransport(p);
  r.times.assemble += watch.Lap();

  BandedSolver salinitySolver;
  FactorTransport(salinitySolver, transport.matrix, "salinity");
  r.times.factor += watch.Lap();
  SalinitySolution salinity = SolveSalinity(p, transport, salinitySolver, report);
  r.salinity = std::move(salinity.salinity);
  r.salinityStats = salinity.stats;
  r.times.solve += watch.Lap();

  SegmentProcesses processes = ComputeProcesses(p, m, r.salinity);
  AddLosses(transport, processes.lambda);
  r.times.assemble += watch.Lap();

  BandedSolver solver;
  FactorTransport(solver, transport.matrix, "compound");
  r.times.factor += watch.Lap();
  CompoundSolution compound = SolveCompound(p, transport, solver, processes.source, report);
  r.compound = std::move(compound.compound);
  r.retention = std::move(compound.retention);
  r.compoundStats = compound.stats;
  r.times.solve += watch.Lap();

  SetBedConcentrations(processes.state, r.compound);
  const Budgets budgets = ComputeBudgets(p, m, transport.flux, processes, r.compound, r.retention, report);
  r.domain = budgets.domain;
  r.estuary = budgets.estuary;
  r.retentionIn = budgets.retentionIn;
  r.retentionLost = budgets.retentionLost;
  r.retentionOut = budgets.retentionOut;
  r.retentionGross = budgets.retentionGross;
  r.retentionImbalance = budgets.retentionImbalance;
  r.filteringCapacity = budgets.filteringCapacity;
  watch.Lap();

  MapValues map = ComputeMapValues(p, m, processes.state, r.salinity, r.compound, r.filteringCapacity);
  r.times.foodChain += watch.Lap();
  CheckMapValues(p, map);
  r.cells = std::move(map.cells);
  r.marine = map.marine;
  r.state = std::move(processes.state);
  return r;
}

}  // namespace engine
