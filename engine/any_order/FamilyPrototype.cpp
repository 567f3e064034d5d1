#include "FamilyPrototype.h"

#include "AnyOrderPhrases.h"

namespace trellon {

namespace {

// Why an order outside a tabulated family's table is refused, in a phrase of its own for each
// family so that the window can name the family in its own words.
const PhraseTemplate& tableRangePhrase(AnyOrderFamily family) {
    switch (family) {
        case AnyOrderFamily::GaussianTo6Db:
            return anyOrderPhrase("any-order-range-gaussian-6db");
        case AnyOrderFamily::GaussianTo12Db:
            return anyOrderPhrase("any-order-range-gaussian-12db");
        case AnyOrderFamily::LinearPhase005:
            return anyOrderPhrase("any-order-range-linear-phase-0.05");
        default:
            return anyOrderPhrase("any-order-range-linear-phase-0.5");
    }
}

}  // namespace

FamilyPrototype familyPrototype(AnyOrderFamily family, int order, double rippleDb) {
    if (order < 2 || order > 16) {
        refuseAnyOrder(anyOrderPhrase("any-order-range"));
    }
    switch (family) {
        case AnyOrderFamily::Butterworth:
            return {butterworthPrototype(order), kHalfPowerDb};
        case AnyOrderFamily::Chebyshev:
            if (!(rippleDb >= 0.01 && rippleDb <= 3)) {
                refuseAnyOrder(anyOrderPhrase("any-order-ripple-range"));
            }
            return {chebyshevPrototype(order, rippleDb), rippleDb};
        case AnyOrderFamily::Bessel:
            return {besselPrototype(order), kHalfPowerDb};
        case AnyOrderFamily::Gaussian:
            return {gaussianPrototype(order), kHalfPowerDb};
        case AnyOrderFamily::EqualCapacitor: {
            const CoupledPrototype equal = equalElementPrototype(order);
            return {scaledToEdge(equal, outermostEdge(equal, kHalfPowerDb)), kHalfPowerDb};
        }
        case AnyOrderFamily::QuasiEquiripple:
            // Its published values put the 3 dB points within a few tenths of a dB of 1.
            if (const auto prototype = quasiEquiripplePrototype(order)) {
                return {scaledToEdge(*prototype, outermostEdge(*prototype, kHalfPowerDb)),
                        kHalfPowerDb};
            }
            refuseAnyOrder(anyOrderPhrase("any-order-qer-orders"));
        default: {
            const TableRange range = tabulatedRange(family);
            if (order < range.lowest || order > range.highest) {
                refuseAnyOrder(tableRangePhrase(family),
                               {{std::to_string(range.lowest)}, {std::to_string(range.highest)}});
            }
            return {tabulatedPrototype(family, order), kHalfPowerDb};
        }
    }
}

}  // namespace trellon
