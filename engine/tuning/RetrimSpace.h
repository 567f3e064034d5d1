#pragma once

#include <optional>
#include <string>
#include <vector>

#include "BenchCircuit.h"
#include "CircuitTuning.h"

namespace trellon {

// The least value a retrimmed capacitor is soldered at, pF: its node never holds less than its
// board stray.
inline constexpr double kLeastRetrimPf = 0.1;

// Capacitors the retrim changes together: one, or a mirror pair of a symmetric ladder.
struct CapacitorGroup {
    std::vector<std::string> names;  // in ladder order
    double startPf = 0;              // as soldered at the start (the pair's geometric mean)
};

// A crystal position that may get a trimmer. A series capacitor Ct in line with a crystal
// raises its series resonance by about Fs Cm / (2 (C0 + Ct)): the retrim works with that raise
// (0: shorted) rather than with Ct.
struct TrimmerSlot {
    std::string crystal;  // "ZQ2"
    double fsHz = 0;
    double motionalF = 0;    // Cm
    double holderF = 0;      // C0
    bool keptShort = false;  // the crystal highest in Fs

    double raiseHz(double pf) const;
    double pfForRaise(double raiseHz) const;  // raiseHz > 0
};

// What the retrim varies and the tuning a point of its search stands for. A point holds the
// natural logarithm of each group's value (pF), then each trimmer's raise over `raiseUnitHz`
// (for the slots not kept short), so that one step means much the same for all.
struct RetrimSpace {
    CircuitTuning start;  // trimmers of the slots removed when trimmers are chosen
    std::vector<CapacitorGroup> groups;
    std::vector<TrimmerSlot> slots;  // every crystal part in ladder order; empty without trimmers
    std::optional<double> trimmerMinPf;
    std::optional<double> trimmerMaxPf;
    double raiseUnitHz = 1;

    // The slots whose raise is a variable.
    std::vector<std::size_t> variableSlots() const;
    std::size_t size() const { return groups.size() + variableSlots().size(); }
    std::vector<double> startPoint() const;
    CircuitTuning tuning(const std::vector<double>& point) const;
    // The bounds of each variable: capacitors at least kLeastRetrimPf, raises from short to
    // the raise of the smallest trimmer.
    std::vector<double> lowest() const;
    std::vector<double> highest() const;
    // The raise of the largest trimmer in units of the point (the least raise but short).
    double leastRaise(const TrimmerSlot& slot) const;
};

// The space of `bench` (tuned with `start`) for the free capacitors (empty: all; none unless
// `freeCapacitorsToo`), mirror pairs joined when `symmetric`, and a trimmer slot per crystal part
// when a range is given. Throws CommandError for a free capacitor the bench lacks or a range that
// is not 0 < min < max.
RetrimSpace makeRetrimSpace(const BenchCircuit& bench, const BenchSettings& settings,
                            const CircuitTuning& start,
                            const std::vector<std::string>& freeCapacitors, bool symmetric,
                            bool freeCapacitorsToo, std::optional<double> trimmerMinPf,
                            std::optional<double> trimmerMaxPf, double raiseUnitHz);

}  // namespace trellon
