#pragma once

#include <QString>
#include <array>

namespace trellon {

// The inputs of a design as a design file (".qua") keeps them: the field texts exactly as typed,
// either decimal mark, and the two catalogue numbers.
struct DesignInputs {
    QString Fo;     // Edit1, kHz
    QString Ld;     // Edit3, mH
    QString Cs;     // Edit4, pF
    QString Rd;     // Edit6, ohm
    QString dF;     // Edit2, Hz
    QString level;  // Edit5, dB
    QString Ccor;   // Edit11, pF
    int Topology = 1;
    int Response = 1;
};

// The eleven lines of the design file last read or written, kept for the whole run: lines 6 and
// 7 are reserved, and a save writes them back as they were last read (empty before any load).
class DataFileLines {
public:
    static constexpr int kCount = 11;

    // Reads the file and checks it whole before anything is kept: lines 10 and 11 must be a
    // topology number 1..7 and a response number 1..8. Accepts CR LF and LF line ends; missing
    // lines read as empty and lines after the eleventh are ignored. Throws CommandError naming
    // the file and the reason, leaving the lines as they were.
    DesignInputs load(const QString& path);

    // Takes every line but the reserved ones from the inputs and writes the eleven lines with
    // CR LF. The file is replaced at once or not at all: a failed save leaves any previous file
    // as it was and throws CommandError naming the file and the reason.
    void save(const QString& path, const DesignInputs& inputs);

    // Line 1..11.
    const QString& line(int number) const { return lines_.at(number - 1); }

private:
    std::array<QString, kCount> lines_;
};

// The name a design is saved under: the chosen name with ".qua" appended unless it already ends
// in it, in any letter case.
QString DataFileNameForSaving(const QString& chosenName);

}  // namespace trellon
