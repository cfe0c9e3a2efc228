// A calculation whose run could not be recorded is refused before the engine starts: a read-only
// database, or one removed from under the program.
#include <filesystem>

#include "modelrun/calc_run.h"
#include "tests/modelrun/calc_fixture.h"
#include "tests/support/Undeletable.h"

namespace {

namespace fs = std::filesystem;
using namespace calctest;

TEST_F(CalcTest, RunIsRefusedBeforeTheEngineWhenTheDatabaseCannotBeWritten) {
  const std::string full = fs::absolute(db.file()).lexically_normal().string();
  const std::string before = db.Scalar("SELECT COUNT(*) FROM Run");
  const struct {
    const char* what;
    std::string said;
  } cases[] = {
      {"read-only", "The database '" + full + "' is read-only."},
      {"removed", "The database file '" + full + "' was removed or replaced while the program was running."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    FakeEngine engine = WorkingEngine();
    process::ScopedRunner scope(engine);
    frmCalc& w = Open("INTERMEDIATE");
    std::optional<testsupport::Immutable> frozen;
    if (std::string(c.what) == "read-only") {
      frozen.emplace(db.file());
      if (!frozen->ok()) GTEST_SKIP() << "no way here to make a file read-only for this user";
    } else {
      fs::rename(db.file(), db.file().string() + ".away");
    }
    boxes.Clear();
    w.cmdRun_Click();
    frozen.reset();
    if (std::string(c.what) == "removed") fs::rename(db.file().string() + ".away", db.file());
    EXPECT_TRUE(engine.commands.empty());
    ASSERT_EQ(boxes.boxes().size(), 1u) << boxes.boxes()[0].prompt;
    EXPECT_EQ(boxes.boxes()[0].prompt,
              c.said + " The calculation was not started, because its run could not be recorded.");
    EXPECT_EQ(boxes.boxes()[0].style, ui::vbExclamation);
    EXPECT_FALSE(fs::exists("pirsel.inp"));
    EXPECT_EQ(db.Scalar("SELECT COUNT(*) FROM Run"), before);
    ui::UnloadAllForms();
  }
}

}  // namespace
