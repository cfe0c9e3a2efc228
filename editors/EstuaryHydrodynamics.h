// The estuary editor's hydraulic characteristics, recomputed from the text of its input fields:
// convergence, salt intrusion, tide, volume, flushing time, area, prism and dispersion (default
// formula, or three salinity zones from two measured salinities), by the model run's own
// computation on the values as they will be stored. A plain function: it returns the label
// captions to write and whether the record may be saved; the window applies them.
#pragma once
#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace EstuaryHydrodynamics {

// The texts of the input fields, as typed.
struct Inputs {
  std::string Tidalperiod;          // hours
  std::string Flowriveravg;         // m3/s
  std::string EstDepth;             // m
  std::string Widthmouth;           // m
  std::string WidthAtX;             // m
  std::string EstLength;            // km
  std::string Tideavg;              // m
  std::string XfromMouth;           // km
  std::string Salinitysea;          // psu
  std::string DispersionX1;         // km
  std::string DispersionX2;         // km
  std::string DispersionSalinity1;  // psu
  std::string DispersionSalinity2;  // psu
  bool salinityMethod = false;      // optDispersion(1) set
  // With the corrections of the save check (every mode that saves): the values then are those
  // that will be stored. Without them (view mode), those stored already; the least river flow
  // and tidal range hold in every mode.
  bool corrected = true;
};

struct Result {
  // Label name and its new caption, in writing order; a label not named keeps its caption.
  std::vector<std::pair<std::string, std::string>> captions;
  // The Enabled state of cmdOK and cmdCreateGrid; unset after a run-time error (left as they were).
  std::optional<bool> saveEnabled;
  // The three zone dispersions, computed by the salinity method (also when a warning follows).
  std::optional<std::array<double, 3>> dfix;
  // The run-time error's box text; empty when none.
  std::string errorMessage;

  // The caption last written to a label, or nullopt when the run did not write it.
  std::optional<std::string> Caption(const std::string& label) const;
};

Result Calculate(const Inputs& in);

// Warnings of values that the save check refuses with the same words.
std::string NotPositiveWidthAtMouth(const std::string& text);
std::string NotPositiveWidthAtX(const std::string& text);
std::string NotPositiveXfromMouth(const std::string& text);
std::string XBeyondLength(const std::string& x, const std::string& length);
std::string NegativeRiverFlow(const std::string& text);
inline constexpr const char* kSalinityAboveOne = "Salinity value must be larger than 1 ";
inline constexpr const char* kX1NotPositive = "X1 must be larger than 0";
inline constexpr const char* kX1NotNumeric = "X1 must be numeric";
inline constexpr const char* kX2NotNumeric = "X2 must be numeric";
inline constexpr const char* kS1NotNumeric = "Salinity S1 must be numeric";

// The salinity-zone dispersions of the last salinity-method computation (m2/s), zones 1 to 3.
extern std::array<double, 3> DfixValues;
// Keeps the zone dispersions in DfixValues and in the shared grid parameters.
void StoreDfix(const std::array<double, 3>& dfix);

}  // namespace EstuaryHydrodynamics
