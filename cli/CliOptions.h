#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace trellon::cli {

struct CliOptions {
    int topology = 1;
    int response = 1;
    // Texts exactly as they would be typed in the window; the window's start-up texts.
    std::string fo = "8863.682";
    std::string ld = "17.15";
    std::string cs = "3.3";
    std::string rd = "5.7";
    std::string ccor = "82";
    std::string dF = "3100";
    std::string level = "-10";
    char decimalSeparator = '.';
    bool absolute = false;
    bool json = false;
    std::optional<std::string> spiceFile;
    std::optional<std::string> pointsFile;
    bool help = false;
};

class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads "--name value" and "--name=value" options; throws UsageError on anything else.
CliOptions parseCliOptions(const std::vector<std::string>& arguments, char defaultSeparator);

std::string usageText();

}  // namespace trellon::cli
