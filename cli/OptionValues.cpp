#include "OptionValues.h"

#include <cmath>
#include <exception>

#include "NumberText.h"

namespace trellon::cli {

double nonNegativeNumber(const std::string& name, const std::string& value, double below) {
    double number = -1;
    try {
        number = TypedNumber(value, '.');
    } catch (const std::exception&) {
        number = -1;
    }
    if (!(number >= 0 && number < below)) {
        throw UsageError("--" + name + " takes a number from 0" +
                         (std::isinf(below) ? std::string(" up")
                                            : " to below " + FormatGeneral(below, 15, '.')) +
                         ", not '" + value + "'");
    }
    return number;
}

}  // namespace trellon::cli
