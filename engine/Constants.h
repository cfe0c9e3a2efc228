// The process constants of block 7, looked up by trimmed, case-insensitive name and checked
// against what the compound type needs. Every constant error is collected and reported at once.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "engine/Problem.h"
#include "engine/Report.h"

namespace engine {

enum CompoundType { kMetal = 1, kOrganic = 2 };

// Values after the input's scale factors (rates, velocities and transfer coefficients per second);
// the unit conversions of the model are applied where they are used.
struct ModelConstants {
  int istype = kOrganic;
  double Kd = 0;      // l/g (metals)
  double KPOC = 0;    // log10 l/kg OC
  double XDOC = 0;    // DOC binding relative to POC
  double He = 0;      // Pa m3/mol
  double Kl = 0;      // m/s
  double Kg = 0;      // m/s
  double RWM = 0;     // 1/s
  double RSM = 0;     // 1/s
  double Vsed = 0;    // m/s
  double Temp = 0;    // degrees C
  double Atmos = 0;   // g/km2/y
  std::array<double, 4> SS{}, POC{}, DOC{}, MLAAG{}, FRCSED{};  // per zone 1..4
  double DENSED = 0;  // kg/m3 dry bulk density
  double CBACK = 0;   // ug/g
  std::array<double, 3> O2{};  // mg/l per estuary zone
  double logkow = 0;
  double alfa = 0;    // gill uptake efficiency, after the reading rules for values above 1
  double lip = 0;
  double betaprey = 0, betadet = 0;
  std::array<double, 5> biotr{};   // zooplankton, secondary consumers, round fish, Tellina, dab
  std::array<double, 5> weight{};  // as written: ug, mg, g, mg, g
};

// `inputName` prefixes the messages; `report` receives warnings (pass nullptr to stay quiet,
// as step 2 does with constants step 1 already checked).
ModelConstants InterpretConstants(const std::vector<Constant>& constants,
                                  const std::string& inputName, Report* report);

}  // namespace engine
