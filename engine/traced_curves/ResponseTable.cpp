#include "ResponseTable.h"

#include <limits>
#include <span>

#include "LoadVoltageSlope.h"
#include "PhaseResponse.h"
#include "TerminalResponse.h"

namespace trellon {

namespace {

std::vector<ResponseRow> tableOf(const CurveRecord& curve, std::span<const double> frequencyHz,
                                 std::span<const double> detuningKhz,
                                 std::span<const double> levelDb,
                                 std::span<const Complex> loadVoltage) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::vector<double> delay = circuitGroupDelayUs(curve.model, frequencyHz);
    const std::vector<TerminalPoint> terminal = inputTerminal(curve.built, frequencyHz);
    std::vector<ResponseRow> rows(frequencyHz.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        ResponseRow& row = rows[i];
        row.frequencyHz = frequencyHz[i];
        row.detuningKhz = detuningKhz[i];
        row.levelDb = levelDb[i];
        row.phaseDegrees = isZero(loadVoltage[i]) ? nan : phaseDegrees(loadVoltage[i]);
        row.groupDelayUs = delay[i];
        row.returnLossDb = terminal[i].solved ? terminal[i].returnLossDb : nan;
        row.inputImpedance = terminal[i].solved ? terminal[i].inputImpedance : Complex{nan, nan};
    }
    return rows;
}

}  // namespace

std::vector<ResponseRow> tracedResponseTable(const CurveRecord& curve) {
    return tableOf(curve, curve.frequencyHz, curve.detuningKhz, curve.levelDb, curve.loadVoltage);
}

std::vector<ResponseRow> spanResponseTable(const CurveRecord& curve, const SpanSettings& settings) {
    const SpanResponse span = traceWideSpan(curve, settings);
    return tableOf(curve, span.frequencyHz, span.detuningKhz, span.levelDb, span.loadVoltage);
}

}  // namespace trellon
