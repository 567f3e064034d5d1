#include "NumberColumnsCsv.h"

#include <cmath>
#include <stdexcept>

#include "NumberText.h"

namespace trellon {

std::string writeNumberColumnsCsv(const std::vector<std::string>& names,
                                  const std::vector<std::span<const double>>& columns) {
    if (names.size() != columns.size() || columns.empty()) {
        throw std::invalid_argument("one name per column, at least one column");
    }
    const std::size_t rows = columns.front().size();
    std::string text;
    for (std::size_t c = 0; c < names.size(); ++c) {
        text += (c == 0 ? "" : ",") + names[c];
    }
    text += '\n';
    for (std::size_t r = 0; r < rows; ++r) {
        for (std::size_t c = 0; c < columns.size(); ++c) {
            if (columns[c].size() != rows) {
                throw std::invalid_argument("columns of different lengths");
            }
            if (c > 0) {
                text += ',';
            }
            if (std::isfinite(columns[c][r])) {
                text += FormatExact(columns[c][r]);
            }
        }
        text += '\n';
    }
    return text;
}

}  // namespace trellon
