// One table says, per constant, which compound type needs it and which values are sound.
// Constants a type does not need are not checked; unknown names only warn.
#include "engine/Constants.h"

#include <cmath>
#include <map>

#include "engine/Coefficients.h"
#include "engine/Messages.h"
#include "engine/Text.h"

namespace engine {

namespace {

enum class Need { Both, Metal, Organic, Unused };
enum class Range { Positive, NonNegative, Fraction, Efficiency, Lipid, Temperature, LogKoc, LogKow, Density, Type };

struct Spec {
  const char* name;  // as the input writes it; matched case-insensitively
  Need need;
  Range range;
  double* (*slot)(ModelConstants&);
};

#define SLOT(expr) [](ModelConstants& m) -> double* { return &(expr); }

const Spec kSpecs[] = {
    {"Istype", Need::Both, Range::Type, nullptr},
    {"Kd", Need::Metal, Range::NonNegative, SLOT(m.Kd)},
    {"KPOC", Need::Organic, Range::LogKoc, SLOT(m.KPOC)},
    {"XDOC", Need::Organic, Range::NonNegative, SLOT(m.XDOC)},
    {"He", Need::Organic, Range::NonNegative, SLOT(m.He)},
    {"Kl", Need::Organic, Range::Positive, SLOT(m.Kl)},
    {"Kg", Need::Organic, Range::Positive, SLOT(m.Kg)},
    {"RWM", Need::Organic, Range::NonNegative, SLOT(m.RWM)},
    {"RSM", Need::Organic, Range::NonNegative, SLOT(m.RSM)},
    {"Vsed", Need::Both, Range::NonNegative, SLOT(m.Vsed)},
    {"Temp", Need::Organic, Range::Temperature, SLOT(m.Temp)},
    {"Atmos", Need::Both, Range::NonNegative, SLOT(m.Atmos)},
    {"SS-1", Need::Both, Range::Positive, SLOT(m.SS[0])},
    {"SS-2", Need::Both, Range::Positive, SLOT(m.SS[1])},
    {"SS-3", Need::Both, Range::Positive, SLOT(m.SS[2])},
    {"SS-4", Need::Both, Range::Positive, SLOT(m.SS[3])},
    {"POC-1", Need::Organic, Range::NonNegative, SLOT(m.POC[0])},
    {"POC-2", Need::Organic, Range::NonNegative, SLOT(m.POC[1])},
    {"POC-3", Need::Organic, Range::NonNegative, SLOT(m.POC[2])},
    {"POC-4", Need::Organic, Range::NonNegative, SLOT(m.POC[3])},
    {"DOC-1", Need::Organic, Range::NonNegative, SLOT(m.DOC[0])},
    {"DOC-2", Need::Organic, Range::NonNegative, SLOT(m.DOC[1])},
    {"DOC-3", Need::Organic, Range::NonNegative, SLOT(m.DOC[2])},
    {"DOC-4", Need::Organic, Range::NonNegative, SLOT(m.DOC[3])},
    {"MLAAG-1", Need::Both, Range::Positive, SLOT(m.MLAAG[0])},
    {"MLAAG-2", Need::Both, Range::Positive, SLOT(m.MLAAG[1])},
    {"MLAAG-3", Need::Both, Range::Positive, SLOT(m.MLAAG[2])},
    {"MLAAG-4", Need::Both, Range::Positive, SLOT(m.MLAAG[3])},
    {"FRCSED-1", Need::Organic, Range::Fraction, SLOT(m.FRCSED[0])},
    {"FRCSED-2", Need::Organic, Range::Fraction, SLOT(m.FRCSED[1])},
    {"FRCSED-3", Need::Organic, Range::Fraction, SLOT(m.FRCSED[2])},
    {"FRCSED-4", Need::Organic, Range::Fraction, SLOT(m.FRCSED[3])},
    {"DENSED", Need::Both, Range::Density, SLOT(m.DENSED)},
    {"CBACK", Need::Both, Range::NonNegative, SLOT(m.CBACK)},
    {"O2-1", Need::Organic, Range::Positive, SLOT(m.O2[0])},
    {"O2-2", Need::Organic, Range::Positive, SLOT(m.O2[1])},
    {"O2-3", Need::Organic, Range::Positive, SLOT(m.O2[2])},
    {"chl-1", Need::Unused, Range::NonNegative, nullptr},
    {"chl-2", Need::Unused, Range::NonNegative, nullptr},
    {"chl-3", Need::Unused, Range::NonNegative, nullptr},
    {"phy-1", Need::Unused, Range::NonNegative, nullptr},
    {"phy-2", Need::Unused, Range::NonNegative, nullptr},
    {"phy-3", Need::Unused, Range::NonNegative, nullptr},
    {"zoo-1", Need::Unused, Range::NonNegative, nullptr},
    {"zoo-2", Need::Unused, Range::NonNegative, nullptr},
    {"zoo-3", Need::Unused, Range::NonNegative, nullptr},
    {"logkow", Need::Organic, Range::LogKow, SLOT(m.logkow)},
    {"alfa", Need::Organic, Range::Efficiency, SLOT(m.alfa)},
    {"lip", Need::Organic, Range::Lipid, SLOT(m.lip)},
    {"betaprey", Need::Organic, Range::Fraction, SLOT(m.betaprey)},
    {"betadet", Need::Organic, Range::Fraction, SLOT(m.betadet)},
    {"biotr_zoo", Need::Organic, Range::Fraction, SLOT(m.biotr[0])},
    {"biotr_sec", Need::Organic, Range::Fraction, SLOT(m.biotr[1])},
    {"biotr_rnd", Need::Organic, Range::Fraction, SLOT(m.biotr[2])},
    {"biotr_org1", Need::Organic, Range::Fraction, SLOT(m.biotr[3])},
    {"biotr_org2", Need::Organic, Range::Fraction, SLOT(m.biotr[4])},
    {"w_zoo", Need::Organic, Range::Positive, SLOT(m.weight[0])},
    {"w_sec", Need::Organic, Range::Positive, SLOT(m.weight[1])},
    {"w_rnd", Need::Organic, Range::Positive, SLOT(m.weight[2])},
    {"w_org1t", Need::Organic, Range::Positive, SLOT(m.weight[3])},
    {"w_orgd", Need::Organic, Range::Positive, SLOT(m.weight[4])},
};
#undef SLOT

// Empty when the value is sound, else the rule it breaks.
std::string Check(Range r, double v) {
  switch (r) {
    case Range::Positive: return v > 0 ? "" : "it must be positive";
    case Range::NonNegative: return v >= 0 ? "" : "it must not be negative";
    case Range::Fraction: return v >= 0 && v <= 1 ? "" : "it must lie in 0 .. 1";
    // An efficiency above 1 is a typing or estimating error; only the estimator's old 10^0.6 is
    // known to mean 0.6 and is read so below. Silently using 1 would hide the error.
    case Range::Efficiency:
      return (v >= 0 && v <= 1) || std::fabs(v - coef::kAlfaEstimatorValue) <= coef::kAlfaEstimatorTolerance
                 ? ""
                 : "the gill uptake efficiency must lie in 0 .. 1";
    // Lipid, the non-lipid organic matter of the food chain and water make up the organism, so
    // more lipid than that leaves would give a negative water share and a meaningless BCF.
    case Range::Lipid:
      return v > 0 && v <= 1 - coef::kNonLipidFraction ? "" : "the lipid fraction must lie above 0 and at most " + Num(1 - coef::kNonLipidFraction);
    case Range::Temperature: return v >= -5 && v <= 45 ? "" : "it must lie in -5 .. 45 degrees C";
    case Range::LogKoc: return v >= -3 && v <= 12 ? "" : "log Koc must lie in -3 .. 12";
    case Range::LogKow: return v >= -3 && v <= 12 ? "" : "log Kow must lie in -3 .. 12";
    case Range::Density:
      return v > 0 && v < coef::kParticleDensity ? "" : "the dry bulk density must lie between 0 and 2650 kg/m3";
    case Range::Type: return v == 1 || v == 2 ? "" : "1 (metal) or 2 (organic) expected";
  }
  return "";
}

}  // namespace

ModelConstants InterpretConstants(const std::vector<Constant>& constants, const std::string& inputName,
                                  Report* report) {
  std::vector<std::string> errors;
  auto where = [&](const Constant& c) {
    return inputName + ":" + std::to_string(c.line) + ":" + std::to_string(c.col) +
           ": block 7 (process parameters): ";
  };
  std::map<std::string, const Constant*> byName;
  int firstLine = constants.empty() ? 0 : constants.front().line;
  for (const Constant& c : constants) {
    const std::string low = Lower(c.name);
    if (!byName.emplace(low, &c).second) errors.push_back(where(c) + Text(Msg::ConstantTwice, c.name));
    bool known = false;
    for (const Spec& s : kSpecs) known = known || low == Lower(s.name);
    if (!known && report) report->Warn("Constant '" + c.name + "' is not used by the engine.");
  }

  ModelConstants m;
  // The type decides what else is needed.
  int type = 0;
  auto ist = byName.find("istype");
  const std::string blockWhere =
      inputName + ":" + std::to_string(firstLine) + ":1: block 7 (process parameters): ";
  if (ist == byName.end()) {
    errors.push_back(blockWhere + Text(Msg::ConstantMissing, "Istype", "needed for every compound"));
  } else if (std::fabs(ist->second->raw + 99999) < 0.5) {
    errors.push_back(where(*ist->second) + Text(Msg::NoValue, "constant 'Istype'"));
  } else if (!Check(Range::Type, ist->second->value).empty()) {
    errors.push_back(where(*ist->second) + Text(Msg::ConstantRange, ist->second->name, Num(ist->second->value),
                                                 Check(Range::Type, ist->second->value)));
  } else {
    type = static_cast<int>(ist->second->value);
    m.istype = type;
  }

  for (const Spec& s : kSpecs) {
    if (s.range == Range::Type || s.need == Need::Unused) continue;
    const bool needed = s.need == Need::Both || (type == kMetal && s.need == Need::Metal) ||
                        (type == kOrganic && s.need == Need::Organic);
    auto it = byName.find(Lower(s.name));
    if (!needed) {
      if (type == kMetal && it != byName.end() && report &&
          (Lower(s.name) == "rwm" || Lower(s.name) == "rsm") && it->second->value != 0)
        report->Warn("Constant '" + it->second->name + "' is not zero; metals do not degrade, it is ignored.");
      continue;
    }
    const char* why = s.need == Need::Both ? "needed for every compound"
                      : s.need == Need::Metal ? "needed for metals" : "needed for organic compounds";
    if (it == byName.end()) {
      std::string shown = s.name;
      errors.push_back(blockWhere + Text(Msg::ConstantMissing, shown, why));
      continue;
    }
    const Constant& c = *it->second;
    if (std::fabs(c.raw + 99999) < 0.5) {
      errors.push_back(where(c) + Text(Msg::NoValue, "constant '" + c.name + "'"));
      continue;
    }
    const std::string bad = Check(s.range, c.value);
    if (!bad.empty()) {
      errors.push_back(where(c) + Text(Msg::ConstantRange, c.name, Num(c.value), bad));
      continue;
    }
    *s.slot(m) = c.value;
  }

  if (!errors.empty()) {
    std::vector<std::string> more(errors.begin() + 1, errors.end());
    throw EngineError(kExitInvalidInput, errors.front(), more);
  }

  if (type == kOrganic) {
    // Older compound records hold the estimator's 10^0.6 where it meant the efficiency 0.6.
    if (std::fabs(m.alfa - coef::kAlfaEstimatorValue) <= coef::kAlfaEstimatorTolerance) {
      if (report)
        report->Warn("alfa = " + Num(m.alfa) + " is read as the gill uptake efficiency 0.6 (an older estimate of 10^0.6).");
      m.alfa = coef::kAlfaEstimatorMeant;
    }
    if (report && (m.logkow < 4.5 || m.logkow > 8))
      report->Warn("log Kow = " + Num(m.logkow) +
                   " lies outside 4.5 .. 8, the range of the food-chain model; the values are computed anyway.");
    for (int z = 0; z < 4; ++z)
      if (report && m.POC[z] > m.SS[z])
        report->Warn("POC-" + std::to_string(z + 1) + " (" + Num(m.POC[z]) + " mg/l) exceeds SS-" +
                     std::to_string(z + 1) + " (" + Num(m.SS[z]) + " mg/l).");
  }
  return m;
}

}  // namespace engine
