#pragma once

#include <cctype>
#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace trellon {

// One JSON value as a strict reader found it, for checking machine output.
struct JsonValue {
    enum class Kind { Literal, Number, String, Array, Object };
    Kind kind = Kind::Literal;
    std::string text;                // as written, without a string's quotes or unescaping
    std::vector<std::string> names;  // an object's member names, in order
    std::vector<JsonValue> items;    // an array's elements or an object's member values

    const JsonValue* member(const std::string& name) const {
        for (std::size_t i = 0; i < names.size(); ++i) {
            if (names[i] == name) {
                return &items[i];
            }
        }
        return nullptr;
    }
};

// Reads a text that must hold exactly one JSON value (RFC 8259) with white space around it;
// throws std::runtime_error at the first thing that does not belong.
class JsonReader {
public:
    static JsonValue read(std::string_view text) {
        JsonReader reader(text);
        JsonValue value = reader.value();
        reader.skipSpace();
        reader.require(reader.at_ == text.size(), "text after the value");
        return value;
    }

private:
    explicit JsonReader(std::string_view text) : text_(text) {}

    void require(bool condition, const char* what) const {
        if (!condition) {
            throw std::runtime_error(std::string(what) + " at offset " + std::to_string(at_));
        }
    }
    char peek() const { return at_ < text_.size() ? text_[at_] : '\0'; }
    bool isDigit() const { return peek() >= '0' && peek() <= '9'; }
    bool skip(char c) { return peek() == c && ++at_; }
    void expect(char c) { require(skip(c), "unexpected character"); }
    void skipSpace() {
        while (skip(' ') || skip('\t') || skip('\n') || skip('\r')) {
        }
    }
    void digits() {
        require(isDigit(), "digit expected");
        while (isDigit()) {
            ++at_;
        }
    }

    JsonValue value() {
        skipSpace();
        JsonValue v;
        const std::size_t start = at_;
        if (skip('{') || skip('[')) {
            v.kind = text_[start] == '{' ? JsonValue::Kind::Object : JsonValue::Kind::Array;
            items(v, text_[start] == '{' ? '}' : ']');
        } else if (peek() == '"') {
            v.kind = JsonValue::Kind::String;
            v.text = string();
        } else if (peek() == '-' || isDigit()) {
            v.kind = JsonValue::Kind::Number;
            number();
            v.text = text_.substr(start, at_ - start);
        } else {
            for (std::string_view word : {"true", "false", "null"}) {
                if (text_.substr(at_).starts_with(word)) {
                    at_ += word.size();
                    v.text = word;
                    return v;
                }
            }
            require(false, "no JSON value");
        }
        return v;
    }

    void items(JsonValue& v, char close) {
        skipSpace();
        if (skip(close)) {
            return;
        }
        do {
            if (close == '}') {
                skipSpace();
                v.names.push_back(string());
                skipSpace();
                expect(':');
            }
            v.items.push_back(value());
            skipSpace();
        } while (skip(','));
        expect(close);
    }

    std::string string() {
        expect('"');
        const std::size_t start = at_;
        while (!skip('"')) {
            require(at_ < text_.size(), "unterminated string");
            require(static_cast<unsigned char>(peek()) >= 0x20, "control character in a string");
            if (skip('\\')) {
                require(std::string_view("\"\\/bfnrtu").find(peek()) != std::string_view::npos &&
                            peek() != '\0',
                        "bad escape");
                if (skip('u')) {
                    for (int i = 0; i < 4; ++i, ++at_) {
                        require(std::isxdigit(static_cast<unsigned char>(peek())) != 0,
                                "bad \\u escape");
                    }
                    continue;
                }
            }
            ++at_;
        }
        return std::string(text_.substr(start, at_ - 1 - start));
    }

    // -?(0|[1-9][0-9]*)(.[0-9]+)?([eE][+-]?[0-9]+)?
    void number() {
        skip('-');
        if (!skip('0')) {
            digits();
        }
        if (skip('.')) {
            digits();
        }
        if (skip('e') || skip('E')) {
            if (!skip('+')) {
                skip('-');
            }
            digits();
        }
    }

    std::string_view text_;
    std::size_t at_ = 0;
};

}  // namespace trellon
