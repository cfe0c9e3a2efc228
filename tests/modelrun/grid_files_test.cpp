#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "modelrun/grid_layout.h"
#include "modelrun/modTulmo.h"
#include "platform/ui/MsgBox.h"
#include "runtime/VbError.h"
#include "tests/records/ScenarioDb.h"
#include "tests/support/TestDir.h"

using namespace modTulmo;

namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::string tail;
  std::vector<std::string> lines = testsupport::Lines(text, &tail);
  EXPECT_EQ(tail.size(), 0u);
  return lines;
}

int32_t IntAt(const std::string& bytes, std::size_t offset) {
  int32_t v = 0;
  std::memcpy(&v, bytes.data() + offset, 4);
  return v;
}
float FloatAt(const std::string& bytes, std::size_t offset) {
  float v = 0;
  std::memcpy(&v, bytes.data() + offset, 4);
  return v;
}

class GridFilesTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetModuleState(); }
  testdb::OpenScenario db{true};  // the delivered estuaries; estuary 1 is the yearly "defaultavg"
  ui::MsgBoxRecorder boxes;
};

TEST_F(GridFilesTest, DefaultEstuaryGivesTheTenFilesInTheirLayouts) {
  ASSERT_TRUE(CreateGrid(1));
  EXPECT_TRUE(boxes.boxes().empty());
  const std::map<std::string, std::uintmax_t> sizes = {
      {"test.lga", 2524}, {"test.cco", 5056}, {"test.vol", 4016}, {"test.are", 7712},
      {"test.flo", 7712}, {"test.poi", 15408}, {"test.len", 7708}, {"test.srf", 2028}};
  for (const auto& [name, size] : sizes) EXPECT_EQ(std::filesystem::file_size(name), size) << name;

  // The grid parameters of the generic estuary, as its row documents them.
  EXPECT_DOUBLE_EQ(GridParameters.CalcConvergence, 31.1);
  EXPECT_DOUBLE_EQ(GridParameters.Dispersion1, 725.3);
  EXPECT_DOUBLE_EQ(GridParameters.CalcSaltIntrusion, 108.4);
  EXPECT_DOUBLE_EQ(CurrentEstuary.EnvMarineArea, 20 * 20000.0);
  EXPECT_DOUBLE_EQ(CurrentEstuary.EnvMarineFlow, 0.1 * 20 * 20000.0);

  const std::string lga = testsupport::ReadFile("test.lga");
  const int32_t header[] = {12, 52, 500, 1, 450, 510, 0};
  for (int i = 0; i < 7; ++i) EXPECT_EQ(IntAt(lga, 4 * i), header[i]) << i;
  auto LGA = [&](int m, int n) { return IntAt(lga, 28 + 4 * ((m - 1) * 52 + (n - 1))); };
  EXPECT_EQ(LGA(2, 2), 2);
  EXPECT_EQ(LGA(11, 2), 11);
  EXPECT_EQ(LGA(2, 51), 492);
  EXPECT_EQ(LGA(11, 51), 501);
  EXPECT_EQ(LGA(5, 1), 1);
  EXPECT_EQ(LGA(5, 52), -1);
  EXPECT_EQ(LGA(1, 30), 0);
  EXPECT_EQ(LGA(12, 1), 0);

  const std::string cco = testsupport::ReadFile("test.cco");
  EXPECT_EQ(IntAt(cco, 0), 52);
  EXPECT_EQ(IntAt(cco, 4), 12);
  EXPECT_EQ(FloatAt(cco, 8), 0.1f);
  EXPECT_EQ(FloatAt(cco, 12), 0.1f);
  EXPECT_EQ(IntAt(cco, 24), 1);
  EXPECT_EQ(FloatAt(cco, 64 + 4 * (50 * 12)), 0.1f + 160000.0f);  // X(51, 1): the head
  // The banks Y(n, 1) and Y(n, 11) lie symmetric about the axis of the 6 km wide mouth.
  for (int n : {1, 52}) EXPECT_NEAR(FloatAt(cco, 2560 + 48 * (n - 1)) + FloatAt(cco, 2560 + 48 * (n - 1) + 40), 6000.2, 1e-3);
  // Both records of the time-dependent files hold the same values, at times 0 and 86400.
  for (const auto& [name, count] : std::map<std::string, int>{{"test.vol", 501}, {"test.are", 963}, {"test.flo", 963}}) {
    const std::string bytes = testsupport::ReadFile(name);
    const std::size_t record = 4 + 4 * count;
    EXPECT_EQ(IntAt(bytes, 0), 0) << name;
    EXPECT_EQ(IntAt(bytes, record), 86400) << name;
    EXPECT_EQ(bytes.substr(4, record - 4), bytes.substr(record + 4)) << name;
  }
  const std::string flo = testsupport::ReadFile("test.flo");
  auto flow = [&](int k) { return FloatAt(flo, 4 * k); };
  EXPECT_EQ(flow(451), 40000.0f);
  EXPECT_EQ(flow(452), 40116.25f);
  EXPECT_EQ(flow(963), 0.0f);
  EXPECT_EQ(flow(453), -11.625f);
  const std::string poi = testsupport::ReadFile("test.poi");
  auto pointer = [&](int k, int i) { return IntAt(poi, 16 * (k - 1) + 4 * i); };
  EXPECT_EQ(pointer(451, 0), -2);
  EXPECT_EQ(pointer(452, 1), -4);
  EXPECT_EQ(pointer(963, 3), 2);
  EXPECT_EQ(pointer(962, 1), -1);
  const std::string srf = testsupport::ReadFile("test.srf");
  const int32_t srfHeader[] = {12, 52, 501, 501, 501, 1};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(IntAt(srf, 4 * i), srfHeader[i]);
  EXPECT_EQ(FloatAt(srf, 24), 40000.0f * 20000.0f);
  EXPECT_EQ(IntAt(testsupport::ReadFile("test.len"), 0), 0);

  // The exchange table: fixed-width records the engine reads by column.
  const std::vector<std::string> tab = Lines(testsupport::ReadFile("test.tab"));
  ASSERT_EQ(tab.size(), 8u + 963);
  EXPECT_EQ(tab[0], "   452   511     0 ; nr of exchanges in 3 directions");
  EXPECT_EQ(tab[6], "                  1      1      1      1");
  for (int k = 1; k <= 963; ++k) {
    const std::string& line = tab[7 + k];
    ASSERT_EQ(line.substr(80), " ; " + std::to_string(k)) << line;
  }
  EXPECT_EQ(tab[8 + 450].substr(0, 24), "    -2     1     0    -4");
  EXPECT_EQ(tab[8 + 450].substr(47, 11), " 4.0000E+04");
  EXPECT_EQ(tab[8 + 451].substr(47, 11), " 4.0116E+04");
  EXPECT_EQ(tab[8 + 962].substr(47, 11), " 0.0000E+00");
  EXPECT_EQ(tab[8 + 452].substr(47, 11), "-1.1625E+01");
  // Along dispersion: the physical value D1 (1 - beta (e^(x/a) - 1)) at the mouth; upstream of
  // about 108 km it turns negative and the numerical minimum (Q / 10) dx / A / 2 holds.
  const std::string are = testsupport::ReadFile("test.are");
  auto dispersion = [&](int k) { return std::stod(tab[7 + k].substr(24, 12)); };
  auto minimum = [&](int k) { return -static_cast<double>(flow(k)) * (160000.0 / 50) / FloatAt(are, 4 * k) / 2; };
  auto along = [](int n, int m) { return 452 + (n - 2) * 10 + (m - 1); };
  auto physical = [&](int n) {
    const double x = static_cast<float>((n - 1) * 3200.0 + 0.1f), a = static_cast<double>(31.1f) * 1000;
    const double beta = static_cast<float>(GridParameters.Beta);
    return static_cast<double>(725.3f) * (1 - beta * (std::exp(x / a) - 1));
  };
  int atMinimum = 0;
  for (int n = 2; n <= 52; ++n) {
    for (int m = 2; m <= 11; ++m) {
      const int k = along(n, m);
      const double expected = std::max(minimum(k), physical(n));
      ASSERT_NEAR(dispersion(k), expected, expected * 1e-6) << k;
      if (physical(n) < minimum(k)) ++atMinimum;
    }
  }
  EXPECT_GT(physical(2), 700);
  EXPECT_LT(physical(52), 0);
  EXPECT_GT(atMinimum, 100);

  const std::vector<std::string> bna = Lines(testsupport::ReadFile("test.bna"));
  ASSERT_EQ(bna.size(), 3000u);
  EXPECT_EQ(bna[0], "\"2\",\"\",5");
  EXPECT_EQ(bna[1], bna[5]);  // the ring closes
  EXPECT_EQ(bna[6], "\"12\",\"\",5");
  EXPECT_EQ(bna[2994], "\"501\",\"\",5");
}

TEST_F(GridFilesTest, ExchangeFieldsFillTheirWidths) {
  GridLayout grid;
  grid.Q[1] = {2, 3, 0, 4, 1234.5, 50.0f, -0.001f, 12.5f, 12.5f};
  WriteExchangeTable(grid);
  const std::vector<std::string> tab = Lines(testsupport::ReadFile("test.tab"));
  EXPECT_EQ(tab[8], "     2     3     0     41.234500E+03 5.0000E+01-1.0000E-03 1.2500E+01 1.2500E+01 ; 1");
  grid.Q[2].D = -1234.5;  // one character too wide
  EXPECT_THROW(WriteExchangeTable(grid), vb::VbError);
}

TEST_F(GridFilesTest, NoGridOfAnEarlierEstuaryOutlivesAFailure) {
  for (const char* name : kGridFileNames) testsupport::WriteFile(name, "stale");
  db.Raw("UPDATE Environment SET WidthAtX = WidthMouth WHERE ID = 1");
  EXPECT_FALSE(CreateGrid(1));
  EXPECT_TRUE(boxes.boxes().empty());
  for (const char* name : kGridFileNames) EXPECT_FALSE(std::filesystem::exists(name)) << name;

  for (const char* name : kGridFileNames) testsupport::WriteFile(name, "stale");
  EXPECT_FALSE(CreateGrid(999));  // no such estuary
  for (const char* name : kGridFileNames) EXPECT_FALSE(std::filesystem::exists(name)) << name;
}

TEST_F(GridFilesTest, AFileThatCannotBeWrittenIsReported) {
  std::filesystem::create_directory("test.tab");
  EXPECT_FALSE(CreateGrid(1));
  ASSERT_EQ(boxes.boxes().size(), 1u);
  const std::string& prompt = boxes.boxes()[0].prompt;
  EXPECT_EQ(prompt.rfind("Error 75 (", 0), 0u) << prompt;
  EXPECT_NE(prompt.find(") in procedure CreateGrid of Form frmEnvironment"), std::string::npos) << prompt;
  EXPECT_EQ(std::filesystem::file_size("test.srf"), 2028u);  // written before the failure
}

}  // namespace

namespace {

// The editor's defaults made 200 km long: the head would be 1E-10 m wide and the grid's cells
// lose their area. The grid step refuses it in the editor's words and writes nothing.
TEST_F(GridFilesTest, AnEstuaryNarrowingToNothingWritesNoGridAndSaysWhy) {
  db.Raw("UPDATE Environment SET WidthMouth = 100, WidthAtX = 50, XfromMouth = 5, EstLength = 200, "
         "FlowRiverAvg = 1, TideAvg = 1, EstDepth = 5, DispersionOption = 0 WHERE ID = 1");
  EXPECT_FALSE(CreateGrid(1));
  ASSERT_EQ(boxes.boxes().size(), 1u);
  EXPECT_EQ(boxes.boxes()[0].prompt,
            "Width at the head of the estuary (8.6E-11 m) must be at least 0.1 m: shorten the Estuary length or raise "
            "the Width at X");
  for (const char* name : kGridFileNames) EXPECT_FALSE(std::filesystem::exists(name)) << name;
}

}  // namespace
