// Zones come from the computed salinity, so the processes follow the salt intrusion when river
// flow or dispersion shift it.
#include "engine/Processes.h"

#include <cmath>

#include "engine/Coefficients.h"

namespace engine {

double BurialVelocity(const ModelConstants& m, int z) { return m.Vsed * m.SS[z] / (1000.0 * m.DENSED); }

double SedimentDegradation(const ModelConstants& m, int z) {
  return (m.istype == kOrganic ? m.RSM : 0.0) * m.MLAAG[z];
}

SegmentProcesses ComputeProcesses(const Problem& p, const ModelConstants& m, const std::vector<double>& salinity) {
  using namespace coef;
  const int n = p.noseg;
  const bool organic = m.istype == kOrganic;
  SegmentProcesses r;
  r.inEstuary.assign(n, 0);
  for (int s : p.estuary) r.inEstuary[s - 1] = 1;
  r.state.resize(n);
  r.lambda.resize(n);
  r.release.resize(n);
  r.deposition.resize(n);
  r.source.resize(n);
  const double rhoB = m.DENSED;
  const double porosity = 1.0 - rhoB / kParticleDensity;
  const double ksw = kSedimentWaterTransfer;
  const double kpoc = organic ? std::pow(10.0, m.KPOC) : 0.0;
  double kol = 0;
  if (organic && m.He > 0) {
    const double tk = m.Temp + kKelvin;
    kol = 1.0 / (1.0 / m.Kl + kGasConstant * tk / (m.He * m.Kg));
  }
  for (int i = 0; i < n; ++i) {
    SegmentState& st = r.state[i];
    const double S = salinity[i];
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
    const double wb = BurialVelocity(m, z);
    const double ksz = SedimentDegradation(m, z);
    st.gamma = (v * st.fPart + ksw * st.fFree) / (wb + ksz + ksw / rs);
    st.sigma = (wb + ksz) * st.gamma;
    const double V = p.volume[i], A = p.surface[i];
    st.lambda = (organic ? V * m.RWM + A * st.kVolatilisation * st.fFree : 0.0) + A * st.sigma;
    st.background = m.CBACK * kMicrogramPerGramToGramPerKg * rhoB;
    r.lambda[i] = st.lambda;
    r.release[i] = A * ksw * st.background / rs;
    r.deposition[i] = r.inEstuary[i] ? A * m.Atmos * kAtmosToGramPerM2s : 0.0;
    r.source[i] = r.release[i] + r.deposition[i];
  }
  return r;
}

void SetBedConcentrations(std::vector<SegmentState>& state, const std::vector<double>& compound) {
  for (size_t i = 0; i < state.size(); ++i) state[i].bed = state[i].gamma * compound[i];
}

}  // namespace engine
