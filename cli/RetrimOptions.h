#pragma once

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "CrystalOptions.h"
#include "Retrim.h"

namespace trellon::cli {

// The options of the retrim: the capacitor values (and crystal trimmers) that bring the filter
// as placed and fitted closest to the design's shape.
struct RetrimOptions {
    bool retrim = false;
    bool symmetric = false;
    std::vector<std::string> freeCapacitors;  // as the parts list names them; empty: all
    std::optional<double> trimmerMinPf;
    std::optional<double> trimmerMaxPf;

    // The retrim's settings with `threads` (0: one per core).
    RetrimSettings settings(int threads) const;
};

// Takes the option `name` with its value when it is one of the retrim options that take one (the
// flags --retrim and --retrim-symmetric are set as the other flags are);
// returns false for any other name. Throws UsageError for a value it cannot take.
bool takeRetrimOption(RetrimOptions& options, const std::string& name, const std::string& value);

inline constexpr const char* kRetrimOptionNames[] = {"retrim-free", "trimmers"};

// Throws UsageError for a retrim with no crystals to retrim, and for its settings without it.
void checkRetrimOptions(const RetrimOptions& options, const CrystalOptions& crystalOptions,
                        const std::set<std::string>& given);

std::string retrimUsageText();

}  // namespace trellon::cli
