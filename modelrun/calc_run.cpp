// The calculation run: grid and input files, the engine's two steps, the check of the result map,
// the Run record and the map kept under the run's id.
#include "modelrun/calc_run.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "modelrun/modTulmo.h"
#include "platform/dao/Dao.h"
#include "platform/process/Process.h"
#include "platform/ui/Forms.h"
#include "platform/ui/MsgBox.h"
#include "records/Run.h"
#include "runtime/Files.h"
#include "runtime/Guard.h"
#include "runtime/Variant.h"
#include "services/DAOSupport.h"
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

constexpr const char* kNotRecorded = "No run was recorded.";

// Every stop before the run is recorded says so.
void Stop(const std::string& text) { ui::MsgBox(text + "\r\n" + kNotRecorded); }
void Halt(const std::string& reason) { Stop(reason.empty() ? kHalted : kHalted + std::string("\r\n") + reason); }

// The system's reason for the last failed file call.
std::string Reason(int error) { return error ? std::strerror(error) : "unknown reason"; }

// Deletes a file; a file that is not there is no failure. Empty, or the system's reason.
std::string Remove(const std::string& file) {
  if (::unlink(file.c_str()) == 0 || errno == ENOENT) return {};
  return Reason(errno);
}

// What the run computes with and records, taken once when it starts: a pick changed while the
// engine runs must not end up under this run's result.
struct RunPick {
  CalcSelectionRecord ids;
  std::string compound, estuary, emission;
};

// Copies `source` to `target` through a temporary name beside it and a rename, so that `target`
// is either the whole copy, on the disk, or not there. On a failure nothing of the copy is left
// and `why` names the file and the system's reason.
bool CopyWhole(const std::string& source, const std::string& target, std::string& why) {
  const std::string temporary = target + ".tmp";
  const int in = ::open(source.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) {
    why = "'" + source + "': " + Reason(errno);
    return false;
  }
  const int out = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (out < 0) {
    why = "'" + temporary + "': " + Reason(errno);
    ::close(in);
    return false;
  }
  std::string failed;  // the file that failed
  int error = 0;
  char buffer[1 << 16];
  for (;;) {
    const ssize_t got = ::read(in, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      failed = source, error = errno;
      break;
    }
    if (got == 0) break;
    for (ssize_t done = 0; done < got;) {
      const ssize_t put = ::write(out, buffer + done, static_cast<std::size_t>(got - done));
      if (put < 0 && errno == EINTR) continue;
      if (put < 0) {
        failed = target, error = errno;
        break;
      }
      done += put;
    }
    if (!failed.empty()) break;
  }
  ::close(in);
  if (failed.empty() && ::fsync(out) != 0) failed = target, error = errno;
  if (::close(out) != 0 && failed.empty()) failed = target, error = errno;
  if (failed.empty() && ::rename(temporary.c_str(), target.c_str()) != 0) failed = target, error = errno;
  if (failed.empty()) return true;
  ::unlink(temporary.c_str());
  why = "'" + failed + "': " + Reason(error);
  return false;
}

// Adds the Run row and keeps the map under its id, both or neither: the row is added inside a
// transaction that is committed only once the map lies whole under its final name. A program
// stopped anywhere in between leaves no row (the database rolls the transaction back when it is
// next opened), at most a map file that the next run of that id replaces. -1 after the message.
int32_t RecordRun(const ::Run::Values& values) {
  dao::Workspace workspace(gDatabase);
  if (!vb::Try([&] { workspace.BeginTrans(); })) {
    const std::string why = vb::Err().Description;
    vb::Err().Clear();
    Stop("The run could not be recorded: " + why + ", execution halted");
    return -1;
  }
  auto rollback = [&] {
    vb::Try([&] { workspace.Rollback(); });
    vb::Err().Clear();
  };
  const int32_t id = ::Run().Add(values);
  if (id < 0) {
    // Add has shown its own failure; the map stays for a later look.
    rollback();
    Stop("The run could not be recorded, execution halted");
    return -1;
  }
  const std::string kept = std::to_string(id) + ".map";
  std::string why;
  if (!CopyWhole(kMap, kept, why)) {
    rollback();
    Stop("The result map could not be kept as '" + kept + "' (" + why + "), execution halted. The result stays in '" +
         kMap + "'.");
    return -1;
  }
  if (!vb::Try([&] { workspace.CommitTrans(); })) {
    why = vb::Err().Description;
    vb::Err().Clear();
    rollback();
    Remove(kept);
    Stop("The run could not be recorded: " + why + ", execution halted. The result stays in '" + std::string(kMap) +
         "'.");
    return -1;
  }
  return id;
}

// The run records the ids picked in the window, so it computes with exactly those records, even
// when the result window has loaded the records of another run since the pick.
bool LoadPickedRecords(const CalcSelectionRecord& ids) {
  if (!GetData(ids.CompoundID)) {
    Stop("The compound with id " + std::to_string(ids.CompoundID) + " was not found, execution halted");
    return false;
  }
  if (!GetEmissionData(ids.EmissionID)) {
    Stop("The emission with id " + std::to_string(ids.EmissionID) + " was not found, execution halted");
    return false;
  }
  if (!GetAdvancedDetailData(1)) {
    Stop("The food-chain detail set 1 was not found, execution halted");
    return false;
  }
  if (!GetEnvironmentData(ids.EstuaryID)) {
    Stop("The estuary with id " + std::to_string(ids.EstuaryID) + " was not found, execution halted");
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
    Stop("The grid files of the estuary could not be written, execution halted");
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
    Stop(kHalted);
    return false;
  }
  Pump(5);
  // A map left by an earlier, broken run must never pass for this run's result.
  if (const std::string why = Remove(kMap); !why.empty()) {
    Stop("The result map '" + std::string(kMap) + "' of an earlier run could not be deleted (" + why +
         "), execution halted");
    return false;
  }
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
      Stop(kHalted);
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
  const int32_t id = RecordRun({.vstrRundescription = vb::Variant(description),
                                .vlngCorvixid = vb::Variant(int32_t{1}),
                                .vstrTulmoversion = vb::Variant(version),
                                .vdteRundate = vb::Variant(runDate),
                                .vlngEnvirID = vb::Variant(CurrentRun.EnvirID),
                                .vlngCompoundid = vb::Variant(pick.ids.CompoundID),
                                .vlngEmisid = vb::Variant(pick.ids.EmissionID)});
  if (id < 0) return false;
  CurrentRun.RunID = id;
  Pump(6);
  Pump(3);
  // The run is recorded whole; what is left to tidy only gets said.
  std::string leftover;
  if (const std::string why = Remove(kMap); !why.empty()) leftover += "\r\n'" + std::string(kMap) + "': " + why;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(".", ec)) {
    const std::string name = entry.path().filename().string();
    if (name.size() > 4 && name.compare(name.size() - 4, 4, ".wrk") == 0)
      if (const std::string why = Remove(name); !why.empty()) leftover += "\r\n'" + name + "': " + why;
  }
  if (!leftover.empty())
    ui::MsgBox("Run " + std::to_string(id) + " was recorded, but these files could not be deleted:" + leftover,
               ui::vbExclamation);
  return true;
}

}  // namespace modTulmo
