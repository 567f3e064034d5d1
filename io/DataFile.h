#pragma once

#include <array>
#include <string>

namespace trellon {

// The inputs of a design as a design file (".qua") keeps them: the field texts exactly as typed,
// in UTF-8, either decimal mark, and the two catalogue numbers.
struct DesignInputs {
    std::string Fo;     // Edit1, kHz
    std::string Ld;     // Edit3, mH
    std::string Cs;     // Edit4, pF
    std::string Rd;     // Edit6, ohm
    std::string dF;     // Edit2, Hz
    std::string level;  // Edit5, dB
    std::string Ccor;   // Edit11, pF
    int Topology = 1;
    int Response = 1;

    bool operator==(const DesignInputs&) const = default;
};

// The eleven lines of the design file last read or written, kept for the whole run: lines 6 and
// 7 are reserved, and a save writes them back byte for byte as they were last read (empty
// before any load). The format is described in docs/design-file.md.
class DataFileLines {
public:
    static constexpr int kCount = 11;

    // Reads the file and checks it whole before anything is kept: lines 10 and 11 must be a
    // topology number and a response number of the catalogue. Accepts CR LF and LF line ends;
    // missing lines read as empty and lines after the eleventh are ignored. A line is read as UTF-8
    // when it is valid UTF-8 and as Windows-1251 otherwise. Throws CommandError naming the file and
    // the reason, leaving the lines as they were.
    DesignInputs load(const std::string& path);

    // Takes every line but the reserved ones from the inputs and writes the eleven lines in
    // UTF-8 with CR LF. The file is replaced at once or not at all: a failed save leaves any
    // previous file as it was and throws CommandError naming the file and the reason.
    void save(const std::string& path, const DesignInputs& inputs);

    // Line 1..11 as UTF-8; the reserved lines 6 and 7 as the bytes read.
    const std::string& line(int number) const { return lines_.at(number - 1); }

private:
    std::array<std::string, kCount> lines_;
};

// The name a design is saved under: the chosen name with ".qua" appended unless it already ends
// in it, in any letter case.
std::string DataFileNameForSaving(const std::string& chosenName);

}  // namespace trellon
