#include "CurveCsv.h"

#include <cmath>
#include <stdexcept>

#include "NumberText.h"

namespace trellon {

namespace {

std::string number(double value, CsvStyle style) {
    if (!std::isfinite(value)) {
        return {};
    }
    const std::string text = FormatExact(value);
    return style == CsvStyle::DecimalComma ? NormalizeDecimalSeparator(text, ',') : text;
}

std::string quoted(std::string_view text) {
    std::string result = "\"";
    for (const char c : text) {
        result += c;
        if (c == '"') {
            result += '"';
        }
    }
    return result + '"';
}

}  // namespace

std::string writeCurveCsv(const std::vector<CurveTable>& curves, std::string_view valueHeader,
                          CsvStyle style) {
    const char separator = style == CsvStyle::DecimalComma ? ';' : ',';
    std::string text =
        "\xEF\xBB\xBF"
        "curve";
    text += separator;
    text += "detuning_khz";
    text += separator;
    text += valueHeader;
    text += '\n';
    for (const CurveTable& curve : curves) {
        if (curve.values.size() != curve.detuningKhz.size()) {
            throw std::invalid_argument("a curve needs one value per detuning");
        }
        const std::string caption = quoted(curve.caption);
        for (std::size_t i = 0; i < curve.values.size(); ++i) {
            text += caption;
            text += separator;
            text += number(curve.detuningKhz[i], style);
            text += separator;
            text += number(curve.values[i], style);
            text += '\n';
        }
    }
    return text;
}

}  // namespace trellon
