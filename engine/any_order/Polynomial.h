#pragma once

#include <complex>
#include <span>
#include <vector>

namespace trellon {

// A polynomial with real coefficients, the constant first, in extended precision: the
// syntheses subtract nearly equal polynomials of degree 16 and more.
using Polynomial = std::vector<long double>;
using ComplexRoot = std::complex<long double>;

Polynomial product(const Polynomial& a, const Polynomial& b);

// The monic polynomial with these roots; complex roots come in conjugate pairs.
Polynomial polynomialFromRoots(std::span<const ComplexRoot> roots);

ComplexRoot valueAt(const Polynomial& p, ComplexRoot s);

// Every root of `p` (degree at least 1, non-zero leading coefficient), by the simultaneous
// Aberth iteration, each polished by Newton steps on `p`.
std::vector<ComplexRoot> polynomialRoots(const Polynomial& p);

}  // namespace trellon
