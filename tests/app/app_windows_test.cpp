// The program's windows: every name the shell opens is answered by its own finished window.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/AppWindows.h"
#include "platform/ui/Form.h"
#include "runtime/VbError.h"
#include "shell/ChildForms.h"

namespace {

// The window's class, without its namespace.
std::string ClassOf(const QObject* form) {
  const std::string name = form->metaObject()->className();
  const std::size_t colons = name.rfind("::");
  return colons == std::string::npos ? name : name.substr(colons + 2);
}

TEST(AppWindows, EveryNameIsAnsweredByItsFinishedWindow) {
  AppWindows::RegisterWindows();
  const std::vector<const char*> names = {
      "frmCompoundsList", "frmEmissionList", "frmEnvironmentList", "frmCorvixList", "frmAdvancedDetailList",
      "frmRunList",       "frmCompounds",    "frmEmission",        "frmEnvironment", "frmCorvix",
      "frmAdvancedDetail", "frmRun",         "frmCalc",            "frmResult"};
  for (const char* name : names) {
    ASSERT_TRUE(ChildForms::Known(name)) << name;
    std::unique_ptr<ui::Form> form(ChildForms::New(name));
    EXPECT_EQ(form->objectName(), name);
    EXPECT_EQ(ClassOf(form.get()), name);
  }
  EXPECT_THROW(ChildForms::New("frmNothing"), vb::VbError);
}

}  // namespace
