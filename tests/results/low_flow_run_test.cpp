// A low-flow estuary as a new user makes it: Estuary List > New with river flow 0 (the save check
// raises it to the least flow, 0.01 m3/s) and a length of 45 km, then a calculation of lindane
// from the point load, through the calculation window and the real engine. The engine's budgets
// meet a head flow of 0.01 m3/s beside marine conductances of 1E4 m3/s, and must not take their
// own round-off for a failed solve.
#include <gtest/gtest.h>

#include <QMetaObject>
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
#include "platform/ui/Forms.h"
#include "platform/ui/MsgBox.h"
#include "results/frmResult.h"
#include "runtime/Variant.h"
#include "shell/ChildForms.h"
#include "shell/DAOSupport.h"
#include "shell/Globals.h"
#include "tests/support/TestDir.h"

using namespace modTulmo;
namespace fs = std::filesystem;

namespace {

class LowFlowRun : public testing::Test {
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
  }
  void TearDown() override {
    ui::UnloadAllForms();
    gstrLevel.clear();
    DAOSupport::gDatabase.reset();
  }
  std::vector<std::string> Prompts() const {
    std::vector<std::string> out;
    for (const auto& b : boxes.boxes()) out.push_back(b.prompt);
    return out;
  }
  static double Number(const std::string& text) {
    double v = NAN;
    EXPECT_TRUE(vb::ParseNumber(text, v)) << "not a number: '" << text << "'";
    return v;
  }

  ui::MsgBoxRecorder boxes;
};

TEST_F(LowFlowRun, ANewEstuaryWithNoRiverFlowRunsLindaneFromThePointLoad) {
  auto* list = static_cast<lists::RecordList*>(ChildForms::New("frmEnvironmentList"));
  list->SetMode(lists::modMaintain);
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
