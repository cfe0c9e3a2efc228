// The estuary editor's hydrodynamics: the field texts are checked, converted as the save will
// store them, and handed to the model run's own computation, so the editor shows what a run of
// this estuary will use. Each input problem becomes the warning text the editor shows.
#include "editors/EstuaryHydrodynamics.h"

#include <cmath>
#include <limits>

#include "modelrun/modTulmo.h"
#include "runtime/Format.h"
#include "runtime/Guard.h"
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

std::string NotPositiveWidthAtMouth(const std::string& text) {
  return "Width at mouth (" + text + " m) should be a positive numeric value";
}
std::string NotPositiveWidthAtX(const std::string& text) {
  return "Width at X (" + text + " m) should be a positive numeric value";
}
std::string NotPositiveXfromMouth(const std::string& text) {
  return "Distance X from mouth (" + text + " km) should be a positive numeric value";
}
std::string XBeyondLength(const std::string& x, const std::string& length) {
  return "Distance X from mouth (" + x + " km) should less than the estuary length (" + length + "km)";
}
std::string NegativeRiverFlow(const std::string& text) {
  return "River flow (" + text + " m3/s) should not be negative";
}

std::optional<std::string> Result::Caption(const std::string& label) const {
  std::optional<std::string> last;
  for (const auto& [name, text] : captions)
    if (name == label) last = text;
  return last;
}

namespace {

bool Numeric(const std::string& text) { return vb::IsNumeric(vb::Variant(text)); }
double Dbl(const std::string& text) { return vb::CDbl(vb::Variant(text)); }
float Sng(const std::string& text) { return vb::CSng(vb::Variant(text)); }
double NumberOrZero(const std::string& text) {
  double d = 0;
  return vb::ParseNumber(text, d) ? d : 0;
}

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

// The estuary's inputs as the editor will store them: each text converted to its column's type
// (the salinity stations in whole kilometres), with the save check's corrections when asked for.
modTulmo::EstuaryRecord AsStored(const Inputs& in) {
  double period = Dbl(in.Tidalperiod), flow = Dbl(in.Flowriveravg), depth = Dbl(in.EstDepth);
  double mouth = Dbl(in.Widthmouth), tide = Dbl(in.Tideavg);
  // The least flow and tide hold in every mode: the computation never divides by a vanished one.
  if (flow < 0.01) flow = 0.01;
  if (tide < 0.1) tide = 0.1;
  if (in.corrected) {
    if (mouth > 40000) mouth = 40000;
    if (period <= 0) period = 12.4;
    if (depth <= 0.1) depth = 0.1;
  }
  modTulmo::EstuaryRecord e;
  e.Tidalperiod = vb::CSng(vb::Variant(period));
  e.Flowriveravg = vb::CSng(vb::Variant(flow));
  e.estdepth = depth;
  e.Widthmouth = vb::CSng(vb::Variant(mouth));
  e.WidthAtX = Sng(in.WidthAtX);
  e.Tideavg = tide;
  e.XfromMouth = Dbl(in.XfromMouth);
  e.EstLength = Dbl(in.EstLength);
  e.DispersionOption = in.salinityMethod ? 1 : 0;
  if (in.salinityMethod) {
    e.DispersionX1 = vb::CLng(vb::Variant(in.DispersionX1));
    e.DispersionX2 = vb::CLng(vb::Variant(in.DispersionX2));
    e.Salinitysea = Dbl(in.Salinitysea);
    e.DispersionSalinity1 = Dbl(in.DispersionSalinity1);
    e.DispersionSalinity2 = Dbl(in.DispersionSalinity2);
  }
  return e;
}

// A length in kilometres with the one decimal of its label, or as many more as it takes to show
// it above `limit` (30.04 beside a length of 30 is no "30.0").
std::string LengthAbove(double km, double limit) {
  std::string picture = "###0.0";
  std::string shown = vb::Format(km, picture);
  for (int more = 0; more < 5 && !(NumberOrZero(shown) > limit); ++more) {
    picture += "0";
    shown = vb::Format(km, picture);
  }
  return shown;
}

// A salinity station's distance as stored: whole kilometres, halves to the even neighbour.
double WholeKm(const std::string& text) { return std::nearbyint(Dbl(text)); }

void Compute(const Inputs& in, Result& r, modTulmo::Hydrodynamics& x) {
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
  // Kept in single precision: a number beyond its range would overflow on the way to the run.
  const std::pair<const std::string*, const char*> single[] = {{&in.Tidalperiod, "Tidal period"},
                                                               {&in.Flowriveravg, "River flow"},
                                                               {&in.Widthmouth, "Width at mouth"},
                                                               {&in.WidthAtX, "Width at X"}};
  for (const auto& [text, name] : single)
    if (std::fabs(Dbl(*text)) > std::numeric_limits<float>::max())
      return run.Warn(std::string(name) + " (" + *text + ") is too large");

  // What the save check refuses is named here already: these values would otherwise end in a
  // run-time error box at every keystroke that passes through them ("0" on the way to "0.5").
  if (Dbl(in.Widthmouth) <= 0) return run.Warn(NotPositiveWidthAtMouth(in.Widthmouth));
  if (Dbl(in.WidthAtX) <= 0) return run.Warn(NotPositiveWidthAtX(in.WidthAtX));
  if (Dbl(in.XfromMouth) <= 0) return run.Warn(NotPositiveXfromMouth(in.XfromMouth));
  if (Dbl(in.EstLength) <= 0) return run.Warn(modTulmo::NotPositiveLength(in.EstLength));
  if (Dbl(in.EstLength) < Dbl(in.XfromMouth)) return run.Warn(XBeyondLength(in.XfromMouth, in.EstLength));
  if (Dbl(in.Flowriveravg) < 0) return run.Warn(NegativeRiverFlow(in.Flowriveravg));

  const bool salinity = in.salinityMethod;
  if (salinity) {
    if (!Numeric(in.DispersionX1)) return run.Warn(kX1NotNumeric);
    if (!Numeric(in.DispersionX2)) return run.Warn(kX2NotNumeric);
    const double x1 = WholeKm(in.DispersionX1), x2 = WholeKm(in.DispersionX2), len = Dbl(in.EstLength);
    if (x1 > len) return run.Warn("X1 must be less than estuary length");
    if (x2 < x1) return run.Warn("X1 must be less than X2");
    if (x2 >= len) return run.Warn("X2 must be less than estuary length");
    // At the mouth the measured dispersion is 0, and beta divides by it.
    if (x1 <= 0) return run.Warn(kX1NotPositive);
    if (!Numeric(in.Salinitysea)) return run.Warn("Salinity sea must be numeric");
    if (!Numeric(in.DispersionSalinity1)) return run.Warn(kS1NotNumeric);
    if (!Numeric(in.DispersionSalinity2)) return run.Warn("Salinity S2 must be numeric");
    // The head of the estuary is taken as 1 psu: S2 must lie above it.
    if (Dbl(in.DispersionSalinity2) <= 1) return run.Warn(kSalinityAboveOne);
    if (Dbl(in.DispersionSalinity1) <= Dbl(in.DispersionSalinity2))
      return run.Warn("Salinity zone 2 must be less than salinity zone 1");
  }

  // The run's own computation, on the values as they will be stored.
  const modTulmo::EstuaryRecord e = AsStored(in);
  if (!modTulmo::DeriveHydrodynamics(e, x)) return x.refusal.empty() ? run.Invalidate() : run.Warn(x.refusal);
  if (salinity) {
    run.Set("lblDfix0", vb::DoubleText(x.Dfix[0]));
    run.Set("lblDfix1", vb::DoubleText(x.Dfix[1]));
    run.Set("lblDfix2", vb::DoubleText(x.Dfix[2]));
  }
  if (x.Ls > e.EstLength)
    return run.Warn("Salt intrusion length " + LengthAbove(x.Ls, e.EstLength) +
                    "(km) is larger than length of estuary " + vb::DoubleText(e.EstLength) +
                    " (km). Please increase estuary length.");

  run.Set("lblCalcConvergence", vb::Format(x.a / 1000, "###0.0"));
  run.Set("lblCalcSaltIntrusion", vb::Format(x.Ls, "###0.0"));
  run.Set("lblCalcTidalExcursion", vb::Format(x.E / 1000, "###0.0"));
  run.Set("lblCalcVolume", vb::Format(x.V, "0.0##E+00"));
  run.Set("lblCalcRefreshTime", vb::Format(x.R, "###0.0"));
  run.Set("lblCalcArea", vb::Format(x.A, "0.0##E+00"));
  run.Set("lblCalcEstLength", vb::Format(x.L / 1000, "###0.0"));
  run.Set("lblWidthFraction", vb::DoubleText(70));
  if (!salinity) {
    run.Set("lblDispersionavg", vb::Format(x.D0, "#####0.0"));
  } else {
    const char* picture = x.Dfix[0] + x.Dfix[1] + x.Dfix[2] <= 100000 ? "0.0" : "0.000E+00";
    run.Set("lblDispersionavg", vb::Format(x.Dfix[0], picture));
    run.Set("lblCalcdispersion2", vb::Format(x.Dfix[1], picture));
    run.Set("lblCalcdispersion3", vb::Format(x.Dfix[2], picture));
  }
  run.Set("lblCalcTidalPrism", vb::Format(x.P, "0.0##E+00"));
  run.Set("lblDtra", vb::Format(x.Dtra, "0.00##E+00"));
  run.Set("lblBeta", vb::DoubleText(x.beta));
  r.saveEnabled = true;
}

}  // namespace

Result Calculate(const Inputs& in) {
  Result r;
  modTulmo::Hydrodynamics x;
  const bool ran = vb::Try([&] { Compute(in, r, x); });
  if (x.dfixDerived) r.dfix = x.Dfix;
  if (!ran) {
    const vb::ErrObject& err = vb::Err();
    r.errorMessage = "Error " + std::to_string(err.Number) + " (" + err.Description +
                     ") in procedure CalcUitvoer of Form frmEnvironment";
    r.saveEnabled.reset();
    vb::Err().Clear();
  }
  return r;
}

}  // namespace EstuaryHydrodynamics
