// Record class of the table Environment.
// The estuaries: name and type, geometry, tide and river, dispersion, water quality per salinity zone, marine box.
// Module name in the error box: "Environment".
#pragma once
#include <array>
#include <cstdint>
#include <memory>

#include "records/RecordSupport.h"

// The data columns in table order: X(column, type, no-value marker, given name, returned name).
#define TULMO_ENVIRONMENT_COLUMNS(X) \
  X(Description, Text, "", vstrDescription, rstrDescription) \
  X(Type, Text, "", vstrType, rstrType) \
  X(SalinitySea, Double, "-99999", vdblSalinitysea, rdblSalinitysea) \
  X(dissolvedo21, Double, "-99999", vdbldissolvedo21, rdbldissolvedo21) \
  X(Silt1, Double, "-99999", vdblSilt1, rdblSilt1) \
  X(Silt2, Single, "0", vsinSilt2, rsinSilt2) \
  X(Poc1, Single, "0", vsinPoc1, rsinPoc1) \
  X(Poc2, Single, "0", vsinPoc2, rsinPoc2) \
  X(pHSea, Single, "0", vsinPhsea, rsinPhsea) \
  X(ZooBiomass1, Single, "0", vsinZooBiomass1, rsinZooBiomass1) \
  X(WidthMouth, Single, "0", vsinWidthmouth, rsinWidthmouth) \
  X(WidthAtX, Single, "0", vsinWidthAtX, rsinWidthAtX) \
  X(ConvergenceLength, Single, "0", vsinConvergencelength, rsinConvergencelength) \
  X(SaltIntrusionLengthAvg, Single, "0", vsinSaltintrusionlengthavg, rsinSaltintrusionlengthavg) \
  X(XfromMouth, Double, "-99999", vdblXfromMouth, rdblXfromMouth) \
  X(DispersionOption, Long, "-1", vlngDispersionOption, rlngDispersionOption) \
  X(DispersionX1, Double, "-1", vdblDispersionX1, rdblDispersionX1) \
  X(DispersionX2, Double, "-1", vdblDispersionX2, rdblDispersionX2) \
  X(FlowRiverAvg, Single, "0", vsinFlowriveravg, rsinFlowriveravg) \
  X(TideAvg, Double, "-99999", vdblTideavg, rdblTideavg) \
  X(TidalPeriod, Single, "0", vsinTidalperiod, rsinTidalperiod) \
  X(TempAvg, Double, "-99999", vdblTempavg, rdblTempavg) \
  X(ChlorophylConc1, Double, "-99999", vdblChlorophylConc1, rdblChlorophylConc1) \
  X(DispersionAvg, Double, "-99999", vdblDispersionavg, rdblDispersionavg) \
  X(SedimentationVelocityAvg, Double, "-99999", vdblSedimentationvelocityavg, rdblSedimentationvelocityavg) \
  X(estdepth, Double, "-99999", vdblestdepth, rdblestdepth) \
  X(DispersionSalinity1, Double, "-99999", vdblDispersionSalinity1, rdblDispersionSalinity1) \
  X(DispersionSalinity2, Double, "-99999", vdblDispersionSalinity2, rdblDispersionSalinity2) \
  X(Silt3, Double, "-99999", vdblSilt3, rdblSilt3) \
  X(Poc3, Double, "-99999", vdblPoc3, rdblPoc3) \
  X(Doc1, Double, "-99999", vdblDoc1, rdblDoc1) \
  X(Doc2, Double, "-99999", vdblDoc2, rdblDoc2) \
  X(Doc3, Double, "-99999", vdblDoc3, rdblDoc3) \
  X(PhytoBiomass1, Double, "-99999", vdblPhytoBiomass1, rdblPhytoBiomass1) \
  X(focsed1, Double, "-99999", vdblfocsed1, rdblfocsed1) \
  X(ChlorophylConc2, Double, "-99999", vdblChlorophylConc2, rdblChlorophylConc2) \
  X(ChlorophylConc3, Double, "-99999", vdblChlorophylConc3, rdblChlorophylConc3) \
  X(PhytoBiomass2, Double, "-99999", vdblPhytoBiomass2, rdblPhytoBiomass2) \
  X(PhytoBiomass3, Double, "-99999", vdblPhytoBiomass3, rdblPhytoBiomass3) \
  X(dissolvedo22, Double, "-99999", vdbldissolvedo22, rdbldissolvedo22) \
  X(dissolvedo23, Double, "-99999", vdbldissolvedo23, rdbldissolvedo23) \
  X(ZooBiomass2, Double, "-99999", vdblZooBiomass2, rdblZooBiomass2) \
  X(ZooBiomass3, Double, "-99999", vdblZooBiomass3, rdblZooBiomass3) \
  X(EstLength, Double, "-99999", vdblEstLength, rdblEstLength) \
  X(Silt4, Double, "-99999", vdblSilt4, rdblSilt4) \
  X(POC4, Double, "-99999", vdblPOC4, rdblPOC4) \
  X(DOC4, Double, "-99999", vdblDOC4, rdblDOC4) \
  X(FOCSed2, Double, "-99999", vdblFOCSed2, rdblFOCSed2) \
  X(FOCSed3, Double, "-99999", vdblFOCSed3, rdblFOCSed3) \
  X(FOCSed4, Double, "-99999", vdblFOCSed4, rdblFOCSed4) \
  X(EnvMarineLength, Double, "-99999", vdblEnvMarineLength, rdblEnvMarineLength) \
  X(EnvMarineWidth, Double, "-99999", vdblEnvMarineWidth, rdblEnvMarineWidth) \
  X(EnvMarineDepth, Double, "-99999", vdblEnvMarineDepth, rdblEnvMarineDepth) \
  X(EnvMarineCurrent, Double, "-99999", vdblEnvMarineCurrent, rdblEnvMarineCurrent) \
  X(ThickLayer1, Double, "-99999", vdblThickLayer1, rdblThickLayer1) \
  X(ThickLayer2, Double, "-99999", vdblThickLayer2, rdblThickLayer2) \
  X(ThickLayer3, Double, "-99999", vdblThickLayer3, rdblThickLayer3) \
  X(ThickLayer4, Double, "-99999", vdblThickLayer4, rdblThickLayer4)

class Environment {
 public:
  TULMO_RECORD_STRUCTS(TULMO_ENVIRONMENT_COLUMNS, vlngId)

  // The data columns with their markers, in table order (the key "ID" comes first in a row).
  static std::span<const records::Column> Columns();

  // The matching rows (every row without a filter); the caller closes them. Null on a failure.
  std::unique_ptr<dao::Recordset> GetAll();
  std::unique_ptr<dao::Recordset> GetAll(const Fields& filters);
  // True when the row was found; then every present output holds its column (a Null as the marker).
  bool GetByKey(int32_t vlngId, const Outputs& outputs);
  // The id of the inserted row, or -1.
  int32_t Add(const Values& values, bool vPerformValidation = true);
  // True when the row with the key was changed; False when none has the key.
  bool Update(const vb::Variant& vlngId, const Values& values);  // always validates
  bool Delete(const vb::Variant& vlngId);
  // Accepts every record: the field checks belong to the editor windows.
  bool IsValid();
  bool IsValid(const Fields& fields);
};
