// The module's program-wide state: the current scenario records, the calculation window's choice,
// the result grid, and the small services around them.
#include <fstream>
#include <system_error>

#include "modelrun/ResultWindow.h"
#include "modelrun/internal.h"
#include "modelrun/modTulmo.h"
#include "runtime/Format.h"
#include "runtime/Variant.h"
#include "services/Useful.h"

namespace modTulmo {

CompoundRecord CurrentCompound;
EmissionRecord CurrentEmission;
EstuaryRecord CurrentEstuary;
AdvancedDetailRecord CurrentAdvancedDetail;
RunRecord CurrentRun;
CalcSelectionRecord CalcSelection;

GridParametersRecord GridParameters;
double DispersionCalc = 0;

MapHeaderRecord MapHeader;
ResultGridArray ResultGrid;
int32_t ResultCellsAlong = 0;
int32_t ResultCellsAcross = 0;

namespace {
ResultWindow* gResultWindow = nullptr;
}

void SetResultWindow(ResultWindow* window) { gResultWindow = window; }
ResultWindow* GetResultWindow() { return gResultWindow; }

void ResetModuleState() {
  CurrentCompound = {};
  CurrentEmission = {};
  CurrentEstuary = {};
  CurrentAdvancedDetail = {};
  CurrentRun = {};
  CalcSelection = {};
  GridParameters = {};
  DispersionCalc = 0;
  MapHeader = {};
  ResultGrid = {};
  ResultCellsAlong = 0;
  ResultCellsAcross = 0;
}

bool FileExists(const std::string& path) {
  // The runtime's test already refuses folders and unreadable files, and never raises.
  return vb::FileExists(path);
}

void ResultGridArray::Resize(int32_t substances) {
  if (substances < 0) vb::Raise(9);
  values_.assign(static_cast<std::size_t>(substances) * kCells, 0.0f);
  substances_ = substances;
}

float& ResultGridArray::operator()(int32_t k, int32_t s) {
  if (k < 0 || k >= substances_ || s < 0 || s >= kCells) vb::Raise(9);
  return values_[static_cast<std::size_t>(k) * kCells + s];
}

float ResultGridArray::operator()(int32_t k, int32_t s) const {
  if (k < 0 || k >= substances_ || s < 0 || s >= kCells) vb::Raise(9);
  return values_[static_cast<std::size_t>(k) * kCells + s];
}

namespace detail {

double Widen(float value) {
  double out = 0;
  vb::ParseNumber(vb::SingleText(value), out);
  return out;
}

double Widen(double value) {
  double out = 0;
  vb::ParseNumber(vb::DoubleText(value), out);
  return out;
}

std::string Num(double value, std::string_view picture) { return Useful::chgDecimal(vb::Format(value, picture)); }
std::string Num(float value, std::string_view picture) { return Useful::chgDecimal(vb::Format(value, picture)); }

std::string RightAlign(const std::string& text, std::size_t width) {
  if (text.size() > width) vb::Raise(5);
  return std::string(width - text.size(), ' ') + text;
}

}  // namespace detail
}  // namespace modTulmo
