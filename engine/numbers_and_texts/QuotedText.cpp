#include "QuotedText.h"

namespace trellon {

std::string quotedWith(std::string_view text, std::string_view open, std::string_view close,
                       std::string_view bytes) {
    constexpr std::size_t kLongest = 80;
    const std::size_t length = text.size();
    if (length > kLongest) {
        // Cut before a UTF-8 continuation byte, never inside a character.
        std::size_t cut = kLongest;
        while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) {
            --cut;
        }
        text = text.substr(0, cut);
    }
    static constexpr char kHexDigits[] = "0123456789ABCDEF";
    std::string out(open);
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\0') {
            out += "\\0";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else if (byte < 0x20 || byte == 0x7F) {
            out += "\\x";
            out += kHexDigits[byte >> 4];
            out += kHexDigits[byte & 0xF];
        } else {
            out += c;
        }
    }
    out += close;
    if (length > kLongest) {
        out += "... (" + std::to_string(length) + " " + std::string(bytes) + ")";
    }
    return out;
}

std::string quoted(std::string_view text) {
    return quotedWith(text, "'", "'", "bytes");
}

}  // namespace trellon
