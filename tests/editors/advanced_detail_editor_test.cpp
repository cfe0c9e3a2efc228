// The food-chain detail editor: 32 numbers converted on saving, -99999 as no value, the id box.
#include <QMetaObject>
#include <QPixmap>

#include "editors/frmAdvancedDetail.h"
#include "platform/ui/Controls.h"
#include "platform/ui/ListView.h"
#include "tests/editors/editor_fixture.h"

namespace {

using AdvancedDetailEditorTest = EditorTest;

frmAdvancedDetail* Open(EditorTest& t, lists::RecordList* list, const char* operation) {
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
  // The refusal names the field and the text refused.
  EXPECT_EQ(Prompts(), std::vector<std::string>{std::string(frmAdvancedDetail::kInvalidData) +
                                                "\r\rGrowth Rate Roundfish: \"\" is not a number that can be stored."});
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

TEST_F(AdvancedDetailEditorTest, TheNewRowTakesTheParentsSampleIcon) {
  // A parent with the list control and image list that the record lists have.
  QWidget parent;
  auto* lvw = new ui::ListView("lvw", &parent);
  for (int c = 0; c <= 32; ++c) lvw->AddColumn("c" + std::to_string(c), 600);
  QPixmap sample(16, 16);
  sample.fill(Qt::red);
  (new ui::ImageList("imglvw", &parent))->Add("SAMPLE", QIcon(sample));
  auto* e = new frmAdvancedDetail();
  e->SetfrmParent(&parent);
  e->SetMode(2);
  e->Show();
  EXPECT_FALSE(parent.isEnabled());
  e->cmdOK_Click();
  EXPECT_TRUE(parent.isEnabled());
  ui::ListItem* row = lvw->SelectedItem();
  ASSERT_NE(row, nullptr);
  EXPECT_EQ(row->Key(), "KY_2");
  EXPECT_FALSE(row->icon(0).isNull());
  EXPECT_TRUE(boxes.boxes().empty());
}
