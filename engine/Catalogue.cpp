#include "Catalogue.h"

#include <array>

namespace trellon {

namespace {

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
    return topologyDescription(topology).crystals;
}
int prototypeOrder(int topology) {
    return topologyDescription(topology).prototypeOrder;
}
bool isCwTopology(int topology) {
    return topologyDescription(topology).cw;
}
int capacitorCount(int topology) {
    return topologyDescription(topology).capacitorCount();
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
    return topologyDescription(topology).comboText;
}
std::string topologyBitmapName(int topology) {
    return topologyDescription(topology).bitmapName;
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
