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

}  // namespace

namespace detail {

std::string ReadMapContent(const std::string& fileName, MapContent& map) {
  map = MapContent{};
  vb::BinaryReader in(fileName);
  in.ReadBytes(kTitleBytes);
  map.nosys = in.ReadInt32();
  map.noseg = in.ReadInt32();
  map.headerRead = true;
  if (map.noseg > kMapCells) return "ERROR Number of segments larger than defined grid";
  // The header is checked before anything is sized for it: the area is the substance after the
  // ten quantities, and a header that promises more than the file holds fails now.
  if (map.noseg < 0) return "ERROR Number of segments below zero";
  if (map.nosys < kMapSubstances) return "ERROR Number of substances smaller than " + std::to_string(kMapSubstances);
  // The engine writes exactly these; a larger count is a damaged header, and sizing the tables
  // for it could take all memory before the length check below.
  if (map.nosys > kMapSubstances) return "ERROR Number of substances larger than " + std::to_string(kMapSubstances);
  if (BytesNeeded(map.nosys, map.noseg) > in.Length()) vb::Raise(62);

  in.ReadBytes(static_cast<std::size_t>(kNameBytes) * map.nosys);
  in.ReadInt32();  // time of the first step
  const int32_t areaSubstance = map.nosys - 1;
  map.values.reserve(static_cast<std::size_t>(map.nosys) * map.noseg);
  for (int32_t s = 0; s < map.noseg; ++s)
    for (int32_t k = 0; k < map.nosys; ++k) {
      // Nothing infinite or undefined may reach the grid, its layer or a label.
      const float v = static_cast<float>(vb::Checked(in.ReadSingle()));
      map.values.push_back(v);
      if (k == areaSubstance) map.totalArea += v;
    }
  for (float& v : map.marine) v = static_cast<float>(vb::Checked(in.ReadSingle()));
  // The statistics weigh by area and divide by the total.
  if (map.totalArea == 0) vb::Raise(11);
  return {};
}

}  // namespace detail

namespace {

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
  detail::MapContent map;
  std::string refusal;
  {
    // The header's counts are kept even when the reading stops after them.
    struct KeepHeader {
      const detail::MapContent& map;
      ~KeepHeader() {
        if (!map.headerRead) return;
        nosys = map.nosys;
        noseg = map.noseg;
      }
    } keep{map};
    refusal = detail::ReadMapContent(fileName, map);
  }
  ResultCellsAlong = 50;
  ResultCellsAcross = 10;
  if (!refusal.empty()) {
    ui::MsgBox(refusal);
    return false;
  }

  ResultGrid.Resize(nosys + 1);
  detail::MapTables tables;
  tables.value.assign(nosys, std::vector<float>(kMapCells, kNoCell));
  tables.area.assign(nosys, std::vector<float>(kMapCells, kNoCell));
  if (window)
    for (int k = 0; k < kCharts; ++k) window->PrepareChart(k, 50, 3);
  for (int32_t k = 0; k < nosys; ++k)
    for (int s = 0; s < kMapCells; ++s) ResultGrid(k, s) = kNoCell;
  tables.totalArea = map.totalArea;

  vb::TextWriter full("testfull.txt");
  const int32_t areaSubstance = nosys - 1;
  for (int32_t s = 0; s < noseg; ++s) {
    for (int32_t k = 0; k < nosys; ++k) {
      const float v = map.Value(k, s);
      ResultGrid(k, s) = v;
      tables.value[k][s] = v;
      if (k == areaSubstance)
        for (auto& area : tables.area) area[s] = v;
      if (window && s % 10 == 9 && k < kCharts) FillChartRow(*window, k, s / 10);
    }
  }

  for (int i = 0; i < kMarineValues; ++i)
    if (window) window->SetLabelCaption(kMarineLabels[i][0], vb::Format(map.marine[i], kMarineLabels[i][1]));

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
  detail::MapContent content;
  std::string refusal;
  int64_t size = -1;
  if (!vb::Try([&] {
        size = vb::FileLen(fileName);
        refusal = detail::ReadMapContent(fileName, content);
      })) {
    const vb::ErrObject err = vb::Err();
    vb::Err().Clear();
    const std::size_t read = content.values.size();
    if (err.Number == 62 && size >= 0 && size < kTitleBytes + 8)
      why = map + "holds " + std::to_string(size) + " bytes, too few for its header";
    else if (err.Number == 62 && content.headerRead)
      why = map + "holds " + std::to_string(size) + " bytes where its header needs " +
            std::to_string(BytesNeeded(content.nosys, content.noseg));
    else if ((err.Number == 5 || err.Number == 6) && content.nosys > 0 &&
             read < static_cast<std::size_t>(content.nosys) * content.noseg)
      why = map + "gives no number for substance " + std::to_string(read % content.nosys) + " of segment " +
            std::to_string(read / content.nosys);
    else if (err.Number == 5 || err.Number == 6)
      why = map + "gives no number for a marine value";
    else if (err.Number == 11)
      why = map + "gives a total cell area of 0";
    else
      why = map + "cannot be read: " + err.Description;
    return false;
  }
  if (!refusal.empty()) {
    why = map + "gives " + std::to_string(content.nosys) + " substances and " + std::to_string(content.noseg) +
          " segments";
    return false;
  }
  // The engine leaves every segment of the estuary; a map without some of them, or with a value
  // below 0, is coloured on a log scale that has no place for it.
  if (content.noseg != kMapCells) {
    why = map + "gives " + std::to_string(content.noseg) + " segments where a run has " + std::to_string(kMapCells);
    return false;
  }
  for (int32_t s = 0; s < content.noseg; ++s)
    for (int32_t k = 0; k < content.nosys; ++k)
      if (content.Value(k, s) < 0) {
        why = map + "gives " + vb::SingleText(content.Value(k, s)) + " for substance " + std::to_string(k) +
              " of segment " + std::to_string(s) + ", below 0";
        return false;
      }
  return true;
}

}  // namespace modTulmo
