// Transport of the three substances on the grid: the flux form of every exchange, the steady-state
// matrix built from it, and its solves: salinity on transport alone, then the compound and
// Retention once the per-segment losses have joined the diagonal.
#pragma once

#include <vector>

#include "engine/Problem.h"
#include "engine/Report.h"
#include "engine/Solver.h"

namespace engine {

// The open boundary at the tidal limit; the others are the sea.
inline constexpr int kRiverBoundary = -1;

// Per-exchange flux coefficients: J = alpha * c_from + beta * c_to (g/s for g/m3), with
// alpha >= 0 >= beta; limited central weights inside, upwind at open boundaries, no dispersion
// across the river boundary.
struct FluxCoefficients {
  double alpha = 0, beta = 0;
};
FluxCoefficients ExchangeFlux(const Exchange& e);

// What a boundary adds to a segment's right-hand side: coef * c_boundary.
struct BoundaryTerm {
  int segment;   // 0-based
  int boundary;  // 0-based
  double coef;
};

struct Transport {
  SparseMatrix matrix;
  std::vector<BoundaryTerm> boundary;
  std::vector<FluxCoefficients> flux;  // per exchange, in table order
  explicit Transport(int n) : matrix(n) {}
};

// The transport matrix of the problem's exchanges; throws when its sign pattern is broken.
Transport AssembleTransport(const Problem& p);

// Factors the matrix for the named system ("salinity", "compound"); throws when it is singular
// or too wide to store.
void FactorTransport(BandedSolver& solver, const SparseMatrix& matrix, const char* system);

struct SalinitySolution {
  std::vector<double> salinity;  // psu per segment, within the boundary range
  SolveStats stats;
};
// Salinity on the factored transport-only matrix.
SalinitySolution SolveSalinity(const Problem& p, const Transport& t, BandedSolver& solver, Report& report);

// First-order losses (m3/s per segment) on the diagonal.
void AddLosses(Transport& t, const std::vector<double>& lambda);

struct CompoundSolution {
  std::vector<double> compound, retention;  // g/m3 per segment, never negative
  SolveStats stats;
};
// The compound (with `sources`, g/s per segment, besides loads and boundaries) and Retention on
// the factored matrix with losses.
CompoundSolution SolveCompound(const Problem& p, const Transport& t, BandedSolver& solver,
                               const std::vector<double>& sources, Report& report);

// The flux of substance `sys` over exchange e with its coefficients f (g/s, from -> to).
double FluxOf(const Problem& p, const Exchange& e, const FluxCoefficients& f, const std::vector<double>& c, int sys);

}  // namespace engine
