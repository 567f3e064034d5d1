#pragma once

namespace trellon {

// A complex value as a pair of doubles, with the arithmetic written out so that every result
// follows the same order of operations on every compiler.
struct Complex {
    double re = 0;
    double im = 0;
};

inline Complex operator+(Complex a, Complex b) {
    return {a.re + b.re, a.im + b.im};
}
inline Complex operator-(Complex a, Complex b) {
    return {a.re - b.re, a.im - b.im};
}
inline Complex operator*(Complex a, Complex b) {
    return {a.re * b.re - a.im * b.im, a.re * b.im + a.im * b.re};
}
// a / d computed as (a * conj(d)) / |d|^2, with |d|^2 = d.re * d.re + d.im * d.im given.
inline Complex divide(Complex a, Complex d, double norm) {
    const Complex p{a.re * d.re + a.im * d.im, a.im * d.re - a.re * d.im};
    return {p.re / norm, p.im / norm};
}
inline double squaredMagnitude(Complex a) {
    return a.re * a.re + a.im * a.im;
}
inline Complex operator/(Complex a, Complex d) {
    return divide(a, d, squaredMagnitude(d));
}
inline bool isZero(Complex a) {
    return a.re == 0 && a.im == 0;
}

}  // namespace trellon
