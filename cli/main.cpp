#include <clocale>
#include <iostream>
#include <string>
#include <vector>

#include "CliRunner.h"
#include "FileSizeSignal.h"

namespace {

// The decimal separator of the user's locale; numbers themselves are never read or written
// through the C library, which would follow that locale too.
char systemDecimalSeparator() {
    std::setlocale(LC_NUMERIC, "");
    const char* point = std::localeconv()->decimal_point;
    const char separator = point != nullptr && point[0] == ',' ? ',' : '.';
    std::setlocale(LC_NUMERIC, "C");
    return separator;
}

}  // namespace

int main(int argc, char** argv) {
    trellon::ignoreFileSizeSignal();
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    return trellon::cli::cliMain(arguments, systemDecimalSeparator(), std::cout, std::cerr);
}
