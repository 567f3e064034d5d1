#include "AnyOrderOptions.h"

#include "OptionValues.h"

namespace trellon::cli {

namespace {

// The family of the name as the command line spells it.
AnyOrderFamily familyNamed(const std::string& value) {
    std::string names;
    for (std::size_t i = 0; i < kAnyOrderFamilyCount; ++i) {
        if (kAnyOrderFamilyNames[i] == value) {
            return static_cast<AnyOrderFamily>(i);
        }
        names += std::string(kAnyOrderFamilyNames[i]) + ", ";
    }
    throw UsageError("--family takes one of " + names + "not '" + value + "'");
}

}  // namespace

void takeAnyOrderOption(AnyOrderOptions& o, const std::string& name, const std::string& value) {
    using namespace settings;
    if (name == kOrder.option) {
        o.order = settingCount(kOrder, value);
    } else if (name == kFamily.option) {
        o.family = familyNamed(value);
    } else if (name == kChebyshevRipple.option) {
        o.rippleDb = settingNumber(kChebyshevRipple, value);
    } else if (name == kCrystalQ.option) {
        o.crystalQ = settingNumber(kCrystalQ, value);
    }
}

void checkAnyOrderOptions(const AnyOrderOptions& o, const std::set<std::string>& given) {
    if (!o.order) {
        if (o.any()) {
            throw UsageError("--family, --ripple and --crystal-q need --order");
        }
        return;
    }
    for (const char* classic : {"topology", "response", "ccor"}) {
        if (given.contains(classic)) {
            throw UsageError(std::string("--order cannot be given with --") + classic);
        }
    }
    if (o.rippleDb && o.family != AnyOrderFamily::Chebyshev) {
        throw UsageError("--ripple needs --family chebyshev");
    }
    if (o.crystalQ && given.contains("rd")) {
        throw UsageError("--crystal-q and --rd cannot be given together");
    }
}

std::string anyOrderUsageText() {
    std::string text;
    for (const SettingDeclaration* declaration : settings::kAnyOrderTable) {
        text += settingUsage(*declaration);
    }
    return text;
}

}  // namespace trellon::cli
