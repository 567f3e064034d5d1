#include "FileName.h"

#include <algorithm>

namespace trellon {

namespace {

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

std::string withExtension(const std::string& chosenName, std::string_view extension) {
    const bool hasIt =
        chosenName.size() >= extension.size() &&
        std::equal(extension.begin(), extension.end(), chosenName.end() - extension.size(),
                   [](char a, char b) { return lowerAscii(a) == lowerAscii(b); });
    return hasIt ? chosenName : chosenName + std::string(extension);
}

}  // namespace trellon
