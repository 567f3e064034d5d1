#include "RecentredInputs.h"

#include <gtest/gtest.h>

#include <vector>

namespace trellon {
namespace {

// Medians by hand: an even count takes the mean of the middle two, an odd count the middle one,
// so one far-off crystal moves nothing; Fs keeps the hertz above 10 MHz too, with the separator
// asked for.
TEST(RecentredInputs, AreTheMediansOfTheChosenCrystals) {
    std::vector<MeasuredCrystal> chosen{{"A", 8863.690, 17.20, 5.9, 3.31},
                                        {"B", 8863.650, 17.05, 6.4, 3.29},
                                        {"C", 8863.700, 17.12, 5.2, 3.36},
                                        {"D", 8863.720, 17.31, 7.7, 3.30}};
    const CrystalInputTexts even = recentredInputs(chosen, '.');
    EXPECT_EQ(even.foKhz, "8863.695");
    EXPECT_EQ(even.ldMh, "17.16");
    EXPECT_EQ(even.rdOhm, "6.15");
    EXPECT_EQ(even.csPf, "3.305");

    chosen.push_back({"far", 10001.234, 99, 99, 99});
    const CrystalInputTexts odd = recentredInputs(chosen, ',');
    EXPECT_EQ(odd.foKhz, "8863,7");
    EXPECT_EQ(odd.ldMh, "17,2");
    EXPECT_EQ(odd.rdOhm, "6,4");
    EXPECT_EQ(odd.csPf, "3,31");

    const std::vector<MeasuredCrystal> high{{"H", 10000.117, 14.2, 9, 3.5}};
    EXPECT_EQ(recentredInputs(high, '.').foKhz, "10000.117");
}

}  // namespace
}  // namespace trellon
