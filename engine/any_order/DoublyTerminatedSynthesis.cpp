#include <cmath>
#include <stdexcept>
#include <vector>

#include "FamilyPrototype.h"
#include "Polynomial.h"

namespace trellon {

namespace {

// B(s) with B(0) = 1 from its poles.
Polynomial normalisedDenominator(const std::vector<ComplexRoot>& poles) {
    Polynomial b = polynomialFromRoots(poles);
    const long double constant = b.front();
    for (long double& c : b) {
        c /= constant;
    }
    return b;
}

// The poles scaled so that |B(j)|² = 2: the half-power point at 1 rad/s.
std::vector<ComplexRoot> halfPowerPoles(std::vector<ComplexRoot> poles) {
    const Polynomial b = normalisedDenominator(poles);
    auto squared = [&](long double omega) { return std::norm(valueAt(b, ComplexRoot(0, omega))); };
    long double low = 0, high = 1;
    while (squared(high) < 2) {
        high *= 2;
    }
    for (int i = 0; i < 100; ++i) {
        const long double middle = (low + high) / 2;
        (squared(middle) < 2 ? low : high) = middle;
    }
    for (ComplexRoot& pole : poles) {
        pole /= (low + high) / 2;
    }
    return poles;
}

Polynomial mirrored(const Polynomial& p) {  // p(-s)
    Polynomial m = p;
    for (std::size_t i = 1; i < m.size(); i += 2) {
        m[i] = -m[i];
    }
    return m;
}

// F(s) with F(s)F(-s) = B(s)B(-s) - 1, the reflection zeros taken in the right half plane and
// half of those at 0, and the leading coefficient of B.
Polynomial reflectionNumerator(const Polynomial& b) {
    Polynomial even = product(b, mirrored(b));
    even[0] -= 1;
    // even(s) = Q(s²); the lowest coefficients vanish, up to rounding, where F has zeros at 0.
    Polynomial q;
    for (std::size_t i = 0; i < even.size(); i += 2) {
        q.push_back(even[i]);
    }
    long double largest = 0;
    for (long double c : q) {
        largest = std::max(largest, std::abs(c));
    }
    std::size_t zerosAtOrigin = 0;
    while (std::abs(q[zerosAtOrigin]) < 1e-12L * largest) {
        ++zerosAtOrigin;
    }
    q.erase(q.begin(), q.begin() + static_cast<std::ptrdiff_t>(zerosAtOrigin));
    std::vector<ComplexRoot> zeros(zerosAtOrigin, ComplexRoot(0));
    bool upper = true;
    for (const ComplexRoot& z : polynomialRoots(q)) {
        ComplexRoot s = std::sqrt(z);
        // Zeros on the imaginary axis are double; take one of each conjugate pair's halves.
        if (std::abs(s.real()) < 1e-9L * std::abs(s)) {
            s = ComplexRoot(0, upper ? std::abs(s.imag()) : -std::abs(s.imag()));
            upper = !upper;
        }
        zeros.push_back(s);
    }
    Polynomial f = polynomialFromRoots(zeros);
    for (long double& c : f) {
        c *= b.back();
    }
    return f;
}

// The ladder values g1..g(N+1) from the continued fraction of (B+F)/(B-F) at s = ∞: each step
// takes off a term g·s, and the last leaves the terminating resistance or conductance.
std::vector<double> ladderFromReflection(const Polynomial& b, const Polynomial& f) {
    const int order = static_cast<int>(b.size()) - 1;
    Polynomial num(b.size()), den(b.size());
    for (std::size_t i = 0; i < b.size(); ++i) {
        num[i] = b[i] + f[i];
        den[i] = b[i] - f[i];
    }
    den.pop_back();  // the leading terms cancel
    std::vector<double> g;
    for (int step = 0; step < order; ++step) {
        const long double ratio = num.back() / den.back();
        // num - (ratio·s + c)·den, with c the constant that leaves a remainder of lower degree
        Polynomial rest = num;
        for (std::size_t i = 0; i < den.size(); ++i) {
            rest[i + 1] -= ratio * den[i];
        }
        rest.pop_back();
        const long double c = rest.back() / den.back();
        for (std::size_t i = 0; i < den.size(); ++i) {
            rest[i] -= c * den[i];
        }
        rest.pop_back();
        g.push_back(static_cast<double>(ratio));
        if (step == order - 1) {
            g.push_back(static_cast<double>(1 / c));
        }
        num = std::move(den);
        den = std::move(rest);
    }
    return g;
}

CoupledPrototype synthesised(std::vector<ComplexRoot> poles) {
    const Polynomial b = normalisedDenominator(halfPowerPoles(std::move(poles)));
    return coupledFromLadder(ladderFromReflection(b, reflectionNumerator(b)));
}

long double factorial(int n) {
    long double value = 1;
    for (int i = 2; i <= n; ++i) {
        value *= i;
    }
    return value;
}

}  // namespace

CoupledPrototype besselPrototype(int order) {
    // The reverse Bessel polynomial: a_k = (2N-k)! / (2^(N-k)·k!·(N-k)!).
    Polynomial theta;
    for (int k = 0; k <= order; ++k) {
        theta.push_back(factorial(2 * order - k) /
                        (std::pow(2.0L, order - k) * factorial(k) * factorial(order - k)));
    }
    return synthesised(polynomialRoots(theta));
}

CoupledPrototype gaussianPrototype(int order) {
    // |H(jω)|² = 1 / Σ ω^2k/k!, so B(s)B(-s) = Σ (-s²)^k/k!: a polynomial in z = s².
    Polynomial q;
    for (int k = 0; k <= order; ++k) {
        q.push_back((k % 2 == 0 ? 1 : -1) / factorial(k));
    }
    std::vector<ComplexRoot> poles;
    for (const ComplexRoot& z : polynomialRoots(q)) {
        poles.push_back(-std::sqrt(z));  // the left half plane's
    }
    return synthesised(poles);
}

}  // namespace trellon
