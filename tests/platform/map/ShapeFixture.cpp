#include "tests/platform/map/ShapeFixture.h"

#include <shapefil.h>

#include <cmath>
#include <stdexcept>

namespace fixture {

void WriteLayer(const std::string& path, int shpType, const std::vector<std::vector<mapctl::Ring>>& shapes,
                const std::vector<Field>& fields) {
  SHPHandle shp = SHPCreate(path.c_str(), shpType);
  DBFHandle dbf = DBFCreate(path.c_str());
  if (!shp || !dbf) throw std::runtime_error("cannot create " + path);
  for (const Field& f : fields) DBFAddField(dbf, f.name.c_str(), FTDouble, 20, 10);
  for (size_t s = 0; s < shapes.size(); ++s) {
    std::vector<double> x, y;
    std::vector<int> starts;
    for (const mapctl::Ring& part : shapes[s]) {
      starts.push_back(static_cast<int>(x.size()));
      for (const mapctl::Point& p : part) {
        x.push_back(p.X);
        y.push_back(p.Y);
      }
    }
    SHPObject* obj = SHPCreateObject(shpType, -1, static_cast<int>(starts.size()), starts.data(), nullptr,
                                     static_cast<int>(x.size()), x.data(), y.data(), nullptr, nullptr);
    SHPWriteObject(shp, -1, obj);
    SHPDestroyObject(obj);
    for (size_t f = 0; f < fields.size(); ++f)
      DBFWriteDoubleAttribute(dbf, static_cast<int>(s), static_cast<int>(f), fields[f].values[s]);
  }
  SHPClose(shp);
  DBFClose(dbf);
}

namespace {

struct Column {
  double x0, dx, y0, dy;
};

Column ColumnOf(int i, const Grid& g) {
  double dx = g.length / 50;
  double e = std::exp(-(i * dx) / g.convergence);
  return {i * dx, dx, 5 * g.mouth * (1 - e) / 2, 5 * g.mouth * e / 10};
}

}  // namespace

double Salinity(int r) { return 30.0 * (1.0 - (r / 10) / 49.0); }
double Concentration(int r) { return (r % 10) == 0 ? 0.0 : 0.001 * std::pow(10.0, (r / 10) / 12.0) * (r % 10); }

mapctl::Ring Box(double x0, double y0, double x1, double y1, bool clockwise) {
  if (clockwise) return {{x0, y0}, {x0, y1}, {x1, y1}, {x1, y0}, {x0, y0}};
  return {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}, {x0, y0}};
}

void WriteResultGrid(const std::string& path, const Grid& grid) {
  std::vector<std::vector<mapctl::Ring>> shapes;
  Field psu{"PSU1", {}}, tot{"TOT1", {}};
  for (int r = 0; r < 500; ++r) {
    Column c = ColumnOf(r / 10, grid);
    double y = c.y0 + (r % 10) * c.dy;
    shapes.push_back({Box(c.x0, y, c.x0 + c.dx, y + c.dy)});
    psu.values.push_back(Salinity(r));
    tot.values.push_back(Concentration(r));
  }
  WriteLayer(path, SHPT_POLYGON, shapes, {psu, tot});
}

mapctl::Point CellCentre(int r, const Grid& grid) {
  Column c = ColumnOf(r / 10, grid);
  return {c.x0 + c.dx / 2, c.y0 + (r % 10 + 0.5) * c.dy};
}

}  // namespace fixture
