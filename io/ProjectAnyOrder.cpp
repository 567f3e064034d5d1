#include "ProjectAnyOrder.h"

#include "AnyOrderSettings.h"

namespace trellon {

ProjectAnyOrder readProjectAnyOrder(const ProjectFields& group) {
    using namespace settings;
    return {.Fo = group.text("Fo"),
            .Ld = group.text("Ld"),
            .Cs = group.text("Cs"),
            .Rd = group.text("Rd"),
            .bandwidth = group.text("bandwidth"),
            .order = group.count(kOrder),
            .family = group.choice<AnyOrderFamily>(kFamily.key, kAnyOrderFamilyNames),
            .rippleDb = group.setting(kChebyshevRipple)};
}

ProjectFields::Json projectAnyOrderJson(const ProjectAnyOrder& a) {
    using namespace settings;
    return {{"Fo", a.Fo},
            {"Ld", a.Ld},
            {"Cs", a.Cs},
            {"Rd", a.Rd},
            {"bandwidth", a.bandwidth},
            {std::string(kOrder.key), a.order},
            {std::string(kFamily.key), std::string(familyName(a.family))},
            {std::string(kChebyshevRipple.key), a.rippleDb}};
}

}  // namespace trellon
