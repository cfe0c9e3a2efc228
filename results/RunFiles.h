// The files written for the run shown: its data file, its report and the copies of its result
// layer under its id. They take what the result window shows as plain data: the run's records, the
// captions of its statistic labels, and the layer copies that exist.
#pragma once
#include <cstdint>
#include <exception>
#include <functional>
#include <string>
#include <vector>

#include "modelrun/modTulmo.h"

namespace RunFiles {
// The records of one run, as its selection loaded them by the run's ids.
struct RunRecords {
  modTulmo::CompoundRecord Compound;
  modTulmo::EmissionRecord Emission;
  modTulmo::EstuaryRecord Estuary;
};

// "<runid>-data.txt" from the result grid: five header lines, then quantity by quantity the
// transects of ten cells.
void WriteRunData(int32_t runid, bool biota);
// "<runid>-report.txt" of the run computed with `records`; `caption` gives the captions of the
// window's statistic labels, `shapeFiles` the layer copies written for it ("<runid>.shp" ...).
void WriteRunReport(int32_t runid, bool biota, const RunRecords& records,
                    const std::function<std::string(const std::string&)>& caption,
                    const std::vector<std::string>& shapeFiles);
// Copies "map.shx", "map.shp" and "map.dbf" to "<runid>.shx", ".shp" and ".dbf"; every file is
// tried, and the first failure is kept for the caller.
struct LayerCopy {
  std::vector<std::string> Written;
  std::exception_ptr Failure;
};
LayerCopy CopyLayer(int32_t runid);
}  // namespace RunFiles
