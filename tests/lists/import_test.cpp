// File > Import compounds: every compound of the chosen database is confirmed and added with
// " import" after its description; cancel ends it silently, an empty table says so, and unreadable
// files leave the data as it was.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QMetaObject>
#include <filesystem>
#include <string>
#include <vector>

#include "editors/Editors.h"
#include "editors/frmCompounds.h"
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
#include "shell/ChildForms.h"
#include "services/DAOSupport.h"
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
  std::string MakeImportAgain(const std::vector<std::string>& rows) {
    std::filesystem::remove(testsupport::WorkDir() / "other.db");
    return MakeImport(rows);
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

// A file held by another program is named as locked, never as a file of an unknown format; the
// same when the scenario database itself is locked while the compounds are added.
TEST_F(ImportTest, ALockedFileIsReportedAsLockedAndAddsNothing) {
  const int before = Count();
  const std::string other = MakeImport({"'Alpha', 'a', 2, 100.5, '1-1-1'"});
  const struct {
    std::string locked;
    std::string said;
  } cases[] = {{other, "Error Number: 3051\r\n\r\nThe database engine cannot open the file '"},
               {"tulmo-final.db", "Error Number: 3260\r\n\r\nCouldn't update; currently locked by another program."}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.locked);
    sqlite3* holder = nullptr;
    sqlite3_open(c.locked.c_str(), &holder);
    ASSERT_EQ(sqlite3_exec(holder, "BEGIN EXCLUSIVE;", nullptr, nullptr, nullptr), SQLITE_OK);
    boxes.Clear();
    dialog_->chosen = other;
    RunImport();
    sqlite3_close(holder);
    bool named = false;
    for (const auto& b : boxes.boxes()) {
      named = named || b.prompt.find(c.said) != std::string::npos;
      EXPECT_EQ(b.prompt.find("Unrecognized"), std::string::npos) << b.prompt;
    }
    EXPECT_TRUE(named);
    EXPECT_EQ(Count(), before);
    EXPECT_FALSE(gblnImport);
  }
}

// The import reads its columns by name, so a file with another column order still imports.
TEST_F(ImportTest, AnImportFileWithItsColumnsInAnotherOrderIsReadByName) {
  const std::string other = MakeImport({"'Alpha', 'a', 2, 100.5, '1-1-1'"});
  testdb::Exec(other, "ALTER TABLE Compounds RENAME COLUMN CmpName TO x; ALTER TABLE Compounds RENAME COLUMN CASnr TO CmpName;"
                      " ALTER TABLE Compounds RENAME COLUMN x TO CASnr;");
  dialog_->chosen = other;
  RunImport();
  EXPECT_EQ(db.Scalar("SELECT CmpName || '/' || CASnr FROM Compounds WHERE CmpDescr = 'Alpha import'"), "1-1-1/a");
}

// A text that the compound could not keep whole stops the import before the first row is added,
// naming each compound and field; texts that just fit come in whole.
TEST_F(ImportTest, TextsThatWouldBeCutOrCannotBeStoredImportNothing) {
  const int before = Count();
  const std::string d93(93, 'd'), d94(94, 'e'), n100(100, 'n'), n101(101, 'm'), cas51(51, '7');
  dialog_->chosen = MakeImport({"'Fits', 'f', 2, 1, '1-1-1'", "'" + d94 + "', 'long description', 2, 1, NULL",
                                "'Long name', '" + n101 + "', 2, 1, NULL", "'Long CAS', 'c', 2, 1, '" + cas51 + "'",
                                "'Nul', 'a' || char(0) || 'b', 2, 1, NULL"});
  RunImport();
  ASSERT_EQ(boxes.boxes().size(), 1u);
  const std::string& said = boxes.boxes()[0].prompt;
  EXPECT_EQ(said.rfind(CompoundImport::kTextsRefused, 0), 0u) << said;
  EXPECT_EQ(boxes.boxes()[0].style, ui::vbExclamation);
  for (const std::string& line :
       {std::string("Compound 2 \"eeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeee...\": the Description with \" import\" has 101 "
                    "characters, where at most 100 fit."),
        std::string("Compound 3 \"Long name\": the Name has 101 characters, where at most 100 fit."),
        std::string("Compound 4 \"Long CAS\": the CAS nr. has 51 characters, where at most 50 fit."),
        std::string("Compound 5 \"Nul\": the Name holds a NUL character (character code 0), which cannot be stored.")})
    EXPECT_NE(said.find("\r\n" + line + "\r\n"), std::string::npos) << line << "\n" << said;
  EXPECT_EQ(said.find("Compound 1 "), std::string::npos);
  EXPECT_EQ(Count(), before);
  EXPECT_FALSE(gblnImport);
  EXPECT_EQ(gImportDatabase, nullptr);

  boxes.Clear();
  dialog_->chosen = MakeImportAgain({"'" + d93 + "', '" + n100 + "', 2, 1, '" + std::string(50, '5') + "'"});
  RunImport();
  EXPECT_EQ(boxes.boxes().size(), 1u);  // the one confirmation
  EXPECT_EQ(Count("CmpDescr = '" + d93 + " import' AND CmpName = '" + n100 + "' AND length(CASnr) = 50"), 1);
}

// A file without the compound table, or with a column of it missing, gets one message that says
// so, and no second box.
TEST_F(ImportTest, AFileWithoutTheCompoundTableOrAColumnGivesOneMessage) {
  const int before = Count();
  const auto file = testsupport::WorkDir() / "bare.db";
  const struct {
    const char* sql;
    std::string said;
  } cases[] = {
      {"CREATE TABLE Other (x);", "' holds no table 'Compounds': there was nothing to import."},
      {"DROP TABLE Other; CREATE TABLE Compounds (CmpID INTEGER PRIMARY KEY, CmpDescr TEXT);",
       "' lacks the column 'CmpName', 'CmpIsType', "},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.sql);
    testdb::Exec(file, c.sql);
    boxes.Clear();
    dialog_->chosen = file.string();
    RunImport();
    ASSERT_EQ(boxes.boxes().size(), 1u) << boxes.boxes()[1].prompt;
    EXPECT_NE(boxes.boxes()[0].prompt.find(c.said), std::string::npos) << boxes.boxes()[0].prompt;
    EXPECT_NE(boxes.boxes()[0].prompt.find(file.string()), std::string::npos);
    EXPECT_EQ(Count(), before);
    EXPECT_FALSE(gblnImport);
    EXPECT_EQ(gImportDatabase, nullptr);
  }
}

// A longer text already stored (by an older import) shows whole in the editor, and saving asks for
// it to be shortened instead of cutting it.
TEST_F(ImportTest, TheEditorShowsALongStoredTextWholeAndNeverCutsIt) {
  const std::string longer(120, 'L');
  db.Raw("UPDATE Compounds SET CmpDescr = '" + longer + "' WHERE CmpID = 1;");
  editors::RegisterEditors();
  auto* list = static_cast<lists::RecordList*>(ChildForms::New("frmCompoundsList"));
  list->SetMode(modMaintain);
  list->Show();
  list->lvw->SetSelectedItem(list->lvw->Find("KY_1"));
  QMetaObject::invokeMethod(list, "UpdateRecord");
  auto* editor = qobject_cast<frmCompounds*>(ui::FindForm("frmCompounds"));
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(editor->txtCmpdescr->text().toStdString(), longer);
  boxes.Clear();
  editor->cmdOK_Click();
  ASSERT_EQ(boxes.boxes().size(), 1u);
  EXPECT_EQ(boxes.boxes()[0].prompt, "The 'Description' has 120 characters, where at most 100 can be stored. Please shorten it.");
  EXPECT_EQ(db.Scalar("SELECT CmpDescr FROM Compounds WHERE CmpID = 1"), longer);
  editor->txtCmpdescr->setText(QString::fromStdString(std::string(100, 'S')));
  boxes.Clear();
  editor->cmdOK_Click();
  EXPECT_EQ(db.Scalar("SELECT CmpDescr FROM Compounds WHERE CmpID = 1"), std::string(100, 'S'));
}

}  // namespace
