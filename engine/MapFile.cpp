// Values are narrowed to float32 here; the model has already refused anything non-finite or
// beyond float range, so the map never holds inf or NaN.
#include "engine/MapFile.h"

#include <cstdint>
#include <cstring>

namespace engine {

namespace {

void Fixed(std::string& out, const std::string& text, size_t width) {
  std::string t = text.substr(0, width);
  t.resize(width, ' ');
  out += t;
}

void I32(std::string& out, int32_t v) {
  uint32_t u;
  std::memcpy(&u, &v, 4);
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((u >> (8 * i)) & 0xff));
}

void F32(std::string& out, double v) {
  const float f = static_cast<float>(v);
  uint32_t u;
  std::memcpy(&u, &f, 4);
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((u >> (8 * i)) & 0xff));
}

}  // namespace

std::string EncodeMap(const Problem& p, const ModelResult& r) {
  static const char* const kNames[kMapQuantities] = {
      "Salinity",    "Total",          "Dissolved",  "Susp. matter", "Sediment", "Zooplankton",
      "Sec. consumers", "Round fish", "Tellina",    "Benthic fish", "Area"};
  std::string out;
  out.reserve(392 + r.cells.size() * kMapQuantities * 4 + 24);
  Fixed(out, p.titles[0], 40);
  Fixed(out, "Steady state", 40);
  Fixed(out, std::string("Tulmo engine ") + kEngineVersion, 40);
  Fixed(out, p.titles[3], 40);
  I32(out, kMapQuantities);
  I32(out, static_cast<int32_t>(r.cells.size()));
  for (const char* n : kNames) Fixed(out, n, 20);
  I32(out, 0);
  for (const auto& cell : r.cells)
    for (double v : cell) F32(out, v);
  for (double v : r.marine) F32(out, v);
  return out;
}

}  // namespace engine
