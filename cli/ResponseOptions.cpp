#include "ResponseOptions.h"

#include <filesystem>

#include "BuiltCircuit.h"
#include "CommandError.h"
#include "CurveRecord.h"
#include "FileBytes.h"
#include "NumberText.h"
#include "OptionValues.h"
#include "ReadLimits.h"
#include "ResponseTable.h"
#include "ResponseTableCsv.h"
#include "TerminalResponse.h"
#include "Touchstone.h"
#include "TwoPortExport.h"
#include "WideSpan.h"

namespace trellon::cli {

bool takeResponseOption(ResponseOptions& options, const std::string& name,
                        const std::string& value) {
    if (name == "table") {
        options.tableFile = value;
    } else if (name == settings::kSpanKhz.option) {
        options.spanKhz = settingNumber(settings::kSpanKhz, value);
    } else if (name == settings::kSpanPoints.option) {
        options.spanPoints = settingCount(settings::kSpanPoints, value);
    } else if (name == "s2p") {
        options.s2pFile = value;
    } else if (name == "measured") {
        options.measuredFile = value;
    } else {
        return false;
    }
    return true;
}

std::string responseUsageText() {
    return "  --table FILE            write level, phase, group delay, return loss and input\n"
           "                          impedance at the traced points as CSV\n" +
           settingUsage(settings::kSpanKhz) + settingUsage(settings::kSpanPoints) +
           "  --s2p FILE              write the filter as built as a Touchstone two-port\n"
           "  --measured FILE         report on a measured response (Touchstone S21)\n";
}

ResponseOutputs makeResponseOutputs(const CurveRecord& ideal, const CalculatedDesign& design,
                                    const ResponseOptions& options, std::string_view levelText,
                                    char decimalSeparator, const BenchCircuit* bench,
                                    const BuiltCircuit* withCrystals) {
    ResponseOutputs outputs;
    if (options.tableFile || options.s2pFile) {
        CurveRecord curve = ideal;
        if (bench || withCrystals) {
            curve.built = bench ? bench->circuit : *withCrystals;
        }
        SpanSettings span;
        if (options.spanKhz) {
            span.halfWidthHz = *options.spanKhz * 1000;
            span.points = options.spanPoints;
        }
        if (options.tableFile) {
            outputs.table = writeResponseTableCsv(options.spanKhz ? spanResponseTable(curve, span)
                                                                  : tracedResponseTable(curve));
        }
        if (options.s2pFile) {
            const std::vector<double> frequencies =
                options.spanKhz ? spanFrequencies(curve, span) : curve.frequencyHz;
            outputs.touchstone =
                writeTouchstone(bench ? benchTwoPort(*bench, frequencies)
                                      : twoPortData(sParameters(curve.built, frequencies)),
                                TouchstoneFormat::RealImaginary);
        }
    }
    if (options.measuredFile) {
        const TwoPortData data = readTouchstone(readFileBytes({.path = *options.measuredFile,
                                                               .what = "the measured response",
                                                               .limitBytes = kTouchstoneLimit}),
                                                *options.measuredFile);
        const double foHz = design.foHz();
        outputs.measured =
            analyseMeasuredResponse(*options.measuredFile, data.frequencyHz, data.s21, foHz,
                                    ideal.levelMode, design.frLevelDb);
        const std::string name = std::filesystem::path(*options.measuredFile).filename().string();
        outputs.measuredReport =
            measuredReportLines(*outputs.measured, name, levelText, foHz, decimalSeparator).log;
    }
    return outputs;
}

}  // namespace trellon::cli
