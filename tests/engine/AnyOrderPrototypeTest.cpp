#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "FamilyPrototype.h"
#include "Phrase.h"

namespace trellon {
namespace {

struct PrototypeRow {
    const char* what;
    CoupledPrototype prototype;
    double q1, qN;
    std::vector<double> k;  // from k12 to the centre of a symmetric row, or all of them
    double printedUnit;     // the last printed digit's unit
};

// The coupling values of the reference note's test vectors, which reproduce the published
// tables (Zverev; Matthaei, Young and Jones), to the digits printed there.
TEST(AnyOrderPrototype, CouplingValuesMatchThePublishedOnes) {
    const PrototypeRow rows[] = {
        {"Butterworth 4", butterworthPrototype(4), 0.7654, 0.7654, {0.8409, 0.5412}, 1e-4},
        {"Butterworth 6", butterworthPrototype(6), 0.5176, 0.5176, {1.1688, 0.6050, 0.5176}, 1e-4},
        {"Chebyshev 0.1 dB 4, ripple edges",
         chebyshevPrototype(4, 0.1),
         1.1088,
         1.1088,
         {0.8309, 0.6576},
         1e-4},
        {"Chebyshev 0.1 dB 6",
         scaledToEdge(chebyshevPrototype(6, 0.1), chebyshevHalfPowerEdge(6, 0.1)),
         1.2767,
         1.2767,
         {0.7145, 0.5385, 0.5180},
         1e-4},
        {"Chebyshev 0.5 dB 4",
         scaledToEdge(chebyshevPrototype(4, 0.5), chebyshevHalfPowerEdge(4, 0.5)),
         1.8259,
         1.8259,
         {0.6482, 0.5446},
         1e-4},
        {"Bessel 4", besselPrototype(4), 0.2334, 2.2404, {2.5239, 1.1725, 0.6424}, 1e-4},
        {"Bessel 6",
         besselPrototype(6),
         0.1365,
         2.2645,
         {4.2787, 1.9773, 1.3537, 1.0260, 0.6300},
         1e-4},
        {"Gaussian 4", gaussianPrototype(4), 0.1772, 2.2450, {3.2627, 1.4225, 0.6913}, 1e-4},
        {"Gaussian 6",
         gaussianPrototype(6),
         0.1026,
         2.2568,
         {5.6583, 2.5620, 1.6836, 1.1921, 0.6663},
         1e-4},
    };
    for (const PrototypeRow& row : rows) {
        SCOPED_TRACE(row.what);
        const double tolerance = 0.5 * row.printedUnit + 1e-9;
        EXPECT_NEAR(row.prototype.q1, row.q1, tolerance);
        EXPECT_NEAR(row.prototype.qN, row.qN, tolerance);
        for (std::size_t i = 0; i < row.k.size(); ++i) {
            EXPECT_NEAR(row.prototype.k[i], row.k[i], tolerance) << "k" << i + 1 << i + 2;
        }
    }
}

// Zverev's doubly terminated Bessel ladders (Handbook of Filter Synthesis), g1..gN with
// g(N+1) = 1, to their four printed decimals: an independent check of the synthesis from the
// transfer function.
TEST(AnyOrderPrototype, BesselSynthesisReproducesZverevsLadders) {
    const std::vector<std::vector<double>> zverev = {
        {0.3374, 0.9705, 2.2034},
        {0.1743, 0.5072, 0.8040, 1.1110, 2.2582},
        {0.1106, 0.3259, 0.5249, 0.7020, 0.8690, 1.1052, 2.2659},
        {0.0672, 0.1998, 0.3270, 0.4454, 0.5528, 0.6493, 0.7420, 0.8561, 1.0781, 2.2641},
    };
    for (const std::vector<double>& g : zverev) {
        const int order = static_cast<int>(g.size());
        SCOPED_TRACE(order);
        const std::vector<double> ours = ladderFromCoupled(besselPrototype(order));
        for (int i = 0; i < order; ++i) {
            EXPECT_NEAR(ours[i], g[i], 0.5e-4 + 1e-9) << "g" << i + 1;
        }
        EXPECT_NEAR(ours[order], 1.0, 1e-9);
    }
}

// Every prototype is 3 dB down (the ripple down for Chebyshev) at its edge, and its least q0
// is the reference note's table of 1/min|Re p| (printed to 2 decimals or 4 digits), which for
// the tabulated families is a tenth of the first q0 that Zverev tabulates: a typing error in a
// row moves its poles.
TEST(AnyOrderPrototype, EdgesAndMinimumQ0MatchTheTables) {
    struct Row {
        AnyOrderFamily family;
        double ripple;
        std::vector<double> q0min;  // from N = first
        int first;
        int step = 1;
    };
    const Row rows[] = {
        {AnyOrderFamily::Butterworth, 0, {1.41, 2.00, 2.61, 3.24, 3.86, 4.49, 5.13}, 2},
        {AnyOrderFamily::Chebyshev, 0.01, {1.48, 2.36, 3.57, 5.11, 7.00, 9.22, 11.78}, 2},
        {AnyOrderFamily::Chebyshev, 1, {2.22, 4.43, 7.55, 11.56, 16.46, 22.25, 28.94}, 2},
        {AnyOrderFamily::Chebyshev, 3, {3.10, 6.70, 11.74, 18.23, 26.16, 35.53, 46.34}, 2},
        {AnyOrderFamily::Bessel, 0, {0.91, 0.95, 1.00, 1.04, 1.07, 1.10, 1.12}, 2},
        {AnyOrderFamily::Gaussian, 0, {0.78, 0.73, 0.71, 0.69, 0.68, 0.67, 0.67}, 2},
        {AnyOrderFamily::LinearPhase005, 0, {0.99, 1.17, 1.34, 1.49, 1.63, 1.75, 1.87}, 2},
        {AnyOrderFamily::LinearPhase05, 0, {1.16, 1.44, 1.66, 1.85, 2.04, 2.17, 2.39}, 2},
        {AnyOrderFamily::GaussianTo6Db, 0, {1.04, 1.59, 2.81, 4.54, 6.57, 8.91}, 3},
        {AnyOrderFamily::GaussianTo12Db, 0, {1.07, 1.09, 1.40, 2.23, 3.44, 5.05}, 3},
        {AnyOrderFamily::Butterworth, 0, {6.39, 7.66, 8.93, 10.20}, 10, 2},
        {AnyOrderFamily::Chebyshev, 0.1, {25.33, 36.19, 49.03, 63.84}, 10, 2},
        {AnyOrderFamily::Chebyshev, 0.5, {36.37, 52.16, 70.82, 92.35}, 10, 2},
        {AnyOrderFamily::Bessel, 0, {1.16, 1.18, 1.21, 1.23}, 10, 2},
        {AnyOrderFamily::Gaussian, 0, {0.66, 0.65, 0.65, 0.64}, 10, 2},
        {AnyOrderFamily::LinearPhase005, 0, {2.09}, 10},
        {AnyOrderFamily::QuasiEquiripple, 0, {3.34, 5.40, 8.34, 12.29, 17.30}, 4},
        {AnyOrderFamily::QuasiEquiripple, 0, {30.64, 49.03}, 10, 2},
        {AnyOrderFamily::LinearPhase05, 0, {2.70}, 10},
    };
    for (const Row& row : rows) {
        for (std::size_t i = 0; i < row.q0min.size(); ++i) {
            const int order = row.first + row.step * static_cast<int>(i);
            SCOPED_TRACE(std::string(familyName(row.family)) + " " + std::to_string(order));
            const FamilyPrototype p = familyPrototype(row.family, order, row.ripple);
            EXPECT_NEAR(prototypeLossDb(p.values, 1.0), p.edgeLossDb, 0.01);
            // The tables hold 3 dB-normalised prototypes; Chebyshev's are ripple-normalised, and
            // the quasi-equiripple rows are scaled to their exact 3 dB points.
            const CoupledPrototype halfPower =
                row.family == AnyOrderFamily::Chebyshev
                    ? scaledToEdge(p.values, chebyshevHalfPowerEdge(order, row.ripple))
                : row.family == AnyOrderFamily::QuasiEquiripple ? *quasiEquiripplePrototype(order)
                                                                : p.values;
            EXPECT_NEAR(minimumUnloadedQ(halfPower), row.q0min[i],
                        std::max(0.0051, 0.006 * row.q0min[i]));
        }
    }
}

TEST(AnyOrderPrototype, RefusesOrdersAndRipplesOutOfRange) {
    EXPECT_THROW(familyPrototype(AnyOrderFamily::Butterworth, 17, 0), PhrasedError);
    EXPECT_THROW(familyPrototype(AnyOrderFamily::Chebyshev, 5, 3.2), PhrasedError);
    EXPECT_THROW(familyPrototype(AnyOrderFamily::Chebyshev, 5, 0.005), PhrasedError);
    EXPECT_THROW(familyPrototype(AnyOrderFamily::QuasiEquiripple, 9, 0), PhrasedError);
    try {
        familyPrototype(AnyOrderFamily::GaussianTo6Db, 9, 0);
        FAIL() << "an order the table lacks";
    } catch (const PhrasedError& error) {
        EXPECT_STREQ(error.what(),
                     "the gaussian-6db response is tabulated only for 3 to 8 crystals");
    }
}

}  // namespace
}  // namespace trellon
