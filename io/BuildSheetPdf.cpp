#include "BuildSheetPdf.h"

#include <vector>

#include "BuildSheetRows.h"
#include "NumberText.h"
#include "PdfPages.h"

namespace trellon {

namespace {

constexpr double kMargin = 50;
constexpr double kTableSize = 8.5;
constexpr double kCharWidth = 0.6 * kTableSize;  // Courier's advance
constexpr double kRowHeight = 13;

// The table's columns, in characters of the fixed font; the last takes the rest of the line.
constexpr int kColumns[] = {10, 12, 10, 16, 6, 12};
constexpr const char* kHeads[] = {"Part",  "Kind", "Design",        "Fitted",
                                  "Stray", "Unit", "Crystal / note"};
constexpr int kLastColumnWidth = 28;

std::string number(const std::optional<double>& value) {
    return value ? FormatGeneral(*value, 4, '.') : std::string();
}

std::vector<std::string> cells(const BuildSheetRow& row) {
    std::string fitted = number(row.fitted);
    if (row.fittedParallel) {
        fitted += " || " + number(row.fittedParallel);
    }
    return {row.part,
            row.kind,
            number(row.design),
            fitted,
            number(row.strayPf),
            row.unit,
            row.crystal.empty() ? row.note : row.crystal};
}

// `text` in pieces of at most `width` characters, broken at spaces where it can be.
std::vector<std::string> wrapped(const std::string& text, std::size_t width) {
    std::vector<std::string> lines;
    std::string rest = text;
    while (rest.size() > width) {
        std::size_t cut = rest.rfind(' ', width);
        cut = cut == std::string::npos || cut == 0 ? width : cut;
        lines.push_back(rest.substr(0, cut));
        rest = rest.substr(rest[cut] == ' ' ? cut + 1 : cut);
    }
    lines.push_back(rest);
    return lines;
}

// Writes lines down the pages, starting a new page at the bottom margin.
class SheetWriter {
public:
    void line(const std::string& text, double size, PdfPages::Font font) {
        room(size * 1.5);
        pdf.text(kMargin, y_, size, font, text);
    }
    void row(const std::vector<std::string>& cells, PdfPages::Font font) {
        const std::vector<std::string> last = wrapped(cells.back(), kLastColumnWidth);
        room(kRowHeight * static_cast<double>(last.size()));
        double x = kMargin;
        for (std::size_t i = 0; i + 1 < cells.size(); ++i) {
            pdf.text(x, y_, kTableSize, font, cells[i]);
            x += kColumns[i] * kCharWidth;
        }
        for (std::size_t i = 0; i < last.size(); ++i) {
            pdf.text(x, y_ + kRowHeight * static_cast<double>(i), kTableSize, font, last[i]);
        }
        y_ += kRowHeight * static_cast<double>(last.size() - 1);
        rule();
    }
    void rule() {
        const double at = y_ + 4.5;  // halfway between the descenders and the next line
        pdf.line(kMargin, at, PdfPages::kWidth - kMargin, at);
    }
    void gap(double points) { y_ += points; }

    PdfPages pdf;

private:
    // Moves down by `height`, onto a new page when the line would not fit.
    void room(double height) {
        if (y_ + height > PdfPages::kHeight - kMargin) {
            pdf.newPage();
            y_ = kMargin;
        }
        y_ += height;
    }
    double y_ = kMargin;
};

}  // namespace

std::string buildSheetPdf(std::span<const std::string> headLines, const BenchCircuit& bench,
                          std::span<const std::string> crystalNames,
                          std::span<const std::string> tailLines) {
    SheetWriter sheet;
    sheet.line("Build sheet", 16, PdfPages::Font::Bold);
    sheet.gap(4);
    for (const std::string& line : headLines) {
        sheet.line(line, 10, PdfPages::Font::Regular);
    }
    sheet.gap(8);
    sheet.row({std::begin(kHeads), std::end(kHeads)}, PdfPages::Font::Fixed);
    for (const BuildSheetRow& row : buildSheetRows(bench, crystalNames)) {
        sheet.row(cells(row), PdfPages::Font::Fixed);
    }
    sheet.gap(8);
    for (const std::string& line : tailLines) {
        sheet.line(line, kTableSize, PdfPages::Font::Fixed);
    }
    return sheet.pdf.bytes("Build sheet");
}

}  // namespace trellon
