// What the record classes do with awkward values, missing rows, the import switch and run files.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <limits>
#include <optional>

#include "platform/dao/Dao.h"
#include "platform/ui/MsgBox.h"
#include "records/AdvancedDetail.h"
#include "records/Compounds.h"
#include "records/Emission.h"
#include "records/Environment.h"
#include "records/RecordTables.h"
#include "records/Run.h"
#include "runtime/VbError.h"
#include "services/DAOSupport.h"
#include "tests/records/ScenarioDb.h"
#include "tests/support/TestDir.h"
#include "tests/support/Undeletable.h"

namespace {

namespace fs = std::filesystem;

bool BoxNames(const ui::MsgBoxRecorder& boxes, const std::string& module, const std::string& procedure, int number) {
  if (boxes.boxes().size() != 1) return false;
  const std::string& p = boxes.boxes()[0].prompt;
  return p.find("'" + module + "' at procedure '" + procedure + "'") != std::string::npos &&
         p.find("Error Number: " + std::to_string(number)) != std::string::npos;
}

TEST(RecordValues, NumberColumnsTakeOnlyNumbers) {
  testdb::OpenScenario db;
  struct Case {
    const char* name;
    vb::Variant molmass;
    int error;
  };
  const Case cases[] = {
      {"statement smuggled into a number", vb::Variant("1); DROP TABLE Compounds; --"), 13},
      {"text that is no number", vb::Variant("heavy"), 13},
      {"infinity", vb::Variant(std::numeric_limits<double>::infinity()), 6},
      {"not a number", vb::Variant(std::nan("")), 5},
      // Finite, but its 15-digit text 1.79769313486232E+308 lies beyond the largest double.
      {"largest double", vb::Variant(std::numeric_limits<double>::max()), 6},
      {"lowest double", vb::Variant(std::numeric_limits<double>::lowest()), 6},
  };
  for (const Case& c : cases) {
    ui::MsgBoxRecorder boxes;
    EXPECT_EQ(Compounds().Add({.vstrCmpdescr = "x", .vdblCmpmolmass = c.molmass}), -1) << c.name;
    EXPECT_TRUE(BoxNames(boxes, "Compounds", "Add", c.error)) << c.name;
  }
  EXPECT_EQ(db.Scalar("SELECT COUNT(*) FROM Compounds"), "0");

  // A key is a number too: a key that carries more SQL deletes nothing.
  ui::MsgBoxRecorder boxes;
  int32_t id = Emission().Add({.vstrDescription = "kept"});
  EXPECT_FALSE(Emission().Delete(vb::Variant(std::to_string(id) + " OR 1=1")));
  EXPECT_TRUE(BoxNames(boxes, "Emission", "Delete", 13));
  EXPECT_EQ(db.Scalar("SELECT COUNT(*) FROM Emission"), "1");
  // A numeric text is converted to the column's type before it is written.
  boxes.Clear();
  ASSERT_TRUE(Compounds().Add({.vintCmpistype = "2.5", .vdblCmpmolmass = " 12.5 "}) > 0);
  EXPECT_EQ(db.Scalar("SELECT typeof(CmpMolmass) || ' ' || CmpMolmass || ' ' || CmpIsType FROM Compounds"),
            "real 12.5 2");
  EXPECT_TRUE(boxes.boxes().empty());
}

TEST(RecordValues, TextsAreStoredAsTyped) {
  testdb::OpenScenario db;
  ui::MsgBoxRecorder boxes;
  const std::string odd = "2,4'-DDT'); DELETE FROM Compounds; --";
  int32_t id = Compounds().Add({.vstrCmpdescr = odd, .vstrCmpname = "O'Brien's"});
  ASSERT_GT(id, 0);
  std::string descr, name;
  ASSERT_TRUE(Compounds().GetByKey(id, {.rstrCmpdescr = descr, .rstrCmpname = name}));
  EXPECT_EQ(descr, odd);
  EXPECT_EQ(name, "O'Brien's");
  auto rs = Compounds().GetAll({.vstrCmpname = "O'Brien's"});
  EXPECT_EQ(rs->RecordCount(), 1);
  EXPECT_TRUE(boxes.boxes().empty());
}

// A NUL would end the statement inside its literal: refused once, by name, as invalid input.
TEST(RecordValues, ATextHoldingANulIsRefusedWithOneClearMessage) {
  testdb::OpenScenario db;
  ui::MsgBoxRecorder boxes;
  EXPECT_EQ(Compounds().Add({.vstrCmpdescr = "x", .vstrCmpname = std::string("a\0b", 3)}), -1);
  ASSERT_EQ(boxes.boxes().size(), 1u);
  EXPECT_EQ(boxes.boxes()[0].style, ui::vbExclamation);
  EXPECT_EQ(boxes.boxes()[0].prompt,
            "The text for 'CmpName' holds a NUL character (character code 0), which cannot be stored. Remove it and "
            "try again.");
  EXPECT_EQ(db.Scalar("SELECT COUNT(*) FROM Compounds"), "0");
}

TEST(RecordValues, MarkersFollowEachColumn) {
  testdb::OpenScenario db;
  ui::MsgBoxRecorder boxes;
  // The given value and what the table then holds ("NULL" for a Null).
  struct Case {
    const char* column;
    std::function<int32_t()> add;
    const char* table;
    const char* stored;
  };
  const Case cases[] = {
      {"CmpKow", [] { return Compounds().Add({.vsinCmpkow = 0.0f}); }, "Compounds", "NULL"},
      {"CmpKow", [] { return Compounds().Add({.vsinCmpkow = -99999.0f}); }, "Compounds", "-99999.0"},
      {"CmpIsType", [] { return Compounds().Add({.vintCmpistype = -1}); }, "Compounds", "NULL"},
      {"CmpMolmass", [] { return Compounds().Add({.vdblCmpmolmass = "-99999"}); }, "Compounds", "NULL"},
      {"CmpMolmass", [] { return Compounds().Add({.vdblCmpmolmass = 0.0}); }, "Compounds", "0.0"},
      {"WidthMouth", [] { return Environment().Add({.vsinWidthmouth = 0.0f}); }, "Environment", "NULL"},
      {"SalinitySea", [] { return Environment().Add({.vdblSalinitysea = 0.0}); }, "Environment", "0.0"},
      {"DispersionOption", [] { return Environment().Add({.vlngDispersionOption = 0}); }, "Environment", "0"},
      {"DispersionOption", [] { return Environment().Add({.vlngDispersionOption = -1}); }, "Environment", "NULL"},
      {"DispersionX1", [] { return Environment().Add({.vdblDispersionX1 = -1.0}); }, "Environment", "NULL"},
      {"CorvixID", [] { return ::Run().Add({.vlngCorvixid = -1}); }, "Run", "NULL"},
      {"RunDate", [] { return ::Run().Add({.vdteRundate = ""}); }, "Run", "NULL"},
      {"RunDate", [] { return ::Run().Add({.vdteRundate = vb::DateSerial(2026, 12, 10, 9, 30)}); }, "Run",
       "2026-12-10 09:30:00"},
      // A Null has no text form: it is written as Null, whatever the column.
      {"CmpName", [] { return Compounds().Add({.vstrCmpname = vb::Variant::Null()}); }, "Compounds", "NULL"},
      {"Load1", [] { return Emission().Add({.vdblLoad1 = vb::Variant::Null()}); }, "Emission", "NULL"},
  };
  for (const Case& c : cases) {
    int32_t id = c.add();
    ASSERT_GT(id, 0) << c.column;
    const std::string key = std::string(c.table) == "Compounds" ? "CmpID" : std::string(c.table) == "Run" ? "RunID" : std::string(c.table) == "Emission" ? "EmissionID" : "ID";
    EXPECT_EQ(db.Scalar("SELECT " + std::string(c.column) + " FROM " + c.table + " WHERE " + key + " = " + std::to_string(id)),
              c.stored)
        << c.column;
  }
  EXPECT_TRUE(boxes.boxes().empty()) << boxes.boxes().front().prompt;

  // Read back, a Null arrives as the marker in the caller's own type.
  int32_t id = Environment().Add({.vstrDescription = "", .vsinWidthmouth = 0.0f, .vlngDispersionOption = -1,
                                   .vdblTideavg = -99999.0});
  std::string description = "old";
  float width = 5;
  int32_t option = 5;
  double tide = 5;
  ASSERT_TRUE(Environment().GetByKey(id, {.rstrDescription = description, .rsinWidthmouth = width,
                                          .rlngDispersionOption = option, .rdblTideavg = tide}));
  EXPECT_EQ(description, "");
  EXPECT_EQ(width, 0.0f);
  EXPECT_EQ(option, -1);
  EXPECT_EQ(tide, -99999.0);
}

TEST(RecordRows, AddGivesTheIdOfItsOwnRow) {
  testdb::OpenScenario db;
  ui::MsgBoxRecorder boxes;
  // Another writer inserting behind our back: the largest id is not ours.
  db.Raw("CREATE TRIGGER other_writer AFTER INSERT ON Run WHEN NEW.RunDescription = 'mine' "
         "BEGIN INSERT INTO Run (RunID, RunDescription) VALUES (NEW.RunID + 100, 'theirs'); END;");
  int32_t id = ::Run().Add({.vstrRundescription = "mine"});
  EXPECT_EQ(db.Scalar("SELECT RunDescription FROM Run WHERE RunID = " + std::to_string(id)), "mine");
  EXPECT_EQ(MaxId("Run", "RunID"), id + 100);

  // A row the database declines to insert gives -1, not the id of some other row.
  db.Raw("CREATE TRIGGER refuse BEFORE INSERT ON Run WHEN NEW.RunDescription = 'refused' BEGIN SELECT RAISE(IGNORE); END;");
  EXPECT_EQ(::Run().Add({.vstrRundescription = "refused"}), -1);

  // The id of a deleted run is never handed out again, so a new run cannot inherit its files.
  const int32_t last = MaxId("Run", "RunID");
  ASSERT_TRUE(::Run().Delete(last));
  EXPECT_GT(::Run().Add({.vstrRundescription = "next"}), last);
  EXPECT_TRUE(boxes.boxes().empty());
}

// Past the largest 32-bit id nothing is stored, and the one box says so; the last id still works.
TEST(RecordRows, AddRefusesAKeyBeyondTheLargestIdBeforeStoringAnything) {
  testdb::OpenScenario db;
  const struct {
    const char* what;
    const char* sql;
  } cases[] = {
      {"sequence at the top", "UPDATE sqlite_sequence SET seq = 2147483647 WHERE name = 'Compounds';"},
      {"largest row at the top", "DELETE FROM sqlite_sequence WHERE name = 'Compounds';"
                                 " INSERT INTO Compounds (CmpID, CmpDescr) VALUES (2147483647, 'top');"},
  };
  db.Raw("INSERT INTO Compounds (CmpDescr) VALUES ('first');");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    db.Raw(c.sql);
    const std::string before = db.Scalar("SELECT COUNT(*) FROM Compounds");
    ui::MsgBoxRecorder boxes;
    EXPECT_EQ(Compounds().Add({.vstrCmpdescr = "one too many"}), -1);
    ASSERT_TRUE(BoxNames(boxes, "Compounds", "Add", 6));
    EXPECT_NE(boxes.boxes()[0].prompt.find("the next id would be 2147483648"), std::string::npos) << boxes.boxes()[0].prompt;
    EXPECT_NE(boxes.boxes()[0].prompt.find("Nothing was added."), std::string::npos);
    EXPECT_EQ(db.Scalar("SELECT COUNT(*) FROM Compounds"), before);
  }

  db.Raw("DELETE FROM Compounds; UPDATE sqlite_sequence SET seq = 2147483646 WHERE name = 'Compounds';");
  ui::MsgBoxRecorder boxes;
  EXPECT_EQ(Compounds().Add({.vstrCmpdescr = "the last one"}), 2147483647);
  EXPECT_TRUE(boxes.boxes().empty());

  // Another writer taking the last id between the check and the insert: our row goes again.
  db.Raw("DELETE FROM Run; CREATE TRIGGER racer BEFORE INSERT ON Run WHEN NEW.RunDescription = 'mine' "
         "BEGIN INSERT INTO Run (RunID, RunDescription) VALUES (2147483647, 'theirs'); END;");
  EXPECT_EQ(::Run().Add({.vstrRundescription = "mine"}), -1);
  EXPECT_TRUE(BoxNames(boxes, "Run", "Add", 6));
  EXPECT_EQ(db.Scalar("SELECT group_concat(RunDescription) FROM Run"), "theirs");
}

TEST(RecordRows, MissingRowsAndNoOpStatements) {
  testdb::OpenScenario db;
  ui::MsgBoxRecorder boxes;
  double weight = 7;
  EXPECT_FALSE(AdvancedDetail().GetByKey(42, {.rdblWeight_zoopl = weight}));
  EXPECT_EQ(weight, 7);
  EXPECT_FALSE(AdvancedDetail().Update(42, {.vdblWeight_zoopl = 1.0}));
  EXPECT_TRUE(AdvancedDetail().Delete(42));
  int32_t id = AdvancedDetail().Add({.vdblWeight_zoopl = 10.0});
  EXPECT_TRUE(AdvancedDetail().Update(id, {.vdblWeight_zoopl = 12.0}));
  ASSERT_TRUE(AdvancedDetail().GetByKey(id, {.rdblWeight_zoopl = weight}));
  EXPECT_EQ(weight, 12);
  EXPECT_TRUE(boxes.boxes().empty());

  // Nothing to write is a programming error, not a malformed statement.
  EXPECT_EQ(AdvancedDetail().Add({}), -1);
  EXPECT_TRUE(BoxNames(boxes, "AdvancedDetail", "Add", vb::kProgrammingError));
}

TEST(RecordRows, GetByKeyChangesNoOutputWhenTheRowCannotBeRead) {
  testdb::OpenScenario db;
  ui::MsgBoxRecorder boxes;
  db.Raw("INSERT INTO Compounds (CmpID, CmpDescr, CmpMolmass) VALUES (3, 'broken', 'heavy')");
  std::string descr = "before";
  double molmass = 1;
  EXPECT_FALSE(Compounds().GetByKey(3, {.rstrCmpdescr = descr, .rdblCmpmolmass = molmass}));
  EXPECT_EQ(descr, "before");
  EXPECT_EQ(molmass, 1);
  // Not the error box of a failing program, nor a missing record: the row, the column and the text.
  ASSERT_EQ(boxes.boxes().size(), 1u);
  EXPECT_EQ(boxes.boxes()[0].prompt,
            "The Compounds record 3 holds \"heavy\" in its column CmpMolmass, which is no value of that column's "
            "type. Correct the record in the database.");
  EXPECT_EQ(boxes.boxes()[0].style, ui::vbExclamation);

  // A run whose estuary column holds text.
  boxes.Clear();
  db.Raw("INSERT INTO Run (RunID, RunDescription, EnvirID) VALUES (9, 'typed over', 'two')");
  int32_t envir = 0;
  EXPECT_FALSE(::Run().GetByKey(9, {.rlngEnvirID = envir}));
  ASSERT_EQ(boxes.boxes().size(), 1u);
  EXPECT_EQ(boxes.boxes()[0].prompt,
            "The Run record 9 holds \"two\" in its column EnvirID, which is no value of that column's type. Correct "
            "the record in the database.");
}

TEST(CompoundsImport, GetAllReadsTheImportDatabaseOnce) {
  testdb::OpenScenario db;
  ui::MsgBoxRecorder boxes;
  Compounds().Add({.vstrCmpdescr = "own"});
  const fs::path other = testsupport::WorkDir() / "other.db";
  testdb::Exec(other, testdb::Script("schema.sql"));
  testdb::Exec(other, "INSERT INTO Compounds (CmpDescr) VALUES ('imported'); INSERT INTO Compounds (CmpDescr) VALUES ('also');");
  gImportDatabase = dao::Database::OpenDatabase(other.string());

  gblnImport = true;
  auto rs = Compounds().GetAll();
  ASSERT_TRUE(rs);
  EXPECT_EQ(rs->RecordCount(), 2);
  EXPECT_EQ(vb::CStr(rs->Fields(1)), "imported");
  EXPECT_FALSE(gblnImport);
  rs = Compounds().GetAll();
  ASSERT_TRUE(rs);
  EXPECT_EQ(vb::CStr(rs->Fields(1)), "own");

  // Other classes and operations never read the import database.
  gblnImport = true;
  EXPECT_EQ(Emission().GetAll()->RecordCount(), 0);
  EXPECT_TRUE(gblnImport);

  // A failing read of the import database lowers the switch too.
  gImportDatabase.reset();
  EXPECT_FALSE(Compounds().GetAll());
  EXPECT_FALSE(gblnImport);
  EXPECT_TRUE(BoxNames(boxes, "Compounds", "GetAll", 91));
}

TEST(RunRecords, NamedAddAndReadBack) {
  testdb::OpenScenario db;
  ui::MsgBoxRecorder boxes;
  const int32_t id = ::Run().Add({.vstrRundescription = "PCB-153 estuary O'Brien",
                                .vlngCorvixid = 1,
                                .vstrTulmoversion = "1.0",
                                .vdteRundate = "2026-12-10 09:30:05",
                                .vlngEnvirID = 2,
                                .vlngCompoundid = 3,
                                .vlngEmisid = 4});
  ASSERT_GT(id, 0);
  // Dates are kept as ISO text, so the table sorts and reads them without the locale.
  EXPECT_EQ(db.Scalar("SELECT typeof(RunDate) || ' ' || RunDate FROM Run"), "text 2026-12-10 09:30:05");

  std::string description, version, date, mapName;
  vb::Date when;
  int32_t corvix = 0, compound = 0;
  double concMax = 0;
  ASSERT_TRUE(::Run().GetByKey(id, {.rstrRundescription = description, .rlngCorvixid = corvix,
                                  .rstrTulmoversion = version, .rdteRundate = date, .rlngCompoundid = compound,
                                  .rdblConcmax = concMax, .rstrFnamemap = mapName}));
  EXPECT_EQ(description, "PCB-153 estuary O'Brien");
  EXPECT_EQ(version, "1.0");
  EXPECT_EQ(date, "2026-12-10 09:30:05");
  EXPECT_EQ(corvix, 1);
  EXPECT_EQ(compound, 3);
  EXPECT_EQ(concMax, -99999);
  EXPECT_EQ(mapName, "");
  ASSERT_TRUE(::Run().GetByKey(id, {.rdteRundate = when}));
  EXPECT_EQ(when, vb::DateSerial(2026, 12, 10, 9, 30, 5));

  auto rs = ::Run().GetAll();
  ASSERT_EQ(rs->FieldCount(), 31);
  EXPECT_EQ(vb::CLng(rs->Fields(6)), 3);  // CompoundID, where the lists look for it

  EXPECT_EQ(::Run().Add({.vdteRundate = "yesterday"}), -1);
  EXPECT_TRUE(BoxNames(boxes, "Run", "Add", 13));

  // A number for a date is a day count; past the year 9999 (or before 100) it is no date.
  for (const vb::Variant& far : {vb::Variant(1e300), vb::Variant(2958466.0), vb::Variant("-657435"),
                                 vb::Variant(vb::Date{1e19})}) {
    boxes.Clear();
    EXPECT_EQ(::Run().Add({.vstrRundescription = "far", .vdteRundate = far}), -1) << vb::CStr(vb::Variant(vb::CDbl(far)));
    EXPECT_TRUE(BoxNames(boxes, "Run", "Add", 6)) << boxes.boxes().size();
  }
  boxes.Clear();
  ASSERT_GT(::Run().Add({.vstrRundescription = "last day", .vdteRundate = 2958465.5}), 0);
  EXPECT_EQ(db.Scalar("SELECT RunDate FROM Run WHERE RunDescription = 'last day'"), "9999-12-31 12:00:00");
  EXPECT_EQ(db.Scalar("SELECT COUNT(*) FROM Run WHERE RunDescription = 'far'"), "0");
  EXPECT_TRUE(boxes.boxes().empty());
}

const char* const kAllSuffixes[] = {".map", "-stat.txt", "-report.txt", "-data.txt", ".shp", ".shx", ".dbf"};

TEST(RunRecords, DeleteRemovesTheRunsOwnFiles) {
  testdb::OpenScenario db;
  ui::MsgBoxRecorder boxes;
  struct Case {
    const char* name;
    bool rowExists;
    std::vector<std::string> present;
    std::vector<std::string> left;
  };
  const std::vector<Case> cases = {
      {"only the map", true, {".map"}, {}},
      {"none of the files", true, {}, {}},
      {"all seven files", true, {".map", "-stat.txt", "-report.txt", "-data.txt", ".shp", ".shx", ".dbf"},
       {"-data.txt", ".shp", ".shx", ".dbf"}},
      {"no row with the id", false, {".map", "-report.txt", ".dbf"}, {".dbf"}},
  };
  for (const Case& c : cases) {
    const int32_t id = c.rowExists ? ::Run().Add({.vstrRundescription = c.name}) : 999;
    for (const std::string& s : c.present) testsupport::WriteFile(std::to_string(id) + s, "x");
    EXPECT_TRUE(::Run().Delete(id)) << c.name;
    for (const char* s : kAllSuffixes) {
      bool shouldStay = std::find(c.left.begin(), c.left.end(), s) != c.left.end();
      EXPECT_EQ(fs::exists(std::to_string(id) + s), shouldStay) << c.name << " " << s;
    }
    EXPECT_EQ(db.Scalar("SELECT COUNT(*) FROM Run WHERE RunID = " + std::to_string(id)), "0");
  }
  // A folder under a run file's name is not the run's file.
  fs::create_directory("12-stat.txt");
  EXPECT_TRUE(::Run().Delete(12));
  EXPECT_TRUE(fs::is_directory("12-stat.txt"));
  EXPECT_TRUE(boxes.boxes().empty());
}

TEST(RunRecords, DeleteTriesEveryFileAndReportsTheFirstFailureOnce) {
  testdb::OpenScenario db;
  const int32_t id = ::Run().Add({.vstrRundescription = "locked map"});
  const std::string stem = std::to_string(id);
  for (const char* s : {".map", "-stat.txt", "-report.txt"}) testsupport::WriteFile(stem + s, "x");
  ui::MsgBoxRecorder boxes;
  {
    testsupport::Immutable locked(stem + ".map");
    std::optional<testsupport::StickyFolder> sticky;
    if (!locked.ok()) {
      sticky.emplace(std::vector<std::string>{stem + "-stat.txt", stem + "-report.txt"});
      if (!sticky->ok()) GTEST_SKIP() << "no way here to make a file undeletable";
    }
    EXPECT_FALSE(::Run().Delete(id));
  }
  EXPECT_TRUE(BoxNames(boxes, "Run", "Delete", 75));
  EXPECT_TRUE(fs::exists(stem + ".map"));
  EXPECT_FALSE(fs::exists(stem + "-stat.txt"));
  EXPECT_FALSE(fs::exists(stem + "-report.txt"));
  EXPECT_EQ(db.Scalar("SELECT COUNT(*) FROM Run"), "0");
}

// Each of the six tables reaches its own record class: its rows, the row of an id and its deletion.
TEST(RecordTables, EachTableReachesItsOwnRecordClass) {
  testdb::OpenScenario db(true);
  db.Raw("INSERT INTO Run (RunDescription) VALUES ('r')");
  std::vector<std::string> names;
  for (records::RecordTable t : records::kRecordTables) {
    const std::string name = records::TableName(t);
    names.push_back(name);
    const dao::TableLayout* layout = nullptr;
    for (const dao::TableLayout& l : dao::ScenarioLayout())
      if (l.name == name) layout = &l;
    ASSERT_NE(layout, nullptr) << name;
    const std::string key = layout->columns.at(0);
    const std::string count = db.Scalar("SELECT COUNT(*) FROM [" + name + "]");
    ASSERT_NE(count, "0") << name;
    std::unique_ptr<dao::Recordset> all = records::AllRows(t);
    ASSERT_NE(all, nullptr) << name;
    all->MoveLast();
    EXPECT_EQ(std::to_string(all->RecordCount()), count) << name;
    const int32_t id = std::stoi(db.Scalar("SELECT MAX([" + key + "]) FROM [" + name + "]"));
    std::unique_ptr<dao::Recordset> row = records::RowById(t, id);
    ASSERT_NE(row, nullptr) << name;
    ASSERT_FALSE(row->Eof()) << name;
    EXPECT_EQ(vb::CLng(row->Fields(0)), id) << name;
    row->MoveNext();
    EXPECT_TRUE(row->Eof()) << name;
    EXPECT_TRUE(records::DeleteById(t, id)) << name;
    EXPECT_EQ(db.Scalar("SELECT COUNT(*) FROM [" + name + "] WHERE [" + key + "] = " + std::to_string(id)), "0")
        << name;
  }
  EXPECT_EQ(names, (std::vector<std::string>{"Compounds", "Corvix", "Emission", "AdvancedDetail", "Environment", "Run"}));
}

}  // namespace
