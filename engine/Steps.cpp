// File handling of the two steps: old results are removed first, outputs are written under a
// temporary name and renamed, so a failed step never leaves a map the application would accept.
// The first error line goes to stderr, the full report to the listing.
#include "engine/Steps.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "engine/Constants.h"
#include "engine/GridFiles.h"
#include "engine/InputReader.h"
#include "engine/Listing.h"
#include "engine/MapFile.h"
#include "engine/Messages.h"
#include "engine/Model.h"
#include "engine/WorkFile.h"

namespace fs = std::filesystem;

namespace engine {

namespace {

using Clock = std::chrono::steady_clock;
double Ms(Clock::time_point a, Clock::time_point b) {
  return std::chrono::duration<double, std::milli>(b - a).count();
}

FileBytes ReadAll(const fs::path& path) {
  FileBytes f;
  std::error_code ec;
  if (fs::is_directory(path, ec)) {
    f.error = "it is a folder";
    return f;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    f.error = std::strerror(errno);
    return f;
  }
  std::ostringstream s;
  s << in.rdbuf();
  if (in.bad()) {
    f.error = "read error";
    return f;
  }
  f.ok = true;
  f.bytes = s.str();
  return f;
}

void WriteAtomically(const fs::path& path, const std::string& bytes) {
  const fs::path tmp = path.string() + ".tmp";
  {
    std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
    if (!out) Fail("", Msg::CannotWrite, tmp.string(), std::strerror(errno));
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (!out) {
      std::error_code ec;
      fs::remove(tmp, ec);
      Fail("", Msg::CannotWrite, tmp.string(), "write error");
    }
  }
  std::error_code ec;
  fs::rename(tmp, path, ec);
  if (ec) {
    fs::remove(tmp, ec);
    Fail("", Msg::CannotWrite, path.string(), ec.message());
  }
}

void Remove(const fs::path& p) {
  std::error_code ec;
  fs::remove(p, ec);
}

// An old result that cannot be removed would be taken for this run's: stop instead.
bool RemoveOld(const fs::path& p, const char* step, std::ostream& err) {
  std::error_code ec;
  fs::remove(p, ec);
  if (!ec) return true;
  err << step << ": " << Text(Msg::CannotRemove, p.string(), ec.message()) << "\n";
  return false;
}

// Strips one trailing extension of the given kinds.
fs::path StemPath(const std::string& arg, std::initializer_list<const char*> exts) {
  fs::path p(arg);
  for (const char* e : exts)
    if (p.extension() == e) return p.replace_extension();
  return p;
}

int Report1(std::ostream& err, const char* step, Listing& lst, const EngineError& e) {
  err << step << ": " << e.what();
  if (!e.More().empty()) err << " (and " << e.More().size() << " more, see the listing)";
  err << "\n";
  lst.Error(e.what());
  for (const auto& m : e.More()) lst.Error(m);
  return e.ExitCode();
}

}  // namespace

int RunCorvix1(const std::vector<std::string>& args, std::ostream& err) {
  std::string input;
  for (const std::string& a : args) {
    if (!a.empty() && a[0] == '-') {
      if (a == "-np") continue;
      err << "corvix1: " << Text(Msg::UnknownOption, a) << "\n" << Text(Msg::UsageCorvix1) << "\n";
      return kExitUsage;
    }
    if (!input.empty()) {
      err << Text(Msg::UsageCorvix1) << "\n";
      return kExitUsage;
    }
    input = a;
  }
  if (input.empty()) {
    err << Text(Msg::UsageCorvix1) << "\n";
    return kExitUsage;
  }
  const auto start = Clock::now();
  const fs::path inputPath(input);
  const fs::path stem = StemPath(input, {".inp"});
  const fs::path dir = inputPath.parent_path();
  const fs::path work = stem.string() + ".wrk";
  // A failed run must not leave results of an earlier one behind.
  if (!RemoveOld(dir / kMapName, "corvix1", err) || !RemoveOld(work, "corvix1", err)) return kExitFileIO;
  Remove(fs::path((dir / kMapName).string() + ".tmp"));

  Listing lst(stem.string() + ".lst", false);
  if (!lst.Ok()) {
    err << "corvix1: " << Text(Msg::CannotWrite, stem.string() + ".lst", std::strerror(errno)) << "\n";
    return kExitFileIO;
  }
  lst.Heading(std::string("Tulmo engine ") + kEngineVersion + ", step 1: reading and checking " + input);
  Report report;
  try {
    TakeGridDecodeTime();
    const auto t0 = Clock::now();
    const FileBytes in = ReadAll(inputPath);
    if (!in.ok) Fail("", Msg::CannotOpen, input, in.error);
    const std::string inputName = inputPath.filename().string();
    double gridMs = 0;
    const FileSource files = [&](const std::string& name) {
      const auto a = Clock::now();
      FileBytes f = ReadAll(dir / name);
      gridMs += Ms(a, Clock::now());
      return f;
    };
    Problem p = ReadInput(inputName, in.bytes, files, report);
    const auto t1 = Clock::now();
    gridMs += TakeGridDecodeTime();
    InterpretConstants(p.constants, inputName, &report);
    RepairWaterBalance(p, report);
    CheckConnected(p);
    const auto t2 = Clock::now();
    p.warnings = static_cast<int>(report.warnings.size());
    WriteAtomically(work, EncodeWork(p));
    const auto t3 = Clock::now();
    lst.Problem(p);
    lst.Notes(report);
    lst.Phases({{"parse input", Ms(t0, t1) - gridMs},
                {"read grid files", gridMs},
                {"check constants, water balance, connection", Ms(t1, t2)},
                {"write work file", Ms(t2, t3)},
                {"total", Ms(start, Clock::now())}});
    lst.Line("Step 1 completed: " + work.string() + " written.");
    return kExitOk;
  } catch (const EngineError& e) {
    lst.Notes(report);
    return Report1(err, "corvix1", lst, e);
  } catch (const std::bad_alloc&) {
    return Report1(err, "corvix1", lst, EngineError(kExitNumerical, Text(Msg::Internal, "out of memory")));
  } catch (const std::exception& e) {
    return Report1(err, "corvix1", lst, EngineError(kExitNumerical, Text(Msg::Internal, e.what())));
  }
}

int RunTulmo(const std::vector<std::string>& args, std::ostream& err) {
  std::string arg;
  for (const std::string& a : args) {
    if (!a.empty() && a[0] == '-') {
      if (a == "-np") continue;
      err << "tulmo: " << Text(Msg::UnknownOption, a) << "\n" << Text(Msg::UsageTulmo) << "\n";
      return kExitUsage;
    }
    if (!arg.empty()) {
      err << Text(Msg::UsageTulmo) << "\n";
      return kExitUsage;
    }
    arg = a;
  }
  if (arg.empty()) {
    err << Text(Msg::UsageTulmo) << "\n";
    return kExitUsage;
  }
  const auto start = Clock::now();
  const fs::path stem = StemPath(arg, {".wrk", ".inp"});
  const fs::path dir = stem.parent_path();
  const fs::path work = stem.string() + ".wrk";
  const fs::path map = dir / kMapName;
  if (!RemoveOld(map, "tulmo", err)) return kExitFileIO;
  Listing lst(stem.string() + ".lst", true);
  if (!lst.Ok()) {
    err << "tulmo: " << Text(Msg::CannotWrite, stem.string() + ".lst", std::strerror(errno)) << "\n";
    return kExitFileIO;
  }
  lst.Heading(std::string("Tulmo engine ") + kEngineVersion + ", step 2: steady state from " + work.string());
  Report report;
  try {
    const auto t0 = Clock::now();
    const FileBytes w = ReadAll(work);
    if (!w.ok) Fail("", Msg::CannotOpen, work.string(), w.error);
    const Problem p = DecodeWork(w.bytes, work.filename().string());
    const auto t1 = Clock::now();
    const ModelResult r = RunModel(p, report);
    const auto t2 = Clock::now();
    const std::string bytes = EncodeMap(p, r);
    WriteAtomically(map, bytes);
    const auto t3 = Clock::now();
    lst.Results(p, r);
    lst.Notes(report);
    lst.Phases({{"read work file", Ms(t0, t1)},
                {"assemble", r.times.assemble},
                {"factor", r.times.factor},
                {"solve", r.times.solve},
                {"outputs and food chain", r.times.foodChain},
                {"write map", Ms(t2, t3)},
                {"total", Ms(start, Clock::now())}});
    lst.Line("Step 2 completed: " + map.string() + " written (" + std::to_string(bytes.size()) + " bytes).");
    return kExitOk;
  } catch (const EngineError& e) {
    lst.Notes(report);
    return Report1(err, "tulmo", lst, e);
  } catch (const std::bad_alloc&) {
    return Report1(err, "tulmo", lst, EngineError(kExitNumerical, Text(Msg::Internal, "out of memory")));
  } catch (const std::exception& e) {
    return Report1(err, "tulmo", lst, EngineError(kExitNumerical, Text(Msg::Internal, e.what())));
  }
}

}  // namespace engine
