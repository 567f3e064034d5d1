#include "NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "CommandError.h"

namespace trellon {
namespace {

class BothSeparators : public ::testing::TestWithParam<char> {
protected:
    // The expected text written with a point, turned to the separator under test.
    std::string local(std::string text) const {
        for (char& c : text) {
            if (c == '.') {
                c = GetParam();
            }
        }
        return text;
    }
};

TEST_P(BothSeparators, GeneralFormatMatchesTheDefinedExamples) {
    const char sep = GetParam();
    EXPECT_EQ(FormatGeneral(1530.2, 4, sep), "1530");
    EXPECT_EQ(FormatGeneral(0.04412, 3, sep), local("0.0441"));
    EXPECT_EQ(FormatGeneral(123456, 4, sep), local("1.235E5"));
    EXPECT_EQ(FormatGeneral(-10, 15, sep), "-10");
    EXPECT_EQ(FormatGeneral(501.0917, 4, sep), local("501.1"));
    EXPECT_EQ(FormatGeneral(12340, 4, sep), local("1.234E4"));
    EXPECT_EQ(FormatGeneral(9990, 4, sep), "9990");
}

TEST_P(BothSeparators, GeneralFormatBoundaries) {
    const char sep = GetParam();
    EXPECT_EQ(FormatGeneral(9999.7, 4, sep), "1E4");
    EXPECT_EQ(FormatGeneral(10000, 4, sep), "1E4");
    EXPECT_EQ(FormatGeneral(0.0001, 4, sep), local("0.0001"));
    EXPECT_EQ(FormatGeneral(0.00001, 4, sep), "1E-5");
    EXPECT_EQ(FormatGeneral(-0.000012345, 3, sep), local("-1.23E-5"));
    EXPECT_EQ(FormatGeneral(-12.34, 3, sep), local("-12.3"));
    EXPECT_EQ(FormatGeneral(0.125, 2, sep), local("0.13"));  // half away from zero
    EXPECT_EQ(FormatGeneral(-0.125, 2, sep), local("-0.13"));
    EXPECT_EQ(FormatGeneral(0.5, 1, sep), local("0.5"));
    EXPECT_EQ(FormatGeneral(9.96, 2, sep), "10");
    EXPECT_EQ(FormatGeneral(0, 4, sep), "0");
    EXPECT_EQ(FormatGeneral(-0.0, 4, sep), "0");
    EXPECT_EQ(FormatGeneral(1234, 4, sep), "1234");
    EXPECT_EQ(FormatGeneral(1e21, 15, sep), "1E21");
    EXPECT_EQ(FormatGeneral(0.1, 17, sep), local("0.10000000000000001"));
}

TEST_P(BothSeparators, GeneralFormatOfInfinityAndNan) {
    const char sep = GetParam();
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(FormatGeneral(inf, 4, sep), "INF");
    EXPECT_EQ(FormatGeneral(-inf, 4, sep), "-INF");
    EXPECT_EQ(FormatGeneral(std::nan(""), 4, sep), "NAN");
}

TEST_P(BothSeparators, TypedNumbersConvertWithEitherMarkAfterNormalizing) {
    const char sep = GetParam();
    EXPECT_EQ(TextToFloat(NormalizeDecimalSeparator("8863.682", sep), sep), 8863.682);
    EXPECT_EQ(TextToFloat(NormalizeDecimalSeparator("8863,682", sep), sep), 8863.682);
    EXPECT_EQ(TextToFloat(NormalizeDecimalSeparator("-1.5e3", sep), sep), -1500);
    EXPECT_EQ(TextToFloat(NormalizeDecimalSeparator("2E-3", sep), sep), 0.002);
    EXPECT_EQ(TextToFloat(NormalizeDecimalSeparator(".5", sep), sep), 0.5);
    EXPECT_EQ(TextToFloat(NormalizeDecimalSeparator("5.", sep), sep), 5.0);
    EXPECT_EQ(TextToFloat(NormalizeDecimalSeparator("+7", sep), sep), 7.0);
}

TEST_P(BothSeparators, TextsThatAreNotNumbersThrowTheConversionError) {
    const char sep = GetParam();
    for (const char* text : {"", " ", "-", "1-2", "17.1.5", "1e", "abc", "1,2,3", "0x10", "inf",
                             "nan", "1e999", "12 pF"}) {
        const std::string normalized = NormalizeDecimalSeparator(text, sep);
        try {
            TextToFloat(normalized, sep);
            ADD_FAILURE() << "converted '" << text << "'";
        } catch (const CommandError& error) {
            EXPECT_EQ(std::string(error.what()),
                      "'" + normalized + "' is not a valid floating point value");
        }
    }
}

TEST_P(BothSeparators, FormattedValueConvertsBackAtItsPrecision) {
    const char sep = GetParam();
    for (double v : {501.0917, 25.3378, 0.018795, 1.2345e-7, 98765432.1, -3.25}) {
        for (int p : {3, 4, 7, 15}) {
            const std::string text = FormatGeneral(v, p, sep);
            EXPECT_EQ(FormatGeneral(TextToFloat(text, sep), p, sep), text);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Separators, BothSeparators, ::testing::Values('.', ','));

TEST(NormalizeDecimalSeparator, ReplacesOnlyTheOtherMark) {
    EXPECT_EQ(NormalizeDecimalSeparator("1,5.2", ','), "1,5,2");
    EXPECT_EQ(NormalizeDecimalSeparator("1,5.2", '.'), "1.5.2");
    EXPECT_EQ(NormalizeDecimalSeparator("1,5.2", '\''), "1,5.2");
}

TEST(TextToInt, AcceptsWholeNumbersOnly) {
    EXPECT_EQ(TextToInt("7"), 7);
    EXPECT_THROW(TextToInt(""), CommandError);
    EXPECT_THROW(TextToInt("7.0"), CommandError);
    try {
        TextToInt("x1");
    } catch (const CommandError& error) {
        EXPECT_STREQ(error.what(), "'x1' is not a valid integer value");
    }
}

// Parts lists are read by people: hundreds of picofarads keep their digits, and only very large
// or small numbers take an exponent.
TEST(FormatShortest, WholeNumbersKeepTheirDigits) {
    const std::pair<double, const char*> cases[] = {{510, "510"},
                                                    {620, "620"},
                                                    {1000, "1000"},
                                                    {-2200, "-2200"},
                                                    {4.7, "4.7"},
                                                    {0.0047, "0.0047"},
                                                    {999.99999, "999.99999"},
                                                    {1e-5, "1E-5"},
                                                    {1e20, "1E20"},
                                                    {0, "0"}};
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(FormatShortest(value), text);
    }
}

}  // namespace
}  // namespace trellon
