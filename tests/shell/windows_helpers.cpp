// Progress-bar and list-key helpers, and the splash, about and help commands.
#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QTextBrowser>
#include <QTimer>

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
