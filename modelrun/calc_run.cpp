// The calculation run: grid and input files, the engine's two steps, the check of the result map,
// the Run record and the map kept under the run's id.
#include "modelrun/calc_run.h"

#include <string>

#include "modelrun/modTulmo.h"
#include "platform/process/Process.h"
#include "platform/ui/Forms.h"
#include "platform/ui/MsgBox.h"
#include "records/Run.h"
#include "runtime/Files.h"
#include "runtime/Guard.h"
#include "runtime/Variant.h"
#include "shell/Globals.h"

namespace modTulmo {
namespace {

constexpr const char* kMap = "tulmo.map";
constexpr const char* kHalted = "Calculation NOT succeeded, execution halted";

void Pump(int times) {
  for (int i = 0; i < times; ++i) ui::DoEvents();
}

bool MapWritten() { return vb::FileExists(kMap) && vb::FileLen(kMap) > 0; }

// The run records the ids picked in the window, so it computes with exactly those records, even
// when the result window has loaded the records of another run since the pick.
bool LoadPickedRecords() {
  if (!GetData(CalcSelection.CompoundID)) {
    ui::MsgBox("The compound with id " + std::to_string(CalcSelection.CompoundID) +
               " was not found, execution halted");
    return false;
  }
  if (!GetEmissionData(CalcSelection.EmissionID)) {
    ui::MsgBox("The emission with id " + std::to_string(CalcSelection.EmissionID) +
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

bool ExecCmd(const std::string& cmd) {
  bool succeeded = false;
  vb::Guard("RunProcess", "ExecCmd", [&] {
    ui::DoEvents();
    succeeded = process::CurrentRunner().Run(cmd).Succeeded();
  });
  return succeeded;
}

std::string RunVersionText() { return std::to_string(App::Major()) + "." + std::to_string(App::Minor()); }

bool RunCalculation() {
  if (!LoadPickedRecords()) return false;
  // The grid is made for the estuary that the run records.
  CurrentRun.EnvirID = CalcSelection.EstuaryID;
  if (!CreateGrid(CurrentRun.EnvirID)) {
    ui::MsgBox("The grid files of the estuary could not be written, execution halted");
    return false;
  }
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
  if (!ExecCmd("corvix1 pirsel.inp -np")) {
    ui::MsgBox(kHalted);
    return false;
  }
  ui::MsgBox("Calculating hydrodynamics");
  Pump(5);
  if (!ExecCmd("tulmo pirsel")) {
    ui::MsgBox(kHalted);
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

  const std::string description = CurrentCompound.Cmpdescr + " " + CurrentEstuary.Description + " " +
                                  CurrentEmission.Description + " " + vb::DateText(vb::Now());
  const std::string version = RunVersionText();
  const std::string runDate = vb::DateText(vb::Now());
  CurrentRun.EnvirID = CalcSelection.EstuaryID;
  const int32_t id = ::Run().Add({.vstrRundescription = vb::Variant(description),
                                  .vlngCorvixid = vb::Variant(int32_t{1}),
                                  .vstrTulmoversion = vb::Variant(version),
                                  .vdteRundate = vb::Variant(runDate),
                                  .vlngEnvirID = vb::Variant(CurrentRun.EnvirID),
                                  .vlngCompoundid = vb::Variant(CalcSelection.CompoundID),
                                  .vlngEmisid = vb::Variant(CalcSelection.EmissionID)});
  if (id < 0) {
    // Add has shown its own failure; the map stays for a later look.
    ui::MsgBox("The run could not be recorded, execution halted");
    return false;
  }
  // The copy comes before any message runs: an open result window that sees the new row on
  // activation must find its map. Without its copy the map is not deleted, so the result is never
  // lost, and no Run row stays behind that has no map to show.
  if (!vb::Guard("frmCalc", "cmdRun_Click", [&] { vb::FileCopy(kMap, std::to_string(id) + ".map"); })) {
    ::Run().Delete(vb::Variant(id));
    return false;
  }
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
