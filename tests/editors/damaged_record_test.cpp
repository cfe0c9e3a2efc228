// A row that cannot be read (text where a number belongs) opens for editing as a view only: the
// read error is reported, Save is out of use, and the row keeps what it holds.
#include "editors/RecordEditor.h"
#include "tests/editors/editor_fixture.h"

namespace {

using DamagedRecordTest = EditorTest;

TEST_F(DamagedRecordTest, AnUnreadableRowIsShownButNeverSavedOver) {
  struct Case {
    const char* list;
    const char* editor;
    const char* damage;
    const char* check;
  } cases[] = {
      {"frmCompoundsList", "frmCompounds", "UPDATE Compounds SET CmpMolmass = 'abc' WHERE CmpID = 1",
       "SELECT CmpDescr || '/' || CmpMolmass FROM Compounds WHERE CmpID = 1"},
      {"frmEmissionList", "frmEmission", "UPDATE Emission SET Load1 = 'abc' WHERE EmissionID = 1",
       "SELECT Description || '/' || Load1 FROM Emission WHERE EmissionID = 1"},
      {"frmEnvironmentList", "frmEnvironment",
       "INSERT INTO Environment (ID, Description, Type, EstLength) VALUES (1, 'damaged', 'user', 'abc')",
       "SELECT Description || '/' || EstLength FROM Environment WHERE ID = 1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.editor);
    if (std::string(c.editor) == "frmEnvironment") db.Raw("DELETE FROM Environment WHERE ID = 1");
    db.Raw(c.damage);
    const std::string before = db.Scalar(c.check);
    boxes.Clear();
    auto* list = OpenList(c.list, 1);
    QMetaObject::invokeMethod(list, "UpdateRecord");
    auto* e = Editor<editors::RecordEditor>(c.editor);
    ASSERT_NE(e, nullptr);
    EXPECT_FALSE(boxes.boxes().empty()) << "the read error is reported";
    EXPECT_EQ(e->Mode(), modView);
    EXPECT_FALSE(e->cmdOK->isEnabled());
    e->cmdCancel_Click();
    EXPECT_EQ(db.Scalar(c.check), before);
    list->Unload();
  }
}

}  // namespace
