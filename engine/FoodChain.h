// Bioaccumulation in the estuary food chain at local steady state (one cell at a time):
// phytoplankton, zooplankton, secondary consumers, round fish, Tellina and benthic fish (dab),
// kinetic uptake from water and diet after the allometric rates of Coefficients.h.
#pragma once

#include <array>

namespace engine {

struct FoodChainSpecies {
  double weightKg = 0;
  double biotransformation = 0;  // b in 0..1: the fraction of the steady body burden removed
};

struct FoodChainParams {
  double kow = 0;
  double gillEfficiency = 0;  // E_W
  double lipid = 0;
  double betaPrey = 0;        // assimilation from living food
  double betaDetritus = 0;    // from suspended detritus and sediment
  // zooplankton, secondary consumers, round fish, Tellina, dab
  std::array<FoodChainSpecies, 5> species{};
  // Growth rate override for tests of the limiting cases (negative: allometric growth).
  double growthOverride = -1;
};

struct FoodChainExposure {
  double freelyDissolved = 0;  // mg/l
  double suspended = 0;        // on suspended matter, mg/kg dw
  double sediment = 0;         // in the sediment (with background), mg/kg dw
  double temperature = 0;      // degrees C
  double oxygen = 0;           // mg/l
};

struct FoodChainResult {
  double phytoplankton = 0;               // mg/kg wet weight
  std::array<double, 5> organisms{};      // mg/kg wet weight, order as the species
};

// The parameters from the input's weights (ug, mg, g, mg, g) and constants.
FoodChainParams MakeFoodChainParams(double logkow, double alfa, double lip, double betaprey,
                                    double betadet, const std::array<double, 5>& biotr,
                                    const std::array<double, 5>& weightsAsWritten);

FoodChainResult ComputeFoodChain(const FoodChainParams& p, const FoodChainExposure& e);

// Steady concentration of one animal (mg/kg ww) given its diet: pairs of (fraction * beta,
// food concentration in mg/kg).
struct DietItem {
  double fraction = 0;
  double assimilation = 0;
  double concentration = 0;
};
double AnimalConcentration(const FoodChainParams& p, const FoodChainSpecies& s,
                           const FoodChainExposure& e, const DietItem* diet, int ndiet);

}  // namespace engine
