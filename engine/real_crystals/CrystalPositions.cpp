#include "CrystalPositions.h"

#include <stdexcept>

namespace trellon {

namespace {

MotionalArm mainArm(const CrystalModel& model) {
    return {model.motionalInductance, model.motionalCapacitance, model.motionalResistance};
}

}  // namespace

void setPartCrystals(BuiltPart& part, std::span<const PartCrystal> crystals) {
    if (crystals.size() == 1) {
        part.crystal = crystals[0].model;
        part.spurious = crystals[0].spurious;
        part.parallelCrystals = 1;
        part.secondHolderCapacitance = 0;
        part.firstCrystalModes = 0;
        return;
    }
    if (crystals.size() != 2) {
        throw std::invalid_argument("a crystal part holds one crystal or a pair");
    }
    const PartCrystal& first = crystals[0];
    const PartCrystal& second = crystals[1];
    part.crystal = first.model;
    part.crystal.holderCapacitance += second.model.holderCapacitance;
    part.spurious = {mainArm(second.model)};
    part.spurious.insert(part.spurious.end(), first.spurious.begin(), first.spurious.end());
    part.spurious.insert(part.spurious.end(), second.spurious.begin(), second.spurious.end());
    part.parallelCrystals = 2;
    part.secondHolderCapacitance = second.model.holderCapacitance;
    part.firstCrystalModes = static_cast<int>(first.spurious.size());
}

std::vector<PartCrystal> partCrystals(const BuiltPart& part) {
    if (part.parallelCrystals == 1) {
        return {{part.crystal, part.spurious}};
    }
    const MotionalArm& arm = part.spurious.at(0);
    PartCrystal first{part.crystal, {}};
    first.model.holderCapacitance -= part.secondHolderCapacitance;
    PartCrystal second{
        {arm.inductance, arm.capacitance, arm.resistance, part.secondHolderCapacitance}, {}};
    const auto modes = part.spurious.begin() + 1;
    const auto secondModes = modes + part.firstCrystalModes;
    first.spurious.assign(modes, secondModes);
    second.spurious.assign(secondModes, part.spurious.end());
    return {first, second};
}

int crystalCount(const BuiltCircuit& circuit) {
    int count = 0;
    for (const BuiltPart& part : circuit.parts) {
        if (part.kind == BuiltPartKind::Crystal) {
            count += part.parallelCrystals;
        }
    }
    return count;
}

std::vector<std::string> crystalPositionNames(const BuiltPart& part) {
    if (part.parallelCrystals == 1) {
        return {part.name};
    }
    std::vector<std::string> names;
    for (int k = 0; k < part.parallelCrystals; ++k) {
        names.push_back(part.name + static_cast<char>('a' + k));
    }
    return names;
}

std::vector<std::string> crystalPositionNames(const BuiltCircuit& circuit) {
    std::vector<std::string> names;
    for (const BuiltPart& part : circuit.parts) {
        if (part.kind == BuiltPartKind::Crystal) {
            const std::vector<std::string> own = crystalPositionNames(part);
            names.insert(names.end(), own.begin(), own.end());
        }
    }
    return names;
}

}  // namespace trellon
