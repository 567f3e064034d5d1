// The design-file reader on arbitrary bytes: it either accepts the file or throws a command
// error, and what it accepts is written and read back unchanged.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "CommandError.h"
#include "DataFile.h"

namespace {

std::filesystem::path scratchFolder() {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("fuzz_data_file." + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::filesystem::path folder = scratchFolder();
    const std::string path = (folder / "fuzz.qua").string();
    {
        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
        if (!file) {
            std::abort();
        }
    }
    trellon::DataFileLines lines;
    trellon::DesignInputs first;
    try {
        first = lines.load(path);
    } catch (const trellon::CommandError&) {
        return 0;
    }
    const std::string copy = (folder / "copy.qua").string();
    lines.save(copy, first);
    trellon::DataFileLines reread;
    const trellon::DesignInputs second = reread.load(copy);
    if (second != first || reread.line(6) != lines.line(6) || reread.line(7) != lines.line(7)) {
        std::abort();
    }
    trellon::DataFileLines again;
    again.save(path, second);
    if (again.load(path) != second) {
        std::abort();
    }
    return 0;
}
