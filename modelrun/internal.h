// Helpers shared by the module's files; not part of the module's interface.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/ui/MsgBox.h"
#include "runtime/Files.h"
#include "runtime/Guard.h"

namespace modTulmo::detail {

// Runs the body; on a failure shows "Error <n> (<description>)" followed by `closing` in a plain
// message box (the way CalcGridParameters, CreateGrid and ReadMap report) and clears the error.
// True when the body ran to its end.
template <class F>
bool RunWithOwnMessage(std::string_view closing, F&& body) {
  if (vb::Try(std::forward<F>(body))) return true;
  const vb::ErrObject& err = vb::Err();
  ui::MsgBox("Error " + std::to_string(err.Number) + " (" + err.Description + ")" + std::string(closing));
  vb::Err().Clear();
  return false;
}

// A stored value taken into a Double through its shortest decimal text, so a Single holding 0.1
// enters as the Double nearest 0.1 and not as its binary widening.
double Widen(float value);
double Widen(double value);

// A number through its picture and chgDecimal: every number written to an engine file.
std::string Num(double value, std::string_view picture);
std::string Num(float value, std::string_view picture);

// `text` right-aligned in a field of `width`; a text longer than the field raises 5.
std::string RightAlign(const std::string& text, std::size_t width);

// What the reading of a map leaves for the statistics: per substance the value and the area of
// each of the 500 cells (kNoCell where the file has none), and the total area of the cells read.
struct MapTables {
  std::vector<std::vector<float>> value, area;
  double totalArea = 0;
};
struct RunStatistic {
  double p95 = 0, median = 0, average = 0, p5 = 0;
};
// Writes the full listing into `full`, sorts the tables, writes "Sorted.txt" and "<runid>-stat.txt"
// and returns the four statistics of every substance.
std::vector<RunStatistic> WriteListingsAndStatistics(int32_t runid, MapTables& tables, vb::TextWriter& full);

// A map file's header, first time step and marine values, as the reader takes them.
struct MapContent {
  bool headerRead = false;
  int32_t nosys = 0, noseg = 0;
  std::vector<float> values;  // segment by segment, within a segment substance by substance
  float marine[6] = {};
  double totalArea = 0;  // the sum of the last substance, the cell areas
  float Value(int32_t k, int32_t s) const { return values[static_cast<std::size_t>(s) * nosys + k]; }
};
// Reads a map file into `map`. A header that the reader refuses gives the reader's message (the
// counts are in `map`); a missing file, a file cut short, an infinite or undefined value, or a
// total area of 0 raises the runtime's error, with the values read so far in `map`.
std::string ReadMapContent(const std::string& fileName, MapContent& map);

// Block 7 of "pirsel.inp" (lines 197 to 350), the process parameters, from the current records.
void WriteProcessParameters(vb::TextWriter& out);

}  // namespace modTulmo::detail
