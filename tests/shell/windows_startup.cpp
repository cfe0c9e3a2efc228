// Start-up: the refusals end the program before any window, a missing database ends it after the
// splash, and a good start leaves the main window and the start panel with the hourglass gone.
#include <QCursor>
#include <QGuiApplication>
#include <sqlite3.h>

#include <filesystem>

#include "platform/ui/Global.h"
#include "shell/MDIMain.h"
#include "shell/SubMain.h"
#include "services/Useful.h"
#include "shell/frmAbout.h"
#include "shell/frmOpen.h"
#include "tests/shell/windows_fixture.h"
#include "tests/support/Undeletable.h"

namespace {

using StartupTest = ShellTest;

TEST_F(StartupTest, SecondInstanceShowsOnlyTheRefusalAndEnds) {
  ui::SetPrevInstanceCheck([] { return true; });
  SubMain::Main();
  ASSERT_EQ(boxes.boxes().size(), 1u);
  EXPECT_EQ(boxes.events().front(), "beep");
  EXPECT_EQ(boxes.boxes()[0].prompt, "This application is already running.");
  EXPECT_EQ(boxes.boxes()[0].style, 16);
  EXPECT_EQ(boxes.boxes()[0].title, "Tulmo");
  EXPECT_EQ(ends, 1);
  EXPECT_TRUE(ui::Forms().empty());
}

// A lock file that cannot be made is no other instance: the program says what failed and where,
// and starts.
TEST_F(StartupTest, ALockFileThatCannotBeMadeIsSaidAndTheProgramStarts) {
  CopyDatabase();
  testsupport::WriteFile("plain", "a file where the lock folder should be");
  ui::SetPrevInstanceCheck({});
  ui::SetInstanceLockFolder("plain/run");
  SubMain::Main();
  ui::SetInstanceLockFolder("");
  ASSERT_EQ(boxes.boxes().size(), 1u);
  EXPECT_EQ(boxes.boxes()[0].prompt.rfind("The program could not create its instance lock file '" +
                                               (std::filesystem::current_path() / "plain/run/ui-tulmo.lock").string() +
                                               "' (the folder does not exist and could not be made)",
                                           0),
            0u)
      << boxes.boxes()[0].prompt;
  EXPECT_EQ(boxes.boxes()[0].style, 48);
  EXPECT_EQ(ends, 0);
  EXPECT_NE(ui::GlobalIfLoaded<frmOpen>(), nullptr);
}

TEST_F(StartupTest, CommaSeparatorIsNamedAndEndsBeforeAnyWindow) {
  ui::SetDecimalPointSource([] { return std::string(","); });
  SubMain::Main();
  ASSERT_EQ(boxes.boxes().size(), 1u);
  EXPECT_EQ(boxes.boxes()[0].prompt,
            "This program will ony run if the decimal separator is a point \".\" \rThe current separator is a : ,\r"
            "Please change the separator setting in \"Settings - Control Panel - Regional options.\"\r"
            "Some computers might require a restart.");
  EXPECT_EQ(boxes.boxes()[0].style, 48);
  EXPECT_TRUE(gblnDecimalComma);
  EXPECT_EQ(ends, 1);
  EXPECT_TRUE(ui::Forms().empty());
  EXPECT_FALSE(ui::HourglassShown());
  gblnDecimalComma = false;
}

TEST_F(StartupTest, MissingDatabaseShowsTheErrorBoxThenTheConnectionMessage) {
  SubMain::Main();
  ASSERT_EQ(boxes.boxes().size(), 2u);
  EXPECT_NE(boxes.boxes()[0].prompt.find("'DAOConnect.bas' at procedure 'OpenDatabase'"), std::string::npos);
  EXPECT_EQ(boxes.boxes()[1].prompt, "There was a problem connecting to the database - ");
  EXPECT_EQ(boxes.boxes()[1].style, 16);
  EXPECT_EQ(ends, 1);
  EXPECT_EQ(ui::GlobalIfLoaded<frmAbout>(), nullptr);
  EXPECT_EQ(ui::GlobalIfLoaded<MDIMain>(), nullptr);
  EXPECT_EQ(gDAOConnect, nullptr);
  EXPECT_FALSE(ui::HourglassShown());
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

// A good file that another program holds locked, and a file whose columns stand in another order:
// each gets a box that says what is wrong with it, then the connection message.
TEST_F(StartupTest, LockedOrReorderedDatabaseIsNamedForWhatItIs) {
  const struct {
    const char* what;
    const char* sql;  // run on the copy; BEGIN EXCLUSIVE keeps the connection (and its lock) open
    std::string said;
  } cases[] = {
      {"locked", "BEGIN EXCLUSIVE;", "Error Number: 3051\r\n\r\nThe database engine cannot open the file '"},
      {"reordered",
       "ALTER TABLE Emission RENAME COLUMN GridNr1 TO x; ALTER TABLE Emission RENAME COLUMN GridNr2 TO GridNr1;"
       " ALTER TABLE Emission RENAME COLUMN x TO GridNr2;",
       "Error Number: 3343\r\n\r\nUnrecognized database format '"},
  };
  for (const auto& c : cases) {
    std::filesystem::remove("tulmo-final.db");
    CopyDatabase();
    sqlite3* other = nullptr;
    sqlite3_open("tulmo-final.db", &other);
    ASSERT_EQ(sqlite3_exec(other, c.sql, nullptr, nullptr, nullptr), SQLITE_OK) << c.what;
    boxes.Clear();
    ends = 0;
    SubMain::Main();
    sqlite3_close(other);
    ASSERT_EQ(boxes.boxes().size(), 2u) << c.what;
    const std::string& box = boxes.boxes()[0].prompt;
    EXPECT_NE(box.find("'DAOConnect.bas' at procedure 'OpenDatabase'"), std::string::npos) << box;
    EXPECT_NE(box.find(c.said), std::string::npos) << box;
    EXPECT_NE(box.find(std::string(c.what) == "locked" ? "currently locked by another program" : "'Emission'"),
              std::string::npos)
        << box;
    EXPECT_EQ(boxes.boxes()[1].prompt, "There was a problem connecting to the database - ");
    EXPECT_EQ(ends, 1) << c.what;
    EXPECT_EQ(ui::GlobalIfLoaded<MDIMain>(), nullptr);
    EXPECT_EQ(gDatabase, nullptr);
  }
}

TEST_F(StartupTest, GoodStartShowsMainWindowAndPanelAndClosesTheSplash) {
  CopyDatabase();
  gblnCompoundsChanged = gblnEmissionsChanged = gblnEstuariesChanged = false;
  SubMain::Main();
  EXPECT_TRUE(boxes.boxes().empty());
  EXPECT_EQ(ends, 0);
  MDIMain* main = ui::GlobalIfLoaded<MDIMain>();
  ASSERT_NE(main, nullptr);
  EXPECT_TRUE(main->isVisible());
  frmOpen* panel = ui::GlobalIfLoaded<frmOpen>();
  ASSERT_NE(panel, nullptr);
  EXPECT_TRUE(panel->Visible());
  EXPECT_EQ(ui::GlobalIfLoaded<frmAbout>(), nullptr);
  EXPECT_NE(gDatabase, nullptr);
  // The animation leaves the bar empty, ready for the lists.
  EXPECT_EQ(main->prgBar->Min(), 0);
  EXPECT_EQ(main->prgBar->Max(), 100);
  EXPECT_EQ(main->prgBar->Value(), 0);
  EXPECT_TRUE(gblnCompoundsChanged && gblnEmissionsChanged && gblnEstuariesChanged);
  EXPECT_FALSE(ui::HourglassShown());
  EXPECT_EQ(main->frmActive(), nullptr);
}

// A database that cannot be written is said at start-up, and the program still starts for looking.
TEST_F(StartupTest, AReadOnlyDatabaseIsSaidAtStartUp) {
  CopyDatabase();
  testsupport::Immutable frozen("tulmo-final.db");
  if (!frozen.ok()) GTEST_SKIP() << "no way here to make a file read-only for this user";
  SubMain::Main();
  ASSERT_EQ(boxes.boxes().size(), 1u);
  const std::string full = (std::filesystem::current_path() / "tulmo-final.db").string();
  EXPECT_EQ(boxes.boxes()[0].prompt, "The database '" + full + "' is read-only." + DAOSupport::kNothingCanBeSaved);
  EXPECT_EQ(boxes.boxes()[0].style, 48);
  EXPECT_EQ(boxes.boxes()[0].title, "Tulmo");
  EXPECT_EQ(ends, 0);
  EXPECT_NE(ui::GlobalIfLoaded<frmOpen>(), nullptr);
  EXPECT_NE(gDatabase, nullptr);
}

TEST_F(StartupTest, ClosingTheMainWindowClosesTheDatabase) {
  CopyDatabase();
  SubMain::Main();
  MDIMain& main = ui::Global<MDIMain>();
  main.mnuEditCompoundsList_Click();
  ASSERT_NE(ui::FindForm("frmCompoundsList"), nullptr);
  main.close();
  ui::FlushDeletes();
  EXPECT_EQ(gDAOConnect, nullptr);
  EXPECT_EQ(gDatabase, nullptr);
  EXPECT_EQ(ui::FindForm("frmCompoundsList"), nullptr);
  EXPECT_TRUE(boxes.boxes().empty());
  EXPECT_EQ(ends, 0);  // the close box ends the program only through its last window
}

TEST_F(StartupTest, FileExitClosesTheDatabaseAndEnds) {
  CopyDatabase();
  SubMain::Main();
  ui::Global<MDIMain>().mnuFileExit_Click();
  EXPECT_EQ(gDatabase, nullptr);
  EXPECT_EQ(ends, 1);
  EXPECT_EQ(ui::GlobalIfLoaded<MDIMain>(), nullptr);
}

}  // namespace
