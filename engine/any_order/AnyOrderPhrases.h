#pragma once

#include "Phrase.h"

namespace trellon {

// Why an any-order design cannot be made, in English; the window's wording is keyed by the same
// ids.
inline constexpr PhraseTemplate kAnyOrderPhrases[] = {
    {"any-order-range", "the filter must have from 2 to 16 crystals"},
    {"any-order-range-gaussian-6db",
     "the gaussian-6db response is tabulated only for %1 to %2 crystals"},
    {"any-order-range-gaussian-12db",
     "the gaussian-12db response is tabulated only for %1 to %2 crystals"},
    {"any-order-range-linear-phase-0.05",
     "the linear-phase-0.05 response is tabulated only for %1 to %2 crystals"},
    {"any-order-range-linear-phase-0.5",
     "the linear-phase-0.5 response is tabulated only for %1 to %2 crystals"},
    {"any-order-qer-orders",
     "the qer response is tabulated only for 4 to 8, 10 and 12 resonators, each end's pair of "
     "crystals counting as one"},
    {"any-order-ripple-range", "the Chebyshev ripple must lie from 0.01 to 3 dB"},
    {"any-order-crystal", "the crystal needs a positive Fs, Lm and Rm, and C0 not below 0"},
    {"any-order-bandwidth", "the bandwidth must be positive and below Fs"},
    {"any-order-too-wide",
     "the crystal allows at most %1 Hz of bandwidth for this response and order"},
    {"any-order-capacitor", "the design needs a zero or negative capacitor %1"},
    {"any-order-no-convergence",
     "the simulated bandwidth cannot be brought within 1 % of the target"},
};

consteval const PhraseTemplate& anyOrderPhrase(std::string_view id) {
    return phraseIn(kAnyOrderPhrases, id);
}

// Refuses the design with one phrase.
[[noreturn]] inline void refuseAnyOrder(const PhraseTemplate& reason,
                                        std::vector<PhraseArgument> arguments = {}) {
    throw PhrasedError(std::vector<Phrase>{Phrase{&reason, std::move(arguments)}});
}

}  // namespace trellon
