// The result layer: the 500 cells of the run shown, written through the map-layer library.
#include "results/ResultLayer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>

#include "platform/mervane/MervaneBinding.h"
#include "runtime/Format.h"
#include "runtime/VbError.h"
#include "services/DIOUtils.h"

namespace ResultLayer {
namespace {
const char* const kFields[10] = {"PSU1", "TOT1", "DISS", "SUSP", "SEDI", "ZOOP", "SECP", "ROUN", "TELL", "BENT"};

// 504: the library wrote a value cut to its field's width.
constexpr int32_t kValueTooWide = 504;

// A code other than 0 from the map-layer library: the layer is closed when the call left it open,
// its files are removed, and the code is raised for the caller's error box.
void CheckLayerCode(int32_t code, const char* entryPoint, bool layerOpen) {
  if (code == 0) return;
  if (layerOpen) {
    int32_t ignored = 0;
    mervane::SHAPEFILECLOSE(ignored);
  }
  RemoveFiles();
  vb::Raise(code, "Mervane",
            std::string("The map-layer library refused ") + entryPoint + " with code " + std::to_string(code) +
                "; the result layer \"Map\" was not written.");
}
}  // namespace

void RemoveFiles() {
  for (const char* f : {"map.dbf", "map.shp", "map.shx", "Map.dbf", "Map.shp", "Map.shx"}) {
    std::error_code ec;
    std::filesystem::remove(f, ec);
  }
}

Ring CellRing(int i, int j, double estLengthKm, float convergenceLengthKm, float widthMouth) {
  const double dx = estLengthKm * 1000 / 50;
  const float L = static_cast<float>(static_cast<double>(convergenceLengthKm) * 1000);
  if (L == 0) vb::Raise(11);
  const double e = std::exp(-(i * dx) / L);
  const double dy = 5.0 * widthMouth * e / 10;
  const double y0 = 5.0 * widthMouth * (1 - e) / 2;
  const double x0 = i * dx, y = y0 + j * dy;
  const double xs[5] = {x0, x0 + dx, x0 + dx, x0, x0};
  const double ys[5] = {y, y, y + dy, y + dy, y};
  Ring r{};
  for (int p = 0; p < 5; ++p) {
    r.x[static_cast<size_t>(p)] = static_cast<float>(xs[p]);
    r.y[static_cast<size_t>(p)] = static_cast<float>(ys[p]);
  }
  return r;
}

std::vector<std::string> Write(const modTulmo::ResultGridArray& grid, const modTulmo::EstuaryRecord& estuary) {
  std::vector<std::string> fewerDecimals;
  std::vector<std::string> names(11), types(11);
  int32_t widths[11] = {}, decimals[11] = {}, fieldNumbers[11] = {};
  for (int k = 0; k < 10; ++k) {
    names[static_cast<size_t>(k)] = kFields[k];
    types[static_cast<size_t>(k)] = "DOUBLE";
    widths[k] = 20;
    decimals[k] = k == 0 ? 4 : 10;
  }
  int32_t err = 0;
  const int32_t fieldCount = 10;
  std::string typeBuffer = DIOUtils::JoinFixedWidth(types, 6);
  mervane::SHAPEFILECREATE(err, "Map", "POLYGON", DIOUtils::JoinFixedWidth(names, 4), 4, typeBuffer, 6, widths,
                           decimals, fieldCount, fieldNumbers);
  // From 204 on the files were made and the layer is open.
  CheckLayerCode(err, "SHAPEFILECREATE", err >= 204 && err < 300);
  const std::string strings = DIOUtils::JoinFixedWidth({"a", ""}, 1);
  const int32_t zeroInts[1] = {0};
  const float zeroReals[1] = {0};
  const int32_t np = 5, none = 0, nd = 10;
  for (int i = 0; i < 50; ++i)
    for (int j = 0; j < 10; ++j) {
      double values[10];
      for (int k = 0; k < 10; ++k) values[k] = static_cast<double>(grid(k, 10 * i + j));
      Ring r = CellRing(i, j, estuary.EstLength, estuary.Convergencelength, estuary.Widthmouth);
      mervane::SHAPEFILEWRITE(err, r.x.data(), r.y.data(), np, strings, 1, zeroInts, none, zeroInts, zeroInts, none,
                              zeroReals, zeroInts, none, values, fieldNumbers, nd);
      if (err == kValueTooWide) {
        // The library cuts a value's text to the field's width. Cut among the decimals it is the
        // same number with fewer of them; cut in its whole part it would be another number.
        for (int k = 0; k < 10; ++k) {
          if (!std::isfinite(values[k])) continue;
          const int length = std::snprintf(nullptr, 0, "%*.*f", widths[k], decimals[k], values[k]);
          if (length <= widths[k]) continue;
          if (length - decimals[k] - 1 > widths[k]) {
            int32_t ignored = 0;
            mervane::SHAPEFILECLOSE(ignored);
            RemoveFiles();
            vb::Raise(kValueTooWide, "Mervane",
                      std::string("A value of field ") + kFields[k] + " (" + vb::Format(values[k], "0.000E+00") +
                          ") is too large for the result layer; the result layer \"Map\" was not written.");
          }
          if (std::find(fewerDecimals.begin(), fewerDecimals.end(), kFields[k]) == fewerDecimals.end())
            fewerDecimals.push_back(kFields[k]);
        }
        err = 0;
      }
      CheckLayerCode(err, "SHAPEFILEWRITE", true);
    }
  mervane::SHAPEFILECLOSE(err);
  CheckLayerCode(err, "SHAPEFILECLOSE", false);
  // The library names the files by the layer name; the rest of the program reads them in lower
  // case, which a case-sensitive file system tells apart.
  for (const char* ext : {".shp", ".shx", ".dbf"}) {
    std::error_code ec;
    if (std::filesystem::exists(std::string("Map") + ext, ec))
      std::filesystem::rename(std::string("Map") + ext, std::string("map") + ext);
  }
  std::sort(fewerDecimals.begin(), fewerDecimals.end(), [](const std::string& a, const std::string& b) {
    return std::find(kFields, kFields + 10, a) < std::find(kFields, kFields + 10, b);
  });
  return fewerDecimals;
}

}  // namespace ResultLayer

