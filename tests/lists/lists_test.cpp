// The six record lists on the delivered database: opening from the main window, rows and row
// limits, command states, refusals of records that a run uses, deletes, selects, modes and layout.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/standins/StandinWindows.h"
#include "app/standins/Standins.h"
#include "lists/RecordLists.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Global.h"
#include "platform/ui/MsgBox.h"
#include "platform/ui/Twips.h"
#include "runtime/VbError.h"
#include "shell/ChildForms.h"
#include "shell/Globals.h"
#include "shell/MDIMain.h"
#include "shell/MenuEnabling.h"
#include "tests/records/ScenarioDb.h"
#include "tests/support/TestDir.h"

namespace {

using lists::RecordList;

const std::string kDeleteQuestion = "Are you sure you wish to delete the selected record";

std::string LimitText(int limit) {
  return "Your query returned more then '" + std::to_string(limit) +
         "'. Please change your search criteria to narrow the results.";
}

class ListTest : public testing::Test {
 protected:
  void SetUp() override {
    Standins::RegisterStandins();
    lists::RegisterLists();
    vb::Err().Clear();
    gblnCompoundsChanged = gblnEmissionsChanged = gblnEstuariesChanged = false;
    Main().show();
  }
  void TearDown() override { ui::UnloadAllForms(); }

  MDIMain& Main() { return ui::Global<MDIMain>(); }

  // Opens the list as the Edit menu does (mode 5, the main window as parent).
  RecordList* Open(const char* name) {
    const std::string opener = std::string("mnuEdit") + (std::string(name).substr(3, std::string(name).size() - 7)) +
                               "List_Click";
    EXPECT_TRUE(QMetaObject::invokeMethod(&Main(), opener.c_str())) << opener;
    auto* list = qobject_cast<RecordList*>(ui::FindForm(name));
    EXPECT_NE(list, nullptr) << name;
    return list;
  }
  static void Select(RecordList* list, int id) {
    list->lvw->SetSelectedItem(list->lvw->Find("KY_" + std::to_string(id)));
    list->EnableMenus();
  }
  std::vector<std::string> Prompts() const {
    std::vector<std::string> out;
    for (const auto& b : boxes.boxes()) out.push_back(b.prompt);
    return out;
  }

  testdb::OpenScenario db{true};
  ui::MsgBoxRecorder boxes;
};

// A run naming the compound, emission and estuary; returns nothing, the id is 1 on a fresh table.
void AddRun(const testdb::OpenScenario& db, const std::string& compound, const std::string& emission,
            const std::string& estuary) {
  db.Raw("INSERT INTO Run (RunDescription, CorvixID, RunDate, EnvirID, CompoundID, EmisID) VALUES ('r', 1, "
         "'2026-12-10 09:00:00', " + estuary + ", " + compound + ", " + emission + ");");
}

TEST_F(ListTest, EditMenuOpensEveryListInSelectMaintainModeWithItsRows) {
  struct Case {
    const char* name;
    const char* caption;
    const char* table;
    int headers;
  } cases[] = {{"frmCompoundsList", "Compounds List", "Compounds", 4},
               {"frmEmissionList", "Emission List", "Emission", 2},
               {"frmEnvironmentList", "Estuaries List", "Environment", 3},
               {"frmCorvixList", "Corvix List", "Corvix", 13},
               {"frmAdvancedDetailList", "Advanced detail List", "AdvancedDetail", 33},
               {"frmRunList", "Run List", "Run", 3}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RecordList* list = Open(c.name);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->Mode(), lists::modSelectMaintain);
    EXPECT_EQ(list->windowTitle().toStdString(), c.caption);
    EXPECT_EQ(list->lvw->Count(), std::stoi(db.Scalar(std::string("SELECT COUNT(*) FROM ") + c.table)));
    EXPECT_EQ(list->lvw->columnCount(), c.headers);
    EXPECT_EQ(Main().frmActive(), list);
    // A second opening brings the open window to the front instead of opening another.
    Open(c.name);
    int same = 0;
    for (QWidget* f : ui::Forms())
      if (f->objectName() == c.name) ++same;
    EXPECT_EQ(same, 1);
  }
  EXPECT_TRUE(boxes.boxes().empty()) << boxes.boxes().front().prompt;
  EXPECT_TRUE(gblnCompoundsChanged && gblnEmissionsChanged && gblnEstuariesChanged);
}

TEST_F(ListTest, CommandsFollowTheSelectionInSelectMaintainMode) {
  RecordList* list = Open("frmCompoundsList");
  auto on = [](const char* menu) { return MenuEnabling::MenuEnabled(menu); };
  EXPECT_TRUE(on("mnuDataAdd") && on("mnuDataRefresh") && on("mnuDataClear") && on("mnuFileClose"));
  EXPECT_FALSE(on("mnuDataCopy") || on("mnuDataUpdate") || on("mnuDataDelete") || on("mnuDataProperties") ||
               on("mnuDataSelect") || on("mnuFileSave") || on("mnuFileImport"));
  EXPECT_FALSE(on("mnuEditCorvixList") || on("mnuEditAdvancedDetailList"));
  EXPECT_FALSE(list->cmdListButton(4)->isEnabled());
  EXPECT_TRUE(list->cmdListButton(3)->isEnabled());

  Select(list, 1);
  EXPECT_TRUE(on("mnuDataCopy") && on("mnuDataUpdate") && on("mnuDataDelete") && on("mnuDataProperties") &&
              on("mnuDataSelect"));
  for (int i : {2, 4, 5, 6}) EXPECT_TRUE(list->cmdListButton(i)->isEnabled()) << i;

  // The run list offers only View and Delete for a selected row.
  RecordList* runs = Open("frmRunList");
  EXPECT_FALSE(on("mnuDataAdd"));
  for (int i : {2, 3, 4, 5, 6}) EXPECT_FALSE(runs->cmdListButton(i)->isEnabled()) << i;

  // Closing the active list leaves the main window with no active form.
  list->CloseForm();
  runs->CloseForm();
  EXPECT_EQ(Main().frmActive(), nullptr);
}

TEST_F(ListTest, CellsArePaddedAndKeyedByTheId) {
  db.Raw("INSERT INTO Compounds (CmpID) VALUES (7);"
         "INSERT INTO Environment (ID, Description, Type) VALUES (12, 'small', 'user');"
         "INSERT INTO Environment (ID, Description, Type) VALUES (12345, 'big', 'user');");
  RecordList* compounds = Open("frmCompoundsList");
  ui::ListItem* row = compounds->lvw->Find("KY_7");
  ASSERT_NE(row, nullptr);
  EXPECT_EQ(row->Text(), "00007");
  EXPECT_EQ(row->SubItem(1), "");
  EXPECT_EQ(row->SubItem(3), "");
  RecordList* estuaries = Open("frmEnvironmentList");
  EXPECT_EQ(estuaries->lvw->Find("KY_12")->Text(), "0012");
  EXPECT_EQ(estuaries->lvw->Find("KY_12345")->Text(), "12345");
  EXPECT_EQ(estuaries->lvw->Find("KY_12")->SubItem(2), "user");
}

TEST_F(ListTest, ALoadStopsAtTheRowLimitWithOneMessage) {
  auto fill = [&](int upTo) {
    std::string sql = "DELETE FROM Emission;";
    for (int i = 1; i <= upTo; ++i) sql += "INSERT INTO Emission (EmissionID, Description) VALUES (" +
                                           std::to_string(i) + ", 'e" + std::to_string(i) + "');";
    db.Raw(sql);
  };
  fill(100);
  RecordList* list = Open("frmEmissionList");
  EXPECT_EQ(list->lvw->Count(), 100);
  EXPECT_TRUE(boxes.boxes().empty());

  fill(101);
  list->RefreshList();
  EXPECT_EQ(list->lvw->Count(), 100);
  EXPECT_EQ(list->lvw->Find("KY_101"), nullptr);
  ASSERT_EQ(boxes.boxes().size(), 1u);
  EXPECT_EQ(boxes.boxes()[0].prompt, LimitText(100));
  EXPECT_EQ(boxes.boxes()[0].style, ui::vbInformation);
  EXPECT_EQ(boxes.beeps(), 1);
}

TEST_F(ListTest, RecordsThatARunUsesAreNeitherEditedNorDeleted) {
  // Compound 1, emission 2 and estuary 1 (a generic one, refused by its type first).
  AddRun(db, "1", "2", "1");
  struct Case {
    const char* list;
    int id;
    const char* editRefusal;
    const char* deleteRefusal;
  } cases[] = {
      {"frmCompoundsList", 1,
       "Compound 1 already used in run. Please delete the run first, before you update this compound\r"
       "or copy the compound and then edit the copy",
       "Compound 1 already used in run. Please delete the run first, before you delete this compound"},
      {"frmEmissionList", 2,
       "Emission 2 already used in run. You can not change this data unless you delete the run first\r"
       "or copy the emission and then edit the copy",
       "Emission already used in run. Please delete the run first"},
      {"frmEnvironmentList", 1,
       "You can't remove or edit estuaries of type \"default\" and \"defaultavg\". \rPlease copy the scenario and "
       "then edit the copy",
       "You can't remove or edit default estuaries. "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.list);
    RecordList* list = Open(c.list);
    Select(list, c.id);
    boxes.Clear();
    list->UpdateRecord();
    list->DeleteRecord();
    EXPECT_EQ(Prompts(), (std::vector<std::string>{c.editRefusal, c.deleteRefusal}));
    EXPECT_EQ(boxes.beeps(), 0);
    EXPECT_NE(list->lvw->Find("KY_" + std::to_string(c.id)), nullptr);
  }
  EXPECT_EQ(db.Scalar("SELECT COUNT(*) FROM Compounds WHERE CmpID = 1"), "1");
  // Emission 1 is named by no run (only the compound column holds a 1): it opens for editing.
  RecordList* emissions = Open("frmEmissionList");
  Select(emissions, 1);
  boxes.Clear();
  emissions->UpdateRecord();
  EXPECT_TRUE(boxes.boxes().empty());
  ASSERT_NE(ui::FindForm("frmEmission"), nullptr);
  EXPECT_EQ(ui::FindForm("frmEmission")->property("Mode").toInt(), lists::modEdit);
  EXPECT_EQ(ui::FindForm("frmEmission")->property("EmissionID").toInt(), 1);
}

TEST_F(ListTest, OnlyTheExactGenericTypesProtectAnEstuary) {
  db.Raw("INSERT INTO Environment (ID, Description, Type) VALUES (20, 'capital', 'Default');"
         "INSERT INTO Environment (ID, Description, Type) VALUES (21, 'used', 'user');");
  AddRun(db, "1", "1", "21");
  RecordList* list = Open("frmEnvironmentList");
  Select(list, 21);
  boxes.Clear();
  list->UpdateRecord();
  list->DeleteRecord();
  EXPECT_EQ(Prompts(), (std::vector<std::string>{
                           "Environment already used in run. Please remove run before you remove or update this "
                           "record\ror copy the estuary and then edit the copy.",
                           "Environment already used in run. Please remove run before you remove or update this "
                           "record"}));
  Select(list, 20);
  boxes.Clear();
  boxes.Answer(ui::vbYes);
  list->DeleteRecord();
  EXPECT_EQ(Prompts(), std::vector<std::string>{kDeleteQuestion});
  EXPECT_EQ(list->lvw->Find("KY_20"), nullptr);
  EXPECT_EQ(db.Scalar("SELECT COUNT(*) FROM Environment WHERE ID = 20"), "0");
}

TEST_F(ListTest, DeletingARunRemovesItsRowRecordAndFilesAndFreesItsRecords) {
  AddRun(db, "1", "1", "1");
  AddRun(db, "2", "2", "1");
  const char* suffixes[] = {".map", "-stat.txt", "-report.txt", "-data.txt", ".shp", ".shx", ".dbf"};
  for (const char* s : suffixes) testsupport::WriteFile(testsupport::WorkDir() / ("1" + std::string(s)), "x");
  RecordList* runs = Open("frmRunList");
  ASSERT_EQ(runs->lvw->Count(), 2);
  EXPECT_FALSE(runs->cmdListButton(5)->isHidden());

  Select(runs, 1);
  boxes.Answer(ui::vbNo);
  runs->DeleteRecord();
  EXPECT_NE(runs->lvw->Find("KY_1"), nullptr);
  EXPECT_TRUE(std::filesystem::exists(testsupport::WorkDir() / "1.map"));

  boxes.Clear();
  boxes.Answer(ui::vbYes);
  runs->DeleteRecord();
  EXPECT_EQ(Prompts(), std::vector<std::string>{kDeleteQuestion});
  EXPECT_EQ(runs->lvw->Find("KY_1"), nullptr);
  EXPECT_EQ(db.Scalar("SELECT COUNT(*) FROM Run WHERE RunID = 1"), "0");
  for (const char* s : suffixes)
    EXPECT_FALSE(std::filesystem::exists(testsupport::WorkDir() / ("1" + std::string(s)))) << s;

  // Compound 1 is free again; compound 2 is still named by run 2.
  RecordList* compounds = Open("frmCompoundsList");
  Select(compounds, 1);
  boxes.Clear();
  compounds->UpdateRecord();
  EXPECT_TRUE(boxes.boxes().empty());
  EXPECT_NE(ui::FindForm("frmCompounds"), nullptr);
}

TEST_F(ListTest, ARunListOfOneRunHasNoDeleteButton) {
  AddRun(db, "1", "1", "1");
  RecordList* runs = Open("frmRunList");
  EXPECT_TRUE(runs->cmdListButton(5)->isHidden());
}

TEST_F(ListTest, ModesDecideTheButtonsAndTheDoubleClick) {
  auto* list = static_cast<RecordList*>(ChildForms::New("frmCompoundsList"));
  list->SetMode(lists::modSelect);
  list->SetfrmParent(&Main());
  list->Show();
  for (int i : {2, 3, 4, 5}) EXPECT_TRUE(list->cmdListButton(i)->isHidden()) << i;
  Select(list, 3);
  boxes.Clear();
  emit list->lvw->DblClick();
  EXPECT_EQ(Prompts(), std::vector<std::string>{"The selected compound has id 3"});
  EXPECT_EQ(boxes.beeps(), 1);
  EXPECT_EQ(ui::FindForm("frmCompounds"), nullptr);

  // An invalid mode is reported once at load; the window works on with Add disabled.
  boxes.Clear();
  auto* bad = static_cast<RecordList*>(ChildForms::New("frmEmissionList"));
  bad->SetMode(lists::modEdit);
  bad->SetfrmParent(&Main());
  bad->Show();
  ASSERT_EQ(boxes.boxes().size(), 1u);
  EXPECT_NE(boxes.boxes()[0].prompt.find("Programming error. Case not coded. Invalid form mode."), std::string::npos);
  EXPECT_NE(boxes.boxes()[0].prompt.find("'ProcessMode'"), std::string::npos);
  EXPECT_FALSE(MenuEnabling::MenuEnabled("mnuDataAdd"));

  // The food-chain detail list in mode 5 shows View, Edit and Close only.
  RecordList* detail = Open("frmAdvancedDetailList");
  for (int i = 2; i <= 7; ++i) EXPECT_EQ(detail->cmdListButton(i)->isHidden(), i == 2 || i == 3 || i == 5) << i;
}

TEST_F(ListTest, SelectsOnListsOpenedFromTheMainWindow) {
  RecordList* emissions = Open("frmEmissionList");
  Select(emissions, 1);
  boxes.Clear();
  emissions->SelectRecord();
  ASSERT_EQ(boxes.boxes().size(), 1u);
  EXPECT_EQ(boxes.boxes()[0].prompt,
            "This was put in only to show you how to use the search screens as select screens. MDIMain should "
            "display the search screens with a mode of 'modMaintain'; not 'modSelectMaintain'.");
  EXPECT_EQ(boxes.boxes()[0].style, ui::vbExclamation);
}

TEST_F(ListTest, ViewCopyAndAddOpenTheEditorWithModeParentAndId) {
  RecordList* list = Open("frmCompoundsList");
  Select(list, 2);
  struct Case {
    void (RecordList::*op)();
    int mode;
    int id;
  } cases[] = {{&RecordList::DisplayRecord, lists::modView, 2}, {&RecordList::AddRecord, lists::modAdd, 0}};
  for (const Case& c : cases) {
    (list->*c.op)();
    auto* editor = qobject_cast<ui::Form*>(ui::FindForm("frmCompounds"));
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->property("Mode").toInt(), c.mode);
    EXPECT_EQ(editor->property("frmParent").value<QWidget*>(), list);
    if (c.id) {
      EXPECT_EQ(editor->property("Cmpid").toInt(), c.id);
    }
    editor->Unload();
  }
  static_cast<lists::CopyList*>(list)->CopyRecord();
  ASSERT_NE(ui::FindForm("frmCompounds"), nullptr);
  EXPECT_EQ(ui::FindForm("frmCompounds")->property("Mode").toInt(), lists::modCopy);
}

TEST_F(ListTest, AColumnClickSortsAscendingEveryTime) {
  db.Raw("INSERT INTO Compounds (CmpID, CmpDescr) VALUES (40, ' first');"
         "INSERT INTO Compounds (CmpID, CmpDescr) VALUES (41, '~last');");
  RecordList* list = Open("frmCompoundsList");
  for (int pass = 0; pass < 2; ++pass) {
    emit list->lvw->ColumnClick(1);
    EXPECT_EQ(list->lvw->Item(1)->SubItem(1), " first");
    EXPECT_EQ(list->lvw->Item(list->lvw->Count())->SubItem(1), "~last");
  }
}

TEST_F(ListTest, ResizeLaysTheBottomRowFromTheRightEdge) {
  RecordList* list = Open("frmCompoundsList");
  list->SetWidth(9000);
  list->SetHeight(6000);
  const double w = 9000;
  EXPECT_NEAR(ui::LeftOf(list->cmdListButton(7)), w - 135 - 1122.5, 15);
  EXPECT_NEAR(ui::LeftOf(list->cmdListButton(2)), w - 135 - 6735, 15);
  EXPECT_NEAR(ui::WidthOf(list->lvw), w - 225, 15);
}

}  // namespace
