// Packing of text arrays into one buffer of fixed-width, blank-padded elements (bytes).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace DIOUtils {

// n elements of `width` bytes each: shorter elements blank-padded, longer ones cut. An empty array
// gives "". Raises 6 when width times n exceeds the 32-bit range, 5 for a negative width.
std::string JoinFixedWidth(const std::vector<std::string>& texts, int32_t width);

// The number of elements; 0 for an array with none.
template <class T>
int32_t ArrayLength(const std::vector<T>& array) {
  return static_cast<int32_t>(array.size());
}

}  // namespace DIOUtils
