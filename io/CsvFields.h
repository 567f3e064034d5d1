#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "TextReading.h"

namespace trellon {

// The pieces the program's CSV readers share. A file is a header line of column names, then one
// row a line. Columns are separated by "," with a decimal point, or by ";" with a decimal point
// or comma (the header line decides). Values may be quoted with "" for a quote inside. Faults
// throw FileContentError naming the file (`kind` and `fileName`) and the line.

// The separator the header line sets.
char csvSeparatorOf(std::string_view headerLine);

// The line's values, trimmed unless quoted.
std::vector<std::string> csvFields(const NumberedLine& line, char separator, std::string_view kind,
                                   std::string_view fileName);

// The number in a value, or nothing; with ";" between the columns a decimal comma is taken too.
std::optional<double> csvNumberIn(std::string_view text, char separator);

// The index of the first line that is not blank, or lines.size() when every line is.
std::size_t firstFilledLine(const std::vector<NumberedLine>& lines);

// A file's lines and the index of its first filled one, the header.
struct FilledCsvLines {
    std::vector<NumberedLine> lines;
    std::size_t first = 0;
};

// The lines of a CSV file; a file of blank lines is refused as empty.
FilledCsvLines filledCsvLines(std::string_view bytes, std::string_view kind,
                              std::string_view fileName);

// Where each of `names` stands in the header (any letter case), -1 for a column it lacks. A
// column named twice is refused, and so is any other column unless `othersAllowed`.
std::vector<int> csvColumnPositions(const std::vector<std::string>& header,
                                    std::span<const std::string_view> names, bool othersAllowed,
                                    const NumberedLine& line, std::string_view kind,
                                    std::string_view fileName);

// A table being read: its header and its rows, with the faults named as above.
class CsvTable {
public:
    CsvTable(std::string_view kind, std::string_view fileName) : kind_(kind), fileName_(fileName) {}

    [[noreturn]] void fail(int line, const PhraseTemplate& reason,
                           std::vector<PhraseArgument> arguments = {}) const;

    // Takes the header line: its separator and its column names.
    void readHeader(const NumberedLine& line);
    const std::vector<std::string>& header() const { return header_; }

    // csvColumnPositions of the header.
    std::vector<int> columns(std::span<const std::string_view> names, bool othersAllowed) const;

    // The row's values, one for each column of the header.
    std::vector<std::string> row(const NumberedLine& line) const;

    // The number in the row's column at `position`; a missing value or one that is not a number
    // is refused.
    double number(const NumberedLine& line, const std::vector<std::string>& row,
                  int position) const;

private:
    std::string_view kind_;
    std::string_view fileName_;
    NumberedLine headerLine_;
    char separator_ = ',';
    std::vector<std::string> header_;
};

}  // namespace trellon
