#include "StandardValues.h"

#include <array>
#include <cmath>
#include <stdexcept>

namespace trellon {

namespace {

constexpr std::array<int, 6> kE6{10, 15, 22, 33, 47, 68};
constexpr std::array<int, 12> kE12{10, 12, 15, 18, 22, 27, 33, 39, 47, 56, 68, 82};
constexpr std::array<int, 24> kE24{10, 11, 12, 13, 15, 16, 18, 20, 22, 24, 27, 30,
                                   33, 36, 39, 43, 47, 51, 56, 62, 68, 75, 82, 91};
constexpr std::array<int, 48> kE48{100, 105, 110, 115, 121, 127, 133, 140, 147, 154, 162, 169,
                                   178, 187, 196, 205, 215, 226, 237, 249, 261, 274, 287, 301,
                                   316, 332, 348, 365, 383, 402, 422, 442, 464, 487, 511, 536,
                                   562, 590, 619, 649, 681, 715, 750, 787, 825, 866, 909, 953};
constexpr std::array<int, 96> kE96{
    100, 102, 105, 107, 110, 113, 115, 118, 121, 124, 127, 130, 133, 137, 140, 143,
    147, 150, 154, 158, 162, 165, 169, 174, 178, 182, 187, 191, 196, 200, 205, 210,
    215, 221, 226, 232, 237, 243, 249, 255, 261, 267, 274, 280, 287, 294, 301, 309,
    316, 324, 332, 340, 348, 357, 365, 374, 383, 392, 402, 412, 422, 432, 442, 453,
    464, 475, 487, 499, 511, 523, 536, 549, 562, 576, 590, 604, 619, 634, 649, 665,
    681, 698, 715, 732, 750, 768, 787, 806, 825, 845, 866, 887, 909, 931, 953, 976};

// digits x 10^exponent, computed from exact integers so that a value reads back as typed.
double scaled(int digits, int exponent) {
    double power = 1;
    for (int i = 0; i < std::abs(exponent); ++i) {
        power *= 10;
    }
    return exponent >= 0 ? digits * power : digits / power;
}

// The series values of one decade, digits[i] x 10^exponent.
struct Decade {
    std::span<const int> digits;
    int exponent;
    double at(std::size_t i) const { return scaled(digits[i], exponent); }
};

// The decade whose values lie from 10^k to under 10^(k+1) with value in it or just below it.
Decade decadeOf(double value, int series) {
    const std::span<const int> digits = eSeriesDigits(series);
    const int width = digits.front() == 10 ? 1 : 2;  // digits past the first
    return {digits, static_cast<int>(std::floor(std::log10(value))) - width};
}

double logDistance(double a, double b) {
    return std::abs(std::log(a / b));
}

void requirePositive(double value) {
    if (!(value > 0) || !std::isfinite(value)) {
        throw std::invalid_argument("a standard value needs a positive finite value");
    }
}

}  // namespace

bool isESeries(int series) {
    return series == 6 || series == 12 || series == 24 || series == 48 || series == 96;
}

std::span<const int> eSeriesDigits(int series) {
    switch (series) {
        case 6:
            return kE6;
        case 12:
            return kE12;
        case 24:
            return kE24;
        case 48:
            return kE48;
        case 96:
            return kE96;
        default:
            throw std::invalid_argument("the series is E6, E12, E24, E48 or E96");
    }
}

StandardNeighbours standardNeighbours(double value, int series) {
    requirePositive(value);
    Decade decade = decadeOf(value, series);
    // log10 may land a value next to a power of ten in the decade beside it: step back once.
    if (value < decade.at(0)) {
        --decade.exponent;
    }
    // Past the decade's last value the next one is the next decade's first.
    StandardNeighbours n{0, scaled(decade.digits[0], decade.exponent + 1)};
    for (std::size_t i = 0; i < decade.digits.size(); ++i) {
        const double v = decade.at(i);
        if (v <= value) {
            n.below = v;
        }
        if (v >= value) {
            n.above = v;
            break;
        }
    }
    return n;
}

bool isStandardValue(double value, int series) {
    if (!(value > 0) || !std::isfinite(value)) {
        return false;
    }
    const StandardNeighbours n = standardNeighbours(value, series);
    return n.below == value;
}

double nearestStandardValue(double value, int series) {
    const StandardNeighbours n = standardNeighbours(value, series);
    return logDistance(n.above, value) < logDistance(n.below, value) ? n.above : n.below;
}

StandardChoice bestParallelPair(double value, int series) {
    requirePositive(value);
    // The larger part lies between a quarter of the value and the value itself; for each, the
    // smaller is a neighbour of what is left.
    StandardChoice best;
    double bestDistance = INFINITY;
    for (double larger = standardNeighbours(value / 4, series).above; larger < value;
         larger = standardNeighbours(larger * (1 + 1e-9), series).above) {
        const StandardNeighbours rest = standardNeighbours(value - larger, series);
        for (double smaller : {rest.below, rest.above}) {
            const double distance = logDistance(larger + smaller, value);
            if (distance < bestDistance) {
                bestDistance = distance;
                best.first = std::max(larger, smaller);
                best.second = std::min(larger, smaller);
            }
        }
    }
    if (!best.second) {
        throw std::invalid_argument("no parallel pair for the value");
    }
    return best;
}

double deviationPercent(double fitted, double value) {
    return std::abs(fitted - value) / value * 100;
}

StandardChoice standardChoice(double value, int series,
                              std::optional<double> parallelTolerancePercent) {
    const StandardChoice single{nearestStandardValue(value, series), std::nullopt};
    if (!parallelTolerancePercent ||
        deviationPercent(single.first, value) <= *parallelTolerancePercent) {
        return single;
    }
    const StandardChoice pair = bestParallelPair(value, series);
    if (deviationPercent(pair.total(), value) <= *parallelTolerancePercent) {
        return pair;
    }
    return logDistance(pair.total(), value) < logDistance(single.first, value) ? pair : single;
}

}  // namespace trellon
