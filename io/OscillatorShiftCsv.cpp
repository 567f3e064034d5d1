#include "OscillatorShiftCsv.h"

#include <algorithm>
#include <array>
#include <map>

#include "CommandError.h"
#include "CsvFields.h"
#include "OscillatorShift.h"
#include "QuotedText.h"
#include "ReadPhrases.h"

namespace trellon {

namespace {

constexpr std::string_view kKind = "crystal batch";

enum Column { kName, kF1, kF2, kCl1, kCl2, kC0, kRm, kColumnCount };
constexpr std::array<std::string_view, kColumnCount> kColumns = {
    "name", "f1_khz", "f2_khz", "cl1_pf", "cl2_pf", "c0_pf", "rm_ohm"};

class Reader {
public:
    explicit Reader(std::string_view fileName) : fileName_(fileName), table_(kKind, fileName) {}

    CrystalBatch read(const std::vector<NumberedLine>& lines, std::size_t headerIndex) {
        table_.readHeader(lines[headerIndex]);
        const std::vector<int> found = table_.columns(kColumns, false);
        for (std::size_t c = 0; c < kColumnCount; ++c) {
            if (found[c] < 0) {
                table_.fail(lines[headerIndex].number, readPhrase("csv-column-missing"),
                            {{std::string(kColumns[c])}});
            }
            position_[c] = found[c];
        }
        CrystalBatch batch;
        std::map<std::string, int, std::less<>> nameLines;
        for (std::size_t i = headerIndex + 1; i < lines.size(); ++i) {
            if (trimmed(lines[i].text).empty()) {
                continue;
            }
            MeasuredCrystal crystal = readCrystal(lines[i]);
            const auto [used, added] = nameLines.emplace(crystal.name, lines[i].number);
            if (!added) {
                table_.fail(lines[i].number, readPhrase("csv-name-used"),
                            {quotedArgument(crystal.name), {std::to_string(used->second)}});
            }
            batch.crystals.push_back(std::move(crystal));
        }
        if (batch.crystals.empty()) {
            table_.fail(0, readPhrase("csv-no-crystals"));
        }
        return batch;
    }

private:
    MeasuredCrystal readCrystal(const NumberedLine& line) {
        const std::vector<std::string> row = table_.row(line);
        const std::string& name = row[position_[kName]];
        if (name.empty()) {
            table_.fail(line.number, readPhrase("csv-value-missing"),
                        {{table_.header()[position_[kName]]}});
        }
        if (name.find('\r') != std::string::npos) {
            table_.fail(line.number, readPhrase("csv-name-line-break"));
        }
        const auto value = [&](Column column) {
            return table_.number(line, row, position_[column]);
        };
        const OscillatorShift shift{.f1Khz = value(kF1),
                                    .f2Khz = value(kF2),
                                    .cl1Pf = value(kCl1),
                                    .cl2Pf = value(kCl2),
                                    .c0Pf = value(kC0),
                                    .rmOhm = value(kRm)};
        try {
            return crystalOfOscillatorShift(shift, name);
        } catch (const PhrasedError& error) {
            failOnLine(kKind, fileName_, line.number, error.phrases());
        }
    }

    std::string_view fileName_;
    CsvTable table_;
    std::array<int, kColumnCount> position_{};
};

}  // namespace

bool holdsOscillatorShifts(std::string_view bytes) {
    const std::vector<NumberedLine> lines = splitLines(bytes);
    const std::size_t first = firstFilledLine(lines);
    if (first == lines.size()) {
        return false;
    }
    const NumberedLine& header = lines[first];
    std::vector<std::string> names;
    try {
        names = csvFields(header, csvSeparatorOf(header.text), kKind, "");
    } catch (const CommandError&) {
        return false;  // the batch's own reader names the fault
    }
    return std::any_of(names.begin(), names.end(),
                       [](const std::string& name) { return lowerCase(name) == kColumns[kF1]; });
}

CrystalBatch readOscillatorShiftCsv(std::string_view bytes, std::string_view fileName) {
    const FilledCsvLines csv = filledCsvLines(bytes, kKind, fileName);
    return Reader(fileName).read(csv.lines, csv.first);
}

}  // namespace trellon
