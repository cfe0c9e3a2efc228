// CreateGrid: the eight binary grid files and the two text files of the current estuary's
// schematisation. Little-endian, no padding; the engine checks their sizes.
#include <filesystem>
#include <string>
#include <system_error>

#include "modelrun/grid_layout.h"
#include "modelrun/internal.h"
#include "platform/ui/Forms.h"
#include "platform/ui/MsgBox.h"
#include "runtime/Files.h"
#include "runtime/Math.h"

namespace modTulmo {

const std::array<const char*, 10> kGridFileNames = {"test.lga", "test.cco", "test.bna", "test.vol", "test.are",
                                                    "test.flo", "test.poi", "test.len", "test.srf", "test.tab"};

namespace {

constexpr int32_t kEstuarySegments = (GridCellsAlong - 2) * (GridCellsAcross - 2);
static_assert(kEstuarySegments < 625, "the segment table holds at most 624 estuary segments");
static_assert(kEstuarySegments + 1 == GridSegments);
static_assert(GridExchanges1 + GridExchanges2 + GridExchanges3 == GridExchanges);

void WriteLga(const GridLayout& grid) {
  vb::BinaryWriter out("test.lga");
  for (int32_t v : {GridCellsAcross, GridCellsAlong, kEstuarySegments, 1, (GridCellsAlong - 2) * (GridCellsAcross - 3),
                    (GridCellsAlong - 1) * (GridCellsAcross - 2), 0})
    out.WriteInt32(v);
  for (int m = 1; m <= GridCellsAcross; ++m)
    for (int n = 1; n <= GridCellsAlong; ++n) out.WriteInt32(grid.LGA[m][n]);
  out.Close();
}

void WriteCco(const GridLayout& grid) {
  vb::BinaryWriter out("test.cco");
  out.WriteInt32(GridCellsAlong);
  out.WriteInt32(GridCellsAcross);
  out.WriteSingle(0.1f);
  out.WriteSingle(0.1f);
  out.WriteSingle(0.0f);
  out.WriteInt32(0);
  out.WriteInt32(1);
  for (int i = 0; i < 9; ++i) out.WriteInt32(0);
  for (const auto* table : {&grid.X, &grid.Y})
    for (int n = 1; n <= GridCellsAlong; ++n)
      for (int m = 1; m <= GridCellsAcross; ++m) out.WriteSingle((*table)[n][m]);
  out.Close();
}

// Two records, at time 0 and one day later, of the same values.
template <class Value>
void WriteTwoRecords(const std::string& path, int count, Value value) {
  vb::BinaryWriter out(path);
  for (int32_t time : {0, 86400}) {
    out.WriteInt32(time);
    for (int i = 1; i <= count; ++i) out.WriteSingle(value(i));
  }
  out.Close();
}

void WritePoi(const GridLayout& grid) {
  vb::BinaryWriter out("test.poi");
  for (int k = 1; k <= GridExchanges; ++k) {
    const GridExchange& q = grid.Q[k];
    for (int32_t v : {q.from, q.to, q.fromMinus1, q.toPlus1}) out.WriteInt32(v);
  }
  out.Close();
}

void WriteLen(const GridLayout& grid) {
  vb::BinaryWriter out("test.len");
  out.WriteInt32(0);
  for (int k = 1; k <= GridExchanges; ++k) {
    out.WriteSingle(grid.Q[k].L1);
    out.WriteSingle(grid.Q[k].L2);
  }
  out.Close();
}

void WriteSrf(const GridLayout& grid) {
  vb::BinaryWriter out("test.srf");
  for (int32_t v : {GridCellsAcross, GridCellsAlong, GridSegments, GridSegments, GridSegments, 1}) out.WriteInt32(v);
  for (int s = 1; s <= GridSegments; ++s) out.WriteSingle(grid.S[s]);
  out.Close();
}

void RemoveGridFiles() {
  for (const char* name : kGridFileNames) {
    std::error_code ec;
    if (!std::filesystem::is_directory(name, ec)) std::filesystem::remove(name, ec);
  }
}

}  // namespace

bool CreateGrid(const int32_t& envid) {
  // Whatever happens below, no grid of an earlier estuary is left for the engine.
  RemoveGridFiles();
  if (!GetEnvironmentData(envid)) return false;
  ui::DoEvents();
  if (!CalcGridParameters()) return false;
  ui::DoEvents();

  bool written = false;
  detail::RunWithOwnMessage(" in procedure CreateGrid of Form frmEnvironment", [&] {
    EstuaryRecord& e = CurrentEstuary;
    e.EnvMarineArea = vb::Checked(e.EnvMarineDepth * e.EnvMarineWidth);
    e.EnvMarineFlow = vb::Checked(e.EnvMarineCurrent * e.EnvMarineArea);
    if (e.DispersionOption != 0 && e.DispersionOption != 1) {
      ui::MsgBox(" case not coded (dispersion option : " + std::to_string(e.DispersionOption) +
                 "\rError in module CreateGrid");
      return;
    }
    const GridLayout grid = ComputeGridLayout();
    WriteLga(grid);
    WriteCco(grid);
    WriteOutline(grid);
    WriteTwoRecords("test.vol", GridSegments, [&](int s) { return grid.V[s]; });
    WriteTwoRecords("test.are", GridExchanges, [&](int k) { return grid.Q[k].A; });
    WriteTwoRecords("test.flo", GridExchanges, [&](int k) { return grid.Q[k].F; });
    WritePoi(grid);
    WriteLen(grid);
    WriteSrf(grid);
    WriteExchangeTable(grid);
    written = true;
  });
  return written;
}

}  // namespace modTulmo
