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
// Thomann (1989) Environ. Sci. Technol. 23:699; Thomann, Connolly & Parkerton (1992)
// Environ. Toxicol. Chem. 11:615; Gobas (1993) Ecol. Model. 69:1;
// Arnot & Gobas (2004) Environ. Toxicol. Chem. 23:2343 (allometric rates, eqs. as cited).
// Gill ventilation G_V = kVentilation * W^kVentilationExponent / O2 (l/d, W in kg, O2 in mg/l).
inline constexpr double kVentilation = 1400.0;
inline constexpr double kVentilationExponent = 0.65;
// Feeding rate G_D = kFeeding * W^kFeedingExponent * exp(kFeedingTemperature * T) (kg/d).
inline constexpr double kFeeding = 0.022;
inline constexpr double kFeedingExponent = 0.85;
inline constexpr double kFeedingTemperature = 0.06;  // 1/degree C
// Growth k_G = kGrowth * W^kGrowthExponent (1/d), temperate waters (Arnot & Gobas 2004).
inline constexpr double kGrowth = 5e-4;
inline constexpr double kGrowthExponent = -0.2;
// Faecal egestion as a fraction of the dietary uptake rate (Gobas 1993).
inline constexpr double kEgestionFraction = 0.25;
// Sorption of non-lipid organic matter relative to octanol (Arnot & Gobas 2004, beta = 0.035),
// and the non-lipid organic matter fraction of the organisms.
inline constexpr double kNonLipidSorption = 0.035;
inline constexpr double kNonLipidFraction = 0.2;
// Phytoplankton uptake k1P = 1/(kPhytoA + kPhytoB/Kow) (l/kg/d), Arnot & Gobas (2004).
inline constexpr double kPhytoA = 6.0e-5;
inline constexpr double kPhytoB = 5.5;
// Phytoplankton partition K_PW = (lipid + 0.35 * NLOM) * Kow + water, lipid 0.005, NLOM 0.065,
// water 0.93 (Arnot & Gobas 2004, default phytoplankton).
inline constexpr double kPhytoLipid = 0.005;
inline constexpr double kPhytoNlom = 0.065;
inline constexpr double kPhytoNlomSorption = 0.35;
inline constexpr double kPhytoWater = 0.93;
// Phytoplankton growth (Arnot & Gobas 2004).
inline constexpr double kPhytoGrowth = 0.125;  // 1/d
// Dry weight fraction of the organisms, used to report ng/g dry weight.
inline constexpr double kDryWeightFraction = 0.2;

// The compound estimator stores 10^0.6 = 3.9811 where it means the efficiency 0.6
// (Thomann's high-Kow gill efficiency at log Kow 6.25); read back within this tolerance.
inline constexpr double kAlfaEstimatorValue = 3.9811;
inline constexpr double kAlfaEstimatorTolerance = 5e-4;

// --- Salinity zones (the estuary editor's class limits) ---------------------------------------
inline constexpr double kFreshBelow = 8.0;    // psu: S < 8 is zone 1
inline constexpr double kSalineAbove = 20.0;  // psu: S > 20 is zone 3, 8..20 zone 2

}  // namespace engine::coef
