#pragma once

#include <string>
#include <vector>

#include "ResponseTable.h"

namespace trellon {

// The response table as CSV for other programs: the header
// "frequency_hz,detuning_khz,level_db,phase_deg,group_delay_us,return_loss_db,zin_re,zin_im",
// then one row per frequency, every number with 17 significant digits and a decimal point. A
// value that is not finite (no solution, a perfect match's return loss) is left empty.
std::string writeResponseTableCsv(const std::vector<ResponseRow>& rows);

}  // namespace trellon
