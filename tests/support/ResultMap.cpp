#include "tests/support/ResultMap.h"

#include <cstdint>

namespace testsupport {
namespace {

void PutInt(std::string& out, int32_t v) { out.append(reinterpret_cast<const char*>(&v), 4); }
void PutFloat(std::string& out, float v) { out.append(reinterpret_cast<const char*>(&v), 4); }

}  // namespace

std::string ResultMap(int cells, const std::function<float(int substance, int cell)>& value) {
  const int substances = 11;
  std::string out(160, ' ');
  PutInt(out, substances);
  PutInt(out, cells);
  out += std::string(substances * 20, 'x');
  PutInt(out, 0);
  for (int s = 0; s < cells; ++s)
    for (int k = 0; k < substances; ++k) PutFloat(out, value(k, s));
  for (int i = 0; i < 6; ++i) PutFloat(out, 1.5f + static_cast<float>(i));
  return out;
}

}  // namespace testsupport
