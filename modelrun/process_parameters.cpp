// Block 7 of the engine input: the 61 process constants of the compound, the estuary, the emission
// and the food chain, three parameters with defaults, no functions. Four constants are computed
// here; a molar mass the square root cannot take stops the file before the Kl line.
#include <string>

#include "modelrun/internal.h"
#include "modelrun/modTulmo.h"
#include "runtime/Math.h"

namespace modTulmo::detail {
namespace {

void WriteLines(vb::TextWriter& out, std::initializer_list<const char*> lines) {
  for (const char* line : lines) out.WriteLine(line);
}

// A value line: ten blanks (nine for Atmos), the value and its comment.
void Value(vb::TextWriter& out, const std::string& value, const char* comment, int indent = 10) {
  out.WriteLine(std::string(indent, ' ') + value + comment);
}

}  // namespace

void WriteProcessParameters(vb::TextWriter& out) {
  const CompoundRecord& c = CurrentCompound;
  const EmissionRecord& em = CurrentEmission;
  const EstuaryRecord& e = CurrentEstuary;
  const AdvancedDetailRecord& d = CurrentAdvancedDetail;

  WriteLines(out, {
      "; seventh block of model input (process parameters)",
      ";",
      "; constants",
      "      61                   ; nr of  constants",
      "         'Istype'          ; 1 = HM,2 = OMP",
      "         'Kd    '          ; partition coefficient                     (l/g)",
      "         'KPOC'            ; Partition coefficient                (10 logl/kgOC)",
      "         'XDOC'            ; Xdoc-relative to POC                     (-)",
      "         'He  '            ; Henry constant                          (Pa/m^3mol)",
      "         'Kl  '            ; Mass transfer coefficient in liquid phase (m/d)",
      "         'Kg  '            ; Mass transfer coefficient in gas phase    (m/d)",
      "         'RWM '            ; Degradation rate in water                 (1/d)",
      "         'RSM '            ; Degradation rate in sediment              (1/d)",
      "         'Vsed'            ; sedimentation velocity                    (m/d)",
      "         'Temp'            ; Water temperature                         (C)",
      "         'Atmos'           ; Atmospheric deposition                    (g/km2/yr)",
      "         'SS-1  '          ; suspended solids zone 1                   (mg/l)",
      "         'SS-2  '          ; suspended solids zone 2                   (mg/l)",
      "         'SS-3  '          ; suspended solids zone 3                   (mg/l)",
      "         'SS-4  '          ; suspended solids zone 4 -marine           (mg/l)",
      "         'POC-1 '          ; particulate organic carbon  z1          (mgOC/l)",
      "         'POC-2 '          ; particulate organic carbon  z2          (mgOC/l)",
      "         'POC-3 '          ; particulate organic carbon  z3          (mgOC/l)",
      "         'POC-4 '          ; particulate organic carbon  marine      (mgOC/l)",
      "         'DOC-1 '          ; dissolved organic carbon                (mg/l)",
      "         'DOC-2 '          ; dissolved organic carbon                (mg/l)",
      "         'DOC-3 '          ; dissolved organic carbon                (mg/l)",
      "         'DOC-4 '          ; dissolved organic carbon 4 marine       (mg/l)",
      "         'MLAAG-1'         ; tickness mixing layer                   (m)",
      "         'MLAAG-2'         ; tickness mixing layer                   (m)",
      "         'MLAAG-3'         ; tickness mixing layer                   (m)",
      "         'MLAAG-4'         ; tickness mixing layer                   (m)",
      "         'FRCSED-1'        ; fraction OC in sediment                 (-)",
      "         'FRCSED-2'        ; fraction OC in sediment                 (-)",
      "         'FRCSED-3'        ; fraction OC in sediment                 (-)",
      "         'FRCSED-4'        ; fraction OC in sediment                 (-)",
      "         'DENSED'          ; density sediment                        (kg/m3)",
      "         'CBACK'           ; historic backgound conc                (ug/g)",
      ";",
      "; biota",
      "          'O2-1'         ; o2               zone 1                 (mg/l)",
      "          'O2-2'         ; o2               zone 2                 (mg/l)",
      "          'O2-3'         ; o2               zone 3                 (mg/l)",
      "          'chl-1'        ; chl              zone 1                 (ugchl/l)",
      "          'chl-2'        ; chl              zone 2                 (ugchl/l)",
      "          'chl-3'        ; chl              zone 3                 (ugchl/l)",
      "          'phy-1'        ; phy              zone 1                 (mgc/l)",
      "          'phy-2'        ; phy              zone 2                 (mgc/l)",
      "          'phy-3'        ; phy              zone 3                 (mgc/l)",
      "          'zoo-1'        ; zoo              zone 1                 (mgOC/l)",
      "          'zoo-2'        ; zoo              zone 2                 (mgOC/l)",
      "          'zoo-3'        ; zoo              zone 3                 (mgOC/l)",
      "          'logkow'         ; kogkow                                  (      )",
      "          'alfa'           ; alfa                                    (      )",
      "          'lip'            ; lip                                     (      )",
      "          'betaprey'       ; betaprey                                (      )",
      "          'betadet'        ; betadet                                 (      )",
      "          'biotr_zoo'      ; biotrans_zoo                            (      )",
      "          'biotr_sec'      ; biotrans_secprod                        (      )",
      "          'biotr_rnd'      ; biotrans_round                          (      )",
      "          'biotr_org1'     ; biotrans_org1                           (      )",
      "          'biotr_org2'     ; biotrans_org2                           (      )",
      "          'w_zoo'          ; weight_zoo                               (      )",
      "          'w_sec'          ; weight_secprod                           (      )",
      "          'w_rnd'          ; weight_round                             (      )",
      "          'w_org1t'        ; weight_org1tel                           (      )",
      "          'w_orgd'         ; weight_org1dab                           (      )",
      ";",
      "         5*1.0",
      "         5*1.16e-5       ; scale factor 1/day --> 1/s",
      "        24*1.0           ;",
      "        27*1.0           ;",
      ";",
  });

  Value(out, Num(static_cast<double>(c.Cmpistype), "0"),
        "              ; type                                    (-  ) ; .........> Let op !!");
  Value(out, Num(c.Cmpkd, "0.00##E-#0"), "        ; Kd                                      (l/g)");
  Value(out, Num(c.Cmpkoc, "0.00##E-#0"), "        ; Partition coefficient OC                (10logl/kgOC)");
  out.WriteLine("          0.16           ; Xdoc-relative to POC                     (-)     ;");
  Value(out, Num(c.cmphe, "0.00##E-#0"), "       ; Henry constant                        (Pa/m^3mol)");

  // Mass transfer coefficients scale with the inverse root of the molar mass.
  {
    const double root48 = vb::Sqr(48), rootMolmass = vb::Sqr(c.Cmpmolmass);
    const double Kl = vb::Div(vb::Checked(root48 * 4.8), rootMolmass);
    Value(out, Num(Kl, "0.00##E+00"), "     ; Mass transfer coefficient in liquid phase (m/d)  ;");
  }
  {
    const double root18 = vb::Sqr(18), rootMolmass = vb::Sqr(c.Cmpmolmass);
    const double Kg = vb::Div(vb::Checked(root18 * 720), rootMolmass);
    Value(out, Num(Kg, "0.00##E+00"), "        ; Mass transfer coefficient in gas phase    (m/d)  ; ");
  }
  const double RWM = vb::Checked(vb::Checked(c.Cmpdegrhydwater + c.Cmpdegrbiowater) + c.Cmpdegrphowater);
  Value(out, Num(RWM, "0.00##E-#0"), "          ; Degradation rate in water (1/d)");
  const double RSM = vb::Checked(vb::Checked(c.Cmpdegrhydsed + c.Cmpdegrbiosed) + c.Cmpdegrphosed);
  Value(out, Num(RSM, "0.00##E-#0"), "            ; Degradation rate in sediment  (1/d)");

  Value(out, Num(e.Sedimentationvelocityavg, "0.00#"), "            ; sedimentation velocity                    (m/d)");
  Value(out, Num(e.Tempavg, "0.00"), "             ; Water temperature                         (C)");
  Value(out, Num(em.Loadatmos, "0.00##E+00"), "             ; Atmospheric deposition                  (g/km2/yr)", 9);

  struct ValueLine {
    const std::string value;
    const char* comment;
  };
  auto zoneLines = [&](std::initializer_list<ValueLine> zones) {
    for (const ValueLine& z : zones) Value(out, z.value, z.comment);
  };
  zoneLines({
      {Num(e.Silt1, "0.00"), "             ; suspended solids zone 1                 (mg/l)"},
      {Num(e.Silt2, "0.00"), "             ; suspended solids zone 2                 (mg/l)"},
      {Num(e.Silt3, "0.00"), "             ; suspended solids zone 3                 (mg/l)"},
      {Num(e.Silt4, "0.00"), "             ; suspended solids zone 4                 (mg/l)"},
      {Num(e.Poc1, "0.00"), "             ; POC              zone 1                 (mg/l)"},
      {Num(e.Poc2, "0.00"), "             ; POC              zone 2                 (mg/l)"},
      {Num(e.Poc3, "0.00"), "             ; POC              zone 3                 (mg/l)"},
      {Num(e.POC4, "0.00"), "             ; POC              zone 4                 (mg/l)"},
      {Num(e.Doc1, "0.00"), "             ; DOC              zone 1                 (mg/l)"},
      {Num(e.Doc2, "0.00"), "             ; DOC              zone 2                 (mg/l)"},
      {Num(e.Doc3, "0.00"), "             ; DOC              zone 3                 (mg/l)"},
      {Num(e.DOC4, "0.00"), "             ; DOC              zone 4                 (mg/l)"},
      {Num(e.ThickLayer1, "0.00"), "             ; mixing layer     zone 1                (m)"},
      {Num(e.ThickLayer2, "0.00"), "             ; mixing layer     zone 2                (m)"},
      {Num(e.ThickLayer3, "0.00"), "             ; mixing layer     zone 3                (m)"},
      {Num(e.ThickLayer4, "0.00"), "             ; mixing layer     zone 4                (m)"},
      {Num(e.focsed1, "0.00"), "           ; fraction OC in sediment   zone 1        (-)"},
      {Num(e.FOCSed2, "0.00"), "           ; fraction OC in sediment   zone 2        (-)"},
      {Num(e.FOCSed3, "0.00"), "           ; fraction OC in sediment   zone 3        (-)"},
      {Num(e.FOCSed4, "0.00"), "           ; fraction OC in sediment   zone 4        (-)"},
  });
  out.WriteLine("          1000           ; density sediment                        (kg/m3)");
  Value(out, Num(em.SedBack, "0.000E+00"), "            ; historic background conc               (ug/g)");
  out.WriteLine("; biota");
  zoneLines({
      {Num(e.dissolvedo21, "0.000"), "            ; o2               zone 1                 (mg/l)"},
      {Num(e.dissolvedo22, "0.000"), "            ; o2               zone 2                 (mg/l)"},
      {Num(e.dissolvedo23, "0.000"), "            ; o2               zone 3                 (mg/l)"},
      {Num(e.ChlorophylConc1, "0.000"), "           ; chl              zone 1                 (ugchl/l)"},
      {Num(e.ChlorophylConc2, "0.000"), "           ; chl              zone 2                 (ugchl/l)"},
      {Num(e.ChlorophylConc3, "0.000"), "           ; chl              zone 3                 (ugchl/l)"},
      {Num(e.PhytoBiomass1, "0.0000"), "           ; phy              zone 1                 (mg/l)"},
      {Num(e.PhytoBiomass2, "0.0000"), "           ; phy              zone 2                 (mg/l)"},
      {Num(e.PhytoBiomass3, "0.0000"), "           ; phy              zone 3                 (mg/l)"},
      {Num(e.ZooBiomass1, "0.0000"), "           ; zoo              zone 1                 (mg/l)"},
      {Num(e.ZooBiomass2, "0.0000"), "           ; zoo              zone 2                 (mg/l)"},
      {Num(e.ZooBiomass3, "0.0000"), "           ; zoo              zone 3                 (mg/l)"},
      {Num(c.Cmpkow, "0.00E+00"), "           ; logkow                                  (    )  "},
      {Num(c.Alphawater, "0.0000"), "          ; alfa                                    (  )    "},
  });
  out.WriteLine("          0.045          ; lip                                     (g/g)   ");
  zoneLines({
      {Num(c.Betaprey, "0.00"), "           ; betaprey                                (      )"},
      {Num(c.Betadet, "0.00"), "           ; betadet                                 (      )"},
      {Num(c.BioTransZoo, "0.000"), "              ; biotrans_zoo                            (      )"},
      {Num(c.BioTransSecProd, "0.000"), "              ; biotrans_secprod                        (      )"},
      {Num(c.BioTransRound, "0.000"), "              ; biotrans_round                          (      )"},
      {Num(c.BioTransOrg1Tel, "0.000"), "              ; biotrans_org1                           (      )"},
      {Num(c.BioTransOrg2Dab, "0.000"), "              ; biotrans_org2                           (      )"},
      {Num(d.Weight_zoopl, "0.0000"), "          ; weight_zoo                              ( ug )"},
      {Num(d.Weight_secprod, "0.0000"), "          ; weight_secprod                          ( mg   )"},
      {Num(d.Weight_roundfish, "0.0000"), "          ; weight_round                            ( g    )"},
      {Num(d.Weight_org1tel, "0.0000"), "            ; weight_org1tel                          ( mg   )"},
      {Num(d.Weight_org2dab, "0.0000"), "            ; weight_org1dab"},
  });

  WriteLines(out, {
      ";",
      "; parameters",
      "  3 ; number of parameters",
      "  1 ; info in this file",
      "  'SURF'",
      "  'Fdis'",
      "  'FPoc'",
      "    2                       ; defaults with overridings",
      "  3*1.0                     ; scaling factors",
      "  3*0.0                     ; values",
      "    0                       ; overridings",
      ";",
      "; functions",
      " 0  ; number of functions",
      ";",
      "; segment-functions",
      " 0  ; number of segment-functions",
      ";",
      "#7 ; delimiter for the seventh block",
  });
}

}  // namespace modTulmo::detail
