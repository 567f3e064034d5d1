#include "Touchstone.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numbers>
#include <optional>
#include <stdexcept>

#include "CommandError.h"
#include "NumberText.h"
#include "QuotedText.h"
#include "ReadPhrases.h"
#include "TextReading.h"

namespace trellon {

namespace {

constexpr std::string_view kKind = "Touchstone file";
constexpr int kRecordSize = 9;
constexpr double kDegree = std::numbers::pi / 180;

std::vector<std::string_view> tokens(std::string_view text) {
    std::vector<std::string_view> words;
    std::size_t position = 0;
    while (true) {
        position = text.find_first_not_of(" \t", position);
        if (position == std::string_view::npos) {
            return words;
        }
        const std::size_t end = text.find_first_of(" \t", position);
        words.push_back(text.substr(position, end - position));
        if (end == std::string_view::npos) {
            return words;
        }
        position = end;
    }
}

// "[Version]" from "[Version] 2.0", and "[Version" from an unclosed "[Version 2.0"; shown as
// it is unless it needs quoting.
PhraseArgument keywordOf(std::string_view text) {
    const std::size_t close = text.find(']');
    const std::string_view keyword = close != std::string_view::npos
                                         ? text.substr(0, close + 1)
                                         : text.substr(0, text.find_first_of(" \t"));
    return {std::string(keyword), quoted(keyword) != "'" + std::string(keyword) + "'"};
}

struct Options {
    double unitHz = 1e9;
    TouchstoneFormat format = TouchstoneFormat::MagnitudeAngle;
    double referenceOhm = 50;
};

class Reader {
public:
    explicit Reader(std::string_view fileName) : fileName_(fileName) {}

    TwoPortData read(std::string_view bytes) {
        for (const NumberedLine& line : splitLines(bytes)) {
            std::string_view text = line.text.substr(0, line.text.find('!'));
            text = trimmed(text);
            if (text.empty()) {
                continue;
            }
            if (text.front() == '[') {
                fail(line.number, readPhrase("ts-version-2"), {keywordOf(text)});
            }
            if (text.front() == '#') {
                readOptions(line.number, text.substr(1));
                continue;
            }
            for (std::string_view token : tokens(text)) {
                addNumber(line.number, token);
            }
            checkLineEnd(line.number);
        }
        if (filled_ != 0) {
            fail(recordLine_, readPhrase("ts-short-record"), {{std::to_string(filled_)}});
        }
        if (data_.frequencyHz.empty()) {
            failOnFile(kKind, fileName_, {{&readPhrase("ts-no-data"), {}}});
        }
        data_.referenceOhm = options_.referenceOhm;
        return data_;
    }

private:
    [[noreturn]] void fail(int line, const PhraseTemplate& reason,
                           std::vector<PhraseArgument> arguments = {}) {
        failOnLine(kKind, fileName_, line, {{&reason, std::move(arguments)}});
    }

    void readOptions(int line, std::string_view text) {
        if (seenOptions_) {
            fail(line, readPhrase("ts-second-options"));
        }
        if (seenData_) {
            fail(line, readPhrase("ts-options-after-data"));
        }
        seenOptions_ = true;
        const std::vector<std::string_view> words = tokens(text);
        for (std::size_t i = 0; i < words.size(); ++i) {
            const std::string word = lowerCase(words[i]);
            if (word == "hz" || word == "khz" || word == "mhz" || word == "ghz") {
                options_.unitHz = word == "hz"    ? 1
                                  : word == "khz" ? 1e3
                                  : word == "mhz" ? 1e6
                                                  : 1e9;
            } else if (word == "ma") {
                options_.format = TouchstoneFormat::MagnitudeAngle;
            } else if (word == "db") {
                options_.format = TouchstoneFormat::Decibel;
            } else if (word == "ri") {
                options_.format = TouchstoneFormat::RealImaginary;
            } else if (word == "s") {
            } else if (word == "y" || word == "z" || word == "h" || word == "g") {
                fail(line, readPhrase("ts-not-s"), {{std::string(words[i])}});
            } else if (word == "r") {
                const std::optional<double> ohm =
                    i + 1 < words.size() ? numberIn(words[i + 1]) : std::nullopt;
                if (!ohm || *ohm <= 0) {
                    fail(line, readPhrase("ts-no-resistance"));
                }
                options_.referenceOhm = *ohm;
                ++i;
            } else {
                fail(line, readPhrase("ts-unknown-word"), {quotedArgument(words[i])});
            }
        }
    }

    void addNumber(int line, std::string_view token) {
        const std::optional<double> value = numberIn(token);
        if (!value) {
            fail(line, readPhrase("ts-not-a-number"), {quotedArgument(token)});
        }
        seenData_ = true;
        refuseBadBreak();
        if (filled_ == 0) {
            recordLine_ = line;
        }
        record_[filled_++] = *value;
        if (filled_ == kRecordSize) {
            filled_ = 0;
            addRecord();
        }
    }

    // A record breaks only between whole parameters and after S21 at the earliest: a line of
    // "f re im" is a one-port record, not the start of a two-port one. The break is refused
    // when the record goes on; a record the file ends in says how short it is.
    void checkLineEnd(int line) {
        if (filled_ != 0 && filled_ != 5 && filled_ != 7) {
            badBreakLine_ = line;
        }
    }

    void refuseBadBreak() {
        if (badBreakLine_ != 0) {
            fail(badBreakLine_, readPhrase("ts-bad-break"), {{std::to_string(filled_)}});
        }
    }

    Complex toComplex(double first, double second) {
        switch (options_.format) {
            case TouchstoneFormat::RealImaginary:
                return {first, second};
            case TouchstoneFormat::Decibel:
                first = std::pow(10.0, first / 20);
                break;
            case TouchstoneFormat::MagnitudeAngle:
                break;
        }
        const double angle = second * kDegree;
        return {first * std::cos(angle), first * std::sin(angle)};
    }

    void addRecord() {
        const double frequency = record_[0] * options_.unitHz;
        if (!std::isfinite(frequency) || frequency < 0) {
            fail(recordLine_, readPhrase("ts-frequency-range"));
        }
        // An analyser that prints its frequencies with fewer digits than its step needs repeats
        // them: say so, the user can export again with more digits.
        if (!data_.frequencyHz.empty() && frequency == data_.frequencyHz.back()) {
            fail(recordLine_, readPhrase("ts-frequency-repeats"));
        }
        if (!data_.frequencyHz.empty() && frequency < data_.frequencyHz.back()) {
            fail(recordLine_, readPhrase("ts-frequencies-order"));
        }
        std::array<Complex, 4> values;
        for (int i = 0; i < 4; ++i) {
            values[i] = toComplex(record_[1 + 2 * i], record_[2 + 2 * i]);
            if (!std::isfinite(values[i].re) || !std::isfinite(values[i].im)) {
                fail(recordLine_, readPhrase("ts-value-range"));
            }
        }
        data_.frequencyHz.push_back(frequency);
        data_.s11.push_back(values[0]);
        data_.s21.push_back(values[1]);
        data_.s12.push_back(values[2]);
        data_.s22.push_back(values[3]);
    }

    std::string_view fileName_;
    Options options_;
    bool seenOptions_ = false;
    bool seenData_ = false;
    std::array<double, kRecordSize> record_{};
    int filled_ = 0;
    int recordLine_ = 0;
    int badBreakLine_ = 0;
    TwoPortData data_;
};

// The pair for one value; a zero magnitude in dB is written as the least normal double's.
std::array<double, 2> pairOf(Complex value, TouchstoneFormat format) {
    if (format == TouchstoneFormat::RealImaginary) {
        return {value.re, value.im};
    }
    const double magnitude = std::hypot(value.re, value.im);
    if (!std::isfinite(magnitude)) {
        throw PhrasedError({Phrase{&readPhrase("ts-write-too-large"), {}}});
    }
    const double angle = std::atan2(value.im, value.re) / kDegree;
    if (format == TouchstoneFormat::Decibel) {
        return {20 * std::log10(std::max(magnitude, std::numeric_limits<double>::min())), angle};
    }
    return {magnitude, angle};
}

}  // namespace

bool TwoPortData::operator==(const TwoPortData& other) const {
    const auto same = [](const std::vector<Complex>& a, const std::vector<Complex>& b) {
        return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                          [](Complex x, Complex y) { return x.re == y.re && x.im == y.im; });
    };
    return referenceOhm == other.referenceOhm && frequencyHz == other.frequencyHz &&
           same(s11, other.s11) && same(s21, other.s21) && same(s12, other.s12) &&
           same(s22, other.s22);
}

TwoPortData readTouchstone(std::string_view bytes, std::string_view fileName) {
    return Reader(fileName).read(bytes);
}

std::string writeTouchstone(const TwoPortData& data, TouchstoneFormat format) {
    const std::size_t count = data.frequencyHz.size();
    if (data.s11.size() != count || data.s21.size() != count || data.s12.size() != count ||
        data.s22.size() != count) {
        throw std::invalid_argument("every S-parameter needs one value per frequency");
    }
    const char* formatName = format == TouchstoneFormat::RealImaginary ? "RI"
                             : format == TouchstoneFormat::Decibel     ? "DB"
                                                                       : "MA";
    std::string text = "! Two-port S-parameters written by Trellon\n";
    text += "! f, S11, S21, S12, S22\n";
    text += "# Hz S " + std::string(formatName) + " R " + FormatExact(data.referenceOhm) + "\n";
    for (std::size_t i = 0; i < count; ++i) {
        text += FormatExact(data.frequencyHz[i]);
        for (const Complex value : {data.s11[i], data.s21[i], data.s12[i], data.s22[i]}) {
            for (const double number : pairOf(value, format)) {
                text += ' ';
                text += FormatExact(number);
            }
        }
        text += '\n';
    }
    return text;
}

}  // namespace trellon
