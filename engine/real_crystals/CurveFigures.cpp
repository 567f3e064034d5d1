#include "CurveFigures.h"

#include <algorithm>
#include <cmath>

#include "Engine.h"

namespace trellon {

namespace {

// Where the line between two points crosses `level`.
double crossing(double f1, double level1, double f2, double level2, double level) {
    return f1 + (level - level1) * (f2 - f1) / (level2 - level1);
}

}  // namespace

bool figuresFinite(const CurveFigures& f) {
    return std::isfinite(f.amin) && std::isfinite(f.fAmin) && std::isfinite(f.bandLow) &&
           std::isfinite(f.bandHigh) && std::isfinite(f.bandwidth) && std::isfinite(f.ripple);
}

double attenuationOf(double levelDb) {
    return -levelDb - kMatchedLoadLossDb;
}

CurveFigures measureCurve(std::span<const double> frequenciesHz, std::span<const double> levelsDb,
                          double frLevel) {
    const std::size_t count = levelsDb.size();
    std::size_t peak = 0;
    for (std::size_t i = 1; i < count; ++i) {
        if (levelsDb[i] > levelsDb[peak]) {
            peak = i;
        }
    }
    CurveFigures figures;
    figures.amin = attenuationOf(levelsDb[peak]);
    figures.fAmin = frequenciesHz[peak];

    // The band is the run of points around the peak at or above the threshold.
    const double threshold = levelsDb[peak] + frLevel;
    std::size_t low = peak;
    while (low > 0 && levelsDb[low - 1] >= threshold) {
        --low;
    }
    std::size_t high = peak;
    while (high + 1 < count && levelsDb[high + 1] >= threshold) {
        ++high;
    }
    const bool lowClosed = low > 0;
    const bool highClosed = high + 1 < count;
    figures.bandLow = lowClosed ? crossing(frequenciesHz[low - 1], levelsDb[low - 1],
                                           frequenciesHz[low], levelsDb[low], threshold)
                                : frequenciesHz[low];
    figures.bandHigh = highClosed ? crossing(frequenciesHz[high], levelsDb[high],
                                             frequenciesHz[high + 1], levelsDb[high + 1], threshold)
                                  : frequenciesHz[high];
    figures.bandwidth = figures.bandHigh - figures.bandLow;
    figures.bandClosed = lowClosed && highClosed;

    // Local minima of attenuation are local maxima of the level; a flat top counts once.
    std::size_t firstPeak = count;
    std::size_t lastPeak = 0;
    for (std::size_t i = std::max<std::size_t>(low, 1); i <= high && i + 1 < count; ++i) {
        if (levelsDb[i] > levelsDb[i - 1] && levelsDb[i] >= levelsDb[i + 1]) {
            firstPeak = std::min(firstPeak, i);
            lastPeak = i;
        }
    }
    if (firstPeak < lastPeak) {
        const auto [lowest, highest] =
            std::minmax_element(levelsDb.begin() + firstPeak, levelsDb.begin() + lastPeak + 1);
        figures.ripple = *highest - *lowest;
    }
    return figures;
}

}  // namespace trellon
