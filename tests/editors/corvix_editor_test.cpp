// The engine-settings editor and the shared editor protocol it shows most plainly: modes, the menu
// states, the button placement, add and edit with the parent list's row.
#include <QMetaObject>

#include "editors/frmCorvix.h"
#include "platform/ui/Global.h"
#include "platform/ui/ListView.h"
#include "platform/ui/Twips.h"
#include "shell/MDIMain.h"
#include "shell/MenuEnabling.h"
#include "tests/editors/editor_fixture.h"

namespace {

using CorvixEditorTest = EditorTest;

frmCorvix* Open(EditorTest& t, Standins::StandinList* list, const char* operation) {
  QMetaObject::invokeMethod(list, operation);
  return t.Editor<frmCorvix>("frmCorvix");
}

}  // namespace

TEST_F(CorvixEditorTest, ViewModeAndMenuStates) {
  auto* list = OpenList("frmCorvixList", 1);
  frmCorvix* e = Open(*this, list, "DisplayRecord");
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->Caption(), "Corvix Properties");
  EXPECT_TRUE(e->cmdOK->isHidden());
  EXPECT_FALSE(e->fields[0]->isEnabled());
  EXPECT_FALSE(e->txtCorvixid->isHidden());
  EXPECT_EQ(e->txtCorvixid->text(), "1");
  EXPECT_TRUE(e->fields[2]->isHidden());
  EXPECT_FALSE(e->fields[9]->isHidden());
  e->EnableMenus();
  EXPECT_FALSE(MenuEnabling::MenuEnabled("mnuFileSave"));
  EXPECT_FALSE(MenuEnabling::MenuEnabled("mnuDataClear"));
  EXPECT_TRUE(MenuEnabling::MenuEnabled("mnuFileClose"));
  e->CloseForm();
  EXPECT_TRUE(list->isEnabled());
  EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(CorvixEditorTest, EditAfterClearStoresNullsAndUpdatesTheRowCells) {
  db.Raw("UPDATE Corvix SET CxDummy1 = 'kept' WHERE CorvixID = 1");
  auto* list = OpenList("frmCorvixList", 1);
  frmCorvix* e = Open(*this, list, "UpdateRecord");
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->Caption(), "Update Corvix");
  EXPECT_TRUE(e->txtCorvixid->isHidden());
  e->EnableMenus();
  EXPECT_TRUE(MenuEnabling::MenuEnabled("mnuFileSave"));
  EXPECT_TRUE(MenuEnabling::MenuEnabled("mnuDataClear"));
  for (const char* m : {"mnuDataAdd", "mnuDataCopy", "mnuDataUpdate", "mnuDataDelete", "mnuDataProperties",
                        "mnuDataSelect", "mnuDataRefresh", "mnuEditCorvixList", "mnuEditAdvancedDetailList"})
    EXPECT_FALSE(MenuEnabling::MenuEnabled(m)) << m;
  EXPECT_EQ(e->fields[2]->text(), "kept");
  e->ClearForm();
  EXPECT_EQ(e->txtCorvixid->text(), "1");
  e->fields[0]->setText("it's 2");
  e->cmdOK_Click();
  EXPECT_TRUE(boxes.boxes().empty());
  EXPECT_EQ(db.Scalar("SELECT CorvixVersion FROM Corvix WHERE CorvixID = 1"), "it's 2");
  EXPECT_EQ(db.Scalar("SELECT CxDummy1 FROM Corvix WHERE CorvixID = 1"), "NULL");
  EXPECT_EQ(list->lvw->SelectedItem()->SubItem(1), "it's 2");
  EXPECT_EQ(list->lvw->SelectedItem()->Text(), "1");
}

TEST_F(CorvixEditorTest, AddStoresNullsAndSelectsTheNewRow) {
  auto* list = OpenList("frmCorvixList");
  frmCorvix* e = Open(*this, list, "AddRecord");
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->Caption(), "Add New Corvix");
  // The buttons sit at the bottom right, 90 twips apart.
  e->SetWidth(8000);
  e->SetHeight(6000);
  e->Form_Resize();
  EXPECT_NEAR(ui::LeftOf(e->cmdOK), 8000 - 2470, 15);
  EXPECT_NEAR(ui::LeftOf(e->cmdCancel), 8000 - 1280, 15);
  EXPECT_NEAR(ui::TopOf(e->cmdOK), 6000 - 835, 15);
  EXPECT_NEAR(ui::WidthOf(e->cmdOK), 1100, 15);
  e->cmdOK_Click();
  const std::string id = db.Scalar("SELECT MAX(CorvixID) FROM Corvix");
  EXPECT_EQ(db.Scalar("SELECT COALESCE(CorvixVersion, CxDummy10, 'all null') FROM Corvix WHERE CorvixID = " + id),
            "all null");
  ASSERT_NE(list->lvw->SelectedItem(), nullptr);
  EXPECT_EQ(list->lvw->SelectedItem()->Key(), "KY_" + id);
  EXPECT_EQ(list->lvw->SelectedItem()->Text(), id);
  EXPECT_EQ(Editor<frmCorvix>("frmCorvix"), nullptr);
}
