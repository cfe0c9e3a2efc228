// The result map the application reads: four 40-byte titles, nosys = 11, noseg = the estuary
// cells, 11 names of 20 bytes, time 0, the cells' float32 values, then the six marine values.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "engine/Constants.h"
#include "engine/Problem.h"
#include "engine/Processes.h"

namespace engine {

inline constexpr const char* kEngineVersion = "1.0";
inline constexpr const char* kMapName = "tulmo.map";
inline constexpr int kMapQuantities = 11;

struct MapValues {
  std::vector<std::array<double, kMapQuantities>> cells;  // per estuary cell, output units
  std::array<double, 6> marine{};
};

// What the map shows of the solution: per estuary cell salinity, total, dissolved, on suspended
// matter, in the sediment, the five organisms of the food chain and the surface; the marine
// box's first five and the filtering capacity.
MapValues ComputeMapValues(const Problem& p, const ModelConstants& m, const std::vector<SegmentState>& state,
                           const std::vector<double>& salinity, const std::vector<double>& compound,
                           double filteringCapacity);
// Every value finite and within float range; a negative value beyond round-off stops the run,
// round-off below zero is taken as 0.
void CheckMapValues(const Problem& p, MapValues& v);

struct ModelResult;
std::string EncodeMap(const Problem& p, const ModelResult& r);

}  // namespace engine
