// The estuary editor: the hydraulic characteristics shown as the fields change, the save check
// with its refusals and corrections, saving in add, copy and edit mode with the estuary list's row
// (the program's current estuary left alone), the dispersion method and the small handlers.
#include <QMetaObject>
#include <map>

#include "editors/EstuaryHydrodynamics.h"
#include "editors/frmEnvironment.h"
#include "modelrun/modTulmo.h"
#include "platform/ui/ListView.h"
#include "platform/ui/Twips.h"
#include "shell/Globals.h"
#include "tests/editors/editor_fixture.h"

namespace {

class EstuaryEditorTest : public EditorTest {
 public:
  void SetUp() override {
    EditorTest::SetUp();
    modTulmo::CurrentEstuary = {};
  }
  frmEnvironment* Open(lists::RecordList* list, const char* operation) {
    QMetaObject::invokeMethod(list, operation);
    return Editor<frmEnvironment>("frmEnvironment");
  }
  frmEnvironment* OpenAdd() { return Open(OpenList("frmEnvironmentList"), "AddRecord"); }
  // An add form with the salinity method and the stations' distances and salinities typed in.
  frmEnvironment* OpenAddSalinity(const char* x1, const char* x2, const char* s1, const char* s2) {
    frmEnvironment* e = OpenAdd();
    if (!e) return nullptr;
    e->optDispersion[1]->setChecked(true);
    e->txtDispersionX1->setText(x1);
    e->txtDispersionX2->setText(x2);
    e->txtDispersionSalinity1->setText(s1);
    e->txtDispersionSalinity2->setText(s2);
    return e;
  }
  std::string Count() const { return db.Scalar("SELECT COUNT(*) FROM Environment"); }
};

std::string Text(const QLineEdit* f) { return f->text().toStdString(); }
std::string InvalidData(const std::string& field, const std::string& text) {
  return std::string(frmEnvironment::kInvalidData) + "\r\r" + field + ": \"" + text +
         "\" is not a number that can be stored.";
}
std::string Text(const QLabel* l) { return l->text().toStdString(); }

}  // namespace

TEST_F(EstuaryEditorTest, AddShowsTheCharacteristicsOfTheInitialValuesAndStoresThem) {
  auto* list = OpenList("frmEnvironmentList");
  frmEnvironment* e = Open(list, "AddRecord");
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->Caption(), "Add new estuary - properties");
  EXPECT_FALSE(e->m_IsLoading);
  EXPECT_TRUE(e->txtId->isHidden());
  EXPECT_TRUE(e->lblId->isHidden());
  EXPECT_EQ(Text(e->txtType), "user");
  EXPECT_TRUE(e->optDispersion[0]->isChecked());
  for (QWidget* w : e->SalinityGroup()) EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
  EXPECT_TRUE(e->txtSalinitysea->isEnabled());
  const std::pair<QLabel*, const char*> shown[] = {
      {e->lblCalcConvergence, "7.2"},   {e->lblCalcSaltIntrusion, "24.9"}, {e->lblCalcTidalExcursion, "1.4"},
      {e->lblCalcVolume, "3.55E+06"},   {e->lblCalcRefreshTime, "11.0"},   {e->lblCalcArea, "7.101E+05"},
      {e->lblCalcTidalPrism, "7.101E+05"}, {e->lblDispersionavg, "380.1"}, {e->lblDtra, "3.75E-01"},
      {e->lblWidthFraction, "70"},      {e->lblWarning, ""}};
  for (const auto& [label, text] : shown) EXPECT_EQ(Text(label), text) << label->objectName().toStdString();
  EXPECT_TRUE(e->cmdOK->isEnabled());

  e->txtDescription->setText("Scheldt-like");
  e->txtDispersionX1->setText("2.5");  // whole kilometres: halves go to the even neighbour
  e->txtDispersionX2->setText("3.5");
  e->cmdOK_Click();
  EXPECT_TRUE(boxes.boxes().empty()) << Prompts()[0];
  EXPECT_EQ(Count(), "6");
  EXPECT_EQ(db.Scalar("SELECT Description || '|' || Type || '|' || pHSea || '|' || WidthMouth || '|' || "
                      "ConvergenceLength || '|' || SaltIntrusionLengthAvg || '|' || DispersionAvg || '|' || "
                      "DispersionOption || '|' || DispersionX1 || '|' || DispersionX2 || '|' || Silt4 || '|' || "
                      "TidalPeriod || '|' || EnvMarineLength FROM Environment WHERE ID = 6"),
            "Scheldt-like|user|8.0|100.0|7.2|24.9|380.1|0|2.0|4.0|10.0|12.4|40000.0");
  ASSERT_NE(list->lvw->SelectedItem(), nullptr);
  EXPECT_EQ(list->lvw->SelectedItem()->Key(), "KY_6");
  EXPECT_EQ(list->lvw->SelectedItem()->Text(), "0006");
  EXPECT_EQ(list->lvw->SelectedItem()->SubItem(1), "Scheldt-like");
  EXPECT_EQ(list->lvw->SelectedItem()->SubItem(2), "user");
  EXPECT_TRUE(gblnEstuariesChanged);
  EXPECT_EQ(modTulmo::CurrentEstuary.Description, "");
  EXPECT_EQ(modTulmo::CurrentEstuary.DispersionX2, 0);

  // Opened again, the distances show as whole numbers.
  list->lvw->SetSelectedItem(list->lvw->Find("KY_6"));
  e = Open(list, "DisplayRecord");
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(Text(e->txtDispersionX1), "2");
  EXPECT_EQ(Text(e->txtDispersionX2), "4");
}

TEST_F(EstuaryEditorTest, ViewShowsTheRecordLeavesTheCurrentEstuaryAndAllowsOnlyClose) {
  modTulmo::CurrentEstuary.Description = "the one a run computed with";
  auto* list = OpenList("frmEnvironmentList", 1);
  frmEnvironment* e = Open(list, "DisplayRecord");
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->Caption(), "View estuary - properties");
  EXPECT_EQ(Text(e->txtId), "1");
  EXPECT_FALSE(e->txtId->isHidden());
  EXPECT_EQ(Text(e->txtType), "defaultavg");
  EXPECT_EQ(Text(e->txtWidthmouth), "6000");
  EXPECT_EQ(Text(e->txtTidalperiod), "12.42");
  EXPECT_EQ(Text(e->txtconvergencelength), "31.1");
  EXPECT_EQ(modTulmo::CurrentEstuary.Description, "the one a run computed with");
  EXPECT_FLOAT_EQ(modTulmo::CurrentEstuary.Widthmouth, 0);
  EXPECT_EQ(e->focusWidget(), e->cmdCancel);
  EXPECT_TRUE(e->cmdOK->isHidden());
  for (QWidget* w : {static_cast<QWidget*>(e->txtDescription), static_cast<QWidget*>(e->txtSilt1),
                     static_cast<QWidget*>(e->optDispersion[1]), static_cast<QWidget*>(e->cmdEstPhyto)})
    EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
  EXPECT_TRUE(e->cmdCancel->isEnabled());
  e->ClearForm();
  EXPECT_EQ(Text(e->txtWidthmouth), "6000");
  // The buttons scale with the window instead of keeping their size.
  const double width = ui::WidthOf(e->cmdOK);
  e->SetWidth(e->Width() * 2);
  e->Form_Resize();
  e->Form_Resize();
  EXPECT_GT(ui::WidthOf(e->cmdOK), width * 1.5);
  e->cmdCancel_Click();
  EXPECT_TRUE(list->isEnabled());
  EXPECT_TRUE(boxes.boxes().empty()) << Prompts()[0];
}

TEST_F(EstuaryEditorTest, CopyOfADefaultEstuaryIsStoredAsUser) {
  const std::string source = db.Scalar("SELECT Description || Type || WidthMouth FROM Environment WHERE ID = 2");
  auto* list = OpenList("frmEnvironmentList", 2);
  frmEnvironment* e = Open(list, "CopyRecord");
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->Caption(), "Copy estuary - properties");
  const std::string descr = db.Scalar("SELECT Description FROM Environment WHERE ID = 2") + " (copy)";
  EXPECT_EQ(Text(e->txtDescription), descr);
  EXPECT_TRUE(e->txtId->isHidden());
  EXPECT_FALSE(e->txtType->isVisibleTo(e));
  e->cmdOK_Click();
  EXPECT_TRUE(boxes.boxes().empty()) << Prompts()[0];
  EXPECT_EQ(db.Scalar("SELECT Description || '|' || Type FROM Environment WHERE ID = 6"), descr + "|user");
  EXPECT_EQ(db.Scalar("SELECT Description || Type || WidthMouth FROM Environment WHERE ID = 2"), source);
  EXPECT_EQ(list->lvw->SelectedItem()->Text(), "0006");
  EXPECT_EQ(list->lvw->SelectedItem()->SubItem(2), "user");
}

TEST_F(EstuaryEditorTest, EditChangesTheDescriptionCellAndStoresTypeUser) {
  // The list keeps default estuaries out of edit mode; a user one is edited and stays a user one.
  db.Raw("UPDATE Environment SET Type = 'User' WHERE ID = 3");
  auto* list = OpenList("frmEnvironmentList", 3);
  frmEnvironment* e = Open(list, "UpdateRecord");
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->Caption(), "Edit estuary - properties");
  e->txtDescription->setText("mine now");
  e->txtSedimentationVelocityAvg->setText("1.5");
  e->cmdOK_Click();
  EXPECT_TRUE(boxes.boxes().empty()) << Prompts()[0];
  EXPECT_EQ(db.Scalar("SELECT Description || '|' || Type || '|' || SedimentationVelocityAvg FROM Environment "
                      "WHERE ID = 3"),
            "mine now|user|1.5");
  EXPECT_EQ(list->lvw->SelectedItem()->SubItem(1), "mine now");
  EXPECT_EQ(list->lvw->SelectedItem()->SubItem(2), "User");  // only the description cell changes
  EXPECT_EQ(Count(), "5");
}

TEST_F(EstuaryEditorTest, TheSaveCheckRefusesOrCorrects) {
  struct Case {
    QLineEdit* frmEnvironment::*field;
    const char* text;
    std::vector<std::string> messages;  // the last ones shown
    const char* after;                  // the field's text afterwards
    bool stored;
    const char* widthAtX = "50";        // a wide mouth needs a wide estuary upstream
  } cases[] = {
      {&frmEnvironment::txtWidthmouth, "50000",
       {"Width at mouth (50000 m) should not exceed 40.000 m\rValue changed to 40.000 m"}, "40000", true, "8000"},
      {&frmEnvironment::txtWidthmouth, "0", {"Width at mouth (0 m) should be a positive numeric value"}, "0", false},
      {&frmEnvironment::txtWidthmouth, "wide", {"Width at mouth (wide m) should be a positive numeric value"}, "wide",
       false},
      {&frmEnvironment::txtWidthAtX, "0", {"Width at X (0 m) should be a positive numeric value"}, "0", false},
      {&frmEnvironment::txtXfromMouth, "0", {"Distance X from mouth (0 km) should be a positive numeric value"}, "0",
       false},
      {&frmEnvironment::txtXfromMouth, "31",
       {"Distance X from mouth (31 km) should less than the estuary length (30km)"}, "31", false},
      // The shown salt intrusion length is rounded up past the length, which the computation accepted.
      {&frmEnvironment::txtEstLength, "24.89",
       {"Length of estuary (24.89 km) must be longer than the Salt Intrusion Length (24.9 km)"}, "24.89", false},
      {&frmEnvironment::txtTidalperiod, "0", {"Tidal period must be positive, value changed to default 12.4 h"}, "12.4",
       true},
      {&frmEnvironment::txtTideavg, "0.05", {"Tidal height must have a minimum value of 0.1 m, value changed to 0.1 "},
       "0.1", true},
      {&frmEnvironment::txtEstDepth, "0.1", {"Depth must have a minimum value of 0.1 m, value changed to 0.1 m "},
       "0.1", true},
      // Corrected, but the salt intrusion of the least flow is longer than the estuary: refused, and why.
      {&frmEnvironment::txtFlowriveravg, "0",
       {"River flow must have a minimum value of 0.01 m/s, value changed to 0.01 m/s",
        "Salt intrusion length 41.3(km) is larger than length of estuary 30 (km). Please increase estuary length."},
       "0.01", false},
      {&frmEnvironment::txtSedimentationVelocityAvg, "", {InvalidData("Sedimentation velocity (net)", "")}, "", false},
      // Typing mistakes get the editor's own refusal, naming the field and the text.
      {&frmEnvironment::txtEstDepth, "abc", {InvalidData("Estuary depth", "abc")}, "abc", false},
      {&frmEnvironment::txtTideavg, "abc", {InvalidData("Tidal range", "abc")}, "abc", false},
      {&frmEnvironment::txtTidalperiod, "abc", {InvalidData("Tidal period", "abc")}, "abc", false},
      {&frmEnvironment::txtTempavg, "1e400", {InvalidData("Temperature", "1e400")}, "1e400", false},
      {&frmEnvironment::txtSilt2, "1e39", {InvalidData("Suspended Solids (intermediate)", "1e39")}, "1e39", false},
      // No estuary without length, none whose head narrows to nothing.
      {&frmEnvironment::txtEstLength, "0", {"Estuary length (0 km) should be a positive numeric value"}, "0", false},
      {&frmEnvironment::txtEstLength, "abc", {"Estuary length (abc km) should be a positive numeric value"}, "abc",
       false},
      {&frmEnvironment::txtEstLength, "200",
       {"Width at the head of the estuary (8.6E-11 m) must be at least 0.1 m: shorten the Estuary length or raise the "
        "Width at X"},
       "200", false},
      // A flow against the river is refused, not raised to the least flow.
      {&frmEnvironment::txtFlowriveravg, "-1", {"River flow (-1 m3/s) should not be negative"}, "-1", false},
  };
  for (const Case& c : cases) {
    boxes.Clear();
    frmEnvironment* e = OpenAdd();
    ASSERT_NE(e, nullptr);
    e->txtWidthAtX->setText(c.widthAtX);
    (e->*c.field)->setText(c.text);
    e->cmdOK_Click();
    const std::vector<std::string> shown = Prompts();
    ASSERT_GE(shown.size(), c.messages.size()) << c.text;
    EXPECT_EQ(std::vector<std::string>(shown.end() - static_cast<long>(c.messages.size()), shown.end()), c.messages)
        << c.text;
    if (c.stored) {
      EXPECT_EQ(Count(), "6") << c.text;
      EXPECT_EQ(Editor<frmEnvironment>("frmEnvironment"), nullptr);
      db.Raw("DELETE FROM Environment WHERE ID > 5");
    } else {
      EXPECT_EQ(Text(e->*c.field), c.after);
      EXPECT_EQ(Editor<frmEnvironment>("frmEnvironment"), e) << c.text;
      ui::UnloadAllForms();
    }
  }
  EXPECT_EQ(Count(), "5");
}

TEST_F(EstuaryEditorTest, XEqualToTheLengthPassesTheCheck) {
  frmEnvironment* e = OpenAdd();
  ASSERT_NE(e, nullptr);
  e->txtEstLength->setText("40");
  e->txtXfromMouth->setText("40");
  e->txtWidthAtX->setText("10");
  ASSERT_TRUE(Text(e->lblWarning).empty()) << Text(e->lblWarning);
  e->cmdOK_Click();
  EXPECT_TRUE(boxes.boxes().empty()) << Prompts()[0];
  EXPECT_EQ(Count(), "6");
}

TEST_F(EstuaryEditorTest, TheDispersionMethodSwitchesTheSalinityGroup) {
  db.Raw("UPDATE Environment SET DispersionOption = 1, Type = 'user' WHERE ID = 4");
  auto* list = OpenList("frmEnvironmentList", 4);
  frmEnvironment* e = Open(list, "UpdateRecord");
  ASSERT_NE(e, nullptr);
  EXPECT_TRUE(e->optDispersion[1]->isChecked());
  for (QWidget* w : e->SalinityGroup()) EXPECT_TRUE(w->isEnabled()) << w->objectName().toStdString();
  e->optDispersion[0]->setChecked(true);
  for (QWidget* w : e->SalinityGroup()) EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
  EXPECT_TRUE(Text(e->lblCalcdispersion2).empty());
  EXPECT_EQ(Text(e->lblCalcConvergence), "31.1");
  EXPECT_TRUE(boxes.boxes().empty()) << Prompts()[0];

  // The salinity zones of the initial values.
  e->CloseForm();
  e = OpenAdd();
  ASSERT_NE(e, nullptr);
  e->optDispersion[1]->setChecked(true);
  EXPECT_TRUE(e->txtDispersionX1->isEnabled());
  e->txtSalinitysea->setText("34");
  e->txtDispersionX1->setText("5");
  e->txtDispersionX2->setText("15");
  e->txtDispersionSalinity2->setText("5");
  e->txtDispersionSalinity1->setText("20");
  EXPECT_EQ(Text(e->lblDispersionavg), "27.2");
  EXPECT_EQ(Text(e->lblCalcdispersion2), "62.4");
  EXPECT_EQ(Text(e->lblCalcdispersion3), "502.0");
  EXPECT_NEAR(EstuaryHydrodynamics::DfixValues[1], 62.4, 0.05);
  EXPECT_DOUBLE_EQ(modTulmo::GridParameters.Dfix2, EstuaryHydrodynamics::DfixValues[2]);
  EXPECT_TRUE(e->cmdOK->isEnabled());
  // A width at X equal to the mouth's: no results, no save, and the label says why.
  e->txtWidthAtX->setText("100");
  EXPECT_EQ(Text(e->lblWarning),
            "Width at X (100 m) must be less than the width at mouth (100 m): the estuary narrows upstream");
  EXPECT_TRUE(Text(e->lblCalcConvergence).empty());
  EXPECT_FALSE(e->cmdOK->isEnabled());
  e->txtWidthAtX->setText("50");
  e->txtDescription->setText("salinity based");
  e->cmdOK_Click();
  EXPECT_TRUE(boxes.boxes().empty()) << Prompts()[0];
  EXPECT_EQ(db.Scalar("SELECT DispersionOption || '|' || DispersionAvg || '|' || DispersionX2 || '|' || "
                      "DispersionSalinity1 FROM Environment WHERE ID = 6"),
            "1|27.2|15.0|20.0");
}

TEST_F(EstuaryEditorTest, ClearEmptiesTheShownFieldsAndTheRecordSavesOnceTheyAreTypedAgain) {
  db.Raw("UPDATE Environment SET Type = 'user', EnvMarineDepth = 12 WHERE ID = 4");
  auto* list = OpenList("frmEnvironmentList", 4);
  frmEnvironment* e = Open(list, "UpdateRecord");
  ASSERT_NE(e, nullptr);
  std::vector<std::pair<QLineEdit*, QString>> shown;
  for (QLineEdit* f : e->findChildren<QLineEdit*>())
    if (f->isVisibleTo(e) && f != e->txtId) shown.emplace_back(f, f->text());
  e->optDispersion[1]->setChecked(true);
  e->ClearForm();
  EXPECT_TRUE(e->optDispersion[0]->isChecked());
  EXPECT_FALSE(e->txtDispersionX1->isEnabled());
  for (const auto& [f, text] : shown) EXPECT_TRUE(f->text().isEmpty()) << f->objectName().toStdString();
  // The type and the marine box are never shown: they keep the record's values.
  EXPECT_EQ(Text(e->txtType), "user");
  EXPECT_EQ(Text(e->txtEnvMarineDepth), "12");
  EXPECT_EQ(Text(e->txtphsea), "8");
  EXPECT_EQ(Text(e->lblWarning), "Tidal period must be numeric");
  EXPECT_TRUE(Prompts().empty());
  e->cmdOK_Click();
  EXPECT_EQ(Prompts(), std::vector<std::string>{"Width at mouth ( m) should be a positive numeric value"});
  boxes.Clear();
  for (const auto& [f, text] : shown) f->setText(text);
  e->txtDescription->setText("typed again");
  e->cmdOK_Click();
  EXPECT_TRUE(boxes.boxes().empty()) << Prompts()[0];
  EXPECT_EQ(db.Scalar("SELECT Description || '|' || Type || '|' || EnvMarineDepth FROM Environment WHERE ID = 4"),
            "typed again|user|12.0");
  EXPECT_EQ(Count(), "5");
}

TEST_F(EstuaryEditorTest, SmallHandlers) {
  frmEnvironment* e = OpenAdd();
  ASSERT_NE(e, nullptr);
  // The phytoplankton estimate: empty chlorophyll counts as 0; a text that is no number is passed over.
  e->txtChlorophylConc1->setText("");
  e->txtChlorophylConc3->setText("a lot");
  e->cmdEstPhyto_Click();
  EXPECT_EQ(Text(e->txtPhytoBiomass1), "0.00");
  EXPECT_EQ(Text(e->txtPhytoBiomass2), "2.86");
  EXPECT_EQ(Text(e->txtPhytoBiomass3), "2.85");

  // Leaving the second salinity.
  for (const auto& [text, warns] : {std::pair{"", true}, std::pair{"0.5", true}, std::pair{"x", true},
                                    std::pair{"1", true}, std::pair{"1.5", false}, std::pair{"5", false}}) {
    boxes.Clear();
    e->txtDispersionSalinity2->setText(text);
    e->txtDispersionSalinity2_LostFocus();
    EXPECT_EQ(Prompts(), warns ? std::vector<std::string>{"Salinity value must be larger than 1 "}
                               : std::vector<std::string>{})
        << text;
  }
}

// Typing "0.5" passes through "0" and "0.": no box takes the keystrokes, the warning stands in the
// label and Save stays disabled until the value is right.
TEST_F(EstuaryEditorTest, TypingThroughZeroRaisesNoBox) {
  frmEnvironment* e = OpenAddSalinity("5", "15", "20", "");
  ASSERT_NE(e, nullptr);
  const auto type = [](QLineEdit* f, const std::string& keys) {
    f->clear();
    for (char k : keys) f->insert(QString(QChar(k)));
  };
  boxes.Clear();
  type(e->txtDispersionSalinity2, "0.5");
  EXPECT_TRUE(Prompts().empty()) << Prompts()[0];
  EXPECT_EQ(Text(e->txtDispersionSalinity2), "0.5");
  EXPECT_EQ(Text(e->lblWarning), EstuaryHydrodynamics::kSalinityAboveOne);
  EXPECT_FALSE(e->cmdOK->isEnabled());
  EXPECT_TRUE(Text(e->lblCalcdispersion3).empty());
  type(e->txtDispersionSalinity2, "1");
  EXPECT_FALSE(e->cmdOK->isEnabled());
  type(e->txtDispersionSalinity2, "5");
  EXPECT_TRUE(e->cmdOK->isEnabled());
  EXPECT_EQ(Text(e->lblCalcdispersion3), "502.0");

  // The same for the depth, the widths and the distance X: "0" is on the way to "0.5".
  for (QLineEdit* f : {e->txtEstDepth, e->txtWidthAtX, e->txtXfromMouth, e->txtWidthmouth}) {
    const std::string before = Text(f);
    type(f, "0.5");
    type(f, before);
  }
  EXPECT_TRUE(Prompts().empty()) << Prompts()[0];
  EXPECT_TRUE(e->cmdOK->isEnabled());
  // A depth of 0 is computed as the 0.1 that the save will store.
  e->txtEstDepth->setText("0.1");
  const std::string atLeast = Text(e->lblCalcVolume) + Text(e->lblWarning);
  e->txtEstDepth->setText("0");
  EXPECT_EQ(Text(e->lblCalcVolume) + Text(e->lblWarning), atLeast);
  EXPECT_TRUE(Prompts().empty()) << Prompts()[0];
}

// What the editor shows and stores is what a run of the stored estuary uses: the stations in whole
// kilometres, the flushing time of the measured dispersion.
TEST_F(EstuaryEditorTest, ShownAndStoredNumbersAreThoseOfTheRun) {
  frmEnvironment* e = OpenAddSalinity("2.5", "3.5", "20", "5");
  ASSERT_NE(e, nullptr);
  e->txtDescription->setText("stations");
  ASSERT_TRUE(e->cmdOK->isEnabled()) << Text(e->lblWarning);
  std::map<std::string, std::string> shown;
  for (QLabel* l : {e->lblCalcConvergence, e->lblCalcSaltIntrusion, e->lblCalcTidalExcursion, e->lblCalcVolume,
                    e->lblCalcRefreshTime, e->lblCalcArea, e->lblCalcEstLength, e->lblCalcTidalPrism,
                    e->lblDispersionavg, e->lblCalcdispersion2, e->lblCalcdispersion3, e->lblDtra})
    shown[l->objectName().toStdString()] = Text(l);
  EXPECT_EQ(shown["lblDispersionavg"], "8.7");
  e->cmdOK_Click();
  EXPECT_TRUE(boxes.boxes().empty()) << Prompts()[0];
  EXPECT_EQ(db.Scalar("SELECT DispersionX1 || '|' || DispersionX2 || '|' || DispersionAvg || '|' || "
                      "ConvergenceLength || '|' || SaltIntrusionLengthAvg FROM Environment WHERE ID = 6"),
            "2.0|4.0|8.7|" + shown["lblCalcConvergence"] + "|" + shown["lblCalcSaltIntrusion"]);

  modTulmo::ResetModuleState();
  ASSERT_TRUE(modTulmo::GetEnvironmentData(6));
  ASSERT_TRUE(modTulmo::CalcGridParameters());
  const modTulmo::GridParametersRecord& g = modTulmo::GridParameters;
  const std::pair<const char*, double> run[] = {
      {"lblCalcConvergence", g.CalcConvergence}, {"lblCalcSaltIntrusion", g.CalcSaltIntrusion},
      {"lblCalcTidalExcursion", g.CalcTidalExcursion}, {"lblCalcVolume", g.CalcVolume},
      {"lblCalcRefreshTime", g.CalcRefreshTime}, {"lblCalcArea", g.CalcArea},
      {"lblCalcEstLength", g.CalcEstLength}, {"lblCalcTidalPrism", g.CalcTidalPrism},
      {"lblDispersionavg", g.Dispersion1}, {"lblCalcdispersion2", g.Dispersion2},
      {"lblCalcdispersion3", g.Dispersion3}, {"lblDtra", g.Dtra}};
  for (const auto& [label, value] : run) EXPECT_DOUBLE_EQ(std::stod(shown[label]), value) << label;
}

// After Clear every field that the save converts is one the user can reach: the salinity points
// of the default method, greyed out, are stored as 0 when left empty.
TEST_F(EstuaryEditorTest, AfterClearTheFieldsWithinReachAreEnoughToSave) {
  db.Raw("UPDATE Environment SET Type = 'user', DispersionOption = 1, DispersionX1 = 5, DispersionX2 = 15 "
         "WHERE ID = 4");
  auto* list = OpenList("frmEnvironmentList", 4);
  frmEnvironment* e = Open(list, "UpdateRecord");
  ASSERT_NE(e, nullptr);
  std::map<QLineEdit*, QString> before;
  for (QLineEdit* f : e->findChildren<QLineEdit*>()) before[f] = f->text();
  e->ClearForm();
  EXPECT_FALSE(e->txtDispersionX1->isEnabled());
  EXPECT_TRUE(Text(e->txtDispersionX1).empty());
  // The user types again what the fields within reach held.
  for (const auto& [f, text] : before)
    if (f->isVisibleTo(e) && f->isEnabled() && f != e->txtId) f->setText(text);
  e->txtDescription->setText("cleared and typed");
  ASSERT_TRUE(e->cmdOK->isEnabled()) << Text(e->lblWarning);
  e->cmdOK_Click();
  EXPECT_TRUE(boxes.boxes().empty()) << Prompts()[0];
  EXPECT_EQ(db.Scalar("SELECT Description || '|' || DispersionOption || '|' || DispersionX1 || '|' || "
                      "DispersionSalinity2 FROM Environment WHERE ID = 4"),
            "cleared and typed|0|0.0|0.0");
}

// A stored estuary that the computation refuses opens with Save out of use and the reason shown;
// the grid step of a run refuses it with the same words.
TEST_F(EstuaryEditorTest, AStoredGeometryBelowTheHeadWidthFloorOpensWithItsReason) {
  db.Raw("UPDATE Environment SET Type = 'user', WidthMouth = 100, WidthAtX = 50, XfromMouth = 5, "
         "EstLength = 200 WHERE ID = 4");
  auto* list = OpenList("frmEnvironmentList", 4);
  frmEnvironment* e = Open(list, "UpdateRecord");
  ASSERT_NE(e, nullptr);
  const std::string reason =
      "Width at the head of the estuary (8.6E-11 m) must be at least 0.1 m: shorten the Estuary length or raise the "
      "Width at X";
  EXPECT_EQ(Text(e->lblWarning), reason);
  EXPECT_FALSE(e->cmdOK->isEnabled());
  EXPECT_TRUE(Prompts().empty()) << Prompts()[0];
  e->txtEstLength->setText("30");
  EXPECT_TRUE(e->cmdOK->isEnabled()) << Text(e->lblWarning);

  modTulmo::ResetModuleState();
  ASSERT_TRUE(modTulmo::GetEnvironmentData(4));
  EXPECT_FALSE(modTulmo::CalcGridParameters());
  EXPECT_EQ(Prompts(), std::vector<std::string>{reason});
}
