#include "services/DIOUtils.h"

#include "runtime/VbError.h"

namespace DIOUtils {

std::string JoinFixedWidth(const std::vector<std::string>& texts, int32_t width) {
  const int32_t n = ArrayLength(texts);
  if (n == 0) return {};
  if (width < 0) vb::Raise(5);
  const int64_t total = static_cast<int64_t>(width) * n;
  if (total > INT32_MAX) vb::Raise(6);
  std::string buffer(static_cast<std::size_t>(total), ' ');
  for (int32_t i = 0; i < n; ++i) {
    const std::string& t = texts[static_cast<std::size_t>(i)];
    buffer.replace(static_cast<std::size_t>(i) * width, std::min<std::size_t>(t.size(), width),
                   t.substr(0, static_cast<std::size_t>(width)));
  }
  return buffer;
}

}  // namespace DIOUtils
