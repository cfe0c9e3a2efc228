// Every literature-derived coefficient of the engine, with its source, in one place so that a
// domain scientist can review and change them together. Check each against the cited paper
// before release; the engine never hides a coefficient elsewhere.
#pragma once

namespace engine::coef {

// --- Physical constants and unit conversions -------------------------------------------------
inline constexpr double kGasConstant = 8.314462618;  // J/(mol K), CODATA 2018
inline constexpr double kKelvin = 273.15;
// The input's load scale (kg/y -> g/s) uses a 365-day year; deposition uses the same year.
inline constexpr double kAtmosToGramPerM2s = 3.171e-14;        // g/km2/y -> g/m2/s
inline constexpr double kMicrogramPerGramToGramPerKg = 1e-3;   // ug/g -> g/kg
inline constexpr double kGramPerM3ToMicrogramPerLitre = 1e3;   // g/m3 -> ug/l

// --- Sediment (mixed layer) -------------------------------------------------------------------
// Density of mineral particles, quartz/clay average (e.g. Mackay 2001, Multimedia Environmental
// Models, 2nd ed., Lewis; Boudreau 1997, Diagenetic Models and Their Implementation).
inline constexpr double kParticleDensity = 2650.0;  // kg/m3
// Sediment-water diffusive transfer: D_eff ~ 3E-10 m2/s over a boundary of ~1 cm, the order used
// in multimedia box models (Mackay 2001, ch. 7; Di Toro 2001, Sediment Flux Modeling).
inline constexpr double kSedimentWaterTransfer = 2.8e-8;  // m/s

// --- Food chain -------------------------------------------------------------------------------
// The food-web bioaccumulation model of Arnot & Gobas (2004) Environ. Toxicol. Chem. 23:2343
// (eqs. and default parameters as cited there), with the program's own inputs for the gill and
// dietary efficiencies, lipid and biotransformation. Earlier work: Thomann (1989) Environ. Sci.
// Technol. 23:699; Gobas (1993) Ecol. Model. 69:1.
// Gill ventilation G_V = kVentilation * W^kVentilationExponent / O2 (l/d, W in kg, O2 in mg/l).
inline constexpr double kVentilation = 1400.0;
inline constexpr double kVentilationExponent = 0.65;
// Feeding rate G_D = kFeeding * W^kFeedingExponent * exp(kFeedingTemperature * T) (kg/d).
inline constexpr double kFeeding = 0.022;
inline constexpr double kFeedingExponent = 0.85;
inline constexpr double kFeedingTemperature = 0.06;  // 1/degree C
// Filter feeders take in the suspended solids of the water they ventilate, G_D = G_V * C_SS * this
// scavenging efficiency (Arnot & Gobas 2004, default 1 for zooplankton and bivalves).
inline constexpr double kScavengingEfficiency = 1.0;
// Growth k_G = kGrowth * W^kGrowthExponent (1/d), temperate waters (Arnot & Gobas 2004).
inline constexpr double kGrowth = 5e-4;
inline constexpr double kGrowthExponent = -0.2;
// Gut absorption of lipid, non-lipid organic matter (and organic carbon) and water, which sets the
// faecal egestion rate and the gut contents' composition (Arnot & Gobas 2004). Fish; invertebrates
// (zooplankton, secondary consumers, Tellina).
inline constexpr double kLipidAbsorptionFish = 0.92;
inline constexpr double kOrganicAbsorptionFish = 0.60;
inline constexpr double kLipidAbsorptionInvertebrate = 0.75;
inline constexpr double kOrganicAbsorptionInvertebrate = 0.75;
inline constexpr double kWaterAbsorption = 0.25;
// Sorption relative to octanol of non-lipid organic matter (0.035) and of organic carbon (0.35,
// K_OC = 0.35 Kow), as in Arnot & Gobas (2004); the non-lipid organic matter fraction of the
// animals (0.2).
inline constexpr double kNonLipidSorption = 0.035;
inline constexpr double kOrganicCarbonSorption = 0.35;
inline constexpr double kNonLipidFraction = 0.2;
// Phytoplankton uptake k1P = 1/(kPhytoA + kPhytoB/Kow) (l/kg/d), Arnot & Gobas (2004).
inline constexpr double kPhytoA = 6.0e-5;
inline constexpr double kPhytoB = 5.5;
// Phytoplankton composition: lipid 0.005, non-lipid organic carbon 0.065 (sorbing as organic
// carbon), water 0.93 (Arnot & Gobas 2004, default phytoplankton).
inline constexpr double kPhytoLipid = 0.005;
inline constexpr double kPhytoCarbon = 0.065;
inline constexpr double kPhytoWater = 0.93;
// Phytoplankton growth (Arnot & Gobas 2004, default 0.08 /d).
inline constexpr double kPhytoGrowth = 0.08;  // 1/d
// Dry weight fraction of the organisms, used to report ng/g dry weight.
inline constexpr double kDryWeightFraction = 0.2;

// Older compound records hold 10^0.6 = 3.9811 where the estimator meant the efficiency 0.6 (its
// continuous value at log Kow 6.25); read back within this tolerance, with a warning.
inline constexpr double kAlfaEstimatorValue = 3.9811;
inline constexpr double kAlfaEstimatorTolerance = 5e-4;
inline constexpr double kAlfaEstimatorMeant = 0.6;

// --- Salinity zones (the estuary editor's class limits) ---------------------------------------
inline constexpr double kFreshBelow = 8.0;    // psu: S < 8 is zone 1
inline constexpr double kSalineAbove = 20.0;  // psu: S > 20 is zone 3, 8..20 zone 2

}  // namespace engine::coef
