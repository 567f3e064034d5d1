#include "PdfPages.h"

#include <cstdio>

namespace trellon {

namespace {

std::string number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", value);
    return text;
}

// A PDF literal string: printable ASCII, its delimiters escaped.
std::string literal(std::string_view text) {
    std::string out = "(";
    for (char c : text) {
        if (c == '(' || c == ')' || c == '\\') {
            out += '\\';
            out += c;
        } else {
            out += c >= ' ' && c <= '~' ? c : '?';
        }
    }
    return out + ")";
}

constexpr const char* kFontNames[] = {"Helvetica", "Helvetica-Bold", "Courier"};

}  // namespace

void PdfPages::newPage() {
    pages_.emplace_back();
}

void PdfPages::text(double x, double y, double size, Font font, std::string_view text) {
    pages_.back() += "BT /F" + std::to_string(static_cast<int>(font) + 1) + " " + number(size) +
                     " Tf " + number(x) + " " + number(kHeight - y) + " Td " + literal(text) +
                     " Tj ET\n";
}

void PdfPages::line(double x1, double y1, double x2, double y2, double width) {
    pages_.back() += number(width) + " w " + number(x1) + " " + number(kHeight - y1) + " m " +
                     number(x2) + " " + number(kHeight - y2) + " l S\n";
}

std::string PdfPages::bytes(std::string_view title) const {
    // Objects: 1 catalogue, 2 page tree, 3..5 fonts, 6 information, then each page and its
    // content stream.
    constexpr int kFirstPage = 7;
    std::vector<std::string> objects;
    objects.push_back("<< /Type /Catalog /Pages 2 0 R >>");
    std::string kids;
    for (std::size_t i = 0; i < pages_.size(); ++i) {
        kids += std::to_string(kFirstPage + 2 * i) + " 0 R ";
    }
    objects.push_back("<< /Type /Pages /Kids [" + kids + "] /Count " +
                      std::to_string(pages_.size()) + " >>");
    for (const char* font : kFontNames) {
        objects.push_back("<< /Type /Font /Subtype /Type1 /BaseFont /" + std::string(font) +
                          " /Encoding /WinAnsiEncoding >>");
    }
    objects.push_back("<< /Title " + literal(title) + " /Creator (Trellon) >>");
    for (std::size_t i = 0; i < pages_.size(); ++i) {
        objects.push_back("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 " + number(kWidth) + " " +
                          number(kHeight) +
                          "] /Resources << /Font << /F1 3 0 R /F2 4 0 R /F3 5 0 R >> >> "
                          "/Contents " +
                          std::to_string(kFirstPage + 2 * i + 1) + " 0 R >>");
        objects.push_back("<< /Length " + std::to_string(pages_[i].size()) + " >>\nstream\n" +
                          pages_[i] + "endstream");
    }
    std::string out = "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n";
    std::vector<std::size_t> offsets;
    for (std::size_t i = 0; i < objects.size(); ++i) {
        offsets.push_back(out.size());
        out += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    const std::size_t xref = out.size();
    out += "xref\n0 " + std::to_string(objects.size() + 1) + "\n0000000000 65535 f \n";
    for (std::size_t offset : offsets) {
        char entry[24];
        std::snprintf(entry, sizeof entry, "%010zu 00000 n \n", offset);
        out += entry;
    }
    out += "trailer\n<< /Size " + std::to_string(objects.size() + 1) +
           " /Root 1 0 R /Info 6 0 R >>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";
    return out;
}

}  // namespace trellon
