// The code-list combo: its design-time entry, loading the rows of a record class, ids, texts,
// defaults and blank entries, and the errors it reports.
#include <gtest/gtest.h>

#include <string>

#include "lists/uscEntityCode.h"
#include "platform/ui/MsgBox.h"
#include "runtime/VbError.h"
#include "services/DAOSupport.h"
#include "tests/records/ScenarioDb.h"

namespace {

class ComboTest : public testing::Test {
 protected:
  void SetUp() override {
    vb::Err().Clear();
    gDAOConnect = std::make_unique<DAOConnect>();
  }
  void TearDown() override { gDAOConnect.reset(); }

  // A control as a window reading its saved design.
  std::unique_ptr<uscEntityCode> Read(int classCode, int def = 0, bool blank = false) {
    auto c = std::make_unique<uscEntityCode>("uscPick");
    c->UserControl_ReadProperties({{"ClassName", vb::Variant(classCode)},
                                   {"Default", vb::Variant(def)},
                                   {"IncludeBlank", vb::Variant(blank)}});
    return c;
  }
  std::string LastPrompt() const { return boxes.boxes().empty() ? "" : boxes.boxes().back().prompt; }

  testdb::OpenScenario db{false};
  ui::MsgBoxRecorder boxes;
};

TEST_F(ComboTest, DesignTimeEntryNamesTheClassAndDefault) {
  gDAOConnect.reset();
  uscEntityCode c("uscPick");
  c.UserControl_InitProperties();
  EXPECT_EQ(c.Text(), "Compounds (Default: None)");
  ASSERT_EQ(boxes.boxes().size(), 1u);
  EXPECT_EQ(boxes.boxes()[0].style, ui::vbInformation);
  EXPECT_EQ(boxes.boxes()[0].prompt.rfind("Change the 'Class Name' property", 0), 0u);
  EXPECT_FALSE(c.Enabled());

  uscEntityCode::PropertyBag bag;
  c.SetClassName(uscEntityCode::ecRun);
  c.SetDefault(uscEntityCode::ecRun);
  c.SetIncludeBlank(true);
  c.UserControl_WriteProperties(bag);
  uscEntityCode again("uscPick");
  again.UserControl_ReadProperties(bag);  // no database: the design entry only
  EXPECT_EQ(again.Text(), "Run (Default: 1)");
  EXPECT_TRUE(again.IncludeBlank());
}

TEST_F(ComboTest, RowsBecomeEntriesWithTheirIds) {
  db.Raw("INSERT INTO Corvix (CorvixID, CorvixVersion) VALUES (7, 'abc');"
         "INSERT INTO Corvix (CorvixID, CorvixVersion, NumericalScheme) VALUES (9, 'x', 'y');");
  auto c = Read(uscEntityCode::ecCorvix, 0, true);
  ASSERT_EQ(c->cmbCodes->count(), 3);
  EXPECT_EQ(c->cmbCodes->itemText(0).toStdString(), "");
  std::string nulls;
  for (int i = 0; i < 10; ++i) nulls += ";  ";
  EXPECT_EQ(c->cmbCodes->itemText(1).toStdString(), "; 7; abc;  " + nulls);
  c->SetId("9");
  EXPECT_EQ(c->Id(), "9");
  c->SetText("");
  EXPECT_EQ(c->Id(), "-1");
  c->cmbCodes->setCurrentIndex(0);
  EXPECT_EQ(c->Id(), "-1");
  c->SetText(c->cmbCodes->itemText(1).toStdString());
  EXPECT_EQ(c->Id(), "7");
  EXPECT_TRUE(boxes.boxes().empty()) << LastPrompt();
}

TEST_F(ComboTest, UnknownIdsAndTextsAreReportedAndKeepTheSelection) {
  db.Raw("INSERT INTO Emission (EmissionID, Description) VALUES (1, 'one');"
         "INSERT INTO Emission (EmissionID, Description) VALUES (2, 'two');");
  auto c = Read(uscEntityCode::ecEmission, uscEntityCode::ecEmission);
  EXPECT_EQ(c->Id(), "1");  // the default
  for (const char* quiet : {"0", "-1"}) {
    c->SetId(quiet);
    EXPECT_EQ(c->Id(), "1");
  }
  EXPECT_TRUE(boxes.boxes().empty());
  c->SetId("5");
  EXPECT_NE(LastPrompt().find("Invalid property value for id. The Id property that was set ('5') is not a valid id "
                              "for this class ('Emission'). Please make sure the default value supplied is correct."),
            std::string::npos);
  EXPECT_NE(LastPrompt().find("'uscEntityCode' at procedure 'Let_Id'"), std::string::npos);
  c->SetText("three");
  EXPECT_EQ(boxes.boxes().back().title, "uscEntityCode");
  EXPECT_EQ(LastPrompt(),
            "Programming / database data error. The code description 'three' is not a valid 'Emission' code. You are "
            "trying to set 'three' as the selected option, but this option is not valid for the combo box in class "
            "'uscPick'.");
  EXPECT_EQ(c->Id(), "1");
}

TEST_F(ComboTest, EmptyTablesAndUnknownClassesAreReported) {
  boxes.Clear();
  auto c = Read(uscEntityCode::ecRun, uscEntityCode::ecRun);
  EXPECT_NE(LastPrompt().find("There are no entries in the list 'Run'. Please make sure that there are entires on "
                              "the codes table."),
            std::string::npos);
  boxes.Clear();
  EXPECT_EQ(c->Id(), "");
  EXPECT_NE(LastPrompt().find("There are no entries in the list. Please make sure"), std::string::npos);

  boxes.Clear();
  auto bad = Read(99);
  ASSERT_GE(boxes.boxes().size(), 2u);
  EXPECT_NE(boxes.boxes()[0].prompt.find("You have added a new type of code for the control to handle"),
            std::string::npos);
  EXPECT_NE(boxes.boxes().back().prompt.find("Programming error. Unknown class type."), std::string::npos);
}

}  // namespace
