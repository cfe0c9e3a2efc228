// The run data file and the run report of the run shown, and the copies of its result layer.
#include "results/RunFiles.h"

#include <algorithm>
#include <string>

#include "runtime/Files.h"
#include "runtime/Format.h"
#include "runtime/Variant.h"
#include "runtime/VbError.h"
#include "services/DIOUtils.h"

using namespace modTulmo;

namespace {
std::string Id(int32_t runid) { return std::to_string(runid); }


std::string Sci(float v) { return vb::Format(static_cast<double>(v), "0.000E+00"); }

// A line written with tab stops: an item placed at a column that the line has passed goes on
// the next line at that column.
class Line {
 public:
  explicit Line(vb::TextWriter& out) : out_(out) {}
  void Tab(size_t column) {
    if (text_.size() + 1 > column) {
      out_.WriteLine(text_);
      text_.clear();
    }
    text_.append(column - 1 - text_.size(), ' ');
  }
  void Put(const std::string& s) { text_ += s; }
  void End() {
    out_.WriteLine(text_);
    text_.clear();
  }

 private:
  vb::TextWriter& out_;
  std::string text_;
};

void ValueLine(vb::TextWriter& out, const std::string& label, const std::string& value, const std::string& unit) {
  Line l(out);
  l.Put(label);
  l.Tab(50);
  l.Put(" : " + value + unit);
  l.End();
}
void FixedLine(vb::TextWriter& out, const std::string& label, const std::string& valuePart) {
  Line l(out);
  l.Put(label);
  l.Tab(50);
  l.Put(valuePart);
  l.End();
}
std::string D(double v) { return vb::DoubleText(v); }
std::string S(float v) { return vb::SingleText(v); }
}  // namespace

// ---------------------------------------------------------------- run data file

namespace RunFiles {

LayerCopy CopyLayer(int32_t runid) {
  LayerCopy copy;
  for (const char* ext : {".shx", ".shp", ".dbf"}) {
    try {
      vb::FileCopy(std::string("map") + ext, Id(runid) + ext);
      copy.Written.push_back(Id(runid) + ext);
    } catch (...) {
      if (!copy.Failure) copy.Failure = std::current_exception();
    }
  }
  return copy;
}

void WriteRunData(int32_t runid, bool biota) {
  static const char* const titles[10] = {
      "Salinity (psu)",
      "Total concentration (ug/l)",
      "Dissolved concentration (ug/l)",
      "Adsorbed concentration in suspended solids (ug/g dry weight)",
      "Sediment concentration  (ug/g dry weight)",
      "Concentration in zooplankton (ng/g dry weight)",
      "Concentration in secundairy consumers (ng/g dry weight)",
      "Concentration in round fish (ng/g dry weight)",
      "Concentration in tellina (ng/g dry weight)",
      "Concentration in benthic fish (ng/g dry weight)"};
  vb::TextWriter out(Id(runid) + "-data.txt");
  out.WriteLine("Data seperator is ;");
  out.WriteLine("Data starts at south bank at sea border and has 10 gridcells going across the estuary to the north");
  out.WriteLine("Next line start at south bank, one gridcell further up the river");
  out.WriteLine("Thus the first data line shows transect at the sea border, the last one shows the river border");
  out.WriteLine("Grid data is given per compound");
  for (int k = 0; k < nosys; ++k) {
    if (k == 5 && !biota) break;
    if (k < 10) out.WriteLine(titles[k]);
    for (int i = 0; i <= noseg - 1; i += 10) {
      std::string line;
      for (int c = 0; c < 10; ++c) {
        if (c == 1) line += "; ";
        else if (c > 1) line += ";";
        line += Sci(ResultGrid(k, i + c));
      }
      out.WriteLine(line);
    }
  }
  out.Close();
}

// ---------------------------------------------------------------- run report

void WriteRunReport(int32_t runid, bool biota, const RunRecords& records,
                    const std::function<std::string(const std::string&)>& caption,
                    const std::vector<std::string>& shapeFiles) {
  const CompoundRecord& c = records.Compound;
  const EmissionRecord& e = records.Emission;
  const EstuaryRecord& s = records.Estuary;
  vb::TextWriter out(Id(runid) + "-report.txt");
  out.WriteLine("Report file TULMO model");
  out.WriteLine("Creation date : " + vb::DateText(vb::Now()));
  out.WriteLine("");
  out.WriteLine("Compound definition");
  struct V {
    const char* label;
    std::string value;
    const char* unit;
  };
  const V compound[] = {{"Compound ", c.Cmpdescr, ""},
                        {"Compound name ", c.Cmpname, ""},
                        {"CAS number ", c.CASnr, ""},
                        {"Molecular mass ", D(c.Cmpmolmass), " (g/mol)"},
                        {"Vapour pressure ", D(c.Cmpvappress), " (Pa)"},
                        {"Solubility ", D(c.Cmpsol), " (g/m3)"},
                        {"log(Kow) ", S(c.Cmpkow), ""},
                        {"log(Kd) ", D(c.Cmpkd), ""},
                        {"log(Koc) ", D(c.Cmpkoc), ""},
                        {"Henry's coeff. ", D(c.cmphe), " (Pa/m3*mol)"},
                        {"Melting temp ", D(c.Cmptmelt), " (oC)"},
                        {"pKa ", D(c.Cmppka), ""},
                        {"Biodegradation rate water ", D(c.Cmpdegrbiowater), " (1/day)"},
                        {"Degradation rate water ", D(c.Cmpdegrhydwater), " (1/day)"},
                        {"Photolysis rate water ", D(c.Cmpdegrphowater), " (1/day)"},
                        {"Biodegradation rate sediment ", D(c.Cmpdegrbiosed), " (1/day)"},
                        {"Degradation rate sediment ", D(c.Cmpdegrhydsed), " (1/day)"},
                        {"Photolysis rate sediment ", D(c.Cmpdegrphosed), " (1/day)"},
                        {"Assimilation efficiency water ", D(c.Alphawater), " (-/-)"},
                        {"Assimilation efficiency prey ", D(c.Betaprey), " (-/-)"},
                        {"Assimilation efficiency detritus ", D(c.Betadet), " (-/-)"},
                        {"Biotransformation correction zooplankton ", D(c.BioTransZoo), " (-/-)"},
                        {"Biotransformation correction sec. prod ", D(c.BioTransSecProd), " (-/-)"},
                        {"Biotransformation correction round fish ", D(c.BioTransRound), " (-/-)"},
                        {"Biotransformation correction Tellina ", D(c.BioTransOrg1Tel), " (-/-)"},
                        {"Biotransformation correction Dab ", D(c.BioTransOrg2Dab), " (-/-)"}};
  for (const V& v : compound) ValueLine(out, v.label, v.value, v.unit);
  out.WriteLine("");
  out.WriteLine("Emission definition");
  const V emission[] = {{"Emission description ", e.Description, ""},
                        {"Load at 75 % of estuary length from mouth ", D(e.Load1), " (kg/y)"},
                        {"Load at 50 % of estuary length from mouth ", D(e.Load2), " (kg/y)"},
                        {"Load at 25 % of estuary length from mouth ", D(e.Load3), " (kg/y)"},
                        {"Load at 12 % of estuary length from mouth ", D(e.Load4), " (kg/y)"},
                        {"Atmospheric deposition ", D(e.Loadatmos), " (g/km2/y)"},
                        {"Concentration in river (average)", D(e.EmRiverConc), " (ug/l)"},
                        {"Concentration in sea (average)", D(e.EmSeaConc), " (ug/l)"},
                        {"Historical background conc. in sediment ", D(e.SedBack), " (ug/g)"}};
  for (const V& v : emission) ValueLine(out, v.label, v.value, v.unit);
  out.WriteLine("");
  out.WriteLine("Estuary definition");
  const V estuaryHead[] = {{"Description ", s.Description, ""},
                           {"River flow ", S(s.Flowriveravg), " (m3/s)"},
                           {"Tidal range ", D(s.Tideavg), " (m)"},
                           {"Tidal period ", S(s.Tidalperiod), " (h)"},
                           {"Length of estuary ", D(s.EstLength), " (km)"},
                           {"Estuary depth ", D(s.estdepth), " (m)"},
                           {"Width at mouth ", S(s.Widthmouth), " (m)"},
                           {"Width at distance X from mouth ", S(s.WidthAtX), " (m)"},
                           {"Distance location X from mouth ", D(s.XfromMouth), " (km)"},
                           {"Convergence length  (calculated) ", S(s.Convergencelength), " (km)"},
                           {"Salt intrusion length (calculated) ", S(s.Saltintrusionlengthavg), " (km)"}};
  for (const V& v : estuaryHead) ValueLine(out, v.label, v.value, v.unit);
  if (s.DispersionOption == 0) {
    FixedLine(out, "Dispersion option              ", " : default");
    ValueLine(out, "Dispersion at mouth ", D(s.Dispersionavg), " (m2/s)");
  } else {
    FixedLine(out, "Dispersion option ", " : based on salinity measurements");
    ValueLine(out, "Dispersion at mouth ", D(s.Dispersionavg), " (m2/s)");
    ValueLine(out, "Distance from mouth at first salinity value ", std::to_string(s.DispersionX1), " (km)");
    ValueLine(out, "First salinity value ", D(s.DispersionSalinity1), " (psu)");
    ValueLine(out, "Distance from mouth at second salinity value", std::to_string(s.DispersionX2), " (km)");
    ValueLine(out, "Second salinity value ", D(s.DispersionSalinity2), " (psu)");
  }
  const V estuaryTail[] = {{"Sedimentation velocity (nett) ", D(s.Sedimentationvelocityavg), " (m/d)"},
                           {"Salinity sea ", D(s.Salinitysea), ""},
                           {"Temperature (avg) ", D(s.Tempavg), " (oC)"},
                           {"Fraction organic material in sediment ", D(s.focsed1), " (-/-)"},
                           {"Dissolved oxygen fresh zone ", D(s.dissolvedo21), " (mg/l)"},
                           {"Dissolved oxygen intermediate zone ", D(s.dissolvedo22), " (mg/l)"},
                           {"Dissolved oxygen saline zone ", D(s.dissolvedo23), " (mg/l)"},
                           {"Suspended solids fresh zone ", D(s.Silt1), " (mg/l)"},
                           {"Suspended solids intermediate zone ", S(s.Silt2), " (mg/l)"},
                           {"Suspended solids saline zone ", D(s.Silt3), " (mg/l)"},
                           {"Particulate organic carbon fresh zone ", S(s.Poc1), " (mg/l)"},
                           {"Particulate organic carbon intermediate zone", S(s.Poc2), " (mg/l)"},
                           {"Particulate organic carbon saline zone ", D(s.Poc3), " (mg/l)"},
                           {"Dissolved organic carbon fresh zone ", D(s.Doc1), " (mg/l)"},
                           {"Dissolved organic carbon intermediate zone ", D(s.Doc2), " (mg/l)"},
                           {"Dissolved organic carbon saline zone ", D(s.Doc3), " (mg/l)"},
                           {"Zooplankton biomass fresh zone ", S(s.ZooBiomass1), " (mg/l)"},
                           {"Zooplankton biomass intermediate zone ", D(s.ZooBiomass2), " (mg/l)"},
                           {"Zooplankton biomass saline zone ", D(s.ZooBiomass3), " (mg/l)"},
                           {"Phytoplankton fresh zone ", D(s.PhytoBiomass1), " (mg/l)"},
                           {"Phytoplankton intermediate zone ", D(s.PhytoBiomass2), " (mg/l)"},
                           {"Phytoplankton saline zone ", D(s.PhytoBiomass3), " (mg/l)"},
                           {"Chlorophyl fresh zone ", D(s.ChlorophylConc1), " (ug/l)"},
                           {"Chlorophyl intermediate zone ", D(s.ChlorophylConc2), " (ug/l)"},
                           {"Chlorophyl saline zone ", D(s.ChlorophylConc3), " (ug/l)"}};
  for (const V& v : estuaryTail) ValueLine(out, v.label, v.value, v.unit);
  out.WriteLine("");
  out.WriteLine("Results");
  struct L {
    const char* label;
    const char* control;
    const char* unit;
  };
  const L salinity[] = {{"Salinity (average) ", "lblAveSal", " (psu)"},
                        {"Salinity (95-percentile) ", "lbl95Sal", " (psu)"},
                        {"Salinity (5-percentile) ", "lblMinSal", " (psu)"},
                        {"Salinity (marine coastal zone) ", "lblSalMarine", " (psu)"}};
  for (const L& l : salinity) ValueLine(out, l.label, caption(l.control), l.unit);
  out.WriteLine("Concentration of " + c.Cmpname + ":");
  const L conc[] = {
      {"   in estuary (suspended and dissolved) average ", "lblAveConc", " (ug/l)"},
      {"   in estuary (suspended and dissolved) 95%", "lbl95Conc", " (ug/l)"},
      {"   in estuary (suspended and dissolved) 5% ", "lblMinConc", " (ug/l)"},
      {"   in marine coastal zone (suspended and dissolved)", "lblConcTotMarine", " (ug/l)"},
      {"   in estuary (dissolved) (average)", "lblAveConcDis", " (ug/l)"},
      {"   in estuary (dissolved) (95-percentile)", "lbl95ConcDis", " (ug/l)"},
      {"   in estuary (dissolved) (5-percentile)", "lblMinConcDis", " (ug/l)"},
      {"   in marine coastal zone (dissolved) avg.", "lblConcDisMarine", " (ug/l)"},
      {"   in estuary (suspended matter) (average)", "lblAveConcAds", " (ug/g dw)"},
      {"   in estuary (suspended matter) (95-percentile)", "lbl95ConcAds", " (ug/g dw)"},
      {"   in estuary (suspended matter) (5-percentile)", "lblMinConcAds", " (ug/g dw)"},
      {"   in marine coastal zone (suspended matter) avg.", "lblConcAdsMarine", " (ug/g dw)"},
      {"   in estuary (sediment) (average)", "lblAveConcAdsX", " (ug/g dw)"},
      {"   in estuary (sediment) (95-percentile)", "lbl95ConcAdsX", " (ug/g dw)"},
      {"   in estuary (sediment_ (5-percentile)", "lblMinConcAdsX", " (ug/g dw)"},
      {"   in marine coastal zone (sediment) average", "lblConcSedMarine", " (ug/g dw)"}};
  for (const L& l : conc) ValueLine(out, l.label, caption(l.control), l.unit);
  if (biota) {
    const char* const animals[5][2] = {{"zooplankton", "Zoo"},  {"secundary producers", "SecProd"},
                                       {"round fish", "Round"}, {"Tellina", "Tel"},
                                       {"bentic fish", "Dab"}};
    for (int a = 0; a < 5; ++a) {
      if (a == 0) out.WriteLine("   Bioaccumulation in pelagic foodweb:");
      if (a == 3) out.WriteLine("   Bioaccumulation in benthic foodweb:");
      const std::string name = animals[a][0], suffix = animals[a][1];
      ValueLine(out, "      in " + name + " (average)", caption("lblAve" + suffix), " (ng/g dw)");
      ValueLine(out, "      in " + name + " (95-percentile)", caption("lbl95" + suffix), " (ng/g dw)");
      ValueLine(out, "      in " + name + " (5-percentile)", caption("lblMin" + suffix), " (ng/g dw)");
    }
  } else {
    out.WriteLine("Bio-accumulation is only applicable for compound with Kow values 4.5 - 8");
    out.WriteLine("No results from bio-accumulation model");
  }
  out.WriteLine("");
  // Only the layer copies that were written are named.
  bool anyShapeFile = false;
  for (const char* ext : {".shp", ".shx", ".dbf"})
    anyShapeFile |= std::find(shapeFiles.begin(), shapeFiles.end(), Id(runid) + ext) != shapeFiles.end();
  out.WriteLine(anyShapeFile ? "Results are available as GIS shape files:"
                             : "Results are not available as GIS shape files.");
  for (const char* ext : {".shp", ".shx", ".dbf"})
    if (std::find(shapeFiles.begin(), shapeFiles.end(), Id(runid) + ext) != shapeFiles.end())
      out.WriteLine("   " + Id(runid) + ext);
  out.WriteLine("");
  out.WriteLine("");
  out.WriteLine(" Selection of results: Longitudinal transects in estuary");
  const char* const heads[3][4] = {{"Distance", " Conc in", " Conc along", " Conc"},
                                   {"from", " center", " emission", " along"},
                                   {"mouth", " river", " (south) bank", " North bank"}};
  const size_t columns[4] = {1, 15, 30, 45};
  for (const auto& h : heads) {
    Line l(out);
    for (int p = 0; p < 4; ++p) {
      l.Tab(columns[p]);
      l.Put(h[p]);
    }
    l.End();
  }
  static const char* const titles[10] = {"Salinity",
                                         "Total concentration",
                                         "Dissolved concentration",
                                         "Adsorbed concentration in suspended solids",
                                         "Sediment concentration",
                                         "Concentration in zooplankton",
                                         "Concentration in secundairy consumers",
                                         "Concentration in round fish",
                                         "Concentration in tellina",
                                         "Concentration in benthic fish"};
  for (int k = 0; k < nosys && k < 10; ++k)
    for (int i = 9; i <= noseg - 1; i += 10) {
      if (i == 9) out.WriteLine(titles[k]);
      if (k >= 5 && !biota) continue;
      const int n = (i + 1) / 10;
      const double centre = (static_cast<double>(ResultGrid(k, i - 5)) + static_cast<double>(ResultGrid(k, i - 4))) / 2;
      const std::string items[4] = {vb::Format(n * s.EstLength / 50, "0.0") + "(km) ;",
                                    " " + vb::Format(centre, "0.000E+00") + "; ", " " + Sci(ResultGrid(k, i - 8)) + "; ",
                                    " " + Sci(ResultGrid(k, i))};
      Line l(out);
      for (int p = 0; p < 4; ++p) {
        l.Tab(columns[p]);
        l.Put(items[p]);
      }
      l.End();
    }
  out.Close();
}

}  // namespace RunFiles
