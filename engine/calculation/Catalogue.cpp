#include "Catalogue.h"

namespace trellon {

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
    return responseDescription(response).family == ResponseFamily::Butterworth;
}
std::string responseComboText(int response) {
    return responseDescription(response).comboText;
}
std::string responseDisplayName(int response) {
    return responseDescription(response).displayName;
}
std::string responseKeyPart(int response) {
    return responseDescription(response).tableKeyPart;
}

std::string tableKey(int topology, int response) {
    return std::string(isButterworth(response) ? "B" : "T") + topologyKeyPart(topology) + "-" +
           responseKeyPart(response);
}

}  // namespace trellon
