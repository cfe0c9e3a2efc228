// The stand-ins answer the protocol the shell calls by name: the operations and properties of the
// calculation window, the lists (Copy only on three) and the editors.
#include <gtest/gtest.h>

#include "app/standins/Standins.h"
#include "platform/ui/CallByName.h"
#include "runtime/VbError.h"
#include "shell/ChildForms.h"

namespace {

TEST(Standins, EveryWindowAnswersItsProtocol) {
  Standins::RegisterStandins();
  const char* lists[] = {"frmCompoundsList",      "frmEmissionList", "frmEnvironmentList",
                         "frmCorvixList", "frmAdvancedDetailList", "frmRunList"};
  for (const char* name : lists) {
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
  for (const char* name : {"frmCompounds", "frmEmission", "frmEnvironment", "frmCorvix", "frmAdvancedDetail", "frmRun"}) {
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
