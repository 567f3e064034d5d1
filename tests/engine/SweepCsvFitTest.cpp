#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "CrystalSweepFit.h"
#include "CrystalSweeps.h"
#include "NumberText.h"

namespace trellon {
namespace {

using test::KnownCrystal;

// A sweep of a known crystal written as CSV (kHz, loss and phase, an extra column) fits as its
// Touchstone file does: Fs within 1 Hz, Lm and Rm within 1 %, C0 within 5 % with the parallel
// resonance swept, as the Touchstone fits are held to. Without its phase column it is fitted on
// the magnitude alone, held to Fs within 2 Hz and Lm and Rm within 2 %. The format follows the
// file's extension in any letter case, in the order the files are given.
TEST(SweepCsvFit, CsvSweepOfAKnownCrystalFitsToIt) {
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("trellon-sweep-csv-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    const KnownCrystal k{10e6, 0.015, 90e3, 4.0e-12, 12.5};
    const double high = k.parallelHz() + 0.3 * (k.parallelHz() - k.fsHz);
    const TwoPortData sweep = test::noisySweep(k, k.fsHz - 3e3, high, 1601, 0.001, 7, 0.5);
    std::string csv = "Frequency_kHz,Loss_dB,Phase_deg,Trace\n";
    std::string magnitudes = "frequency_hz;s21_db\n";
    for (std::size_t i = 0; i < sweep.frequencyHz.size(); ++i) {
        const Complex s = sweep.s21[i];
        const double db = 20 * std::log10(std::hypot(s.re, s.im));
        csv += FormatExact(sweep.frequencyHz[i] / 1e3) + ',' + FormatExact(-db) + ',' +
               FormatExact(std::atan2(s.im, s.re) * 180 / std::numbers::pi) + ",1\n";
        magnitudes += FormatExact(sweep.frequencyHz[i]) + ';' + FormatExact(db) + '\n';
    }
    std::ofstream(dir / "Y1.CSV") << csv;
    std::ofstream(dir / "Y3.csv") << magnitudes;
    std::ofstream(dir / "Y1.s2p") << writeTouchstone(sweep, TouchstoneFormat::RealImaginary);
    const std::vector<SweepFileOutcome> outcomes = fitCrystalSweepFiles(
        {(dir / "Y1.CSV").string(), (dir / "Y1.s2p").string(), (dir / "Y3.csv").string()},
        {12.5, 0.5}, {});
    std::filesystem::remove_all(dir);

    ASSERT_EQ(outcomes.size(), 3u);
    for (const SweepFileOutcome& outcome : outcomes) {
        ASSERT_TRUE(outcome.crystal) << outcome.message;
        const bool phase = outcome.hasPhase;
        EXPECT_EQ(phase, outcome.crystal->name != "Y3");
        const CrystalCircuit& fit = outcome.fit.circuit;
        EXPECT_NEAR(fit.fsHz, k.fsHz, phase ? 1 : 2);
        EXPECT_NEAR(fit.lmH, k.lmH, (phase ? 0.01 : 0.02) * k.lmH);
        EXPECT_NEAR(fit.rmOhm, k.rmOhm(), (phase ? 0.01 : 0.02) * k.rmOhm());
        if (phase) {
            EXPECT_NEAR(fit.c0F, k.c0F, 0.05 * k.c0F);
        }
    }
    EXPECT_EQ(outcomes[0].crystal->name, "Y1");
    EXPECT_EQ(outcomes[1].crystal->name, "Y1-2");
    // The CSV's 17 digits carry the sweep: both files give the same crystal.
    EXPECT_NEAR(outcomes[0].fit.circuit.fsHz, outcomes[1].fit.circuit.fsHz, 1e-6);
}

}  // namespace
}  // namespace trellon
