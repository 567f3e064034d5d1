#include "NumberColumnsCsv.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>

#include "NumberText.h"

namespace trellon {
namespace {

// Every number reads back as the same double, an infinite level as an empty cell.
TEST(NumberColumnsCsv, NumbersReadBackExactly) {
    const std::vector<double> detuning{-1.5505, 0.1 + 0.2, 1e-17};
    const std::vector<double> level{-123.456789012345678, std::nextafter(1.0, 2.0),
                                    -std::numeric_limits<double>::infinity()};
    const std::string text = writeNumberColumnsCsv({"detuning_khz", "level_db"}, {detuning, level});
    std::istringstream lines(text);
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line, "detuning_khz,level_db");
    for (std::size_t i = 0; i < detuning.size(); ++i) {
        ASSERT_TRUE(std::getline(lines, line));
        const std::size_t comma = line.find(',');
        EXPECT_EQ(TextToFloat(line.substr(0, comma), '.'), detuning[i]);
        if (i + 1 < detuning.size()) {
            EXPECT_EQ(TextToFloat(line.substr(comma + 1), '.'), level[i]);
        } else {
            EXPECT_EQ(line.substr(comma + 1), "");
        }
    }
    EXPECT_FALSE(std::getline(lines, line));
}

}  // namespace
}  // namespace trellon
