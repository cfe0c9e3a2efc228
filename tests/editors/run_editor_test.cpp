// The run editor: the seven descriptive columns loaded and stored, the result columns left alone,
// ids that are no number refused as invalid data, and the run list's row.
#include <QMetaObject>

#include "editors/frmRun.h"
#include "platform/ui/ListView.h"
#include "tests/editors/editor_fixture.h"

namespace {

class RunEditorTest : public EditorTest {
 public:
  void SetUp() override {
    EditorTest::SetUp();
    db.Raw("INSERT INTO Run (RunID, RunDescription, CorvixID, TulmoVersion, RunDate, EnvirID, CompoundID, EmisID, "
           "ConcMax, RuDummy5) VALUES (4, 'first run', 1, '1.0.0', '2024-03-05 10:20:30', 2, 3, 1, 12.5, 7)");
  }
  frmRun* Open(lists::RecordList* list, const char* operation) {
    QMetaObject::invokeMethod(list, operation);
    return Editor<frmRun>("frmRun");
  }
};

}  // namespace

TEST_F(RunEditorTest, ViewShowsTheRunReadOnly) {
  auto* list = OpenList("frmRunList", 4);
  frmRun* e = Open(list, "DisplayRecord");
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->Caption(), "View run - properties");
  EXPECT_EQ(e->txtRunid->text(), "4");
  EXPECT_FALSE(e->txtRunid->isHidden());
  EXPECT_EQ(e->txtRundescription->text(), "first run");
  EXPECT_EQ(e->txtCorvixid->text(), "1");
  EXPECT_EQ(e->txtTulmoversion->text(), "1.0.0");
  EXPECT_EQ(e->txtDate->text(), "2024-03-05 10:20:30");
  EXPECT_EQ(e->txtEnvirId->text(), "2");
  EXPECT_EQ(e->txtCompoundid->text(), "3");
  EXPECT_EQ(e->txtEmisid->text(), "1");
  EXPECT_TRUE(e->cmdOK->isHidden());
  EXPECT_FALSE(e->txtRundescription->isEnabled());
  EXPECT_TRUE(e->cmdCancel->isEnabled());
  e->ClearForm();
  EXPECT_EQ(e->txtRundescription->text(), "first run");
  e->cmdCancel_Click();
  EXPECT_TRUE(list->isEnabled());
  EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(RunEditorTest, EditStoresTheDescriptiveColumnsOnlyAndKeepsTheDate) {
  auto* list = OpenList("frmRunList", 4);
  frmRun* e = Open(list, "UpdateRecord");
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->Caption(), "Edit run - properties");
  EXPECT_TRUE(e->txtRunid->isHidden());
  EXPECT_TRUE(e->lblRunid->isHidden());
  e->txtRundescription->setText("renamed");
  e->txtEmisid->setText("9");
  e->cmdOK_Click();
  EXPECT_TRUE(boxes.boxes().empty());
  EXPECT_EQ(db.Scalar("SELECT RunDescription || '|' || EmisID || '|' || EnvirID FROM Run WHERE RunID = 4"),
            "renamed|9|2");
  EXPECT_EQ(db.Scalar("SELECT strftime('%Y-%m-%d %H:%M:%S', RunDate) FROM Run WHERE RunID = 4"),
            "2024-03-05 10:20:30");
  EXPECT_EQ(db.Scalar("SELECT ConcMax || '|' || RuDummy5 FROM Run WHERE RunID = 4"), "12.5|7.0");
  EXPECT_EQ(list->lvw->SelectedItem()->SubItem(1), "renamed");
  EXPECT_EQ(Editor<frmRun>("frmRun"), nullptr);
}

TEST_F(RunEditorTest, AddStoresANewRunAndAnEmptyIdIsRefusedAsInvalidData) {
  auto* list = OpenList("frmRunList");
  frmRun* e = Open(list, "AddRecord");
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->Caption(), "Add new run - properties");
  e->txtRundescription->setText("new run");
  e->txtCorvixid->setText("1");
  e->txtTulmoversion->setText("1.0.0");
  e->txtDate->setText("2024-06-01");
  e->txtCompoundid->setText("2");
  e->txtEmisid->setText("3");
  e->cmdOK_Click();  // txtEnvirId is still empty
  ASSERT_EQ(boxes.boxes().size(), 1u);
  EXPECT_EQ(boxes.boxes()[0].prompt,
            std::string(frmRun::kInvalidData) + "\r\rEnvirid: \"\" is not a number that can be stored.");
  EXPECT_EQ(db.Scalar("SELECT COUNT(*) FROM Run"), "1");
  ASSERT_EQ(Editor<frmRun>("frmRun"), e);

  e->txtEnvirId->setText("4");
  e->cmdOK_Click();
  EXPECT_EQ(boxes.boxes().size(), 1u);
  const std::string id = db.Scalar("SELECT MAX(RunID) FROM Run");
  EXPECT_NE(id, "4");
  EXPECT_EQ(db.Scalar("SELECT RunDescription || '|' || CorvixID || '|' || EnvirID || '|' || CompoundID || '|' || "
                      "EmisID || '|' || date(RunDate) FROM Run WHERE RunID = " + id),
            "new run|1|4|2|3|2024-06-01");
  EXPECT_EQ(e->txtRunid->text().toStdString(), id);
  ASSERT_NE(list->lvw->SelectedItem(), nullptr);
  EXPECT_EQ(list->lvw->SelectedItem()->Key(), "KY_" + id);
  EXPECT_EQ(list->lvw->SelectedItem()->Text(), id);
  EXPECT_EQ(list->lvw->SelectedItem()->SubItem(2), "2024-06-01");
}
