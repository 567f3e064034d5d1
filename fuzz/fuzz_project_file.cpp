// The project file reader on arbitrary bytes: it either accepts the file or throws a command
// error, and what it accepts is saved (keeping the fields it does not know) and read back
// unchanged.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "CommandError.h"
#include "ProjectFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    trellon::LoadedProject first;
    try {
        first = trellon::readProjectFile(
            std::string_view(reinterpret_cast<const char*>(data), size), "fuzz.trellon");
    } catch (const trellon::CommandError&) {
        return 0;
    }
    const std::string kept = trellon::writeProjectFile(first.project, first.document);
    const std::string fresh = trellon::writeProjectFile(first.project);
    if (!(trellon::readProjectFile(kept, "kept.trellon").project == first.project) ||
        !(trellon::readProjectFile(fresh, "fresh.trellon").project == first.project)) {
        std::abort();
    }
    return 0;
}
