#include "NumberText.h"

#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

#include "CommandError.h"
#include "QuotedText.h"

namespace trellon {

std::string NormalizeDecimalSeparator(std::string_view text, char decimalSeparator) {
    std::string result(text);
    char from = 0;
    if (decimalSeparator == ',') {
        from = '.';
    } else if (decimalSeparator == '.') {
        from = ',';
    } else {
        return result;
    }
    for (char& c : result) {
        if (c == from) {
            c = decimalSeparator;
        }
    }
    return result;
}

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    return text;
}

// Checks the grammar and rewrites the number with a point, the form from_chars reads.
bool toPlainNumber(std::string_view text, char decimalSeparator, std::string& plain) {
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-') {
            plain += '-';
        }
        ++i;
    }
    int mantissaDigits = 0;
    for (; i < text.size() && isDigit(text[i]); ++i, ++mantissaDigits) {
        plain += text[i];
    }
    if (i < text.size() && text[i] == decimalSeparator) {
        plain += '.';
        for (++i; i < text.size() && isDigit(text[i]); ++i, ++mantissaDigits) {
            plain += text[i];
        }
    }
    if (mantissaDigits == 0) {
        return false;
    }
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        plain += 'e';
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            plain += text[i];
            ++i;
        }
        int exponentDigits = 0;
        for (; i < text.size() && isDigit(text[i]); ++i, ++exponentDigits) {
            plain += text[i];
        }
        if (exponentDigits == 0) {
            return false;
        }
    }
    return i == text.size();
}

}  // namespace

double TextToFloat(std::string_view text, char decimalSeparator) {
    std::string plain;
    double value = 0;
    if (toPlainNumber(trimBlanks(text), decimalSeparator, plain)) {
        const char* end = plain.data() + plain.size();
        const auto [ptr, ec] = std::from_chars(plain.data(), end, value);
        if (ec == std::errc() && ptr == end) {
            return value;
        }
    }
    throw CommandError(quoted(text) + " is not a valid floating point value");
}

double TypedNumber(std::string_view text, char decimalSeparator) {
    return TextToFloat(NormalizeDecimalSeparator(text, decimalSeparator), decimalSeparator);
}

int TextToInt(std::string_view text) {
    const std::string_view trimmed = trimBlanks(text);
    std::string_view digits = trimmed;
    if (!digits.empty() && digits.front() == '+') {
        digits.remove_prefix(1);
    }
    int value = 0;
    const char* end = digits.data() + digits.size();
    const auto [ptr, ec] = std::from_chars(digits.data(), end, value);
    if (digits.empty() || ec != std::errc() || ptr != end) {
        throw CommandError(quoted(text) + " is not a valid integer value");
    }
    return value;
}

namespace {

// The exact decimal digits of a finite, non-zero |value| and its exponent e, such that
// |value| = 0.d1d2... x 10^e.
void exactDigits(double magnitude, std::string& digits, int& exponent) {
    // 767 significant digits hold the exact value of every double.
    char buffer[800];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, magnitude,
                                      std::chars_format::scientific, 770);
    const std::string_view text(buffer, result.ptr - buffer);
    const std::size_t ePos = text.find('e');
    digits.clear();
    for (char c : text.substr(0, ePos)) {
        if (isDigit(c)) {
            digits += c;
        }
    }
    int scientificExponent = 0;
    std::string_view expText = text.substr(ePos + 1);
    if (!expText.empty() && expText.front() == '+') {
        expText.remove_prefix(1);
    }
    std::from_chars(expText.data(), expText.data() + expText.size(), scientificExponent);
    exponent = scientificExponent + 1;
}

// Rounds the digit string half away from zero to `precision` digits, dropping trailing zeros.
void roundDigits(std::string& digits, int& exponent, int precision) {
    if (static_cast<int>(digits.size()) > precision) {
        const bool roundUp = digits[precision] >= '5';
        digits.resize(precision);
        if (roundUp) {
            int i = precision - 1;
            while (i >= 0 && digits[i] == '9') {
                digits[i] = '0';
                --i;
            }
            if (i < 0) {
                digits.insert(digits.begin(), '1');
                digits.pop_back();
                ++exponent;
            } else {
                ++digits[i];
            }
        }
    }
    while (digits.size() > 1 && digits.back() == '0') {
        digits.pop_back();
    }
}

}  // namespace

std::string FormatGeneral(double value, int precision, char decimalSeparator) {
    const std::string sign = std::signbit(value) && value != 0 ? "-" : "";
    if (std::isnan(value)) {
        return sign + "NAN";
    }
    if (std::isinf(value)) {
        return sign + "INF";
    }
    if (value == 0) {
        return "0";
    }
    std::string digits;
    int e = 0;
    exactDigits(std::fabs(value), digits, e);
    roundDigits(digits, e, precision);
    const int count = static_cast<int>(digits.size());

    std::string out = sign;
    if (e >= -3 && e <= precision) {
        if (e <= 0) {
            out += '0';
        } else {
            out += digits.substr(0, std::min(e, count));
            out.append(std::max(0, e - count), '0');
        }
        if (count > std::max(e, 0)) {
            out += decimalSeparator;
            out.append(std::max(0, -e), '0');
            out += digits.substr(std::max(e, 0));
        }
        return out;
    }
    out += digits[0];
    if (count > 1) {
        out += decimalSeparator;
        out += digits.substr(1);
    }
    out += 'E';
    out += std::to_string(e - 1);
    return out;
}

std::string FormatExact(double value) {
    return FormatGeneral(value, 17, '.');
}

std::string FormatShortest(double value) {
    if (!std::isfinite(value)) {
        return FormatExact(value);
    }
    // A whole number of up to 15 digits keeps its digits before the point: 510, not 5.1E2.
    const int integerDigits =
        value == 0 ? 1 : static_cast<int>(std::floor(std::log10(std::fabs(value)))) + 1;
    const int fewest = integerDigits >= 1 && integerDigits <= 15 ? integerDigits : 1;
    for (int precision = fewest; precision < 17; ++precision) {
        std::string text = FormatGeneral(value, precision, '.');
        if (TextToFloat(text, '.') == value) {
            return text;
        }
    }
    return FormatExact(value);
}

}  // namespace trellon
