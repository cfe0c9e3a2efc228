// The compound editor against the delivered database: loading per mode, the field checks, saving in
// edit, copy and add mode with the parent list's row, the type rule and the estimation panels.
#include <QMetaObject>

#include "editors/Estimators.h"
#include "editors/frmCompounds.h"
#include "platform/ui/ListView.h"
#include "platform/ui/Twips.h"
#include "shell/Globals.h"
#include "tests/editors/editor_fixture.h"

namespace {

using CompoundEditorTest = EditorTest;

frmCompounds* OpenCompound(EditorTest& t, lists::RecordList* list, const char* operation) {
  QMetaObject::invokeMethod(list, operation);
  return t.Editor<frmCompounds>("frmCompounds");
}

}  // namespace

TEST_F(CompoundEditorTest, ViewModeShowsTheRecordReadOnly) {
  auto* list = OpenList("frmCompoundsList", 1);
  frmCompounds* e = OpenCompound(*this, list, "DisplayRecord");
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->Caption(), "View compound - properties");
  EXPECT_EQ(e->txtCmpdescr->text().toStdString(), db.Scalar("SELECT CmpDescr FROM Compounds WHERE CmpID = 1"));
  EXPECT_FALSE(e->txtCmpdescr->isEnabled());
  EXPECT_FALSE(e->cmdOK->isEnabled());
  EXPECT_FALSE(e->cmdOK->isHidden());
  EXPECT_TRUE(e->cmdCancel->isEnabled());
  EXPECT_FALSE(list->isEnabled());
  e->ClearForm();  // nothing in view mode
  EXPECT_FALSE(e->txtCmpdescr->text().isEmpty());
  e->cmdCancel_Click();
  EXPECT_TRUE(list->isEnabled());
  EXPECT_EQ(Editor<frmCompounds>("frmCompounds"), nullptr);
}

TEST_F(CompoundEditorTest, BadFieldsGiveTheirMessageAndStoreNothing) {
  // Compound 1 is organic: its vapour pressure and solubility fields are edited through the Henry
  // panel only and its Kd field belongs to metals, so those fields are disabled and keep the focus
  // where it was.
  // Kd is checked only for a metal, whose Kd field is enabled.
  struct Case {
    QLineEdit* frmCompounds::*field;
    const char* text;
    const char* message;
    bool focused;  // the failing field gets the focus
    bool metal = false;
  } cases[] = {
      {&frmCompounds::txtCmpdescr, "  ", "The 'txtCmpdescr' cannot be blank. Please try again.", true},
      {&frmCompounds::txtCmpname, "", "The 'txtCmpname' cannot be blank. Please try again.", true},
      {&frmCompounds::txtCmpvappress, "", "The 'Vapour pressure field' cannot be blank. Please try again.", false},
      {&frmCompounds::txtCmpvappress, "-1", "Vapour pressure must be a positive numeric. Please try again.", false},
      {&frmCompounds::txtCmpsol, "abc", "Solubility must be a positive numeric. Please try again.", false},
      {&frmCompounds::txtCmpsol, "-0.5", "Solubility must be a positive value. Please try again.", false},
      {&frmCompounds::txtCmpkow, "", "Log(Kow) must be a positive numeric. Please try again.", true},
      {&frmCompounds::txtCmpkow, "-0.1", "Log(Kow) must be a positive numeric. Please try again.", true},
      {&frmCompounds::txtCmpkow, "20.01", "Log(Kow) cannot be higher than 20. Please try again.", true},
      {&frmCompounds::txtCmpkd, "", "Kd must be a positive numeric. Please try again.", true, true},
      {&frmCompounds::txtCmpkd, "10000.5", "Kd cannot be higher than 10000. Please try again.", true, true},
  };
  const std::string before = db.Scalar("SELECT CmpDescr || CmpName || CmpSol FROM Compounds WHERE CmpID = 1");
  for (const Case& c : cases) {
    auto* list = OpenList("frmCompoundsList", 1);
    frmCompounds* e = OpenCompound(*this, list, "UpdateRecord");
    ASSERT_NE(e, nullptr);
    if (c.metal) {
      e->OptType[0]->setChecked(true);
      e->OptType_Click(0);
    }
    (e->*c.field)->setText(c.text);
    const std::size_t n = boxes.boxes().size();
    e->cmdOK_Click();
    ASSERT_EQ(boxes.boxes().size(), n + 1) << c.text;
    EXPECT_EQ(boxes.boxes().back().prompt, c.message);
    EXPECT_EQ(boxes.boxes().back().style, ui::vbExclamation);
    EXPECT_EQ(Editor<frmCompounds>("frmCompounds"), e) << "stays open";
    const auto& events = boxes.events();
    ASSERT_GE(events.size(), 2u);
    EXPECT_EQ(events[events.size() - 2], "beep") << "the beep sounds first";
    QLineEdit* field = e->*c.field;
    EXPECT_EQ(e->focusWidget() == field, c.focused) << c.text;
    EXPECT_FALSE(field->hasSelectedText()) << c.text;
    e->CloseForm();
    list->Unload();
  }
  EXPECT_EQ(db.Scalar("SELECT CmpDescr || CmpName || CmpSol FROM Compounds WHERE CmpID = 1"), before);
}

TEST_F(CompoundEditorTest, EditSavesTrimmedAndUpdatesTheSelectedRow) {
  auto* list = OpenList("frmCompoundsList", 1);
  frmCompounds* e = OpenCompound(*this, list, "UpdateRecord");
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->Caption(), "Edit compound - properties");
  EXPECT_TRUE(e->cmdOK->isEnabled());
  e->txtCmpdescr->setText("  renamed");
  e->txtCmpkow->setText("20");
  e->cmdOK_Click();
  EXPECT_TRUE(boxes.boxes().empty()) << Prompts().front();
  EXPECT_EQ(db.Scalar("SELECT CmpDescr FROM Compounds WHERE CmpID = 1"), "renamed");
  EXPECT_EQ(db.Scalar("SELECT CmpKow FROM Compounds WHERE CmpID = 1"), "20.0");
  EXPECT_EQ(list->lvw->SelectedItem()->SubItem(1), "  renamed");
  EXPECT_TRUE(gblnCompoundsChanged);
  EXPECT_EQ(Editor<frmCompounds>("frmCompounds"), nullptr);
  EXPECT_TRUE(list->isEnabled());
}

TEST_F(CompoundEditorTest, BoundaryValuesPassAndTextsAreCutByCharactersNotBytes) {
  auto* list = OpenList("frmCompoundsList", 1);
  frmCompounds* e = OpenCompound(*this, list, "UpdateRecord");
  ASSERT_NE(e, nullptr);
  e->txtCmpkow->setText("0");
  e->OptType[0]->setChecked(true);
  e->OptType_Click(0);
  e->txtCmpkd->setText("10000");
  // 60 two-byte characters: 120 bytes, well within the 100 characters of the column.
  const QString accented(60, QChar(0x00E9));
  e->txtCmpname->setText(accented);
  e->cmdOK_Click();
  EXPECT_TRUE(boxes.boxes().empty()) << Prompts().front();
  EXPECT_EQ(db.Scalar("SELECT CmpName FROM Compounds WHERE CmpID = 1"), accented.toStdString());
  EXPECT_EQ(db.Scalar("SELECT CmpKd FROM Compounds WHERE CmpID = 1"), "10000.0");
}

TEST_F(CompoundEditorTest, StoredTypeChoosesTheOptionWithAMessageForOthers) {
  struct Case {
    const char* stored;
    bool metal;
    const char* message;  // nullptr: none; a metal shows its validity text from the start
  } cases[] = {{"1", true, nullptr},
               {"2", false, nullptr},
               {"3", false, "Type 3 not implemented yet, type switched to organic"},
               {"NULL", false, "Unknown type, type set to organic"},
               {"7", false, "Unknown type, type set to organic"}};
  for (const Case& c : cases) {
    db.Raw(std::string("UPDATE Compounds SET CmpIsType = ") + c.stored + " WHERE CmpID = 1");
    boxes.Clear();
    auto* list = OpenList("frmCompoundsList", 1);
    frmCompounds* e = OpenCompound(*this, list, "UpdateRecord");
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->OptType[0]->isChecked(), c.metal) << c.stored;
    EXPECT_EQ(e->OptType[1]->isChecked(), !c.metal) << c.stored;
    // The type rule: Kd for metals, the organic fields otherwise.
    EXPECT_EQ(e->txtCmpkd->isEnabled(), c.metal) << c.stored;
    EXPECT_EQ(e->txtCmpkow->isEnabled(), !c.metal) << c.stored;
    EXPECT_EQ(e->Label24->text().toStdString() == Estimators::kMetalsNotValid, c.metal) << c.stored;
    if (c.message) {
      ASSERT_EQ(boxes.boxes().size(), 1u) << c.stored;
      EXPECT_EQ(boxes.boxes()[0].prompt, c.message);
      EXPECT_EQ(boxes.boxes()[0].style, ui::vbOKOnly);
    } else {
      EXPECT_TRUE(boxes.boxes().empty()) << c.stored;
    }
    e->CloseForm();
    list->Unload();
  }
}

TEST_F(CompoundEditorTest, ClearEmptiesTheTypedFieldsButNotTheIdOrTheTypeAndTheButtonsKeepTheirPlace) {
  auto* list = OpenList("frmCompoundsList", 1);
  frmCompounds* e = OpenCompound(*this, list, "UpdateRecord");
  ASSERT_NE(e, nullptr);
  const std::string beta = e->txtBetaPrey->text().toStdString();
  e->ClearForm();
  for (QLineEdit* f : {e->txtCmpdescr, e->txtCmpname, e->txtCASnr, e->txtCmpmolmass, e->txtCmpkow, e->txtCmppka,
                       e->txtCmpvappress, e->txtBioTransOrg2Dab})
    EXPECT_TRUE(f->text().isEmpty()) << f->objectName().toStdString();
  // Estimated, never typed, and hidden fields keep their texts.
  EXPECT_EQ(e->txtBetaPrey->text().toStdString(), beta);
  EXPECT_FALSE(e->txtCmptmelt->text().isEmpty());
  EXPECT_EQ(e->txtCmpid->text(), "1");
  EXPECT_TRUE(e->OptType[1]->isChecked());
  // File Save of cleared fields runs the Save button's checks: nothing stored, the window stays.
  EXPECT_FALSE(e->SaveDetails());
  EXPECT_EQ(Prompts(), std::vector<std::string>{"The 'txtCmpdescr' cannot be blank. Please try again."});
  EXPECT_NE(db.Scalar("SELECT CmpDescr FROM Compounds WHERE CmpID = 1"), "");
  EXPECT_EQ(Editor<frmCompounds>("frmCompounds"), e);

  e->SetWidth(12000);
  e->SetHeight(9000);
  e->Form_Resize();
  EXPECT_NEAR(ui::TopOf(e->cmdOK), 9000 - 925, 15);
  EXPECT_NEAR(ui::TopOf(e->cmdCancel), 9000 - 925, 15);
  EXPECT_NEAR(ui::LeftOf(e->cmdCancel), 12000 - 1280, 15);
}

TEST_F(CompoundEditorTest, AMetalAfterClearNeedsOnlyWhatAMetalStores) {
  // Compound 4 is a stored metal. Its vapour pressure is out of reach (disabled), and not stored.
  auto* list = OpenList("frmCompoundsList", 4);
  frmCompounds* e = OpenCompound(*this, list, "UpdateRecord");
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->Label24->text().toStdString(), Estimators::kMetalsNotValid);
  e->ClearForm();
  EXPECT_FALSE(e->txtCmpvappress->isEnabled());
  e->txtCmpdescr->setText("lead");
  e->txtCmpname->setText("Pb");
  e->txtCmpmolmass->setText("207.2");
  e->txtCmpkd->setText("40");
  e->cmdOK_Click();
  EXPECT_TRUE(boxes.boxes().empty()) << Prompts().front();
  EXPECT_EQ(db.Scalar("SELECT CmpName || '/' || CmpKd || '/' || CmpVappress FROM Compounds WHERE CmpID = 4"),
            "Pb/40.0/0.0");
  EXPECT_EQ(Editor<frmCompounds>("frmCompounds"), nullptr);
}

// The next control that the Tab key can reach, in the window's tab order.
QWidget* NextTabStop(QWidget* w) {
  do w = w->nextInFocusChain();
  while (!(w->focusPolicy() & Qt::TabFocus));
  return w;
}

TEST_F(CompoundEditorTest, FocusStartsInTheFirstFieldAndTabFollowsTheFields) {
  auto* list = OpenList("frmCompoundsList", 1);
  frmCompounds* e = OpenCompound(*this, list, "UpdateRecord");
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->focusWidget(), e->txtCmpdescr);
  EXPECT_EQ(NextTabStop(e->txtCmpdescr), e->txtCmpname);
  EXPECT_EQ(NextTabStop(e->txtCmpname), e->txtCASnr);
  EXPECT_EQ(NextTabStop(e->txtCASnr), e->OptType[0]);
  // Save and Close come after every field.
  QWidget* w = e->txtCmpdescr;
  int steps = 0;
  while (w != e->cmdOK && steps++ < 200) {
    EXPECT_NE(w, e->cmdCancel);
    w = NextTabStop(w);
  }
  EXPECT_EQ(w, e->cmdOK);
  EXPECT_EQ(NextTabStop(e->cmdOK), e->cmdCancel);
}

TEST_F(CompoundEditorTest, CopyAddsASelectedRowWithTheNewId) {
  auto* list = OpenList("frmCompoundsList", 2);
  const int rows = list->lvw->Count();
  frmCompounds* e = OpenCompound(*this, list, "CopyRecord");
  ASSERT_NE(e, nullptr);
  const std::string descr = db.Scalar("SELECT CmpDescr FROM Compounds WHERE CmpID = 2");
  EXPECT_EQ(e->txtCmpdescr->text().toStdString(), descr + " (copy)");
  e->cmdOK_Click();
  EXPECT_TRUE(boxes.boxes().empty()) << Prompts().front();
  const std::string id = db.Scalar("SELECT MAX(CmpID) FROM Compounds");
  EXPECT_EQ(id, "6");
  ASSERT_EQ(list->lvw->Count(), rows + 1);
  EXPECT_EQ(list->lvw->SelectedItem()->Key(), "KY_6");
  EXPECT_EQ(list->lvw->SelectedItem()->Text(), "6");
  EXPECT_EQ(db.Scalar("SELECT CmpDescr FROM Compounds WHERE CmpID = 6"), descr + " (copy)");
}

TEST_F(CompoundEditorTest, MetalStoresZerosAndNullKowAndFileSaveAddsOnceThenEdits) {
  auto* list = OpenList("frmCompoundsList");
  const int rows = list->lvw->Count();
  frmCompounds* e = OpenCompound(*this, list, "AddRecord");
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->Caption(), "Add new compound - properties");
  EXPECT_EQ(e->txtCASnr->text(), "CASnr");
  e->txtCmpdescr->setText("zinc");
  e->txtCmpname->setText("Zn");
  e->OptType[0]->setChecked(true);
  e->OptType_Click(0);
  EXPECT_TRUE(e->txtCmpkd->isEnabled());
  EXPECT_FALSE(e->txtCmpkow->isEnabled());
  EXPECT_EQ(e->Label24->text().toStdString(), "Bioaccumulation model not valid for metals");
  e->txtCmpkd->setText("2.5");
  e->txtCmpsol->setText("77");
  e->txtCmpmolmass->setText("65.4");
  // File Save: one record and one list row; the window stays and goes on as an edit of it.
  EXPECT_TRUE(e->SaveDetails());
  EXPECT_EQ(e->Mode(), modEdit);
  EXPECT_EQ(e->Caption(), "Edit compound - properties");
  e->txtCmpkd->setText("3");
  EXPECT_TRUE(e->SaveDetails());
  EXPECT_EQ(db.Scalar("SELECT COUNT(*) FROM Compounds WHERE CmpDescr = 'zinc'"), "1");
  EXPECT_EQ(db.Scalar("SELECT CmpIsType || '/' || CmpKd || '/' || CmpSol FROM Compounds WHERE CmpID = 6"),
            "1/3.0/0.0");
  EXPECT_EQ(db.Scalar("SELECT CmpKow FROM Compounds WHERE CmpID = 6"), "NULL");
  EXPECT_EQ(list->lvw->Count(), rows + 1);
  ASSERT_NE(list->lvw->Find("KY_6"), nullptr);
  EXPECT_EQ(list->lvw->SelectedItem(), list->lvw->Find("KY_6"));
  EXPECT_EQ(Editor<frmCompounds>("frmCompounds"), e);
  EXPECT_TRUE(boxes.boxes().empty()) << Prompts().front();
  e->CloseForm();

  // A view stores nothing and says so.
  list->lvw->SetSelectedItem(list->lvw->Find("KY_6"));
  e = OpenCompound(*this, list, "DisplayRecord");
  ASSERT_NE(e, nullptr);
  EXPECT_FALSE(e->SaveDetails());
}

TEST_F(CompoundEditorTest, PkaIsConvertedAsTypedAndEmptyMeansZero) {
  struct Case {
    const char* pka;
    const char* stored;  // nullptr: the invalid-data message
  } cases[] = {{"-1", "-1.0"}, {"", "0.0"}, {"4.2", "4.2"}, {"x", nullptr}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pka);
    boxes.Clear();
    auto* list = OpenList("frmCompoundsList", 1);
    frmCompounds* e = OpenCompound(*this, list, "UpdateRecord");
    ASSERT_NE(e, nullptr);
    e->txtCmppka->setText(c.pka);
    e->cmdOK_Click();
    if (c.stored) {
      EXPECT_TRUE(boxes.boxes().empty()) << Prompts().front();
      EXPECT_EQ(db.Scalar("SELECT CmppKa FROM Compounds WHERE CmpID = 1"), c.stored);
    } else {
      EXPECT_EQ(Prompts(), std::vector<std::string>{frmCompounds::kInvalidData});
      EXPECT_EQ(boxes.boxes().back().style, ui::vbInformation);
      EXPECT_EQ(Editor<frmCompounds>("frmCompounds"), e);
    }
    ui::UnloadAllForms();
  }
}

TEST_F(CompoundEditorTest, EstimationPanelsFillTheirFields) {
  auto* list = OpenList("frmCompoundsList");
  frmCompounds* e = OpenCompound(*this, list, "AddRecord");
  ASSERT_NE(e, nullptr);
  e->cmdEstHenry_Click();
  EXPECT_TRUE(e->QSARHe);
  EXPECT_EQ(frmCompounds::BackColor(e->txtCmpsol), frmCompounds::kYellow);
  EXPECT_FALSE(e->txtCmpdescr->isEnabled());
  e->txtCmpmolmass->setText("18");
  e->txtCmpvappress->setText("3170");
  e->txtCmpsol->setText("1000");
  e->cmdSetEstHenry_Click();
  EXPECT_EQ(e->txtCmpHe->text(), "5.706E+01");
  EXPECT_FALSE(e->QSARHe);
  EXPECT_EQ(frmCompounds::BackColor(e->txtCmpsol), frmCompounds::kWhite);
  EXPECT_TRUE(e->txtCmpdescr->isEnabled());
  EXPECT_FALSE(e->txtCmpsol->isEnabled());

  // A solubility of 0 leaves the Henry field as it is.
  e->cmdEstHenry_Click();
  e->txtCmpsol->setText("0");
  e->cmdSetEstHenry_Click();
  EXPECT_EQ(e->txtCmpHe->text(), "5.706E+01");

  e->txtCmpkow->setText("3");
  e->cmdQSARKoc_Click();
  EXPECT_TRUE(e->QSARKow);
  EXPECT_FALSE(e->cmdCancel->isEnabled());
  e->cmdSetKoc_Click();
  EXPECT_EQ(e->txtCmpkoc->text(), "2.53E00");
  e->cmdQSARKoc_Click();
  e->optKocMethod[1]->setChecked(true);
  e->optKocMethod_Click(1);
  EXPECT_TRUE(e->txtCmppka->isEnabled());
  e->txtCmppka->setText("5");
  e->cmdSetKoc_Click();
  EXPECT_EQ(e->txtCmpkoc->text(), "-4.34E-04");
  e->cmdQSARKoc_Click();
  e->txtCmpkoc->setText("1");
  e->cmdCancelEstKoc_Click();
  EXPECT_EQ(e->txtCmpkoc->text(), "1");
  EXPECT_FALSE(e->QSARKow);

  e->txtCmpkow->setText("6.26");
  EXPECT_EQ(e->Label24->text(), "");
  e->txtCmpkow->setText("4.49");
  EXPECT_EQ(e->Label24->text().toStdString(), Estimators::kKowOutOfRange);
  e->txtCmpkow->setText("6.26");
  e->txtCmpkow_LostFocus();
  EXPECT_EQ(e->txtAlphaWater->text(), "5.8884E-01");
  EXPECT_EQ(e->txtBetaPrey->text(), "0.65");
  EXPECT_TRUE(boxes.boxes().empty());
}
