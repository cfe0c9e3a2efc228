// The food-chain detail editor. No field checks: every box is converted when saved, and the first
// one that is no number stops the save with the invalid-data message. -99999 stands for no value.
#include "editors/frmAdvancedDetail.h"

#include "records/AdvancedDetail.h"
#include "runtime/Variant.h"

namespace {

const editors::EditorSpec kSpec{"frmAdvancedDetail",
                                "Get_AdvancedID",
                                "Let_AdvancedID",
                                {"AdvancedDetail Properties", "Update AdvancedDetail", "Add New AdvancedDetail", nullptr},
                                false,
                                135};

struct FieldSpec {
  const char* base;
  const char* caption;
};
const FieldSpec kFields[32] = {
    {"Detail1", "Detail1"},   {"Detail2", "Detail2"},   {"Detail3", "Detail3"},   {"Detail4", "Detail4"},
    {"Detail5", "Detail5"},   {"Detail6", "Detail6"},   {"Detail7", "Detail7"},   {"Detail8", "Detail8"},
    {"Detail9", "Detail9"},   {"Detail10", "Detail10"}, {"Detail11", "Detail11"}, {"Detail12", "Detail12"},
    {"Detail13", "Detail13"}, {"Detail14", "Detail14"}, {"Detail15", "Detail15"},
    {"Weight_org2dab", "Weight org2dab"},        {"Weight_org1pec", "Weight org1pec "},
    {"Weight_org1tel", "Weight org1tel"},        {"Weight_roundfish", "Weight roundfish"},
    {"Weight_secprod", "Weight_secprod"},        {"Weight_zoopl", "Weight zoopl"},
    {"DietOrg2DabSecProd", "Diet Org2Dab SecProd"}, {"DietOrg2DabOrg1Tel", "Diet Org2Dab Org1Tel"},
    {"DietOrg1TelDet", "DietOrg1TelDet"},        {"DietOrg1TelPhyto", "Diet Org1Tel Phyto"},
    {"DietRoundSecProd", "Diet Round SecProd"},  {"DietSecProdZoo", "Diet SecProd Zoo"},
    {"DietZooDet", "Diet Zoo Det"},              {"DietZooPhyto", "Diet Zoo Phyto"},
    {"GrowthRateOrg2Dab", "Growth Rate org2 Dab"}, {"GrowthRateOrg1Tel", "Growth Rate Org1Tel"},
    {"GrowthRateRound", "Growth Rate Roundfish"}};

}  // namespace

frmAdvancedDetail::frmAdvancedDetail() : editors::RecordEditor(kSpec) {
  SetDesignClientSize(11400, 6600);
  // Three columns: the id and details 1 to 14; detail 15, weights and diets; the growth rates.
  txtAdvancedID = AddText(this, "txtAdvancedID", "AdvancedID", 120, 120, 1700, 1300);
  lblAdvancedID = findChild<QLabel*>("lblAdvancedID");
  SetTextOf(txtAdvancedID, "0");
  for (int i = 0; i < 32; ++i) {
    const int column = i < 14 ? 0 : (i < 29 ? 1 : 2);
    const int row = column == 0 ? i + 1 : (column == 1 ? i - 14 : i - 29);
    const std::string name = std::string("txt") + kFields[i].base;
    // The first column's captions are short; the others need room for "Growth Rate Roundfish".
    const double left = column == 0 ? 120 : (column == 1 ? 3360 : 7200);
    QLineEdit* f =
        AddText(this, name.c_str(), kFields[i].caption, left, 120 + row * 360, column == 0 ? 1700 : 2300, 1300);
    SetTextOf(f, "0");
    fields[static_cast<std::size_t>(i)] = f;
  }
}

bool frmAdvancedDetail::GetData() {
  std::array<double, 32> v{};
  AdvancedDetail::Outputs o;
  auto members = o.Members();
  for (std::size_t i = 0; i < 32; ++i) *members[i] = records::OutRef(v[i]);
  if (!AdvancedDetail().GetByKey(Id(), o)) return false;
  SetTextOf(txtAdvancedID, std::to_string(Id()));
  for (std::size_t i = 0; i < 32; ++i) SetTextOf(fields[i], vb::DoubleText(v[i]));
  return true;
}

std::unique_ptr<dao::Recordset> frmAdvancedDetail::OwnRow() const { return AdvancedDetail().GetAll({.vlngAdvancedID = vb::Variant(Id())}); }

bool frmAdvancedDetail::StoreFields() {
  // Every box is converted before anything is stored.
  AdvancedDetail::Values v;
  auto members = v.Members();
  for (std::size_t i = 0; i < 32; ++i) *members[i] = vb::Variant(editors::FieldDouble(fields[i]));
  if (Mode() == modEdit) return AdvancedDetail().Update(vb::Variant(Id()), v, true);
  if (Mode() == modAdd) {
    SetId(AdvancedDetail().Add(v, true));
    if (Id() == -1) return false;
    SetTextOf(txtAdvancedID, std::to_string(Id()));
  }
  return true;
}

void frmAdvancedDetail::ApplyMode() {
  const int mode = Mode();
  if (mode == modView) {
    SetModeCaption();
    ApplyViewMode(true);
  } else if (mode == modEdit || mode == modAdd) {
    SetModeCaption();
    cmdOK->setVisible(true);
    EnableAllControls(true);
    if (mode == modEdit) {
      lblAdvancedID->setEnabled(false);
      txtAdvancedID->setEnabled(false);
    }
  }
}

void frmAdvancedDetail::UpdateParent() { UpdateParentWithFields(TextOf(txtAdvancedID), fields); }

void frmAdvancedDetail::ClearFields() {
  for (QLineEdit* f : fields) f->clear();
}
