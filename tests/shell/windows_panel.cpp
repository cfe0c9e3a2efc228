// The start panel and the level dialog: sizes and placement beside the panel, the levels stored,
// and the calculation window opened behind the others.
#include <QApplication>
#include <QButtonGroup>
#include <QImage>
#include <QMdiSubWindow>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionTitleBar>
#include <QKeyEvent>

#include "services/StartPanel.h"
#include "modelrun/modTulmo.h"
#include "platform/ui/Global.h"
#include "shell/ChildForms.h"
#include "shell/MDIMain.h"
#include "shell/frmDialog.h"
#include "shell/frmOpen.h"
#include "tests/shell/windows_fixture.h"

namespace {

class PanelTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    ui::Global<MDIMain>().resize(1000, 800);
    ui::Global<MDIMain>().Show();
    ui::Global<frmOpen>().Show();
  }
};

TEST_F(PanelTest, PanelTakesItsOuterSize) {
  frmOpen& panel = ui::Global<frmOpen>();
  EXPECT_EQ(panel.Width(), ui::ToTwips(ui::ToPixels(2900)));  // to the pixel
  EXPECT_EQ(panel.Height(), ui::ToTwips(ui::ToPixels(9350)));
  EXPECT_EQ(panel.Caption(), "Main control menu");
  EXPECT_EQ(panel.Mode(), 0);
}

// The panel is the only way to a calculation and to the results: it has no close box, and no
// close from the frame takes it away; only the main window's unloading does.
TEST_F(PanelTest, PanelCannotBeClosedByTheUser) {
  frmOpen& panel = ui::Global<frmOpen>();
  QMdiSubWindow* frame = panel.SubWindow();
  ASSERT_NE(frame, nullptr);
  EXPECT_FALSE(frame->windowFlags() & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(frame->windowFlags() & Qt::WindowSystemMenuHint);
  frame->close();
  ui::MdiArea()->closeAllSubWindows();
  ui::DoEvents();
  EXPECT_EQ(ui::GlobalIfLoaded<frmOpen>(), &panel);
  EXPECT_TRUE(panel.Visible());
  EXPECT_TRUE(boxes.boxes().empty());
  ui::Global<MDIMain>().close();
  EXPECT_EQ(ui::GlobalIfLoaded<frmOpen>(), nullptr);
}

// The area repaints only what a closed or moved window uncovers: each patch must show the colours
// that the whole area shows there, so no seams stay behind.
TEST_F(PanelTest, BackgroundIsOneGradientOverTheWholeArea) {
  MDIMain& main = ui::Global<MDIMain>();
  for (const QSize size : {QSize(1000, 800), QSize(1200, 900)}) {
    main.resize(size);
    ui::DoEvents();
    const QSize area = main.mdiArea->viewport()->size();
    const QBrush brush = main.mdiArea->background();
    QImage whole(area, QImage::Format_RGB32), patches(area, QImage::Format_RGB32);
    patches.fill(Qt::black);
    QPainter(&whole).fillRect(whole.rect(), brush);
    const QRect pieces[] = {{0, 0, 200, 120}, {300, area.height() / 2, 150, 60}, {50, area.height() - 40, 400, 40}};
    {
      QPainter p(&patches);
      for (const QRect& r : pieces) p.fillRect(r, brush);
    }
    for (const QRect& r : pieces)
      for (int y = r.top(); y <= r.bottom(); y += 7)
        ASSERT_EQ(patches.pixel(r.left() + 3, y), whole.pixel(r.left() + 3, y)) << "y " << y;
    // River colour at the top, sea colour at the bottom, whatever the height.
    EXPECT_EQ(QColor(whole.pixel(5, 0)), QColor(196, 214, 226));
    const QColor bottom(whole.pixel(5, area.height() - 1));
    EXPECT_NEAR(bottom.red(), 120, 2);
    EXPECT_NEAR(bottom.blue(), 186, 2);
  }
}

TEST_F(PanelTest, CaptionIsShownWhole) {
  QMdiSubWindow* frame = ui::Global<frmOpen>().SubWindow();
  QStyleOptionTitleBar bar;
  bar.initFrom(frame);
  bar.titleBarFlags = frame->windowFlags();
  bar.subControls = QStyle::SC_TitleBarLabel;
  bar.text = frame->windowTitle();
  bar.rect = QRect(0, 0, frame->width(), frame->style()->pixelMetric(QStyle::PM_TitleBarHeight, &bar, frame));
  const QRect label = frame->style()->subControlRect(QStyle::CC_TitleBar, &bar, QStyle::SC_TitleBarLabel, frame);
  QFont font = QApplication::font("QMdiSubWindowTitleBar");  // some styles draw the caption bold
  font.setBold(true);
  const QFontMetrics metrics(font);
  EXPECT_EQ(bar.text, "Main control menu");
  EXPECT_LE(metrics.horizontalAdvance(bar.text), label.width());
}

TEST_F(PanelTest, StartCalculationTwiceShowsOneDialogBesideThePanel) {
  frmOpen& panel = ui::Global<frmOpen>();
  panel.SetLeft(300);
  panel.SetTop(600);
  panel.Command2_Click();
  panel.Command2_Click();
  int dialogs = 0;
  for (QWidget* w : ui::Forms()) dialogs += w->objectName() == "frmDialog";
  EXPECT_EQ(dialogs, 1);
  frmDialog& dialog = ui::Global<frmDialog>();
  EXPECT_EQ(dialog.Left(), 300 + panel.Width());
  EXPECT_EQ(dialog.Top(), 600);
  EXPECT_TRUE(dialog.Option1[0]->isChecked());
}

TEST_F(PanelTest, OkStoresTheChosenLevelAndOpensTheCalculationBehind) {
  OpenDatabase();
  const std::pair<int, const char*> cases[] = {{0, "EASY"}, {1, "INTERMEDIATE"}, {2, "ADVANCED"}};
  for (const auto& [option, level] : cases) {
    frmDialog& dialog = ui::Global<frmDialog>();
    dialog.Show();
    dialog.Option1[static_cast<std::size_t>(option)]->setChecked(true);
    dialog.OKButton_Click();
    EXPECT_EQ(gstrLevel, level);
    EXPECT_EQ(ui::GlobalIfLoaded<frmDialog>(), nullptr);
    ui::Form* calc = ChildForms::GlobalIfLoaded("frmCalc");
    ASSERT_NE(calc, nullptr);
    EXPECT_TRUE(calc->Visible());
    // Sent to the back of the child windows.
    auto order = ui::MdiArea()->subWindowList(QMdiArea::StackingOrder);
    EXPECT_EQ(order.front(), calc->SubWindow()) << level;
  }
  // The delivered database holds no user-defined estuary: the window asks for one.
  ASSERT_EQ(boxes.boxes().size(), 1u);
  EXPECT_EQ(boxes.boxes()[0].prompt, "You must first define a estuary");
  frmOpen& panel = ui::Global<frmOpen>();
  EXPECT_EQ(ChildForms::Global("frmCalc").Left(), panel.Left() + panel.Width());
}

// The desktop's keys: Enter is OK from any option, Escape is Cancel; a focused button takes Enter itself.
TEST_F(PanelTest, EnterIsOkAndEscapeIsCancelInTheLevelDialog) {
  OpenDatabase();
  const auto key = [](QWidget* target, int k) {
    QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
  };
  for (int k : {Qt::Key_Return, Qt::Key_Enter}) {
    frmDialog& dialog = ui::Global<frmDialog>();
    dialog.Show();
    dialog.Option1[2]->setChecked(true);
    dialog.Option1[2]->setFocus();
    gstrLevel.clear();
    key(dialog.Option1[2], k);
    EXPECT_EQ(gstrLevel, "ADVANCED");
    EXPECT_EQ(ui::GlobalIfLoaded<frmDialog>(), nullptr);
  }
  frmDialog& dialog = ui::Global<frmDialog>();
  dialog.Show();
  gstrLevel = "EASY";
  dialog.Option1[1]->setChecked(true);
  key(dialog.Option1[1], Qt::Key_Escape);
  EXPECT_EQ(ui::GlobalIfLoaded<frmDialog>(), nullptr);
  EXPECT_EQ(gstrLevel, "EASY");
  frmDialog& again = ui::Global<frmDialog>();
  again.Show();
  again.Option1[1]->setChecked(true);
  again.CancelButton->setFocus();
  key(again.CancelButton, Qt::Key_Return);
  EXPECT_EQ(ui::GlobalIfLoaded<frmDialog>(), nullptr);
  EXPECT_EQ(gstrLevel, "EASY");
}

TEST_F(PanelTest, OkWithoutAChoiceSaysSoAndKeepsEasy) {
  OpenDatabase();
  frmDialog& dialog = ui::Global<frmDialog>();
  dialog.Show();
  dialog.Option1[0]->group()->setExclusive(false);
  for (QRadioButton* o : dialog.Option1) o->setChecked(false);
  dialog.OKButton_Click();
  ASSERT_EQ(boxes.boxes().size(), 1u);
  EXPECT_EQ(boxes.boxes()[0].prompt, "programming error frmdialog");
  EXPECT_EQ(boxes.boxes()[0].style, 0);
  EXPECT_EQ(boxes.boxes()[0].title, "Tulmo");
  EXPECT_EQ(gstrLevel, "EASY");
  EXPECT_NE(ChildForms::GlobalIfLoaded("frmCalc"), nullptr);
}

TEST_F(PanelTest, CancelLeavesTheLevel) {
  frmDialog& dialog = ui::Global<frmDialog>();
  dialog.Show();
  dialog.Option1[2]->setChecked(true);
  dialog.CancelButton_Click();
  EXPECT_EQ(gstrLevel, "");
  EXPECT_EQ(ui::GlobalIfLoaded<frmDialog>(), nullptr);
  EXPECT_EQ(ChildForms::GlobalIfLoaded("frmCalc"), nullptr);
}

// The loaders write on the panel while it is loaded, and on nothing once it is gone.
TEST_F(PanelTest, LoadedRecordsShowTheirDescriptionsOnThePanel) {
  OpenDatabase();
  modTulmo::ResetModuleState();
  frmOpen& panel = ui::Global<frmOpen>();
  ASSERT_EQ(services::GetStartPanel(), &panel);
  ASSERT_TRUE(modTulmo::GetData(1));
  ASSERT_TRUE(modTulmo::GetEmissionData(1));
  ASSERT_TRUE(modTulmo::GetEnvironmentData(1));
  EXPECT_EQ(panel.Label1->text(), "Lindane (gamma-HCH)");
  EXPECT_EQ(panel.lblEmission->text().toStdString(), modTulmo::CurrentEmission.Description);
  EXPECT_EQ(panel.lblEnvironment->text().toStdString(), modTulmo::CurrentEstuary.Description);
  EXPECT_NE(panel.lblEmission->text(), "Selected emission");
  ui::UnloadForm(&panel);
  EXPECT_EQ(services::GetStartPanel(), nullptr);
  EXPECT_TRUE(modTulmo::GetData(1));  // no panel: the loader shows nothing and still loads
  EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(PanelTest, AFailureInAButtonIsReportedUnderTheDialog) {
  ChildForms::Register("frmCalc", ChildForms::Kind::Calculation, []() -> ui::Form* { vb::Raise(7); });
  frmDialog& dialog = ui::Global<frmDialog>();
  dialog.Show();
  dialog.OKButton_Click();
  ASSERT_EQ(boxes.boxes().size(), 1u);
  EXPECT_EQ(boxes.boxes()[0].prompt, ErrorBoxText("frmDialog", "OKButton_Click", 7, "Out of memory"));
  EXPECT_NE(ui::GlobalIfLoaded<frmDialog>(), nullptr);  // the rest of the click did not run
}

TEST_F(PanelTest, ViewResultsOpensTheResultWindowBesideThePanel) {
  frmOpen& panel = ui::Global<frmOpen>();
  panel.Command3_Click();
  ui::Form* result = ChildForms::GlobalIfLoaded("frmResult");
  ASSERT_NE(result, nullptr);
  EXPECT_EQ(result->Left(), panel.Left() + panel.Width());
  EXPECT_EQ(ui::Global<MDIMain>().frmActive(), nullptr);  // never registers itself
}

}  // namespace
