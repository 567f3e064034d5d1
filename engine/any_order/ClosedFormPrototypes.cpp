#include <cmath>
#include <numbers>
#include <vector>

#include "FamilyPrototype.h"

namespace trellon {

namespace {

constexpr double kPi = std::numbers::pi;

double chebyshevEpsilon(double rippleDb) {
    return std::sqrt(std::pow(10.0, rippleDb / 10) - 1);
}

}  // namespace

CoupledPrototype butterworthPrototype(int order) {
    std::vector<double> g;
    for (int i = 1; i <= order; ++i) {
        g.push_back(2 * std::sin((2 * i - 1) * kPi / (2 * order)));
    }
    g.push_back(1);
    return coupledFromLadder(g);
}

// Matthaei, Young and Jones, Microwave Filters, Impedance-Matching Networks and Coupling
// Structures, eq. 4.05-2.
CoupledPrototype chebyshevPrototype(int order, double rippleDb) {
    const double beta = std::log(1 / std::tanh(rippleDb / 17.37));
    const double gamma = std::sinh(beta / (2 * order));
    auto a = [&](int i) { return std::sin((2 * i - 1) * kPi / (2 * order)); };
    auto b = [&](int i) { return gamma * gamma + std::pow(std::sin(i * kPi / order), 2); };
    std::vector<double> g{2 * a(1) / gamma};
    for (int i = 2; i <= order; ++i) {
        g.push_back(4 * a(i - 1) * a(i) / (b(i - 1) * g.back()));
    }
    g.push_back(order % 2 == 1 ? 1 : std::pow(1 / std::tanh(beta / 4), 2));
    return coupledFromLadder(g);
}

double chebyshevHalfPowerEdge(int order, double rippleDb) {
    return std::cosh(std::acosh(1 / chebyshevEpsilon(rippleDb)) / order);
}

CoupledPrototype equalElementPrototype(int order) {
    CoupledPrototype prototype;
    prototype.q1 = prototype.qN = 1;
    prototype.k.assign(order - 1, 1.0);
    return prototype;
}

}  // namespace trellon
