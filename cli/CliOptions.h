#pragma once

#include <optional>
#include <string>
#include <vector>

#include "AnyOrderOptions.h"
#include "BenchOptions.h"
#include "CrystalOptions.h"
#include "FitOptions.h"
#include "ResponseOptions.h"
#include "RetrimOptions.h"
#include "StartupInputs.h"
#include "UsageError.h"

namespace trellon::cli {

struct CliOptions {
    int topology = 1;
    int response = 1;
    // Texts exactly as they would be typed in the window; the window's start-up texts.
    std::string fo = startup::kFo;
    std::string ld = startup::kLd;
    std::string cs = startup::kCs;
    std::string rd = startup::kRd;
    std::string ccor = startup::kCcor;
    std::string dF = startup::kDF;
    std::string level = startup::kLevel;
    char decimalSeparator = '.';
    bool absolute = false;
    bool json = false;
    std::optional<std::string> spiceFile;
    std::optional<std::string> pointsFile;
    std::optional<std::string> buildSheetFile;  // .csv or .pdf
    ResponseOptions responseOptions;
    CrystalOptions crystalOptions;
    BenchOptions benchOptions;
    FitOptions fitOptions;
    AnyOrderOptions anyOrderOptions;
    RetrimOptions retrimOptions;
    bool help = false;
};

// Reads "--name value" and "--name=value" options; throws UsageError on anything else.
CliOptions parseCliOptions(const std::vector<std::string>& arguments, char defaultSeparator);

std::string usageText();

}  // namespace trellon::cli
