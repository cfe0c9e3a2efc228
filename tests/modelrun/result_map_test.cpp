#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "modelrun/ResultWindow.h"
#include "modelrun/modTulmo.h"
#include "platform/ui/MsgBox.h"
#include "runtime/Variant.h"
#include "tests/support/TestDir.h"

using namespace modTulmo;

namespace {

// A result window that keeps what it was given.
struct RecordingWindow : ResultWindow {
  int prepared = 0;
  int shown = 0;
  std::map<std::tuple<int, int, int>, std::string> data;  // chart, row, column
  std::map<std::pair<int, int>, std::string> rowLabels, columnLabels;
  std::map<std::string, std::string> captions;
  void PrepareChart(int chart, int rows, int columns) override {
    EXPECT_EQ(rows, 50);
    EXPECT_EQ(columns, 3);
    EXPECT_EQ(chart, prepared % 10);
    ++prepared;
  }
  void SetChartRowLabel(int chart, int row, const std::string& label) override { rowLabels[{chart, row}] = label; }
  void SetChartColumnLabel(int chart, int column, const std::string& label) override {
    columnLabels[{chart, column}] = label;
  }
  void SetChartData(int chart, int row, int column, const std::string& value) override {
    data[{chart, row, column}] = value;
  }
  void SetLabelCaption(const std::string& label, const std::string& caption) override { captions[label] = caption; }
  void ShowWindow() override { ++shown; }
};

using CellValue = std::function<float(int k, int s)>;

void PutInt(std::string& out, int32_t v) { out.append(reinterpret_cast<const char*>(&v), 4); }
void PutFloat(std::string& out, float v) { out.append(reinterpret_cast<const char*>(&v), 4); }

// A map file as the engine leaves it: titles, header, names, then per time step the time, the
// values and the six marine floats.
std::string MapFile(int32_t nosys, int32_t noseg, const CellValue& value, int steps = 1) {
  std::string out(160, '#');  // titles the reader must not care about
  PutInt(out, nosys);
  PutInt(out, noseg);
  for (int k = 0; k < nosys; ++k) out += std::string(20, static_cast<char>('A' + k));
  for (int step = 0; step < steps; ++step) {
    PutInt(out, step * 86400);
    for (int s = 0; s < noseg; ++s)
      for (int k = 0; k < nosys; ++k) PutFloat(out, value(k, s) + step * 1000.0f);
    for (int i = 0; i < 6; ++i) PutFloat(out, 30.5f + i + step * 1000.0f);
  }
  return out;
}

// A 4 MB map whose header promises 200000 substances and no segment: the file is long enough
// for its names, but tables sized by that count would take over a gigabyte.
std::string AbsurdSubstanceCount() {
  std::string out(160, ' ');
  PutInt(out, 200000);
  PutInt(out, 0);
  out.resize(172 + 20 * 200000 + 24, ' ');
  return out;
}

// Eleven substances: quantity k in cell s is k + s / 1000, the last one the cell's area.
float Plain(int k, int s) { return k == 10 ? 1.0f : static_cast<float>(k) + static_cast<float>(s) / 1000; }

using testsupport::Lines;

class ResultMapTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetModuleState();
    CurrentEstuary.EstLength = 40;
    SetResultWindow(&window);
  }
  void TearDown() override { SetResultWindow(nullptr); }
  RecordingWindow window;
  ui::MsgBoxRecorder boxes;
};

TEST_F(ResultMapTest, FullMapFillsGridChartsLabelsAndFiles) {
  testsupport::WriteFile("12.map", MapFile(11, 500, Plain));
  ASSERT_TRUE(ReadMap(12));
  EXPECT_TRUE(boxes.boxes().empty());
  EXPECT_EQ(nosys, 11);
  EXPECT_EQ(noseg, 500);
  EXPECT_EQ(ResultGrid.Substances(), 12);
  EXPECT_EQ(ResultGrid(3, 499), 3.499f);
  EXPECT_EQ(ResultGrid(10, 0), 1.0f);
  EXPECT_EQ(ResultCellsAlong, 50);
  EXPECT_EQ(ResultCellsAcross, 10);

  // Charts: row 1 is the transect at the mouth, labelled with its upstream edge in km.
  EXPECT_EQ(window.prepared, 10);
  EXPECT_EQ(window.rowLabels.at({0, 1}), "0.8");
  EXPECT_EQ(window.rowLabels.at({9, 50}), "40.0");
  EXPECT_EQ(window.data.at({2, 1, 1}), "2.009");  // north bank: tenth cell across
  EXPECT_EQ(window.data.at({2, 1, 3}), "2.001");  // south bank: second cell across
  // Centre: the mean of the fifth and sixth, in double precision.
  EXPECT_EQ(window.data.at({2, 1, 2}), vb::DoubleText((static_cast<double>(2.004f) + 2.005f) / 2));
  EXPECT_EQ(window.data.at({2, 50, 1}), "2.499");
  EXPECT_EQ(window.columnLabels.at({5, 1}), "North bank");
  EXPECT_EQ(window.columnLabels.at({5, 2}), "Centre");
  EXPECT_EQ(window.columnLabels.at({5, 3}), "South bank");
  EXPECT_EQ(window.data.size(), 10u * 50 * 3);  // the area substance sets no chart

  EXPECT_EQ(window.captions.at("lblSalMarine"), "3.05E+01");
  EXPECT_EQ(window.captions.at("lblConcSedMarine"), "3.45E+01");
  EXPECT_EQ(window.captions.at("lblEstFilter"), "35.50");
  EXPECT_EQ(window.captions.at("lbl95Dab"), "9.47E+00");
  EXPECT_EQ(window.shown, 1);

  const std::vector<std::string> full = Lines(testsupport::ReadFile("testfull.txt"));
  ASSERT_EQ(full.size(), 11u * 500);
  EXPECT_EQ(full[0], "0 000 000 000   0");
  EXPECT_EQ(full[51], "0 001 001 051   0.051");
  EXPECT_EQ(full.back(), "10 009 049 499   1");
  EXPECT_EQ(Lines(testsupport::ReadFile("Sorted.txt")).size(), 11u * 500);
  const std::vector<std::string> stat = Lines(testsupport::ReadFile("12-stat.txt"));
  ASSERT_EQ(stat.size(), 12u);
  EXPECT_EQ(stat[0], "Stof   95%      median   avg      5%");
  EXPECT_EQ(stat[11], "Stof 10 1.00E+00 1.00E+00 1.00E+00 1.00E+00");
}

TEST_F(ResultMapTest, StatisticsUseStrictAreaSharesAndTheCountMedian) {
  // Substance 0 is s on equal areas: shares of exactly 95 and 5 do not yet count.
  // Substance 1 has its greatest value on a cell holding a sixth of the area.
  testsupport::WriteFile("3.map", MapFile(11, 500, [](int k, int s) {
                           if (k == 10) return s == 0 ? 100.0f : 1.0f;
                           if (k == 1) return s == 0 ? 1000.0f : static_cast<float>(s) / 1000;
                           return static_cast<float>(s);
                         }));
  ASSERT_TRUE(ReadMap(3));
  const std::vector<std::string> stat = Lines(testsupport::ReadFile("3-stat.txt"));
  ASSERT_EQ(stat.size(), 12u);
  // Total area 599; substance 0 descending 499..1 on area 1, then cell 0 (value 0, area 100).
  // 95 %: the first share below 95 is after 30 cells (100 * 569 / 599 = 94.99); the average is
  // 124750 / 599. Substance 1: 5 % is reached 470 cells after the great one, at 0.030.
  EXPECT_EQ(stat[1], "Stof 0 4.70E+02 2.49E+02 2.08E+02 0.00E+00");
  EXPECT_EQ(stat[2], "Stof 1 1.00E+03 2.50E-01 1.67E+02 3.00E-02");
  const std::vector<std::string> sorted = Lines(testsupport::ReadFile("Sorted.txt"));
  EXPECT_EQ(sorted[0], "Stof 0 0  499 opp: 1 99.8");
  EXPECT_EQ(sorted[500], "Stof 1 0  1000 opp: 100 83.3");
  EXPECT_EQ(window.captions.at("lbl95Conc"), "1.00E+03");
  EXPECT_EQ(window.captions.at("lblAveConc"), "1.67E+02");
  EXPECT_EQ(window.captions.at("lblMinConc"), "3.00E-02");
}

TEST_F(ResultMapTest, EqualAreasPinTheThresholds) {
  testsupport::WriteFile("4.map", MapFile(11, 500, [](int k, int s) { return k == 10 ? 1.0f : static_cast<float>(s); }));
  ASSERT_TRUE(ReadMap(4));
  const std::vector<std::string> stat = Lines(testsupport::ReadFile("4-stat.txt"));
  // Share 95.0 exactly at position 24 (value 475) is not below 95; 474 is the 95 percentile.
  EXPECT_EQ(stat[1], "Stof 0 4.74E+02 2.49E+02 2.50E+02 2.40E+01");
  const std::vector<std::string> sorted = Lines(testsupport::ReadFile("Sorted.txt"));
  EXPECT_EQ(sorted[24], "Stof 0 24  475 opp: 1 95.0");
  EXPECT_EQ(sorted[462], "Stof 0 462  37 opp: 1 07.4");
  EXPECT_EQ(sorted[499], "Stof 0 499  0 opp: 1 00.0");

  // On areas of 0.3 the single-precision running sum ends a little past the total: the last
  // share is a small negative number and keeps its sign.
  testsupport::WriteFile("4.map", MapFile(11, 500, [](int k, int s) { return k == 10 ? 0.3f : static_cast<float>(s); }));
  ASSERT_TRUE(ReadMap(4));
  EXPECT_EQ(Lines(testsupport::ReadFile("Sorted.txt"))[499], "Stof 0 499  0 opp: 0.3 -00.0");
}

TEST_F(ResultMapTest, ShorterMapLeavesTheMissingCellsOutOfGridAndStatistics) {
  // Charts keep the rows the new map does not reach.
  window.data[{0, 50, 1}] = "old";
  testsupport::WriteFile("5.map", MapFile(11, 480, [](int k, int s) { return k == 10 ? 1.0f : static_cast<float>(s); }));
  ASSERT_TRUE(ReadMap(5));
  EXPECT_EQ(ResultGrid(0, 479), 479.0f);
  for (int s = 480; s < 500; ++s) EXPECT_EQ(ResultGrid(4, s), -9999.0f);
  EXPECT_EQ(window.data.at({0, 50, 1}), "old");
  EXPECT_EQ(window.data.count({0, 49, 1}), 0u);
  EXPECT_EQ(window.data.at({0, 48, 1}), "479");
  EXPECT_EQ(Lines(testsupport::ReadFile("testfull.txt")).size(), 11u * 480);

  // Only the 480 supplied cells are sorted and summed: values 479..0 on equal areas give the 95
  // percentile at the 25th cell (share 94.8), the median at position 240, the plain mean and the
  // 5 percentile at 23. With the missing cells' fill values the average would be about -2E+06.
  const std::vector<std::string> sorted = Lines(testsupport::ReadFile("Sorted.txt"));
  ASSERT_EQ(sorted.size(), 11u * 480);
  EXPECT_EQ(sorted[479], "Stof 0 479  0 opp: 1 00.0");
  EXPECT_EQ(sorted[480], "Stof 1 0  479 opp: 1 99.8");
  const std::vector<std::string> stat = Lines(testsupport::ReadFile("5-stat.txt"));
  ASSERT_EQ(stat.size(), 12u);
  EXPECT_EQ(stat[1], "Stof 0 4.55E+02 2.39E+02 2.40E+02 2.30E+01");
  EXPECT_EQ(stat[11], "Stof 10 1.00E+00 1.00E+00 1.00E+00 1.00E+00");
  EXPECT_EQ(window.captions.at("lblAveSal"), "2.40E+02");
}

TEST_F(ResultMapTest, OnlyTheFirstTimeStepIsRead) {
  testsupport::WriteFile("6.map", MapFile(11, 500, Plain, 3));
  ASSERT_TRUE(ReadMap(6));
  EXPECT_EQ(ResultGrid(1, 7), 1.007f);
  EXPECT_EQ(window.captions.at("lblSalMarine"), "3.05E+01");
}

TEST_F(ResultMapTest, RefusedMapsChangeNothingOfTheGrid) {
  testsupport::WriteFile("1.map", MapFile(11, 500, Plain));
  ASSERT_TRUE(ReadMap(1));
  window = RecordingWindow();
  boxes.Clear();

  // A header the grid cannot take is refused before anything is sized: too many or negative
  // segments, or another substance count than the ten quantities and the area.
  struct Case {
    const char* name;
    int32_t runid;
    std::string bytes;  // empty: no file
    const char* message;
    int32_t nosys, noseg;  // the header as read
  } cases[] = {
      {"missing", 7, "", "Result file from calculation '7.map' not found", 11, 500},
      {"too many segments", 8, MapFile(11, 501, Plain), "ERROR Number of segments larger than defined grid", 11, 501},
      {"negative segments", 10, MapFile(11, -3, Plain), "ERROR Number of segments below zero", 11, -3},
      {"no area substance", 11, MapFile(10, 500, Plain), "ERROR Number of substances smaller than 11", 10, 500},
      {"no substances", 13, MapFile(0, 500, Plain), "ERROR Number of substances smaller than 11", 0, 500},
      {"one substance too many", 14, MapFile(12, 500, Plain), "ERROR Number of substances larger than 11", 12, 500},
      {"absurd substance count", 15, AbsurdSubstanceCount(), "ERROR Number of substances larger than 11", 200000, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    boxes.Clear();
    if (!c.bytes.empty()) testsupport::WriteFile(std::to_string(c.runid) + ".map", c.bytes);
    EXPECT_FALSE(ReadMap(c.runid));
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].prompt, c.message);
    EXPECT_EQ(nosys, c.nosys);
    EXPECT_EQ(noseg, c.noseg);
    EXPECT_EQ(ResultGrid.Substances(), 12);
    EXPECT_EQ(ResultGrid(0, 5), 0.005f);
    EXPECT_EQ(ResultGrid(10, 499), 1.0f);
    EXPECT_EQ(window.prepared, 0);
    EXPECT_EQ(window.shown, 0);
    std::string why;
    EXPECT_FALSE(MapFileReadable(std::to_string(c.runid) + ".map", why));
  }
}

TEST_F(ResultMapTest, BrokenMapsGiveTheRunTimeErrorMessage) {
  const std::string whole = MapFile(11, 500, Plain);
  struct Case {
    const char* name;
    std::string bytes;
    int number;
  } cases[] = {
      {"truncated in the values", whole.substr(0, 10000), 62},
      {"marine values missing", whole.substr(0, 22400), 62},
      {"undefined value", MapFile(11, 500, [](int k, int s) { return k == 3 && s == 7 ? std::nanf("") : Plain(k, s); }), 5},
      {"no area", MapFile(11, 500, [](int k, int s) { return k == 10 ? 0.0f : Plain(k, s); }), 11},
      {"no segment", MapFile(11, 0, Plain), 11},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    boxes.Clear();
    window.shown = 0;
    testsupport::WriteFile("9.map", c.bytes);
    EXPECT_FALSE(ReadMap(9));
    ASSERT_EQ(boxes.boxes().size(), 1u);
    const std::string& prompt = boxes.boxes()[0].prompt;
    EXPECT_EQ(prompt.rfind("Error " + std::to_string(c.number) + " (", 0), 0u) << prompt;
    EXPECT_NE(prompt.find(") in procedure ReadMap of Module modTulmo"), std::string::npos) << prompt;
    EXPECT_EQ(window.shown, 0);
    // The check before a run is recorded reads as the reader does.
    std::string why;
    EXPECT_FALSE(MapFileReadable("9.map", why));
    EXPECT_EQ(boxes.boxes().size(), 1u);
  }
}

}  // namespace
