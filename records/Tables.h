// The six tables of the scenario database that each have a list window and an editor, named once
// for every floor above: the window registry, the lists, the editors and the menus.
#pragma once
#include <array>

namespace records {

enum class TableId { Compounds, Emission, Environment, Corvix, AdvancedDetail, Run };

// All six, in the order of the enumeration.
inline constexpr std::array<TableId, 6> kTableIds = {TableId::Compounds, TableId::Emission,
                                                     TableId::Environment, TableId::Corvix,
                                                     TableId::AdvancedDetail, TableId::Run};

}  // namespace records
