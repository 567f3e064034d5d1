#include "JsonWriter.h"

#include <cmath>
#include <cstdio>

#include "NumberText.h"

namespace trellon::cli {

std::string jsonString(const std::string& text) {
    std::string quoted = "\"";
    for (unsigned char c : text) {
        switch (c) {
            case '"':
                quoted += "\\\"";
                break;
            case '\\':
                quoted += "\\\\";
                break;
            case '\n':
                quoted += "\\n";
                break;
            case '\r':
                quoted += "\\r";
                break;
            default:
                if (c < 0x20) {
                    char escape[8];
                    std::snprintf(escape, sizeof escape, "\\u%04x", c);
                    quoted += escape;
                } else {
                    quoted += static_cast<char>(c);
                }
        }
    }
    return quoted + "\"";
}

// JSON has no infinity or NaN; such a value is written as null.
std::string jsonNumber(double value) {
    return std::isfinite(value) ? FormatExact(value) : "null";
}

JsonWriter::JsonWriter(std::ostream& out) : out_(out) {
    out_ << '{';
}

void JsonWriter::name(const std::string& name) {
    out_ << (first_ ? "" : ",") << jsonString(name) << ':';
    first_ = false;
}

void JsonWriter::field(const std::string& n, const std::string& value) {
    name(n);
    out_ << jsonString(value);
}

void JsonWriter::field(const std::string& n, double value) {
    name(n);
    out_ << jsonNumber(value);
}

void JsonWriter::field(const std::string& n, const std::vector<double>& values) {
    name(n);
    out_ << '[';
    for (std::size_t i = 0; i < values.size(); ++i) {
        out_ << (i ? "," : "") << jsonNumber(values[i]);
    }
    out_ << ']';
}

void JsonWriter::field(const std::string& n, const std::vector<std::string>& values) {
    name(n);
    out_ << '[';
    for (std::size_t i = 0; i < values.size(); ++i) {
        out_ << (i ? "," : "") << jsonString(values[i]);
    }
    out_ << ']';
}

void JsonWriter::close() {
    out_ << "}\n";
}

}  // namespace trellon::cli
