// The estuary's derived hydrodynamics: convergence length, area, volume, tide, dispersion
// (computed, or from two salinity measurements), salt intrusion, flushing time. One computation
// serves the grid writer (through GridParameters and DispersionCalc) and the estuary editor.
#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <string_view>

#include "modelrun/internal.h"
#include "modelrun/modTulmo.h"
#include "runtime/Format.h"
#include "runtime/Math.h"
#include "runtime/Variant.h"

namespace modTulmo {
namespace {

using vb::Checked;
using vb::Div;
using vb::Exp;
using vb::Log;
using vb::Pow;
using vb::Sqr;

// The value that its picture's text reads back as.
double Rounded(double value, std::string_view picture) {
  double out = 0;
  if (!vb::ParseNumber(vb::Format(value, picture), out)) vb::Raise(13);
  return out;
}

// Stores a derived pass, the rounded quantities as their pictures' texts read back.
void Store(const Hydrodynamics& x, bool measured) {
  GridParametersRecord& g = GridParameters;
  g.CalcConvergence = Rounded(x.a / 1000, "###0.0");
  g.CalcSaltIntrusion = Rounded(x.Ls, "###0.0");
  g.CalcTidalExcursion = Rounded(x.E / 1000, "###0.0");
  g.CalcVolume = Rounded(x.V, "0.0##E+00");
  g.CalcRefreshTime = Rounded(x.R, "###0.0");
  g.CalcArea = Rounded(x.A, "0.0##E+00");
  g.CalcEstLength = Rounded(x.L / 1000, "###0.0");
  g.WidthFraction = 70;
  if (measured) {
    g.Dispersion1 = Rounded(x.Dfix[0], "#####0.0");
    g.Dispersion2 = Rounded(x.Dfix[1], "#####0.0");
    g.Dispersion3 = Rounded(x.Dfix[2], "#####0.0");
  } else {
    g.Dispersion1 = Rounded(x.D0, "#####0.0");
  }
  g.CalcTidalPrism = Rounded(x.P, "0.0##E+00");
  g.Dtra = Rounded(x.Dtra, "0.00##E+00");
  g.Beta = x.beta;
}

// What a pass derived before it failed stays, as if stored on the way.
void KeepPartial(const Hydrodynamics& x) {
  if (x.dcDerived) DispersionCalc = x.Dc;
  if (!x.dfixDerived) return;
  GridParameters.Dfix0 = x.Dfix[0];
  GridParameters.Dfix1 = x.Dfix[1];
  GridParameters.Dfix2 = x.Dfix[2];
}

// A refused check: the reason, and nothing derived.
bool Refuse(Hydrodynamics& x, std::string reason, bool geometry = false) {
  x.refusal = std::move(reason);
  x.geometryRefused = geometry;
  return false;
}

}  // namespace

std::string NotPositiveLength(const std::string& lengthText) {
  return "Estuary length (" + lengthText + " km) should be a positive numeric value";
}

std::string HeadWidthBelowFloor(double width) {
  // Enough digits that a width just below the floor never shows as the floor itself.
  const std::string shown = width >= 1      ? vb::Format(width, "0.00")
                            : width >= 0.001 ? vb::Format(width, "0.000")
                                             : vb::Format(width, "0.0E+00");
  return "Width at the head of the estuary (" + shown + " m) must be at least " + vb::DoubleText(kHeadWidthFloor) +
         " m: shorten the Estuary length or raise the Width at X";
}

bool DeriveHydrodynamics(const EstuaryRecord& e, Hydrodynamics& x) {
  x = {};
  const bool measured = e.DispersionOption != 0;
  const bool measuredInputs = e.DispersionOption == 1;

  // Inputs through their decimal text; each must be a number.
  const double inTidalperiod = detail::Widen(e.Tidalperiod);
  const double inFlow = detail::Widen(e.Flowriveravg);
  const double inDepth = detail::Widen(e.estdepth);
  const double inWidthmouth = detail::Widen(e.Widthmouth);
  const double inWidthAtX = detail::Widen(e.WidthAtX);
  const double inTide = detail::Widen(e.Tideavg);
  const double inX = detail::Widen(e.XfromMouth);
  for (double v : {inTidalperiod, inFlow, inDepth, inWidthmouth, inWidthAtX, inTide, inX})
    if (!std::isfinite(v)) return false;
  double inX1 = 0, inX2 = 0, S0 = 0, S1 = 0, S2 = 0;
  if (measuredInputs) {
    inX1 = e.DispersionX1;
    inX2 = e.DispersionX2;
    S0 = detail::Widen(e.Salinitysea);
    S1 = detail::Widen(e.DispersionSalinity1);
    S2 = detail::Widen(e.DispersionSalinity2);
    for (double v : {S0, S1, S2})
      if (!std::isfinite(v)) return false;
  }

  const double T = Checked(inTidalperiod / 24 * 86400);
  const double Q = inFlow, h = inDepth, B0 = inWidthmouth, Bx = inWidthAtX, H = inTide;
  const double xw = Checked(inX * 1000);
  const double X1 = Checked(inX1 * 1000), X2 = Checked(inX2 * 1000);

  // Salinity must fall and the width narrow going upstream.
  if (measuredInputs) {
    if (S1 >= S0)
      return Refuse(x, "Salinity S1 (" + vb::DoubleText(S1) + " psu) must be less than the salinity at mouth (" +
                           vb::DoubleText(S0) + " psu)");
    if (S2 >= S1) return Refuse(x, "Salinity zone 2 must be less than salinity zone 1");
    if (X1 >= X2) return Refuse(x, "X1 must be less than X2");
  }
  if (Bx >= B0)
    return Refuse(x, "Width at X (" + vb::DoubleText(Bx) + " m) must be less than the width at mouth (" +
                         vb::DoubleText(B0) + " m): the estuary narrows upstream");
  if (!(e.EstLength > 0)) return Refuse(x, NotPositiveLength(vb::DoubleText(e.EstLength)), true);

  // Geometry, for the width law B(s) = B0 e^(-s/a) over 0 <= s <= L.
  const double a = Div(-xw, Log(Div(Bx, B0)));
  const double A0 = Checked(B0 * h);
  const double L = Checked(e.EstLength * 1000);
  // The narrowest width is at the head; the grid lays it out with the convergence length rounded
  // to 0.1 km, so that one counts as well.
  if (a > 0) {
    const double aGrid = Rounded(a / 1000, "###0.0") * 1000;
    const double head = std::min(B0 * std::exp(-L / a), aGrid > 0 ? B0 * std::exp(-L / aGrid) : 0.0);
    if (!(head >= kHeadWidthFloor)) return Refuse(x, HeadWidthBelowFloor(head), true);
  }
  const double A = Checked(Checked(-B0 * a) * Exp(Div(-L, a)) + B0 * a);
  x.a = a;
  x.A0 = A0;
  x.L = L;
  x.A = A;

  // Tide.
  const double Qt = Div(Checked(H * A), 0.5 * T);
  x.P = Checked(H * A);
  const double U = Div(Qt, A0);
  const double E = Checked(U * T / 2);
  x.E = E;

  const double Dc =
      Checked(Checked(Div(220 * h, a) * Sqr(Div(Checked(E * T * 9.8 * h), Checked(Q * A0)))) * Q);
  x.Dc = Dc;
  x.dcDerived = true;

  double D0 = Dc;
  if (measured) {
    const double lnS10 = Log(Div(S1, S0));
    const double u0 = Div(Q, A0);
    const double uX1 = Div(Q, Checked(A0 * Exp(Div(-X1, a))));
    D0 = Div(Checked((u0 + uX1) / 2 * -X1), lnS10);
    x.Dfix[0] = Div(Checked(Div(Checked(a * Q), A0) * (1 - Exp(Div(X1, a)))), lnS10);
    x.Dfix[1] = Div(Checked(Div(Checked(a * Q), Checked(A0 * Exp(Div(-X1, a)))) * (1 - Exp(Div(X2 - X1, a)))),
                    Log(Div(S2, S1)));
    // Above X2 the salinity is taken as 1 at the head.
    x.Dfix[2] = Div(Checked(Div(Checked(a * Q), Checked(A0 * Exp(Div(-X2, a)))) * (1 - Exp(Div(L - X2, a)))),
                    Log(Div(1, S2)));
    x.dfixDerived = true;
  }
  x.D0 = D0;

  // Van der Burgh coefficient; the salt intrusion always uses the computed dispersion.
  const double K = Div(4.38 * Pow(h, 0.36), Checked(Pow(a, 0.14) * Pow(B0, 0.21)));
  x.beta = Div(Checked(K * a * Q), Checked(A0 * D0));
  x.betaC = Div(Checked(K * a * Q), Checked(A0 * Dc));
  x.V = Checked(h * A);
  x.R = Div(Div(Checked(0.4 * L * L), D0), 86400);
  x.Ls = Checked(a * Log(Checked(1 + Div(1, x.betaC))) / 1000);
  x.Dtra = 1.5 * h * 0.05;
  return true;
}

bool CalcGridParameters() {
  Hydrodynamics x;
  bool derived = false;
  const bool ran = detail::RunWithOwnMessage(" in procedure CalcGridParameters of Module modTulmo", [&] {
    derived = DeriveHydrodynamics(CurrentEstuary, x);
    KeepPartial(x);
    if (derived) Store(x, CurrentEstuary.DispersionOption != 0);
  });
  if (!ran) {
    KeepPartial(x);
    return false;
  }
  if (!derived) {
    GridParameters = {};
    // A grid on this geometry would divide by its vanished cells: say which field to mend.
    if (x.geometryRefused) ui::MsgBox(x.refusal);
  }
  return derived;
}

}  // namespace modTulmo
