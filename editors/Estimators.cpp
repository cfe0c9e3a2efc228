// The compound property estimates; the ranges are checked by the editor's validation, not here.
#include "editors/Estimators.h"

#include "runtime/Format.h"
#include "runtime/Math.h"
#include "runtime/Variant.h"
#include "services/Useful.h"

namespace Estimators {

double HenryCoefficient(double molmass, double vappress, double solubility) {
  return vb::Div(vb::Checked(molmass * vappress), solubility);
}

std::string HenryText(double he) { return vb::Format(he, "0.000E+00"); }

double LogKoc(KocMethod method, double logKow, double pKa) {
  if (method == KocMethod::Sabljic) return 0.81 * logKow + 0.1;
  const double kow = vb::Pow(10, logKow);
  return Useful::Log10(vb::Checked(kow * vb::Div(1, 1 + vb::Pow(10, 8 - pKa))));
}

std::string KocText(double logKoc) { return vb::Format(logKoc, "0.00E-00"); }

BioParameters CalcBioParameters(double logKow) {
  // The band limit 6.25 belongs to the lower band. The lower band's gill efficiency is 0.6, the
  // upper band's formula at its limit; 10^0.6 (3.98) would be no efficiency at all.
  if (logKow <= 6.25) return {0.6, 0.5, 0.35};
  return {vb::Pow(10, 2.9 - 0.5 * logKow), 0.65, 0.35};
}

std::string AlphaWaterText(double alpha) { return vb::Format(alpha, "0.0000E+00"); }
std::string BetaText(double beta) { return vb::DoubleText(beta); }

std::string ValidityText(const std::string& kowText, bool organic) {
  if (kowText.empty()) return {};
  if (!organic) return kMetalsNotValid;
  double l = 0;
  if (!vb::ParseNumber(kowText, l)) return {};
  return (l < 4.5 || l > 8) ? kKowOutOfRange : std::string{};
}

}  // namespace Estimators
