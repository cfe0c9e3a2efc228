// Times the engine as the application runs it: a fresh process per step, from fork to exit, on
// one core. The input set is written once by the application's own grid and input writers from
// the delivered database (default estuary, compound and emission unless given), in a temporary
// folder. Prints median and maximum per step, for both steps together, and per phase as the
// steps write their phase times to the listing.
//
//   engine_bench [--runs N] [--estuary ID] [--compound ID] [--emission ID] [--bin DIR] [--keep]
#include <sched.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "bench/BenchSupport.h"
#include "modelrun/modTulmo.h"
#include "services/DAOSupport.h"
#include "services/ErrorUI.h"

namespace fs = std::filesystem;

namespace {

using bench::Exec;
using bench::ReadText;

// The default scenario's files through the application's writers.
bool WriteInputSet(const fs::path& dir, int estuary, int compound, int emission) {
  const fs::path db = dir / "tulmo-bench.db";
  const fs::path data = fs::path(TULMO_SOURCE_DIR) / "data";
  if (!Exec(db, ReadText(data / "schema.sql")) || !Exec(db, ReadText(data / "defaults.sql"))) return false;
  DAOSupport::gDatabase = dao::Database::OpenDatabase(db.string());
  using namespace modTulmo;
  const bool ok = GetData(compound) && GetEmissionData(emission) && GetAdvancedDetailData(1) &&
                  CreateGrid(estuary) && PrintCorvixInputFile();
  DAOSupport::gDatabase.reset();
  return ok;
}


// "Phase times (ms): name value; name value; ..." lines of the listing, in order.
std::vector<std::vector<std::pair<std::string, double>>> Phases(const std::string& listing) {
  std::vector<std::vector<std::pair<std::string, double>>> out;
  std::istringstream in(listing);
  std::string line;
  const std::string head = "Phase times (ms):";
  while (std::getline(in, line)) {
    if (line.rfind(head, 0) != 0) continue;
    std::vector<std::pair<std::string, double>> phases;
    std::istringstream items(line.substr(head.size()));
    std::string item;
    while (std::getline(items, item, ';')) {
      const size_t cut = item.find_last_of(' ');
      if (cut == std::string::npos) continue;
      std::string name = item.substr(0, cut);
      name.erase(0, name.find_first_not_of(' '));
      if (!name.empty()) phases.emplace_back(name, std::atof(item.c_str() + cut + 1));
    }
    out.push_back(phases);
  }
  return out;
}


using bench::Series;
using bench::TimeProcess;

void Row(const std::string& name, const Series& s, double target = 0) {
  std::printf("  %-46s %9.3f %9.3f", name.c_str(), s.Median(), s.Max());
  if (target > 0) std::printf("   target %5.1f: %s", target, s.Max() <= target ? "met" : "MISSED");
  std::printf("\n");
}

}  // namespace

int main(int argc, char** argv) {
  int runs = 100, estuary = 1, compound = 1, emission = 1;
  bool keep = false;
  fs::path bin = fs::canonical("/proc/self/exe").parent_path();
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    auto next = [&]() -> std::string {
      if (i + 1 >= argc) {
        std::fprintf(stderr, "engine_bench: %s needs a value\n", a.c_str());
        std::exit(64);
      }
      return argv[++i];
    };
    if (a == "--runs") runs = std::max(1, std::atoi(next().c_str()));
    else if (a == "--estuary") estuary = std::atoi(next().c_str());
    else if (a == "--compound") compound = std::atoi(next().c_str());
    else if (a == "--emission") emission = std::atoi(next().c_str());
    else if (a == "--bin") bin = next();
    else if (a == "--keep") keep = true;
    else {
      std::fprintf(stderr,
                   "usage: engine_bench [--runs N] [--estuary ID] [--compound ID] [--emission ID] [--bin DIR] [--keep]\n");
      return 64;
    }
  }
  const fs::path corvix1 = bin / "corvix1", tulmo = bin / "tulmo";
  if (!fs::exists(corvix1) || !fs::exists(tulmo)) {
    std::fprintf(stderr, "engine_bench: corvix1 and tulmo not found in %s\n", bin.c_str());
    return 2;
  }

  // One core for the bench and the engine processes it starts.
  cpu_set_t one;
  CPU_ZERO(&one);
  CPU_SET(sched_getcpu() >= 0 ? sched_getcpu() : 0, &one);
  const bool pinned = sched_setaffinity(0, sizeof one, &one) == 0;

  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  ErrorUI::Install();
  const fs::path dir = fs::temp_directory_path() / ("tulmo-bench-" + std::to_string(getpid()));
  fs::create_directories(dir);
  fs::current_path(dir);
  if (!WriteInputSet(dir, estuary, compound, emission)) {
    std::fprintf(stderr, "engine_bench: the input set could not be written in %s\n", dir.c_str());
    return 1;
  }

  Series step1, step2, both;
  std::vector<std::map<std::string, Series>> phases(2);
  std::vector<std::vector<std::string>> order(2);
  for (int r = 0; r < runs; ++r) {
    const double a = TimeProcess(corvix1, {"pirsel.inp", "-np"});
    const double b = a < 0 ? -1 : TimeProcess(tulmo, {"pirsel"});
    if (a < 0 || b < 0) {
      std::fprintf(stderr, "engine_bench: step %d failed in run %d; see %s\n", a < 0 ? 1 : 2, r + 1,
                   (dir / "pirsel.lst").c_str());
      return 3;
    }
    step1.v.push_back(a);
    step2.v.push_back(b);
    both.v.push_back(a + b);
    const auto listed = Phases(ReadText("pirsel.lst"));
    for (size_t s = 0; s < listed.size() && s < 2; ++s)
      for (const auto& [name, ms] : listed[s]) {
        if (!phases[s].count(name)) order[s].push_back(name);
        phases[s][name].v.push_back(ms);
      }
  }

  std::printf("Engine benchmark: %d runs of both steps (estuary %d, compound %d, emission %d)%s\n", runs, estuary,
              compound, emission, pinned ? ", one core" : "");
  std::printf("  %-46s %9s %9s\n", "ms, fork to exit", "median", "maximum");
  Row("step 1 (corvix1)", step1, 20);
  Row("step 2 (tulmo)", step2, 20);
  Row("both steps", both, 50);
  for (int s = 0; s < 2; ++s) {
    std::printf("  phases of step %d as listed (in-process):\n", s + 1);
    for (const auto& name : order[s]) Row("  " + name, phases[s][name]);
  }
  // The steps beside two bare process starts, timed from a small parent.
  std::printf("  beside bare process starts, from a small parent (%d runs):\n", runs);
  std::printf("  %-46s %9s %9s\n", "ms, fork to exit", "median", "maximum");
  std::fflush(stdout);
  const std::string starter = (fs::canonical("/proc/self/exe").parent_path() / "process_starts").string();
  std::vector<std::string> args = {std::to_string(runs), dir.string(), corvix1.string(), tulmo.string()};
  std::vector<char*> argv2 = {const_cast<char*>(starter.c_str())};
  for (auto& a : args) argv2.push_back(a.data());
  argv2.push_back(nullptr);
  if (const pid_t pid = fork(); pid == 0) {
    execv(argv2[0], argv2.data());
    _exit(127);
  } else if (pid > 0) {
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) std::fprintf(stderr, "engine_bench: %s failed\n", starter.c_str());
  }
  fs::current_path(fs::temp_directory_path());
  if (keep) {
    std::printf("Input set kept in %s\n", dir.c_str());
  } else {
    std::error_code ec;
    fs::remove_all(dir, ec);
  }
  return 0;
}
