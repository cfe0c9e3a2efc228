// The calculation window: its pick lists per level, the empty-table path, and what activation
// reloads and how it titles the window.
#include <QMetaObject>

#include "platform/ui/Forms.h"
#include "platform/ui/Global.h"
#include "shell/MDIMain.h"
#include "tests/modelrun/calc_fixture.h"

namespace {

struct LevelCase {
  const char* level;
  int estuaries;
  const char* caption;
};

TEST_F(CalcTest, ListsEstuariesOfTheLevelsTypeOnly) {
  // One estuary of type "Default" must not count as "default".
  db.Raw("UPDATE Environment SET Type = 'Default' WHERE ID = (SELECT MAX(ID) FROM Environment WHERE Type = 'default')");
  const LevelCase cases[] = {
      {"EASY", 1, "TULMO - easy level : yearly averaged , default estuaries"},
      {"INTERMEDIATE", 3, "TULMO - intermediate level : seasonally averaged , default estuaries"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.level);
    frmCalc& w = Open(c.level);
    EXPECT_EQ(w.lvEstuary->Count(), c.estuaries);
    EXPECT_EQ(w.lvCompounds->Count(), 5);
    EXPECT_EQ(w.lvEmissions->Count(), 4);
    // The first rows are picked on loading.
    EXPECT_EQ(w.lvCompounds->Item(1)->Text(), "0001");
    EXPECT_EQ(w.lvEmissions->Item(1)->Text(), "00001");
    EXPECT_EQ(w.lvEstuary->Item(1)->Text().size(), 5u);
    EXPECT_EQ(modTulmo::CalcSelection.CompoundID, 1);
    EXPECT_EQ(modTulmo::CalcSelection.EstuaryID, std::stoi(w.lvEstuary->Item(1)->Text()));
    EXPECT_EQ(modTulmo::CurrentRun.EnvirID, modTulmo::CalcSelection.EstuaryID);
    EXPECT_EQ(modTulmo::CurrentCompound.Cmpdescr, w.lvCompounds->Item(1)->SubItem(1));
    w.Form_Activate();
    EXPECT_EQ(w.Caption(), c.caption);
    EXPECT_TRUE(w.cmdRun->isEnabled());
    EXPECT_TRUE(boxes.boxes().empty());
    w.Unload();
  }
}

TEST_F(CalcTest, AdvancedWithoutUserEstuariesOpensTheEstuaryListAndBlocksTheRun) {
  frmCalc& w = Open("ADVANCED");
  EXPECT_EQ(w.lvEstuary->Count(), 0);
  EXPECT_EQ(Prompts(), std::vector<std::string>{"You must first define a estuary"});
  EXPECT_NE(ui::FindForm("frmEnvironmentList"), nullptr);
  gblnCompoundsChanged = true;
  w.Form_Activate();
  EXPECT_FALSE(w.cmdRun->isEnabled());
  EXPECT_TRUE(gblnCompoundsChanged);  // not examined while a list is empty
}

TEST_F(CalcTest, ActivationReloadsChangedListsOnceAndLowersTheFlags) {
  frmCalc& w = Open("EASY");
  db.Raw("INSERT INTO Compounds (CmpID, CmpDescr) VALUES (7, 'Cd')");
  gblnCompoundsChanged = true;
  gblnEmissionsChanged = gblnEstuariesChanged = false;
  w.Form_Activate();
  ASSERT_EQ(w.lvCompounds->Count(), 6);
  EXPECT_EQ(w.lvCompounds->Item(6)->Text(), "0007");
  EXPECT_EQ(w.lvCompounds->Item(6)->SubItem(1), "Cd");
  EXPECT_FALSE(gblnCompoundsChanged);
  // A reload keeps the pick.
  EXPECT_EQ(modTulmo::CalcSelection.CompoundID, 1);
  db.Raw("INSERT INTO Compounds (CmpID, CmpDescr) VALUES (8, 'Cu')");
  w.Form_Activate();
  EXPECT_EQ(w.lvCompounds->Count(), 6);  // flag lowered: no reload
}

TEST_F(CalcTest, ListLimitStopsReadingWithTheMessage) {
  db.Raw("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 1000) "
         "INSERT INTO Emission (Description) SELECT 'e' || i FROM n");
  frmCalc& w = Open("EASY");
  EXPECT_EQ(w.lvEmissions->Count(), 1000);
  EXPECT_EQ(Prompts(), std::vector<std::string>{
                           "Your query returned more then '1000'. Please change your search criteria to narrow the results."});
  EXPECT_EQ(boxes.beeps(), 1);
}

TEST_F(CalcTest, ViewDetailsOpensTheEditorInViewModeAndKeepsTheEstuary) {
  frmCalc& w = Open("INTERMEDIATE");
  const int32_t estuary = modTulmo::CalcSelection.EstuaryID;
  w.lvEmissions->SetSelectedItem(w.lvEmissions->Item(2));
  w.cmdEmissions_Click();
  QWidget* editor = ui::FindForm("frmEmission");
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(editor->property("EmissionID").toInt(), 2);
  EXPECT_EQ(editor->property("Mode").toInt(), 0);
  EXPECT_EQ(modTulmo::CalcSelection.EmissionID, 2);
  EXPECT_EQ(modTulmo::CalcSelection.EstuaryID, estuary);
  EXPECT_EQ(modTulmo::CurrentRun.EnvirID, estuary);
}

TEST_F(CalcTest, EnableMenusIsCallableByNameAndUnloadClearsTheActiveForm) {
  frmCalc& w = Open("EASY");
  EXPECT_TRUE(QMetaObject::invokeMethod(&w, "EnableMenus"));
  EXPECT_TRUE(vb::Err().Number == 0);
  EXPECT_TRUE(boxes.boxes().empty());
  MDIMain& main = ui::Global<MDIMain>();
  for (const char* on : {"mnuFileClose", "mnuEditRunList", "mnuHelpAbout"}) EXPECT_TRUE(main.Menu(on)->Enabled()) << on;
  for (const char* off : {"mnuData", "mnuDataAdd", "mnuWindow", "mnuEditCorvixList"}) EXPECT_FALSE(main.Menu(off)->Enabled()) << off;
  EXPECT_TRUE(main.tbrMain->Button("CLOSE")->Enabled());
  EXPECT_FALSE(main.tbrMain->Button("ADD")->Enabled());
  w.cmdCancel_Click();
  EXPECT_EQ(ChildForms::GlobalIfLoaded("frmCalc"), nullptr);
}

}  // namespace
