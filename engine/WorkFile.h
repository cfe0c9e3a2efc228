// The hand-over from step 1 to step 2: the checked problem as little-endian binary (doubles for
// every value), "TLMOWRK1", a format version and a CRC-32 of all bytes before it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/Problem.h"

namespace engine {

inline constexpr uint32_t kWorkFormatVersion = 1;

std::string EncodeWork(const Problem& p);
// Throws EngineError "<name> is damaged or from another version; run step 1 again".
Problem DecodeWork(std::string_view bytes, const std::string& name);

uint32_t Crc32(std::string_view bytes);

}  // namespace engine
