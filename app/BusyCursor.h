#pragma once

#include "Calculation.h"

namespace trellon {

// Shows the busy cursor while the sweep runs.
class BusyCursor : public SweepObserver {
public:
    void sweepStarted() override;
    void sweepEnded() override;
};

}  // namespace trellon
