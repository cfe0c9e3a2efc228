// End to end: both steps on the files the application writes for the default scenario, their file contract
// (what is written, what is removed, exit status) and the map as the application reads it.
#include <gtest/gtest.h>

#include <cmath>

#include "EngineCase.h"
#include "engine/Messages.h"

namespace fs = std::filesystem;
using namespace fixture;

namespace {

struct DefaultRun : ::testing::Test {
  TempDir dir;
  void Write() { CopyGolden(dir.Path()); }
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
  // The listing keeps both steps' reports.
  const std::string lst = ReadFile(dir.Path() / "pirsel.lst");
  EXPECT_NE(lst.find("Step 1 completed"), std::string::npos);
  EXPECT_NE(lst.find("Step 2 completed"), std::string::npos);
}

TEST_F(DefaultRun, AFailedStepLeavesNoMapThatCouldPassForItsResult) {
  Write();
  const fs::path map = dir.Path() / "tulmo.map", work = dir.Path() / "pirsel.wrk";
  ASSERT_EQ(RunStep1(dir.Path()).code, 0);
  ASSERT_EQ(RunStep2(dir.Path()).code, 0);

  // Step 1 on a cut input removes the earlier map and work file before it fails.
  const std::string text = ReadFile(dir.Path() / "pirsel.inp");
  WriteFile(dir.Path() / "pirsel.inp", text.substr(0, text.size() / 2));
  StepResult s = RunStep1(dir.Path());
  EXPECT_EQ(s.code, 1);
  EXPECT_EQ(s.err.rfind("corvix1: pirsel.inp:", 0), 0u) << s.err;
  EXPECT_FALSE(fs::exists(map));
  EXPECT_FALSE(fs::exists(work));
  EXPECT_NE(ReadFile(dir.Path() / "pirsel.lst").find("ERROR: "), std::string::npos);

  // Step 2 on a damaged work file: refused, and an old map is gone.
  WriteFile(dir.Path() / "pirsel.inp", text);
  ASSERT_EQ(RunStep1(dir.Path()).code, 0);
  std::string bytes = ReadFile(work);
  bytes[bytes.size() / 2] ^= 0x5a;
  WriteFile(work, bytes);
  WriteFile(map, std::string(22416, '\0'));
  s = RunStep2(dir.Path());
  EXPECT_EQ(s.code, 1);
  EXPECT_NE(s.err.find("damaged"), std::string::npos) << s.err;
  EXPECT_FALSE(fs::exists(map));
  EXPECT_FALSE(fs::exists(dir.Path() / "tulmo.map.tmp"));

  // Step 2 without a work file is a file error.
  fs::remove(work);
  s = RunStep2(dir.Path());
  EXPECT_EQ(s.code, 2);
  EXPECT_FALSE(fs::exists(map));
}

TEST_F(DefaultRun, CommandLinesAreCheckedAndTheWorkFileNameMayCarryItsExtension) {
  Write();
  struct Case {
    int step;
    std::vector<std::string> args;
    int code;
  };
  const Case cases[] = {
      {1, {}, 64},
      {1, {"pirsel.inp", "-x"}, 64},
      {1, {"pirsel.inp", "other.inp"}, 64},
      {1, {"missing.inp", "-np"}, 2},
      {1, {"pirsel.inp"}, 0},
      {2, {}, 64},
      {2, {"pirsel", "-q"}, 64},
      {2, {"pirsel.wrk"}, 0},
      {2, {"pirsel.inp", "-np"}, 0},
  };
  for (const Case& c : cases) {
    const StepResult r = c.step == 1 ? RunStep1(dir.Path(), c.args) : RunStep2(dir.Path(), c.args);
    std::string shown;
    for (const auto& a : c.args) shown += " " + a;
    EXPECT_EQ(r.code, c.code) << "step " << c.step << shown << ": " << r.err;
    if (c.code == 64) {
      EXPECT_NE(r.err.find("usage"), std::string::npos) << shown;
    }
  }
  EXPECT_TRUE(fs::exists(dir.Path() / "tulmo.map"));
}

// Round-off of a budget scales with its exchanges (a low-flow head beside marine conductances of
// 1E4 m3/s), so it is judged against them: a warning above round-off, a stop only on a wrong solve.
TEST(CheckClosure, WarnsAboveRoundOffOfTheGrossExchangeAndStopsOnlyOnAWrongSolve) {
  struct Case {
    double relative;
    bool warned, stopped;
  };
  const Case cases[] = {{0, false, false},    {1e-9, false, false}, {4e-8, true, false},
                        {1e-4, true, false},  {2e-4, false, true},  {NAN, false, true}};
  for (const Case& c : cases) {
    engine::Report report;
    bool stopped = false;
    try {
      engine::CheckClosure("Retention", 10.0253, 10.0253, c.relative, report);
    } catch (const engine::EngineError& e) {
      stopped = true;
      EXPECT_EQ(e.ExitCode(), 3);
      EXPECT_NE(std::string(e.what()).find("the Retention budget does not close"), std::string::npos) << e.what();
    }
    EXPECT_EQ(stopped, c.stopped) << c.relative;
    EXPECT_EQ(!report.warnings.empty(), c.warned) << c.relative;
  }
}

}  // namespace
