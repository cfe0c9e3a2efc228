// The calculation run: grid and input files, the engine's two steps, the check of the result map,
// the Run record and the map kept under the run's id.
#include "modelrun/calc_run.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "modelrun/modTulmo.h"
#include "platform/process/Process.h"
#include "platform/ui/Forms.h"
#include "platform/ui/MsgBox.h"
#include "records/Run.h"
#include "runtime/Files.h"
#include "runtime/Guard.h"
#include "runtime/Variant.h"
#include "shell/DAOSupport.h"
#include "shell/Globals.h"

namespace modTulmo {
namespace {

constexpr const char* kMap = "tulmo.map";
constexpr const char* kHalted = "Calculation NOT succeeded, execution halted";
constexpr const char* kListing = "pirsel.lst";

void Pump(int times) {
  for (int i = 0; i < times; ++i) ui::DoEvents();
}

bool MapWritten() { return vb::FileExists(kMap) && vb::FileLen(kMap) > 0; }

// The first line of a text that holds more than blanks, without its line end.
std::string FirstLine(const std::string& text, const std::string& prefix = {}) {
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
    if (line.rfind(prefix, 0) == 0 && line.find_first_not_of(' ', prefix.size()) != std::string::npos)
      return line.substr(prefix.size());
    start = end + 1;
  }
  return {};
}

// Why an engine step stopped: its own first error line (error output, else the listing it wrote),
// or what became of the process.
std::string EngineReason(const std::string& cmd, const process::Outcome& outcome) {
  if (std::string line = FirstLine(outcome.errorOutput); !line.empty()) return line;
  if (outcome.started && vb::FileExists(kListing)) {
    std::ifstream in(kListing, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    if (std::string line = FirstLine(text.str(), "ERROR: "); !line.empty()) return line;
  }
  if (!outcome.error.empty()) return outcome.error;
  return "'" + cmd + "' ended with exit status " + std::to_string(outcome.exitCode);
}

void Halt(const std::string& reason) { ui::MsgBox(reason.empty() ? kHalted : kHalted + std::string("\r\n") + reason); }

// What the run computes with and records, taken once when it starts: a pick changed while the
// engine runs must not end up under this run's result.
struct RunPick {
  CalcSelectionRecord ids;
  std::string compound, estuary, emission;
};

bool RunRowExists(int32_t id) { return ::Run().GetByKey(id, {}); }

// Keeps the map under the run's id. A copy that fails is removed, so that no cut map passes for the
// run's result, and so is the run's row; a row that stays is said plainly.
bool KeepMap(int32_t id) {
  const std::string kept = std::to_string(id) + ".map";
  if (vb::Guard("frmCalc", "cmdRun_Click", [&] { vb::FileCopy(kMap, kept); })) return true;
  std::error_code ec;
  if (std::filesystem::is_regular_file(kept, ec)) vb::Guard("frmCalc", "cmdRun_Click", [&] { vb::Kill(kept); });
  if (!::Run().Delete(vb::Variant(id)) && RunRowExists(id))
    ui::MsgBox("The result map could not be kept as '" + kept + "', and run " + std::to_string(id) +
                   " could not be removed again: delete it in the run list. The result stays in '" + kMap + "'.",
               ui::vbExclamation);
  return false;
}

// The run records the ids picked in the window, so it computes with exactly those records, even
// when the result window has loaded the records of another run since the pick.
bool LoadPickedRecords(const CalcSelectionRecord& ids) {
  if (!GetData(ids.CompoundID)) {
    ui::MsgBox("The compound with id " + std::to_string(ids.CompoundID) +
               " was not found, execution halted");
    return false;
  }
  if (!GetEmissionData(ids.EmissionID)) {
    ui::MsgBox("The emission with id " + std::to_string(ids.EmissionID) +
               " was not found, execution halted");
    return false;
  }
  if (!GetAdvancedDetailData(1)) {
    ui::MsgBox("The food-chain detail set 1 was not found, execution halted");
    return false;
  }
  return true;
}

}  // namespace

bool ExecCmd(const std::string& cmd, std::string* reason) {
  bool succeeded = false;
  vb::Guard("RunProcess", "ExecCmd", [&] {
    ui::DoEvents();
    const process::Outcome outcome = process::CurrentRunner().Run(cmd);
    succeeded = outcome.Succeeded();
    if (!succeeded && reason) *reason = EngineReason(cmd, outcome);
  });
  return succeeded;
}

std::string RunVersionText() { return std::to_string(App::Major()) + "." + std::to_string(App::Minor()); }

bool RunCalculation() {
  // A run that could not be recorded is not started: the engine would compute for nothing.
  if (const std::string why = DatabaseWriteProblem(); !why.empty()) {
    ui::MsgBox(why + " The calculation was not started, because its run could not be recorded.", ui::vbExclamation);
    return false;
  }
  RunPick pick;
  pick.ids = CalcSelection;
  if (!LoadPickedRecords(pick.ids)) return false;
  // The grid is made for the estuary that the run records.
  CurrentRun.EnvirID = pick.ids.EstuaryID;
  if (!CreateGrid(CurrentRun.EnvirID)) {
    ui::MsgBox("The grid files of the estuary could not be written, execution halted");
    return false;
  }
  pick.compound = CurrentCompound.Cmpdescr;
  pick.estuary = CurrentEstuary.Description;
  pick.emission = CurrentEmission.Description;
  Pump(4);
  const bool inputOk = PrintCorvixInputFile();
  ui::MsgBox(std::string("Checking input data. All ok: ") + (inputOk ? "True" : "False"));
  // An input file that could not be written whole, or an older one left in its place, would
  // have the engine compute something else than the run records.
  if (!inputOk) {
    ui::MsgBox(kHalted);
    return false;
  }
  Pump(5);
  // A map left by an earlier, broken run must never pass for this run's result.
  if (vb::FileExists(kMap) && !vb::Guard("frmCalc", "cmdRun_Click", [] { vb::Kill(kMap); })) return false;
  // Nor may an earlier listing give the reason why this run stopped; the engine writes a new one.
  std::error_code gone;
  std::filesystem::remove(kListing, gone);
  std::string reason;
  if (!ExecCmd("corvix1 pirsel.inp -np", &reason)) {
    Halt(reason);
    return false;
  }
  ui::MsgBox("Calculating hydrodynamics");
  Pump(5);
  if (!ExecCmd("tulmo pirsel", &reason)) {
    Halt(reason);
    return false;
  }
  Pump(6);
  if (!MapWritten()) {
    ui::MsgBox("Checking calculation results");
    Pump(1);
    if (!MapWritten()) {
      ui::MsgBox(kHalted);
      return false;
    }
  }
  // A map that the result window cannot read is no result.
  if (!MapFileReadable(kMap, reason)) {
    Halt(reason);
    return false;
  }

  const std::string description =
      pick.compound + " " + pick.estuary + " " + pick.emission + " " + vb::DateText(vb::Now());
  const std::string version = RunVersionText();
  const std::string runDate = vb::DateText(vb::Now());
  CurrentRun.EnvirID = pick.ids.EstuaryID;
  const int32_t id = ::Run().Add({.vstrRundescription = vb::Variant(description),
                                  .vlngCorvixid = vb::Variant(int32_t{1}),
                                  .vstrTulmoversion = vb::Variant(version),
                                  .vdteRundate = vb::Variant(runDate),
                                  .vlngEnvirID = vb::Variant(CurrentRun.EnvirID),
                                  .vlngCompoundid = vb::Variant(pick.ids.CompoundID),
                                  .vlngEmisid = vb::Variant(pick.ids.EmissionID)});
  if (id < 0) {
    // Add has shown its own failure; the map stays for a later look.
    ui::MsgBox("The run could not be recorded, execution halted");
    return false;
  }
  // The copy comes before any message runs: an open result window that sees the new row on
  // activation must find its map. Without its copy the map is not deleted, so the result is never
  // lost.
  if (!KeepMap(id)) return false;
  CurrentRun.RunID = id;
  Pump(6);
  Pump(3);
  vb::Guard("frmCalc", "cmdRun_Click", [] { vb::Kill(kMap); });
  // No work file left is no error.
  vb::GuardWith("frmCalc", "cmdRun_Click", [](const vb::ErrObject& e) { return e.Number == 53; },
                [] { vb::Kill("*.wrk"); });
  return true;
}

}  // namespace modTulmo
