// The estuary editor. Field texts are kept as typed and converted when saved; the hydraulic
// characteristics follow every change of an input. Every save stores the type "user"; an edit of
// a "default" or "defaultavg" estuary is refused by the list and again by the save.
#include "editors/frmEnvironment.h"

#include <QEvent>
#include <QFocusEvent>
#include <algorithm>
#include <functional>
#include <tuple>

#include "editors/EstuaryHydrodynamics.h"
#include "modelrun/EstuaryColumns.h"
#include "modelrun/modTulmo.h"
#include "platform/ui/Controls.h"
#include "platform/ui/MsgBox.h"
#include "platform/ui/Twips.h"
#include "records/Environment.h"
#include "runtime/Format.h"
#include "runtime/Variant.h"
#include "shell/Globals.h"

namespace {

const editors::EditorSpec kSpec{"frmEnvironment",
                                "Get_Id",
                                "Let_Id",
                                {"View estuary - properties", "Edit estuary - properties",
                                 "Add new estuary - properties", "Copy estuary - properties"},
                                true,
                                -1};

bool Numeric(const QLineEdit* f) { return vb::IsNumeric(vb::Variant(f->text().toStdString())); }
double Dbl(const std::string& text) { return vb::CDbl(vb::Variant(text)); }
std::string Text(const QLineEdit* f) { return f->text().toStdString(); }
std::string CaptionOf(const QLabel* l) { return l->text().toStdString(); }

// One step of the walk over the table's columns, in table order: how the column is shown, stored
// and cleared.
enum class ColKind { Description, Type, Field, PHSea, Convergence, SaltIntrusion, Option, DispersionAvg };
enum class Held { Dbl, Sng, Lng };
struct Col {
  ColKind kind;
  QLineEdit* field = nullptr;
  Held held = Held::Dbl;
  void* target = nullptr;  // the field of the estuary record
};

QLabel* NewLabel(QWidget* parent, const char* name, const char* caption, double left, double top, double width,
                 double height = 285) {
  auto* l = new QLabel(caption, parent);
  l->setObjectName(name);
  ui::Place(l, left, top, width, height);
  return l;
}

ui::Line* NewLine(QWidget* parent, const char* name, double x1, double y1, double x2, double y2) {
  auto* line = new ui::Line(name, parent);
  line->SetPoints(x1, y1, x2, y2);
  line->SetColor(Qt::black);
  return line;
}

}  // namespace

frmEnvironment::frmEnvironment() : editors::RecordEditor(kSpec) {
  SetDesignClientSize(11340, 8580);
  const auto frame = [&](const char* name, const char* caption, double l, double t, double w, double h) {
    auto* f = new QGroupBox(caption, this);
    f->setObjectName(name);
    ui::Place(f, l, t, w, h);
    return f;
  };

  frmDescription = frame("frmDescription", "Description", 120, 60, 11160, 720);
  txtDescription = AddText(frmDescription, "txtDescription", "", 120, 300, 0, 8400);
  lblId = NewLabel(frmDescription, "lblId", "Id", 8760, 330, 300);
  txtId = AddText(frmDescription, "txtId", "", 9120, 300, 0, 1200);

  frmShape = frame("frmShape", "Dimensions and mixing", 120, 840, 4600, 3960);
  double top = 300;
  const auto dim = [&](const char* name, const char* caption, const char* unit, const char* initial,
                       const char* tip) {
    QLineEdit* f = AddText(frmShape, name, caption, 120, top, 2300, 1000, unit);
    SetTextOf(f, initial);
    if (tip) f->setToolTip(tip);
    top += 360;
    return f;
  };
  txtWidthmouth = dim("txtWidthmouth", "Width estuary mouth", "m", "100", "Width at the mouth of the estaury");
  txtWidthAtX = dim("txtWidthAtX", "Width at X", "m", "50", "Width of estuary at distance X from mouth");
  txtXfromMouth = dim("txtXfromMouth", "Distance X from mouth", "km", "5", "Distance X from mouth");
  txtEstLength = dim("txtEstLength", "Estuary length", "km", "30", "Length of estuary, based on salt intrusion");
  txtEstDepth = dim("txtEstDepth", "Estuary depth", "m", "5", "Uniform average estuary depth");
  txtFlowriveravg = dim("txtFlowriveravg", "River flow", "m3/s", "1", "Average river flow");
  txtTideavg = dim("txtTideavg", "Tidal range", "m", "1", "Average tidal range");
  txtTidalperiod = dim("txtTidalperiod", "Tidal period", "h", "12.4", nullptr);
  txtEnvMarineCurrent = dim("txtEnvMarineCurrent", "Marine longshore current", "m/s", "0.05", "Average longshore current");
  txtTempavg = dim("txtTempavg", "Temperature", "o C", "10", nullptr);

  frmChemPhys = frame("frmChemPhys", "Estuary environmental properties", 4840, 840, 6440, 7140);
  // Columns of the salinity points and of the zone grid.
  const double c1 = 1950, c2 = 2850, c3 = 3750, c4 = 4650, cw = 800;
  lblDispersion = NewLabel(frmChemPhys, "lblDispersion", "Dispersion method", 120, 330, 1800);
  optDispersion[0] = new QRadioButton("Default", frmChemPhys);
  optDispersion[0]->setObjectName("optDispersion(0)");
  ui::Place(optDispersion[0], c1, 300, 1000, 285);
  optDispersion[1] = new QRadioButton("Salinity", frmChemPhys);
  optDispersion[1]->setObjectName("optDispersion(1)");
  ui::Place(optDispersion[1], c3, 300, 1100, 285);
  optDispersion[0]->setChecked(true);
  lblDispersionX = NewLabel(frmChemPhys, "lblDispersionX", "km", c1, 690, cw);
  lblDispersionSalinity = NewLabel(frmChemPhys, "lblDispersionSalinity", "P.S.U.", c2, 690, cw);
  lblDispersionX->setVisible(false);
  lblDispersionSalinity->setVisible(false);
  lblDispersionMouth = NewLabel(frmChemPhys, "lblDispersionMouth", "Dispersion (m2/s)", c3, 690, 1700);
  lblSalinitysea = NewLabel(frmChemPhys, "lblSalinitysea", "Salinity at mouth", 120, 990, 1800);
  lblDispersionX0 = NewLabel(frmChemPhys, "lblDispersionX0", "0", c1, 990, cw);
  txtSalinitysea = AddText(frmChemPhys, "txtSalinitysea", "", c2, 960, 0, cw);
  SetTextOf(txtSalinitysea, "34");
  lblDispersionavg = NewLabel(frmChemPhys, "lblDispersionavg", "", c3, 990, 1000);
  Label34 = NewLabel(frmChemPhys, "Label34", "zone 1", c4, 990, 800);
  lblDispersionx1 = NewLabel(frmChemPhys, "lblDispersionx1", "Distance from mouth", 120, 1350, 1850);
  txtDispersionX1 = AddText(frmChemPhys, "txtDispersionX1", "", c1, 1320, 0, cw);
  txtDispersionX1->setToolTip("Distance from estuary mouth, salinity based dispersion estimation");
  txtDispersionSalinity1 = AddText(frmChemPhys, "txtDispersionSalinity1", "", c2, 1320, 0, cw);
  txtDispersionSalinity1->setToolTip("Salinity measurement");
  lblCalcdispersion2 = NewLabel(frmChemPhys, "lblCalcdispersion2", "", c3, 1350, 1000);
  Label35 = NewLabel(frmChemPhys, "Label35", "zone 2", c4, 1350, 800);
  lblDispersionx2 = NewLabel(frmChemPhys, "lblDispersionx2", "Distance from mouth", 120, 1710, 1850);
  txtDispersionX2 = AddText(frmChemPhys, "txtDispersionX2", "", c1, 1680, 0, cw);
  txtDispersionX2->setToolTip("2nd distance from estuary mouth, salinity based dispersion estimation");
  txtDispersionSalinity2 = AddText(frmChemPhys, "txtDispersionSalinity2", "", c2, 1680, 0, cw);
  txtDispersionSalinity2->setToolTip("2nd salinity measurement");
  lblCalcdispersion3 = NewLabel(frmChemPhys, "lblCalcdispersion3", "", c3, 1710, 1000);
  Label32 = NewLabel(frmChemPhys, "Label32", "zone 3", c4, 1710, 800);
  for (QLineEdit* f : {txtDispersionX1, txtDispersionX2, txtDispersionSalinity1, txtDispersionSalinity2})
    SetTextOf(f, "0");
  // Names for the messages of the fields that have no label of their own.
  for (auto [f, name] : {std::pair{txtSalinitysea, "Salinity at mouth"}, std::pair{txtDispersionX1, "Distance X1"},
                         std::pair{txtDispersionX2, "Distance X2"}, std::pair{txtDispersionSalinity1, "Salinity S1"},
                         std::pair{txtDispersionSalinity2, "Salinity S2"}})
    f->setAccessibleName(name);
  NewLabel(frmChemPhys, "lblSedimentationvelocityavg", "Sedimentation velocity (net)", 120, 2070, 1800, 420)
      ->setWordWrap(true);
  txtSedimentationVelocityAvg = AddText(frmChemPhys, "txtSedimentationVelocityAvg", "", c1, 2100, 0, cw);
  SetTextOf(txtSedimentationVelocityAvg, "0");
  txtSedimentationVelocityAvg->setAccessibleName("Sedimentation velocity (net)");
  NewLabel(frmChemPhys, "lblUnitSedimentationVelocityAvg", "m/d", c2, 2130, cw);

  for (auto [name, caption, left] : {std::tuple{"Label40", "Fresh <8 psu", c1},
                                     std::tuple{"Label41", "Intermediate 8-20 psu", c2},
                                     std::tuple{"lblEndummy4", "Saline >20 psu", c3},
                                     std::tuple{"Label42", "Marine box", c4}})
  {
    // Centred over its column, no wider than the column pitch so that neighbours never overlap;
    // a word too long for it ("Intermediate") takes a smaller font instead.
    QLabel* header = NewLabel(frmChemPhys, name, caption, left - 30, 2460, cw + 60, 450);
    header->setWordWrap(true);
    header->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    ui::FitLabelFont(header);
  }
  top = 2940;
  // One row of the grid: its caption, up to four cells with their initial texts, and its unit.
  const auto zoneRow = [&](const char* labelName, const char* caption, std::array<QLineEdit**, 4> cells,
                           std::array<const char*, 4> names, std::array<const char*, 4> initial, const char* unit) {
    NewLabel(frmChemPhys, labelName, caption, 120, top - 30, 1800, 380)->setWordWrap(true);
    const double lefts[4] = {c1, c2, c3, c4};
    for (std::size_t i = 0; i < 4; ++i) {
      if (!cells[i]) continue;
      *cells[i] = AddText(frmChemPhys, names[i], "", lefts[i], top, 0, cw);
      SetTextOf(*cells[i], initial[i]);
      static const char* const zones[4] = {"fresh", "intermediate", "saline", "marine box"};
      (*cells[i])->setAccessibleName(QString::fromStdString(std::string(caption)).trimmed() + " (" + zones[i] + ")");
    }
    NewLabel(frmChemPhys, (std::string(labelName) + "Unit").c_str(), unit, c4 + cw + 50, top + 30, 900);
    top += 380;
  };
  zoneRow("lblSilt", "Suspended Solids ", {&txtSilt1, &txtSilt2, &txtSilt3, &txtSilt4},
          {"txtSilt1", "txtSilt2", "txtSilt3", "txtSilt4"}, {"100", "100", "100", "10"}, "mg/l");
  zoneRow("lblPoc", "POC ", {&txtPoc1, &txtPoc2, &txtPoc3, &txtPOC4}, {"txtPoc1", "txtPoc2", "txtPoc3", "txtPOC4"},
          {"1", "1", "1", "1"}, "mg OC/l");
  zoneRow("lblDoc", "DOC ", {&txtDOC1, &txtDOC2, &txtDOC3, &txtDOC4}, {"txtDOC1", "txtDOC2", "txtDOC3", "txtDOC4"},
          {"2.5", "2.5", "2.5", "2.5"}, "mg OC/l");
  zoneRow("lblFocSed", "Fraction OC in sediment", {&txtFocSed1, &txtFocSed2, &txtFocSed3, &txtFocSed4},
          {"txtFocSed1", "txtFocSed2", "txtFocSed3", "txtFocSed4"}, {"0.02", "0.02", "0.02", "0.02"}, "(-/-)");
  for (QLineEdit* f : {txtFocSed1, txtFocSed2, txtFocSed3, txtFocSed4})
    f->setToolTip("fraction organic carbon in sediment");
  zoneRow("lblThickLayer", "Mixed sediment layer thickness",
          {&txtThickLayer1, &txtThickLayer2, &txtThickLayer3, &txtThickLayer4},
          {"txtThickLayer1", "txtThickLayer2", "txtThickLayer3", "txtThickLayer4"}, {"0.1", "0.1", "0.1", "0.1"}, "m");
  const double chlorophyllTop = top;
  zoneRow("lblChlorophylConc", "Chlorophyll Conc",
          {&txtChlorophylConc1, &txtChlorophylConc2, &txtChlorophylConc3, nullptr},
          {"txtChlorophylConc1", "txtChlorophylConc2", "txtChlorophylConc3", nullptr}, {"18.1", "18.1", "18.1", nullptr},
          "ug/l");
  const double phytoTop = top;
  zoneRow("lblPhytoBiomass", "Phytoplankton biomass", {&txtPhytoBiomass1, &txtPhytoBiomass2, &txtPhytoBiomass3, nullptr},
          {"txtPhytoBiomass1", "txtPhytoBiomass2", "txtPhytoBiomass3", nullptr}, {"2.85", "2.85", "2.85", nullptr},
          "mg/l");
  zoneRow("lblZooBiomass", "Zooplankton Biomass", {&txtZooBiomass1, &txtZooBiomass2, &txtZooBiomass3, nullptr},
          {"txtZooBiomass1", "txtZooBiomass2", "txtZooBiomass3", nullptr}, {"1.17", "1.17", "1.17", nullptr}, "mg/l");
  zoneRow("lblDissolvedO2", "Dissolved O2", {&txtDissolvedO21, &txtDissolvedO22, &txtDissolvedO23, nullptr},
          {"txtDissolvedO21", "txtDissolvedO22", "txtDissolvedO23", nullptr}, {"7", "7", "7", nullptr}, "mg/l");
  cmdEstPhyto = new QPushButton("Estimate", frmChemPhys);
  cmdEstPhyto->setObjectName("cmdEstPhyto");
  ui::Place(cmdEstPhyto, c4, phytoTop, cw, 285);
  // The arrow from the chlorophyll row down to the button and on to the phytoplankton row.
  const double chlY = chlorophyllTop + 142, phyY = phytoTop + 142, mid = c4 + cw / 2;
  NewLine(frmChemPhys, "Line1", c3 + cw, chlY, mid, chlY);
  NewLine(frmChemPhys, "Line2", mid, chlY, mid, phytoTop);
  NewLine(frmChemPhys, "Line3", c4, phyY, c3 + cw, phyY);
  NewLine(frmChemPhys, "Line4", c3 + cw, phyY, c3 + cw + 40, phyY - 40);
  NewLine(frmChemPhys, "Line5", c3 + cw, phyY, c3 + cw + 40, phyY + 40);
  lblWarning = NewLabel(frmChemPhys, "lblWarning", "", 120, top + 60, 6200, 600);
  lblWarning->setWordWrap(true);
  lblWarning->setStyleSheet("color: #ff0000");

  frmMixing = frame("frmMixing", "Calculated hydraulic characteristics", 120, 4860, 4600, 3120);
  top = 300;
  const auto calc = [&](const char* captionName, const char* caption, const char* valueName, const char* unit) {
    NewLabel(frmMixing, captionName, caption, 120, top, 2000);
    QLabel* value = NewLabel(frmMixing, valueName, "", 2120, top, 1500);
    NewLabel(frmMixing, (std::string(valueName) + "Unit").c_str(), unit, 3710, top, 1000);
    top += 330;
    return value;
  };
  lblCalcConvergence = calc("Label1", "Convergence length", "lblCalcConvergence", "km");
  lblCalcSaltIntrusion = calc("Label2", "Salt intrusion length", "lblCalcSaltIntrusion", "km");
  lblCalcTidalExcursion = calc("Label3", "Tidal excursion", "lblCalcTidalExcursion", "km");
  lblCalcVolume = calc("Label4", "Volume", "lblCalcVolume", "m3");
  lblCalcRefreshTime = calc("Label5", "Refresh time", "lblCalcRefreshTime", "d");
  lblCalcArea = calc("Label6", "Area", "lblCalcArea", "m2");
  lblCalcTidalPrism = calc("Label7", "Tidal Prism", "lblCalcTidalPrism", "m3");
  // The hidden last row: two captions and two values on top of each other.
  const std::vector<QWidget*> hiddenRow = {NewLabel(frmMixing, "Label8", "Estuary length", 120, top, 2000),
                                           NewLabel(frmMixing, "Label9", "Length/width", 120, top, 2000),
                                           NewLabel(frmMixing, "lblCalcEstLengthUnit", "km", 3710, top, 1000)};
  lblCalcEstLength = NewLabel(frmMixing, "lblCalcEstLength", "", 2120, top, 1500);
  lblWidthFraction = NewLabel(frmMixing, "lblWidthFraction", "", 2120, top, 1500);
  for (QWidget* w : hiddenRow) w->setVisible(false);
  lblCalcEstLength->setVisible(false);
  lblWidthFraction->setVisible(false);

  Frame1 = frame("Frame1", "Frame1", 120, 8100, 2000, 400);
  const auto hiddenText = [&](const char* name, const char* initial) {
    QLineEdit* f = AddText(Frame1, name, "", 0, 0, 0, 100);
    SetTextOf(f, initial);
    return f;
  };
  txtType = hiddenText("txtType", "User");
  txtEnvMarineLength = hiddenText("txtEnvMarineLength", "40000");
  txtEnvMarineWidth = hiddenText("txtEnvMarineWidth", "10000");
  txtEnvMarineDepth = hiddenText("txtEnvMarineDepth", "10");
  txtphsea = hiddenText("txtphsea", "8");
  txtconvergencelength = hiddenText("txtconvergencelength", "0");
  txtSaltintrusionlengthavg = hiddenText("txtSaltintrusionlengthavg", "Text1");
  lblDfix0 = NewLabel(Frame1, "lblDfix0", "Label", 0, 0, 100);
  lblDfix1 = NewLabel(Frame1, "lblDfix1", "Label", 0, 0, 100);
  lblDfix2 = NewLabel(Frame1, "lblDfix2", "Label", 0, 0, 100);
  lblBeta = NewLabel(Frame1, "lblBeta", "Label", 0, 0, 100);
  lblDtra = NewLabel(Frame1, "lblDtra", "Label", 0, 0, 100);
  Frame1->setVisible(false);

  cmdCreateGrid = new QPushButton("create grid", this);
  cmdCreateGrid->setObjectName("cmdCreateGrid");
  ui::Place(cmdCreateGrid, 2400, 8130, 1100, 350);
  cmdCreateGrid->setEnabled(false);
  cmdCreateGrid->setVisible(false);
  ui::Place(cmdOK, 11340 - 2470, 8130, 1100, 350);
  ui::Place(cmdCancel, 11340 - 1280, 8130, 1100, 350);

  // Change handlers: each recomputes when its condition holds.
  const auto onChange = [&](QLineEdit* f, std::function<bool()> when) {
    connect(f, &QLineEdit::textChanged, this, [this, when] {
      if (when()) CalcUitvoer();
    });
  };
  for (QLineEdit* f : {txtTidalperiod, txtEstDepth, txtWidthmouth, txtWidthAtX, txtTideavg, txtXfromMouth,
                       txtDissolvedO21})
    onChange(f, [f] { return Numeric(f); });
  for (QLineEdit* f : {txtEstLength, txtFlowriveravg, txtSalinitysea}) onChange(f, [] { return true; });
  for (QLineEdit* f : {txtDispersionX1, txtDispersionX2})
    onChange(f, [this] { return Numeric(txtDispersionX1) && Numeric(txtDispersionX2); });
  for (QLineEdit* f : {txtDispersionSalinity1, txtDispersionSalinity2})
    onChange(f, [this] { return Numeric(txtDispersionSalinity1) && Numeric(txtDispersionSalinity2); });
  txtDispersionSalinity2->installEventFilter(this);

  for (int i = 0; i < 2; ++i)
    connect(optDispersion[static_cast<std::size_t>(i)], &QRadioButton::toggled, this, [this, i](bool on) {
      if (on) optDispersion_Click(i);
    });
  connect(cmdEstPhyto, &QPushButton::clicked, this, [this] { cmdEstPhyto_Click(); });
  connect(cmdCreateGrid, &QPushButton::clicked, this, [this] { cmdCreateGrid_Click(); });
}

std::vector<QWidget*> frmEnvironment::SalinityGroup() const {
  return {txtDispersionX1,       txtDispersionX2, txtDispersionSalinity1, txtDispersionSalinity2,
          lblDispersionX,        lblDispersionx1, lblDispersionx2,        lblDispersionSalinity,
          lblDispersionX0,       Label34,         Label35,                Label32};
}

bool frmEnvironment::InSalinityGroup(const QWidget* w) const {
  const std::vector<QWidget*> group = SalinityGroup();
  return std::find(group.begin(), group.end(), w) != group.end();
}

void frmEnvironment::EnableSalinityGroup(bool enabled) {
  for (QWidget* w : SalinityGroup()) w->setEnabled(enabled);
}

bool frmEnvironment::eventFilter(QObject* watched, QEvent* event) {
  // Only a move to another control of the form: switching windows or opening a menu is no leaving.
  if (watched == txtDispersionSalinity2 && event->type() == QEvent::FocusOut) {
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) txtDispersionSalinity2_LostFocus();
  }
  return editors::RecordEditor::eventFilter(watched, event);
}

// ---- the hydraulic characteristics --------------------------------------------------------------

void frmEnvironment::CalcUitvoer() {
  EstuaryHydrodynamics::Inputs in;
  in.Tidalperiod = Text(txtTidalperiod);
  in.Flowriveravg = Text(txtFlowriveravg);
  in.EstDepth = Text(txtEstDepth);
  in.Widthmouth = Text(txtWidthmouth);
  in.WidthAtX = Text(txtWidthAtX);
  in.EstLength = Text(txtEstLength);
  in.Tideavg = Text(txtTideavg);
  in.XfromMouth = Text(txtXfromMouth);
  in.Salinitysea = Text(txtSalinitysea);
  in.DispersionX1 = Text(txtDispersionX1);
  in.DispersionX2 = Text(txtDispersionX2);
  in.DispersionSalinity1 = Text(txtDispersionSalinity1);
  in.DispersionSalinity2 = Text(txtDispersionSalinity2);
  in.salinityMethod = optDispersion[1]->isChecked();
  in.corrected = !ViewMode();
  const EstuaryHydrodynamics::Result r = EstuaryHydrodynamics::Calculate(in);
  for (const auto& [name, text] : r.captions)
    if (auto* label = findChild<QLabel*>(QString::fromStdString(name))) label->setText(QString::fromStdString(text));
  if (r.dfix) EstuaryHydrodynamics::StoreDfix(*r.dfix);
  if (r.saveEnabled) {
    computedSave_ = *r.saveEnabled;
    cmdCreateGrid->setEnabled(*r.saveEnabled);
    cmdOK->setEnabled(*r.saveEnabled);
  }
  if (!r.errorMessage.empty()) ui::MsgBox(r.errorMessage, ui::vbOKOnly);
}

void frmEnvironment::optDispersion_Click(int index) {
  EnableSalinityGroup(index != 0);
  CalcUitvoer();
}

void frmEnvironment::cmdEstPhyto_Click() {
  QLineEdit* chlorophyll[3] = {txtChlorophylConc1, txtChlorophylConc2, txtChlorophylConc3};
  QLineEdit* phyto[3] = {txtPhytoBiomass1, txtPhytoBiomass2, txtPhytoBiomass3};
  for (int k = 0; k < 3; ++k) {
    // An empty chlorophyll text counts as 0; one that is no number leaves its zone's biomass as it is.
    double c = 0;
    const std::string text = Text(chlorophyll[k]);
    if (!vb::ParseNumber(text.find_first_not_of(' ') == std::string::npos ? "0" : text, c)) continue;
    SetTextOf(phyto[k], vb::Format(c * 0.157895, "0.00"));
  }
}

void frmEnvironment::txtDispersionSalinity2_LostFocus() {
  // A text that is no number, even with "0" in front, is no salinity either: the same message.
  // Exactly 1 is refused as well: the head of the estuary is taken as 1.
  double s = 0;
  const bool number = vb::ParseNumber("0" + Text(txtDispersionSalinity2), s);
  if (!number || s <= 1) ui::MsgBox(EstuaryHydrodynamics::kSalinityAboveOne, ui::vbOKOnly);
}

// ---- the editor's steps -------------------------------------------------------------------------

void frmEnvironment::BeforeLoad() {
  m_IsLoading = true;
  SetHeight(9200);
  SetWidth(11500);
  if (!elastic_) elastic_ = std::make_unique<class_Elastic>();
  elastic_->Init(this);
}

void frmEnvironment::AfterGetData() {
  const int mode = Mode();
  if (mode == modView || mode == modEdit || mode == modAdd || mode == modCopy)
    CalcUitvoer();
}

void frmEnvironment::AfterLoad() { m_IsLoading = false; }

void frmEnvironment::ResizeControls() {
  if (m_IsLoading || !elastic_) return;
  elastic_->FormResize(this);
}

namespace {

// The columns of Environment in table order, each tied to its control and its field of an
// estuary record.
std::vector<Col> Schedule(const frmEnvironment& f, modTulmo::EstuaryRecord& e) {
  const auto D = [](QLineEdit* field, double& t) { return Col{ColKind::Field, field, Held::Dbl, &t}; };
  const auto S = [](QLineEdit* field, float& t) { return Col{ColKind::Field, field, Held::Sng, &t}; };
  const auto L = [](QLineEdit* field, int32_t& t) { return Col{ColKind::Field, field, Held::Lng, &t}; };
  return {Col{ColKind::Description},
          Col{ColKind::Type},
          D(f.txtSalinitysea, e.Salinitysea),
          D(f.txtDissolvedO21, e.dissolvedo21),
          D(f.txtSilt1, e.Silt1),
          S(f.txtSilt2, e.Silt2),
          S(f.txtPoc1, e.Poc1),
          S(f.txtPoc2, e.Poc2),
          Col{ColKind::PHSea},
          S(f.txtZooBiomass1, e.ZooBiomass1),
          S(f.txtWidthmouth, e.Widthmouth),
          S(f.txtWidthAtX, e.WidthAtX),
          Col{ColKind::Convergence},
          Col{ColKind::SaltIntrusion},
          D(f.txtXfromMouth, e.XfromMouth),
          Col{ColKind::Option},
          L(f.txtDispersionX1, e.DispersionX1),
          L(f.txtDispersionX2, e.DispersionX2),
          S(f.txtFlowriveravg, e.Flowriveravg),
          D(f.txtTideavg, e.Tideavg),
          S(f.txtTidalperiod, e.Tidalperiod),
          D(f.txtTempavg, e.Tempavg),
          D(f.txtChlorophylConc1, e.ChlorophylConc1),
          Col{ColKind::DispersionAvg},
          D(f.txtSedimentationVelocityAvg, e.Sedimentationvelocityavg),
          D(f.txtEstDepth, e.estdepth),
          D(f.txtDispersionSalinity1, e.DispersionSalinity1),
          D(f.txtDispersionSalinity2, e.DispersionSalinity2),
          D(f.txtSilt3, e.Silt3),
          D(f.txtPoc3, e.Poc3),
          D(f.txtDOC1, e.Doc1),
          D(f.txtDOC2, e.Doc2),
          D(f.txtDOC3, e.Doc3),
          D(f.txtPhytoBiomass1, e.PhytoBiomass1),
          D(f.txtFocSed1, e.focsed1),
          D(f.txtChlorophylConc2, e.ChlorophylConc2),
          D(f.txtChlorophylConc3, e.ChlorophylConc3),
          D(f.txtPhytoBiomass2, e.PhytoBiomass2),
          D(f.txtPhytoBiomass3, e.PhytoBiomass3),
          D(f.txtDissolvedO22, e.dissolvedo22),
          D(f.txtDissolvedO23, e.dissolvedo23),
          D(f.txtZooBiomass2, e.ZooBiomass2),
          D(f.txtZooBiomass3, e.ZooBiomass3),
          D(f.txtEstLength, e.EstLength),
          D(f.txtSilt4, e.Silt4),
          D(f.txtPOC4, e.POC4),
          D(f.txtDOC4, e.DOC4),
          D(f.txtFocSed2, e.FOCSed2),
          D(f.txtFocSed3, e.FOCSed3),
          D(f.txtFocSed4, e.FOCSed4),
          D(f.txtEnvMarineLength, e.EnvMarineLength),
          D(f.txtEnvMarineWidth, e.EnvMarineWidth),
          D(f.txtEnvMarineDepth, e.EnvMarineDepth),
          D(f.txtEnvMarineCurrent, e.EnvMarineCurrent),
          D(f.txtThickLayer1, e.ThickLayer1),
          D(f.txtThickLayer2, e.ThickLayer2),
          D(f.txtThickLayer3, e.ThickLayer3),
          D(f.txtThickLayer4, e.ThickLayer4)};
}

std::string HeldText(const Col& c) {
  switch (c.held) {
    case Held::Sng: return vb::SingleText(*static_cast<float*>(c.target));
    case Held::Lng: return std::to_string(*static_cast<int32_t*>(c.target));
    case Held::Dbl: break;
  }
  return vb::DoubleText(*static_cast<double*>(c.target));
}

}  // namespace

bool frmEnvironment::GetData() {
  // The window reads into a record of its own: the program's current estuary is the one the
  // calculation or the result window loaded, and stays so.
  modTulmo::EstuaryRecord e;
  std::string type;
  const bool found = Environment().GetByKey(Id(), modTulmo::EstuaryOutputs(e, type));
  if (!found) return false;
  SetTextOf(txtId, std::to_string(Id()));
  for (const Col& c : Schedule(*this, e)) {
    switch (c.kind) {
      case ColKind::Description:
        SetTextOf(txtDescription, Mode() == modCopy ? e.Description + " (copy)" : e.Description);
        break;
      case ColKind::Type: SetTextOf(txtType, type); break;
      case ColKind::Field: SetTextOf(c.field, HeldText(c)); break;
      case ColKind::Convergence: SetTextOf(txtconvergencelength, vb::SingleText(e.Convergencelength)); break;
      case ColKind::SaltIntrusion: SetTextOf(txtSaltintrusionlengthavg, vb::SingleText(e.Saltintrusionlengthavg)); break;
      case ColKind::DispersionAvg: lblDispersionavg->setText(QString::fromStdString(vb::DoubleText(e.Dispersionavg))); break;
      case ColKind::PHSea:
      case ColKind::Option: break;
    }
  }
  // Selecting an option from here runs its Click handler when the selection changes.
  optDispersion[e.DispersionOption == 0 ? 0 : 1]->setChecked(true);
  EnableSalinityGroup(e.DispersionOption != 0);
  return true;
}

bool frmEnvironment::CheckFields() {
  const auto refuse = [](const std::string& message) {
    ui::MsgBox(message, ui::vbOKOnly);
    return false;
  };
  const auto correct = [](const std::string& message, QLineEdit* field, const char* text) {
    ui::MsgBox(message, ui::vbOKOnly);
    SetTextOf(field, text);
  };
  const std::string mouth = Text(txtWidthmouth);
  if (!Numeric(txtWidthmouth) || Dbl(mouth) <= 0)
    return refuse("Width at mouth (" + mouth + " m) should be a positive numeric value");
  if (Dbl(mouth) > 40000)
    correct("Width at mouth (" + mouth + " m) should not exceed 40.000 m\rValue changed to 40.000 m", txtWidthmouth,
            "40000");
  const std::string atX = Text(txtWidthAtX);
  if (!Numeric(txtWidthAtX) || Dbl(atX) <= 0)
    return refuse("Width at X (" + atX + " m) should be a positive numeric value");
  const std::string x = Text(txtXfromMouth);
  if (!Numeric(txtXfromMouth) || Dbl(x) <= 0)
    return refuse("Distance X from mouth (" + x + " km) should be a positive numeric value");
  const std::string length = Text(txtEstLength);
  if (!Numeric(txtEstLength) || Dbl(length) <= 0) return refuse(modTulmo::NotPositiveLength(length));
  if (Dbl(length) < Dbl(x))
    return refuse("Distance X from mouth (" + x + " km) should less than the estuary length (" + length + "km)");
  const std::string salt = CaptionOf(lblCalcSaltIntrusion);
  if (NumberOrZero(salt) > Dbl(length))
    return refuse("Length of estuary (" + length + " km) must be longer than the Salt Intrusion Length (" + salt +
                  " km)");
  // What is corrected below must first be a number.
  for (QLineEdit* f : {txtFlowriveravg, txtTideavg, txtTidalperiod, txtEstDepth})
    if (!Numeric(f)) return RejectInvalidData(f);
  // A flow against the river is no small flow to be raised.
  const std::string flow = Text(txtFlowriveravg);
  if (Dbl(flow) < 0) return refuse(EstuaryHydrodynamics::NegativeRiverFlow(flow));
  if (Dbl(flow) < 0.01)
    correct("River flow must have a minimum value of 0.01 m/s, value changed to 0.01 m/s", txtFlowriveravg, "0.01");
  if (Dbl(Text(txtTideavg)) < 0.1)
    correct("Tidal height must have a minimum value of 0.1 m, value changed to 0.1 ", txtTideavg, "0.1");
  if (Dbl(Text(txtTidalperiod)) <= 0)
    correct("Tidal period must be positive, value changed to default 12.4 h", txtTidalperiod, "12.4");
  if (Dbl(Text(txtEstDepth)) <= 0.1)
    correct("Depth must have a minimum value of 0.1 m, value changed to 0.1 m ", txtEstDepth, "0.1");
  // The corrected values are computed again; what they cannot give is refused with its reason.
  if (!computedSave_) {
    const std::string reason = CaptionOf(lblWarning);
    return reason.empty() ? RejectInvalidData(nullptr) : refuse(reason);
  }
  return true;
}

std::unique_ptr<dao::Recordset> frmEnvironment::OwnRow() const { return Environment().GetAll({.vlngId = vb::Variant(Id())}); }

bool frmEnvironment::StoreFields() {
  // Every field is converted into a record of the window's own before anything is stored; the
  // first text that does not convert stops the save with nothing changed.
  modTulmo::EstuaryRecord e;
  std::string type;
  for (const Col& c : Schedule(*this, e)) {
    switch (c.kind) {
      case ColKind::Description: e.Description = Text(txtDescription); break;
      case ColKind::Type: type = Text(txtType); break;
      case ColKind::Field: {
        // The salinity points of the default method enter no computation: left empty (as the
        // Clear command leaves them, out of reach), they are stored as 0.
        if (optDispersion[0]->isChecked() && InSalinityGroup(c.field) && c.field->text().trimmed().isEmpty()) {
          if (c.held == Held::Lng) *static_cast<int32_t*>(c.target) = 0;
          else *static_cast<double*>(c.target) = 0;
          break;
        }
        if (c.held == Held::Dbl) *static_cast<double*>(c.target) = editors::FieldDouble(c.field);
        else if (c.held == Held::Sng) *static_cast<float*>(c.target) = editors::FieldSingle(c.field);
        else *static_cast<int32_t*>(c.target) = editors::FieldLong(c.field);
        break;
      }
      case ColKind::PHSea: e.Phsea = 8; break;
      case ColKind::Convergence: e.Convergencelength = vb::CSng(vb::Variant(CaptionOf(lblCalcConvergence))); break;
      case ColKind::SaltIntrusion: e.Saltintrusionlengthavg = vb::CSng(vb::Variant(CaptionOf(lblCalcSaltIntrusion))); break;
      case ColKind::Option: e.DispersionOption = optDispersion[0]->isChecked() ? 0 : 1; break;
      case ColKind::DispersionAvg: e.Dispersionavg = vb::CDbl(vb::Variant(CaptionOf(lblDispersionavg))); break;
    }
  }
  const Environment::Values values = modTulmo::EstuaryValues(e, type);
  if (Mode() == modEdit) return Environment().Update(vb::Variant(Id()), values);
  if (AddingMode()) {
    SetId(Environment().Add(values, true));
    if (Id() == -1) return false;
    SetTextOf(txtId, std::to_string(Id()));
  }
  return true;
}

void frmEnvironment::ApplyMode() {
  const int mode = Mode();
  if (mode == modView) {
    SetModeCaption();
    ApplyViewMode(true);
    return;
  }
  if (mode != modEdit && mode != modAdd && mode != modCopy) return;
  SetModeCaption();
  cmdOK->setVisible(true);
  EnableAllControls(true);
  lblId->setVisible(false);
  txtId->setVisible(false);
  SetTextOf(txtType, "user");
  EnableSalinityGroup(mode != modAdd && optDispersion[1]->isChecked());
  // The computation of the load decides, as every later one: a Save that could only fail, with
  // the reason in the warning label, stays out of use.
  cmdOK->setEnabled(computedSave_);
  cmdCreateGrid->setEnabled(computedSave_);
}

void frmEnvironment::UpdateParent() {
  gblnEstuariesChanged = true;
  const std::string descr = Text(txtDescription);
  if (Mode() == modEdit)
    UpdateSelectedRow({{1, descr}});
  else if (AddingMode())
    AddParentRow(vb::Format(vb::CDbl(vb::Variant(Text(txtId))), "0000"), {descr, Text(txtType)});
}

void frmEnvironment::ClearFields() {
  // Only what the user sees and types: the type, the marine box and the stored characteristics
  // are never shown, and emptied they could not be saved again.
  modTulmo::EstuaryRecord unused;
  for (const Col& c : Schedule(*this, unused)) {
    switch (c.kind) {
      case ColKind::Description: txtDescription->clear(); break;
      case ColKind::Field:
        if (c.field->isVisibleTo(this)) c.field->clear();
        break;
      case ColKind::Option: optDispersion[0]->setChecked(true); break;
      case ColKind::Type:
      case ColKind::Convergence:
      case ColKind::SaltIntrusion:
      case ColKind::DispersionAvg:
      case ColKind::PHSea: break;
    }
  }
}

bool frmEnvironment::RefusesEdit() {
  // The type as stored: this window shows "user" for every estuary it edits.
  std::string type;
  Environment().GetByKey(Id(), {.rstrType = type});
  if (GenericEstuaryType(type)) {
    ui::MsgBox(kGenericEstuaryEditRefusal);
    return true;
  }
  return RefusedAsUsed(RunColumn::EnvirID);
}
