// The emission editor: loading per mode, saving in edit, add and copy mode with the parent list's
// row, File Save, the clear of the shown fields, and the program's current emission left alone.
#include <QMetaObject>

#include "editors/frmEmission.h"
#include "modelrun/modTulmo.h"
#include "platform/ui/ListView.h"
#include "shell/Globals.h"
#include "tests/editors/editor_fixture.h"

namespace {

class EmissionEditorTest : public EditorTest {
 public:
  void SetUp() override {
    EditorTest::SetUp();
    modTulmo::CurrentEmission = {};
    gblnEmissionsChanged = false;
  }
  frmEmission* Open(lists::RecordList* list, const char* operation) {
    QMetaObject::invokeMethod(list, operation);
    return Editor<frmEmission>("frmEmission");
  }
  std::string Row(const std::string& id) const {
    return db.Scalar("SELECT Description || '|' || Load1 || '|' || Load2 || '|' || LoadAtmos || '|' || "
                     "EmRiverConc || '|' || SedBack || '|' || GridNr3 || '|' || COALESCE(EmDummy5, 'null') FROM Emission "
                     "WHERE EmissionID = " + id);
  }
};

}  // namespace

TEST_F(EmissionEditorTest, ViewShowsTheRecordReadOnly) {
  auto* list = OpenList("frmEmissionList", 1);
  frmEmission* e = Open(list, "DisplayRecord");
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->Caption(), "View emission - properties");
  EXPECT_EQ(e->txtEmissionid->text(), "1");
  EXPECT_FALSE(e->txtEmissionid->isHidden());
  EXPECT_EQ(e->txtDescription->text().toStdString(), db.Scalar("SELECT Description FROM Emission WHERE EmissionID = 1"));
  EXPECT_EQ(e->txtLoad2->text(), "50");
  EXPECT_TRUE(e->cmdOK->isHidden());
  EXPECT_FALSE(e->txtLoad2->isEnabled());
  EXPECT_TRUE(e->cmdCancel->isEnabled());
  EXPECT_FALSE(list->isEnabled());
  e->ClearForm();
  EXPECT_EQ(e->txtLoad2->text(), "50");
  e->cmdCancel_Click();
  EXPECT_TRUE(list->isEnabled());
  EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(EmissionEditorTest, EditStoresTheNumbersAndChangesOnlyTheDescriptionCell) {
  // A column without a value shows the no-value marker and goes back as no value.
  db.Raw("UPDATE Emission SET EmDummy5 = NULL WHERE EmissionID = 2");
  auto* list = OpenList("frmEmissionList", 2);
  frmEmission* e = Open(list, "UpdateRecord");
  ASSERT_NE(e, nullptr);
  gblnEmissionsChanged = false;  // raised by the list's load
  EXPECT_EQ(e->Caption(), "Edit emission - properties");
  EXPECT_TRUE(e->txtEmissionid->isHidden());
  EXPECT_EQ(e->txtEmdummy5->text(), "-99999");
  EXPECT_EQ(e->txtEmRiverConc->text(), "0.05");
  e->txtDescription->setText("river, 0.1 ug/l");
  e->txtEmRiverConc->setText("0.1");
  e->txtLoad1->setText("-3");  // no range check
  e->cmdOK_Click();
  EXPECT_TRUE(boxes.boxes().empty());
  EXPECT_EQ(Row("2"), "river, 0.1 ug/l|-3.0|0.0|0.0|0.1|0.0|0.0|null");
  EXPECT_EQ(list->lvw->SelectedItem()->SubItem(1), "river, 0.1 ug/l");
  EXPECT_EQ(list->lvw->SelectedItem()->Text(), "00002");
  EXPECT_TRUE(gblnEmissionsChanged);
  // The current emission is the calculation's, not the editor's.
  EXPECT_EQ(modTulmo::CurrentEmission.Description, "");
  EXPECT_DOUBLE_EQ(modTulmo::CurrentEmission.EmRiverConc, 0);
}

TEST_F(EmissionEditorTest, CopyAddsANewRecordAndLeavesTheSource) {
  const std::string source = Row("1");
  auto* list = OpenList("frmEmissionList", 1);
  frmEmission* e = Open(list, "CopyRecord");
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->Caption(), "Copy emission - properties");
  const std::string descr = db.Scalar("SELECT Description FROM Emission WHERE EmissionID = 1") + " (copy)";
  EXPECT_EQ(e->txtDescription->text().toStdString(), descr);
  e->txtLoad3->setText("7.5");
  e->cmdOK_Click();
  EXPECT_TRUE(boxes.boxes().empty());
  const std::string id = db.Scalar("SELECT MAX(EmissionID) FROM Emission");
  EXPECT_EQ(id, "5");
  EXPECT_EQ(db.Scalar("SELECT Description || '|' || Load2 || '|' || Load3 FROM Emission WHERE EmissionID = 5"),
            descr + "|50.0|7.5");
  EXPECT_EQ(Row("1"), source);
  ASSERT_NE(list->lvw->SelectedItem(), nullptr);
  EXPECT_EQ(list->lvw->SelectedItem()->Key(), "KY_5");
  EXPECT_EQ(list->lvw->SelectedItem()->Text(), "5");
  EXPECT_EQ(list->lvw->SelectedItem()->SubItem(1), descr);
  EXPECT_EQ(Editor<frmEmission>("frmEmission"), nullptr);
}

TEST_F(EmissionEditorTest, AddWithTheDesignValuesStoresZerosAndFileSaveAddsOnce) {
  auto* list = OpenList("frmEmissionList");
  frmEmission* e = Open(list, "AddRecord");
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->Caption(), "Add new emission - properties");
  e->txtDescription->setText("nothing");
  const int rows = list->lvw->Count();
  EXPECT_TRUE(e->SaveDetails());
  e->txtLoad1->setText("4");
  EXPECT_TRUE(e->SaveDetails());
  EXPECT_EQ(db.Scalar("SELECT COUNT(*) FROM Emission WHERE Description = 'nothing'"), "1");
  EXPECT_EQ(list->lvw->Count(), rows + 1);
  EXPECT_EQ(e->txtEmissionid->text(), "5");
  EXPECT_EQ(e->Caption(), "Edit emission - properties");
  EXPECT_EQ(Row("5"), "nothing|4.0|0.0|0.0|0.0|0.0|0.0|0.0");
  EXPECT_EQ(Editor<frmEmission>("frmEmission"), e);
  EXPECT_TRUE(boxes.boxes().empty()) << Prompts().front();
}

TEST_F(EmissionEditorTest, ClearEmptiesTheShownFieldsAndAFailedSaveChangesNothing) {
  db.Raw("UPDATE Emission SET GridNr3 = 7 WHERE EmissionID = 1");
  auto* list = OpenList("frmEmissionList", 1);
  frmEmission* e = Open(list, "UpdateRecord");
  ASSERT_NE(e, nullptr);
  gblnEmissionsChanged = false;  // raised by the list's load
  const std::string before = Row("1");
  modTulmo::CurrentEmission.Load2 = 123;
  e->ClearForm();
  EXPECT_TRUE(e->txtDescription->text().isEmpty());
  EXPECT_TRUE(e->txtLoad2->text().isEmpty());
  EXPECT_EQ(e->txtGridnr[2]->text(), "7");  // never shown
  EXPECT_EQ(e->txtEmissionid->text(), "1");
  // A box left empty: nothing stored, and nothing else changed on the way.
  e->txtDescription->setText("typed again");
  e->cmdOK_Click();
  EXPECT_EQ(Prompts(), std::vector<std::string>{std::string(frmEmission::kInvalidData) +
                                                "\r\rLoad at location 4: \"\" is not a number that can be stored."});
  EXPECT_EQ(boxes.boxes()[0].style, ui::vbInformation);
  EXPECT_EQ(Row("1"), before);
  EXPECT_EQ(Editor<frmEmission>("frmEmission"), e);
  EXPECT_EQ(modTulmo::CurrentEmission.Description, "");
  EXPECT_DOUBLE_EQ(modTulmo::CurrentEmission.Load2, 123);
  EXPECT_FALSE(gblnEmissionsChanged);
  // The shown fields filled in again: the record saves, with its grid numbers.
  for (QLineEdit* f : {e->txtLoad1, e->txtLoad2, e->txtLoad3, e->txtLoad4, e->txtLoad5, e->txtLoadatmos,
                       e->txtEmRiverConc, e->txtEmSeaConc, e->txtSedBack})
    f->setText("1");
  e->cmdOK_Click();
  EXPECT_EQ(Row("1"), "typed again|1.0|1.0|1.0|1.0|1.0|7.0|0.0");
  EXPECT_EQ(Editor<frmEmission>("frmEmission"), nullptr);
  EXPECT_DOUBLE_EQ(modTulmo::CurrentEmission.Load2, 123);
}

TEST_F(EmissionEditorTest, AStoreThatFindsNoRowSaysTheRecordIsGone) {
  auto* list = OpenList("frmEmissionList", 3);
  frmEmission* e = Open(list, "UpdateRecord");
  ASSERT_NE(e, nullptr);
  db.Raw("DELETE FROM Emission WHERE EmissionID = 3");
  e->txtLoadatmos->setText("33");
  e->cmdOK_Click();
  ASSERT_EQ(boxes.boxes().size(), 1u);
  EXPECT_EQ(boxes.boxes()[0].prompt, "The record no longer exists.");
  EXPECT_EQ(Editor<frmEmission>("frmEmission"), e);
  EXPECT_DOUBLE_EQ(modTulmo::CurrentEmission.Loadatmos, 0);
  EXPECT_EQ(db.Scalar("SELECT COUNT(*) FROM Emission WHERE EmissionID = 3"), "0");
}
