#include "CalculatedDesign.h"

#include <stdexcept>

#include "Catalogue.h"
#include "CrystalPositions.h"
#include "MeasuredCrystalModel.h"
#include "NumberText.h"

namespace trellon {

int CalculatedDesign::crystalCount() const {
    return trellon::crystalCount(circuit);
}

std::string designCaption(const CalculatedDesign& design, char decimalSeparator) {
    return design.name + FormatGeneral(design.passBandHz, 15, decimalSeparator) +
           ", Fo=" + FormatGeneral(design.foKhz, 15, decimalSeparator) + " kHz";
}

std::shared_ptr<const CalculatedDesign> calculatedDesignOf(const Engine& engine) {
    const DesignState& s = engine.state;
    const std::optional<TracedBand> band = TracedBand::between(s.BandLow, s.BandHigh);
    if (!band) {
        throw std::logic_error("the design has no traced band: calculate it first");
    }
    auto design = std::make_shared<CalculatedDesign>(*band);
    design->topology = s.Topology;
    design->response = s.Response;
    design->name = s.TableKey;
    design->foKhz = s.Fo;
    design->passBandHz = s.dF;
    design->frLevelDb = s.FrLevel;
    design->nominal = nominalMeasuredCrystal(s);
    design->circuit = makeBuiltCircuit(s);
    buildNetlist(indexFromTopology(s.Topology), s, design->reference);
    design->amin = s.Amin;
    design->fAmin = s.FAmin;
    design->bandwidthAtLevel = s.BandWidthAtLevel;
    design->levelAtFo = s.LevelAtFo;
    design->attenuationAtFo = s.AttenuationAtFo;
    design->classic = ClassicModel{s.TableKey, s.Rsource, s.Rload, s.Cap, s.Ccor};
    return design;
}

}  // namespace trellon
