// The estuary editor's hydrodynamics. The formulas are those the model run uses for its grid; here
// they read the field texts, raise the small flows and tides that would break them, and report
// each input problem as the warning text the editor shows.
#include "editors/EstuaryHydrodynamics.h"

#include <cmath>

#include "modelrun/modTulmo.h"
#include "runtime/Format.h"
#include "runtime/Guard.h"
#include "runtime/Math.h"
#include "runtime/Variant.h"
#include "runtime/VbError.h"

namespace EstuaryHydrodynamics {

std::array<double, 3> DfixValues{};

void StoreDfix(const std::array<double, 3>& dfix) {
  DfixValues = dfix;
  modTulmo::GridParameters.Dfix0 = dfix[0];
  modTulmo::GridParameters.Dfix1 = dfix[1];
  modTulmo::GridParameters.Dfix2 = dfix[2];
}

std::optional<std::string> Result::Caption(const std::string& label) const {
  std::optional<std::string> last;
  for (const auto& [name, text] : captions)
    if (name == label) last = text;
  return last;
}

namespace {

using vb::Checked;
using vb::Div;
using vb::Exp;
using vb::Log;
using vb::Pow;
using vb::Sqr;

bool Numeric(const std::string& text) { return vb::IsNumeric(vb::Variant(text)); }
double Dbl(const std::string& text) { return vb::CDbl(vb::Variant(text)); }
float Sng(const std::string& text) { return vb::CSng(vb::Variant(text)); }

class Run {
 public:
  explicit Run(Result& r) : r_(r) {}
  void Set(const char* label, std::string text) { r_.captions.emplace_back(label, std::move(text)); }
  // Empties the results and forbids the save.
  void Invalidate() {
    for (const char* l : {"lblCalcConvergence", "lblCalcSaltIntrusion", "lblCalcTidalExcursion", "lblCalcVolume",
                          "lblCalcRefreshTime", "lblCalcArea", "lblCalcEstLength", "lblCalcTidalPrism"})
      Set(l, "");
    r_.saveEnabled = false;
  }
  void Warn(std::string message) {
    Set("lblWarning", std::move(message));
    Invalidate();
  }

 private:
  Result& r_;
};

void Compute(const Inputs& in, Result& r) {
  Run run(r);
  for (const char* l : {"lblCalcConvergence", "lblCalcSaltIntrusion", "lblCalcTidalExcursion", "lblCalcVolume",
                        "lblCalcRefreshTime", "lblCalcArea", "lblCalcEstLength", "lblDispersionavg",
                        "lblCalcdispersion2", "lblCalcdispersion3", "lblDfix0", "lblDfix1", "lblDfix2", "lblDtra",
                        "lblWarning"})
    run.Set(l, "");

  const std::pair<const std::string*, const char*> required[] = {
      {&in.Tidalperiod, "Tidal period must be numeric"}, {&in.Flowriveravg, "River flow must be numeric"},
      {&in.EstDepth, "Estuary depth must be numeric"},   {&in.Widthmouth, "Width at mouth must be numeric"},
      {&in.WidthAtX, "Width at X must be numeric"},      {&in.EstLength, "Estuary length must be numeric"},
      {&in.Tideavg, "Tide must be numeric"},             {&in.XfromMouth, "X from mouth must be numeric"}};
  for (const auto& [text, message] : required)
    if (!Numeric(*text)) return run.Warn(message);

  const bool salinity = in.salinityMethod;
  if (salinity) {
    if (!Numeric(in.DispersionX1) || !Numeric(in.DispersionX2)) return run.Invalidate();
    const float x1 = Sng(in.DispersionX1), x2 = Sng(in.DispersionX2), len = Sng(in.EstLength);
    if (x1 > len) return run.Warn("X1 must be less than estuary length");
    if (x2 < x1) return run.Warn("X1 must be less than X2");
    if (x2 >= len) return run.Warn("X2 must be less than estuary length");
    if (!Numeric(in.Salinitysea)) return run.Warn("Salinity sea must be numeric");
    if (!Numeric(in.DispersionSalinity1)) return run.Invalidate();
    if (!Numeric(in.DispersionSalinity2)) return run.Warn("Salinity S2 must be numeric");
    if (Sng(in.DispersionSalinity1) <= Sng(in.DispersionSalinity2))
      return run.Warn("Salinity zone 2 must be less than salinity zone 1");
  }

  const double T = Dbl(in.Tidalperiod) / 24 * 86400;
  double Q = Dbl(in.Flowriveravg);
  if (Q < 0.01) Q = 0.01;
  const double H = Dbl(in.EstDepth);
  const double B0 = Dbl(in.Widthmouth);
  const double Bx = Dbl(in.WidthAtX);
  const float L = Sng(in.EstLength);
  const float Lm = L * 1000.0f;
  double h = Dbl(in.Tideavg);
  if (h < 0.1) h = 0.1;
  const double X = Checked(Dbl(in.XfromMouth) * 1000);
  double X1 = 0, X2 = 0, S1 = 0, S2 = 0, Ss = 0;
  if (salinity) {
    X1 = Checked(Dbl(in.DispersionX1) * 1000);
    X2 = Checked(Dbl(in.DispersionX2) * 1000);
    S1 = Dbl(in.DispersionSalinity1);
    S2 = Dbl(in.DispersionSalinity2);
    Ss = Dbl(in.Salinitysea);
    if (S1 >= Ss || S2 >= S1 || X1 >= X2) return run.Invalidate();
  }
  if (Bx >= B0) return run.Invalidate();  // the estuary must narrow upstream

  // Geometry and tide, in metres and seconds.
  const double W = 70;
  const double a = Div(-X, Log(Div(Bx, B0)));
  const double A0 = Checked(H * B0);
  const double Ar = Checked(Checked(-B0 * a) * Exp(Div(-static_cast<double>(Lm), a)) + B0 * a);
  const double P = Checked(h * Ar);
  const double Qt = Div(P, 0.5 * T);
  const double u = Div(Qt, A0);
  const double E = Checked(u * T / 2);

  const double D0 = Checked(Checked(Div(220 * H, a) * Sqr(Div(Checked(E * T * 9.8 * H), Checked(Q * A0)))) * Q);
  double D = D0;
  std::array<double, 3> dfix{};
  if (salinity) {
    const auto area = [&](double x) { return Checked(A0 * Exp(Div(-x, a))); };
    const auto c = [&](double x) { return Div(Checked(Q * a), area(x)); };
    const double lnS1 = Log(Div(S1, Ss));
    D = Div(Checked(-X1 * (Div(Q, area(X1)) + Div(Q, area(0)))) / 2, lnS1);
    dfix[0] = Div(Checked(c(0) - c(0) * Exp(Div(X1, a))), lnS1);
    dfix[1] = Div(Checked(c(X1) - c(X1) * Exp(Div(X2 - X1, a))), Log(Div(S2, S1)));
    dfix[2] = Div(Checked(c(X2) - c(X2) * Exp(Div(static_cast<double>(Lm) - X2, a))), Log(Div(1, S2)));
    r.dfix = dfix;
    run.Set("lblDfix0", vb::DoubleText(dfix[0]));
    run.Set("lblDfix1", vb::DoubleText(dfix[1]));
    run.Set("lblDfix2", vb::DoubleText(dfix[2]));
  }

  const double K = Div(Div(4.38 * Pow(H, 0.36), Pow(B0, 0.21)), Pow(a, 0.14));
  const double beta = Div(Checked(K * a * Q), Checked(D * A0));
  const double beta0 = Div(Checked(K * a * Q), Checked(D0 * A0));
  const double V = Checked(Ar * H);
  const double lm = static_cast<double>(Lm);
  const double F = Div(Div(Checked(0.4 * lm * lm), D0), 86400);
  const double Ls = Checked(a * Log(Checked(Div(1, beta0) + 1)) / 1000);
  const double Dtra = 1.5 * H * 0.05;
  if (Ls > static_cast<double>(L))
    return run.Warn("Salt intrusion length " + vb::DoubleText(Ls) + "(km) is larger than length of estuary " +
                    vb::SingleText(L) + " (km). Please increase estuary length.");

  run.Set("lblCalcConvergence", vb::Format(a / 1000, "###0.0"));
  run.Set("lblCalcSaltIntrusion", vb::Format(Ls, "###0.0"));
  run.Set("lblCalcTidalExcursion", vb::Format(E / 1000, "###0.0"));
  run.Set("lblCalcVolume", vb::Format(V, "0.0##E+00"));
  run.Set("lblCalcRefreshTime", vb::Format(F, "###0.0"));
  run.Set("lblCalcArea", vb::Format(Ar, "0.0##E+00"));
  run.Set("lblCalcEstLength", vb::Format(static_cast<double>(L), "###0.0"));
  run.Set("lblWidthFraction", vb::DoubleText(W));
  if (!salinity) {
    run.Set("lblDispersionavg", vb::Format(D0, "#####0.0"));
  } else {
    const char* picture = dfix[0] + dfix[1] + dfix[2] <= 100000 ? "0.0" : "0.000E+00";
    run.Set("lblDispersionavg", vb::Format(dfix[0], picture));
    run.Set("lblCalcdispersion2", vb::Format(dfix[1], picture));
    run.Set("lblCalcdispersion3", vb::Format(dfix[2], picture));
  }
  run.Set("lblCalcTidalPrism", vb::Format(P, "0.0##E+00"));
  run.Set("lblDtra", vb::Format(Dtra, "0.00##E+00"));
  run.Set("lblBeta", vb::DoubleText(beta));
  r.saveEnabled = true;
}

}  // namespace

Result Calculate(const Inputs& in) {
  Result r;
  if (!vb::Try([&] { Compute(in, r); })) {
    const vb::ErrObject& err = vb::Err();
    r.errorMessage = "Error " + std::to_string(err.Number) + " (" + err.Description +
                     ") in procedure CalcUitvoer of Form frmEnvironment";
    r.saveEnabled.reset();
    vb::Err().Clear();
  }
  return r;
}

}  // namespace EstuaryHydrodynamics
