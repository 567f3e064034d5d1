#include "CoupledPrototype.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "Polynomial.h"

namespace trellon {

CoupledPrototype coupledFromLadder(std::span<const double> g) {
    if (g.size() < 3) {
        throw std::invalid_argument("a ladder of fewer than two elements");
    }
    const std::size_t n = g.size() - 1;
    CoupledPrototype prototype;
    prototype.q1 = g[0];
    prototype.qN = g[n - 1] * g[n];
    for (std::size_t i = 0; i + 1 < n; ++i) {
        prototype.k.push_back(1 / std::sqrt(g[i] * g[i + 1]));
    }
    return prototype;
}

std::vector<double> ladderFromCoupled(const CoupledPrototype& prototype) {
    std::vector<double> g{prototype.q1};
    for (double k : prototype.k) {
        g.push_back(1 / (k * k * g.back()));
    }
    g.push_back(prototype.qN / g.back());
    return g;
}

CoupledPrototype scaledToEdge(const CoupledPrototype& prototype, double edge) {
    CoupledPrototype scaled = prototype;
    scaled.q1 *= edge;
    scaled.qN *= edge;
    for (double& k : scaled.k) {
        k /= edge;
    }
    return scaled;
}

namespace {

// target += p·q
void addProduct(Polynomial& target, const Polynomial& p, const Polynomial& q) {
    const Polynomial pq = product(p, q);
    target.resize(std::max(target.size(), pq.size()), 0);
    for (std::size_t j = 0; j < pq.size(); ++j) {
        target[j] += pq[j];
    }
}

// The denominator E(s) of the ladder's transfer function 2·sqrt(RL)/E(s), from its chain
// matrix: a shunt capacitor g1 at the unit source, then series inductors and shunt capacitors
// in turn, then the load.
Polynomial transferDenominator(const CoupledPrototype& prototype) {
    const std::vector<double> g = ladderFromCoupled(prototype);
    const std::size_t n = g.size() - 1;
    Polynomial a{1}, b{0}, c{0}, d{1};
    for (std::size_t i = 0; i < n; ++i) {
        const Polynomial element{0, static_cast<long double>(g[i])};
        if (i % 2 == 0) {  // shunt: [a b; c d]·[1 0; gs 1]
            addProduct(a, b, element);
            addProduct(c, d, element);
        } else {  // series: [a b; c d]·[1 gs; 0 1]
            addProduct(b, a, element);
            addProduct(d, c, element);
        }
    }
    // The last element is a shunt capacitor for odd N (g(N+1) is then the load resistance),
    // a series inductor for even N (g(N+1) the load conductance).
    const long double load = n % 2 == 1 ? g[n] : 1 / static_cast<long double>(g[n]);
    const std::size_t size = std::max({a.size(), b.size(), c.size(), d.size()});
    Polynomial e(size, 0);
    auto at = [](const Polynomial& p, std::size_t j) { return j < p.size() ? p[j] : 0.0L; };
    for (std::size_t j = 0; j < size; ++j) {
        e[j] = at(a, j) * load + at(b, j) + at(c, j) * load + at(d, j);
    }
    while (e.size() > 1 && e.back() == 0) {
        e.pop_back();
    }
    return e;
}

}  // namespace

double prototypeLossDb(const CoupledPrototype& prototype, double omega) {
    // The same chain matrix as transferDenominator, at s = jω in complex numbers.
    const std::vector<double> g = ladderFromCoupled(prototype);
    const std::size_t n = g.size() - 1;
    using C = std::complex<double>;
    C a = 1, b = 0, c = 0, d = 1;
    for (std::size_t i = 0; i < n; ++i) {
        const C element(0, g[i] * omega);
        if (i % 2 == 0) {
            a += b * element;
            c += d * element;
        } else {
            b += a * element;
            d += c * element;
        }
    }
    const double load = n % 2 == 1 ? g[n] : 1 / g[n];
    const double magnitude = std::abs(a * load + b + c * load + d);
    return 10 * std::log10(magnitude * magnitude / (4 * load));
}

std::vector<std::complex<double>> prototypePoles(const CoupledPrototype& prototype) {
    const Polynomial e = transferDenominator(prototype);
    std::vector<std::complex<double>> poles;
    for (const ComplexRoot& root : polynomialRoots(e)) {
        poles.emplace_back(static_cast<double>(root.real()), static_cast<double>(root.imag()));
    }
    return poles;
}

double minimumUnloadedQ(const CoupledPrototype& prototype) {
    double least = INFINITY;
    for (const std::complex<double>& pole : prototypePoles(prototype)) {
        least = std::min(least, std::abs(pole.real()));
    }
    return 1 / least;
}

int crystalsInMesh(const CoupledPrototype& prototype, int mesh) {
    return prototype.doubledEnds && (mesh == 0 || mesh + 1 == prototype.order()) ? 2 : 1;
}

double meshSum(const CoupledPrototype& prototype, int mesh) {
    const double p = crystalsInMesh(prototype, mesh);
    double sum = 0;
    if (mesh > 0) {
        sum += prototype.k[mesh - 1] * std::sqrt(p / crystalsInMesh(prototype, mesh - 1));
    }
    if (mesh + 1 < prototype.order()) {
        sum += prototype.k[mesh] * std::sqrt(p / crystalsInMesh(prototype, mesh + 1));
    }
    return sum;
}

double sumOfLadderValues(const CoupledPrototype& prototype) {
    const std::vector<double> g = ladderFromCoupled(prototype);
    double sum = 0;
    for (std::size_t i = 0; i + 1 < g.size(); ++i) {
        sum += g[i];
    }
    return sum;
}

double outermostEdge(const CoupledPrototype& prototype, double lossDb) {
    double outside = 4;
    while (prototypeLossDb(prototype, outside) < lossDb) {
        outside *= 2;
    }
    // Step inwards until the loss is no longer above the edge's, then bisect.
    const double step = outside / 2000;
    double inside = outside - step;
    while (inside > 0 && prototypeLossDb(prototype, inside) > lossDb) {
        outside = inside;
        inside -= step;
    }
    for (int i = 0; i < 60; ++i) {
        const double middle = 0.5 * (inside + outside);
        (prototypeLossDb(prototype, middle) > lossDb ? outside : inside) = middle;
    }
    return 0.5 * (inside + outside);
}

}  // namespace trellon
