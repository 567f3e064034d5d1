#include "Retrim.h"

#include "CommandError.h"

namespace trellon {

std::optional<RetrimResult> retrim(const CalculatedDesign&, const BenchCircuit&,
                                   const BenchSettings&, const CircuitTuning&,
                                   const RetrimSettings&, const ProgressCallback&,
                                   std::atomic<bool>&) {
    throw CommandError("the retrim is not built yet");
}

}  // namespace trellon
