// The command line's option parser on arbitrary arguments (one per line of the input): it either
// takes them or throws a usage or command error, never anything else.
#include <cstdint>
#include <string>
#include <vector>

#include "CliOptions.h"
#include "CommandError.h"
#include "FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    trellon::fuzz::FuzzInput input(data, size);
    const char separator = (input.byte() & 1) != 0 ? ',' : '.';
    std::vector<std::string> arguments;
    for (int i = 0; i < 64 && input.remaining(); ++i) {
        arguments.push_back(input.line());
    }
    try {
        trellon::cli::parseCliOptions(arguments, separator);
    } catch (const trellon::cli::UsageError&) {
    } catch (const trellon::CommandError&) {
    }
    return 0;
}
