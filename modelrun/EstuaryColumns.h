// The current estuary record bound to the columns of the Environment table, in table order. The
// record holds no type: that column goes to or comes from the caller's own text.
#pragma once
#include <string>

#include "modelrun/modTulmo.h"
#include "records/Environment.h"

namespace modTulmo {
namespace detail {
// One list for both directions: Outputs bind the record's fields, Values copy them.
template <class Result, class Record, class Type>
Result EstuaryColumns(Record& e, Type& type) {
  return {e.Description,       type,
          e.Salinitysea,       e.dissolvedo21,
          e.Silt1,             e.Silt2,
          e.Poc1,              e.Poc2,
          e.Phsea,             e.ZooBiomass1,
          e.Widthmouth,        e.WidthAtX,
          e.Convergencelength, e.Saltintrusionlengthavg,
          e.XfromMouth,        e.DispersionOption,
          e.DispersionX1,      e.DispersionX2,
          e.Flowriveravg,      e.Tideavg,
          e.Tidalperiod,       e.Tempavg,
          e.ChlorophylConc1,   e.Dispersionavg,
          e.Sedimentationvelocityavg, e.estdepth,
          e.DispersionSalinity1, e.DispersionSalinity2,
          e.Silt3,             e.Poc3,
          e.Doc1,              e.Doc2,
          e.Doc3,              e.PhytoBiomass1,
          e.focsed1,           e.ChlorophylConc2,
          e.ChlorophylConc3,   e.PhytoBiomass2,
          e.PhytoBiomass3,     e.dissolvedo22,
          e.dissolvedo23,      e.ZooBiomass2,
          e.ZooBiomass3,       e.EstLength,
          e.Silt4,             e.POC4,
          e.DOC4,              e.FOCSed2,
          e.FOCSed3,           e.FOCSed4,
          e.EnvMarineLength,   e.EnvMarineWidth,
          e.EnvMarineDepth,    e.EnvMarineCurrent,
          e.ThickLayer1,       e.ThickLayer2,
          e.ThickLayer3,       e.ThickLayer4};
}
}  // namespace detail

// GetByKey outputs that fill the record and the type text.
inline Environment::Outputs EstuaryOutputs(EstuaryRecord& e, std::string& type) {
  return detail::EstuaryColumns<Environment::Outputs>(e, type);
}
// Add and Update values from the record and the type text.
inline Environment::Values EstuaryValues(const EstuaryRecord& e, const std::string& type) {
  return detail::EstuaryColumns<Environment::Values>(e, type);
}

}  // namespace modTulmo
