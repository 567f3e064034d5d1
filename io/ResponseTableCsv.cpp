#include "ResponseTableCsv.h"

#include <cmath>

#include "NumberText.h"

namespace trellon {

namespace {

std::string field(double value) {
    return std::isfinite(value) ? FormatExact(value) : std::string();
}

}  // namespace

std::string writeResponseTableCsv(const std::vector<ResponseRow>& rows) {
    std::string text =
        "frequency_hz,detuning_khz,level_db,phase_deg,group_delay_us,return_loss_db,zin_re,"
        "zin_im\n";
    for (const ResponseRow& row : rows) {
        const double values[] = {row.frequencyHz,       row.detuningKhz,      row.levelDb,
                                 row.phaseDegrees,      row.groupDelayUs,     row.returnLossDb,
                                 row.inputImpedance.re, row.inputImpedance.im};
        for (std::size_t i = 0; i < std::size(values); ++i) {
            text += (i == 0 ? "" : ",") + field(values[i]);
        }
        text += '\n';
    }
    return text;
}

}  // namespace trellon
