// The engine-settings editor. No field checks and no conversions: an empty box is stored as Null
// by the record class. The rows of the first seven dummy columns are never shown but still loaded,
// stored and listed; Clear leaves them.
#include "editors/frmCorvix.h"

#include "records/Corvix.h"

namespace {

const editors::EditorSpec kSpec{
    "frmCorvix", "Get_Corvixid", "Let_Corvixid", {"Corvix Properties", "Update Corvix", "Add New Corvix", nullptr},
    false,       135};

const char* const kNames[12] = {"txtCorvixversion", "txtNumericalscheme", "txtCxdummy1", "txtCxdummy2",
                                "txtCxdummy3",      "txtCxdummy4",        "txtCxdummy5", "txtCxdummy6",
                                "txtCxdummy7",      "txtCxdummy8",        "txtCxdummy9", "txtCxdummy10"};
const char* const kCaptions[12] = {"Corvixversion", "Numericalscheme", "Cxdummy1", "Cxdummy2",
                                   "Cxdummy3",      "Cxdummy4",        "Cxdummy5", "Cxdummy6",
                                   "Cxdummy7",      "Cxdummy8",        "Cxdummy9", "Cxdummy10"};

}  // namespace

frmCorvix::frmCorvix() : editors::RecordEditor(kSpec) {
  // Boxes wide enough for the delivered numerical scheme's whole text.
  SetDesignClientSize(8400, 3400);
  txtCorvixid = AddText(this, "txtCorvixid", "Corvixid", 240, 240, 1800, 5700);
  lblCorvixid = findChild<QLabel*>("lblCorvixid");
  double top = 600;
  for (int i = 0; i < 12; ++i) {
    fields[static_cast<std::size_t>(i)] = AddText(this, kNames[i], kCaptions[i], 240, top, 1800, 5700);
    if (i >= 2 && i <= 8) {
      fields[static_cast<std::size_t>(i)]->setVisible(false);
      findChild<QLabel*>(QString("lbl") + (kNames[i] + 3))->setVisible(false);
    } else {
      top += 360;
    }
  }
}

bool frmCorvix::GetData() {
  std::array<std::string, 12> t;
  Corvix::Outputs o;
  auto members = o.Members();
  for (std::size_t i = 0; i < 12; ++i) *members[i] = records::OutRef(t[i]);
  if (!Corvix().GetByKey(Id(), o)) return false;
  SetTextOf(txtCorvixid, std::to_string(Id()));
  for (std::size_t i = 0; i < 12; ++i) SetTextOf(fields[i], t[i]);
  return true;
}

std::unique_ptr<dao::Recordset> frmCorvix::OwnRow() const { return Corvix().GetAll({.vlngCorvixid = vb::Variant(Id())}); }

bool frmCorvix::StoreFields() {
  Corvix::Values v;
  auto members = v.Members();
  for (std::size_t i = 0; i < 12; ++i) *members[i] = vb::Variant(TextOf(fields[i]));
  if (Mode() == modEdit) return Corvix().Update(vb::Variant(Id()), v, true);
  if (Mode() == modAdd) {
    SetId(Corvix().Add(v, true));
    if (Id() == -1) return false;
    SetTextOf(txtCorvixid, std::to_string(Id()));
  }
  return true;
}

void frmCorvix::ApplyMode() {
  SetModeCaption();
  if (ViewMode()) {
    ApplyViewMode(true);
  } else if (Mode() == modEdit || Mode() == modAdd) {
    cmdOK->setVisible(true);
    EnableAllControls(true);
    lblCorvixid->setVisible(false);
    txtCorvixid->setVisible(false);
  }
}

void frmCorvix::UpdateParent() { UpdateParentWithFields(TextOf(txtCorvixid), fields); }

void frmCorvix::ClearFields() {
  // The reserved columns that are never shown keep their values.
  ClearShownFields(fields);
}
