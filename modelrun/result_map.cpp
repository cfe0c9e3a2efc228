// ReadMap: one run's result map into ResultGrid and MapHeader, the statistics and listing files,
// and the result window's charts and labels. Only the first time step is read.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "modelrun/ResultWindow.h"
#include "modelrun/internal.h"
#include "modelrun/modTulmo.h"
#include "platform/ui/Forms.h"
#include "platform/ui/MsgBox.h"
#include "runtime/Files.h"
#include "runtime/Format.h"
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
  const int64_t needed =
      172 + int64_t{kNameBytes} * nosys + 4 * int64_t{nosys} * noseg + 4 * int64_t{kMarineValues};
  if (needed > in.Length()) vb::Raise(62);

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
  constexpr int64_t kHeaderBytes = kTitleBytes + 8;
  std::error_code ec;
  const auto length = std::filesystem::file_size(fileName, ec);
  if (ec) {
    why = "The result map '" + fileName + "' cannot be read";
    return false;
  }
  const auto size = static_cast<int64_t>(length);
  std::string bytes(static_cast<std::size_t>(kHeaderBytes), '\0');
  std::ifstream in(fileName, std::ios::binary);
  if (size < kHeaderBytes || !in.read(bytes.data(), kHeaderBytes)) {
    why = "The result map '" + fileName + "' holds " + std::to_string(size) + " bytes, too few for its header";
    return false;
  }
  const auto int32At = [&](std::size_t at) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return static_cast<int32_t>(v);
  };
  const int32_t substances = int32At(kTitleBytes);
  const int32_t segments = int32At(kTitleBytes + 4);
  if (substances != kMapSubstances || segments < 0 || segments > kMapCells) {
    why = "The result map '" + fileName + "' gives " + std::to_string(substances) + " substances and " +
          std::to_string(segments) + " segments";
    return false;
  }
  const int64_t needed =
      172 + int64_t{kNameBytes} * substances + 4 * int64_t{substances} * segments + 4 * int64_t{kMarineValues};
  if (size < needed) {
    why = "The result map '" + fileName + "' holds " + std::to_string(size) + " bytes where its header needs " +
          std::to_string(needed);
    return false;
  }
  return true;
}

}  // namespace modTulmo
