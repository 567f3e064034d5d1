#include "FailureTextTest.h"

#include <QTest>
#include <algorithm>
#include <functional>
#include <set>
#include <span>

#include "AnyOrderPhrases.h"
#include "CrystalBatchCsv.h"
#include "CrystalSweepFit.h"
#include "FailureText.h"
#include "FitPhrases.h"
#include "OscillatorShiftPhrases.h"
#include "ProjectFile.h"
#include "ProjectPhrases.h"
#include "ReadPhrases.h"
#include "Touchstone.h"
#include "texts/AnyOrderTexts.h"
#include "texts/FileContentTexts.h"
#include "texts/ProjectFileTexts.h"

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
    // A stored value out of its setting's range, and a crystal the batch cannot hold.
    std::string project = writeProjectFile({});
    const std::size_t value = project.find("\"samples\": ") + 11;
    project.replace(value, project.find(',', value) - value, "0");
    expectRefusal([&] { readProjectFile(project, "p.json"); },
                  "Cannot read the project file 'p.json': the field 'spreads.samples' must be a "
                  "whole number from 1 to 1000000",
                  "Не удалось прочитать файл проекта «p.json»: поле «spreads.samples» должно быть "
                  "целым числом от 1 до 1000000");
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
    std::vector<texts::PhraseText> windowTexts(std::begin(texts::kPhrases),
                                               std::end(texts::kPhrases));
    windowTexts.insert(windowTexts.end(), std::begin(texts::kProjectPhrases),
                       std::end(texts::kProjectPhrases));
    windowTexts.insert(windowTexts.end(), std::begin(texts::kAnyOrderPhrases),
                       std::end(texts::kAnyOrderPhrases));
    for (const auto& table : {std::span<const PhraseTemplate>(kReadPhrases),
                              std::span<const PhraseTemplate>(kFitPhrases),
                              std::span<const PhraseTemplate>(kCrystalPhrases),
                              std::span<const PhraseTemplate>(kProjectPhrases),
                              std::span<const PhraseTemplate>(kOscillatorShiftPhrases),
                              std::span<const PhraseTemplate>(kAnyOrderPhrases)}) {
        for (const PhraseTemplate& phrase : table) {
            QVERIFY2(ids.insert(phrase.id).second, phrase.id.data());
            const auto text =
                std::find_if(windowTexts.begin(), windowTexts.end(),
                             [&](const texts::PhraseText& t) { return phrase.id == t.id; });
            QVERIFY2(text != windowTexts.end(), phrase.id.data());
            QCOMPARE(argumentCount(text->window), argumentCount(phrase.english));
        }
    }
    QCOMPARE(ids.size(), windowTexts.size());
}

}  // namespace trellon
