#include "CsvFields.h"

#include <algorithm>

#include "NumberText.h"
#include "QuotedText.h"
#include "ReadPhrases.h"

namespace trellon {

char csvSeparatorOf(std::string_view headerLine) {
    return headerLine.find(';') != std::string_view::npos ? ';' : ',';
}

std::vector<std::string> csvFields(const NumberedLine& line, char separator, std::string_view kind,
                                   std::string_view fileName) {
    const auto fail = [&](const PhraseTemplate& reason) {
        failOnLine(kind, fileName, line.number, {{&reason, {}}});
    };
    std::vector<std::string> values;
    std::string_view rest = line.text;
    while (true) {
        std::string value;
        std::string_view text = rest.substr(0, rest.find(separator));
        if (trimmed(text).starts_with('"')) {
            // A quoted value runs to its closing quote, separators included.
            std::size_t position = rest.find('"') + 1;
            while (true) {
                const std::size_t quote = rest.find('"', position);
                if (quote == std::string_view::npos) {
                    fail(readPhrase("csv-quote-open"));
                }
                value.append(rest.substr(position, quote - position));
                position = quote + 1;
                if (position < rest.size() && rest[position] == '"') {
                    value += '"';
                    ++position;
                    continue;
                }
                break;
            }
            const std::size_t end = rest.find(separator, position);
            if (!trimmed(rest.substr(position, end - position)).empty()) {
                fail(readPhrase("csv-text-after-quote"));
            }
            text = rest.substr(0, end);
        } else {
            value = trimmed(text);
        }
        values.push_back(std::move(value));
        if (text.size() == rest.size()) {
            return values;
        }
        rest.remove_prefix(text.size() + 1);
    }
}

std::optional<double> csvNumberIn(std::string_view text, char separator) {
    return numberIn(separator == ';' ? NormalizeDecimalSeparator(text, '.') : std::string(text));
}

std::size_t firstFilledLine(const std::vector<NumberedLine>& lines) {
    std::size_t i = 0;
    while (i < lines.size() && trimmed(lines[i].text).empty()) {
        ++i;
    }
    return i;
}

FilledCsvLines filledCsvLines(std::string_view bytes, std::string_view kind,
                              std::string_view fileName) {
    FilledCsvLines csv{splitLines(bytes), 0};
    csv.first = firstFilledLine(csv.lines);
    if (csv.first == csv.lines.size()) {
        failOnFile(kind, fileName, {{&readPhrase("csv-empty"), {}}});
    }
    return csv;
}

std::vector<int> csvColumnPositions(const std::vector<std::string>& header,
                                    std::span<const std::string_view> names, bool othersAllowed,
                                    const NumberedLine& line, std::string_view kind,
                                    std::string_view fileName) {
    std::vector<int> positions(names.size(), -1);
    for (std::size_t f = 0; f < header.size(); ++f) {
        const std::string name = lowerCase(header[f]);
        const auto known = std::find(names.begin(), names.end(), name);
        if (name.empty() || known == names.end()) {
            if (othersAllowed) {
                continue;
            }
            failOnLine(kind, fileName, line.number,
                       {{&readPhrase("csv-unknown-column"), {quotedArgument(header[f])}}});
        }
        int& position = positions[static_cast<std::size_t>(known - names.begin())];
        if (position >= 0) {
            failOnLine(kind, fileName, line.number,
                       {{&readPhrase("csv-column-twice"), {quotedArgument(header[f])}}});
        }
        position = static_cast<int>(f);
    }
    return positions;
}

void CsvTable::fail(int line, const PhraseTemplate& reason,
                    std::vector<PhraseArgument> arguments) const {
    failOnLine(kind_, fileName_, line, {{&reason, std::move(arguments)}});
}

void CsvTable::readHeader(const NumberedLine& line) {
    headerLine_ = line;
    separator_ = csvSeparatorOf(line.text);
    header_ = csvFields(line, separator_, kind_, fileName_);
}

std::vector<int> CsvTable::columns(std::span<const std::string_view> names,
                                   bool othersAllowed) const {
    return csvColumnPositions(header_, names, othersAllowed, headerLine_, kind_, fileName_);
}

std::vector<std::string> CsvTable::row(const NumberedLine& line) const {
    std::vector<std::string> values = csvFields(line, separator_, kind_, fileName_);
    if (values.size() > header_.size()) {
        fail(line.number, readPhrase("csv-more-values"));
    }
    if (values.size() < header_.size()) {
        fail(line.number, readPhrase("csv-value-missing"), {{header_[values.size()]}});
    }
    return values;
}

double CsvTable::number(const NumberedLine& line, const std::vector<std::string>& row,
                        int position) const {
    const std::string& text = row[static_cast<std::size_t>(position)];
    const std::string& name = header_[static_cast<std::size_t>(position)];
    if (text.empty()) {
        fail(line.number, readPhrase("csv-value-missing"), {{name}});
    }
    const std::optional<double> value = csvNumberIn(text, separator_);
    if (!value) {
        fail(line.number, readPhrase("csv-not-a-number"),
             {quotedArgument(text), quotedArgument(name)});
    }
    return *value;
}

}  // namespace trellon
