// The application's binding to the map-layer library: loading, missing library or entry
// points, and layers written through it and read back with shapelib.
#include "platform/mervane/MervaneBinding.h"
#include "runtime/VbError.h"
#include "services/DIOUtils.h"
#include "tests/maplayer/LayerReader.h"
#include "tests/support/TestDir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <functional>

namespace fs = std::filesystem;
using layertest::ReadLayer;

namespace {

class MervaneBindingTest : public testing::Test {
 protected:
  void SetUp() override { mervane::ResetBinding(); }
  void TearDown() override {
    mervane::ResetBinding();
  }
};

void ExpectRaises(const std::function<void()>& call, int32_t number, const std::string& description) {
  try {
    call();
    ADD_FAILURE() << "no error raised, expected " << number;
  } catch (const vb::VbError& e) {
    EXPECT_EQ(e.number, number);
    EXPECT_EQ(e.description, description);
  }
}

TEST_F(MervaneBindingTest, LoadsFromTheApplicationFolderAtTheFirstCall) {
  EXPECT_EQ(mervane::LoadedLibraryPath(), "");
  int32_t error = 9;
  mervane::SHAPEFILECLOSE(error);
  EXPECT_EQ(error, 0);
  const fs::path exeFolder = fs::read_symlink("/proc/self/exe").parent_path();
  EXPECT_EQ(fs::path(mervane::LoadedLibraryPath()), exeFolder / mervane::kLibraryFile);
  EXPECT_TRUE(fs::equivalent(mervane::LoadedLibraryPath(), MERVANE_LIBRARY));
}

// A program in a folder of its own takes the library beside it first, then the one on the
// loader path (here the close-only stand-in, which answers 7), else raises 53.
TEST_F(MervaneBindingTest, LooksInTheProgramsFolderThenOnTheLoaderPath) {
  struct Case {
    const char* what;
    bool besideProgram;
    bool onLoaderPath;
    std::string expected;  // "<number> <loaded path or error text>"; @ stands for the program's folder
  } cases[] = {
      {"both", true, true, "0 @/libmervane.so"},
      {"loader path only", false, true, "7 libmervane.so"},
      {"neither", false, false, "53 File not found: Mervane"},
  };
  const fs::path loaderDir = testsupport::WorkDir() / "loader";
  fs::create_directories(loaderDir);
  fs::copy_file(CLOSE_ONLY_LIBRARY, loaderDir / mervane::kLibraryFile);
  int n = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const fs::path folder = testsupport::WorkDir() / ("program" + std::to_string(n++));
    fs::create_directories(folder);
    fs::copy_file(LOADER_PROBE, folder / "probe");
    if (c.besideProgram) fs::copy_file(MERVANE_LIBRARY, folder / mervane::kLibraryFile);
    const std::string command = "LD_LIBRARY_PATH='" + (c.onLoaderPath ? loaderDir.string() : std::string()) +
                                "' '" + (folder / "probe").string() + "'";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string output;
    char buffer[512];
    while (fgets(buffer, sizeof buffer, pipe)) output += buffer;
    EXPECT_EQ(pclose(pipe), 0);
    std::string expected = c.expected;
    if (const auto at = expected.find('@'); at != std::string::npos) expected.replace(at, 1, folder.string());
    EXPECT_EQ(output, expected + "\n");
  }
}

TEST_F(MervaneBindingTest, MissingLibraryRaises53AtEveryCall) {
  mervane::SetLibraryPath((testsupport::WorkDir() / mervane::kLibraryFile).string());
  int32_t error = 0;
  for (int attempt = 0; attempt < 2; ++attempt)
    ExpectRaises([&] { mervane::SHAPEFILECLOSE(error); }, 53, "File not found: Mervane");
  EXPECT_EQ(mervane::LoadedLibraryPath(), "");
}

// The stand-in has the close routine under its plain name only: the decorated name falls back
// to it, and the two missing entry points raise 453 naming what the caller binds.
TEST_F(MervaneBindingTest, MissingEntryPointRaises453WithItsName) {
  mervane::SetLibraryPath(CLOSE_ONLY_LIBRARY);
  int32_t error = 0;
  mervane::SHAPEFILECLOSE(error);
  EXPECT_EQ(error, 7);

  std::string types = "DOUBLE";
  int32_t widths[1] = {10}, decimals[1] = {2}, numbers[1] = {0}, n = 1;
  ExpectRaises([&] { mervane::SHAPEFILECREATE(error, "x", "POINT", "A", 1, types, 6, widths, decimals, n, numbers); },
               453, "Can't find DLL entry point _SHAPEFILECREATE@52 in Mervane");
  float x[1] = {0}, y[1] = {0};
  int32_t zero = 0, placeholder[1] = {0};
  double d[1] = {0};
  ExpectRaises([&] {
    mervane::SHAPEFILEWRITE(error, x, y, n, "a", 1, placeholder, zero, placeholder, placeholder, zero, x,
                            placeholder, zero, d, placeholder, zero);
  }, 453, "Can't find DLL entry point _SHAPEFILEWRITE@68 in Mervane");
}

// Point, line and polygon layers with string, integer and double fields, through the binding.
TEST_F(MervaneBindingTest, LayersReadBackWithShapelib) {
  struct Case {
    const char* word;
    int shapeType;
    std::vector<float> x, y;
    std::vector<double> readX;
  } cases[] = {
      {"POINT", SHPT_POINT, {10.5f, 3}, {20.25f, 4}, {10.5}},
      {"POLYLINE", SHPT_ARC, {0, 100, 250}, {0, 50, 0}, {0, 100, 250}},
      {"POLYGON", SHPT_POLYGON, {0, 10, 10, 0, 0}, {0, 0, 5, 5, 0}, {0, 10, 10, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.word);
    const std::string names = DIOUtils::JoinFixedWidth({"NAME", "COUNT", "LEVEL", "RATIO"}, 5);
    std::string types = DIOUtils::JoinFixedWidth({"STRING", "INTEGER", "DOUBLE", "REAL"}, 7);
    int32_t widths[4] = {12, 6, 16, 12}, decimals[4] = {0, 0, 6, 3}, numbers[4] = {-5, -5, -5, -5}, n = 4;
    int32_t error = -1;
    mervane::SHAPEFILECREATE(error, c.word, c.word, names, 5, types, 7, widths, decimals, n, numbers);
    ASSERT_EQ(error, 0);
    EXPECT_EQ(types, DIOUtils::JoinFixedWidth({"STRING", "INTEGER", "DOUBLE", "DOUBLE"}, 7));
    EXPECT_EQ(std::vector<int32_t>(numbers, numbers + 4), (std::vector<int32_t>{0, 1, 2, 3}));

    for (int32_t shape = 0; shape < 2; ++shape) {
      const std::string strings = DIOUtils::JoinFixedWidth({"cell " + std::to_string(shape)}, 8);
      const int32_t np = static_cast<int32_t>(c.x.size()), one = 1;
      const int32_t integers[1] = {100 + shape};
      const float reals[1] = {0.5f + shape};
      const double doubles[1] = {1234.567891 * (shape + 1)};
      mervane::SHAPEFILEWRITE(error, c.x.data(), c.y.data(), np, strings, 8, &numbers[0], one, integers,
                              &numbers[1], one, reals, &numbers[3], one, doubles, &numbers[2], one);
      ASSERT_EQ(error, 0);
    }
    mervane::SHAPEFILECLOSE(error);
    ASSERT_EQ(error, 0);

    const auto layer = ReadLayer(c.word);
    EXPECT_EQ(layer.shapeType, c.shapeType);
    ASSERT_EQ(layer.shapes.size(), 2u);
    EXPECT_EQ(layer.shapes[1].x, c.readX);
    EXPECT_EQ(layer.shapes[0].y.front(), static_cast<double>(c.y.front()));
    ASSERT_EQ(layer.fields.size(), 4u);
    const std::tuple<std::string, DBFFieldType, int, int> fields[] = {
        {"NAME ", FTString, 12, 0}, {"COUNT", FTInteger, 6, 0}, {"LEVEL", FTDouble, 16, 6}, {"RATIO", FTDouble, 12, 3}};
    for (size_t f = 0; f < 4; ++f) {
      EXPECT_EQ(layer.fields[f].name, std::get<0>(fields[f]));
      EXPECT_EQ(layer.fields[f].type, std::get<1>(fields[f]));
      EXPECT_EQ(layer.fields[f].width, std::get<2>(fields[f]));
      EXPECT_EQ(layer.fields[f].decimals, std::get<3>(fields[f]));
    }
    ASSERT_EQ(layer.records, 2);
    EXPECT_EQ(layer.values[0], (std::vector<std::string>{"cell 0", "100", "1234.567891", "0.500"}));
    EXPECT_EQ(layer.values[1], (std::vector<std::string>{"cell 1", "101", "2469.135782", "1.500"}));
  }
}

// The result window's calls: 11 names of width 4 (the last empty), 11 types of width 6, ten
// fields, and a one-character string placeholder with no string values.
TEST_F(MervaneBindingTest, ResultLayerCallsGiveTheTenDoubleFields) {
  const std::vector<std::string> fieldNames = {"PSU1", "TOT1", "DISS", "SUSP", "SEDI", "ZOOP",
                                               "SECP", "ROUN", "TELL", "BENT", ""};
  const std::string names = DIOUtils::JoinFixedWidth(fieldNames, 4);
  std::string types = DIOUtils::JoinFixedWidth(std::vector<std::string>(10, "DOUBLE"), 6) + "      ";
  int32_t widths[11], decimals[11], numbers[11] = {};
  for (int k = 0; k < 11; ++k) widths[k] = 20, decimals[k] = k == 0 ? 4 : 10;
  const int32_t n = 10, five = 5, zero = 0, ten = 10;
  int32_t error = -1;
  mervane::SHAPEFILECREATE(error, "Map", "POLYGON", names, 4, types, 6, widths, decimals, n, numbers);
  ASSERT_EQ(error, 0);
  const float x[5] = {0, 200, 200, 0, 0}, y[5] = {0, 0, 500, 500, 0};
  const int32_t placeholder[1] = {0};
  const float realPlaceholder[1] = {0};
  const double values[10] = {31.5, 1e-3, 2e-4, 3e-5, 4e-6, 5e-7, 6e-8, 7e-9, 8e-10, 9.1234567891};
  for (int cell = 0; cell < 3; ++cell) {
    mervane::SHAPEFILEWRITE(error, x, y, five, DIOUtils::JoinFixedWidth({"a", ""}, 1), 1, placeholder, zero,
                            placeholder, placeholder, zero, realPlaceholder, placeholder, zero, values, numbers, ten);
    ASSERT_EQ(error, 0);
  }
  mervane::SHAPEFILECLOSE(error);
  ASSERT_EQ(error, 0);

  const auto layer = ReadLayer("Map");
  ASSERT_EQ(layer.shapes.size(), 3u);
  ASSERT_EQ(layer.fields.size(), 10u);
  for (size_t k = 0; k < 10; ++k) {
    EXPECT_EQ(layer.fields[k].name, fieldNames[k]);
    EXPECT_EQ(layer.fields[k].type, FTDouble);
    EXPECT_EQ(layer.fields[k].width, 20);
    EXPECT_EQ(layer.fields[k].decimals, k == 0 ? 4 : 10);
  }
  ASSERT_EQ(layer.records, 3);
  EXPECT_EQ(layer.values[2][0], "31.5000");
  EXPECT_EQ(layer.values[2][8], "0.0000000008");
  EXPECT_EQ(layer.values[2][9], "9.1234567891");
}

}  // namespace
