// Record class of the table Corvix.
// The engine settings: an engine version, a numerical scheme and ten spare texts per set.
// Module name in the error box: "Corvix".
#pragma once
#include <array>
#include <cstdint>
#include <memory>

#include "records/RecordSupport.h"

// The data columns in table order: X(column, type, no-value marker, given name, returned name).
#define TULMO_CORVIX_COLUMNS(X) \
  X(CorvixVersion, Text, "", vstrCorvixversion, rstrCorvixversion) \
  X(NumericalScheme, Text, "", vstrNumericalscheme, rstrNumericalscheme) \
  X(CxDummy1, Text, "", vstrCxdummy1, rstrCxdummy1) \
  X(CxDummy2, Text, "", vstrCxdummy2, rstrCxdummy2) \
  X(CxDummy3, Text, "", vstrCxdummy3, rstrCxdummy3) \
  X(CxDummy4, Text, "", vstrCxdummy4, rstrCxdummy4) \
  X(CxDummy5, Text, "", vstrCxdummy5, rstrCxdummy5) \
  X(CxDummy6, Text, "", vstrCxdummy6, rstrCxdummy6) \
  X(CxDummy7, Text, "", vstrCxdummy7, rstrCxdummy7) \
  X(CxDummy8, Text, "", vstrCxdummy8, rstrCxdummy8) \
  X(CxDummy9, Text, "", vstrCxdummy9, rstrCxdummy9) \
  X(CxDummy10, Text, "", vstrCxdummy10, rstrCxdummy10)

class Corvix {
 public:
  TULMO_RECORD_STRUCTS(TULMO_CORVIX_COLUMNS, vlngCorvixid)

  // The data columns with their markers, in table order (the key "CorvixID" comes first in a row).
  static std::span<const records::Column> Columns();

  // The matching rows (every row without a filter); the caller closes them. Null on a failure.
  std::unique_ptr<dao::Recordset> GetAll();
  std::unique_ptr<dao::Recordset> GetAll(const Fields& filters);
  // True when the row was found; then every present output holds its column (a Null as the marker).
  bool GetByKey(int32_t vlngCorvixid, const Outputs& outputs);
  // The id of the inserted row, or -1.
  int32_t Add(const Values& values, bool vPerformValidation = true);
  // True when the row with the key was changed; False when none has the key.
  bool Update(const vb::Variant& vlngCorvixid, const Values& values, bool vPerformValidation = true);
  bool Delete(const vb::Variant& vlngCorvixid);
  // Accepts every record: the field checks belong to the editor windows.
  bool IsValid();
  bool IsValid(const Fields& fields);
};
