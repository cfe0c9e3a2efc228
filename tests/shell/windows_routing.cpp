// Command routing: with no active window a command only beeps; a known window gets the operation
// by name; an unknown window, or a missing operation, reaches the error box under MDIMain.
#include <QMdiSubWindow>

#include "platform/ui/CallByName.h"
#include "lists/RecordLists.h"
#include "platform/ui/Global.h"
#include "shell/ChildForms.h"
#include "shell/MDIMain.h"
#include "tests/shell/windows_fixture.h"
#include "tests/shell/windows_probe.h"

namespace {

using RoutingTest = ShellTest;

struct Command {
  void (MDIMain::*handler)();
  const char* procedure;
  const char* operation;
  const char* window;  // a window the command accepts
};

const Command kCommands[] = {
    {&MDIMain::mnuDataAdd_Click, "mnuDataAdd_Click", "AddRecord", "frmCompoundsList"},
    {&MDIMain::mnuDataUpdate_Click, "mnuDataUpdate_Click", "UpdateRecord", "frmEmissionList"},
    {&MDIMain::mnuDataDelete_Click, "mnuDataDelete_Click", "DeleteRecord", "frmRunList"},
    {&MDIMain::mnuDataProperties_Click, "mnuDataProperties_Click", "DisplayRecord", "frmCorvixList"},
    {&MDIMain::mnuDataSelect_Click, "mnuDataSelect_Click", "SelectRecord", "frmAdvancedDetailList"},
    {&MDIMain::mnuDataRefresh_Click, "mnuDataRefresh_Click", "RefreshList", "frmEnvironmentList"},
    {&MDIMain::mnuDataClear_Click, "mnuDataClear_Click", "ClearForm", "frmCompounds"},
    {&MDIMain::mnuFileClose_Click, "mnuFileClose_Click", "CloseForm", "frmRun"},
    {&MDIMain::mnuFileSave_Click, "mnuFileSave_Click", "SaveDetails", "frmEnvironment"},
};

TEST_F(RoutingTest, WithoutActiveWindowEveryCommandOnlyBeeps) {
  MDIMain& main = ui::Global<MDIMain>();
  for (const Command& c : kCommands) (main.*c.handler)();
  main.mnuDataCopy_Click();
  for (ui::ToolbarButton* b : main.tbrMain->Buttons())
    if (b->Key() != "EXIT" && b->Key() != "HELP" && b->Style() != ui::tbrSeparator) main.tbrMain_ButtonClick(b);
  EXPECT_TRUE(boxes.boxes().empty());
  EXPECT_EQ(boxes.beeps(), 10 + 8);
}

TEST_F(RoutingTest, KnownWindowGetsTheOperationByName) {
  MDIMain& main = ui::Global<MDIMain>();
  for (const Command& c : kCommands) {
    auto* probe = new ProbeForm(c.window);
    probe->Load();
    main.SetfrmActive(probe);
    (main.*c.handler)();
    EXPECT_EQ(probe->calls, (std::vector<std::string>{"EnableMenus", c.operation})) << c.procedure;
    probe->Unload();
  }
  EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(RoutingTest, UnknownWindowIsAProgrammingError) {
  MDIMain& main = ui::Global<MDIMain>();
  auto* probe = new ProbeForm("frmResult");
  probe->Load();
  main.SetfrmActive(probe);
  // Stored first; then the menu refresh does not know the window.
  EXPECT_EQ(main.frmActive(), probe);
  ASSERT_EQ(boxes.boxes().size(), 1u);
  EXPECT_EQ(boxes.boxes()[0].prompt,
            ErrorBoxText("MDIMain", "EnableMenus", 10000,
                         "Programming error. Case not coded. Do not know how to enable menus for form 'frmResult'."));
  boxes.Clear();
  main.mnuDataAdd_Click();
  main.mnuFileSave_Click();
  ASSERT_EQ(boxes.boxes().size(), 2u);
  EXPECT_EQ(boxes.boxes()[0].prompt,
            ErrorBoxText("MDIMain", "mnuDataAdd_Click", 10000,
                         "Programming error. Case not coded. Do not know how to add a record for form 'frmResult'."));
  EXPECT_EQ(boxes.boxes()[1].prompt,
            ErrorBoxText("MDIMain", "mnuFileSave_Click", 10000,
                         "Programming error. Case not coded. Do not know how to save details for 'frmResult'."));
  EXPECT_TRUE(probe->calls.empty());
}

TEST_F(RoutingTest, ListWithoutTheOperationGivesError438) {
  MDIMain& main = ui::Global<MDIMain>();
  auto* probe = new ProbeForm("frmCorvixList");  // lists of this kind have no CopyRecord
  probe->Load();
  main.SetfrmActive(probe);
  main.mnuDataCopy_Click();
  ASSERT_EQ(boxes.boxes().size(), 1u);
  EXPECT_EQ(boxes.boxes()[0].prompt, ErrorBoxText("MDIMain", "mnuDataCopy_Click", 438,
                                                  "Object doesn't support this property or method"));
}

TEST_F(RoutingTest, ToolbarKeysMatchAfterUpperCasing) {
  MDIMain& main = ui::Global<MDIMain>();
  auto* probe = new ProbeForm("frmCompoundsList");
  probe->Load();
  main.SetfrmActive(probe);
  ui::ToolbarButton* lower = main.tbrMain->AddButton("edit", ui::tbrDefault);
  ui::ToolbarButton* odd = main.tbrMain->AddButton("Odd", ui::tbrDefault);
  main.tbrMain_ButtonClick(lower);
  EXPECT_EQ(probe->calls.back(), "UpdateRecord");
  main.tbrMain_ButtonClick(odd);
  ASSERT_FALSE(boxes.boxes().empty());
  EXPECT_EQ(boxes.boxes().back().prompt,
            ErrorBoxText("MDIMain", "tbrMain_ButtonClick", 10000,
                         "Programming error. Case not coded. Do not have code to handle toolbar button 'Odd'."));
}

TEST_F(RoutingTest, UnloadedActiveWindowLeavesNoActiveWindow) {
  MDIMain& main = ui::Global<MDIMain>();
  auto* probe = new ProbeForm("frmCompounds");
  probe->Load();
  main.SetfrmActive(probe);
  main.Menu("mnuFileSave")->SetEnabled(true);
  probe->Unload();  // editors never clear it themselves
  EXPECT_EQ(main.frmActive(), nullptr);
  EXPECT_FALSE(main.Menu("mnuFileSave")->Enabled());  // the no-active-window state again
  ui::FlushDeletes();
  main.mnuFileSave_Click();
  EXPECT_TRUE(boxes.boxes().empty());
  EXPECT_EQ(boxes.beeps(), 1);
}

TEST_F(RoutingTest, ListOpenerBringsTheOpenListForwardAndSkipsHiddenOnes) {
  OpenDatabase();
  MDIMain& main = ui::Global<MDIMain>();
  main.Show();
  auto count = [] {
    int n = 0;
    for (QWidget* w : ui::Forms()) n += w->objectName() == "frmEmissionList";
    return n;
  };
  main.mnuEditEmissionList_Click();
  main.mnuEditEmissionList_Click();
  EXPECT_EQ(count(), 1);
  QWidget* first = ui::FindForm("frmEmissionList");
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(ui::GetProperty(first, "Mode").toInt(), 5);
  EXPECT_EQ(ui::GetProperty(first, "frmParent").value<QWidget*>(), &main);
  EXPECT_EQ(main.frmActive(), first);  // the list registers itself while it loads
  static_cast<ui::Form*>(first)->Hide();
  main.mnuEditEmissionList_Click();
  EXPECT_EQ(count(), 2);
  EXPECT_TRUE(boxes.boxes().empty());
}

// The Edit menu finds each table's list by what the list registered.
TEST_F(RoutingTest, EachListCommandOpensTheListOfItsTable) {
  OpenDatabase();
  MDIMain& main = ui::Global<MDIMain>();
  main.Show();
  const struct {
    void (MDIMain::*handler)();
    const char* list;
    lists::Table table;
  } cases[] = {
      {&MDIMain::mnuEditCompoundsList_Click, "frmCompoundsList", lists::Table::Compounds},
      {&MDIMain::mnuEditEmissionList_Click, "frmEmissionList", lists::Table::Emission},
      {&MDIMain::mnuEditEnvironmentList_Click, "frmEnvironmentList", lists::Table::Environment},
      {&MDIMain::mnuEditCorvixList_Click, "frmCorvixList", lists::Table::Corvix},
      {&MDIMain::mnuEditAdvancedDetailList_Click, "frmAdvancedDetailList", lists::Table::AdvancedDetail},
      {&MDIMain::mnuEditRunList_Click, "frmRunList", lists::Table::Run},
  };
  for (const auto& c : cases) {
    (main.*c.handler)();
    auto* list = qobject_cast<lists::RecordList*>(main.frmActive());
    ASSERT_NE(list, nullptr) << c.list;
    EXPECT_EQ(list->objectName(), c.list);
    EXPECT_EQ(list->table(), c.table) << c.list;
    // A routed command reaches it as a list.
    main.mnuDataRefresh_Click();
  }
  EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(RoutingTest, WindowMenuCascadesTilesAndArrangesIcons) {
  MDIMain& main = ui::Global<MDIMain>();
  main.resize(900, 700);
  main.Show();
  auto* a = new ProbeForm("frmA");
  auto* b = new ProbeForm("frmB");
  auto* c = new ProbeForm("frmC");
  for (ProbeForm* f : {a, b, c}) f->Show();
  c->SubWindow()->showMinimized();
  const QRect area = main.mdiArea->viewport()->rect();
  main.mnuWindowTileHorizontally_Click();
  EXPECT_EQ(a->SubWindow()->width(), area.width());
  EXPECT_EQ(b->SubWindow()->width(), area.width());
  EXPECT_NE(a->SubWindow()->y(), b->SubWindow()->y());
  main.mnuWindowTileVertically_Click();
  EXPECT_EQ(a->SubWindow()->y(), 0);
  EXPECT_EQ(b->SubWindow()->y(), 0);
  EXPECT_EQ(a->SubWindow()->width() + b->SubWindow()->width(), area.width());
  main.mnuWindowCascade_Click();
  // One behind the other, each shifted down and right from the one behind it.
  const QPoint pa = a->SubWindow()->pos(), pb = b->SubWindow()->pos();
  EXPECT_NE(pa, pb);
  EXPECT_EQ(pa.x() < pb.x(), pa.y() < pb.y());
  EXPECT_LT(a->SubWindow()->width(), area.width());
  main.mnuWindowArrangeIcons_Click();
  EXPECT_EQ(c->SubWindow()->x(), 0);
  EXPECT_EQ(c->SubWindow()->y() + c->SubWindow()->height(), area.height());
  EXPECT_TRUE(boxes.boxes().empty());
}

}  // namespace
