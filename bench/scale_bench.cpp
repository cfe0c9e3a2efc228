// Times the program's own windows, offscreen, on copies of the delivered database that hold many
// runs and compounds: each size runs in a process of its own (so that its peak memory is its own),
// which inserts the rows with SQL, then opens the Run and Compounds lists, the calculation window
// and the result window, runs calculations from the Run click to the quiet result window, and
// selects a run. The run rows copy one real run of the built engine, whose map the runs that a
// window selects share. Prints the median per figure and size beside its target; asserts nothing.
//
//   scale_bench [--sizes 10,1000,...] [--runs N] [--bin DIR]
//   scale_bench --size N [--runs N] [--bin DIR]     one size, its figures as "name<TAB>value" lines
#include <unistd.h>

#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/AppWindows.h"
#include "bench/BenchSupport.h"
#include "modelrun/frmCalc.h"
#include "modelrun/modTulmo.h"
#include "platform/dao/Dao.h"
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Global.h"
#include "platform/ui/MsgBox.h"
#include "records/Run.h"
#include "results/frmResult.h"
#include "runtime/Variant.h"
#include "shell/ChildForms.h"
#include "services/DAOConnect.h"
#include "services/DAOSupport.h"
#include "shell/Globals.h"
#include "shell/MDIMain.h"
#include "services/ErrorUI.h"

namespace fs = std::filesystem;
using bench::Series;

namespace {

[[noreturn]] void Fail(const std::string& what) {
  std::fprintf(stderr, "scale_bench: %s\n", what.c_str());
  std::exit(1);
}

// The figures in table order, with their targets (0: none), as functions of the row count.
struct Figure {
  const char* key;
  const char* name;
  std::function<double(int rows)> target;
};

double OpenTarget(int rows) { return 100.0 * std::max(1.0, rows / 10000.0); }  // linear beyond 10,000

const std::vector<Figure>& Figures() {
  static const std::vector<Figure> figures = {
      {"runlist", "open the Run list (cap 10,000)", OpenTarget},
      {"cmplist", "open the Compounds list (cap 5,000)", OpenTarget},
      {"calcwin", "open the calculation window (pick lists)", OpenTarget},
      {"resultwin", "open the result window (cap 5,000)", OpenTarget},
      {"calc", "a calculation, Run click to quiet result window", [](int rows) { return rows <= 1000 ? 60.0 : 100.0; }},
      {"select", "a run selection", [](int) { return 20.0; }},
      {"memory", "peak memory (MiB)", [](int) { return 60.0; }},
  };
  return figures;
}

// ---- one size, in its own process ----------------------------------------------------------------

ui::MsgBoxRecorder* gBoxes = nullptr;

void Settle() {
  for (int i = 0; i < 5; ++i) ui::DoEvents();
}

double Ms(std::chrono::steady_clock::time_point t0) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

// Runs `body` once untimed, then `runs` times timed; `after` runs untimed after every call.
Series Time(int runs, const std::function<void()>& body, const std::function<void()>& after = {}) {
  Series s;
  for (int r = 0; r <= runs; ++r) {
    const auto t0 = std::chrono::steady_clock::now();
    body();
    const double ms = Ms(t0);
    if (r > 0) s.v.push_back(ms);
    if (after) after();
  }
  return s;
}

double PeakMiB() {
  std::ifstream in("/proc/self/status");
  std::string line;
  while (std::getline(in, line))
    if (line.rfind("VmHWM:", 0) == 0) return std::atof(line.c_str() + 6) / 1024.0;
  return 0;
}

void Execute(const std::string& sql) { DAOSupport::gDatabase->Execute(sql); }

// A column list of a table without its key, for copying a row.
std::string DataColumns(const std::string& table) {
  for (const dao::TableLayout& t : dao::ScenarioLayout()) {
    if (t.name != table) continue;
    std::string s;
    for (std::size_t c = 1; c < t.columns.size(); ++c) s += (s.empty() ? "" : ", ") + t.columns[c];
    return s;
  }
  Fail("no table " + table);
}

// `copies` more rows of the table, each a copy of the row with the key, numbered in the first text column.
void Copy(const std::string& table, const std::string& key, int id, int copies, const std::string& numbered) {
  if (copies <= 0) return;
  std::string columns = DataColumns(table), values = columns;
  const std::size_t at = values.find(numbered);
  values.replace(at, numbered.size(), "'" + table + " ' || k.i");
  Execute("WITH RECURSIVE k(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM k WHERE i < " + std::to_string(copies) +
          ") INSERT INTO " + table + " (" + columns + ") SELECT " + values + " FROM " + table + ", k WHERE " + key +
          " = " + std::to_string(id));
}

int Count(const std::string& table) {
  auto rs = DAOSupport::gDatabase->OpenRecordset("SELECT COUNT(*) FROM " + table);
  return vb::CLng(rs->Fields(0));
}

// The real engine's map for run 1, and the Run row that names it.
void MakeRun(const fs::path& bin) {
  using namespace modTulmo;
  if (!(GetData(1) && GetEmissionData(1) && GetAdvancedDetailData(1) && CreateGrid(1) && PrintCorvixInputFile()))
    Fail("the engine input set could not be written");
  if (bench::TimeProcess(bin / "corvix1", {"pirsel.inp", "-np"}) < 0 || bench::TimeProcess(bin / "tulmo", {"pirsel"}) < 0)
    Fail("an engine step failed; see pirsel.lst");
  fs::copy_file("tulmo.map", "1.map", fs::copy_options::overwrite_existing);
  const int32_t id = ::Run().Add({.vstrRundescription = vb::Variant(std::string("Run 0")),
                                  .vlngCorvixid = vb::Variant(int32_t{1}),
                                  .vlngEnvirID = vb::Variant(int32_t{1}),
                                  .vlngCompoundid = vb::Variant(int32_t{1}),
                                  .vlngEmisid = vb::Variant(int32_t{1})});
  if (id != 1) Fail("the run was recorded as " + std::to_string(id));
}

// Opens the list from the Edit menu until it is quiet, then closes it.
void OpenList(const char* opener, const char* form) {
  if (!QMetaObject::invokeMethod(&ui::Global<MDIMain>(), opener)) Fail(std::string("no ") + opener);
  Settle();
  if (!ui::FindForm(form)) Fail(std::string(form) + " did not open");
}
void Close(const char* form) {
  if (QWidget* w = ui::FindForm(form)) ui::UnloadForm(w);
  Settle();
}

int Child(int rows, int runs, const fs::path& bin) {
  const fs::path delivered = bin / "tulmo-final.db";
  for (const fs::path& p : {bin / "corvix1", bin / "tulmo", delivered})
    if (!fs::exists(p)) Fail(p.string() + " not found");
  const fs::path dir = fs::temp_directory_path() / ("tulmo-scale-bench-" + std::to_string(getpid()));
  fs::create_directories(dir);
  fs::current_path(dir);
  fs::copy_file(delivered, "tulmo-final.db");

  int argc = 1;
  char name[] = "scale_bench";
  char* argv[] = {name, nullptr};
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  // The offscreen platform's notes would bury the table.
  qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
  QApplication app(argc, argv);
  ErrorUI::Install();
  ui::MsgBoxRecorder boxes;
  gBoxes = &boxes;
  ui::SetUrlOpener([](const QUrl&) { return true; });

  DAOConnect connect;
  if (!connect.OpenDatabase("tulmo-final.db")) Fail("the database could not be opened");
  MakeRun(bin);
  Copy("Compounds", "CmpID", 1, rows - Count("Compounds"), "CmpDescr");
  Copy("Run", "RunID", 1, rows - Count("Run"), "RunDescription");
  // The runs that a window may select share the map: the last one and those at the row caps.
  for (int id : {rows, 5000, 10000})
    if (id > 1 && id <= rows) fs::copy_file("1.map", std::to_string(id) + ".map", fs::copy_options::overwrite_existing);

  AppWindows::RegisterWindows();
  MDIMain& main = ui::Global<MDIMain>();
  main.resize(1400, 950);
  main.Show();
  Settle();
  gstrLevel = "EASY";

  std::map<std::string, double> out;
  out["runlist"] = Time(runs, [] { OpenList("mnuEditRunList_Click", "frmRunList"); }, [] { Close("frmRunList"); }).Median();
  out["cmplist"] =
      Time(runs, [] { OpenList("mnuEditCompoundsList_Click", "frmCompoundsList"); }, [] { Close("frmCompoundsList"); })
          .Median();
  out["calcwin"] = Time(runs, [] {
                     ChildForms::Global("frmCalc").Show();
                     Settle();
                   }, [] { Close("frmCalc"); }).Median();
  out["resultwin"] = Time(runs, [] {
                       ChildForms::Global("frmResult").Show();
                       Settle();
                     }, [] { Close("frmResult"); }).Median();

  // Calculations from the Run click, the calculation window activated first as the user's click does.
  auto& calc = static_cast<frmCalc&>(ChildForms::Global("frmCalc"));
  calc.Show();
  Settle();
  std::string shown;
  out["calc"] = Time(runs, [&] {
                  calc.cmdRun_Click();
                  Settle();
                }, [&] {
                  auto* result = dynamic_cast<frmResult*>(ChildForms::GlobalIfLoaded("frmResult"));
                  ui::ListItem* row = result ? result->lvRun->SelectedItem() : nullptr;
                  shown = row ? row->Key().substr(3) : "none";
                  calc.ZOrder(0);
                  Settle();
                }).Median();
  std::printf("shows\t%s of %d\n", shown.c_str(), Count("Run"));

  auto* result = dynamic_cast<frmResult*>(ChildForms::GlobalIfLoaded("frmResult"));
  if (!result) Fail("the result window is not open");
  result->ZOrder(0);
  Settle();
  out["select"] = Time(std::max(runs, 10), [&] {
                    result->lvRun_Click();
                    Settle();
                  }).Median();
  out["memory"] = PeakMiB();
  for (const auto& [k, v] : out) std::printf("%s\t%.3f\n", k.c_str(), v);

  ui::UnloadAllForms();
  ui::SetUrlOpener({});
  DAOSupport::gDatabase.reset();
  fs::current_path(fs::temp_directory_path());
  std::error_code ec;
  fs::remove_all(dir, ec);
  return 0;
}

// ---- the table -----------------------------------------------------------------------------------

int Parent(const std::vector<int>& sizes, int runs, const fs::path& self, const fs::path& bin) {
  std::map<int, std::map<std::string, double>> got;
  std::map<int, std::string> shows;
  for (int rows : sizes) {
    const int r = runs > 0 ? runs : rows >= 10000 ? 3 : rows >= 5000 ? 5 : 9;
    const std::string cmd = self.string() + " --size " + std::to_string(rows) + " --runs " + std::to_string(r) +
                            " --bin '" + bin.string() + "'";
    std::FILE* p = popen(cmd.c_str(), "r");
    if (!p) Fail("could not start " + cmd);
    char line[512];
    while (std::fgets(line, sizeof line, p)) {
      std::string l(line);
      const std::size_t tab = l.find('\t');
      if (tab == std::string::npos) continue;
      const std::string key = l.substr(0, tab), value = l.substr(tab + 1, l.find_last_not_of("\r\n") - tab);
      if (key == "shows")
        shows[rows] = value;
      else
        got[rows][key] = std::atof(value.c_str());
    }
    if (pclose(p) != 0) Fail("the run with " + std::to_string(rows) + " rows failed");
    std::fprintf(stderr, "scale_bench: %d rows done\n", rows);
  }
  std::printf("Scale benchmark: rows in Run and in Compounds; median ms (peak memory in MiB), target in brackets\n");
  std::printf("%-50s", "figure");
  for (int rows : sizes) std::printf(" %18d", rows);
  std::printf("\n");
  for (const Figure& f : Figures()) {
    std::printf("%-50s", f.name);
    for (int rows : sizes) {
      const double v = got[rows][f.key], t = f.target(rows);
      char cell[64];
      std::snprintf(cell, sizeof cell, "%.1f [%.0f]%s", v, t, v > t ? "!" : " ");
      std::printf(" %18s", cell);
    }
    std::printf("\n");
  }
  std::printf("%-50s", "run shown after the last calculation (of runs)");
  for (int rows : sizes) std::printf(" %18s", shows[rows].c_str());
  std::printf("\n! marks a figure over its target.\n");
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<int> sizes = {10, 1000, 5000, 10000, 100000};
  int runs = 0, size = -1;
  fs::path bin = fs::canonical("/proc/self/exe").parent_path();
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--sizes" && i + 1 < argc) {
      sizes.clear();
      std::stringstream s(argv[++i]);
      for (std::string n; std::getline(s, n, ',');) sizes.push_back(std::max(1, std::atoi(n.c_str())));
    } else if (a == "--runs" && i + 1 < argc) {
      runs = std::max(1, std::atoi(argv[++i]));
    } else if (a == "--size" && i + 1 < argc) {
      size = std::max(1, std::atoi(argv[++i]));
    } else if (a == "--bin" && i + 1 < argc) {
      bin = argv[++i];
    } else {
      std::fprintf(stderr, "usage: scale_bench [--sizes N,N,...] [--runs N] [--bin DIR]\n");
      return 64;
    }
  }
  if (size > 0) return Child(size, runs > 0 ? runs : 5, bin);
  return Parent(sizes, runs, fs::canonical("/proc/self/exe"), bin);
}
