// What happens to the compound within a segment: its zone from the computed salinity, the
// partitioning between freely dissolved, DOC-bound and particulate phases, degradation and
// volatilisation in the water, and the mixed sediment layer solved analytically per segment, so
// all of it reaches the transport as one first-order loss and one source per segment.
#pragma once

#include <vector>

#include "engine/Constants.h"
#include "engine/Problem.h"

namespace engine {

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

struct SegmentProcesses {
  std::vector<SegmentState> state;
  std::vector<double> lambda;      // first-order loss per segment, m3/s (as in the state)
  std::vector<double> release;     // from the sediment background, g/s
  std::vector<double> deposition;  // atmospheric, g/s (estuary segments only)
  std::vector<double> source;      // release + deposition, g/s
  std::vector<char> inEstuary;     // per segment
};

// Zones and processes of every segment from the computed salinity.
SegmentProcesses ComputeProcesses(const Problem& p, const ModelConstants& m, const std::vector<double>& salinity);

// The active bed of every segment in equilibrium with the water's compound (g/m3).
void SetBedConcentrations(std::vector<SegmentState>& state, const std::vector<double>& compound);

// Burial velocity (m/s) and sediment degradation per bed area (m/s) of a zone (0-based).
double BurialVelocity(const ModelConstants& m, int zone);
double SedimentDegradation(const ModelConstants& m, int zone);

}  // namespace engine
