// The six record lists on the delivered database: opening from the main window, rows and row
// limits, command states, refusals of records that a run uses, deletes, selects, modes and layout.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QToolTip>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "editors/Editors.h"
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
#include "shell/frmOpen.h"
#include "tests/records/ScenarioDb.h"
#include "tests/support/TestDir.h"
#include "tests/support/Undeletable.h"

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
    editors::RegisterEditors();
    lists::RegisterLists();
    vb::Err().Clear();
    gblnCompoundsChanged = gblnEmissionsChanged = gblnEstuariesChanged = false;
    // Room for every list at its designed size: no window opens larger than the main window's area.
    Main().resize(1180, 860);
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

// A left click on the list control's rows area, as the mouse gives it.
void ClickList(RecordList* list, QPoint at) {
  QWidget* viewport = list->lvw->viewport();
  QMouseEvent press(QEvent::MouseButtonPress, at, viewport->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QApplication::sendEvent(viewport, &press);
  QMouseEvent release(QEvent::MouseButtonRelease, at, viewport->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                      Qt::NoModifier);
  QApplication::sendEvent(viewport, &release);
}
void ClickRow(RecordList* list, int id) {
  ClickList(list, list->lvw->visualItemRect(list->lvw->Find("KY_" + std::to_string(id))).center());
}
void ClickBelowRows(RecordList* list) { ClickList(list, QPoint(20, list->lvw->viewport()->height() - 4)); }

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
    EXPECT_EQ(list->Mode(), modSelectMaintain);
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

TEST_F(ListTest, ARunListOfMoreRowsThanItsCapStopsAtTheCapWithRowsThatJoinWhole) {
  db.Raw("WITH RECURSIVE k(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM k WHERE i < 10001) "
         "INSERT INTO Run (RunID, RunDescription, RunDate) SELECT i, 'run ' || i, '2026-12-10 09:00:00' FROM k;");
  float maxAtLimit = -1;
  ui::MsgBoxSink recorder = ui::SetMsgBoxSink([&](const std::string& prompt, int style, const std::string& title) {
    maxAtLimit = Main().prgBar->Max();
    return recorder(prompt, style, title);
  });
  RecordList* list = Open("frmRunList");
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->lvw->Count(), 10000);
  EXPECT_EQ(list->lvw->Find("KY_10001"), nullptr);
  EXPECT_EQ(list->lvw->Find("KY_10000")->SubItem(1), "run 10000");
  EXPECT_EQ(Prompts(), std::vector<std::string>{LimitText(10000)});
  EXPECT_EQ(maxAtLimit, 10000);

  // A reload adds each row with its cells and icon: no cell changes once the row is listed, which
  // would have the control lay out the whole list again for every cell.
  int changes = 0;
  QObject::connect(list->lvw->model(), &QAbstractItemModel::dataChanged, list, [&] { ++changes; });
  list->RefreshList();
  ui::SetMsgBoxSink(recorder);
  EXPECT_EQ(list->lvw->Count(), 10000);
  EXPECT_FALSE(list->lvw->Find("KY_1")->icon(0).isNull());
  EXPECT_EQ(list->lvw->Find("KY_1")->SubItem(2), "2026-12-10 09:00:00");
  EXPECT_EQ(changes, 0);
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
  EXPECT_EQ(ui::FindForm("frmEmission")->property("Mode").toInt(), modEdit);
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
  list->SetMode(modSelect);
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
  bad->SetMode(modEdit);
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

TEST_F(ListTest, AClickOnAListWhoseEditorIsOpenKeepsTheCommandsWithTheEditor) {
  RecordList* compounds = Open("frmCompoundsList");
  RecordList* emissions = Open("frmEmissionList");  // stands for the window that has the commands
  ASSERT_EQ(Main().frmActive(), emissions);
  compounds->setEnabled(false);  // as its open editor leaves it
  const QPointF at(5, 5);
  QMouseEvent release(QEvent::MouseButtonRelease, at, compounds->lvw->viewport()->mapToGlobal(at), Qt::LeftButton,
                      Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(compounds->lvw->viewport(), &release);
  EXPECT_EQ(Main().frmActive(), emissions);
}

TEST_F(ListTest, ViewCopyAndAddOpenTheEditorWithModeParentAndId) {
  RecordList* list = Open("frmCompoundsList");
  Select(list, 2);
  struct Case {
    void (RecordList::*op)();
    int mode;
    int id;
  } cases[] = {{&RecordList::DisplayRecord, modView, 2}, {&RecordList::AddRecord, modAdd, 0}};
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
  EXPECT_EQ(ui::FindForm("frmCompounds")->property("Mode").toInt(), modCopy);
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

TEST_F(ListTest, CommandsFollowEveryClickAndEveryChangeOfTheSelection) {
  RecordList* list = Open("frmCompoundsList");
  RecordList* runs = Open("frmRunList");
  ASSERT_EQ(Main().frmActive(), runs);
  auto deletable = [&] {
    return MenuEnabling::MenuEnabled("mnuDataDelete") && list->cmdListButton(5)->isEnabled();
  };

  // A click on a row makes the list the active form and offers the row's commands.
  ClickRow(list, 2);
  EXPECT_EQ(Main().frmActive(), list);
  EXPECT_TRUE(deletable());
  // A click below the rows clears the selection: nothing is offered for a row any more, so no
  // command can reach a list without a selected row.
  ClickBelowRows(list);
  ASSERT_EQ(list->lvw->SelectedItem(), nullptr);
  EXPECT_FALSE(deletable());
  EXPECT_FALSE(MenuEnabling::MenuEnabled("mnuDataProperties"));
  // A selection made without the mouse (the keyboard) is followed as well.
  list->lvw->SetSelectedItem(list->lvw->Find("KY_3"));
  EXPECT_TRUE(deletable());
  // A deleted row leaves nothing selected and nothing to delete.
  boxes.Answer(ui::vbYes);
  Main().mnuDataDelete_Click();
  EXPECT_EQ(list->lvw->Find("KY_3"), nullptr);
  EXPECT_EQ(list->lvw->SelectedItem(), nullptr);
  EXPECT_FALSE(deletable());
  list->lvw->SetSelectedItem(list->lvw->Find("KY_4"));
  Main().mnuDataClear_Click();
  EXPECT_EQ(list->lvw->Count(), 0);
  EXPECT_FALSE(deletable());
  for (const std::string& p : Prompts()) EXPECT_EQ(p, kDeleteQuestion);

  // A list that is not the active form leaves the commands of the active one alone.
  Main().SetfrmActive(runs);
  list->lvw->SetSelectedItem(nullptr);
  EXPECT_EQ(Main().frmActive(), runs);
}

TEST_F(ListTest, ARunListClickShowsTheRunDescriptionAsTip) {
  AddRun(db, "1", "1", "1");
  AddRun(db, "2", "2", "1");
  db.Raw("UPDATE Run SET RunDescription = 'second run' WHERE RunID = 2;");
  RecordList* runs = Open("frmRunList");
  ClickRow(runs, 2);
  EXPECT_EQ(runs->lvw->toolTip().toStdString(), "second run");
  // Resting the mouse on the rows shows it.
  const QPoint at = runs->lvw->visualItemRect(runs->lvw->Find("KY_1")).center();
  QHelpEvent help(QEvent::ToolTip, at, runs->lvw->viewport()->mapToGlobal(at));
  QApplication::sendEvent(runs->lvw->viewport(), &help);
  EXPECT_EQ(QToolTip::text().toStdString(), "second run");
  QToolTip::hideText();
  // A click that selects nothing keeps the tip.
  ClickBelowRows(runs);
  EXPECT_EQ(runs->lvw->toolTip().toStdString(), "second run");
}

TEST_F(ListTest, TheCommandTableFollowsModeSelectionAndList) {
  // Expected states of Add, Copy, Update, Delete, Properties and Select ('1' enabled).
  struct Case {
    const char* list;
    int mode;
    const char* none;
    const char* selected;
  } cases[] = {
      {"frmCompoundsList", modSelect, "000000", "000011"},
      {"frmCompoundsList", modMaintain, "100000", "111110"},
      {"frmCompoundsList", modSelectMaintain, "100000", "111111"},
      {"frmRunList", modSelect, "000000", "000010"},
      {"frmRunList", modMaintain, "000000", "000110"},
      {"frmRunList", modSelectMaintain, "000000", "000110"},
  };
  const char* menus[] = {"mnuDataAdd",    "mnuDataCopy",       "mnuDataUpdate",
                         "mnuDataDelete", "mnuDataProperties", "mnuDataSelect"};
  const std::pair<int, int> buttons[] = {{3, 0}, {2, 1}, {4, 2}, {5, 3}, {6, 4}};  // button, menu
  const std::pair<const char*, int> keys[] = {{"ADD", 0}, {"EDIT", 2}, {"DELETE", 3}, {"PROPERTIES", 4}};
  AddRun(db, "1", "1", "1");
  AddRun(db, "1", "1", "1");
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.list) + " mode " + std::to_string(c.mode));
    auto* list = static_cast<RecordList*>(ChildForms::New(c.list));
    list->SetMode(c.mode);
    list->SetfrmParent(&Main());
    list->Show();
    for (int pass = 0; pass < 2; ++pass) {
      const std::string expected = pass == 0 ? c.none : c.selected;
      if (pass == 1) ClickRow(list, 1);
      std::string menu, own;
      for (const char* m : menus) menu += MenuEnabling::MenuEnabled(m) ? '1' : '0';
      EXPECT_EQ(menu, expected);
      for (auto [b, m] : buttons)
        EXPECT_EQ(list->cmdListButton(b)->isEnabled(), expected[static_cast<std::size_t>(m)] == '1') << b;
      for (auto [key, m] : keys)
        for (ui::ToolbarButton* t : Main().tbrMain->Buttons()) {
          if (t->Key() == key) {
            EXPECT_EQ(t->Enabled(), expected[static_cast<std::size_t>(m)] == '1') << key;
          }
        }
      for (const char* always : {"mnuDataRefresh", "mnuDataClear", "mnuFileClose", "mnuEditRunList"})
        EXPECT_TRUE(MenuEnabling::MenuEnabled(always)) << always;
      for (const char* never : {"mnuFileSave", "mnuFileImport", "mnuEditCorvixList", "mnuEditAdvancedDetailList"})
        EXPECT_FALSE(MenuEnabling::MenuEnabled(never)) << never;
    }
    list->CloseForm();
  }
  EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(ListTest, ButtonsRegisterTheListAndReachItsOperationsThroughTheMainWindow) {
  RecordList* compounds = Open("frmCompoundsList");
  Select(compounds, 2);
  struct Case {
    int button;
    int mode;
  } cases[] = {{6, modView}, {4, modEdit}, {2, modCopy}, {3, modAdd}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.button);
    // Without the registration the main window would have no active form and only beep.
    Main().SetfrmActive(nullptr);
    compounds->cmdListButton(c.button)->click();
    auto* editor = qobject_cast<ui::Form*>(ui::FindForm("frmCompounds"));
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->property("Mode").toInt(), c.mode);
    EXPECT_EQ(editor->property("frmParent").value<QWidget*>(), compounds);
    editor->Unload();
    Select(compounds, 2);
  }

  // In a list without copy, the third button selects; in mode 5 the main window's Copy is off.
  RecordList* settings = Open("frmCorvixList");
  Select(settings, 1);
  EXPECT_FALSE(MenuEnabling::MenuEnabled("mnuDataCopy"));
  ASSERT_TRUE(settings->cmdListButton(2)->isEnabled());
  boxes.Clear();
  settings->cmdListButton(2)->click();
  ASSERT_EQ(boxes.boxes().size(), 1u);
  EXPECT_EQ(boxes.boxes()[0].style, ui::vbExclamation);
  EXPECT_EQ(boxes.beeps(), 1);

  settings->cmdListButton(7)->click();
  EXPECT_EQ(ui::FindForm("frmCorvixList"), nullptr);
  EXPECT_NE(Main().frmActive(), settings);
  EXPECT_EQ(boxes.beeps(), 1);
}

TEST_F(ListTest, SelectWithoutAKnownParentIsAProgrammingError) {
  struct Case {
    QWidget* parent;
    const char* text;
  } cases[] = {
      {nullptr, "Programming error. Parent form object must be set for select to work."},
      {&ui::Global<frmOpen>(), "Programming error. Do not know how to select records on parent form 'frmOpen'."},
  };
  AddRun(db, "1", "1", "1");
  for (const char* name : {"frmCompoundsList", "frmRunList"}) {
    RecordList* list = Open(name);
    Select(list, 1);
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(name) + ": " + c.text);
      list->SetfrmParent(c.parent);
      boxes.Clear();
      list->SelectRecord();
      ASSERT_EQ(boxes.boxes().size(), 1u);
      const std::string& prompt = boxes.boxes()[0].prompt;
      EXPECT_NE(prompt.find("'" + std::string(name) + "' at procedure 'SelectRecord'"), std::string::npos) << prompt;
      EXPECT_NE(prompt.find(c.text), std::string::npos) << prompt;
      EXPECT_EQ(list->RecordId(), 1);
    }
  }
}

TEST_F(ListTest, LoadingSetsSizeAndPlacePerList) {
  const double panel = ui::Global<frmOpen>().Width();
  struct Case {
    const char* name;
    double width;  // 0: the designed size is kept
    bool placed;
  } cases[] = {{"frmCompoundsList", 9000, true},  {"frmEmissionList", 8100, true}, {"frmEnvironmentList", 9000, true},
               {"frmRunList", 9000, false},       {"frmCorvixList", 0, false},     {"frmAdvancedDetailList", 0, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RecordList* list = Open(c.name);
    if (c.width > 0) {
      EXPECT_NEAR(list->Width(), c.width, 15);
    }
    if (c.placed) {
      EXPECT_NEAR(list->Left(), panel, 15);  // the window system put it further left
    }
    list->CloseForm();
  }
}

TEST_F(ListTest, HeadersAndCellsOfTheListsThatLayThemAtLoad) {
  db.Raw("INSERT INTO AdvancedDetail (AdvancedID, detail1, GrowthRateRound) VALUES (9, 0.25, 1.5E-07);"
         "INSERT INTO Run (RunID, RunDescription, RunDate) VALUES (42, 'forty-two', '2026-12-10 09:00:00');"
         "INSERT INTO Corvix (CorvixID) VALUES (77);");
  RecordList* detail = Open("frmAdvancedDetailList");
  detail->RefreshList();
  ASSERT_EQ(detail->lvw->columnCount(), 33);
  EXPECT_EQ(detail->lvw->headerItem()->text(16).toStdString(), "Weight_org2dab");
  EXPECT_EQ(detail->lvw->headerItem()->text(32).toStdString(), "GrowthRateRound");
  ui::ListItem* row = detail->lvw->Find("KY_9");
  ASSERT_NE(row, nullptr);
  EXPECT_EQ(row->Text(), "9");
  EXPECT_EQ(row->SubItem(1), "0.25");
  EXPECT_EQ(row->SubItem(2), "");
  EXPECT_EQ(row->SubItem(32), "1.5E-07");

  RecordList* settings = Open("frmCorvixList");
  ASSERT_EQ(settings->lvw->columnCount(), 13);
  // Columns without a designed width show their whole name.
  const QFontMetrics header(settings->lvw->header()->font());
  for (int c = 0; c < 13; ++c)
    EXPECT_GT(settings->lvw->columnWidth(c), header.horizontalAdvance(settings->lvw->headerItem()->text(c))) << c;
  EXPECT_EQ(settings->lvw->headerItem()->text(12).toStdString(), "Cxdummy10");
  EXPECT_EQ(settings->lvw->Find("KY_77")->Text(), "77");
  EXPECT_EQ(settings->lvw->Find("KY_77")->SubItem(12), "");

  RecordList* runs = Open("frmRunList");
  runs->RefreshList();
  ASSERT_EQ(runs->lvw->columnCount(), 3);
  // The id and the date show whole; the description takes the room that is left.
  EXPECT_GE(runs->lvw->columnWidth(2), static_cast<QAbstractItemView*>(runs->lvw)->sizeHintForColumn(2));
  EXPECT_EQ(runs->lvw->columnWidth(0) + runs->lvw->columnWidth(1) + runs->lvw->columnWidth(2),
            runs->lvw->viewport()->width());
  row = runs->lvw->Find("KY_42");
  ASSERT_NE(row, nullptr);
  EXPECT_EQ(row->Text(), "00042");
  EXPECT_EQ(row->SubItem(1), "forty-two");
  EXPECT_EQ(row->SubItem(2), "2026-12-10 09:00:00");
}

TEST_F(ListTest, TheProgressBarCountsTheCappedLoadAndIsResetAfterIt) {
  std::string sql = "DELETE FROM Emission;";
  for (int i = 1; i <= 101; ++i) sql += "INSERT INTO Emission (EmissionID) VALUES (" + std::to_string(i) + ");";
  db.Raw(sql);
  float maxAtLimit = -1, valueAtLimit = -1;
  ui::MsgBoxSink recorder = ui::SetMsgBoxSink([&](const std::string&, int, const std::string&) {
    maxAtLimit = Main().prgBar->Max();
    valueAtLimit = Main().prgBar->Value();
    return static_cast<int>(ui::vbOK);
  });
  RecordList* list = Open("frmEmissionList");
  ui::SetMsgBoxSink(recorder);
  EXPECT_EQ(list->lvw->Count(), 100);
  EXPECT_EQ(maxAtLimit, 100);
  EXPECT_EQ(valueAtLimit, 100);
  EXPECT_EQ(Main().prgBar->Min(), 0);
  EXPECT_EQ(Main().prgBar->Max(), 100);
  EXPECT_EQ(Main().prgBar->Value(), 0);
}

TEST_F(ListTest, PaddedIdsShowWholeWithTheirIcon) {
  for (const char* name : {"frmEmissionList", "frmCompoundsList", "frmRunList"}) {
    AddRun(db, "1", "1", "1");
    RecordList* list = Open(name);
    SCOPED_TRACE(name);
    ASSERT_GT(list->lvw->Count(), 0);
    const int text = QFontMetrics(list->lvw->font()).horizontalAdvance("00001");
    EXPECT_GE(list->lvw->columnWidth(0), text + list->lvw->iconSize().width());
    EXPECT_GE(list->lvw->columnWidth(0), static_cast<QAbstractItemView*>(list->lvw)->sizeHintForColumn(0));
  }
}

// The compound, emission and estuary lists show their own 48 by 48 picture from the lists' resource,
// and every list's rows take the 16 by 16 row icon from it.
TEST_F(ListTest, PicturesComeFromTheResource) {
  auto opaque = [](const QImage& image) {
    const QImage im = image.convertToFormat(QImage::Format_ARGB32);
    int n = 0;
    for (int y = 0; y < im.height(); ++y)
      for (int x = 0; x < im.width(); ++x) n += qAlpha(im.pixel(x, y)) == 255;
    return n;
  };
  std::vector<QImage> pictures;
  for (const char* name : {"frmCompoundsList", "frmEmissionList", "frmEnvironmentList", "frmCorvixList",
                           "frmAdvancedDetailList", "frmRunList"}) {
    SCOPED_TRACE(name);
    RecordList* list = Open(name);
    ASSERT_NE(list, nullptr);
    const QImage row = list->imglvw->Image("SAMPLE").pixmap(16, 16).toImage();
    EXPECT_EQ(row.size(), QSize(16, 16));
    EXPECT_GT(opaque(row), 0);
    if (!list->Image1) continue;
    const QImage picture = list->Image1->pixmap().toImage();
    EXPECT_EQ(picture.size(), QSize(48, 48));
    EXPECT_GT(opaque(picture), 0);
    for (const QImage& other : pictures) EXPECT_NE(picture, other);
    pictures.push_back(picture);
  }
  EXPECT_EQ(pictures.size(), 3u);
}

TEST_F(ListTest, ShortColumnsShowWholeAndTheDescriptionTakesWhatIsLeft) {
  AddRun(db, "1", "1", "1");
  for (const char* name : {"frmEmissionList", "frmCompoundsList", "frmEnvironmentList", "frmRunList"}) {
    SCOPED_TRACE(name);
    RecordList* list = Open(name);
    ui::ListView* lvw = list->lvw;
    ASSERT_GT(lvw->Count(), 0);
    int total = 0;
    for (int c = 0; c < lvw->columnCount(); ++c) {
      if (c != 1) {
        EXPECT_GE(lvw->columnWidth(c), static_cast<QAbstractItemView*>(lvw)->sizeHintForColumn(c)) << c;
      }
      total += lvw->columnWidth(c);
    }
    EXPECT_EQ(total, lvw->viewport()->width());
    // A narrower window keeps the fit.
    list->SetWidth(list->Width() - 600);
    QCoreApplication::processEvents();
    total = 0;
    for (int c = 0; c < lvw->columnCount(); ++c) total += lvw->columnWidth(c);
    EXPECT_EQ(total, lvw->viewport()->width());
    list->CloseForm();
  }
  // Short columns that do not fit beside the description keep the designed widths.
  db.Raw("UPDATE Compounds SET CmpName = '" + std::string(100, 'n') + "' WHERE CmpID = 1;");
  RecordList* compounds = Open("frmCompoundsList");
  EXPECT_EQ(compounds->lvw->columnWidth(2), ui::ToPixels(3000));
}

TEST_F(ListTest, ResizeLaysOutEveryControlAndSkipsWhatCannotBeDone) {
  struct Case {
    const char* name;
    double rowTop;  // bottom row's top, from the frame's height
  } cases[] = {{"frmCompoundsList", -22.5}, {"frmAdvancedDetailList", 45}};
  const double W = 9000, H = 6000, FW = W - 135, FH = H - 875, px = 15;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RecordList* list = Open(c.name);
    list->SetWidth(W);
    list->SetHeight(H);
    EXPECT_NEAR(ui::LeftOf(list->fralist), 0, px);
    EXPECT_NEAR(ui::TopOf(list->fralist), -45, px);
    EXPECT_NEAR(ui::WidthOf(list->fralist), FW, px);
    EXPECT_NEAR(ui::HeightOf(list->fralist), FH, px);
    EXPECT_NEAR(ui::LeftOf(list->Label1), 45, px);
    EXPECT_NEAR(ui::TopOf(list->Label1), 180, px);
    EXPECT_NEAR(ui::LeftOf(list->cmdListButton(0)), FW - 1190, px);
    EXPECT_NEAR(ui::TopOf(list->cmdListButton(0)), 180, px);
    EXPECT_NEAR(ui::TopOf(list->cmdListButton(1)), 575, px);
    EXPECT_NEAR(ui::LeftOf(list->cmdListButton(1)), FW - 1190, px);
    EXPECT_NEAR(ui::LeftOf(list->lvw), 45, px);
    EXPECT_NEAR(ui::TopOf(list->lvw), FH * 0.25 + 225, px);
    EXPECT_NEAR(ui::HeightOf(list->lvw), FH * 0.75 - 270, px);
    EXPECT_NEAR(list->Line1->X1(), 90, px);
    EXPECT_NEAR(list->Line1->X2(), FW - 90, px);
    EXPECT_NEAR(list->Line1->Y1(), FH * 0.25 + 45, px);
    EXPECT_EQ(list->Line1->Y2(), list->Line1->Y1());
    EXPECT_EQ(list->Line2->Y1(), list->Line1->Y1() + 15);
    EXPECT_EQ(list->Line2->X2(), list->Line1->X2());
    if (list->Image1) {
      EXPECT_NEAR(ui::LeftOf(list->Image1), 90, px);
    }
    for (int i = 2; i < 8; ++i) {
      EXPECT_NEAR(ui::TopOf(list->cmdListButton(i)), FH + c.rowTop, px) << i;
      EXPECT_NEAR(ui::WidthOf(list->cmdListButton(i)), 1100, px) << i;
    }

    // Too small for the frame: the frame keeps its size, the other controls are still laid out
    // from it, and no error box shows.
    boxes.Clear();
    list->SetHeight(600);
    EXPECT_NEAR(ui::HeightOf(list->fralist), FH, px);
    EXPECT_NEAR(ui::LeftOf(list->cmdListButton(7)), FW - 1122.5, px);
    EXPECT_TRUE(boxes.boxes().empty());
  }
}

TEST_F(ListTest, ATableThatCannotBeReadListsNothingAndRunsThatCannotBeReadProtectEverything) {
  db.Raw("DROP TABLE Emission; DROP TABLE Run;");
  RecordList* emissions = Open("frmEmissionList");
  EXPECT_TRUE(gblnEmissionsChanged);
  EXPECT_EQ(emissions->lvw->Count(), 0);
  EXPECT_EQ(emissions->lvw->columnCount(), 2);
  ASSERT_EQ(boxes.boxes().size(), 1u);  // the record class's own report, no limit message
  EXPECT_EQ(Main().prgBar->Max(), 100);

  // Without a run table any run may name the compound: after the error box, edit and delete are
  // refused as for a compound that a run uses.
  RecordList* compounds = Open("frmCompoundsList");
  Select(compounds, 1);
  boxes.Clear();
  boxes.Answer(ui::vbYes);
  compounds->UpdateRecord();
  compounds->DeleteRecord();
  const std::vector<std::string> shown = Prompts();
  ASSERT_EQ(shown.size(), 4u);
  EXPECT_EQ(shown[1],
            "Compound 1 already used in run. Please delete the run first, before you update this compound\r"
            "or copy the compound and then edit the copy");
  EXPECT_EQ(shown[3], "Compound 1 already used in run. Please delete the run first, before you delete this compound");
  EXPECT_EQ(ui::FindForm("frmCompounds"), nullptr);
  EXPECT_EQ(db.Scalar("SELECT COUNT(*) FROM Compounds WHERE CmpID = 1"), "1");
}

TEST_F(ListTest, ARunRowThatCannotBeReadProtectsTheRecords) {
  // Text in the estuary column: the check cannot tell which estuary the run names.
  db.Raw("INSERT INTO Environment (ID, Description, Type) VALUES (21, 'mine', 'user');"
         "INSERT INTO Run (RunDescription, EnvirID, CompoundID, EmisID) VALUES ('r', 'x', 9, 9);");
  RecordList* list = Open("frmEnvironmentList");
  Select(list, 21);
  boxes.Clear();
  list->UpdateRecord();
  const std::vector<std::string> shown = Prompts();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_NE(shown[0].find("'CheckIfInRun'"), std::string::npos) << shown[0];
  EXPECT_EQ(shown[1], "Environment already used in run. Please remove run before you remove or update this record\r"
                      "or copy the estuary and then edit the copy.");
  EXPECT_EQ(ui::FindForm("frmEnvironment"), nullptr);
}

TEST_F(ListTest, ARecordDeletedElsewhereOpensNothing) {
  struct Case {
    const char* list;
    int id;
    const char* table;
    const char* key;
    const char* editor;
  } cases[] = {{"frmCompoundsList", 3, "Compounds", "CmpID", "frmCompounds"},
               {"frmEmissionList", 3, "Emission", "EmissionID", "frmEmission"},
               {"frmCorvixList", 1, "Corvix", "CorvixID", "frmCorvix"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.list);
    RecordList* list = Open(c.list);
    db.Raw(std::string("DELETE FROM ") + c.table + " WHERE " + c.key + " = " + std::to_string(c.id));
    const std::string count = db.Scalar(std::string("SELECT COUNT(*) FROM ") + c.table);
    for (const char* operation : {"UpdateRecord", "CopyRecord", "DisplayRecord"}) {
      if (std::string(c.list) == "frmCorvixList" && std::string(operation) == "CopyRecord") continue;
      Select(list, c.id);
      boxes.Clear();
      QMetaObject::invokeMethod(list, operation);
      EXPECT_EQ(Prompts(), std::vector<std::string>{"The record no longer exists."}) << operation;
      EXPECT_EQ(ui::FindForm(c.editor), nullptr) << operation;
    }
    EXPECT_EQ(db.Scalar(std::string("SELECT COUNT(*) FROM ") + c.table), count);
  }
}

TEST_F(ListTest, ARunWhoseFileResistsLeavesTheListWithTheRestOfItsFilesDeleted) {
  AddRun(db, "1", "1", "1");
  AddRun(db, "1", "1", "1");
  const char* suffixes[] = {".map", "-stat.txt", "-report.txt", "-data.txt", ".shp", ".shx", ".dbf"};
  for (const char* s : suffixes) testsupport::WriteFile("1" + std::string(s), "x");
  RecordList* runs = Open("frmRunList");
  Select(runs, 1);
  boxes.Clear();
  boxes.Answer(ui::vbYes);
  {
    testsupport::Immutable locked("1.map");
    std::optional<testsupport::StickyFolder> sticky;
    if (!locked.ok()) {
      std::vector<std::string> deletable;
      for (const char* s : suffixes)
        if (std::string(s) != ".map") deletable.push_back("1" + std::string(s));
      sticky.emplace(deletable);
      if (!sticky->ok()) GTEST_SKIP() << "no way here to make a file undeletable";
    }
    runs->DeleteRecord();
  }
  EXPECT_EQ(db.Scalar("SELECT COUNT(*) FROM Run WHERE RunID = 1"), "0");
  EXPECT_EQ(runs->lvw->Find("KY_1"), nullptr);
  EXPECT_NE(runs->lvw->Find("KY_2"), nullptr);
  for (const char* s : suffixes)
    EXPECT_EQ(std::filesystem::exists("1" + std::string(s)), std::string(s) == ".map") << s;
  ASSERT_FALSE(Prompts().empty());
  EXPECT_EQ(Prompts().back(), "Run 1 is deleted, but these files of it could not be deleted: 1.map");
}

}  // namespace
