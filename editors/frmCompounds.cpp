// The compound editor. Text fields hold the numbers as typed; they are converted when saved. The
// Tag of a control says which type it belongs to: "1" metal only, "2" organic only.
#include "editors/frmCompounds.h"

#include <QEvent>
#include <algorithm>

#include "editors/Estimators.h"
#include "platform/ui/ListView.h"
#include "platform/ui/MsgBox.h"
#include "platform/ui/Twips.h"
#include "records/Compounds.h"
#include "runtime/Guard.h"
#include "runtime/Variant.h"
#include "shell/Globals.h"

namespace {

const editors::EditorSpec kSpec{"frmCompounds",
                                "Get_Cmpid",
                                "Let_Cmpid",
                                {"View compound - properties", "Edit compound - properties",
                                 "Add new compound - properties", "Copy compound - properties"},
                                true,
                                225};

std::string Trim(const std::string& s) {
  const auto b = s.find_first_not_of(' ');
  if (b == std::string::npos) return {};
  return s.substr(b, s.find_last_not_of(' ') - b + 1);
}

void SetTag(QObject* control, const char* tag) { control->setProperty("Tag", QString(tag)); }
std::string TagOf(const QObject* control) { return control->property("Tag").toString().toStdString(); }

// A field and its caption and unit labels get the same Tag.
void TagField(QWidget* field, const char* tag) {
  SetTag(field, tag);
  const QString base = field->objectName().mid(3);
  for (const QString& n : {"lbl" + base, "lblUnit" + base})
    if (QObject* l = field->parentWidget()->findChild<QObject*>(n, Qt::FindDirectChildrenOnly)) SetTag(l, tag);
}

double Dbl(const QLineEdit* f) { return editors::FieldDouble(f); }
bool Blank(const QLineEdit* f) { return Trim(f->text().toStdString()).empty(); }
bool Numeric(const QLineEdit* f) { return vb::IsNumeric(vb::Variant(f->text().toStdString())); }

// Trimmed of blanks and cut to its first 100 characters (not bytes, so no character is split).
std::string StoredText(const QLineEdit* f) {
  return QString::fromStdString(Trim(f->text().toStdString())).left(100).toStdString();
}

// A stored text longer than its field's limit is shown whole, never cut by the field; the check
// before saving then asks for it to be shortened.
void ShowWhole(QLineEdit* f, const std::string& text) {
  f->setMaxLength(std::max(f->maxLength(), static_cast<int>(QString::fromStdString(text).size())));
  f->setText(QString::fromStdString(text));
}

// Captions of the properties frame, wide enough for "Secondary consumer".
constexpr double kLabelWidth = 1920;

}  // namespace

frmCompounds::frmCompounds() : editors::RecordEditor(kSpec) {
  setWindowTitle("Compound definition");
  SetDesignClientSize(11400, 7700);

  Frame2 = new QGroupBox(this);
  Frame2->setObjectName("Frame2");
  ui::Place(Frame2, 120, 60, 11160, 1260);
  txtCmpdescr = AddText(Frame2, "txtCmpdescr", "Description", 120, 180, 1500, 6000);
  txtCmpname = AddText(Frame2, "txtCmpname", "Name", 120, 540, 1500, 6000);
  txtCASnr = AddText(Frame2, "txtCASnr", "CAS nr.", 120, 900, 1500, 3000);
  txtCmpdescr->setMaxLength(100);
  txtCmpname->setMaxLength(100);
  txtCASnr->setMaxLength(50);

  frmProperties = new QGroupBox(this);
  frmProperties->setObjectName("frmProperties");
  ui::Place(frmProperties, 120, 1380, 6000, 5760);
  AddLabel(frmProperties, "lblType", "Type", 120, 180, kLabelWidth);
  OptType[0] = new QRadioButton("Metal", frmProperties);
  OptType[0]->setObjectName("OptType(0)");
  ui::Place(OptType[0], 2040, 150, 1000, 285);
  OptType[1] = new QRadioButton("Organic", frmProperties);
  OptType[1]->setObjectName("OptType(1)");
  ui::Place(OptType[1], 3120, 150, 1200, 285);
  txtCmpmolmass = AddText(frmProperties, "txtCmpmolmass", "Molecular mass", 120, 510, kLabelWidth, 1300, "g/mol");
  txtCmpkow = AddText(frmProperties, "txtCmpkow", "log(Kow)", 120, 870, kLabelWidth, 1300);
  txtCmpkow->setToolTip("Octanol water coefficient");
  txtCmpkd = AddText(frmProperties, "txtCmpkd", "Kd", 120, 1230, kLabelWidth, 1300, "(l/g)");
  txtCmpkd->setToolTip("Adsorption partition coefficient");
  txtCmpHe = AddText(frmProperties, "txtCmpHe", "Henry Coefficient", 120, 1590, kLabelWidth, 1300, "Pa.m3/mol");
  cmdEstHenry = new QPushButton("?", frmProperties);
  cmdEstHenry->setObjectName("cmdEstHenry");
  cmdEstHenry->setToolTip("Press to enable QSAR for estimation of Henry's coefficient");
  ui::Place(cmdEstHenry, 5460, 1590, 360, 285);
  txtCmpkoc = AddText(frmProperties, "txtCmpkoc", "log(Koc)", 120, 1950, kLabelWidth, 1300, "log (l/kgOC)");
  cmdQSARKoc = new QPushButton("?", frmProperties);
  cmdQSARKoc->setObjectName("cmdQSARKoc");
  cmdQSARKoc->setToolTip("Press to enable QSAR for estimation of Koc");
  ui::Place(cmdQSARKoc, 5460, 1950, 360, 285);
  TagField(txtCmpkow, "2");
  TagField(txtCmpkd, "1");
  TagField(txtCmpHe, "2");
  TagField(txtCmpkoc, "2");
  SetTag(cmdEstHenry, "102");
  SetTag(cmdQSARKoc, "103");

  SetTag(AddLabel(frmProperties, "lblDegradation", "Degradation rates", 120, 2370, kLabelWidth), "2");
  SetTag(AddLabel(frmProperties, "lblWater", "Water", 2040, 2370, 1200), "2");
  SetTag(AddLabel(frmProperties, "lblSediment", "Sediment", 3390, 2370, 1200), "2");
  const auto rateRow = [&](const char* water, const char* sed, const char* caption, const char* labelName,
                           double top, QLineEdit*& w, QLineEdit*& s) {
    SetTag(AddLabel(frmProperties, labelName, caption, 120, top + 30, kLabelWidth), "2");
    w = AddText(frmProperties, water, "", 2040, top, 0, 1200);
    s = AddText(frmProperties, sed, "", 3390, top, 0, 1200);
    SetTag(AddLabel(frmProperties, (std::string(labelName) + "Unit").c_str(), "1/d", 4680, top + 30, 600), "2");
    SetTag(w, "2");
    SetTag(s, "2");
  };
  rateRow("txtCmpdegrbiowater", "txtCmpdegrbiosed", "Biodegradation", "lblBiodegradation", 2670,
          txtCmpdegrbiowater, txtCmpdegrbiosed);
  rateRow("txtCmpdegrhydwater", "txtCmpdegrhydsed", "Hydrolysis", "lblHydrolysis", 3030, txtCmpdegrhydwater,
          txtCmpdegrhydsed);
  rateRow("txtCmpdegrphowater", "txtCmpdegrphosed", "Photolysis", "lblPhotolysis", 3390, txtCmpdegrphowater,
          txtCmpdegrphosed);
  txtCmpdegrphowater->setToolTip("24h depth averaged rate");

  SetTag(AddLabel(frmProperties, "lblBioTrans", "Biotransformation correction factors", 120, 3810, 4000), "2");
  const std::pair<const char*, const char*> factors[] = {{"txtBioTransZoo", "Zooplankton"},
                                                         {"txtBioTransSecProd", "Secondary consumer"},
                                                         {"txtBioTransRound", "Round fish"},
                                                         {"txtBioTransOrg1Tel", "Telline"},
                                                         {"txtBioTransOrg2Dab", "Bentic fish"}};
  QLineEdit** factorFields[] = {&txtBioTransZoo, &txtBioTransSecProd, &txtBioTransRound, &txtBioTransOrg1Tel,
                                &txtBioTransOrg2Dab};
  for (int i = 0; i < 5; ++i) {
    QLineEdit* f = AddText(frmProperties, factors[i].first, factors[i].second, 120, 4110 + i * 310, kLabelWidth, 1300,
                           "(-/-)");
    f->setToolTip("Value between 0 - 1 , choose 0 if no information is available");
    TagField(f, "2");
    *factorFields[i] = f;
  }

  frmEstHenry = new QGroupBox("Estimate Henry coefficient", this);
  frmEstHenry->setObjectName("frmEstHenry");
  ui::Place(frmEstHenry, 6240, 1380, 5040, 1500);
  txtCmpvappress = AddText(frmEstHenry, "txtCmpvappress", "Vapour pressure", 120, 300, 1600, 1300, "Pa");
  txtCmpsol = AddText(frmEstHenry, "txtCmpsol", "Solubility", 120, 660, 1600, 1300, "g/m3");
  cmdSetEstHenry = new QPushButton("Set Henry", frmEstHenry);
  cmdSetEstHenry->setObjectName("cmdSetEstHenry");
  ui::Place(cmdSetEstHenry, 1720, 1050, 1100, 330);
  cmdCancelEstHenry = new QPushButton("Cancel", frmEstHenry);
  cmdCancelEstHenry->setObjectName("cmdCancelEstHenry");
  ui::Place(cmdCancelEstHenry, 2920, 1050, 1100, 330);

  frmEstKoc = new QGroupBox("Estimate Koc", this);
  frmEstKoc->setObjectName("frmEstKoc");
  ui::Place(frmEstKoc, 6240, 2940, 5040, 1560);
  txtCmppka = AddText(frmEstKoc, "txtCmppka", "pKa", 120, 300, 1600, 1300);
  lblCmppka = frmEstKoc->findChild<QLabel*>("lblCmppka");
  lblQsarMethod = AddLabel(frmEstKoc, "lblQsarMethod", "QSAR method", 120, 690, 1600);
  optKocMethod[0] = new QRadioButton("Sabljic", frmEstKoc);
  optKocMethod[0]->setObjectName("optKocMethod(0)");
  optKocMethod[0]->setToolTip("TGD default");
  ui::Place(optKocMethod[0], 1720, 660, 1200, 285);
  optKocMethod[1] = new QRadioButton("Bockting", frmEstKoc);
  optKocMethod[1]->setObjectName("optKocMethod(1)");
  optKocMethod[1]->setToolTip("pKa correction");
  ui::Place(optKocMethod[1], 3000, 660, 1300, 285);
  cmdSetKoc = new QPushButton("Set Koc", frmEstKoc);
  cmdSetKoc->setObjectName("cmdSetKoc");
  ui::Place(cmdSetKoc, 1720, 1080, 1100, 330);
  cmdCancelEstKoc = new QPushButton("Cancel", frmEstKoc);
  cmdCancelEstKoc->setObjectName("cmdCancelEstKoc");
  ui::Place(cmdCancelEstKoc, 2920, 1080, 1100, 330);

  Frame1 = new QGroupBox("Bioaccumulation - calculated parameters", this);
  Frame1->setObjectName("Frame1");
  ui::Place(Frame1, 6240, 4560, 5040, 1980);
  txtAlphaWater = AddText(Frame1, "txtAlphaWater", "Alpha Water", 120, 300, 1600, 1300);
  txtBetaPrey = AddText(Frame1, "txtBetaPrey", "Beta Prey", 120, 660, 1600, 1300);
  txtBetaDet = AddText(Frame1, "txtBetaDet", "Beta Detritus", 120, 1020, 1600, 1300);
  Label24 = AddLabel(Frame1, "Label24", "", 120, 1380, 4800, 500);
  Label24->setWordWrap(true);
  Label24->setStyleSheet("color: #ff0000");
  for (QGroupBox* frame : {frmEstHenry, frmEstKoc, Frame1}) {
    SetTag(frame, "2");
    for (QObject* c : frame->findChildren<QObject*>())
      if (c != Label24) SetTag(c, "2");
  }

  frmOverig = new QGroupBox("Overig en dummy", this);
  frmOverig->setObjectName("frmOverig");
  ui::Place(frmOverig, 120, 7200, 6000, 400);
  txtCmpid = AddText(frmOverig, "txtCmpid", "Cmpid", 0, 0, 600, 600);
  lblCmpid = frmOverig->findChild<QLabel*>("lblCmpid");
  txtCmpkdoc = AddText(frmOverig, "txtCmpkdoc", "Kdoc", 1200, 0, 600, 600);
  txtCmpbcf = AddText(frmOverig, "txtCmpbcf", "Bcf", 2400, 0, 600, 600);
  txtCmptmelt = AddText(frmOverig, "txtCmptmelt", "Melting temp", 3600, 0, 600, 600);
  SetTag(txtCmptmelt, "3");
  txtBioTransform = AddText(frmOverig, "txtBioTransform", "BioTransform", 4800, 0, 600, 600);
  txtCmpistype = AddText(frmOverig, "txtCmpistype", "", 5400, 0, 0, 300);
  frmOverig->setVisible(false);

  // The values of a new record.
  for (QLineEdit* f : ClearedFields()) SetTextOf(f, "0");
  for (QLineEdit* f : {txtCmpdescr, txtCmpname}) f->clear();
  SetTextOf(txtCASnr, "CASnr");
  SetTextOf(txtBetaPrey, "0.6");
  SetTextOf(txtBetaDet, "0.35");
  OptType[1]->setChecked(true);
  optKocMethod[0]->setChecked(true);
  for (QWidget* f : {static_cast<QWidget*>(txtCmpvappress), static_cast<QWidget*>(txtCmpsol),
                     static_cast<QWidget*>(txtCmpHe), static_cast<QWidget*>(txtCmpmolmass),
                     static_cast<QWidget*>(txtCmppka), static_cast<QWidget*>(txtCmpkoc)})
    SetBackColor(f, kWhite);

  for (int i = 0; i < 2; ++i) {
    connect(OptType[i], &QRadioButton::clicked, this, [this, i] { OptType_Click(i); });
    connect(optKocMethod[i], &QRadioButton::clicked, this, [this, i] { optKocMethod_Click(i); });
  }
  connect(cmdEstHenry, &QPushButton::clicked, this, [this] { cmdEstHenry_Click(); });
  connect(cmdSetEstHenry, &QPushButton::clicked, this, [this] { cmdSetEstHenry_Click(); });
  connect(cmdCancelEstHenry, &QPushButton::clicked, this, [this] { cmdCancelEstHenry_Click(); });
  connect(cmdQSARKoc, &QPushButton::clicked, this, [this] { cmdQSARKoc_Click(); });
  connect(cmdSetKoc, &QPushButton::clicked, this, [this] { cmdSetKoc_Click(); });
  connect(cmdCancelEstKoc, &QPushButton::clicked, this, [this] { cmdCancelEstKoc_Click(); });
  connect(txtCmpkow, &QLineEdit::textChanged, this, [this] { txtCmpkow_Change(); });
  txtCmpkow->installEventFilter(this);
}

std::vector<QLineEdit*> frmCompounds::ClearedFields() const {
  return {txtCmpmolmass,      txtCmpvappress,     txtCmpsol,          txtCmpkow,          txtCmpkd,
          txtCmpkoc,          txtCmpkdoc,         txtCmpbcf,          txtCmpHe,           txtCmptmelt,
          txtCmppka,          txtCmpdegrbiowater, txtCmpdegrhydwater, txtCmpdegrphowater, txtCmpdegrbiosed,
          txtCmpdegrhydsed,   txtCmpdegrphosed,   txtAlphaWater,      txtBetaPrey,        txtBetaDet,
          txtBioTransform,    txtBioTransZoo,     txtBioTransSecProd, txtBioTransRound,   txtBioTransOrg1Tel,
          txtBioTransOrg2Dab};
}

int frmCompounds::BackColor(const QWidget* field) { return field->property("BackColor").toInt(); }

void frmCompounds::SetBackColor(QWidget* field, int colour) {
  field->setProperty("BackColor", colour);
  // Yellow marks a panel's fields, also the disabled target; white leaves a disabled field looking
  // disabled.
  field->setStyleSheet(colour == kYellow ? "background-color: #ffff00"
                                         : "QLineEdit:enabled { background-color: #ffffff }");
}

bool frmCompounds::eventFilter(QObject* watched, QEvent* event) {
  if (watched == txtCmpkow && event->type() == QEvent::FocusOut) txtCmpkow_LostFocus();
  return editors::RecordEditor::eventFilter(watched, event);
}

void frmCompounds::BeforeLoad() {
  QSARKow = false;
  QSARHe = false;
  SetWidth(11600);
  SetHeight(8235);
}

void frmCompounds::OnActivate() { QSARKow = false; }

bool frmCompounds::GetData() {
  std::string descr, name, cas;
  int16_t type = 0;
  float kow = 0;
  double molmass = 0, vappress = 0, sol = 0, kd = 0, koc = 0, kdoc = 0, bcf = 0, he = 0, tmelt = 0, pka = 0;
  double biow = 0, hydw = 0, phow = 0, bios = 0, hyds = 0, phos = 0, alpha = 0, prey = 0, det = 0, biotr = 0;
  double zoo = 0, sec = 0, round = 0, tel = 0, dab = 0;
  const bool found = Compounds().GetByKey(
      Id(), {.rstrCmpdescr = descr,         .rstrCmpname = name,           .rintCmpistype = type,
             .rdblCmpmolmass = molmass,     .rdblCmpvappress = vappress,   .rdblCmpsol = sol,
             .rsinCmpkow = kow,             .rdblCmpkd = kd,               .rdblCmpkoc = koc,
             .rdblCmpkdoc = kdoc,           .rdblCmpbcf = bcf,             .rdblcmphe = he,
             .rdblCmptmelt = tmelt,         .rdblCmppka = pka,             .rdblCmpdegrbiowater = biow,
             .rdblCmpdegrhydwater = hydw,   .rdblCmpdegrphowater = phow,   .rdblCmpdegrbiosed = bios,
             .rdblCmpdegrhydsed = hyds,     .rdblCmpdegrphosed = phos,     .rdblAlphawater = alpha,
             .rdblBetaprey = prey,          .rdblBetadet = det,            .rdblBioTransform = biotr,
             .rdblBioTransZoo = zoo,        .rdblBioTransSecProd = sec,    .rdblBioTransRound = round,
             .rdblBioTransOrg1Tel = tel,    .rdblBioTransOrg2Dab = dab,    .rstrCASnr = cas});
  if (!found) return false;
  SetTextOf(txtCmpid, std::to_string(Id()));
  ShowWhole(txtCmpdescr, Mode() == modCopy ? descr + " (copy)" : descr);
  ShowWhole(txtCmpname, name);
  if (type == 1) {
    OptType[0]->setChecked(true);
  } else {
    if (type == 3)
      ui::MsgBox("Type 3 not implemented yet, type switched to organic", ui::vbOKOnly);
    else if (type != 2)
      ui::MsgBox("Unknown type, type set to organic", ui::vbOKOnly);
    OptType[1]->setChecked(true);
  }
  const auto show = [](QLineEdit* f, double v) { SetTextOf(f, vb::DoubleText(v)); };
  show(txtCmpmolmass, molmass);
  show(txtCmpvappress, vappress);
  show(txtCmpsol, sol);
  SetTextOf(txtCmpkow, vb::SingleText(kow));
  show(txtCmpkd, kd);
  show(txtCmpkoc, koc);
  show(txtCmpkdoc, kdoc);
  show(txtCmpbcf, bcf);
  show(txtCmpHe, he);
  show(txtCmptmelt, tmelt);
  show(txtCmppka, pka);
  show(txtCmpdegrbiowater, biow);
  show(txtCmpdegrhydwater, hydw);
  show(txtCmpdegrphowater, phow);
  show(txtCmpdegrbiosed, bios);
  show(txtCmpdegrhydsed, hyds);
  show(txtCmpdegrphosed, phos);
  show(txtAlphaWater, alpha);
  show(txtBetaPrey, prey);
  show(txtBetaDet, det);
  show(txtBioTransform, biotr);
  show(txtBioTransZoo, zoo);
  show(txtBioTransSecProd, sec);
  show(txtBioTransRound, round);
  show(txtBioTransOrg1Tel, tel);
  show(txtBioTransOrg2Dab, dab);
  ShowWhole(txtCASnr, cas);
  // The label follows the stored type also when the log Kow text did not change.
  txtCmpkow_Change();
  return true;
}

bool frmCompounds::CheckFields() {
  if (Blank(txtCmpdescr)) return Reject("The 'txtCmpdescr' cannot be blank. Please try again.", txtCmpdescr);
  if (Blank(txtCmpname)) return Reject("The 'txtCmpname' cannot be blank. Please try again.", txtCmpname);
  // A text is stored whole or not at all.
  const struct {
    QLineEdit* field;
    const char* caption;
    int limit;
  } texts[] = {{txtCmpdescr, "Description", 100}, {txtCmpname, "Name", 100}, {txtCASnr, "CAS nr.", 50}};
  for (const auto& t : texts) {
    const int length = static_cast<int>(QString::fromStdString(Trim(TextOf(t.field))).size());
    if (length > t.limit)
      return Reject("The '" + std::string(t.caption) + "' has " + std::to_string(length) + " characters, where at most " +
                        std::to_string(t.limit) + " can be stored. Please shorten it.",
                    t.field);
  }
  if (!OptType[0]->isChecked() && !OptType[1]->isChecked())
    return Reject("Type undefined. Please select metal or organic.", OptType[0]);
  // Only the fields stored for the chosen type: a metal stores no vapour pressure, an organic
  // compound no Kd, and the field of the other type may be out of reach.
  if (OptType[1]->isChecked()) {
    if (Blank(txtCmpvappress))
      return Reject("The 'Vapour pressure field' cannot be blank. Please try again.", txtCmpvappress);
    if (!Numeric(txtCmpvappress) || Dbl(txtCmpvappress) < 0)
      return Reject("Vapour pressure must be a positive numeric. Please try again.", txtCmpvappress);
    if (Blank(txtCmpsol)) return Reject("The 'txtCmpsol' cannot be blank. Please try again.", txtCmpsol);
    if (!Numeric(txtCmpsol)) return Reject("Solubility must be a positive numeric. Please try again.", txtCmpsol);
    if (Dbl(txtCmpsol) < 0) return Reject("Solubility must be a positive value. Please try again.", txtCmpsol);
    if (!Numeric(txtCmpkow) || Dbl(txtCmpkow) < 0)
      return Reject("Log(Kow) must be a positive numeric. Please try again.", txtCmpkow);
    if (Dbl(txtCmpkow) > 20) return Reject("Log(Kow) cannot be higher than 20. Please try again.", txtCmpkow);
    return true;
  }
  if (!Numeric(txtCmpkd) || Dbl(txtCmpkd) < 0)
    return Reject("Kd must be a positive numeric. Please try again.", txtCmpkd);
  if (Dbl(txtCmpkd) > 10000) return Reject("Kd cannot be higher than 10000. Please try again.", txtCmpkd);
  return true;
}

bool frmCompounds::RefusesEdit() { return RefusedAsUsed(RunColumn::CompoundID); }

std::unique_ptr<dao::Recordset> frmCompounds::OwnRow() const { return Compounds().GetAll({.vlngCmpid = vb::Variant(Id())}); }

bool frmCompounds::StoreFields() {
  const std::string descr = StoredText(txtCmpdescr);
  const std::string name = StoredText(txtCmpname);
  const std::string cas = TextOf(txtCASnr);
  const int16_t type = OptType[0]->isChecked() ? 1 : 2;
  const bool metal = type == 1;
  // The fields of the other type are stored as 0.
  const auto org = [&](QLineEdit* f) { return metal ? 0.0 : Dbl(f); };
  const double kd = metal ? Dbl(txtCmpkd) : 0.0;
  const double vappress = org(txtCmpvappress), sol = org(txtCmpsol);
  const float kow = metal ? 0.0f : editors::FieldSingle(txtCmpkow);
  const double koc = org(txtCmpkoc), he = org(txtCmpHe);
  const double pka = metal ? 0.0 : NumberOrZero(TextOf(txtCmppka));
  const double biow = org(txtCmpdegrbiowater), hydw = org(txtCmpdegrhydwater), phow = org(txtCmpdegrphowater);
  const double bios = org(txtCmpdegrbiosed), hyds = org(txtCmpdegrhydsed), phos = org(txtCmpdegrphosed);
  const double zoo = org(txtBioTransZoo), sec = org(txtBioTransSecProd), round = org(txtBioTransRound);
  const double tel = org(txtBioTransOrg1Tel), dab = org(txtBioTransOrg2Dab);
  const double molmass = Dbl(txtCmpmolmass), alpha = Dbl(txtAlphaWater), prey = Dbl(txtBetaPrey),
               det = Dbl(txtBetaDet);

  const Compounds::Values v{.vstrCmpdescr = descr,        .vstrCmpname = name,           .vintCmpistype = type,
                            .vdblCmpmolmass = molmass,    .vdblCmpvappress = vappress,   .vdblCmpsol = sol,
                            .vsinCmpkow = kow,            .vdblCmpkd = kd,               .vdblCmpkoc = koc,
                            .vdblCmpkdoc = 0.0,           .vdblCmpbcf = 0.0,             .vdblcmphe = he,
                            .vdblCmptmelt = 0.0,          .vdblCmppka = pka,             .vdblCmpdegrbiowater = biow,
                            .vdblCmpdegrhydwater = hydw,  .vdblCmpdegrphowater = phow,   .vdblCmpdegrbiosed = bios,
                            .vdblCmpdegrhydsed = hyds,    .vdblCmpdegrphosed = phos,     .vdblAlphawater = alpha,
                            .vdblBetaprey = prey,         .vdblBetadet = det,            .vdblBioTransform = 0.0,
                            .vdblBioTransZoo = zoo,       .vdblBioTransSecProd = sec,    .vdblBioTransRound = round,
                            .vdblBioTransOrg1Tel = tel,   .vdblBioTransOrg2Dab = dab,    .vstrCASnr = cas};
  if (Mode() == modEdit) return Compounds().Update(vb::Variant(Id()), v, true);
  if (AddingMode()) {
    SetId(Compounds().Add(v, true));
    if (Id() == -1) return false;
    SetTextOf(txtCmpid, std::to_string(Id()));
  }
  return true;
}

void frmCompounds::ApplyMode() {
  const int mode = Mode();
  if (mode != modView && mode != modEdit && mode != modAdd && mode != modCopy)
    return frmOverig->setVisible(false);
  SetModeCaption();
  if (ViewMode()) {
    ApplyViewMode(false);
    cmdOK->setEnabled(false);
  } else {
    cmdOK->setVisible(true);
    const bool metal = OptType[0]->isChecked(), organic = OptType[1]->isChecked();
    for (QObject* c : Controls()) {
      auto* w = qobject_cast<QWidget*>(c);
      if (!w) continue;
      w->setEnabled(true);
      w->setVisible(true);
      if (metal)
        w->setEnabled(TagOf(w) != "2");
      else if (organic)
        w->setEnabled(TagOf(w) != "1");
    }
    if (mode == modAdd) Label24->setText(metal ? Estimators::kMetalsNotValid : "");
    for (QWidget* w : std::initializer_list<QWidget*>{txtCmpvappress, txtCmpsol, cmdCancelEstHenry, cmdSetEstHenry,
                                                      cmdSetKoc, cmdCancelEstKoc, optKocMethod[0], optKocMethod[1],
                                                      txtBetaDet, txtBetaPrey, txtAlphaWater})
      w->setEnabled(false);
    lblCmpid->setVisible(false);
    txtCmpid->setVisible(false);
  }
  frmOverig->setVisible(false);
}

void frmCompounds::UpdateParent() {
  gblnCompoundsChanged = true;
  const std::string descr = TextOf(txtCmpdescr), name = TextOf(txtCmpname), cas = TextOf(txtCASnr);
  if (Mode() == modEdit)
    UpdateSelectedRow({{1, descr}, {2, name}, {3, cas}});
  else if (AddingMode())
    AddParentRow(TextOf(txtCmpid), {descr, name, cas});
}

void frmCompounds::ClearFields() {
  // The three food-chain parameters are estimated from log Kow, never typed: a metal could not
  // fill them again.
  std::vector<QLineEdit*> typed;
  for (QLineEdit* f : ClearedFields())
    if (f != txtAlphaWater && f != txtBetaPrey && f != txtBetaDet) typed.push_back(f);
  ClearShownFields(typed);
  for (QLineEdit* f : {txtCmpdescr, txtCmpname, txtCASnr}) f->clear();
}

void frmCompounds::OptType_Click(int) {
  ProcessMode();
  if (Mode() != modAdd) txtCmpkow_Change();
}

// ---- estimation panels ---------------------------------------------------------------------------

void frmCompounds::cmdEstHenry_Click() {
  if (!QSARHe) {
    EnableAllControls(false);
    for (QWidget* w : std::initializer_list<QWidget*>{cmdCancel, cmdEstHenry, txtCmpvappress, txtCmpsol, txtCmpmolmass,
                                                      cmdCancelEstHenry, cmdSetEstHenry, frmEstHenry, frmProperties})
      w->setEnabled(true);
    for (QWidget* f : std::initializer_list<QWidget*>{txtCmpvappress, txtCmpsol, txtCmpHe, txtCmpmolmass})
      SetBackColor(f, kYellow);
    QSARHe = true;
  } else {
    ProcessMode();
    cmdEstHenry->setEnabled(true);
    for (QWidget* w : std::initializer_list<QWidget*>{txtCmpvappress, txtCmpsol, cmdCancelEstHenry, cmdSetEstHenry})
      w->setEnabled(false);
    for (QWidget* f : std::initializer_list<QWidget*>{txtCmpvappress, txtCmpsol, txtCmpHe, txtCmpmolmass})
      SetBackColor(f, kWhite);
    QSARHe = false;
  }
}

void frmCompounds::cmdSetEstHenry_Click() {
  // A field that is no number, or a solubility of 0, leaves the Henry field as it is.
  vb::Try([&] {
    SetTextOf(txtCmpHe,
              Estimators::HenryText(Estimators::HenryCoefficient(Dbl(txtCmpmolmass), Dbl(txtCmpvappress), Dbl(txtCmpsol))));
  });
  vb::Err().Clear();
  QSARHe = true;
  cmdEstHenry_Click();
}

void frmCompounds::cmdCancelEstHenry_Click() {
  QSARHe = true;
  cmdEstHenry_Click();
}

void frmCompounds::cmdQSARKoc_Click() {
  if (!QSARKow) {
    EnableAllControls(false);
    lblCmppka->setEnabled(true);
    txtCmppka->setEnabled(true);
    SetBackColor(txtCmppka, kYellow);
    SetBackColor(txtCmpkoc, kYellow);
    for (QWidget* w : std::initializer_list<QWidget*>{optKocMethod[0], optKocMethod[1], lblQsarMethod, cmdSetKoc,
                                                      frmEstKoc, cmdCancelEstKoc, cmdQSARKoc})
      w->setEnabled(true);
    QSARKow = true;
  } else {
    ProcessMode();
    frmEstKoc->setEnabled(true);
    for (QWidget* w : std::initializer_list<QWidget*>{lblCmppka, txtCmppka, optKocMethod[0], optKocMethod[1],
                                                      lblQsarMethod, cmdSetKoc, cmdCancelEstKoc})
      w->setEnabled(false);
    SetBackColor(txtCmppka, kWhite);
    SetBackColor(txtCmpkoc, kWhite);
    QSARKow = false;
  }
}

void frmCompounds::cmdSetKoc_Click() {
  vb::Try([&] {
    const double l = Dbl(txtCmpkow);
    const double koc = optKocMethod[0]->isChecked() ? Estimators::LogKoc(Estimators::KocMethod::Sabljic, l)
                                                    : Estimators::LogKoc(Estimators::KocMethod::Bockting, l, Dbl(txtCmppka));
    SetTextOf(txtCmpkoc, Estimators::KocText(koc));
  });
  vb::Err().Clear();
  ProcessMode();
  lblCmppka->setEnabled(false);
  txtCmppka->setEnabled(false);
  cmdSetKoc->setEnabled(false);
  SetBackColor(txtCmppka, kWhite);
  SetBackColor(txtCmpkoc, kWhite);
  QSARKow = false;
}

void frmCompounds::cmdCancelEstKoc_Click() {
  QSARKow = true;
  cmdQSARKoc_Click();
}

void frmCompounds::optKocMethod_Click(int index) {
  if (index != 0 && index != 1) return;
  txtCmppka->setEnabled(index == 1);
  lblCmppka->setEnabled(index == 1);
}

void frmCompounds::txtCmpkow_Change() {
  Label24->setText(QString::fromStdString(Estimators::ValidityText(TextOf(txtCmpkow), OptType[1]->isChecked())));
}

void frmCompounds::txtCmpkow_LostFocus() {
  if (!TextOf(txtCmpkow).empty() && OptType[1]->isChecked()) CalcBioParameters();
}

void frmCompounds::CalcBioParameters() {
  // A log Kow that is no number leaves the three fields as they are.
  double l = 0;
  if (!vb::ParseNumber(TextOf(txtCmpkow), l)) return;
  vb::Try([&] {
    const Estimators::BioParameters p = Estimators::CalcBioParameters(l);
    SetTextOf(txtAlphaWater, Estimators::AlphaWaterText(p.AlphaWater));
    SetTextOf(txtBetaPrey, Estimators::BetaText(p.BetaPrey));
    SetTextOf(txtBetaDet, Estimators::BetaText(p.BetaDet));
  });
  vb::Err().Clear();
}
