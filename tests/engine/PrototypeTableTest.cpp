#include "PrototypeTable.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "Catalogue.h"
#include "NumberText.h"

namespace trellon {
namespace {

DesignState loaded(int topology, int response, DesignState state = {}) {
    state.Topology = topology;
    state.Response = response;
    LoadPrototype(state);
    return state;
}

std::array<double, 5> gValues(const DesignState& s) {
    return {s.G1, s.G2, s.G3, s.G4, s.G5};
}

int valueCount(int order) {
    return order == 8 ? 5 : order == 6 ? 4 : 3;
}

TEST(LoadPrototype, EightCrystalCwChebyshevRow) {
    const DesignState s = loaded(7, 8);
    EXPECT_EQ(s.TableKey, "T08C-54-");
    EXPECT_EQ(gValues(s), (std::array<double, 5>{2.5566, 1.0129, 3.5396, 1.0675, 3.5779}));
    EXPECT_EQ(s.Kref, 54);
    EXPECT_EQ(s.SWR, 3.35);
}

TEST(LoadPrototype, ThreeCrystalRowLeavesTheLaterValuesOfAnEarlierRow) {
    const DesignState s = loaded(1, 1, loaded(4, 8));
    EXPECT_EQ(s.TableKey, "B03-");
    EXPECT_EQ(gValues(s), (std::array<double, 5>{1, 2, 1, 1.0675, 3.5779}));
    EXPECT_EQ(s.Kref, 0);
    EXPECT_EQ(s.SWR, 1);
}

TEST(LoadPrototype, NumbersOutsideTheCatalogueChangeNothing) {
    const DesignState before = loaded(6, 6);
    for (auto [topology, response] : {std::pair{0, 1}, {8, 1}, {1, 0}, {1, 9}, {-1, -1}}) {
        const DesignState s = loaded(topology, response, before);
        EXPECT_EQ(gValues(s), gValues(before));
        EXPECT_EQ(s.Kref, before.Kref);
        EXPECT_EQ(s.SWR, before.SWR);
        EXPECT_EQ(s.TableKey, "T06C-33-");
    }
}

TEST(LoadPrototype, ButterworthRowsAreTheClosedFormToFourDecimals) {
    for (int topology = 1; topology <= 4; ++topology) {
        const int n = prototypeOrder(topology);
        const std::array<double, 5> g = gValues(loaded(topology, 1));
        for (int k = 1; k <= valueCount(n); ++k) {
            const double exact = 2 * std::sin((2 * k - 1) * std::numbers::pi / (2 * n));
            EXPECT_NEAR(g[k - 1], exact, 0.5e-4) << "order " << n << ", G" << k;
        }
    }
}

TEST(LoadPrototype, CwRowsRepeatTheirPlainTwins) {
    for (int plain = 2; plain <= 4; ++plain) {
        for (int response = 1; response <= kResponseCount; ++response) {
            const DesignState p = loaded(plain, response);
            const DesignState cw = loaded(plain + 3, response);
            EXPECT_EQ(gValues(cw), gValues(p)) << cw.TableKey;
            EXPECT_EQ(cw.Kref, p.Kref);
            EXPECT_EQ(cw.SWR, p.SWR);
            EXPECT_EQ(cw.TableKey, p.TableKey.substr(0, 3) + "C" + p.TableKey.substr(3));
        }
    }
}

TEST(LoadPrototype, ThreeCrystalRowsAreSymmetric) {
    for (int response = 1; response <= kResponseCount; ++response) {
        const DesignState s = loaded(1, response);
        EXPECT_EQ(s.G3, s.G1) << s.TableKey;
    }
}

// The ripple in a response's name is -10 log10(1 - rho^2) of its Kref, to the digits shown.
TEST(LoadPrototype, ReflectionCoefficientMatchesTheRippleInTheName) {
    for (int response = 2; response <= kResponseCount; ++response) {
        const std::string name = responseDisplayName(response);
        const std::size_t start = name.find('=') + 1;
        const std::string shown = name.substr(start, name.find(' ', start) - start);
        const std::size_t decimals = shown.size() - shown.find('.') - 1;
        const double rho = loaded(1, response).Kref / 100;
        EXPECT_NEAR(-10 * std::log10(1 - rho * rho), TextToFloat(shown, '.'),
                    0.5 * std::pow(10.0, -static_cast<double>(decimals)))
            << name;
    }
}

}  // namespace
}  // namespace trellon
