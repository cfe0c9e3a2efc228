// The diet is fixed (the detail set's diet fractions do not reach the engine) and triangular:
// phyto -> zoo -> secondary consumers -> round fish; Tellina -> dab; no system to solve.
#include "engine/FoodChain.h"

#include <cmath>

#include "engine/Coefficients.h"

namespace engine {

FoodChainParams MakeFoodChainParams(double logkow, double alfa, double lip, double betaprey,
                                    double betadet, const std::array<double, 5>& biotr,
                                    const std::array<double, 5>& w) {
  FoodChainParams p;
  p.kow = std::pow(10.0, logkow);
  p.gillEfficiency = alfa;
  p.lipid = lip;
  p.betaPrey = betaprey;
  p.betaDetritus = betadet;
  // zooplankton ug, secondary consumers mg, round fish g, Tellina mg, dab g
  const double toKg[5] = {1e-9, 1e-6, 1e-3, 1e-6, 1e-3};
  for (int i = 0; i < 5; ++i) p.species[i] = {w[i] * toKg[i], biotr[i]};
  return p;
}

double AnimalConcentration(const FoodChainParams& p, const FoodChainSpecies& s, const FoodChainExposure& e,
                           const DietItem* diet, int ndiet) {
  using namespace coef;
  const double W = s.weightKg;
  const double gv = kVentilation * std::pow(W, kVentilationExponent) / e.oxygen;  // l/d
  const double k1 = p.gillEfficiency * gv / W;                                     // l/kg/d
  const double kbw = (p.lipid + kNonLipidSorption * kNonLipidFraction) * p.kow +
                     (1.0 - p.lipid - kNonLipidFraction);
  const double k2 = k1 / kbw;
  const double gd = kFeeding * std::pow(W, kFeedingExponent) * std::exp(kFeedingTemperature * e.temperature);
  double sumBeta = 0, uptake = 0;
  for (int i = 0; i < ndiet; ++i) {
    sumBeta += diet[i].fraction * diet[i].assimilation;
    uptake += diet[i].fraction * diet[i].assimilation * diet[i].concentration;
  }
  const double kd = gd / W * sumBeta;
  const double u = gd / W * uptake;
  const double ke = kEgestionFraction * kd;
  const double kg = p.growthOverride >= 0 ? p.growthOverride : kGrowth * std::pow(W, kGrowthExponent);
  return (1.0 - s.biotransformation) * (k1 * e.freelyDissolved + u) / (k2 + ke + kg);
}

FoodChainResult ComputeFoodChain(const FoodChainParams& p, const FoodChainExposure& e) {
  using namespace coef;
  FoodChainResult r;
  const double k1p = 1.0 / (kPhytoA + kPhytoB / p.kow);
  const double kpw = (kPhytoLipid + kPhytoNlom * kPhytoNlomSorption) * p.kow + kPhytoWater;
  r.phytoplankton = k1p * e.freelyDissolved / (k1p / kpw + kPhytoGrowth);

  const double bp = p.betaPrey, bd = p.betaDetritus;
  const DietItem zoo[] = {{0.5, bp, r.phytoplankton}, {0.5, bd, e.suspended}};
  r.organisms[0] = AnimalConcentration(p, p.species[0], e, zoo, 2);
  const DietItem sec[] = {{1.0, bp, r.organisms[0]}};
  r.organisms[1] = AnimalConcentration(p, p.species[1], e, sec, 1);
  const DietItem rnd[] = {{1.0, bp, r.organisms[1]}};
  r.organisms[2] = AnimalConcentration(p, p.species[2], e, rnd, 1);
  const DietItem tel[] = {{0.5, bp, r.phytoplankton}, {0.5, bd, e.sediment}};
  r.organisms[3] = AnimalConcentration(p, p.species[3], e, tel, 2);
  const DietItem dab[] = {{0.5, bp, r.organisms[1]}, {0.5, bp, r.organisms[3]}};
  r.organisms[4] = AnimalConcentration(p, p.species[4], e, dab, 2);
  return r;
}

}  // namespace engine
