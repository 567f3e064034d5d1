#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace trellon::cli {

// Writes one flat JSON object field by field; numbers with 17 significant digits, so that they
// read back as the same doubles.
class JsonWriter {
public:
    explicit JsonWriter(std::ostream& out);
    void field(const std::string& name, const std::string& value);
    void field(const std::string& name, double value);
    void field(const std::string& name, const std::vector<double>& values);
    void field(const std::string& name, const std::vector<std::string>& values);
    void close();

private:
    void name(const std::string& name);
    std::ostream& out_;
    bool first_ = true;
};

std::string jsonString(const std::string& text);
std::string jsonNumber(double value);

}  // namespace trellon::cli
