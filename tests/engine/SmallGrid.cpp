// Values go to the table at full precision, so an analytical comparison sees the grid it was
// given; the volumes and surfaces are float32 as in the application's files.
#include "SmallGrid.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "EngineCase.h"

namespace fs = std::filesystem;

namespace fixture {

namespace {

void PutI32(std::string& s, int32_t v) {
  uint32_t u;
  std::memcpy(&u, &v, 4);
  for (int i = 0; i < 4; ++i) s.push_back(static_cast<char>((u >> (8 * i)) & 0xff));
}

void PutF32(std::string& s, double v) {
  const float f = static_cast<float>(v);
  uint32_t u;
  std::memcpy(&u, &f, 4);
  for (int i = 0; i < 4; ++i) s.push_back(static_cast<char>((u >> (8 * i)) & 0xff));
}

}  // namespace

void WriteGridFiles(const fs::path& dir, const Grid& g) {
  const int n = g.Noseg();
  std::string vol;
  for (int rec = 0; rec < 2; ++rec) {
    PutI32(vol, rec * 86400);
    for (double v : g.V) PutF32(vol, v);
  }
  WriteFile(dir / "test.vol", vol);
  std::string srf;
  for (int v : {12, 52, n, n, n, 1}) PutI32(srf, v);
  for (double s : g.S) PutF32(srf, s);
  WriteFile(dir / "test.srf", srf);
  // Counts, the four scale factors, then from, to, from-1, to+1, dispersion, area, flow and the
  // two lengths of every exchange.
  std::string tab = std::to_string(g.noq[0]) + " " + std::to_string(g.noq[1]) + " " + std::to_string(g.noq[2]) +
                    " ; nr of exchanges in 3 directions\r\n1 1 1 1\r\n";
  char row[256];
  for (const Exch& x : g.ex) {
    std::snprintf(row, sizeof row, "%d %d 0 0 %.17g %.17g %.17g %.17g %.17g\r\n", x.from, x.to, x.D, x.A, x.F, x.L1,
                  x.L2);
    tab += row;
  }
  WriteFile(dir / "test.tab", tab);
}

InputFile SmallGridInput(const Grid& g, const std::vector<int>& estuary, int marine,
                         const std::vector<std::array<double, 3>>& boundaries) {
  InputFile in(GoldenDir() / "pirsel.inp");
  in.SetSegments(g.Noseg());
  in.SetExchangeCounts(g.noq[0], g.noq[1], g.noq[2]);
  in.SetAreas({{"estuary", estuary}, {"Marine", {marine}}});
  std::vector<Boundary> bs;
  for (size_t b = 0; b < boundaries.size(); ++b)
    bs.push_back({"b" + std::to_string(b + 1), boundaries[b][0], boundaries[b][1], boundaries[b][2]});
  in.SetBoundaries(bs);
  in.SetLoads({});
  return in;
}

}  // namespace fixture
