#include "CurveCsv.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "NumberText.h"

namespace trellon {
namespace {

// Reads the file back as a spreadsheet would: quoted caption, then two numbers in the style's
// decimal mark; an empty cell reads as NaN.
std::vector<CurveTable> parseBack(std::string_view text, CsvStyle style) {
    const char separator = style == CsvStyle::DecimalComma ? ';' : ',';
    const char mark = style == CsvStyle::DecimalComma ? ',' : '.';
    EXPECT_TRUE(text.starts_with("\xEF\xBB\xBF"));
    text.remove_prefix(3);
    text.remove_prefix(text.find('\n') + 1);
    std::vector<CurveTable> curves;
    while (!text.empty()) {
        std::string_view line = text.substr(0, text.find('\n'));
        text.remove_prefix(line.size() + 1);
        EXPECT_EQ(line.front(), '"');
        std::string caption;
        std::size_t i = 1;
        for (; !(line[i] == '"' && (i + 1 == line.size() || line[i + 1] != '"')); ++i) {
            caption += line[i];
            i += line[i] == '"' ? 1 : 0;
        }
        line.remove_prefix(i + 2);
        const std::string_view detuning = line.substr(0, line.find(separator));
        const std::string_view value = line.substr(detuning.size() + 1);
        EXPECT_EQ(value.find(separator), std::string_view::npos);
        if (curves.empty() || curves.back().caption != caption) {
            curves.push_back({caption, {}, {}});
        }
        curves.back().detuningKhz.push_back(TextToFloat(detuning, mark));
        curves.back().values.push_back(value.empty() ? std::nan("") : TextToFloat(value, mark));
    }
    return curves;
}

TEST(CurveCsv, BothStylesParseBackToTheSameNumbers) {
    const std::vector<CurveTable> curves = {
        {"АЧХ 1: \"CW\", 500 Гц", {-1.25, 0, 0.1 + 0.2}, {-3.0000000000000004, 1e-5, -120.5}},
        {"measured",
         {-2e-7, 123456.78901234567},
         {6.02e23, std::numeric_limits<double>::infinity()}},
    };
    for (const CsvStyle style : {CsvStyle::DecimalPoint, CsvStyle::DecimalComma}) {
        const std::string text = writeCurveCsv(curves, "level_db", style);
        const std::string header = style == CsvStyle::DecimalPoint
                                       ? "\xEF\xBB\xBF"
                                         "curve,detuning_khz,level_db\n"
                                       : "\xEF\xBB\xBF"
                                         "curve;detuning_khz;level_db\n";
        EXPECT_TRUE(text.starts_with(header));
        const std::vector<CurveTable> back = parseBack(text, style);
        ASSERT_EQ(back.size(), curves.size());
        for (std::size_t c = 0; c < curves.size(); ++c) {
            EXPECT_EQ(back[c].caption, curves[c].caption);
            EXPECT_EQ(back[c].detuningKhz, curves[c].detuningKhz);
            ASSERT_EQ(back[c].values.size(), curves[c].values.size());
            for (std::size_t i = 0; i < curves[c].values.size(); ++i) {
                const double expected = curves[c].values[i];
                if (std::isfinite(expected)) {
                    EXPECT_EQ(back[c].values[i], expected);
                } else {
                    EXPECT_TRUE(std::isnan(back[c].values[i]));
                }
            }
        }
    }
}

}  // namespace
}  // namespace trellon
