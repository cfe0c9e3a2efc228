// The whole chain on the delivered scenarios: the application's own writers (grid files and the
// engine input) from the delivered database, both engine steps, then the application's reading
// of the map and its statistics. Nothing here is hand-made, so a drift between the writers and
// the engine's reader shows up as a failed run or implausible values.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <map>
#include <sstream>

#include "engine/Model.h"
#include "engine/Steps.h"
#include "engine/WorkFile.h"
#include "modelrun/ResultWindow.h"
#include "modelrun/modTulmo.h"
#include "platform/ui/MsgBox.h"
#include "tests/records/ScenarioDb.h"
#include "tests/support/TestDir.h"

namespace fs = std::filesystem;
using namespace modTulmo;

namespace {

// Keeps the label captions ReadMap sets (the marine values and the statistics).
struct LabelWindow : ResultWindow {
  std::map<std::string, std::string> captions;
  void PrepareChart(int, int, int) override {}
  void SetChartRowLabel(int, int, const std::string&) override {}
  void SetChartColumnLabel(int, int, const std::string&) override {}
  void SetChartData(int, int, int, const std::string&) override {}
  void SetLabelCaption(const std::string& label, const std::string& caption) override { captions[label] = caption; }
  void ShowWindow() override {}
};

struct Steps {
  int code1 = -1, code2 = -1;
  std::string err;
};

float FloatAt(const std::string& bytes, size_t offset) {
  float f;
  std::memcpy(&f, bytes.data() + offset, 4);
  return f;
}

class EngineIntegration : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetModuleState();
    SetResultWindow(&window);
  }
  void TearDown() override { SetResultWindow(nullptr); }

  // The application's writers for one scenario: true when every file was written.
  bool WriteInputs(int32_t estuary, int32_t compound, int32_t emission) {
    return GetData(compound) && GetEmissionData(emission) && GetAdvancedDetailData(1) && CreateGrid(estuary) &&
           PrintCorvixInputFile();
  }

  Steps RunEngine() {
    Steps s;
    std::ostringstream err;
    s.code1 = engine::RunCorvix1({"pirsel.inp", "-np"}, err);
    if (s.code1 == 0) s.code2 = engine::RunTulmo({"pirsel"}, err);
    s.err = err.str() + testsupport::ReadFile("pirsel.lst");
    return s;
  }

  // Step 2's computation again on the work file, in double precision; `salinity` receives the
  // range of the boundary salinities as the input gives them.
  engine::ModelResult Recompute(std::pair<double, double>* salinity = nullptr) {
    const engine::Problem p = engine::DecodeWork(testsupport::ReadFile("pirsel.wrk"), "pirsel.wrk");
    if (salinity) {
      *salinity = {INFINITY, -INFINITY};
      for (const auto& b : p.boundaryValues) {
        salinity->first = std::min(salinity->first, b[p.role[engine::kSalinity]]);
        salinity->second = std::max(salinity->second, b[p.role[engine::kSalinity]]);
      }
    }
    engine::Report report;
    return engine::RunModel(p, report);
  }

  testdb::OpenScenario db{true};
  ui::MsgBoxRecorder boxes;
  LabelWindow window;
};

TEST_F(EngineIntegration, DefaultScenarioRunsAndTheApplicationReadsPlausibleResults) {
  ASSERT_TRUE(WriteInputs(1, 1, 1));
  const double seaSalinity = CurrentEstuary.Salinitysea;
  const Steps s = RunEngine();
  ASSERT_EQ(s.code1, 0) << s.err;
  ASSERT_EQ(s.code2, 0) << s.err;

  const engine::ModelResult r = Recompute();
  EXPECT_LE(r.domain.RelativeImbalance(), 1e-9);
  EXPECT_LE(r.estuary.RelativeImbalance(), 1e-9);
  EXPECT_LE(r.retentionImbalance, 1e-9);
  EXPECT_GT(r.domain.loads, 0);

  const std::string map = testsupport::ReadFile("tulmo.map");
  ASSERT_EQ(map.size(), 22416u);
  testsupport::WriteFile("7.map", map);
  ASSERT_TRUE(ReadMap(7));
  EXPECT_TRUE(boxes.boxes().empty());
  ASSERT_EQ(nosys, 11);
  ASSERT_EQ(noseg, 500);

  // Salinity: the sea value at the mouth down to about the river's 1 psu at the head, falling
  // transect by transect, and the ten cells of a transect alike.
  auto transect = [](int k, int t) {
    double sum = 0;
    for (int j = 0; j < 10; ++j) sum += ResultGrid(k, 10 * t + j);
    return sum / 10;
  };
  EXPECT_GT(transect(0, 0), 0.8 * seaSalinity);
  EXPECT_LE(transect(0, 0), seaSalinity);
  EXPECT_LT(transect(0, 49), 2.0);
  EXPECT_GE(transect(0, 49), 1.0 - 1e-5);
  // Upstream of the salt intrusion it stays at the river value (to float precision).
  for (int t = 1; t < 50; ++t) EXPECT_LE(transect(0, t), transect(0, t - 1) + 1e-6) << "transect " << t;
  EXPECT_LT(transect(0, 25), transect(0, 0));
  for (int t = 0; t < 50; ++t)
    for (int j = 0; j < 10; ++j)
      EXPECT_NEAR(ResultGrid(0, 10 * t + j), transect(0, t), 1e-4 * seaSalinity) << "cell " << 10 * t + j;

  // Every quantity finite and non-negative; the compound present where the load enters; the area
  // column the surfaces the grid writer gave segments 2..501.
  const std::string srf = testsupport::ReadFile("test.srf");
  ASSERT_EQ(srf.size(), 24u + 4 * 501);
  double maxTotal = 0;
  for (int c = 0; c < 500; ++c) {
    for (int k = 0; k < 11; ++k) {
      EXPECT_TRUE(std::isfinite(ResultGrid(k, c)) && ResultGrid(k, c) >= 0) << "quantity " << k << " cell " << c;
    }
    maxTotal = std::max(maxTotal, static_cast<double>(ResultGrid(1, c)));
    EXPECT_EQ(ResultGrid(10, c), FloatAt(srf, 24 + 4 * (c + 1))) << "cell " << c;
    EXPECT_LE(ResultGrid(2, c), ResultGrid(1, c) * (1 + 1e-6));  // dissolved within the total
  }
  EXPECT_GT(maxTotal, 0);
  for (int k : {5, 6, 7, 8, 9}) EXPECT_GT(transect(k, 25), 0) << "organism " << k;

  // The six marine values as the window shows them (three significant digits).
  const double marineSalinity = std::stod(window.captions.at("lblSalMarine"));
  EXPECT_GT(marineSalinity, transect(0, 0) - 0.05);
  EXPECT_LE(marineSalinity, seaSalinity + 0.05);
  EXPECT_NEAR(std::stod(window.captions.at("lblEstFilter")), r.filteringCapacity, 0.006);
  EXPECT_GT(r.filteringCapacity, 0);
  EXPECT_LT(r.filteringCapacity, 100);

  // The statistics file: one line per quantity, percentiles in order and the salinity average
  // between river and sea.
  std::istringstream stat(testsupport::ReadFile("7-stat.txt"));
  std::string line;
  std::getline(stat, line);
  int rows = 0;
  while (std::getline(stat, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::istringstream f(line);
    std::string word;
    int k = -1;
    double p95 = NAN, median = NAN, avg = NAN, p5 = NAN;
    f >> word >> k >> p95 >> median >> avg >> p5;
    ASSERT_FALSE(f.fail()) << line;
    EXPECT_EQ(k, rows);
    EXPECT_GE(p95, p5) << line;
    EXPECT_TRUE(std::isfinite(avg) && avg >= 0) << line;
    if (k == 0) {
      EXPECT_GT(avg, 1.0);
      EXPECT_LT(avg, seaSalinity);
    }
    ++rows;
  }
  EXPECT_EQ(rows, 11);
}

// Every delivered estuary, compound and emission: both steps succeed, the budgets close and the
// map holds sound values (biota zero for the metals).
TEST_F(EngineIntegration, EveryDeliveredScenarioRunsWithClosedBudgets) {
  for (int32_t estuary = 1; estuary <= 5; ++estuary)
    for (int32_t compound = 1; compound <= 5; ++compound)
      for (int32_t emission = 1; emission <= 4; ++emission) {
        const std::string what = "estuary " + std::to_string(estuary) + ", compound " + std::to_string(compound) +
                                 ", emission " + std::to_string(emission);
        ResetModuleState();
        ASSERT_TRUE(WriteInputs(estuary, compound, emission)) << what;
        const bool metal = CurrentCompound.Cmpistype == 1;
        const Steps s = RunEngine();
        ASSERT_EQ(s.code1, 0) << what << "\n" << s.err;
        ASSERT_EQ(s.code2, 0) << what << "\n" << s.err;
        std::pair<double, double> salinity;
        const engine::ModelResult r = Recompute(&salinity);
        EXPECT_EQ(salinity.first, 1.0) << what;  // the river
        EXPECT_NEAR(salinity.second, CurrentEstuary.Salinitysea, 0.051) << what;  // written to 0.1 psu
        EXPECT_LE(r.domain.RelativeImbalance(), 1e-9) << what;
        EXPECT_LE(r.retentionImbalance, 1e-9) << what;
        EXPECT_GE(r.filteringCapacity, 0) << what;
        EXPECT_LE(r.filteringCapacity, 100) << what;
        bool sound = true, biotaZero = true;
        for (const auto& cell : r.cells) {
          for (double v : cell) sound = sound && std::isfinite(v) && v >= 0;
          sound = sound && cell[0] >= salinity.first && cell[0] <= salinity.second;
          for (int k = 5; k <= 9; ++k) biotaZero = biotaZero && cell[k] == 0;
        }
        EXPECT_TRUE(sound) << what;
        EXPECT_EQ(biotaZero, metal) << what;
      }
  EXPECT_TRUE(boxes.boxes().empty());
}

// The nearest the estuary editor comes to a uniform channel: widths equal within 1E-5, constant
// depth, and the salinity method with stations on one exponential, which gives one dispersion
// along the whole estuary. Salinity is the plain tracer, Retention (river 1000, sea 0) the tracer
// with first-order decay. Both are compared with the steady advection-dispersion(-decay) solution
// under the flux condition at the head, u c - D c' = u c_river; the first transect fixes the
// seaward end.
TEST_F(EngineIntegration, UniformEstuaryFollowsTheFluxHeadSolution) {
  const double Q = 10, B = 1000, h = 10, L = 30000, D = 20;  // u L / D = 1.5, cell Peclet 0.03
  const double u = Q / (B * h);
  // S(x) = e^(u (L - x) / D): the method's stations at 10 and 20 km, 1 psu at the head.
  const double S0 = std::exp(u * L / D), S1 = std::exp(u * 20000 / D), S2 = std::exp(u * 10000 / D);
  char sql[1024];
  std::snprintf(sql, sizeof sql,
                "CREATE TEMP TABLE t AS SELECT * FROM Environment WHERE ID = 1;"
                "UPDATE t SET ID = 6, Type = 'user', WidthMouth = %.17g, WidthAtX = %.17g, XfromMouth = 20,"
                " EstLength = %.17g, estdepth = %.17g, FlowRiverAvg = %.17g, DispersionOption = 1,"
                " DispersionX1 = 10, DispersionX2 = 20, SalinitySea = %.17g, DispersionSalinity1 = %.17g,"
                " DispersionSalinity2 = %.17g;"
                "INSERT INTO Environment SELECT * FROM t;",
                B, B * (1 - 1e-5), L / 1000, h, Q, S0, S1, S2);
  db.Raw(sql);
  ASSERT_TRUE(WriteInputs(6, 1, 1));
  const Steps s = RunEngine();
  ASSERT_EQ(s.code1, 0) << s.err;
  ASSERT_EQ(s.code2, 0) << s.err;
  const engine::Problem p = engine::DecodeWork(testsupport::ReadFile("pirsel.wrk"), "pirsel.wrk");
  engine::Report report;
  const engine::ModelResult r = engine::RunModel(p, report);

  // One dispersion, one decay rate: every along exchange has D, every estuary cell the same
  // loss per volume (all cells lie in the fresh zone).
  for (const engine::Exchange& e : p.exchanges) {
    if (e.F != 0 && e.from != -2 && e.to != -4) {
      EXPECT_NEAR(e.D, D, 1e-4 * D);
    }
  }
  const double k = r.state[1].lambda / p.volume[1];
  for (int i = 1; i < 501; ++i) EXPECT_NEAR(r.state[i].lambda / p.volume[i], k, 1e-6 * k) << i;
  ASSERT_GT(k, 0);

  // Transect t (0 at the mouth) has its centre (49.5 - t) dx below the head face.
  const double dx = L / 50;
  auto mean = [&](const std::vector<double>& c, int t) {
    double sum = 0;
    for (int j = 0; j < 10; ++j) sum += c[1 + 10 * t + j];
    return sum / 10;
  };
  auto xi = [&](int t) { return (49.5 - t) * dx; };
  struct Profile {
    double a, b, rp, rm;
    double operator()(double x) const { return a * std::exp(rp * x) + b * std::exp(rm * x); }
  };
  auto solution = [&](double kk, double cr, double cm) {
    const double sq = std::sqrt(u * u + 4 * kk * D);
    Profile f{0, 0, (u + sq) / (2 * D), (u - sq) / (2 * D)};
    const double a11 = u - D * f.rp, a12 = u - D * f.rm, a21 = std::exp(f.rp * xi(0)), a22 = std::exp(f.rm * xi(0));
    const double det = a11 * a22 - a12 * a21;
    f.a = (u * cr * a22 - a12 * cm) / det;
    f.b = (a11 * cm - a21 * u * cr) / det;
    return f;
  };
  const Profile salt = solution(0, 1.0, mean(r.salinity, 0));
  const Profile ret = solution(k, 1000.0, mean(r.retention, 0));
  double lo = INFINITY, hi = -INFINITY;
  for (int t = 0; t < 50; ++t) lo = std::min(lo, ret(xi(t))), hi = std::max(hi, ret(xi(t)));
  for (int t = 1; t < 50; ++t) {
    EXPECT_NEAR(mean(r.salinity, t), salt(xi(t)), 0.01 * (salt(xi(0)) - 1.0)) << "transect " << t;
    EXPECT_NEAR(mean(r.retention, t), ret(xi(t)), 0.01 * (hi - lo)) << "transect " << t;
  }
  // What enters at the river is its advective load, no more.
  EXPECT_NEAR(r.retentionIn, Q * 1000, 1e-9 * Q * 1000);
}

// Estuary List > New with river flow 0 (stored as the least flow, 0.01 m3/s): the record the
// editor stores, at lengths it accepts (up to about 49.7 km). The head's tiny flow beside marine conductances of 1E4 m3/s
// leaves round-off far above 1E-9 of the net input and ~1E-6 of the salinity range near the head;
// none of it may stop the run.
TEST_F(EngineIntegration, TheEditorsLeastRiverFlowRunsAtEveryLengthItAccepts) {
  db.Raw("CREATE TEMP TABLE t AS SELECT * FROM Environment WHERE ID = 1;"
         "UPDATE t SET ID = 6, Description = 'Low flow', Type = 'user', FlowRiverAvg = 0.01, "
         "SalinitySea = 34.0, dissolvedo21 = 7.0, Silt1 = 100.0, Silt2 = 100.0, Poc1 = 1.0, Poc2 = 1.0, "
         "pHSea = 8.0, ZooBiomass1 = 1.17, WidthMouth = 100.0, WidthAtX = 50.0, ConvergenceLength = 7.2, "
         "SaltIntrusionLengthAvg = 41.4, XfromMouth = 5.0, DispersionOption = 0, DispersionX1 = 0.0, "
         "DispersionX2 = 0.0, TideAvg = 1.0, TidalPeriod = 12.4, TempAvg = 10.0, ChlorophylConc1 = 18.1, "
         "DispersionAvg = 38.3, SedimentationVelocityAvg = 0.0, estdepth = 5.0, DispersionSalinity1 = 0.0, "
         "DispersionSalinity2 = 0.0, Silt3 = 100.0, Poc3 = 1.0, Doc1 = 2.5, Doc2 = 2.5, Doc3 = 2.5, "
         "PhytoBiomass1 = 2.85, focsed1 = 0.02, ChlorophylConc2 = 18.1, ChlorophylConc3 = 18.1, "
         "PhytoBiomass2 = 2.85, PhytoBiomass3 = 2.85, dissolvedo22 = 7.0, dissolvedo23 = 7.0, "
         "ZooBiomass2 = 1.17, ZooBiomass3 = 1.17, Silt4 = 10.0, POC4 = 1.0, DOC4 = 2.5, FOCSed2 = 0.02, "
         "FOCSed3 = 0.02, FOCSed4 = 0.02, EnvMarineLength = 40000.0, EnvMarineWidth = 10000.0, "
         "EnvMarineDepth = 10.0, EnvMarineCurrent = 0.05, ThickLayer1 = 0.1, ThickLayer2 = 0.1, "
         "ThickLayer3 = 0.1, ThickLayer4 = 0.1;"
         "INSERT INTO Environment SELECT * FROM t;");
  for (double length : {25.0, 45.0, 49.5})  // 49.5 km leaves the head just over its 0.1 m floor
    for (int32_t compound : {1, 2}) {
      const std::string what = std::to_string(length) + " km, compound " + std::to_string(compound);
      db.Raw("UPDATE Environment SET EstLength = " + std::to_string(length) + " WHERE ID = 6;");
      ResetModuleState();
      ASSERT_TRUE(WriteInputs(6, compound, 1)) << what;
      const Steps s = RunEngine();
      ASSERT_EQ(s.code1, 0) << what << "\n" << s.err;
      EXPECT_EQ(s.code2, 0) << what << "\n" << s.err;
      const engine::ModelResult r = Recompute();
      EXPECT_LE(r.domain.RelativeImbalance(), engine::kClosureFail) << what;
      EXPECT_LE(r.retentionImbalance, engine::kClosureFail) << what;
      EXPECT_GT(r.filteringCapacity, 0) << what;
      EXPECT_LT(r.filteringCapacity, 100) << what;
    }
}

}  // namespace
