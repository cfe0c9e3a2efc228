// The whole chain as a user meets it: the delivered scenario database, a calculation started from
// the calculation window with the real engine, then the result window on the new run with its
// labels, charts, layer, export and report. Skipped when the engine or the database was not built.
#include <gtest/gtest.h>
#include <shapefil.h>

#include <QMetaObject>
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "app/AppWindows.h"
#include "editors/frmEnvironment.h"
#include "lists/RecordLists.h"
#include "modelrun/frmCalc.h"
#include "modelrun/modTulmo.h"
#include "platform/dao/Dao.h"
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"
#include "platform/ui/Forms.h"
#include "platform/ui/MsgBox.h"
#include "results/frmResult.h"
#include "runtime/Format.h"
#include "runtime/Variant.h"
#include "shell/ChildForms.h"
#include "services/DAOSupport.h"
#include "shell/Globals.h"
#include "tests/support/TestDir.h"

using namespace modTulmo;
namespace fs = std::filesystem;

namespace {

using testsupport::Lines;

double Number(const std::string& text) {
  double v = 0;
  EXPECT_TRUE(vb::ParseNumber(text, v)) << "not a number: '" << text << "'";
  return v;
}

class RunChain : public testing::Test {
 protected:
  void SetUp() override {
    const fs::path bin = testsupport::BinaryDir() / "bin";
    if (!fs::exists(bin / "corvix1") || !fs::exists(bin / "tulmo") || !fs::exists(bin / "tulmo-final.db"))
      GTEST_SKIP() << "engine or delivered database not built";
    fs::copy_file(bin / "tulmo-final.db", testsupport::WorkDir() / "tulmo-final.db");
    DAOSupport::gDatabase = dao::Database::OpenDatabase("tulmo-final.db");
    AppWindows::RegisterWindows();
    ResetModuleState();
    gblnCompoundsChanged = gblnEmissionsChanged = gblnEstuariesChanged = true;
    ui::SetUrlOpener([this](const QUrl& url) {
      opened.push_back(url.toLocalFile().toStdString());
      return true;
    });
  }
  void TearDown() override {
    ui::UnloadAllForms();
    ui::SetUrlOpener({});
    gstrLevel.clear();
    DAOSupport::gDatabase.reset();
  }
  std::vector<std::string> Prompts() const {
    std::vector<std::string> out;
    for (const auto& b : boxes.boxes()) out.push_back(b.prompt);
    return out;
  }
  // Runs a calculation of the picked rows (1-based) of the three lists at level EASY.
  int32_t Calculate(int compoundRow, int emissionRow) {
    gstrLevel = "EASY";
    auto& calc = static_cast<frmCalc&>(ChildForms::Global("frmCalc"));
    calc.lvCompounds->SetSelectedItem(calc.lvCompounds->Item(compoundRow));
    calc.lvCompounds_Click();
    calc.lvEmissions->SetSelectedItem(calc.lvEmissions->Item(emissionRow));
    calc.lvEmissions_Click();
    boxes.Clear();
    calc.cmdRun_Click();
    EXPECT_EQ(Prompts(), (std::vector<std::string>{"Checking input data. All ok: True", "Calculating hydrodynamics"}));
    return CurrentRun.RunID;
  }

  ui::MsgBoxRecorder boxes;
  std::vector<std::string> opened;
};

TEST_F(RunChain, CalculationThenResultWindowShowPlausibleNumbersAndWriteConsistentFiles) {
  // PCB-153 (log Kow 6.92, so the food chain applies) from an outfall halfway up the estuary.
  const int32_t id = Calculate(2, 1);
  ASSERT_GT(id, 0);
  EXPECT_EQ(CurrentCompound.Cmpdescr, "PCB-153");
  EXPECT_TRUE(fs::exists(std::to_string(id) + ".map"));
  EXPECT_FALSE(fs::exists("tulmo.map"));
  EXPECT_TRUE(fs::exists(std::to_string(id) + "-stat.txt"));

  auto* w = static_cast<frmResult*>(ChildForms::GlobalIfLoaded("frmResult"));
  ASSERT_NE(w, nullptr);
  ASSERT_NE(w->lvRun->SelectedItem(), nullptr);
  EXPECT_EQ(w->lvRun->SelectedItem()->Key(), "KY_" + std::to_string(id));
  EXPECT_EQ(w->Caption().rfind("PCB-153 ", 0), 0u) << w->Caption();
  EXPECT_EQ(w->lblMessage->text(), "");
  EXPECT_TRUE(w->cmdBiota->isEnabled());

  // Salinity: near sea water at the mouth, fresh at the head.
  const double sal95 = Number(w->LabelCaption("lbl95Sal"));
  const double salAve = Number(w->LabelCaption("lblAveSal"));
  const double sal5 = Number(w->LabelCaption("lblMinSal"));
  EXPECT_GT(sal95, 15);
  EXPECT_LT(sal95, 36);
  EXPECT_LT(sal5, 5);
  EXPECT_GE(sal5, 0);
  EXPECT_LE(sal5, salAve);
  EXPECT_LE(salAve, sal95);
  const double salMarine = Number(w->LabelCaption("lblSalMarine"));
  EXPECT_GT(salMarine, 20);
  EXPECT_LT(salMarine, 36);
  // Every quantity: ordered, non-negative, and the compound reaches all compartments.
  const auto& labels = frmResult::StatisticLabels();
  for (size_t q = 1; q < 10; ++q) {
    const double p95 = Number(w->LabelCaption(labels[q * 3])), ave = Number(w->LabelCaption(labels[q * 3 + 1])),
                 p5 = Number(w->LabelCaption(labels[q * 3 + 2]));
    SCOPED_TRACE(labels[q * 3]);
    EXPECT_GT(p95, 0);
    EXPECT_GE(p5, 0);
    EXPECT_LE(p5, p95);
    EXPECT_LE(p5, ave);
    EXPECT_LE(ave, p95 * 1.01);  // the labels are rounded to three digits
  }
  // 50 kg/y into a river flow of tens of m3/s gives concentrations far below a mg/l.
  EXPECT_LT(Number(w->LabelCaption("lbl95Conc")), 1.0);
  EXPECT_LE(Number(w->LabelCaption("lblAveConcDis")), Number(w->LabelCaption("lblAveConc")) * 1.01);
  const double filter = Number(w->LabelCaption("lblEstFilter"));
  EXPECT_GE(filter, 0);
  EXPECT_LE(filter, 100);

  // Charts: salinity falls from the sea to the river; the total concentration peaks around the
  // outfall halfway up; the last row is labelled with the estuary's length.
  chart::MSChart* salinity = w->MSChart[0];
  ASSERT_EQ(salinity->RowCount(), 50);
  EXPECT_GT(salinity->ValueAt(1, 2), salinity->ValueAt(50, 2) + 10);
  EXPECT_EQ(salinity->RowLabelAt(50), vb::Format(CurrentEstuary.EstLength, "0.0"));
  chart::MSChart* total = w->MSChart[1];
  int peak = 1;
  for (int r = 1; r <= 50; ++r)
    if (total->ValueAt(r, 2) > total->ValueAt(peak, 2)) peak = r;
  EXPECT_GE(peak, 15);
  EXPECT_LE(peak, 35);
  for (int k = 0; k < 10; ++k)
    for (int r = 1; r <= 50; ++r)
      for (int c = 1; c <= 3; ++c) ASSERT_TRUE(std::isfinite(w->MSChart[static_cast<size_t>(k)]->ValueAt(r, c)));

  // The layer holds the grid that the charts show.
  DBFHandle dbf = DBFOpen("map.dbf", "rb");
  ASSERT_NE(dbf, nullptr);
  EXPECT_EQ(DBFGetRecordCount(dbf), 500);
  EXPECT_NEAR(DBFReadDoubleAttribute(dbf, 9, 0), salinity->ValueAt(1, 1), 1e-3);
  EXPECT_NEAR(DBFReadDoubleAttribute(dbf, 499, 0), salinity->ValueAt(50, 1), 1e-3);
  DBFClose(dbf);
  EXPECT_EQ(w->Map1->Layers().Count(), 1);

  // Export: the data file holds every quantity with the cell areas, in CRLF lines only.
  w->cmdExport_Click();
  ASSERT_EQ(boxes.boxes().size(), 3u) << testing::PrintToString(Prompts());
  const std::string sid = std::to_string(id);
  EXPECT_EQ(boxes.boxes().back().prompt, "Data exported to GIS files " + sid + ".dbf , " + sid + ".shp and " + sid +
                                             ".shx\rAscii data available in \";\"-seperated file " + sid + "-data.txt" +
                                             "\rFolder: " + std::filesystem::current_path().string());
  const std::string data = testsupport::ReadFile(sid + "-data.txt");
  const std::vector<std::string> dataLines = Lines(data);
  EXPECT_EQ(dataLines.size(), 5u + 10 + 550);
  EXPECT_EQ(std::count(data.begin(), data.end(), '\n'), std::count(data.begin(), data.end(), '\r'));
  for (const char* ext : {".shp", ".shx", ".dbf"})
    EXPECT_EQ(testsupport::ReadFile(sid + ext), testsupport::ReadFile(std::string("map") + ext)) << ext;

  // Report: opened in the viewer; its statistics are the window's, its transects the export's.
  w->cmdPrint_Click();
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(fs::path(opened[0]).filename(), sid + "-report.txt");
  const std::vector<std::string> report = Lines(testsupport::ReadFile(sid + "-report.txt"));
  auto line = [&](const std::string& prefix) {
    auto it = std::find_if(report.begin(), report.end(), [&](const std::string& l) { return l.rfind(prefix, 0) == 0; });
    return it == report.end() ? std::string() : *it;
  };
  EXPECT_EQ(line("Salinity (95-percentile) ").substr(49), " : " + w->LabelCaption("lbl95Sal") + " (psu)");
  EXPECT_EQ(line("log(Kow) ").substr(49), " : 6.92");
  EXPECT_EQ(line("      in bentic fish (average)").substr(49), " : " + w->LabelCaption("lblAveDab") + " (ng/g dw)");
  // The first salinity transect: the north-bank value is the tenth of the export's first line.
  auto title = std::find(report.begin(), report.end(), "Salinity");
  ASSERT_NE(title, report.end());
  const std::string firstRow = *(title + 1);
  const std::string north = dataLines[6].substr(dataLines[6].rfind(';') + 1);
  EXPECT_EQ(firstRow.substr(firstRow.size() - north.size()), north) << firstRow;
  EXPECT_TRUE(boxes.boxes().size() == 3u) << testing::PrintToString(Prompts());
}

TEST_F(RunChain, ASecondCalculationShowsUpSelectedInTheOpenResultWindow) {
  const int32_t first = Calculate(1, 1);
  ASSERT_GT(first, 0);
  auto* w = static_cast<frmResult*>(ChildForms::GlobalIfLoaded("frmResult"));
  ASSERT_NE(w, nullptr);
  const std::string firstTotal = w->LabelCaption("lbl95Conc");
  // Lindane's log Kow of 3.72 leaves the food chain out.
  EXPECT_EQ(w->lblMessage->text(), "Bioaccumulation model not valid when log(Kow) value is below 4.5");

  const int32_t second = Calculate(1, 2);  // the river-borne load
  ASSERT_GT(second, first);
  ui::NotifyActivated(w);
  ASSERT_EQ(w->lvRun->Count(), 2);
  EXPECT_EQ(w->lvRun->SelectedItem()->Key(), "KY_" + std::to_string(second));
  EXPECT_EQ(CurrentRun.RunID, second);
  EXPECT_NE(w->LabelCaption("lbl95Conc"), firstTotal);
  // The river-borne load is highest at the river end.
  chart::MSChart* total = w->MSChart[1];
  EXPECT_GT(total->ValueAt(50, 2), total->ValueAt(1, 2));
}

TEST_F(RunChain, ACalculationAfterARunWasDeletedElsewhereShowsTheNewRun) {
  const int32_t first = Calculate(1, 1);
  ASSERT_GT(first, 0);
  auto* w = static_cast<frmResult*>(ChildForms::GlobalIfLoaded("frmResult"));
  ASSERT_NE(w, nullptr);
  // A second run, shown; then the first is deleted from the run list: as many runs as listed.
  DAOSupport::gDatabase->Execute("INSERT INTO Run (RunDescription, CorvixID, EnvirID, CompoundID, EmisID) "
                                 "SELECT 'a copy', CorvixID, EnvirID, CompoundID, EmisID FROM Run WHERE RunID = " +
                                 std::to_string(first));
  const int32_t copy = static_cast<int32_t>(DAOSupport::gDatabase->LastInsertId());
  fs::copy_file(std::to_string(first) + ".map", std::to_string(copy) + ".map");
  ui::NotifyActivated(w);
  ASSERT_EQ(w->ShownRunID(), copy);
  DAOSupport::gDatabase->Execute("DELETE FROM Run WHERE RunID = " + std::to_string(first));

  const int32_t added = Calculate(2, 1);
  ASSERT_GT(added, copy);
  ui::NotifyActivated(w);
  ASSERT_EQ(w->lvRun->Count(), 2);
  EXPECT_EQ(w->lvRun->Item(1)->Key(), "KY_" + std::to_string(copy));
  EXPECT_EQ(w->lvRun->SelectedItem()->Key(), "KY_" + std::to_string(added));
  EXPECT_EQ(w->ShownRunID(), added);
  EXPECT_EQ(w->Caption().rfind("PCB-153 ", 0), 0u) << w->Caption();
}

// A low-flow estuary as a new user makes it: Estuary List > New with river flow 0 (the save check
// raises it to the least flow, 0.01 m3/s) and a length of 45 km, then a calculation of lindane
// from the point load, through the calculation window and the real engine. The engine's budgets
// meet a head flow of 0.01 m3/s beside marine conductances of 1E4 m3/s, and must not take their
// own round-off for a failed solve.
TEST_F(RunChain, ANewEstuaryWithNoRiverFlowRunsLindaneFromThePointLoad) {
  auto* list = static_cast<lists::RecordList*>(ChildForms::New("frmEnvironmentList"));
  list->SetMode(modMaintain);
  list->Show();
  QMetaObject::invokeMethod(list, "AddRecord");
  auto* editor = qobject_cast<frmEnvironment*>(ui::FindForm("frmEnvironment"));
  ASSERT_NE(editor, nullptr);
  editor->txtDescription->setText("Low flow");
  editor->txtFlowriveravg->setText("0");
  editor->txtEstLength->setText("45");
  editor->cmdOK_Click();
  EXPECT_EQ(Prompts(), std::vector<std::string>{"River flow must have a minimum value of 0.01 m/s, value changed to 0.01 m/s"});
  auto rs = DAOSupport::gDatabase->OpenRecordset(
      "SELECT ID, FlowRiverAvg, EstLength FROM Environment WHERE Description = 'Low flow'");
  ASSERT_FALSE(rs->Eof());
  const int32_t estuary = vb::CLng(rs->Fields("ID"));
  EXPECT_NEAR(vb::CDbl(rs->Fields("FlowRiverAvg")), 0.01, 1e-9);
  EXPECT_EQ(vb::CDbl(rs->Fields("EstLength")), 45.0);
  ui::UnloadAllForms();

  // The user's estuaries are those of the advanced level.
  gstrLevel = "ADVANCED";
  gblnEstuariesChanged = true;
  auto& calc = static_cast<frmCalc&>(ChildForms::Global("frmCalc"));
  calc.lvEstuary->SetSelectedItem(calc.lvEstuary->Find("KY_" + std::to_string(estuary)));
  calc.lvEstuary_Click();
  calc.lvCompounds->SetSelectedItem(calc.lvCompounds->Find("KY_1"));
  calc.lvCompounds_Click();
  calc.lvEmissions->SetSelectedItem(calc.lvEmissions->Find("KY_1"));
  calc.lvEmissions_Click();
  ASSERT_EQ(CalcSelection.EstuaryID, estuary);
  EXPECT_EQ(CurrentCompound.Cmpdescr, "Lindane (gamma-HCH)");
  boxes.Clear();
  calc.cmdRun_Click();
  EXPECT_EQ(Prompts(), (std::vector<std::string>{"Checking input data. All ok: True", "Calculating hydrodynamics"}));
  const int32_t run = CurrentRun.RunID;
  ASSERT_GT(run, 0);
  EXPECT_TRUE(fs::exists(std::to_string(run) + ".map"));

  // The engine warns at most; it never stops.
  const std::string listing = testsupport::ReadFile("pirsel.lst");
  EXPECT_EQ(listing.find("ERROR"), std::string::npos) << listing;
  EXPECT_NE(listing.find("Compound budget, area 'estuary'"), std::string::npos);

  auto* w = static_cast<frmResult*>(ChildForms::GlobalIfLoaded("frmResult"));
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->lvRun->SelectedItem()->Key(), "KY_" + std::to_string(run));
  // With hardly any river the estuary is sea water up to its head, and the 50 kg/y outfall
  // shows in the water.
  EXPECT_GT(Number(w->LabelCaption("lblMinSal")), 20);
  EXPECT_GT(Number(w->LabelCaption("lbl95Conc")), 0);
  const double filter = Number(w->LabelCaption("lblEstFilter"));
  EXPECT_GE(filter, 0);
  EXPECT_LE(filter, 100);
}

}  // namespace
