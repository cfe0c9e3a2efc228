// How the engine's results moved between two builds: for the five delivered estuaries and the
// delivered compounds (emission 1, the point load, unless given; 0 for all four) the application's own writers
// make the input set once, both engines run on a copy of it, and the ten map quantities of every
// estuary cell are compared. Prints per quantity the median, smallest and largest ratio new/old
// over all cells and cases, cells where old is 0 left out. A tool for reviewing a change of the
// engine's science; it asserts nothing and no test runs it.
//
//   engine_compare --old DIR --new DIR [--emission ID] [--estuaries N] [--compounds N]
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
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

constexpr int kCells = 500, kQuantities = 11, kCompared = 10;
const char* const kNames[kCompared] = {"salinity",    "total",          "dissolved",  "suspended matter",
                                       "sediment",    "zooplankton",    "sec. consumers", "round fish",
                                       "Tellina",     "benthic fish"};

// The application's writers in the working folder, from the delivered database.
bool WriteInputSet(int estuary, int compound, int emission) {
  using namespace modTulmo;
  ResetModuleState();
  return GetData(compound) && GetEmissionData(emission) && GetAdvancedDetailData(1) && CreateGrid(estuary) &&
         PrintCorvixInputFile();
}

// Runs a program in a folder; its exit status, or -1 when it did not end normally.
int Run(const fs::path& dir, const fs::path& program, std::vector<std::string> args) {
  std::vector<char*> argv;
  std::string p = program.string();
  argv.push_back(p.data());
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  const pid_t pid = fork();
  if (pid < 0) return -1;
  if (pid == 0) {
    if (chdir(dir.c_str()) != 0) _exit(126);
    std::FILE* null = std::fopen("/dev/null", "w");
    if (null) dup2(fileno(null), STDOUT_FILENO), dup2(fileno(null), STDERR_FILENO);
    execv(argv[0], argv.data());
    _exit(127);
  }
  int status = 0;
  if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

// Both steps of one engine on a copy of the input set; the map's cell values, empty on failure.
std::vector<float> EngineMap(const fs::path& inputs, const fs::path& work, const fs::path& bin, std::string& why) {
  fs::remove_all(work);
  fs::create_directories(work);
  for (const auto& f : fs::directory_iterator(inputs))
    if (f.is_regular_file()) fs::copy_file(f.path(), work / f.path().filename());
  const int c1 = Run(work, bin / "corvix1", {"pirsel.inp", "-np"});
  const int c2 = c1 == 0 ? Run(work, bin / "tulmo", {"pirsel"}) : -2;
  const std::string map = ReadText(work / "tulmo.map");
  if (c1 != 0 || c2 != 0 || map.size() != 392 + 4u * kCells * kQuantities + 24) {
    why = "exit " + std::to_string(c1) + "/" + std::to_string(c2) + ", map of " + std::to_string(map.size()) + " bytes";
    return {};
  }
  std::vector<float> v(static_cast<size_t>(kCells) * kQuantities);
  std::memcpy(v.data(), map.data() + 392, v.size() * 4);
  return v;
}

double Median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  const size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
  fs::path oldBin, newBin;
  int emission = 1, estuaries = 5, compounds = 5;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (i + 1 >= argc) {
      std::fprintf(stderr, "engine_compare: %s needs a value\n", a.c_str());
      return 64;
    }
    const std::string v = argv[++i];
    if (a == "--old") oldBin = v;
    else if (a == "--new") newBin = v;
    else if (a == "--emission") emission = std::atoi(v.c_str());
    else if (a == "--estuaries") estuaries = std::atoi(v.c_str());
    else if (a == "--compounds") compounds = std::atoi(v.c_str());
    else {
      std::fprintf(stderr, "usage: engine_compare --old DIR --new DIR [--emission ID] [--estuaries N] [--compounds N]\n");
      return 64;
    }
  }
  if (oldBin.empty() || newBin.empty()) {
    std::fprintf(stderr, "usage: engine_compare --old DIR --new DIR [--emission ID] [--estuaries N] [--compounds N]\n");
    return 64;
  }
  oldBin = fs::absolute(oldBin);
  newBin = fs::absolute(newBin);
  QApplication app(argc, argv);
  ErrorUI::Install();
  const fs::path dir = fs::temp_directory_path() / ("tulmo-compare-" + std::to_string(getpid()));
  const fs::path inputs = dir / "inputs";
  fs::create_directories(inputs);
  const fs::path data = fs::path(TULMO_SOURCE_DIR) / "data";
  const fs::path db = dir / "tulmo-compare.db";
  if (!Exec(db, ReadText(data / "schema.sql")) || !Exec(db, ReadText(data / "defaults.sql"))) return 2;
  DAOSupport::gDatabase = dao::Database::OpenDatabase(db.string());

  std::array<std::vector<double>, kCompared> ratios;
  int cases = 0, failed = 0;
  const int firstEmission = emission == 0 ? 1 : emission, lastEmission = emission == 0 ? 4 : emission;
  for (int em = firstEmission; em <= lastEmission; ++em)
  for (int estuary = 1; estuary <= estuaries; ++estuary)
    for (int compound = 1; compound <= compounds; ++compound) {
      const std::string what = "estuary " + std::to_string(estuary) + ", compound " + std::to_string(compound) +
                               ", emission " + std::to_string(em);
      fs::remove_all(inputs);
      fs::create_directories(inputs);
      fs::current_path(inputs);
      const bool written = WriteInputSet(estuary, compound, em);
      fs::current_path(dir);
      if (!written) {
        std::fprintf(stderr, "engine_compare: %s: the application's writers failed\n", what.c_str());
        ++failed;
        continue;
      }
      std::string whyOld, whyNew;
      const std::vector<float> o = EngineMap(inputs, dir / "old", oldBin, whyOld);
      const std::vector<float> n = EngineMap(inputs, dir / "new", newBin, whyNew);
      if (o.empty() || n.empty()) {
        std::fprintf(stderr, "engine_compare: %s: old %s, new %s\n", what.c_str(), o.empty() ? whyOld.c_str() : "ok",
                     n.empty() ? whyNew.c_str() : "ok");
        ++failed;
        continue;
      }
      ++cases;
      for (int c = 0; c < kCells; ++c)
        for (int q = 0; q < kCompared; ++q) {
          const double ov = o[static_cast<size_t>(c) * kQuantities + q], nv = n[static_cast<size_t>(c) * kQuantities + q];
          if (ov != 0) ratios[q].push_back(nv / ov);
        }
    }
  DAOSupport::gDatabase.reset();
  fs::current_path(fs::temp_directory_path());
  fs::remove_all(dir);

  const std::string emissions = emission == 0 ? std::string("emissions 1-4") : "emission " + std::to_string(emission);
  std::printf("engine_compare: %d cases (%d estuaries x %d compounds, %s), %d failed\n", cases, estuaries, compounds,
              emissions.c_str(), failed);
  std::printf("| quantity | cells | median new/old | smallest | largest |\n|---|---|---|---|---|\n");
  for (int q = 0; q < kCompared; ++q) {
    const auto& r = ratios[q];
    if (r.empty()) {
      std::printf("| %s | 0 | - | - | - |\n", kNames[q]);
      continue;
    }
    std::printf("| %s | %zu | %.6g | %.6g | %.6g |\n", kNames[q], r.size(), Median(r), *std::min_element(r.begin(), r.end()),
                *std::max_element(r.begin(), r.end()));
  }
  return failed ? 1 : 0;
}
