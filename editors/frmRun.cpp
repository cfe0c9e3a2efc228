// The run editor. Ids are typed as decimal text; the date is passed on as typed, so a date left as
// loaded is stored unchanged.
#include "editors/frmRun.h"

#include "platform/ui/Twips.h"
#include "records/Run.h"
#include "runtime/Guard.h"
#include "runtime/Variant.h"

namespace {

const editors::EditorSpec kSpec{
    "frmRun", "Get_Runid", "Let_Runid",
    {"View run - properties", "Edit run - properties", "Add new run - properties", nullptr}, false, 225};

// The result columns, each with its box in the hidden frame.
const char* const kResultFields[] = {"Concmax",     "Conc95",     "Concave",     "Concmedian",    "Concmin",
                                     "Fnamemap",    "Fnamerank",  "Concmaxdis",  "Conc95dis",     "Concavedis",
                                     "Concmediandis", "Concmindis", "Concmaxads", "Conc95ads",    "Concaveads",
                                     "Concmedianads", "Concminads", "Backconc",   "Rudummy1",      "Rudummy2",
                                     "Rudummy3",    "Rudummy4",   "Rudummy5"};

}  // namespace

frmRun::frmRun() : editors::RecordEditor(kSpec) {
  SetCaption("Add Run");
  SetDesignClientSize(6600, 3900);
  const struct {
    QLineEdit** field;
    QLabel** label;
    const char* name;
    const char* labelName;
    const char* caption;
  } rows[] = {{&txtRunid, &lblRunid, "txtRunid", "lblRunid", "Runid"},
              {&txtRundescription, &lblRundescription, "txtRundescription", "lblRundescription", "Rundescription"},
              {&txtCorvixid, &lblCorvixid, "txtCorvixid", "lblCorvixid", "Corvixid"},
              {&txtTulmoversion, &lblTulmoversion, "txtTulmoversion", "lblTulmoversion", "Tulmoversion"},
              {&txtDate, &lblRundate, "txtDate", "lblRundate", "Rundate"},
              {&txtEnvirId, &lblEnvirid, "txtEnvirId", "lblEnvirid", "Envirid"},
              {&txtCompoundid, &lblCompoundid, "txtCompoundid", "lblCompoundid", "Compoundid"},
              {&txtEmisid, &lblEmisid, "txtEmisid", "lblEmisid", "Emisid"}};
  double top = 240;
  for (const auto& r : rows) {
    *r.label = AddLabel(this, r.labelName, r.caption, 240, top + 30, 1800);
    *r.field = AddText(this, r.name, "", 2040, top, 0, 4200);
    top += 360;
  }

  Frame1 = new QGroupBox(this);
  Frame1->setObjectName("Frame1");
  ui::Place(Frame1, 240, 3300, 6000, 300);
  double left = 0;
  for (const char* base : kResultFields) {
    const std::string name = std::string("txt") + base;
    AddText(Frame1, name.c_str(), base, left, 0, 0, 100);
    left += 100;
  }
  // Nothing in it is loaded or stored, so it is kept out of sight.
  Frame1->setVisible(false);
}

bool frmRun::GetData() {
  std::string descr, version;
  int32_t corvix = 0, envir = 0, compound = 0, emis = 0;
  vb::Variant date;
  const bool found = ::Run().GetByKey(Id(), {.rstrRundescription = descr,
                                             .rlngCorvixid = corvix,
                                             .rstrTulmoversion = version,
                                             .rdteRundate = date,
                                             .rlngEnvirID = envir,
                                             .rlngCompoundid = compound,
                                             .rlngEmisid = emis});
  if (!found) return false;
  SetTextOf(txtRunid, std::to_string(Id()));
  SetTextOf(txtRundescription, descr);
  SetTextOf(txtCorvixid, std::to_string(corvix));
  SetTextOf(txtTulmoversion, version);
  const std::string dateText = vb::CStr(date);
  SetTextOf(txtDate, dateText.empty() ? std::string() : vb::DateText(vb::CDate(date)));
  SetTextOf(txtEnvirId, std::to_string(envir));
  SetTextOf(txtCompoundid, std::to_string(compound));
  SetTextOf(txtEmisid, std::to_string(emis));
  return true;
}

std::unique_ptr<dao::Recordset> frmRun::OwnRow() const { return ::Run().GetAll({.vlngRunid = vb::Variant(Id())}); }

bool frmRun::StoreFields() {
  // An id box that is no number is a typing mistake: the invalid-data message names it, and
  // nothing is stored.
  ::Run::Values v;
  v.vstrRundescription = vb::Variant(TextOf(txtRundescription));
  v.vlngCorvixid = vb::Variant(editors::FieldLong(txtCorvixid));
  v.vstrTulmoversion = vb::Variant(TextOf(txtTulmoversion));
  v.vdteRundate = vb::Variant(TextOf(txtDate));
  v.vlngEnvirID = vb::Variant(editors::FieldLong(txtEnvirId));
  v.vlngCompoundid = vb::Variant(editors::FieldLong(txtCompoundid));
  v.vlngEmisid = vb::Variant(editors::FieldLong(txtEmisid));
  if (Mode() == modEdit) return ::Run().Update(vb::Variant(Id()), v, true);
  if (Mode() == modAdd) {
    SetId(::Run().Add(v, true));
    if (Id() == -1) return false;
    SetTextOf(txtRunid, std::to_string(Id()));
  }
  return true;
}

void frmRun::ApplyMode() {
  if (ViewMode()) {
    SetModeCaption();
    ApplyViewMode(true);
  } else if (Mode() == modEdit || Mode() == modAdd) {
    SetModeCaption();
    cmdOK->setVisible(true);
    EnableAllControls(true);
    lblRunid->setVisible(false);
    txtRunid->setVisible(false);
  }
}

void frmRun::UpdateParent() {
  // The run list shows the description and the run date.
  const std::string descr = TextOf(txtRundescription), date = TextOf(txtDate);
  if (Mode() == modEdit)
    UpdateSelectedRow({{1, descr}, {2, date}});
  else if (Mode() == modAdd)
    AddParentRow(TextOf(txtRunid), {descr, date});
}

void frmRun::ClearFields() {
  for (QLineEdit* f : {txtRundescription, txtCorvixid, txtTulmoversion, txtDate, txtEnvirId, txtCompoundid, txtEmisid})
    f->clear();
}
