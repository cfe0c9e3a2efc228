// Menu and toolbar enabling: the no-active-window state, the start panel's state, every window's
// state in each of its modes, and where a name the table lacks stops the two passes.
#include <QFile>
#include <QImage>
#include <QMdiSubWindow>
#include <QTextBrowser>
#include <QTimer>
#include <map>

#include "lists/RecordLists.h"
#include "platform/ui/CallByName.h"
#include "platform/ui/Global.h"
#include "platform/ui/HelpWindow.h"
#include "runtime/Guard.h"
#include "shell/ChildForms.h"
#include "shell/MDIMain.h"
#include "shell/MenuEnabling.h"
#include "shell/frmOpen.h"
#include "tests/shell/windows_fixture.h"
#include "tests/shell/windows_probe.h"

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

// The 35 menu objects in design order, with their stored captions and shortcuts.
const struct {
  const char* name;
  const char* caption;
  const char* shortcut;
} kMenus[] = {
    {"mnuFile", "&File", ""},
    {"mnuFileImport", "&Import compounds", ""},
    {"mnuFileSep0", "-", ""},
    {"mnuFileSave", "&Save", ""},
    {"mnuFileSep1", "-", ""},
    {"mnuFileClose", "&Close", ""},
    {"mnuFileSep2", "-", ""},
    {"mnuFileExit", "E&xit", "F3"},
    {"mnuData", "&Data", ""},
    {"mnuDataAdd", "&Add ...", "Ctrl+A"},
    {"mnuDataCopy", "C&opy ...", "Ctrl+O"},
    {"mnuDataUpdate", "&Update ...", "Ctrl+U"},
    {"mnuDataDelete", "&Delete", "Shift+Del"},
    {"mnuDataSep1", "-", ""},
    {"mnuDataProperties", "P&roperties ...", "F4"},
    {"mnuDataSep2", "-", ""},
    {"mnuDataSelect", "&Select", ""},
    {"mnuDataSep3", "-", ""},
    {"mnuDataRefresh", "&Refresh", ""},
    {"mnuDataClear", "&Clear", ""},
    {"mnuEdit", "&Edit", ""},
    {"mnuEditCompoundsList", "Compound List ...", ""},
    {"mnuEditCorvixList", "Corvix List ...", ""},
    {"mnuEditEmissionList", "Emission List ...", ""},
    {"mnuEditAdvancedDetailList", "Advanced detail List ...", ""},
    {"mnuEditEnvironmentList", "Estuary List ...", ""},
    {"mnuEditRunList", "Run List ...", ""},
    {"mnuWindow", "&Window", ""},
    {"mnuWindowTileHorizontally", "Tile &Horizontally", ""},
    {"mnuWindowTileVertically", "Tile &Vertically", ""},
    {"mnuWindowCascade", "&Cascade", ""},
    {"mnuWindowArrangeIcons", "&Arrange Icons", ""},
    {"mnuHelp", "&Help", ""},
    {"mnuHelpAbout", "&About ...", ""},
    {"mnuHelpHelp", "&Help ...", ""},
};

TEST_F(MenusTest, MainWindowControlsAreReachableByNameInDesignOrder) {
  MDIMain& main = ui::Global<MDIMain>();
  std::vector<std::string> names;
  for (QObject* c : main.Controls()) names.push_back(c->objectName().toStdString());
  ASSERT_EQ(names.size(), 40u);
  for (std::size_t i = 0; i < std::size(kMenus); ++i) {
    EXPECT_EQ(names[i], kMenus[i].name);
    ui::MenuItem* item = main.Menu(kMenus[i].name);
    ASSERT_NE(item, nullptr) << kMenus[i].name;
    EXPECT_EQ(item->Caption(), kMenus[i].caption) << kMenus[i].name;
    EXPECT_EQ(item->Shortcut().toStdString(), kMenus[i].shortcut) << kMenus[i].name;
    EXPECT_EQ(item->IsSeparator(), std::string(kMenus[i].caption) == "-") << kMenus[i].name;
  }
  EXPECT_EQ(std::vector<std::string>(names.begin() + 35, names.end()),
            (std::vector<std::string>{"tbrMain", "imgMDIMain", "prgBar", "stabarMain", "diaMain"}));
  std::vector<std::string> keys;
  for (ui::ToolbarButton* b : main.tbrMain->Buttons()) keys.push_back(b->Style() == ui::tbrSeparator ? "|" : b->Key());
  EXPECT_EQ(keys, (std::vector<std::string>{"SAVE", "|", "CLOSE", "|", "ADD", "EDIT", "DELETE", "PROPERTIES", "|",
                                            "REFRESH", "CLEAR", "|", "HELP", "|", "EXIT"}));
  EXPECT_EQ(main.tbrMain->Button("EDIT")->ToolTipText(), "Edit Selected Record");
  // Each command button shows its own picture of the image list.
  ASSERT_EQ(main.imgMDIMain->Count(), 10);
  EXPECT_EQ(main.imgMDIMain->Key(4), "Update");
  for (ui::ToolbarButton* b : main.tbrMain->Buttons())
    if (b->Style() != ui::tbrSeparator) {
      EXPECT_FALSE(b->Action()->icon().isNull()) << b->Key();
    }
}

// Every picture the toolbar asks for is its own 16 by 16 image from the shell's resource, not the
// empty stand-in that an unknown key gets.
TEST_F(MenusTest, ToolbarPicturesComeFromTheResource) {
  MDIMain& main = ui::Global<MDIMain>();
  auto image = [](const QIcon& icon) { return icon.pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32); };
  auto drawn = [](const QImage& im) {
    for (int y = 0; y < im.height(); ++y)
      for (int x = 0; x < im.width(); ++x)
        if (qAlpha(im.pixel(x, y)) == 255) return true;
    return false;
  };
  std::vector<QImage> seen;
  for (int i = 1; i <= main.imgMDIMain->Count(); ++i) {
    const std::string key = main.imgMDIMain->Key(i);
    ASSERT_TRUE(QFile::exists(QString::fromStdString(":/shell/images/" + key + ".png"))) << key;
    const QImage im = image(main.imgMDIMain->Image(i));
    EXPECT_EQ(im.size(), QSize(16, 16)) << key;
    EXPECT_TRUE(drawn(im)) << key;
    for (const QImage& other : seen) EXPECT_NE(im, other) << key;
    seen.push_back(im);
  }
  EXPECT_EQ(seen.size(), 10u);
  const QImage unknown = image(ToolbarPicture("NoSuchPicture"));
  EXPECT_EQ(unknown.size(), QSize(16, 16));
  EXPECT_FALSE(drawn(unknown));
}

// Choosing each menu item runs its own handler.
TEST_F(MenusTest, EveryMenuItemRunsItsHandler) {
  OpenDatabase();
  MDIMain& main = ui::Global<MDIMain>();
  main.Show();
  auto choose = [&](const char* name) {
    ui::MenuItem* item = main.Menu(name);
    item->SetEnabled(true);
    item->Action()->trigger();
  };
  const std::pair<const char*, const char*> routed[] = {
      {"mnuDataAdd", "AddRecord"},         {"mnuDataUpdate", "UpdateRecord"}, {"mnuDataDelete", "DeleteRecord"},
      {"mnuDataProperties", "DisplayRecord"}, {"mnuDataSelect", "SelectRecord"}, {"mnuDataRefresh", "RefreshList"},
      {"mnuDataClear", "ClearForm"},       {"mnuFileClose", "CloseForm"}};
  auto* list = new ProbeForm("frmCompoundsList");
  list->Load();
  main.SetfrmActive(list);
  for (const auto& [menu, operation] : routed) {
    list->calls.clear();
    choose(menu);
    EXPECT_EQ(list->calls, std::vector<std::string>{operation}) << menu;
  }
  choose("mnuDataCopy");  // the probe has no CopyRecord: the routing reached it and reports 438
  ASSERT_EQ(boxes.boxes().size(), 1u);
  EXPECT_NE(boxes.boxes()[0].prompt.find("'mnuDataCopy_Click'"), std::string::npos);
  auto* editor = new ProbeForm("frmCompounds");
  editor->Load();
  main.SetfrmActive(editor);
  choose("mnuFileSave");
  EXPECT_EQ(editor->calls.back(), "SaveDetails");
  main.SetfrmActive(nullptr);

  for (const char* menu : {"mnuEditCompoundsList", "mnuEditCorvixList", "mnuEditEmissionList",
                           "mnuEditAdvancedDetailList", "mnuEditEnvironmentList", "mnuEditRunList"}) {
    choose(menu);
    const std::string form = "frm" + std::string(menu).substr(7);
    EXPECT_NE(ui::FindForm(form), nullptr) << menu;
  }

  choose("mnuHelpHelp");
  ASSERT_NE(ui::HelpBrowser(), nullptr);
  EXPECT_TRUE(ui::HelpBrowser()->source().toLocalFile().endsWith("introduction.htm"));
  delete ui::HelpWindow();
  bool aboutShown = false;
  QTimer::singleShot(0, [&] {
    if (auto* about = ui::FindForm("frmAbout")) {
      aboutShown = about->isModal();
      ui::UnloadForm(about);
    }
  });
  choose("mnuHelpAbout");
  EXPECT_TRUE(aboutShown);

  EXPECT_EQ(ends, 0);
  choose("mnuFileExit");
  EXPECT_EQ(ends, 1);
  EXPECT_EQ(boxes.boxes().size(), 1u);
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

// What each window leaves on the main window's 35 menu items, in design order, one digit per item
// (1 enabled), one group per menu: File, Data, Edit, Window and Help.
std::string MenuDigits(const MDIMain& main) {
  std::string out;
  const std::size_t groupEnds[] = {8, 20, 27, 32};
  for (std::size_t i = 0; i < std::size(kMenus); ++i) {
    out += main.Menu(kMenus[i].name)->Enabled() ? '1' : '0';
    if (std::find(std::begin(groupEnds), std::end(groupEnds), i + 1) != std::end(groupEnds)) out += ' ';
  }
  return out;
}

// The toolbar follows the menu items it stands for.
void ExpectToolbarFollowsMenus(const MDIMain& main, const std::string& context) {
  const std::pair<const char*, const char*> mirror[] = {
      {"SAVE", "mnuFileSave"},         {"CLOSE", "mnuFileClose"},     {"ADD", "mnuDataAdd"},
      {"EDIT", "mnuDataUpdate"},       {"DELETE", "mnuDataDelete"},   {"PROPERTIES", "mnuDataProperties"},
      {"REFRESH", "mnuDataRefresh"},   {"CLEAR", "mnuDataClear"},     {"HELP", "mnuHelpAbout"},
      {"EXIT", "mnuFileExit"}};
  for (const auto& [key, menu] : mirror)
    EXPECT_EQ(main.tbrMain->Button(key)->Enabled(), main.Menu(menu)->Enabled()) << context << " " << key;
}

// Sets every menu item to the opposite of `expected`, so that a state left over cannot pass.
void Invert(MDIMain& main, const std::string& expected) {
  std::size_t d = 0;
  for (const auto& m : kMenus) {
    while (expected[d] == ' ') ++d;
    main.Menu(m.name)->SetEnabled(expected[d++] == '0');
  }
}

TEST_F(MenusTest, EveryWindowLeavesItsOwnStatesInEachMode) {
  MDIMain& main = ui::Global<MDIMain>();
  auto check = [&](const std::string& context, const std::string& expected, auto&& enable) {
    Invert(main, expected);
    enable();
    EXPECT_EQ(MenuDigits(main), expected) << context;
    ExpectToolbarFollowsMenus(main, context);
  };

  check("no active window", "11101011 100001010100 1101011 11111 111", [&] { main.SetfrmActive(nullptr); });
  check("start panel", "10101111 100001010100 1101011 11111 111", [] { ui::Global<frmOpen>().EnableMenus(); });
  for (const char* name : {"frmCalc", "frmResult"}) {
    std::unique_ptr<ui::Form> window(ChildForms::New(name));
    check(name, std::string(name) == "frmCalc" ? "10101111 000001010100 1101011 00000 111"
                                               : "10101111 100001010100 1101011 11111 111",
          [&] { ui::CallByName(window.get(), "EnableMenus"); });
  }

  // An editor saves and clears in every mode but view.
  for (const char* name : {"frmCompounds", "frmCorvix", "frmEmission", "frmAdvancedDetail", "frmEnvironment", "frmRun"})
    for (int mode : {modView, modEdit, modAdd, modCopy}) {
      std::unique_ptr<ui::Form> editor(ChildForms::New(name));
      ui::SetProperty(editor.get(), "Mode", mode);
      check(std::string(name) + " mode " + std::to_string(mode),
            mode == modView ? "10101111 100001010100 1101011 11111 111" : "10111111 100001010101 1101011 11111 111",
            [&] { ui::CallByName(editor.get(), "EnableMenus"); });
    }

  // A list: its Data menu by mode and by a selected row.
  const struct {
    const char* kind;
    int mode;
    bool selected;
    const char* data;
  } lists[] = {
      {"copies", modSelect, false, "100001010111"},
      {"copies", modSelect, true, "100001111111"},
      {"copies", modMaintain, false, "110001010111"},
      {"copies", modMaintain, true, "111111110111"},
      {"copies", modSelectMaintain, false, "110001010111"},
      {"copies", modSelectMaintain, true, "111111111111"},
      {"selects", modSelect, false, "100001010111"},
      {"selects", modSelect, true, "100001111111"},
      {"selects", modMaintain, false, "110001010111"},
      {"selects", modMaintain, true, "110111110111"},
      {"selects", modSelectMaintain, false, "110001010111"},
      {"selects", modSelectMaintain, true, "110111111111"},
      {"runs", modSelect, false, "100001010111"},
      {"runs", modSelect, true, "100001110111"},
      {"runs", modMaintain, false, "100001010111"},
      {"runs", modMaintain, true, "100011110111"},
      {"runs", modSelectMaintain, false, "100001010111"},
      {"runs", modSelectMaintain, true, "100011110111"},
  };
  const std::pair<const char*, const char*> kinds[] = {
      {"frmCompoundsList", "copies"}, {"frmEmissionList", "copies"},       {"frmEnvironmentList", "copies"},
      {"frmCorvixList", "selects"},   {"frmAdvancedDetailList", "selects"}, {"frmRunList", "runs"}};
  for (const auto& [name, kind] : kinds)
    for (const auto& c : lists) {
      if (std::string(c.kind) != kind) continue;
      std::unique_ptr<ui::Form> form(ChildForms::New(name));
      auto* list = static_cast<lists::RecordList*>(form.get());
      list->SetMode(c.mode);
      if (c.selected) {
        if (list->lvw->columnCount() == 0) list->lvw->AddColumn("ID", 0);  // laid down by the load
        list->lvw->SetSelectedItem(list->lvw->Add("KY_1", "1"));
      }
      check(std::string(name) + " mode " + std::to_string(c.mode) + (c.selected ? " selected" : ""),
            std::string("10101111 ") + c.data + " 1101011 11111 111", [&] { list->EnableMenus(); });
    }
  EXPECT_TRUE(boxes.boxes().empty());
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

// A window's change to a name the preset lacks is refused before either pass runs.
TEST_F(MenusTest, PresetRefusesAChangeToANameItLacks) {
  MDIMain& main = ui::Global<MDIMain>();
  main.Menu("mnuDataAdd")->SetEnabled(false);
  vb::Guard("frmTest", "EnableMenus", [&] {
    MenuEnabling::SetMainMenus(MenuEnabling::Preset().With({{"mnuDataAdd", true}, {"mnuDataAppend", true}}));
  });
  ASSERT_EQ(boxes.boxes().size(), 1u);
  EXPECT_EQ(boxes.boxes()[0].prompt,
            ErrorBoxText("frmTest", "EnableMenus", 10000,
                         "Programming error. Case not coded. The menu preset has no item 'mnuDataAppend'."));
  EXPECT_FALSE(main.Menu("mnuDataAdd")->Enabled());
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
