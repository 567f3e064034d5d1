#include "Synthesis.h"

#include <cmath>
#include <stdexcept>
#include <string>

#include "Catalogue.h"
#include "CentreEvaluation.h"
#include "CommandError.h"
#include "CrystalFormulas.h"
#include "CrystalModel.h"
#include "FloatingPoint.h"
#include "Messages.h"
#include "NumberText.h"
#include "PrototypeTable.h"

namespace trellon {

namespace {

// No user input reaches a topology without formulas: the option checks and the window's list
// admit only the described ones, and each of those has its case below.
[[noreturn]] void refuseTopology(int topology) {
    throw std::logic_error("no synthesis for topology " + std::to_string(topology));
}

// A zero here would divide by zero further on; refuse it by name before any value is shown.
void requireNonZero(double value, const char* field) {
    if (value == 0) {
        throw CommandError(std::string(kDivisionByZeroText) + ": " + field + " must not be 0");
    }
}

struct Couplings {
    double Xs, Rterm, r, K12, K23, K34, K45;
};

double ka(double k12, double k34) {
    return 1 / (1 / k12 - 1 / k34);
}
double kb(double k12, double k23, double k34, double k45) {
    return 1 / (1 / k12 + 1 / k23 - 1 / k34 - 1 / k45);
}
// A capacitor in series with Ccor.
double withCcor(double c, double ccor) {
    return c * ccor / (c + ccor);
}

Couplings commonQuantities(DesignState& s) {
    Couplings q{};
    const double N = s.Fo / s.dF * 1000;
    q.Xs = N * 1e9 / (kTwoPiSquared * s.Fo * s.Fo * s.Ld);
    s.Cq = motionalCapacitanceOf(s.Fo, s.Ld);
    q.Rterm = 1e9 / (kTwoPi * s.Fo * q.Xs * s.G1);
    const double base =
        kTwoPiSquared * (s.Fo * s.Fo) * (q.Rterm * q.Rterm) * (q.Xs * q.Xs) * s.G2 * s.G3;
    if (isCwTopology(s.Topology)) {
        const double end = q.Xs * std::sqrt(s.G2 * s.G3) + s.Ccor;
        q.r = base * (s.Ccor * s.Ccor) * 1e-18 / (end * end);
    } else {
        q.r = base * 1e-18;
    }
    q.K12 = q.Xs * std::sqrt(s.G1 * s.G2);
    q.K23 = q.Xs * std::sqrt(s.G2 * s.G3);
    q.K34 = q.Xs * std::sqrt(s.G3 * s.G4);
    q.K45 = q.Xs * std::sqrt(s.G4 * s.G5);
    return q;
}

// Fills the capacitor slots of the topology; returns the end coupling Kend.
double writeCapacitors(DesignState& s, const Couplings& q) {
    auto& C = s.Cap;
    const double ccor = s.Ccor;
    switch (s.Topology) {
        case 1:
            C[1] = q.K12;
            return q.K23;
        case 2:
            C[1] = q.K12;
            C[2] = q.K23;
            return C[2];
        case 3:
            C[1] = q.K12;
            C[2] = q.K23;
            C[3] = q.K34;
            C[4] = ka(q.K12, q.K34);
            C[5] = C[3] * C[4] / (C[3] + 2 * C[4]);
            C[6] = C[4] * C[4] / (C[3] + 2 * C[4]);
            return C[2];
        case 4: {
            C[1] = q.K12;
            C[2] = q.K23;
            C[3] = q.K34;
            C[4] = q.K45;
            C[5] = kb(q.K12, q.K23, q.K34, q.K45);
            C[6] = ka(q.K12, q.K34);
            const double S = C[3] + C[5] + C[6];
            C[16] = C[3] * C[5] / S;
            C[15] = C[3] * C[6] / S;
            C[13] = C[5] * C[6] / S;
            return C[2];
        }
        case 5:
            C[1] = q.K12;
            C[2] = q.K23;
            C[19] = withCcor(C[2], ccor);
            C[20] = ccor * ccor / (2 * ccor + C[2]);
            C[21] = ccor * C[2] / (2 * ccor + C[2]);
            return C[19];
        case 6: {
            C[1] = q.K12;
            C[2] = q.K23;
            C[3] = q.K34;
            C[4] = ka(q.K12, q.K34);
            C[22] = withCcor(C[2], ccor);
            const double D = withCcor(C[4], ccor);
            const double S = D + ccor + C[2];
            C[23] = D * ccor / S;
            C[24] = D * C[2] / S;
            C[25] = ccor * C[2] / S;
            C[19] = C[22];
            return C[19];
        }
        case 7: {
            C[1] = withCcor(q.K23, ccor);
            C[2] = q.K12;
            C[16] = q.K23;
            C[6] = q.K34;
            C[17] = q.K45;
            const double A = withCcor(ka(C[2], C[6]), ccor);
            const double S1 = ccor + C[16] + A;
            C[3] = ccor * C[16] / S1;
            C[4] = A * ccor / S1;
            C[5] = A * C[16] / S1;
            const double B = withCcor(kb(C[2], C[16], C[6], C[17]), ccor);
            const double S2 = 2 * B + C[17];
            C[7] = B * C[17] / S2;
            C[8] = B * B / S2;
            for (int i = 1; i <= 7; ++i) {
                C[8 + i] = C[8 - i];
            }
            C[19] = C[1];
            return C[1];
        }
        default:
            refuseTopology(s.Topology);
    }
}

void showResultFields(const DesignState& s, char separator, DesignView& view) {
    const TopologyDescription& description = topologyDescription(s.Topology);
    const std::string rin = FormatGeneral(s.Rin, 4, separator);
    view.setResultField(ResultField::EditRin, rin);
    view.setResultField(description.outputResistanceField, rin);
    for (const SchematicCapacitor& capacitor : description.capacitors) {
        view.setResultField(capacitor.field, FormatGeneral(s.Cap[capacitor.capSlot], 4, separator));
    }
}

}  // namespace

bool SynthesizeFilter(Engine& engine, const DesignTexts& texts, char separator, DesignView& view) {
    DesignState& s = engine.state;
    if (!isValidTopology(s.Topology)) {
        refuseTopology(s.Topology);
    }
    view.showResultsPanel();
    s.Calculated = true;

    for (const std::string* text :
         {&texts.fo, &texts.ld, &texts.cs, &texts.rd, &texts.ccor, &texts.dF}) {
        if (text->empty()) {
            view.showWarning(messages::kMissingData);
            return false;
        }
    }
    if (texts.rd == "0") {
        view.showWarning(messages::kZeroResistance);
        return false;
    }
    LoadPrototype(s);

    s.Fo = TypedNumber(texts.fo, separator);
    s.dF = TypedNumber(texts.dF, separator);
    s.Ld = TypedNumber(texts.ld, separator);
    s.Cs = TypedNumber(texts.cs, separator);
    s.Rd = TypedNumber(texts.rd, separator);
    s.Ccor = TypedNumber(texts.ccor, separator);
    requireNonZero(s.Fo, "Fo");
    requireNonZero(s.dF, "dF");
    requireNonZero(s.Ld, "Ld");
    const bool cw = isCwTopology(s.Topology);
    if (cw) {
        requireNonZero(s.Ccor, "Ccor");
    }

    s.Ccor = cw ? TypedNumber(texts.ccor, separator) : 0;
    const Couplings q = commonQuantities(s);
    const double kEnd = writeCapacitors(s, q);
    s.Cap[topologyDescription(s.Topology).endCapacitorSlot()] = kEnd / (1 + q.r);
    s.Rin = (1 / q.r + 1) * q.Rterm;
    requireFinite({q.Xs, s.Cq, q.Rterm, q.r, s.Rin});
    for (double capacitance : s.Cap) {
        requireFinite(capacitance);
    }
    showResultFields(s, separator, view);

    s.Rsource = q.Rterm;
    s.Rload = q.Rterm;
    if (s.Rsource == 0 || s.Rload == 0 || s.Rd == 0) {
        view.showWarning(messages::kZeroResistance);
        return false;
    }
    return EvaluateAtCentre(engine, view);
}

}  // namespace trellon
