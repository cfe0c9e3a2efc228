// The program's windows: a finished window answers its name, a stand-in only one not built yet;
// the stand-ins answer the protocol the shell calls by name.
#include <gtest/gtest.h>

#include <QMdiSubWindow>
#include <algorithm>
#include <memory>

#include "app/AppWindows.h"
#include "app/standins/StandinWindows.h"
#include "app/standins/Standins.h"
#include "platform/ui/CallByName.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Global.h"
#include "platform/ui/MsgBox.h"
#include "runtime/VbError.h"
#include "shell/ChildForms.h"
#include "shell/MDIMain.h"

namespace {

const char* const kLists[] = {"frmCompoundsList", "frmEmissionList",       "frmEnvironmentList",
                              "frmCorvixList",    "frmAdvancedDetailList", "frmRunList"};
const char* const kEditors[] = {"frmCompounds", "frmEmission", "frmEnvironment",
                                "frmCorvix",    "frmAdvancedDetail", "frmRun"};

bool IsStandin(const QObject* form) { return QString(form->metaObject()->className()).startsWith("Standins::"); }

bool Unbuilt(const std::string& name) {
  const auto& u = Standins::UnbuiltWindows();
  return std::find(u.begin(), u.end(), name) != u.end();
}

TEST(AppWindows, FinishedWindowsAnswerTheirNamesAndStandInsOnlyTheRest) {
  AppWindows::RegisterWindows();
  std::vector<const char*> names(std::begin(kLists), std::end(kLists));
  names.insert(names.end(), std::begin(kEditors), std::end(kEditors));
  names.push_back("frmCalc");
  names.push_back("frmResult");
  for (const char* name : names) {
    ASSERT_TRUE(ChildForms::Known(name)) << name;
    std::unique_ptr<ui::Form> form(ChildForms::New(name));
    EXPECT_EQ(form->objectName(), name);
    if (!Unbuilt(name)) {
      EXPECT_FALSE(IsStandin(form.get())) << name << " is still a stand-in";
    }
  }
  // Only editors may still be missing.
  for (std::string_view name : Standins::UnbuiltWindows())
    EXPECT_NE(std::find(std::begin(kEditors), std::end(kEditors), name), std::end(kEditors)) << name;
}

TEST(Standins, EveryWindowAnswersItsProtocol) {
  Standins::RegisterStandins();
  for (const char* name : kLists) {
    std::unique_ptr<ui::Form> form(ChildForms::New(name));
    EXPECT_EQ(form->objectName(), name);
    for (const char* op : {"RefreshList", "AddRecord", "UpdateRecord", "DeleteRecord", "DisplayRecord",
                           "SelectRecord", "ClearForm", "CloseForm", "EnableMenus"})
      EXPECT_TRUE(ui::HasOperation(form.get(), op)) << name << " " << op;
    const bool copies = std::string(name) == "frmCompoundsList" || std::string(name) == "frmEmissionList" ||
                        std::string(name) == "frmEnvironmentList";
    EXPECT_EQ(ui::HasOperation(form.get(), "CopyRecord"), copies) << name;
    ui::SetProperty(form.get(), "Mode", 5);
    EXPECT_EQ(ui::GetProperty(form.get(), "Mode").toInt(), 5);
  }
  for (const char* name : kEditors) {
    std::unique_ptr<ui::Form> form(ChildForms::New(name));
    for (const char* op : {"ClearForm", "CloseForm", "SaveDetails", "EnableMenus"})
      EXPECT_TRUE(ui::HasOperation(form.get(), op)) << name << " " << op;
    EXPECT_FALSE(ui::HasOperation(form.get(), "AddRecord"));
  }
  std::unique_ptr<ui::Form> calc(ChildForms::New("frmCalc"));
  EXPECT_TRUE(ui::HasOperation(calc.get(), "EnableMenus"));
  EXPECT_THROW(ChildForms::New("frmNothing"), vb::VbError);
}

// What the main window sees of a stand-in editor that the program opens: it becomes the active
// window on activation, sets the menus for its mode, closes through File Close and hands the focus
// back to its parent.
TEST(Standins, UnbuiltEditorTakesPartInTheRouting) {
  ui::MsgBoxRecorder boxes;
  Standins::RegisterUnbuiltWindows();
  MDIMain& main = ui::Global<MDIMain>();
  main.Show();
  for (std::string_view name : Standins::UnbuiltWindows()) {
    auto* parent = new ui::Form("frmParentList");
    parent->Show();
    ui::Form* editor = ChildForms::New(name);
    ui::SetProperty(editor, "frmParent", QVariant::fromValue<QWidget*>(parent));
    ui::SetProperty(editor, "Mode", 1);
    editor->Show();
    ui::DoEvents();
    EXPECT_EQ(main.frmActive(), editor) << name;
    EXPECT_TRUE(main.Menu("mnuFileSave")->Enabled()) << name;
    EXPECT_FALSE(main.Menu("mnuDataAdd")->Enabled()) << name;
    EXPECT_TRUE(main.tbrMain->Button("SAVE")->Enabled()) << name;
    main.mnuFileClose_Click();
    ui::FlushDeletes();
    EXPECT_EQ(ui::FindForm(std::string(name)), nullptr) << name;
    EXPECT_EQ(main.frmActive(), nullptr) << name;
    EXPECT_TRUE(parent->isEnabled());
    parent->Unload();
  }
  EXPECT_TRUE(boxes.boxes().empty());
  ui::UnloadAllForms();
}

}  // namespace
