#include <cmath>
#include <optional>
#include <span>
#include <stdexcept>
#include <vector>

#include "FamilyPrototype.h"

namespace trellon {

namespace {

// Linear phase with 0.05° and 0.5° of equiripple phase error: the ladder values g1..g(N+1) of
// A. I. Zverev, Handbook of Filter Synthesis (Wiley, 1967), N = 2 to 10, 3 dB-normalised.
constexpr double kLinearPhase005[][12] = {
    {0.64800, 2.10850, 1},
    {0.43280, 1.04270, 2.25420, 1},
    {0.33630, 0.79630, 1.14280, 2.24590, 1},
    {0.27510, 0.65410, 0.88920, 1.10340, 2.28730, 1},
    {0.23740, 0.56620, 0.75780, 0.87600, 1.11630, 2.24480, 1},
    {0.20850, 0.49990, 0.66530, 0.75210, 0.87490, 1.06710, 2.28450, 1},
    {0.18910, 0.45430, 0.60310, 0.67500, 0.75900, 0.84270, 1.09010, 2.24150, 1},
    {0.17180, 0.41460, 0.54980, 0.61320, 0.67740, 0.72520, 0.84500, 1.04470, 2.28340, 1},
    {0.16010, 0.38670, 0.51250, 0.57020, 0.62430, 0.65570, 0.73190, 0.81780, 1.07670, 2.23870, 1},
};
constexpr double kLinearPhase05[][12] = {
    {0.8245, 1.9800, 1},
    {0.5534, 1.0218, 2.4250, 1},
    {0.4526, 0.7967, 1.2669, 2.0504, 1},
    {0.3658, 0.6768, 0.9513, 1.0113, 2.4446, 1},
    {0.3313, 0.5984, 0.8390, 0.7964, 1.2734, 2.0111, 1},
    {0.2826, 0.5332, 0.7142, 0.6988, 0.9219, 0.9600, 2.4404, 1},
    {0.2718, 0.4999, 0.6800, 0.6312, 0.8498, 0.7447, 1.3174, 1.9626, 1},
    {0.2347, 0.4493, 0.5914, 0.5747, 0.7027, 0.6552, 0.8944, 0.9255, 2.4332, 1},
    {0.2359, 0.4369, 0.5887, 0.5428, 0.7034, 0.5827, 0.8720, 0.6869, 1.4317, 1.8431, 1},
};

// Gaussian to 6 dB and to 12 dB: the lossless coupling values q1, qN, k12, k23, ... of
// A. B. Williams and F. J. Taylor, Electronic Filter Design Handbook (McGraw-Hill), N = 3 to 8,
// 3 dB-normalised.
constexpr double kGaussianTo6Db[][9] = {
    {0.404, 2.338, 1.662, 0.691},
    {0.570, 0.914, 1.623, 0.798, 0.682},
    {0.891, 0.670, 1.418, 0.864, 0.553, 1.046},
    {0.883, 0.752, 1.172, 1.029, 0.595, 0.605, 1.094},
    {0.736, 0.930, 1.130, 0.955, 0.884, 0.534, 0.633, 1.104},
    {0.738, 0.948, 1.124, 0.866, 0.922, 0.708, 0.501, 0.752, 1.089},
};
constexpr double kGaussianTo12Db[][9] = {
    {0.415, 2.345, 1.631, 0.686},
    {0.419, 0.766, 1.989, 0.833, 0.740},
    {0.534, 0.503, 2.085, 0.976, 0.605, 1.333},
    {0.543, 0.558, 1.839, 1.442, 0.686, 0.707, 1.468},
    {0.492, 0.665, 1.708, 1.440, 1.181, 0.611, 0.781, 1.541},
    {0.549, 0.640, 1.586, 1.262, 1.296, 0.808, 0.569, 1.023, 1.504},
};

// The quasi-equiripple ladder, two crystals in parallel at each end: its end q and inner
// coupling, derived from the q and k of The ARRL Handbook (2017) as transcribed in the history of
// roseengineering/rffilter, for N = 4 to 8, 10 and 12 resonators, 3 dB-normalised. The end
// resonators have half the inductance, so the end couplings are sqrt(2) times the inner one.
struct QuasiEquirippleRow {
    int order;
    double q;
    double k;
};
constexpr QuasiEquirippleRow kQuasiEquiripple[] = {
    {4, 0.9942, 0.5417}, {5, 1.0316, 0.5391},  {6, 1.0808, 0.5346},  {7, 1.1876, 0.5275},
    {8, 1.2532, 0.5228}, {10, 1.4115, 0.5158}, {12, 1.5506, 0.5116},
};

CoupledPrototype fromCouplingRow(std::span<const double> row, int order) {
    CoupledPrototype prototype;
    prototype.q1 = row[0];
    prototype.qN = row[1];
    prototype.k.assign(row.begin() + 2, row.begin() + 1 + order);
    return prototype;
}

}  // namespace

std::optional<CoupledPrototype> quasiEquiripplePrototype(int order) {
    for (const QuasiEquirippleRow& row : kQuasiEquiripple) {
        if (row.order == order) {
            CoupledPrototype prototype;
            prototype.q1 = prototype.qN = row.q;
            prototype.k.assign(order - 1, row.k);
            prototype.k.front() = prototype.k.back() = std::sqrt(2.0) * row.k;
            prototype.doubledEnds = true;
            return prototype;
        }
    }
    return std::nullopt;
}

TableRange tabulatedRange(AnyOrderFamily family) {
    switch (family) {
        case AnyOrderFamily::LinearPhase005:
        case AnyOrderFamily::LinearPhase05:
            return {2, 10};
        case AnyOrderFamily::GaussianTo6Db:
        case AnyOrderFamily::GaussianTo12Db:
            return {3, 8};
        default:
            throw std::invalid_argument("not a tabulated family");
    }
}

CoupledPrototype tabulatedPrototype(AnyOrderFamily family, int order) {
    const TableRange range = tabulatedRange(family);
    if (order < range.lowest || order > range.highest) {
        throw std::invalid_argument("an order the table lacks");
    }
    const auto row = static_cast<std::size_t>(order - range.lowest);
    switch (family) {
        case AnyOrderFamily::LinearPhase005:
            return coupledFromLadder(std::span(kLinearPhase005[row], order + 1));
        case AnyOrderFamily::LinearPhase05:
            return coupledFromLadder(std::span(kLinearPhase05[row], order + 1));
        case AnyOrderFamily::GaussianTo6Db:
            return fromCouplingRow(kGaussianTo6Db[row], order);
        default:
            return fromCouplingRow(kGaussianTo12Db[row], order);
    }
}

}  // namespace trellon
