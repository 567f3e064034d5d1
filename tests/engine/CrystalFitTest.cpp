#include "CrystalFit.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>

#include "CommandError.h"
#include "CrystalBatchCsv.h"
#include "CrystalSweepFit.h"
#include "CrystalSweeps.h"
#include "NumberText.h"
#include "Touchstone.h"

namespace trellon {
namespace {

using test::FixtureFaults;
using test::KnownCrystal;
using test::noisySweep;

std::vector<std::string> codesOf(const CrystalFitResult& fit) {
    std::vector<std::string> codes;
    for (const FitWarning& warning : fit.warnings) {
        codes.push_back(warning.code);
    }
    return codes;
}

// The file in another frequency unit: every record's frequency divided by the unit, with 17
// digits, and the option line naming the unit.
std::string inUnit(const std::string& hertzFile, const std::string& unit, double unitHz) {
    std::istringstream lines(hertzFile);
    std::string out;
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("# Hz", 0) == 0) {
            line = "# " + unit + line.substr(4);
        } else if (!line.empty() && line[0] != '!') {
            const std::size_t blank = line.find(' ');
            const double f = TextToFloat(line.substr(0, blank), '.');
            line = FormatExact(f / unitHz) + line.substr(blank);
        }
        out += line + '\n';
    }
    return out;
}

std::string messageOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const CommandError& error) {
        return error.what();
    }
    return "no message";
}

struct SweepCase {
    KnownCrystal crystal;
    bool parallelInSpan;
    TouchstoneFormat format;
    std::string unit;
    double unitHz;
    double lossDb;
};

// Crystals of 4.9 to 27 MHz with unloaded Q from 20k to 200k, in 12.5 and 50 ohm fixtures,
// swept with and without their parallel resonance, written in every format and several units
// and read back: the fit lands on the noise (RMS of |noise| is 0.001 * sqrt 2) and recovers Fs
// within 1 Hz, Lm and Rm within 1 %, C0 within 5 % where the parallel resonance is swept.
TEST(CrystalFit, RecoversKnownCrystalsFromNoisySweeps) {
    const std::vector<SweepCase> cases{
        {{4.9152e6, 0.090, 60e3, 3.5e-12, 50},
         true,
         TouchstoneFormat::MagnitudeAngle,
         "MHz",
         1e6,
         0},
        {{4.9152e6, 0.110, 150e3, 4.0e-12, 12.5}, false, TouchstoneFormat::Decibel, "kHz", 1e3, 0},
        {{10e6, 0.015, 90e3, 4.0e-12, 50}, false, TouchstoneFormat::RealImaginary, "Hz", 1, 1.5},
        {{10e6, 0.025, 200e3, 3.0e-12, 12.5}, true, TouchstoneFormat::Decibel, "GHz", 1e9, 0},
        {{27e6, 0.006, 20e3, 5.0e-12, 50}, true, TouchstoneFormat::RealImaginary, "MHz", 1e6, 0.5},
        {{27e6, 0.004, 45e3, 4.5e-12, 12.5}, false, TouchstoneFormat::MagnitudeAngle, "Hz", 1, 0},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const SweepCase& c = cases[i];
        const KnownCrystal& k = c.crystal;
        const double bw = k.loadedBandwidthHz();
        const double high =
            c.parallelInSpan ? k.parallelHz() + 0.3 * (k.parallelHz() - k.fsHz) : k.fsHz + 6 * bw;
        const TwoPortData sweep =
            noisySweep(k, k.fsHz - 6 * bw, high, 1601, 0.001, i + 1, c.lossDb);
        const std::string file = inUnit(writeTouchstone(sweep, c.format), c.unit, c.unitHz);
        const CrystalFitResult fit = fitCrystalSweep(file, "case.s2p", {{}, c.lossDb});
        SCOPED_TRACE("case " + std::to_string(i));
        EXPECT_NEAR(fit.circuit.fsHz, k.fsHz, 1);
        EXPECT_NEAR(fit.circuit.lmH, k.lmH, 0.01 * k.lmH);
        EXPECT_NEAR(fit.circuit.rmOhm, k.rmOhm(), 0.01 * k.rmOhm());
        EXPECT_NEAR(fit.q, k.q, 0.01 * k.q);
        if (c.parallelInSpan) {
            EXPECT_NEAR(fit.circuit.c0F, k.c0F, 0.05 * k.c0F);
        }
        EXPECT_NEAR(fit.residual, 0.001 * std::sqrt(2.0), 0.0002);
    }
}

// The fixture's own port resistance, given by the user, wins over the file's reference; the
// model is the textbook circuit within 1e-10.
TEST(CrystalFit, FixtureResistanceGivenOverridesTheFilesReference) {
    const KnownCrystal k{10e6, 0.015, 90e3, 4.0e-12, 12.5};
    TwoPortData sweep = noisySweep(k, k.fsHz - 5e3, k.fsHz + 5e3, 401, 0, 1);
    sweep.referenceOhm = 50;
    const std::string file = writeTouchstone(sweep, TouchstoneFormat::RealImaginary);
    const CrystalFitResult fit = fitCrystalSweep(file, "fixture.s2p", {12.5, 0});
    EXPECT_NEAR(fit.circuit.fsHz, k.fsHz, 1e-3);
    EXPECT_NEAR(fit.circuit.rmOhm, k.rmOhm(), 1e-6 * k.rmOhm());
    EXPECT_LT(fit.residual, 1e-9);
    for (double f : {k.fsHz - 3e3, k.fsHz, k.fsHz + 700.0}) {
        const Complex model = crystalS21({k.fsHz, k.lmH, k.rmOhm(), k.c0F}, {12.5, 2}, f);
        const std::complex<double> textbook = test::textbookS21(k, f, 2);
        // The textbook sum loses digits to wLm - 1/(wCm) next to resonance.
        EXPECT_NEAR(model.re, textbook.real(), 1e-10);
        EXPECT_NEAR(model.im, textbook.imag(), 1e-10);
    }
}

// Each sweep that cannot give a crystal says why, naming the file, and odd numbers from a
// caller end in a message too, never in a crash or an endless search.
TEST(CrystalFit, SweepsThatCannotBeFittedSayWhy) {
    const KnownCrystal k{10e6, 0.015, 90e3, 4.0e-12, 50};
    const auto file = [](const TwoPortData& sweep) {
        return writeTouchstone(sweep, TouchstoneFormat::RealImaginary);
    };
    // A capacitor passes more the higher it goes; a resistor passes the same everywhere.
    TwoPortData capacitor = noisySweep(k, 9.99e6, 10.01e6, 101, 0, 1);
    TwoPortData resistor = capacitor;
    for (std::size_t i = 0; i < capacitor.frequencyHz.size(); ++i) {
        const double x = 1 / (2 * std::numbers::pi * capacitor.frequencyHz[i] * 4e-12);
        capacitor.s21[i] = Complex{100, 0} / Complex{100, -x};
        resistor.s21[i] = {0.7 + 1e-4 * static_cast<double>(i % 3), 0};
    }
    EXPECT_EQ(messageOf([&] { fitCrystalSweep(file(capacitor), "c.s2p", {}); }),
              "Cannot fit the crystal in 'c.s2p': the sweep holds no resonance: its least loss "
              "lies at its edge");
    EXPECT_EQ(messageOf([&] { fitCrystalSweep(file(resistor), "r.s2p", {}); }),
              "Cannot fit the crystal in 'r.s2p': the sweep holds no resonance: the loss does "
              "not rise by 3 dB beside its least value");
    EXPECT_EQ(
        messageOf([&] { fitCrystalSweep("# MHz S RI R 50\n10 0 0 1 0 1 0 0\n", "gap.s2p", {}); }),
        "Cannot read the Touchstone file 'gap.s2p', line 2: the last record has 8 of its 9 "
        "numbers");
    const TwoPortData few = noisySweep(k, k.fsHz - 1e3, k.fsHz + 1e3, 9, 0, 1);
    EXPECT_EQ(messageOf([&] { fitCrystalSweep(file(few), "few.s2p", {}); }),
              "Cannot fit the crystal in 'few.s2p': the sweep has 9 points; a fit needs at least "
              "10");

    const TwoPortData good = noisySweep(k, k.fsHz - 5e3, k.fsHz + 5e3, 201, 0.001, 1);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double huge = std::numeric_limits<double>::max();
    std::vector<Complex> odd = good.s21;
    odd[50].im = nan;
    EXPECT_EQ(messageOf([&] { fitCrystal(good.frequencyHz, odd, {}); }),
              "the sweep has a value that is not a finite number");
    EXPECT_EQ(messageOf([&] {
                  fitCrystal(good.frequencyHz, {good.s21.begin(), good.s21.end() - 1}, {});
              }),
              "the sweep has missing values");
    EXPECT_EQ(messageOf([&] {
                  fitCrystal(good.frequencyHz, good.s21, {nan, 0});
              }),
              "the fixture's port resistance must be a positive number");
    // Values at the ends of the number range, and all-zero data, still end in a message.
    for (const Complex value : {Complex{huge, huge}, Complex{}, Complex{1e-300, 0}}) {
        std::vector<Complex> extreme = good.s21;
        for (std::size_t i = 0; i < extreme.size(); i += 7) {
            extreme[i] = value;
        }
        EXPECT_NE(messageOf([&] { fitCrystal(good.frequencyHz, extreme, {}); }), "");
    }
    std::vector<double> reversed(good.frequencyHz.rbegin(), good.frequencyHz.rend());
    EXPECT_EQ(messageOf([&] { fitCrystal(reversed, good.s21, {}); }),
              "the frequencies of the sweep must be positive and increase");
}

// Sweep files fitted into a batch: named after their files, a second file of the same name
// suffixed, a failing file left out with its message; the batch saved in the program's columns
// and read back holds the same crystals.
TEST(CrystalFit, FittedBatchSavedAndReadBack) {
    const std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                      ("trellon-crystal-fit-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir / "other");
    const KnownCrystal k{10e6, 0.015, 90e3, 4.0e-12, 50};
    const auto save = [&](const std::filesystem::path& path, double shiftHz) {
        KnownCrystal shifted = k;
        shifted.fsHz += shiftHz;
        std::ofstream(path) << writeTouchstone(
            noisySweep(shifted, k.fsHz - 5e3, k.fsHz + 5e3, 401, 0.001, 2),
            TouchstoneFormat::MagnitudeAngle);
    };
    save(dir / "X1.s2p", 0);
    save(dir / "other" / "X1.s2p", 120);
    std::ofstream(dir / "broken.s2p") << "# Hz S RI R 50\n1 2 3\n";
    save(dir / "X2.S2P", -80);
    const std::vector<std::string> paths{(dir / "X1.s2p").string(),
                                         (dir / "other" / "X1.s2p").string(),
                                         (dir / "broken.s2p").string(), (dir / "X2.S2P").string()};
    std::vector<double> progress;
    const std::vector<SweepFileOutcome> outcomes =
        fitCrystalSweepFiles(paths, {}, {"X2"}, [&](double share) { progress.push_back(share); });
    std::filesystem::remove_all(dir);

    ASSERT_EQ(outcomes.size(), 4u);
    EXPECT_EQ(progress, (std::vector<double>{0.25, 0.5, 0.75, 1}));
    EXPECT_FALSE(outcomes[2].crystal);
    EXPECT_NE(outcomes[2].message.find("broken.s2p', line 2:"), std::string::npos);
    CrystalBatch batch;
    for (const SweepFileOutcome& outcome : outcomes) {
        if (outcome.crystal) {
            batch.crystals.push_back(*outcome.crystal);
        }
    }
    ASSERT_EQ(batch.crystals.size(), 3u);
    EXPECT_EQ(batch.crystals[0].name, "X1");
    EXPECT_EQ(batch.crystals[1].name, "X1-2");
    EXPECT_EQ(batch.crystals[2].name, "X2-2");
    EXPECT_NEAR(batch.crystals[1].fsKhz - batch.crystals[0].fsKhz, 0.120, 0.002);
    EXPECT_EQ(readCrystalBatchCsv(writeCrystalBatchCsv(batch), "batch.csv"), batch);
}

// The worked example: the sweep files kept with the program give back the batch they were
// computed from, within the accuracy the README states.
TEST(CrystalFit, ExampleSweepsGiveTheirKnownCrystals) {
    const std::filesystem::path dir = TRELLON_EXAMPLE_SWEEPS;
    std::ifstream knownFile(dir / "known.csv");
    const std::string knownText{std::istreambuf_iterator<char>(knownFile), {}};
    const CrystalBatch known = readCrystalBatchCsv(knownText, "known.csv");
    std::vector<std::string> paths;
    for (const MeasuredCrystal& crystal : known.crystals) {
        paths.push_back((dir / (crystal.name + ".s2p")).string());
    }
    const std::vector<SweepFileOutcome> fitted = fitCrystalSweepFiles(paths, {12.5, 0.5}, {});
    ASSERT_EQ(fitted.size(), known.crystals.size());
    for (std::size_t i = 0; i < fitted.size(); ++i) {
        const MeasuredCrystal& k = known.crystals[i];
        ASSERT_TRUE(fitted[i].crystal) << fitted[i].message;
        const MeasuredCrystal& f = *fitted[i].crystal;
        EXPECT_EQ(f.name, k.name);
        EXPECT_NEAR(f.fsKhz, k.fsKhz, 1e-3) << k.name;
        EXPECT_NEAR(f.lmMh, k.lmMh, 0.005 * k.lmMh) << k.name;
        EXPECT_NEAR(f.rmOhm, k.rmOhm, 0.005 * k.rmOhm) << k.name;
        EXPECT_NEAR(f.c0Pf, k.c0Pf, 0.02 * k.c0Pf) << k.name;
    }
}

// 10 MHz crystals behind 1 to 5 ns of cable and a phase offset, in 12.5 and 50 ohm fixtures,
// swept over their parallel resonance with noise 0.001: the crystal comes back through the
// fixture's phase (Fs within 1 Hz, Lm and Rm within 1 %, C0 within 5 %), from |S21| alone
// within 2 Hz and 2 %, with no warning; without the phase terms 5 ns misses Fs by tens of Hz.
TEST(CrystalFit, RecoversCrystalsBehindTheFixturesPhase) {
    struct Case {
        KnownCrystal crystal;
        FixtureFaults faults;
    };
    const std::vector<Case> cases{
        {{10e6, 0.015, 2 * std::numbers::pi * 10e6 * 0.015 / 10, 4.0e-12, 12.5}, {1e-9, 0.6}},
        {{10e6, 0.080, 2 * std::numbers::pi * 10e6 * 0.080 / 30, 3.0e-12, 50}, {3e-9, -2.5}},
        {{10e6, 0.030, 2 * std::numbers::pi * 10e6 * 0.030 / 20, 5.0e-12, 12.5}, {5e-9, 1.2}},
        {{10e6, 0.050, 2 * std::numbers::pi * 10e6 * 0.050 / 15, 3.5e-12, 50}, {5e-9, 3.0}},
    };
    std::vector<TwoPortData> sweeps;
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const KnownCrystal& k = cases[i].crystal;
        const double bw = k.loadedBandwidthHz();
        const double high = k.parallelHz() + 0.3 * (k.parallelHz() - k.fsHz);
        const TwoPortData sweep =
            test::faultySweep(k, k.fsHz - 8 * bw, high, 2001, 0.001, 40 + i, cases[i].faults);
        SCOPED_TRACE("case " + std::to_string(i));
        const CrystalFitResult fit = fitCrystalSweep(sweep, "phase.s2p", {});
        EXPECT_NEAR(fit.circuit.fsHz, k.fsHz, 1);
        EXPECT_NEAR(fit.circuit.lmH, k.lmH, 0.01 * k.lmH);
        EXPECT_NEAR(fit.circuit.rmOhm, k.rmOhm(), 0.01 * k.rmOhm());
        EXPECT_NEAR(fit.circuit.c0F, k.c0F, 0.05 * k.c0F);
        EXPECT_EQ(codesOf(fit), std::vector<std::string>{});
        const CrystalFitResult scalar =
            fitCrystalSweep(sweep, "scalar.s2p", {{}, 0, {.magnitudeOnly = true}});
        EXPECT_NEAR(scalar.circuit.fsHz, k.fsHz, 2);
        EXPECT_NEAR(scalar.circuit.lmH, k.lmH, 0.02 * k.lmH);
        EXPECT_NEAR(scalar.circuit.rmOhm, k.rmOhm(), 0.02 * k.rmOhm());
        EXPECT_EQ(codesOf(scalar), std::vector<std::string>{});
        sweeps.push_back(sweep);
    }
    const CrystalFitResult old =
        fitCrystalSweep(sweeps[2], "old.s2p", {{}, 0, {.phaseTerms = false}});
    EXPECT_GT(std::abs(old.circuit.fsHz - cases[2].crystal.fsHz), 20);
}

// A spurious mode 30 kHz above Fs inside the span is fitted as a further arm (its offset within
// 0.1 %, its strength as the textbook sweep has it within 0.1 dB), flagged, and leaves C0
// within 5 %; it reaches the batch's crystal.
TEST(CrystalFit, SpuriousModeInTheSpanIsFoundAndFlagged) {
    const KnownCrystal k{10e6, 0.020, 100e3, 4.0e-12, 12.5};
    const test::SpuriousArmOf spur{30e3, 0.060, 120};
    const TwoPortData sweep =
        test::faultySweep(k, k.fsHz - 3e3, k.fsHz + 40e3, 4001, 0.001, 7, {2e-9, 0.4, {spur}});
    const CrystalFitResult fit = fitCrystalSweep(sweep, "spur.s2p", {});
    ASSERT_EQ(fit.spurious.size(), 1u);
    const SpuriousArm& found = fit.spurious[0];
    EXPECT_NEAR(found.offsetHz, spur.offsetHz, 1e-3 * spur.offsetHz);
    EXPECT_NEAR(fit.circuit.c0F, k.c0F, 0.05 * k.c0F);
    EXPECT_NEAR(fit.circuit.fsHz, k.fsHz, 1);
    const double textbookStrength =
        20 * std::log10(std::abs(test::faultyS21(k, k.fsHz + spur.offsetHz, 0, {0, 0, {spur}})) /
                        std::abs(test::faultyS21(k, k.fsHz, 0, {0, 0, {spur}})));
    EXPECT_NEAR(found.strengthDb, textbookStrength, 0.1);
    EXPECT_EQ(codesOf(fit), std::vector<std::string>{"spurious"});
    const MeasuredCrystal crystal = measuredCrystalOf(fit, "S1");
    ASSERT_EQ(crystal.spurious.size(), 1u);
    EXPECT_DOUBLE_EQ(crystal.spurious[0].offsetKhz, found.offsetHz / 1e3);
    EXPECT_DOUBLE_EQ(crystal.spurious[0].lmMh, found.lmH * 1e3);
}

// Each warning has a sweep that raises it, and the clean sweep raises none; a fixture loss of
// 6 dB given for a fixture of 0.5 dB is refused, naming the file.
TEST(CrystalFit, WarningsSayWhenTheFitCannotBeTrusted) {
    const KnownCrystal k{10e6, 0.015, 90e3, 4.0e-12, 12.5};
    const double bw = k.loadedBandwidthHz();
    const auto sweepOf = [&](const KnownCrystal& c, double low, double high, int points,
                             const FixtureFaults& faults = {}) {
        return test::faultySweep(c, low, high, points, 0.001, 3, faults);
    };
    TwoPortData rippled = sweepOf(k, k.fsHz - 8 * bw, k.fsHz + 8 * bw, 801);
    for (std::size_t i = 0; i < rippled.s21.size(); ++i) {
        // A standing wave on a loose cable: a ripple of 6 % in the level.
        const double ripple = 1 + 0.06 * std::sin(static_cast<double>(i) / 15);
        rippled.s21[i] = rippled.s21[i] * Complex{ripple, 0};
    }
    KnownCrystal tinyHolder = k;
    tinyHolder.c0F = 0.05e-12;
    KnownCrystal lowQ = k;
    lowQ.q = 500;
    struct Case {
        std::string code;
        TwoPortData sweep;
    };
    const std::vector<Case> cases{
        {"", sweepOf(k, k.fsHz - 8 * bw, k.fsHz + 8 * bw, 801)},
        {"residual", rippled},
        {"at-bound", sweepOf(k, k.fsHz - 8 * bw, k.fsHz + 8 * bw, 801, {2e-6, 0})},
        {"c0-small", sweepOf(tinyHolder, k.fsHz - 8 * bw, k.fsHz + 30 * bw, 801)},
        {"q-range", sweepOf(lowQ, k.fsHz - 8 * lowQ.loadedBandwidthHz(),
                            k.fsHz + 8 * lowQ.loadedBandwidthHz(), 801)},
        {"fs-near-edge", sweepOf(k, k.fsHz - 2 * bw, k.fsHz + 8 * bw, 801)},
        {"spur-sparse", sweepOf(k, k.fsHz - 8 * bw, k.fsHz + 20e3, 801, {0, 0, {{15e3, 0.5, 40}}})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        const CrystalFitResult fit = fitCrystalSweep(c.sweep, "w.s2p", {});
        const std::vector<std::string> codes = codesOf(fit);
        if (c.code.empty()) {
            EXPECT_EQ(codes, std::vector<std::string>{});
        } else {
            EXPECT_NE(std::find(codes.begin(), codes.end(), c.code), codes.end());
        }
    }
    const TwoPortData lossy = noisySweep(k, k.fsHz - 8 * bw, k.fsHz + 8 * bw, 401, 0.001, 5, 0.5);
    EXPECT_EQ(messageOf([&] {
                  fitCrystalSweep(lossy, "lossy.s2p", {{}, 6});
              }),
              "Cannot fit the crystal in 'lossy.s2p': the fixture loss of 6 dB is more than the "
              "sweep allows: its peak lies 2.45 dB above the fixture's own level, which would need "
              "Rm at or below 0");
}

// A real measurement (tests/data/real-sweeps/SOURCE.md): a 10 MHz resonator on its board, not a
// crystal between the fixture's ports, whose resonance moves S21 by less than 0.2 dB out of
// -30 dB and rings after it. Fitted through the file's 50 ohm, through 12.5 ohm or on |S21|
// alone, the fit may refuse it or return finite values, plausible or warned about, but never an
// implausible crystal in silence. Today each way refuses it: no resonance rises 3 dB.
TEST(CrystalFit, RealBoardSweepIsRefusedOrFlagged) {
    const std::filesystem::path path =
        std::filesystem::path(TRELLON_REAL_SWEEPS) / "C300_25C-excerpt.s2p";
    std::ifstream in(path, std::ios::binary);
    const TwoPortData data =
        readTouchstone(std::string{std::istreambuf_iterator<char>(in), {}}, path.string());
    ASSERT_EQ(data.frequencyHz.size(), 168u);
    const std::vector<FixtureChoice> choices{{}, {12.5, 0}, {{}, 0, {.magnitudeOnly = true}}};
    for (std::size_t i = 0; i < choices.size(); ++i) {
        SCOPED_TRACE("choice " + std::to_string(i));
        std::string refusal;
        try {
            const CrystalFitResult fit = fitCrystalSweep(data, "C300.s2p", choices[i]);
            const CrystalCircuit& c = fit.circuit;
            for (double value : {c.fsHz, c.lmH, c.rmOhm, c.c0F, fit.q, fit.residual}) {
                EXPECT_TRUE(std::isfinite(value));
            }
            if (fit.warnings.empty()) {
                EXPECT_GT(c.c0F, 0.1e-12);
                EXPECT_TRUE(fit.q >= 1e3 && fit.q <= 1e7) << fit.q;
                EXPECT_GT(c.fsHz, data.frequencyHz.front());
                EXPECT_LT(c.fsHz, data.frequencyHz.back());
            }
        } catch (const CommandError& error) {
            refusal = error.what();
        }
        EXPECT_EQ(refusal,
                  "Cannot fit the crystal in 'C300.s2p': the sweep holds no resonance: the loss "
                  "does not rise by 3 dB beside its least value");
    }
}

}  // namespace
}  // namespace trellon
