// Times what a user waits for besides the engine, in process and without a screen (offscreen Qt):
//   - the calculation's file side: grid parameters, grid files and engine input file of the
//     default estuary of the delivered database;
//   - selecting a run in the result window: the map reading with its statistics and listing
//     files, the result layer through the map-layer library, the whole selection, and the run
//     data export and report writers;
//   - start-up: opening the delivered database and reading the six record lists' rows;
//   - the whole calculation: from the Run click to the filled, quiet result window, message boxes
//     answered at once, beside the engine's two processes alone.
// The run's map is the real engine's: the application's writers make the input set once and the
// built corvix1 and tulmo executables compute it. Prints median and maximum per phase; asserts
// nothing about time.
//
//   app_bench [--runs N] [--bin DIR] [--keep]
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "bench/BenchSupport.h"
#include "modelrun/frmCalc.h"
#include "modelrun/modTulmo.h"
#include "platform/dao/Dao.h"
#include "platform/process/Process.h"
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Global.h"
#include "platform/ui/MsgBox.h"
#include "records/AdvancedDetail.h"
#include "records/Compounds.h"
#include "records/Corvix.h"
#include "records/Emission.h"
#include "records/Environment.h"
#include "records/Run.h"
#include "records/RecordTables.h"
#include "results/Register.h"
#include "results/ResultLayer.h"
#include "results/RunFiles.h"
#include "results/frmResult.h"
#include "runtime/Variant.h"
#include "services/DAOConnect.h"
#include "shell/ChildForms.h"
#include "services/DAOSupport.h"
#include "shell/Globals.h"
#include "shell/MDIMain.h"
#include "services/ErrorUI.h"
#include "shell/TreeListFunctions.h"

namespace fs = std::filesystem;
using namespace modTulmo;

namespace {

constexpr int32_t kEstuary = 1;  // "defaultavg", the yearly average
constexpr int32_t kCompound = 1;
constexpr int32_t kEmission = 1;
constexpr int32_t kRunId = 1;


using bench::Series;

void Row(const std::string& name, const Series& s, double limit = 0) {
  std::printf("  %-52s %9.3f %9.3f", name.c_str(), s.Median(), s.Max());
  if (limit > 0 && s.Median() > limit) std::printf("   slow (over %.0f)", limit);
  std::printf("\n");
}

[[noreturn]] void Fail(const std::string& what) {
  std::fprintf(stderr, "app_bench: %s\n", what.c_str());
  std::exit(1);
}

// Every box the program shows is recorded; one during a timed phase means the phase failed.
ui::MsgBoxRecorder* gBoxes = nullptr;

void CheckNoBox(const std::string& phase) {
  if (gBoxes->boxes().empty()) return;
  Fail(phase + " showed the box \"" + gBoxes->boxes().front().prompt + "\"");
}

// Runs `body` once untimed (files and caches settle), then `runs` times, timing each call;
// `before` runs untimed ahead of every call.
Series Time(const std::string& phase, int runs, const std::function<void()>& body,
            const std::function<void()>& before = {}) {
  Series s;
  gBoxes->Clear();
  body();
  CheckNoBox(phase);
  for (int r = 0; r < runs; ++r) {
    if (before) before();
    const auto t0 = std::chrono::steady_clock::now();
    body();
    const auto t1 = std::chrono::steady_clock::now();
    s.v.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
    CheckNoBox(phase);
  }
  return s;
}

// Runs one engine step in the working folder, its output discarded; true when it exited with 0.
bool RunStep(const fs::path& program, const std::vector<std::string>& args) {
  return bench::TimeProcess(program, args) >= 0;
}

// The run's map from the real engine, kept as "<run id>.map", and its Run row.
void MakeRun(const fs::path& bin) {
  if (!(GetData(kCompound) && GetEmissionData(kEmission) && GetAdvancedDetailData(1) && CreateGrid(kEstuary) &&
        PrintCorvixInputFile()))
    Fail("the engine input set could not be written");
  if (!RunStep(bin / "corvix1", {"pirsel.inp", "-np"}) || !RunStep(bin / "tulmo", {"pirsel"}))
    Fail("an engine step failed; see pirsel.lst");
  fs::copy_file("tulmo.map", std::to_string(kRunId) + ".map", fs::copy_options::overwrite_existing);
  const int32_t id = ::Run().Add({.vstrRundescription = vb::Variant(std::string("benchmark run")),
                                  .vlngCorvixid = vb::Variant(int32_t{1}),
                                  .vlngEnvirID = vb::Variant(kEstuary),
                                  .vlngCompoundid = vb::Variant(kCompound),
                                  .vlngEmisid = vb::Variant(kEmission)});
  if (id != kRunId) Fail("the run was recorded as " + std::to_string(id) + ", not " + std::to_string(kRunId));
}

// Every field of every row, as a record list reads them to fill its rows.
int WalkRows(std::unique_ptr<dao::Recordset> rs) {
  if (!rs) Fail("GetAll gave no rows");
  int fields = 0;
  if (rs->RecordCount() > 0) rs->MoveFirst();
  while (!rs->Eof()) {
    for (int f = 0; f < rs->FieldCount(); ++f) {
      const vb::Variant v = rs->Fields(f);
      fields += v.IsNull() ? 0 : 1;
    }
    rs->MoveNext();
  }
  rs->Close();
  return fields;
}

}  // namespace

int main(int argc, char** argv) {
  int runs = 200;
  bool keep = false;
  fs::path bin = fs::canonical("/proc/self/exe").parent_path();
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--runs" && i + 1 < argc) runs = std::max(1, std::atoi(argv[++i]));
    else if (a == "--bin" && i + 1 < argc) bin = argv[++i];
    else if (a == "--keep") keep = true;
    else {
      std::fprintf(stderr, "usage: app_bench [--runs N] [--bin DIR] [--keep]\n");
      return 64;
    }
  }
  const fs::path delivered = bin / "tulmo-final.db";
  for (const fs::path& p : {bin / "corvix1", bin / "tulmo", delivered})
    if (!fs::exists(p)) Fail(p.string() + " not found");

  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  ErrorUI::Install();
  ui::MsgBoxRecorder boxes;
  gBoxes = &boxes;
  // The report would open the desktop's text viewer; the bench calls the writers instead.
  ui::SetUrlOpener([](const QUrl&) { return true; });

  const fs::path dir = fs::temp_directory_path() / ("tulmo-app-bench-" + std::to_string(getpid()));
  fs::create_directories(dir);
  fs::current_path(dir);
  fs::copy_file(delivered, "tulmo-final.db");

  std::printf("Application benchmark: %d timed runs per phase after one untimed\n", runs);
  std::printf("  %-52s %9s %9s\n", "ms, in process", "median", "maximum");

  // Start-up: the connector opens the delivered file as the program does, then the six lists.
  {
    DAOConnect connect;
    Series open = Time("opening the database", runs, [&] {
      DAOSupport::gDatabase.reset();
      if (!connect.OpenDatabase("tulmo-final.db")) Fail("the delivered database could not be opened");
    });
    std::printf(" start-up\n");
    Row("open the delivered database", open);
    for (records::RecordTable t : records::kRecordTables)
      Row(std::string("GetAll and every field: ") + records::TableName(t),
          Time(records::TableName(t), runs, [&] { WalkRows(records::AllRows(t)); }));
    Row("the six lists together", Time("the six lists", runs, [&] {
          for (records::RecordTable t : records::kRecordTables) WalkRows(records::AllRows(t));
        }));
  }

  MakeRun(bin);

  // The calculation's own file side.
  std::printf(" calculation files (estuary %d)\n", kEstuary);
  if (!GetEnvironmentData(kEstuary)) Fail("the estuary was not found");
  Row("CalcGridParameters", Time("CalcGridParameters", runs, [] {
        if (!CalcGridParameters()) Fail("CalcGridParameters failed");
      }), 50);
  Row("CreateGrid (load, derive, ten files)", Time("CreateGrid", runs, [] {
        if (!CreateGrid(kEstuary)) Fail("CreateGrid failed");
      }), 50);
  Row("PrintCorvixInputFile", Time("PrintCorvixInputFile", runs, [] {
        if (!PrintCorvixInputFile()) Fail("PrintCorvixInputFile failed");
      }), 50);

  // Selecting the run. First the reading alone, with no result window to fill.
  std::printf(" selecting run %d in the result window\n", kRunId);
  if (!GetRunData(kRunId) || !GetData(kCompound) || !GetEnvironmentData(kEstuary) || !GetEmissionData(kEmission))
    Fail("the run's records were not found");
  CurrentRun.RunID = kRunId;
  Row("ReadMap without a window (grid, listings, statistics)", Time("ReadMap", runs, [] {
        if (!ReadMap(kRunId)) Fail("ReadMap failed");
      }), 100);
  // As CreateShape does, the old files go first: writing over them costs the file system more.
  Row("ResultLayer::Write (500 cells through the library)", Time("ResultLayer::Write", runs, [] {
        for (const char* f : {"map.dbf", "map.shp", "map.shx"}) fs::remove(f);
        ResultLayer::Write(ResultGrid, CurrentEstuary);
      }), 100);

  // The window loads, which selects the last run once; then the calls a selection makes.
  // Inside the shown main window, as the program has it: a window that is not shown draws nothing.
  ui::Global<MDIMain>().Show();
  auto* w = new frmResult();
  w->Show();
  CheckNoBox("opening the result window");
  if (w->lvRun->Count() != 1) Fail("the result window lists no run");
  // The charts lay themselves out and the window repaints in the events a call leaves behind;
  // those of the call before are handled untimed first, so each figure holds one call's work.
  // Handling events can post more (a chart's rebuild asks for its layout), so a few rounds.
  const auto settle = [] {
    for (int i = 0; i < 5; ++i) ui::DoEvents();
  };
  Row("ReadMap into the window (charts and labels)", Time("ReadMap into the window", runs, [] {
        if (!ReadMap(kRunId)) Fail("ReadMap failed");
      }, settle), 100);
  Row("CreateShape (write, load and colour the layer)",
      Time("CreateShape", runs, [&] { w->CreateShape(); }, settle), 100);
  Row("lvRun_Click (the call)", Time("lvRun_Click", runs, [&] { w->lvRun_Click(); }, settle), 100);
  Row("  the events it leaves (chart layout, repaint)", Time("the events of lvRun_Click", runs, settle, [&] {
        settle();
        w->lvRun_Click();
      }), 100);
  Row("the selection until the window is quiet", Time("the whole selection", runs, [&] {
        w->lvRun_Click();
        settle();
      }, settle), 20);

  std::printf(" export and report of the run\n");
  const bool biota = BioaccumulationApplies(CurrentCompound.Cmpkow);
  Row("RunFiles::WriteRunData", Time("WriteRunData", runs, [&] { RunFiles::WriteRunData(kRunId, biota); }));
  Row("RunFiles::WriteRunReport", Time("WriteRunReport", runs, [&] {
        RunFiles::WriteRunReport(kRunId, biota, {CurrentCompound, CurrentEmission, CurrentEstuary}, [w](const std::string& l) { return w->LabelCaption(l); },
                                 {std::to_string(kRunId) + ".shp", std::to_string(kRunId) + ".shx", std::to_string(kRunId) + ".dbf"});
      }));
  Row("RunFiles::CopyLayer", Time("CopyLayer", runs, [] { RunFiles::CopyLayer(kRunId); }));

  ui::UnloadAllForms();

  // The whole calculation, as the user waits for it: the Run click, its two message boxes answered
  // at once, until the result window shows the new run and no event is left.
  {
    std::printf(" the whole calculation (estuary %d)\n", kEstuary);
    RegisterCalcWindow();
    Results::RegisterResultWindow();
    gstrLevel = "EASY";
    // Shown as the program shows it, so that the result window is activated by showing it.
    ui::Global<MDIMain>().resize(1400, 950);
    ui::Global<MDIMain>().Show();
    auto& calc = static_cast<frmCalc&>(ChildForms::Global("frmCalc"));
    calc.Show();
    settle();
    const std::vector<std::string> expected = {"Checking input data. All ok: True", "Calculating hydrodynamics"};
    const int calcRuns = std::min(runs, 50);
    Series whole;
    for (int r = 0; r <= calcRuns; ++r) {
      // The user's click in the calculation window activates it first.
      calc.ZOrder(0);
      settle();
      gBoxes->Clear();
      const auto t0 = std::chrono::steady_clock::now();
      calc.cmdRun_Click();
      settle();
      const auto t1 = std::chrono::steady_clock::now();
      std::vector<std::string> prompts;
      for (const auto& b : gBoxes->boxes()) prompts.push_back(b.prompt);
      if (prompts != expected) Fail("the calculation showed \"" + (prompts.empty() ? std::string() : prompts.back()) + "\"");
      auto* result = dynamic_cast<frmResult*>(ChildForms::GlobalIfLoaded("frmResult"));
      if (!result || !result->lvRun->SelectedItem() ||
          result->lvRun->SelectedItem()->Key() != TreeListFunctions::KeyOf(CurrentRun.RunID))
        Fail("the result window does not show the new run " + std::to_string(CurrentRun.RunID) + ": " + (result && result->lvRun->SelectedItem() ? result->lvRun->SelectedItem()->Key() : std::string(result ? "no row" : "no window")));
      if (r > 0) whole.v.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());  // the first loads the windows
    }
    Row("Run click to the quiet result window", whole, 60);
    // The engine's two steps started as the run starts them, on the input of the last run.
    Series engine;
    for (int r = 0; r < calcRuns; ++r) {
      const auto t0 = std::chrono::steady_clock::now();
      if (!process::CurrentRunner().Run("corvix1 pirsel.inp -np").Succeeded() ||
          !process::CurrentRunner().Run("tulmo pirsel").Succeeded())
        Fail("an engine step failed; see pirsel.lst");
      engine.v.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());
    }
    Row("  of which the engine's two processes alone", engine);
    ui::UnloadAllForms();
  }
  ui::SetUrlOpener({});
  DAOSupport::gDatabase.reset();
  fs::current_path(fs::temp_directory_path());
  if (keep) {
    std::printf("Files kept in %s\n", dir.c_str());
  } else {
    std::error_code ec;
    fs::remove_all(dir, ec);
  }
  return 0;
}
