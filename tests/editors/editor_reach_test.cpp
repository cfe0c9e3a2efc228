// The editors as a user reaches them: the Edit menu opens the finished list windows, whose buttons
// open the editors; the calculation window opens the emission and estuary editors for viewing.
#include <QMetaObject>

#include "editors/RecordEditor.h"
#include "editors/frmCompounds.h"
#include "editors/frmEmission.h"
#include "editors/frmEnvironment.h"
#include "editors/frmRun.h"
#include "lists/RecordLists.h"
#include "modelrun/frmCalc.h"
#include "modelrun/modTulmo.h"
#include "platform/ui/Global.h"
#include "platform/ui/ListView.h"
#include "shell/Globals.h"
#include "shell/MDIMain.h"
#include "tests/editors/editor_fixture.h"

namespace {

class EditorReachTest : public EditorTest {
 public:
  void SetUp() override {
    EditorTest::SetUp();
    lists::RegisterLists();
    RegisterCalcWindow();
    editors::RegisterEditors();
  }
  lists::RecordList* FromEditMenu(const char* handler, const char* list) {
    QMetaObject::invokeMethod(&ui::Global<MDIMain>(), handler);
    return qobject_cast<lists::RecordList*>(ui::FindForm(list));
  }
};

}  // namespace

TEST_F(EditorReachTest, TheEstuaryListOpensTheEditorAndFollowsItsSave) {
  lists::RecordList* list = FromEditMenu("mnuEditEnvironmentList_Click", "frmEnvironmentList");
  ASSERT_NE(list, nullptr);
  // A default estuary is not edited; it can be copied.
  list->lvw->SetSelectedItem(list->lvw->Find("KY_2"));
  list->UpdateRecord();
  EXPECT_EQ(Editor<frmEnvironment>("frmEnvironment"), nullptr);
  ASSERT_EQ(boxes.boxes().size(), 1u);
  boxes.Clear();
  QMetaObject::invokeMethod(list, "CopyRecord");
  frmEnvironment* e = Editor<frmEnvironment>("frmEnvironment");
  ASSERT_NE(e, nullptr);
  EXPECT_FALSE(list->isEnabled());
  e->cmdOK_Click();
  EXPECT_TRUE(boxes.boxes().empty()) << Prompts()[0];
  ASSERT_NE(list->lvw->SelectedItem(), nullptr);
  EXPECT_EQ(list->lvw->SelectedItem()->Key(), "KY_6");
  EXPECT_EQ(list->lvw->SelectedItem()->Text(), "0006");
  EXPECT_EQ(list->lvw->SelectedItem()->SubItem(2), "user");
  EXPECT_TRUE(list->isEnabled());

  // The copy is the user's own: it opens for editing.
  list->UpdateRecord();
  e = Editor<frmEnvironment>("frmEnvironment");
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->Caption(), "Edit estuary - properties");
  e->CloseForm();
}

TEST_F(EditorReachTest, TheEmissionAndRunListsOpenTheirEditors) {
  lists::RecordList* emissions = FromEditMenu("mnuEditEmissionList_Click", "frmEmissionList");
  ASSERT_NE(emissions, nullptr);
  emissions->AddRecord();
  frmEmission* e = Editor<frmEmission>("frmEmission");
  ASSERT_NE(e, nullptr);
  e->txtDescription->setText("from the list");
  e->cmdOK_Click();
  ASSERT_NE(emissions->lvw->SelectedItem(), nullptr);
  EXPECT_EQ(emissions->lvw->SelectedItem()->Key(), "KY_5");
  EXPECT_EQ(emissions->lvw->SelectedItem()->SubItem(1), "from the list");

  lists::RecordList* runs = FromEditMenu("mnuEditRunList_Click", "frmRunList");
  ASSERT_NE(runs, nullptr);
  runs->AddRecord();
  frmRun* r = Editor<frmRun>("frmRun");
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(r->Caption(), "Add new run - properties");
  r->CloseForm();
  EXPECT_TRUE(boxes.boxes().empty()) << Prompts()[0];
}

TEST_F(EditorReachTest, TheCalculationWindowOpensTheEditorsForViewing) {
  gstrLevel = "INTERMEDIATE";
  auto& calc = static_cast<frmCalc&>(ChildForms::Global("frmCalc"));
  calc.DisplayEmisRecordbyKey(2);
  frmEmission* e = Editor<frmEmission>("frmEmission");
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->Caption(), "View emission - properties");
  EXPECT_TRUE(e->cmdOK->isHidden());
  EXPECT_FALSE(calc.isEnabled());
  e->CloseForm();
  EXPECT_TRUE(calc.isEnabled());

  // Viewing an estuary leaves the one the calculation window loaded as the current estuary.
  const std::string current = modTulmo::CurrentEstuary.Description;
  calc.DisplayEstRecordbyKey(3);
  frmEnvironment* est = Editor<frmEnvironment>("frmEnvironment");
  ASSERT_NE(est, nullptr);
  EXPECT_EQ(est->Caption(), "View estuary - properties");
  EXPECT_EQ(est->txtId->text(), "3");
  EXPECT_NE(est->txtDescription->text().toStdString(), current);
  EXPECT_EQ(modTulmo::CurrentEstuary.Description, current);
  est->CloseForm();
  EXPECT_TRUE(calc.isEnabled());
  gstrLevel.clear();
}

TEST_F(EditorReachTest, ARunMadeWhileAnEditorIsOpenKeepsItsRecordsUnchanged) {
  // Estuary 6: a user's copy of estuary 4.
  db.Raw("CREATE TEMP TABLE t AS SELECT * FROM Environment WHERE ID = 4; UPDATE t SET ID = 6, Type = 'user';"
         "INSERT INTO Environment SELECT * FROM t;");
  struct Case {
    const char* handler;
    const char* list;
    const char* editor;
    int id;
    const char* field;  // a text field of the editor
    const char* check;
    const char* refusal;
  } cases[] = {
      {"mnuEditCompoundsList_Click", "frmCompoundsList", "frmCompounds", 2, "txtCmpdescr",
       "SELECT CmpDescr FROM Compounds WHERE CmpID = 2",
       "Compound 2 already used in run. Please delete the run first, before you update this compound\r"
       "or copy the compound and then edit the copy"},
      {"mnuEditEmissionList_Click", "frmEmissionList", "frmEmission", 3, "txtDescription",
       "SELECT Description FROM Emission WHERE EmissionID = 3",
       "Emission 3 already used in run. You can not change this data unless you delete the run first\r"
       "or copy the emission and then edit the copy"},
      {"mnuEditEnvironmentList_Click", "frmEnvironmentList", "frmEnvironment", 6, "txtDescription",
       "SELECT Description FROM Environment WHERE ID = 6",
       "Environment already used in run. Please remove run before you remove or update this record\r"
       "or copy the estuary and then edit the copy."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.editor);
    db.Raw("DELETE FROM Run;");
    lists::RecordList* list = FromEditMenu(c.handler, c.list);
    ASSERT_NE(list, nullptr);
    list->lvw->SetSelectedItem(list->lvw->Find("KY_" + std::to_string(c.id)));
    list->UpdateRecord();
    auto* e = Editor<editors::RecordEditor>(c.editor);
    ASSERT_NE(e, nullptr);
    const std::string before = db.Scalar(c.check);
    db.Raw("INSERT INTO Run (RunDescription, EnvirID, CompoundID, EmisID) VALUES ('made meanwhile', 6, "
           "2, 3);");
    e->findChild<QLineEdit*>(c.field)->setText("changed under a run");
    boxes.Clear();
    // Neither File Save nor the Save button stores it.
    EXPECT_FALSE(e->SaveDetails());
    e->cmdOK_Click();
    EXPECT_EQ(Prompts(), (std::vector<std::string>{c.refusal, c.refusal}));
    EXPECT_EQ(db.Scalar(c.check), before);
    EXPECT_EQ(Editor<editors::RecordEditor>(c.editor), e);
    e->CloseForm();
    list->CloseForm();
  }

  // An estuary made generic meanwhile is refused by its stored type.
  db.Raw("DELETE FROM Run;");
  lists::RecordList* list = FromEditMenu("mnuEditEnvironmentList_Click", "frmEnvironmentList");
  list->lvw->SetSelectedItem(list->lvw->Find("KY_6"));
  list->UpdateRecord();
  auto* e = Editor<frmEnvironment>("frmEnvironment");
  ASSERT_NE(e, nullptr);
  db.Raw("UPDATE Environment SET Type = 'default' WHERE ID = 6;");
  e->txtDescription->setText("changed");
  boxes.Clear();
  e->cmdOK_Click();
  EXPECT_EQ(Prompts(), std::vector<std::string>{"You can't remove or edit estuaries of type \"default\" and "
                                                "\"defaultavg\". \rPlease copy the scenario and then edit the copy"});
  EXPECT_EQ(db.Scalar("SELECT Type FROM Environment WHERE ID = 6"), "default");
}

TEST_F(EditorReachTest, AStoredMetalOpensWithItsValidityText) {
  lists::RecordList* list = FromEditMenu("mnuEditCompoundsList_Click", "frmCompoundsList");
  ASSERT_NE(list, nullptr);
  list->lvw->SetSelectedItem(list->lvw->Find("KY_4"));
  list->UpdateRecord();
  auto* e = Editor<frmCompounds>("frmCompounds");
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->Label24->text().toStdString(), "Bioaccumulation model not valid for metals");
}
