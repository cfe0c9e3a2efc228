// The program's windows: every name the shell opens is answered by its finished window; the
// stand-ins that tests use answer the protocol the shell calls by name.
#include <gtest/gtest.h>

#include <QMdiSubWindow>
#include <algorithm>
#include <memory>

#include "app/AppWindows.h"
#include "tests/support/standins/StandinWindows.h"
#include "tests/support/standins/Standins.h"
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

TEST(AppWindows, EveryNameIsAnsweredByItsFinishedWindow) {
  AppWindows::RegisterWindows();
  std::vector<const char*> names(std::begin(kLists), std::end(kLists));
  names.insert(names.end(), std::begin(kEditors), std::end(kEditors));
  names.push_back("frmCalc");
  names.push_back("frmResult");
  for (const char* name : names) {
    ASSERT_TRUE(ChildForms::Known(name)) << name;
    std::unique_ptr<ui::Form> form(ChildForms::New(name));
    EXPECT_EQ(form->objectName(), name);
    EXPECT_FALSE(IsStandin(form.get())) << name << " is a stand-in";
  }
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

}  // namespace
