// Progress-bar and list-key helpers, and the splash, about and help commands.
#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QTextBrowser>
#include <QTimer>

#include "platform/dao/Dao.h"
#include "platform/ui/Global.h"
#include "platform/ui/HelpWindow.h"
#include "platform/ui/ListView.h"
#include "shell/MDIMain.h"
#include "shell/Progress.h"
#include "shell/TreeListFunctions.h"
#include "shell/frmAbout.h"
#include "tests/shell/windows_fixture.h"

namespace {

using HelpersTest = ShellTest;

TEST_F(HelpersTest, ProgressStartUpdateFinish) {
  ui::ProgressBar bar("bar");
  Progress::ProgressStart(&bar, 0, 0, -1);
  EXPECT_EQ(bar.Max(), 50);
  Progress::ProgressUpdate(&bar, int16_t{50});  // equal to Max: ignored
  EXPECT_EQ(bar.Value(), 0);
  Progress::ProgressUpdate(&bar, int16_t{20});
  EXPECT_EQ(bar.Value(), 20);
  Progress::ProgressUpdate(&bar);
  EXPECT_EQ(bar.Value(), 21);
  Progress::ProgressFinish(&bar);
  Progress::ProgressUpdate(&bar);  // full stays full
  EXPECT_EQ(bar.Value(), 50);
  EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(HelpersTest, ProgressOnAControlWithoutTheProperties) {
  QObject plain;
  Progress::ProgressStart(&plain, 0, 0, 10);
  ASSERT_EQ(boxes.boxes().size(), 1u);
  EXPECT_EQ(boxes.boxes()[0].prompt,
            ErrorBoxText("Progress.bas", "ProgressStart", 438, "Object doesn't support this property or method"));
}

TEST_F(HelpersTest, SampleProgressEndsWithAnEmptyBarOfHundred) {
  MDIMain& main = ui::Global<MDIMain>();
  Progress::SampleProgress();
  EXPECT_EQ(main.prgBar->Max(), 100);
  EXPECT_EQ(main.prgBar->Value(), 0);
}

TEST_F(HelpersTest, IdFromKey) {
  const struct {
    int16_t field;
    const char* key;
    const char* id;
  } cases[] = {{0, "KY_12", "12"}, {1, "KY_12", ""}, {0, "KY12", ""}, {1, "A_B_C", "C"}, {0, "A_B_C", "B"}, {0, "", ""}};
  for (const auto& c : cases)
    EXPECT_EQ(vb::CStr(TreeListFunctions::GetIdfromKey(c.field, c.key)), c.id) << c.key << " " << c.field;
  EXPECT_EQ(TreeListFunctions::KeyOf(12), "KY_12");
  EXPECT_EQ(TreeListFunctions::KeyOf(vb::Variant(int32_t{12})), "KY_12");
  EXPECT_EQ(TreeListFunctions::KeyOf(vb::Variant::Null()), "KY_");
}

// The one capped fill: how many rows it lists, and when it tells that rows were left out.
TEST_F(HelpersTest, ACappedFillListsUpToItsCapAndTellsOfRowsLeftOutByItsRule) {
  using TreeListFunctions::CapRule;
  OpenDatabase();
  MDIMain& main = ui::Global<MDIMain>();
  const std::string limitText =
      "Your query returned more then '3'. Please change your search criteria to narrow the results.";
  const struct {
    int records;
    int cap;
    CapRule rule;
    bool evenOnly;  // the odd records are not listed
    int listed;
    bool told;
  } cases[] = {
      {3, 3, CapRule::RowBeyond, false, 3, false}, {4, 3, CapRule::RowBeyond, false, 3, true},
      {3, 3, CapRule::CapFull, false, 3, true},    {2, 3, CapRule::CapFull, false, 2, false},
      {5, 0, CapRule::CapFull, false, 5, false},   {9, 3, CapRule::CapFull, true, 3, true},
      {6, 3, CapRule::CapFull, true, 3, true},     {5, 3, CapRule::RowBeyond, true, 2, false},
  };
  for (const auto& c : cases) {
    const std::string context = std::to_string(c.records) + " records, cap " + std::to_string(c.cap);
    boxes.Clear();
    ui::ListView list("lvw");
    list.AddColumn("ID", 900);
    list.AddColumn("Text", 900);
    std::unique_ptr<dao::Recordset> rs = gDatabase->OpenRecordset(
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " + std::to_string(c.records) +
        ") SELECT i, 'row ' || i FROM n");
    float barMax = -1;
    ui::MsgBoxSink recorder = ui::SetMsgBoxSink([&](const std::string& prompt, int style, const std::string& title) {
      barMax = main.prgBar->Max();
      return recorder(prompt, style, title);
    });
    TreeListFunctions::FillList(&list, rs, {c.records, 2, c.cap, c.rule},
                                [&](dao::Recordset& r, TreeListFunctions::ListRow& row) {
                                  const vb::Variant id = r.Fields(0);
                                  if (c.evenOnly && vb::CLng(id) % 2) return false;
                                  row.key = TreeListFunctions::KeyOf(id);
                                  row.text = vb::CStr(id);
                                  row.cells = {vb::CStr(r.Fields(1))};
                                  return true;
                                });
    ui::SetMsgBoxSink(recorder);
    ASSERT_EQ(list.Count(), c.listed) << context;
    const int first = c.evenOnly ? 2 : 1;
    EXPECT_EQ(list.Item(1)->Key(), "KY_" + std::to_string(first)) << context;
    EXPECT_EQ(list.Item(1)->SubItem(1), "row " + std::to_string(first)) << context;
    EXPECT_EQ(boxes.beeps(), c.told ? 1 : 0) << context;
    if (c.told) {
      ASSERT_EQ(boxes.boxes().size(), 1u) << context;
      EXPECT_EQ(boxes.boxes()[0].prompt, limitText) << context;
      EXPECT_EQ(boxes.boxes()[0].style, ui::vbInformation) << context;
      EXPECT_EQ(barMax, 2) << context;  // the smaller of the table's rows and the bar's cap
    } else {
      EXPECT_TRUE(boxes.boxes().empty()) << context;
    }
    EXPECT_EQ(main.prgBar->Max(), 100) << context;  // the bar is reset
    EXPECT_EQ(main.prgBar->Value(), 0) << context;
  }
}

// A set without rows, and none at all, list nothing and still reset the bar.
TEST_F(HelpersTest, ACappedFillOfNoRowsListsNothing) {
  OpenDatabase();
  MDIMain& main = ui::Global<MDIMain>();
  ui::ListView list("lvw");
  list.AddColumn("ID", 900);
  std::unique_ptr<dao::Recordset> none;
  std::unique_ptr<dao::Recordset> empty = gDatabase->OpenRecordset("SELECT 1 WHERE 0");
  for (auto* rs : {&none, &empty}) {
    Progress::ProgressStart(main.prgBar, 0, 0, 7);
    TreeListFunctions::FillList(&list, *rs, {0, 10, 10, TreeListFunctions::CapRule::CapFull},
                                [](dao::Recordset&, TreeListFunctions::ListRow&) { return true; });
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(main.prgBar->Max(), 100);
  }
  EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(HelpersTest, SelectedKeyFallsBackToTheDropTarget) {
  ui::ListView list("lvw");
  list.AddColumn("Id", 900);
  list.Add("KY_1", "1");
  ui::ListItem* second = list.Add("KY_2", "2");
  EXPECT_EQ(vb::CStr(GetSelectedKeyId(0, &list)), "");
  list.SetDropHighlight(second);
  EXPECT_EQ(vb::CStr(GetSelectedKeyId(0, &list)), "2");
  EXPECT_EQ(list.SelectedItem(), second);
  EXPECT_THROW(list.Add("KY_2", "again"), vb::VbError);  // keys are unique
}

TEST_F(HelpersTest, SplashClosesAtItsSecondTickAndKeepsTheFlag) {
  frmAbout& splash = ui::Global<frmAbout>();
  splash.Show();
  splash.EnableSplashTimer();
  EXPECT_EQ(splash.tmrSplash->Interval(), 4000);
  splash.tmrSplash_Timer();
  EXPECT_EQ(splash.TickFlag(), "True");
  splash.EnableSplashTimer();  // a second call keeps the flag
  EXPECT_NE(ui::GlobalIfLoaded<frmAbout>(), nullptr);
  splash.tmrSplash_Timer();
  EXPECT_EQ(ui::GlobalIfLoaded<frmAbout>(), nullptr);
}

TEST_F(HelpersTest, AboutFromTheMenuReplacesTheSplashAndIsModalWithoutTimer) {
  MDIMain& main = ui::Global<MDIMain>();
  frmAbout& splash = ui::Global<frmAbout>();
  splash.Show();
  splash.EnableSplashTimer();
  bool wasModal = false, timerOff = false, fresh = false;
  QTimer::singleShot(0, [&] {
    frmAbout* about = ui::GlobalIfLoaded<frmAbout>();
    if (!about) return;
    fresh = about != &splash;
    wasModal = about->isModal();
    timerOff = !about->tmrSplash->Enabled();
    about->cmdOK_Click();
  });
  main.mnuHelpAbout_Click();
  EXPECT_TRUE(fresh);
  EXPECT_TRUE(wasModal);
  EXPECT_TRUE(timerOff);
  EXPECT_EQ(ui::GlobalIfLoaded<frmAbout>(), nullptr);
  EXPECT_TRUE(boxes.boxes().empty());
}

// Escape closes the about window (modal, from the menu) and the help window, from the control
// that has the focus.
TEST_F(HelpersTest, EscapeClosesAboutAndHelp) {
  const auto escape = [](QWidget* target) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
  };
  MDIMain& main = ui::Global<MDIMain>();
  bool closed = false;
  QTimer::singleShot(0, [&] {
    frmAbout* about = ui::GlobalIfLoaded<frmAbout>();
    if (!about) return;
    escape(about->cmdOK);
    closed = ui::GlobalIfLoaded<frmAbout>() == nullptr;
    if (!closed) about->cmdOK_Click();
  });
  main.mnuHelpAbout_Click();
  EXPECT_TRUE(closed);

  main.tbrMain_ButtonClick(main.tbrMain->Button("HELP"));
  ASSERT_NE(ui::HelpWindow(), nullptr);
  QPointer<QWidget> help = ui::HelpWindow();
  escape(ui::HelpBrowser());
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(help.isNull() || !help->isVisible());
  delete help.data();
  EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(HelpersTest, HelpOpensTheIntroductionPageInTheProgramsOwnWindow) {
  MDIMain& main = ui::Global<MDIMain>();
  main.tbrMain_ButtonClick(main.tbrMain->Button("HELP"));
  ASSERT_NE(ui::HelpWindow(), nullptr);
  EXPECT_TRUE(ui::HelpWindow()->isVisible());
  EXPECT_TRUE(ui::HelpBrowser()->source().toLocalFile().endsWith("help/introduction.htm"));
  EXPECT_TRUE(opened.empty());  // no desktop launcher is needed
  EXPECT_TRUE(boxes.boxes().empty());
  delete ui::HelpWindow();
}

}  // namespace
