#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "Complex.h"
#include "CrystalModel.h"
#include "DesignState.h"

namespace trellon {

// The electrical model of one complete filter: the source with its resistance, every crystal as
// its motional arm with its shunt capacitance, the capacitors and the load. Fixed capacities;
// positions and nodes count from 1, node 0 is ground.
struct Branch {
    std::int32_t fromNode = 0;
    std::int32_t toNode = 0;
    double conductance = 0;  // S
    double capacitance = 0;  // F
    double inductance = 0;   // H; 0 means none
};

struct Source {
    std::int32_t sourceNode = 0;
    std::int32_t referenceNode = 0;
    Complex sourceVoltage;
};

struct Netlist {
    static constexpr int kMaxBranches = 140;
    static constexpr int kMaxNode = 100;
    static constexpr int kMaxSources = 30;
    // The load of every circuit model stands at this position.
    static constexpr int kOutputBranch = 11;

    std::int32_t nodeCount = 0;
    std::int32_t branchCount = 0;
    std::int32_t sourceCount = 0;
    // The branch whose voltage is the filter's output: the load.
    std::int32_t outputBranch = kOutputBranch;
    std::array<Branch, kMaxBranches + 1> branches{};  // [1..branchCount]
    std::array<Source, kMaxSources + 1> sources{};    // [1..sourceCount]
};

// Fills `netlist` with the model of the topology at list position topologyIndex (0..6) from the
// element values of `state`, with crystals[i] in ladder position ZQ(i+1); `crystals` holds at
// least the topology's crystal count. Checks nothing: zero resistances must be refused before.
void buildNetlist(int topologyIndex, const DesignState& state,
                  std::span<const CrystalModel> crystals, Netlist& netlist);

// The same with the nominal crystal of `state` in every position.
void buildNetlist(int topologyIndex, const DesignState& state, Netlist& netlist);

}  // namespace trellon
