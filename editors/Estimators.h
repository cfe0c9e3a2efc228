// The compound property estimates of the compound editor: Henry coefficient, log Koc, the
// food-chain assimilation parameters and the bioaccumulation validity text. Plain functions, no
// widget; the editor reads its fields, calls these and writes the texts back.
#pragma once
#include <string>

namespace Estimators {

// He = molecular mass x vapour pressure / solubility (Pa.m3/mol). Raises 11 for a solubility of 0.
double HenryCoefficient(double molmass, double vappress, double solubility);
// The text written into the Henry field ("0.000E+00").
std::string HenryText(double he);

enum class KocMethod { Sabljic = 0, Bockting = 1 };
// log Koc from log Kow; Bockting corrects for the dissociation with pKa.
double LogKoc(KocMethod method, double logKow, double pKa = 0);
// The text written into the log Koc field ("0.00E-00").
std::string KocText(double logKoc);

struct BioParameters {
  double AlphaWater;
  double BetaPrey;
  double BetaDet;
};
// The three assimilation parameters of the food chain from log Kow (organic compounds only).
BioParameters CalcBioParameters(double logKow);
// The texts of the three fields: AlphaWater "0.0000E+00", the betas in their default text form.
std::string AlphaWaterText(double alpha);
std::string BetaText(double beta);

// The validity label for the log Kow text; empty when the model applies or the text is empty.
// A text that is no number gives an empty label.
std::string ValidityText(const std::string& kowText, bool organic);

inline constexpr const char* kMetalsNotValid = "Bioaccumulation model not valid for metals";
inline constexpr const char* kKowOutOfRange = "Bioaccumulation model not valid outside log(Kow) range from 4.5-8";

}  // namespace Estimators
