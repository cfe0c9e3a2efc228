// Small shapefiles written with shapelib for the map and tip tests.
#pragma once
#include <string>
#include <vector>

#include "platform/map/Geometry.h"

namespace fixture {

struct Field {
  std::string name;
  std::vector<double> values;  // one per shape
};

// shpType: SHPT_POINT, SHPT_ARC or SHPT_POLYGON. Each shape is a list of parts.
void WriteLayer(const std::string& path, int shpType, const std::vector<std::vector<mapctl::Ring>>& shapes,
                const std::vector<Field>& fields);

// The result grid's layout: 50 transects of 10 cells, each column narrowing towards the river,
// counter-clockwise rings, record r in column r / 10 and row r % 10. Fields PSU1 (salinity
// falling from 30 at the mouth to 0) and TOT1 (a concentration rising upstream, 0 in row 0).
struct Grid {
  double length = 60000;      // m
  double convergence = 25000; // m
  double mouth = 6000;        // m
};
void WriteResultGrid(const std::string& path, const Grid& grid = {});
// Centre of cell r of that grid, in map units.
mapctl::Point CellCentre(int r, const Grid& grid = {});
double Salinity(int r);
double Concentration(int r);

// A rectangle ring; counter-clockwise unless `clockwise`.
mapctl::Ring Box(double x0, double y0, double x1, double y1, bool clockwise = false);

}  // namespace fixture
