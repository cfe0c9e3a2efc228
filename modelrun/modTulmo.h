// The model run's shared module: the current scenario records and their loaders, the estuary's
// grid parameters, the grid files and the engine input file, and the reading of a run's result
// map into the result grid and its statistics. Knows no widget: the result window is reached
// through ResultWindow (modelrun/ResultWindow.h).
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace modTulmo {

// ---------------------------------------------------------------- current scenario records

struct CompoundRecord {
  std::string Cmpdescr;
  std::string Cmpname;
  int16_t Cmpistype = 0;  // 1 metal, 2 organic
  double Cmpmolmass = 0;
  double Cmpvappress = 0;
  double Cmpsol = 0;
  float Cmpkow = 0;
  double Cmpkd = 0;
  double Cmpkoc = 0;
  double Cmpkdoc = 0;
  double Cmpbcf = 0;
  double cmphe = 0;
  double Cmptmelt = 0;
  double Cmppka = 0;
  double Cmpdegrbiowater = 0;
  double Cmpdegrhydwater = 0;
  double Cmpdegrphowater = 0;
  double Cmpdegrbiosed = 0;
  double Cmpdegrhydsed = 0;
  double Cmpdegrphosed = 0;
  double Alphawater = 0;
  double Betaprey = 0;
  double Betadet = 0;
  double BioTransform = 0;
  double BioTransZoo = 0;
  double BioTransSecProd = 0;
  double BioTransRound = 0;
  double BioTransOrg1Tel = 0;
  double BioTransOrg2Dab = 0;
  std::string CASnr;
};

struct EmissionRecord {
  std::string Description;
  double Gridnr1 = 0, Gridnr2 = 0, Gridnr3 = 0, Gridnr4 = 0, Gridnr5 = 0;
  double Load1 = 0, Load2 = 0, Load3 = 0, Load4 = 0, Load5 = 0;  // kg/y
  double Loadatmos = 0;                                          // g/km2/y
  double EmRiverConc = 0;                                        // ug/l
  double EmSeaConc = 0;                                          // ug/l
  double SedBack = 0;                                            // ug/g
  double Emdummy4 = 0, Emdummy5 = 0;
};

struct EstuaryRecord {
  std::string Description;
  double Salinitysea = 0;
  double dissolvedo21 = 0;
  double Silt1 = 0;
  float Silt2 = 0;
  float Poc1 = 0, Poc2 = 0;
  float Phsea = 0;
  float ZooBiomass1 = 0;
  float Widthmouth = 0;
  float WidthAtX = 0;
  float Convergencelength = 0;
  float Saltintrusionlengthavg = 0;
  double XfromMouth = 0;
  int32_t DispersionOption = 0;  // 0 computed, 1 from two salinity measurements
  int32_t DispersionX1 = 0, DispersionX2 = 0;
  float Flowriveravg = 0;
  double Tideavg = 0;
  float Tidalperiod = 0;
  double Tempavg = 0;
  double ChlorophylConc1 = 0;
  double Dispersionavg = 0;
  double Sedimentationvelocityavg = 0;
  double estdepth = 0;
  double DispersionSalinity1 = 0, DispersionSalinity2 = 0;
  double Silt3 = 0, Silt4 = 0;
  double Poc3 = 0, POC4 = 0;
  double Doc1 = 0, Doc2 = 0, Doc3 = 0, DOC4 = 0;
  double PhytoBiomass1 = 0;
  double focsed1 = 0;
  double ChlorophylConc2 = 0, ChlorophylConc3 = 0;
  double PhytoBiomass2 = 0, PhytoBiomass3 = 0;
  double dissolvedo22 = 0, dissolvedo23 = 0;
  double ZooBiomass2 = 0, ZooBiomass3 = 0;
  double EstLength = 0;  // km
  double FOCSed2 = 0, FOCSed3 = 0, FOCSed4 = 0;
  double EnvMarineLength = 0, EnvMarineWidth = 0, EnvMarineDepth = 0, EnvMarineCurrent = 0;
  double EnvMarineArea = 0;  // derived by CreateGrid, not loaded
  double EnvMarineFlow = 0;  // derived by CreateGrid, not loaded
  double ThickLayer1 = 0, ThickLayer2 = 0, ThickLayer3 = 0, ThickLayer4 = 0;
};

struct AdvancedDetailRecord {
  double Detail1 = 0, Detail2 = 0, Detail3 = 0, Detail4 = 0, Detail5 = 0, Detail6 = 0, Detail7 = 0,
         Detail8 = 0, Detail9 = 0, Detail10 = 0, Detail11 = 0, Detail12 = 0, Detail13 = 0,
         Detail14 = 0, Detail15 = 0;
  double Weight_org2dab = 0, Weight_org1pec = 0, Weight_org1tel = 0, Weight_roundfish = 0,
         Weight_secprod = 0, Weight_zoopl = 0;
  double DietOrg2DabSecProd = 0, DietOrg2DabOrg1Tel = 0, DietOrg1TelDet = 0, DietOrg1TelPhyto = 0,
         DietRoundSecProd = 0, DietSecProdZoo = 0, DietZooDet = 0, DietZooPhyto = 0;
  double GrowthRateOrg2Dab = 0, GrowthRateOrg1Tel = 0, GrowthRateRound = 0;
};

struct RunRecord {
  int32_t RunID = 0;
  std::string RunDescription;
  int32_t EnvirID = 0;
  int32_t CompoundID = 0;
  int32_t EmisID = 0;
};

// The three ids picked in the calculation window.
struct CalcSelectionRecord {
  int32_t EstuaryID = 0;
  int32_t CompoundID = 0;
  int32_t EmissionID = 0;
};

extern CompoundRecord CurrentCompound;
extern EmissionRecord CurrentEmission;
extern EstuaryRecord CurrentEstuary;
extern AdvancedDetailRecord CurrentAdvancedDetail;
extern RunRecord CurrentRun;
extern CalcSelectionRecord CalcSelection;

// Back to the start-up state: every record, the grid parameters and the result grid. For tests.
void ResetModuleState();

// ---------------------------------------------------------------- loaders
// Each fills its current record from the row with this id and returns true when the row was
// found. A missing row changes nothing and shows nothing; a failure is shown in the error box
// under "RunProcess" and gives false. The compound, emission and estuary loaders also put the
// description on the start panel (see services/StartPanel.h) when one is loaded.
bool GetData(int32_t id);
bool GetEmissionData(int32_t id);
bool GetAdvancedDetailData(int32_t id);
bool GetEnvironmentData(int32_t id);
bool GetRunData(int32_t id);  // never touches CurrentRun.RunID

// True when the file can be opened for reading; never reports.
bool FileExists(const std::string& path);

// ---------------------------------------------------------------- grid parameters

struct GridParametersRecord {
  double CalcConvergence = 0;     // km
  double CalcSaltIntrusion = 0;   // km
  double CalcTidalExcursion = 0;  // km
  double CalcVolume = 0;          // m3
  double CalcRefreshTime = 0;     // days
  double CalcArea = 0;            // m2
  double CalcEstLength = 0;       // km
  double WidthFraction = 0;
  double Dispersion1 = 0;  // m2/s
  double Dispersion2 = 0;
  double Dispersion3 = 0;
  double CalcTidalPrism = 0;  // m3
  double Dfix0 = 0;
  double Dfix1 = 0;
  double Dfix2 = 0;
  double Dtra = 0;  // m
  double Beta = 0;
};

extern GridParametersRecord GridParameters;
// Computed dispersion at the mouth (m2/s), unrounded.
extern double DispersionCalc;

// An estuary's hydrodynamics from its values as stored, unrounded: the one computation behind the
// grid parameters and the estuary editor's calculated labels.
struct Hydrodynamics {
  double a = 0;   // convergence length, m
  double A0 = 0;  // cross-section at the mouth, m2
  double L = 0;   // length, m
  double A = 0;   // surface area, m2
  double P = 0;   // tidal prism, m3
  double E = 0;   // tidal excursion, m
  double Dc = 0;  // dispersion at the mouth computed from geometry and tide, m2/s
  double D0 = 0;  // the dispersion at the mouth in use: Dc, or from the two salinities
  std::array<double, 3> Dfix{};  // the salinity zones' dispersions (measured option only)
  double beta = 0;   // with D0
  double betaC = 0;  // with Dc
  double V = 0;      // volume, m3
  double R = 0;      // flushing time, days, with D0
  double Ls = 0;     // salt intrusion length, km, always with Dc
  double Dtra = 0;   // m
  // How far a pass got before a run-time error: Dc, then the zones, were derived.
  bool dcDerived = false, dfixDerived = false;
  // Why a check failed, in the words the estuary editor shows; empty when none did.
  std::string refusal;
  // The refusal is of a geometry that no grid can be laid out on (the grid step says so too).
  bool geometryRefused = false;
};

// The narrowest the estuary may become at its head, m. Narrower, its ten lanes shrink towards what
// the grid's single-precision coordinates tell apart (about 2 mm beside the widest mouth the editor
// takes) and the cells lose their area. A funnel as narrow as the editor's own defaults at 45 km
// (0.19 m) must still run.
inline constexpr double kHeadWidthFloor = 0.1;

// The refusals of an estuary's geometry, in the editor's words.
std::string NotPositiveLength(const std::string& lengthText);
std::string HeadWidthBelowFloor(double width);

// False after a failed input or consistency check (salinity must fall and the width narrow going
// upstream, the head must keep kHeadWidthFloor), with the reason in `out.refusal`. Raises on a
// run-time error, with what was derived until then in `out`.
bool DeriveHydrodynamics(const EstuaryRecord& e, Hydrodynamics& out);

// Derives GridParameters and DispersionCalc from CurrentEstuary. False after a failed input
// check (record zeroed; silent, but for a geometry refusal, which is shown) or after a run-time
// error (own message box).
bool CalcGridParameters();

// ---------------------------------------------------------------- grid files

constexpr int32_t GridCellsAcross = 12;
constexpr int32_t GridCellsAlong = 52;
constexpr int32_t GridSegments = 501;
constexpr int32_t GridExchanges1 = 452;
constexpr int32_t GridExchanges2 = 511;
constexpr int32_t GridExchanges3 = 0;
constexpr int32_t GridExchanges = 963;

// Names of the files CreateGrid writes, in writing order.
extern const std::array<const char*, 10> kGridFileNames;

// Loads the estuary, derives its grid parameters and writes the eight binary grid files,
// "test.bna" and "test.tab". The grid files of an earlier run are removed first, so after a
// false result the engine can never compute on a stale grid. True when all ten were written.
bool CreateGrid(const int32_t& envid);

// ---------------------------------------------------------------- engine input

// Writes the 376 lines of "pirsel.inp" from the current records. False after an error (error box).
bool PrintCorvixInputFile();

// ---------------------------------------------------------------- result map

struct MapHeaderRecord {
  int32_t nosys = 0;  // substances per segment
  int32_t noseg = 0;  // segments in the map
};
extern MapHeaderRecord MapHeader;
inline int32_t& nosys = MapHeader.nosys;
inline int32_t& noseg = MapHeader.noseg;

// Substances 0..Substances()-1 by cells 0..500, single precision; element (k, s) is substance k
// in cell s. Out-of-range indices raise error 9.
class ResultGridArray {
 public:
  static constexpr int32_t kCells = 501;
  void Resize(int32_t substances);  // all elements 0
  int32_t Substances() const { return substances_; }
  float& operator()(int32_t k, int32_t s);
  float operator()(int32_t k, int32_t s) const;

 private:
  int32_t substances_ = 0;
  std::vector<float> values_;
};
extern ResultGridArray ResultGrid;

// The result grid's transects and cells across, set on every read.
extern int32_t ResultCellsAlong;
extern int32_t ResultCellsAcross;

// Value for cells the map file does not supply.
constexpr float kNoCell = -9999.0f;

// Reads the run's map file ("<runid>.map") into ResultGrid and MapHeader, writes "testfull.txt",
// "Sorted.txt" and "<runid>-stat.txt", fills the result window and shows it. False after a
// message (own message box, never the error box).
bool ReadMap(const int32_t& runid);

// True when the map file is one that a run can be shown from: ReadMap's own reading takes it
// whole, and it gives all 500 segments with no value below 0 (the map view colours on a log
// scale). Otherwise false with the reason in `why`. Shows nothing and changes nothing.
bool MapFileReadable(const std::string& fileName, std::string& why);

}  // namespace modTulmo
