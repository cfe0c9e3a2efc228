// Menu and toolbar enabling: the no-active-window state, the start panel's state, and where a
// name the table lacks stops the two passes.
#include <map>

#include "platform/ui/Global.h"
#include "runtime/Guard.h"
#include "shell/MDIMain.h"
#include "shell/MenuEnabling.h"
#include "shell/frmOpen.h"
#include "tests/shell/windows_fixture.h"

namespace {

using MenusTest = ShellTest;

std::map<std::string, bool> MenuStates(const MDIMain& main) {
  std::map<std::string, bool> out;
  for (QObject* c : main.Controls())
    if (auto* m = qobject_cast<ui::MenuItem*>(c)) out[m->objectName().toStdString()] = m->Enabled();
  return out;
}

std::map<std::string, bool> ButtonStates(const MDIMain& main) {
  std::map<std::string, bool> out;
  for (ui::ToolbarButton* b : main.tbrMain->Buttons())
    if (b->Style() != ui::tbrSeparator) out[b->Key()] = b->Enabled();
  return out;
}

TEST_F(MenusTest, MainWindowControlsAreReachableByNameInDesignOrder) {
  MDIMain& main = ui::Global<MDIMain>();
  std::vector<std::string> names;
  for (QObject* c : main.Controls()) names.push_back(c->objectName().toStdString());
  ASSERT_EQ(names.size(), 40u);
  EXPECT_EQ(names.front(), "mnuFile");
  EXPECT_EQ(names[34], "mnuHelpHelp");
  EXPECT_EQ(std::vector<std::string>(names.begin() + 35, names.end()),
            (std::vector<std::string>{"tbrMain", "imgMDIMain", "prgBar", "stabarMain", "diaMain"}));
  EXPECT_EQ(main.Menu("mnuFileExit")->Shortcut(), "F3");
  EXPECT_EQ(main.Menu("mnuDataDelete")->Shortcut(), "Shift+Del");
  EXPECT_EQ(main.Menu("mnuDataAdd")->Caption(), "&Add ...");
  EXPECT_TRUE(main.Menu("mnuDataSep2")->IsSeparator());
  std::vector<std::string> keys;
  for (ui::ToolbarButton* b : main.tbrMain->Buttons()) keys.push_back(b->Style() == ui::tbrSeparator ? "|" : b->Key());
  EXPECT_EQ(keys, (std::vector<std::string>{"SAVE", "|", "CLOSE", "|", "ADD", "EDIT", "DELETE", "PROPERTIES", "|",
                                            "REFRESH", "CLEAR", "|", "HELP", "|", "EXIT"}));
  EXPECT_EQ(main.tbrMain->Button("EDIT")->ToolTipText(), "Edit Selected Record");
}

TEST_F(MenusTest, LoadingLeavesTheNoActiveWindowState) {
  MDIMain& main = ui::Global<MDIMain>();
  auto menus = MenuStates(main);
  const std::vector<std::string> disabled = {"mnuFileSave",       "mnuFileClose",  "mnuDataAdd",
                                             "mnuDataCopy",       "mnuDataUpdate", "mnuDataDelete",
                                             "mnuDataProperties", "mnuDataSelect", "mnuDataRefresh",
                                             "mnuDataClear",      "mnuEditCorvixList", "mnuEditAdvancedDetailList"};
  for (const auto& [name, enabled] : menus)
    EXPECT_EQ(enabled, std::find(disabled.begin(), disabled.end(), name) == disabled.end()) << name;
  auto buttons = ButtonStates(main);
  for (const auto& [key, enabled] : buttons) EXPECT_EQ(enabled, key == "HELP" || key == "EXIT") << key;
  EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(MenusTest, StartPanelState) {
  MDIMain& main = ui::Global<MDIMain>();
  ui::Global<frmOpen>().EnableMenus();
  auto menus = MenuStates(main);
  const std::vector<std::string> disabled = {"mnuFileSave",   "mnuDataClear",      "mnuFileImport",
                                             "mnuDataAdd",    "mnuDataCopy",       "mnuDataUpdate",
                                             "mnuDataDelete", "mnuDataProperties", "mnuDataSelect",
                                             "mnuDataRefresh", "mnuEditCorvixList", "mnuEditAdvancedDetailList"};
  for (const auto& [name, enabled] : menus)
    EXPECT_EQ(enabled, std::find(disabled.begin(), disabled.end(), name) == disabled.end()) << name;
  for (const auto& [key, enabled] : ButtonStates(main))
    EXPECT_EQ(enabled, key == "CLOSE" || key == "HELP" || key == "EXIT") << key;
}

TEST_F(MenusTest, NameMissingFromTheTableStopsThePassesThere) {
  MDIMain& main = ui::Global<MDIMain>();
  std::vector<std::string> names;  // every menu item but one, all disabled
  for (QObject* c : main.Controls())
    if (qobject_cast<ui::MenuItem*>(c) && c->objectName() != "mnuHelpAbout")
      names.push_back(c->objectName().toStdString());
  MenuEnabling::MenuStates states;
  for (const std::string& n : names) states.emplace_back(n, false);
  vb::Guard("frmTest", "EnableMenus", [&] { MenuEnabling::SetMainMenus(states); });
  ASSERT_EQ(boxes.boxes().size(), 1u);
  EXPECT_EQ(boxes.boxes()[0].prompt,
            ErrorBoxText("frmTest", "EnableMenus", 10000,
                         "Programming error. case not coded. Do not know how to enabled / disable control "
                         "'mnuHelpAbout'."));
  EXPECT_FALSE(main.Menu("mnuHelp")->Enabled());     // before the unknown name
  EXPECT_TRUE(main.Menu("mnuHelpHelp")->Enabled());  // after it: untouched
  EXPECT_TRUE(main.tbrMain->Button("EXIT")->Enabled());  // toolbar pass not run
}

TEST_F(MenusTest, SeparatorsPassAndUnknownButtonKeysRaise) {
  MDIMain& main = ui::Global<MDIMain>();
  main.tbrMain->AddButton("", ui::tbrSeparator);
  vb::Guard("frmTest", "EnableMenus", [&] { MenuEnabling::MirrorToolbar(); });
  EXPECT_TRUE(boxes.boxes().empty());
  main.tbrMain->AddButton("SPARE", ui::tbrDefault);
  vb::Guard("frmTest", "EnableMenus", [&] { MenuEnabling::MirrorToolbar(); });
  ASSERT_EQ(boxes.boxes().size(), 1u);
  EXPECT_NE(boxes.boxes()[0].prompt.find(
                "Programming error. Case not coded. Do not know whether to enable / disable button with key 'SPARE'."),
            std::string::npos);
}

}  // namespace
