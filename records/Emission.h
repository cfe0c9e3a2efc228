// Record class of the table Emission.
// The emission scenarios: loads along the estuary and at sea, deposition, river and sea concentrations, sediment background.
// Module name in the error box: "Emission".
#pragma once
#include <array>
#include <cstdint>
#include <memory>

#include "records/RecordSupport.h"

// The data columns in table order: X(column, type, no-value marker, given name, returned name).
#define TULMO_EMISSION_COLUMNS(X) \
  X(Description, Text, "", vstrDescription, rstrDescription) \
  X(GridNr1, Double, "-99999", vdblGridnr1, rdblGridnr1) \
  X(GridNr2, Double, "-99999", vdblGridnr2, rdblGridnr2) \
  X(GridNr3, Double, "-99999", vdblGridnr3, rdblGridnr3) \
  X(GridNr4, Double, "-99999", vdblGridnr4, rdblGridnr4) \
  X(GridNr5, Double, "-99999", vdblGridnr5, rdblGridnr5) \
  X(Load1, Double, "-99999", vdblLoad1, rdblLoad1) \
  X(Load2, Double, "-99999", vdblLoad2, rdblLoad2) \
  X(Load3, Double, "-99999", vdblLoad3, rdblLoad3) \
  X(Load4, Double, "-99999", vdblLoad4, rdblLoad4) \
  X(Load5, Double, "-99999", vdblLoad5, rdblLoad5) \
  X(LoadAtmos, Double, "-99999", vdblLoadatmos, rdblLoadatmos) \
  X(EmRiverConc, Double, "-99999", vdblEmRiverConc, rdblEmRiverConc) \
  X(EmSeaConc, Double, "-99999", vdblEmSeaConc, rdblEmSeaConc) \
  X(SedBack, Double, "-99999", vdblSedBack, rdblSedBack) \
  X(EmDummy4, Double, "-99999", vdblEmdummy4, rdblEmdummy4) \
  X(EmDummy5, Double, "-99999", vdblEmdummy5, rdblEmdummy5)

class Emission {
 public:
  TULMO_RECORD_STRUCTS(TULMO_EMISSION_COLUMNS, vlngEmissionid)

  // The data columns with their markers, in table order (the key "EmissionID" comes first in a row).
  static std::span<const records::Column> Columns();

  // The matching rows (every row without a filter); the caller closes them. Null on a failure.
  std::unique_ptr<dao::Recordset> GetAll();
  std::unique_ptr<dao::Recordset> GetAll(const Fields& filters);
  // True when the row was found; then every present output holds its column (a Null as the marker).
  bool GetByKey(int32_t vlngEmissionid, const Outputs& outputs);
  // The id of the inserted row, or -1.
  int32_t Add(const Values& values, bool vPerformValidation = true);
  // True when the row with the key was changed; False when none has the key.
  bool Update(const vb::Variant& vlngEmissionid, const Values& values, bool vPerformValidation = true);
  bool Delete(const vb::Variant& vlngEmissionid);
  // Accepts every record: the field checks belong to the editor windows.
  bool IsValid();
  bool IsValid(const Fields& fields);
};
