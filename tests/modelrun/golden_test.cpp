// The engine input and the grid files of two whole scenarios, compared byte for byte with files
// kept under tests/modelrun/golden/. Any change in a fixed line, a picture, a coordinate or a
// volume shows here. After a deliberate change of the output, and after checking the changed
// lines by hand, rewrite the kept files with scripts/update-goldens.sh (it sets
// TULMO_UPDATE_GOLDEN=1 for this test only).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "modelrun/modTulmo.h"
#include "platform/ui/MsgBox.h"
#include "tests/records/ScenarioDb.h"
#include "tests/support/TestDir.h"

using namespace modTulmo;

namespace {

namespace fs = std::filesystem;

bool Updating() {
  const char* flag = std::getenv("TULMO_UPDATE_GOLDEN");
  return flag && std::string(flag) == "1";
}

// Where two files first differ, as a line number for text and a byte offset for both.
std::string FirstDifference(const std::string& expected, const std::string& actual) {
  std::size_t i = 0;
  while (i < expected.size() && i < actual.size() && expected[i] == actual[i]) ++i;
  std::size_t line = 1;
  for (std::size_t k = 0; k < i; ++k) line += expected[k] == '\n';
  return "first difference at byte " + std::to_string(i) + " (line " + std::to_string(line) + "), sizes " +
         std::to_string(expected.size()) + " and " + std::to_string(actual.size());
}

// Writes the files of the calculation the way the run does, then compares (or keeps) them.
void CheckScenario(const std::string& name, int32_t compound, int32_t emission, int32_t estuary) {
  ui::MsgBoxRecorder boxes;
  ASSERT_TRUE(GetData(compound));
  ASSERT_TRUE(GetEmissionData(emission));
  ASSERT_TRUE(GetAdvancedDetailData(1));
  ASSERT_TRUE(CreateGrid(estuary));
  ASSERT_TRUE(PrintCorvixInputFile());
  ASSERT_TRUE(boxes.boxes().empty()) << boxes.boxes().front().prompt;

  std::vector<std::string> files(kGridFileNames.begin(), kGridFileNames.end());
  files.insert(files.begin(), "pirsel.inp");
  const fs::path kept = testsupport::SourceDir() / "tests" / "modelrun" / "golden" / name;
  if (Updating()) {
    fs::create_directories(kept);
    for (const std::string& f : files) testsupport::WriteFile(kept / f, testsupport::ReadFile(f));
    GTEST_SKIP() << "golden files rewritten in " << kept;
  }
  for (const std::string& f : files) {
    SCOPED_TRACE(name + "/" + f);
    ASSERT_TRUE(fs::exists(kept / f)) << "no golden file; see scripts/update-goldens.sh";
    const std::string expected = testsupport::ReadFile(kept / f);
    const std::string actual = testsupport::ReadFile(f);
    EXPECT_TRUE(expected == actual) << FirstDifference(expected, actual);
  }
}

TEST(GoldenFiles, DefaultScenario) {
  ResetModuleState();
  testdb::OpenScenario db{true};
  // Lindane, the point load halfway up and the yearly averaged generic estuary.
  CheckScenario("default", 1, 1, 1);
}

TEST(GoldenFiles, UserEstuaryWithTheSalinityMethodAndAMetal) {
  ResetModuleState();
  testdb::OpenScenario db{true};
  // A narrower, shorter estuary made from the winter one, its dispersion from the two salinity
  // stations; cadmium under the diffuse background emission.
  db.Raw(
      "CREATE TEMP TABLE u AS SELECT * FROM Environment WHERE ID = 2;"
      "UPDATE u SET ID = 10, Description = 'User estuary, salinity method', Type = 'user',"
      " DispersionOption = 1, WidthMouth = 4500, WidthAtX = 900, XfromMouth = 40, FlowRiverAvg = 150,"
      " EstLength = 120, TempAvg = 8.5;"
      "INSERT INTO Environment SELECT * FROM u;");
  ASSERT_EQ(db.Scalar("SELECT Type || ' ' || DispersionOption FROM Environment WHERE ID = 10"), "user 1");
  ASSERT_EQ(db.Scalar("SELECT CmpIsType FROM Compounds WHERE CmpID = 4"), "1");
  CheckScenario("user-salinity-metal", 4, 4, 10);
}

}  // namespace
