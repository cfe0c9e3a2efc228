// The diet is fixed (the detail set's diet fractions do not reach the engine) and triangular:
// phyto -> zoo -> secondary consumers -> round fish; Tellina -> dab; no system to solve.
#include "engine/FoodChain.h"

#include <algorithm>
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
  const bool filter[5] = {true, false, false, true, false};
  const bool fish[5] = {false, false, true, false, true};
  for (int i = 0; i < 5; ++i) p.species[i] = {w[i] * toKg[i], biotr[i], filter[i], fish[i]};
  return p;
}

FoodChainParams FoodChainOf(const ModelConstants& m) {
  return MakeFoodChainParams(m.logkow, m.alfa, m.lip, m.betaprey, m.betadet, m.biotr, m.weight);
}

FoodChainExposure CellExposure(const ModelConstants& m, int zone, double freelyDissolved, double suspended,
                               double sediment) {
  const int z = zone - 1;
  FoodChainExposure ex;
  ex.freelyDissolved = freelyDissolved;
  ex.suspended = suspended;
  ex.sediment = sediment;
  ex.temperature = m.Temp;
  ex.oxygen = m.O2[std::min(z, 2)];
  ex.suspendedSolids = m.SS[z] * 1e-6;  // mg/l -> kg/l
  ex.suspendedCarbon = m.POC[z] / m.SS[z];
  ex.sedimentCarbon = m.FRCSED[z];
  return ex;
}

AnimalRates AnimalUptake(const FoodChainParams& p, const FoodChainSpecies& s, const FoodChainExposure& e,
                         const DietItem* diet, int ndiet) {
  using namespace coef;
  AnimalRates r;
  const double W = s.weightKg;
  const double kow = p.kow;
  const double gv = kVentilation * std::pow(W, kVentilationExponent) / e.oxygen;  // l/d
  r.k1 = p.gillEfficiency * gv / W;
  const double vw = 1.0 - p.lipid - kNonLipidFraction;
  const double kbw = p.lipid * kow + kNonLipidSorption * kNonLipidFraction * kow + vw;
  r.k2 = r.k1 / kbw;
  const double gd = s.filterFeeder
                        ? gv * e.suspendedSolids * kScavengingEfficiency
                        : kFeeding * std::pow(W, kFeedingExponent) * std::exp(kFeedingTemperature * e.temperature);

  // What the gut does not absorb leaves as faeces, and the faeces' lipid, organic matter and water
  // hold the compound against the organism: with a diet rich in lipid that is well absorbed the
  // faeces carry little, which is what lets the compound biomagnify.
  const double eL = s.fish ? kLipidAbsorptionFish : kLipidAbsorptionInvertebrate;
  const double eN = s.fish ? kOrganicAbsorptionFish : kOrganicAbsorptionInvertebrate;
  const double eW = kWaterAbsorption;
  double meanE = 0, uptake = 0, lipidD = 0, nonLipidD = 0, carbonD = 0, waterD = 0;
  for (int i = 0; i < ndiet; ++i) {
    const DietItem& f = diet[i];
    meanE += f.fraction * f.assimilation;
    uptake += f.fraction * f.assimilation * f.concentration;
    lipidD += f.fraction * f.composition.lipid;
    nonLipidD += f.fraction * f.composition.nonLipid;
    carbonD += f.fraction * f.composition.carbon;
    waterD += f.fraction * f.composition.water;
  }
  const double gutL = (1 - eL) * lipidD, gutN = (1 - eN) * nonLipidD, gutC = (1 - eN) * carbonD,
               gutW = (1 - eW) * waterD;
  r.egestedFraction = gutL + gutN + gutC + gutW;
  // G_F * K_GB per unit of G_D: the egested fraction times the gut's capacity, without dividing
  // by a fraction that a diet of bare mineral matter could leave at 0.
  const double gutCapacity =
      (gutL * kow + kNonLipidSorption * gutN * kow + kOrganicCarbonSorption * gutC * kow + gutW) / kbw;
  r.gutPartition = r.egestedFraction > 0 ? gutCapacity / r.egestedFraction : 0.0;
  r.kD = gd / W * meanE;
  r.dietaryUptake = gd / W * uptake;
  r.kE = gd / W * meanE * gutCapacity;
  r.kG = p.growthOverride >= 0 ? p.growthOverride : kGrowth * std::pow(W, kGrowthExponent);
  // Biotransformation k_M = b/(1 - b) * (k2 + kE + kG) removes the share b of the burden; written
  // as the factor (1 - b) it also holds for b = 1.
  const double total = r.k2 + r.kE + r.kG;
  r.concentration = total > 0 ? (1.0 - s.biotransformation) * (r.k1 * e.freelyDissolved + r.dietaryUptake) / total
                              : 0.0;
  return r;
}

FoodChainResult ComputeFoodChain(const FoodChainParams& p, const FoodChainExposure& e) {
  using namespace coef;
  FoodChainResult r;
  const double k1p = 1.0 / (kPhytoA + kPhytoB / p.kow);
  const double kpw = kPhytoLipid * p.kow + kOrganicCarbonSorption * kPhytoCarbon * p.kow + kPhytoWater;
  r.phytoplankton = k1p * e.freelyDissolved / (k1p / kpw + kPhytoGrowth);

  const FoodComposition phyto{kPhytoLipid, 0, kPhytoCarbon, kPhytoWater};
  const FoodComposition animal{p.lipid, kNonLipidFraction, 0, 1.0 - p.lipid - kNonLipidFraction};
  // Detritus and sediment are taken per kg dry weight: organic carbon and mineral matter only.
  const FoodComposition detritus{0, 0, e.suspendedCarbon, 0};
  const FoodComposition sediment{0, 0, e.sedimentCarbon, 0};

  const double bp = p.betaPrey, bd = p.betaDetritus;
  const DietItem zoo[] = {{0.5, bp, r.phytoplankton, phyto}, {0.5, bd, e.suspended, detritus}};
  r.organisms[0] = AnimalConcentration(p, p.species[0], e, zoo, 2);
  const DietItem sec[] = {{1.0, bp, r.organisms[0], animal}};
  r.organisms[1] = AnimalConcentration(p, p.species[1], e, sec, 1);
  const DietItem rnd[] = {{1.0, bp, r.organisms[1], animal}};
  r.organisms[2] = AnimalConcentration(p, p.species[2], e, rnd, 1);
  const DietItem tel[] = {{0.5, bp, r.phytoplankton, phyto}, {0.5, bd, e.sediment, sediment}};
  r.organisms[3] = AnimalConcentration(p, p.species[3], e, tel, 2);
  const DietItem dab[] = {{0.5, bp, r.organisms[1], animal}, {0.5, bp, r.organisms[3], animal}};
  r.organisms[4] = AnimalConcentration(p, p.species[4], e, dab, 2);
  return r;
}

}  // namespace engine
