#include "CrystalBatchCsv.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <optional>
#include <vector>

#include "CommandError.h"
#include "CrystalFormulas.h"
#include "CsvFields.h"
#include "NumberText.h"
#include "OscillatorShiftCsv.h"
#include "QuotedText.h"
#include "ReadPhrases.h"
#include "TextReading.h"

namespace trellon {

namespace {

constexpr std::string_view kKind = "crystal batch";

// Each spurious mode takes three columns from kSpur1: its offset, Lm and Rm.
constexpr int kSpurColumns = 3;
enum Column {
    kName,
    kFs,
    kLm,
    kCm,
    kRm,
    kC0,
    kQu,
    kSpur1,
    kColumnCount = kSpur1 + kSpurColumns * kMaxSpuriousModes
};

Column spurColumn(int mode, int value) {
    return static_cast<Column>(kSpur1 + kSpurColumns * mode + value);
}

// The columns of the spurious modes, by Column from kSpur1.
constexpr std::array<std::string_view, kColumnCount - kSpur1> kSpurColumnNames = {
    "spur1_khz",    "spur1_lm_mh", "spur1_rm_ohm", "spur2_khz",   "spur2_lm_mh",
    "spur2_rm_ohm", "spur3_khz",   "spur3_lm_mh",  "spur3_rm_ohm"};

// A set's own columns, followed by the spurious modes' where the set has them.
constexpr std::array<std::string_view, kColumnCount> columnSet(
    std::array<std::string_view, kSpur1> own, bool spurious) {
    std::array<std::string_view, kColumnCount> names{};
    std::copy(own.begin(), own.end(), names.begin());
    if (spurious) {
        std::copy(kSpurColumnNames.begin(), kSpurColumnNames.end(), names.begin() + kSpur1);
    }
    return names;
}

// The header names of each set of columns, by Column; empty where a set has no such column.
constexpr std::array<std::string_view, kColumnCount> kProgramColumns =
    columnSet({"name", "fs_khz", "lm_mh", "cm_ff", "rm_ohm", "c0_pf", ""}, true);
constexpr std::array<std::string_view, kColumnCount> kSiColumns =
    columnSet({"xtal", "fs", "lm", "cm", "rm", "co", "qu"}, false);

class Reader {
public:
    explicit Reader(std::string_view fileName) : fileName_(fileName) {}

    CrystalBatch read(std::string_view bytes) {
        const std::vector<NumberedLine> lines = splitLines(bytes);
        std::size_t i = 0;
        while (i < lines.size() && trimmed(lines[i].text).empty()) {
            ++i;
        }
        if (i == lines.size()) {
            failOnFile(kKind, fileName_, {{&readPhrase("csv-empty"), {}}});
        }
        readHeader(lines[i]);
        CrystalBatch batch;
        std::map<std::string, int, std::less<>> nameLines;
        for (++i; i < lines.size(); ++i) {
            if (trimmed(lines[i].text).empty()) {
                continue;
            }
            MeasuredCrystal crystal = readCrystal(lines[i]);
            const auto [found, added] = nameLines.emplace(crystal.name, lines[i].number);
            if (!added) {
                fail(lines[i].number, readPhrase("csv-name-used"),
                     {quotedArgument(crystal.name), {std::to_string(found->second)}});
            }
            batch.crystals.push_back(std::move(crystal));
        }
        if (batch.crystals.empty()) {
            failOnFile(kKind, fileName_, {{&readPhrase("csv-no-crystals"), {}}});
        }
        return batch;
    }

private:
    [[noreturn]] void fail(int line, const PhraseTemplate& reason,
                           std::vector<PhraseArgument> arguments = {}) {
        failOnLine(kKind, fileName_, line, {{&reason, std::move(arguments)}});
    }

    std::vector<std::string> fields(const NumberedLine& line) {
        return csvFields(line, separator_, kKind, fileName_);
    }

    void readHeader(const NumberedLine& line) {
        separator_ = csvSeparatorOf(line.text);
        header_ = fields(line);
        std::vector<std::string> names;
        for (const std::string& field : header_) {
            names.push_back(lowerCase(field));
        }
        const auto has = [&](std::string_view name) {
            return std::find(names.begin(), names.end(), name) != names.end();
        };
        if (has("name")) {
            columnNames_ = &kProgramColumns;
        } else if (has("xtal")) {
            columnNames_ = &kSiColumns;
        } else {
            fail(line.number, readPhrase("csv-no-name-column"));
        }
        position_.fill(-1);
        for (std::size_t f = 0; f < names.size(); ++f) {
            const auto known = std::find(columnNames_->begin(), columnNames_->end(), names[f]);
            if (names[f].empty() || known == columnNames_->end()) {
                fail(line.number, readPhrase("csv-unknown-column"), {quotedArgument(header_[f])});
            }
            int& position = position_[known - columnNames_->begin()];
            if (position >= 0) {
                fail(line.number, readPhrase("csv-column-twice"), {quotedArgument(header_[f])});
            }
            position = static_cast<int>(f);
        }
        for (const Column column : {kFs, kRm, kC0}) {
            if (position_[column] < 0) {
                fail(line.number, readPhrase("csv-column-missing"),
                     {{std::string((*columnNames_)[column])}});
            }
        }
        for (int mode = 0; mode < kMaxSpuriousModes; ++mode) {
            // A spurious mode's columns come all three or not at all.
            for (int v = 0; v < kSpurColumns; ++v) {
                if (position_[spurColumn(mode, v)] < 0 &&
                    position_[spurColumn(mode, (v + 1) % kSpurColumns)] >= 0) {
                    fail(line.number, readPhrase("csv-column-missing"),
                         {{std::string((*columnNames_)[spurColumn(mode, v)])}});
                }
            }
        }
        if (position_[kLm] < 0 && (columnNames_ == &kSiColumns || position_[kCm] < 0)) {
            if (columnNames_ == &kSiColumns) {
                fail(line.number, readPhrase("csv-column-missing"), {{"lm"}});
            }
            fail(line.number, readPhrase("csv-columns-missing"), {{"lm_mh"}, {"cm_ff"}});
        }
    }

    // The number in the column, or nothing where the file has no such column or, with
    // allowEmpty, the value is left out.
    std::optional<double> value(const NumberedLine& line, const std::vector<std::string>& row,
                                Column column, bool allowEmpty = false) {
        const int position = position_[column];
        if (position < 0 || (allowEmpty && row[position].empty())) {
            return std::nullopt;
        }
        const std::string& text = row[position];
        if (text.empty()) {
            fail(line.number, readPhrase("csv-value-missing"), {{header_[position]}});
        }
        const std::optional<double> number = csvNumberIn(text, separator_);
        if (!number) {
            fail(line.number, readPhrase("csv-not-a-number"),
                 {quotedArgument(text), quotedArgument(header_[position])});
        }
        return number;
    }

    // Cm given beside Fs and Lm must agree with them within 1 %.
    void checkCm(const NumberedLine& line, double fsHz, double lmH, double cmF) {
        const double expected = motionalCapacitance(fsHz, lmH, kTwoPi);
        if (!(std::fabs(cmF - expected) <= 0.01 * expected)) {
            fail(line.number, readPhrase("csv-cm-disagrees"),
                 {{FormatGeneral(cmF * 1e15, 6, '.')}, {FormatGeneral(expected * 1e15, 6, '.')}});
        }
    }

    // The spurious modes whose three values the line gives; a mode left empty has none.
    void readSpurious(const NumberedLine& line, const std::vector<std::string>& row,
                      MeasuredCrystal& crystal) {
        for (int mode = 0; mode < kMaxSpuriousModes; ++mode) {
            std::array<std::optional<double>, kSpurColumns> values;
            int given = 0;
            for (int v = 0; v < kSpurColumns; ++v) {
                values[v] = value(line, row, spurColumn(mode, v), true);
                given += values[v] ? 1 : 0;
            }
            if (given == kSpurColumns) {
                crystal.spurious.push_back({*values[0], *values[1], *values[2]});
            } else if (given > 0) {
                std::vector<PhraseArgument> names;
                for (int v = 0; v < kSpurColumns; ++v) {
                    names.push_back({header_[position_[spurColumn(mode, v)]]});
                }
                fail(line.number, readPhrase("csv-spur-partial"), std::move(names));
            }
        }
    }

    // Whether the header's column at `position` belongs to a spurious mode.
    bool spuriousPosition(std::size_t position) const {
        for (int column = kSpur1; column < kSpur1 + kMaxSpuriousModes * kSpurColumns; ++column) {
            if (position_[column] == static_cast<int>(position)) {
                return true;
            }
        }
        return false;
    }

    MeasuredCrystal readCrystal(const NumberedLine& line) {
        std::vector<std::string> row = fields(line);
        if (row.size() > header_.size()) {
            fail(line.number, readPhrase("csv-more-values"));
        }
        // A line may end before the spurious modes' columns, as a spreadsheet writes a row
        // whose last cells are empty.
        while (row.size() < header_.size() && spuriousPosition(row.size())) {
            row.emplace_back();
        }
        if (row.size() < header_.size()) {
            fail(line.number, readPhrase("csv-value-missing"), {{header_[row.size()]}});
        }
        MeasuredCrystal crystal;
        crystal.name = row[position_[kName]];
        if (crystal.name.empty()) {
            fail(line.number, readPhrase("csv-value-missing"), {{header_[position_[kName]]}});
        }
        if (crystal.name.find('\r') != std::string::npos) {
            fail(line.number, readPhrase("csv-name-line-break"));
        }
        const double fs = *value(line, row, kFs);
        // With both lm_mh and cm_ff in the header, either may be left out on a line.
        const bool either =
            columnNames_ == &kProgramColumns && position_[kLm] >= 0 && position_[kCm] >= 0;
        const std::optional<double> lm = value(line, row, kLm, either);
        const std::optional<double> cm = value(line, row, kCm, either);
        if (!lm && !cm) {
            fail(line.number, readPhrase("csv-values-missing"),
                 {{header_[position_[kLm]]}, {header_[position_[kCm]]}});
        }
        crystal.rmOhm = *value(line, row, kRm);
        const double c0 = *value(line, row, kC0);
        if (columnNames_ == &kSiColumns) {
            crystal.fsKhz = fs / 1e3;
            crystal.lmMh = *lm * 1e3;
            crystal.c0Pf = c0 * 1e12;
        } else {
            crystal.fsKhz = fs;
            crystal.c0Pf = c0;
            if (cm && !(*cm > 0)) {
                fail(line.number, readPhrase("csv-cm-not-positive"));
            }
            crystal.lmMh = lm ? *lm : motionalCapacitance(fs * 1e3, *cm * 1e-15, kTwoPi) * 1e3;
        }
        readSpurious(line, row, crystal);
        if (const PhraseTemplate* problem = crystalRangeProblem(crystal)) {
            fail(line.number, *problem);
        }
        if (lm && cm) {
            const double scale = columnNames_ == &kSiColumns ? 1 : 1e-15;
            checkCm(line, crystal.fsKhz * 1e3, crystal.lmMh * 1e-3, *cm * scale);
        }
        return crystal;
    }

    std::string_view fileName_;
    char separator_ = ',';
    std::vector<std::string> header_;
    const std::array<std::string_view, kColumnCount>* columnNames_ = nullptr;
    std::array<int, kColumnCount> position_{};
};

std::string csvName(const std::string& name) {
    if (name.find_first_of("\r\n") != std::string::npos) {
        throw PhrasedError(
            {Phrase{&readPhrase("csv-write-name-line-break"), {quotedArgument(name)}}});
    }
    if (name.find_first_of(",;\"") == std::string::npos && trimmed(name) == name && !name.empty()) {
        return name;
    }
    std::string quoted = "\"";
    for (const char c : name) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    return quoted + '"';
}

}  // namespace

CrystalBatch readCrystalBatchCsv(std::string_view bytes, std::string_view fileName) {
    if (holdsOscillatorShifts(bytes)) {
        return readOscillatorShiftCsv(bytes, fileName);
    }
    return Reader(fileName).read(bytes);
}

std::string writeCrystalBatchCsv(const CrystalBatch& batch) {
    std::size_t modes = 0;
    for (const MeasuredCrystal& crystal : batch.crystals) {
        modes = std::max(modes, crystal.spurious.size());
    }
    std::string text = "name,fs_khz,lm_mh,rm_ohm,c0_pf";
    for (std::size_t column = 0; column < kSpurColumns * modes; ++column) {
        text += ',';
        text += kSpurColumnNames[column];
    }
    text += '\n';
    for (const MeasuredCrystal& crystal : batch.crystals) {
        text += csvName(crystal.name);
        for (const double number : {crystal.fsKhz, crystal.lmMh, crystal.rmOhm, crystal.c0Pf}) {
            text += ',';
            text += FormatExact(number);
        }
        for (std::size_t mode = 0; mode < modes; ++mode) {
            if (mode < crystal.spurious.size()) {
                const SpuriousMode& spur = crystal.spurious[mode];
                for (const double number : {spur.offsetKhz, spur.lmMh, spur.rmOhm}) {
                    text += ',';
                    text += FormatExact(number);
                }
            } else {
                text += ",,,";
            }
        }
        text += '\n';
    }
    return text;
}

}  // namespace trellon
