// The program's own windows around the shell: leaving after a working session shows no box, and
// no window opens larger than the main window's area.
#include <QApplication>
#include <QMdiSubWindow>

#include "platform/ui/CallByName.h"
#include "platform/ui/Global.h"
#include "shell/ChildForms.h"
#include "shell/MDIMain.h"
#include "shell/SubMain.h"
#include "shell/frmDialog.h"
#include "shell/frmOpen.h"
#include "tests/shell/windows_fixture.h"

namespace {

class ProgramTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    CopyDatabase();
    SubMain::Main();
    ASSERT_TRUE(boxes.boxes().empty());
  }
  MDIMain& Main() { return ui::Global<MDIMain>(); }
  void OpenCalculationAndResults() {
    ui::Global<frmOpen>().Command2_Click();
    ui::Global<frmDialog>().OKButton_Click();
    ui::Global<frmOpen>().Command3_Click();
    ui::DoEvents();
  }
  std::vector<std::string> Prompts() const {
    std::vector<std::string> out;
    for (const auto& b : boxes.boxes()) out.push_back(b.prompt);
    return out;
  }
};

// Unloading one child brings the next to the front; the calculation and result windows read the
// database when activated, so the children go while it is still open and without that work.
TEST_F(ProgramTest, ExitAfterAListWasOpenedAndClosedShowsNoBox) {
  OpenCalculationAndResults();
  ASSERT_NE(ChildForms::GlobalIfLoaded("frmCalc"), nullptr);
  ASSERT_NE(ChildForms::GlobalIfLoaded("frmResult"), nullptr);
  Main().mnuEditCompoundsList_Click();
  QWidget* list = ui::FindForm("frmCompoundsList");
  ASSERT_NE(list, nullptr);
  Main().mnuFileClose_Click();
  ui::DoEvents();
  EXPECT_EQ(ui::FindForm("frmCompoundsList"), nullptr);
  ASSERT_TRUE(boxes.boxes().empty()) << Prompts().front();

  // As on a desktop: the main window is the active window, so an unloaded child's place is taken.
  QApplication::setActiveWindow(&Main());
  ASSERT_TRUE(Main().isActiveWindow());
  Main().mnuFileExit_Click();
  EXPECT_EQ(Prompts(), std::vector<std::string>{});
  EXPECT_EQ(ends, 1);
  EXPECT_EQ(gDatabase, nullptr);
  EXPECT_EQ(gDAOConnect, nullptr);
  EXPECT_EQ(ui::GlobalIfLoaded<MDIMain>(), nullptr);
  EXPECT_EQ(ChildForms::GlobalIfLoaded("frmCalc"), nullptr);
  EXPECT_EQ(ChildForms::GlobalIfLoaded("frmResult"), nullptr);
  EXPECT_EQ(ui::GlobalIfLoaded<frmOpen>(), nullptr);
}

// The resizing formulas scale the windows to the screen; on a wide screen that made the result
// window and the estuary editor wider than the area, their close boxes out of reach.
TEST_F(ProgramTest, EveryWindowOpensInsideTheMainWindowsArea) {
  ui::SetScreenOverride(ui::ScreenSize{24000, 15000});  // 1600 by 1000 pixels
  Main().resize(1180, 860);
  ui::DoEvents();
  OpenCalculationAndResults();
  Main().mnuEditEnvironmentList_Click();
  QWidget* estuaries = ui::FindForm("frmEnvironmentList");
  ASSERT_NE(estuaries, nullptr);
  ui::CallByName(estuaries, "AddRecord");
  ASSERT_NE(ui::FindForm("frmEnvironment"), nullptr);
  ui::DoEvents();
  const QRect area = ui::MdiArea()->viewport()->rect();
  for (QMdiSubWindow* sub : ui::MdiArea()->subWindowList()) {
    const QString name = sub->widget()->objectName();
    EXPECT_TRUE(area.contains(sub->geometry())) << name.toStdString() << " at " << sub->geometry().x() << ","
                                                << sub->geometry().y() << " " << sub->width() << "x"
                                                << sub->height() << " in " << area.width() << "x" << area.height();
  }
  // Beside the panel, narrowed rather than moved over it.
  const frmOpen& panel = ui::Global<frmOpen>();
  EXPECT_EQ(ChildForms::Global("frmResult").Left(), panel.Left() + panel.Width());
}

}  // namespace
