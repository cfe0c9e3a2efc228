// The calculation run with a stand-in engine: the files written, the Run row, the map kept under
// the run's id, the work files removed, and every way the run stops; and one run of the real
// engine when it has been built.
#include <signal.h>
#include <sys/resource.h>

#include <cmath>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>

#include <QPointer>
#include <QWindow>

#include "modelrun/calc_run.h"
#include "platform/process/Process.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Global.h"
#include "runtime/Files.h"
#include "services/DAOConnect.h"
#include "services/DAOSupport.h"
#include "shell/MDIMain.h"
#include "tests/modelrun/calc_fixture.h"
#include "tests/support/TestDir.h"

namespace {

namespace fs = std::filesystem;
using testsupport::ReadFile;
using testsupport::WorkDir;
using testsupport::WriteFile;
using namespace calctest;

// While alive, no file of the process grows past `bytes`: as a disk that is full from that size on.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes, sighandler_t onExcess = SIG_IGN) {
    getrlimit(RLIMIT_FSIZE, &old_);
    oldSignal_ = signal(SIGXFSZ, onExcess);
    rlimit limit = old_;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &old_);
    signal(SIGXFSZ, oldSignal_);
  }

 private:
  rlimit old_{};
  sighandler_t oldSignal_{};
};

TEST_F(CalcTest, RunRecordsTheRunAndKeepsTheMapUnderItsId) {
  const std::string map = ReadableMap();
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

TEST_F(CalcTest, FailedEngineStepsRecordNothingAndSayWhy) {
  const std::string input = "Checking input data. All ok: True";
  const std::string hydro = "Calculating hydrodynamics";
  const std::string halted = "Calculation NOT succeeded, execution halted";
  const std::string reason = halted + "\r\n";
  const auto mapOf = [](std::string bytes) {
    return [bytes](FakeEngine& e) { e.actions["tulmo"] = [bytes] { WriteFile(WorkDir() / "tulmo.map", bytes); return Ok(); }; };
  };
  const FailureCase cases[] = {
      {"empty map", mapOf(""), {input, hydro, "Checking calculation results", halted}},
      {"no map", [](FakeEngine& e) { e.actions["tulmo"] = Ok; }, {input, hydro, "Checking calculation results", halted}},
      // A map that the result window cannot read is no run either.
      {"seven bytes", mapOf("7 bytes"),
       {input, hydro, reason + "The result map 'tulmo.map' holds 7 bytes, too few for its header"}},
      {"cut map", mapOf(ReadableMap().substr(0, 22415)),
       {input, hydro, reason + "The result map 'tulmo.map' holds 22415 bytes where its header needs 22416"}},
      {"absurd header", mapOf(ReadableMap().replace(160, 4, std::string("\xff\xff\xff\x7f", 4))),
       {input, hydro, reason + "The result map 'tulmo.map' gives 2147483647 substances and 500 segments"}},
      // Maps that the reader or the map view refuses are refused before a row, by the same reading.
      {"no segment", mapOf(testsupport::ResultMap(0, [](int, int) { return 1.0f; })),
       {input, hydro, reason + "The result map 'tulmo.map' gives a total cell area of 0"}},
      {"a value that is no number", mapOf(testsupport::ResultMap(500, [](int k, int s) { return k == 2 && s == 3 ? NAN : 1.0f; })),
       {input, hydro, reason + "The result map 'tulmo.map' gives no number for substance 2 of segment 3"}},
      {"an infinite marine value", mapOf(ReadableMap().replace(22392 + 8, 4, std::string("\x00\x00\x80\x7f", 4))),
       {input, hydro, reason + "The result map 'tulmo.map' gives no number for a marine value"}},
      {"every cell area 0", mapOf(testsupport::ResultMap(500, [](int k, int) { return k == 10 ? 0.0f : 1.0f; })),
       {input, hydro, reason + "The result map 'tulmo.map' gives a total cell area of 0"}},
      {"fewer than 500 segments", mapOf(testsupport::ResultMap(480, [](int, int) { return 1.0f; })),
       {input, hydro, reason + "The result map 'tulmo.map' gives 480 segments where a run has 500"}},
      {"a negative concentration", mapOf(testsupport::ResultMap(500, [](int k, int s) { return k == 1 && s == 7 ? -0.5f : 1.0f; })),
       {input, hydro, reason + "The result map 'tulmo.map' gives -0.5 for substance 1 of segment 7, below 0"}},
      // The engine's own first error line says which field to mend.
      {"first step refuses",
       [](FakeEngine& e) {
         e.actions["corvix1"] = [] { return Refused(1, "corvix1: constant 'KPOC' holds the no-value marker -99999\nmore\n"); };
       },
       {input, reason + "corvix1: constant 'KPOC' holds the no-value marker -99999"}},
      {"second step refuses in its listing",
       [](FakeEngine& e) {
         e.actions["tulmo"] = [] {
           WriteFile(WorkDir() / "pirsel.lst", "Tulmo engine, step 2\r\nERROR: load 'Sea' carries salinity 3\r\nERROR: two\r\n");
           return Refused(1);
         };
       },
       {input, hydro, reason + "load 'Sea' carries salinity 3"}},
      {"first step fails silently", [](FakeEngine& e) { e.actions["corvix1"] = [] { return Refused(1); }; },
       {input, reason + "'corvix1 pirsel.inp -np' ended with exit status 1"}},
      {"second step missing", [](FakeEngine& e) { e.actions.erase("tulmo"); }, {input, hydro, reason + "not found"}},
      // A map that a second step fails beside is not this run's result.
      {"second step fails after writing",
       [](FakeEngine& e) { e.actions["tulmo"] = [] { WriteFile(WorkDir() / "tulmo.map", ReadableMap()); return Refused(3, "tulmo: cut\n"); }; },
       {input, hydro, reason + "tulmo: cut"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    // A map or a listing left from an earlier run must not pass for this one's.
    WriteFile(WorkDir() / "tulmo.map", "OLD");
    WriteFile(WorkDir() / "pirsel.lst", "ERROR: an earlier run's reason\r\n");
    FakeEngine engine = WorkingEngine();
    c.breakIt(engine);
    process::ScopedRunner scope(engine);
    boxes.Clear();
    frmCalc& w = Open("EASY");
    const std::string before = db.Scalar("SELECT COUNT(*) FROM Run");
    w.cmdRun_Click();
    // The last message says that nothing was recorded.
    std::vector<std::string> prompts = c.prompts;
    prompts.back() += "\r\nNo run was recorded.";
    EXPECT_EQ(Prompts(), prompts);
    EXPECT_EQ(db.Scalar("SELECT COUNT(*) FROM Run"), before);
    EXPECT_EQ(ChildForms::GlobalIfLoaded("frmResult"), nullptr);
    EXPECT_EQ(w.MousePointer(), 0);
    EXPECT_TRUE(w.isEnabled());
    w.Unload();
  }
}

TEST_F(CalcTest, AnInputFileThatCannotBeWrittenStopsBeforeTheEngine) {
  FakeEngine engine = WorkingEngine();
  process::ScopedRunner scope(engine);
  frmCalc& w = Open("EASY");
  fs::create_directory(WorkDir() / "pirsel.inp");
  w.cmdRun_Click();
  EXPECT_TRUE(engine.commands.empty());
  const std::vector<std::string> prompts = Prompts();
  ASSERT_EQ(prompts.size(), 3u);
  EXPECT_NE(prompts[0].find("PrintCorvixInputFile"), std::string::npos) << prompts[0];
  EXPECT_NE(prompts[0].find("'pirsel.inp': Is a directory"), std::string::npos) << prompts[0];
  EXPECT_EQ(prompts[1], "Checking input data. All ok: False");
  EXPECT_EQ(prompts[2], "Calculation NOT succeeded, execution halted\r\nNo run was recorded.");
  EXPECT_EQ(db.Scalar("SELECT COUNT(*) FROM Run"), "0");
  EXPECT_EQ(w.MousePointer(), 0);
}

// A grid file that cannot be written is named with the system's reason, and the halt says that
// nothing was recorded.
TEST_F(CalcTest, GridFilesThatCannotBeWrittenAreNamedWithTheSystemsReason) {
  FakeEngine engine = WorkingEngine();
  process::ScopedRunner scope(engine);
  frmCalc& w = Open("EASY");
  fs::create_directory(WorkDir() / "test.vol");
  w.cmdRun_Click();
  EXPECT_TRUE(engine.commands.empty());
  std::vector<std::string> prompts = Prompts();
  ASSERT_EQ(prompts.size(), 2u);
  EXPECT_NE(prompts[0].find("Path/File access error, 'test.vol': Is a directory"), std::string::npos) << prompts[0];
  EXPECT_EQ(prompts[1], "The grid files of the estuary could not be written, execution halted\r\nNo run was recorded.");
  fs::remove(WorkDir() / "test.vol");

  // A disk that is full from the start.
  boxes.Clear();
  {
    FileSizeLimit full(100);
    w.cmdRun_Click();
  }
  prompts = Prompts();
  ASSERT_EQ(prompts.size(), 2u);
  EXPECT_NE(prompts[0].find("Path/File access error, 'test."), std::string::npos) << prompts[0];
  EXPECT_NE(prompts[0].find("': File too large"), std::string::npos) << prompts[0];
  EXPECT_EQ(db.Scalar("SELECT COUNT(*) FROM Run"), "0");
}

TEST_F(CalcTest, PickedRecordsDeletedSincePickingStopBeforeTheEngine) {
  struct Case {
    const char* sql;
    const char* message;
  } cases[] = {
      {"DELETE FROM Compounds WHERE CmpID = 1", "The compound with id 1 was not found, execution halted"},
      {"DELETE FROM Emission WHERE EmissionID = 1", "The emission with id 1 was not found, execution halted"},
      // The estuary is named as the others are, not as grid files that could not be written.
      {"DELETE FROM Environment WHERE Type = 'defaultavg'", "The estuary with id * was not found, execution halted"},
  };
  // One after the other on the same database: each case picks the first rows still there.
  for (const Case& c : cases) {
    SCOPED_TRACE(c.sql);
    FakeEngine engine = WorkingEngine();
    process::ScopedRunner scope(engine);
    boxes.Clear();
    frmCalc& w = Open("EASY");
    std::string message = c.message;
    if (const auto star = message.find('*'); star != std::string::npos)
      message.replace(star, 1, std::to_string(modTulmo::CalcSelection.EstuaryID));
    db.Raw(c.sql);
    w.cmdRun_Click();
    EXPECT_TRUE(engine.commands.empty());
    ASSERT_EQ(boxes.boxes().size(), 1u) << testing::PrintToString(Prompts());
    EXPECT_EQ(boxes.boxes().back().prompt, message + "\r\nNo run was recorded.");
    EXPECT_EQ(db.Scalar("SELECT COUNT(*) FROM Run"), "0");
    w.Unload();
  }
}

TEST_F(CalcTest, MissingFoodChainDetailSetStopsBeforeTheEngine) {
  FakeEngine engine = WorkingEngine();
  process::ScopedRunner scope(engine);
  frmCalc& w = Open("EASY");
  db.Raw("DELETE FROM AdvancedDetail");
  w.cmdRun_Click();
  EXPECT_TRUE(engine.commands.empty());
  EXPECT_EQ(Prompts(), std::vector<std::string>{
                          "The food-chain detail set 1 was not found, execution halted\r\nNo run was recorded."});
  EXPECT_EQ(db.Scalar("SELECT COUNT(*) FROM Run"), "0");
}

TEST_F(CalcTest, AMapThatCannotBeKeptLeavesNoRunRecorded) {
  const std::string map = ReadableMap();
  FakeEngine engine = WorkingEngine(map);
  process::ScopedRunner scope(engine);
  frmCalc& w = Open("EASY");
  // The copy under the new run's id cannot be made: a folder holds that name.
  const std::string next = db.Scalar("SELECT COALESCE((SELECT seq FROM sqlite_sequence WHERE name = 'Run'), 0) + 1");
  fs::create_directory(WorkDir() / (next + ".map"));
  const int32_t before = modTulmo::CurrentRun.RunID;
  w.cmdRun_Click();
  EXPECT_EQ(db.Scalar("SELECT COUNT(*) FROM Run"), "0");
  EXPECT_EQ(modTulmo::CurrentRun.RunID, before);
  EXPECT_EQ(ReadFile(WorkDir() / "tulmo.map"), map);  // the result is not lost
  EXPECT_FALSE(fs::exists(WorkDir() / (next + ".map.tmp")));
  EXPECT_EQ(ChildForms::GlobalIfLoaded("frmResult"), nullptr);
  ASSERT_FALSE(boxes.boxes().empty());
  EXPECT_EQ(boxes.boxes().back().prompt, "The result map could not be kept as '" + next + ".map' ('" + next +
                                             ".map': Is a directory), execution halted. The result stays in "
                                             "'tulmo.map'.\r\nNo run was recorded.");
}

TEST_F(CalcTest, ADiskThatFillsDuringTheCopyLeavesNoRowAndNoCutMapAndSaysWhy) {
  // The database stays far below the limit; the map's copy runs into it.
  const rlim_t limit = 8u << 20;
  ASSERT_LT(fs::file_size(db.file()), limit / 2);
  const std::string map = ReadableMap(2 * limit);
  FakeEngine engine = WorkingEngine(map);
  process::ScopedRunner scope(engine);
  frmCalc& w = Open("EASY");
  const std::string next = db.Scalar("SELECT COALESCE((SELECT seq FROM sqlite_sequence WHERE name = 'Run'), 0) + 1");
  // The disk fills once the engine has written its map.
  std::optional<FileSizeLimit> full;
  engine.actions["tulmo"] = [&] {
    WriteFile(WorkDir() / "tulmo.map", map);
    full.emplace(limit);
    return Ok();
  };
  w.cmdRun_Click();
  full.reset();
  EXPECT_FALSE(fs::exists(WorkDir() / (next + ".map")));
  EXPECT_FALSE(fs::exists(WorkDir() / (next + ".map.tmp")));
  EXPECT_TRUE(ReadFile(WorkDir() / "tulmo.map") == map);  // the result is not lost
  EXPECT_EQ(db.Scalar("SELECT COUNT(*) FROM Run"), "0");
  EXPECT_EQ(ChildForms::GlobalIfLoaded("frmResult"), nullptr);
  ASSERT_FALSE(boxes.boxes().empty());
  // The file and the system's reason, and what became of the run.
  EXPECT_EQ(boxes.boxes().back().prompt, "The result map could not be kept as '" + next + ".map' ('" + next +
                                             ".map': File too large), execution halted. The result stays in "
                                             "'tulmo.map'.\r\nNo run was recorded.");
}

// A program killed while it keeps the map (here by the full disk's own signal, in the middle of the
// copy) leaves no Run row behind whose map is missing.
TEST_F(CalcTest, AProgramKilledDuringTheCopyLeavesNoRowWithoutItsMap) {
  GTEST_FLAG_SET(death_test_style, "fast");
  const rlim_t limit = 8u << 20;
  ASSERT_LT(fs::file_size(db.file()), limit / 2);
  const std::string map = ReadableMap(2 * limit);
  FakeEngine engine = WorkingEngine(map);
  engine.actions["tulmo"] = [&] {
    WriteFile(WorkDir() / "tulmo.map", map);
    new FileSizeLimit(limit, SIG_DFL);  // in the child only, which it kills
    return Ok();
  };
  process::ScopedRunner scope(engine);
  frmCalc& w = Open("EASY");
  EXPECT_EXIT(w.cmdRun_Click(), testing::KilledBySignal(SIGXFSZ), "");
  // As after a restart: the row the killed program was adding is gone with it.
  EXPECT_EQ(db.Scalar("SELECT COUNT(*) FROM Run"), "0");
  // The next run records itself whole, over what the killed one left.
  boxes.Clear();
  FakeEngine next = WorkingEngine();
  process::ScopedRunner working(next);
  w.cmdRun_Click();
  const int32_t id = modTulmo::CurrentRun.RunID;
  ASSERT_GT(id, 0) << testing::PrintToString(Prompts());
  EXPECT_EQ(db.Scalar("SELECT COUNT(*) FROM Run"), "1");
  EXPECT_EQ(ReadFile(WorkDir() / (std::to_string(id) + ".map")), ReadableMap());
}

// The close box or Alt+F4 on the main window while an engine step runs: the window system asks the
// window to close. That is refused, the run ends shown, and a later close is the normal one.
TEST_F(CalcTest, ClosingTheMainWindowDuringARunIsRefusedAndTheRunEndsShown) {
  gDAOConnect = std::make_unique<DAOConnect>();  // closes the database, as at the end of the program
  MDIMain& main = ui::Global<MDIMain>();
  main.Show();
  ASSERT_NE(main.windowHandle(), nullptr);
  FakeEngine engine = WorkingEngine();
  const auto tulmo = engine.actions["tulmo"];
  bool aliveDuringTheStep = false;
  engine.actions["tulmo"] = [&] {
    main.windowHandle()->close();
    ui::DoEvents();
    aliveDuringTheStep = main.isVisible() && ui::IsLoaded(&main) && gDatabase && gDatabase->IsOpen();
    return tulmo();
  };
  process::ScopedRunner scope(engine);
  frmCalc& w = Open("EASY");
  w.cmdRun_Click();
  EXPECT_TRUE(aliveDuringTheStep);
  EXPECT_TRUE(main.isVisible());
  ASSERT_TRUE(gDatabase && gDatabase->IsOpen());
  const int32_t id = modTulmo::CurrentRun.RunID;
  ASSERT_GT(id, 0) << testing::PrintToString(Prompts());
  EXPECT_EQ(db.Scalar("SELECT COUNT(*) FROM Run WHERE RunID = " + std::to_string(id)), "1");
  EXPECT_NE(ChildForms::GlobalIfLoaded("frmResult"), nullptr);

  // Once the run is over the close box closes the program's way: children first, then the database.
  QPointer<MDIMain> gone(&main);
  main.windowHandle()->close();
  ui::DoEvents();
  ui::FlushDeletes();
  EXPECT_EQ(ChildForms::GlobalIfLoaded("frmResult"), nullptr);
  EXPECT_TRUE(gone.isNull() || !ui::IsLoaded(gone.data()));
  EXPECT_EQ(gDatabase, nullptr);
  gDAOConnect.reset();
}

TEST_F(CalcTest, PicksChangedWhileTheEngineRunsAreNotRecordedForThisRun) {
  FakeEngine engine = WorkingEngine();
  const auto corvix = engine.actions["corvix1"];
  engine.actions["corvix1"] = [corvix] {
    // As "View details" and the editors it opens do: other ids picked, other records current.
    modTulmo::CalcSelection.CompoundID = 2;
    modTulmo::CalcSelection.EmissionID = 3;
    modTulmo::GetData(2);
    modTulmo::GetEmissionData(3);
    return corvix();
  };
  process::ScopedRunner scope(engine);
  frmCalc& w = Open("EASY");
  const std::string compound = modTulmo::CurrentCompound.Cmpdescr;
  const std::string estuary = modTulmo::CurrentEstuary.Description;
  const std::string emission = modTulmo::CurrentEmission.Description;
  w.cmdRun_Click();
  const std::string where = " FROM Run WHERE RunID = " + std::to_string(modTulmo::CurrentRun.RunID);
  EXPECT_EQ(db.Scalar("SELECT CompoundID" + where), "1");
  EXPECT_EQ(db.Scalar("SELECT EmisID" + where), "1");
  EXPECT_EQ(db.Scalar("SELECT RunDescription" + where).rfind(compound + " " + estuary + " " + emission + " ", 0), 0u);
}

TEST_F(CalcTest, RunComputesWithThePickedRecordsWhateverWasLoadedSince) {
  FakeEngine engine = WorkingEngine();
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

// A gill uptake efficiency above 1 stops the engine, and the halt message names the field; the
// estimator's old 10^0.6 still runs, read as 0.6 with a warning in the listing.
TEST_F(CalcTest, RealEngineRefusesAnEfficiencyAboveOneByName) {
  const fs::path bin = testsupport::BinaryDir() / "bin";
  if (!fs::exists(bin / "corvix1") || !fs::exists(bin / "tulmo")) GTEST_SKIP() << "engine not built";
  db.Raw("UPDATE Compounds SET AlphaWater = 2.5 WHERE CmpID = 1");
  frmCalc& w = Open("EASY");
  w.cmdRun_Click();
  const std::vector<std::string> prompts = Prompts();
  ASSERT_FALSE(prompts.empty());
  const std::string& last = prompts.back();
  EXPECT_EQ(last.rfind("Calculation NOT succeeded, execution halted\r\n", 0), 0u) << last;
  EXPECT_NE(last.find("constant 'alfa' = 2.5"), std::string::npos) << last;
  EXPECT_EQ(db.Scalar("SELECT COUNT(*) FROM Run"), "0");
  w.Unload();

  boxes.Clear();
  db.Raw("UPDATE Compounds SET AlphaWater = 3.9811 WHERE CmpID = 1");
  frmCalc& again = Open("EASY");
  again.cmdRun_Click();
  ASSERT_GT(modTulmo::CurrentRun.RunID, 0) << testing::PrintToString(Prompts());
  EXPECT_NE(ReadFile(WorkDir() / "pirsel.lst").find("read as the gill uptake efficiency 0.6"), std::string::npos);
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
