#include "TwoPortExport.h"

namespace trellon {

TwoPortData twoPortData(const SParameters& s) {
    TwoPortData data;
    data.referenceOhm = s.referenceOhm;
    data.frequencyHz = s.frequencyHz;
    data.s11 = s.s11;
    data.s21 = s.s21;
    data.s12 = s.s12;
    data.s22 = s.s22;
    return data;
}

TwoPortData benchTwoPort(const BenchCircuit& bench, std::span<const double> frequenciesHz) {
    SParameters parameters = sParameters(bench.circuit, frequenciesHz);
    parameters.referenceOhm = bench.referenceOhm();
    return twoPortData(parameters);
}

}  // namespace trellon
