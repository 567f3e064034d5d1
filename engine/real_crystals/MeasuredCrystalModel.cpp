#include "MeasuredCrystalModel.h"

#include "CrystalFormulas.h"

namespace trellon {

CrystalModel crystalModelOf(const MeasuredCrystal& crystal) {
    return {crystal.lmMh * 0.001, motionalCapacitanceOf(crystal.fsKhz, crystal.lmMh), crystal.rmOhm,
            crystal.c0Pf * 1e-12};
}

MeasuredCrystal nominalMeasuredCrystal(const DesignState& state, std::string name) {
    return {std::move(name), state.Fo, state.Ld, state.Rd, state.Cs};
}

}  // namespace trellon
