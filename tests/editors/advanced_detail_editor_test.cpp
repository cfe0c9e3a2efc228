// The food-chain detail editor: 32 numbers converted on saving, -99999 as no value, the id box.
#include <QMetaObject>

#include "editors/frmAdvancedDetail.h"
#include "platform/ui/ListView.h"
#include "tests/editors/editor_fixture.h"

namespace {

using AdvancedDetailEditorTest = EditorTest;

frmAdvancedDetail* Open(EditorTest& t, Standins::StandinList* list, const char* operation) {
  QMetaObject::invokeMethod(list, operation);
  return t.Editor<frmAdvancedDetail>("frmAdvancedDetail");
}

}  // namespace

TEST_F(AdvancedDetailEditorTest, AddStoresZerosAndABlankBoxStopsTheSave) {
  auto* list = OpenList("frmAdvancedDetailList");
  frmAdvancedDetail* e = Open(*this, list, "AddRecord");
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->Caption(), "Add New AdvancedDetail");
  EXPECT_TRUE(e->txtAdvancedID->isEnabled());
  e->fields[31]->setText("");
  e->cmdOK_Click();
  EXPECT_EQ(Prompts(), std::vector<std::string>{frmAdvancedDetail::kInvalidData});
  EXPECT_EQ(db.Scalar("SELECT COUNT(*) FROM AdvancedDetail"), "1");
  ASSERT_NE(Editor<frmAdvancedDetail>("frmAdvancedDetail"), nullptr);
  e->fields[31]->setText("0");
  e->fields[0]->setText("-99999");
  e->txtAdvancedID->setText("77");  // ignored
  e->cmdOK_Click();
  EXPECT_EQ(db.Scalar("SELECT COUNT(*) FROM AdvancedDetail"), "2");
  EXPECT_EQ(db.Scalar("SELECT detail1 FROM AdvancedDetail WHERE AdvancedID = 2"), "NULL");
  EXPECT_EQ(db.Scalar("SELECT GrowthRateRound FROM AdvancedDetail WHERE AdvancedID = 2"), "0.0");
  ASSERT_NE(list->lvw->SelectedItem(), nullptr);
  EXPECT_EQ(list->lvw->SelectedItem()->Key(), "KY_2");
  EXPECT_EQ(list->lvw->SelectedItem()->SubItem(32), "0");

  // Reopened, the missing value shows as its marker.
  list->lvw->SetSelectedItem(list->lvw->Find("KY_2"));
  e = Open(*this, list, "UpdateRecord");
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->fields[0]->text(), "-99999");
  EXPECT_FALSE(e->txtAdvancedID->isEnabled());
  EXPECT_FALSE(e->txtAdvancedID->isHidden());
  e->ClearForm();
  EXPECT_EQ(e->txtAdvancedID->text(), "2");
  EXPECT_FALSE(e->SaveDetails());
}
