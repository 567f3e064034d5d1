#include "StandardValues.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace trellon {
namespace {

constexpr int kSeries[] = {6, 12, 24, 48, 96};

// Every value of the series from 1e-9 to 1e7, listed independently of the code under test and
// computed from whole numbers, as a value typed in decimal reads.
std::vector<double> allValues(int series) {
    const std::span<const int> digits = eSeriesDigits(series);
    const int width = digits.front() == 10 ? 1 : 2;
    std::vector<double> values;
    for (int exponent = -9 - width; exponent <= 6 - width; ++exponent) {
        const double power = std::pow(10.0, std::abs(exponent));
        for (int d : digits) {
            values.push_back(exponent < 0 ? d / power : d * power);
        }
    }
    return values;
}

double logDistance(double a, double b) {
    return std::abs(std::log(a / b));
}

// A mistyped table entry shows as a value off the geometric progression: E48 and E96 are that
// progression rounded to three digits, and each smaller series is every other value of the
// next one up to E24, which lies within 5 % of the progression.
TEST(StandardValues, TablesFollowTheGeometricProgression) {
    for (int series : {48, 96}) {
        const std::span<const int> digits = eSeriesDigits(series);
        ASSERT_EQ(digits.size(), static_cast<std::size_t>(series));
        for (int k = 0; k < series; ++k) {
            EXPECT_EQ(digits[k], std::lround(100 * std::pow(10.0, k / double(series))))
                << "E" << series << " #" << k;
        }
    }
    for (int series : {6, 12}) {
        const std::span<const int> small = eSeriesDigits(series);
        const std::span<const int> large = eSeriesDigits(2 * series);
        ASSERT_EQ(small.size(), static_cast<std::size_t>(series));
        for (int k = 0; k < series; ++k) {
            EXPECT_EQ(small[k], large[2 * k]) << "E" << series << " #" << k;
        }
    }
    const std::span<const int> e24 = eSeriesDigits(24);
    for (int k = 0; k < 24; ++k) {
        EXPECT_LT(logDistance(e24[k] / 10.0, std::pow(10.0, k / 24.0)), 0.05) << k;
    }
    EXPECT_FALSE(isESeries(3));
    EXPECT_THROW(eSeriesDigits(192), std::invalid_argument);
}

// The rounding must be the nearest value on a log scale across decade boundaries, found here by
// comparing with every value of the series.
TEST(StandardValues, NearestIsAMemberAndNoOtherValueIsNearer) {
    for (int series : kSeries) {
        const std::vector<double> values = allValues(series);
        for (int i = 0; i <= 400; ++i) {
            const double v = 0.01 * std::pow(10.0, i / 80.0) * (1 + 1e-7 * i);
            const double n = nearestStandardValue(v, series);
            ASSERT_TRUE(isStandardValue(n, series)) << v;
            for (double other : values) {
                ASSERT_LE(logDistance(n, v), logDistance(other, v)) << "E" << series << " " << v;
            }
        }
        // A series value rounds to itself, typed as a decimal number.
        for (double v : values) {
            ASSERT_EQ(nearestStandardValue(v, series), v) << v;
        }
    }
    EXPECT_DOUBLE_EQ(nearestStandardValue(40.94, 12), 39);
    EXPECT_DOUBLE_EQ(nearestStandardValue(40.94, 96), 41.2);
    EXPECT_DOUBLE_EQ(nearestStandardValue(1327, 24), 1300);
    EXPECT_DOUBLE_EQ(nearestStandardValue(9.6, 12), 10);
    EXPECT_DOUBLE_EQ(nearestStandardValue(9.6, 96), 9.53);
    EXPECT_FALSE(isStandardValue(40.94, 96));
}

// The pair is the best of all pairs of series values, and the choice keeps to the tolerance
// whenever some pair does.
TEST(StandardValues, ParallelPairIsTheBestAndKeepsToTheTolerance) {
    for (int series : {6, 12, 24}) {
        const std::vector<double> values = allValues(series);
        for (int i = 0; i <= 60; ++i) {
            const double v = 1.5 * std::pow(10.0, i / 30.0) * (1 + 1e-6 * i);
            const StandardChoice pair = bestParallelPair(v, series);
            ASSERT_TRUE(pair.second.has_value());
            EXPECT_TRUE(isStandardValue(pair.first, series));
            EXPECT_TRUE(isStandardValue(*pair.second, series));
            double best = INFINITY;
            for (double a : values) {
                for (double b : values) {
                    // The larger of a pair whose sum is near v is near v/2 or above.
                    if (a < v && a > v / 8 && b <= a) {
                        best = std::min(best, logDistance(a + b, v));
                    }
                }
            }
            EXPECT_NEAR(logDistance(pair.total(), v), best, 1e-12) << "E" << series << " " << v;

            const StandardChoice choice = standardChoice(v, series, 2.0);
            const double single = deviationPercent(nearestStandardValue(v, series), v);
            if (single <= 2.0) {
                EXPECT_FALSE(choice.second.has_value());
            } else if (deviationPercent(pair.total(), v) <= 2.0) {
                EXPECT_LE(deviationPercent(choice.total(), v), 2.0);
                EXPECT_TRUE(choice.second.has_value());
            } else {
                EXPECT_LE(logDistance(choice.total(), v), logDistance(pair.total(), v));
            }
        }
    }
    const StandardChoice c = standardChoice(40.94, 12, 1.0);
    ASSERT_TRUE(c.second.has_value());
    EXPECT_DOUBLE_EQ(c.first, 39);
    EXPECT_DOUBLE_EQ(*c.second, 1.8);
    EXPECT_FALSE(standardChoice(40.94, 12, std::nullopt).second.has_value());
}

}  // namespace
}  // namespace trellon
