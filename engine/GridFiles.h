// The grid files step 1 reads beside the input: volumes (binary records), surfaces (binary,
// with its six-integer header) and the exchange table (fixed-width text), plus the checks that
// need the whole grid: the water balance (with its small repair) and the boundary connection.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/Problem.h"
#include "engine/Report.h"

namespace engine {

std::vector<double> ReadVolumes(const std::string& name, std::string_view bytes, int noseg,
                                Report& report);
std::vector<double> ReadSurfaces(const std::string& name, std::string_view bytes, int noseg);

struct ExchangeTable {
  std::vector<Exchange> exchanges;
  int nobnd = 0;
};

// `counts` are block 4's noq1..noq3; `where` prefixes the count-mismatch message.
ExchangeTable ReadExchangeTable(const std::string& name, std::string_view bytes, char comment,
                                const int counts[3], int noseg);

// Balances each segment's flows; small residues (table rounding) go to the segment's largest
// boundary exchange. Throws on imbalance that rounding cannot explain.
void RepairWaterBalance(Problem& p, Report& report);
// Milliseconds spent in the three readers above since the last call (phase times).
double TakeGridDecodeTime();

// Every segment must reach an open boundary through exchanges that carry flow or dispersion.
void CheckConnected(const Problem& p);

}  // namespace engine
