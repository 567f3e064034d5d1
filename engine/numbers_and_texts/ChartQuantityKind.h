#pragma once

namespace trellon {

// What the chart shows of its curves: the amplitude as traced, the group delay, the input
// return loss, or the amplitude over a wide span around the band. Shared by the chart and the
// project file that keeps the choice.
enum class ChartQuantity { Amplitude, GroupDelay, ReturnLoss, WideSpan };

}  // namespace trellon
