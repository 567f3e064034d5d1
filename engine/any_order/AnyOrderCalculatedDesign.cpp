#include "AnyOrderCalculatedDesign.h"

#include <cmath>
#include <string>

#include "BuiltFilter.h"
#include "BuiltFilterSolver.h"
#include "CrystalPhrases.h"
#include "Phrase.h"
#include "SimulatedBand.h"

namespace trellon {

namespace {

MeasuredCrystal nominalCrystal(const LadderCrystal& crystal) {
    return {.name = "nominal",
            .fsKhz = crystal.seriesFrequencyHz / 1000,
            .lmMh = crystal.motionalInductance * 1000,
            .rmOhm = crystal.motionalResistance,
            .c0Pf = crystal.holderCapacitance * 1e12};
}

[[noreturn]] void notFinite() {
    throw PhrasedError({Phrase{&crystalPhrase("built-not-finite"), {}}});
}

}  // namespace

std::shared_ptr<const CalculatedDesign> anyOrderCalculatedDesign(const AnyOrderDesign& design,
                                                                 double frLevelDb) {
    BuiltFilterSolver solver;
    solver.prepare(design.circuit);
    const SimulatedBand level =
        simulatedBand(solver, 0.5 * (design.simulatedLowerHz + design.simulatedUpperHz),
                      design.simulatedBandwidthHz(), -frLevelDb);
    const std::optional<TracedBand> band = TracedBand::between(level.lowerHz, level.upperHz);
    if (!band) {
        notFinite();
    }
    auto calculated = std::make_shared<CalculatedDesign>(*band);
    CalculatedDesign& d = *calculated;
    const AnyOrderInputs& inputs = design.inputs;
    d.name =
        "N" + std::to_string(inputs.order) + "-" + std::string(familyName(inputs.family)) + "-";
    d.foKhz = inputs.crystal.seriesFrequencyHz / 1000;
    d.passBandHz = inputs.bandwidthHz;
    d.frLevelDb = frLevelDb;
    d.nominal = nominalCrystal(inputs.crystal);
    d.circuit = design.circuit;
    buildNetlist(design.circuit, d.reference);

    const std::vector<double> frequencies = idealTraceFrequencies(d.band);
    std::vector<double> levels(frequencies.size());
    solver.solveLevels(frequencies, levels);
    const CurveFigures figures = measureCurve(frequencies, levels, frLevelDb);
    const double fo = d.foHz();
    double levelAtFo = 0;
    solver.solveLevels({&fo, 1}, {&levelAtFo, 1});
    if (!figuresFinite(figures) || !std::isfinite(attenuationOf(levelAtFo))) {
        notFinite();
    }
    d.amin = figures.amin;
    d.fAmin = figures.fAmin;
    d.bandwidthAtLevel = d.band.widthHz();  // between the edges found, not whole hertz
    d.levelAtFo = levelAtFo;
    d.attenuationAtFo = attenuationOf(levelAtFo);
    return calculated;
}

}  // namespace trellon
