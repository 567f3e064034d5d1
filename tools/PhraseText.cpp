#include "PhraseText.h"

#include <QString>
#include <span>

#include "texts/AnyOrderTexts.h"
#include "texts/FailureTexts.h"
#include "texts/FileContentTexts.h"
#include "texts/ProjectFileTexts.h"

namespace trellon {

namespace {

constexpr QuoteMarks kWindowQuotes{texts::kOpenQuote, texts::kCloseQuote, texts::kBytes};

std::string_view windowTemplate(const PhraseTemplate& phrase) {
    for (const auto& table : {std::span<const texts::PhraseText>(texts::kPhrases),
                              std::span<const texts::PhraseText>(texts::kProjectPhrases),
                              std::span<const texts::PhraseText>(texts::kAnyOrderPhrases)}) {
        for (const texts::PhraseText& text : table) {
            if (phrase.id == text.id) {
                return text.window;
            }
        }
    }
    return phrase.english;
}

}  // namespace

std::string windowText(const std::vector<Phrase>& phrases) {
    std::string text;
    for (const Phrase& phrase : phrases) {
        if (!text.empty()) {
            text += ": ";
        }
        const bool english = windowTemplate(*phrase.text) == phrase.text->english;
        text += filledTemplate(windowTemplate(*phrase.text), phrase.arguments,
                               english ? kEnglishQuotes : kWindowQuotes);
    }
    return text;
}

std::string windowText(const FileContentError& failure) {
    const char* kind = nullptr;
    for (const texts::FileKindText& known : texts::kFileKinds) {
        if (failure.kind() == known.engine) {
            kind = known.window;
        }
    }
    if (kind == nullptr) {
        return failure.what();
    }
    const QString reason = QString::fromStdString(windowText(failure.reason()));
    const QString file = QString::fromStdString(failure.fileName());
    const QString text =
        failure.line() > 0
            ? QString::fromUtf8(texts::kCannotReadLine)
                  .arg(QString::fromUtf8(kind), file, QString::number(failure.line()), reason)
            : QString::fromUtf8(texts::kCannotRead).arg(QString::fromUtf8(kind), file, reason);
    return text.toStdString();
}

}  // namespace trellon
