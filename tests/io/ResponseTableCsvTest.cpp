#include "ResponseTableCsv.h"

#include <gtest/gtest.h>

#include <limits>
#include <sstream>

#include "NumberText.h"

namespace trellon {
namespace {

// Every number reads back as the same double; what has no value is an empty field, never "nan"
// or "inf" that a spreadsheet would take for text.
TEST(ResponseTableCsv, ReadsBackAsTheSameNumbersWithEmptyFieldsForNoValue) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::vector<ResponseRow> rows{
        {8863682.1,
         -0.1 / 3,
         -3.0103,
         179.99999999999997,
         1234.5678901234567,
         std::numeric_limits<double>::infinity(),
         {50.000000000000007, -1e-300}},
        {8863683.1, 1e-17, nan, nan, nan, nan, {nan, nan}},
    };
    std::istringstream csv(writeResponseTableCsv(rows));
    std::string line;
    std::getline(csv, line);
    EXPECT_EQ(line,
              "frequency_hz,detuning_khz,level_db,phase_deg,group_delay_us,return_loss_db,zin_re,"
              "zin_im");
    std::getline(csv, line);
    std::vector<std::string> fields;
    std::istringstream cells(line);
    for (std::string cell; std::getline(cells, cell, ',');) {
        fields.push_back(cell);
    }
    ASSERT_EQ(fields.size(), 8u);
    const double expected[] = {
        8863682.1, -0.1 / 3,           -3.0103, 179.99999999999997, 1234.5678901234567,
        0,         50.000000000000007, -1e-300};
    for (std::size_t i = 0; i < 8; ++i) {
        if (i == 5) {
            EXPECT_EQ(fields[i], "");
        } else {
            EXPECT_EQ(TextToFloat(fields[i], '.'), expected[i]) << fields[i];
        }
    }
    std::getline(csv, line);
    const std::size_t second = line.find(',');
    const std::size_t third = line.find(',', second + 1);
    EXPECT_EQ(TextToFloat(line.substr(0, second), '.'), 8863683.1);
    EXPECT_EQ(TextToFloat(line.substr(second + 1, third - second - 1), '.'), 1e-17);
    EXPECT_EQ(line.substr(third), ",,,,,,");
    EXPECT_FALSE(std::getline(csv, line));
}

}  // namespace
}  // namespace trellon
