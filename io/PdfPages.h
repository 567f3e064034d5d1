#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace trellon {

// A few A4 pages of text and straight lines, written as PDF 1.4 in the standard fonts every
// reader has, for files made without a drawing toolkit. Only printable ASCII is drawn; any other
// byte shows as '?'. Positions are in points from the page's top left corner.
class PdfPages {
public:
    enum class Font { Regular, Bold, Fixed };  // Helvetica, Helvetica-Bold, Courier
    static constexpr double kWidth = 595.28;
    static constexpr double kHeight = 841.89;

    PdfPages() { newPage(); }
    void newPage();
    // `text` with its baseline at `y`.
    void text(double x, double y, double size, Font font, std::string_view text);
    void line(double x1, double y1, double x2, double y2, double width = 0.5);

    // The whole file: catalogue, pages, fonts and the cross-reference table.
    std::string bytes(std::string_view title) const;

private:
    std::vector<std::string> pages_;  // each page's content stream
};

}  // namespace trellon
