// The calculation run with a stand-in engine: the files written, the Run row, the map kept under
// the run's id, the work files removed, and every way the run stops; and one run of the real
// engine when it has been built.
#include <filesystem>
#include <functional>
#include <map>

#include "modelrun/calc_run.h"
#include "platform/process/Process.h"
#include "platform/ui/Forms.h"
#include "runtime/Files.h"
#include "tests/modelrun/calc_fixture.h"
#include "tests/support/ResultMap.h"
#include "tests/support/TestDir.h"

namespace {

namespace fs = std::filesystem;
using testsupport::ReadFile;
using testsupport::WorkDir;
using testsupport::WriteFile;

// Records each command line and answers with the action given for its program.
struct FakeEngine : process::Runner {
  std::vector<std::string> commands;
  std::map<std::string, std::function<process::Outcome()>> actions;
  process::Outcome Run(const std::string& cmd) override {
    commands.push_back(cmd);
    const std::string program = cmd.substr(0, cmd.find(' '));
    auto it = actions.find(program);
    if (it == actions.end()) return {false, -1, false, "not found"};
    return it->second();
  }
};

process::Outcome Ok() { return {true, 0, false, {}}; }

FakeEngine WorkingEngine(const std::string& map) {
  FakeEngine e;
  e.actions["corvix1"] = [] {
    WriteFile(WorkDir() / "pirsel.wrk", "work");
    return Ok();
  };
  e.actions["tulmo"] = [map] {
    WriteFile(WorkDir() / "tulmo.map", map);
    return Ok();
  };
  return e;
}

TEST_F(CalcTest, RunRecordsTheRunAndKeepsTheMapUnderItsId) {
  const std::string map = testsupport::ResultMap(500, [](int, int) { return 1.0f; });
  FakeEngine engine = WorkingEngine(map);
  process::ScopedRunner scope(engine);
  frmCalc& w = Open("INTERMEDIATE");
  w.lvEmissions->SetSelectedItem(w.lvEmissions->Item(2));
  w.lvEmissions_Click();
  const std::string before = db.Scalar("SELECT COUNT(*) FROM Run");
  w.cmdRun_Click();

  EXPECT_EQ(engine.commands, (std::vector<std::string>{"corvix1 pirsel.inp -np", "tulmo pirsel"}));
  EXPECT_EQ(Prompts(), (std::vector<std::string>{"Checking input data. All ok: True", "Calculating hydrodynamics"}));
  EXPECT_TRUE(vb::FileExists("pirsel.inp"));
  EXPECT_TRUE(vb::FileExists("test.vol"));
  const int32_t id = modTulmo::CurrentRun.RunID;
  ASSERT_GT(id, 0);
  EXPECT_EQ(db.Scalar("SELECT COUNT(*) FROM Run"), std::to_string(std::stoi(before) + 1));
  const std::string where = " FROM Run WHERE RunID = " + std::to_string(id);
  EXPECT_EQ(db.Scalar("SELECT CorvixID" + where), "1");
  EXPECT_EQ(db.Scalar("SELECT TulmoVersion" + where), modTulmo::RunVersionText());
  EXPECT_EQ(db.Scalar("SELECT CompoundID" + where), "1");
  EXPECT_EQ(db.Scalar("SELECT EmisID" + where), "2");
  EXPECT_EQ(db.Scalar("SELECT EnvirID" + where), std::to_string(modTulmo::CalcSelection.EstuaryID));
  const std::string prefix = modTulmo::CurrentCompound.Cmpdescr + " " + modTulmo::CurrentEstuary.Description + " " +
                             modTulmo::CurrentEmission.Description + " ";
  const std::string description = db.Scalar("SELECT RunDescription" + where);
  EXPECT_EQ(description.substr(0, prefix.size()), prefix);
  EXPECT_GT(description.size(), prefix.size() + 9);  // a date follows
  EXPECT_NE(db.Scalar("SELECT RunDate" + where), "NULL");

  EXPECT_EQ(ReadFile(WorkDir() / (std::to_string(id) + ".map")), map);
  EXPECT_FALSE(fs::exists(WorkDir() / "tulmo.map"));
  EXPECT_FALSE(fs::exists(WorkDir() / "pirsel.wrk"));
  EXPECT_NE(ChildForms::GlobalIfLoaded("frmResult"), nullptr);
  EXPECT_EQ(w.MousePointer(), 0);
  EXPECT_TRUE(w.cmdRun->isEnabled());
}

struct FailureCase {
  const char* name;
  std::function<void(FakeEngine&)> breakIt;
  std::vector<std::string> prompts;
};

TEST_F(CalcTest, FailedEngineStepsRecordNothing) {
  const std::string input = "Checking input data. All ok: True";
  const std::string halted = "Calculation NOT succeeded, execution halted";
  const FailureCase cases[] = {
      {"empty map", [](FakeEngine& e) { e.actions["tulmo"] = [] { WriteFile(WorkDir() / "tulmo.map", ""); return Ok(); }; },
       {input, "Calculating hydrodynamics", "Checking calculation results", halted}},
      {"no map", [](FakeEngine& e) { e.actions["tulmo"] = Ok; },
       {input, "Calculating hydrodynamics", "Checking calculation results", halted}},
      {"first step fails", [](FakeEngine& e) { e.actions["corvix1"] = [] { return process::Outcome{true, 1, false, {}}; }; },
       {input, halted}},
      {"second step missing", [](FakeEngine& e) { e.actions.erase("tulmo"); }, {input, "Calculating hydrodynamics", halted}},
      // A map that a second step fails beside is not this run's result.
      {"second step fails after writing",
       [](FakeEngine& e) { e.actions["tulmo"] = [] { WriteFile(WorkDir() / "tulmo.map", "x"); return process::Outcome{true, 3, false, {}}; }; },
       {input, "Calculating hydrodynamics", halted}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    // A map left from an earlier run must not pass for this one.
    WriteFile(WorkDir() / "tulmo.map", "OLD");
    FakeEngine engine = WorkingEngine("MAP");
    c.breakIt(engine);
    process::ScopedRunner scope(engine);
    boxes.Clear();
    frmCalc& w = Open("EASY");
    const std::string before = db.Scalar("SELECT COUNT(*) FROM Run");
    w.cmdRun_Click();
    EXPECT_EQ(Prompts(), c.prompts);
    EXPECT_EQ(db.Scalar("SELECT COUNT(*) FROM Run"), before);
    EXPECT_EQ(ChildForms::GlobalIfLoaded("frmResult"), nullptr);
    EXPECT_EQ(w.MousePointer(), 0);
    w.Unload();
  }
}

TEST_F(CalcTest, AnInputFileThatCannotBeWrittenStopsBeforeTheEngine) {
  FakeEngine engine = WorkingEngine("MAP");
  process::ScopedRunner scope(engine);
  frmCalc& w = Open("EASY");
  fs::create_directory(WorkDir() / "pirsel.inp");
  w.cmdRun_Click();
  EXPECT_TRUE(engine.commands.empty());
  const std::vector<std::string> prompts = Prompts();
  ASSERT_EQ(prompts.size(), 3u);
  EXPECT_NE(prompts[0].find("PrintCorvixInputFile"), std::string::npos) << prompts[0];
  EXPECT_EQ(prompts[1], "Checking input data. All ok: False");
  EXPECT_EQ(prompts[2], "Calculation NOT succeeded, execution halted");
  EXPECT_EQ(db.Scalar("SELECT COUNT(*) FROM Run"), "0");
  EXPECT_EQ(w.MousePointer(), 0);
}

TEST_F(CalcTest, PickedRecordsDeletedSincePickingStopBeforeTheEngine) {
  struct Case {
    const char* sql;
    const char* message;
  } cases[] = {
      {"DELETE FROM Compounds WHERE CmpID = 1", "The compound with id 1 was not found, execution halted"},
      {"DELETE FROM Emission WHERE EmissionID = 1", "The emission with id 1 was not found, execution halted"},
      {"DELETE FROM Environment WHERE Type = 'defaultavg'",
       "The grid files of the estuary could not be written, execution halted"},
  };
  // One after the other on the same database: each case picks the first rows still there.
  for (const Case& c : cases) {
    SCOPED_TRACE(c.sql);
    FakeEngine engine = WorkingEngine("MAP");
    process::ScopedRunner scope(engine);
    boxes.Clear();
    frmCalc& w = Open("EASY");
    db.Raw(c.sql);
    w.cmdRun_Click();
    EXPECT_TRUE(engine.commands.empty());
    ASSERT_FALSE(boxes.boxes().empty());
    EXPECT_EQ(boxes.boxes().back().prompt, c.message);
    EXPECT_EQ(db.Scalar("SELECT COUNT(*) FROM Run"), "0");
    w.Unload();
  }
}

TEST_F(CalcTest, MissingFoodChainDetailSetStopsBeforeTheEngine) {
  FakeEngine engine = WorkingEngine("MAP");
  process::ScopedRunner scope(engine);
  frmCalc& w = Open("EASY");
  db.Raw("DELETE FROM AdvancedDetail");
  w.cmdRun_Click();
  EXPECT_TRUE(engine.commands.empty());
  EXPECT_EQ(Prompts(), std::vector<std::string>{"The food-chain detail set 1 was not found, execution halted"});
  EXPECT_EQ(db.Scalar("SELECT COUNT(*) FROM Run"), "0");
}

TEST_F(CalcTest, AMapThatCannotBeKeptLeavesNoRunRecorded) {
  FakeEngine engine = WorkingEngine("MAPBYTES");
  process::ScopedRunner scope(engine);
  frmCalc& w = Open("EASY");
  // The copy under the new run's id cannot be made: a folder holds that name.
  const std::string next = db.Scalar("SELECT COALESCE((SELECT seq FROM sqlite_sequence WHERE name = 'Run'), 0) + 1");
  fs::create_directory(WorkDir() / (next + ".map"));
  const int32_t before = modTulmo::CurrentRun.RunID;
  w.cmdRun_Click();
  EXPECT_EQ(db.Scalar("SELECT COUNT(*) FROM Run"), "0");
  EXPECT_EQ(modTulmo::CurrentRun.RunID, before);
  EXPECT_EQ(ReadFile(WorkDir() / "tulmo.map"), "MAPBYTES");  // the result is not lost
  EXPECT_EQ(ChildForms::GlobalIfLoaded("frmResult"), nullptr);
  ASSERT_GE(boxes.boxes().size(), 3u);
  EXPECT_NE(boxes.boxes().back().prompt.find("cmdRun_Click"), std::string::npos) << boxes.boxes().back().prompt;
}

TEST_F(CalcTest, RunComputesWithThePickedRecordsWhateverWasLoadedSince) {
  FakeEngine engine = WorkingEngine("MAP");
  process::ScopedRunner scope(engine);
  frmCalc& w = Open("INTERMEDIATE");
  w.lvCompounds->SetSelectedItem(w.lvCompounds->Item(2));
  w.lvCompounds_Click();
  const std::string compound = modTulmo::CurrentCompound.Cmpdescr;
  const int32_t estuary = modTulmo::CalcSelection.EstuaryID;
  const std::string estuaryName = modTulmo::CurrentEstuary.Description;
  // As the result window does when it shows another run: other records become current.
  modTulmo::GetData(1);
  modTulmo::GetEnvironmentData(std::stoi(w.lvEstuary->Item(2)->Text()));
  modTulmo::CurrentRun.EnvirID = modTulmo::CalcSelection.EstuaryID + 1;
  ASSERT_NE(modTulmo::CurrentCompound.Cmpdescr, compound);
  w.cmdRun_Click();
  const std::string where = " FROM Run WHERE RunID = " + std::to_string(modTulmo::CurrentRun.RunID);
  EXPECT_EQ(db.Scalar("SELECT CompoundID" + where), "2");
  EXPECT_EQ(db.Scalar("SELECT EnvirID" + where), std::to_string(estuary));
  EXPECT_EQ(db.Scalar("SELECT RunDescription" + where).rfind(compound + " " + estuaryName + " ", 0), 0u);
  EXPECT_EQ(modTulmo::CurrentEstuary.Description, estuaryName);
}

TEST_F(CalcTest, RealEngineRunsTheDefaultEstuary) {
  const fs::path bin = testsupport::BinaryDir() / "bin";
  if (!fs::exists(bin / "corvix1") || !fs::exists(bin / "tulmo")) GTEST_SKIP() << "engine not built";
  frmCalc& w = Open("EASY");
  w.cmdRun_Click();
  const int32_t id = modTulmo::CurrentRun.RunID;
  ASSERT_GT(id, 0) << testing::PrintToString(Prompts());
  EXPECT_EQ(db.Scalar("SELECT COUNT(*) FROM Run WHERE RunID = " + std::to_string(id)), "1");
  EXPECT_FALSE(fs::exists(WorkDir() / "tulmo.map"));
  EXPECT_TRUE(modTulmo::ReadMap(id));
}

}  // namespace
