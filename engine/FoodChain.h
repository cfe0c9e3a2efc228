// Bioaccumulation in the estuary food chain at local steady state (one cell at a time):
// phytoplankton, zooplankton, secondary consumers, round fish, Tellina and benthic fish (dab),
// kinetic uptake from water and diet, gill elimination, faecal egestion from the gut balance,
// growth dilution and biotransformation, with the rates of Coefficients.h.
#pragma once

#include <array>

#include "engine/Constants.h"

namespace engine {

struct FoodChainSpecies {
  double weightKg = 0;
  double biotransformation = 0;  // b in 0..1: the fraction of the steady body burden removed
  bool filterFeeder = false;     // feeds on the suspended solids of its ventilated water
  bool fish = false;             // fish absorb lipid and organic matter differently from invertebrates
};

struct FoodChainParams {
  double kow = 0;
  double gillEfficiency = 0;  // E_W
  double lipid = 0;
  double betaPrey = 0;        // dietary absorption from living food
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
  double suspendedSolids = 0;  // kg/l
  double suspendedCarbon = 0;  // organic carbon fraction of the suspended matter (POC/SS)
  double sedimentCarbon = 0;   // organic carbon fraction of the sediment
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

// The food chain of the input's constants, and what an estuary cell of the given zone (1..3)
// exposes it to: the freely dissolved compound (g/m3) and the concentrations on suspended matter
// and in the sediment (ug/g dry weight, background included).
FoodChainParams FoodChainOf(const ModelConstants& m);
FoodChainExposure CellExposure(const ModelConstants& m, int zone, double freelyDissolved, double suspended,
                               double sediment);

// What a food is made of (fractions of the weight its concentration refers to): lipid, non-lipid
// organic matter, organic carbon and water.
struct FoodComposition {
  double lipid = 0;
  double nonLipid = 0;
  double carbon = 0;
  double water = 0;
};

// One food of a diet: its share, the absorption efficiency, its concentration (mg/kg) and make-up.
struct DietItem {
  double fraction = 0;
  double assimilation = 0;
  double concentration = 0;
  FoodComposition composition{};
};

// The rate constants of one animal (1/d; k1 in l/kg/d) and its steady concentration (mg/kg ww).
struct AnimalRates {
  double k1 = 0, k2 = 0, kD = 0, kE = 0, kG = 0;
  double dietaryUptake = 0;  // mg/kg/d
  double egestedFraction = 0;  // g = G_F/G_D
  double gutPartition = 0;     // K_GB
  double concentration = 0;
};
AnimalRates AnimalUptake(const FoodChainParams& p, const FoodChainSpecies& s, const FoodChainExposure& e,
                         const DietItem* diet, int ndiet);
inline double AnimalConcentration(const FoodChainParams& p, const FoodChainSpecies& s,
                                  const FoodChainExposure& e, const DietItem* diet, int ndiet) {
  return AnimalUptake(p, s, e, diet, ndiet).concentration;
}

}  // namespace engine
