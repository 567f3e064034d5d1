#include "MeasuredCrystalModel.h"

#include "CrystalFormulas.h"

namespace trellon {

CrystalModel crystalModelOf(const MeasuredCrystal& crystal) {
    return {crystal.lmMh * 0.001, motionalCapacitanceOf(crystal.fsKhz, crystal.lmMh), crystal.rmOhm,
            crystal.c0Pf * 1e-12};
}

std::vector<MotionalArm> spuriousArmsOf(const MeasuredCrystal& crystal) {
    std::vector<MotionalArm> arms;
    for (const SpuriousMode& mode : crystal.spurious) {
        const double lmH = mode.lmMh * 1e-3;
        const double fHz = (crystal.fsKhz + mode.offsetKhz) * 1e3;
        arms.push_back({lmH, motionalCapacitance(fHz, lmH, kTwoPiExact), mode.rmOhm});
    }
    return arms;
}

PartCrystal partCrystalOf(const MeasuredCrystal& crystal) {
    return {crystalModelOf(crystal), spuriousArmsOf(crystal)};
}

void placeCrystal(BuiltPart& part, const MeasuredCrystal& crystal) {
    const PartCrystal placed = partCrystalOf(crystal);
    setPartCrystals(part, {&placed, 1});
}

MeasuredCrystal nominalMeasuredCrystal(const DesignState& state, std::string name) {
    return {std::move(name), state.Fo, state.Ld, state.Rd, state.Cs};
}

}  // namespace trellon
