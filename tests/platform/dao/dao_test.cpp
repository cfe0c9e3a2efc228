#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "platform/dao/Dao.h"
#include "runtime/VbError.h"
#include "tests/platform/dao/ScenarioFixture.h"
#include "tests/support/TestDir.h"

namespace {

int ErrorOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const vb::VbError& e) {
    return e.number;
  }
  return 0;
}

class DaoTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(testsupport::MakeDatabase("s.db"));
    db = dao::Database::OpenDatabase("s.db");
  }
  std::shared_ptr<dao::Database> db;
};

TEST(DaoOpen, RefusesMissingFilesAndFilesThatAreNoScenarioDatabase) {
  EXPECT_EQ(ErrorOf([] { dao::Database::OpenDatabase("tulmo-final.db"); }), dao::kErrFileNotFound);
  EXPECT_FALSE(std::filesystem::exists("tulmo-final.db"));  // nothing created by accident

  testsupport::WriteFile("text.db", "this is no database, just text that is long enough to be read\n");
  EXPECT_EQ(ErrorOf([] { dao::Database::OpenDatabase("text.db"); }), dao::kErrBadFormat);

  ASSERT_TRUE(testsupport::MakeDatabase("other.db", "CREATE TABLE Compounds (CmpID INTEGER);"));
  EXPECT_EQ(ErrorOf([] { dao::Database::OpenDatabase("other.db"); }), dao::kErrBadFormat);
  EXPECT_NO_THROW(dao::Database::OpenAny("other.db"));

  std::filesystem::create_directory("folder.db");
  EXPECT_EQ(ErrorOf([] { dao::Database::OpenDatabase("folder.db"); }), dao::kErrFileNotFound);
}

TEST(DaoOpen, AcceptsTheProjectSchema) {
  const auto schema = testsupport::SourceDir() / "data" / "schema.sql";
  if (!std::filesystem::exists(schema)) GTEST_SKIP() << "no data/schema.sql yet";
  ASSERT_TRUE(testsupport::MakeDatabase("full.db", testsupport::ReadFile(schema)));
  auto db = dao::Database::OpenDatabase("full.db");
  for (const std::string& t : dao::ScenarioTables()) EXPECT_TRUE(db->HasTable(t)) << t;
}

TEST_F(DaoTest, RowsComeBackTypedByPositionWithNullKept) {
  db->Execute("INSERT INTO Compounds(CmpDescr, CmpKow, CmpMolmass, CmpIsType) VALUES ('O''Brien''s', 0.1, 2.5, 2)");
  db->Execute("INSERT INTO Compounds(CmpDescr) VALUES (Null)");
  EXPECT_EQ(db->RecordsAffected(), 1);
  EXPECT_EQ(db->LastInsertId(), 2);
  auto rs = db->OpenRecordset(
      "SELECT Compounds.CmpID           ,Compounds.CmpDescr           ,Compounds.CmpKow           ,Compounds.CmpMolmass "
      "          ,Compounds.CmpIsType   FROM [Compounds] Compounds WHERE  Compounds.CmpDescr = 'O''Brien''s'");
  ASSERT_FALSE(rs->Eof());
  EXPECT_EQ(rs->RecordCount(), 1);
  EXPECT_EQ(rs->FieldCount(), 5);
  EXPECT_EQ(rs->Fields(0), vb::Variant(int32_t{1}));
  EXPECT_EQ(rs->Fields(1), vb::Variant("O'Brien's"));
  EXPECT_EQ(rs->Fields(2), vb::Variant(0.1f));
  EXPECT_EQ(rs->Fields(3), vb::Variant(2.5));
  EXPECT_EQ(rs->Fields(4), vb::Variant(int16_t{2}));
  EXPECT_EQ(rs->Fields("cmpdescr"), vb::Variant("O'Brien's"));

  auto all = db->OpenRecordset("SELECT Compounds.* FROM [Compounds] Compounds");
  all->MoveLast();
  EXPECT_TRUE(all->Fields(1).IsNull());
  EXPECT_TRUE(all->Fields(2).IsNull());
  all->MoveNext();
  EXPECT_TRUE(all->Eof());
  EXPECT_EQ(ErrorOf([&] { all->MoveNext(); }), dao::kErrNoCurrentRecord);
  EXPECT_EQ(ErrorOf([&] { all->Fields(0); }), dao::kErrNoCurrentRecord);
  all->MoveFirst();
  EXPECT_EQ(ErrorOf([&] { all->Fields(9); }), dao::kErrItemNotFound);
}

TEST_F(DaoTest, DatesBooleansAndAggregates) {
  db->Execute("INSERT INTO Run(RunDescription, RunDate, Flag) VALUES ('r', '2026-12-10 09:30:00', True)");
  auto rs = db->OpenRecordset("SELECT RunDate, Flag, MAX(RunID) As MAX_ID FROM Run");
  EXPECT_EQ(rs->Fields(0), vb::Variant(vb::DateSerial(2026, 12, 10, 9, 30, 0)));
  EXPECT_EQ(rs->Fields(1), vb::Variant(true));
  EXPECT_EQ(rs->Fields("MAX_ID"), vb::Variant(int32_t{1}));
}

TEST_F(DaoTest, EmptyRecordsetIsAtBothEnds) {
  auto rs = db->OpenRecordset("SELECT * FROM Emission");
  EXPECT_TRUE(rs->Bof());
  EXPECT_TRUE(rs->Eof());
  EXPECT_EQ(ErrorOf([&] { rs->MoveFirst(); }), dao::kErrNoCurrentRecord);
  rs->Close();
  EXPECT_EQ(ErrorOf([&] { rs->Eof(); }), dao::kErrObjectClosed);
  EXPECT_EQ(ErrorOf([&] { rs->Close(); }), dao::kErrObjectClosed);
}

TEST_F(DaoTest, OneStatementPerCallAndNumberedRefusals) {
  db->Execute("INSERT INTO Run(RunDescription) VALUES ('keep')");
  const std::pair<std::function<void()>, int> cases[] = {
      {[&] { db->Execute("DELETE FROM Run; DROP TABLE Run"); }, dao::kErrTrailingText},
      {[&] { db->Execute("SELECT * FROM Run"); }, dao::kErrCannotExecSelect},
      {[&] { db->OpenRecordset("DELETE FROM Run"); }, dao::kErrInvalidOperation},
      {[&] { db->Execute("   "); }, dao::kErrEmptySql},
      {[&] { db->OpenRecordset("SELECT * FROM Nowhere"); }, dao::kErrNoSuchTable},
      {[&] { db->OpenRecordset("SELECT Missing FROM Run"); }, dao::kErrTooFewParams},
      {[&] { db->Execute("INSERT INTO Run(Missing) VALUES (1)"); }, dao::kErrTooFewParams},
      {[&] { db->OpenRecordset("SELECT * FROMM Run"); }, dao::kErrSyntax},
      {[&] { db->Execute("INSERT INTO Run(RunID) VALUES (1)"); }, dao::kErrConstraint},
  };
  int i = 0;
  for (const auto& [f, number] : cases) EXPECT_EQ(ErrorOf(f), number) << "case " << i++;
  // Neither the refused DELETE nor the refused query touched the row.
  EXPECT_EQ(db->OpenRecordset("SELECT * FROM Run")->RecordCount(), 1);
  // A trailing semicolon is no second statement.
  EXPECT_NO_THROW(db->Execute("UPDATE Run SET RunDescription = 'x';  "));
}

TEST_F(DaoTest, LastSqlShowsTheTextEvenWhenItFailed) {
  db->Execute("DELETE FROM Run WHERE RunID = 3");
  EXPECT_EQ(dao::LastSql(), "DELETE FROM Run WHERE RunID = 3");
  ErrorOf([&] { db->OpenRecordset("SELECT nonsense"); });
  EXPECT_EQ(dao::LastSql(), "SELECT nonsense");
}

TEST_F(DaoTest, ClosedDatabase) {
  db->Close();
  EXPECT_FALSE(db->IsOpen());
  EXPECT_EQ(ErrorOf([&] { db->Execute("DELETE FROM Run"); }), dao::kErrObjectClosed);
  EXPECT_EQ(ErrorOf([&] { db->Close(); }), dao::kErrAlreadyClosed);
}

TEST_F(DaoTest, WorkspaceTransactions) {
  dao::Workspace ws(db);
  ws.BeginTrans();
  db->Execute("INSERT INTO Run(RunDescription) VALUES ('gone')");
  ws.Rollback();
  EXPECT_EQ(db->OpenRecordset("SELECT * FROM Run")->RecordCount(), 0);
}

}  // namespace
