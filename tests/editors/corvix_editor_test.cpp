// The engine-settings editor and the shared editor protocol it shows most plainly: modes, the menu
// states, the button placement, add and edit with the parent list's row.
#include <QApplication>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMetaObject>

#include "editors/frmCorvix.h"
#include "platform/ui/Form.h"
#include "platform/ui/Global.h"
#include "platform/ui/ListView.h"
#include "platform/ui/Twips.h"
#include "shell/MDIMain.h"
#include "shell/MenuEnabling.h"
#include "tests/editors/editor_fixture.h"

namespace {

using CorvixEditorTest = EditorTest;

frmCorvix* Open(EditorTest& t, lists::RecordList* list, const char* operation) {
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

TEST_F(CorvixEditorTest, EditAfterClearKeepsTheHiddenColumnsAndUpdatesTheRowCells) {
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
  EXPECT_TRUE(e->fields[1]->text().isEmpty());
  e->fields[0]->setText("it's 2");
  e->cmdOK_Click();
  EXPECT_TRUE(boxes.boxes().empty());
  EXPECT_EQ(db.Scalar("SELECT CorvixVersion FROM Corvix WHERE CorvixID = 1"), "it's 2");
  // The reserved columns are never shown, so Clear leaves them as stored.
  EXPECT_EQ(db.Scalar("SELECT CxDummy1 FROM Corvix WHERE CorvixID = 1"), "kept");
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

namespace {

void Key(QWidget* target, int key) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
  QApplication::sendEvent(target, &press);
}

}  // namespace

TEST_F(CorvixEditorTest, EnterSavesEscapeClosesAndTheParentStaysOutOfUse) {
  auto* list = OpenList("frmCorvixList", 1);
  frmCorvix* e = Open(*this, list, "UpdateRecord");
  ASSERT_NE(e, nullptr);
  ASSERT_NE(list->SubWindow(), nullptr);
  // The list's frame too, so that it can be neither brought in front of its editor nor activated.
  EXPECT_FALSE(list->SubWindow()->isEnabled());
  ui::MdiArea()->setActiveSubWindow(list->SubWindow());
  QCoreApplication::processEvents();
  EXPECT_EQ(ui::MdiArea()->activeSubWindow(), e->SubWindow());
  EXPECT_EQ(ui::Global<MDIMain>().frmActive(), e);
  EXPECT_FALSE(MenuEnabling::MenuEnabled("mnuDataUpdate"));
  e->fields[0]->setText("by enter");
  Key(e->fields[0], Qt::Key_Return);
  EXPECT_TRUE(boxes.boxes().empty());
  EXPECT_EQ(db.Scalar("SELECT CorvixVersion FROM Corvix WHERE CorvixID = 1"), "by enter");
  EXPECT_EQ(list->lvw->SelectedItem()->SubItem(1), "by enter");
  EXPECT_EQ(Editor<frmCorvix>("frmCorvix"), nullptr);
  EXPECT_TRUE(list->SubWindow()->isEnabled());
  EXPECT_TRUE(list->isEnabled());

  const std::string count = db.Scalar("SELECT COUNT(*) FROM Corvix");
  e = Open(*this, list, "AddRecord");
  ASSERT_NE(e, nullptr);
  e->fields[0]->setText("dropped");
  Key(e->fields[0], Qt::Key_Escape);
  EXPECT_EQ(Editor<frmCorvix>("frmCorvix"), nullptr);
  EXPECT_EQ(db.Scalar("SELECT COUNT(*) FROM Corvix"), count);

  // A focused button takes Enter itself: in view mode the focus starts on Close, the one control
  // in use, and Enter there closes without saving.
  e = Open(*this, list, "DisplayRecord");
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->focusWidget(), e->cmdCancel);
  Key(e->txtCorvixid, Qt::Key_Enter);
  EXPECT_EQ(Editor<frmCorvix>("frmCorvix"), nullptr);
  EXPECT_EQ(db.Scalar("SELECT COUNT(*) FROM Corvix"), count);

  // The window's own close box gives the list back its use and the activation.
  e = Open(*this, list, "DisplayRecord");
  ASSERT_NE(e, nullptr);
  e->SubWindow()->close();
  ui::FlushDeletes();
  EXPECT_EQ(Editor<frmCorvix>("frmCorvix"), nullptr);
  EXPECT_TRUE(list->SubWindow()->isEnabled());
  EXPECT_TRUE(list->isEnabled());
  EXPECT_EQ(ui::MdiArea()->activeSubWindow(), list->SubWindow());
  EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(CorvixEditorTest, OpensInsideTheMainWindowsClientArea) {
  // The compound editor nearly fills this area; where it would hang out of it, it is pulled back.
  auto* list = OpenList("frmCompoundsList", 1);
  QMdiArea* area = ui::MdiArea();
  ASSERT_NE(area, nullptr);
  area->window()->resize(1000, 760);
  area->window()->show();
  list->SubWindow()->move(0, 0);
  QMetaObject::invokeMethod(list, "UpdateRecord");
  auto* e = Editor<ui::Form>("frmCompounds");
  ASSERT_NE(e, nullptr);
  ASSERT_NE(e->SubWindow(), nullptr);
  const QRect g = e->SubWindow()->geometry();
  EXPECT_GE(g.left(), 0);
  EXPECT_GE(g.top(), 0);
  EXPECT_LE(g.right(), area->viewport()->width());
  EXPECT_LE(g.bottom(), area->viewport()->height());
}
