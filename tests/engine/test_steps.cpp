// End to end: both steps on the application's default estuary files, their file contract
// (what is written, what is removed, exit status) and the map as the application reads it.
#include <gtest/gtest.h>

#include <cmath>

#include "Fixture.h"

namespace fs = std::filesystem;
using namespace fixture;

namespace {

struct DefaultRun : ::testing::Test {
  TempDir dir;
  Grid grid = DefaultEstuaryGrid();
  Input input = DefaultInput(grid);
  void Write() {
    WriteGridFiles(dir.Path(), grid);
    WriteInput(dir.Path(), input);
  }
};

TEST_F(DefaultRun, BothStepsWriteAMapTheApplicationAccepts) {
  Write();
  const StepResult s1 = RunStep1(dir.Path());
  ASSERT_EQ(s1.code, 0) << s1.err;
  EXPECT_TRUE(fs::exists(dir.Path() / "pirsel.wrk"));
  const StepResult s2 = RunStep2(dir.Path());
  ASSERT_EQ(s2.code, 0) << s2.err << ReadFile(dir.Path() / "pirsel.lst");
  Map m;
  ASSERT_TRUE(ReadMap(dir.Path() / "tulmo.map", m));
  EXPECT_EQ(m.bytes, 22416u);
  EXPECT_EQ(m.nosys, 11);
  EXPECT_EQ(m.noseg, 500);
  std::cout << ReadFile(dir.Path() / "pirsel.lst");
}

}  // namespace
