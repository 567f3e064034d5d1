#include "Catalogue.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>

#include "NumberText.h"
#include "SchematicFields.h"

namespace trellon {
namespace {

TEST(Catalogue, EveryPairHasItsOwnWellFormedKey) {
    const std::regex form("([BT])0([3468])(C?)-(\\d\\d-)?");
    std::set<std::string> keys;
    for (int topology = 1; topology <= kTopologyCount; ++topology) {
        for (int response = 1; response <= kResponseCount; ++response) {
            const std::string key = tableKey(topology, response);
            SCOPED_TRACE(key);
            std::smatch parts;
            ASSERT_TRUE(std::regex_match(key, parts, form));
            EXPECT_EQ(parts[1] == "B", isButterworth(response));
            EXPECT_EQ(parts[2], std::to_string(prototypeOrder(topology)));
            EXPECT_EQ(parts[3] == "C", isCwTopology(topology));
            EXPECT_EQ(parts[4].matched, !isButterworth(response));
            keys.insert(key);
        }
    }
    EXPECT_EQ(keys.size(), 56u);
    EXPECT_EQ(tableKey(1, 1), "B03-");
    EXPECT_EQ(tableKey(2, 2), "T04-10-");
    EXPECT_EQ(tableKey(6, 6), "T06C-33-");
    EXPECT_EQ(tableKey(7, 8), "T08C-54-");
}

TEST(Catalogue, TopologiesCountTheirCrystalsAndCapacitors) {
    const int crystals[] = {3, 4, 6, 8, 4, 6, 8};
    const int capacitors[] = {4, 5, 9, 13, 7, 11, 15};
    for (int topology = 1; topology <= kTopologyCount; ++topology) {
        SCOPED_TRACE(topologyComboText(topology));
        EXPECT_EQ(crystalCount(topology), crystals[topology - 1]);
        EXPECT_EQ(capacitorCount(topology), capacitors[topology - 1]);
        EXPECT_EQ(isCwTopology(topology), topology >= 5);
        // The schematic shows one field per capacitor besides Rin and Rout.
        EXPECT_EQ(writtenResultFields(topology).size(), capacitors[topology - 1] + 2u);
    }
    EXPECT_EQ(topologyComboText(5), "4-crystal CW");
    EXPECT_EQ(topologyBitmapName(7), "F8CW");
}

TEST(Catalogue, DisplayNameIsTheComboTextWrittenWithAPoint) {
    for (int response = 1; response <= kResponseCount; ++response) {
        EXPECT_EQ(responseDisplayName(response),
                  NormalizeDecimalSeparator(responseComboText(response), '.'));
    }
    EXPECT_EQ(responseComboText(2), "Cheb. dA=0,044 dB");
    EXPECT_EQ(responseComboText(7), "Cheb. dA=1.0 dB");
}

}  // namespace
}  // namespace trellon
