#include "BenchPartsList.h"

#include "CircuitTuning.h"
#include "CrystalPositions.h"
#include "NumberText.h"
#include "texts/BenchTexts.h"

namespace trellon {

namespace {

QString text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

QString fitted(const BenchCapacitor& c, char separator) {
    auto number = [separator](double value) {
        return QString::fromStdString(FormatGeneral(value, 4, separator));
    };
    if (c.standard && c.standard->second) {
        return number(c.standard->first) + QStringLiteral(" || ") + number(*c.standard->second);
    }
    return number(c.fittedPf);
}

// "Cin 77,08 пФ + C1 40,94 пФ": what a merged part stands for.
QString mergedParts(const BenchCapacitor& c, char separator) {
    QStringList parts;
    for (const MergedCapacitor& m : c.merged) {
        parts << QString::fromStdString(m.name + " " + FormatGeneral(m.designPf, 4, separator)) +
                     " " + text(texts::kPicofarad);
    }
    return parts.join(" + ");
}

}  // namespace

QStringList benchPartsList(const BenchCircuit& bench, std::span<const std::string> crystalNames,
                           double strayPf, char decimalSeparator) {
    auto number = [decimalSeparator](double value) {
        return QString::fromStdString(FormatGeneral(value, 4, decimalSeparator));
    };
    const bool transformer = bench.network.kind == MatchKind::Transformer;
    QStringList lines{text(texts::kPartsSource).arg(number(bench.circuit.sourceResistance))};
    if (transformer) {
        lines << text(texts::kPartsTransformer).arg("Tin", number(bench.network.turnsRatio));
    }
    std::size_t capacitor = 0;
    std::size_t crystal = 0;
    for (std::size_t i = 0; i < bench.circuit.parts.size(); ++i) {
        const BuiltPart& part = bench.circuit.parts[i];
        const QString name = QString::fromStdString(part.name);
        if (part.kind == BuiltPartKind::Crystal) {
            for (const std::string& position : crystalPositionNames(part)) {
                const QString positionName = QString::fromStdString(position);
                lines << (crystal < crystalNames.size()
                              ? text(texts::kPartsCrystal)
                                    .arg(positionName,
                                         QString::fromStdString(crystalNames[crystal]))
                              : text(texts::kPartsNominalCrystal).arg(positionName));
                ++crystal;
            }
        } else if (capacitor < bench.capacitors.size() &&
                   bench.capacitors[capacitor].name == part.name) {
            const BenchCapacitor& c = bench.capacitors[capacitor++];
            if (const std::optional<std::string> trimmed = trimmedCrystal(bench.circuit, i)) {
                lines << text(texts::kPartsTrimmer)
                             .arg(name, fitted(c, decimalSeparator),
                                  QString::fromStdString(*trimmed));
                continue;
            }
            lines << (c.keptAtDesign
                          ? text(texts::kPartsCapacitorKept).arg(name, number(c.fittedPf))
                          : text(texts::kPartsCapacitor)
                                .arg(name, fitted(c, decimalSeparator), number(c.designPf)));
            if (!c.merged.empty()) {
                lines << text(texts::kPartsMerged).arg(mergedParts(c, decimalSeparator));
            }
        } else if (part.kind == BuiltPartKind::SeriesInductor ||
                   part.kind == BuiltPartKind::ShuntInductor) {
            lines << text(texts::kPartsInductor).arg(name, number(part.value * 1e6));
        } else {
            lines << text(texts::kPartsNetworkCapacitor).arg(name, number(part.value * 1e12));
        }
    }
    if (transformer) {
        lines << text(texts::kPartsTransformer).arg("Tout", number(bench.network.turnsRatio));
    }
    lines << text(texts::kPartsLoad).arg(number(bench.circuit.loadResistance));
    if (strayPf > 0) {
        lines << text(texts::kPartsStray).arg(number(strayPf));
    }
    return lines;
}

}  // namespace trellon
