// The text files written beside the binary grid: the exchange table, which the engine reads as
// fixed-width columns (fields may touch), and the cell outlines for a map program.
#include <string>

#include "modelrun/grid_layout.h"
#include "modelrun/internal.h"
#include "runtime/Files.h"
#include "runtime/Format.h"
#include "services/Useful.h"

namespace modTulmo {
namespace {

using detail::Num;
using detail::RightAlign;

std::string Int6(int32_t value) { return RightAlign(vb::Format(static_cast<double>(value), "#####0"), 6); }

}  // namespace

void WriteExchangeTable(const GridLayout& grid) {
  vb::TextWriter out("test.tab");
  out.WriteLine(Int6(GridExchanges1) + Int6(GridExchanges2) + Int6(GridExchanges3) +
                " ; nr of exchanges in 3 directions");
  out.WriteLine(";    1                ; one dispersion array");
  out.WriteLine(";    1                ; holds for all substances");
  out.WriteLine(";    0                ; no velocities");
  out.WriteLine(";    2                ; input form 2");
  out.WriteLine(";    1                ; table in this file");
  out.WriteLine("                  1      1      1      1");
  out.WriteLine("; from     to    fr-1   to-1   disp   area        flow     len-from     len-to");
  for (int k = 1; k <= GridExchanges; ++k) {
    const GridExchange& q = grid.Q[k];
    out.WriteLine(Int6(q.from) + Int6(q.to) + Int6(q.fromMinus1) + Int6(q.toPlus1) +
                  RightAlign(Num(q.D, "0.000000E+00"), 12) + RightAlign(Num(q.A, "0.0000E+00"), 11) +
                  RightAlign(Num(q.F, "0.0000E+00"), 11) + RightAlign(Num(q.L1, "0.0000E+00"), 11) +
                  RightAlign(Num(q.L2, "0.0000E+00"), 11) + " ; " + std::to_string(k));
  }
  out.Close();
}

void WriteOutline(const GridLayout& grid) {
  vb::TextWriter out("test.bna");
  auto point = [&](int n, int m) {
    out.WriteLine(Useful::chgDecimal(vb::Format(grid.X[n][m], "#######0.0") + "," +
                                     vb::Format(grid.Y[n][m], "#######0.0")));
  };
  for (int m = 2; m <= GridCellsAcross - 1; ++m) {
    for (int n = 2; n <= GridCellsAlong - 1; ++n) {
      if (grid.LGA[m][n] <= 0) continue;
      // Each polygon is named after its segment.
      out.WriteLine("\"" + vb::Format(static_cast<double>(grid.LGA[m][n]), "#####0") + "\",\"\"," +
                    vb::Format(5.0, "##0"));
      point(n, m);
      point(n, m + 1);
      point(n + 1, m + 1);
      point(n + 1, m);
      point(n, m);
    }
  }
  out.Close();
}

}  // namespace modTulmo
