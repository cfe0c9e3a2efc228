// Record class of the table Compounds.
// The compounds: identification, physico-chemical properties, degradation rates and food-chain factors.
// Module name in the error box: "Compounds".
#pragma once
#include <array>
#include <cstdint>
#include <memory>

#include "records/RecordSupport.h"

// The data columns in table order: X(column, type, no-value marker, given name, returned name).
#define TULMO_COMPOUNDS_COLUMNS(X) \
  X(CmpDescr, Text, "", vstrCmpdescr, rstrCmpdescr) \
  X(CmpName, Text, "", vstrCmpname, rstrCmpname) \
  X(CmpIsType, Integer, "-1", vintCmpistype, rintCmpistype) \
  X(CmpMolmass, Double, "-99999", vdblCmpmolmass, rdblCmpmolmass) \
  X(CmpVappress, Double, "-99999", vdblCmpvappress, rdblCmpvappress) \
  X(CmpSol, Double, "-99999", vdblCmpsol, rdblCmpsol) \
  X(CmpKow, Single, "0", vsinCmpkow, rsinCmpkow) \
  X(CmpKd, Double, "-99999", vdblCmpkd, rdblCmpkd) \
  X(CmpKoc, Double, "-99999", vdblCmpkoc, rdblCmpkoc) \
  X(CmpKdoc, Double, "-99999", vdblCmpkdoc, rdblCmpkdoc) \
  X(CmpBcf, Double, "-99999", vdblCmpbcf, rdblCmpbcf) \
  X(cmphe, Double, "-99999", vdblcmphe, rdblcmphe) \
  X(CmpTmelt, Double, "-99999", vdblCmptmelt, rdblCmptmelt) \
  X(CmppKa, Double, "-99999", vdblCmppka, rdblCmppka) \
  X(CmpDegrBiowater, Double, "-99999", vdblCmpdegrbiowater, rdblCmpdegrbiowater) \
  X(CmpDegrHydwater, Double, "-99999", vdblCmpdegrhydwater, rdblCmpdegrhydwater) \
  X(CmpDegrPhowater, Double, "-99999", vdblCmpdegrphowater, rdblCmpdegrphowater) \
  X(CmpDegrBioSed, Double, "-99999", vdblCmpdegrbiosed, rdblCmpdegrbiosed) \
  X(CmpDegrHydSed, Double, "-99999", vdblCmpdegrhydsed, rdblCmpdegrhydsed) \
  X(CmpDegrPhoSed, Double, "-99999", vdblCmpdegrphosed, rdblCmpdegrphosed) \
  X(AlphaWater, Double, "-99999", vdblAlphawater, rdblAlphawater) \
  X(BetaPrey, Double, "-99999", vdblBetaprey, rdblBetaprey) \
  X(BetaDet, Double, "-99999", vdblBetadet, rdblBetadet) \
  X(BioTransform, Double, "-99999", vdblBioTransform, rdblBioTransform) \
  X(BioTransZoo, Double, "-99999", vdblBioTransZoo, rdblBioTransZoo) \
  X(BioTransSecProd, Double, "-99999", vdblBioTransSecProd, rdblBioTransSecProd) \
  X(BioTransRound, Double, "-99999", vdblBioTransRound, rdblBioTransRound) \
  X(BioTransOrg1Tel, Double, "-99999", vdblBioTransOrg1Tel, rdblBioTransOrg1Tel) \
  X(BioTransOrg2Dab, Double, "-99999", vdblBioTransOrg2Dab, rdblBioTransOrg2Dab) \
  X(CASnr, Text, "", vstrCASnr, rstrCASnr)

class Compounds {
 public:
  TULMO_RECORD_STRUCTS(TULMO_COMPOUNDS_COLUMNS, vlngCmpid)

  // The data columns with their markers, in table order (the key "CmpID" comes first in a row).
  static std::span<const records::Column> Columns();

  // The matching rows (every row without a filter); the caller closes them. Null on a failure.
  // Reads the import database once after gblnImport was raised, and clears the flag in any case.
  std::unique_ptr<dao::Recordset> GetAll();
  std::unique_ptr<dao::Recordset> GetAll(const Fields& filters);
  // True when the row was found; then every present output holds its column (a Null as the marker).
  bool GetByKey(int32_t vlngCmpid, const Outputs& outputs);
  // The id of the inserted row, or -1.
  int32_t Add(const Values& values, bool vPerformValidation = true);
  // True when the row with the key was changed; False when none has the key.
  bool Update(const vb::Variant& vlngCmpid, const Values& values, bool vPerformValidation = true);
  bool Delete(const vb::Variant& vlngCmpid);
  // Accepts every record: the field checks belong to the editor windows.
  bool IsValid();
  bool IsValid(const Fields& fields);
};
