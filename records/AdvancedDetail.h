// Record class of the table AdvancedDetail.
// The food-chain detail sets: free values, organism weights, diets and growth rates (set 1 is the one calculations use).
// Module name in the error box: "AdvancedDetail".
#pragma once
#include <array>
#include <cstdint>
#include <memory>

#include "records/RecordSupport.h"

// The data columns in table order: X(column, type, no-value marker, given name, returned name).
#define TULMO_ADVANCEDDETAIL_COLUMNS(X) \
  X(detail1, Double, "-99999", vdblDetail1, rdblDetail1) \
  X(detail2, Double, "-99999", vdblDetail2, rdblDetail2) \
  X(detail3, Double, "-99999", vdblDetail3, rdblDetail3) \
  X(detail4, Double, "-99999", vdblDetail4, rdblDetail4) \
  X(detail5, Double, "-99999", vdblDetail5, rdblDetail5) \
  X(detail6, Double, "-99999", vdblDetail6, rdblDetail6) \
  X(detail7, Double, "-99999", vdblDetail7, rdblDetail7) \
  X(detail8, Double, "-99999", vdblDetail8, rdblDetail8) \
  X(detail9, Double, "-99999", vdblDetail9, rdblDetail9) \
  X(detail10, Double, "-99999", vdblDetail10, rdblDetail10) \
  X(detail11, Double, "-99999", vdblDetail11, rdblDetail11) \
  X(detail12, Double, "-99999", vdblDetail12, rdblDetail12) \
  X(detail13, Double, "-99999", vdblDetail13, rdblDetail13) \
  X(detail14, Double, "-99999", vdblDetail14, rdblDetail14) \
  X(detail15, Double, "-99999", vdblDetail15, rdblDetail15) \
  X(Weight_org2dab, Double, "-99999", vdblWeight_org2dab, rdblWeight_org2dab) \
  X(Weight_org1pec, Double, "-99999", vdblWeight_org1pec, rdblWeight_org1pec) \
  X(Weight_org1tel, Double, "-99999", vdblWeight_org1tel, rdblWeight_org1tel) \
  X(Weight_roundfish, Double, "-99999", vdblWeight_roundfish, rdblWeight_roundfish) \
  X(Weight_secprod, Double, "-99999", vdblWeight_secprod, rdblWeight_secprod) \
  X(Weight_zoopl, Double, "-99999", vdblWeight_zoopl, rdblWeight_zoopl) \
  X(DietOrg2DabSecProd, Double, "-99999", vdblDietOrg2DabSecProd, rdblDietOrg2DabSecProd) \
  X(DietOrg2DabOrg1Tel, Double, "-99999", vdblDietOrg2DabOrg1Tel, rdblDietOrg2DabOrg1Tel) \
  X(DietOrg1TelDet, Double, "-99999", vdblDietOrg1TelDet, rdblDietOrg1TelDet) \
  X(DietOrg1TelPhyto, Double, "-99999", vdblDietOrg1TelPhyto, rdblDietOrg1TelPhyto) \
  X(DietRoundSecProd, Double, "-99999", vdblDietRoundSecProd, rdblDietRoundSecProd) \
  X(DietSecProdZoo, Double, "-99999", vdblDietSecProdZoo, rdblDietSecProdZoo) \
  X(DietZooDet, Double, "-99999", vdblDietZooDet, rdblDietZooDet) \
  X(DietZooPhyto, Double, "-99999", vdblDietZooPhyto, rdblDietZooPhyto) \
  X(GrowthRateOrg2Dab, Double, "-99999", vdblGrowthRateOrg2Dab, rdblGrowthRateOrg2Dab) \
  X(GrowthRateOrg1Tel, Double, "-99999", vdblGrowthRateOrg1Tel, rdblGrowthRateOrg1Tel) \
  X(GrowthRateRound, Double, "-99999", vdblGrowthRateRound, rdblGrowthRateRound)

class AdvancedDetail {
 public:
  TULMO_RECORD_STRUCTS(TULMO_ADVANCEDDETAIL_COLUMNS, vlngAdvancedID)

  // The data columns with their markers, in table order (the key "AdvancedID" comes first in a row).
  static std::span<const records::Column> Columns();

  // The matching rows (every row without a filter); the caller closes them. Null on a failure.
  std::unique_ptr<dao::Recordset> GetAll();
  std::unique_ptr<dao::Recordset> GetAll(const Fields& filters);
  // True when the row was found; then every present output holds its column (a Null as the marker).
  bool GetByKey(int32_t vlngAdvancedID, const Outputs& outputs);
  // The id of the inserted row, or -1.
  int32_t Add(const Values& values, bool vPerformValidation = true);
  // True when the row with the key was changed; False when none has the key.
  bool Update(const vb::Variant& vlngAdvancedID, const Values& values, bool vPerformValidation = true);
  bool Delete(const vb::Variant& vlngAdvancedID);
  // Accepts every record: the field checks belong to the editor windows.
  bool IsValid();
  bool IsValid(const Fields& fields);
};
