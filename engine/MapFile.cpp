// Values are narrowed to float32 here; CheckMapValues has already refused anything non-finite
// or beyond float range, so the map never holds inf or NaN.
#include "engine/MapFile.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "engine/Coefficients.h"
#include "engine/FoodChain.h"
#include "engine/Messages.h"
#include "engine/Model.h"
#include "engine/Text.h"

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

MapValues ComputeMapValues(const Problem& p, const ModelConstants& m, const std::vector<SegmentState>& state,
                           const std::vector<double>& salinity, const std::vector<double>& compound,
                           double filteringCapacity) {
  using namespace coef;
  const bool organic = m.istype == kOrganic;
  const double rhoB = m.DENSED;
  FoodChainParams fc;
  if (organic) fc = FoodChainOf(m);
  auto quantities = [&](int i, std::array<double, kMapQuantities>& q, bool biota) {
    const SegmentState& st = state[i];
    const int z = st.zone - 1;
    const double c = compound[i];
    q.fill(0.0);
    q[0] = salinity[i];
    q[1] = kGramPerM3ToMicrogramPerLitre * c;
    q[2] = kGramPerM3ToMicrogramPerLitre * (st.fFree + st.fDoc) * c;
    q[3] = 1e6 * st.fPart * c / m.SS[z];
    q[4] = 1e3 * (st.bed + st.background) / rhoB;
    if (biota && organic) {
      const FoodChainResult f = ComputeFoodChain(fc, CellExposure(m, st.zone, st.fFree * c, q[3], q[4]));
      for (int j = 0; j < 5; ++j) q[5 + j] = 1e3 * f.organisms[j] / kDryWeightFraction;
    }
    q[10] = p.surface[i];
  };
  MapValues v;
  v.cells.resize(p.estuary.size());
  for (size_t k = 0; k < p.estuary.size(); ++k) quantities(p.estuary[k] - 1, v.cells[k], true);
  std::array<double, kMapQuantities> mq;
  quantities(p.marine - 1, mq, false);
  v.marine = {mq[0], mq[1], mq[2], mq[3], mq[4], filteringCapacity};
  return v;
}

void CheckMapValues(const Problem& p, MapValues& values) {
  for (int q = 0; q < kMapQuantities; ++q) {
    double mx = 0;
    for (const auto& c : values.cells) mx = std::max(mx, std::fabs(c[q]));
    for (size_t k = 0; k < values.cells.size(); ++k) {
      double& v = values.cells[k][q];
      if (!std::isfinite(v) || std::fabs(v) > 3.0e38)
        Fail("", Msg::NotFinite, "map quantity " + std::to_string(q) + " of cell " + std::to_string(k), Num(v));
      if (v < 0) {
        if (v < -1e-12 * mx) Fail("", Msg::Negative, "map quantity " + std::to_string(q), p.estuary[k], Num(v));
        v = 0;
      }
    }
  }
  for (double& v : values.marine) {
    if (!std::isfinite(v) || std::fabs(v) > 3.0e38) Fail("", Msg::NotFinite, "a marine value", Num(v));
    if (v < 0) v = 0;
  }
}

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
