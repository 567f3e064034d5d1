#include "SweepCsv.h"

#include <array>
#include <cmath>
#include <numbers>

#include "CsvFields.h"
#include "NumberText.h"
#include "ReadPhrases.h"

namespace trellon {

namespace {

constexpr std::string_view kKind = "sweep CSV";

enum Column { kHz, kKhz, kMhz, kS21, kLoss, kPhase, kColumnCount };
constexpr std::array<std::string_view, kColumnCount> kColumns = {
    "frequency_hz", "frequency_khz", "frequency_mhz", "s21_db", "loss_db", "phase_deg"};
constexpr std::array<double, 3> kUnitHz = {1, 1e3, 1e6};
constexpr double kDegree = std::numbers::pi / 180;

class Reader {
public:
    explicit Reader(std::string_view fileName) : table_(kKind, fileName) {}

    MeasuredSweep read(const std::vector<NumberedLine>& lines, std::size_t headerIndex) {
        readHeader(lines[headerIndex]);
        for (std::size_t i = headerIndex + 1; i < lines.size(); ++i) {
            if (!trimmed(lines[i].text).empty()) {
                readPoint(lines[i]);
            }
        }
        if (sweep_.data.frequencyHz.empty()) {
            table_.fail(0, readPhrase("ts-no-data"));
        }
        return std::move(sweep_);
    }

private:
    // The one column of the given ones that the header has, or -1 when it has none; two are
    // refused.
    int oneOf(const NumberedLine& line, const std::vector<int>& found, Column first, Column last,
              const PhraseTemplate& reason) {
        int position = -1;
        int unit = -1;
        for (int c = first; c <= last; ++c) {
            if (found[c] >= 0) {
                if (position >= 0) {
                    table_.fail(line.number, reason);
                }
                position = found[c];
                unit = c;
            }
        }
        if (position < 0) {
            table_.fail(line.number, reason);
        }
        if (first == kHz) {
            unitHz_ = kUnitHz[unit];
        } else {
            loss_ = unit == kLoss;
        }
        return position;
    }

    void readHeader(const NumberedLine& line) {
        table_.readHeader(line);
        const std::vector<int> found = table_.columns(kColumns, true);
        frequency_ = oneOf(line, found, kHz, kMhz, readPhrase("sweep-csv-frequency-column"));
        level_ = oneOf(line, found, kS21, kLoss, readPhrase("sweep-csv-level-column"));
        phase_ = found[kPhase];
        sweep_.hasPhase = phase_ >= 0;
    }

    void readPoint(const NumberedLine& line) {
        const std::vector<std::string> row = table_.row(line);
        const double frequency = table_.number(line, row, frequency_) * unitHz_;
        if (!(frequency > 0) || !std::isfinite(frequency)) {
            table_.fail(line.number, readPhrase("ts-frequency-range"));
        }
        std::vector<double>& frequencies = sweep_.data.frequencyHz;
        if (!frequencies.empty() && frequency == frequencies.back()) {
            table_.fail(line.number, readPhrase("ts-frequency-repeats"));
        }
        if (!frequencies.empty() && frequency < frequencies.back()) {
            table_.fail(line.number, readPhrase("ts-frequencies-order"));
        }
        const double level = table_.number(line, row, level_);
        // The sign is the mistake people make: a loss written as a gain is refused, not mended.
        if (loss_ ? level < 0 : level > 0) {
            table_.fail(line.number,
                        loss_ ? readPhrase("sweep-csv-loss-negative")
                              : readPhrase("sweep-csv-s21-positive"),
                        {{FormatShortest(level)}});
        }
        const double magnitude = std::pow(10, (loss_ ? -level : level) / 20);
        const double angle = phase_ >= 0 ? table_.number(line, row, phase_) * kDegree : 0;
        frequencies.push_back(frequency);
        sweep_.data.s21.push_back({magnitude * std::cos(angle), magnitude * std::sin(angle)});
    }

    CsvTable table_;
    MeasuredSweep sweep_;
    int frequency_ = -1;
    int level_ = -1;
    int phase_ = -1;
    double unitHz_ = 1;
    bool loss_ = false;
};

}  // namespace

MeasuredSweep readSweepCsv(std::string_view bytes, std::string_view fileName) {
    const FilledCsvLines csv = filledCsvLines(bytes, kKind, fileName);
    return Reader(fileName).read(csv.lines, csv.first);
}

}  // namespace trellon
