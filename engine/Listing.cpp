// Numbers in the listing use "%.6g" (Num), never locale-dependent stream formatting.
#include "engine/Listing.h"

#include <cstdio>

#include "engine/Text.h"

namespace engine {

std::string Num(double v) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.6g", v);
  return buf;
}

namespace {
std::string Pad(const std::string& s, size_t w) { return s.size() >= w ? s : s + std::string(w - s.size(), ' '); }
}  // namespace

Listing::Listing(const std::string& path, bool append)
    : out_(path, append ? std::ios::app : std::ios::trunc) {}

void Listing::Heading(const std::string& text) {
  out_ << "\n" << text << "\n" << std::string(text.size(), '=') << "\n";
}

void Listing::Line(const std::string& text) { out_ << text << "\n"; }

void Listing::Error(const std::string& text) { out_ << "ERROR: " << text << "\n"; }

void Listing::Problem(const engine::Problem& p) {
  out_ << "Titles:\n";
  for (const auto& t : p.titles) out_ << "  '" << t << "'\n";
  out_ << "Substances:\n";
  const char* roles[3] = {"salinity", "compound", "retention tracer"};
  for (int i = 0; i < p.Nosys(); ++i) {
    int role = 0;
    for (int k = 0; k < 3; ++k)
      if (p.role[k] == i) role = k;
    out_ << "  " << i + 1 << " " << Pad("'" + p.substances[i] + "'", 30) << roles[role] << "\n";
  }
  out_ << "Segments: " << p.noseg << "; estuary cells: " << p.estuary.size() << "; marine segment: " << p.marine << "\n";
  out_ << "Exchanges: " << p.noq1 << " " << p.noq2 << " " << p.noq3 << "\n";
  out_ << "Open boundaries (values in g/m3, salinity in psu):\n";
  for (int b = 0; b < p.nobnd; ++b) {
    out_ << "  " << -(b + 1) << " " << Pad("'" + p.boundaryNames[b] + "'", 18);
    for (double v : p.boundaryValues[b]) out_ << " " << Pad(Num(v), 12);
    out_ << "\n";
  }
  out_ << "Waste loads (g/s per substance):\n";
  for (const WasteLoad& w : p.loads) {
    out_ << "  segment " << Pad(std::to_string(w.segment), 6) << Pad("'" + w.name + "'", 14);
    for (double v : w.values) out_ << " " << Pad(Num(v), 12);
    out_ << "\n";
  }
  out_ << "Constants (name, as written, scale, value):\n";
  for (const Constant& c : p.constants)
    out_ << "  " << Pad(c.name, 12) << Pad(Num(c.raw), 14) << Pad(Num(c.scale), 12) << Num(c.value) << "\n";
}

void Listing::Results(const engine::Problem& p, const ModelResult& r) {
  out_ << "Solver (banded LU, partial pivoting, one refinement step):\n";
  out_ << "  salinity: bandwidth " << r.salinityStats.bandwidth << (r.salinityStats.reordered ? " (reordered)" : "")
       << ", relative residual " << Num(r.salinityStats.residual) << "\n";
  out_ << "  compound and Retention: bandwidth " << r.compoundStats.bandwidth
       << ", relative residual " << Num(r.compoundStats.residual) << "\n";
  double smin = 1e300, smax = -1e300;
  int zones[5] = {0, 0, 0, 0, 0};
  for (int i = 0; i < p.noseg; ++i) {
    smin = std::min(smin, r.salinity[i]);
    smax = std::max(smax, r.salinity[i]);
    ++zones[r.state[i].zone];
  }
  out_ << "Salinity: " << Num(smin) << " .. " << Num(smax) << " psu; segments per zone (fresh, intermediate, "
       << "saline, marine): " << zones[1] << " " << zones[2] << " " << zones[3] << " " << zones[4] << "\n";
  auto budget = [&](const char* title, const Budget& b, bool rest) {
    out_ << title << " (g/s):\n";
    const std::pair<const char*, double> in[] = {{"waste loads", b.loads},
                                                  {"atmospheric deposition", b.deposition},
                                                  {"release from sediment background", b.background},
                                                  {"inflow over open boundaries", b.boundaryIn},
                                                  {"inflow from the rest of the domain", b.fromRest}};
    const std::pair<const char*, double> out[] = {{"outflow over open boundaries", b.boundaryOut},
                                                   {"outflow to the rest of the domain", b.toRest},
                                                   {"degradation in water", b.degradationWater},
                                                   {"volatilisation", b.volatilisation},
                                                   {"degradation in sediment", b.degradationSediment},
                                                   {"burial", b.burial}};
    for (const auto& t : in)
      if (rest || std::string(t.first).find("rest") == std::string::npos)
        out_ << "  in   " << Pad(t.first, 36) << Num(t.second) << "\n";
    for (const auto& t : out)
      if (rest || std::string(t.first).find("rest") == std::string::npos)
        out_ << "  out  " << Pad(t.first, 36) << Num(t.second) << "\n";
    out_ << "  total in " << Num(b.In()) << ", total out " << Num(b.Out()) << ", gross exchange " << Num(b.gross)
         << ", imbalance relative to it " << Num(b.RelativeImbalance()) << "\n";
  };
  budget("Compound budget, whole domain", r.domain, false);
  budget("Compound budget, area 'estuary'", r.estuary, true);
  out_ << "Retention in the estuary (g/s): in " << Num(r.retentionIn) << ", removed " << Num(r.retentionLost)
       << ", to the marine side " << Num(r.retentionOut) << ", gross exchange " << Num(r.retentionGross)
       << ", imbalance relative to it " << Num(r.retentionImbalance)
       << "\n";
  out_ << "Estuary filtering capacity: " << Num(r.filteringCapacity) << " %\n";
  out_ << "Marine values: salinity " << Num(r.marine[0]) << " psu, total " << Num(r.marine[1])
       << " ug/l, dissolved " << Num(r.marine[2]) << " ug/l, suspended matter " << Num(r.marine[3])
       << " ug/g dw, sediment " << Num(r.marine[4]) << " ug/g dw\n";
}

void Listing::Notes(const Report& r) {
  if (notesDone_) return;
  notesDone_ = true;
  for (const auto& n : r.notes) out_ << n << "\n";
  out_ << "Warnings: " << r.warnings.size() << "\n";
  for (const auto& w : r.warnings) out_ << "WARNING: " << w << "\n";
}

void Listing::Phases(const std::vector<std::pair<std::string, double>>& phases) {
  out_ << "Phase times (ms):";
  for (const auto& p : phases) out_ << " " << p.first << " " << Num(p.second) << ";";
  out_ << "\n";
}

}  // namespace engine
