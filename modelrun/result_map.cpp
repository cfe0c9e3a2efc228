// ReadMap: one run's result map into ResultGrid and MapHeader, the statistics and listing files,
// and the result window's charts and labels. Only the first time step is read.
#include <cstdint>
#include <string>

#include "modelrun/ResultWindow.h"
#include "modelrun/internal.h"
#include "modelrun/modTulmo.h"
#include "platform/ui/Forms.h"
#include "platform/ui/MsgBox.h"
#include "runtime/Files.h"
#include "runtime/Format.h"
#include "runtime/Guard.h"
#include "runtime/Math.h"
#include "runtime/Variant.h"

namespace modTulmo {
namespace {

constexpr int kMapCells = 500;
constexpr int kCharts = 10;
constexpr int kTitleBytes = 4 * 40;
constexpr int kNameBytes = 20;
constexpr int kMarineValues = 6;
constexpr int32_t kMapSubstances = kCharts + 1;  // the ten quantities and the area

// The length of a map whose header gives these counts, up to its marine values.
int64_t BytesNeeded(int32_t substances, int32_t segments) {
  return 172 + int64_t{kNameBytes} * substances + 4 * int64_t{substances} * segments + 4 * int64_t{kMarineValues};
}

// Statistic labels of the ten quantities: 95 percentile, average, 5 percentile.
constexpr const char* kStatisticLabels[kCharts][3] = {
    {"lbl95Sal", "lblAveSal", "lblMinSal"},
    {"lbl95Conc", "lblAveConc", "lblMinConc"},
    {"lbl95ConcDis", "lblAveConcDis", "lblMinConcDis"},
    {"lbl95ConcAds", "lblAveConcAds", "lblMinConcAds"},
    {"lbl95ConcAdsX", "lblAveConcAdsX", "lblMinConcAdsX"},
    {"lbl95Zoo", "lblAveZoo", "lblMinZoo"},
    {"lbl95SecProd", "lblAveSecProd", "lblMinSecProd"},
    {"lbl95Round", "lblAveRound", "lblMinRound"},
    {"lbl95Tel", "lblAveTel", "lblMinTel"},
    {"lbl95Dab", "lblAveDab", "lblMinDab"},
};

// Marine labels in the order of the six floats after the first time step, with their pictures.
constexpr const char* kMarineLabels[kMarineValues][2] = {
    {"lblSalMarine", "0.00E+00"},     {"lblConcTotMarine", "0.00E+00"}, {"lblConcDisMarine", "0.00E+00"},
    {"lblConcAdsMarine", "0.00E+00"}, {"lblConcSedMarine", "0.00E+00"}, {"lblEstFilter", "0.00"},
};

// Chart k, transect t: north bank the tenth cell across, centre the mean of the fifth and sixth,
// south bank the second.
void FillChartRow(ResultWindow& window, int k, int t) {
  const int row = t + 1;
  window.SetChartRowLabel(k, row, vb::Format(row * CurrentEstuary.EstLength / 50, "0.0"));
  const double centre = (static_cast<double>(ResultGrid(k, 10 * t + 4)) + ResultGrid(k, 10 * t + 5)) / 2;
  window.SetChartData(k, row, 2, vb::DoubleText(centre));
  window.SetChartColumnLabel(k, 2, "Centre");
  window.SetChartData(k, row, 3, vb::SingleText(ResultGrid(k, 10 * t + 1)));
  window.SetChartColumnLabel(k, 3, "South bank");
  window.SetChartData(k, row, 1, vb::SingleText(ResultGrid(k, 10 * t + 9)));
  window.SetChartColumnLabel(k, 1, "North bank");
}

bool Read(int32_t runid, const std::string& fileName) {
  ResultWindow* window = GetResultWindow();
  ui::DoEvents();
  vb::BinaryReader in(fileName);
  in.ReadBytes(kTitleBytes);
  nosys = in.ReadInt32();
  noseg = in.ReadInt32();
  ResultCellsAlong = 50;
  ResultCellsAcross = 10;
  if (noseg > ResultCellsAlong * ResultCellsAcross) {
    ui::MsgBox("ERROR Number of segments larger than defined grid");
    return false;
  }
  // The header is checked before anything is sized for it: the area is the substance after the
  // ten quantities, and a header that promises more than the file holds fails now.
  if (noseg < 0) {
    ui::MsgBox("ERROR Number of segments below zero");
    return false;
  }
  if (nosys < kMapSubstances) {
    ui::MsgBox("ERROR Number of substances smaller than " + std::to_string(kMapSubstances));
    return false;
  }
  // The engine writes exactly these; a larger count is a damaged header, and sizing the tables
  // for it could take all memory before the length check below.
  if (nosys > kMapSubstances) {
    ui::MsgBox("ERROR Number of substances larger than " + std::to_string(kMapSubstances));
    return false;
  }
  if (BytesNeeded(nosys, noseg) > in.Length()) vb::Raise(62);

  ResultGrid.Resize(nosys + 1);
  detail::MapTables tables;
  tables.value.assign(nosys, std::vector<float>(kMapCells, kNoCell));
  tables.area.assign(nosys, std::vector<float>(kMapCells, kNoCell));
  if (window)
    for (int k = 0; k < kCharts; ++k) window->PrepareChart(k, 50, 3);
  for (int32_t k = 0; k < nosys; ++k)
    for (int s = 0; s < kMapCells; ++s) ResultGrid(k, s) = kNoCell;
  tables.totalArea = 0;

  vb::TextWriter full("testfull.txt");
  in.ReadBytes(static_cast<std::size_t>(kNameBytes) * nosys);
  in.ReadInt32();  // time of the first step

  const int32_t areaSubstance = nosys - 1;
  for (int32_t s = 0; s < noseg; ++s) {
    for (int32_t k = 0; k < nosys; ++k) {
      // Nothing infinite or undefined may reach the grid, its layer or a label.
      const float v = static_cast<float>(vb::Checked(in.ReadSingle()));
      ResultGrid(k, s) = v;
      tables.value[k][s] = v;
      if (k == areaSubstance) {
        for (auto& area : tables.area) area[s] = v;
        tables.totalArea += v;
      }
      if (window && s % 10 == 9 && k < kCharts) FillChartRow(*window, k, s / 10);
    }
  }

  for (const auto& [label, picture] : kMarineLabels) {
    const float v = static_cast<float>(vb::Checked(in.ReadSingle()));
    if (window) window->SetLabelCaption(label, vb::Format(v, picture));
  }
  in.Close();

  const std::vector<detail::RunStatistic> stats = detail::WriteListingsAndStatistics(runid, tables, full);

  for (int q = 0; q < kCharts; ++q) {
    if (!window) continue;
    window->SetLabelCaption(kStatisticLabels[q][0], vb::Format(stats[q].p95, "0.00E+00"));
    window->SetLabelCaption(kStatisticLabels[q][1], vb::Format(stats[q].average, "0.00E+00"));
    window->SetLabelCaption(kStatisticLabels[q][2], vb::Format(stats[q].p5, "0.00E+00"));
  }
  if (window) window->ShowWindow();
  return true;
}

}  // namespace

bool ReadMap(const int32_t& runid) {
  const std::string fileName = std::to_string(runid) + ".map";
  if (!FileExists(fileName)) {
    ui::MsgBox("Result file from calculation '" + fileName + "' not found");
    return false;
  }
  bool done = false;
  detail::RunWithOwnMessage(" in procedure ReadMap of Module modTulmo", [&] { done = Read(runid, fileName); });
  return done;
}

bool MapFileReadable(const std::string& fileName, std::string& why) {
  const std::string map = "The result map '" + fileName + "' ";
  bool readable = false;
  const bool read = vb::Try([&] {
    vb::BinaryReader in(fileName);
    const int64_t size = in.Length();
    if (size < kTitleBytes + 8) {
      why = map + "holds " + std::to_string(size) + " bytes, too few for its header";
      return;
    }
    in.ReadBytes(kTitleBytes);
    const int32_t substances = in.ReadInt32();
    const int32_t segments = in.ReadInt32();
    if (substances != kMapSubstances || segments < 0 || segments > kMapCells) {
      why = map + "gives " + std::to_string(substances) + " substances and " + std::to_string(segments) + " segments";
      return;
    }
    if (const int64_t needed = BytesNeeded(substances, segments); size < needed) {
      why = map + "holds " + std::to_string(size) + " bytes where its header needs " + std::to_string(needed);
      return;
    }
    readable = true;
  });
  if (!read) {
    vb::Err().Clear();
    why = map + "cannot be read";
  }
  return readable;
}

}  // namespace modTulmo
