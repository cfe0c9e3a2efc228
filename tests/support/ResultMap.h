// A result map as the engine writes it, for tests of the windows that read one.
#pragma once
#include <functional>
#include <string>

namespace testsupport {

// The bytes of a map of 11 substances over `cells` cells, each value given by `value`.
std::string ResultMap(int cells, const std::function<float(int substance, int cell)>& value);

}  // namespace testsupport
