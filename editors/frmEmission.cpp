// The emission editor. Numbers are kept as typed and converted when saved; none has a range check.
#include "editors/frmEmission.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include "platform/ui/Twips.h"
#include "records/Emission.h"
#include "runtime/Variant.h"
#include "shell/Globals.h"

namespace {

const editors::EditorSpec kSpec{"frmEmission",
                                "Get_Emissionid",
                                "Let_Emissionid",
                                {"View emission - properties", "Edit emission - properties",
                                 "Add new emission - properties", "Copy emission - properties"},
                                true,
                                225};

// The plan of the estuary beside the fields: the sea box on the left, the funnel narrowing to the
// river on the right, and the points where the loads enter.
QPixmap EstuaryPlan() {
  QPixmap pm(279, 263);
  pm.fill(Qt::white);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  const QColor water(90, 150, 220);
  p.setPen(QPen(QColor(30, 70, 140), 1.5));
  p.setBrush(water);
  p.drawRect(8, 40, 62, 180);  // the sea box
  // The funnel from the mouth (x 70) to the river (x 262).
  QPainterPath funnel;
  funnel.moveTo(70, 70);
  funnel.cubicTo(140, 100, 200, 118, 262, 124);
  funnel.lineTo(262, 136);
  funnel.cubicTo(200, 142, 140, 160, 70, 190);
  funnel.closeSubpath();
  p.drawPath(funnel);
  p.drawRect(262, 124, 12, 12);  // the river
  p.setPen(Qt::black);
  p.setBrush(QColor(200, 30, 30));
  QFont f = p.font();
  f.setPixelSize(10);
  p.setFont(f);
  const auto point = [&](double x, double y, const QString& text, double tx, double ty) {
    p.drawEllipse(QPointF(x, y), 4, 4);
    p.drawText(QPointF(tx, ty), text);
  };
  point(39, 130, "marine", 22, 112);
  const double span = 262 - 70;
  point(70 + 0.125 * span, 130, "1 (12.5%)", 80, 95);
  point(70 + 0.25 * span, 130, "2 (25%)", 112, 175);
  point(70 + 0.5 * span, 130, "3 (50%)", 150, 110);
  point(70 + 0.75 * span, 130, "4 (75%)", 200, 160);
  point(270, 130, "river", 240, 112);
  return pm;
}

}  // namespace

frmEmission::frmEmission() : editors::RecordEditor(kSpec) {
  SetDesignClientSize(9900, 6000);
  txtEmissionid = AddText(this, "txtEmissionid", "Emissionid", 240, 240, 2400, 1300);
  lblEmissionid = findChild<QLabel*>("lblEmissionid");
  txtDescription = AddText(this, "txtDescription", "Description", 240, 600, 2400, 6900);
  double top = 1080;
  const auto row = [&](const char* name, const char* caption, const char* unit) {
    QLineEdit* f = AddText(this, name, caption, 240, top, 2400, 1300, unit);
    SetTextOf(f, "0");
    top += 360;
    return f;
  };
  txtLoad1 = row("txtLoad1", "Load at location 4", "kg/y");
  txtLoad2 = row("txtLoad2", "Load at location 3", "kg/y");
  txtLoad3 = row("txtLoad3", "Load at location 2", "kg/y");
  txtLoad4 = row("txtLoad4", "Load at location 1", "kg/y");
  txtLoadatmos = row("txtLoadatmos", "Atmospheric load", "g/km2/y");
  txtLoad5 = row("txtLoad5", "Direct marine emission", "kg/y");
  txtLoad5->setToolTip("TGD : 1% of inland emissions");
  txtEmRiverConc = row("txtEmRiverConc", "Concentration in river", "ug/l");
  txtEmSeaConc = row("txtEmSeaConc", "Concentration in sea", "ug/l");
  AddLabel(this, "lblHistorical", "Historical sediment concentration", 240, top + 60, 4000);
  top += 360;
  txtSedBack = row("txtSedBack", "Concentration in sed.", "ug/g");
  txtSedBack->setToolTip("Minimum concentration in sediment due to historical contamination");

  Frame1 = new QGroupBox(this);
  Frame1->setObjectName("Frame1");
  ui::Place(Frame1, 240, top, 4000, 300);
  for (int i = 0; i < 5; ++i) {
    const std::string n = std::to_string(i + 1);
    txtGridnr[static_cast<std::size_t>(i)] = AddText(Frame1, ("txtGridnr" + n).c_str(), "Gridnr" + n, 5000, 0, 600, 600);
    SetTextOf(txtGridnr[static_cast<std::size_t>(i)], "0");
  }
  txtEmdummy4 = AddText(Frame1, "txtEmdummy4", "Emdummy4", 5000, 0, 600, 600);
  txtEmdummy5 = AddText(Frame1, "txtEmdummy5", "Emdummy5", 5000, 0, 600, 600);
  SetTextOf(txtEmdummy4, "0");
  SetTextOf(txtEmdummy5, "0");
  Frame1->setVisible(false);

  Image1 = new QLabel(this);
  Image1->setObjectName("Image1");
  Image1->setPixmap(EstuaryPlan());
  ui::Place(Image1, 5400, 1080, 279 * ui::kTwipsPerPixel, 263 * ui::kTwipsPerPixel);
}

std::array<QLineEdit*, 16> frmEmission::NumericFields() const {
  return {txtGridnr[0], txtGridnr[1], txtGridnr[2], txtGridnr[3], txtGridnr[4], txtLoad1,
          txtLoad2,     txtLoad3,     txtLoad4,     txtLoad5,     txtLoadatmos, txtEmRiverConc,
          txtEmSeaConc, txtSedBack,   txtEmdummy4,  txtEmdummy5};
}

bool frmEmission::GetData() {
  std::string descr;
  std::array<double, 16> v{};
  Emission::Outputs o;
  auto members = o.Members();
  *members[0] = records::OutRef(descr);
  for (std::size_t i = 0; i < 16; ++i) *members[i + 1] = records::OutRef(v[i]);
  if (!Emission().GetByKey(Id(), o)) return false;
  SetTextOf(txtEmissionid, std::to_string(Id()));
  SetTextOf(txtDescription, Mode() == modCopy ? descr + " (copy)" : descr);
  const auto fields = NumericFields();
  for (std::size_t i = 0; i < 16; ++i) SetTextOf(fields[i], vb::DoubleText(v[i]));
  return true;
}

std::unique_ptr<dao::Recordset> frmEmission::OwnRow() const { return Emission().GetAll({.vlngEmissionid = vb::Variant(Id())}); }

bool frmEmission::StoreFields() {
  // Every box is converted before anything is stored. The program's current emission is left
  // alone: it holds what the calculation or the result window loaded, not what this window shows.
  Emission::Values v;
  auto members = v.Members();
  *members[0] = vb::Variant(TextOf(txtDescription));
  const auto fields = NumericFields();
  for (std::size_t i = 0; i < 16; ++i) *members[i + 1] = vb::Variant(editors::FieldDouble(fields[i]));
  if (Mode() == modEdit) return Emission().Update(vb::Variant(Id()), v, true);
  if (AddingMode()) {
    SetId(Emission().Add(v, true));
    if (Id() == -1) return false;
    SetTextOf(txtEmissionid, std::to_string(Id()));
  }
  return true;
}

bool frmEmission::RefusesEdit() { return RefusedAsUsed(RunColumn::EmisID); }

void frmEmission::ApplyMode() {
  if (ViewMode()) {
    SetModeCaption();
    ApplyViewMode(true);
  } else if (Mode() == modEdit || AddingMode()) {
    SetModeCaption();
    cmdOK->setVisible(true);
    EnableAllControls(true);
    lblEmissionid->setVisible(false);
    txtEmissionid->setVisible(false);
  }
}

void frmEmission::UpdateParent() {
  gblnEmissionsChanged = true;
  const std::string descr = TextOf(txtDescription);
  if (Mode() == modEdit)
    UpdateSelectedRow({{1, descr}});
  else if (AddingMode())
    AddParentRow(TextOf(txtEmissionid), {descr});
}

void frmEmission::ClearFields() {
  // The grid numbers and the two reserved columns are never shown: they keep the record's values.
  txtDescription->clear();
  ClearShownFields(NumericFields());
}
