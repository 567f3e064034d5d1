#pragma once

#include <memory>

#include "Engine.h"
#include "RecordingDesignView.h"
#include "Synthesis.h"

namespace trellon {

// The inputs the window starts with: Fo, Ld, Cs, Rd, Ccor, dF.
inline DesignTexts startupTexts() {
    return {"8863.682", "17.15", "3.3", "5.7", "82", "3100"};
}

// One engine and the view it reports to. The engine lives on the heap: its solver storage is
// large, and the solver keeps a reference to the netlist beside it.
struct DesignRun {
    std::unique_ptr<Engine> engine = makeEngine();
    RecordingDesignView view;

    DesignState& state() { return engine->state; }

    // Runs the synthesis for the topology and response with a fresh view; the engine keeps
    // whatever earlier runs left in it.
    bool synthesize(int topology, int response, const DesignTexts& texts = startupTexts(),
                    char separator = '.') {
        view = RecordingDesignView{};
        engine->state.Topology = topology;
        engine->state.Response = response;
        return SynthesizeFilter(*engine, texts, separator, view);
    }
};

}  // namespace trellon
