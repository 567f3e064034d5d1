#pragma once

#include <optional>
#include <set>
#include <string>

#include "AnyOrderFamily.h"
#include "AnyOrderSettings.h"

namespace trellon::cli {

// The options of a ladder of any order: with --order the crystal of --fo, --ld, --cs and --rd
// (or --crystal-q), the pass band of --df and the level of --level design it instead of the
// topology and response.
struct AnyOrderOptions {
    std::optional<int> order;
    std::optional<AnyOrderFamily> family;
    std::optional<double> rippleDb;
    std::optional<double> crystalQ;

    bool any() const { return order || family || rippleDb || crystalQ; }
};

inline constexpr const char* kAnyOrderOptionNames[] = {
    settings::kOrder.option.data(), settings::kFamily.option.data(),
    settings::kChebyshevRipple.option.data(), settings::kCrystalQ.option.data()};

// Takes one of the options above with its value; throws UsageError for a value it cannot take.
void takeAnyOrderOption(AnyOrderOptions& options, const std::string& name,
                        const std::string& value);

// Throws UsageError for options that do not go together: a family, ripple or Q without --order,
// a ripple of another family than Chebyshev, --order with --topology, --response or --ccor, or
// Q with --rd. `given` holds the names of every option given.
void checkAnyOrderOptions(const AnyOrderOptions& options, const std::set<std::string>& given);

std::string anyOrderUsageText();

}  // namespace trellon::cli
