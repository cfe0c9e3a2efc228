#include "tests/support/standins/StandinWindows.h"

#include "platform/dao/Dao.h"
#include "platform/ui/CallByName.h"
#include "platform/ui/Global.h"
#include "platform/ui/MsgBox.h"
#include "platform/ui/Twips.h"
#include "runtime/Guard.h"
#include "runtime/Variant.h"
#include "shell/ChildForms.h"
#include "shell/DAOSupport.h"
#include "shell/Globals.h"
#include "shell/MDIMain.h"
#include "shell/MenuEnabling.h"
#include "shell/Progress.h"
#include "shell/TreeListFunctions.h"
#include "shell/frmOpen.h"

namespace Standins {
namespace {

MDIMain& Main() { return ui::Global<MDIMain>(); }

// The menu items of the main window with one state each, from the given enabled set.
MenuEnabling::MenuStates States(std::initializer_list<std::pair<std::string_view, bool>> items) { return items; }

}  // namespace

// ---- lists -------------------------------------------------------------------------------------

StandinList::StandinList(ListSpec spec) : ui::Form(spec.name), spec_(std::move(spec)) {
  setWindowTitle(spec_.caption);
  SetDesignClientSize(9600, 5400);
  lvw = new ui::ListView("lvw", this);
  lvw->AddColumn("Id", 900);
  lvw->AddColumn("Description", 5200);
  const char* captions[] = {"&Refresh", "C&lear", "&Copy", "&New", "&Edit", "&Delete", "&View", "&Close"};
  const char* selectCaption = "&Select";
  void (MDIMain::*handlers[])() = {&MDIMain::mnuDataRefresh_Click, &MDIMain::mnuDataClear_Click,
                                   &MDIMain::mnuDataCopy_Click,    &MDIMain::mnuDataAdd_Click,
                                   &MDIMain::mnuDataUpdate_Click,  &MDIMain::mnuDataDelete_Click,
                                   &MDIMain::mnuDataProperties_Click, &MDIMain::mnuFileClose_Click};
  for (int i = 0; i < 8; ++i) {
    auto* b = new QPushButton(i == 2 && spec_.runList ? selectCaption : captions[i], this);
    b->setObjectName("cmdList");
    cmdList[static_cast<std::size_t>(i)] = b;
    auto handler = handlers[i];
    connect(b, &QPushButton::clicked, this, [this, handler, i] {
      vb::Guard(Name(), "cmdList_Click", [&] {
        Main().SetfrmActive(this);
        (Main().*handler)();
        (void)i;
      });
    });
  }
  connect(lvw, &ui::ListView::ItemClick, this, [this] { Main().SetfrmActive(this); });
  connect(lvw, &ui::ListView::DblClick, this, [this] {
    vb::Guard(Name(), "lvw_DblClick", [&] {
      Main().SetfrmActive(this);
      if (lvw->SelectedItem()) Main().mnuDataProperties_Click();
    });
  });
}

void StandinList::SetMode(int mode) {
  vb::Guard(Name(), "Let_Mode", [&] {
    if (mode != 3 && mode != 4 && mode != 5)
      vb::Raise(vb::kProgrammingError, "", "Programming error. Case not coded. Invalid form mode.");
    mode_ = mode;
  });
}

void StandinList::Form_Load() {
  vb::Guard(Name(), "Form_Load", [&] {
    frmOpen& panel = ui::Global<frmOpen>();
    if (Left() < panel.Width()) SetLeft(panel.Width());
    RefreshList();
    Main().SetfrmActive(this);
  });
}

void StandinList::Form_Activate() {
  vb::Guard(Name(), "Form_Activate", [&] { Main().SetfrmActive(this); });
}

void StandinList::Form_Resize() {
  vb::Try([&] {
    const double w = ScaleWidth(), h = ScaleHeight();
    ui::Place(lvw, 45, 45, w - 90, h - 560);
    for (int i = 0; i < 8; ++i)
      ui::Place(cmdList[static_cast<std::size_t>(i)], w - (8 - i) * (1100 + 22.5), h - 440, 1100, 350);
  });
  vb::Err().Clear();
}

bool StandinList::Form_QueryUnload() {
  vb::Guard(Name(), "Form_QueryUnload", [&] {
    lvw->Clear();
    Main().SetfrmActive(nullptr);
  });
  return true;
}

void StandinList::RefreshList() {
  vb::Guard(Name(), "RefreshList", [&] {
    if (spec_.changedFlag) *spec_.changedFlag = true;
    lvw->Clear();
    if (!spec_.rows || !gDatabase) return;
    std::unique_ptr<dao::Recordset> rs = spec_.rows();
    if (!blnDataReturned(rs)) {
      CloseRecordset(rs);
      return;
    }
    const int16_t count = static_cast<int16_t>(std::min<int64_t>(rs->RecordCount(), 32000));
    Progress::ProgressStart(Main().prgBar, 0, 0, count);
    rs->MoveFirst();
    while (!rs->Eof()) {
      const std::string id = vb::CStr(rs->Fields(0));
      ui::ListItem* item = lvw->Add("KY_" + id, id);
      if (rs->FieldCount() > 1) item->SetSubItem(1, vb::CStr(rs->Fields(1)));
      Progress::ProgressUpdate(Main().prgBar);
      rs->MoveNext();
    }
    CloseRecordset(rs);
    Progress::ProgressStart(Main().prgBar, 0, 0, 100);
  });
}

void StandinList::OpenEditor(int mode, bool withId) {
  ui::Form* editor = ChildForms::New(spec_.editor);
  if (withId) editor->setProperty(spec_.idProperty, vb::CLng(GetSelectedKeyId(0, lvw)));
  ui::SetProperty(editor, "frmParent", QVariant::fromValue<QWidget*>(this));
  ui::SetProperty(editor, "Mode", mode);
  editor->Show();
}

void StandinList::AddRecord() {
  vb::Guard(Name(), "AddRecord", [&] { OpenEditor(2, false); });
}
void StandinList::UpdateRecord() {
  vb::Guard(Name(), "UpdateRecord", [&] { OpenEditor(1, true); });
}
void StandinList::DisplayRecord() {
  vb::Guard(Name(), "DisplayRecord", [&] { OpenEditor(0, true); });
}
void StandinCopyList::CopyRecord() {
  vb::Guard(Name(), "CopyRecord", [&] { OpenEditor(6, true); });
}

void StandinList::DeleteRecord() {
  vb::Guard(Name(), "DeleteRecord", [&] {
    ui::MsgBox("Records are deleted from the finished list window; this one only shows them.", ui::vbInformation);
  });
}

void StandinList::SelectRecord() {
  vb::Guard(Name(), "SelectRecord", [&] {
    const std::string id = vb::CStr(GetSelectedKeyId(0, lvw));
    ui::Beep();
    ui::MsgBox("The selected record has id " + id);
  });
}

void StandinList::ClearForm() {
  vb::Guard(Name(), "ClearForm", [&] {
    lvw->Clear();
    EnableMenus();
  });
}

void StandinList::CloseForm() {
  vb::Guard(Name(), "CloseForm", [&] { Unload(); });
}

void StandinList::EnableMenus() {
  vb::Guard(Name(), "EnableMenus", [&] {
    const bool s = lvw->SelectedItem() != nullptr;
    const int m = mode_;
    const bool maintain = m == 4 || m == 5;
    const bool run = spec_.runList;
    MenuEnabling::SetMainMenus(States({{"mnuFile", true},
                                       {"mnuFileSep0", true},
                                       {"mnuFileSep1", true},
                                       {"mnuFileClose", true},
                                       {"mnuFileSep2", true},
                                       {"mnuFileExit", true},
                                       {"mnuFileImport", false},
                                       {"mnuFileSave", false},
                                       {"mnuData", true},
                                       {"mnuDataSep1", true},
                                       {"mnuDataSep2", true},
                                       {"mnuDataSep3", true},
                                       {"mnuDataRefresh", true},
                                       {"mnuDataClear", true},
                                       {"mnuDataAdd", !run && maintain},
                                       {"mnuDataCopy", !run && maintain && s},
                                       {"mnuDataUpdate", !run && maintain && s},
                                       {"mnuDataDelete", maintain && s},
                                       {"mnuDataProperties", s},
                                       {"mnuDataSelect", !run && (m == 3 || m == 5) && s},
                                       {"mnuWindow", true},
                                       {"mnuWindowTileHorizontally", true},
                                       {"mnuWindowTileVertically", true},
                                       {"mnuWindowCascade", true},
                                       {"mnuWindowArrangeIcons", true},
                                       {"mnuHelp", true},
                                       {"mnuHelpAbout", true},
                                       {"mnuHelpHelp", true},
                                       {"mnuEdit", true},
                                       {"mnuEditCompoundsList", true},
                                       {"mnuEditEmissionList", true},
                                       {"mnuEditEnvironmentList", true},
                                       {"mnuEditRunList", true},
                                       {"mnuEditCorvixList", false},
                                       {"mnuEditAdvancedDetailList", false}}));
    const char* mirror[] = {"mnuDataRefresh", "mnuDataClear",  "mnuDataCopy",       "mnuDataAdd",
                            "mnuDataUpdate",  "mnuDataDelete", "mnuDataProperties", "mnuFileClose"};
    for (int i = 0; i < 8; ++i)
      cmdList[static_cast<std::size_t>(i)]->setEnabled(MenuEnabling::MenuEnabled(mirror[i]));
  });
}

// ---- editors -----------------------------------------------------------------------------------

StandinEditor::StandinEditor(const char* name, const char* caption, const char* idProperty)
    : ui::Form(name), name_(name), caption_(caption), idProperty_(idProperty) {
  setWindowTitle(caption);
  SetDesignClientSize(6600, 2700);
  lblInfo = new QLabel(this);
  lblInfo->setObjectName("lblInfo");
  lblInfo->setWordWrap(true);
  ui::Place(lblInfo, 240, 240, 6120, 1500);
  cmdOK = new QPushButton("&OK", this);
  cmdOK->setObjectName("cmdOK");
  ui::Place(cmdOK, 3840, 2040, 1215, 375);
  cmdCancel = new QPushButton("&Cancel", this);
  cmdCancel->setObjectName("cmdCancel");
  ui::Place(cmdCancel, 5160, 2040, 1215, 375);
  connect(cmdOK, &QPushButton::clicked, this, [this] { vb::Guard(name_, "cmdOK_Click", [&] { Unload(); }); });
  connect(cmdCancel, &QPushButton::clicked, this,
          [this] { vb::Guard(name_, "cmdCancel_Click", [&] { Unload(); }); });
}

void StandinEditor::Form_Load() {
  vb::Guard(name_, "Form_Load", [&] {
    static const char* const modes[] = {"view", "edit", "add", "select", "maintain", "select and maintain", "copy"};
    const QVariant id = property(idProperty_.c_str());
    std::string text = caption_ + " in " + (mode_ >= 0 && mode_ <= 6 ? modes[mode_] : "an unknown") + " mode";
    if (id.isValid()) text += ", record " + id.toString().toStdString();
    text += ".\n\nThe fields of this record are shown by the finished editor window.";
    lblInfo->setText(QString::fromStdString(text));
    if (parent_) parent_->setEnabled(false);
  });
}

void StandinEditor::Form_Activate() {
  vb::Guard(name_, "Form_Activate", [&] { ui::Global<MDIMain>().SetfrmActive(this); });
}

bool StandinEditor::Form_QueryUnload() {
  vb::Guard(name_, "Form_QueryUnload", [&] {
    if (parent_) {
      parent_->setEnabled(true);
      ui::ActivateForm(parent_);
    }
  });
  return true;
}

void StandinEditor::ClearForm() {
  vb::Guard(name_, "ClearForm", [&] {});
}
void StandinEditor::CloseForm() {
  vb::Guard(name_, "CloseForm", [&] { Unload(); });
}
bool StandinEditor::SaveDetails() { return false; }

void StandinEditor::EnableMenus() {
  vb::Guard(name_, "EnableMenus", [&] {
    const bool edit = mode_ == 1 || mode_ == 2 || mode_ == 6;
    MenuEnabling::SetMainMenus(States({{"mnuFile", true},
                                       {"mnuFileSep0", true},
                                       {"mnuFileSep1", true},
                                       {"mnuFileClose", true},
                                       {"mnuFileSep2", true},
                                       {"mnuFileExit", true},
                                       {"mnuFileImport", false},
                                       {"mnuFileSave", edit},
                                       {"mnuData", true},
                                       {"mnuDataSep1", true},
                                       {"mnuDataSep2", true},
                                       {"mnuDataSep3", true},
                                       {"mnuDataAdd", false},
                                       {"mnuDataCopy", false},
                                       {"mnuDataUpdate", false},
                                       {"mnuDataDelete", false},
                                       {"mnuDataProperties", false},
                                       {"mnuDataSelect", false},
                                       {"mnuDataRefresh", false},
                                       {"mnuDataClear", edit},
                                       {"mnuEdit", true},
                                       {"mnuEditCompoundsList", true},
                                       {"mnuEditEmissionList", true},
                                       {"mnuEditEnvironmentList", true},
                                       {"mnuEditRunList", true},
                                       {"mnuEditCorvixList", false},
                                       {"mnuEditAdvancedDetailList", false},
                                       {"mnuWindow", true},
                                       {"mnuWindowTileHorizontally", true},
                                       {"mnuWindowTileVertically", true},
                                       {"mnuWindowCascade", true},
                                       {"mnuWindowArrangeIcons", true},
                                       {"mnuHelp", true},
                                       {"mnuHelpAbout", true},
                                       {"mnuHelpHelp", true}}));
    cmdOK->setEnabled(MenuEnabling::MenuEnabled("mnuFileSave"));
    cmdCancel->setEnabled(MenuEnabling::MenuEnabled("mnuFileClose"));
  });
}

// ---- calculation and result windows -----------------------------------------------------------

StandinCalc::StandinCalc() : ui::Form("frmCalc") {
  setWindowTitle("Calculation");
  SetDesignClientSize(7200, 3600);
  lblLevel = new QLabel(this);
  lblLevel->setObjectName("lblLevel");
  lblLevel->setWordWrap(true);
  ui::Place(lblLevel, 240, 240, 6720, 3120);
}

void StandinCalc::Form_Load() {
  vb::Guard("frmCalc", "Form_Load", [&] {
    frmOpen::PlaceBesidePanel(*this);
    elastic.Init(this);
    ui::Global<MDIMain>().SetfrmActive(nullptr);
  });
}

void StandinCalc::Form_Activate() {
  vb::Guard("frmCalc", "Form_Activate", [&] {
    const char* type = gstrLevel == "EASY" ? "defaultavg" : gstrLevel == "INTERMEDIATE" ? "default" : "user";
    SetCaption("Calculation - " + gstrLevel);
    lblLevel->setText(QString::fromStdString("Level of detail: " + gstrLevel + "\nEstuaries offered: type \"" +
                                             type + "\".\n\nThe calculation itself runs in the finished window."));
    gblnCompoundsChanged = gblnEmissionsChanged = gblnEstuariesChanged = false;
  });
}

void StandinCalc::Form_Resize() {
  if (!Loading()) elastic.FormResize(this);
}

bool StandinCalc::Form_QueryUnload() {
  vb::Guard("frmCalc", "Form_QueryUnload", [&] { ui::Global<MDIMain>().SetfrmActive(nullptr); });
  return true;
}

void StandinCalc::EnableMenus() {
  vb::Guard("frmCalc", "EnableMenus", [&] {
    MenuEnabling::SetMainMenus(States({{"mnuFile", true},
                                       {"mnuFileSep0", true},
                                       {"mnuFileSep1", true},
                                       {"mnuFileClose", true},
                                       {"mnuFileSep2", true},
                                       {"mnuFileExit", true},
                                       {"mnuDataSep1", true},
                                       {"mnuDataSep2", true},
                                       {"mnuDataSep3", true},
                                       {"mnuEdit", true},
                                       {"mnuEditCompoundsList", true},
                                       {"mnuEditEmissionList", true},
                                       {"mnuEditEnvironmentList", true},
                                       {"mnuEditRunList", true},
                                       {"mnuHelp", true},
                                       {"mnuHelpAbout", true},
                                       {"mnuHelpHelp", true},
                                       {"mnuFileImport", false},
                                       {"mnuFileSave", false},
                                       {"mnuData", false},
                                       {"mnuDataAdd", false},
                                       {"mnuDataCopy", false},
                                       {"mnuDataUpdate", false},
                                       {"mnuDataDelete", false},
                                       {"mnuDataProperties", false},
                                       {"mnuDataSelect", false},
                                       {"mnuDataRefresh", false},
                                       {"mnuDataClear", false},
                                       {"mnuWindow", false},
                                       {"mnuWindowTileHorizontally", false},
                                       {"mnuWindowTileVertically", false},
                                       {"mnuWindowCascade", false},
                                       {"mnuWindowArrangeIcons", false},
                                       {"mnuEditCorvixList", false},
                                       {"mnuEditAdvancedDetailList", false}}));
  });
}

StandinResult::StandinResult() : ui::Form("frmResult") {
  setWindowTitle("Results");
  SetDesignClientSize(7200, 3600);
  lblInfo = new QLabel("The runs, charts and map of the results are shown by the finished window.", this);
  lblInfo->setObjectName("lblInfo");
  lblInfo->setWordWrap(true);
  ui::Place(lblInfo, 240, 240, 6720, 3120);
}

void StandinResult::Form_Load() {
  vb::Guard("frmResult", "Form_Load", [&] {
    frmOpen::PlaceBesidePanel(*this);
    elastic.Init(this);
  });
}

void StandinResult::Form_Resize() {
  if (!Loading()) elastic.FormResize(this);
}

}  // namespace Standins
