// The delivered scenario database: it is built, it holds what every calculation needs, and its
// generic estuaries and compounds are physically sound.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <map>
#include <string>

#include "platform/ui/MsgBox.h"
#include "records/AdvancedDetail.h"
#include "records/Compounds.h"
#include "records/Corvix.h"
#include "records/Emission.h"
#include "records/Environment.h"
#include "records/Run.h"
#include "services/DAOSupport.h"
#include "tests/support/TestDir.h"

namespace {

namespace fs = std::filesystem;

// A copy of the built database in the working folder, open as the program's database.
class Delivered : public testing::Test {
 protected:
  void SetUp() override {
    const fs::path built = testsupport::BinaryDir() / "bin" / "tulmo-final.db";
    ASSERT_TRUE(fs::exists(built)) << "the build did not write " << built;
    fs::copy_file(built, "tulmo-final.db");
    gDatabase = dao::Database::OpenDatabase("tulmo-final.db");
  }
  void TearDown() override { gDatabase.reset(); }
  ui::MsgBoxRecorder boxes_;
};

// Rows of a table as whole records, keyed by id, each field by column name.
using Row = std::map<std::string, vb::Variant>;
template <class T>
std::map<int32_t, Row> Rows() {
  std::map<int32_t, Row> rows;
  auto rs = T().GetAll();
  if (!blnDataReturned(rs)) return rows;
  for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext()) {
    Row row;
    for (int i = 0; i < rs->FieldCount(); ++i) row[rs->FieldName(i)] = rs->Fields(i);
    rows[vb::CLng(rs->Fields(0))] = row;
  }
  return rows;
}

double D(const Row& r, const char* column) { return vb::CDbl(r.at(column)); }

template <class T>
void ExpectLayout(const char* table, int count) {
  auto rs = gDatabase->OpenRecordset(std::string("SELECT * FROM ") + table);
  ASSERT_EQ(rs->FieldCount(), count) << table;
  const auto columns = T::Columns();
  for (std::size_t i = 0; i < columns.size(); ++i) EXPECT_EQ(rs->FieldName(static_cast<int>(i) + 1), columns[i].name) << table;
}

TEST_F(Delivered, TablesHaveTheirColumnsInOrder) {
  ExpectLayout<Compounds>("Compounds", 31);
  ExpectLayout<Corvix>("Corvix", 13);
  ExpectLayout<Emission>("Emission", 18);
  ExpectLayout<AdvancedDetail>("AdvancedDetail", 33);
  ExpectLayout<Environment>("Environment", 59);
  ExpectLayout<::Run>("Run", 31);
}

TEST_F(Delivered, HoldsWhatEveryCalculationUses) {
  std::string version;
  EXPECT_TRUE(Corvix().GetByKey(1, {.rstrCorvixversion = version}));
  EXPECT_FALSE(version.empty());

  double zoo = 0, sec = 0, round = 0, tellina = 0, dab = 0;
  ASSERT_TRUE(AdvancedDetail().GetByKey(1, {.rdblWeight_org2dab = dab, .rdblWeight_org1tel = tellina,
                                            .rdblWeight_roundfish = round, .rdblWeight_secprod = sec,
                                            .rdblWeight_zoopl = zoo}));
  for (double w : {zoo, sec, round, tellina, dab}) EXPECT_GT(w, 0);

  int yearly = 0, seasonal = 0;
  for (const auto& [id, r] : Rows<Environment>()) {
    const std::string type = vb::CStr(r.at("Type"));
    yearly += type == "defaultavg";
    seasonal += type == "default";
  }
  EXPECT_GE(yearly, 1);
  EXPECT_GE(seasonal, 4);  // one per season

  bool point = false, river = false, atmos = false;
  for (const auto& [id, r] : Rows<Emission>()) {
    for (const auto& [column, value] : r) EXPECT_FALSE(value.IsNull()) << "emission " << id << " " << column;
    point |= D(r, "Load1") > 0 || D(r, "Load2") > 0 || D(r, "Load3") > 0 || D(r, "Load4") > 0;
    river |= D(r, "EmRiverConc") > 0;
    atmos |= D(r, "LoadAtmos") > 0;
  }
  EXPECT_TRUE(point && river && atmos);
  EXPECT_TRUE(Rows<::Run>().empty());
  EXPECT_TRUE(boxes_.boxes().empty());
}

// The grid parameters' derivation of convergence length, dispersion at the mouth and salt
// intrusion length (lengths in km, as the table holds them).
struct Hydro {
  double a, dispersion, saltIntrusion;
};
Hydro Derive(const Row& r) {
  const double T = D(r, "TidalPeriod") / 24 * 86400, Q = D(r, "FlowRiverAvg"), h = D(r, "estdepth");
  const double B0 = D(r, "WidthMouth"), Bx = D(r, "WidthAtX"), H = D(r, "TideAvg");
  const double x = D(r, "XfromMouth") * 1000, L = D(r, "EstLength") * 1000;
  const double a = -x / std::log(Bx / B0), A0 = B0 * h;
  const double A = (-B0 * a) * std::exp(-L / a) + B0 * a;
  const double E = (H * A / (0.5 * T)) / A0 * T / 2;
  const double Dc = (220 * h / a) * std::sqrt(E * T * 9.8 * h / (Q * A0)) * Q;
  const double K = 4.38 * std::pow(h, 0.36) / (std::pow(a, 0.14) * std::pow(B0, 0.21));
  const double beta = K * a * Q / (A0 * Dc);
  return {a / 1000, Dc, a * std::log(1 + 1 / beta) / 1000};
}

TEST_F(Delivered, GenericEstuariesArePhysicallySound) {
  std::map<std::string, double> seasonalFlow;
  double yearlyFlow = 0;
  for (const auto& [id, r] : Rows<Environment>()) {
    const std::string type = vb::CStr(r.at("Type"));
    if (type != "default" && type != "defaultavg") continue;
    const std::string name = vb::CStr(r.at("Description"));
    SCOPED_TRACE(name);
    for (const auto& [column, value] : r) EXPECT_FALSE(value.IsNull()) << column;

    // Geometry, tide and river.
    EXPECT_LT(D(r, "WidthAtX"), D(r, "WidthMouth"));
    EXPECT_LT(D(r, "XfromMouth"), D(r, "EstLength"));
    const Hydro hydro = Derive(r);
    EXPECT_GT(hydro.a, 10);
    EXPECT_LT(hydro.a, 100);
    EXPECT_GE(D(r, "estdepth"), 5);
    EXPECT_LE(D(r, "estdepth"), 15);
    EXPECT_NEAR(D(r, "TidalPeriod"), 12.42, 1e-5);
    EXPECT_GE(D(r, "TideAvg"), 2);
    EXPECT_LE(D(r, "TideAvg"), 5);
    EXPECT_GT(D(r, "FlowRiverAvg"), 0);
    EXPECT_EQ(vb::CLng(r.at("DispersionOption")), 0);
    // The whole salt intrusion lies inside the estuary, so its head is fresh.
    EXPECT_LT(hydro.saltIntrusion, 0.9 * D(r, "EstLength"));
    // The stored derived values are what the editor computes from the row.
    EXPECT_NEAR(D(r, "ConvergenceLength"), hydro.a, 0.05 + 1e-6);
    EXPECT_NEAR(D(r, "SaltIntrusionLengthAvg"), hydro.saltIntrusion, 0.05 + 1e-5);
    EXPECT_NEAR(D(r, "DispersionAvg"), hydro.dispersion, 0.05 + 1e-6);
    // Salinity falls upstream through the two stations.
    EXPECT_GT(D(r, "SalinitySea"), D(r, "DispersionSalinity1"));
    EXPECT_GT(D(r, "DispersionSalinity1"), D(r, "DispersionSalinity2"));
    EXPECT_GT(D(r, "DispersionSalinity2"), 1);
    EXPECT_LT(D(r, "DispersionX1"), D(r, "DispersionX2"));

    // Water quality per zone.
    EXPECT_GT(D(r, "Silt2"), D(r, "Silt1"));
    EXPECT_GT(D(r, "Silt2"), D(r, "Silt3"));
    EXPECT_LT(D(r, "Silt4"), D(r, "Silt3"));
    const char* ss[] = {"Silt1", "Silt2", "Silt3", "Silt4"};
    const char* poc[] = {"Poc1", "Poc2", "Poc3", "POC4"};
    for (int z = 0; z < 4; ++z) {
      const double fraction = D(r, poc[z]) / D(r, ss[z]);
      EXPECT_GT(fraction, 0.01) << poc[z];
      EXPECT_LT(fraction, 0.1) << poc[z];
    }
    EXPECT_GT(D(r, "Doc1"), D(r, "Doc2"));
    EXPECT_GT(D(r, "Doc2"), D(r, "Doc3"));
    EXPECT_GE(D(r, "Doc3"), D(r, "DOC4"));
    const char* positive[] = {"dissolvedo21", "dissolvedo22", "dissolvedo23", "ChlorophylConc1", "ChlorophylConc2",
                              "ChlorophylConc3", "PhytoBiomass1", "PhytoBiomass2", "PhytoBiomass3", "ZooBiomass1",
                              "ZooBiomass2", "ZooBiomass3", "TempAvg", "SedimentationVelocityAvg"};
    for (const char* c : positive) EXPECT_GT(D(r, c), 0) << c;

    // Sediment and marine box.
    const char* foc[] = {"focsed1", "FOCSed2", "FOCSed3", "FOCSed4"};
    for (int z = 0; z < 4; ++z) {
      EXPECT_GT(D(r, foc[z]), 0.005) << foc[z];
      EXPECT_LT(D(r, foc[z]), 0.1) << foc[z];
      const double thick = D(r, ("ThickLayer" + std::to_string(z + 1)).c_str());
      EXPECT_GE(thick, 0.02);
      EXPECT_LE(thick, 0.5);
    }
    EXPECT_LT(D(r, "FOCSed4"), D(r, "focsed1"));
    EXPECT_GE(D(r, "EnvMarineLength"), 10000);
    EXPECT_GE(D(r, "EnvMarineWidth"), 10000);
    EXPECT_GE(D(r, "EnvMarineDepth"), 10);
    EXPECT_LE(D(r, "EnvMarineDepth"), 30);
    EXPECT_GT(D(r, "EnvMarineCurrent"), 0.02);
    EXPECT_LT(D(r, "EnvMarineCurrent"), 0.5);

    if (type == "defaultavg") yearlyFlow = D(r, "FlowRiverAvg");
    for (const char* season : {"winter", "spring", "summer", "autumn"})
      if (type == "default" && name.find(season) != std::string::npos) seasonalFlow[season] = D(r, "FlowRiverAvg");
  }
  // High water in winter, low in late summer; the yearly row holds the mean.
  ASSERT_EQ(seasonalFlow.size(), 4u);
  EXPECT_GT(seasonalFlow["winter"], seasonalFlow["spring"]);
  EXPECT_GT(seasonalFlow["spring"], seasonalFlow["autumn"]);
  EXPECT_GT(seasonalFlow["autumn"], seasonalFlow["summer"]);
  double mean = 0;
  for (const auto& [season, q] : seasonalFlow) mean += q / 4;
  EXPECT_NEAR(yearlyFlow, mean, 1e-6);
  EXPECT_TRUE(boxes_.boxes().empty());
}

TEST_F(Delivered, CompoundsAreRealSubstancesInTheEditorsUnits) {
  int metals = 0, organics = 0;
  for (const auto& [id, r] : Rows<Compounds>()) {
    const std::string name = vb::CStr(r.at("CmpDescr"));
    SCOPED_TRACE(name);
    const int type = vb::CLng(r.at("CmpIsType"));
    ASSERT_TRUE(type == 1 || type == 2);
    EXPECT_FALSE(vb::CStr(r.at("CASnr")).empty());
    EXPECT_GT(D(r, "CmpMolmass"), 0);
    for (const auto& [column, value] : r) {
      if (column != "CmpKow") {
        EXPECT_FALSE(value.IsNull()) << column;
      }
    }
    for (const char* c : {"BioTransZoo", "BioTransSecProd", "BioTransRound", "BioTransOrg1Tel", "BioTransOrg2Dab",
                          "BetaPrey", "BetaDet"}) {
      EXPECT_GE(D(r, c), 0) << c;
      EXPECT_LE(D(r, c), 1) << c;
    }
    if (type == 1) {
      ++metals;
      // As the editor stores a metal: Kd set, log Kow Null, the organic properties 0.
      EXPECT_GT(D(r, "CmpKd"), 0);
      EXPECT_LE(D(r, "CmpKd"), 10000);
      EXPECT_TRUE(r.at("CmpKow").IsNull());
      for (const char* c : {"CmpKoc", "cmphe", "CmpDegrBiowater", "CmpDegrBioSed"}) EXPECT_EQ(D(r, c), 0) << c;
    } else {
      ++organics;
      const double logKow = D(r, "CmpKow");
      EXPECT_GT(logKow, 0);
      EXPECT_LE(logKow, 20);
      EXPECT_EQ(D(r, "CmpKd"), 0);
      EXPECT_GT(D(r, "CmpKoc"), 0);
      EXPECT_GT(D(r, "CmpSol"), 0);
      // The Henry coefficient agrees with the editor's estimate from the stored values.
      EXPECT_NEAR(D(r, "cmphe"), D(r, "CmpMolmass") * D(r, "CmpVappress") / D(r, "CmpSol"), 1e-3 * D(r, "cmphe"));
      // The food-chain fields are what the estimate gives for the stored log Kow.
      const bool high = logKow > 6.25;
      EXPECT_NEAR(D(r, "AlphaWater"), high ? std::pow(10, 2.9 - 0.5 * logKow) : 0.6, 1e-4);
      EXPECT_EQ(D(r, "BetaPrey"), high ? 0.65 : 0.5);
      EXPECT_EQ(D(r, "BetaDet"), 0.35);
      for (const char* c : {"CmpDegrBiowater", "CmpDegrHydwater", "CmpDegrPhowater", "CmpDegrBioSed"}) {
        EXPECT_GE(D(r, c), 0) << c;
        EXPECT_LT(D(r, c), 1) << c;
      }
    }
  }
  EXPECT_GE(metals, 2);
  EXPECT_GE(organics, 3);
  EXPECT_TRUE(boxes_.boxes().empty());
}

}  // namespace
