// File > Import compounds: every compound of the chosen database is confirmed and added with
// " import" after its description; cancel ends it silently, an empty table says so, and unreadable
// files leave the data as it was.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lists/CompoundImport.h"
#include "lists/RecordLists.h"
#include "platform/ui/CommonDialog.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Form.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Global.h"
#include "platform/ui/MsgBox.h"
#include "records/Compounds.h"
#include "runtime/VbError.h"
#include "shell/DAOSupport.h"
#include "shell/MDIMain.h"
#include "tests/records/ScenarioDb.h"
#include "tests/support/TestDir.h"

namespace {

class FakeDialog : public ui::FileOpenDialog {
 public:
  std::optional<std::string> chosen;
  std::string title;
  std::optional<std::string> Open(QWidget*, const std::string& t, const std::string&, const std::string&,
                                  const std::string&) override {
    title = t;
    return chosen;
  }
};

class ImportTest : public testing::Test {
 protected:
  void SetUp() override {
    vb::Err().Clear();
    previous_ = ui::SetFileOpenDialog(dialog_);
    lists::RegisterLists();
  }
  void TearDown() override {
    ui::SetFileOpenDialog(previous_);
    ui::UnloadAllForms();
  }
  void RunImport() { ui::Global<MDIMain>().Menu("mnuFileImport")->Action()->trigger(); }
  // An import database with the scenario layout and the given compound rows (SQL value lists).
  std::string MakeImport(const std::vector<std::string>& rows) {
    const auto file = testsupport::WorkDir() / "other.db";
    std::string sql = testdb::Script("schema.sql");
    for (const auto& r : rows) sql += "INSERT INTO Compounds (CmpDescr, CmpName, CmpIsType, CmpMolmass, CASnr) VALUES (" + r + ");";
    testdb::Exec(file, sql);
    return file.string();
  }
  int Count(const std::string& where = "1") const {
    return std::stoi(db.Scalar("SELECT COUNT(*) FROM Compounds WHERE " + where));
  }

  testdb::OpenScenario db{true};
  ui::MsgBoxRecorder boxes;
  std::shared_ptr<FakeDialog> dialog_ = std::make_shared<FakeDialog>();
  std::shared_ptr<ui::FileOpenDialog> previous_;
};

TEST_F(ImportTest, EveryCompoundIsConfirmedAndAddedWithTheSuffix) {
  const int before = Count();
  dialog_->chosen = MakeImport({"'Alpha', 'a', 2, 100.5, '1-1-1'", "'Beta import', 'b', 1, NULL, NULL",
                                "NULL, 'c', 2, 7, NULL"});
  RunImport();
  EXPECT_EQ(dialog_->title, "Import compounds from other TULMO - database");
  std::vector<std::string> prompts;
  for (const auto& b : boxes.boxes()) prompts.push_back(b.prompt);
  EXPECT_EQ(prompts, (std::vector<std::string>{"Alpha", "Beta import", ""}));
  EXPECT_EQ(Count(), before + 3);
  EXPECT_EQ(db.Scalar("SELECT CmpName || '/' || CmpMolmass || '/' || CASnr FROM Compounds WHERE CmpDescr = 'Alpha import'"),
            "a/100.5/1-1-1");
  EXPECT_EQ(Count("CmpDescr = 'Beta import import' AND CmpMolmass IS NULL"), 1);
  EXPECT_EQ(Count("CmpDescr = ' import' AND CmpName = 'c'"), 1);
  EXPECT_FALSE(gblnImport);
  EXPECT_EQ(gImportDatabase, nullptr);

  // Importing the same file again adds every compound again.
  RunImport();
  EXPECT_EQ(Count(), before + 6);
}

TEST_F(ImportTest, CancelEndsTheImportSilently) {
  const int before = Count();
  RunImport();
  EXPECT_TRUE(boxes.boxes().empty()) << boxes.boxes()[0].prompt;
  EXPECT_EQ(Count(), before);
  EXPECT_FALSE(gblnImport);
  EXPECT_EQ(gImportDatabase, nullptr);
}

TEST_F(ImportTest, AFileThatIsNoScenarioDatabaseLeavesTheCompoundListOnTheScenario) {
  const int before = Count();
  testsupport::WriteFile(testsupport::WorkDir() / "junk.db", "not a database at all");
  for (const std::string& file : {std::string("missing.db"), (testsupport::WorkDir() / "junk.db").string()}) {
    SCOPED_TRACE(file);
    boxes.Clear();
    dialog_->chosen = file;
    RunImport();
    ASSERT_EQ(boxes.boxes().size(), 2u);
    EXPECT_NE(boxes.boxes()[0].prompt.find("'DAOConnect.bas' at procedure 'OpenDatabase'"), std::string::npos);
    EXPECT_EQ(boxes.boxes()[1].prompt.rfind("There was a problem connecting to the database - ", 0), 0u);
    EXPECT_EQ(boxes.boxes()[1].style, ui::vbCritical);
    EXPECT_FALSE(gblnImport);
  }
  auto rs = Compounds().GetAll();
  ASSERT_NE(rs, nullptr);
  EXPECT_EQ(rs->RecordCount(), before);
}

TEST_F(ImportTest, AnEmptyCompoundTableSaysThereWasNothingToImport) {
  const int before = Count();
  dialog_->chosen = MakeImport({});
  RunImport();
  ASSERT_EQ(boxes.boxes().size(), 1u);
  EXPECT_EQ(boxes.boxes()[0].prompt, CompoundImport::kNothingToImport);
  EXPECT_EQ(boxes.boxes()[0].style, ui::vbInformation);
  EXPECT_EQ(Count(), before);
  EXPECT_FALSE(gblnImport);
  EXPECT_EQ(gImportDatabase, nullptr);
  // The next compound list reads the scenario database again.
  auto rs = Compounds().GetAll();
  ASSERT_NE(rs, nullptr);
  EXPECT_EQ(rs->RecordCount(), before);
}

}  // namespace
