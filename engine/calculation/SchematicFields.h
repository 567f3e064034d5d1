#pragma once

#include <string>
#include <vector>

#include "ResultFields.h"

namespace trellon {

// Which result fields each topology's schematic shows and the synthesis writes, read from the
// topology descriptions.

// What the field shows on the schematic of `topology` ("Rin", "C4", "Rout"), or "" when it is
// hidden for that topology.
std::string resultFieldLabel(ResultField field, int topology);

// True for a field that shows Rin or Rout on every schematic that shows it at all.
bool holdsOnlyResistance(ResultField field);

// The fields that the schematic of `topology` shows, in table order.
std::vector<ResultField> visibleResultFields(int topology);

// The fields the synthesis writes for `topology`, in the order it writes them: Rin, the
// output resistance, then the capacitors C1..Cn.
std::vector<ResultField> writtenResultFields(int topology);

}  // namespace trellon
