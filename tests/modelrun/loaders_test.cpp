#include <gtest/gtest.h>

#include <QString>
#include <map>
#include <string>

#include "services/StartPanel.h"
#include "modelrun/modTulmo.h"
#include "platform/ui/MsgBox.h"
#include "runtime/VbError.h"
#include "tests/records/ScenarioDb.h"
#include "tests/support/TestDir.h"

using namespace modTulmo;

namespace {

// The start panel with the three captions the loaders set, under the panel's label names.
struct Panel : services::StartPanel {
  Panel() { services::SetStartPanel(this); }
  ~Panel() override { services::SetStartPanel(nullptr); }
  void ShowCompound(const std::string& text) override { captions["Label1"] = text; }
  void ShowEmission(const std::string& text) override { captions["lblEmission"] = text; }
  void ShowEstuary(const std::string& text) override { captions["lblEnvironment"] = text; }
  QString Caption(const char* name) const { return QString::fromStdString(captions.at(name)); }
  std::map<std::string, std::string> captions{
      {"Label1", "designed"}, {"lblEmission", "designed"}, {"lblEnvironment", "designed"}};
};

class LoadersTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetModuleState(); }
  testdb::OpenScenario db{true};
  ui::MsgBoxRecorder boxes;
  Panel panel;
};

TEST_F(LoadersTest, LoadsTheDeliveredRecordsAndShowsThemOnTheStartPanel) {
  ASSERT_TRUE(GetData(1));
  EXPECT_EQ(CurrentCompound.Cmpdescr, "Lindane (gamma-HCH)");
  EXPECT_EQ(CurrentCompound.Cmpistype, 2);
  EXPECT_EQ(CurrentCompound.Cmpkow, 3.72f);
  EXPECT_EQ(CurrentCompound.Cmpmolmass, 290.83);
  EXPECT_EQ(panel.Caption("Label1"), "Lindane (gamma-HCH)");

  ASSERT_TRUE(GetEmissionData(1));
  EXPECT_EQ(CurrentEmission.Load2, 50);
  EXPECT_EQ(panel.Caption("lblEmission"), QString::fromStdString(CurrentEmission.Description));

  // The food-chain set every calculation uses.
  ASSERT_TRUE(GetAdvancedDetailData(1));
  EXPECT_EQ(CurrentAdvancedDetail.Weight_org2dab, 50);
  EXPECT_EQ(CurrentAdvancedDetail.Weight_zoopl, 10);
  EXPECT_EQ(CurrentAdvancedDetail.GrowthRateRound, 0.00079);

  ASSERT_TRUE(GetEnvironmentData(1));
  EXPECT_EQ(CurrentEstuary.Widthmouth, 6000.0f);
  EXPECT_EQ(CurrentEstuary.Tidalperiod, 12.42f);
  EXPECT_EQ(CurrentEstuary.EstLength, 160);
  EXPECT_EQ(CurrentEstuary.ThickLayer4, 0.05);
  EXPECT_EQ(CurrentEstuary.EnvMarineCurrent, 0.1);
  EXPECT_EQ(CurrentEstuary.DispersionX2, 70);
  EXPECT_EQ(panel.Caption("lblEnvironment"), QString::fromStdString(CurrentEstuary.Description));
  EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(LoadersTest, DispersionPositionsRoundHalvesToEven) {
  db.Raw("UPDATE Environment SET DispersionX1 = 12.5, DispersionX2 = 13.5 WHERE ID = 1");
  ASSERT_TRUE(GetEnvironmentData(1));
  EXPECT_EQ(CurrentEstuary.DispersionX1, 12);
  EXPECT_EQ(CurrentEstuary.DispersionX2, 14);
}

TEST_F(LoadersTest, MissingRowsKeepTheEarlierRecordsSilently) {
  ASSERT_TRUE(GetData(2));
  ASSERT_TRUE(GetEnvironmentData(1));
  const std::string compound = CurrentCompound.Cmpdescr;
  const float width = CurrentEstuary.Widthmouth;
  CurrentAdvancedDetail.Weight_zoopl = 77;
  EXPECT_FALSE(GetData(999));
  EXPECT_FALSE(GetEmissionData(999));
  EXPECT_FALSE(GetAdvancedDetailData(999));
  EXPECT_FALSE(GetEnvironmentData(999));
  EXPECT_FALSE(GetRunData(999));
  EXPECT_EQ(CurrentCompound.Cmpdescr, compound);
  EXPECT_EQ(CurrentEstuary.Widthmouth, width);
  EXPECT_EQ(CurrentAdvancedDetail.Weight_zoopl, 77);
  EXPECT_EQ(panel.Caption("Label1"), QString::fromStdString(compound));
  EXPECT_EQ(panel.Caption("lblEmission"), "designed");
  EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(LoadersTest, RunLoaderLeavesTheRunIdAlone) {
  db.Raw("INSERT INTO Run (RunID, RunDescription, CorvixID, EnvirID, CompoundID, EmisID) "
         "VALUES (4, 'Lindane at the outfall', 1, 1, 1, 2)");
  CurrentRun.RunID = 17;
  ASSERT_TRUE(GetRunData(4));
  EXPECT_EQ(CurrentRun.RunID, 17);
  EXPECT_EQ(CurrentRun.RunDescription, "Lindane at the outfall");
  EXPECT_EQ(CurrentRun.EnvirID, 1);
  EXPECT_EQ(CurrentRun.CompoundID, 1);
  EXPECT_EQ(CurrentRun.EmisID, 2);
}

TEST_F(LoadersTest, NullValuesArriveAsTheirMarkers) {
  db.Raw("UPDATE Compounds SET CmpKow = NULL, CmpMolmass = NULL, CASnr = NULL WHERE CmpID = 1");
  CurrentCompound.Cmpkow = 5;
  ASSERT_TRUE(GetData(1));
  EXPECT_EQ(CurrentCompound.Cmpkow, 0.0f);
  EXPECT_EQ(CurrentCompound.Cmpmolmass, -99999);
  EXPECT_EQ(CurrentCompound.CASnr, "");
  EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(LoadersTest, AnUnreadableRowIsReportedOnceAndChangesNothing) {
  db.Raw("UPDATE Environment SET DispersionOption = 1E12 WHERE ID = 1");  // no 32-bit integer
  CurrentEstuary.Description = "before";
  EXPECT_FALSE(GetEnvironmentData(1));
  EXPECT_EQ(CurrentEstuary.Description, "before");
  EXPECT_EQ(panel.Caption("lblEnvironment"), "designed");
  ASSERT_EQ(boxes.boxes().size(), 1u);  // by the record class, which reads the row
  // It names the record and the column, not a failing procedure.
  EXPECT_EQ(boxes.boxes()[0].prompt.rfind("The Environment record 1 holds \"1000000000000\" in its column "
                                          "DispersionOption",
                                          0),
            0u)
      << boxes.boxes()[0].prompt;
  EXPECT_EQ(vb::Err().Number, 0);
}

TEST(FileExistsTest, OnlyReadableFilesExistAndNoErrorIsLeft) {
  testsupport::WriteFile("7.map", "x");
  EXPECT_TRUE(FileExists("7.map"));
  EXPECT_FALSE(FileExists("8.map"));
  EXPECT_FALSE(FileExists("."));
  EXPECT_EQ(vb::Err().Number, 0);
}

}  // namespace
