// The default grid follows the grid writer's rules (single-precision working values, the along
// dispersion floored at |F| dx / (2 A), the tables' number pictures), so the engine is tested on
// what the application hands it, not on a cleaned-up version of it.
#include "Fixture.h"

#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <random>
#include <sstream>

#include "engine/Messages.h"
#include "engine/Steps.h"
#include "engine/WorkFile.h"

namespace fs = std::filesystem;

namespace fixture {

namespace {

double Round1(double v) { return std::round(v * 10.0) / 10.0; }
double RoundSig(double v, int sig) {
  if (v == 0) return 0;
  const double e = std::floor(std::log10(std::fabs(v)));
  const double f = std::pow(10.0, sig - 1 - e);
  return std::round(v * f) / f;
}

std::string Int6(int v) {
  char b[16];
  std::snprintf(b, sizeof b, "%6d", v);
  return b;
}

void PutI32(std::string& s, int32_t v) {
  uint32_t u;
  std::memcpy(&u, &v, 4);
  for (int i = 0; i < 4; ++i) s.push_back(static_cast<char>((u >> (8 * i)) & 0xff));
}
void PutF32(std::string& s, double v) {
  const float f = static_cast<float>(v);
  uint32_t u;
  std::memcpy(&u, &f, 4);
  for (int i = 0; i < 4; ++i) s.push_back(static_cast<char>((u >> (8 * i)) & 0xff));
}

std::string SciImpl(double v, bool plus) {
  if (v == 0) return plus ? "0.00E+00" : "0.00E0";
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.4E", v);
  std::string s = buf;
  const size_t e = s.find('E');
  std::string mant = s.substr(0, e);
  int exp = std::stoi(s.substr(e + 1));
  while (mant.size() > 1 && mant.back() == '0' && mant.size() - mant.find('.') > 3) mant.pop_back();
  std::string ex;
  if (plus) {
    char b[16];
    std::snprintf(b, sizeof b, "%c%02d", exp < 0 ? '-' : '+', std::abs(exp));
    ex = b;
  } else {
    ex = std::to_string(exp);
  }
  return mant + "E" + ex;
}

}  // namespace

std::string Sci(double v) { return SciImpl(v, false); }
std::string SciPlus(double v) { return SciImpl(v, true); }
std::string Fixed(double v, int decimals) {
  char b[64];
  std::snprintf(b, sizeof b, "%.*f", decimals, v);
  return b;
}

Grid DefaultEstuaryGrid(const Estuary& e, GridDerived* derived) {
  // Grid parameters (dispersion option 0).
  const double T = e.Tidalperiod / 24 * 86400;
  const double Q = e.Flowriveravg, h = e.estdepth, B0 = e.Widthmouth, Bx = e.WidthAtX, H = e.Tideavg;
  const double x = e.XfromMouth * 1000;
  const double a = -x / std::log(Bx / B0);
  const double A0 = B0 * h;
  const double L = e.EstLength * 1000;
  const double area = (-B0 * a) * std::exp(-L / a) + B0 * a;
  const double Qt = H * area / (0.5 * T);
  const double U = Qt / A0;
  const double E = U * T / 2;
  const double Dc = (220 * h / a) * std::pow(E * T * 9.8 * h / (Q * A0), 0.5) * Q;
  const double K = 4.38 * std::pow(h, 0.36) / (std::pow(a, 0.14) * std::pow(B0, 0.21));
  const double beta = K * a * Q / (A0 * Dc);
  const double calcConvergence = Round1(a / 1000);
  const double dispersion1 = Round1(Dc);
  const double dtra = RoundSig(1.5 * h * 0.05, 5);

  // Grid writer.
  const float fB0 = static_cast<float>(B0), fh = static_cast<float>(h), fQ = static_cast<float>(Q);
  const float fL = static_cast<float>(e.EstLength * 1000);
  const double dx = static_cast<double>(fL) / 50;
  const float fa = static_cast<float>(calcConvergence);
  const double aM = static_cast<double>(fa) * 1000;
  const double ema = e.EnvMarineDepth * e.EnvMarineWidth;
  const double emf = e.EnvMarineCurrent * ema;
  float X[53], Y1[53], Y2[53];
  for (int n = 1; n <= 52; ++n) {
    X[n] = static_cast<float>((n - 1) * dx + 0.1f);
    const float Bn = static_cast<float>(fB0 * std::exp(-X[n] / aM));
    Y1[n] = (fB0 - Bn) / 2 + 0.1f;
    Y2[n] = 1 * Bn / 10 + Y1[n];
  }
  auto lga = [](int m, int n) {
    if (m < 2 || m > 11) return 0;
    if (n == 1) return 1;
    if (n == 52) return -1;
    if (n >= 2 && n <= 51) return (n - 2) * 10 + m;
    return 0;
  };
  Grid g;
  g.noq[0] = 452;
  g.noq[1] = 511;
  g.V.assign(501, 0);
  g.S.assign(501, 0);
  g.V[0] = e.EnvMarineLength * e.EnvMarineWidth * e.EnvMarineDepth;
  g.S[0] = e.EnvMarineLength * e.EnvMarineWidth;
  std::vector<float> laneW(53, 0);
  for (int n = 2; n <= 51; ++n) {
    laneW[n] = ((Y2[n - 1] - Y1[n - 1]) + (Y2[n] - Y1[n])) / 2;
    for (int m = 2; m <= 11; ++m) {
      const int s = lga(m, n);
      g.S[s - 1] = static_cast<float>(laneW[n] * dx);
      g.V[s - 1] = laneW[n] * dx * fh;
    }
  }
  g.ex.assign(963, Exch{});
  for (int n = 2; n <= 51; ++n)
    for (int m = 2; m <= 10; ++m) {
      Exch& x = g.ex[(n - 2) * 9 + (m - 1) - 1];
      x = {lga(m, n), lga(m + 1, n), lga(m - 1, n), lga(m + 2, n), dtra, static_cast<float>(fh * dx), 0,
           laneW[n] / 2, laneW[n] / 2};
    }
  const float half = static_cast<float>(e.EnvMarineLength / 2);
  g.ex[450] = {-2, 1, 0, -4, Dc, static_cast<float>(ema), static_cast<float>(emf), half, half};
  g.ex[451] = {1, -4, -2, 0, Dc, static_cast<float>(ema), static_cast<float>(fQ + emf), half, half};
  const float D1 = static_cast<float>(dispersion1), fbeta = static_cast<float>(beta);
  for (int n = 2; n <= 52; ++n)
    for (int m = 2; m <= 11; ++m) {
      Exch& x = g.ex[452 + (n - 2) * 10 + (m - 1) - 1];
      const float A = fh * (Y2[n - 1] - Y1[n - 1]);
      const float F = -fQ / 10;
      const double Dmin = (F * (-dx)) / A / 2;
      const double Dx = D1 * (1 - fbeta * (std::exp(X[n] / aM) - 1));
      x = {lga(m, n - 1), lga(m, n), n > 2 ? lga(m, n - 2) : 0, n < 52 ? lga(m, n + 1) : 0,
           std::max(Dmin, Dx), A, F, static_cast<float>(dx / 2), static_cast<float>(dx / 2)};
    }
  const float half3 = static_cast<float>(e.EnvMarineWidth / 2);
  g.ex[962] = {-3, 1, 0, 2, Dc, static_cast<float>(e.EnvMarineLength * e.EnvMarineDepth), 0, half3, half3};
  if (derived) *derived = {aM, dispersion1, Dc, beta, K, dx, A0};
  return g;
}

std::vector<std::pair<std::string, std::string>> DefaultConstants() {
  const double mm = 290;  // g/mol
  return {{"Istype", "2"},
          {"Kd    ", Sci(0)},
          {"KPOC", Sci(5.5)},
          {"XDOC", "0.16"},
          {"He  ", Sci(30)},
          {"Kl  ", SciPlus(std::sqrt(48.0) * 4.8 / std::sqrt(mm))},
          {"Kg  ", SciPlus(std::sqrt(18.0) * 720 / std::sqrt(mm))},
          {"RWM ", Sci(0.001)},
          {"RSM ", Sci(0.0005)},
          {"Vsed", "1.00"},
          {"Temp", "12.00"},
          {"Atmos", SciPlus(100)},
          {"SS-1  ", "30.00"},
          {"SS-2  ", "80.00"},
          {"SS-3  ", "40.00"},
          {"SS-4  ", "5.00"},
          {"POC-1 ", "1.50"},
          {"POC-2 ", "3.00"},
          {"POC-3 ", "1.50"},
          {"POC-4 ", "0.30"},
          {"DOC-1 ", "6.00"},
          {"DOC-2 ", "4.00"},
          {"DOC-3 ", "3.00"},
          {"DOC-4 ", "1.50"},
          {"MLAAG-1", "0.10"},
          {"MLAAG-2", "0.10"},
          {"MLAAG-3", "0.10"},
          {"MLAAG-4", "0.10"},
          {"FRCSED-1", "0.04"},
          {"FRCSED-2", "0.03"},
          {"FRCSED-3", "0.02"},
          {"FRCSED-4", "0.01"},
          {"DENSED", "1000"},
          {"CBACK", "1.000E-02"},
          {"O2-1", "8.000"},
          {"O2-2", "7.000"},
          {"O2-3", "8.000"},
          {"chl-1", "10.000"},
          {"chl-2", "15.000"},
          {"chl-3", "5.000"},
          {"phy-1", "0.5000"},
          {"phy-2", "0.8000"},
          {"phy-3", "0.3000"},
          {"zoo-1", "0.1000"},
          {"zoo-2", "0.2000"},
          {"zoo-3", "0.1000"},
          {"logkow", "6.50E+00"},
          {"alfa", "0.4467"},
          {"lip", "0.045"},
          {"betaprey", "0.50"},
          {"betadet", "0.25"},
          {"biotr_zoo", "0.000"},
          {"biotr_sec", "0.000"},
          {"biotr_rnd", "0.000"},
          {"biotr_org1", "0.000"},
          {"biotr_org2", "0.000"},
          {"w_zoo", "10.0000"},
          {"w_sec", "100.0000"},
          {"w_rnd", "100.0000"},
          {"w_org1t", "500.0000"},
          {"w_orgd", "50.0000"}};
}

namespace {
std::string Trimmed(std::string n) {
  while (!n.empty() && n.back() == ' ') n.pop_back();
  return n;
}
}  // namespace

void SetConstant(Input& in, const std::string& given, const std::string& value) {
  const std::string name = Trimmed(given);
  for (auto& c : in.constants) {
    std::string n = c.first;
    while (!n.empty() && n.back() == ' ') n.pop_back();
    if (n == name) {
      c.second = value;
      return;
    }
  }
  in.constants.emplace_back(name, value);
}

void RemoveConstant(Input& in, const std::string& given) {
  const std::string name = Trimmed(given);
  for (size_t i = 0; i < in.constants.size(); ++i) {
    std::string n = in.constants[i].first;
    while (!n.empty() && n.back() == ' ') n.pop_back();
    if (n == name) {
      in.constants.erase(in.constants.begin() + static_cast<long>(i));
      return;
    }
  }
}

Input DefaultInput(const Grid& g, const Estuary& e) {
  Input in;
  in.noseg = g.Noseg();
  for (int i = 0; i < 3; ++i) in.noq[i] = g.noq[i];
  in.defaultLayout = true;
  Area est{"estuary             ", {}};
  for (int s = 2; s <= 501; ++s) est.segments.push_back(s);
  in.areas.push_back(est);
  in.areas.push_back({"Marine", {1}});
  for (int k = 0; k < 25; ++k) in.areas.push_back({"(7," + std::to_string(2 + 2 * k) + ")", {6 + 20 * k}});
  in.boundaryNames = {"river site  ", "marine south", "marine west ", "marine north"};
  const double river = 0.05, sea = 0.001;
  in.boundaries = {{1, river, 1000}, {e.Salinitysea, sea, 0}, {e.Salinitysea, sea, 0}, {e.Salinitysea, sea, 0}};
  in.loads = {{1, "marine", 0}, {62, "Site 12%", 0}, {132, "Site 25%", 500}, {252, "Site 50%", 0}, {372, "Site 75%", 0}};
  in.constants = DefaultConstants();
  return in;
}

std::string PirselText(const Input& in) {
  std::vector<std::string> L;
  auto add = [&](const std::string& s) { L.push_back(s); };
  add("200 132 ';'    ; width of input and output, comment TULMO");
  add(";");
  add("; Type of CORVIX input file:");
  add("; CORVIX_VERSION_4.30");
  add("; Option for printing the report: verbose");
  add("; PRINT_OUTPUT_OPTION_4");
  add("     ");
  add("; Warning: block 7 uses a feature of CORVIX1 version 4.36!");
  add("      ");
  add("; first block: identification");
  add("'" + in.description + " - with marine box'");
  add("''");
  add("''");
  add("'T0: 2000.01.01 00:00:00 (scu =       1s)'");
  add(";");
  add("; substances file: tracers.sub");
  add("; hydrodynamic file:");
  add(";");
  add("; areachar.dat: test.srf");
  add(";");
  add("          3  0    ; number of active and inactive substances");
  add("; Index  Name");
  add("1         'Salinity'");
  add("2         '" + in.compound + "'");
  add("3         'Retention'");
  add(";");
  add("#1 ; delimiter for the first block");
  add(";");
  add("; second block of model input (timers)");
  add(";");
  add("; integration timers");
  add(";");
  add("1       'ddhhmmss' ' ' ; system clock in sec, aux in days");
  add(" 7.42                  ; integration option");
  add("; ddhhmmss");
  add("         0      ; start time");
  add("         1      ; stop time");
  add(";");
  add("   1 ; info in this file");
  char buf[256];
  std::snprintf(buf, sizeof buf, "  %d  ; number of areas", static_cast<int>(in.areas.size()));
  add(buf);
  for (size_t a = 0; a < in.areas.size(); ++a) {
    const Area& ar = in.areas[a];
    if (a == 0 || !in.defaultLayout) {
      add("'" + ar.name + "' ; name area number:     " + std::to_string(a + 1));
      std::snprintf(buf, sizeof buf, "   %d ; number of segments in area", static_cast<int>(ar.segments.size()));
      add(buf);
      std::string line;
      for (size_t i = 0; i < ar.segments.size(); ++i) {
        line += (line.empty() ? "" : " ") + std::to_string(ar.segments[i]);
        if (ar.segments[i] % 10 == 0 || i + 1 == ar.segments.size()) add(line), line.clear();
      }
    } else if (a == 1) {
      add("  'Marine' 1  1   ;");
    } else {
      const int k = static_cast<int>(a) - 2;
      const int seg = ar.segments[0];
      if (k == 0) add("'(7,2)'  1  6  ;");
      else if (k <= 3) add("  '(7," + std::to_string(2 + 2 * k) + ")'  1  " + std::to_string(seg) + " ;");
      else if (k == 4) add("  '(7,10)' 1  86  ;");
      else add("  '(7," + std::to_string(2 + 2 * k) + ")' 1 " + std::to_string(seg) + "  ;");
    }
  }
  add("    2           ; no transects");
  add(";");
  add("#2 ; delimiter for the second block");
  add(";");
  add("; third block of model input (grid layout)");
  add(" " + std::to_string(in.noseg) + "      ; number of segments");
  add(" 2        ; grid layout not used");
  add(" 0");
  add(" 0");
  add(";");
  add("; volumes");
  add(";");
  add(" 0  ; first volume option");
  add("'test.vol'  ; volumes file");
  add(";");
  add("#3 ; delimiter for the third block");
  add(";");
  add("; fourth block of model input (transport)");
  std::snprintf(buf, sizeof buf, "   %d    %d      %d ; nr of exchanges in 3 directions", in.noq[0], in.noq[1], in.noq[2]);
  add(buf);
  add("    1                ; one dispersion array");
  add("    'disp'");
  add("    1  1  1          ; holds for all substances");
  add("    0                ; no velocities");
  add("    2                ; input form 2");
  add("   -1                ; table in this file");
  add(" 'test.tab'");
  add(";");
  add("#4 ; delimiter for the fourth block");
  add(";");
  add("; fifth block of model input (boundary condition)");
  for (const auto& n : in.boundaryNames) add("    1*'" + n + "' ; names of the boundary cells");
  add(";");
  add("; Thatcher-Harleman timelags");
  add(";");
  add("   2 ;     constant with  defaults");
  add("000000000000000");
  std::snprintf(buf, sizeof buf, "   %d    ; Number of overridings", static_cast<int>(in.boundaryNames.size()));
  add(buf);
  for (size_t b = 0; b < in.boundaryNames.size(); ++b)
    add("          " + std::to_string(b + 1) + "     00000000000000   ; Left-right " + std::to_string(b + 1));
  add(";");
  add("      1           ; information in this file");
  add("      2           ; constant with defaults");
  add("      1.0 1E-3 1.0   ; scaling factors");
  add("      1.0 0.0  1.0   ; values");
  std::snprintf(buf, sizeof buf, "      %d           ; overridings", static_cast<int>(in.boundaries.size()));
  add(buf);
  add(";    nr   Sal(psu) Compound (ug/l)   Retention");
  for (size_t b = 0; b < in.boundaries.size(); ++b) {
    const auto& r = in.boundaries[b];
    if (b == 0 && in.defaultLayout && r[0] == 1 && r[2] == 1000)
      add("      1     1   " + Sci(r[1]) + "  1000.0                 ; river (ug/l)");
    else
      add("      " + std::to_string(b + 1) + "     " + Fixed(r[0], 1) + "  " + Sci(r[1]) + " " + Fixed(r[2], 1) +
          "                  ; ug/l boundary");
  }
  add(";");
  add(" #5 ; delimiter for the fifth block");
  add(";");
  add("; sixth block of model input (waste loads)");
  std::snprintf(buf, sizeof buf, "       %d                       ; nr of loads", static_cast<int>(in.loads.size()));
  add(buf);
  for (const Load& l : in.loads) {
    std::snprintf(buf, sizeof buf, "       %-4d '%s'", l.segment, l.name.c_str());
    std::string s = buf;
    s.resize(std::max<size_t>(s.size(), 32), ' ');
    add(s + "; location");
  }
  add("       1                       ; in this file");
  add("       1                       ; with defaults");
  add("       2*0 3.171E-5  1.0       ; scale 2*0 daarna kg/y -> g/s");
  add(";     flow  sal  load     retention ");
  for (const Load& l : in.loads)
    add("       0.   0.  " + Sci(l.kgPerYear) + " 0.0       ; values (flow, sal, subst[g/s])");
  add(";");
  add("#6 ; delimiter for the sixth block");
  add(";");
  // Block 7.
  add("; seventh block of model input (process parameters)");
  add(";");
  add("; constants");
  std::snprintf(buf, sizeof buf, "      %d                   ; nr of  constants", static_cast<int>(in.constants.size()));
  add(buf);
  const size_t nc = in.constants.size();
  for (size_t i = 0; i < nc; ++i) {
    if (i == 34) add(";"), add("; biota");
    add("         '" + in.constants[i].first + "'          ; constant " + std::to_string(i + 1));
  }
  add(";");
  if (nc == 61) {
    add("         5*1.0");
    add("         5*1.16e-5       ; scale factor 1/day --> 1/s");
    add("        24*1.0           ;");
    add("        27*1.0           ;");
  } else {
    // Same scales by name for edited sets.
    std::string s;
    for (const auto& c : in.constants) {
      std::string n = c.first;
      while (!n.empty() && n.back() == ' ') n.pop_back();
      const bool rate = n == "Kl" || n == "Kg" || n == "RWM" || n == "RSM" || n == "Vsed";
      s += rate ? " 1.16e-5" : " 1.0";
    }
    add("        " + s);
    add(";");
    add(";");
    add(";");
  }
  add(";");
  for (size_t i = 0; i < nc; ++i) {
    if (i == 34) add("; biota");
    const std::string pad = in.constants[i].first == "Atmos" ? "         " : "          ";
    add(pad + in.constants[i].second + "          ; value of " + in.constants[i].first);
  }
  add(";");
  add("; parameters");
  add("  3 ; number of parameters");
  add("  1 ; info in this file");
  add("  'SURF'");
  add("  'Fdis'");
  add("  'FPoc'");
  add("    2                       ; defaults with overridings");
  add("  3*1.0                     ; scaling factors");
  add("  3*0.0                     ; values");
  add("    0                       ; overridings");
  add(";");
  add("; functions");
  add(" 0  ; number of functions");
  add(";");
  add("; segment-functions");
  add(" 0  ; number of segment-functions");
  add(";");
  add("#7 ; delimiter for the seventh block");
  const char* tail[] = {";",
                        "; eighth block of model input (initial conditions)",
                        " 1 ; initial conditions follow",
                        " 2 ; all values with default",
                        " 3*1.0 ; scale factors",
                        " 3*0.0 ; values",
                        "   0   ; nr of overridings",
                        ";",
                        " #8 ; delimiter for the eighth block",
                        ";",
                        "; ninth block of model input (specification of output)",
                        "  1 ; in this file",
                        "  2 ; all substances and extra output",
                        "0 ; number of extra variables",
                        "  2 ; all substances and extra output",
                        "0 ; number of extra variables",
                        "  2 ; all substances and extra output",
                        "0 ; number of extra variables",
                        "  2 ; all substances and extra output",
                        "0 ; number of extra variables",
                        "  1 ; binary history file on",
                        "  1 ; binary map     file on",
                        "  0 ; bramo  history file on",
                        "  0 ; bramo  map     file on",
                        ";",
                        " #9 ; delimiter for the ninth block"};
  for (const char* t : tail) add(t);
  std::string out;
  for (const auto& l : L) out += l + "\r\n";
  return out;
}

void WriteFile(const fs::path& path, const std::string& bytes) {
  std::ofstream o(path, std::ios::binary | std::ios::trunc);
  o.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadFile(const fs::path& path) {
  std::ifstream i(path, std::ios::binary);
  std::ostringstream s;
  s << i.rdbuf();
  return s.str();
}

void WriteGridFiles(const fs::path& dir, const Grid& g) {
  const int n = g.Noseg();
  std::string vol;
  for (int rec = 0; rec < 2; ++rec) {
    PutI32(vol, rec * 86400);
    for (double v : g.V) PutF32(vol, v);
  }
  WriteFile(dir / "test.vol", vol);
  std::string srf;
  for (int v : {12, 52, n, n, n, 1}) PutI32(srf, v);
  for (double s : g.S) PutF32(srf, s);
  WriteFile(dir / "test.srf", srf);
  std::string tab;
  char buf[200];
  for (int i = 0; i < 3; ++i) tab += Int6(g.noq[i]);
  tab += " ; nr of exchanges in 3 directions\r\n";
  for (const char* l : {";    1                ; one dispersion array", ";    1                ; holds for all substances",
                        ";    0                ; no velocities", ";    2                ; input form 2",
                        ";    1                ; table in this file", "                  1      1      1      1",
                        "; from     to    fr-1   to-1   disp   area        flow     len-from     len-to"})
    tab += std::string(l) + "\r\n";
  for (size_t k = 0; k < g.ex.size(); ++k) {
    const Exch& x = g.ex[k];
    std::snprintf(buf, sizeof buf, "%6d%6d%6d%6d%12.6E%11.4E%11.4E%11.4E%11.4E ; %d", x.from, x.to, x.fm1, x.tp1,
                  x.D, static_cast<double>(static_cast<float>(x.A)), static_cast<double>(static_cast<float>(x.F)),
                  static_cast<double>(static_cast<float>(x.L1)), static_cast<double>(static_cast<float>(x.L2)),
                  static_cast<int>(k + 1));
    tab += std::string(buf) + "\r\n";
  }
  WriteFile(dir / "test.tab", tab);
}

void WriteInput(const fs::path& dir, const Input& in) { WriteFile(dir / "pirsel.inp", PirselText(in)); }

std::string LineOf(const std::string& text, int n) {
  size_t pos = 0;
  for (int i = 1; i < n; ++i) {
    pos = text.find('\n', pos);
    if (pos == std::string::npos) return {};
    ++pos;
  }
  size_t end = text.find('\n', pos);
  std::string l = text.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
  if (!l.empty() && l.back() == '\r') l.pop_back();
  return l;
}

std::string ReplaceLine(const std::string& text, int n, const std::string& line) {
  size_t pos = 0;
  for (int i = 1; i < n; ++i) pos = text.find('\n', pos) + 1;
  size_t end = text.find('\n', pos);
  size_t cut = (end != std::string::npos && end > pos && text[end - 1] == '\r') ? end - 1 : end;
  return text.substr(0, pos) + line + text.substr(cut);
}

TempDir::TempDir() {
  static std::mt19937_64 rng(std::random_device{}());
  path_ = fs::temp_directory_path() / ("engine-test-" + std::to_string(::getpid()) + "-" + std::to_string(rng()));
  fs::create_directories(path_);
}

TempDir::~TempDir() {
  std::error_code ec;
  fs::remove_all(path_, ec);
}

namespace {
template <class F>
StepResult InDir(const fs::path& dir, F&& f) {
  const fs::path old = fs::current_path();
  fs::current_path(dir);
  std::ostringstream err;
  StepResult r;
  r.code = f(err);
  r.err = err.str();
  fs::current_path(old);
  return r;
}
}  // namespace

StepResult RunStep1(const fs::path& dir, const std::vector<std::string>& args) {
  return InDir(dir, [&](std::ostream& err) { return engine::RunCorvix1(args, err); });
}

StepResult RunStep2(const fs::path& dir, const std::vector<std::string>& args) {
  return InDir(dir, [&](std::ostream& err) { return engine::RunTulmo(args, err); });
}

Input GenericInput(const Grid& g, const std::vector<int>& estuary, int marine,
                   const std::vector<std::array<double, 3>>& boundaries) {
  Input in;
  in.noseg = g.Noseg();
  for (int i = 0; i < 3; ++i) in.noq[i] = g.noq[i];
  in.areas = {{"estuary", estuary}, {"Marine", {marine}}};
  for (size_t b = 0; b < boundaries.size(); ++b) in.boundaryNames.push_back("b" + std::to_string(b + 1));
  in.boundaries = boundaries;
  in.constants = DefaultConstants();
  return in;
}

void NoProcesses(Input& in) {
  for (const char* c : {"RWM", "RSM", "He", "Vsed", "Atmos"}) SetConstant(in, c, "0.00E0");
  SetConstant(in, "CBACK", "0.000E+00");
}

Solved Solve(const fs::path& dir) {
  Solved s;
  const StepResult r = RunStep1(dir);
  s.code = r.code;
  s.err = r.err;
  if (r.code != 0) return s;
  s.problem = engine::DecodeWork(ReadFile(dir / "pirsel.wrk"), "pirsel.wrk");
  engine::Report rep;
  try {
    s.result = engine::RunModel(s.problem, rep);
  } catch (const engine::EngineError& e) {
    s.code = e.ExitCode();
    s.err = e.what();
  }
  s.warnings = rep.warnings;
  return s;
}

bool ReadMap(const fs::path& path, Map& m) {
  const std::string b = ReadFile(path);
  m.bytes = b.size();
  if (b.size() < 172) return false;
  auto i32 = [&](size_t off) {
    int32_t v;
    std::memcpy(&v, b.data() + off, 4);
    return v;
  };
  auto f32 = [&](size_t off) {
    float v;
    std::memcpy(&v, b.data() + off, 4);
    return v;
  };
  for (int t = 0; t < 4; ++t) m.titles.push_back(b.substr(40 * t, 40));
  m.nosys = i32(160);
  m.noseg = i32(164);
  if (m.nosys <= 0 || m.noseg < 0) return false;
  const size_t need = 172 + 20 * static_cast<size_t>(m.nosys) + 4 * static_cast<size_t>(m.nosys) * m.noseg + 24;
  if (b.size() < need) return false;
  for (int s = 0; s < m.nosys; ++s) m.names.push_back(b.substr(168 + 20 * s, 20));
  size_t off = 168 + 20 * static_cast<size_t>(m.nosys);
  m.time = i32(off);
  off += 4;
  m.values.assign(m.noseg, std::vector<float>(m.nosys));
  for (int s = 0; s < m.noseg; ++s)
    for (int k = 0; k < m.nosys; ++k, off += 4) m.values[s][k] = f32(off);
  for (int k = 0; k < 6; ++k, off += 4) m.marine[k] = f32(off);
  return true;
}

}  // namespace fixture
