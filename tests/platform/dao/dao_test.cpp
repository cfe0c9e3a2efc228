#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <functional>

#include "platform/dao/Dao.h"
#include "runtime/VbError.h"
#include "tests/platform/dao/ScenarioFixture.h"
#include "tests/support/TestDir.h"
#include "tests/support/Undeletable.h"

namespace {

int ErrorOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const vb::VbError& e) {
    return e.number;
  }
  return 0;
}

std::string MessageOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const vb::VbError& e) {
    return std::to_string(e.number) + " " + e.description;
  }
  return "no error";
}

// The delivered schema, as a fresh database file.
void MakeScenario(const std::string& path, const std::string& more = {}) {
  ASSERT_TRUE(testsupport::MakeDatabase(
      path, testsupport::ReadFile(testsupport::SourceDir() / "data" / "schema.sql") + more));
}

// Holds the file locked in another connection, as another program would.
class ExclusiveLock {
 public:
  explicit ExclusiveLock(const std::string& path) {
    sqlite3_open(path.c_str(), &db_);
    ok_ = sqlite3_exec(db_, "BEGIN EXCLUSIVE;", nullptr, nullptr, nullptr) == SQLITE_OK;
  }
  ~ExclusiveLock() {
    sqlite3_exec(db_, "ROLLBACK;", nullptr, nullptr, nullptr);
    sqlite3_close(db_);
  }
  bool ok() const { return ok_; }

 private:
  sqlite3* db_ = nullptr;
  bool ok_ = false;
};

// Recordsets and statements: the tiny tables serve, no scenario layout is needed.
class DaoTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(testsupport::MakeDatabase("s.db"));
    db = dao::Database::OpenAny("s.db");
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
  MakeScenario("full.db");
  auto db = dao::Database::OpenDatabase("full.db");
  for (const std::string& t : dao::ScenarioTables()) EXPECT_TRUE(db->HasTable(t)) << t;
}

TEST(DaoOpen, TheLayoutIsTheSixTablesWithTheirColumnsInOrder) {
  const std::pair<const char*, std::size_t> expected[] = {{"Compounds", 31},      {"Corvix", 13},
                                                          {"Emission", 18},       {"AdvancedDetail", 33},
                                                          {"Environment", 59},    {"Run", 31}};
  const auto& layout = dao::ScenarioLayout();
  ASSERT_EQ(layout.size(), 6u);
  for (std::size_t i = 0; i < 6; ++i) {
    EXPECT_EQ(layout[i].name, expected[i].first);
    EXPECT_EQ(layout[i].columns.size(), expected[i].second) << layout[i].name;
  }
  EXPECT_EQ(layout[0].columns[0], "CmpID");
  EXPECT_EQ(layout[0].columns[1], "CmpDescr");
  EXPECT_EQ(layout[0].columns[30], "CASnr");
}

// Every reader takes fields by position: a file whose columns stand elsewhere would feed one
// column's values into another, so it is refused with a text that names the place.
TEST(DaoOpen, RefusesColumnsInAnotherOrderOrMissingOrAdded) {
  const auto& env = dao::ScenarioLayout()[4].columns;
  const std::string a = env[10], b = env[11];
  const struct {
    const char* what;
    std::string alter;
    std::string named;
  } cases[] = {
      {"two columns swapped",
       "ALTER TABLE Environment RENAME COLUMN " + a + " TO tmp_x; ALTER TABLE Environment RENAME COLUMN " + b +
           " TO " + a + "; ALTER TABLE Environment RENAME COLUMN tmp_x TO " + b + ";",
       "column 11 of the table 'Environment' is '" + b + "' where the column '" + a + "' belongs"},
      {"a column missing", "ALTER TABLE Run DROP COLUMN " + dao::ScenarioLayout()[5].columns.back() + ";",
       "the table 'Run' has 30 columns where 31 belong"},
      {"a column added", "ALTER TABLE Corvix ADD COLUMN Extra TEXT;", "the table 'Corvix' has 14 columns where 13 belong"},
      {"a table missing", "DROP TABLE AdvancedDetail;", "it has no table 'AdvancedDetail'"},
  };
  for (const auto& c : cases) {
    const std::string file = std::string(c.what) + ".db";
    MakeScenario(file, c.alter);
    const std::string message = MessageOf([&] { dao::Database::OpenDatabase(file); });
    EXPECT_EQ(message.rfind("3343 Unrecognized database format '", 0), 0u) << c.what << ": " << message;
    EXPECT_NE(message.find(c.named), std::string::npos) << c.what << ": " << message;
    // An import file need not have the layout: it is read by column name.
    EXPECT_NO_THROW(dao::Database::OpenAny(file)) << c.what;
  }
}

TEST(DaoOpen, ColumnNamesDifferingOnlyInCaseAreTheSameColumns) {
  MakeScenario("case.db", "ALTER TABLE Compounds RENAME COLUMN CmpDescr TO CMPDESCR;"
                          "ALTER TABLE Environment RENAME COLUMN ID TO id;");
  EXPECT_EQ(MessageOf([] { dao::Database::OpenDatabase("case.db"); }), "no error");
}

TEST(DaoLocked, AFileLockedByAnotherProgramSaysSoWhenOpened) {
  MakeScenario("busy.db");
  ExclusiveLock lock("busy.db");
  ASSERT_TRUE(lock.ok());
  for (const auto& open : std::initializer_list<std::function<void()>>{
           [] { dao::Database::OpenDatabase("busy.db"); }, [] { dao::Database::OpenAny("busy.db"); }}) {
    const std::string message = MessageOf(open);
    EXPECT_EQ(message.rfind("3051 The database engine cannot open the file '", 0), 0u) << message;
    EXPECT_NE(message.find("It is currently locked by another program."), std::string::npos) << message;
    EXPECT_EQ(message.find("Unrecognized"), std::string::npos) << message;
  }
}

TEST(DaoLocked, ReadsAndWritesWhileAnotherProgramHoldsTheLockSaySo) {
  MakeScenario("busy.db");
  auto db = dao::Database::OpenDatabase("busy.db");
  ExclusiveLock lock("busy.db");
  ASSERT_TRUE(lock.ok());
  EXPECT_EQ(MessageOf([&] { db->Execute("DELETE FROM Run"); }).rfind("3260 Couldn't update; currently locked by another program.", 0), 0u);
  EXPECT_EQ(MessageOf([&] { db->OpenRecordset("SELECT * FROM Run"); }).rfind("3260 Couldn't read; currently locked by another program.", 0), 0u);
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

// The engine reads a text only up to a NUL: such a statement is refused whole, never run cut.
TEST_F(DaoTest, AStatementHoldingANulIsNotRun) {
  const char raw[] = "INSERT INTO Compounds (CmpDescr) VALUES ('a');\0DELETE FROM Compounds";
  const std::string sql(raw, sizeof raw - 1);
  EXPECT_EQ(MessageOf([&] { db->Execute(sql); }),
            "3035 The statement holds a NUL character (character code 0), so it was not run.");
  EXPECT_EQ(vb::CStr(db->OpenRecordset("SELECT COUNT(*) FROM Compounds")->Fields(0)), "0");
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

namespace {

namespace fs = std::filesystem;

// A file that goes away, or another file put in its place, while the database is open: the
// write says so instead of calling the database read-only.
TEST(DaoWriting, AFileRemovedOrReplacedWhileOpenIsNamedSo) {
  for (const bool replaced : {false, true}) {
    SCOPED_TRACE(replaced ? "replaced" : "removed");
    ASSERT_TRUE(testsupport::MakeDatabase("gone.db"));
    auto db = dao::Database::OpenAny("gone.db");
    EXPECT_EQ(db->WriteProblem(), "");
    if (replaced) {
      ASSERT_TRUE(testsupport::MakeDatabase("other.db"));
      fs::rename("other.db", "gone.db");
    } else {
      fs::remove("gone.db");
    }
    const std::string full = fs::absolute("gone.db").string();
    EXPECT_EQ(db->WriteProblem(),
              "The database file '" + full + "' was removed or replaced while the program was running.");
    const std::string said = MessageOf([&] { db->Execute("INSERT INTO Compounds (CmpDescr) VALUES ('x')"); });
    EXPECT_EQ(said.rfind("3044 The database file '" + full + "' was removed or replaced", 0), 0u) << said;
    EXPECT_EQ(said.find("read-only"), std::string::npos) << said;
    db->Close();
    fs::remove("gone.db");
  }
}

// A read-only file, and a writable file in a read-only folder (the engine's journal goes there):
// both are known when opened, and a write names the cause.
TEST(DaoWriting, AReadOnlyFileOrFolderIsKnownAtOnceAndNamedOnWrite) {
  fs::create_directory("ro");
  ASSERT_TRUE(testsupport::MakeDatabase("ro/file.db"));
  ASSERT_TRUE(testsupport::MakeDatabase("ro/folder.db"));
  const std::string folder = fs::absolute("ro").lexically_normal().string();
  struct Case {
    const char* file;
    fs::path locked;
    std::string problem;
  } cases[] = {
      {"ro/file.db", "ro/file.db", "The database '" + folder + "/file.db' is read-only."},
      {"ro/folder.db", "ro",
       "The folder '" + folder + "' that holds the database '" + folder + "/folder.db' is read-only, so the database "
       "cannot be written."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    testsupport::Immutable frozen(c.locked);
    if (!frozen.ok()) GTEST_SKIP() << "no way here to make a file read-only for this user";
    auto db = dao::Database::OpenAny(c.file);
    EXPECT_EQ(db->WriteProblem(), c.problem);
    EXPECT_EQ(MessageOf([&] { db->Execute("INSERT INTO Compounds (CmpDescr) VALUES ('x')"); }),
              "3027 Cannot update. Database or object is read-only. " + c.problem);
    // Reading goes on.
    EXPECT_EQ(db->OpenRecordset("SELECT COUNT(*) FROM Compounds")->Fields(0).IsNull(), false);
    db->Close();
  }
}

}  // namespace
