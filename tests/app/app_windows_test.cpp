// The program's windows: every name the shell opens is answered by its own finished window, which
// says what it is and which table it serves; the main window routes by that alone.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/AppWindows.h"
#include "platform/ui/Form.h"
#include "records/RecordTables.h"
#include "runtime/VbError.h"
#include "shell/ChildForms.h"

namespace {

using ChildForms::Kind;
using records::RecordTable;

// The window's class, without its namespace.
std::string ClassOf(const QObject* form) {
  const std::string name = form->metaObject()->className();
  const std::size_t colons = name.rfind("::");
  return colons == std::string::npos ? name : name.substr(colons + 2);
}

struct Expected {
  const char* name;
  Kind kind;
  std::optional<RecordTable> table;
};

const Expected kWindows[] = {
    {"frmCompoundsList", Kind::List, RecordTable::Compounds},
    {"frmEmissionList", Kind::List, RecordTable::Emission},
    {"frmEnvironmentList", Kind::List, RecordTable::Environment},
    {"frmCorvixList", Kind::List, RecordTable::Corvix},
    {"frmAdvancedDetailList", Kind::List, RecordTable::AdvancedDetail},
    {"frmRunList", Kind::List, RecordTable::Run},
    {"frmCompounds", Kind::Editor, RecordTable::Compounds},
    {"frmEmission", Kind::Editor, RecordTable::Emission},
    {"frmEnvironment", Kind::Editor, RecordTable::Environment},
    {"frmCorvix", Kind::Editor, RecordTable::Corvix},
    {"frmAdvancedDetail", Kind::Editor, RecordTable::AdvancedDetail},
    {"frmRun", Kind::Editor, RecordTable::Run},
    {"frmOpen", Kind::StartPanel, std::nullopt},
    {"frmCalc", Kind::Calculation, std::nullopt},
    {"frmResult", Kind::Result, std::nullopt},
};

TEST(AppWindows, EveryNameIsAnsweredByItsFinishedWindowOfItsKind) {
  AppWindows::RegisterWindows();
  for (const Expected& e : kWindows) {
    ASSERT_TRUE(ChildForms::Known(e.name)) << e.name;
    const ChildForms::Window* window = ChildForms::Find(e.name);
    EXPECT_EQ(window->kind, e.kind) << e.name;
    EXPECT_EQ(window->table, e.table) << e.name;
    std::unique_ptr<ui::Form> form(ChildForms::New(e.name));
    EXPECT_EQ(form->objectName(), e.name);
    EXPECT_EQ(ClassOf(form.get()), e.name);
    if (e.table) {
      EXPECT_EQ(ChildForms::NameOf(e.kind, *e.table), e.name);
    }
  }
  EXPECT_THROW(ChildForms::New("frmNothing"), vb::VbError);
  EXPECT_EQ(ChildForms::Find("frmNothing"), nullptr);
}

TEST(AppWindows, EveryTableHasOneListAndOneEditor) {
  AppWindows::RegisterWindows();
  for (RecordTable table : records::kRecordTables)
    for (Kind kind : {Kind::List, Kind::Editor}) {
      const std::string name = ChildForms::NameOf(kind, table);
      EXPECT_EQ(ChildForms::Find(name)->kind, kind) << name;
      EXPECT_EQ(ChildForms::Find(name)->table, table) << name;
    }
}

// A registration the main window could not route is refused and leaves the registry as it was.
TEST(AppWindows, AWindowThatCannotBeRoutedIsRefused) {
  AppWindows::RegisterWindows();
  auto make = []() -> ui::Form* { return nullptr; };
  struct Case {
    const char* name;
    std::function<void()> registration;
    const char* why;
  };
  const Case cases[] = {
      {"frmSpare", [&] { ChildForms::Register("frmSpare", Kind::None, make); }, "it names no kind"},
      {"frmSpare", [&] { ChildForms::Register("frmSpare", Kind::Result, nullptr); }, "it has no factory"},
      {"frmSpare", [&] { ChildForms::Register("frmSpare", Kind::List, make); }, "a list or editor names its table"},
      {"frmSpare", [&] { ChildForms::Register("frmSpare", Kind::Calculation, RecordTable::Run, make); },
       "only a list or editor has a table"},
      {"frmSpare", [&] { ChildForms::Register("frmSpare", Kind::Editor, RecordTable::Corvix, make); },
       "its table's editor is 'frmCorvix'"},
      {"frmCorvix", [&] { ChildForms::Register("frmCorvix", Kind::List, RecordTable::Corvix, make); },
       "its table's list is 'frmCorvixList'"},
  };
  for (const Case& c : cases) {
    try {
      c.registration();
      ADD_FAILURE() << c.why;
    } catch (const vb::VbError& e) {
      EXPECT_EQ(e.number, vb::kProgrammingError);
      EXPECT_EQ(e.description, "Programming error. Window '" + std::string(c.name) + "' cannot be registered: " +
                                   c.why + ".");
    }
  }
  EXPECT_FALSE(ChildForms::Known("frmSpare"));
  EXPECT_EQ(ChildForms::Find("frmCorvix")->kind, Kind::Editor);
  EXPECT_EQ(ChildForms::NameOf(Kind::List, RecordTable::Corvix), "frmCorvixList");
}

}  // namespace
