// The result map the application reads: four 40-byte titles, nosys = 11, noseg = the estuary
// cells, 11 names of 20 bytes, time 0, the cells' float32 values, then the six marine values.
#pragma once

#include <string>

#include "engine/Model.h"
#include "engine/Problem.h"

namespace engine {

inline constexpr const char* kEngineVersion = "1.0";
inline constexpr const char* kMapName = "tulmo.map";

std::string EncodeMap(const Problem& p, const ModelResult& r);

}  // namespace engine
