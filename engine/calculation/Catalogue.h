#pragma once

#include <string>

#include "ResponseDescription.h"
#include "TopologyDescription.h"

namespace trellon {

// Queries over the fixed catalogue, read from its topology and response descriptions. Topology
// numbers run 1..kTopologyCount and response numbers 1..kResponseCount; the list positions
// (TopologyIndex, ResponseIndex) are one less.

int crystalCount(int topology);
int prototypeOrder(int topology);
bool isCwTopology(int topology);
int capacitorCount(int topology);
std::string topologyKeyPart(int topology);     // "03", "04C" ...
std::string topologyComboText(int topology);   // "3-crystal" ...
std::string topologyBitmapName(int topology);  // "F3" ...

bool isButterworth(int response);
std::string responseComboText(int response);    // "Cheb. dA=0,044 dB" ...
std::string responseDisplayName(int response);  // "Cheb. dA=0.044 dB" ...
std::string responseKeyPart(int response);      // "" for Butterworth, "10-" ...

// "B03-", "T08C-54-" ...
std::string tableKey(int topology, int response);

inline int topologyFromIndex(int index) {
    return index + 1;
}
inline int indexFromTopology(int topology) {
    return topology - 1;
}
inline int responseFromIndex(int index) {
    return index + 1;
}
inline int indexFromResponse(int response) {
    return response - 1;
}

}  // namespace trellon
