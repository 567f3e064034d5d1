#include "RetrimOptions.h"

#include <cmath>

#include "CommandError.h"
#include "NumberText.h"
#include "UsageError.h"

namespace trellon::cli {

namespace {

// "C3,C5": the names between the commas, none of them empty.
std::vector<std::string> capacitorNames(const std::string& value) {
    std::vector<std::string> names;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = value.find(',', start);
        const std::string name = value.substr(start, comma - start);
        if (name.empty()) {
            throw UsageError("--retrim-free takes capacitor names between commas, not '" + value +
                             "'");
        }
        names.push_back(name);
        if (comma == std::string::npos) {
            return names;
        }
        start = comma + 1;
    }
}

// One bound of --trimmers, pF, typed with either decimal mark; nothing when it is no number.
std::optional<double> trimmerBound(const std::string& text) {
    try {
        const double pf = TypedNumber(text, '.');
        return std::isfinite(pf) ? std::optional<double>(pf) : std::nullopt;
    } catch (const CommandError&) {
        return std::nullopt;
    }
}

}  // namespace

RetrimSettings RetrimOptions::settings(int threads) const {
    RetrimSettings s;
    s.freeCapacitors = freeCapacitors;
    s.symmetric = symmetric;
    s.trimmerMinPf = trimmerMinPf;
    s.trimmerMaxPf = trimmerMaxPf;
    s.threads = threads;
    return s;
}

bool takeRetrimOption(RetrimOptions& options, const std::string& name, const std::string& value) {
    if (name == "retrim-free") {
        options.freeCapacitors = capacitorNames(value);
    } else if (name == "trimmers") {
        const std::size_t colon = value.find(':');
        const std::optional<double> low =
            colon == std::string::npos ? std::nullopt : trimmerBound(value.substr(0, colon));
        const std::optional<double> high =
            colon == std::string::npos ? std::nullopt : trimmerBound(value.substr(colon + 1));
        if (!low || !high || !(*low > 0) || !(*low < *high)) {
            throw UsageError("--trimmers takes MIN:MAX in pF with 0 < MIN < MAX, not '" + value +
                             "'");
        }
        options.trimmerMinPf = low;
        options.trimmerMaxPf = high;
    } else {
        return false;
    }
    return true;
}

void checkRetrimOptions(const RetrimOptions& options, const CrystalOptions& crystalOptions,
                        const std::set<std::string>& given) {
    if (options.retrim && !crystalOptions.anyCrystals()) {
        throw UsageError("--retrim needs --crystals or --choose-from");
    }
    if (!options.retrim) {
        for (const char* name : {"retrim-free", "retrim-symmetric", "trimmers"}) {
            if (given.contains(name)) {
                throw UsageError("--" + std::string(name) + " needs --retrim");
            }
        }
    }
}

std::string retrimUsageText() {
    return "  --retrim                find the capacitor values that bring the filter with its\n"
           "                          crystals (at the bench when set) closest to the design's\n"
           "                          shape; the files then hold the filter so retrimmed\n"
           "  --retrim-free C3,C5     retrim only these capacitors, named as the parts list\n"
           "                          names them (all of them)\n"
           "  --retrim-symmetric      keep mirror capacitors equal\n"
           "  --trimmers MIN:MAX      let the retrim put a series capacitor of MIN..MAX pF in\n"
           "                          line with each crystal, or short it\n"
           "  --build-sheet FILE      write the parts as soldered: PDF or CSV by the extension\n";
}

}  // namespace trellon::cli
