#include "Polynomial.h"

#include <cmath>
#include <numbers>
#include <stdexcept>

namespace trellon {

Polynomial product(const Polynomial& a, const Polynomial& b) {
    Polynomial c(a.size() + b.size() - 1, 0.0L);
    for (std::size_t i = 0; i < a.size(); ++i) {
        for (std::size_t j = 0; j < b.size(); ++j) {
            c[i + j] += a[i] * b[j];
        }
    }
    return c;
}

Polynomial polynomialFromRoots(std::span<const ComplexRoot> roots) {
    std::vector<ComplexRoot> c{ComplexRoot(1)};
    for (const ComplexRoot& r : roots) {
        std::vector<ComplexRoot> next(c.size() + 1, ComplexRoot(0));
        for (std::size_t i = 0; i < c.size(); ++i) {
            next[i + 1] += c[i];
            next[i] -= r * c[i];
        }
        c = std::move(next);
    }
    Polynomial p;
    for (const ComplexRoot& value : c) {
        p.push_back(value.real());
    }
    return p;
}

ComplexRoot valueAt(const Polynomial& p, ComplexRoot s) {
    ComplexRoot value(0);
    for (std::size_t i = p.size(); i-- > 0;) {
        value = value * s + p[i];
    }
    return value;
}

namespace {

ComplexRoot derivativeAt(const Polynomial& p, ComplexRoot s) {
    ComplexRoot value(0);
    for (std::size_t i = p.size(); i-- > 1;) {
        value = value * s + static_cast<long double>(i) * p[i];
    }
    return value;
}

}  // namespace

std::vector<ComplexRoot> polynomialRoots(const Polynomial& p) {
    const int degree = static_cast<int>(p.size()) - 1;
    if (degree < 1 || p.back() == 0) {
        throw std::invalid_argument("a polynomial without roots");
    }
    // Start on a circle of the Cauchy bound's size, turned off the axes.
    long double bound = 0;
    for (int i = 0; i < degree; ++i) {
        bound = std::max(bound, std::abs(p[i] / p.back()));
    }
    const long double radius = std::pow(bound, 1.0L / degree) * 0.9L + 0.1L;
    std::vector<ComplexRoot> z(degree);
    for (int k = 0; k < degree; ++k) {
        const long double angle = 2 * std::numbers::pi_v<long double> * (k + 0.25L) / degree;
        z[k] = std::polar(radius, angle);
    }
    for (int iteration = 0; iteration < 500; ++iteration) {
        long double largestStep = 0;
        for (int k = 0; k < degree; ++k) {
            const ComplexRoot ratio = valueAt(p, z[k]) / derivativeAt(p, z[k]);
            ComplexRoot repulsion(0);
            for (int j = 0; j < degree; ++j) {
                if (j != k) {
                    repulsion += 1.0L / (z[k] - z[j]);
                }
            }
            const ComplexRoot step = ratio / (1.0L - ratio * repulsion);
            z[k] -= step;
            largestStep = std::max(largestStep, std::abs(step) / (1 + std::abs(z[k])));
        }
        if (largestStep < 1e-14L) {
            break;
        }
    }
    for (ComplexRoot& root : z) {
        for (int polish = 0; polish < 3; ++polish) {
            const ComplexRoot d = derivativeAt(p, root);
            if (std::abs(d) > 0) {
                root -= valueAt(p, root) / d;
            }
        }
    }
    return z;
}

}  // namespace trellon
