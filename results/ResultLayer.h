// The result layer "map.shp/.shx/.dbf": the 500 cells of a result grid over an estuary's outline,
// written in the working directory through the map-layer library.
#pragma once
#include <array>
#include <string>
#include <vector>

#include "modelrun/modTulmo.h"

namespace ResultLayer {
// One cell of the result layer as its five ring points (x then y), column i 0..49, row j 0..9.
struct Ring {
  std::array<float, 5> x;
  std::array<float, 5> y;
};
Ring CellRing(int i, int j, double estLengthKm, float convergenceLengthKm, float widthMouth);
// Writes the layer of `grid` over `estuary`: one create, 500 writes, one close. Errors are raised
// to the caller, and no file of a refused layer is left. Returns the fields of which a value was
// too large for all its decimals and was written with fewer, in field order.
std::vector<std::string> Write(const modTulmo::ResultGridArray& grid, const modTulmo::EstuaryRecord& estuary);
// Removes the layer's files, under the library's name ("Map.*") and the program's ("map.*").
void RemoveFiles();
}  // namespace ResultLayer
