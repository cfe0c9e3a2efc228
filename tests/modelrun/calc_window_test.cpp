// The calculation window: its pick lists per level, the empty-table path, what activation reloads
// and how it titles the window, the highlighted row as the pick, its place among the windows, and
// a window that takes no input while a run goes on.
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMetaObject>
#include <QMouseEvent>
#include <QPointer>
#include <QRadioButton>
#include <QScrollBar>

#include "platform/ui/Application.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Global.h"
#include "shell/MDIMain.h"
#include "shell/frmDialog.h"
#include "tests/modelrun/calc_fixture.h"
#include "tests/support/WindowSystemInput.h"

namespace {

using namespace calctest;

// A click as the window system queues it: handled when messages next run.
void PostClick(QWidget* target, QPoint at) {
  for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
    QCoreApplication::postEvent(target, new QMouseEvent(type, QPointF(at), target->mapToGlobal(QPointF(at)), Qt::LeftButton,
                                                        type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                                                        Qt::NoModifier));
}
void PostClick(ui::ListView* list, int row) {
  PostClick(list->viewport(), list->visualItemRect(list->Item(row)).center());
}
void Key(QWidget* target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QKeyEvent press(QEvent::KeyPress, key, modifiers);
  QApplication::sendEvent(target, &press);
}
QPoint Row(ui::ListView* list, int row) { return list->visualItemRect(list->Item(row)).center(); }
std::string Picked(ui::ListView* list) { return list->SelectedItem() ? list->SelectedItem()->Key() : "none"; }
std::string Key(int32_t id) { return "KY_" + std::to_string(id); }

class CalcWindowTest : public CalcTest {
 protected:
  void SetUp() override {
    CalcTest::SetUp();
    ui::Global<MDIMain>().resize(1400, 950);
    ui::Global<MDIMain>().Show();
  }
  frmCalc& Shown(const std::string& level) {
    frmCalc& w = Open(level);
    w.Show();
    QCoreApplication::processEvents();
    return w;
  }
  QMdiSubWindow* Front() const { return ui::MdiArea()->subWindowList(QMdiArea::StackingOrder).last(); }
};

struct LevelCase {
  const char* level;
  int estuaries;
  const char* caption;
};

TEST_F(CalcTest, ListsEstuariesOfTheLevelsTypeOnly) {
  // One estuary of type "Default" must not count as "default".
  db.Raw("UPDATE Environment SET Type = 'Default' WHERE ID = (SELECT MAX(ID) FROM Environment WHERE Type = 'default')");
  const LevelCase cases[] = {
      {"EASY", 1, "TULMO - easy level : yearly averaged , default estuaries"},
      {"INTERMEDIATE", 3, "TULMO - intermediate level : seasonally averaged , default estuaries"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.level);
    frmCalc& w = Open(c.level);
    EXPECT_EQ(w.lvEstuary->Count(), c.estuaries);
    EXPECT_EQ(w.lvCompounds->Count(), 5);
    EXPECT_EQ(w.lvEmissions->Count(), 4);
    // The first rows are picked on loading.
    EXPECT_EQ(w.lvCompounds->Item(1)->Text(), "0001");
    EXPECT_EQ(w.lvEmissions->Item(1)->Text(), "00001");
    EXPECT_EQ(w.lvEstuary->Item(1)->Text().size(), 5u);
    EXPECT_EQ(modTulmo::CalcSelection.CompoundID, 1);
    EXPECT_EQ(modTulmo::CalcSelection.EstuaryID, std::stoi(w.lvEstuary->Item(1)->Text()));
    EXPECT_EQ(modTulmo::CurrentRun.EnvirID, modTulmo::CalcSelection.EstuaryID);
    EXPECT_EQ(modTulmo::CurrentCompound.Cmpdescr, w.lvCompounds->Item(1)->SubItem(1));
    w.Form_Activate();
    EXPECT_EQ(w.Caption(), c.caption);
    EXPECT_TRUE(w.cmdRun->isEnabled());
    EXPECT_TRUE(boxes.boxes().empty());
    w.Unload();
  }
}

TEST_F(CalcTest, AdvancedWithoutUserEstuariesOpensTheEstuaryListAndBlocksTheRun) {
  frmCalc& w = Open("ADVANCED");
  EXPECT_EQ(w.lvEstuary->Count(), 0);
  EXPECT_EQ(Prompts(), std::vector<std::string>{"You must first define a estuary"});
  EXPECT_NE(ui::FindForm("frmEnvironmentList"), nullptr);
  gblnCompoundsChanged = true;
  w.Form_Activate();
  EXPECT_FALSE(w.cmdRun->isEnabled());
  EXPECT_TRUE(gblnCompoundsChanged);  // not examined while a list is empty
}

TEST_F(CalcTest, ActivationReloadsChangedListsOnceAndLowersTheFlags) {
  frmCalc& w = Open("EASY");
  db.Raw("INSERT INTO Compounds (CmpID, CmpDescr) VALUES (7, 'Cd')");
  gblnCompoundsChanged = true;
  gblnEmissionsChanged = gblnEstuariesChanged = false;
  w.Form_Activate();
  ASSERT_EQ(w.lvCompounds->Count(), 6);
  EXPECT_EQ(w.lvCompounds->Item(6)->Text(), "0007");
  EXPECT_EQ(w.lvCompounds->Item(6)->SubItem(1), "Cd");
  EXPECT_FALSE(gblnCompoundsChanged);
  // A reload keeps the pick.
  EXPECT_EQ(modTulmo::CalcSelection.CompoundID, 1);
  db.Raw("INSERT INTO Compounds (CmpID, CmpDescr) VALUES (8, 'Cu')");
  w.Form_Activate();
  EXPECT_EQ(w.lvCompounds->Count(), 6);  // flag lowered: no reload
}

TEST_F(CalcTest, ListLimitStopsReadingWithTheMessage) {
  db.Raw("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 1000) "
         "INSERT INTO Emission (Description) SELECT 'e' || i FROM n");
  frmCalc& w = Open("EASY");
  EXPECT_EQ(w.lvEmissions->Count(), 1000);
  EXPECT_EQ(Prompts(), std::vector<std::string>{
                           "Your query returned more then '1000'. Please change your search criteria to narrow the results."});
  EXPECT_EQ(boxes.beeps(), 1);
}

TEST_F(CalcTest, ViewDetailsOpensTheEditorInViewModeAndKeepsTheEstuary) {
  frmCalc& w = Open("INTERMEDIATE");
  const int32_t estuary = modTulmo::CalcSelection.EstuaryID;
  w.lvEmissions->SetSelectedItem(w.lvEmissions->Item(2));
  w.cmdEmissions_Click();
  QWidget* editor = ui::FindForm("frmEmission");
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(editor->property("EmissionID").toInt(), 2);
  EXPECT_EQ(editor->property("Mode").toInt(), 0);
  EXPECT_EQ(modTulmo::CalcSelection.EmissionID, 2);
  EXPECT_EQ(modTulmo::CalcSelection.EstuaryID, estuary);
  EXPECT_EQ(modTulmo::CurrentRun.EnvirID, estuary);
}

TEST_F(CalcTest, EnableMenusIsCallableByNameAndUnloadClearsTheActiveForm) {
  frmCalc& w = Open("EASY");
  EXPECT_TRUE(QMetaObject::invokeMethod(&w, "EnableMenus"));
  EXPECT_TRUE(vb::Err().Number == 0);
  EXPECT_TRUE(boxes.boxes().empty());
  MDIMain& main = ui::Global<MDIMain>();
  for (const char* on : {"mnuFileClose", "mnuEditRunList", "mnuHelpAbout"}) EXPECT_TRUE(main.Menu(on)->Enabled()) << on;
  for (const char* off : {"mnuData", "mnuDataAdd", "mnuWindow", "mnuEditCorvixList"}) EXPECT_FALSE(main.Menu(off)->Enabled()) << off;
  EXPECT_TRUE(main.tbrMain->Button("CLOSE")->Enabled());
  EXPECT_FALSE(main.tbrMain->Button("ADD")->Enabled());
  w.cmdCancel_Click();
  EXPECT_EQ(ChildForms::GlobalIfLoaded("frmCalc"), nullptr);
}

TEST_F(CalcWindowTest, TheHighlightedRowIsThePickByMouseKeyboardAndAfterAReload) {
  frmCalc& w = Shown("INTERMEDIATE");
  // Arrow keys move the highlight, and the pick with it.
  Key(w.lvCompounds, Qt::Key_Down);
  EXPECT_EQ(modTulmo::CalcSelection.CompoundID, 2);
  EXPECT_EQ(modTulmo::CurrentCompound.Cmpdescr, w.lvCompounds->Item(2)->SubItem(1));
  EXPECT_EQ(Picked(w.lvCompounds), Key(2));
  Key(w.lvEmissions, Qt::Key_End);
  EXPECT_EQ(modTulmo::CalcSelection.EmissionID, 4);
  EXPECT_EQ(modTulmo::CurrentEmission.Description, w.lvEmissions->Item(4)->SubItem(1));
  // Ctrl and an arrow move the current row without a highlight: it is highlighted and picked.
  Key(w.lvEstuary, Qt::Key_Down, Qt::ControlModifier);
  const int32_t second = std::stoi(w.lvEstuary->Item(2)->Text());
  EXPECT_EQ(modTulmo::CalcSelection.EstuaryID, second);
  EXPECT_EQ(modTulmo::CurrentRun.EnvirID, second);
  EXPECT_EQ(Picked(w.lvEstuary), Key(second));
  // The picked row keeps its highlight.
  w.lvCompounds->currentItem()->setSelected(false);
  EXPECT_EQ(Picked(w.lvCompounds), Key(2));
  // A mouse click picks.
  PostClick(w.lvEmissions, 3);
  QCoreApplication::processEvents();
  EXPECT_EQ(modTulmo::CalcSelection.EmissionID, 3);

  // Reloaded lists highlight the picks they still hold; a pick that is gone leaves no pick in its
  // place, the user is told which record went away, and Run asks for a choice.
  const std::string gone = w.lvEmissions->Item(3)->Text() + " \"" + w.lvEmissions->Item(3)->SubItem(1) + "\"";
  db.Raw("DELETE FROM Emission WHERE EmissionID = 3");
  gblnCompoundsChanged = gblnEmissionsChanged = gblnEstuariesChanged = true;
  boxes.Clear();
  w.Form_Activate();
  EXPECT_EQ(Picked(w.lvCompounds), Key(2));
  EXPECT_EQ(modTulmo::CalcSelection.CompoundID, 2);
  EXPECT_EQ(Picked(w.lvEstuary), Key(second));
  EXPECT_EQ(Picked(w.lvEmissions), "none");
  EXPECT_EQ(modTulmo::CalcSelection.EmissionID, 0);
  EXPECT_EQ(Prompts(), std::vector<std::string>{"The emission " + gone +
                                                " chosen for the calculation no longer exists. Choose an emission in "
                                                "the list."});
  const std::string runs = db.Scalar("SELECT COUNT(*) FROM Run");
  boxes.Clear();
  w.cmdRun_Click();
  EXPECT_EQ(Prompts(), std::vector<std::string>{"Choose an emission for the calculation."});
  EXPECT_EQ(db.Scalar("SELECT COUNT(*) FROM Run"), runs);
  // A new choice is a pick again.
  PostClick(w.lvEmissions, 1);
  QCoreApplication::processEvents();
  EXPECT_EQ(modTulmo::CalcSelection.EmissionID, std::stoi(w.lvEmissions->Item(1)->Text()));
}

TEST_F(CalcWindowTest, AnotherLevelListsItsOwnEstuariesAndDropsAPickItDoesNotOffer) {
  frmCalc& w = Shown("INTERMEDIATE");
  w.lvEstuary->SetSelectedItem(w.lvEstuary->Item(2));
  ASSERT_EQ(modTulmo::CalcSelection.EstuaryID, std::stoi(w.lvEstuary->Item(2)->Text()));
  gblnEstuariesChanged = false;  // nothing changed in the table
  gstrLevel = "EASY";
  w.Form_Activate();
  ASSERT_EQ(w.lvEstuary->Count(), 1);
  const int32_t yearly = std::stoi(w.lvEstuary->Item(1)->Text());
  EXPECT_EQ(db.Scalar("SELECT Type FROM Environment WHERE ID = " + std::to_string(yearly)), "defaultavg");
  EXPECT_EQ(modTulmo::CalcSelection.EstuaryID, yearly);
  EXPECT_EQ(modTulmo::CurrentRun.EnvirID, yearly);
  EXPECT_EQ(Picked(w.lvEstuary), Key(yearly));
  EXPECT_EQ(w.Caption(), "TULMO - easy level : yearly averaged , default estuaries");
  EXPECT_TRUE(w.cmdRun->isEnabled());
  // A level without estuaries: nothing picked, nothing to run, and the estuary list to define one.
  gstrLevel = "ADVANCED";
  w.Form_Activate();
  EXPECT_EQ(w.lvEstuary->Count(), 0);
  EXPECT_EQ(modTulmo::CalcSelection.EstuaryID, 0);
  EXPECT_EQ(Prompts(), std::vector<std::string>{"You must first define a estuary"});
  EXPECT_NE(ui::FindForm("frmEnvironmentList"), nullptr);
  EXPECT_FALSE(w.cmdRun->isEnabled());
}

TEST_F(CalcWindowTest, TheLevelDialogLeavesTheWindowInFrontButANewWindowOpensOverIt) {
  frmCalc& w = Shown("EASY");
  ChildForms::Global("frmResult").Show();
  QCoreApplication::processEvents();
  ASSERT_NE(Front(), w.SubWindow());
  frmDialog& dialog = ui::Global<frmDialog>();
  dialog.Show();
  dialog.Option1[1]->setChecked(true);
  dialog.OKButton_Click();
  QCoreApplication::processEvents();
  EXPECT_EQ(Front(), w.SubWindow());
  EXPECT_EQ(ui::MdiArea()->currentSubWindow(), w.SubWindow());
  EXPECT_EQ(w.Caption(), "TULMO - intermediate level : seasonally averaged , default estuaries");
  // The window activated and a list opened at once, as from the Edit menu: the list is in front.
  ChildForms::Global("frmResult").ZOrder(0);
  w.ZOrder(0);
  ui::Global<MDIMain>().mnuEditCompoundsList_Click();
  QCoreApplication::processEvents();
  ui::Form* list = static_cast<ui::Form*>(ui::FindForm("frmCompoundsList"));
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(Front(), list->SubWindow());
}

TEST_F(CalcWindowTest, PickListsScrollAcrossOnlyForATextThatDoesNotFit) {
  frmCalc& w = Shown("EASY");
  for (ui::ListView* list : {w.lvCompounds, w.lvEmissions, w.lvEstuary}) {
    SCOPED_TRACE(list->objectName().toStdString());
    EXPECT_EQ(list->columnWidth(0) + list->columnWidth(1), std::max(list->viewport()->width(), list->columnWidth(0) + static_cast<QAbstractItemView*>(list)->sizeHintForColumn(1)));
  }
  EXPECT_FALSE(w.lvCompounds->horizontalScrollBar()->isVisible());
  EXPECT_FALSE(w.lvEstuary->horizontalScrollBar()->isVisible());
  db.Raw("UPDATE Compounds SET CmpDescr = '" + std::string(200, 'w') + "' WHERE CmpID = 3");
  gblnCompoundsChanged = true;
  w.Form_Activate();
  QCoreApplication::processEvents();
  EXPECT_TRUE(w.lvCompounds->horizontalScrollBar()->isVisible());
}

// Clicks, keys and closes that the user makes while an engine step runs and messages are pumped.
TEST_F(CalcWindowTest, NothingOfTheWindowActsWhileARunGoesOn) {
  FakeEngine engine = WorkingEngine();
  QPointer<frmCalc> window = &Shown("EASY");
  const auto corvix = engine.actions["corvix1"];
  engine.actions["corvix1"] = [&] {
    frmCalc& w = *window;
    EXPECT_TRUE(w.Running());
    EXPECT_FALSE(w.isEnabled());
    EXPECT_EQ(w.MousePointer(), 11);
    // Queued by the window system: Cancel, a row of each list, Run, View details, a key; F3 (File >
    // Exit) and the main window's close box, either of which would end the program under the run.
    EXPECT_TRUE(testsupport::QueueClick(w.cmdCancel));
    EXPECT_TRUE(testsupport::QueueClick(w.lvCompounds->viewport(), Row(w.lvCompounds, 3)));
    EXPECT_TRUE(testsupport::QueueClick(w.lvEmissions->viewport(), Row(w.lvEmissions, 2)));
    EXPECT_TRUE(testsupport::QueueClick(w.cmdRun));
    EXPECT_TRUE(testsupport::QueueClick(w.cmdCompounds));
    testsupport::QueueKey(w.lvEstuary, Qt::Key_End);
    testsupport::QueueKey(w.lvEstuary, Qt::Key_F3);
    testsupport::QueueClose(&ui::Global<MDIMain>());
    // The pumps of the run let none of them through.
    ui::DoEvents();
    EXPECT_EQ(modTulmo::CalcSelection.CompoundID, 1);
    EXPECT_EQ(Picked(w.lvEmissions), Key(1));
    // What those would call, called straight; the close box; File > Close and the tool bar's CLOSE.
    w.cmdCancel_Click();
    w.cmdRun_Click();
    w.lvCompounds->SetSelectedItem(w.lvCompounds->Item(4));
    w.lvCompounds_Click();
    w.cmdCompounds_Click();
    w.cmdEmissions_Click();
    w.cmdEstuary_Click();
    w.lvCompounds_ColumnClick(1);
    EXPECT_FALSE(w.SubWindow()->close());
    EXPECT_FALSE(w.Unload());
    ui::Global<MDIMain>().mnuFileClose_Click();
    ui::Global<MDIMain>().tbrMain_ButtonClick(ui::Global<MDIMain>().tbrMain->Button("CLOSE"));
    ui::DoEvents();
    ui::FlushDeletes();  // a window unloaded now would be gone here
    EXPECT_FALSE(window.isNull());
    return corvix();
  };
  process::ScopedRunner scope(engine);
  window->cmdRun_Click();
  ASSERT_FALSE(window.isNull());
  frmCalc& w = *window;
  EXPECT_EQ(engine.commands, (std::vector<std::string>{"corvix1 pirsel.inp -np", "tulmo pirsel"}));
  EXPECT_EQ(db.Scalar("SELECT COUNT(*) FROM Run"), "1");
  const std::string where = " FROM Run WHERE RunID = " + std::to_string(modTulmo::CurrentRun.RunID);
  EXPECT_EQ(db.Scalar("SELECT CompoundID" + where), "1");
  EXPECT_EQ(db.Scalar("SELECT EmisID" + where), "1");
  EXPECT_EQ(ui::FindForm("frmCompounds"), nullptr);
  EXPECT_EQ(ui::FindForm("frmEmission"), nullptr);
  EXPECT_EQ(w.lvCompounds->Item(1)->Text(), "0001");  // not sorted
  // Everything acts again, and what is highlighted is what was run.
  EXPECT_FALSE(w.Running());
  EXPECT_TRUE(w.isEnabled());
  EXPECT_TRUE(w.cmdRun->isEnabled());
  EXPECT_EQ(w.MousePointer(), 0);
  EXPECT_EQ(Picked(w.lvCompounds), Key(1));
  EXPECT_EQ(Picked(w.lvEmissions), Key(1));
  EXPECT_NE(ChildForms::GlobalIfLoaded("frmResult"), nullptr);
  // What was queued during the run was dropped at its end, and the close refused: nothing of it
  // acts once the window acts again.
  QCoreApplication::processEvents();
  EXPECT_FALSE(ui::ApplicationEnded());
  EXPECT_TRUE(ui::Global<MDIMain>().isVisible());
  EXPECT_EQ(db.Scalar("SELECT COUNT(*) FROM Run"), "1");
  EXPECT_EQ(modTulmo::CalcSelection.CompoundID, 1);
  EXPECT_EQ(ui::FindForm("frmCompounds"), nullptr);
  ASSERT_FALSE(window.isNull());
  // Input made after the run acts (the result window, shown over this one, is sent back first).
  w.ZOrder(0);
  QCoreApplication::processEvents();
  EXPECT_TRUE(testsupport::QueueClick(w.lvCompounds->viewport(), Row(w.lvCompounds, 3)));
  QCoreApplication::processEvents();
  EXPECT_EQ(modTulmo::CalcSelection.CompoundID, 3);
  w.cmdCancel_Click();
  ui::FlushDeletes();
  EXPECT_TRUE(window.isNull());
}

}  // namespace
