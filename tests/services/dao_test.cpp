#include <gtest/gtest.h>

#include <filesystem>

#include "platform/ui/MsgBox.h"
#include "runtime/VbError.h"
#include "services/DAOConnect.h"
#include "services/DAOSupport.h"
#include "tests/platform/dao/ScenarioFixture.h"
#include "tests/support/TestDir.h"

namespace {

// Checks that exactly one error box names the module, procedure and number.
void ExpectBox(const ui::MsgBoxRecorder& rec, const std::string& module, const std::string& procedure, int number) {
  ASSERT_EQ(rec.boxes().size(), 1u);
  const std::string& text = rec.boxes()[0].prompt;
  EXPECT_NE(text.find(" '" + module + "' at procedure '" + procedure + "'."), std::string::npos) << text;
  EXPECT_NE(text.find("Error Number: " + std::to_string(number) + "\r\n"), std::string::npos) << text;
}

class DaoSupportTest : public testing::Test {
 protected:
  void SetUp() override {
    ui::MsgBoxRecorder quiet;
    ASSERT_TRUE(testsupport::MakeDatabase("tulmo-final.db",
                                          testsupport::ReadFile(testsupport::SourceDir() / "data" / "schema.sql")));
    gDAOConnect = std::make_unique<DAOConnect>();
    ASSERT_TRUE(gDAOConnect->OpenDatabase("tulmo-final.db"));
  }
  void TearDown() override {
    gDatabase.reset();
    gImportDatabase.reset();
    gDAOConnect.reset();
    gblnImport = false;
  }
};

TEST_F(DaoSupportTest, StrQuotesDoublesEveryQuote) {
  ui::MsgBoxRecorder rec;
  EXPECT_EQ(strQuotes(vb::Variant("O'Brien's")), "O''Brien''s");
  EXPECT_EQ(strQuotes(vb::Variant("2,4'-DDT")), "2,4''-DDT");
  EXPECT_EQ(strQuotes(vb::Variant("plain")), "plain");
  EXPECT_EQ(strQuotes(vb::Variant(12.5)), "12.5");
  EXPECT_TRUE(rec.boxes().empty());
  EXPECT_EQ(strQuotes(vb::Variant::Null()), "");
  ExpectBox(rec, "DAOSupport", "strQuotes", 94);
}

TEST_F(DaoSupportTest, StrSQLDateGivesAnIsoLiteralTheDatabaseReads) {
  ui::MsgBoxRecorder rec;
  const vb::Date when = vb::DateSerial(2026, 12, 10, 9, 30, 0);
  EXPECT_EQ(strSQLDate(vb::Variant(when)), "'2026-12-10 09:30:00'");
  EXPECT_EQ(strSQLDate(vb::Variant(vb::DateText(when))), "'2026-12-10 09:30:00'");
  EXPECT_EQ(strSQLDate(vb::Variant("2026-12-10")), "'2026-12-10 00:00:00'");
  EXPECT_EQ(strSQLDate(vb::Variant("")), "''");
  EXPECT_TRUE(rec.boxes().empty());

  // Stored and read back as the same date; the engine's date functions understand it.
  gDatabase->Execute("INSERT INTO Run(RunDescription, RunDate) VALUES ('r', " + strSQLDate(vb::Variant(when)) + ")");
  auto rs = gDatabase->OpenRecordset("SELECT RunDate, julianday(RunDate) FROM Run");
  EXPECT_EQ(rs->Fields(0), vb::Variant(when));
  EXPECT_FALSE(rs->Fields(1).IsNull());

  // A text in a regional order is ambiguous: refused, not guessed.
  EXPECT_EQ(strSQLDate(vb::Variant("10/12/2026")), "");
  ExpectBox(rec, "DAOSupport", "strSQLDate", 13);
}

TEST_F(DaoSupportTest, BlnDataReturned) {
  ui::MsgBoxRecorder rec;
  std::unique_ptr<dao::Recordset> none;
  EXPECT_FALSE(blnDataReturned(none));
  auto empty = gDatabase->OpenRecordset("SELECT * FROM Run");
  EXPECT_FALSE(blnDataReturned(empty));
  gDatabase->Execute("INSERT INTO Run(RunDescription) VALUES ('r')");
  auto one = gDatabase->OpenRecordset("SELECT * FROM Run");
  EXPECT_TRUE(blnDataReturned(one));
  EXPECT_TRUE(rec.boxes().empty());
}

TEST_F(DaoSupportTest, MaxIdReadsTheLargestKey) {
  ui::MsgBoxRecorder rec;
  gDatabase->Execute("INSERT INTO Run(RunDescription) VALUES ('a')");
  gDatabase->Execute("INSERT INTO Run(RunDescription) VALUES ('b')");
  EXPECT_EQ(MaxId("Run", "RunID"), 2);
  EXPECT_EQ(dao::LastSql(), "SELECT MAX(RunID) As MAX_ID  FROM Run");
  EXPECT_TRUE(rec.boxes().empty());
  // An empty table gives one row with a Null maximum: its conversion fails.
  EXPECT_EQ(MaxId("Emission", "EmissionID"), 0);
  ExpectBox(rec, "DAOSupport", "MaxId", 94);
}

TEST_F(DaoSupportTest, CloseRecordsetTwiceShowsNoBox) {
  ui::MsgBoxRecorder rec;
  auto rs = gDatabase->OpenRecordset("SELECT * FROM Run");
  CloseRecordset(rs);
  ASSERT_TRUE(rs);  // the variable keeps its object
  EXPECT_FALSE(rs->IsOpen());
  CloseRecordset(rs);
  std::unique_ptr<dao::Recordset> none;
  CloseRecordset(none);
  EXPECT_TRUE(rec.boxes().empty());
}

TEST_F(DaoSupportTest, OpenDatabaseFailureKeepsTheTargetAndCreatesNothing) {
  ui::MsgBoxRecorder rec;
  const auto before = gDatabase;
  DAOConnect c;
  EXPECT_FALSE(c.OpenDatabase("missing.db"));
  EXPECT_EQ(gDatabase, before);
  EXPECT_FALSE(std::filesystem::exists("missing.db"));
  ExpectBox(rec, "DAOConnect.bas", "OpenDatabase", 3024);
  EXPECT_EQ(vb::Err().Number, 0);
}

TEST_F(DaoSupportTest, ImportFlagOpensIntoTheImportDatabase) {
  ASSERT_TRUE(testsupport::MakeDatabase("import.db"));
  const auto before = gDatabase;
  gblnImport = true;
  gImportDAOConnect = std::make_unique<DAOConnect>();
  EXPECT_TRUE(gImportDAOConnect->OpenDatabase("import.db"));
  EXPECT_EQ(gDatabase, before);
  ASSERT_TRUE(gImportDatabase);
  EXPECT_EQ(gImportDatabase->Name(), "import.db");

  // An import file with only a Compounds table opens too; a file that is no database does not.
  ui::MsgBoxRecorder rec;
  ASSERT_TRUE(testsupport::MakeDatabase("compounds.db", "CREATE TABLE Compounds (CmpID INTEGER PRIMARY KEY);"));
  EXPECT_TRUE(gImportDAOConnect->OpenDatabase("compounds.db"));
  EXPECT_EQ(gImportDatabase->Name(), "compounds.db");
  testsupport::WriteFile("junk.db", "not a database at all, only some text");
  EXPECT_FALSE(gImportDAOConnect->OpenDatabase("junk.db"));
  EXPECT_EQ(gImportDatabase->Name(), "compounds.db");
  ExpectBox(rec, "DAOConnect.bas", "OpenDatabase", dao::kErrBadFormat);
  // The scenario database itself must hold every table.
  gblnImport = false;
  rec.Clear();
  EXPECT_FALSE(gImportDAOConnect->OpenDatabase("compounds.db"));
  EXPECT_EQ(gDatabase, before);
  ExpectBox(rec, "DAOConnect.bas", "OpenDatabase", dao::kErrBadFormat);
  gImportDAOConnect.reset();
}

TEST_F(DaoSupportTest, CloseDatabase) {
  ui::MsgBoxRecorder rec;
  // Already closed (3704): no box, the global stays set.
  gDatabase->Close();
  gDAOConnect->CloseDatabase();
  EXPECT_TRUE(gDatabase);
  EXPECT_TRUE(rec.boxes().empty());

  ASSERT_TRUE(gDAOConnect->OpenDatabase("tulmo-final.db"));
  gDAOConnect->CloseDatabase();
  EXPECT_FALSE(gDatabase);
  EXPECT_TRUE(rec.boxes().empty());

  gDAOConnect->CloseDatabase();  // no object
  ExpectBox(rec, "DAOConnect.bas", "CloseDatabase", 91);
}

TEST_F(DaoSupportTest, TransactionsWithoutAWorkspaceReport) {
  ui::MsgBoxRecorder rec;
  gDAOConnect->BeginTransaction();
  ExpectBox(rec, "DAOConnect.bas", "BeginTransaction", 91);
}

}  // namespace
