// The run statistics: per substance the 95 and 5 percentiles by area, the median by count and the
// area-weighted average, with the three listing files they are derived through. Nothing is stored.
#include <cmath>
#include <string>
#include <utility>

#include "modelrun/internal.h"
#include "modelrun/modTulmo.h"
#include "runtime/Format.h"
#include "runtime/Math.h"
#include "runtime/Variant.h"

namespace modTulmo::detail {
namespace {

constexpr int kCells = 500;

void WriteFullListing(const MapTables&, vb::TextWriter& full) {
  // The fifth field comes from a cell table that nothing fills: it stays empty.
  const std::string cellField;
  // i, j and n are 0..499 here: their "000" picture is the number padded to three digits. This
  // listing is over 5000 lines on every selection of a run, so it skips the general picture code.
  auto put3 = [](std::string& line, int v) {
    const char digits[3] = {static_cast<char>('0' + v / 100 % 10), static_cast<char>('0' + v / 10 % 10),
                            static_cast<char>('0' + v % 10)};
    if (v >= 1000) line += std::to_string(v / 1000);
    line.append(digits, 3);
  };
  std::string line;
  for (int32_t k = 0; k < nosys; ++k)
    for (int i = 0; i <= 9; ++i)
      for (int j = 0; j <= 49; ++j) {
        const int n = j + 50 * i;
        if (n >= noseg) continue;
        line = std::to_string(k);
        line += ' ';
        put3(line, i);
        line += ' ';
        put3(line, j);
        line += ' ';
        put3(line, n);
        line += ' ';
        line += cellField;
        line += "  ";
        line += vb::SingleText(ResultGrid(k, n));
        full.WriteLine(line);
      }
}

// Descending selection sort of the first `count` positions; among equal maxima the first position
// wins, and each value keeps its own cell's area.
void SortDescending(std::vector<float>& value, std::vector<float>& area, int count) {
  for (int i = 0; i < count; ++i) {
    int best = i;
    for (int j = i + 1; j < count; ++j)
      if (value[j] > value[best]) best = j;
    std::swap(value[i], value[best]);
    std::swap(area[i], area[best]);
  }
}

}  // namespace

std::vector<RunStatistic> WriteListingsAndStatistics(int32_t runid, MapTables& tables, vb::TextWriter& full) {
  WriteFullListing(tables, full);
  // Only the cells the map supplied count: a cell it left out has no value and no area, and
  // taking its fill value into the sums would make the average and the shares meaningless.
  const int cells = noseg < 0 ? 0 : (noseg > kCells ? kCells : noseg);
  const int medianPosition = cells / 2;  // 250 of a full map: the 251st greatest value
  for (int32_t k = 0; k < nosys; ++k) SortDescending(tables.value[k], tables.area[k], cells);

  std::vector<RunStatistic> stats(static_cast<std::size_t>(nosys));
  vb::TextWriter sorted("Sorted.txt");
  for (int32_t k = 0; k < nosys; ++k) {
    const std::vector<float>& value = tables.value[k];
    const std::vector<float>& area = tables.area[k];
    RunStatistic& st = stats[k];
    bool found95 = false, found5 = false;
    float passedArea = 0;  // single precision, as the areas are
    double weighted = 0;
    for (int i = 0; i < cells; ++i) {
      passedArea += area[i];
      if (std::isinf(passedArea)) vb::Raise(6);  // a Single overflow, as the running sum is one
      // Percentage of the area whose values are at most the value at i.
      const double share = vb::Div(100.0 * (tables.totalArea - passedArea), tables.totalArea);
      sorted.WriteLine("Stof " + std::to_string(k) + " " + std::to_string(i) + "  " + vb::SingleText(value[i]) +
                       " opp: " + vb::SingleText(area[i]) + " " + vb::Format(share, "0#.0"));
      if (share < 95.0 && !found95) {
        st.p95 = value[i];
        found95 = true;
      }
      if (i == medianPosition) st.median = value[i];
      if (share < 5.0 && !found5) {
        st.p5 = value[i];
        found5 = true;
      }
      weighted += static_cast<double>(area[i]) * value[i];  // exact: two Singles fit a Double's mantissa
    }
    st.average = vb::Div(weighted, tables.totalArea);
  }
  sorted.Close();
  full.Close();

  vb::TextWriter statFile(std::to_string(runid) + "-stat.txt");
  statFile.WriteLine("Stof   95%      median   avg      5%");
  for (int32_t k = 0; k < nosys; ++k) {
    const RunStatistic& st = stats[k];
    statFile.WriteLine("Stof " + std::to_string(k) + " " + vb::Format(st.p95, "0.00E+00") + " " +
                       vb::Format(st.median, "0.00E+00") + " " + vb::Format(st.average, "0.00E+00") + " " +
                       vb::Format(st.p5, "0.00E+00"));
  }
  statFile.Close();
  return stats;
}

}  // namespace modTulmo::detail
