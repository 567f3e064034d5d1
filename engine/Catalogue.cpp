#include "Catalogue.h"

#include <array>

namespace trellon {

namespace {

struct TopologyEntry {
    const char* comboText;
    const char* bitmap;
    int crystals;
    bool cw;
    int capacitors;
};

constexpr std::array<TopologyEntry, kTopologyCount> kTopologies{{
    {"3-crystal", "F3", 3, false, 4},
    {"4-crystal", "F4", 4, false, 5},
    {"6-crystal", "F6", 6, false, 9},
    {"8-crystal", "F8", 8, false, 13},
    {"4-crystal CW", "F4CW", 4, true, 7},
    {"6-crystal CW", "F6CW", 6, true, 11},
    {"8-crystal CW", "F8CW", 8, true, 15},
}};

struct ResponseEntry {
    const char* comboText;
    const char* displayName;
    const char* keyPart;
};

constexpr std::array<ResponseEntry, kResponseCount> kResponses{{
    {"Butt. dA=3 dB", "Butt. dA=3 dB", ""},
    {"Cheb. dA=0,044 dB", "Cheb. dA=0.044 dB", "10-"},
    {"Cheb. dA=0,099 dB", "Cheb. dA=0.099 dB", "15-"},
    {"Cheb. dA=0,177 dB", "Cheb. dA=0.177 dB", "20-"},
    {"Cheb. dA=0,28 dB", "Cheb. dA=0.28 dB", "25-"},
    {"Cheb. dA=0,5 dB", "Cheb. dA=0.5 dB", "33-"},
    {"Cheb. dA=1.0 dB", "Cheb. dA=1.0 dB", "45-"},
    {"Cheb. dA=1.5 dB", "Cheb. dA=1.5 dB", "54-"},
}};

const TopologyEntry& topologyEntry(int topology) {
    return kTopologies.at(topology - 1);
}
const ResponseEntry& responseEntry(int response) {
    return kResponses.at(response - 1);
}

}  // namespace

bool isValidTopology(int topology) {
    return topology >= 1 && topology <= kTopologyCount;
}
bool isValidResponse(int response) {
    return response >= 1 && response <= kResponseCount;
}

int crystalCount(int topology) {
    return topologyEntry(topology).crystals;
}
int prototypeOrder(int topology) {
    return topologyEntry(topology).crystals;
}
bool isCwTopology(int topology) {
    return topology >= 5;
}
int capacitorCount(int topology) {
    return topologyEntry(topology).capacitors;
}

std::string topologyKeyPart(int topology) {
    const int order = prototypeOrder(topology);
    std::string key = "0" + std::to_string(order);
    if (isCwTopology(topology)) {
        key += "C";
    }
    return key;
}

std::string topologyComboText(int topology) {
    return topologyEntry(topology).comboText;
}
std::string topologyBitmapName(int topology) {
    return topologyEntry(topology).bitmap;
}

bool isButterworth(int response) {
    return response == 1;
}
std::string responseComboText(int response) {
    return responseEntry(response).comboText;
}
std::string responseDisplayName(int response) {
    return responseEntry(response).displayName;
}
std::string responseKeyPart(int response) {
    return responseEntry(response).keyPart;
}

std::string tableKey(int topology, int response) {
    return std::string(isButterworth(response) ? "B" : "T") + topologyKeyPart(topology) + "-" +
           responseKeyPart(response);
}

}  // namespace trellon
