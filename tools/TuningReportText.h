#pragma once

#include <QStringList>

#include "BenchCircuit.h"
#include "CircuitTuning.h"

namespace trellon {

// The tuning's report block: the shape measure (dB) before any tuning and now, every tuned
// capacitor in ladder order of `untuned` (the filter as fitted, before the tuning) as
// "C3: 47 → 51 пФ", then each crystal's shift as "ZQ2: Fs +12 Гц" and trimmer as "CT2: 220 пФ".
QStringList tuningReportLines(const BenchCircuit& untuned, const CircuitTuning& tuning,
                              double measureBefore, double measureNow, char decimalSeparator);

}  // namespace trellon
