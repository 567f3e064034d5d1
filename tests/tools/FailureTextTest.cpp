#include "FailureTextTest.h"

#include <QTest>
#include <algorithm>
#include <functional>
#include <set>
#include <span>

#include "CrystalBatchCsv.h"
#include "CrystalSweepFit.h"
#include "FailureText.h"
#include "FitPhrases.h"
#include "OscillatorShiftPhrases.h"
#include "ReadPhrases.h"
#include "Touchstone.h"
#include "texts/FileContentTexts.h"

namespace trellon {

namespace {

// The command line's and the window's text of what the action throws.
std::pair<std::string, std::string> refusal(const std::function<void()>& action) {
    try {
        action();
    } catch (const std::exception& failure) {
        return {failure.what(), currentFailureText()};
    }
    return {};
}

void expectRefusal(const std::function<void()>& action, const std::string& english,
                   const char* window) {
    const auto [commandLine, shown] = refusal(action);
    QCOMPARE(commandLine, english);
    QCOMPARE(QString::fromStdString(shown), QString::fromUtf8(window));
}

}  // namespace

void FailureTextTest::readersAndFitRefuseInTheWindowsLanguage() {
    expectRefusal(
        [] { readCrystalBatchCsv("name,fs_khz,lm_mh,rm_ohm,c0_pf\nX1,4e3,7\t0,20,4\n", "x.csv"); },
        "Cannot read the crystal batch 'x.csv', line 2: '7\\t0' in column 'lm_mh' is not a number",
        "Не удалось прочитать файл партии кварцев «x.csv», строка 2: «7\\t0» в столбце «lm_mh» - "
        "не число");
    expectRefusal([] { readTouchstone("! sweep\n# MHz S MA R 50 Q\n", "X1.s2p"); },
                  "Cannot read the Touchstone file 'X1.s2p', line 2: the option line has the "
                  "unknown word 'Q'",
                  "Не удалось прочитать файл Touchstone «X1.s2p», строка 2: в строке параметров "
                  "неизвестное слово «Q»");
    // The loss falls across the whole sweep: its least value lies at the edge.
    TwoPortData sweep;
    for (int i = 0; i < 20; ++i) {
        sweep.frequencyHz.push_back(4e6 + i * 100.0);
        sweep.s21.push_back({0.01 * (i + 1), 0});
    }
    sweep.s11 = sweep.s12 = sweep.s22 = sweep.s21;
    expectRefusal([&] { fitCrystalSweep(sweep, "X1.s2p", {}); },
                  "Cannot fit the crystal in 'X1.s2p': the sweep holds no resonance: its least "
                  "loss lies at its edge",
                  "Не удалось подобрать кварц по файлу «X1.s2p»: в измерении нет резонанса: "
                  "наименьшие потери на его краю");
}

void FailureTextTest::everyPhraseHasATranslationWithItsArguments() {
    std::set<std::string_view> ids;
    for (const auto& table : {std::span<const PhraseTemplate>(kReadPhrases),
                              std::span<const PhraseTemplate>(kFitPhrases),
                              std::span<const PhraseTemplate>(kCrystalPhrases),
                              std::span<const PhraseTemplate>(kOscillatorShiftPhrases)}) {
        for (const PhraseTemplate& phrase : table) {
            QVERIFY2(ids.insert(phrase.id).second, phrase.id.data());
            const auto* text =
                std::find_if(std::begin(texts::kPhrases), std::end(texts::kPhrases),
                             [&](const texts::PhraseText& t) { return phrase.id == t.id; });
            QVERIFY2(text != std::end(texts::kPhrases), phrase.id.data());
            QCOMPARE(argumentCount(text->window), argumentCount(phrase.english));
        }
    }
    QCOMPARE(ids.size(), std::size(texts::kPhrases));
}

}  // namespace trellon
