#include "PrototypeTable.h"

#include <array>

#include "Catalogue.h"

namespace trellon {

namespace {

// The 32 distinct rows: 4 orders (3, 4, 6, 8) x 8 response types. A CW topology uses the row
// of its plain twin; only its key differs. Unused trailing values are 0 and never copied.
using Row = std::array<double, 5>;

constexpr std::array<std::array<Row, kResponseCount>, 4> kRows{{
    {{
        // order 3
        {1.0, 2.0, 1.0, 0, 0},
        {1.314, 1.6974, 1.314, 0, 0},
        {1.4311, 1.5952, 1.4311, 0, 0},
        {1.5467, 1.5015, 1.5467, 0, 0},
        {1.6649, 1.413, 1.6649, 0, 0},
        {1.8636, 1.2804, 1.8636, 0, 0},
        {2.2156, 1.0884, 2.2156, 0, 0},
        {2.517, 0.9589, 2.517, 0, 0},
    }},
    {{
        // order 4
        {0.7654, 1.8478, 1.8478, 0, 0},
        {1.2071, 1.6693, 2.042, 0, 0},
        {1.3431, 1.5858, 2.146, 0, 0},
        {1.4742, 1.5049, 2.2566, 0, 0},
        {1.6063, 1.4258, 2.3758, 0, 0},
        {1.8258, 1.3036, 2.5864, 0, 0},
        {2.2103, 1.1209, 2.9812, 0, 0},
        {2.5376, 0.9946, 3.3338, 0, 0},
    }},
    {{
        // order 6
        {0.5176, 1.4142, 1.9319, 1.9319, 0},
        {1.1231, 1.5916, 2.1358, 1.746, 0},
        {1.2745, 1.5354, 2.2456, 1.6594, 0},
        {1.4179, 1.4727, 2.3627, 1.5756, 0},
        {1.5608, 1.4067, 2.4891, 1.4939, 0},
        {1.7962, 1.2991, 2.7133, 1.3676, 0},
        {2.2051, 1.13, 3.1352, 1.1788, 0},
        {2.5518, 1.0095, 3.5136, 1.0483, 0},
    }},
    {{
        // order 8
        {0.3902, 1.1111, 1.6629, 1.9616, 1.9616},
        {1.0921, 1.554, 2.1081, 1.7732, 2.169},
        {1.2493, 1.5099, 2.2281, 1.6854, 2.2809},
        {1.3972, 1.4553, 2.3526, 1.6007, 2.4003},
        {1.5442, 1.3952, 2.4851, 1.518, 2.5294},
        {1.7852, 1.2938, 2.7175, 1.3903, 2.7585},
        {2.203, 1.1308, 3.1517, 1.1995, 3.1902},
        {2.5566, 1.0129, 3.5396, 1.0675, 3.5779},
    }},
}};

// A response without its rows would read zeros: every order has a row for every response.
constexpr bool everyRowFilled() {
    for (const auto& order : kRows) {
        for (const Row& row : order) {
            if (row[0] == 0) {
                return false;
            }
        }
    }
    return true;
}
static_assert(everyRowFilled(), "a prototype row for every response number");

int orderRow(int order) {
    switch (order) {
        case 3:
            return 0;
        case 4:
            return 1;
        case 6:
            return 2;
        default:
            return 3;
    }
}

// How many prototype values an order needs: up to G(n/2 + 1) for even n, G1..G3 for n = 3.
int valueCount(int order) {
    switch (order) {
        case 3:
        case 4:
            return 3;
        case 6:
            return 4;
        default:
            return 5;
    }
}

}  // namespace

void LoadPrototype(DesignState& state) {
    if (!isValidTopology(state.Topology) || !isValidResponse(state.Response)) {
        return;
    }
    const int order = prototypeOrder(state.Topology);
    const Row& row = kRows[orderRow(order)][indexFromResponse(state.Response)];
    double* g[] = {&state.G1, &state.G2, &state.G3, &state.G4, &state.G5};
    for (int i = 0; i < valueCount(order); ++i) {
        *g[i] = row[i];
    }
    const ResponseDescription& response = responseDescription(state.Response);
    state.Kref = response.kref;
    state.SWR = response.swr;
    state.TableKey = tableKey(state.Topology, state.Response);
}

}  // namespace trellon
